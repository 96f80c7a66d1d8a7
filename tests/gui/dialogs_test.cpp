// The input dialog, the example dialog, the progress dialog and the dialog
// units, driven by their control numbers.
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include "app/dialog_builder.h"
#include "app/example_demo_dlg.h"
#include "app/input_dlg.h"
#include "app/progress_dlg.h"
#include "gui/gui_test_support.h"
#include "engine/rna_structure.h"
#include "formats/example_table.h"
#include "formats/layout.h"
#include "app/messages.h"

using namespace zenphal;
using namespace zenphal::testing;

namespace {

QString ShownText(int row) {
  // As the edit field holds it: one line break per CR LF.
  return QString::fromStdString(ExampleDisplayText(row)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QLineEdit* Edit(QWidget* dialog, int id) { return FindControlAs<QLineEdit>(dialog, id); }
QPlainTextEdit* TextBox(QWidget* dialog, int id) { return FindControlAs<QPlainTextEdit>(dialog, id); }
QComboBox* Combo(QWidget* dialog, int id) { return FindControlAs<QComboBox>(dialog, id); }

// Presses OK and returns the message it gave, or an empty text.
QString PressOk(QDialog* dialog, int okId = kIdOk) {
  MessageCatcher message;
  FindControlAs<QPushButton>(dialog, okId)->click();
  return message.caught() ? message.text() : QString();
}

const QStringList kEntries = {"Example", "Toy Example 1", "Toy Example 2", "5SRNA+", "5SRNA-", "yeast tRNA",
                              "Leu gene tRNA"};

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void DialogUnitsFollowTheFont() {
    QFont font;
    const DialogUnits units(font);
    const QFontMetrics metrics(font);
    const double average =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0;
    QCOMPARE(units.X(4), qRound(average));
    QCOMPARE(units.Y(8), metrics.height());
    // Corners convert separately: neighbours stay neighbours.
    QCOMPARE(units.Rect(3, 5, 7, 9).right() + 1, units.Rect(10, 5, 7, 9).left());
    QFont big = font;
    big.setPointSizeF(font.pointSizeF() * 2);
    QVERIFY(DialogUnits(big).X(100) > units.X(100));
  }

  void InputDialogLayoutAndDefaults() {
    CInputDlg dialog;
    const DialogUnits units(dialog.font());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Input"));
    QCOMPARE(dialog.size(), units.Size(346, 326));
    QCOMPARE(Edit(&dialog, 1009)->geometry(), units.Rect(51, 226, 54, 14));
    QCOMPARE(TextBox(&dialog, 1007)->geometry(), units.Rect(59, 119, 226, 59));
    QCOMPARE(FindControl(&dialog, 1020)->geometry(), units.Rect(225, 102, 56, 14));
    QCOMPARE(FindControlAs<QPushButton>(&dialog, 1019)->text(), QStringLiteral("Read From File"));
    QVERIFY(FindControlAs<QPushButton>(&dialog, kIdOk)->isDefault());
    QCOMPARE(FindControlAs<QPushButton>(&dialog, kIdCancel)->text(), QStringLiteral("Cancel"));
    for (int id : {1021, 1022}) {
      QComboBox* combo = Combo(&dialog, id);
      QStringList items;
      for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
      QCOMPARE(items, kEntries);
      QCOMPARE(combo->currentIndex(), 0);
      QVERIFY(!combo->isEditable());  // typed text could select no row
    }
    QVERIFY(TextBox(&dialog, 1006)->toPlainText().isEmpty());
    QVERIFY(TextBox(&dialog, 1007)->toPlainText().isEmpty());
    QCOMPARE(TextBox(&dialog, 1006)->lineWrapMode(), QPlainTextEdit::NoWrap);
    QStringList scores;
    for (int id : {1009, 1010, 1011, 1012, 1013, 1014}) scores << Edit(&dialog, id)->text();
    QCOMPARE(scores, (QStringList{"1.0", "0.5", "0", "2", "0", "2"}));
    QStringList groups;
    for (QGroupBox* box : dialog.findChildren<QGroupBox*>()) groups << box->title();
    QCOMPARE(groups, (QStringList{"Input RNA:", "Input Score:"}));
  }

  void InputDialogExamplesAndOk() {
    CInputDlg dialog;
    Combo(&dialog, 1021)->setCurrentIndex(5);
    QCOMPARE(TextBox(&dialog, 1006)->toPlainText(), ShownText(5));
    // The placeholder leaves the text in place.
    Combo(&dialog, 1021)->setCurrentIndex(0);
    QCOMPARE(TextBox(&dialog, 1006)->toPlainText(), ShownText(5));

    Combo(&dialog, 1021)->setCurrentIndex(1);
    Combo(&dialog, 1022)->setCurrentIndex(2);
    QCOMPARE(PressOk(&dialog), QString());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_strSequence1.size(), size_t(68));
    QCOMPARE(dialog.m_strSequence1, std::string(ExampleTable()[0].bases));
    QCOMPARE(dialog.m_strSequence2, std::string(ExampleTable()[1].bases));
    QCOMPARE(dialog.m_strStems1, std::string("  1  60  4   10  23  5 "));
    QCOMPARE(dialog.m_strStems2, std::string("  0  65  5   21  33  3 "));
    QCOMPARE(dialog.m_fMatch, 1.0f);
    QCOMPARE(dialog.m_fIndel, 0.5f);
    QCOMPARE(dialog.m_fMismatchFrom, 0.0f);
    QCOMPARE(dialog.m_fMismatchTo, 2.0f);
    QCOMPARE(dialog.m_fGapFrom, 0.0f);
    QCOMPARE(dialog.m_fGapTo, 2.0f);
    auto computation = dialog.TakeComputation();
    QVERIFY(computation);
    QCOMPARE(computation->First().sequence, dialog.m_strSequence1);
    QCOMPARE(computation->Aligner().indelScore, 0.5f);
  }

  void InputDialogTypedTextAndScores() {
    CInputDlg dialog;
    // Line feeds alone, as typed on this platform, with a stem line.
    TextBox(&dialog, 1006)->setPlainText(QStringLiteral("x\nacgu NNN 12 t\nG\n>\n (1) 0 3 1\n>\n"));
    TextBox(&dialog, 1007)->setPlainText(QStringLiteral("name\nACGU\n>\n>\n>\n"));
    Edit(&dialog, 1009)->setText(QStringLiteral(" 2.25 "));
    Edit(&dialog, 1014)->setText(QStringLiteral("3.5"));
    QCOMPARE(PressOk(&dialog), QString());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_strSequence1, std::string("acgutG"));
    QCOMPARE(dialog.m_strStems1, std::string(" 0 3 1 "));
    QCOMPARE(dialog.m_strSequence2, std::string("ACGU"));
    QCOMPARE(dialog.m_strStems2, std::string());
    QCOMPARE(dialog.m_fMatch, 2.25f);
    QCOMPARE(dialog.m_fGapTo, 3.5f);
  }

