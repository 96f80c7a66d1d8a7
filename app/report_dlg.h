#pragma once
// The two report dialogs: "Result" (the point report) and "Show All
// Alignment" (the all-alignments report, which can be saved). Both show their
// text in the editable field 1005; edits there change nothing elsewhere.
#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace zenphal {

class DialogBuilder;

inline constexpr int kIdReportEdit = 1005;

// What the report dialogs share: the text copied in at construction and the
// edit field it is shown in (line breaks shown as such, read back as CR LF).
class ReportDialog : public QDialog {
  Q_OBJECT
 public:
  // The field's text with CR LF line breaks, as a report is written.
  QString Text() const;

 protected:
  ReportDialog(const QString& text, QWidget* parent);
  // Adds "OK" (number 1, the default button, first in the focus order) and
  // then the edit field holding the text.
  void AddControls(DialogBuilder& builder, QRect okButton, QRect edit);

  QPlainTextEdit* m_edit = nullptr;
  QPushButton* m_buttonOk = nullptr;
  QString m_text;
};

// Dialog 132: the optimal alignment at a clicked point.
class CResultDlg : public ReportDialog {
  Q_OBJECT
 public:
  CResultDlg(const QString& text, QWidget* parent = nullptr);
};

}  // namespace zenphal
