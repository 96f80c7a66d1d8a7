#pragma once
// Optimal alignment of two RNA secondary structures at one point of the
// parameter plane (mismatch score x, gap score y), pairs aligned only as whole
// pairs.
#include <cstdint>
#include <vector>

#include "engine/alignment.h"
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

// The straightforward aligner: three tables (align, delete, insert) of
// (length1 + 1) x (length2 + 1) cells allocated once, and one interior
// alignment per pair of pairs. Compute costs the sum of (L1+1)(L2+1) over all
// pairs of pairs and the whole. Not re-entrant: one caller at a time.
//
// The structures are not owned and must outlive the aligner. Construction
// throws InputError when the two structures together exceed 32767 bases
// (counts and column counts are 16-bit) or the tables cannot be allocated.
class CAligner : public CPointAligner {
 public:
  CAligner(const CRnaStructure& first, const CRnaStructure& second, float matchScore, float indelScore);

  void Compute(CAlignment& record) override;

  // Optimal score of bases start1..end1 of the first structure against
  // start2..end2 of the second (end = start - 1 is empty); fills rows.
  float AlignIntervals(int start1, int end1, int start2, int end2, AlignedRows& rows);

  // Rebuilds the alignment of the last AlignIntervals fill from cell (L1, L2).
  void TraceBack(int L1, int L2, int start1, int start2, AlignedRows& rows) const;

  struct DpCell {
    float score = 0.0f;
    char letter = 'E';
  };
  struct PairAlignment {
    float score = 0.0f;
    AlignedRows rows;
  };

  const CRnaStructure& first;
  const CRnaStructure& second;

 private:
  std::vector<DpCell> alignTable;
  std::vector<DpCell> deleteTable;
  std::vector<DpCell> insertTable;
  std::vector<PairAlignment> pairTable;
};

}  // namespace zenphal
