#pragma once
// One entry point for every structure text: the input dialog's layout,
// dot-bracket, CT, BPSEQ and Stockholm, told apart by their content. Qt-free; the input
// dialog and zenphal-cli both call it.
#include <optional>
#include <string_view>

#include "formats/structure_read.h"

namespace zenphal {

// The format of a text, by these rules, first match wins:
//  1. the input dialog's layout, when SplitStructureText accepts the text and
//     the stem text it gives holds only digits and spaces: so every text the
//     dialog reads (the example table's display texts among them) is read
//     exactly as it always was;
//  2. Stockholm, when the first line that is not blank begins with
//     "# STOCKHOLM";
//  3. CT, when the first line that is neither blank nor a '#' comment begins
//     with a whole number and the next such line is the line of base 1
//     ("1 base previous next partner ...");
//  4. BPSEQ, when the first line that is not blank, a '#' comment or a header
//     line (not beginning with a digit) is the line of base 1 ("1 base
//     partner"), and no line before it begins with '>';
//  5. dot-bracket, when, after an optional ">name" line, the line after the
//     sequence line begins with '.', '(', '[', '{' or '<';
//  6. the input dialog's layout, when SplitStructureText accepts the text at
//     all (its stem text then fails in CRnaStructure as it always has).
// nullopt when none applies. Linear in the length of the text.
std::optional<StructureFormat> DetectStructureFormat(std::string_view text);

// Reads a structure text in the given format, or in the detected one for
// StructureFormat::kAuto. structureNumber picks one of several structures
// (from 1; 0 means the first; the result says how many there are). Throws
// InputError with a message for the user, without a file name: "line 5: ..."
// for the file formats, "not a structure text: ..." for the layout and when no
// format applies. The result's texts go to CRnaStructure as they are.
StructureRead ReadStructureText(std::string_view text, StructureFormat format = StructureFormat::kAuto,
                                int structureNumber = 0);

}  // namespace zenphal
