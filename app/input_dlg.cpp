#include "app/input_dlg.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/dialog_builder.h"
#include "app/messages.h"
#include "engine/errors.h"
#include "formats/read_structure.h"
#include "text/examples.h"

namespace zenphal {
namespace {

// A structure text that no reader takes, for the message box: which box,
// and the reader's words. Texts taken for a file format say which one.
QString StructureTextError(int structure, const std::string& text, const char* why) {
  const auto format = DetectStructureFormat(text);
  QString reason = QString::fromUtf8(why);
  if (!reason.endsWith(QLatin1Char('.'))) reason += QLatin1Char('.');
  if (!format || *format == StructureFormat::kLayout) {
    return QStringLiteral("RNA%1: invalid argument: %2").arg(structure).arg(reason);
  }
  const std::string_view title = StructureFormatTitle(*format);
  return QStringLiteral("RNA%1: read as %2: %3")
      .arg(structure)
      .arg(QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size())), reason);
}

}  // namespace

void FillExampleCombo(QComboBox* combo) {
  for (std::string_view entry : ExampleListEntries()) combo->addItem(QString::fromLatin1(entry.data(), entry.size()));
  combo->setCurrentIndex(0);
}

void ShowChosenExample(const QComboBox* combo, QPlainTextEdit* box) {
  const int row = combo->currentIndex();
  if (row >= 1 && row <= kExampleCount) box->setPlainText(ToQString(ExampleDisplayText(row)));
}

CInputDlg::CInputDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Input"));
  DialogBuilder b(this);
  b.SetSize(346, 326);
  b.GroupBox(QStringLiteral("Input RNA:"), 14, 7, 291, 180);
  b.Label(QStringLiteral("RNA1:"), 25, 22, 30, 13);
  m_comboRna1 = b.ComboBox(kIdInputRna1Combo, 59, 20, 156, 49);
  auto* read1 = b.Button(kIdInputReadFile1, QStringLiteral("Read From File"), 225, 19, 56, 14);
  m_editRna1 = b.TextEdit(kIdInputRna1Edit, 59, 38, 224, 57, false);
  b.Label(QStringLiteral("RNA2:"), 24, 102, 30, 13);
  m_comboRna2 = b.ComboBox(kIdInputRna2Combo, 59, 102, 156, 51);
  auto* read2 = b.Button(kIdInputReadFile2, QStringLiteral("Read From File"), 225, 102, 56, 14);
  m_editRna2 = b.TextEdit(kIdInputRna2Edit, 59, 119, 226, 59, false);
  b.GroupBox(QStringLiteral("Input Score:"), 15, 197, 290, 100);
  b.Label(QStringLiteral("Match Score:"), 23, 211, 42, 13);
  m_editMatch = b.LineEdit(kIdInputMatch, 51, 226, 54, 14);
  b.Label(QStringLiteral("Indel Score:"), 143, 211, 42, 13);
  m_editIndel = b.LineEdit(kIdInputIndel, 167, 226, 54, 14);
  b.Label(QStringLiteral("Mismatch Score Range:"), 23, 245, 93, 13);
  b.Label(QStringLiteral("From"), 23, 270, 17, 8);
  m_editMismatchFrom = b.LineEdit(kIdInputMismatchFrom, 46, 267, 29, 15);
  b.Label(QStringLiteral("To"), 80, 270, 9, 8);
  m_editMismatchTo = b.LineEdit(kIdInputMismatchTo, 99, 267, 29, 15);
  b.Label(QStringLiteral("Gap Score Range:"), 144, 246, 58, 13);
  b.Label(QStringLiteral("From"), 146, 268, 17, 8);
  m_editGapFrom = b.LineEdit(kIdInputGapFrom, 170, 265, 29, 15);
  b.Label(QStringLiteral("To"), 209, 269, 9, 8);
  m_editGapTo = b.LineEdit(kIdInputGapTo, 227, 265, 29, 15);
  auto* ok = b.Button(kIdOk, QStringLiteral("OK"), 81, 305, 50, 14, true);
  auto* cancel = b.Button(kIdCancel, QStringLiteral("Cancel"), 178, 305, 50, 14);

  // What opening the dialog shows: "Example" in both lists, empty structure
  // boxes, the default scores.
  FillExampleCombo(m_comboRna1);
  FillExampleCombo(m_comboRna2);
  WriteDefaultScores({m_editMatch, m_editIndel, m_editMismatchFrom, m_editMismatchTo, m_editGapFrom, m_editGapTo});

  connect(m_comboRna1, &QComboBox::currentIndexChanged, this, &CInputDlg::OnSelchangeRna1);
  connect(m_comboRna2, &QComboBox::currentIndexChanged, this, &CInputDlg::OnSelchangeRna2);
  connect(read1, &QPushButton::clicked, this, &CInputDlg::OnReadFile1);
  connect(read2, &QPushButton::clicked, this, &CInputDlg::OnReadFile2);
  connect(ok, &QPushButton::clicked, this, &CInputDlg::OnOK);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CInputDlg::OnSelchangeRna1() { ShowChosenExample(m_comboRna1, m_editRna1); }

