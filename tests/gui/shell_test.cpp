// The application shell: start-up, menus, toolbar and status bar against the
// command table, the recent-file list, help and about, saving and opening
// documents.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTextFrame>
#include <QTextTable>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "app/child_frame.h"
#include "app/commands.h"
#include "app/dialog_builder.h"
#include "computation/document_file.h"
#include "app/help_dlg.h"
#include "app/main_frame.h"
#include "app/application.h"
#include "app/document.h"
#include "app/view.h"
#include "engine/errors.h"
#include "gui/gui_test_support.h"

using namespace zenphal;
using namespace zenphal::testing;

namespace {

// Each menu of the menu bar as "title: item | item | ...", separators "-".
QStringList MenuTexts(QMenuBar* bar) {
  QStringList menus;
  for (QAction* top : bar->actions()) {
    QStringList items;
    for (QAction* a : top->menu()->actions()) {
      if (!a->isVisible()) continue;
      items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    menus << top->text() + QStringLiteral(": ") + items.join(QStringLiteral(" | "));
  }
  return menus;
}

// Lets closed windows go, as the event loop would.
void Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

void CloseAllWindows(CMainFrame* frame) {
  for (CChildFrame* child : frame->Frames()) child->close();
  Settle();
}

}  // namespace

class ShellTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    settingsDir_ = std::make_unique<QTemporaryDir>();
    UseTemporarySettings(*settingsDir_);
  }

  void StartsWithOneDocumentAndNewAddsTheNext() {
    CZENPHApp app;
    app.InitInstance({});
    CMainFrame* frame = app.MainFrame();
    QVERIFY(frame->windowState() & Qt::WindowMaximized);
    QCOMPARE(frame->Frames().size(), 1);
    QCOMPARE(app.Documents().size(), 1);
    QCOMPARE(frame->ActiveDocument()->Title(), QStringLiteral("ZENPH1"));
    QCOMPARE(frame->windowTitle(), QStringLiteral("ZENPH - ZENPH1"));
    QVERIFY(!frame->ActiveDocument()->HasComputation());
    QVERIFY(frame->ActiveDocument()->Decomposition().PolygonCount() == 0);

    frame->Command(kIdFileNew)->trigger();
    QCOMPARE(frame->Frames().size(), 2);
    QCOMPARE(frame->ActiveDocument()->Title(), QStringLiteral("ZENPH2"));
    QCOMPARE(frame->windowTitle(), QStringLiteral("ZENPH - ZENPH2"));

    // "&New Window" opens a second view of the same document.
    frame->Command(kIdWindowNew)->trigger();
    QCOMPARE(frame->Frames().size(), 3);
    QCOMPARE(app.Documents().size(), 2);
    QCOMPARE(frame->Frames()[1]->windowTitle(), QStringLiteral("ZENPH2:1"));
    QCOMPARE(frame->Frames()[2]->windowTitle(), QStringLiteral("ZENPH2:2"));

    // "&Close" closes the document with all its windows.
    frame->Command(kIdFileClose)->trigger();
    Settle();
    QCOMPARE(frame->Frames().size(), 1);
    QCOMPARE(app.Documents().size(), 1);
    QCOMPARE(app.Documents().constFirst()->Title(), QStringLiteral("ZENPH1"));
  }

  void MenusFollowTheCommandTable() {
    CZENPHApp app;
    app.InitInstance({});
    CMainFrame* frame = app.MainFrame();
    QVERIFY(frame->ShowsDocumentMenu());
    QCOMPARE(MenuTexts(frame->menuBar()),
             (QStringList{"&File: &New\tCtrl+N | &Open...\tCtrl+O | &Close | &Save\tCtrl+S | Save &As... | "
                                      "&Export Picture... | - | E&xit",
                          "&Compute: Start Compute | Example Demo | View All Alignment",
                          "&View: Region &Numbers | &Colour Regions | &Axis Values | - | &Fit Picture to Window | - | "
                          "Colour by Agreement",
                          "&Window: &New Window | &Cascade | &Tile | &Arrange Icons",
                          "&Help: &About ZENPH... | Help Topic"}));
    const QList<std::pair<int, QString>> numbered = {
        {57600, "&New\tCtrl+N"},     {57601, "&Open...\tCtrl+O"},      {57602, "&Close"},
        {57603, "&Save\tCtrl+S"},    {57604, "Save &As..."},           {57665, "E&xit"},
        {32771, "Start Compute"},    {32778, "Example Demo"},          {32772, "View All Alignment"},
        {57648, "&New Window"},      {57650, "&Cascade"},              {57651, "&Tile"},
        {57649, "&Arrange Icons"},   {57664, "&About ZENPH..."},       {32773, "Help Topic"},
        {32779, "&Export Picture..."}, {32780, "Region &Numbers"},  {32781, "&Colour Regions"},
        {32782, "&Axis Values"},     {32783, "&Fit Picture to Window"}, {32784, "Colour by Agreement"}};
    for (const auto& [id, text] : numbered) {
      QAction* action = frame->findChild<QAction*>(QStringLiteral("command%1").arg(id));
      QVERIFY2(action, qPrintable(text));
      QCOMPARE(action->text(), text);
      QCOMPARE(action->property("commandId").toInt(), id);
    }
    QCOMPARE(frame->Command(kIdFileNew)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(frame->Command(kIdFileOpen)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(frame->Command(kIdFileSave)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));

    // With no document window the frame menu stands, with the recent-file placeholder.
    CloseAllWindows(frame);
    QVERIFY(!frame->ShowsDocumentMenu());
    QCOMPARE(MenuTexts(frame->menuBar()),
             (QStringList{"&File: &New\tCtrl+N | &Open...\tCtrl+O | - | Recent File | - | E&xit",
                          "&Help: &About ZENPH..."}));
    QVERIFY(!frame->Command(kIdFileMru1)->isEnabled());
    QCOMPARE(frame->windowTitle(), QStringLiteral("ZENPH"));
    frame->Command(kIdFileNew)->trigger();
    QVERIFY(frame->ShowsDocumentMenu());
    QCOMPARE(frame->ActiveDocument()->Title(), QStringLiteral("ZENPH2"));
  }

  void DocumentWindowHasToolbarAndStatusBar() {
    CZENPHApp app;
    app.InitInstance({});
    CChildFrame* child = app.MainFrame()->ActiveFrame();
    QToolBar* toolbar = child->m_wndToolBar;
    QCOMPARE(toolbar->actions().size(), 4);
    const int ids[] = {32771, 32778, 32772, 32773};
    const char* words[] = {"start", "example", "view", "help"};
    for (int i = 0; i < 4; ++i) {
      QAction* action = toolbar->actions()[i];
      QVERIFY(!action->isSeparator());
      QCOMPARE(action->property("commandId").toInt(), ids[i]);
      const QImage picture(QStringLiteral(":/zenphal/toolbar/%1.png").arg(words[i]));
      QCOMPARE(picture.size(), QSize(45, 15));
      // Blue letters on grey.
      QCOMPARE(picture.pixelColor(0, 0), QColor(192, 192, 192));
      bool blue = false;
      for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 45; ++x) blue = blue || picture.pixelColor(x, y) == QColor(0, 0, 255);
      QVERIFY(blue);
      // Each button says what it does in its tooltip, beginning with the command's name.
      QVERIFY2(action->toolTip().startsWith(action->text()), qPrintable(action->toolTip()));
      QWidget* button = toolbar->widgetForAction(action);
      QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
      QVERIFY(!static_cast<QObject*>(child)->eventFilter(button, &tip));
    }
    QCOMPARE(toolbar->iconSize(), QSize(45, 15));
    QCOMPARE(toolbar->actions()[0]->toolTip(), QStringLiteral("Start Compute: enter two structures"));

    // The status bar: the message pane alone (Qt does not report the key
    // states that "OVR", "CAP" and "NUM" showed).
    QCOMPARE(child->MessageText(), QStringLiteral("Ready"));
    const QList<QLabel*> panes = child->m_wndStatusBar->findChildren<QLabel*>();
    QCOMPARE(panes.size(), 1);
    for (const char* gone : {"indicatorOVR", "indicatorCAP", "indicatorNUM"}) {
      QVERIFY(!child->findChild<QWidget*>(QString::fromLatin1(gone)));
    }

    // A highlighted menu item puts the first line of its prompt into the pane.
    CMainFrame* frame = app.MainFrame();
    QMenu* file = frame->menuBar()->actions().constFirst()->menu();
    emit file->hovered(frame->Command(kIdFileNew));
    QCOMPARE(child->MessageText(), QStringLiteral("Create a new document"));
    emit file->aboutToHide();
    QCOMPARE(child->MessageText(), QStringLiteral("Ready"));
    QCOMPARE(frame->Command(kIdFileNew)->toolTip(), QStringLiteral("New"));
  }

  void RecentFilesAreKeptBetweenRuns() {
    QTemporaryDir files;
    QStringList paths;
    {
      CZENPHApp app;
      app.InitInstance({});
      CZENPHDoc* doc = app.MainFrame()->ActiveDocument();
      doc->Compute(BuildComputation(SmallInput()), app.MainFrame());
      for (int i = 1; i <= 5; ++i) {
        paths << files.filePath(QStringLiteral("doc%1.zenph").arg(i));
        QVERIFY(app.DoSave(doc, paths.last()));
      }
      // Newest first, four entries.
      QCOMPARE(app.RecentFiles(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));
      QCOMPARE(doc->Title(), QStringLiteral("doc5.zenph"));
    }
    QSettings settings(QString::fromLatin1(kSettingsCompany), QString::fromLatin1(kSettingsApplication));
    QCOMPARE(settings.value("Recent File List/File1").toString(), paths[4]);
    QCOMPARE(settings.value("Recent File List/File4").toString(), paths[1]);

    CZENPHApp again;
    again.InitInstance({});
    QCOMPARE(again.RecentFiles().size(), 4);
    CMainFrame* frame = again.MainFrame();
    CloseAllWindows(frame);
    QAction* first = frame->Command(kIdFileMru1);
    QVERIFY(first->isEnabled() && first->isVisible());
    QCOMPARE(first->text(), QStringLiteral("&1 ") + QDir::toNativeSeparators(paths[4]));
    QCOMPARE(first->property("commandId").toInt(), 57616);
    QCOMPARE(frame->Command(57619)->property("commandId").toInt(), 57619);
    // Choosing an entry opens it; an older entry moves to the top.
    frame->Command(57619)->trigger();
    QCOMPARE(frame->ActiveDocument()->Title(), QStringLiteral("doc2.zenph"));
    QCOMPARE(again.RecentFiles().constFirst(), paths[1]);
    // A vanished file is reported and leaves the list.
    QFile::remove(paths[3]);
    MessageCatcher message;
    again.OpenDocumentFile(paths[3]);
    QVERIFY(message.caught());
    QVERIFY(message.text().contains(QStringLiteral("doc4.zenph was not found.")));
    QVERIFY(!again.RecentFiles().contains(paths[3]));
  }

  void SavesAndOpensDocuments() {
    QTemporaryDir files;
    const QString path = files.filePath(QStringLiteral("trna.zenph"));
    CZENPHApp app;
    app.InitInstance({});
    CMainFrame* frame = app.MainFrame();
    CZENPHDoc* doc = frame->ActiveDocument();
    // Nothing computed, nothing to save.
    frame->UpdateFrameState();
    QVERIFY(!frame->Command(kIdFileSave)->isEnabled());
    QVERIFY(!frame->Command(kIdFileSaveAs)->isEnabled());
    QVERIFY(!app.OnFileSave(doc));

    ComputationInput input = TrnaInput();
    input.match = 0.7f;  // not a short binary fraction: the file must keep the float exactly
    doc->Compute(BuildComputation(input), frame);
    QVERIFY(frame->Command(kIdFileSave)->isEnabled());
    QVERIFY(app.DoSave(doc, path));
    QCOMPARE(frame->windowTitle(), QStringLiteral("ZENPH - trna.zenph"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const ComputationInput stored = DocumentFromJson(file.readAll().toStdString());
    QCOMPARE(stored, input);

    // Opening the file again activates the open document.
    QCOMPARE(app.OpenDocumentFile(path), doc);
    QCOMPARE(app.Documents().size(), 1);

    // Another instance opens it into a new document and recomputes the same polygons.
    CZENPHApp other;
    other.InitInstance({path});
    CZENPHDoc* opened = other.MainFrame()->ActiveDocument();
    QVERIFY(opened && opened != doc);
    QCOMPARE(opened->Title(), QStringLiteral("trna.zenph"));
    QCOMPARE(other.Documents().size(), 1);  // the file instead of an empty ZENPH1
    QCOMPARE(opened->Input(), input);
    QCOMPARE(opened->Decomposition().PolygonCount(), doc->Decomposition().PolygonCount());
    for (int i = 0; i < doc->Decomposition().PolygonCount(); ++i) {
      QVERIFY(opened->Decomposition().Polygon(i).SameAlignment(doc->Decomposition().Polygon(i)));
      QCOMPARE(opened->Decomposition().Polygon(i).EdgeCount(), doc->Decomposition().Polygon(i).EdgeCount());
    }

    // Save writes to the document's own file without asking.
    QVERIFY(QFile::remove(path));
    QVERIFY(app.OnFileSave(doc));
    QVERIFY(QFile::exists(path));
  }

  void RefusesFilesThatAreNotDocuments() {
    QTemporaryDir files;
    const QString text = files.filePath(QStringLiteral("notes.txt"));
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Toy Example 1:\r\n AAAG\r\n>\r\n>\r\n>\r\n");
    file.close();
    CZENPHApp app;
    app.InitInstance({});
    {
      MessageCatcher message;
      QVERIFY(!app.OpenDocumentFile(text));
      QVERIFY(message.caught());
      QVERIFY(message.text().contains(QDir::toNativeSeparators(text)));
      QVERIFY(message.text().contains(QStringLiteral("is not a ZENPH document")));
      QCOMPARE(message.title(), QStringLiteral("ZENPH"));
    }
    // Well-formed JSON of another kind, and a document whose structure the engine refuses.
    const std::pair<const char*, const char*> cases[] = {
        {"{\"a\": 1}", "does not say it is a ZENPH document"},
        {"{\"format\": \"ZENPH document\", \"version\": 1, \"rna1\": {\"bases\": \"ACGU\", \"stems\": \"0 9 1\"},"
         " \"rna2\": {\"bases\": \"ACGU\", \"stems\": \"\"}, \"match\": 1, \"indel\": 0.5,"
         " \"mismatch_range\": [0, 2], \"gap_range\": [0, 2]}",
         "RNA1: stem"},
        {"{\"format\": \"ZENPH document\", \"version\": 1, \"rna1\": {\"bases\": \"ACGU\", \"stems\": \"\"},"
         " \"rna2\": {\"bases\": \"ACGU\", \"stems\": \"\"}, \"match\": -1, \"indel\": 0.5,"
         " \"mismatch_range\": [0, 2], \"gap_range\": [0, 2]}",
         "\"match\" is not a score of 0 or more"},
    };
    for (const auto& [content, expected] : cases) {
      QFile doc(files.filePath(QStringLiteral("bad.zenph")));
      QVERIFY(doc.open(QIODevice::WriteOnly | QIODevice::Truncate));
      doc.write(content);
      doc.close();
      MessageCatcher message;
      QVERIFY(!app.OpenDocumentFile(doc.fileName()));
      QVERIFY2(message.text().contains(QString::fromLatin1(expected)), qPrintable(message.text()));
      QVERIFY(message.text().contains(QStringLiteral("bad.zenph")));
    }
    QCOMPARE(app.Documents().size(), 1);
    QCOMPARE(app.MainFrame()->Frames().size(), 1);
  }

  void HelpShowsThePageAndAboutTheVersion() {
    CHelpDlg help;
    const DialogUnits units(help.font());
    QCOMPARE(help.windowTitle(), QStringLiteral("Help"));
    QCOMPARE(help.size(), units.Size(611, 428));
    auto* ok = FindControlAs<QPushButton>(&help, kIdHelpOk);
    QVERIFY(ok && ok->text() == QStringLiteral("OK") && ok->isDefault());
    QCOMPARE(ok->geometry(), units.Rect(281, 407, 66, 14));
    QTextDocument* page = help.Browser()->document();
    const QString text = page->toPlainText();
    qsizetype at = 0;
    // The first nine rows first, then the formats with an example each and
    // how to read the picture.
    for (const char* heading : {"Main Function", "Zenphal computes", "Input Methods", "First:", "Start Compute",
                                "Second:", "Example Demo", "RNA Secondary Structure's Input Format",
                                "P=1 5 2 7 12 1 8 10 1 13 15 1", "Structure Formats", "Bases and stems",
                                "AAGUCUAGGUCUCACU\n1 5 2 7 12 1 8 10 1 13 15 1", "Zenphal's own layout",
                                " (1)  1  5  2", "Dot-bracket", ".((.)).((.).)(.)", "CT", "16  toy", "BPSEQ",
                                "14 A 16", "Reading the Picture", "The 7 optimal alignment is:", "Region Numbers",
                                "Colour Regions", "Axis Values", "Fit Picture to Window",
                                "Agreement with a Curated Alignment", "Read From File", "Colour by Agreement"}) {
      const qsizetype next = text.indexOf(QString::fromLatin1(heading), at);
      QVERIFY2(next >= 0, heading);
      at = next;
    }
    QCOMPARE(page->rootFrame()->frameFormat().background().color(), QColor("#ffffef"));
    QTextTable* table = nullptr;
    for (QTextFrame* child : page->rootFrame()->childFrames()) table = table ? table : qobject_cast<QTextTable*>(child);
    QVERIFY(table);
    QCOMPARE(table->rows(), 25);
    QCOMPARE(table->columns(), 1);
    QCOMPARE(table->format().width(), QTextLength(QTextLength::FixedLength, 780));
    QCOMPARE(table->format().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QTextCharFormat heading = table->cellAt(0, 0).firstCursorPosition().block().begin().fragment().charFormat();
    QCOMPARE(heading.foreground().color(), QColor("#FF9900"));
    QTextCharFormat body = table->cellAt(1, 0).firstCursorPosition().block().begin().fragment().charFormat();
    QCOMPARE(body.foreground().color(), QColor("#0000FF"));
    // Escape closes it like OK.
    help.show();
    QTest::keyClick(&help, Qt::Key_Escape);
    QVERIFY(!help.isVisible());

    CAboutDlg about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About ZENPH"));
    QCOMPARE(about.size(), DialogUnits(about.font()).Size(235, 55));
    QStringList labels;
    for (QLabel* label : about.findChildren<QLabel*>()) labels << label->text();
    QVERIFY(labels.contains(QStringLiteral("ZENPH Version 1.0")));
    auto* aboutOk = FindControlAs<QPushButton>(&about, kIdOk);
    QVERIFY(aboutOk && aboutOk->isDefault());
  }

 private:
  std::unique_ptr<QTemporaryDir> settingsDir_;
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
