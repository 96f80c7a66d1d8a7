#include "render/regions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "decomposition/decomposition.h"
#include "render/frame_mapping.h"

namespace zenphal {
namespace {

struct Vec {
  double x = 0, y = 0;
};
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
double Cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double Length(Vec a) { return std::sqrt(Dot(a, a)); }

// Andrew's monotone chain: the hull counter-clockwise, without repeated or
// collinear corners.
std::vector<Vec> ConvexHull(std::vector<Vec> points) {
  std::sort(points.begin(), points.end(), [](Vec a, Vec b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  points.erase(std::unique(points.begin(), points.end(), [](Vec a, Vec b) { return a.x == b.x && a.y == b.y; }),
               points.end());
  if (points.size() < 3) return points;
  std::vector<Vec> hull(2 * points.size());
  size_t k = 0;
  for (const Vec& p : points) {  // lower hull
    while (k >= 2 && Cross(hull[k - 1] - hull[k - 2], p - hull[k - 2]) <= 0) --k;
    hull[k++] = p;
  }
  for (size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {  // upper hull
    const Vec& p = points[i];
    while (k >= lower && Cross(hull[k - 1] - hull[k - 2], p - hull[k - 2]) <= 0) --k;
    hull[k++] = p;
  }
  hull.resize(k - 1);  // the last corner is the first
  return hull;
}

// Distance from p to the segment a-b.
double SegmentDistance(Vec p, Vec a, Vec b) {
  const Vec ab = b - a;
  const double len2 = Dot(ab, ab);
  double t = len2 > 0 ? Dot(p - a, ab) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  const Vec q{a.x + t * ab.x, a.y + t * ab.y};
  return Length(p - q);
}

// Distance from p to a convex hull given counter-clockwise; 0 inside.
double HullDistance(const std::vector<Point>& hull, Vec p) {
  if (hull.empty()) return std::numeric_limits<double>::infinity();
  const auto at = [&](size_t i) { return Vec{hull[i].x, hull[i].y}; };
  if (hull.size() == 1) return Length(p - at(0));
  bool inside = hull.size() >= 3;
  double nearest = std::numeric_limits<double>::infinity();
  for (size_t i = 0; i < hull.size(); ++i) {
    const Vec a = at(i), b = at((i + 1) % hull.size());
    if (Cross(b - a, p - a) < 0) inside = false;
    nearest = std::min(nearest, SegmentDistance(p, a, b));
  }
  return inside ? 0.0 : nearest;
}

// Whether two hull sides, in picture pixels, lie on one line for a stretch
// longer than minOverlap: both ends of each within eps of the other's line.
bool ShareBorder(Vec a, Vec b, Vec c, Vec d, double eps, double minOverlap) {
  const double len = Length(b - a);
  if (len < minOverlap) return false;
  const Vec u{(b.x - a.x) / len, (b.y - a.y) / len};
  if (std::abs(Cross(u, c - a)) > eps || std::abs(Cross(u, d - a)) > eps) return false;
  const double tc = Dot(u, c - a), td = Dot(u, d - a);
  const double overlap = std::min(len, std::max(tc, td)) - std::max(0.0, std::min(tc, td));
  return overlap > minOverlap;
}

// The greedy colouring in smallest-last order: regions are taken off the map
// fewest-neighbours first and coloured in the reverse order, each with the
// least used colour that none of its coloured neighbours has.
std::vector<int> ColourRegions(const std::vector<std::vector<int>>& neighbours) {
  const int n = static_cast<int>(neighbours.size());
  std::vector<int> degree(n), order;
  std::vector<bool> removed(n, false);
  for (int i = 0; i < n; ++i) degree[i] = static_cast<int>(neighbours[i].size());
  order.reserve(n);
  for (int step = 0; step < n; ++step) {
    int pick = -1;
    for (int i = 0; i < n; ++i) {
      if (!removed[i] && (pick < 0 || degree[i] < degree[pick])) pick = i;
    }
    removed[pick] = true;
    order.push_back(pick);
    for (int j : neighbours[pick]) {
      if (!removed[j]) --degree[j];
    }
  }
  std::vector<int> colours(n, -1);
  std::array<int, kRegionPaletteSize> used{};
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    std::array<bool, kRegionPaletteSize> taken{};
    for (int j : neighbours[*it]) {
      if (colours[j] >= 0) taken[colours[j]] = true;
    }
    int best = -1;
    for (int c = 0; c < kRegionPaletteSize; ++c) {
      if (!taken[c] && (best < 0 || used[c] < used[best])) best = c;
    }
    if (best < 0) {  // only for a map that is not planar: any colour, least used
      best = static_cast<int>(std::min_element(used.begin(), used.end()) - used.begin());
    }
    colours[*it] = best;
    ++used[best];
  }
  return colours;
}

}  // namespace

QColor RegionFillColour(int paletteIndex) {
  // The Okabe-Ito hues, then mixed with white.
  static constexpr std::array<std::array<int, 3>, kRegionPaletteSize> kHues = {{
      {230, 159, 0},    // orange
      {86, 180, 233},   // sky blue
      {0, 158, 115},    // bluish green
      {240, 228, 66},   // yellow
      {0, 114, 178},    // blue
      {213, 94, 0},     // vermillion
      {204, 121, 167},  // reddish purple
  }};
  const auto& h = kHues[static_cast<size_t>(((paletteIndex % kRegionPaletteSize) + kRegionPaletteSize) %
                                            kRegionPaletteSize)];
  return QColor((h[0] + 255) / 2, (h[1] + 255) / 2, (h[2] + 255) / 2);
}

RegionMap BuildRegionMap(const CDecomposition& d) {
  RegionMap map;
  const ParameterRectangle r = d.Rectangle();
  if (!HasFrameScale(r)) return map;
  const double s = FrameScale(r);
  const int n = d.PolygonCount();
  map.hulls.resize(n);
  std::vector<std::vector<Vec>> pixels(n);  // the hulls in picture pixels (y up), unrounded
  std::vector<std::array<double, 4>> boxes(n);
  for (int i = 0; i < n; ++i) {
    std::vector<Vec> ends;
    for (const Edge& e : d.Polygon(i).edges) {
      ends.push_back({e.x1, e.y1});
      ends.push_back({e.x2, e.y2});
    }
    const std::vector<Vec> hull = ConvexHull(std::move(ends));
    auto& box = boxes[i];
    box = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
           -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    for (const Vec& p : hull) {
      map.hulls[i].push_back(Point{static_cast<float>(p.x), static_cast<float>(p.y)});
      const Vec q{s * (p.x - r.mismatchFrom), s * (p.y - r.gapFrom)};
      pixels[i].push_back(q);
      box = {std::min(box[0], q.x), std::min(box[1], q.y), std::max(box[2], q.x), std::max(box[3], q.y)};
    }
  }

  // Borders: sides of two hulls on one line for more than 3 pixels, within
  // 1.5 pixels of each other (the search's corners agree to its tolerance).
  constexpr double kEps = 1.5, kMinOverlap = 3.0;
  map.neighbours.resize(n);
  for (int i = 0; i < n; ++i) {
    if (pixels[i].size() < 2) continue;
    for (int j = i + 1; j < n; ++j) {
      if (pixels[j].size() < 2) continue;
      const auto& a = boxes[i];
      const auto& b = boxes[j];
      if (a[0] > b[2] + kEps || b[0] > a[2] + kEps || a[1] > b[3] + kEps || b[1] > a[3] + kEps) continue;
      bool shared = false;
      const auto& p = pixels[i];
      const auto& q = pixels[j];
      for (size_t u = 0; u < p.size() && !shared; ++u) {
        for (size_t v = 0; v < q.size() && !shared; ++v) {
          shared = ShareBorder(p[u], p[(u + 1) % p.size()], q[v], q[(v + 1) % q.size()], kEps, kMinOverlap);
        }
      }
      if (shared) {
        map.neighbours[i].push_back(j);
        map.neighbours[j].push_back(i);
      }
    }
  }
  for (auto& list : map.neighbours) std::sort(list.begin(), list.end());
  map.colours = ColourRegions(map.neighbours);
  return map;
}

std::vector<int> RegionsAt(const RegionMap& map, Point p, double tolerance) {
  std::vector<int> found;
  const Vec v{p.x, p.y};
  for (int i = 0; i < map.size(); ++i) {
    if (HullDistance(map.hulls[i], v) <= tolerance) found.push_back(i);
  }
  return found;
}

int NearestRegion(const RegionMap& map, Point p, double* distance) {
  int best = -1;
  double bestDistance = std::numeric_limits<double>::infinity();
  const Vec v{p.x, p.y};
  for (int i = 0; i < map.size(); ++i) {
    const double dist = HullDistance(map.hulls[i], v);
    if (dist < bestDistance) {
      bestDistance = dist;
      best = i;
    }
  }
  if (distance) *distance = bestDistance;
  return best;
}

int RegionOfAlignment(const CDecomposition& d, const CAlignment& record) {
  for (int i = 0; i < d.PolygonCount(); ++i) {
    if (d.Polygon(i).SameAlignment(record)) return i;
  }
  return -1;
}

}  // namespace zenphal