void CInputDlg::OnSelchangeRna2() { ShowChosenExample(m_comboRna2, m_editRna2); }

// The two buttons' filters differ by one space, as they always have.
void CInputDlg::OnReadFile1() { ReadFile(1, QStringLiteral("Text Files (*.txt)")); }

void CInputDlg::OnReadFile2() { ReadFile(2, QStringLiteral("Text Files(*.txt)")); }

void CInputDlg::ReadFile(int structure, const QString& filter) {
  QFileDialog chooser(this, QStringLiteral("Open"));
  chooser.setAcceptMode(QFileDialog::AcceptOpen);
  chooser.setFileMode(QFileDialog::ExistingFile);
  chooser.setNameFilters({filter, QStringLiteral("All Files (*.*)")});
  chooser.setDefaultSuffix(QStringLiteral("txt"));
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
  ReadFileInto(structure, chooser.selectedFiles().constFirst());
}

void CInputDlg::ReadFileInto(int structure, const QString& path) {
  QString error;
  const auto bytes = ReadWholeFile(path, &error);
  if (!bytes) {
    ShowError(this, error);
    return;
  }
  (structure == 1 ? m_editRna1 : m_editRna2)->setPlainText(QString::fromUtf8(*bytes));
}

void CInputDlg::OnOK() {
  const QString text1 = m_editRna1->toPlainText();
  const QString text2 = m_editRna2->toPlainText();
  if (text1.isEmpty() || text2.isEmpty()) {
    ShowMessage(this, QStringLiteral("Please input RNA structure."));
    return;
  }

  ComputationInput input;
  QPlainTextEdit* edits[] = {m_editRna1, m_editRna2};
  std::string* results[][2] = {{&input.bases1, &input.stems1}, {&input.bases2, &input.stems2}};
  QStringList notes;
  for (int i = 0; i < 2; ++i) {
    const std::string text = ToStdString(edits[i]->toPlainText());
    StructureRead read;
    try {
      read = ReadStructureText(text);
    } catch (const InputError& e) {
      ShowError(this, StructureTextError(i + 1, text, e.what()));
      edits[i]->setFocus();
      return;
    }
    *results[i][0] = std::move(read.bases);
    *results[i][1] = std::move(read.stems);
    const QString rna = QStringLiteral("RNA%1: ").arg(i + 1);
    if (read.structureCount > 1) {
      notes << rna + QStringLiteral("the text holds %1 structures; the first was used.").arg(read.structureCount);
    }
    for (const std::string& note : read.notes) notes << rna + ToQString(note) + QLatin1Char('.');
  }

  if (!ReadScoreFields(this, {m_editMatch, m_editIndel, m_editMismatchFrom, m_editMismatchTo, m_editGapFrom,
                              m_editGapTo},
                       input)) {
    return;
  }

  try {
    m_computation = BuildComputation(input);
  } catch (const InputError& e) {
    ShowError(this, QString::fromUtf8(e.what()) + QLatin1Char('.'));
    return;
  }
  m_strSequence1 = input.bases1;
  m_strStems1 = input.stems1;
  m_strSequence2 = input.bases2;
  m_strStems2 = input.stems2;
  m_fMatch = input.match;
  m_fIndel = input.indel;
  m_fMismatchFrom = input.mismatchFrom;
  m_fMismatchTo = input.mismatchTo;
  m_fGapFrom = input.gapFrom;
  m_fGapTo = input.gapTo;
  if (!notes.isEmpty()) ShowMessage(this, notes.join(QLatin1Char('\n')));
  accept();
}

}  // namespace zenphal
