#include "render/decomposition_picture.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <optional>

#include "render/agreement_scale.h"
#include "render/frame_mapping.h"
#include "render/picture_labels.h"
#include "render/regions.h"

namespace zenphal {
namespace {

struct Caption {
  int x;
  int y;
  const char* text;
};

// Each caption's top left corner in view pixels. The corner caption (the
// third) shows the ranges' lower ends: "(0,0)" for ranges that start at 0.
constexpr int kOriginCaption = 2;
constexpr Caption kCaptions[] = {
    {20, 20, "Gap Score"},
    {630, 550, "Mismatch Score"},
    {85, 558, "(0,0)"},
    {630, 50, "Attention:"},
    {630, 80, "1.If you click on a point in the"},
    {630, 100, "polygonal decomposition,Zenphal"},
    {630, 120, "will compute and output an optimal"},
    {630, 140, "alignment on this point."},
    {630, 180, "2.And you can click the \"View\""},
    {630, 200, "button to get all the optimal"},
    {630, 220, "alignments in the parametric space."},
};

// The hatching of the unused part of the frame, and the tick marks.
const QColor kHatchColour{150, 150, 150};
constexpr int kHatchSpacing = 8;
constexpr int kTickLength = 4;

QPen SolidPen(const QColor& colour, int width) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The hull of a region in picture pixels, mapped as the edges are.
QPolygon HullPixels(const ParameterRectangle& r, const std::vector<Point>& hull) {
  QPolygon polygon;
  for (const Point& p : hull) {
    const PixelPoint q = ParameterToPixel(r, p.x, p.y);
    polygon << QPoint(q.x, q.y);
  }
  return polygon;
}

// The fill of region i: its palette colour, or its agreement's colour.
QColor RegionFill(const RegionMap& map, const PictureOptions& options, int i) {
  if (options.agreement.empty()) return RegionFillColour(map.colours[i]);
  const double value = static_cast<size_t>(i) < options.agreement.size() ? options.agreement[i] : -1.0;
  return value < 0.0 ? UndefinedAgreementColour() : AgreementColour(value);
}

void FillRegions(QPainter& painter, const CDecomposition& d, const RegionMap& map, const PictureOptions& options) {
  const ParameterRectangle r = d.Rectangle();
  painter.save();
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < map.size(); ++i) {
    if (map.hulls[i].size() < 3) continue;
    painter.setBrush(RegionFill(map, options, i));
    painter.drawPolygon(HullPixels(r, map.hulls[i]));
  }
  painter.restore();
}

// Region numbers on dark agreement fills are written in white.
void LightenNumbersOnDarkFills(std::vector<PictureLabel>& labels, const std::vector<double>& agreement) {
  for (PictureLabel& label : labels) {
    const size_t i = static_cast<size_t>(label.text.toInt() - 1);
    label.light = i < agreement.size() && agreement[i] >= 0.0 && NeedsLightText(AgreementColour(agreement[i]));
  }
}

// Diagonal lines ("/") across the rect, each cut to it, and its name in the
// middle when it fits.
void MarkUnusedPart(QPainter& painter, const QRect& area) {
  painter.save();
  painter.setPen(SolidPen(kHatchColour, 1));
  const int x0 = area.left(), x1 = area.right(), y0 = area.top(), y1 = area.bottom();
  for (int c = x0 + y0 + kHatchSpacing / 2; c <= x1 + y1; c += kHatchSpacing) {
    // The line x + y = c, from its lowest x inside the rect to its highest.
    const int lo = std::max(x0, c - y1);
    const int hi = std::min(x1, c - y0);
    if (lo <= hi) painter.drawLine(lo, c - lo, hi, c - hi);
  }
  const QString text = QString::fromLatin1(kUnusedFrameText);
  const QFontMetrics metrics = painter.fontMetrics();
  const QRect box(0, 0, metrics.horizontalAdvance(text) + 8, metrics.height() + 4);
  if (box.width() <= area.width() - 4 && box.height() <= area.height() - 4) {
    const QRect placed = box.translated(area.center() - box.center());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kFrameFillColour);
    painter.drawRect(placed);
    painter.setPen(Qt::black);
    painter.drawText(placed, Qt::AlignCenter | Qt::TextSingleLine, text);
  }
  painter.restore();
}

// Short marks outside the frame at the range ends and at every tick.
void DrawTickMarks(QPainter& painter, const CDecomposition& d, const std::vector<AxisTick>& ticks) {
  const ParameterRectangle r = d.Rectangle();
  const PixelPoint lowerLeft = ParameterToPixel(r, r.mismatchFrom, r.gapFrom);
  const PixelPoint upperRight = ParameterToPixel(r, r.mismatchTo, r.gapTo);
  std::vector<int> gapMarks = {lowerLeft.y, upperRight.y};
  std::vector<int> mismatchMarks = {lowerLeft.x, upperRight.x};
  for (const AxisTick& t : ticks) (t.gapAxis ? gapMarks : mismatchMarks).push_back(t.pixel);
  painter.save();
  painter.setPen(SolidPen(Qt::black, 1));
  for (int y : gapMarks) painter.drawLine(kFrameLeft - 2 - kTickLength, y, kFrameLeft - 2, y);
  for (int x : mismatchMarks) painter.drawLine(x, kFrameBottom + 2, x, kFrameBottom + 2 + kTickLength);
  painter.restore();
}

