// zenphal-measure: one measurement of the fast aligner on a real pair of
// bench/data, for runs on a busy machine where Google Benchmark's repeated
// iterations cost too much. Prints wall and processor seconds of the
// construction and of each step, and the cells filled (exact), so that runs
// can be compared by work done as well as by time.
//
//   zenphal-measure PAIR compute [X Y] [THREADS]     one Compute on a new aligner
//   zenphal-measure PAIR decompose [TO] [THREADS]    the decomposition of [0, TO]^2
//   zenphal-measure PAIR check [X Y]                 one Compute against the reference
//
// PAIR is a file stem of bench/data (trna, ssu, plant-srp, ...); THREADS 0
// lets the aligner choose.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_pairs.h"
#include "decomposition/decomposition.h"
#include "real_pairs.h"

namespace zenphal::bench {
namespace {

struct Clock {
  std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
  double cpu = Cpu();
  static double Cpu() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
  }
  void Report(const char* what) {
    const auto now = std::chrono::steady_clock::now();
    const double cpuNow = Cpu();
    std::printf("%-12s wall %8.3f s  cpu %8.3f s\n", what, std::chrono::duration<double>(now - wall).count(),
                cpuNow - cpu);
    wall = now;
    cpu = cpuNow;
  }
};

int Main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: zenphal-measure PAIR compute|decompose|check [args]\n");
    return 2;
  }
  const std::string mode = argv[2];
  const auto [a, b] = LoadRealPair(argv[1]);
  std::printf("%s: %d x %d bases, %d x %d pairs, full cells per Compute %.0f\n", argv[1], a.length, b.length,
              a.pairCount, b.pairCount, CellsPerCompute(a, b));
  const auto arg = [&](int n, double otherwise) { return argc > n ? std::atof(argv[n]) : otherwise; };
  Clock clock;
  if (mode == "compute" || mode == "check") {
    const float x = static_cast<float>(arg(3, 1.0)), y = static_cast<float>(arg(4, 1.0));
    CAligner aligner(a, b, 1.0f, 0.5f);
    aligner.SetThreadCount(static_cast<int>(arg(5, 0)));
    clock.Report("construct");
    aligner.SetPoint(x, y);
    CAlignment record;
    aligner.Compute(record);
    clock.Report("compute");
    std::printf("cells %.0f threads %d counts %d/%d/%d/%d/%d/%d/%d\n", aligner.LastComputeCells(),
                aligner.ActiveThreads(), record.matchCount, record.mismatchCount, record.indelCount, record.gapCount,
                record.pairMatchCount, record.pairMismatchCount, record.pairIndelCount);
    if (mode == "check") {
      CReferenceAligner reference(a, b, 1.0f, 0.5f);
      reference.SetPoint(x, y);
      CAlignment expected;
      reference.Compute(expected);
      clock.Report("reference");
      const bool same = expected.rows.topRow == record.rows.topRow &&
                        expected.rows.bottomRow == record.rows.bottomRow &&
                        expected.matchCount == record.matchCount && expected.gapCount == record.gapCount;
      std::printf("%s\n", same ? "identical" : "DIFFERENT");
      return same ? 0 : 1;
    }
  } else if (mode == "decompose") {
    const float to = static_cast<float>(arg(3, 2.0));
    CAligner aligner(a, b, 1.0f, 0.5f);
    aligner.SetThreadCount(static_cast<int>(arg(4, 0)));
    clock.Report("construct");
    CellCounter counter(aligner);
    CDecomposition d;
    d.Init(0.0f, to, 0.0f, to);
    d.SetAligner(&counter);
    d.SetProbeCache(true);
    d.Run();
    clock.Report("decompose");
    std::printf("cells %.0f computes %ld polygons %ld threads %d\n", counter.cells, d.ComputeCalls(),
                static_cast<long>(d.PolygonCount()), aligner.ActiveThreads());
  }
  return 0;
}

}  // namespace
}  // namespace zenphal::bench

int main(int argc, char** argv) { return zenphal::bench::Main(argc, argv); }
