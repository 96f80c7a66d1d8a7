#include "computation/robustness.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "computation/region_query.h"

namespace zenphal {
namespace {

struct Corner {
  double x, y;
  bool operator<(const Corner& o) const { return x < o.x || (x == o.x && y < o.y); }
  bool operator==(const Corner& o) const = default;
};

double Cross(const Corner& o, const Corner& a, const Corner& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

}  // namespace

double PolygonArea(const CAlignment& polygon) {
  std::vector<Corner> points;
  for (const Edge& e : polygon.edges) {
    points.push_back({e.x1, e.y1});
    points.push_back({e.x2, e.y2});
  }
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end()), points.end());
  if (points.size() < 3) return 0.0;
  // Andrew's monotone chain: the lower hull, then the upper one.
  std::vector<Corner> hull(2 * points.size());
  size_t k = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    while (k >= 2 && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  for (size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
    while (k >= lower && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  double twice = 0.0;
  for (size_t i = 0; i + 1 < k; ++i) twice += hull[i].x * hull[i + 1].y - hull[i + 1].x * hull[i].y;
  return std::abs(twice) / 2.0;
}

PointRobustness RobustnessAt(Computation& computation, float x, float y) {
  if (!computation.HasRun()) throw InputError("the robustness needs a decomposition; nothing has been computed");
  CheckPointInRectangle(computation, x, y);
  const CDecomposition& d = computation.Decomposition();
  PointRobustness r;
  r.x = x;
  r.y = y;
  const PointResult at = computation.AlignAt(x, y);  // leaves the aligner at (x, y) for ScoreOf
  const CAligner& aligner = computation.Aligner();
  const double tolerance = TieTolerance(at.score);
  std::vector<int> optimal;
  for (int i = 0; i < d.PolygonCount(); ++i) {
    if (std::abs(aligner.ScoreOf(d.Polygon(i)) - at.score) <= tolerance) optimal.push_back(i);
  }
  r.optimalPolygons = static_cast<int>(optimal.size());
  r.polygon = PreferredPolygon(d, optimal);
  if (r.polygon >= 0) {
    r.area = PolygonArea(d.Polygon(r.polygon));
    r.share = PolygonShare(r.area, d);
  }
  return r;
}

double RectangleArea(const CDecomposition& d) {
  return (static_cast<double>(d.mismatchTo) - d.mismatchFrom) * (static_cast<double>(d.gapTo) - d.gapFrom);
}

double PolygonShare(double polygonArea, const CDecomposition& d) {
  const double rectangle = RectangleArea(d);
  return rectangle > 0.0 ? std::min(1.0, polygonArea / rectangle) : 0.0;
}

}  // namespace zenphal
