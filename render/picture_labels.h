#pragma once
// The labels of the decomposition picture: each polygon's number in the
// all-alignments report at the polygon's centroid; the range values at the
// corners of the rectangle's image; and, for "Axis Values", tick values
// between them along both axes and the part of the frame outside the
// rectangle. The plain picture (the view with its View toggles off, an export
// without options) shows none of them; `zenphal-cli --label` draws the
// numbers and the range values.
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
  bool light = false;  // written in white (on a dark fill) rather than black
};

// One per polygon: "1" to "N" in the order of the report, each box centred on
// the polygon's centroid. Empty when the rectangle gives no frame scale.
std::vector<PictureLabel> RegionNumberLabels(const QFontMetrics& metrics, const CDecomposition& decomposition);

// The range values written as the reports write scores: the lower and upper
// gap score left of the frame, beside the rectangle's lower and upper left
// corners, and the lower and upper mismatch score in a row under the corner
// caption, below the rectangle's lower left and lower right corners, in this
// order. Range values too close to keep apart (a very flat or very narrow
// rectangle) are moved apart. Empty when the rectangle gives no frame scale.
std::vector<PictureLabel> RangeValueLabels(const QFontMetrics& metrics, const CDecomposition& decomposition);

// A value marked along an axis between the range's ends.
struct AxisTick {
  bool gapAxis;  // along the gap axis (left of the frame), else the mismatch axis (under it)
  double value;
  int pixel;  // the tick's x (mismatch axis) or y (gap axis) in the picture
  PictureLabel label;
};

// The tick values of "Axis Values": multiples of one round step (1, 2 or 5
// times a power of ten, about a fifth of the longer range) strictly inside
// each range, labelled where a label keeps clear of the range values, the
// corner caption and the tick before it: left of the frame for the gap axis,
// in the corner caption's row for the mismatch axis. Whole values are
// written without a point, others with three decimals (more if the step
// needs them).
std::vector<AxisTick> AxisTicks(const QFontMetrics& metrics, const CDecomposition& decomposition);

// The labels of "Axis Values": the lower and upper gap values as
// RangeValueLabels places them, the upper mismatch value in the corner
// caption's row (the caption gives the lower ends), then the ticks' labels.
// The picture keeps its size: the row under the caption stays empty.
std::vector<PictureLabel> AxisValueLabels(const QFontMetrics& metrics, const CDecomposition& decomposition);

// Where the corner caption stands.
QRect OriginLabelBox(const QFontMetrics& metrics, const CDecomposition& decomposition);

// The part of the plot frame's inside that the rectangle's image leaves
// empty when its ranges differ in length (above the image when the mismatch
// range is the longer, right of it when the gap range is); an empty rect
// otherwise.
QRect UnusedFrameRect(const CDecomposition& decomposition);
// What "Axis Values" writes into that part.
inline constexpr const char* kUnusedFrameText = "not in the parameter space";

// RegionNumberLabels, then RangeValueLabels: the labels of `--label`.
std::vector<PictureLabel> DecompositionLabels(const QFontMetrics& metrics, const CDecomposition& decomposition);

// The top of the row of mismatch values.
int RangeLabelRowTop(const QFontMetrics& metrics);

// The label in the corner at the rectangle's lower left: its lower ends,
// "(mismatch from,gap from)" written as the reports write scores, so "(0,0)"
// for ranges that start at 0.
QString OriginLabelText(const CDecomposition& decomposition);

// Draws labels in the painter's current font, in black (white where
// light).
void DrawPictureLabels(QPainter& painter, const std::vector<PictureLabel>& labels);

}  // namespace zenphal
