#include "app/main_frame.h"

#include <QAction>
#include <QDir>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

#include "app/child_frame.h"
#include "app/commands.h"
#include "app/application.h"
#include "app/document.h"
#include "app/view.h"
#include "app/view_options.h"

namespace zenphal {

CMainFrame::CMainFrame(CZENPHApp* app) : m_app(app) {
  setWindowTitle(QStringLiteral("ZENPH"));
  setWindowIcon(QIcon(QStringLiteral(":/zenphal/zenphal.png")));
  m_mdiArea = new QMdiArea(this);
  m_mdiArea->setBackground(palette().brush(QPalette::Dark));
  setCentralWidget(m_mdiArea);

  // Application commands.
  connect(AddCommand(kIdFileNew), &QAction::triggered, app, [app] { app->OnFileNew(); });
  connect(AddCommand(kIdFileOpen), &QAction::triggered, app, [app] { app->OnFileOpen(); });
  connect(AddCommand(kIdFileClose), &QAction::triggered, this, &CMainFrame::OnCloseDocument);
  connect(AddCommand(kIdFileSave), &QAction::triggered, app, [this, app] {
    if (CZENPHDoc* doc = ActiveDocument()) app->OnFileSave(doc);
  });
  connect(AddCommand(kIdFileSaveAs), &QAction::triggered, app, [this, app] {
    if (CZENPHDoc* doc = ActiveDocument()) app->OnFileSaveAs(doc);
  });
  connect(AddCommand(kIdAppExit), &QAction::triggered, this, &QWidget::close);
  connect(AddCommand(kIdAppAbout), &QAction::triggered, app, [app] { app->OnAppAbout(); });
  for (int i = 0; i < kRecentFileCount; ++i) {
    connect(AddCommand(kIdFileMru1 + i), &QAction::triggered, app, [app, i] { app->OnOpenRecentFile(i); });
  }
  // Window commands.
  connect(AddCommand(kIdWindowNew), &QAction::triggered, this, &CMainFrame::OnWindowNew);
  connect(AddCommand(kIdWindowCascade), &QAction::triggered, m_mdiArea, &QMdiArea::cascadeSubWindows);
  connect(AddCommand(kIdWindowTile), &QAction::triggered, m_mdiArea, &QMdiArea::tileSubWindows);
  connect(AddCommand(kIdWindowArrange), &QAction::triggered, this, &CMainFrame::OnWindowArrange);
  // The view's commands go to the active document window's view.
  for (const ViewCommand& command : kViewCommands) {
    connect(AddCommand(command.id), &QAction::triggered, this, [this, handler = command.handler] {
      if (CChildFrame* frame = ActiveFrame()) (frame->GetView()->*handler)();
    });
  }
  // The View toggles: one state for every view, kept between runs.
  const ViewOptions options = LoadViewOptions();
  const std::pair<int, bool> toggles[] = {{kIdViewRegionNumbers, options.regionNumbers},
                                          {kIdViewColourRegions, options.colourRegions},
                                          {kIdViewAxisValues, options.axisValues},
                                          {kIdViewFitPicture, options.fitPicture},
                                          {kIdViewColourByAgreement, options.colourByAgreement}};
  for (const auto& [id, on] : toggles) {
    QAction* toggle = AddCommand(id);
    toggle->setCheckable(true);
    toggle->setChecked(on);
    connect(toggle, &QAction::toggled, this, &CMainFrame::OnViewToggled);
  }
  // The keys work whichever menu is shown.
  addActions({Command(kIdFileNew), Command(kIdFileOpen), Command(kIdFileSave)});

  // The frame menu.
  m_frameFileMenu = NewMenu(QStringLiteral("&File"));
  m_frameFileMenu->addAction(Command(kIdFileNew));
  m_frameFileMenu->addAction(Command(kIdFileOpen));
  m_frameFileMenu->addSeparator();
  for (int i = 0; i < kRecentFileCount; ++i) m_frameFileMenu->addAction(Command(kIdFileMru1 + i));
  m_recentSeparator = m_frameFileMenu->addSeparator();
  m_frameFileMenu->addAction(Command(kIdAppExit));
  QMenu* frameHelp = NewMenu(QStringLiteral("&Help"));
  frameHelp->addAction(Command(kIdAppAbout));
  m_frameMenus = {m_frameFileMenu, frameHelp};

  // The document menu.
  QMenu* file = NewMenu(QStringLiteral("&File"));
  for (int id : {kIdFileNew, kIdFileOpen, kIdFileClose, kIdFileSave, kIdFileSaveAs, kIdFileExportPicture}) {
    file->addAction(Command(id));
  }
  file->addSeparator();
  file->addAction(Command(kIdAppExit));
  QMenu* compute = NewMenu(QStringLiteral("&Compute"));
  for (int id : {kIdStartCompute, kIdExampleDemo, kIdViewAllAlignment}) compute->addAction(Command(id));
  QMenu* view = NewMenu(QStringLiteral("&View"));
  for (int id : {kIdViewRegionNumbers, kIdViewColourRegions, kIdViewAxisValues}) view->addAction(Command(id));
  view->addSeparator();
  view->addAction(Command(kIdViewFitPicture));
  view->addSeparator();
  view->addAction(Command(kIdViewColourByAgreement));
  m_windowMenu = NewMenu(QStringLiteral("&Window"));
  for (int id : {kIdWindowNew, kIdWindowCascade, kIdWindowTile, kIdWindowArrange}) {
    m_windowMenu->addAction(Command(id));
  }
  connect(m_windowMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateWindowMenu);
  QMenu* help = NewMenu(QStringLiteral("&Help"));
  help->addAction(Command(kIdAppAbout));
  help->addAction(Command(kIdHelpTopic));
  m_documentMenus = {file, compute, view, m_windowMenu, help};
  connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateFrameState);

  connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::UpdateFrameState);
  UpdateRecentFileMenu({});
  ShowMenus(false);
  resize(1024, 768);
}

CMainFrame::~CMainFrame() {
  // The document windows go first, while this frame is still whole: closing
  // them would otherwise call back into it half destroyed.
  m_mdiArea->disconnect(this);
  for (CChildFrame* frame : Frames()) delete frame;
}

QAction* CMainFrame::AddCommand(int id) {
  QAction* action = MakeCommandAction(id, this);
  m_commands.insert(id, action);
  return action;
}

QMenu* CMainFrame::NewMenu(const QString& title) {
  auto* menu = new QMenu(title, this);
  connect(menu, &QMenu::hovered, this, &CMainFrame::ShowPrompt);
  connect(menu, &QMenu::aboutToHide, this, &CMainFrame::ShowIdle);
  return menu;
}

void CMainFrame::ShowMenus(bool documentMenu) {
  if (documentMenu == m_documentMenuShown && !menuBar()->actions().isEmpty()) return;
  m_documentMenuShown = documentMenu;
  menuBar()->clear();
  for (QMenu* menu : documentMenu ? m_documentMenus : m_frameMenus) menuBar()->addMenu(menu);
}

void CMainFrame::AddFrame(CChildFrame* frame) {
  m_mdiArea->addSubWindow(frame);
  CZENPHDoc* doc = frame->GetDocument();
  // Connected once per document: every window of it shows its title.
  connect(doc, &CZENPHDoc::TitleChanged, this, &CMainFrame::UpdateFrameState, Qt::UniqueConnection);
  connect(doc, &CZENPHDoc::ComputationChanged, this, &CMainFrame::UpdateFrameState, Qt::UniqueConnection);
  connect(frame, &QObject::destroyed, this, &CMainFrame::UpdateFrameState, Qt::QueuedConnection);
  frame->show();
  m_mdiArea->setActiveSubWindow(frame);
  UpdateFrameState();
}

CChildFrame* CMainFrame::ActiveFrame() const {
  if (auto* frame = qobject_cast<CChildFrame*>(m_mdiArea->currentSubWindow())) return frame;
  // The area forgets its current window while the application is inactive.
  const QList<CChildFrame*> frames = Frames();
  return frames.isEmpty() ? nullptr : frames.constLast();
}

CZENPHDoc* CMainFrame::ActiveDocument() const {
  CChildFrame* frame = ActiveFrame();
  return frame ? frame->GetDocument() : nullptr;
}

QList<CChildFrame*> CMainFrame::Frames() const {
  QList<CChildFrame*> frames;
  for (QMdiSubWindow* w : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
    if (auto* frame = qobject_cast<CChildFrame*>(w)) frames.append(frame);
  }
  return frames;
}

