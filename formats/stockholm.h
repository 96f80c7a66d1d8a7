#pragma once
// Stockholm multiple alignments, the format in which Rfam and Infernal keep
// RNA families:
//
//   # STOCKHOLM 1.0
//   #=GF ID   tRNA                     the family's name (#=GF AC: its accession)
//   DF6280    GCGGAUUUAGCUCAGUUGGG.A   a sequence: its name, its aligned row
//   #=GR DF6280 SS  <<<<<<<..<<<<...   optional: the structure of that sequence
//   #=GC SS_cons    <<<<<<<..<<<<...   the consensus structure
//   //
//
// Rows hold bases and the gap characters '.', '-', '_' and '~'. Long
// alignments come in blocks separated by blank lines, each holding a stretch
// of every row; the blocks are joined. A file may hold several alignments,
// each ending with "//". Structures are in WUSS notation: "<>", "()", "[]",
// "{}" and the letter pairs "Aa", "Bb", ... (pseudoknots) pair, each kind
// matched on its own; ".", ",", ":", "_", "-" and "~" are unpaired.
// Every other '#' line (#=GS, #=GF and #=GC lines of other tags, comments) is
// passed over.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "formats/pair_table.h"
#include "formats/structure_read.h"
#include "formats/text_lines.h"

namespace zenphal {

struct StockholmSequence {
  std::string name;
  std::string row;           // the aligned row, gaps included, blocks joined
  std::string ss;            // its own #=GR NAME SS structure, empty when none
  formats::PairTable pairs;  // of ss, over the columns; empty when no ss
  int line = 0;              // the line of its first row
};

// One alignment as read, kept whole: later steps compare the aligned rows of
// two members with their pairwise alignments.
struct StockholmAlignment {
  int line = 0;           // the "# STOCKHOLM 1.0" line
  std::string id;         // #=GF ID, empty when none
  std::string accession;  // #=GF AC, empty when none
  std::vector<StockholmSequence> sequences;  // in the order of their first row
  std::string ssCons;     // #=GC SS_cons, empty when none
  formats::PairTable consensusPairs;  // of ssCons, over the columns; empty when none

  size_t Width() const { return sequences.empty() ? 0 : sequences.front().row.size(); }
  // The sequence named exactly name, or npos.
  size_t Find(std::string_view name) const;
  // For messages: "tRNA", else the accession, else "the alignment at line 5".
  std::string Title() const;
};

// The gap characters of rows: '.', '-', '_' and '~'.
bool IsStockholmGap(char c);

// Reads every alignment of a text. Throws InputError naming the line (and
// column) and the problem: a text not beginning with "# STOCKHOLM 1.0", a
// sequence line that is not "name row", a name twice in one block, lines of
// one block of different widths, a #=GR line naming no sequence of the
// alignment, rows or structures of different lengths in all, a structure
// character that is not WUSS, a bracket that closes nothing or is never
// closed, an alignment without sequences or without its "//" line. Linear in
// the length of the text.
std::vector<StockholmAlignment> ReadStockholm(std::string_view text);

// The structure of one sequence: its bases (the row without its gaps, every
// base as written) and the pairs of its own SS line when it has one, else of
// SS_cons, each pair kept only when neither column is a gap in this row; a
// note says how many were dropped. Throws InputError when the alignment has
// no structure for the sequence, the row holds no bases or more than 32767.
StructureRead StockholmStructure(const StockholmAlignment& alignment, size_t sequence);

// Where a selector points.
struct StockholmPick {
  size_t alignment = 0;
  size_t sequence = 0;
};

// The sequence a selector names in a file's alignments. The selector is
// read every way it can be:
//  - as the exact name of a sequence, in any alignment;
//  - as FAMILY#MEMBER at each '#' it holds, FAMILY being an alignment's
//    #=GF ID or AC, or its number in the file (from 1) when no alignment is
//    so named, and MEMBER a sequence's exact name in that alignment, or its
//    number (from 1) when no sequence there is so named;
//  - when neither names anything, as a number K: the K-th sequence of the
//    file, counting through the alignments.
// An empty selector is the first sequence. Throws InputError when the
// readings name no sequence, or more than one (a selector is never guessed).
// Linear in the number of sequences times the '#'s of the selector.
StockholmPick PickStockholmSequence(const std::vector<StockholmAlignment>& alignments, std::string_view selector);

// The alignment a family selector names: #=GF ID, #=GF AC, or the number K
// (from 1) when no alignment is so named. Throws InputError.
size_t PickStockholmAlignment(const std::vector<StockholmAlignment>& alignments, std::string_view family);

// The sequence of one alignment a member selector names: its exact name, or
// the number K (from 1) when no sequence is named K. Throws InputError.
size_t PickStockholmMember(const StockholmAlignment& alignment, std::string_view member);

// The shortest selector that PickStockholmSequence resolves to exactly this
// sequence: "NAME", else "ID#NAME", "AC#NAME", "A#NAME" or "A#K".
std::string StockholmSelector(const std::vector<StockholmAlignment>& alignments, StockholmPick pick);

// The reader behind ReadStructureText: the sequence at structureNumber (from
// 1; 0 means the first) of the first alignment; the result counts that
// alignment's sequences.
StructureRead ReadStockholmText(std::string_view text, int structureNumber = 0);

namespace formats {
// Detection: the first line that is not blank begins with "# STOCKHOLM".
bool LooksLikeStockholm(const std::vector<TextLine>& lines);
}  // namespace formats

}  // namespace zenphal
