#pragma once
// The regions of a decomposition as areas of the plane: each polygon's convex
// hull, which regions border on which, a colouring in which bordering regions
// differ, and which regions hold a point. The numbers of the regions are the
// polygons' places in the list (region k is polygon k - 1, the block "The k
// optimal alignment is:" of the all-alignments report).
#include <QColor>
#include <vector>

#include "engine/alignment.h"
#include "engine/plane.h"

namespace zenphal {

class CDecomposition;

// The fill colours of "Colour Regions": the Okabe-Ito palette (Okabe and Ito,
// "Color Universal Design", 2002) without its black, each mixed half and half
// with white so that black edges and numbers stay readable on it. The seven
// hues stay apart for the common forms of colour blindness.
inline constexpr int kRegionPaletteSize = 7;
QColor RegionFillColour(int paletteIndex);

// The outline of the region whose Result dialog is open.
inline const QColor kRegionHighlightColour{213, 94, 0};  // Okabe-Ito vermillion

struct RegionMap {
  // Per polygon, in list order: the convex hull of its edges' ends, counter-
  // clockwise in the plane (empty for a polygon without edges).
  std::vector<std::vector<Point>> hulls;
  // Per polygon: the regions that share a stretch of border with it (at
  // least a few pixels of the picture long), ascending.
  std::vector<std::vector<int>> neighbours;
  // Per polygon: its palette index; regions that share a border never share
  // a colour (six colours suffice for any map: the greedy colouring in
  // smallest-last order needs at most one more than the fewest neighbours
  // left at each step, at most five for a planar map).
  std::vector<int> colours;

  int size() const { return static_cast<int>(hulls.size()); }
};

// The map of the decomposition's polygons, with borders measured in pixels
// of the picture's frame mapping. Empty when the rectangle gives no frame
// scale.
RegionMap BuildRegionMap(const CDecomposition& decomposition);

// The regions (indexes in list order, ascending) whose hull holds the point,
// its border within tolerance (in score units) included. Two or more: the
// point is on a border.
std::vector<int> RegionsAt(const RegionMap& map, Point p, double tolerance);

// The region nearest to the point (distance to its hull, 0 inside), or -1
// for an empty map.
int NearestRegion(const RegionMap& map, Point p, double* distance = nullptr);

// The index of the polygon whose alignment is this record's (the same four
// counts the decomposition tells alignments apart by), or -1 if none is.
int RegionOfAlignment(const CDecomposition& decomposition, const CAlignment& record);

}  // namespace zenphal
