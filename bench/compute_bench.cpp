// One Compute of the aligner at one point, both paths: time per call and per
// dynamic-programming cell (each cell is filled in all three tables).
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench_pairs.h"

namespace zenphal::bench {
namespace {

void ComputeOnce(benchmark::State& state, const char* pair, int row1, int row2, Path path, float x, float y) {
  const CRnaStructure a = Example(row1), b = Example(row2);
  const auto aligner = MakeAligner(path, a, b, 1.0f, 0.5f);
  aligner->SetPoint(x, y);
  {
    CAlignment warmUp;  // starts the helper threads
    aligner->Compute(warmUp);
  }
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    CAlignment record;
    aligner->Compute(record);
    benchmark::DoNotOptimize(record.matchCount);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                         static_cast<double>(state.iterations());
  const double cells = CellsPerCompute(a, b);
  state.counters["cells"] = cells;
  state.counters["ns_per_cell"] = seconds * 1e9 / cells;
  if (const auto* fast = dynamic_cast<const CAligner*>(aligner.get())) {
    state.counters["threads"] = fast->ActiveThreads();
    state.counters["table_bytes"] = static_cast<double>(fast->TableBytes());
    state.counters["order_bytes"] = static_cast<double>(fast->OrderBytes());
    state.SetLabel(FillKernelName(fast->ActiveFillKernel()));
  }
  const std::string name = std::string("compute/") + pair;
  if (path == Path::kReference) {
    ReferenceSeconds()[name] = seconds;
  } else if (ReferenceSeconds().count(name)) {
    state.counters["speedup"] = ReferenceSeconds()[name] / seconds;
  }
}

BENCHMARK_CAPTURE(ComputeOnce, 5SRNA_pair/reference, "5S", 3, 4, Path::kReference, 5.0f, 5.0f)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK_CAPTURE(ComputeOnce, 5SRNA_pair/fast_1_thread, "5S", 3, 4, Path::kFastOneThread, 5.0f, 5.0f)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ComputeOnce, 5SRNA_pair/fast, "5S", 3, 4, Path::kFast, 5.0f, 5.0f)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ComputeOnce, tRNA_pair/reference, "tRNA", 5, 6, Path::kReference, 1.0f, 1.0f)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComputeOnce, tRNA_pair/fast_1_thread, "tRNA", 5, 6, Path::kFastOneThread, 1.0f, 1.0f)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ComputeOnce, tRNA_pair/fast, "tRNA", 5, 6, Path::kFast, 1.0f, 1.0f)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace zenphal::bench
