#pragma once
// The example pairs the benchmarks measure, and the two aligner paths.
#include <map>
#include <memory>
#include <string>

#include "engine/aligner.h"
#include "testing/reference_aligner.h"
#include "engine/rna_structure.h"
#include "formats/example_table.h"

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

// The straightforward path (the recurrences evaluated literally, every probe
// computed) and the fast path (what the application uses), with a few
// variants of the fast one to show where its speed comes from.
enum class Path { kReference, kFastOneThread, kFast };

inline std::unique_ptr<PointAligner> MakeAligner(Path path, const CRnaStructure& a, const CRnaStructure& b,
                                                  float match, float indel) {
  if (path == Path::kReference) return std::make_unique<CReferenceAligner>(a, b, match, indel);
  auto fast = std::make_unique<CAligner>(a, b, match, indel);
  if (path == Path::kFastOneThread) fast->SetThreadCount(1);
  return fast;
}

// Seconds per iteration of the reference runs of this process, by case name,
// so that the fast runs that follow can state their speed-up.
inline std::map<std::string, double>& ReferenceSeconds() {
  static std::map<std::string, double> seconds;
  return seconds;
}

}  // namespace zenphal::bench
