#pragma once
// The pair list of zenphal-cli batch: one pair of structure operands a line,
// with an optional name for the pair's files.
//
//   # pairs of two tRNA families
//   trna-2.sto#DF6280    trna-2.sto#DE6280
//   example:5            my-trna.ct             yeast-vs-mine
//
// Fields are separated by tabs; a line without a tab is split at runs of
// spaces instead. Blank lines and lines starting with '#' are passed over,
// and so is a first line "rna1 rna2 [name]" (a header).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zenphal {

struct PairListEntry {
  std::string rna1;
  std::string rna2;
  std::string name;  // empty when the line gives none
  int line = 0;
};

// Throws InputError naming the line: a line with fewer than two or more than
// three fields, a name that cannot name files (PairNameProblem). Duplicate
// pairs and names are left to the caller, which knows the names it derives.
// Linear in the length of the text.
std::vector<PairListEntry> ReadPairList(std::string_view text);

// Why name cannot be the stem of a pair's file names in an output folder,
// or nullopt when it can: empty, longer than 200 bytes, beginning with '.',
// or holding '/' or a control character.
std::optional<std::string> PairNameProblem(std::string_view name);

// A name made from any text for use as such a stem: every character other
// than letters, digits and ". _ + -" becomes '_', a leading '.' too, and the
// result is cut to 100 bytes.
std::string FileNameToken(std::string_view text);

}  // namespace zenphal
