#pragma once
// "Input" (dialog 133): two structure texts, typed, pasted, taken from the
// examples or read from files, and the six scores. A structure text is in the
// dialog's own layout (read exactly as SplitStructureText reads it) or in
// dot-bracket, CT or BPSEQ, told apart by its content.
#include <QDialog>
#include <memory>
#include <string>

#include "app/computation.h"
#include "app/score_fields.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

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

class CInputDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CInputDlg(QWidget* parent = nullptr);

  // After an accepted run: the two structures, their aligner and the
  // decomposition to run, all built from the dialog's results.
  std::unique_ptr<CComputation> TakeComputation() { return std::move(m_computation); }

  // The results of OK: base and stem texts, the six scores. A text holding
  // several structures gives its first; OK then says so.
  std::string m_strSequence1, m_strStems1, m_strSequence2, m_strStems2;
  float m_fMatch = 0, m_fIndel = 0, m_fMismatchFrom = 0, m_fMismatchTo = 0, m_fGapFrom = 0, m_fGapTo = 0;

  void OnSelchangeRna1();
  void OnSelchangeRna2();
  void OnReadFile1();
  void OnReadFile2();
  // Loads a file into the structure box (1 or 2); a failure keeps the box's
  // text and is reported naming the file.
  void ReadFileInto(int structure, const QString& path);
  void OnOK();

 private:
  void ReadFile(int structure, const QString& filter);

  QLineEdit *m_editMatch, *m_editIndel, *m_editMismatchFrom, *m_editMismatchTo, *m_editGapFrom, *m_editGapTo;
  QPlainTextEdit *m_editRna1, *m_editRna2;
  QComboBox *m_comboRna1, *m_comboRna2;
  std::unique_ptr<CComputation> m_computation;
};

// Both dialogs' combo boxes: "Example" (the placeholder) and the six rows.
void FillExampleCombo(QComboBox* combo);
// A new choice in combo: the chosen row's display text replaces the box's
// text; the placeholder leaves the text as it is.
void ShowChosenExample(const QComboBox* combo, QPlainTextEdit* box);

}  // namespace zenphal
