#pragma once
// Rays, equal-score lines and the sides of the parameter rectangle, with the
// search's tolerances and angle constants. Nothing here fails: a missing
// result is the no-point marker (-1, -1). Angles are radians counter-clockwise
// from the positive mismatch axis. Values are stored as floats; intermediate
// arithmetic is double.
#include "engine/plane.h"
#include "engine/alignment.h"

namespace zenphal {

struct ParameterRectangle {
  float mismatchFrom = 0.0f;  // left
  float gapFrom = 0.0f;       // bottom
  float mismatchTo = 0.0f;    // right
  float gapTo = 0.0f;         // top
};

// Side numbers as the polygons' side flags use them.
enum Side { kLeftSide = 0, kTopSide = 1, kRightSide = 2, kBottomSide = 3, kNoSide = 4 };

float DirectionAngle(Point p1, Point p2);  // in [0, 2pi)
float LineAngle(const ScoreLine& line);     // in [0, pi)
bool IsVerticalRay(const Ray& ray);
Point RayLineIntersection(const Ray& ray, const ScoreLine& line);
Point RaySegmentIntersection(const Ray& ray, float x1, float y1, float x2, float y2);
float Distance(Point p, Point q);

// Where a ray from inside the rectangle leaves it (the farthest side point).
Point RayExit(const ParameterRectangle& r, const Ray& ray);
// Where the ray crosses the line, if within 0.001 of the rectangle; the marker
// when the ray runs along the line or the crossing lies outside.
Point CrossingOfLine(const ParameterRectangle& r, const ScoreLine& line, const Ray& ray);
// The rectangle side the line lies on, or kNoSide.
int SideOf(const ParameterRectangle& r, const ScoreLine& line);
// The line of the rectangle side through a border point; sides whose flag is
// set are passed over so that a corner's second visit takes the other side.
ScoreLine SideLine(const ParameterRectangle& r, Point p, const std::array<uint8_t, 4>& sideFlags);

}  // namespace zenphal
