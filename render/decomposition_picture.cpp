#include "render/decomposition_picture.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>

#include "render/frame_mapping.h"
#include "render/picture_labels.h"

namespace zenphal {
namespace {

struct Caption {
  int x;
  int y;
  const char* text;
};

// Each caption's top left corner in view pixels.
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

QPen SolidPen(const QColor& colour, int width) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

}  // namespace

void DrawPolygonEdges(QPainter& painter, const QColor& colour, const CDecomposition& d) {
  const ParameterRectangle r = d.Rectangle();
  if (!HasFrameScale(r)) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
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

void DrawDecompositionPicture(QPainter& painter, const CDecomposition& d) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);

  painter.setPen(Qt::black);
  for (const Caption& c : kCaptions) {
    painter.drawText(QRect(c.x, c.y, 100000, 1000), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromLatin1(c.text));
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

  DrawPolygonEdges(painter, Qt::black, d);
  painter.restore();
}

QSize DecompositionPictureSize(const QFontMetrics& metrics, bool labels) {
  int right = kFrameRight + 26;  // the mismatch arrow's head
  int bottom = kFrameBottom + 6;
  for (const Caption& c : kCaptions) {
    right = std::max(right, c.x + metrics.horizontalAdvance(QString::fromLatin1(c.text)));
    bottom = std::max(bottom, c.y + metrics.height());
  }
  if (labels) bottom = std::max(bottom, RangeLabelRowTop(metrics) + metrics.height());
  return {right + 10, bottom + 10};
}

}  // namespace zenphal
