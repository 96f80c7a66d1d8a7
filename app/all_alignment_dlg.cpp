#include "app/all_alignment_dlg.h"

#include <QFileDialog>
#include <QPushButton>

#include "app/dialog_builder.h"
#include "app/messages.h"
#include "output/file_writer.h"

namespace zenphal {

CAllAlignmentDlg::CAllAlignmentDlg(const QString& text, QWidget* parent) : ReportDialog(text, parent) {
  setWindowTitle(QStringLiteral("Show All Alignment"));
  DialogBuilder b(this);
  SetResizable(b, 373, 276);
  AddControls(b, QRect(104, 255, 56, 14), QRect(7, 7, 359, 229));
  QPushButton* save = b.Button(kIdSaveResult, QStringLiteral("Save Result"), 191, 254, 59, 15);
  KeepAtBottom(save);
  connect(save, &QPushButton::clicked, this, &CAllAlignmentDlg::OnSaveResult);
}

void CAllAlignmentDlg::OnSaveResult() {
  QFileDialog chooser(this, QStringLiteral("Save As"));
  chooser.setAcceptMode(QFileDialog::AcceptSave);
  chooser.setNameFilters({QStringLiteral("Text Files(*.txt)"), QStringLiteral("All Files (*.*)")});
  chooser.setDefaultSuffix(QStringLiteral("txt"));
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
  const QString path = chooser.selectedFiles().constFirst();
  try {
    SaveTo(path);
  } catch (const WriteError& e) {
    ShowError(this, MessageOf(e));
  }
}

void CAllAlignmentDlg::SaveTo(const QString& path) const {
  WriteFileAtomically(ToFilePath(path), Text().toUtf8().toStdString());
}

}  // namespace zenphal
