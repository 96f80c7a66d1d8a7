#pragma once
// Dot-bracket text, as ViennaRNA and many databases write it:
//
//   >name                        optional
//   GCGGAUUUAGCUCAGUUGGG...      the sequence, one word
//   (((((((..((((........))))    the structure, as long as the sequence,
//                                then optionally an energy: (-12.30), ( -1.20),
//                                [-1.50], {-1.20 d=2.30} or -12.30
//
// "." is unpaired; "()" pairs, and "[]", "{}", "<>" pair too, each kind
// matched on its own, so they may cross the others (pseudoknots). Blank lines
// and lines starting with '#' are passed over. Each further ">name" line
// starts another structure. Lines after a structure line up to the next
// ">name" line (the ensemble lines RNAfold -p prints, for instance) are
// ignored, and a note says so.
#include <string_view>
#include <vector>

#include "formats/structure_read.h"
#include "formats/text_lines.h"

namespace zenphal {

// Reads structure number structureNumber (from 1; 0 means the first) and
// checks every structure of the text. Throws InputError naming the line (and
// column) and the problem: a character that is not a dot-bracket character, a
// bracket that closes nothing or is never closed, a structure whose length
// differs from the sequence's, a sequence holding white space or longer than
// 32767 bases, text after the structure that is not an energy, a missing
// sequence or structure line, a structure number beyond the count.
// Linear in the length of the text.
StructureRead ReadDotBracket(std::string_view text, int structureNumber = 0);

namespace formats {
// Detection: after blank and '#' lines and an optional ">name" line, a line
// (the sequence) followed by one that begins with '.' or an opening bracket.
// The reader then checks the rest, so a faulty structure line gets its own
// message.
bool LooksLikeDotBracket(const std::vector<TextLine>& lines);
}  // namespace formats

}  // namespace zenphal
