// The desktop application and a family's curated alignment: the input
// dialog takes two members of a Stockholm file with their alignment there,
// View > "Colour by Agreement" and the status bar show how each region's
// alignment agrees with it, Export Picture draws the same, and the stored
// document keeps it.
#include <QAction>
#include <QCheckBox>
#include <QInputDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "app/application.h"
#include "app/child_frame.h"
#include "app/commands.h"
#include "app/dialog_builder.h"
#include "app/document.h"
#include "app/export_picture_dlg.h"
#include "app/input_dlg.h"
#include "app/main_frame.h"
#include "app/messages.h"
#include "app/view.h"
#include "computation/run_agreement.h"
#include "formats/example_table.h"
#include "gui/gui_test_support.h"
#include "render/agreement_scale.h"
#include "render/frame_mapping.h"
#include "render/picture_export.h"
#include "render/picture_labels.h"

using namespace zenphal;
using namespace zenphal::testing;

namespace {

const QString kTrnas = QStringLiteral(ZENPHAL_EXAMPLES_DIR "/trnas.sto");
const QStringList kMembers = {"yeast_tRNA-Phe/1-76 (76 bases)", "Leu_gene_tRNA/1-74 (74 bases)"};

QPlainTextEdit* TextBox(QWidget* dialog, int id) { return FindControlAs<QPlainTextEdit>(dialog, id); }

QString PressOk(QDialog* dialog) {
  MessageCatcher message;
  FindControlAs<QPushButton>(dialog, kIdOk)->click();
  return message.caught() ? message.text() : QString();
}

QImage Rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

QImage StandaloneView(CZENPHDoc* doc, const ViewOptions& options) {
  CZENPHView view(doc);
  view.SetOptions(options);
  view.resize(view.PictureSize() + QSize(20, 20));
  return Rgb(view.grab().toImage());
}

// The two members of examples/trnas.sto (the example table's tRNAs) with
// their alignment there.
ComputationInput Members() {
  ComputationInput in;
  const std::string file = ToStdString(kTrnas);
  SetStructures(in, LoadStructureSource(file + "#1"), LoadStructureSource(file + "#2"));
  return in;
}

// A pixel at the centroid of each region large enough to hold a 7 x 7
// square of its own fill, away from every edge.
std::vector<std::pair<int, QPoint>> InnerPixels(const CDecomposition& d, const QImage& image) {
  std::vector<std::pair<int, QPoint>> inner;
  for (int i = 0; i < d.PolygonCount(); ++i) {
    const auto c = PolygonCentroid(d.Polygon(i).edges);
    const PixelPoint p = ParameterToPixel(d.Rectangle(), c->x, c->y);
    bool even = true;
    for (int dy = -3; dy <= 3; ++dy) {
      for (int dx = -3; dx <= 3; ++dx) even &= image.pixel(p.x + dx, p.y + dy) == image.pixel(p.x, p.y);
    }
    if (even) inner.push_back({i, QPoint(p.x, p.y)});
  }
  return inner;
}

}  // namespace

class AgreementGuiTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    settingsDir_ = std::make_unique<QTemporaryDir>();
    UseTemporarySettings(*settingsDir_);
    app_ = std::make_unique<CZENPHApp>();
    app_->InitInstance({});
    frame_ = app_->MainFrame();
    view_ = frame_->ActiveFrame()->GetView();
    doc_ = view_->GetDocument();
  }
  void cleanup() {
    app_.reset();
    settingsDir_.reset();
  }

  void InputDialogTakesTwoMembersWithTheirAlignment() {
    CInputDlg dialog;
    {
      OnModal<QInputDialog> chooser([](QInputDialog* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Stockholm Member"));
        QVERIFY(d->labelText().startsWith(QStringLiteral("trnas.sto holds 2 sequences. Which one is RNA1?")));
        QCOMPARE(d->comboBoxItems(), kMembers);
        QCOMPARE(d->textValue(), kMembers[0]);
        d->accept();
      });
      dialog.ReadFileInto(1, kTrnas);
      QVERIFY(chooser.handled());
    }
    const QString shown = TextBox(&dialog, kIdInputRna1Edit)->toPlainText();
    QCOMPARE(shown.section(QLatin1Char('\n'), 0, 1),
             QStringLiteral(">yeast_tRNA-Phe/1-76 (example-tRNAs, trnas.sto)\n") + QString::fromLatin1(ExampleTable()[4].bases));
    // The second box offers the member the first does not hold.
    {
      OnModal<QInputDialog> chooser([](QInputDialog* d) {
        QCOMPARE(d->textValue(), kMembers[1]);
        d->accept();
      });
      dialog.ReadFileInto(2, kTrnas);
      QVERIFY(chooser.handled());
    }
    const ComputationInput expected = Members();
    QCOMPARE(PressOk(&dialog), ReferenceNoteText(*expected.reference));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const auto computation = dialog.TakeComputation();
    QVERIFY(computation->Input().reference == expected.reference);
    QCOMPARE(computation->Input().bases1, std::string(ExampleTable()[4].bases));
    QCOMPARE(computation->First().partner, CRnaStructure(ExampleTable()[4].bases, ExampleTable()[4].stems).partner);
    QCOMPARE(computation->Second().partner, CRnaStructure(ExampleTable()[5].bases, ExampleTable()[5].stems).partner);
  }

  void AnEditedOrReplacedMemberIsReadAsShownWithoutTheReference() {
    CInputDlg dialog;
    dialog.ReadStockholmMemberInto(1, kTrnas, QStringLiteral("1"));
    dialog.ReadStockholmMemberInto(2, kTrnas, QStringLiteral("Leu_gene_tRNA/1-74"));
    // The shown text reads back as the member (the Help page's form) once edited.
    QPlainTextEdit* box = TextBox(&dialog, kIdInputRna2Edit);
    box->setPlainText(box->toPlainText() + QStringLiteral("\n"));
    QCOMPARE(PressOk(&dialog), QString());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    auto computation = dialog.TakeComputation();
    QVERIFY(!computation->Input().reference);
    QCOMPARE(computation->Second().partner, CRnaStructure(ExampleTable()[5].bases, ExampleTable()[5].stems).partner);

    // A cancelled choice leaves the box as it was; a member that is not
    // there is named.
    CInputDlg other;
    {
      OnModal<QInputDialog> chooser([](QInputDialog* d) { d->reject(); });
      other.ReadFileInto(1, kTrnas);
      QVERIFY(chooser.handled());
    }
    QCOMPARE(TextBox(&other, kIdInputRna1Edit)->toPlainText(), QString());
    MessageCatcher missing;
    other.ReadStockholmMemberInto(1, kTrnas, QStringLiteral("nobody"));
    QVERIFY(missing.text().contains(QStringLiteral("no sequence is named 'nobody'")));
  }

  void ColourByAgreementFollowsTheDocumentsReference() {
    QAction* toggle = frame_->Command(kIdViewColourByAgreement);
    QVERIFY(toggle->isCheckable());
    QVERIFY(!toggle->isChecked());
    QVERIFY(!toggle->isEnabled());  // nothing computed
    ComputationInput plain;
    plain.bases1 = ExampleTable()[4].bases;
    plain.stems1 = ExampleTable()[4].stems;
    plain.bases2 = ExampleTable()[5].bases;
    plain.stems2 = ExampleTable()[5].stems;
    doc_->Compute(BuildComputation(plain), view_);
    QVERIFY(!toggle->isEnabled());
    QVERIFY(!view_->Agreement());
    const QPoint somewhere = InnerPixels(doc_->Decomposition(), StandaloneView(doc_, {})).front().second;
    QVERIFY(!view_->HoverText(somewhere).contains(QStringLiteral("agreement")));

    doc_->Compute(BuildComputation(Members()), view_);
    QVERIFY(toggle->isEnabled());
    const DecompositionAgreement* agreement = view_->Agreement();
    QVERIFY(agreement);
    const CDecomposition& d = doc_->Decomposition();
    QCOMPARE(int(agreement->regions.size()), d.PolygonCount());
    const QImage before = StandaloneView(doc_, {});
    toggle->trigger();
    QVERIFY(view_->Options().colourByAgreement);
    ViewOptions options;
    options.colourByAgreement = true;
    const QImage shown = StandaloneView(doc_, options);
    PictureOptions exportOptions;
    exportOptions.agreement = AgreementValues(*agreement);
    QCOMPARE(view_->ShownPictureOptions(), exportOptions);
    const QImage exported = Rgb(DecompositionImage(d, view_->font(), exportOptions));
    QCOMPARE(shown.copy(QRect(QPoint(0, 0), exported.size())), exported);
    // Each region shows its agreement's colour, and the status bar its shares.
    const auto inner = InnerPixels(d, shown);
    QVERIFY(inner.size() >= 5);
    for (const auto& [region, pixel] : inner) {
      const double value = *agreement->regions[region].Agreement();
      QCOMPARE(QColor(shown.pixel(pixel)), AgreementColour(value));
      const QString hover = view_->HoverText(pixel);
      QVERIFY2(hover.contains(QStringLiteral("Region %1 of").arg(region + 1) + QString()), qPrintable(hover));
      QVERIFY2(hover.contains(AgreementText(agreement->regions[region]) + QStringLiteral(": Match")), qPrintable(hover));
    }
    QVERIFY(AgreementText(agreement->regions[0]).startsWith(QStringLiteral(", agreement 0.")));
    // The legend stands inside the picture, where the plain one is white.
    const QRect legend = AgreementLegendRect(view_->fontMetrics(), false);
    QVERIFY(QRect(QPoint(0, 0), view_->PictureSize()).contains(legend));
    int changed = 0;
    for (int y = 0; y < before.height(); ++y) {
      for (int x = 0; x < before.width(); ++x) {
        if (before.pixel(x, y) == shown.pixel(x, y)) continue;
        ++changed;
        if (!QRect(kFrameLeft, kFrameTop, kFrameSide + 1, kFrameSide + 1).contains(x, y) && !legend.contains(x, y)) {
          QFAIL(qPrintable(QStringLiteral("pixel %1,%2 outside the frame and the legend").arg(x).arg(y)));
        }
      }
    }
    QVERIFY(changed > 1000);
    // Off again: the plain picture.
    toggle->trigger();
    QCOMPARE(StandaloneView(doc_, view_->Options()), before);
  }

  void StoredDocumentsKeepTheReference() {
    QTemporaryDir dir;
    doc_->Compute(BuildComputation(Members()), view_);
    const QString path = dir.filePath(QStringLiteral("trnas.zenph"));
    doc_->SaveTo(path);
    CZENPHDoc* opened = app_->OpenDocumentFile(path);
    QVERIFY(opened && opened != doc_);
    QVERIFY(opened->Input().reference == Members().reference);
    QVERIFY(frame_->Command(kIdViewColourByAgreement)->isEnabled());
  }

  void ExportPictureOffersTheAgreementWhenThereIsOne() {
    {
      ExportPictureDialog none(nullptr, QStringLiteral("x"), PictureOptions{});
      QVERIFY(!none.AgreementBox()->isEnabled());
      QVERIFY(none.Options().agreement.empty());
    }
    doc_->Compute(BuildComputation(Members()), view_);
    const std::vector<double> values = AgreementValues(*view_->Agreement());
    ExportPictureDialog dialog(nullptr, QStringLiteral("x"), PictureOptions{}, values);
    QVERIFY(dialog.AgreementBox()->isEnabled());
    QVERIFY(!dialog.AgreementBox()->isChecked());
    dialog.AgreementBox()->setChecked(true);
    QCOMPARE(dialog.Options().agreement, values);
    PictureOptions shown;
    shown.agreement = values;
    QVERIFY(ExportPictureDialog(nullptr, QStringLiteral("x"), shown, values).AgreementBox()->isChecked());

    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("agreement.png"));
    QVERIFY(view_->ExportPicture(png, PictureFormat::kPng, dialog.Options()));
    QCOMPARE(Rgb(QImage(png)), Rgb(DecompositionImage(doc_->Decomposition(), view_->font(), dialog.Options())));
  }

 private:
  std::unique_ptr<QTemporaryDir> settingsDir_;
  std::unique_ptr<CZENPHApp> app_;
  CMainFrame* frame_ = nullptr;
  CZENPHView* view_ = nullptr;
  CZENPHDoc* doc_ = nullptr;
};

QTEST_MAIN(AgreementGuiTest)
#include "agreement_test.moc"
