// Real RNA pairs (bench/data): one Compute on a new aligner, and whole
// decompositions of the default rectangle, for the straightforward path, the
// fast path filling every interior at every point (as before interiors on
// demand) and the fast path; the last also on 1 to 4 threads for one pair.
// Counters: cells filled by the fast path against those of the full
// recurrence at every Compute (cells_full).
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench_pairs.h"
#include "decomposition/decomposition.h"
#include "real_pairs.h"

namespace zenphal::bench {
namespace {

// The first Compute of a new aligner at (1, 1), as a single point query
// makes it: nothing learnt from earlier points.
void RealCompute(benchmark::State& state, const char* pair, const char* file, Path path) {
  const auto [a, b] = LoadRealPair(file);
  double seconds = 0.0;
  for (auto _ : state) {
    const auto aligner = MakeAligner(path, a, b, 1.0f, 0.5f);
    aligner->SetPoint(1.0f, 1.0f);
    CAlignment record;
    const auto start = std::chrono::steady_clock::now();
    aligner->Compute(record);
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(s);
    seconds += s;
    benchmark::DoNotOptimize(record.matchCount);
  }
  seconds /= static_cast<double>(state.iterations());
  const double cells = CellsPerCompute(a, b);
  state.counters["cells"] = cells;
  state.counters["ns_per_cell"] = seconds * 1e9 / cells;
  const auto probe = MakeAligner(path, a, b, 1.0f, 0.5f);
  if (auto* fast = dynamic_cast<CAligner*>(probe.get())) {
    fast->SetPoint(1.0f, 1.0f);
    CAlignment record;
    fast->Compute(record);
    state.counters["threads"] = fast->ActiveThreads();
    state.counters["cells_filled"] = fast->LastComputeCells();
  }
  const std::string name = std::string("real_compute/") + pair;
  if (path == Path::kReference) {
    ReferenceSeconds()[name] = seconds;
  } else if (ReferenceSeconds().count(name)) {
    state.counters["speedup"] = ReferenceSeconds()[name] / seconds;
  }
}

void RealDecompose(benchmark::State& state, const char* pair, const char* file, Path path, int threads) {
  const auto [a, b] = LoadRealPair(file);
  long calls = 0, computed = 0, polygons = 0;
  double filled = 0.0;
  int active = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    const auto aligner = MakeAligner(path, a, b, 1.0f, 0.5f, threads);
    CellCounter counter(*aligner);
    CDecomposition d;
    d.Init(0.0f, 2.0f, 0.0f, 2.0f);
    d.SetAligner(&counter);
    d.SetProbeCache(true);
    d.Run();
    calls = d.AlignerCalls();
    computed = d.ComputeCalls();
    polygons = d.PolygonCount();
    filled = counter.cells;
    if (const auto* fast = dynamic_cast<const CAligner*>(aligner.get())) active = fast->ActiveThreads();
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                         static_cast<double>(state.iterations());
  state.counters["aligner_calls"] = static_cast<double>(calls);
  state.counters["computes"] = static_cast<double>(computed);
  state.counters["polygons"] = static_cast<double>(polygons);
  state.counters["ms_per_compute"] = seconds * 1e3 / static_cast<double>(computed);
  if (path != Path::kReference) {
    state.counters["threads"] = active;
    state.counters["cells_filled"] = filled;
    state.counters["cells_full"] = CellsPerCompute(a, b) * static_cast<double>(computed);
  }
  const std::string name = std::string("real_decompose/") + pair;
  if (path == Path::kReference) {
    ReferenceSeconds()[name] = seconds;
  } else if (ReferenceSeconds().count(name)) {
    state.counters["speedup"] = ReferenceSeconds()[name] / seconds;
  }
}

void Register() {
  for (const RealPair& p : RealPairs()) {
    const std::string n = p.name;
    const bool small = n == "tRNA" || n == "Vault";
    if (n != "ssu") {
      benchmark::RegisterBenchmark(("real_compute/" + n + "/reference").c_str(), RealCompute, p.name, p.file,
                                   Path::kReference)
          ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(small ? 20 : 1);
    }
    benchmark::RegisterBenchmark(("real_compute/" + n + "/fast").c_str(), RealCompute, p.name, p.file, Path::kFast)
        ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(small ? 50 : 3);
  }
  for (const RealPair& p : RealPairs()) {
    const std::string n = p.name;
    if (n == "ssu") continue;
    const auto add = [&](const std::string& variant, Path path, int threads) {
      benchmark::RegisterBenchmark(("real_decompose/" + n + "/" + variant).c_str(), RealDecompose, p.name, p.file,
                                   path, threads)
          ->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
    };
    const bool small = n == "tRNA" || n == "Vault";
    if (small) add("reference", Path::kReference, 0);
    // Every interior at every point takes minutes on the larger pairs.
    if (small || n == "srp-euk") add("fast_full", Path::kFastFull, 0);
    add("fast", Path::kFast, 0);
    if (n == "Plant_SRP") {
      for (int threads : {1, 2, 3, 4}) add("fast_threads_" + std::to_string(threads), Path::kFastThreads, threads);
    }
  }
}

const int registered = (Register(), 0);

}  // namespace
}  // namespace zenphal::bench
