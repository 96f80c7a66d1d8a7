#pragma once
// BPSEQ text, as comparative RNA databases write it:
//
//   Filename: d.5.e.yeast.bpseq     optional header lines before the first
//   Organism: ...                   base line: any line that does not begin
//   # comment                       with a digit
//   1 G 72                          position, base, partner (0 when unpaired),
//   2 C 71                          positions from 1
//   ...
//
// Fields are separated by spaces or tabs; blank lines and lines starting
// with '#' are passed over anywhere. A BPSEQ text holds one structure.
#include <string_view>
#include <vector>

#include "formats/structure_read.h"
#include "formats/text_lines.h"

namespace zenphal {

// Reads the structure (structureNumber may be 0 or 1). Throws InputError
// naming the line and the problem: no base lines, a line after the first
// base line that is not position, base and partner, a position out of order,
// a base of more than one character, a partner that is not a number, outside
// 0 to the number of bases or equal to the base itself, a partner table that
// is not symmetric, more than 32767 bases. Linear in the length of the text.
StructureRead ReadBpseq(std::string_view text, int structureNumber = 0);

namespace formats {
// Detection: no line before the first base line begins with '>', and the
// first line that is not blank, a '#' comment or a header line (one that does
// not begin with a digit) is the line of base 1: "1", one character, a whole
// number.
bool LooksLikeBpseq(const std::vector<TextLine>& lines);
}  // namespace formats

}  // namespace zenphal
