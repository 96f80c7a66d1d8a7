#pragma once
// "Example Demo" (dialog 135): two of the six built-in examples, shown
// read-only, and the six scores.
#include <QDialog>
#include <memory>
#include <string_view>

#include "app/computation.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

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

class CExampleDemoDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CExampleDemoDlg(QWidget* parent = nullptr);

  std::unique_ptr<CComputation> TakeComputation() { return std::move(m_computation); }

  // The results of OK: the chosen rows' texts in the example table (which
  // lives as long as the program) and the six scores.
  std::string_view m_pszSequence1, m_pszStems1, m_pszSequence2, m_pszStems2;
  float m_fMatch = 0, m_fIndel = 0, m_fMismatchFrom = 0, m_fMismatchTo = 0, m_fGapFrom = 0, m_fGapTo = 0;

  void OnSelchangeRna1();
  void OnSelchangeRna2();
  void OnOK();

 private:
  QComboBox *m_comboRna1, *m_comboRna2;
  QPlainTextEdit *m_editRna1, *m_editRna2;
  QLineEdit *m_editMatch, *m_editIndel, *m_editMismatchFrom, *m_editMismatchTo, *m_editGapFrom, *m_editGapTo;
  std::unique_ptr<CComputation> m_computation;
};

}  // namespace zenphal
