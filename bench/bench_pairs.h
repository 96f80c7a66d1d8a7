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
// variants of the fast one to show where its speed comes from: every
// interior filled at every point (kFastFull, the fast path before interiors
// on demand), one thread, and a given count of threads.
enum class Path { kReference, kFastOneThread, kFast, kFastFull, kFastThreads };

inline std::unique_ptr<PointAligner> MakeAligner(Path path, const CRnaStructure& a, const CRnaStructure& b,
                                                  float match, float indel, int threads = 0) {
  if (path == Path::kReference) return std::make_unique<CReferenceAligner>(a, b, match, indel);
  auto fast = std::make_unique<CAligner>(a, b, match, indel);
  if (path == Path::kFastOneThread) fast->SetThreadCount(1);
  if (path == Path::kFastThreads) fast->SetThreadCount(threads);
  if (path == Path::kFastFull) fast->SetLazyInteriors(false);
  return fast;
}

// Passes everything on to an aligner and adds up the cells its Computes
// fill (for the fast path).
class CellCounter : public PointAligner {
 public:
  explicit CellCounter(PointAligner& inner) : PointAligner(inner.matchScore, inner.indelScore), inner_(inner) {}
  void ExpectRegion(float x0, float x1, float y0, float y1) override { inner_.ExpectRegion(x0, x1, y0, y1); }
  void Compute(CAlignment& record) override {
    inner_.SetPoint(mismatchScore, gapScore);
    inner_.Compute(record);
    if (const auto* fast = dynamic_cast<const CAligner*>(&inner_)) cells += fast->LastComputeCells();
  }
  double cells = 0.0;

 private:
  PointAligner& inner_;
};

// Seconds per iteration of the reference runs of this process, by case name,
// so that the fast runs that follow can state their speed-up.
inline std::map<std::string, double>& ReferenceSeconds() {
  static std::map<std::string, double> seconds;
  return seconds;
}

}  // namespace zenphal::bench
