// The computing commands, the point query and the all-alignments dialog, run
// through the view as a user runs them, and compared with zenphal-cli.
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <nlohmann/json.hpp>

#include "app/all_alignment_dlg.h"
#include "app/child_frame.h"
#include "app/dialog_builder.h"
#include "app/example_demo_dlg.h"
#include "app/input_dlg.h"
#include "app/main_frame.h"
#include "app/messages.h"
#include "app/progress_dlg.h"
#include "app/report_dlg.h"
#include "app/application.h"
#include "app/document.h"
#include "app/view.h"
#include "gui/gui_test_support.h"
#include "output/file_writer.h"
#include "render/frame_mapping.h"
#include "output/reports.h"

using namespace zenphal;
using namespace zenphal::testing;

namespace {

QByteArray RunCli(const QStringList& arguments) {
  QProcess cli;
  cli.start(QStringLiteral(ZENPHAL_CLI), arguments);
  if (!cli.waitForFinished(120000) || cli.exitCode() != 0) return {};
  return cli.readAllStandardOutput();
}

// Chooses two rows in the example dialog once it is shown, and confirms.
struct ExampleChoice {
  ExampleChoice(int row1, int row2)
      : modal([row1, row2](CExampleDemoDlg* d) {
          FindControlAs<QComboBox>(d, kIdDemoRna1Combo)->setCurrentIndex(row1);
          FindControlAs<QComboBox>(d, kIdDemoRna2Combo)->setCurrentIndex(row2);
          FindControlAs<QPushButton>(d, kIdOk)->click();
        }) {}
  OnModal<CExampleDemoDlg> modal;
};

// The pixels of the view in ViewPixelsArePinned.
constexpr const char* kPinnedViewDigest = "e372e9037c6e4c45cfa39009fb517cc82df9567a40e482343f105cd47edaa19a";

QRgb PixelOf(QWidget* view, int x, int y) { return view->grab().toImage().pixel(x, y); }

}  // namespace

class ComputeTest : public QObject {
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

  void ExampleDemoComputesWhatTheCommandLineComputes() {
    {
      ExampleChoice choice(5, 6);
      view_->OnExampleDemo();
      QVERIFY(choice.modal.handled());
    }
    QVERIFY(doc_->HasComputation());
    const CDecomposition& d = doc_->Decomposition();

    QTemporaryDir dir;
    const QString json = dir.filePath(QStringLiteral("d.json"));
    const QByteArray report =
        RunCli({"decompose", "-q", "example:5", "example:6", "--json", json});
    QVERIFY(!report.isEmpty());
    QFile file(json);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const auto cli = nlohmann::json::parse(file.readAll().toStdString());
    QCOMPARE(int(cli["polygons"].size()), d.PolygonCount());
    QCOMPARE(d.PolygonCount(), 26);
    for (int i = 0; i < d.PolygonCount(); ++i) {
      const auto& edges = cli["polygons"][i]["edges"];
      QCOMPARE(int(edges.size()), d.Polygon(i).EdgeCount());
      for (int k = 0; k < d.Polygon(i).EdgeCount(); ++k) {
        const Edge& e = d.Polygon(i).edges[static_cast<size_t>(k)];
        QCOMPARE(e.x1, float(edges[k][0].get<double>()));
        QCOMPARE(e.y1, float(edges[k][1].get<double>()));
        QCOMPARE(e.x2, float(edges[k][2].get<double>()));
        QCOMPARE(e.y2, float(edges[k][3].get<double>()));
      }
    }

    // The all-alignments dialog shows the command line's report.
    QString shown;
    {
      OnModal<CAllAlignmentDlg> dialog([&](CAllAlignmentDlg* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Show All Alignment"));
        shown = d->Text();
        d->accept();
      });
      view_->OnViewAllAlignment();
      QVERIFY(dialog.handled());
    }
    QCOMPARE(shown.toLatin1(), report);

    // Drawn: every edge's end in black.
    const QImage image = view_->grab().toImage();
    for (int i = 0; i < d.PolygonCount(); ++i) {
      for (const Edge& e : d.Polygon(i).edges) {
        const PixelPoint p = ParameterToPixel(d.Rectangle(), e.x1, e.y1);
        QCOMPARE(image.pixel(p.x, p.y), qRgb(0, 0, 0));
      }
    }
  }

