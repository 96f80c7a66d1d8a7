#include "app/view.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>

#include "app/all_alignment_dlg.h"
#include "app/document.h"
#include "app/example_demo_dlg.h"
#include "app/export_picture_dlg.h"
#include "app/help_dlg.h"
#include "app/input_dlg.h"
#include "app/messages.h"
#include "app/report_dlg.h"
#include "computation/outputs.h"
#include "output/file_writer.h"
#include "output/reports.h"
#include "render/decomposition_picture.h"
#include "render/frame_mapping.h"

namespace zenphal {

void (CZENPHView::*ViewHandler(int id))() {
  for (const ViewCommand& c : kViewCommands) {
    if (c.id == id) return c.handler;
  }
  return nullptr;
}

CZENPHView::CZENPHView(CZENPHDoc* document, QWidget* parent) : QWidget(parent), m_pDocument(document) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  connect(m_pDocument, &CZENPHDoc::ComputationChanged, this, qOverload<>(&QWidget::update));
}

CZENPHView::~CZENPHView() = default;

QSize CZENPHView::sizeHint() const { return DecompositionPictureSize(fontMetrics()); }

void CZENPHView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setFont(font());
  const CDecomposition& d = m_pDocument->Decomposition();
  DrawDecompositionPicture(painter, d);
  if (m_bErasing) DrawPolygonEdges(painter, kFrameFillColour, d);
  if (m_ptMarker) {
    painter.setPen(QPen(kFrameFillColour, 1));
    painter.setBrush(kMarkerFillColour);
    painter.drawEllipse(QRect(m_ptMarker->x() - 4, m_ptMarker->y() - 4, 8, 8));
  }
}

void CZENPHView::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) OnLButtonDown(event->position().toPoint());
}

void CZENPHView::OnLButtonDown(const QPoint& pixel) {
  if (!PixelInFrame(pixel.x(), pixel.y())) return;
  CZENPHDoc* doc = m_pDocument;
  if (!doc->HasComputation()) return;
  const ParameterRectangle r = doc->Decomposition().Rectangle();
  const Point p = PixelToParameter(r, pixel.x(), pixel.y());
  if (p.x > r.mismatchTo || p.y > r.gapTo) {
    ShowMessage(this,
                QStringLiteral("This rectangle is not in the parameter space.The reason is that the range of "
                               "mismatchscore doesn't agree with the range of gapscore."));
    return;
  }

  m_ptMarker = pixel;
  repaint();
  QString report;
  try {
    Computation& computation = doc->GetComputation();
    report = ToQString(PointReportText(computation, computation.AlignAt(p.x, p.y)));
  } catch (const std::exception& e) {
    m_ptMarker.reset();
    update();
    ShowError(this, QStringLiteral("The alignment could not be computed: %1").arg(QString::fromUtf8(e.what())));
    return;
  }
  CResultDlg dialog(report, this);
  dialog.exec();
  // Painting the disc over: the next paint draws the frame and edges without it.
  m_ptMarker.reset();
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
  ExportPictureDialog dialog(this, name, m_bExportLabels);
  if (dialog.exec() != QDialog::Accepted || dialog.Path().isEmpty()) return;
  m_bExportLabels = dialog.Labels();
  ExportPicture(dialog.Path(), dialog.Format(), dialog.Labels());
}

bool CZENPHView::ExportPicture(const QString& path, PictureFormat format, bool labels) {
  if (!m_pDocument->HasComputation()) {
    ShowMessage(this, QString::fromLatin1(kNothingToExportText));
    return false;
  }
  try {
    WriteFileAtomically(ToFilePath(path),
                        DecompositionPicture(format, m_pDocument->Decomposition(), font(), labels).toStdString());
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
