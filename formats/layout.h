#pragma once
// The structure text layout of the input dialog and of structure files:
//
//   name line (ignored)
//   bases, over any number of lines, up to the first '>'
//   '>' line, optionally a second '>' line
//   stem lines " (k)  l  r  n", or a third '>' line when there are no stems
//   '>' line ending the structure
//
// Only the letters A C G U T (either case) count as bases; everything else in
// the base part is passed over.
#include <optional>
#include <string>
#include <string_view>

namespace zenphal {

struct StructureTexts {
  std::string bases;  // base text for CRnaStructure
  std::string stems;  // stem text: each stem line's part after ')', plus a space
};

// Splits a structure text. Lines may end with CR LF or with LF alone; a text
// with CR LF line ends splits exactly as it always has. Returns nullopt when
// the text does not follow the layout and, if why is given, says what is
// missing. Linear in the length of the text; never reads past its end.
std::optional<StructureTexts> SplitStructureText(std::string_view text, std::string* why = nullptr);

}  // namespace zenphal
