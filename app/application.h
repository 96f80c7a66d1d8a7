#pragma once
// The application: start-up, the document type (document, frame, view), the
// file commands, the recent-file list and the about box.
#include <QObject>
#include <QStringList>
#include <memory>

namespace zenphal {

class CChildFrame;
class CMainFrame;
class CZENPHDoc;

// Where the recent-file list is kept between runs.
inline constexpr const char* kSettingsCompany = "Local AppWizard-Generated Applications";
inline constexpr const char* kSettingsApplication = "ZENPH";
inline constexpr const char* kDocumentFilter = "ZENPH Documents (*.zenph)";

class CZENPHApp : public QObject {
  Q_OBJECT
 public:
  CZENPHApp();
  ~CZENPHApp() override;

  // Loads the recent-file list, creates and shows the maximised main window,
  // then opens the file named by the first argument, or a new document.
  void InitInstance(const QStringList& arguments);
  CMainFrame* MainFrame() const { return m_pMainWnd.get(); }

  // A new empty document (ZENPH1, ZENPH2, ...) in a new window.
  CZENPHDoc* OnFileNew();
  // Asks for a document file and opens it.
  void OnFileOpen();
  // Opens a stored document into a new document and computes it; a file
  // that cannot be read, is not a document or cannot be computed gives a
  // message naming it and opens nothing (nullptr). An open document of that
  // file is activated instead.
  CZENPHDoc* OpenDocumentFile(const QString& path);
  void OnOpenRecentFile(int index);
  // Save writes to the document's file, asking for one if it has none.
  bool OnFileSave(CZENPHDoc* document);
  bool OnFileSaveAs(CZENPHDoc* document);
  // Writes the document to path; on failure a message names the file.
  bool DoSave(CZENPHDoc* document, const QString& path);
  void OnAppAbout();

  // Another window on the document.
  CChildFrame* CreateNewFrame(CZENPHDoc* document);
  QList<CZENPHDoc*> Documents() const;

  const QStringList& RecentFiles() const { return m_recentFiles; }
  void AddToRecentFileList(const QString& path);

 private:
  void RemoveFromRecentFileList(const QString& path);
  void SaveRecentFileList() const;

  int m_nUntitledCount = 0;
  QStringList m_recentFiles;
  std::unique_ptr<CMainFrame> m_pMainWnd;
};

}  // namespace zenphal
