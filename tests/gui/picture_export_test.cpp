// Exported pictures: the PNG against the view's own pixels, the SVG's edges
// against the decomposition's, the publication labels, and the "Export
// Picture..." command with its dialog.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QXmlStreamReader>
#include <QtTest>

#include "app/child_frame.h"
#include "app/commands.h"
#include "app/export_picture_dlg.h"
#include "app/main_frame.h"
#include "app/application.h"
#include "app/document.h"
#include "app/view.h"
#include "app/view_options.h"
#include "gui/gui_test_support.h"
#include "render/decomposition_picture.h"
#include "render/frame_mapping.h"
#include "render/picture_export.h"
#include "render/picture_labels.h"

using namespace zenphal;
using namespace zenphal::testing;

namespace {

// The first pixel where two images differ, or an empty text.
QString FirstDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) {
    return QStringLiteral("sizes %1x%2 and %3x%4").arg(a.width()).arg(a.height()).arg(b.width()).arg(b.height());
  }
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) return QStringLiteral("pixel %1,%2").arg(x).arg(y);
    }
  }
  return {};
}

// What the SVG draws, in document order: each <polyline> as its points, each
// <circle> (a line whose ends share a pixel) as its centre twice, each
// <text> as its content.
struct SvgContent {
  QList<QList<QPoint>> lines;
  QStringList texts;
  QString error;
};

SvgContent ParseSvg(const QByteArray& svg) {
  SvgContent content;
  QXmlStreamReader xml(svg);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const auto attributes = xml.attributes();
    if (xml.name() == QLatin1String("polyline")) {
      QList<QPoint> points;
      for (const QString& pair : attributes.value("points").toString().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        points << QPoint(pair.section(QLatin1Char(','), 0, 0).toInt(), pair.section(QLatin1Char(','), 1, 1).toInt());
      }
      content.lines << points;
    } else if (xml.name() == QLatin1String("circle")) {
      const QPoint centre(attributes.value("cx").toInt(), attributes.value("cy").toInt());
      content.lines << QList<QPoint>{centre, centre};
    } else if (xml.name() == QLatin1String("text")) {
      content.texts << xml.readElementText();
    }
  }
  if (xml.hasError()) content.error = xml.errorString();
  return content;
}

// The listed edges in pixels, in list order.
QList<QList<QPoint>> EdgeLines(const CDecomposition& d) {
  QList<QList<QPoint>> lines;
  for (int i = 0; i < d.PolygonCount(); ++i) {
    for (const Edge& e : d.Polygon(i).edges) {
      const PixelPoint a = ParameterToPixel(d.Rectangle(), e.x1, e.y1);
      const PixelPoint b = ParameterToPixel(d.Rectangle(), e.x2, e.y2);
      lines << QList<QPoint>{QPoint(a.x, a.y), QPoint(b.x, b.y)};
    }
  }
  return lines;
}

// The arrows' lines, as the picture draws them before the frame.
const QList<QList<QPoint>> kArrowLines = {
    {{100, 50}, {100, 25}}, {{100, 25}, {95, 30}},   {{100, 25}, {105, 30}},
    {{600, 550}, {625, 550}}, {{625, 550}, {620, 545}}, {{625, 550}, {620, 555}}};

// Whether p lies in the convex polygon of the edges' pixel ends (on the
// boundary counts).
bool InsideConvexHullOf(const QList<QList<QPoint>>& polygonLines, const QPoint& p) {
  QList<QPoint> corners;
  for (const auto& line : polygonLines) corners << line;
  // Inside a convex polygon iff p is on the same side of every line through
  // two of its corners that has all the corners on one side.
  for (const QPoint& a : corners) {
    for (const QPoint& b : corners) {
      if (a == b) continue;
      const auto side = [&](const QPoint& q) {
        return qint64(b.x() - a.x()) * (q.y() - a.y()) - qint64(b.y() - a.y()) * (q.x() - a.x());
      };
      bool left = false, right = false;
      for (const QPoint& c : corners) (side(c) > 0 ? left : right) |= side(c) != 0;
      if (left && right) continue;  // not a supporting line
      if ((left && side(p) < 0) || (right && side(p) > 0)) return false;
    }
  }
  return true;
}

}  // namespace

class PictureExportTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    settingsDir_ = std::make_unique<QTemporaryDir>();
    UseTemporarySettings(*settingsDir_);
  }

  void init() {
    app_ = std::make_unique<CZENPHApp>();
    app_->InitInstance({});
    frame_ = app_->MainFrame();
    view_ = frame_->ActiveFrame()->GetView();
    doc_ = view_->GetDocument();
  }
  void cleanup() { app_.reset(); }

  void CentroidsOfPolygons() {
    // A square, its edges in a muddled order and orientation.
    const std::vector<Edge> square = {{0, 0, 2, 0}, {0, 2, 0, 0}, {2, 2, 2, 0}, {2, 2, 0, 2}};
    auto c = PolygonCentroid(square);
    QVERIFY(c);
    QCOMPARE(c->x, 1.0f);
    QCOMPARE(c->y, 1.0f);
    // A right triangle: the mean of its corners.
    const std::vector<Edge> triangle = {{0, 0, 3, 0}, {3, 0, 0, 3}, {0, 3, 0, 0}};
    c = PolygonCentroid(triangle);
    QVERIFY(qAbs(c->x - 1.0f) < 1e-6f && qAbs(c->y - 1.0f) < 1e-6f);
    // A trapezoid, bases 4 and 2, height 2: the area centroid lies 8/9 up,
    // below its corners' mean.
    const std::vector<Edge> trapezoid = {{0, 0, 4, 0}, {3, 2, 4, 0}, {1, 2, 3, 2}, {0, 0, 1, 2}};
    c = PolygonCentroid(trapezoid);
    QVERIFY(qAbs(c->x - 2.0f) < 1e-6f && qAbs(c->y - 8.0f / 9.0f) < 1e-6f);
    // No area: the ends' mean. No edges: nothing.
    c = PolygonCentroid({{0, 0, 2, 2}, {2, 2, 0, 0}});
    QCOMPARE(c->x, 1.0f);
    QVERIFY(!PolygonCentroid({}));
  }

  void PngIsTheViewsPicture() {
    doc_->Compute(BuildComputation(TrnaInput()), view_);
    const CDecomposition& d = doc_->Decomposition();
    QCOMPARE(d.PolygonCount(), 26);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trna.png"));
    QVERIFY(view_->ExportPicture(path, PictureFormat::kPng, false));
    QImage exported(path);
    QCOMPARE(exported.size(), DecompositionPictureSize(view_->fontMetrics()));

    // The view as it paints itself, cut to the picture: a view of the
    // document on its own, larger than the picture.
    CZENPHView standalone(doc_);
    standalone.resize(exported.size() + QSize(40, 30));
    const QImage shown = standalone.grab().toImage().copy(QRect(QPoint(0, 0), exported.size()));
    const QString difference = FirstDifference(exported.convertToFormat(QImage::Format_RGB32),
                                               shown.convertToFormat(QImage::Format_RGB32));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    // Something to compare: edges in black, the frame's fill, white around.
    QCOMPARE(exported.pixel(350, 550), qRgb(0, 0, 0));  // the frame's bottom line
    QCOMPARE(exported.pixel(130, 300), qRgb(220, 220, 220));  // inside polygon 4
    QCOMPARE(exported.pixel(20, 300), qRgb(255, 255, 255));
  }

  void SvgHasOneLinePerListedEdge() {
    doc_->Compute(BuildComputation(TrnaInput()), view_);
    const CDecomposition& d = doc_->Decomposition();
    for (bool labels : {false, true}) {
      const SvgContent svg = ParseSvg(DecompositionSvg(d, view_->font(), labels));
      QVERIFY2(svg.error.isEmpty(), qPrintable(svg.error));
      // The arrows, then every listed edge once, in list order; the frame is a rectangle.
      const QList<QList<QPoint>> edges = EdgeLines(d);
      QCOMPARE(svg.lines.size(), kArrowLines.size() + edges.size());
      QCOMPARE(svg.lines.mid(0, kArrowLines.size()), kArrowLines);
      QCOMPARE(svg.lines.mid(kArrowLines.size()), edges);
      // The captions and the note; the labels after them.
      QCOMPARE(svg.texts.value(0), QStringLiteral("Gap Score"));
      QCOMPARE(svg.texts.value(10), QStringLiteral("alignments in the parametric space."));
      QCOMPARE(svg.texts.size(), labels ? 11 + d.PolygonCount() + 4 : 11);
      if (labels) {
        QCOMPARE(svg.texts.value(11), QStringLiteral("1"));
        QCOMPARE(svg.texts.value(10 + d.PolygonCount()), QString::number(d.PolygonCount()));
        QCOMPARE(svg.texts.mid(11 + d.PolygonCount()), (QStringList{"0", "2", "0", "2"}));
      }
    }
  }

  void LabelsNumberPolygonsAndWriteTheRanges() {
    ComputationInput input = SmallInput(2.5f, 1.0f);
    doc_->Compute(BuildComputation(input), view_);
    const CDecomposition& d = doc_->Decomposition();
    const int n = d.PolygonCount();
    QVERIFY(n > 2);
    const QFontMetrics metrics = view_->fontMetrics();
    const std::vector<PictureLabel> labels = DecompositionLabels(metrics, d);
    QCOMPARE(int(labels.size()), n + 4);

    // Polygon k's number stands inside polygon k (the report's k-th block).
    for (int i = 0; i < n; ++i) {
      QCOMPARE(labels[i].text, QString::number(i + 1));
      QList<QList<QPoint>> polygon;
      for (const Edge& e : d.Polygon(i).edges) {
        const PixelPoint a = ParameterToPixel(d.Rectangle(), e.x1, e.y1);
        const PixelPoint b = ParameterToPixel(d.Rectangle(), e.x2, e.y2);
        polygon << QList<QPoint>{QPoint(a.x, a.y), QPoint(b.x, b.y)};
      }
      QVERIFY2(InsideConvexHullOf(polygon, labels[i].box.center()), qPrintable(labels[i].text));
    }

    // The ranges as the reports write them, at the rectangle's corners: it
    // is 2.5 wide and 1 high, so s = 200 and its top is at y = 350.
    const PictureLabel& gapFrom = labels[n];
    const PictureLabel& gapTo = labels[n + 1];
    const PictureLabel& mismatchFrom = labels[n + 2];
    const PictureLabel& mismatchTo = labels[n + 3];
    QCOMPARE(gapFrom.text, QStringLiteral("0"));
    QCOMPARE(gapTo.text, QStringLiteral("1"));
    QCOMPARE(mismatchFrom.text, QStringLiteral("0"));
    QCOMPARE(mismatchTo.text, QStringLiteral("2.500"));
    QVERIFY(gapFrom.box.right() < kFrameLeft - 2 && gapTo.box.right() < kFrameLeft - 2);
    QVERIFY(qAbs(gapFrom.box.center().y() - 550) <= 1);
    QVERIFY(qAbs(gapTo.box.center().y() - 350) <= 1);
    QVERIFY(qAbs(mismatchFrom.box.center().x() - 100) <= 1);
    QVERIFY(qAbs(mismatchTo.box.center().x() - 600) <= 1);
    QCOMPARE(mismatchFrom.box.top(), RangeLabelRowTop(metrics));
    QVERIFY(mismatchTo.box.top() > 558 + metrics.height() - 1);  // under the "(0,0)" caption

    // The labelled picture is the plain one with the labels drawn over it:
    // every pixel that differs lies in a label's box, and the picture grows
    // only to hold the row of mismatch values.
    const QImage plain = DecompositionImage(d, view_->font(), false);
    const QImage labelled = DecompositionImage(d, view_->font(), true);
    QCOMPARE(labelled.width(), plain.width());
    QCOMPARE(labelled.height(), DecompositionPictureSize(metrics, true).height());
    QVERIFY(labelled.height() >= RangeLabelRowTop(metrics) + metrics.height());
    int changed = 0;
    for (int y = 0; y < plain.height(); ++y) {
      for (int x = 0; x < plain.width(); ++x) {
        if (plain.pixel(x, y) == labelled.pixel(x, y)) continue;
        ++changed;
        bool inLabel = false;
        for (const PictureLabel& label : labels) inLabel |= label.box.adjusted(-1, -1, 1, 1).contains(x, y);
        if (!inLabel) QFAIL(qPrintable(QStringLiteral("pixel %1,%2 changed outside the labels").arg(x).arg(y)));
      }
    }
    QVERIFY(changed > 0);
  }

  void ExportCommandAndDialog() {
    QAction* command = frame_->Command(kIdFileExportPicture);
    QVERIFY(command);
    QCOMPARE(command->text(), QStringLiteral("&Export Picture..."));
    // Nothing computed: the command stands greyed, and refuses if run anyway.
    frame_->UpdateFrameState();
    QVERIFY(!command->isEnabled());
    {
      MessageCatcher message;
      view_->OnExportPicture();
      QCOMPARE(message.text(), QString::fromLatin1(kNothingToExportText));
    }

    doc_->Compute(BuildComputation(SmallInput()), view_);
    QVERIFY(command->isEnabled());
    QTemporaryDir dir;
    const QString labelled = dir.filePath(QStringLiteral("labelled.svg"));
    {
      OnModal<ExportPictureDialog> chooser([&](ExportPictureDialog* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Export Picture"));
        QCOMPARE(d->nameFilters(), (QStringList{"SVG Pictures (*.svg)", "PNG Pictures (*.png)"}));
        QCOMPARE(d->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(d->selectedFiles().value(0).endsWith(QStringLiteral("/ZENPH1.svg")));
        // The boxes start as the view shows the picture: plain.
        for (QCheckBox* box : {d->NumbersBox(), d->ColoursBox(), d->AxisValuesBox()}) {
          QVERIFY(box->isVisible());
          QVERIFY(!box->isChecked());
        }
        d->selectFile(labelled);
        d->NumbersBox()->setChecked(true);
        d->AxisValuesBox()->setChecked(true);
        QMetaObject::invokeMethod(d, "accept");
      });
      command->trigger();
      QVERIFY(chooser.handled());
    }
    QFile svg(labelled);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const CDecomposition& d = doc_->Decomposition();
    const SvgContent content = ParseSvg(svg.readAll());
    QVERIFY(content.error.isEmpty());
    QCOMPARE(content.texts.size(), 11 + d.PolygonCount() + AxisValueLabels(view_->fontMetrics(), d).size());
    QCOMPARE(AxisValueLabels(view_->fontMetrics(), d).size(), 3 + AxisTicks(view_->fontMetrics(), d).size());

    // With the view's toggles on, the boxes start on; the PNG filter gives a
    // name typed without suffix ".png"; the file is the picture at its own
    // size with what the boxes ask for.
    ViewOptions shown;
    shown.colourRegions = true;
    shown.fitPicture = true;
    view_->SetOptions(shown);
    {
      OnModal<ExportPictureDialog> chooser([&](ExportPictureDialog* d) {
        QVERIFY(!d->NumbersBox()->isChecked());
        QVERIFY(d->ColoursBox()->isChecked());
        QVERIFY(!d->AxisValuesBox()->isChecked());
        auto* types = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types);
        types->setCurrentIndex(1);
        emit types->activated(1);
        emit types->textActivated(types->currentText());
        d->selectFile(dir.filePath(QStringLiteral("plain")));
        QMetaObject::invokeMethod(d, "accept");
      });
      view_->OnExportPicture();
      QVERIFY(chooser.handled());
    }
    QImage written(dir.filePath(QStringLiteral("plain.png")));
    QCOMPARE(written.size(), DecompositionPictureSize(view_->fontMetrics()));
    PictureOptions colours;
    colours.colours = true;
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32),
             DecompositionImage(d, view_->font(), colours).convertToFormat(QImage::Format_RGB32));
    QVERIFY(written.convertToFormat(QImage::Format_RGB32) !=
            DecompositionImage(d, view_->font(), false).convertToFormat(QImage::Format_RGB32));

    // A file that cannot be written is named; nothing else happens.
    MessageCatcher message;
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/x.png"));
    QVERIFY(!view_->ExportPicture(missing, PictureFormat::kPng, false));
    QVERIFY2(message.text().contains(QStringLiteral("no/such/folder")), qPrintable(message.text()));
    QCOMPARE(message.icon(), QMessageBox::Warning);
  }

 private:
  std::unique_ptr<QTemporaryDir> settingsDir_;
  std::unique_ptr<CZENPHApp> app_;
  CMainFrame* frame_ = nullptr;
  CZENPHView* view_ = nullptr;
  CZENPHDoc* doc_ = nullptr;
};

QTEST_MAIN(PictureExportTest)
#include "picture_export_test.moc"
