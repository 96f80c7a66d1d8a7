#pragma once
// The help window ("Help", dialog 136) showing the help page from the
// program's resources, and the about box ("About ZENPH", dialog 100).
#include <QDialog>

class QTextBrowser;

namespace zenphal {

inline constexpr int kIdHelpOk = 1020;
inline constexpr const char* kHelpPageResource = ":/zenphal/help.html";

class CHelpDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CHelpDlg(QWidget* parent = nullptr);
  QTextBrowser* Browser() const { return m_browser; }

 private:
  QTextBrowser* m_browser;
};

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace zenphal
