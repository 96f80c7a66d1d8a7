#pragma once
// The frame of one document window: an MDI sub-window holding its own
// toolbar (START, EXAMPLE, VIEW, HELP, each with a tooltip), the view in its
// scrolled area and its own status bar: the message pane, which shows the
// scores and region under the mouse over the view. (The "OVR", "CAP" and
// "NUM" panes are gone: Qt does not report those key states.)
#include <QMdiSubWindow>

class QLabel;
class QMainWindow;
class QStatusBar;
class QToolBar;

namespace zenphal {

class CZENPHDoc;
class CZENPHView;
class ViewArea;

class CChildFrame : public QMdiSubWindow {
  Q_OBJECT
 public:
  CChildFrame(CZENPHDoc* document, QWidget* parent = nullptr);
  ~CChildFrame() override;

  CZENPHDoc* GetDocument() const { return m_pDocument; }
  CZENPHView* GetView() const { return m_pView; }
  ViewArea* GetViewArea() const { return m_viewArea; }

  // The message pane: "Ready" when idle, a command's prompt while its menu
  // item or button is highlighted, what lies under the mouse over the view.
  void SetMessageText(const QString& text);
  void ShowIdleMessage();
  QString MessageText() const;

  QToolBar* m_wndToolBar;
  QStatusBar* m_wndStatusBar;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  CZENPHDoc* m_pDocument;
  QMainWindow* m_inner;  // lays out toolbar, view and status bar
  CZENPHView* m_pView;
  ViewArea* m_viewArea;
  QLabel* m_messagePane;
};

}  // namespace zenphal
