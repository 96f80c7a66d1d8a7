#include "app/zenph_view.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>

#include "app/all_alignment_dlg.h"
#include "app/example_demo_dlg.h"
#include "app/export_picture_dlg.h"
#include "app/help_dlg.h"
#include "app/input_dlg.h"
#include "app/messages.h"
#include "app/result_dlg.h"
#include "app/zenph_doc.h"
#include "render/decomposition_picture.h"
#include "render/frame_mapping.h"
#include "text/reports.h"

namespace zenphal {

CZENPHView::CZENPHView(CZENPHDoc* document, QWidget* parent) : QWidget(parent), m_pDocument(document) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  m_pDocument->AddView(this);
}

CZENPHView::~CZENPHView() { m_pDocument->RemoveView(this); }

QSize CZENPHView::sizeHint() const { return DecompositionPictureSize(fontMetrics()); }

void CZENPHView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setFont(font());
  const CDecomposition& d = m_pDocument->m_decomposition;
  DrawDecompositionPicture(painter, d);
  if (m_bErasing) DrawPolygonEdges(painter, kFrameFillColour, d);
  if (m_marker) {
    painter.setPen(QPen(kFrameFillColour, 1));
    painter.setBrush(kMarkerFillColour);
    painter.drawEllipse(QRect(m_marker->x() - 4, m_marker->y() - 4, 8, 8));
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
  const ParameterRectangle r = doc->m_decomposition.Rectangle();
  const Point p = PixelToParameter(r, pixel.x(), pixel.y());
  if (p.x > r.mismatchTo || p.y > r.gapTo) {
    ShowMessage(this,
                QStringLiteral("This rectangle is not in the parameter space.The reason is that the range of "
                               "mismatchscore doesn't agree with the range of gapscore."));
    return;
  }

  m_marker = pixel;
  repaint();
  CAligner& aligner = *doc->m_pAligner;
  aligner.SetPoint(p.x, p.y);
  CAlignment record;
  QString report;
  try {
    aligner.Compute(record);
    report = ToQString(PointReport(aligner.matchScore, aligner.indelScore, p.x, p.y, record));
  } catch (const std::exception& e) {
    m_marker.reset();
    update();
    ShowError(this, QStringLiteral("The alignment could not be computed: %1").arg(QString::fromUtf8(e.what())));
    return;
  }
  CResultDlg dialog(report, this);
  dialog.exec();
  // Painting the disc over: the next paint draws the frame and edges without it.
  m_marker.reset();
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

void CZENPHView::RunComputation(std::unique_ptr<CComputation> computation) {
  m_bErasing = true;
  repaint();
  try {
    m_pDocument->Compute(std::move(computation), this);
  } catch (const std::exception& e) {
    m_bErasing = false;
    update();
    ShowError(this, QStringLiteral("The decomposition could not be computed: %1").arg(QString::fromUtf8(e.what())));
    return;
  }
  m_bErasing = false;
  m_pDocument->UpdateAllViews();
  if (m_pDocument->m_decomposition.Incomplete()) {
    ShowError(this, QStringLiteral("The search hit one of its loop bounds; the decomposition may be incomplete."));
  }
}

void CZENPHView::OnViewAllAlignment() {
  const CZENPHDoc* doc = m_pDocument;
  QString text;
  if (!doc->HasComputation()) {
    text = QString::fromLatin1(kNothingComputedText);
  } else {
    text = ToQString(AllAlignmentsReport(*doc->m_pStructure1, *doc->m_pStructure2, doc->m_pAligner->matchScore,
                                         doc->m_pAligner->indelScore, doc->m_decomposition));
  }
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
  CExportPictureDlg dialog(this, name, m_bExportLabels);
  if (dialog.exec() != QDialog::Accepted || dialog.Path().isEmpty()) return;
  m_bExportLabels = dialog.Labels();
  ExportPicture(dialog.Path(), dialog.Format(), dialog.Labels());
}

bool CZENPHView::ExportPicture(const QString& path, PictureFormat format, bool labels) {
  if (!m_pDocument->HasComputation()) {
    ShowMessage(this, QString::fromLatin1(kNothingToExportText));
    return false;
  }
  QString error;
  if (!WriteWholeFile(path, DecompositionPicture(format, m_pDocument->m_decomposition, font(), labels), &error)) {
    ShowError(this, error);
    return false;
  }
  return true;
}

void CZENPHView::OnHelpTopic() {
  CHelpDlg dialog(this);
  dialog.exec();
}

}  // namespace zenphal
