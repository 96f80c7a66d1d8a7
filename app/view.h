#pragma once
// The view of a document window: the decomposition picture, the point query
// on a left button press, the scores and region under the mouse, and the
// view's commands. It repaints whenever its document's computation changes.
//
// The picture is the plain one at its own size (1:1) unless "Fit Picture
// to Window" scales it to the view; "Region Numbers", "Colour Regions" and
// "Axis Values" add to it (ViewOptions). View pixels and picture pixels are
// the same at 1:1; OnLButtonDown and HoverText take picture pixels.
#include <QColor>
#include <QPoint>
#include <QPointF>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "agreement/agreement.h"
#include "app/commands.h"
#include "app/view_options.h"
#include "render/picture_export.h"
#include "render/regions.h"

namespace zenphal {

class CZENPHDoc;
class Computation;

// What "Export Picture..." says before anything has been computed.
inline constexpr const char* kNothingToExportText = "No decomposition to export yet, please compute a case first.";

// The message of a click in the frame outside the rectangle's image.
inline constexpr const char* kNotInParameterSpaceText =
    "This rectangle is not in the parameter space. The reason is that the range of mismatch score doesn't agree "
    "with the range of gap score.";

// The click marker's colours.
inline const QColor kMarkerFillColour{20, 20, 200};

class CZENPHView : public QWidget {
  Q_OBJECT
 public:
  CZENPHView(CZENPHDoc* document, QWidget* parent = nullptr);
  ~CZENPHView() override;

  CZENPHDoc* GetDocument() const { return m_pDocument; }

  void OnStartCompute();      // "Start Compute"
  void OnExampleDemo();       // "Example Demo"
  void OnViewAllAlignment();  // "View All Alignment"
  void OnHelpTopic();         // "Help Topic"
  void OnExportPicture();     // "Export Picture..."
  // Writes the view's picture of the document's decomposition to path, at its
  // own size; a failure, or nothing computed yet, is reported in a message
  // and gives false.
  bool ExportPicture(const QString& path, PictureFormat format, const PictureOptions& options);
  bool ExportPicture(const QString& path, PictureFormat format, bool labels) {
    return ExportPicture(path, format, PictureOptions::Labels(labels));
  }
  // The point query at a picture pixel.
  void OnLButtonDown(const QPoint& pixel);

  // The View toggles. Setting them repaints and may change the size the
  // view asks for (LayoutChanged).
  const ViewOptions& Options() const { return m_options; }
  void SetOptions(const ViewOptions& options);

  // The picture's size at 1:1, and the width of its plot (without the
  // "Attention:" note), for the window's scroll bars.
  QSize PictureSize() const;
  int PlotWidth() const;
  // How the picture stands in the view: view pixel = offset + scale *
  // picture pixel (scale 1, offset 0 unless fitted to the window).
  double PictureScale() const;
  QPointF PictureOffset() const;
  QPointF ToPicture(const QPointF& viewPoint) const;

  // The status-bar text for the mouse at a picture point: the scores there,
  // the region with its counts and the score of its alignment, or where the
  // point lies instead. Empty where there is nothing to say.
  QString HoverText(const QPointF& picturePoint) const;

  // The region outlined (an index in list order, -1 for none): the region of
  // the clicked point while its Result dialog is open.
  int HighlightedRegion() const { return m_nHighlight; }
  // The regions of the document's decomposition (built on first use after
  // each computation).
  const RegionMap& Regions() const;
  // The agreement of the regions' alignments with the document's reference
  // alignment (measured on first use after each computation); nullptr when
  // the document has none or nothing is computed.
  const DecompositionAgreement* Agreement() const;
  // What the picture draws now: the View toggles, with the agreement fills
  // when "Colour by Agreement" is on and the document has a reference.
  PictureOptions ShownPictureOptions() const;

  QSize sizeHint() const override;

 signals:
  // The status-bar text for the mouse's place; empty when the mouse left.
  void HoverTextChanged(const QString& text);
  // The picture's size or scaling changed.
  void LayoutChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  // Shows the old edges painted over while the new decomposition is
  // computed, then hands the result to the document.
  void RunComputation(std::unique_ptr<Computation> computation);
  // The point query at a picture point (whole pixels at 1:1).
  void QueryAt(const QPointF& point);
  // One screen pixel in score units, for telling a border from a region.
  double PixelTolerance() const;

  CZENPHDoc* m_pDocument;
  ViewOptions m_options;
  bool m_bErasing = false;            // paint the document's edges over
  std::optional<QPointF> m_ptMarker;  // the click marker while a query runs
  int m_nHighlight = -1;              // the clicked region while its Result is open
  mutable std::optional<RegionMap> m_regions;
  mutable std::optional<DecompositionAgreement> m_agreement;
  mutable bool m_bAgreementMeasured = false;  // m_agreement is up to date
};

// The status bar's words for a region's agreement: ", agreement 0.923
// (sensitivity 0.930, precision 0.917, pairs 1.000)", "not defined" for a
// share without a denominator.
QString AgreementText(const RegionAgreement& agreement);

// The line under the report in the Result dialog: the clicked region's
// number and where its alignment stands in the all-alignments report.
// region: the polygon whose alignment the point report shows (-1 if none);
// at: the regions whose area holds the point; count: how many there are;
// sameRows: whether the report's rows are those listed for the region (an
// alignment with the same counts scores the same everywhere, but may place
// its gaps differently).
QString RegionLineText(int region, const std::vector<int>& at, int count, bool sameRows = true);

// The view's commands, each with its handler: the menus and every toolbar
// reach them through this one table.
struct ViewCommand {
  int id;
  void (CZENPHView::*handler)();
};
inline constexpr ViewCommand kViewCommands[] = {
    {kIdStartCompute, &CZENPHView::OnStartCompute},
    {kIdExampleDemo, &CZENPHView::OnExampleDemo},
    {kIdViewAllAlignment, &CZENPHView::OnViewAllAlignment},
    {kIdHelpTopic, &CZENPHView::OnHelpTopic},
    {kIdFileExportPicture, &CZENPHView::OnExportPicture},
};
// The handler of a view command, or nullptr for another command.
void (CZENPHView::*ViewHandler(int id))();

}  // namespace zenphal
