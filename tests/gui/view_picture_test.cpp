// The decomposition picture and the mapping between parameter points and
// pixels, drawn into an image without a display.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "computation/computation.h"
#include "gui/gui_test_support.h"
#include "decomposition/decomposition.h"
#include "render/decomposition_picture.h"
#include "render/frame_mapping.h"

using namespace zenphal;

namespace {

ParameterRectangle Rect(float xmax, float ymax, float xmin = 0.0f, float ymin = 0.0f) {
  return {xmin, ymin, xmax, ymax};
}

QImage Picture(const CDecomposition& d) {
  QImage image(900, 700, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  DrawDecompositionPicture(painter, d);
  return image;
}

QRgb Black() { return qRgb(0, 0, 0); }
QRgb Fill() { return qRgb(220, 220, 220); }

}  // namespace

class ViewPictureTest : public QObject {
  Q_OBJECT
 private slots:
  void MapsTheRectangleIntoTheFrame() {
    // [0, 10] x [0, 5]: s = 50, the image stands on the frame's bottom.
    QCOMPARE(FrameScale(Rect(10, 5)), 50.0f);
    QCOMPARE(ParameterToPixel(Rect(10, 5), 10, 5), (PixelPoint{600, 300}));
    QCOMPARE(ParameterToPixel(Rect(10, 5), 0, 0), (PixelPoint{100, 550}));
    // [0, 4] x [0, 8]: s = 62.5, the image runs up the frame's left edge.
    QCOMPARE(FrameScale(Rect(4, 8)), 62.5f);
    QCOMPARE(ParameterToPixel(Rect(4, 8), 4, 8), (PixelPoint{350, 50}));
    // A square fills the frame.
    QCOMPARE(ParameterToPixel(Rect(2, 2), 2, 2), (PixelPoint{600, 50}));
    QCOMPARE(ParameterToPixel(Rect(3, 5, 1, 3), 3, 5), (PixelPoint{600, 50}));
    // Truncation, not rounding: 50 * 0.0999 = 4.995 gives 104.
    QCOMPARE(ParameterToPixel(Rect(10, 5), 0.0999f, 0).x, 104);
    // Toward zero for points left of the rectangle.
    QCOMPARE(ParameterToPixel(Rect(10, 5), -0.0999f, 0).x, 96);
  }

  void MapsPixelsBackToPoints() {
    const Point corner = PixelToParameter(Rect(2, 2), 100, 550);
    QCOMPARE(corner.x, 0.0f);
    QCOMPARE(corner.y, 0.0f);
    const Point top = PixelToParameter(Rect(2, 2), 600, 50);
    QCOMPARE(top.x, 2.0f);
    QCOMPARE(top.y, 2.0f);
    QCOMPARE(PixelToParameter(Rect(10, 5), 350, 299).y, 5.02f);
    QCOMPARE(PixelToParameter(Rect(10, 5), 350, 300).y, 5.0f);
    QCOMPARE(PixelToParameter(Rect(4, 8), 351, 300).x, 4.016f);
    QVERIFY(PixelInFrame(100, 550) && PixelInFrame(600, 50));
    QVERIFY(!PixelInFrame(99, 300) && !PixelInFrame(601, 300) && !PixelInFrame(300, 49) &&
            !PixelInFrame(300, 551));
    QVERIFY(!HasFrameScale(Rect(0, 0)));
  }

  void DrawsFrameArrowsAndFillWithoutEdges() {
    const CDecomposition empty;  // all bounds 0: no scale, no polygons
    const QImage image = Picture(empty);
    QCOMPARE(image.pixel(350, 300), Fill());
    QCOMPARE(image.pixel(101, 51), Fill());
    QCOMPARE(image.pixel(598, 548), Fill());
    // The 2-pixel outline on each side of the frame.
    QCOMPARE(image.pixel(100, 300), Black());
    QCOMPARE(image.pixel(600, 300), Black());
    QCOMPARE(image.pixel(350, 50), Black());
    QCOMPARE(image.pixel(350, 550), Black());
    // The two arrows' shafts, beyond the frame.
    QCOMPARE(image.pixel(100, 35), Black());
    QCOMPARE(image.pixel(612, 550), Black());
    // White around the frame, where nothing is drawn.
    QCOMPARE(image.pixel(60, 300), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(350, 600), qRgb(255, 255, 255));
    // The captions put dark pixels near their corners: "Attention:" at (630, 50).
    bool ink = false;
    for (int y = 50; y < 66 && !ink; ++y) {
      for (int x = 630; x < 700 && !ink; ++x) ink = qGray(image.pixel(x, y)) < 128;
    }
    QVERIFY(ink);
  }

  void DrawsEveryEdgeInBlackAndPaintsThemOver() {
    auto c = testing::BuildComputation(testing::SmallInput(10.0f, 5.0f));
    c->Run();
    const CDecomposition& d = c->Decomposition();
    QCOMPARE(d.PolygonCount(), 8);

    QImage image = Picture(d);
    for (int i = 0; i < d.PolygonCount(); ++i) {
      for (const Edge& e : d.Polygon(i).edges) {
        const PixelPoint a = ParameterToPixel(d.Rectangle(), e.x1, e.y1);
        const PixelPoint b = ParameterToPixel(d.Rectangle(), e.x2, e.y2);
        QCOMPARE(image.pixel(a.x, a.y), Black());
        QCOMPARE(image.pixel(b.x, b.y), Black());
      }
    }
    // The rectangle is twice as wide as high: nothing above y = 300 but fill.
    QCOMPARE(image.pixel(350, 200), Fill());

    // The erase pass: the same edges in the fill colour leave only fill
    // inside the frame.
    {
      QPainter painter(&image);
      DrawPolygonEdges(painter, kFrameFillColour, d);
    }
    for (int y = 302; y < 549; ++y) {
      for (int x = 102; x < 599; ++x) {
        if (image.pixel(x, y) != Fill()) QFAIL(qPrintable(QStringLiteral("pixel %1,%2 not painted over").arg(x).arg(y)));
      }
    }
  }

  void PictureSizeHoldsTheCaptions() {
    const QSize size = DecompositionPictureSize(QFontMetrics(QFont()));
    QVERIFY(size.width() > 630 + QFontMetrics(QFont()).horizontalAdvance("alignments in the parametric space."));
    QVERIFY(size.height() > 558);
  }
};

QTEST_MAIN(ViewPictureTest)
#include "view_picture_test.moc"
