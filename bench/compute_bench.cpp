// One Compute of the aligner on the largest example pairs: time per call and
// per dynamic-programming cell (each cell is filled in all three tables).
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/bench_pairs.h"
#include "engine/aligner.h"

namespace zenphal::bench {
namespace {

void ComputeOnce(benchmark::State& state, int row1, int row2, float match, float indel, float x, float y) {
  const CRnaStructure a = Example(row1), b = Example(row2);
  CAligner aligner(a, b, match, indel);
  aligner.SetPoint(x, y);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    CAlignment record;
    aligner.Compute(record);
    benchmark::DoNotOptimize(record.matchCount);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cells = CellsPerCompute(a, b);
  state.counters["cells"] = cells;
  state.counters["ns_per_cell"] = seconds * 1e9 / (cells * static_cast<double>(state.iterations()));
}

BENCHMARK_CAPTURE(ComputeOnce, 5SRNA_pair, 3, 4, 1.0f, 0.5f, 5.0f, 5.0f)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComputeOnce, tRNA_pair, 5, 6, 1.0f, 0.5f, 1.0f, 1.0f)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zenphal::bench
