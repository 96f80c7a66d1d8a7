#include "app/view.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <string>

#include "app/all_alignment_dlg.h"
#include "app/document.h"
#include "app/example_demo_dlg.h"
#include "app/export_picture_dlg.h"
#include "app/help_dlg.h"
#include "app/input_dlg.h"
#include "app/messages.h"
#include "app/report_dlg.h"
#include "computation/outputs.h"
#include "computation/region_query.h"
#include "computation/run_agreement.h"
#include "formats/score_text.h"
#include "output/file_writer.h"
#include "output/reports.h"
#include "render/decomposition_picture.h"
#include "render/frame_mapping.h"

namespace zenphal {
namespace {

QString ScoreText(double v) {
  std::string text;
  AppendScoreText(static_cast<float>(v), text);
  return QString::fromStdString(text);
}

// "3", "3 and 7", "3, 7 and 9": region numbers from indexes.
QString NumberList(const std::vector<int>& regions) {
  QStringList numbers;
  for (int i : regions) numbers << QString::number(i + 1);
  if (numbers.size() <= 1) return numbers.join(QString());
  const QString last = numbers.takeLast();
  return numbers.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

// The point's pixel is whole at 1:1: the query then is exactly the
// plain one.
bool IsWholePixel(const QPointF& p) { return p.x() == std::floor(p.x()) && p.y() == std::floor(p.y()); }

Point ParameterAt(const ParameterRectangle& r, const QPointF& p) {
  if (IsWholePixel(p)) return PixelToParameter(r, static_cast<int>(p.x()), static_cast<int>(p.y()));
  return PixelToParameter(r, p.x(), p.y());
}

}  // namespace

void (CZENPHView::*ViewHandler(int id))() {
  for (const ViewCommand& c : kViewCommands) {
    if (c.id == id) return c.handler;
  }
  return nullptr;
}

QString AgreementText(const RegionAgreement& a) {
  const auto share = [](const std::optional<double>& v) {
    return v ? QString::number(*v, 'f', 3) : QStringLiteral("not defined");
  };
  return QStringLiteral(", agreement %1 (sensitivity %2, precision %3, pairs %4)")
      .arg(share(a.Agreement()), share(a.Sensitivity()), share(a.Precision()), share(a.Pairs()));
}

QString RegionLineText(int region, const std::vector<int>& at, int count, bool sameRows) {
  if (region >= 0) {
    std::vector<int> others;
    for (int i : at) {
      if (i != region) others.push_back(i);
    }
    QString line = QStringLiteral("Region %1 of %2").arg(region + 1).arg(count);
    if (!others.empty()) line += QStringLiteral(" (on its border with %1)").arg(NumberList(others));
    line += QStringLiteral(": \"The %1 optimal alignment is:\"").arg(region + 1);
    // An alignment with the listed counts scores as the listed one
    // everywhere; only where its gaps stand may differ.
    return line + (sameRows ? QStringLiteral(" in View All Alignment") : QStringLiteral(" (same score, gaps elsewhere)"));
  }
  if (!at.empty()) {
    return QStringLiteral("On the border of region%1 %2 of %3: another alignment as good as %4 here, not listed")
        .arg(at.size() > 1 ? QStringLiteral("s") : QString(), NumberList(at))
        .arg(count)
        .arg(at.size() > 1 ? QStringLiteral("theirs") : QStringLiteral("its"));
  }
  return QStringLiteral("In none of the %1 listed regions").arg(count);
}

CZENPHView::CZENPHView(CZENPHDoc* document, QWidget* parent)
    : QWidget(parent), m_pDocument(document), m_options(LoadViewOptions()) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  connect(m_pDocument, &CZENPHDoc::ComputationChanged, this, [this] {
    m_regions.reset();
    m_agreement.reset();
    m_bAgreementMeasured = false;
    update();
  });
}

CZENPHView::~CZENPHView() = default;

void CZENPHView::SetOptions(const ViewOptions& options) {
  if (options == m_options) return;
  m_options = options;
  updateGeometry();
  emit LayoutChanged();
  update();
}

QSize CZENPHView::PictureSize() const {
  return DecompositionPictureSize(fontMetrics(), m_options.Picture().HasValueRow());
}

int CZENPHView::PlotWidth() const { return DecompositionPlotWidth(fontMetrics()); }

QSize CZENPHView::sizeHint() const { return PictureSize(); }

double CZENPHView::PictureScale() const {
  if (!m_options.fitPicture) return 1.0;
  const QSize picture = PictureSize();
  if (picture.isEmpty() || width() <= 0 || height() <= 0) return 1.0;
  return std::min(static_cast<double>(width()) / picture.width(), static_cast<double>(height()) / picture.height());
}

QPointF CZENPHView::PictureOffset() const {
  if (!m_options.fitPicture) return {0, 0};
  const QSize picture = PictureSize();
  const double s = PictureScale();
  // Centred, on whole pixels.
  return {std::floor((width() - s * picture.width()) / 2.0), std::floor((height() - s * picture.height()) / 2.0)};
}

QPointF CZENPHView::ToPicture(const QPointF& viewPoint) const {
  if (!m_options.fitPicture) return viewPoint;
  return (viewPoint - PictureOffset()) / PictureScale();
}

const RegionMap& CZENPHView::Regions() const {
  if (!m_regions) m_regions = BuildRegionMap(m_pDocument->Decomposition());
  return *m_regions;
}

const DecompositionAgreement* CZENPHView::Agreement() const {
  if (!m_pDocument->HasComputation()) return nullptr;
  if (!m_bAgreementMeasured) {
    m_agreement = AgreementOfRun(m_pDocument->GetComputation());
    m_bAgreementMeasured = true;
  }
  return m_agreement ? &*m_agreement : nullptr;
}

PictureOptions CZENPHView::ShownPictureOptions() const {
  PictureOptions options = m_options.Picture();
  if (m_options.colourByAgreement) {
    if (const DecompositionAgreement* a = Agreement()) options.agreement = AgreementValues(*a);
  }
  return options;
}

double CZENPHView::PixelTolerance() const {
  const ParameterRectangle r = m_pDocument->Decomposition().Rectangle();
  return HasFrameScale(r) ? 1.0 / (FrameScale(r) * PictureScale()) : 0.0;
}

void CZENPHView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const bool scaled = m_options.fitPicture && PictureScale() != 1.0;
  if (m_options.fitPicture) {
    painter.translate(PictureOffset());
    painter.scale(PictureScale(), PictureScale());
  }
  painter.setFont(font());
  const CDecomposition& d = m_pDocument->Decomposition();
  // While a new decomposition is computed the old one stands plain, its
  // edges painted over.
  PictureOptions options = m_bErasing ? PictureOptions{} : ShownPictureOptions();
  options.antialiased = scaled;
  const bool fills = options.colours || !options.agreement.empty();
  DrawDecompositionPicture(painter, d, options, fills ? &Regions() : nullptr);
  if (m_bErasing) DrawPolygonEdges(painter, kFrameFillColour, d);
  if (m_nHighlight >= 0) DrawRegionOutline(painter, d, Regions(), m_nHighlight);
  if (m_ptMarker) {
    painter.setPen(QPen(kFrameFillColour, 1));
    painter.setBrush(kMarkerFillColour);
    if (IsWholePixel(*m_ptMarker)) {
      const QPoint p = m_ptMarker->toPoint();
      painter.drawEllipse(QRect(p.x() - 4, p.y() - 4, 8, 8));
    } else {
      painter.drawEllipse(QRectF(m_ptMarker->x() - 4, m_ptMarker->y() - 4, 8, 8));
    }
  }
}

