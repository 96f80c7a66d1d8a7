#pragma once
// The view of a document window: the decomposition picture, the point query
// on a left button press, and the view's commands. It repaints whenever its
// document's computation changes.
#include <QColor>
#include <QPoint>
#include <QWidget>
#include <memory>
#include <optional>

#include "app/commands.h"
#include "render/picture_export.h"

namespace zenphal {

class CZENPHDoc;
class Computation;

// What "Export Picture..." says before anything has been computed.
inline constexpr const char* kNothingToExportText = "No decomposition to export yet, please compute a case first.";

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
  // Writes the view's picture of the document's decomposition to path; a
  // failure, or nothing computed yet, is reported in a message and gives
  // false.
  bool ExportPicture(const QString& path, PictureFormat format, bool labels);
  // The point query at a client pixel.
  void OnLButtonDown(const QPoint& pixel);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // Shows the old edges painted over while the new decomposition is
  // computed, then hands the result to the document.
  void RunComputation(std::unique_ptr<Computation> computation);

  CZENPHDoc* m_pDocument;
  bool m_bErasing = false;          // paint the document's edges over
  std::optional<QPoint> m_ptMarker;  // the click marker while a query runs
  bool m_bExportLabels = false;     // the export dialog's check box, as last left
};

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
