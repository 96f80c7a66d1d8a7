#pragma once
// The decomposition picture: the plot frame with its fill, the two axis
// arrows, the captions, the "Attention:" note and the edges of every polygon;
// on request also the regions' numbers and colours and the axis values.
// Needs only QtGui, so it can draw onto a widget, an image or an SVG file.
#include <QColor>
#include <QSize>
#include <vector>

#include "decomposition/decomposition.h"

class QPainter;
class QFontMetrics;

namespace zenphal {

struct RegionMap;

// The frame fill; also the colour in which old edges are painted over.
inline const QColor kFrameFillColour{220, 220, 220};

// What is drawn besides the plain picture. All off: the plain picture,
// pixel for pixel.
struct PictureOptions {
  bool numbers = false;      // each region's number (its block in the report) at its centroid
  bool colours = false;      // regions filled in RegionFillColour, bordering regions apart
  bool rangeValues = false;  // the four range values at the rectangle's corners, a row under the frame
  bool axisValues = false;   // range values, tick values and marks along both axes, and the part of
                             // the frame outside a non-square rectangle hatched and named (in place
                             // of rangeValues)
  bool antialiased = false;  // smooth lines, for a picture drawn scaled
  // "Colour by Agreement": per polygon in list order, its agreement with a
  // reference alignment from 0 to 1 (below 0: not defined). When given, the
  // regions are filled on the agreement scale (agreement_scale.h) in place
  // of `colours`, region numbers on dark fills are written in white, and
  // the scale's legend stands right of the frame. Empty: none of it.
  std::vector<double> agreement{};

  bool operator==(const PictureOptions&) const = default;
  // The publication labels of `zenphal-cli --label`: numbers and range values.
  static PictureOptions Labels(bool on) {
    PictureOptions o;
    o.numbers = on;
    o.rangeValues = on;
    return o;
  }
  // Whether the row of mismatch values under the corner caption is drawn
  // (the range values; the axis values take the caption's row instead).
  bool HasValueRow() const { return rangeValues && !axisValues; }
};

// The whole picture in the painter's current font, texts in black, edges in
// black, in this order: captions (the corner caption gives the ranges' lower
// ends), arrows, the frame, the regions' colours (or agreement fills), the
// unused part of the frame, the edges, the tick marks, the agreement legend
// and the labels. Draws nothing behind the
// picture: the caller provides the background (the view's is the window
// colour, white). map, when given, is BuildRegionMap of the decomposition
// (made here when needed otherwise). Leaves the painter as it was.
void DrawDecompositionPicture(QPainter& painter, const CDecomposition& decomposition,
                              const PictureOptions& options = {}, const RegionMap* map = nullptr);

// Every edge of every polygon, in list order, as a solid 2-pixel line in the
// given colour, mapped with the decomposition's own rectangle. Draws nothing
// when the rectangle gives no frame scale.
void DrawPolygonEdges(QPainter& painter, const QColor& colour, const CDecomposition& decomposition);

// The outline of one region (an index in list order), thick, in
// kRegionHighlightColour over a white line; the view's mark of the region
// whose Result is open.
void DrawRegionOutline(QPainter& painter, const CDecomposition& decomposition, const RegionMap& map, int region);

// The size, from the top left corner (0, 0), that holds the whole picture
// when its texts are drawn with the given font metrics; with valueRow, also
// the row of mismatch values under the frame (PictureOptions::HasValueRow).
QSize DecompositionPictureSize(const QFontMetrics& metrics, bool valueRow = false);

// The width that holds the frame, the arrows, the axis captions and the
// values left of the frame: the picture without the "Attention:" note.
int DecompositionPlotWidth(const QFontMetrics& metrics);

}  // namespace zenphal
