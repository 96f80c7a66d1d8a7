#pragma once
// A structure named the way users name one on the command line and in
// scripts: "example:N" for a row of the example table, or a file, with
// "FILE#K" picking the K-th structure of a file that holds several.
#include <string>
#include <vector>

#include "formats/structure_read.h"

namespace zenphal {

// The texts a structure is built from, and how to name it in messages.
struct StructureSource {
  std::string label;  // the operand as given: "example:5", "trnas.ct#2"
  std::string path;   // the file read ("trnas.ct"); empty for an example
  std::string bases;
  std::string stems;
  std::vector<std::string> notes;  // for the user, each naming the operand
};

// "example:N" (N from 1 to 6) takes the example table's base and stem texts;
// anything else is a file holding a structure text in the input dialog's
// layout, dot-bracket, CT or BPSEQ, told apart by its content unless format
// says which. "FILE#K" picks the K-th structure (K from 1, leading zeros
// allowed) when no file is named "FILE#K" itself. Throws InputError naming
// the operand and the problem, or FileReadError (input_file.h) for a file
// that cannot be read.
StructureSource LoadStructureSource(const std::string& operand, StructureFormat format = StructureFormat::kAuto);

}  // namespace zenphal
