// The whole decomposition of the example pairs: wall time, aligner calls and
// polygons found.
#include <benchmark/benchmark.h>

#include "bench/bench_pairs.h"
#include "decomposition/decomposition.h"
#include "engine/aligner.h"

namespace zenphal::bench {
namespace {

void Decompose(benchmark::State& state, int row1, int row2, float match, float indel, float to) {
  const CRnaStructure a = Example(row1), b = Example(row2);
  long calls = 0, polygons = 0;
  for (auto _ : state) {
    CAligner aligner(a, b, match, indel);
    CDecomposition d;
    d.Init(0.0f, to, 0.0f, to);
    d.SetAligner(&aligner);
    d.Run();
    calls = d.AlignerCalls();
    polygons = d.PolygonCount();
  }
  state.counters["aligner_calls"] = static_cast<double>(calls);
  state.counters["polygons"] = static_cast<double>(polygons);
}

BENCHMARK_CAPTURE(Decompose, 5SRNA_pair_0_10, 3, 4, 1.0f, 0.5f, 10.0f)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK_CAPTURE(Decompose, tRNA_pair_0_2, 5, 6, 1.0f, 0.5f, 2.0f)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zenphal::bench
