#pragma once
// The example pairs the benchmarks measure.
#include "engine/rna_structure.h"
#include "text/examples.h"

namespace zenphal::bench {

inline CRnaStructure Example(int row) {
  const ExampleRow& r = ExampleTable()[static_cast<size_t>(row - 1)];
  return CRnaStructure(r.bases, r.stems);
}

// Dynamic-programming cells one Compute fills: one interval alignment per
// pair of pairs (their interiors) plus the whole structures.
inline double CellsPerCompute(const CRnaStructure& a, const CRnaStructure& b) {
  double cells = static_cast<double>(a.length + 1) * (b.length + 1);
  for (int i = 0; i < a.length; ++i) {
    if (a.partner[i] >= i) continue;
    for (int j = 0; j < b.length; ++j) {
      if (b.partner[j] >= j) continue;
      cells += static_cast<double>(i - a.partner[i]) * (j - b.partner[j]);
    }
  }
  return cells;
}

}  // namespace zenphal::bench