void CZENPHView::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  if (m_options.fitPicture) {
    QueryAt(ToPicture(event->position()));
  } else {
    OnLButtonDown(event->position().toPoint());
  }
}

void CZENPHView::mouseMoveEvent(QMouseEvent* event) {
  QWidget::mouseMoveEvent(event);
  const QPointF p = m_options.fitPicture ? ToPicture(event->position()) : QPointF(event->position().toPoint());
  emit HoverTextChanged(HoverText(p));
}

void CZENPHView::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  emit HoverTextChanged(QString());
}

QString CZENPHView::HoverText(const QPointF& p) const {
  const bool inFrame = PixelInFrame(p.x(), p.y());
  if (!m_pDocument->HasComputation()) {
    return inFrame ? QStringLiteral("Nothing computed yet: choose Compute, then Start Compute or Example Demo")
                   : QString();
  }
  const CDecomposition& d = m_pDocument->Decomposition();
  const ParameterRectangle r = d.Rectangle();
  if (!inFrame || !HasFrameScale(r)) return QStringLiteral("Outside the score rectangle");
  const Point at = ParameterAt(r, p);
  const QString scores = QStringLiteral("MismatchScore:%1  GapScore:%2").arg(ScoreText(at.x), ScoreText(at.y));
  if (at.x > r.mismatchTo || at.y > r.gapTo) {
    return scores + QStringLiteral("  outside the score rectangle: not in the parameter space");
  }
  const RegionMap& map = Regions();
  std::vector<int> regions = RegionsAt(map, at, PixelTolerance());
  if (regions.empty()) {
    // A sliver the search's tolerance left between regions: the nearest one.
    double distance = 0;
    const int nearest = NearestRegion(map, at, &distance);
    if (nearest >= 0 && distance <= 3 * PixelTolerance()) regions.push_back(nearest);
  }
  if (regions.empty()) return scores + QStringLiteral("  in none of the %1 listed regions").arg(d.PolygonCount());

  const int k = regions.front();
  const CAlignment& a = d.Polygon(k);
  QString where = QStringLiteral("Region %1 of %2").arg(k + 1).arg(d.PolygonCount());
  if (regions.size() > 1) {
    where += QStringLiteral(" (on its border with %1)").arg(NumberList({regions.begin() + 1, regions.end()}));
  }
  // The counts as the reports write them; the score as the aligner scores.
  const double score = ScoreAt(m_pDocument->GetComputation(), a, at.x, at.y);
  const QString counts =
      QStringLiteral("Match %1, Mismatch %2, Indel %3, Gap %4, Pair Match %5, Pair Mismatch %6, Pair Indel %7")
          .arg(static_cast<int16_t>(a.matchCount - 2 * a.pairMatchCount))
          .arg(static_cast<int16_t>(a.mismatchCount - 2 * a.pairMismatchCount))
          .arg(static_cast<int16_t>(a.indelCount - 2 * a.pairIndelCount))
          .arg(a.gapCount)
          .arg(a.pairMatchCount)
          .arg(a.pairMismatchCount)
          .arg(a.pairIndelCount);
  // The score (and the agreement) first: the counts may run past the window's edge.
  const DecompositionAgreement* agreement = Agreement();
  const QString agrees = agreement && static_cast<size_t>(k) < agreement->regions.size()
                             ? AgreementText(agreement->regions[static_cast<size_t>(k)])
                             : QString();
  return QStringLiteral("%1   %2, score %3%4: %5").arg(scores, where, ScoreText(score), agrees, counts);
}

