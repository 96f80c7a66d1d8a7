#pragma once
// Optimal alignment of two RNA secondary structures at one point of the
// parameter plane (mismatch score x, gap score y), pairs aligned only as whole
// pairs.
#include <atomic>
#include <cstddef>
#include <memory>

#include "engine/alignment.h"
#include "engine/errors.h"
#include "engine/rna_structure.h"

namespace zenphal {

class FastAligner;
struct PointScores;

// Which vector width the fill uses. kAuto picks the widest the processor
// supports; the others are for tests and benchmarks (an unsupported choice
// falls back to kPortable). All give identical results.
enum class FillKernel { kAuto, kPortable, kAvx2, kAvx512 };

// The widest kernel this processor runs, and a kernel's name.
FillKernel BestFillKernel();
const char* FillKernelName(FillKernel kernel);

// The scoring half of an aligner: the fixed match and indel scores, the
// current point, and the two operations that work on counts alone. The
// decomposition search talks to an aligner only through this interface, so it
// can run against a stand-in with a known set of alignments.
class PointAligner {
 public:
  PointAligner(float matchScore, float indelScore) : matchScore(matchScore), indelScore(indelScore) {}
  virtual ~PointAligner() = default;
  PointAligner(const PointAligner&) = delete;
  PointAligner& operator=(const PointAligner&) = delete;

  // Negative values are taken as 0.
  void SetPoint(float x, float y) {
    mismatchScore = x < 0.0f ? 0.0f : x;
    gapScore = y < 0.0f ? 0.0f : y;
  }

  // The region of the plane that the next points will mostly come from (a
  // decomposition's rectangle). A hint for planning what to keep between
  // points; no result depends on it. Does nothing unless overridden.
  virtual void ExpectRegion(float mismatchFrom, float mismatchTo, float gapFrom, float gapTo) {
    (void)mismatchFrom, (void)mismatchTo, (void)gapFrom, (void)gapTo;
  }

  // Fills a newly constructed record with an optimal alignment at the current
  // point and its counts. May throw InputError (counts that do not fit),
  // InternalError (an inconsistent alignment, a bug) or Cancelled (the flag
  // was set; the record is then to be thrown away).
  virtual void Compute(CAlignment& record) = 0;

  // A long Compute checks this flag between units of work of a few
  // milliseconds; nullptr (the default) for none. Not owned.
  void SetCancelFlag(const CancelFlag* flag) { cancelFlag_ = flag; }
  const CancelFlag* GetCancelFlag() const { return cancelFlag_; }

  // match*M - x*X - indel*I - y*G, left to right in double precision.
  double ScoreOf(const CAlignment& record) const;

  // The line on which a and b score equally. Defined only when their mismatch
  // or gap counts differ.
  void EqualScoreLine(ScoreLine& line, const CAlignment& a, const CAlignment& b) const;

  float gapScore = 4.0f;
  float matchScore;
  float mismatchScore = 1.0f;
  float indelScore;

