#pragma once
// The six built-in example structures.
#include <array>
#include <string>
#include <string_view>

namespace zenphal {

struct ExampleRow {
  std::string_view name;   // list entry of the dialogs' combo boxes
  std::string_view bases;  // base text
  std::string_view stems;  // stem text: triples separated by single spaces
  // All three view string literals, so data() ends in a NUL.
};

inline constexpr int kExampleCount = 6;

// Rows 1 to 6 in the dialogs' order (index 0 here is row 1).
const std::array<ExampleRow, kExampleCount>& ExampleTable();

// The combo box entries: "Example" (the placeholder, index 0), then the rows.
const std::array<std::string_view, kExampleCount + 1>& ExampleListEntries();

// The row's structure text with CR LF line ends, as the dialogs display it:
// "name:", " bases", ">", ">", one " (k)  l  r  n" line per stem, ">".
// row is 1 to 6.
std::string ExampleDisplayText(int row);

}  // namespace zenphal
