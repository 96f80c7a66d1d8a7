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

// The "(0,0)" caption's top; the mismatch values go in the row below it.
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

std::vector<PictureLabel> DecompositionLabels(const QFontMetrics& metrics, const CDecomposition& d) {
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

  const PixelPoint lowerLeft = ParameterToPixel(r, r.mismatchFrom, r.gapFrom);
  const PixelPoint upperRight = ParameterToPixel(r, r.mismatchTo, r.gapTo);
  const int h = metrics.height();

  // Gap range: right-aligned left of the frame, centred on the corners' rows.
  const QString gapFrom = ScoreText(r.gapFrom);
  const QString gapTo = ScoreText(r.gapTo);
  const int gapToY = std::min(upperRight.y, lowerLeft.y - h - 2);
  const auto leftOfFrame = [&](const QString& text, int y) {
    const int w = metrics.horizontalAdvance(text);
    return QRect(std::max(0, kGapLabelRight - w), y - h / 2, w, h);
  };
  labels.push_back({gapFrom, leftOfFrame(gapFrom, lowerLeft.y)});
  labels.push_back({gapTo, leftOfFrame(gapTo, gapToY)});

  // Mismatch range: a row under the "(0,0)" caption, centred on the corners' columns.
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

void DrawDecompositionLabels(QPainter& painter, const CDecomposition& d) {
  painter.save();
  painter.setPen(Qt::black);
  for (const PictureLabel& label : DecompositionLabels(painter.fontMetrics(), d)) {
    painter.drawText(label.box, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, label.text);
  }
  painter.restore();
}

}  // namespace zenphal
