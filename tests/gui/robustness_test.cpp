// The desktop application when things go wrong: a full disk under every
// save, devices and FIFOs offered as files, a long run cancelled, a stored
// document whose search stops at a bound. Nothing is lost, nothing hangs, and
// every failure says so.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "app/all_alignment_dlg.h"
#include "app/application.h"
#include "app/child_frame.h"
#include "app/dialog_builder.h"
#include "app/document.h"
#include "app/input_dlg.h"
#include "app/main_frame.h"
#include "app/messages.h"
#include "app/progress_dlg.h"
#include "app/view.h"
#include "computation/document_file.h"
#include "formats/structure_source.h"
#include "gui/gui_test_support.h"
#include "output/file_writer.h"

using namespace zenphal;
using namespace zenphal::testing;

namespace {

QByteArray Content(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

// A file size limit stands in for a full disk while it lives.
class FullDisk {
 public:
  FullDisk() {
    getrlimit(RLIMIT_FSIZE, &old_);
    previous_ = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old_;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FullDisk() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, previous_);
  }

 private:
  rlimit old_{};
  sighandler_t previous_;
};

// Two members of a tRNA family whose search stops at a loop bound on [0, 6]².
ComputationInput BoundedInput() {
  const std::string family = "/usr/share/doc/infernal/examples/testsuite/trna-2.sto";
  const StructureSource a = LoadStructureSource(family + "#DD6280");
  const StructureSource b = LoadStructureSource(family + "#DA6280");
  ComputationInput in;
  in.bases1 = a.bases;
  in.stems1 = a.stems;
  in.bases2 = b.bases;
  in.stems2 = b.stems;
  in.mismatchTo = 6.0f;
  in.gapTo = 6.0f;
  return in;
}

}  // namespace

class RobustnessTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    settingsDir_ = std::make_unique<QTemporaryDir>();
    UseTemporarySettings(*settingsDir_);
  }
  void init() {
    app_ = std::make_unique<CZENPHApp>();
    app_->InitInstance({});
    view_ = app_->MainFrame()->ActiveFrame()->GetView();
    doc_ = view_->GetDocument();
  }
  void cleanup() { app_.reset(); }

  void EverySaveOnAFullDiskKeepsTheOldFileAndSaysSo() {
    doc_->Compute(BuildComputation(TrnaInput()), view_);
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("case.zenph"));
    const QString picture = dir.filePath(QStringLiteral("case.png"));
    const QString report = dir.filePath(QStringLiteral("case.txt"));
    for (const QString& path : {document, picture, report}) Put(path, "the old content");

    const FullDisk full;
    {
      MessageCatcher message;
      QVERIFY(!app_->DoSave(doc_, document));
      QVERIFY2(message.text().contains(QStringLiteral("case.zenph could not be written: File too large")),
               qPrintable(message.text()));
    }
    {
      MessageCatcher message;
      QVERIFY(!view_->ExportPicture(picture, PictureFormat::kPng, false));
      QVERIFY2(message.text().contains(QStringLiteral("case.png could not be written")), qPrintable(message.text()));
    }
    CAllAlignmentDlg dialog(QString(5000, QLatin1Char('x')));
    QVERIFY_THROWS_EXCEPTION(WriteError, dialog.SaveTo(report));
    for (const QString& path : {document, picture, report}) QCOMPARE(Content(path), QByteArray("the old content"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
  }

  void DevicesAndFifosAreRefusedAtOnce() {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    for (const QString& path : {QStringLiteral("/dev/zero"), fifo}) {
      MessageCatcher message;
      QVERIFY(app_->OpenDocumentFile(path) == nullptr);
      QVERIFY2(message.text().contains(QStringLiteral("is not a regular file")), qPrintable(message.text()));
    }
    CInputDlg input;
    auto* box = FindControlAs<QPlainTextEdit>(&input, kIdInputRna1Edit);
    box->setPlainText(QStringLiteral("kept"));
    for (const QString& path : {QStringLiteral("/dev/zero"), fifo}) {
      MessageCatcher message;
      input.ReadFileInto(1, path);
      QVERIFY(message.text().contains(QStringLiteral("is not a regular file")));
    }
    QCOMPARE(box->toPlainText(), QStringLiteral("kept"));
    QVERIFY2(clock.elapsed() < 20000, "reading a device or FIFO must not wait");
  }

  void CancelLeavesTheDocumentAsItWas() {
    doc_->Compute(BuildComputation(SmallInput()), view_);
    const int polygons = doc_->Decomposition().PolygonCount();
    const Computation* before = &doc_->GetComputation();

    // The 5S pair on [0, 10]²: long enough to be cancelled at its start.
    ComputationInput long5s;
    long5s.bases1 = ExampleTable()[2].bases;
    long5s.stems1 = ExampleTable()[2].stems;
    long5s.bases2 = ExampleTable()[3].bases;
    long5s.stems2 = ExampleTable()[3].stems;
    long5s.mismatchTo = long5s.gapTo = 10.0f;
    OnModal<CProgressDlg> cancel(
        [](CProgressDlg* d) { FindControlAs<QPushButton>(d, kIdProgressCancel)->click(); }, 20000);
    QVERIFY_THROWS_EXCEPTION(Cancelled, doc_->Compute(BuildComputation(long5s), view_));
    QVERIFY(cancel.handled());
    QCOMPARE(&doc_->GetComputation(), before);
    QCOMPARE(doc_->Decomposition().PolygonCount(), polygons);
  }

  void EscapeInTheProgressDialogAsksToCancel() {
    CProgressDlg dialog;
    dialog.show();
    QVERIFY(!dialog.CancelRequest()->load());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());  // it ends when the run does
    QVERIFY(dialog.CancelRequest()->load());
    QVERIFY(!FindControlAs<QPushButton>(&dialog, kIdProgressCancel)->isEnabled());
  }

  void AnIncompleteDocumentWarnsOnOpen() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bounded.zenph"));
    Put(path, QByteArray::fromStdString(DocumentToJson(BoundedInput())));
    MessageCatcher message;
    CZENPHDoc* opened = app_->OpenDocumentFile(path);
    QVERIFY(opened != nullptr);
    QVERIFY(opened->Decomposition().Incomplete());
    QCOMPARE(message.text(), QString::fromLatin1(kIncompleteText));
  }

 private:
  std::unique_ptr<QTemporaryDir> settingsDir_;
  std::unique_ptr<CZENPHApp> app_;
  CZENPHView* view_ = nullptr;
  CZENPHDoc* doc_ = nullptr;
};

QTEST_MAIN(RobustnessTest)
#include "robustness_test.moc"
