#include "computation/region_query.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "formats/score_text.h"

namespace zenphal {
double TieTolerance(double score) { return 1e-9 * std::max(1.0, std::abs(score)); }

double ScoreAt(const Computation& computation, const CAlignment& r, float x, float y) {
  const CAligner& aligner = computation.Aligner();
  const double mismatch = x < 0.0f ? 0.0 : static_cast<double>(x);
  const double gap = y < 0.0f ? 0.0 : static_cast<double>(y);
  return static_cast<double>(aligner.matchScore) * r.matchCount - mismatch * r.mismatchCount -
         static_cast<double>(aligner.indelScore) * r.indelCount - gap * r.gapCount;
}

void CheckPointInRectangle(const Computation& computation, float x, float y) {
  if (!computation.HasRun()) throw InputError("the point needs a decomposition; nothing has been computed");
  const CDecomposition& d = computation.Decomposition();
  if (!(x >= d.mismatchFrom && x <= d.mismatchTo && y >= d.gapFrom && y <= d.gapTo)) {
    throw InputError("the point (" + ShortestDecimalText(x) + ", " + ShortestDecimalText(y) +
                     ") lies outside the rectangle: mismatch " + ShortestDecimalText(d.mismatchFrom) + " to " +
                     ShortestDecimalText(d.mismatchTo) + ", gap " + ShortestDecimalText(d.gapFrom) + " to " +
                     ShortestDecimalText(d.gapTo));
  }
}

std::vector<int> OptimalPolygonsAt(const Computation& computation, float x, float y) {
  CheckPointInRectangle(computation, x, y);
  const CDecomposition& d = computation.Decomposition();
  std::vector<double> scores(static_cast<size_t>(d.PolygonCount()));
  double best = -INFINITY;
  for (int i = 0; i < d.PolygonCount(); ++i) {
    scores[static_cast<size_t>(i)] = ScoreAt(computation, d.Polygon(i), x, y);
    best = std::max(best, scores[static_cast<size_t>(i)]);
  }
  std::vector<int> optimal;
  for (int i = 0; i < d.PolygonCount(); ++i) {
    if (best - scores[static_cast<size_t>(i)] <= TieTolerance(best)) optimal.push_back(i);
  }
  return optimal;
}

int PreferredPolygon(const CDecomposition& d, const std::vector<int>& polygons) {
  int chosen = -1;
  for (int i : polygons) {
    const CAlignment& p = d.Polygon(i);
    const CAlignment* c = chosen < 0 ? nullptr : &d.Polygon(chosen);
    if (!c || p.mismatchCount < c->mismatchCount ||
        (p.mismatchCount == c->mismatchCount && p.gapCount < c->gapCount)) {
      chosen = i;
    }
  }
  return chosen;
}

}  // namespace zenphal