void CZENPHView::OnLButtonDown(const QPoint& pixel) { QueryAt(QPointF(pixel)); }

void CZENPHView::QueryAt(const QPointF& pixel) {
  if (!PixelInFrame(pixel.x(), pixel.y())) return;
  CZENPHDoc* doc = m_pDocument;
  if (!doc->HasComputation()) return;
  const CDecomposition& d = doc->Decomposition();
  const ParameterRectangle r = d.Rectangle();
  const Point p = ParameterAt(r, pixel);
  if (p.x > r.mismatchTo || p.y > r.gapTo) {
    ShowMessage(this, QString::fromLatin1(kNotInParameterSpaceText));
    return;
  }

  m_ptMarker = pixel;
  repaint();
  QString report;
  int region = -1;
  bool sameRows = true;
  try {
    Computation& computation = doc->GetComputation();
    const PointResult result = computation.AlignAt(p.x, p.y);
    report = ToQString(PointReportText(computation, result));
    region = RegionOfAlignment(d, result.record);
    if (region >= 0) {
      const AlignedRows& listed = d.Polygon(region).rows;
      sameRows = listed.topRow == result.record.rows.topRow && listed.bottomRow == result.record.rows.bottomRow;
    }
  } catch (const std::exception& e) {
    m_ptMarker.reset();
    update();
    ShowError(this, QStringLiteral("The alignment could not be computed: %1").arg(QString::fromUtf8(e.what())));
    return;
  }
  const std::vector<int> at = RegionsAt(Regions(), p, PixelTolerance());
  m_nHighlight = region >= 0 ? region : (at.empty() ? -1 : at.front());
  repaint();
  CResultDlg dialog(report, this);
  dialog.SetRegionText(RegionLineText(region, at, d.PolygonCount(), sameRows));
  dialog.exec();
  // Painting the disc over: the next paint draws the frame and edges without it.
  m_ptMarker.reset();
  m_nHighlight = -1;
  update();
}

