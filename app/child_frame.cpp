#include "app/child_frame.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

#include "app/commands.h"
#include "app/document.h"
#include "app/view.h"
#include "app/view_area.h"

namespace zenphal {
namespace {

struct ToolbarButton {
  int command;
  const char* picture;
};

// Picture i on button i, in this order.
constexpr ToolbarButton kToolbarButtons[] = {
    {kIdStartCompute, ":/zenphal/toolbar/start.png"},
    {kIdExampleDemo, ":/zenphal/toolbar/example.png"},
    {kIdViewAllAlignment, ":/zenphal/toolbar/view.png"},
    {kIdHelpTopic, ":/zenphal/toolbar/help.png"},
};

}  // namespace

CChildFrame::CChildFrame(CZENPHDoc* document, QWidget* parent) : QMdiSubWindow(parent), m_pDocument(document) {
  setAttribute(Qt::WA_DeleteOnClose);
  m_inner = new QMainWindow(nullptr, Qt::Widget);
  m_pView = new CZENPHView(document);
  m_viewArea = new ViewArea(m_pView, m_inner);
  m_inner->setCentralWidget(m_viewArea);

  m_wndToolBar = new QToolBar(m_inner);
  m_wndToolBar->setObjectName(QStringLiteral("toolbar"));
  m_wndToolBar->setIconSize(QSize(45, 15));
  m_wndToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  m_wndToolBar->setFloatable(false);
  m_inner->addToolBar(Qt::TopToolBarArea, m_wndToolBar);
  for (const ToolbarButton& b : kToolbarButtons) {
    QAction* action = MakeCommandAction(b.command, m_wndToolBar);
    action->setIcon(QIcon(QString::fromLatin1(b.picture)));
    m_wndToolBar->addAction(action);
    CZENPHView* view = m_pView;
    connect(action, &QAction::triggered, view, [view, handler = ViewHandler(b.command)] { (view->*handler)(); });
  }

  m_wndStatusBar = new QStatusBar(m_inner);
  m_wndStatusBar->setObjectName(QStringLiteral("statusbar"));
  m_messagePane = new QLabel(m_wndStatusBar);
  m_messagePane->setObjectName(QStringLiteral("messagePane"));
  // Long texts (the region under the mouse) are cut rather than widening the window.
  m_messagePane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  m_messagePane->setMinimumWidth(0);
  m_wndStatusBar->addWidget(m_messagePane, 1);
  m_inner->setStatusBar(m_wndStatusBar);
  connect(m_pView, &CZENPHView::HoverTextChanged, this, [this](const QString& text) {
    if (text.isEmpty()) {
      ShowIdleMessage();
    } else {
      SetMessageText(text);
    }
  });
  m_inner->installEventFilter(this);  // status tips of the toolbar
  ShowIdleMessage();

  setWidget(m_inner);
  setWindowIcon(QIcon(QStringLiteral(":/zenphal/zenphal.png")));
}

CChildFrame::~CChildFrame() {
  CZENPHDoc* document = m_pDocument;
  delete m_inner;  // the view goes before its document
  // The document goes with its last window. A closed window leaves the MDI
  // area's list at once but stays a child of its viewport until deleted, so
  // the siblings are what tells.
  bool shownElsewhere = false;
  if (QWidget* viewport = parentWidget()) {
    for (CChildFrame* frame : viewport->findChildren<CChildFrame*>(Qt::FindDirectChildrenOnly)) {
      shownElsewhere |= frame != this && frame->GetDocument() == document;
    }
  }
  if (!shownElsewhere) delete document;
}

void CChildFrame::SetMessageText(const QString& text) { m_messagePane->setText(text); }

void CChildFrame::ShowIdleMessage() { m_messagePane->setText(QStringLiteral("Ready")); }

QString CChildFrame::MessageText() const { return m_messagePane->text(); }

bool CChildFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_inner && event->type() == QEvent::StatusTip) {
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip().section(QLatin1Char('\n'), 0, 0);
    if (tip.isEmpty()) {
      ShowIdleMessage();
    } else {
      SetMessageText(tip);
    }
    return true;
  }
  return QMdiSubWindow::eventFilter(watched, event);
}

}  // namespace zenphal
