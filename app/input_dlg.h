#pragma once
// "Input" (dialog 133): two structure texts, typed, pasted, taken from the
// examples or read from files, and the six scores. A structure text is in the
// dialog's own layout (read exactly as SplitStructureText reads it) or in
// dot-bracket, CT or BPSEQ, told apart by its content; a text none of them
// takes may still be the Help page's form, a line of bases and a line of stem
// numbers (ReadSequenceAndStems, formats/help_form.h). From a Stockholm file, Read From File takes
// one member (asking which); two members of one alignment come with their
// alignment there as the computation's reference alignment.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "formats/structure_read.h"
#include "formats/pairwise_reference.h"
#include "formats/structure_source.h"

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
  // text and is reported naming the file. From a Stockholm file holding
  // several sequences the member is asked for ("Stockholm Member"), then
  // taken as ReadStockholmMemberInto takes it.
  void ReadFileInto(int structure, const QString& path);
  // Puts one member of a Stockholm file into the box: its structure in the
  // Help page's form (">NAME (FAMILY, FILE)", the bases, the stem numbers),
  // remembered as that member. OK takes a box that still shows that text as
  // the member, with the reader's notes; when both boxes hold members of one
  // alignment, their alignment there goes with the computation as its
  // reference alignment, and OK says so. selector: what follows "FILE#" on
  // zenphal-cli's command line ("NAME", "FAMILY#NAME", "K"). A failure is
  // reported naming the file; the box keeps its text.
  void ReadStockholmMemberInto(int structure, const QString& path, const QString& selector);
  void OnOK();

 private:
  void ReadFile(int structure, const QString& filter);
  // The selector of the member the user picks in the file's alignments,
  // or nullopt when the choice is cancelled.
  std::optional<std::string> ChooseStockholmMember(int structure, const QString& path,
                                                   const std::vector<StockholmAlignment>& alignments);

  // A box's Stockholm member and the text it was shown as.
  struct BoxMember {
    std::string text;
    StructureSource source;
  };
  std::array<std::optional<BoxMember>, 2> m_aMembers;
};

// What OK says when the computation gets a reference alignment.
QString ReferenceNoteText(const PairwiseReference& reference);

}  // namespace zenphal