 private:
  const CancelFlag* cancelFlag_ = nullptr;
};

// Counts the features of a record whose rows align the whole of s1 with the
// whole of s2. Throws InternalError for a column that holds one paired and one
// unpaired base (the recurrences never produce one).
void CountFeatures(const CRnaStructure& s1, const CRnaStructure& s2, CAlignment& record);

// The aligner the application uses. Its results are those of
// CReferenceAligner (the recurrences evaluated literally) to the last bit:
// the same counts and rows at every point. It gets them faster by
//  - filling each interval alignment by anti-diagonals, several cells at a
//    time with vector instructions, keeping scores only (IntervalTables);
//    the trace back re-derives each letter it needs with the same tie rules;
//  - over a region (ExpectRegion, as a decomposition calls it): computing
//    only the interior alignments the result depends on. Each interior not
//    computed stands in as an upper bound on its score (from its lengths,
//    and by convexity and monotony from the scores known at the nodes of a
//    lattice over the region, three levels down to an eighth of the
//    region's side, each with a margin for the 32-bit rounding). The fill
//    is monotone in those values, so once the optimal path of the filled
//    tables goes through exact interiors alone, the path, its score and its
//    letters are exact; until then the interiors it goes through are
//    computed the same way and the interval filled again (LazyResolution).
//    The nine coarsest nodes are filled in full, the finer ones on demand
//    with the bounds of the level above. A Compute that would fill more
//    cells than all interiors together fills them all instead;
//  - at a single point (no region expected) of a large pair, the same
//    with bounds from the structures alone (NestingBounds): each pair whose
//    interior holds one pair and nothing paired into it (a stem, a bulge,
//    an interior loop) bounds its score by that pair's plus the most that
//    the bases in between can add; the pairs of pairs where neither has such
//    a pair (hairpins, multiloops) are filled once with the bounds of
//    theirs standing in; each exact score found tightens the bounds of the
//    pairs around it; all on the calling thread, where those tightened
//    bounds are;
//  - otherwise filling every interior alignment, on several threads
//    (PairSchedule, FillTeam);
//  - tracing back only the interior alignments that the final alignment uses;
//  - keeping what does not depend on the point (the right ends of the pairs
//    inside each pair's interior, from which each fill finds its
//    pair-of-pairs cells in diagonal order without sorting them) from one
//    Compute to the next; construction costs time and memory linear in the
//    interiors' lengths, besides the calling thread's tables.
// Compute costs, over a region, the cells of the interiors on the optimal
// paths (about 1/15 to 1/40 of all on real RNAs of 75 to 480 bases) plus
// those of the lattice nodes, once per run; at a single point of a large
// pair, 1/17 (ssu, 1,500 bases) to 3/4 of all; otherwise the sum of
// (L1+1)(L2+1) over all pairs of pairs and the whole (divided among the
// threads) plus the interiors the trace back misses; never much more than
// twice that.
// Memory: each thread's tables (three doubles per cell of the largest
// interval it fills, plus slack); the kept right ends, 20 bytes per base of
// every pair's interior; over a region, four bytes per pair of pairs and
// lattice node (about 80 nodes over a decomposition's rectangle), and per
// pair of pairs about 25 bytes plus the trace of those computed (at a
// single point, 8 bytes more).
//
// Not re-entrant: one caller at a time (the helper threads are internal and
// sleep between calls). The structures are not owned and must outlive the
// aligner. Construction throws InputError when the two structures together
// exceed 32767 bases (counts and column counts are 16-bit) or the tables
// cannot be allocated.
class CAligner : public PointAligner {
 public:
  CAligner(const CRnaStructure& first, const CRnaStructure& second, float matchScore, float indelScore);
  ~CAligner() override;

  void Compute(CAlignment& record) override;
  // From then on, interiors on demand, bounded from a lattice whose coarsest
  // spacing is half the region's longer side (the finest an eighth); a
  // region of another size drops the lattice.
  void ExpectRegion(float mismatchFrom, float mismatchTo, float gapFrom, float gapTo) override;

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
  void SetFillKernel(FillKernel kernel);
  FillKernel ActiveFillKernel() const;
  int ActiveThreads() const;
  // Bytes of the score tables of all threads, and of what the aligner keeps
  // to find the pair-of-pairs cells (the right ends inside each interior).
  size_t TableBytes() const;
  size_t OrderBytes() const;
  // Whether Compute fills the interior alignments on demand once a region is
  // expected (the default: only those the result depends on) or every one
  // of them (for tests and benchmarks; the results are identical). Takes
  // effect at the next Compute.
  void SetLazyInteriors(bool on);
  // Single points take interiors on demand only when filling every interior
  // takes at least this many cells (negative: the default, 20 M, below
  // which the bounds seldom pay); for tests.
  void SetSinglePointBoundsFrom(double cells);
  // Dynamic-programming cells (each in all three tables) that the last
  // Compute filled, re-fills included.
  double LastComputeCells() const;

  const CRnaStructure& first;
  const CRnaStructure& second;

 private:
  PointScores Scores() const;

  std::unique_ptr<FastAligner> fill_;
};

}  // namespace zenphal
