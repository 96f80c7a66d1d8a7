#pragma once
// Value types of the parameter plane: mismatch score x on the horizontal axis,
// gap score y on the vertical one. All coordinates are single precision.

namespace zenphal {

// The constants of the search, exactly these single-precision values (they are
// not the floats nearest to the multiples of pi; results depend on them).
inline constexpr float kPi = 3.14159f;
inline constexpr float kHalfPi = 1.570795f;
inline constexpr float kThreeHalfPi = 4.712385f;
inline constexpr float kTwoPi = 6.28318f;
inline constexpr float kTolerance = 0.001f;

struct Point {
  float x = -1.0f;
  float y = -1.0f;
  // (-1, -1) marks "no point"; a genuine point there is indistinguishable.
  // Most callers treat either coordinate at exactly -1 as the marker.
  bool HasMarkerCoordinate() const { return x == -1.0f || y == -1.0f; }
  bool IsExactlyMarker() const { return x == -1.0f && y == -1.0f; }
};
inline constexpr Point kNoPoint{-1.0f, -1.0f};

// One side of a polygon, drawn from (x1, y1) to (x2, y2).
struct Edge {
  float x1, y1, x2, y2;
};

struct Ray {
  float x, y;    // origin
  float angle;   // direction in radians, normally in [0, kTwoPi]
};

// |a - b| < tolerance: "near" (strict).
inline bool Near(double a, double b) {
  const double d = a - b;
  return (d < 0 ? -d : d) < static_cast<double>(kTolerance);
}
// |a - b| <= tolerance: "within tolerance" (inclusive).
inline bool WithinTolerance(double a, double b) {
  const double d = a - b;
  return (d < 0 ? -d : d) <= static_cast<double>(kTolerance);
}
inline bool Near(const Point& p, const Point& q) { return Near(p.x, q.x) && Near(p.y, q.y); }

}  // namespace zenphal
