#pragma once
// The main window: the MDI area with the document windows, the frame menu
// while no document window is open and the document menu while one is.
#include <QHash>
#include <QMainWindow>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace zenphal {

class CChildFrame;
class CZENPHApp;
class CZENPHDoc;
struct ViewOptions;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  explicit CMainFrame(CZENPHApp* app);
  ~CMainFrame() override;

  QMdiArea* MdiArea() const { return m_mdiArea; }
  void AddFrame(CChildFrame* frame);
  CChildFrame* ActiveFrame() const;
  CZENPHDoc* ActiveDocument() const;
  QList<CChildFrame*> Frames() const;

  // The action of a command in the menus (the recent-file entries included).
  QAction* Command(int id) const { return m_commands.value(id); }
  // The menus now in the menu bar: the frame menu or the document menu.
  bool ShowsDocumentMenu() const { return m_documentMenuShown; }

  // Rebuilds the recent-file entries of the frame menu.
  void UpdateRecentFileMenu(const QStringList& files);
  // Enables Save, Save As and Export Picture for a document with something
  // computed, and
  // refreshes caption, window titles and menus.
  void UpdateFrameState();

  // A View toggle changed: every view follows, and the settings keep it.
  void OnViewToggled();
  ViewOptions CheckedViewOptions() const;

  void OnCloseDocument();
  void OnWindowNew();
  void OnWindowArrange();

 private:
  QAction* AddCommand(int id);
  QMenu* NewMenu(const QString& title);
  void ShowMenus(bool documentMenu);
  void UpdateWindowMenu();
  void UpdateWindowTitles();
  void ShowPrompt(QAction* action);
  void ShowIdle();

  CZENPHApp* m_app;
  QMdiArea* m_mdiArea;
  QHash<int, QAction*> m_commands;
  QList<QMenu*> m_frameMenus;
  QList<QMenu*> m_documentMenus;
  QMenu* m_windowMenu = nullptr;
  QList<QAction*> m_windowListActions;
  QAction* m_recentSeparator = nullptr;
  QMenu* m_frameFileMenu = nullptr;
  bool m_documentMenuShown = false;
};

}  // namespace zenphal
