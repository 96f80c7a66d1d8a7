// Real RNA pairs (bench/data): one Compute on a new aligner, and whole
// decompositions of the default rectangle, for the straightforward path and
// the fast one.
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
  const std::string name = std::string("real_compute/") + pair;
  if (path == Path::kReference) {
    ReferenceSeconds()[name] = seconds;
  } else if (ReferenceSeconds().count(name)) {
    state.counters["speedup"] = ReferenceSeconds()[name] / seconds;
  }
}

void RealDecompose(benchmark::State& state, const char* pair, const char* file, Path path) {
  const auto [a, b] = LoadRealPair(file);
  long calls = 0, computed = 0, polygons = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    const auto aligner = MakeAligner(path, a, b, 1.0f, 0.5f);
    CDecomposition d;
    d.Init(0.0f, 2.0f, 0.0f, 2.0f);
    d.SetAligner(aligner.get());
    d.SetProbeCache(true);
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
    if (n == "tRNA" || n == "Vault") {
      benchmark::RegisterBenchmark(("real_decompose/" + n + "/reference").c_str(), RealDecompose, p.name, p.file,
                                   Path::kReference)
          ->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
    }
    benchmark::RegisterBenchmark(("real_decompose/" + n + "/fast").c_str(), RealDecompose, p.name, p.file,
                                 Path::kFast)
        ->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
  }
}

const int registered = (Register(), 0);

}  // namespace
}  // namespace zenphal::bench
