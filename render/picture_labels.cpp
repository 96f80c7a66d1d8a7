#include "render/picture_labels.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <string>

#include "decomposition/decomposition.h"
#include "render/frame_mapping.h"
#include "formats/score_text.h"

namespace zenphal {
namespace {

// The corner caption's place ("(0,0)"); the mismatch values of --label go in
// the row below it, those of "Axis Values" in its row.
constexpr int kCornerCaptionLeft = 85;
constexpr int kCornerCaptionTop = 558;
// Right edge of the gap values, clear of the frame's 2-pixel outline.
constexpr int kGapLabelRight = 94;
constexpr int kLabelGap = 6;

QString ScoreText(float v) {
  std::string text;
  AppendScoreText(v, text);
  return QString::fromStdString(text);
}

QRect BoxCentredAt(const QFontMetrics& metrics, const QString& text, int x, int y) {
  const int w = metrics.horizontalAdvance(text);
  const int h = metrics.height();
  return {x - w / 2, y - h / 2, w, h};
}

// Right-aligned left of the frame, centred on the row y.
QRect LeftOfFrame(const QFontMetrics& metrics, const QString& text, int y) {
  const int w = metrics.horizontalAdvance(text);
  const int h = metrics.height();
  return QRect(std::max(0, kGapLabelRight - w), y - h / 2, w, h);
}

// A round step: 1, 2 or 5 times a power of ten, the one nearest above
// `about` in that sequence, with the decimals its multiples need (at least
// three, as the reports write scores).
struct RoundStep {
  double value = 0;
  int decimals = 3;
};
RoundStep StepFor(double about) {
  if (!(about > 0) || !std::isfinite(about)) return {};
  const double power = std::pow(10.0, std::floor(std::log10(about)));
  const double m = about / power;
  const double factor = m <= 1.0 ? 1.0 : m <= 2.0 ? 2.0 : m <= 5.0 ? 5.0 : 10.0;
  RoundStep step{factor * power, 3};
  // Decimals the step needs: 0.0005 needs four.
  const int needed = static_cast<int>(std::ceil(-std::log10(step.value) - 1e-9));
  step.decimals = std::max(3, needed);
  return step;
}

// A tick value: whole values without a point, others with the step's decimals.
QString TickText(double value, int decimals) {
  const double whole = std::round(value);
  if (std::abs(value - whole) <= 1e-9 * std::max(1.0, std::abs(value))) {
    return QString::number(static_cast<long long>(whole));
  }
  return QString::number(value, 'f', decimals);
}

}  // namespace

std::optional<Point> PolygonCentroid(const std::vector<Edge>& edges) {
  if (edges.empty()) return std::nullopt;
  double mx = 0, my = 0;
  for (const Edge& e : edges) {
    mx += static_cast<double>(e.x1) + e.x2;
    my += static_cast<double>(e.y1) + e.y2;
  }
  mx /= 2.0 * static_cast<double>(edges.size());
  my /= 2.0 * static_cast<double>(edges.size());
  // The mean lies inside a convex polygon, so the triangles from it to the
  // edges tile the polygon whatever the edges' order and orientation.
  double area = 0, cx = 0, cy = 0;
  for (const Edge& e : edges) {
    const double ax = e.x1 - mx, ay = e.y1 - my, bx = e.x2 - mx, by = e.y2 - my;
    const double a = std::abs(ax * by - ay * bx) / 2.0;
    area += a;
    // The triangle's centroid is the mean of its corners.
    cx += a * (mx + e.x1 + static_cast<double>(e.x2)) / 3.0;
    cy += a * (my + e.y1 + static_cast<double>(e.y2)) / 3.0;
  }
  if (!(area > 0)) return Point{static_cast<float>(mx), static_cast<float>(my)};
  return Point{static_cast<float>(cx / area), static_cast<float>(cy / area)};
}

int RangeLabelRowTop(const QFontMetrics& metrics) { return kCornerCaptionTop + metrics.height() + 2; }

QString OriginLabelText(const CDecomposition& d) {
  return QStringLiteral("(%1,%2)").arg(ScoreText(d.mismatchFrom), ScoreText(d.gapFrom));
}

std::vector<PictureLabel> RegionNumberLabels(const QFontMetrics& metrics, const CDecomposition& d) {
  std::vector<PictureLabel> labels;
  const ParameterRectangle r = d.Rectangle();
  if (!HasFrameScale(r)) return labels;
  for (int i = 0; i < d.PolygonCount(); ++i) {
    const auto centre = PolygonCentroid(d.Polygon(i).edges);
    if (!centre) continue;
    const PixelPoint p = ParameterToPixel(r, centre->x, centre->y);
    const QString number = QString::number(i + 1);
    labels.push_back({number, BoxCentredAt(metrics, number, p.x, p.y)});
  }
  return labels;
}

std::vector<PictureLabel> RangeValueLabels(const QFontMetrics& metrics, const CDecomposition& d) {
  std::vector<PictureLabel> labels;
  const ParameterRectangle r = d.Rectangle();
  if (!HasFrameScale(r)) return labels;

  const PixelPoint lowerLeft = ParameterToPixel(r, r.mismatchFrom, r.gapFrom);
  const PixelPoint upperRight = ParameterToPixel(r, r.mismatchTo, r.gapTo);
  const int h = metrics.height();

  // Gap range: right-aligned left of the frame, centred on the corners' rows.
  const QString gapFrom = ScoreText(r.gapFrom);
  const QString gapTo = ScoreText(r.gapTo);
  const int gapToY = std::min(upperRight.y, lowerLeft.y - h - 2);
  labels.push_back({gapFrom, LeftOfFrame(metrics, gapFrom, lowerLeft.y)});
  labels.push_back({gapTo, LeftOfFrame(metrics, gapTo, gapToY)});

  // Mismatch range: a row under the corner caption, centred on the corners' columns.
  const int rowTop = RangeLabelRowTop(metrics);
  const QString mismatchFrom = ScoreText(r.mismatchFrom);
  const QString mismatchTo = ScoreText(r.mismatchTo);
  QRect from = BoxCentredAt(metrics, mismatchFrom, lowerLeft.x, 0);
  from.moveTop(rowTop);
  if (from.left() < 0) from.moveLeft(0);
  QRect to = BoxCentredAt(metrics, mismatchTo, upperRight.x, 0);
  to.moveTop(rowTop);
  if (to.left() < from.right() + 1 + kLabelGap) to.moveLeft(from.right() + 1 + kLabelGap);
  labels.push_back({mismatchFrom, from});
  labels.push_back({mismatchTo, to});
  return labels;
}

QRect OriginLabelBox(const QFontMetrics& metrics, const CDecomposition& d) {
  return QRect(kCornerCaptionLeft, kCornerCaptionTop, metrics.horizontalAdvance(OriginLabelText(d)), metrics.height());
}

namespace {

// The range values of "Axis Values": the gap values as RangeValueLabels
// places them, the upper mismatch value in the corner caption's row (the
// caption gives the lower one).
struct AxisEnds {
  PictureLabel gapFrom, gapTo, mismatchTo;
};
AxisEnds AxisEndLabels(const QFontMetrics& metrics, const CDecomposition& d) {
  const std::vector<PictureLabel> range = RangeValueLabels(metrics, d);
  AxisEnds ends{range[0], range[1], range[3]};
  const QRect caption = OriginLabelBox(metrics, d);
  ends.mismatchTo.box.moveTop(kCornerCaptionTop);
  if (ends.mismatchTo.box.left() < caption.right() + 1 + kLabelGap) {
    ends.mismatchTo.box.moveLeft(caption.right() + 1 + kLabelGap);
  }
  return ends;
}

}  // namespace

std::vector<AxisTick> AxisTicks(const QFontMetrics& metrics, const CDecomposition& d) {
  std::vector<AxisTick> ticks;
  const ParameterRectangle r = d.Rectangle();
  if (!HasFrameScale(r)) return ticks;
  const AxisEnds ends = AxisEndLabels(metrics, d);
  const QRect caption = OriginLabelBox(metrics, d);
  const double longer = std::max(static_cast<double>(r.mismatchTo) - r.mismatchFrom,
                                 static_cast<double>(r.gapTo) - r.gapFrom);
  const RoundStep step = StepFor(longer / 5.0);
  if (!(step.value > 0)) return ticks;

  // Clear of the range values (and the caption) and of the tick label placed before it.
  const auto placeAlong = [&](bool gapAxis, float from, float to, const QRect& endA, const QRect& endB) {
    QRect previous;
    const double first = std::ceil(from / step.value);
    const double last = std::floor(to / step.value);
    if (!(last - first < 1000)) return;  // a step far too small for the range: no ticks
    for (double k = first; k <= last; ++k) {
      const double value = k * step.value;
      if (!(value > from) || !(value < to)) continue;
      const QString text = TickText(value, step.decimals);
      AxisTick tick{gapAxis, value, 0, {text, {}}};
      if (gapAxis) {
        tick.pixel = ParameterToPixel(r, r.mismatchFrom, static_cast<float>(value)).y;
        tick.label.box = LeftOfFrame(metrics, text, tick.pixel);
      } else {
        tick.pixel = ParameterToPixel(r, static_cast<float>(value), r.gapFrom).x;
        tick.label.box = BoxCentredAt(metrics, text, tick.pixel, 0);
        tick.label.box.moveTop(kCornerCaptionTop);
      }
      const int gap = gapAxis ? 2 : kLabelGap;
      const QRect clearance = tick.label.box.adjusted(-gap, -gap, gap, gap);
      if (clearance.intersects(endA) || clearance.intersects(endB) ||
          (!previous.isNull() && clearance.intersects(previous))) {
        continue;
      }
      previous = tick.label.box;
      ticks.push_back(tick);
    }
  };
  placeAlong(true, r.gapFrom, r.gapTo, ends.gapFrom.box, ends.gapTo.box);
  placeAlong(false, r.mismatchFrom, r.mismatchTo, caption, ends.mismatchTo.box);
  return ticks;
}

std::vector<PictureLabel> AxisValueLabels(const QFontMetrics& metrics, const CDecomposition& d) {
  std::vector<PictureLabel> labels;
  if (!HasFrameScale(d.Rectangle())) return labels;
  const AxisEnds ends = AxisEndLabels(metrics, d);
  labels = {ends.gapFrom, ends.gapTo, ends.mismatchTo};
  for (const AxisTick& tick : AxisTicks(metrics, d)) labels.push_back(tick.label);
  return labels;
}

QRect UnusedFrameRect(const CDecomposition& d) {
  const ParameterRectangle r = d.Rectangle();
  if (!HasFrameScale(r)) return {};
  const PixelPoint upperRight = ParameterToPixel(r, r.mismatchTo, r.gapTo);
  // The frame's inside, within its 2-pixel outline: x 101 to 599, y 51 to 549.
  constexpr int kLeft = kFrameLeft + 1, kTop = kFrameTop + 1, kRight = kFrameRight - 1, kBottom = kFrameBottom - 1;
  if (upperRight.y > kTop + 1) return QRect(QPoint(kLeft, kTop), QPoint(kRight, std::min(kBottom, upperRight.y - 1)));
  if (upperRight.x < kRight - 1) return QRect(QPoint(std::max(kLeft, upperRight.x + 1), kTop), QPoint(kRight, kBottom));
  return {};
}

std::vector<PictureLabel> DecompositionLabels(const QFontMetrics& metrics, const CDecomposition& d) {
  std::vector<PictureLabel> labels = RegionNumberLabels(metrics, d);
  for (PictureLabel& label : RangeValueLabels(metrics, d)) labels.push_back(std::move(label));
  return labels;
}

void DrawPictureLabels(QPainter& painter, const std::vector<PictureLabel>& labels) {
  painter.save();
  painter.setPen(Qt::black);
  for (const PictureLabel& label : labels) {
    // The pen changes only around a light label: black labels draw as they always have.
    if (label.light) painter.setPen(Qt::white);
    painter.drawText(label.box, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, label.text);
    if (label.light) painter.setPen(Qt::black);
  }
  painter.restore();
}

}  // namespace zenphal