void CZENPHView::OnStartCompute() {
  CInputDlg dialog(this);
  if (dialog.exec() != QDialog::Accepted) return;
  RunComputation(dialog.TakeComputation());
}

void CZENPHView::OnExampleDemo() {
  CExampleDemoDlg dialog(this);
  if (dialog.exec() != QDialog::Accepted) return;
  RunComputation(dialog.TakeComputation());
}

void CZENPHView::RunComputation(std::unique_ptr<Computation> computation) {
  m_bErasing = true;
  repaint();
  try {
    m_pDocument->Compute(std::move(computation), this);
  } catch (const Cancelled&) {
    m_bErasing = false;  // the old picture comes back as it was
    update();
    ShowMessage(this, QString::fromLatin1(kCancelledText));
    return;
  } catch (const std::exception& e) {
    m_bErasing = false;
    update();
    ShowError(this, QStringLiteral("The decomposition could not be computed: %1").arg(QString::fromUtf8(e.what())));
    return;
  }
  m_bErasing = false;
  update();
  if (m_pDocument->Decomposition().Incomplete()) ShowError(this, QString::fromLatin1(kIncompleteText));
}

void CZENPHView::OnViewAllAlignment() {
  const CZENPHDoc* doc = m_pDocument;
  const QString text = doc->HasComputation() ? ToQString(AllAlignmentsText(doc->GetComputation()))
                                             : QString::fromLatin1(kNothingComputedText);
  CAllAlignmentDlg dialog(text, this);
  dialog.exec();
}

void CZENPHView::OnExportPicture() {
  if (!m_pDocument->HasComputation()) {
    ShowMessage(this, QString::fromLatin1(kNothingToExportText));
    return;
  }
  const QString name = m_pDocument->PathName().isEmpty() ? m_pDocument->Title()
                                                         : QFileInfo(m_pDocument->PathName()).completeBaseName();
  // The boxes start as the view shows the picture; the file is always 1:1.
  const DecompositionAgreement* agreement = Agreement();
  ExportPictureDialog dialog(this, name, ShownPictureOptions(),
                             agreement ? AgreementValues(*agreement) : std::vector<double>{});
  if (dialog.exec() != QDialog::Accepted || dialog.Path().isEmpty()) return;
  ExportPicture(dialog.Path(), dialog.Format(), dialog.Options());
}

bool CZENPHView::ExportPicture(const QString& path, PictureFormat format, const PictureOptions& options) {
  if (!m_pDocument->HasComputation()) {
    ShowMessage(this, QString::fromLatin1(kNothingToExportText));
    return false;
  }
  try {
    WriteFileAtomically(ToFilePath(path),
                        DecompositionPicture(format, m_pDocument->Decomposition(), font(), options).toStdString());
  } catch (const WriteError& e) {
    ShowError(this, MessageOf(e));
    return false;
  }
  return true;
}

void CZENPHView::OnHelpTopic() {
  CHelpDlg dialog(this);
  dialog.exec();
}

}  // namespace zenphal
