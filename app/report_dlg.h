#pragma once
// The two report dialogs: "Result" (the point report) and "Show All
// Alignment" (the all-alignments report, which can be saved). Both show their
// text in the editable field 1005; edits there change nothing elsewhere. Both
// open at their layout size and can be resized and maximised: the field
// grows with the dialog, the buttons keep to its bottom.
#include <QDialog>
#include <QRect>
#include <QString>
#include <vector>

class QLabel;
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
  // Opens the dialog at width x height dialog units, resizable, with a
  // maximise button.
  void SetResizable(DialogBuilder& builder, int width, int height);
  // Adds "OK" (number 1, the default button, first in the focus order) and
  // then the edit field holding the text.
  void AddControls(DialogBuilder& builder, QRect okButton, QRect edit);
  // Controls below the field that move with the dialog's bottom edge
  // (centred ones keep their distance from the centre); a stretching one
  // also grows with its width.
  void KeepAtBottom(QWidget* control, bool stretch = false);

  void resizeEvent(QResizeEvent* event) override;

  QPlainTextEdit* m_edit = nullptr;
  QPushButton* m_buttonOk = nullptr;
  QString m_text;

 private:
  struct Placed {
    QWidget* control;
    QRect rect;  // at the layout size
    bool stretch;
  };
  QSize m_layoutSize;
  QRect m_editRect;
  std::vector<Placed> m_bottom;
};

// Dialog 132: the optimal alignment at a clicked point.
class CResultDlg : public ReportDialog {
  Q_OBJECT
 public:
  CResultDlg(const QString& text, QWidget* parent = nullptr);

  // The line between the report and "OK" that names the clicked region (the
  // report text itself is the usual one).
  void SetRegionText(const QString& text);
  QString RegionText() const;

 private:
  QLabel* m_region = nullptr;
};

}  // namespace zenphal
