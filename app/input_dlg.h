#pragma once
// "Input" (dialog 133): two structure texts, typed, pasted, taken from the
// examples or read from files, and the six scores. A structure text is in the
// dialog's own layout (read exactly as SplitStructureText reads it) or in
// dot-bracket, CT or BPSEQ, told apart by its content; a text none of them
// takes may still be the Help page's form, a line of bases and a line of stem
// numbers (ReadSequenceAndStems).
#include <optional>
#include <string>
#include <string_view>

#include "formats/structure_read.h"

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

// The Help page's form of a structure: an optional name line (">name" or any
// line that is not bases), the bases on one or more lines (letters only,
// spaces ignored), then the stem numbers "l r n l r n ..." (positions from 0,
// each stem its left end, right end and number of pairs) on the last lines,
// separated by spaces or commas. "R=" and "P=" before the bases and the
// numbers, as the Help page writes them, are allowed; blank lines are
// skipped. nullopt for any other text. Bases are kept as written.
std::optional<StructureRead> ReadSequenceAndStems(std::string_view text);

// What the structure boxes show while empty: the forms they take.
inline constexpr const char* kStructurePlaceholder =
    "Type or paste a structure: the bases, then the stems\n"
    "(left end, right end, pairs; positions from 0):\n"
    "AAGUCUAGGUCUCACU\n"
    "1 5 2 7 12 1 8 10 1 13 15 1\n"
    "Dot-bracket, CT, BPSEQ: see Help Topic.";

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
