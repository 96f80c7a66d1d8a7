#pragma once
// Optimal alignment of two RNA secondary structures at one point of the
// parameter plane (mismatch score x, gap score y), pairs aligned only as whole
// pairs.
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/alignment.h"
#include "engine/fill_team.h"
#include "engine/interval_fill.h"
#include "engine/pair_schedule.h"
#include "engine/rna_structure.h"

namespace zenphal {

// The scoring half of an aligner: the fixed match and indel scores, the
// current point, and the two operations that work on counts alone. The
// decomposition search talks to an aligner only through this interface, so it
// can run against a stand-in with a known set of alignments.
class CPointAligner {
 public:
  CPointAligner(float matchScore, float indelScore) : matchScore(matchScore), indelScore(indelScore) {}
  virtual ~CPointAligner() = default;
  CPointAligner(const CPointAligner&) = delete;
  CPointAligner& operator=(const CPointAligner&) = delete;

  // Negative values are taken as 0.
  void SetPoint(float x, float y) {
    mismatchScore = x < 0.0f ? 0.0f : x;
    gapScore = y < 0.0f ? 0.0f : y;
  }

  // Fills a newly constructed record with an optimal alignment at the current
  // point and its counts. May throw InputError (counts that do not fit) or
  // InternalError (an inconsistent alignment, a bug).
  virtual void Compute(CAlignment& record) = 0;

  // match*M - x*X - indel*I - y*G, left to right in double precision.
  double ScoreOf(const CAlignment& record) const;

  // The line on which a and b score equally. Defined only when their mismatch
  // or gap counts differ.
  void EqualScoreLine(ScoreLine& line, const CAlignment& a, const CAlignment& b) const;

  float gapScore = 4.0f;
  float matchScore;
  float mismatchScore = 1.0f;
  float indelScore;
};

// Counts the features of a record whose rows align the whole of s1 with the
// whole of s2. Throws InternalError for a column that holds one paired and one
// unpaired base (the recurrences never produce one).
void CountFeatures(const CRnaStructure& s1, const CRnaStructure& s2, CAlignment& record);

// The aligner the application uses. Its results are those of
// CReferenceAligner (the recurrences evaluated literally) to the last bit:
// the same counts and rows at every point. It gets them faster by
//  - filling each interval alignment by anti-diagonals, several cells at a
//    time with vector instructions, keeping scores only (CIntervalTables);
//    the trace back re-derives each letter it needs with the same tie rules;
//  - filling the interior alignments of the pairs of pairs on several threads
//    (PairSchedule, CFillTeam);
//  - tracing back only the interior alignments that the final alignment uses:
//    those the previous Compute used are traced during the fill, the others
//    re-filled when their rows are needed;
//  - keeping what does not depend on the point (the order of each interval's
//    pair-of-pairs cells, the tables' layout) from one Compute to the next.
// Compute costs the sum of (L1+1)(L2+1) over all pairs of pairs and the whole
// (divided among the threads), plus the interiors that the trace back misses.
// Memory: each thread's tables (three doubles per cell of the largest
// interval it fills, plus slack), and the kept orders, at most four times the
// calling thread's tables.
//
// Not re-entrant: one caller at a time (the helper threads are internal and
// sleep between calls). The structures are not owned and must outlive the
// aligner. Construction throws InputError when the two structures together
// exceed 32767 bases (counts and column counts are 16-bit) or the tables
// cannot be allocated.
class CAligner : public CPointAligner {
 public:
  CAligner(const CRnaStructure& first, const CRnaStructure& second, float matchScore, float indelScore);
  ~CAligner() override;

  void Compute(CAlignment& record) override;

  // Optimal score of bases start1..end1 of the first structure against
  // start2..end2 of the second (end = start - 1 is empty) at the current
  // point, reading the interior scores of the last Compute; fills rows with
  // the whole alignment, interiors of aligned pairs included.
  float AlignIntervals(int start1, int end1, int start2, int end2, AlignedRows& rows);

  // Threads sharing one Compute, the calling one included. 0 (the default)
  // chooses: the processor's threads, at most 4, and only when the interior
  // alignments are big enough to pay for waking them. Takes effect at the
  // next Compute.
  void SetThreadCount(int threads);
  // The vector width of the fill (for tests and benchmarks).
  void SetFillKernel(FillKernel kernel) { kernel_ = kernel; }
  FillKernel ActiveFillKernel() const { return context_.kernel; }
  int ActiveThreads() const;
  // Bytes of the score tables of all threads, and of the kept pair-cell
  // orders.
  size_t TableBytes() const;
  size_t OrderBytes() const;

  const CRnaStructure& first;
  const CRnaStructure& second;

 private:
  void Prepare();
  void FillPairScores();
  void StartTeam();
  void KeepPairCellOrders();
  const PairCellOrder* OrderOf(const Interval& interval) const;
  int EntryOf(const Interval& interior) const;
  void PrepareEarlyTraces();
  void FillEntry(CIntervalTables& tables, const PairSchedule::Item& item);
  // The alignment of the interval with its rows. learn: this is a Compute,
  // whose interiors are the ones to trace early next time.
  float Align(const Interval& interval, AlignedRows& rows, bool learn);

  StructurePair structures_;
  PairSchedule schedule_;
  std::vector<float> pairScores_;
  FillContext context_;
  FillKernel kernel_ = FillKernel::kAuto;
  int threads_ = 0;
  bool teamTried_ = false;
  // One set of tables per thread; [0] belongs to the calling thread.
  std::vector<std::unique_ptr<CIntervalTables>> tables_;
  std::unique_ptr<CFillTeam> team_;
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
  // The pair-of-pairs cells of every interior alignment and of the whole, in
  // the order the fill needs them, kept while they fit in a budget of a few
  // times the tables (past it, each fill sorts its own): by entry, then the
  // whole; empty views for those left out.
  std::vector<PairCellOrder> orders_;
  PairCellOrder wholeOrder_;
  std::vector<RightEnd> endsPool_;
  std::vector<PairCell> cellPool_;
  std::vector<int> batchPool_;  // batch starts and table layouts
};

}  // namespace zenphal
