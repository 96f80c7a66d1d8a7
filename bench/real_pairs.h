#pragma once
// Pairs of real RNAs for the benchmarks: members of the family alignments
// that Debian's infernal package ships, the consensus structure projected
// onto each sequence, stored as dot-bracket files in bench/data (see
// bench/data/README.md).
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/rna_structure.h"

namespace zenphal::bench {

// Reads ">name", the bases and the structure; '(' ')' pair nested, '[' ']'
// pair bases across them.
inline CRnaStructure ReadDotBracket(const std::string& path) {
  std::ifstream in(path);
  std::string name, bases, brackets;
  if (!std::getline(in, name) || !std::getline(in, bases) || !std::getline(in, brackets) ||
      bases.size() != brackets.size()) {
    throw std::runtime_error("cannot read " + path);
  }
  std::string stems;
  for (const char* kinds : {"()", "[]"}) {
    std::vector<size_t> open;
    for (size_t i = 0; i < brackets.size(); ++i) {
      if (brackets[i] == kinds[0]) open.push_back(i);
      if (brackets[i] == kinds[1]) {
        if (open.empty()) throw std::runtime_error("unbalanced " + path);
        stems += std::to_string(open.back()) + " " + std::to_string(i) + " 1 ";
        open.pop_back();
      }
    }
  }
  return CRnaStructure(bases, stems);
}

struct RealPair {
  const char* name;
  const char* file;  // bench/data/<file>-a.dbn and -b.dbn
};

inline const std::vector<RealPair>& RealPairs() {
  static const std::vector<RealPair> pairs = {
      {"tRNA", "trna"},           {"Vault", "vault"},         {"srp-euk", "srp-euk"},
      {"RNaseP", "rnasep"},       {"Plant_SRP", "plant-srp"}, {"rnaseP-eubact", "rnasep-eubact"},
      {"ssu", "ssu"},
  };
  return pairs;
}

inline std::pair<CRnaStructure, CRnaStructure> LoadRealPair(const char* file) {
  const std::string base = std::string(ZENPHAL_BENCH_DATA) + "/" + file;
  return {ReadDotBracket(base + "-a.dbn"), ReadDotBracket(base + "-b.dbn")};
}

}  // namespace zenphal::bench
