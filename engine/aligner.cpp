#include "engine/aligner.h"

#include <string>

#include "engine/errors.h"
#include "engine/fill/fast_aligner.h"

namespace zenphal {

double PointAligner::ScoreOf(const CAlignment& r) const {
  return static_cast<double>(matchScore) * r.matchCount - static_cast<double>(mismatchScore) * r.mismatchCount -
         static_cast<double>(indelScore) * r.indelCount - static_cast<double>(gapScore) * r.gapCount;
}

void PointAligner::EqualScoreLine(ScoreLine& line, const CAlignment& a, const CAlignment& b) const {
  const float dM = static_cast<float>(a.matchCount - b.matchCount);
  const float dX = static_cast<float>(a.mismatchCount - b.mismatchCount);
  const float dI = static_cast<float>(a.indelCount - b.indelCount);
  const float dG = static_cast<float>(a.gapCount - b.gapCount);
  const double constantPart = static_cast<double>(dM) * matchScore - static_cast<double>(dI) * indelScore;
  if (dG == 0.0f) {
    line.vertical = true;
    line.xValue = static_cast<float>(constantPart / dX);
  } else {
    line.vertical = false;
    const double inverse = 1.0 / dG;
    line.slope = static_cast<float>((dX * -1.0) * inverse);
    line.intercept = static_cast<float>(constantPart * inverse);
  }
}

CAligner::CAligner(const CRnaStructure& first_, const CRnaStructure& second_, float matchScore_, float indelScore_)
    : PointAligner(matchScore_, indelScore_), first(first_), second(second_) {
  CheckAlignableLengths(first, second);
  fill_ = std::make_unique<FastAligner>(first, second);
}

CAligner::~CAligner() = default;

void CAligner::Compute(CAlignment& record) {
  fill_->SetCancelFlag(GetCancelFlag());
  fill_->Compute(Scores(), record.rows);
  CountFeatures(first, second, record);
}

float CAligner::AlignIntervals(int start1, int end1, int start2, int end2, AlignedRows& rows) {
  return fill_->AlignIntervals(Scores(), Interval{start1, end1, start2, end2}, rows);
}

void CAligner::ExpectRegion(float mismatchFrom, float mismatchTo, float gapFrom, float gapTo) {
  fill_->ExpectRegion(mismatchFrom, mismatchTo, gapFrom, gapTo);
}

void CAligner::SetThreadCount(int threads) { fill_->SetThreadCount(threads); }
void CAligner::SetFillKernel(FillKernel kernel) { fill_->SetFillKernel(kernel); }
FillKernel CAligner::ActiveFillKernel() const { return fill_->ActiveFillKernel(); }
int CAligner::ActiveThreads() const { return fill_->ActiveThreads(); }
size_t CAligner::TableBytes() const { return fill_->TableBytes(); }
size_t CAligner::OrderBytes() const { return fill_->OrderBytes(); }
void CAligner::SetLazyInteriors(bool on) { fill_->SetLazyInteriors(on); }
void CAligner::SetSinglePointBoundsFrom(double cells) { fill_->SetSinglePointBoundsFrom(cells); }
double CAligner::LastComputeCells() const { return fill_->LastCells(); }

PointScores CAligner::Scores() const { return {matchScore, indelScore, mismatchScore, gapScore}; }

void CountFeatures(const CRnaStructure& s1, const CRnaStructure& s2, CAlignment& record) {
  const AlignedRows& rows = record.rows;
  int p1 = s1.length - 1;
  int p2 = s2.length - 1;
  long match = 0, mismatch = 0, indel = 0, pairMatchColumns = 0, pairMismatchColumns = 0, pairedInGaps = 0;
  for (size_t c = 0; c < rows.topRow.size(); ++c) {
    const bool topBase = rows.topRow[c] != '_';
    const bool bottomBase = rows.bottomRow[c] != '_';
    if ((topBase && p1 < 0) || (bottomBase && p2 < 0)) {
      throw InternalError("alignment rows hold more bases than the structures");
    }
    const int q1 = topBase ? p1-- : -1;
    const int q2 = bottomBase ? p2-- : -1;
    if (!topBase || !bottomBase) {
      ++indel;
      if (topBase && s1.IsPaired(q1)) ++pairedInGaps;
      if (bottomBase && s2.IsPaired(q2)) ++pairedInGaps;
      continue;
    }
    const bool paired1 = s1.IsPaired(q1);
    const bool paired2 = s2.IsPaired(q2);
    if (!paired1 && !paired2) {
      (s1.sequence[q1] == s2.sequence[q2] ? match : mismatch) += 1;
    } else if (paired1 && paired2) {
      if (s1.sequence[q1] == s2.sequence[q2] && s1.sequence[s1.partner[q1]] == s2.sequence[s2.partner[q2]]) {
        ++match;
        ++pairMatchColumns;
      } else {
        ++mismatch;
        ++pairMismatchColumns;
      }
    } else {
      throw InternalError("alignment column " + std::to_string(c) + " holds a paired base over an unpaired one");
    }
  }
  const auto gapRuns = [](const std::string& row) {
    long runs = 0;
    for (size_t c = 0; c < row.size(); ++c) {
      if (row[c] == '_' && (c == 0 || row[c - 1] != '_')) ++runs;
    }
    return runs;
  };
  record.matchCount = static_cast<int16_t>(match);
  record.mismatchCount = static_cast<int16_t>(mismatch);
  record.indelCount = static_cast<int16_t>(indel);
  record.gapCount = static_cast<int16_t>(gapRuns(rows.topRow) + gapRuns(rows.bottomRow));
  record.pairMatchCount = static_cast<int16_t>(pairMatchColumns / 2);
  record.pairMismatchCount = static_cast<int16_t>(pairMismatchColumns / 2);
  record.pairIndelCount = static_cast<int16_t>(pairedInGaps / 2);
}

}  // namespace zenphal
