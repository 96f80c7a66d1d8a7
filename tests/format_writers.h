#pragma once
// Writers of dot-bracket, CT and BPSEQ texts for the reader tests, with the
// variations real files show (line ends, tabs, headers, energies).
#include <string>
#include <vector>

#include "engine/rna_structure.h"

namespace zenphal::testing {

inline std::vector<std::pair<int, int>> PairsOf(const CRnaStructure& s) {
  std::vector<std::pair<int, int>> pairs;
  for (int i = 0; i < s.length; ++i) {
    if (s.partner[i] > i) pairs.emplace_back(i, s.partner[i]);
  }
  return pairs;
}

inline std::string WithLineEnds(const std::string& lfText, const std::string& lineEnd) {
  std::string out;
  for (char c : lfText) {
    if (c == '\n') {
      out += lineEnd;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

// For nested structures (the example table's): "()" and ".".
inline std::string DotBracketLine(const CRnaStructure& s) {
  std::string line(static_cast<size_t>(s.length), '.');
  for (int i = 0; i < s.length; ++i) {
    if (s.partner[i] > i) line[static_cast<size_t>(i)] = '(';
    if (s.partner[i] < i) line[static_cast<size_t>(i)] = ')';
  }
  return line;
}

inline std::string WriteDotBracket(const CRnaStructure& s, const std::string& name = "",
                                   const std::string& energy = "") {
  std::string text;
  if (!name.empty()) text += ">" + name + "\n";
  text += s.sequence + "\n" + DotBracketLine(s) + energy + "\n";
  return text;
}

// mfold's column layout; header is the text after the base count.
inline std::string WriteCt(const CRnaStructure& s, const std::string& header = "  ENERGY = -21.5  test",
                           const std::string& separator = " ") {
  const int n = s.length;
  std::string text = std::to_string(n) + header + "\n";
  for (int i = 0; i < n; ++i) {
    const int partner = s.partner[i] == i ? 0 : s.partner[i] + 1;
    const std::vector<std::string> fields = {std::to_string(i + 1), std::string(1, s.sequence[i]),
                                             std::to_string(i), std::to_string(i + 1 < n ? i + 2 : 0),
                                             std::to_string(partner), std::to_string(i + 1)};
    for (size_t f = 0; f < fields.size(); ++f) text += (f ? separator : "    ") + fields[f];
    text += "\n";
  }
  return text;
}

inline std::string WriteBpseq(const CRnaStructure& s, const std::string& header = "") {
  std::string text = header;
  for (int i = 0; i < s.length; ++i) {
    const int partner = s.partner[i] == i ? 0 : s.partner[i] + 1;
    text += std::to_string(i + 1) + " " + s.sequence[static_cast<size_t>(i)] + " " + std::to_string(partner) + "\n";
  }
  return text;
}

}  // namespace zenphal::testing