  // The view as a user first sees it after computing the tRNAs on the
  // default rectangle, pinned pixel for pixel: the window at its initial size.
  void ViewPixelsArePinned() {
    {
      ExampleChoice choice(5, 6);
      view_->OnExampleDemo();
      QVERIFY(choice.modal.handled());
    }
    const QImage image = view_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()));
    for (int y = 0; y < image.height(); ++y) {
      hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4));
    }
    QCOMPARE(hash.result().toHex(), QByteArray(kPinnedViewDigest));
  }

  void SecondComputationPaintsTheOldEdgesOver() {
    doc_->Compute(BuildComputation(SmallInput()), view_);
    const CDecomposition& old = doc_->Decomposition();
    // A pixel of an old edge away from the frame's outline.
    QPoint onOldEdge;
    for (int i = 0; i < old.PolygonCount() && onOldEdge.isNull(); ++i) {
      for (const Edge& e : old.Polygon(i).edges) {
        const PixelPoint a = ParameterToPixel(old.Rectangle(), e.x1, e.y1);
        const PixelPoint b = ParameterToPixel(old.Rectangle(), e.x2, e.y2);
        const QPoint mid((a.x + b.x) / 2, (a.y + b.y) / 2);
        if (mid.x() > 110 && mid.x() < 590 && mid.y() > 60 && mid.y() < 540) {
          onOldEdge = mid;
          break;
        }
      }
    }
    QVERIFY(!onOldEdge.isNull());
    QCOMPARE(PixelOf(view_, onOldEdge.x(), onOldEdge.y()), qRgb(0, 0, 0));

    // While the new search runs, the old edges stand painted over.
    QRgb during = 0;
    OnModal<CProgressDlg> progress([&](CProgressDlg*) { during = PixelOf(view_, onOldEdge.x(), onOldEdge.y()); });
    ExampleChoice choice(5, 6);
    view_->OnExampleDemo();
    QVERIFY(choice.modal.handled());
    // A run too quick for the poll leaves nothing to look at.
    if (progress.handled()) {
      QCOMPARE(during, qRgb(220, 220, 220));
    } else {
      qWarning("the search ended before the progress dialog was seen");
    }
    QCOMPARE(doc_->Decomposition().PolygonCount(), 26);
  }

  void CancelLeavesTheDocumentAlone() {
    doc_->Compute(BuildComputation(SmallInput()), view_);
    const int polygons = doc_->Decomposition().PolygonCount();
    const CAligner* aligner = &doc_->GetComputation().Aligner();
    {
      OnModal<CInputDlg> cancel([](CInputDlg* d) { FindControlAs<QPushButton>(d, kIdCancel)->click(); });
      view_->OnStartCompute();
      QVERIFY(cancel.handled());
    }
    {
      OnModal<CExampleDemoDlg> cancel([](CExampleDemoDlg* d) { d->reject(); });
      view_->OnExampleDemo();
      QVERIFY(cancel.handled());
    }
    QCOMPARE(&doc_->GetComputation().Aligner(), aligner);
    QCOMPARE(doc_->Decomposition().PolygonCount(), polygons);
  }

  void StartComputeWithTypedStructures() {
    OnModal<CInputDlg> input([](CInputDlg* d) {
      FindControlAs<QComboBox>(d, kIdInputRna1Combo)->setCurrentIndex(5);
      FindControlAs<QPlainTextEdit>(d, kIdInputRna2Edit)
          ->setPlainText(QStringLiteral("typed\nAGGUCAAGUCUCAC\n>\n (1) 1 5 1\n (2) 7 12 2\n>\n"));
      FindControlAs<QLineEdit>(d, kIdInputGapTo)->setText(QStringLiteral("1"));
      FindControlAs<QPushButton>(d, kIdOk)->click();
    });
    view_->OnStartCompute();
    QVERIFY(input.handled());
    QVERIFY(doc_->HasComputation());
    QCOMPARE(doc_->GetComputation().Second().sequence, std::string("AGGUCAAGUCUCAC"));
    QCOMPARE(doc_->Decomposition().gapTo, 1.0f);
    QVERIFY(doc_->Decomposition().PolygonCount() > 0);
  }

  void ClickShowsTheAlignmentAtThePoint() {
    // Before any computation a press does nothing.
    view_->OnLButtonDown(QPoint(350, 300));
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    doc_->Compute(BuildComputation(TrnaInput()), view_);
    // (350, 300) on [0, 2] x [0, 2] is the point (1, 1).
    QString report;
    QRgb marker = 0;
    {
      OnModal<CResultDlg> result([&](CResultDlg* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Result"));
        QVERIFY(FindControl(d, kIdOk)->hasFocus() || d->focusWidget() == FindControl(d, kIdOk));
        report = d->Text();
        marker = PixelOf(view_, 350, 300);
        d->accept();
      });
      view_->OnLButtonDown(QPoint(350, 300));
      QVERIFY(result.handled());
    }
    QCOMPARE(marker, qRgb(20, 20, 200));
    QVERIFY(PixelOf(view_, 350, 300) != qRgb(20, 20, 200));
    QCOMPARE(report.toLatin1(), RunCli({"align", "example:5", "example:6", "--at", "1,1"}));
    QCOMPARE(doc_->GetComputation().Aligner().mismatchScore, 1.0f);

    // The frame's corner pixels are inside; one pixel beyond is not.
    for (const QPoint outside : {QPoint(99, 300), QPoint(601, 300), QPoint(300, 49), QPoint(300, 551)}) {
      view_->OnLButtonDown(outside);
      QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
    {
      OnModal<CResultDlg> result([&](CResultDlg* d) {
        report = d->Text();
        d->accept();
      });
      view_->OnLButtonDown(QPoint(100, 550));
      QVERIFY(result.handled());
    }
    QVERIFY(report.startsWith(QStringLiteral("MatchScore:1\r\nMismatchScore:0\r\nIndelScore:0.500\r\nGapScore:0\r\n")));
  }

  void ClickAboveANarrowRectangleIsRefused() {
    // [0, 10] x [0, 5]: the image ends at y = 300.
    doc_->Compute(BuildComputation(SmallInput(10.0f, 5.0f)), view_);
    {
      MessageCatcher message;
      view_->OnLButtonDown(QPoint(350, 299));
      // The message with its missing spaces put in.
      QCOMPARE(message.text(),
               QStringLiteral("This rectangle is not in the parameter space. The reason is that the range of "
                              "mismatch score doesn't agree with the range of gap score."));
      QCOMPARE(message.title(), QStringLiteral("ZENPH"));
    }
    OnModal<CResultDlg> accepted([](CResultDlg* d) { d->accept(); });
    view_->OnLButtonDown(QPoint(350, 300));
    QVERIFY(accepted.handled());
  }

  void AllAlignmentsBeforeAnyComputation() {
    QString shown;
    OnModal<CAllAlignmentDlg> dialog([&](CAllAlignmentDlg* d) {
      shown = d->Text();
      d->accept();
    });
    view_->OnViewAllAlignment();
    QVERIFY(dialog.handled());
    QCOMPARE(shown, QString::fromLatin1(kNothingComputedText));
  }

  void SaveResultWritesTheFieldAsItStands() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.txt"));
    CAllAlignmentDlg dialog(QStringLiteral("line one\r\nline two\r\n"));
    auto* edit = FindControlAs<QPlainTextEdit>(&dialog, kIdReportEdit);
    QVERIFY(edit && !edit->isReadOnly());
    QCOMPARE(edit->toPlainText(), QStringLiteral("line one\nline two\n"));
    edit->moveCursor(QTextCursor::End);
    edit->insertPlainText(QStringLiteral("typed"));

    {
      OnModal<QFileDialog> chooser([&](QFileDialog* d) {
        QCOMPARE(d->nameFilters(), (QStringList{"Text Files(*.txt)", "All Files (*.*)"}));
        QCOMPARE(d->defaultSuffix(), QStringLiteral("txt"));
        QVERIFY(!d->testOption(QFileDialog::DontConfirmOverwrite));
        d->selectFile(path);
        QMetaObject::invokeMethod(d, "accept");
      });
      FindControlAs<QPushButton>(&dialog, kIdSaveResult)->click();
      QVERIFY(chooser.handled());
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("line one\r\nline two\r\ntyped"));
    file.close();

    // A file that cannot be written is reported by name; the dialog stays.
    const QString bad = dir.filePath(QStringLiteral("missing/report.txt"));
    QString error;
    try {
      dialog.SaveTo(bad);
    } catch (const WriteError& e) {
      error = MessageOf(e);
    }
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(QStringLiteral("missing")), qPrintable(error));
    // Cancelling the chooser writes nothing.
    QVERIFY(QFile::remove(path));
    {
      OnModal<QFileDialog> chooser([](QFileDialog* d) { d->reject(); });
      FindControlAs<QPushButton>(&dialog, kIdSaveResult)->click();
      QVERIFY(chooser.handled());
    }
    QVERIFY(!QFile::exists(path));
  }

 private:
  std::unique_ptr<QTemporaryDir> settingsDir_;
  std::unique_ptr<CZENPHApp> app_;
  CZENPHView* view_ = nullptr;
  CZENPHDoc* doc_ = nullptr;
};

QTEST_MAIN(ComputeTest)
#include "compute_test.moc"
