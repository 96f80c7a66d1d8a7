#include "app/report_dlg.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>

#include "app/dialog_builder.h"

namespace zenphal {

ReportDialog::ReportDialog(const QString& text, QWidget* parent) : QDialog(parent), m_text(text) {}

void ReportDialog::SetResizable(DialogBuilder& b, int width, int height) {
  m_layoutSize = b.units().Size(width, height);
  resize(m_layoutSize);
  // Small enough for any screen, large enough to keep the buttons apart.
  setMinimumSize(m_layoutSize / 2);
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinMaxButtonsHint);
  setSizeGripEnabled(true);
}

void ReportDialog::AddControls(DialogBuilder& b, QRect ok, QRect edit) {
  m_buttonOk = b.Button(kIdOk, QStringLiteral("OK"), ok.x(), ok.y(), ok.width(), ok.height(), true);
  connect(m_buttonOk, &QPushButton::clicked, this, &QDialog::accept);
  m_edit = b.TextEdit(kIdReportEdit, edit.x(), edit.y(), edit.width(), edit.height(), false);
  // Fixed pitch, so that the rows of an alignment stand column under column.
  m_edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_edit->setPlainText(m_text);  // CR LF pairs become line breaks
  m_editRect = m_edit->geometry();
  KeepAtBottom(m_buttonOk);
  m_buttonOk->setFocus();
}

void ReportDialog::KeepAtBottom(QWidget* control, bool stretch) {
  m_bottom.push_back({control, control->geometry(), stretch});
}

void ReportDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (!m_edit || !m_layoutSize.isValid()) return;
  // At its layout size every control stands where the layout puts it.
  const int dw = width() - m_layoutSize.width();
  const int dh = height() - m_layoutSize.height();
  m_edit->setGeometry(m_editRect.adjusted(0, 0, dw, dh));
  for (const Placed& p : m_bottom) {
    p.control->setGeometry(p.stretch ? p.rect.adjusted(0, dh, dw, dh) : p.rect.translated(dw / 2, dh));
  }
}

QString ReportDialog::Text() const {
  QString text = m_edit->toPlainText();
  text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return text;
}

CResultDlg::CResultDlg(const QString& text, QWidget* parent) : ReportDialog(text, parent) {
  setWindowTitle(QStringLiteral("Result"));
  DialogBuilder b(this);
  SetResizable(b, 298, 214);
  AddControls(b, QRect(121, 193, 50, 14), QRect(7, 7, 284, 175));
  // Between the field (ending at 182) and "OK" (from 193).
  m_region = b.Label(QString(), 7, 184, 284, 8);
  m_region->setObjectName(QStringLiteral("regionLine"));
  m_region->setTextInteractionFlags(Qt::TextSelectableByMouse);
  KeepAtBottom(m_region, true);
}

void CResultDlg::SetRegionText(const QString& text) {
  m_region->setText(text);
  m_region->setToolTip(text);
}

QString CResultDlg::RegionText() const { return m_region->text(); }

}  // namespace zenphal
