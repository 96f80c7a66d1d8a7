#include "app/report_dlg.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/dialog_builder.h"

namespace zenphal {

ReportDialog::ReportDialog(const QString& text, QWidget* parent) : QDialog(parent), m_text(text) {}

void ReportDialog::AddControls(DialogBuilder& b, QRect ok, QRect edit) {
  m_buttonOk = b.Button(kIdOk, QStringLiteral("OK"), ok.x(), ok.y(), ok.width(), ok.height(), true);
  connect(m_buttonOk, &QPushButton::clicked, this, &QDialog::accept);
  m_edit = b.TextEdit(kIdReportEdit, edit.x(), edit.y(), edit.width(), edit.height(), false);
  // Fixed pitch, so that the rows of an alignment stand column under column.
  m_edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_edit->setPlainText(m_text);  // CR LF pairs become line breaks
  m_buttonOk->setFocus();
}

QString ReportDialog::Text() const {
  QString text = m_edit->toPlainText();
  text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return text;
}

CResultDlg::CResultDlg(const QString& text, QWidget* parent) : ReportDialog(text, parent) {
  setWindowTitle(QStringLiteral("Result"));
  DialogBuilder b(this);
  b.SetSize(298, 214);
  AddControls(b, QRect(121, 193, 50, 14), QRect(7, 7, 284, 175));
}

}  // namespace zenphal
