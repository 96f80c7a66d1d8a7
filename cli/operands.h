#pragma once
// Command-line operands: structures and score texts.
#include <string>
#include <utility>
#include <vector>

#include "engine/rna_structure.h"
#include "formats/structure_read.h"

namespace zenphal::cli {

// The texts a structure is built from, and how to name it in messages.
struct StructureSource {
  std::string label;  // "example:5" or the file path
  std::string bases;
  std::string stems;
  std::vector<std::string> notes;  // for stderr, each naming the operand
};

// "example:N" (N from 1 to 6) takes the example table's base and stem texts;
// anything else is a file holding a structure text in the input dialog's
// layout, dot-bracket, CT or BPSEQ, told apart by its content unless format
// says which. "FILE#K" picks the K-th structure of a file that holds several
// (when no file is named "FILE#K" itself). Throws InputError naming the
// operand and the problem.
StructureSource LoadStructureOperand(const std::string& operand, StructureFormat format = StructureFormat::kAuto);

// Writes the source's notes to stderr, one line each.
void PrintNotes(const StructureSource& source);

// Builds the structure; InputError messages are prefixed with the label.
// An empty base text is an error: there is nothing to align.
CRnaStructure BuildStructure(const StructureSource& source);

// A score option's text: a non-negative decimal number, surrounding white
// space ignored, read exactly as the dialogs read it. Throws InputError
// naming the option.
float ReadScoreOption(const std::string& option, const std::string& text);

// "A,B": two score texts separated by a comma.
std::pair<float, float> ReadScorePair(const std::string& option, const std::string& text);

// Both operands of a command in one go: loads them (format by name, as
// --format gives it), prints their notes on stderr, then builds them.
struct StructurePair {
  CRnaStructure first;
  CRnaStructure second;
};
StructurePair LoadStructurePair(const std::string& rna1, const std::string& rna2, const std::string& formatName);

}  // namespace zenphal::cli