void CMainFrame::UpdateRecentFileMenu(const QStringList& files) {
  for (int i = 0; i < kRecentFileCount; ++i) {
    QAction* action = Command(kIdFileMru1 + i);
    if (i < files.size()) {
      QString shown = QDir::toNativeSeparators(files[i]);
      shown.replace(QLatin1Char('&'), QLatin1String("&&"));
      action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
      action->setEnabled(true);
      action->setVisible(true);
    } else {
      // With no recent file the placeholder stands greyed.
      action->setText(QStringLiteral("Recent File"));
      action->setEnabled(false);
      action->setVisible(i == 0 && files.isEmpty());
    }
  }
}

void CMainFrame::UpdateFrameState() {
  CZENPHDoc* doc = ActiveDocument();
  ShowMenus(!Frames().isEmpty());
  const bool canSave = doc && doc->HasComputation();
  Command(kIdFileSave)->setEnabled(canSave);
  Command(kIdFileSaveAs)->setEnabled(canSave);
  Command(kIdFileExportPicture)->setEnabled(canSave);  // a picture of nothing computed is no picture
  // Only a document with a reference alignment has an agreement to show.
  Command(kIdViewColourByAgreement)->setEnabled(canSave && doc->Input().reference.has_value());
  Command(kIdFileClose)->setEnabled(doc != nullptr);
  UpdateWindowTitles();
  setWindowTitle(doc ? QStringLiteral("ZENPH - %1").arg(ActiveFrame()->windowTitle()) : QStringLiteral("ZENPH"));
}

void CMainFrame::UpdateWindowTitles() {
  // A document with several windows numbers them: ZENPH1:1, ZENPH1:2.
  QHash<CZENPHDoc*, int> count;
  QHash<CZENPHDoc*, int> seen;
  const QList<CChildFrame*> frames = Frames();
  for (CChildFrame* frame : frames) ++count[frame->GetDocument()];
  for (CChildFrame* frame : frames) {
    CZENPHDoc* doc = frame->GetDocument();
    const int n = ++seen[doc];
    frame->setWindowTitle(count[doc] > 1 ? QStringLiteral("%1:%2").arg(doc->Title()).arg(n) : doc->Title());
  }
}

void CMainFrame::UpdateWindowMenu() {
  for (QAction* action : m_windowListActions) {
    m_windowMenu->removeAction(action);
    action->deleteLater();
  }
  m_windowListActions.clear();
  const QList<CChildFrame*> frames = Frames();
  if (frames.isEmpty()) return;
  m_windowListActions.append(m_windowMenu->addSeparator());
  CChildFrame* active = ActiveFrame();
  int number = 0;
  for (CChildFrame* frame : frames) {
    QAction* action = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(frame->windowTitle()));
    action->setCheckable(true);
    action->setChecked(frame == active);
    connect(action, &QAction::triggered, this, [this, frame] { m_mdiArea->setActiveSubWindow(frame); });
    m_windowListActions.append(action);
  }
}

ViewOptions CMainFrame::CheckedViewOptions() const {
  ViewOptions o;
  o.regionNumbers = Command(kIdViewRegionNumbers)->isChecked();
  o.colourRegions = Command(kIdViewColourRegions)->isChecked();
  o.axisValues = Command(kIdViewAxisValues)->isChecked();
  o.fitPicture = Command(kIdViewFitPicture)->isChecked();
  o.colourByAgreement = Command(kIdViewColourByAgreement)->isChecked();
  return o;
}

void CMainFrame::OnViewToggled() {
  const ViewOptions options = CheckedViewOptions();
  SaveViewOptions(options);
  for (CChildFrame* frame : Frames()) frame->GetView()->SetOptions(options);
}

void CMainFrame::OnCloseDocument() {
  CZENPHDoc* doc = ActiveDocument();
  if (!doc) return;
  for (CChildFrame* frame : Frames()) {
    if (frame->GetDocument() == doc) frame->close();
  }
}

void CMainFrame::OnWindowNew() {
  if (CZENPHDoc* doc = ActiveDocument()) m_app->CreateNewFrame(doc);
}

void CMainFrame::OnWindowArrange() {
  // Minimised windows in a row along the bottom of the area.
  int x = 0;
  for (CChildFrame* frame : Frames()) {
    if (!frame->isMinimized()) continue;
    frame->move(x, m_mdiArea->viewport()->height() - frame->height());
    x += frame->width();
  }
}

void CMainFrame::ShowPrompt(QAction* action) {
  if (CChildFrame* frame = ActiveFrame()) {
    const QString prompt = PromptOf(action);
    frame->SetMessageText(prompt);
  }
}

void CMainFrame::ShowIdle() {
  if (CChildFrame* frame = ActiveFrame()) frame->ShowIdleMessage();
}

}  // namespace zenphal
