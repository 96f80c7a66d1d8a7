#pragma once
// Pairs of real RNAs for the benchmarks: members of the family alignments
// that Debian's infernal package ships, the consensus structure projected
// onto each sequence, stored as dot-bracket files in bench/data (see
// bench/data/README.md).
#include <string>
#include <utility>
#include <vector>

#include "engine/rna_structure.h"
#include "formats/dot_bracket.h"
#include "formats/input_file.h"

namespace zenphal::bench {

// Reads a pair's dot-bracket file with the program's own reader.
inline CRnaStructure ReadRealStructure(const std::string& path) {
  const StructureRead read = ReadDotBracket(ReadInputFile(path));
  return CRnaStructure(read.bases, read.stems);
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
  return {ReadRealStructure(base + "-a.dbn"), ReadRealStructure(base + "-b.dbn")};
}

}  // namespace zenphal::bench
