#pragma once
// The publication labels of the decomposition picture: each polygon's number
// in the all-alignments report at the polygon's centroid, and the range values
// at the corners of the rectangle's image. Exports draw them on request over
// the view's picture; the view itself never shows them.
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

#include "engine/plane.h"

class QFontMetrics;
class QPainter;

namespace zenphal {

class CDecomposition;

// The area centroid of a convex polygon given by its edges, in any order and
// either orientation (an edge listed twice weighs twice); the mean of the
// edges' end points when they enclose no area; nullopt without edges. Always
// inside a convex polygon. Double intermediates, float result.
std::optional<Point> PolygonCentroid(const std::vector<Edge>& edges);

struct PictureLabel {
  QString text;
  QRect box;  // where the text is drawn, centred in the box
};

// Every label and its place for the given font metrics: first one per
// polygon, "1" to "N" in the order of the report, each box centred on the
// polygon's centroid; then the range values written as the reports write
// scores: the lower and upper gap score left of the frame, beside the
// rectangle's lower and upper left corners, and the lower and upper mismatch
// score in a row under the "(0,0)" caption, below the rectangle's lower left
// and lower right corners. Range values too close to keep apart (a very flat
// or very narrow rectangle) are moved apart. Empty when the rectangle gives
// no frame scale.
std::vector<PictureLabel> DecompositionLabels(const QFontMetrics& metrics, const CDecomposition& decomposition);

// The top of the row of mismatch range values.
int RangeLabelRowTop(const QFontMetrics& metrics);

// Draws DecompositionLabels in the painter's current font, in black.
void DrawDecompositionLabels(QPainter& painter, const CDecomposition& decomposition);

}  // namespace zenphal
