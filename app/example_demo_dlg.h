#pragma once
// "Example Demo" (dialog 135): two of the six built-in examples, shown
// read-only, and the six scores.
#include "app/structure_scores_dlg.h"

namespace zenphal {

inline constexpr int kIdDemoRna1Edit = 1005;
inline constexpr int kIdDemoRna2Edit = 1006;
inline constexpr int kIdDemoMatch = 1009;
inline constexpr int kIdDemoIndel = 1010;
inline constexpr int kIdDemoMismatchFrom = 1011;
inline constexpr int kIdDemoRna1Combo = 1012;
inline constexpr int kIdDemoRna2Combo = 1013;
inline constexpr int kIdDemoMismatchTo = 1014;
inline constexpr int kIdDemoGapFrom = 1015;
inline constexpr int kIdDemoGapTo = 1016;

class CExampleDemoDlg : public StructureScoresDialog {
  Q_OBJECT
 public:
  explicit CExampleDemoDlg(QWidget* parent = nullptr);

  // The structures of OK: the chosen rows' texts in the example table, which
  // lives as long as the program (NUL-terminated).
  const char* m_pszSequence1 = nullptr;
  const char* m_pszStems1 = nullptr;
  const char* m_pszSequence2 = nullptr;
  const char* m_pszStems2 = nullptr;

  void OnOK();
};

}  // namespace zenphal
