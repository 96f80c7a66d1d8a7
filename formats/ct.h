#pragma once
// CT (connectivity table) text, as RNAstructure and mfold write it:
//
//      76  ENERGY = -21.5  tRNA      header: the number of bases first, then anything
//       1 G       0    2   72    1   index, base, previous, next, partner (0 when
//       2 C       1    3   71    2   unpaired), natural numbering; from 1
//     ...
//
// Fields are separated by spaces or tabs; blank lines and lines starting
// with '#' are passed over. The natural numbering and any further fields are
// not used, nor are the previous and next fields beyond being numbers.
// Several structures follow each other, each with its own header.
#include <string_view>
#include <vector>

#include "formats/structure_read.h"
#include "formats/text_lines.h"

namespace zenphal {

// Reads structure number structureNumber (from 1; 0 means the first) and
// checks every structure of the text. Throws InputError naming the line and
// the problem: a header without a base count, a count of 0 or above 32767,
// a base line with too few fields, an index out of order, a base of more
// than one character, a field that is not a number, a partner outside 0 to
// the count or equal to the base itself, a partner table that is not
// symmetric, more or fewer base lines than the header gives, a structure
// number beyond the count. Linear in the length of the text.
StructureRead ReadCt(std::string_view text, int structureNumber = 0);

namespace formats {
// Detection: the first line that is neither blank nor a '#' comment begins
// with a whole number, and the next such line is the line of base 1: at least
// five fields, the first "1", the third, fourth and fifth whole numbers.
bool LooksLikeCt(const std::vector<TextLine>& lines);
}  // namespace formats

}  // namespace zenphal
