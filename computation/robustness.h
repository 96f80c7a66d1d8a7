#pragma once
// How robust the alignment optimal at one point of the rectangle is to the
// choice of scores: the share of the rectangle in which it stays optimal.
// 1 means one alignment is optimal everywhere; a share near 0 means a small
// change of the mismatch or gap score changes the alignment.
#include "computation/computation.h"

namespace zenphal {

struct PointRobustness {
  float x = 0.0f;  // the point
  float y = 0.0f;
  // The polygon (its index in the decomposition, from 0) of the alignment
  // optimal at the point. Where several are (the point lies on an edge or a
  // corner between polygons, as round scores often do), the one with the
  // fewest mismatches, then the fewest gaps: the one optimal just to the
  // right of the point (and, on a vertical edge, just above it). -1 when the
  // run lists no alignment as good as the aligner's at the point (a search
  // cut short by a loop bound).
  int polygon = -1;
  double area = 0.0;   // of that polygon
  double share = 0.0;  // area / the rectangle's area, from 0 to 1
  // Polygons whose alignments score best at the point: 1 inside a polygon,
  // 2 on an edge, more at a corner.
  int optimalPolygons = 0;
};

// After Run, for a point of the rectangle. Uses the aligner (one Compute, to
// check the polygons against). Throws InputError when the point lies outside
// the rectangle or the computation has not run.
PointRobustness RobustnessAt(Computation& computation, float x, float y);

// The area of a polygon of the decomposition: that of the convex hull of its
// edges' ends (a polygon of optimality is convex; its edges may be listed
// more than once and in any order). 0 for fewer than three distinct ends.
double PolygonArea(const CAlignment& polygon);

// The area of the decomposition's rectangle.
double RectangleArea(const CDecomposition& decomposition);

// The share of the rectangle that a polygon's area covers, from 0 to 1 (0
// for an empty rectangle).
double PolygonShare(double polygonArea, const CDecomposition& decomposition);

}  // namespace zenphal
