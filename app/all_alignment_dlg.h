#pragma once
// Dialog 134, "Show All Alignment": the all-alignments report, editable, and
// "Save Result", which writes the field's text as it stands to a file.
#include "app/report_dlg.h"

namespace zenphal {

inline constexpr int kIdSaveResult = 1019;

class CAllAlignmentDlg : public ReportDialog {
  Q_OBJECT
 public:
  CAllAlignmentDlg(const QString& text, QWidget* parent = nullptr);

  // Asks for a file (confirming before replacing one) and writes the field's
  // text to it; a failure is reported naming the file. The dialog stays open.
  void OnSaveResult();
  // Writes the field's text to path: its characters as UTF-8 (ASCII text
  // byte for byte), line breaks as CR LF, nothing added. Throws WriteError.
  void SaveTo(const QString& path) const;
};

}  // namespace zenphal
