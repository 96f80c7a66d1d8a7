// The view's additions around the plain picture: the View toggles
// (region numbers, colours, axis values, fitting the window) and their
// settings, the status bar under the mouse, the outlined region and its line
// in the Result dialog, resizable report dialogs, the input dialog's reading
// of the Help page's form, and a new user's walk from the Help page to the
// alignment at a clicked point.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextDocument>
#include <QtTest>
#include <set>

#include "app/all_alignment_dlg.h"
#include "app/application.h"
#include "app/child_frame.h"
#include "app/commands.h"
#include "app/dialog_builder.h"
#include "app/document.h"
#include "app/help_dlg.h"
#include "app/input_dlg.h"
#include "app/main_frame.h"
#include "app/messages.h"
#include "app/report_dlg.h"
#include "app/view.h"
#include "app/view_area.h"
#include "app/view_options.h"
#include "computation/outputs.h"
#include "formats/help_form.h"
#include "formats/score_text.h"
#include "gui/gui_test_support.h"
#include "render/decomposition_picture.h"
#include "render/frame_mapping.h"
#include "render/picture_export.h"
#include "render/picture_labels.h"
#include "render/regions.h"

using namespace zenphal;
using namespace zenphal::testing;

namespace {

QImage Rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

// A view of the document on its own, at the picture's size plus a margin, as
// it paints itself.
QImage StandaloneView(CZENPHDoc* doc, const ViewOptions& options, QSize size = {}) {
  CZENPHView view(doc);
  view.SetOptions(options);
  view.resize(size.isValid() ? size : view.PictureSize() + QSize(20, 20));
  return Rgb(view.grab().toImage());
}

QString ScoreText(float v) {
  std::string text;
  AppendScoreText(v, text);
  return QString::fromStdString(text);
}

void MoveMouse(QWidget* view, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), view->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(view, &move);
}

// The "<pre>" examples of the Help page, after the sub-heading that names each.
QString HelpExample(const QString& heading) {
  QFile page(QString::fromLatin1(kHelpPageResource));
  if (!page.open(QIODevice::ReadOnly)) return {};
  const QString html = QString::fromUtf8(page.readAll());
  const qsizetype at = html.indexOf(heading);
  if (at < 0) return {};
  const QRegularExpressionMatch pre = QRegularExpression(QStringLiteral("<pre>(.*?)</pre>"),
                                                         QRegularExpression::DotMatchesEverythingOption)
                                          .match(html, at);
  QTextDocument text;
  text.setHtml(QStringLiteral("<pre>") + pre.captured(1) + QStringLiteral("</pre>"));
  return text.toPlainText();
}

// A pixel well inside a region: the centroid of the largest one.
QPoint InnerPixel(const CDecomposition& d, int* region = nullptr) {
  int best = 0;
  double bestArea = -1;
  for (int i = 0; i < d.PolygonCount(); ++i) {
    double area = 0;
    const auto c = PolygonCentroid(d.Polygon(i).edges);
    for (const Edge& e : d.Polygon(i).edges) {
      area += std::abs((e.x1 - c->x) * (e.y2 - c->y) - (e.y1 - c->y) * (e.x2 - c->x)) / 2;
    }
    if (area > bestArea) {
      bestArea = area;
      best = i;
    }
  }
  if (region) *region = best;
  const auto c = PolygonCentroid(d.Polygon(best).edges);
  const PixelPoint p = ParameterToPixel(d.Rectangle(), c->x, c->y);
  return {p.x, p.y};
}

// The two rows at the end of a point report or a report block.
QStringList RowsOf(const QString& report) {
  const QStringList lines = report.split(QStringLiteral("\r\n"));
  return lines.mid(lines.size() - 2);
}

}  // namespace

class ViewTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    settingsDir_ = std::make_unique<QTemporaryDir>();
    UseTemporarySettings(*settingsDir_);
    app_ = std::make_unique<CZENPHApp>();
    app_->InitInstance({});
    frame_ = app_->MainFrame();
    child_ = frame_->ActiveFrame();
    view_ = child_->GetView();
    doc_ = view_->GetDocument();
  }
  void cleanup() {
    app_.reset();
    settingsDir_.reset();
  }

  void TogglesStartOffAndAreKeptBetweenRuns() {
    for (int id : {kIdViewRegionNumbers, kIdViewColourRegions, kIdViewAxisValues, kIdViewFitPicture}) {
      QAction* toggle = frame_->Command(id);
      QVERIFY(toggle && toggle->isCheckable());
      QVERIFY(!toggle->isChecked());
    }
    QCOMPARE(view_->Options(), ViewOptions{});
    // Every window follows, and the settings keep the state.
    frame_->Command(kIdWindowNew)->trigger();
    QCOMPARE(frame_->Frames().size(), 2);
    frame_->Command(kIdViewRegionNumbers)->trigger();
    frame_->Command(kIdViewAxisValues)->trigger();
    for (CChildFrame* frame : frame_->Frames()) {
      QVERIFY(frame->GetView()->Options().regionNumbers);
      QVERIFY(frame->GetView()->Options().axisValues);
      QVERIFY(!frame->GetView()->Options().colourRegions);
    }
    QSettings settings(QString::fromLatin1(kSettingsCompany), QString::fromLatin1(kSettingsApplication));
    QCOMPARE(settings.value(QStringLiteral("View/Region Numbers")).toBool(), true);
    QCOMPARE(settings.value(QStringLiteral("View/Colour Regions")).toBool(), false);
    app_.reset();
    CZENPHApp again;
    again.InitInstance({});
    QVERIFY(again.MainFrame()->Command(kIdViewRegionNumbers)->isChecked());
    QVERIFY(again.MainFrame()->Command(kIdViewAxisValues)->isChecked());
    QVERIFY(!again.MainFrame()->Command(kIdViewColourRegions)->isChecked());
    ViewOptions expected;
    expected.regionNumbers = true;
    expected.axisValues = true;
    QCOMPARE(again.MainFrame()->ActiveFrame()->GetView()->Options(), expected);
  }

  void TogglesOffGiveThePlainPicture() {
    doc_->Compute(BuildComputation(TrnaInput()), view_);
    const QImage plain = StandaloneView(doc_, {});
    // Exactly the export without options, at 1:1, however the toggles went.
    const QImage exported = Rgb(DecompositionImage(doc_->Decomposition(), view_->font(), PictureOptions{}));
    QCOMPARE(plain.copy(QRect(QPoint(0, 0), exported.size())), exported);
    ViewOptions all{true, true, true, false};
    view_->SetOptions(all);
    view_->SetOptions({});
    QCOMPARE(Rgb(view_->grab().toImage()), StandaloneView(doc_, {}, view_->size()));
  }

  void RegionNumbersAreTheExportsNumbers() {
    doc_->Compute(BuildComputation(TrnaInput()), view_);
    const CDecomposition& d = doc_->Decomposition();
    ViewOptions numbers;
    numbers.regionNumbers = true;
    const QImage shown = StandaloneView(doc_, numbers);
    const QImage plain = StandaloneView(doc_, {});
    PictureOptions exportNumbers;
    exportNumbers.numbers = true;
    const QImage exported = Rgb(DecompositionImage(d, view_->font(), exportNumbers));
    QCOMPARE(shown.copy(QRect(QPoint(0, 0), exported.size())), exported);
    // What changed lies in the numbers' boxes, one per polygon, "1" to "26"
    // in the report's order (the labels of `zenphal-cli --label` too).
    const std::vector<PictureLabel> labels = RegionNumberLabels(view_->fontMetrics(), d);
    QCOMPARE(int(labels.size()), d.PolygonCount());
    const std::vector<PictureLabel> cliLabels = DecompositionLabels(view_->fontMetrics(), d);
    for (int i = 0; i < d.PolygonCount(); ++i) {
      QCOMPARE(labels[i].text, QString::number(i + 1));
      QCOMPARE(cliLabels[i].box, labels[i].box);
    }
    int changed = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) {
        if (shown.pixel(x, y) == plain.pixel(x, y)) continue;
        ++changed;
        bool inLabel = false;
        for (const PictureLabel& label : labels) inLabel |= label.box.adjusted(-1, -1, 1, 1).contains(x, y);
        if (!inLabel) QFAIL(qPrintable(QStringLiteral("pixel %1,%2 outside the numbers").arg(x).arg(y)));
      }
    }
    QVERIFY(changed > 0);
  }

  void ColourRegionsTellNeighboursApart() {
    doc_->Compute(BuildComputation(TrnaInput()), view_);
    const CDecomposition& d = doc_->Decomposition();
    const RegionMap& map = view_->Regions();
    QCOMPARE(map.size(), d.PolygonCount());
    // Seven distinct colours, none the frame's grey or white.
    std::set<QRgb> palette;
    for (int c = 0; c < kRegionPaletteSize; ++c) palette.insert(RegionFillColour(c).rgb());
    QCOMPARE(int(palette.size()), kRegionPaletteSize);
    QVERIFY(!palette.count(kFrameFillColour.rgb()) && !palette.count(qRgb(255, 255, 255)));
    int borders = 0;
    for (int i = 0; i < map.size(); ++i) {
      QVERIFY(map.colours[i] >= 0 && map.colours[i] < kRegionPaletteSize);
      for (int j : map.neighbours[i]) {
        ++borders;
        QVERIFY2(map.colours[i] != map.colours[j], qPrintable(QStringLiteral("regions %1 and %2").arg(i + 1).arg(j + 1)));
        QVERIFY(std::count(map.neighbours[j].begin(), map.neighbours[j].end(), i) == 1);
      }
    }
    QVERIFY(borders >= 2 * (d.PolygonCount() - 1));  // a connected map

    ViewOptions colours;
    colours.colourRegions = true;
    const QImage shown = StandaloneView(doc_, colours);
    PictureOptions exportColours;
    exportColours.colours = true;
    const QImage exported = Rgb(DecompositionImage(d, view_->font(), exportColours));
    QCOMPARE(shown.copy(QRect(QPoint(0, 0), exported.size())), exported);
    // Each region's centroid shows its colour; the edges stay black.
    int checked = 0;
    for (int i = 0; i < d.PolygonCount(); ++i) {
      const auto centre = PolygonCentroid(d.Polygon(i).edges);
      const PixelPoint p = ParameterToPixel(d.Rectangle(), centre->x, centre->y);
      const QRgb c = shown.pixel(p.x, p.y);
      if (c == qRgb(0, 0, 0)) continue;  // a sliver: the centroid is on an edge
      QCOMPARE(c, RegionFillColour(map.colours[i]).rgb());
      ++checked;
      for (const Edge& e : d.Polygon(i).edges) {
        const PixelPoint a = ParameterToPixel(d.Rectangle(), e.x1, e.y1);
        QCOMPARE(shown.pixel(a.x, a.y), qRgb(0, 0, 0));
      }
    }
    QVERIFY(checked > d.PolygonCount() / 2);
  }

  void OriginLabelAndAxisValues() {
    // Ranges from 0: the usual "(0,0)"; from elsewhere: their lower ends.
    QCOMPARE(OriginLabelText(CDecomposition()), QStringLiteral("(0,0)"));
    ComputationInput inner = SmallInput(1.5f, 3.0f);
    inner.mismatchFrom = 0.5f;
    inner.gapFrom = 1.0f;
    doc_->Compute(BuildComputation(inner), view_);
    QCOMPARE(OriginLabelText(doc_->Decomposition()), QStringLiteral("(0.500,1)"));

    // [0, 10] x [0, 5]: ticks every 2, the part above the image hatched and named.
    doc_->Compute(BuildComputation(SmallInput(10.0f, 5.0f)), view_);
    const CDecomposition& d = doc_->Decomposition();
    QCOMPARE(OriginLabelText(d), QStringLiteral("(0,0)"));
    const QFontMetrics metrics = view_->fontMetrics();
    QStringList gapTicks, mismatchTicks;
    for (const AxisTick& t : AxisTicks(metrics, d)) (t.gapAxis ? gapTicks : mismatchTicks) << t.label.text;
    QCOMPARE(gapTicks, (QStringList{"2", "4"}));
    QCOMPARE(mismatchTicks, (QStringList{"2", "4", "6", "8"}));
    for (const AxisTick& t : AxisTicks(metrics, d)) {
      if (t.gapAxis) QCOMPARE(t.pixel, ParameterToPixel(d.Rectangle(), 0, float(t.value)).y);
    }
    QStringList values;
    for (const PictureLabel& l : AxisValueLabels(metrics, d)) values << l.text;
    QCOMPARE(values.mid(0, 3), (QStringList{"0", "5", "10"}));  // gap from, gap to, mismatch to
    const QRect unused = UnusedFrameRect(d);
    QCOMPARE(unused, QRect(QPoint(101, 51), QPoint(599, 299)));

    ViewOptions axis;
    axis.axisValues = true;
    const QImage shown = StandaloneView(doc_, axis);
    const QImage plain = StandaloneView(doc_, {});
    // The picture keeps its size; the hatching fills the part above the image.
    QCOMPARE(DecompositionPictureSize(metrics, PictureOptions{false, false, false, true}.HasValueRow()),
             DecompositionPictureSize(metrics));
    int hatch = 0;
    for (int y = unused.top(); y <= unused.bottom(); ++y) {
      for (int x = unused.left(); x <= unused.right(); ++x) hatch += shown.pixel(x, y) == qRgb(150, 150, 150);
    }
    QVERIFY2(hatch > 1000, qPrintable(QString::number(hatch)));
    for (int y = 302; y < 548; ++y) {  // the image itself is as it was
      for (int x = 102; x < 598; ++x) {
        if (shown.pixel(x, y) != plain.pixel(x, y)) QFAIL(qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
      }
    }
    PictureOptions exportAxis;
    exportAxis.axisValues = true;
    const QByteArray svg = DecompositionSvg(d, view_->font(), exportAxis);
    QVERIFY(svg.contains(kUnusedFrameText));
    // A square range leaves nothing unused.
    doc_->Compute(BuildComputation(SmallInput()), view_);
    QVERIFY(UnusedFrameRect(doc_->Decomposition()).isEmpty());
  }

  void StatusBarShowsWhatIsUnderTheMouse() {
    MoveMouse(view_, QPoint(350, 300));
    QVERIFY(child_->MessageText().startsWith(QStringLiteral("Nothing computed yet")));
    doc_->Compute(BuildComputation(TrnaInput()), view_);
    const CDecomposition& d = doc_->Decomposition();
    // A point inside the largest region.
    int inner = -1;
    const QPoint pixel = InnerPixel(d, &inner);
    MoveMouse(view_, pixel);
    const QString text = child_->MessageText();
    const Point p = PixelToParameter(d.Rectangle(), pixel.x(), pixel.y());
    const PointResult at = doc_->GetComputation().AlignAt(p.x, p.y);
    const int k = RegionOfAlignment(d, at.record) + 1;
    QCOMPARE(k, inner + 1);
    QVERIFY2(text.startsWith(QStringLiteral("MismatchScore:%1  GapScore:%2   Region %3 of 26, score %4: ")
                                 .arg(ScoreText(p.x), ScoreText(p.y))
                                 .arg(k)
                                 .arg(ScoreText(float(at.score)))),
             qPrintable(text));
    // At (1, 1) four regions meet.
    MoveMouse(view_, QPoint(350, 300));
    QVERIFY2(child_->MessageText().contains(QStringLiteral("(on its border with")), qPrintable(child_->MessageText()));
    const QString report = ToQString(PointReportText(doc_->GetComputation(), at));
    const QRegularExpressionMatch counts =
        QRegularExpression(QStringLiteral("Match Number:(\\d+)\r\nMismatch Number:(\\d+)")).match(report);
    QVERIFY(text.contains(QStringLiteral("Match %1, Mismatch %2,").arg(counts.captured(1), counts.captured(2))));
    QVERIFY2(text.endsWith(QStringLiteral(", Pair Indel %1").arg(at.record.pairIndelCount)), qPrintable(text));
    // Outside the frame, and leaving the view.
    MoveMouse(view_, QPoint(50, 300));
    QCOMPARE(child_->MessageText(), QStringLiteral("Outside the score rectangle"));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(view_, &leave);
    QCOMPARE(child_->MessageText(), QStringLiteral("Ready"));

    // Above a flat rectangle: not in the parameter space.
    doc_->Compute(BuildComputation(SmallInput(10.0f, 5.0f)), view_);
    MoveMouse(view_, QPoint(350, 200));
    QVERIFY2(child_->MessageText().startsWith(QStringLiteral("MismatchScore:5  GapScore:7")), qPrintable(child_->MessageText()));
    QVERIFY(child_->MessageText().endsWith(QStringLiteral("not in the parameter space")));
  }

  void HoverOnABorderNamesBothRegions() {
    doc_->Compute(BuildComputation(TrnaInput()), view_);
    const CDecomposition& d = doc_->Decomposition();
    const RegionMap& map = view_->Regions();
    // The middle of a shared side of two regions, in pixels.
    for (int i = 0; i < map.size(); ++i) {
      for (int j : map.neighbours[i]) {
        const auto& hull = map.hulls[i];
        for (size_t a = 0; a < hull.size(); ++a) {
          const Point p = hull[a], q = hull[(a + 1) % hull.size()];
          const Point mid{(p.x + q.x) / 2, (p.y + q.y) / 2};
          const std::vector<int> at = RegionsAt(map, mid, 1e-4);
          if (at.size() != 2 || at[0] != std::min(i, j) || at[1] != std::max(i, j)) continue;
          const PixelPoint pixel = ParameterToPixel(d.Rectangle(), mid.x, mid.y);
          const QString text = view_->HoverText(QPointF(pixel.x, pixel.y));
          if (!text.contains(QStringLiteral("border"))) continue;
          QVERIFY2(text.contains(QStringLiteral("Region %1 of 26 (on its border with %2), score ")
                                     .arg(std::min(i, j) + 1)
                                     .arg(std::max(i, j) + 1)),
                   qPrintable(text));
          return;
        }
      }
    }
    QFAIL("no border found");
  }

  void ClickOutlinesTheRegionAndNamesIt() {
    doc_->Compute(BuildComputation(TrnaInput()), view_);
    const CDecomposition& d = doc_->Decomposition();
    int k = -1;
    const QPoint pixel = InnerPixel(d, &k);
    const Point p = PixelToParameter(d.Rectangle(), pixel.x(), pixel.y());
    const PointResult at = doc_->GetComputation().AlignAt(p.x, p.y);
    QCOMPARE(RegionOfAlignment(d, at.record), k);
    QString line, report;
    int highlighted = -2;
    QImage during;
    {
      OnModal<CResultDlg> result([&](CResultDlg* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Result"));
        line = dialog->RegionText();
        report = dialog->Text();
        highlighted = view_->HighlightedRegion();
        during = Rgb(view_->grab().toImage());
        dialog->accept();
      });
      view_->OnLButtonDown(pixel);
      QVERIFY(result.handled());
    }
    QCOMPARE(highlighted, k);
    QVERIFY2(line == QStringLiteral("Region %1 of 26: \"The %1 optimal alignment is:\" in View All Alignment").arg(k + 1) ||
                 line == QStringLiteral("Region %1 of 26: \"The %1 optimal alignment is:\" (same score, gaps elsewhere)").arg(k + 1),
             qPrintable(line));
    // The report itself is the plain one, and its rows are those of block k.
    QCOMPARE(report, ToQString(PointReportText(doc_->GetComputation(), at)));
    const QString all = ToQString(AllAlignmentsText(doc_->GetComputation()));
    const QString heading = QStringLiteral("The %1 optimal alignment is:").arg(k + 1);
    QVERIFY(all.contains(heading));
    QString block = all.mid(all.indexOf(heading));
    const qsizetype next = block.indexOf(QStringLiteral("The %1 optimal alignment is:").arg(k + 2));
    if (next > 0) block = block.left(next);
    while (block.endsWith(QStringLiteral("\r\n"))) block.chop(2);
    QCOMPARE(RowsOf(block) == RowsOf(report), line.endsWith(QStringLiteral("in View All Alignment")));
    // The outline is drawn along the region's hull while the dialog is open.
    const auto& hull = view_->Regions().hulls[k];
    int outlined = 0;
    for (const Point& p : hull) {
      const PixelPoint c = ParameterToPixel(d.Rectangle(), p.x, p.y);
      outlined += during.pixel(c.x, c.y) == kRegionHighlightColour.rgb();
    }
    QVERIFY2(outlined >= int(hull.size()) / 2, qPrintable(QString::number(outlined)));
    QCOMPARE(view_->HighlightedRegion(), -1);
    QVERIFY(Rgb(view_->grab().toImage()) != during);

    QCOMPARE(RegionLineText(2, {1, 2, 6}, 9),
             QStringLiteral("Region 3 of 9 (on its border with 2 and 7): \"The 3 optimal alignment is:\" in View All Alignment"));
    QCOMPARE(RegionLineText(2, {2}, 9, false),
             QStringLiteral("Region 3 of 9: \"The 3 optimal alignment is:\" (same score, gaps elsewhere)"));
    QCOMPARE(RegionLineText(-1, {1, 2}, 9),
             QStringLiteral("On the border of regions 2 and 3 of 9: another alignment as good as theirs here, not listed"));
  }

  void FitScalesThePictureAndSmallWindowsScroll() {
    doc_->Compute(BuildComputation(TrnaInput()), view_);
    ViewArea* area = child_->GetViewArea();
    // 1:1 in a window smaller than the plot: scroll bars over the whole picture.
    child_->resize(400, 300);
    QCoreApplication::processEvents();
    QCOMPARE(view_->minimumSize(), view_->PictureSize());
    QVERIFY(area->horizontalScrollBar()->maximum() > 0);
    QVERIFY(area->verticalScrollBar()->maximum() > 0);
    QCOMPARE(view_->PictureScale(), 1.0);

    // Fitted: the view fills the area, the picture scaled to it, no scroll bars.
    frame_->Command(kIdViewFitPicture)->trigger();
    QCoreApplication::processEvents();
    QVERIFY(view_->Options().fitPicture);
    QCOMPARE(view_->size(), area->viewport()->size());
    QCOMPARE(area->horizontalScrollBar()->maximum(), 0);
    const double s = view_->PictureScale();
    QVERIFY2(s < 1.0 && s > 0.2, qPrintable(QString::number(s)));
    // A click where the picture's (350, 300) is shown asks for about (1, 1).
    const QPointF shown = view_->PictureOffset() + QPointF(350, 300) * s;
    QCOMPARE(view_->ToPicture(shown), QPointF(350, 300));
    QString report;
    {
      OnModal<CResultDlg> result([&](CResultDlg* dialog) {
        report = dialog->Text();
        dialog->accept();
      });
      QTest::mouseClick(view_, Qt::LeftButton, Qt::NoModifier, shown.toPoint());
      QVERIFY(result.handled());
    }
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("MismatchScore:([0-9.]+)\r\nIndelScore:[0-9.]+\r\nGapScore:([0-9.]+)"))
            .match(report);
    QVERIFY2(m.hasMatch(), qPrintable(report));
    QVERIFY(qAbs(m.captured(1).toDouble() - 1.0) < 0.02 && qAbs(m.captured(2).toDouble() - 1.0) < 0.02);
    // Larger windows scale it up.
    child_->resize(1600, 1200);
    QCoreApplication::processEvents();
    QVERIFY(view_->PictureScale() > s);
    // Back to 1:1: the plain picture again.
    frame_->Command(kIdViewFitPicture)->trigger();
    QCOMPARE(view_->PictureScale(), 1.0);
    QCOMPARE(view_->PictureOffset(), QPointF(0, 0));
  }

  void ReportDialogsOpenAtTheirSizeAndResize() {
    CResultDlg result(QStringLiteral("MatchScore:1\r\nA|\r\nA|"));
    result.show();
    const DialogUnits units(result.font());
    QCOMPARE(result.size(), units.Size(298, 214));
    QVERIFY(result.windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(result.isSizeGripEnabled());
    QVERIFY(result.maximumSize().width() > 4000);
    QWidget* edit = FindControl(&result, kIdReportEdit);
    QWidget* ok = FindControl(&result, kIdOk);
    QCOMPARE(edit->geometry(), units.Rect(7, 7, 284, 175));
    QCOMPARE(ok->geometry(), units.Rect(121, 193, 50, 14));
    auto* line = result.findChild<QLabel*>(QStringLiteral("regionLine"));
    QVERIFY(line && line->geometry().top() >= edit->geometry().bottom() && line->geometry().bottom() < ok->y());
    result.SetRegionText(QStringLiteral("Region 1 of 1"));
    QCOMPARE(result.RegionText(), QStringLiteral("Region 1 of 1"));
    QCOMPARE(result.Text(), QStringLiteral("MatchScore:1\r\nA|\r\nA|"));  // the report is untouched
    result.resize(result.size() + QSize(300, 200));
    QCoreApplication::processEvents();
    QCOMPARE(edit->geometry(), units.Rect(7, 7, 284, 175).adjusted(0, 0, 300, 200));
    QCOMPARE(ok->geometry(), units.Rect(121, 193, 50, 14).translated(150, 200));
    QCOMPARE(line->width(), units.Rect(7, 184, 284, 8).width() + 300);

    CAllAlignmentDlg all(QStringLiteral("text"));
    all.show();
    QCOMPARE(all.size(), units.Size(373, 276));
    QVERIFY(all.windowFlags() & Qt::WindowMaximizeButtonHint);
    QWidget* save = FindControl(&all, kIdSaveResult);
    const QRect saveAt = save->geometry();
    all.resize(all.size() + QSize(200, 100));
    QCoreApplication::processEvents();
    QCOMPARE(FindControl(&all, kIdReportEdit)->geometry(), units.Rect(7, 7, 359, 229).adjusted(0, 0, 200, 100));
    QCOMPARE(save->geometry(), saveAt.translated(100, 100));
  }

  void InputTakesTheHelpPagesForm() {
    // The form alone, with a name, with "R=" and "P=", commas, several lines.
    const std::pair<const char*, const char*> accepted[] = {
        {"AAGUCUAGGUCUCACU\n1 5 2 7 12 1 8 10 1 13 15 1", "1 5 2 7 12 1 8 10 1 13 15 1"},
        {"toy example\r\nAAGUCUAGGUCUCACU\r\n1 5 2 7 12 1 8 10 1 13 15 1\r\n", "1 5 2 7 12 1 8 10 1 13 15 1"},
        {">toy\nAAGUCUAG\nGUCUCACU\n\n1, 5, 2\n7 12 1 8 10 1 13 15 1\n", "1 5 2 7 12 1 8 10 1 13 15 1"},
        {"R=AAGUCUAGGUCUCACU\nP=1 5 2 7 12 1 8 10 1 13 15 1", "1 5 2 7 12 1 8 10 1 13 15 1"},
    };
    for (const auto& [text, stems] : accepted) {
      const auto read = ReadSequenceAndStems(text);
      QVERIFY2(read, text);
      QCOMPARE(read->bases, std::string("AAGUCUAGGUCUCACU"));
      QCOMPARE(read->stems, std::string(stems));
    }
    for (const char* refused : {"AAGUCUAGGUCUCACU", "AAGUCUAGGUCUCACU\n1 5", "ACGU\n1 x 2", "1 5 2\n1 2 3",
                                "name\nAC-GU\n0 3 1", ""}) {
      QVERIFY2(!ReadSequenceAndStems(refused), refused);
    }

    CInputDlg dialog;
    auto* box1 = FindControlAs<QPlainTextEdit>(&dialog, kIdInputRna1Edit);
    auto* box2 = FindControlAs<QPlainTextEdit>(&dialog, kIdInputRna2Edit);
    QVERIFY(box1->placeholderText().contains(QStringLiteral("1 5 2 7 12 1 8 10 1 13 15 1")));
    box1->setPlainText(QStringLiteral("AAGUCUAGGUCUCACU\n1 5 2 7 12 1 8 10 1 13 15 1"));
    box2->setPlainText(QStringLiteral("AGGUCAAGUCUCAC\n1 5 1 7 12 2"));
    {
      MessageCatcher message;
      FindControlAs<QPushButton>(&dialog, kIdOk)->click();
      QVERIFY2(!message.caught(), qPrintable(message.text()));
    }
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_strSequence1, std::string("AAGUCUAGGUCUCACU"));
    QCOMPARE(dialog.m_strStems2, std::string("1 5 1 7 12 2"));

    // A text no form takes: the message says where the forms are shown.
    CInputDlg wrong;
    FindControlAs<QPlainTextEdit>(&wrong, kIdInputRna1Edit)->setPlainText(QStringLiteral("just a line of text"));
    FindControlAs<QPlainTextEdit>(&wrong, kIdInputRna2Edit)->setPlainText(QStringLiteral("ACGU\n0 3 1"));
    MessageCatcher message;
    FindControlAs<QPushButton>(&wrong, kIdOk)->click();
    QVERIFY2(message.text().startsWith(QStringLiteral("RNA1: invalid argument")), qPrintable(message.text()));
    QVERIFY(message.text().contains(QStringLiteral("Help Topic shows an example of each")));
  }

  void EveryHelpExampleIsTheSameStructure() {
    const char* headings[] = {"Bases and stems", "Zenphal's own layout", "Dot-bracket (ViennaRNA)",
                              "CT (RNAstructure, mfold)", "BPSEQ"};
    std::vector<int> first;
    for (const char* heading : headings) {
      const QString example = HelpExample(QString::fromLatin1(heading));
      QVERIFY2(!example.isEmpty(), heading);
      CInputDlg dialog;
      FindControlAs<QPlainTextEdit>(&dialog, kIdInputRna1Edit)->setPlainText(example);
      FindControlAs<QPlainTextEdit>(&dialog, kIdInputRna2Edit)->setPlainText(example);
      MessageCatcher message;
      FindControlAs<QPushButton>(&dialog, kIdOk)->click();
      QVERIFY2(!message.caught(), qPrintable(QString::fromLatin1(heading) + QStringLiteral(": ") + message.text()));
      auto computation = dialog.TakeComputation();
      QVERIFY(computation);
      QCOMPARE(computation->First().sequence, std::string("AAGUCUAGGUCUCACU"));
      const CRnaStructure expected("AAGUCUAGGUCUCACU", "1 5 2 7 12 1 8 10 1 13 15 1");
      QCOMPARE(computation->First().partner, expected.partner);
    }
  }

  // A new user, from the Help page only: types the structure of its example
  // and a second one in the same form, computes, clicks a point, and finds
  // the alignment shown in the list of all alignments by the region's number.
  void NewUserWalkFromTheHelpPage() {
    const QString example = HelpExample(QStringLiteral("Bases and stems"));
    QCOMPARE(example, QStringLiteral("AAGUCUAGGUCUCACU\n1 5 2 7 12 1 8 10 1 13 15 1"));
    {
      OnModal<CInputDlg> input([&](CInputDlg* d) {
        FindControlAs<QPlainTextEdit>(d, kIdInputRna1Edit)->setPlainText(example);
        FindControlAs<QPlainTextEdit>(d, kIdInputRna2Edit)->setPlainText(QStringLiteral("AGGUCAAGUCUCAC\n1 5 1 7 12 2"));
        FindControlAs<QPushButton>(d, kIdOk)->click();
      });
      frame_->Command(kIdStartCompute)->trigger();
      QVERIFY(input.handled());
    }
    QVERIFY(doc_->HasComputation());
    const int n = doc_->Decomposition().PolygonCount();
    QVERIFY(n > 1);
    QString line, report;
    {
      OnModal<CResultDlg> result([&](CResultDlg* d) {
        line = d->RegionText();
        report = d->Text();
        d->accept();
      });
      view_->OnLButtonDown(QPoint(250, 400));
      QVERIFY(result.handled());
    }
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^Region (\\d+) of (\\d+)")).match(line);
    QVERIFY2(m.hasMatch(), qPrintable(line));
    QCOMPARE(m.captured(2).toInt(), n);
    QString all;
    {
      OnModal<CAllAlignmentDlg> dialog([&](CAllAlignmentDlg* d) {
        all = d->Text();
        d->accept();
      });
      frame_->Command(kIdViewAllAlignment)->trigger();
      QVERIFY(dialog.handled());
    }
    const QString heading = QStringLiteral("The %1 optimal alignment is:").arg(m.captured(1));
    QVERIFY(all.contains(heading));
    QString block = all.mid(all.indexOf(heading));
    const qsizetype next = block.indexOf(QStringLiteral("optimal alignment is:"), heading.size());
    if (next > 0) block = block.left(block.lastIndexOf(QStringLiteral("\r\nThe "), next));
    while (block.endsWith(QStringLiteral("\r\n"))) block.chop(2);
    // The same counts; the same rows unless the line says the gaps stand elsewhere.
    const auto counts = [](const QString& text) {
      return text.mid(text.indexOf(QStringLiteral("Match Number:")), text.indexOf(QStringLiteral("\r\n\r\n"),
                      text.indexOf(QStringLiteral("Match Number:"))) - text.indexOf(QStringLiteral("Match Number:")));
    };
    QCOMPARE(counts(block), counts(report));
    QVERIFY(!counts(report).isEmpty());
    if (line.contains(QStringLiteral("gaps elsewhere"))) {
      QVERIFY(RowsOf(block) != RowsOf(report));
    } else {
      QCOMPARE(RowsOf(block), RowsOf(report));
    }
  }

 private:
  std::unique_ptr<QTemporaryDir> settingsDir_;
  std::unique_ptr<CZENPHApp> app_;
  CMainFrame* frame_ = nullptr;
  CChildFrame* child_ = nullptr;
  CZENPHView* view_ = nullptr;
  CZENPHDoc* doc_ = nullptr;
};

QTEST_MAIN(ViewTest)
#include "view_test.moc"
