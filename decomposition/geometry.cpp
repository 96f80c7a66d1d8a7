#include "decomposition/geometry.h"

#include <algorithm>
#include <cmath>

namespace zenphal {
namespace {

constexpr double kPiD = kPi;
constexpr double kTwoPiD = kTwoPi;

bool Between(double v, double a, double b) { return std::min(a, b) <= v && v <= std::max(a, b); }

ScoreLine Vertical(float x) {
  ScoreLine line;
  line.vertical = true;
  line.xValue = x;
  return line;
}

ScoreLine Horizontal(float y) {
  ScoreLine line;
  line.slope = 0.0f;
  line.intercept = y;
  return line;
}

}  // namespace

float DirectionAngle(Point p1, Point p2) {
  if (WithinTolerance(p1.x, p2.x)) return p1.y <= p2.y ? kHalfPi : kThreeHalfPi;
  const double g = std::atan((static_cast<double>(p2.y) - p1.y) / (static_cast<double>(p2.x) - p1.x));
  if (p2.x < p1.x) return static_cast<float>(g + kPiD);
  return static_cast<float>(g >= 0 ? g : g + kTwoPiD);
}

float LineAngle(const ScoreLine& line) {
  if (line.vertical) return kHalfPi;
  const double g = std::atan(static_cast<double>(line.slope));
  return static_cast<float>(line.slope < 0.0f ? g + kPiD : g);
}

bool IsVerticalRay(const Ray& ray) { return Near(ray.angle, kHalfPi) || Near(ray.angle, kThreeHalfPi); }

float Distance(Point p, Point q) {
  const double dx = static_cast<double>(p.x) - q.x;
  const double dy = static_cast<double>(p.y) - q.y;
  return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

Point RayLineIntersection(const Ray& ray, const ScoreLine& line) {
  const double x0 = ray.x, y0 = ray.y, a = ray.angle;
  const double t = std::tan(a);
  const bool rayVertical = IsVerticalRay(ray);
  if (rayVertical && line.vertical) return kNoPoint;
  if (!rayVertical && !line.vertical && Near(t, line.slope)) return kNoPoint;

  // The point is worked out and tested in double; only the result is stored.
  double x, y;
  bool accepted;
  if (rayVertical) {
    x = x0;
    y = static_cast<double>(line.slope) * x0 + line.intercept;
    accepted = (Near(a, kHalfPi) && y > y0) || (Near(a, kThreeHalfPi) && y <= y0);
  } else {
    x = line.vertical ? static_cast<double>(line.xValue)
                      : (y0 - t * x0 - line.intercept) / (static_cast<double>(line.slope) - t);
    y = t * x + y0 - t * x0;
    accepted = std::sin(a) * (y - y0) >= 0 && std::cos(a) * (x - x0) >= 0;
  }
  const Point X{static_cast<float>(x), static_cast<float>(y)};
  if (accepted) return X;
  // A point just behind the origin still counts as on the ray.
  if (std::sqrt((x - x0) * (x - x0) + (y - y0) * (y - y0)) <= kTolerance) return X;
  return kNoPoint;
}

Point RaySegmentIntersection(const Ray& ray, float x1, float y1, float x2, float y2) {
  ScoreLine line;
  if (x1 == x2) {
    line = Vertical(x1);
  } else {
    line.slope = static_cast<float>((static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1));
    line.intercept = static_cast<float>(y1 - static_cast<double>(line.slope) * x1);
  }
  const Point X = RayLineIntersection(ray, line);
  if (X.IsExactlyMarker()) return kNoPoint;
  if (Distance(X, Point{x1, y1}) < kTolerance || Distance(X, Point{x2, y2}) < kTolerance) return X;
  if (Near(x1, x2) && Near(X.x, x1) && Between(X.y, y1, y2)) return X;
  if (x1 != x2) {
    const double slope = (static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1);
    if (Near(slope, 0.0) && Near(X.y, y1) && Between(X.x, x1, x2)) return X;
  }
  if (Between(X.x, x1, x2) && Between(X.y, y1, y2)) return X;
  return kNoPoint;
}

Point RayExit(const ParameterRectangle& r, const Ray& ray) {
  const float x0 = ray.x, y0 = ray.y, a = ray.angle;
  const bool onVerticalSide = Near(x0, r.mismatchFrom) || Near(x0, r.mismatchTo);
  const bool onHorizontalSide = Near(y0, r.gapFrom) || Near(y0, r.gapTo);
  if (Near(a, kHalfPi) && onVerticalSide) return Point{x0, r.gapTo};
  if (Near(a, kThreeHalfPi) && onVerticalSide) return Point{x0, r.gapFrom};
  if (Near(a, 0.0) && onHorizontalSide) return Point{r.mismatchTo, y0};
  if (Near(a, kPi) && onHorizontalSide) return Point{r.mismatchFrom, y0};

  const Point sides[4] = {
      RaySegmentIntersection(ray, r.mismatchFrom, r.gapFrom, r.mismatchFrom, r.gapTo),  // left
      RaySegmentIntersection(ray, r.mismatchTo, r.gapTo, r.mismatchTo, r.gapFrom),      // right
      RaySegmentIntersection(ray, r.mismatchTo, r.gapTo, r.mismatchFrom, r.gapTo),      // top
      RaySegmentIntersection(ray, r.mismatchFrom, r.gapFrom, r.mismatchTo, r.gapFrom),  // bottom
  };
  const Point origin{x0, y0};
  Point best = kNoPoint;
  float bestDistance = 0.0f;
  bool found = false;
  for (const Point& p : sides) {
    if (p.HasMarkerCoordinate()) continue;
    const float d = Distance(origin, p);
    if (!found || d > bestDistance) {
      best = p;
      bestDistance = d;
      found = true;
    }
  }
  return best;
}

Point CrossingOfLine(const ParameterRectangle& r, const ScoreLine& line, const Ray& ray) {
  const float phi = LineAngle(line);
  const float phiOpposite = static_cast<float>(static_cast<double>(phi) + kPiD);
  if (WithinTolerance(ray.angle, phi) || WithinTolerance(ray.angle, phiOpposite)) return kNoPoint;
  const Point X = RayLineIntersection(ray, line);
  const double tol = kTolerance;
  if (r.mismatchFrom - tol <= X.x && X.x <= r.mismatchTo + tol && r.gapFrom - tol <= X.y && X.y <= r.gapTo + tol) {
    return X;
  }
  return kNoPoint;
}

int SideOf(const ParameterRectangle& r, const ScoreLine& line) {
  const float phi = LineAngle(line);
  const bool steep = WithinTolerance(phi, kHalfPi);
  double X = 0.0;
  if (steep) X = line.vertical ? line.xValue : -static_cast<double>(line.intercept) / line.slope;
  const bool flat = WithinTolerance(phi, 0.0);
  if (steep && WithinTolerance(X, r.mismatchFrom)) return kLeftSide;
  if (flat && WithinTolerance(line.intercept, r.gapTo)) return kTopSide;
  if (steep && WithinTolerance(X, r.mismatchTo)) return kRightSide;
  if (flat && WithinTolerance(line.intercept, r.gapFrom)) return kBottomSide;
  return kNoSide;
}

ScoreLine SideLine(const ParameterRectangle& r, Point p, const std::array<uint8_t, 4>& flags) {
  if (WithinTolerance(p.x, r.mismatchFrom) && flags[kLeftSide] == 0) return Vertical(r.mismatchFrom);
  if (WithinTolerance(p.x, r.mismatchTo) && flags[kRightSide] == 0) return Vertical(r.mismatchTo);
  if (WithinTolerance(p.y, r.gapFrom) && flags[kBottomSide] == 0) return Horizontal(r.gapFrom);
  return Horizontal(r.gapTo);
}

}  // namespace zenphal
