#pragma once
// "Input" (dialog 133): two structure texts, typed, pasted, taken from the
// examples or read from files, and the six scores. A structure text is in the
// dialog's own layout (read exactly as SplitStructureText reads it) or in
// dot-bracket, CT or BPSEQ, told apart by its content.
#include <string>

#include "app/structure_scores_dlg.h"

namespace zenphal {

inline constexpr int kIdInputRna1Edit = 1006;
inline constexpr int kIdInputRna2Edit = 1007;
inline constexpr int kIdInputMatch = 1009;
inline constexpr int kIdInputIndel = 1010;
inline constexpr int kIdInputMismatchFrom = 1011;
inline constexpr int kIdInputMismatchTo = 1012;
inline constexpr int kIdInputGapFrom = 1013;
inline constexpr int kIdInputGapTo = 1014;
inline constexpr int kIdInputReadFile1 = 1019;
inline constexpr int kIdInputReadFile2 = 1020;
inline constexpr int kIdInputRna1Combo = 1021;
inline constexpr int kIdInputRna2Combo = 1022;

class CInputDlg : public StructureScoresDialog {
  Q_OBJECT
 public:
  explicit CInputDlg(QWidget* parent = nullptr);

  // The structures of OK: base and stem texts. A text holding several
  // structures gives its first; OK then says so.
  std::string m_strSequence1, m_strStems1, m_strSequence2, m_strStems2;

  void OnReadFile1();
  void OnReadFile2();
  // Loads a file into the structure box (1 or 2); a failure keeps the box's
  // text and is reported naming the file.
  void ReadFileInto(int structure, const QString& path);
  void OnOK();

 private:
  void ReadFile(int structure, const QString& filter);
};

}  // namespace zenphal
