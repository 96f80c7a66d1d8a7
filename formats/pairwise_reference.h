#pragma once
// The reference alignment of two members of a family: how the family's
// curated alignment (a Stockholm file) aligns them. Their two rows, without
// the columns where both hold a gap, are an alignment of the two structures
// the Stockholm reader gives for them: the same gap characters are removed,
// so the k-th base of a member's structure is the k-th base of its row.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/stockholm.h"
#include "formats/structure_source.h"

namespace zenphal {

// The gap of a reference row, as alignment rows write it.
inline constexpr char kReferenceGap = '_';

struct PairwiseReference {
  std::string file;     // the Stockholm file as it was named; may be empty
  std::string family;   // its alignment's title: #=GF ID, else AC, else "the alignment at line N"
  std::string member1;  // the sequences' names
  std::string member2;
  // The two rows in reading order, of equal length, kReferenceGap for a gap;
  // no column holds two gaps.
  std::string top;
  std::string bottom;

  bool operator==(const PairwiseReference&) const = default;
};

// The rows of two sequences of an alignment (first may equal second: a
// member against itself), the columns where both hold a gap removed and
// every gap character ('.', '-', '_', '~') written kReferenceGap. Linear in
// the alignment's width.
PairwiseReference PairwiseReferenceOf(const StockholmAlignment& alignment, size_t first, size_t second,
                                      std::string file);

// A reference row's bases: the row without its gaps.
std::string ReferenceBases(std::string_view row);

// Throws InputError when the reference is not an alignment of these two
// base texts: rows of different lengths, a column of two gaps, or a row whose
// bases are not the structure's, compared exactly as written (the message
// names the member and the first position that differs).
void CheckReferenceFits(const PairwiseReference& reference, std::string_view bases1, std::string_view bases2);

// The reference two structures share when both were read from the same
// alignment of one Stockholm file (the same file, or one file under two
// names); nullopt otherwise.
std::optional<PairwiseReference> SharedAlignmentReference(const StructureSource& first,
                                                          const StructureSource& second);

// A Stockholm file named to hold references (`zenphal-cli --reference
// FILE.sto[#FAMILY]`), read once for any number of pairs.
struct ReferenceFile {
  std::string operand;  // as given, for messages
  std::string path;
  std::vector<StockholmAlignment> alignments;
  std::vector<size_t> candidates;  // the named family, else every alignment
};

// Reads the file (ReadInputFile: throws FileReadError) and picks the family
// after '#' (PickStockholmAlignment). Throws InputError naming the operand.
ReferenceFile ReadReferenceFile(const std::string& operand);

// The reference the file holds for two structures read from anywhere. In
// the one candidate alignment that holds both, a structure's member is the
// sequence of its Stockholm name, when it has one and the alignment holds
// it (its bases must then be the structure's), else the only sequence whose
// bases are the structure's bases. Throws InputError naming the operand,
// the structure and the problem: no sequence has its bases, several have, a
// named sequence with other bases, no alignment or several holding both.
// Linear in the size of the candidate alignments.
PairwiseReference FindPairwiseReference(const ReferenceFile& file, const StructureSource& first,
                                        const StructureSource& second);

}  // namespace zenphal