// The edges with the painter's render hints.
void DrawEdges(QPainter& painter, const QColor& colour, const CDecomposition& d) {
  const ParameterRectangle r = d.Rectangle();
  if (!HasFrameScale(r)) return;
  painter.save();
  // Set again as it stands: an SVG then starts a group for the edges, as it always has.
  painter.setRenderHint(QPainter::Antialiasing, painter.testRenderHint(QPainter::Antialiasing));
  painter.setPen(SolidPen(colour, 2));
  for (int i = 0; i < d.PolygonCount(); ++i) {
    for (const Edge& e : d.Polygon(i).edges) {
      const PixelPoint a = ParameterToPixel(r, e.x1, e.y1);
      const PixelPoint b = ParameterToPixel(r, e.x2, e.y2);
      painter.drawLine(a.x, a.y, b.x, b.y);
    }
  }
  painter.restore();
}

}  // namespace

void DrawPolygonEdges(QPainter& painter, const QColor& colour, const CDecomposition& d) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  DrawEdges(painter, colour, d);
  painter.restore();
}

void DrawRegionOutline(QPainter& painter, const CDecomposition& d, const RegionMap& map, int region) {
  if (region < 0 || region >= map.size() || map.hulls[region].size() < 2) return;
  const QPolygon outline = HullPixels(d.Rectangle(), map.hulls[region]);
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(SolidPen(Qt::white, 6));
  painter.drawPolygon(outline);
  painter.setPen(SolidPen(kRegionHighlightColour, 4));
  painter.drawPolygon(outline);
  painter.restore();
}

void DrawDecompositionPicture(QPainter& painter, const CDecomposition& d, const PictureOptions& options,
                              const RegionMap* givenMap) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, options.antialiased);

  painter.setPen(Qt::black);
  for (size_t i = 0; i < std::size(kCaptions); ++i) {
    const Caption& c = kCaptions[i];
    const QString text = i == kOriginCaption ? OriginLabelText(d) : QString::fromLatin1(c.text);
    painter.drawText(QRect(c.x, c.y, 100000, 1000), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  }

  painter.setPen(SolidPen(Qt::black, 2));
  // Gap axis arrow, pointing up.
  painter.drawLine(100, 50, 100, 25);
  painter.drawLine(100, 25, 95, 30);
  painter.drawLine(100, 25, 105, 30);
  // Mismatch axis arrow, pointing right.
  painter.drawLine(600, 550, 625, 550);
  painter.drawLine(625, 550, 620, 545);
  painter.drawLine(625, 550, 620, 555);

  painter.setBrush(kFrameFillColour);
  painter.drawRect(QRect(kFrameLeft, kFrameTop, kFrameSide, kFrameSide));
  painter.setBrush(Qt::NoBrush);

  const bool scaled = HasFrameScale(d.Rectangle());
  const bool byAgreement = !options.agreement.empty();
  if (scaled && (options.colours || byAgreement)) {
    std::optional<RegionMap> own;
    if (!givenMap) own = BuildRegionMap(d);
    FillRegions(painter, d, givenMap ? *givenMap : *own, options);
  }
  if (scaled && options.axisValues) {
    const QRect unused = UnusedFrameRect(d);
    if (!unused.isEmpty()) MarkUnusedPart(painter, unused);
  }

  DrawEdges(painter, Qt::black, d);

  std::vector<PictureLabel> labels;
  if (scaled) {
    const QFontMetrics metrics = painter.fontMetrics();
    if (options.numbers) labels = RegionNumberLabels(metrics, d);
    if (byAgreement) LightenNumbersOnDarkFills(labels, options.agreement);
    if (options.axisValues) {
      DrawTickMarks(painter, d, AxisTicks(metrics, d));
      for (PictureLabel& label : AxisValueLabels(metrics, d)) labels.push_back(std::move(label));
    } else if (options.rangeValues) {
      for (PictureLabel& label : RangeValueLabels(metrics, d)) labels.push_back(std::move(label));
    }
    if (byAgreement) DrawAgreementLegend(painter, HasUndefinedAgreement(options.agreement));
  }
  painter.restore();
  // Outside the picture's saved state, as `--label` has always drawn them.
  if (!labels.empty()) DrawPictureLabels(painter, labels);
}

QSize DecompositionPictureSize(const QFontMetrics& metrics, bool valueRow) {
  int right = kFrameRight + 26;  // the mismatch arrow's head
  int bottom = kFrameBottom + 6;
  for (const Caption& c : kCaptions) {
    right = std::max(right, c.x + metrics.horizontalAdvance(QString::fromLatin1(c.text)));
    bottom = std::max(bottom, c.y + metrics.height());
  }
  if (valueRow) bottom = std::max(bottom, RangeLabelRowTop(metrics) + metrics.height());
  return {right + 10, bottom + 10};
}

int DecompositionPlotWidth(const QFontMetrics& metrics) {
  const Caption& mismatch = kCaptions[1];
  return std::max(kFrameRight + 26, mismatch.x + metrics.horizontalAdvance(QString::fromLatin1(mismatch.text))) + 10;
}

}  // namespace zenphal
