// The whole decomposition of the example pairs, both paths: wall time, the
// search's aligner calls (probes), the Compute calls actually made, polygons.
// The straightforward path computes every probe with the reference aligner;
// the fast path is what the application runs (fast aligner, probe cache).
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench_pairs.h"
#include "decomposition/decomposition.h"

namespace zenphal::bench {
namespace {

void Decompose(benchmark::State& state, const char* pair, int row1, int row2, float to, Path path) {
  const CRnaStructure a = Example(row1), b = Example(row2);
  long calls = 0, computed = 0, polygons = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    const auto aligner = MakeAligner(path, a, b, 1.0f, 0.5f);
    CDecomposition d;
    d.Init(0.0f, to, 0.0f, to);
    d.SetAligner(aligner.get());
    d.SetProbeCache(path != Path::kReference);
    d.Run();
    calls = d.AlignerCalls();
    computed = d.ComputeCalls();
    polygons = d.PolygonCount();
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                         static_cast<double>(state.iterations());
  state.counters["aligner_calls"] = static_cast<double>(calls);
  state.counters["computes"] = static_cast<double>(computed);
  state.counters["polygons"] = static_cast<double>(polygons);
  state.counters["ms_per_compute"] = seconds * 1e3 / static_cast<double>(computed);
  const std::string name = std::string("decompose/") + pair;
  if (path == Path::kReference) {
    ReferenceSeconds()[name] = seconds;
  } else if (ReferenceSeconds().count(name)) {
    state.counters["speedup"] = ReferenceSeconds()[name] / seconds;
  }
}

BENCHMARK_CAPTURE(Decompose, 5SRNA_pair_0_10/reference, "5S", 3, 4, 10.0f, Path::kReference)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK_CAPTURE(Decompose, 5SRNA_pair_0_10/fast_full, "5S", 3, 4, 10.0f, Path::kFastFull)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK_CAPTURE(Decompose, 5SRNA_pair_0_10/fast_1_thread, "5S", 3, 4, 10.0f, Path::kFastOneThread)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK_CAPTURE(Decompose, 5SRNA_pair_0_10/fast, "5S", 3, 4, 10.0f, Path::kFast)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK_CAPTURE(Decompose, tRNA_pair_0_2/reference, "tRNA", 5, 6, 2.0f, Path::kReference)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseRealTime();
BENCHMARK_CAPTURE(Decompose, tRNA_pair_0_2/fast_full, "tRNA", 5, 6, 2.0f, Path::kFastFull)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Decompose, tRNA_pair_0_2/fast_1_thread, "tRNA", 5, 6, 2.0f, Path::kFastOneThread)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Decompose, tRNA_pair_0_2/fast, "tRNA", 5, 6, 2.0f, Path::kFast)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace zenphal::bench
