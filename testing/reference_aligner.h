#pragma once
// The straightforward aligner: the recurrences evaluated literally.
#include <vector>

#include "engine/aligner.h"

namespace zenphal {

// The straightforward aligner, kept as the baseline that the fast CAligner is
// checked and measured against: three tables (align, delete, insert) of
// (length1 + 1) x (length2 + 1) cells of {score, trace letter} allocated once,
// and one interior alignment with its rows per pair of pairs, filled cell by
// cell in row order exactly as the recurrences read. Compute costs the sum of (L1+1)(L2+1) over all
// pairs of pairs and the whole. Not re-entrant: one caller at a time.
//
// The structures are not owned and must outlive the aligner. Construction
// throws InputError when the two structures together exceed 32767 bases
// (counts and column counts are 16-bit) or the tables cannot be allocated.
class CReferenceAligner : public PointAligner {
 public:
  CReferenceAligner(const CRnaStructure& first, const CRnaStructure& second, float matchScore, float indelScore);

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
