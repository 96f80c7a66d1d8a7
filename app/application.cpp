#include "app/application.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QSettings>

#include "app/child_frame.h"
#include "app/commands.h"
#include "computation/document_file.h"
#include "app/help_dlg.h"
#include "app/main_frame.h"
#include "app/messages.h"
#include "app/document.h"
#include "computation/document_file.h"
#include "engine/errors.h"
#include "formats/input_file.h"
#include "output/file_writer.h"

namespace zenphal {
namespace {

QSettings RecentFileSettings() {
  return QSettings(QString::fromLatin1(kSettingsCompany), QString::fromLatin1(kSettingsApplication));
}

QString RecentKey(int i) { return QStringLiteral("Recent File List/File%1").arg(i + 1); }

}  // namespace

CZENPHApp::CZENPHApp() = default;

CZENPHApp::~CZENPHApp() {
  // Windows (and with them the documents) go before the application.
  m_pMainWnd.reset();
}

void CZENPHApp::InitInstance(const QStringList& arguments) {
  QSettings settings = RecentFileSettings();
  for (int i = 0; i < kRecentFileCount; ++i) {
    const QString path = settings.value(RecentKey(i)).toString();
    if (!path.isEmpty()) m_recentFiles.append(path);
  }
  m_pMainWnd = std::make_unique<CMainFrame>(this);
  m_pMainWnd->UpdateRecentFileMenu(m_recentFiles);
  // Without a window manager to maximise it, the window still covers the screen.
  if (QScreen* screen = QGuiApplication::primaryScreen()) m_pMainWnd->setGeometry(screen->availableGeometry());
  m_pMainWnd->showMaximized();
  if (!arguments.isEmpty()) {
    OpenDocumentFile(arguments.constFirst());
  } else {
    OnFileNew();
  }
}

CZENPHDoc* CZENPHApp::OnFileNew() {
  auto* doc = new CZENPHDoc(QStringLiteral("ZENPH%1").arg(++m_nUntitledCount), this);
  CreateNewFrame(doc);
  return doc;
}

CChildFrame* CZENPHApp::CreateNewFrame(CZENPHDoc* document) {
  auto* frame = new CChildFrame(document);
  m_pMainWnd->AddFrame(frame);
  return frame;
}

QList<CZENPHDoc*> CZENPHApp::Documents() const { return findChildren<CZENPHDoc*>(Qt::FindDirectChildrenOnly); }

void CZENPHApp::OnFileOpen() {
  QFileDialog chooser(m_pMainWnd.get(), QStringLiteral("Open"));
  chooser.setAcceptMode(QFileDialog::AcceptOpen);
  chooser.setFileMode(QFileDialog::ExistingFile);
  chooser.setNameFilters({QString::fromLatin1(kDocumentFilter), QStringLiteral("All Files (*.*)")});
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
  OpenDocumentFile(chooser.selectedFiles().constFirst());
}

CZENPHDoc* CZENPHApp::OpenDocumentFile(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  for (CZENPHDoc* doc : Documents()) {
    if (doc->PathName() != absolute) continue;
    for (CChildFrame* frame : m_pMainWnd->Frames()) {
      if (frame->GetDocument() == doc) {
        m_pMainWnd->MdiArea()->setActiveSubWindow(frame);
        break;
      }
    }
    AddToRecentFileList(absolute);
    return doc;
  }

  QWidget* owner = m_pMainWnd.get();
  std::string bytes;
  try {
    bytes = ReadInputFile(ToFilePath(absolute));
  } catch (const FileReadError& e) {
    ShowError(owner, MessageOf(e));
    RemoveFromRecentFileList(absolute);
    return nullptr;
  }
  std::unique_ptr<Computation> computation;
  try {
    computation = std::make_unique<Computation>(DocumentFromJson(bytes));
  } catch (const InputError& e) {
    ShowError(owner, QStringLiteral("%1 is not a ZENPH document: %2.").arg(NativePath(absolute), QString::fromUtf8(e.what())));
    return nullptr;
  }
  auto doc = std::make_unique<CZENPHDoc>(QFileInfo(absolute).fileName(), this);
  try {
    doc->Compute(std::move(computation), owner);
  } catch (const Cancelled&) {
    ShowMessage(owner, QStringLiteral("Opening %1 was cancelled; nothing was opened.").arg(NativePath(absolute)));
    return nullptr;
  } catch (const std::exception& e) {
    ShowError(owner, QStringLiteral("%1 could not be computed: %2.").arg(NativePath(absolute), QString::fromUtf8(e.what())));
    return nullptr;
  }
  doc->SetPathName(absolute);
  CZENPHDoc* opened = doc.release();
  CreateNewFrame(opened);
  AddToRecentFileList(absolute);
  // As after Compute: a result that may lack polygons says so.
  if (opened->Decomposition().Incomplete()) ShowError(owner, QString::fromLatin1(kIncompleteText));
  return opened;
}

void CZENPHApp::OnOpenRecentFile(int index) {
  if (index < 0 || index >= m_recentFiles.size()) return;
  OpenDocumentFile(m_recentFiles[index]);
}

bool CZENPHApp::OnFileSave(CZENPHDoc* document) {
  if (!document->HasComputation()) return false;
  if (document->PathName().isEmpty()) return OnFileSaveAs(document);
  return DoSave(document, document->PathName());
}

bool CZENPHApp::OnFileSaveAs(CZENPHDoc* document) {
  if (!document->HasComputation()) return false;
  QFileDialog chooser(m_pMainWnd.get(), QStringLiteral("Save As"));
  chooser.setAcceptMode(QFileDialog::AcceptSave);
  chooser.setNameFilters({QString::fromLatin1(kDocumentFilter), QStringLiteral("All Files (*.*)")});
  chooser.setDefaultSuffix(QStringLiteral("zenph"));
  chooser.selectFile(document->PathName().isEmpty() ? document->Title() + QStringLiteral(".zenph")
                                                    : document->PathName());
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return false;
  return DoSave(document, chooser.selectedFiles().constFirst());
}

bool CZENPHApp::DoSave(CZENPHDoc* document, const QString& path) {
  try {
    document->SaveTo(path);
  } catch (const WriteError& e) {
    ShowError(m_pMainWnd.get(), MessageOf(e));
    return false;
  }
  document->SetPathName(path);
  AddToRecentFileList(document->PathName());
  return true;
}

void CZENPHApp::OnAppAbout() {
  CAboutDlg dialog(m_pMainWnd.get());
  dialog.exec();
}

void CZENPHApp::AddToRecentFileList(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  m_recentFiles.removeAll(absolute);
  m_recentFiles.prepend(absolute);
  while (m_recentFiles.size() > kRecentFileCount) m_recentFiles.removeLast();
  SaveRecentFileList();
}

void CZENPHApp::RemoveFromRecentFileList(const QString& path) {
  if (m_recentFiles.removeAll(path) > 0) SaveRecentFileList();
}

void CZENPHApp::SaveRecentFileList() const {
  QSettings settings = RecentFileSettings();
  for (int i = 0; i < kRecentFileCount; ++i) {
    if (i < m_recentFiles.size()) {
      settings.setValue(RecentKey(i), m_recentFiles[i]);
    } else {
      settings.remove(RecentKey(i));
    }
  }
  if (m_pMainWnd) m_pMainWnd->UpdateRecentFileMenu(m_recentFiles);
}

}  // namespace zenphal
