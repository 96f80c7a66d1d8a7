#pragma once
// Which polygons of a finished decomposition hold a point of the rectangle:
// the alignments that score best there. By the polygons' counts alone, so a
// query costs no aligner call; for scripts that ask at many points.
#include <vector>

#include "computation/computation.h"

namespace zenphal {

// How far apart the scores of different counts that tie at a point may be
// (they agree to rounding).
double TieTolerance(double score);

// The score of a listed alignment at (x, y) from its counts, exactly as the
// aligner scores it at that point (PointAligner::ScoreOf; negative x and y
// taken as 0).
double ScoreAt(const Computation& computation, const CAlignment& record, float x, float y);

// Throws InputError when the computation has not run or the point lies
// outside its rectangle (its bounds included).
void CheckPointInRectangle(const Computation& computation, float x, float y);

// The polygons (indexes in list order, ascending) whose alignments score best
// at (x, y) among those the last run lists, ties within rounding: one inside
// a polygon, two on an edge, more at a corner. Exact for a complete run,
// where every point's optimal alignment is listed. Throws as
// CheckPointInRectangle.
std::vector<int> OptimalPolygonsAt(const Computation& computation, float x, float y);

// Of polygons optimal at one point, the one with the fewest mismatches, then
// the fewest gaps: the one optimal just to the right of the point (and, on a
// vertical edge, just above it), so that the choice never depends on a tie
// break. -1 for an empty list.
int PreferredPolygon(const CDecomposition& decomposition, const std::vector<int>& polygons);

}  // namespace zenphal