  void InputDialogRejectsWhatCannotBeComputed() {
    CInputDlg dialog;
    QString message = PressOk(&dialog);
    QCOMPARE(message, QStringLiteral("Please input RNA structure."));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    TextBox(&dialog, 1006)->setPlainText(ShownText(1));
    QCOMPARE(PressOk(&dialog), QStringLiteral("Please input RNA structure."));

    // Not the layout: no line after the bases.
    TextBox(&dialog, 1007)->setPlainText(QStringLiteral("name\nACGU"));
    message = PressOk(&dialog);
    QVERIFY2(message.startsWith(QStringLiteral("RNA2: invalid argument")), qPrintable(message));

    // The layout, but a stem the engine refuses: shown, not the end of the program.
    TextBox(&dialog, 1007)->setPlainText(QStringLiteral("name\nACGU\n>\n (1) 0 9 1\n>\n"));
    message = PressOk(&dialog);
    QVERIFY2(message.startsWith(QStringLiteral("RNA2: stem 1")), qPrintable(message));

    // No bases at all: nothing to compute.
    TextBox(&dialog, 1007)->setPlainText(QStringLiteral("name\n123\n>\n>\n>\n"));
    QCOMPARE(PressOk(&dialog), QStringLiteral("RNA2: the structure has no bases."));

    // Score fields name themselves; the dialog keeps everything as it was.
    TextBox(&dialog, 1007)->setPlainText(ShownText(2));
    const std::pair<int, QString> badFields[] = {{1009, "abc"}, {1010, "-1"}, {1011, ""}, {1014, "1e3"}};
    const char* names[] = {"Match Score", "Indel Score", "Mismatch Score Range From", "Gap Score Range To"};
    for (int i = 0; i < 4; ++i) {
      QLineEdit* field = Edit(&dialog, badFields[i].first);
      const QString before = field->text();
      field->setText(badFields[i].second);
      message = PressOk(&dialog);
      QVERIFY2(message.startsWith(QString::fromLatin1(names[i]) + QStringLiteral(": \"") + badFields[i].second),
               qPrintable(message));
      QCOMPARE(field->text(), badFields[i].second);
      QCOMPARE(dialog.result(), int(QDialog::Rejected));
      field->setText(before);
    }
    Edit(&dialog, 1011)->setText(QStringLiteral("2"));
    message = PressOk(&dialog);
    QVERIFY2(message.startsWith(QStringLiteral("Mismatch Score Range: Mismatch score range")), qPrintable(message));
    QVERIFY(message.contains(QStringLiteral("empty or inverted")));
    Edit(&dialog, 1011)->setText(QStringLiteral("0"));
    Edit(&dialog, 1013)->setText(QStringLiteral("3"));
    message = PressOk(&dialog);
    QVERIFY2(message.startsWith(QStringLiteral("Gap Score Range:")), qPrintable(message));
    QCOMPARE(TextBox(&dialog, 1006)->toPlainText(), ShownText(1));
    QCOMPARE(TextBox(&dialog, 1007)->toPlainText(), ShownText(2));

    // Mended, the same press succeeds as a single one would.
    Edit(&dialog, 1013)->setText(QStringLiteral("0"));
    QCOMPARE(PressOk(&dialog), QString());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_strSequence2, std::string(ExampleTable()[1].bases));
  }

  void InputDialogReadsFiles() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rna.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("yeast:\n GCGGAUUUAG\n>\n>\n (1)  0  9  1\n>\n");  // written with line feeds alone
    file.close();
    CInputDlg dialog;
    dialog.ReadFileInto(2, path);
    QCOMPARE(TextBox(&dialog, 1007)->toPlainText(), QStringLiteral("yeast:\n GCGGAUUUAG\n>\n>\n (1)  0  9  1\n>\n"));

    // Through the button and its chooser.
    {
      OnModal<QFileDialog> chooser([&](QFileDialog* d) {
        QCOMPARE(d->nameFilters(), (QStringList{"Text Files (*.txt)", "All Files (*.*)"}));
        QCOMPARE(d->defaultSuffix(), QStringLiteral("txt"));
        d->selectFile(path);
        QMetaObject::invokeMethod(d, "accept");
      });
      FindControlAs<QPushButton>(&dialog, 1019)->click();
      QVERIFY(chooser.handled());
    }
    QCOMPARE(TextBox(&dialog, 1006)->toPlainText(), TextBox(&dialog, 1007)->toPlainText());
    {
      OnModal<QFileDialog> chooser([&](QFileDialog* d) {
        QCOMPARE(d->nameFilters(), (QStringList{"Text Files(*.txt)", "All Files (*.*)"}));
        d->reject();
      });
      FindControlAs<QPushButton>(&dialog, 1020)->click();
      QVERIFY(chooser.handled());
    }

    // A missing file is named; the box keeps its text.
    MessageCatcher message;
    dialog.ReadFileInto(1, dir.filePath(QStringLiteral("gone.txt")));
    QVERIFY(message.text().endsWith(QStringLiteral("gone.txt was not found.")));
    QCOMPARE(TextBox(&dialog, 1006)->toPlainText(), TextBox(&dialog, 1007)->toPlainText());

    Combo(&dialog, 1021)->setCurrentIndex(5);
    QCOMPARE(PressOk(&dialog), QString());
    QCOMPARE(dialog.m_strSequence2, std::string("GCGGAUUUAG"));
    QCOMPARE(dialog.m_strStems2, std::string("  0  9  1 "));
    // A file without a suffix is read as named, not looked for as NAME.txt.
    const QString bare = dir.filePath(QStringLiteral("hairpin"));
    {
      QFile file(bare);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(">h\nGGGAAACCC\n(((...)))\n");
    }
    {
      OnModal<QFileDialog> chooser([&](QFileDialog* d) {
        d->selectFile(bare);
        QMetaObject::invokeMethod(d, "accept");
      });
      FindControlAs<QPushButton>(&dialog, 1019)->click();
      QVERIFY(chooser.handled());
    }
    QCOMPARE(TextBox(&dialog, 1006)->toPlainText(), QStringLiteral(">h\nGGGAAACCC\n(((...)))\n"));
  }

  void InputDialogReadsItsOwnLayoutAsBefore() {
    // Whatever else the dialog reads, a text in its own layout gives exactly
    // what SplitStructureText gives for the box's text: every example shown
    // in either box, and typed texts whose lines look like other formats.
    const auto expectSplit = [](CInputDlg& dialog) {
      const auto split1 = SplitStructureText(ToStdString(TextBox(&dialog, 1006)->toPlainText()));
      const auto split2 = SplitStructureText(ToStdString(TextBox(&dialog, 1007)->toPlainText()));
      QVERIFY(split1 && split2);
      QCOMPARE(dialog.m_strSequence1, split1->bases);
      QCOMPARE(dialog.m_strStems1, split1->stems);
      QCOMPARE(dialog.m_strSequence2, split2->bases);
      QCOMPARE(dialog.m_strStems2, split2->stems);
    };
    for (int row = 1; row <= kExampleCount; ++row) {
      CInputDlg dialog;
      Combo(&dialog, 1021)->setCurrentIndex(row);
      Combo(&dialog, 1022)->setCurrentIndex(kExampleCount + 1 - row);
      QCOMPARE(PressOk(&dialog), QString());
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
      expectSplit(dialog);
      QCOMPARE(dialog.m_strSequence1, std::string(ExampleTable()[row - 1].bases));
    }
    const QStringList typed = {
        QStringLiteral("x\nacgu NNN 12 t\nG\n>\n (1) 0 3 1\n>\n"),
        QStringLiteral(">tRNA\nGCGGAUUUAG\n>\n>\n (1)  0  9  2\n>\nanything after\n"),  // a name line like dot-bracket's
        QStringLiteral("76 tRNA\nGCGGAUUUAG\n>\n>\n(1) 0 9 2\n>\n"),                  // like a CT header
        QStringLiteral("1 G 0\nGCGGAUUUAG\n>\n>\n(1) 0 9 2\n>\n"),                    // like a BPSEQ line
        QStringLiteral("name\nACGU\n>\n>\n>\n"),
    };
    for (int i = 0; i < typed.size(); ++i) {
      CInputDlg dialog;
      TextBox(&dialog, 1006)->setPlainText(typed[i]);
      TextBox(&dialog, 1007)->setPlainText(typed[(i + 1) % typed.size()]);
      QCOMPARE(PressOk(&dialog), QString());
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
      expectSplit(dialog);
    }
  }

  void InputDialogReadsOtherFormats() {
    const QString examples = QStringLiteral(ZENPHAL_EXAMPLES_DIR);
    const CRnaStructure yeast(ExampleTable()[4].bases, ExampleTable()[4].stems);
    CInputDlg dialog;
    dialog.ReadFileInto(1, examples + QStringLiteral("/yeast-trna.dbn"));
    // A CT file through the chooser's "All Files (*.*)" filter; it holds two
    // structures, and OK says the first was used.
    {
      OnModal<QFileDialog> chooser([&](QFileDialog* d) {
        d->selectNameFilter(QStringLiteral("All Files (*.*)"));
        d->selectFile(examples + QStringLiteral("/trnas.ct"));
        QMetaObject::invokeMethod(d, "accept");
      });
      FindControlAs<QPushButton>(&dialog, 1020)->click();
      QVERIFY(chooser.handled());
    }
    QVERIFY(TextBox(&dialog, 1007)->toPlainText().startsWith(QStringLiteral("   76  yeast tRNA")));
    QCOMPARE(PressOk(&dialog), QStringLiteral("RNA2: the text holds 2 structures; the first was used."));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_strSequence1, std::string(ExampleTable()[4].bases));
    QCOMPARE(dialog.m_strSequence2, std::string(ExampleTable()[4].bases));
    auto computation = dialog.TakeComputation();
    QVERIFY(computation);
    QCOMPARE(computation->First().partner, yeast.partner);
    QCOMPARE(computation->Second().partner, yeast.partner);

    // BPSEQ typed in; a pasted dot-bracket with the energy RNAfold prints.
    CInputDlg typed;
    TextBox(&typed, 1006)->setPlainText(QStringLiteral("Filename: hairpin.bpseq\n1 G 7\n2 G 6\n3 A 0\n4 A 0\n"
                                                        "5 A 0\n6 C 2\n7 C 1\n"));
    TextBox(&typed, 1007)->setPlainText(QStringLiteral("GGGAAACCC\n(((...))) (-1.20)\n"));
    QCOMPARE(PressOk(&typed), QString());
    QCOMPARE(typed.m_strSequence1, std::string("GGAAACC"));
    QCOMPARE(typed.m_strSequence2, std::string("GGGAAACCC"));
    auto hairpins = typed.TakeComputation();
    QCOMPARE(hairpins->First().partner, CRnaStructure("GGAAACC", "0 6 2").partner);
    QCOMPARE(hairpins->Second().partner, CRnaStructure("GGGAAACCC", "0 8 3").partner);

    // A reader's error names the box and the format; the dialog stays open
    // with the text as it was.
    struct Case {
      int box;
      QString text;
      QString start;
    };
    const Case faults[] = {
        {1, QStringLiteral("1 G 4\n2 A 0\n3 C 0\n4 C 0\n"), QStringLiteral("RNA1: read as BPSEQ: line ")},
        {2, QStringLiteral(">x\nGGAAACC\n((...)\n"), QStringLiteral("RNA2: read as dot-bracket: line 3")},
        {2, QStringLiteral("5 x\n1 G 0 2 0 1\n2 C 1 0 0 2\n"), QStringLiteral("RNA2: read as CT: ")},
        {1, QStringLiteral("just a line of text"), QStringLiteral("RNA1: invalid argument: not a structure text")},
    };
    for (const Case& fault : faults) {
      CInputDlg dialog;
      Combo(&dialog, 1021)->setCurrentIndex(1);
      Combo(&dialog, 1022)->setCurrentIndex(2);
      TextBox(&dialog, fault.box == 1 ? 1006 : 1007)->setPlainText(fault.text);
      const QString message = PressOk(&dialog);
      QVERIFY2(message.startsWith(fault.start), qPrintable(message));
      QCOMPARE(dialog.result(), int(QDialog::Rejected));
      QCOMPARE(TextBox(&dialog, fault.box == 1 ? 1006 : 1007)->toPlainText(), fault.text);
    }
  }

  void ExampleDialogLayoutAndDefaults() {
    CExampleDemoDlg dialog;
    const DialogUnits units(dialog.font());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Example Demo"));
    QCOMPARE(dialog.size(), units.Size(351, 330));
    QCOMPARE(TextBox(&dialog, 1005)->geometry(), units.Rect(68, 42, 213, 57));
    QCOMPARE(Edit(&dialog, 1016)->geometry(), units.Rect(246, 265, 29, 15));
    for (int id : {1012, 1013}) {
      QCOMPARE(Combo(&dialog, id)->count(), 7);
      QCOMPARE(Combo(&dialog, id)->itemText(6), QStringLiteral("Leu gene tRNA"));
      QCOMPARE(Combo(&dialog, id)->currentIndex(), 0);
    }
    for (int id : {1005, 1006}) {
      QVERIFY(TextBox(&dialog, id)->isReadOnly());
      QVERIFY(TextBox(&dialog, id)->toPlainText().isEmpty());
    }
    QStringList scores;
    for (int id : {1009, 1010, 1011, 1014, 1015, 1016}) scores << Edit(&dialog, id)->text();
    QCOMPARE(scores, (QStringList{"1.0", "0.5", "0", "2", "0", "2"}));
  }

  void ExampleDialogChoicesAndOk() {
    CExampleDemoDlg dialog;
    Combo(&dialog, 1013)->setCurrentIndex(3);
    MessageCatcher first;
    FindControlAs<QPushButton>(&dialog, kIdOk)->click();
    QCOMPARE(first.text(), QStringLiteral("Please select RNA1!"));
    QCOMPARE(first.title(), QStringLiteral("ZENPH"));
    QCOMPARE(first.icon(), QMessageBox::NoIcon);

    Combo(&dialog, 1012)->setCurrentIndex(3);
    Combo(&dialog, 1013)->setCurrentIndex(0);
    QCOMPARE(PressOk(&dialog), QStringLiteral("Please select RNA2!"));
    QCOMPARE(TextBox(&dialog, 1005)->toPlainText(), ShownText(3));

    Edit(&dialog, 1015)->setText(QStringLiteral("x"));
    Combo(&dialog, 1013)->setCurrentIndex(3);
    QVERIFY(PressOk(&dialog).startsWith(QStringLiteral("Gap Score Range From: \"x\"")));
    Edit(&dialog, 1015)->setText(QStringLiteral("0"));
    QCOMPARE(PressOk(&dialog), QString());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    // The same row twice: two identical structures from the one table.
    QCOMPARE(std::string_view(dialog.m_pszSequence1), ExampleTable()[2].bases);
    QCOMPARE(dialog.m_pszSequence2, dialog.m_pszSequence1);
    QCOMPARE(std::string_view(dialog.m_pszSequence1).size(), size_t(116));
    QCOMPARE(std::string_view(dialog.m_pszStems2), ExampleTable()[2].stems);

    CExampleDemoDlg trnas;
    Combo(&trnas, 1012)->setCurrentIndex(5);
    Combo(&trnas, 1013)->setCurrentIndex(6);
    QCOMPARE(TextBox(&trnas, 1006)->toPlainText(), ShownText(6));
    QCOMPARE(PressOk(&trnas), QString());
    QCOMPARE(std::string_view(trnas.m_pszSequence1).size(), size_t(76));
    QCOMPARE(std::string_view(trnas.m_pszSequence2).size(), size_t(74));
    QCOMPARE(std::string_view(trnas.m_pszStems1), std::string_view("0 71 7 9 24 4 26 42 5 48 64 5"));
    QCOMPARE(std::string_view(trnas.m_pszStems2), std::string_view("0 72 7 9 26 4 29 44 5 49 65 5"));
    QCOMPARE(trnas.m_fIndel, 0.5f);
  }

  void CancelEndsWithoutResults() {
    CExampleDemoDlg dialog;
    dialog.show();
    FindControlAs<QPushButton>(&dialog, kIdCancel)->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.TakeComputation());
    CInputDlg input;
    input.show();
    QTest::keyClick(&input, Qt::Key_Escape);
    QCOMPARE(input.result(), int(QDialog::Rejected));
    QVERIFY(!input.TakeComputation());
  }

  void ProgressDialogFollowsTheRun() {
    CProgressDlg dialog;
    QCOMPARE(dialog.windowTitle(),
             QStringLiteral("Progress(This may need several minutes or longer, please wait.)"));
    const DialogUnits units(dialog.font());
    QCOMPARE(dialog.size(), units.Size(325, 75));
    auto* bar = FindControlAs<QProgressBar>(&dialog, kIdProgressBar);
    QCOMPARE(bar->geometry(), units.Rect(41, 31, 232, 14));
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(dialog.Position(), 0);
    // Escape does nothing while the run goes on.
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());

    // A real run: positions arrive from the worker, the dialog ends itself.
    auto computation = BuildComputation(TrnaInput());
    QList<int> positions;
    OnModal<CProgressDlg> watch([&](CProgressDlg* shown) {
      auto* shownBar = FindControlAs<QProgressBar>(shown, kIdProgressBar);
      connect(shownBar, &QProgressBar::valueChanged, shown, [&](int v) { positions << v; });
    });
    RunWithProgress(*computation, nullptr);
    QCOMPARE(computation->Decomposition().PolygonCount(), 26);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    for (int p : positions) QVERIFY(p >= 0 && p < 100);
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
