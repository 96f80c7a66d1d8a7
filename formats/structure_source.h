#pragma once
// A structure named the way users name one on the command line and in
// scripts: "example:N" for a row of the example table, or a file, with
// "FILE#K" picking the K-th structure of a file that holds several and
// "FILE#NAME" / "FILE#FAMILY#NAME" a sequence of a Stockholm file.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/stockholm.h"
#include "formats/structure_read.h"

namespace zenphal {

// Where in a Stockholm file a structure was read: the alignment, kept
// whole (shared by every structure read from it at once), its place in the
// file, and the sequence.
struct StockholmOrigin {
  std::shared_ptr<const StockholmAlignment> alignment;  // never null
  size_t alignmentIndex = 0;  // in the file, from 0
  size_t sequence = 0;        // in the alignment, from 0
};

// The texts a structure is built from, and how to name it in messages.
struct StructureSource {
  std::string label;  // the operand as given: "example:5", "trnas.ct#2"
  std::string path;   // the file read ("trnas.ct"); empty for an example
  std::string bases;
  std::string stems;
  std::vector<std::string> notes;  // for the user, each naming the operand
  std::string name;   // the sequence's name in a Stockholm file; empty otherwise
  std::optional<StockholmOrigin> stockholm;  // for a sequence of a Stockholm file
};

// An operand split into its file and what follows the file's '#': the
// operand itself when a file is named so (or when it holds no '#'), else the
// longest part before a '#' that names an existing file, else the part
// before the first '#' (which then cannot be opened, and the message names
// it). selector is empty when there is none.
struct SplitOperand {
  std::string path;
  std::string selector;
};
SplitOperand SplitStructureOperand(const std::string& operand);

// "example:N" (N from 1 to 6) takes the example table's base and stem texts;
// anything else is a file holding a structure text in the input dialog's
// layout, dot-bracket, CT, BPSEQ or Stockholm, told apart by its content
// unless format says which. After the file (SplitStructureOperand):
//  - "#K" picks the K-th structure (K from 1, leading zeros allowed); in a
//    Stockholm file the K-th sequence of the file, unless one is named K;
//  - "#NAME", "#FAMILY#NAME" and "#FAMILY#K" pick a sequence of a Stockholm
//    file (PickStockholmSequence).
// Without a selector the first structure is read, and a note says so when
// the file holds more. Throws InputError naming the operand and the problem,
// or FileReadError (input_file.h) for a file that cannot be read.
StructureSource LoadStructureSource(const std::string& operand, StructureFormat format = StructureFormat::kAuto);

}  // namespace zenphal
