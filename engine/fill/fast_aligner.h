#pragma once
// The machinery behind CAligner: the interval fills of the pairs of pairs
// and of the whole, shared among threads (all of them, or over a region only
// those the result depends on, bounded from a lattice of points), and the
// trace back that re-fills only the interiors the alignment goes through.
// See CAligner for the contract; this class adds nothing to it.
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/alignment.h"
#include "engine/fill/bound_lattice.h"
#include "engine/fill/fill_team.h"
#include "engine/fill/interior_bounds.h"
#include "engine/fill/interval_fill.h"
#include "engine/fill/lazy_resolution.h"
#include "engine/fill/nesting_bounds.h"
#include "engine/fill/pair_schedule.h"
#include "engine/rna_structure.h"

namespace zenphal {

// The four scores of one point, as the fills read them.
struct PointScores {
  float match, indel, mismatch, gap;
};

class FastAligner {
 public:
  // Throws InputError as CAligner's constructor does.
  FastAligner(const CRnaStructure& first, const CRnaStructure& second);
  ~FastAligner();
  FastAligner(const FastAligner&) = delete;
  FastAligner& operator=(const FastAligner&) = delete;

  // The whole alignment's rows at the point (counts are the caller's).
  void Compute(const PointScores& scores, AlignedRows& rows);
  float AlignIntervals(const PointScores& scores, const Interval& interval, AlignedRows& rows);

  void SetThreadCount(int threads);
  void SetFillKernel(FillKernel kernel) { kernel_ = kernel; }
  FillKernel ActiveFillKernel() const { return context_.kernel; }
  int ActiveThreads() const;
  size_t TableBytes() const;
  size_t OrderBytes() const;
  // Whether Compute fills the interiors on demand (the default) or all of
  // them; and the dynamic-programming cells the last Compute filled.
  void SetLazyInteriors(bool on) { lazyOn_ = on; }
  // Single points take interiors on demand only when filling every interior
  // takes at least this many cells (negative: the default).
  void SetSinglePointBoundsFrom(double cells);
  // Compute throws Cancelled soon after the flag is set (null: never).
  void SetCancelFlag(const std::atomic<bool>* flag) { cancel_ = flag; }
  void ExpectRegion(float mismatchFrom, float mismatchTo, float gapFrom, float gapTo);
  double LastCells() const { return cells_; }

 private:
  void Prepare(const PointScores& scores);
  void FillPairScores();
  void StartTeam();
  void ListPairEnds();
  // The kept right ends of an interval: the interior of a pair of pairs, or
  // the whole; null for any other.
  const IntervalEnds* EndsOf(const Interval& interval, IntervalEnds& out) const;
  void PrepareEarlyTraces();
  void FillEntry(IntervalTables& tables, const PairSchedule::Item& item);
  // The alignment of the interval with its rows. learn: this is a Compute,
  // whose interiors are the ones to trace early next time.
  float Align(const Interval& interval, AlignedRows& rows, bool learn);
  float FillCounted(IntervalTables& tables, const Interval& interval);
  bool CancelRequested() const { return cancel_ != nullptr && cancel_->load(std::memory_order_relaxed); }

  // Interiors on demand: each unknown interior score stands in as an upper
  // bound; an interval is filled and traced back until its optimal path
  // goes only through exact interiors, computing those it went through.
  // False when that took more cells than filling every interior would.
  bool ResolveLazily();
  // Sets pairScores_ to bounds at the point from the lattice, computing the
  // nodes it lacks.
  void BoundFromLattice(const PointScores& scores);
  void EnsureNode(const BoundLattice::Node& node);
  // Interiors on demand at a single point: the entries whose pairs have no
  // link (NestingBounds) computed first, inner ones first, each certified on
  // demand; every other entry bounded through its links; then the whole.
  // False when that took more cells than filling every interior would.
  bool ResolveAtPoint(const PointScores& scores);
  // Every interior exact, on all threads.
  void FillAllPairScores();

  StructurePair structures_;
  PairSchedule schedule_;
  std::vector<float> pairScores_;
  FillContext context_;
  FillKernel kernel_ = FillKernel::kAuto;
  int threads_ = 0;
  bool teamTried_ = false;
  // One set of tables per thread; [0] belongs to the calling thread.
  std::vector<std::unique_ptr<IntervalTables>> tables_;
  std::unique_ptr<FillTeam> team_;
  std::vector<std::atomic<uint8_t>> itemDone_;  // per item of schedule_, while the team runs
  // The next item to take, alone on its cache line: both threads update it,
  // and sharing the line with anything else they write would slow them.
  struct alignas(64) SharedCounter {
    std::atomic<int> value{0};
    char padding[64 - sizeof(std::atomic<int>)];
  };
  std::unique_ptr<SharedCounter> nextItem_;
  // Trace backs waiting for their interiors, kept to reuse their memory.
  std::deque<IntervalTrace> traceStack_;  // grows at the end only: frames point into it
  // The interiors that the last Compute's alignment went through (by entry):
  // the fill traces them back at once, while their tables are still there,
  // instead of re-filling them for the rows. A guess only: interiors it
  // misses are re-filled.
  std::vector<std::pair<int, Interval>> wanted_;
  std::vector<uint8_t> traceWanted_;  // by entry
  std::vector<uint8_t> earlyTraced_;  // by entry: traced in this Compute
  std::unordered_map<int, IntervalTrace> earlyTraces_;
  // The right ends inside each pair's interior (by pair number) and inside
  // the whole (last), for each structure: offsets into endsPool_. Linear in
  // the interiors' lengths: a few hundred kilobytes for rRNAs.
  struct EndsRange {
    int offset = 0, count = 0;
  };
  std::vector<EndsRange> ends1_, ends2_;
  std::vector<RightEnd> endsPool_;

  const std::atomic<bool>* cancel_ = nullptr;
  bool lazyOn_ = true;
  // Only a run over a region (ExpectRegion) repays the lattice: a single
  // point fills every interior, as cheap as it gets without bounds.
  bool regionExpected_ = false;
  // The last Compute resolved interiors on demand: pairScores_ holds bounds
  // for the others; at lastScores_.
  bool resolvedLazily_ = false;
  PointScores lastScores_{};
  std::unique_ptr<LazyResolution> lazy_;
  InteriorBounds bounds_;
  NestingBounds nesting_;
  double singlePointFrom_ = 0.0;  // SetSinglePointBoundsFrom
  BoundLattice lattice_;
  bool earlyTracing_ = true;  // off while filling at lattice nodes
  std::vector<uint8_t> exact_;  // by entry: pairScores_ holds the exact score, else a bound
  double cells_ = 0.0;

  const CRnaStructure& first;
  const CRnaStructure& second;
};

}  // namespace zenphal
