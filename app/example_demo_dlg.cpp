#include "app/example_demo_dlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/dialog_builder.h"
#include "app/input_dlg.h"
#include "app/messages.h"
#include "app/score_fields.h"
#include "engine/errors.h"
#include "text/examples.h"

namespace zenphal {

CExampleDemoDlg::CExampleDemoDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Example Demo"));
  DialogBuilder b(this);
  b.SetSize(351, 330);
  b.GroupBox(QStringLiteral("Input RNA:"), 23, 13, 276, 176);
  b.Label(QStringLiteral("RNA1:"), 32, 25, 22, 8);
  m_comboRna1 = b.ComboBox(kIdDemoRna1Combo, 68, 24, 215, 63);
  m_editRna1 = b.TextEdit(kIdDemoRna1Edit, 68, 42, 213, 57, true);
  b.Label(QStringLiteral("RNA2:"), 32, 111, 22, 8);
  m_comboRna2 = b.ComboBox(kIdDemoRna2Combo, 67, 108, 214, 63);
  m_editRna2 = b.TextEdit(kIdDemoRna2Edit, 67, 126, 213, 56, true);
  b.GroupBox(QStringLiteral("Input Score:"), 23, 196, 277, 104);
  b.Label(QStringLiteral("Match Score:"), 39, 212, 42, 13);
  m_editMatch = b.LineEdit(kIdDemoMatch, 64, 226, 54, 14);
  b.Label(QStringLiteral("Indel Score:"), 160, 212, 42, 13);
  m_editIndel = b.LineEdit(kIdDemoIndel, 185, 225, 54, 14);
  b.Label(QStringLiteral("Mismatch Score Range:"), 38, 247, 93, 13);
  b.Label(QStringLiteral("From"), 40, 271, 17, 8);
  m_editMismatchFrom = b.LineEdit(kIdDemoMismatchFrom, 62, 268, 29, 15);
  b.Label(QStringLiteral("To"), 96, 271, 9, 8);
  m_editMismatchTo = b.LineEdit(kIdDemoMismatchTo, 115, 268, 29, 15);
  b.Label(QStringLiteral("Gap Score Range:"), 160, 247, 58, 13);
  b.Label(QStringLiteral("From"), 162, 268, 17, 8);
  m_editGapFrom = b.LineEdit(kIdDemoGapFrom, 186, 265, 29, 15);
  b.Label(QStringLiteral("To"), 224, 269, 9, 8);
  m_editGapTo = b.LineEdit(kIdDemoGapTo, 246, 265, 29, 15);
  auto* ok = b.Button(kIdOk, QStringLiteral("OK"), 77, 309, 50, 14, true);
  auto* cancel = b.Button(kIdCancel, QStringLiteral("Cancel"), 177, 309, 50, 14);

  FillExampleCombo(m_comboRna1);
  FillExampleCombo(m_comboRna2);
  WriteDefaultScores({m_editMatch, m_editIndel, m_editMismatchFrom, m_editMismatchTo, m_editGapFrom, m_editGapTo});

  connect(m_comboRna1, &QComboBox::currentIndexChanged, this, &CExampleDemoDlg::OnSelchangeRna1);
  connect(m_comboRna2, &QComboBox::currentIndexChanged, this, &CExampleDemoDlg::OnSelchangeRna2);
  connect(ok, &QPushButton::clicked, this, &CExampleDemoDlg::OnOK);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CExampleDemoDlg::OnSelchangeRna1() { ShowChosenExample(m_comboRna1, m_editRna1); }

void CExampleDemoDlg::OnSelchangeRna2() { ShowChosenExample(m_comboRna2, m_editRna2); }

void CExampleDemoDlg::OnOK() {
  const int a = m_comboRna1->currentIndex();
  const int b = m_comboRna2->currentIndex();
  if (a < 1 || a > kExampleCount) {
    ShowMessage(this, QStringLiteral("Please select RNA1!"));
    return;
  }
  if (b < 1 || b > kExampleCount) {
    ShowMessage(this, QStringLiteral("Please select RNA2!"));
    return;
  }
  const ExampleRow& row1 = ExampleTable()[static_cast<size_t>(a - 1)];
  const ExampleRow& row2 = ExampleTable()[static_cast<size_t>(b - 1)];
  ComputationInput input;
  input.bases1 = row1.bases;
  input.stems1 = row1.stems;
  input.bases2 = row2.bases;
  input.stems2 = row2.stems;
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
  m_pszSequence1 = row1.bases;
  m_pszStems1 = row1.stems;
  m_pszSequence2 = row2.bases;
  m_pszStems2 = row2.stems;
  m_fMatch = input.match;
  m_fIndel = input.indel;
  m_fMismatchFrom = input.mismatchFrom;
  m_fMismatchTo = input.mismatchTo;
  m_fGapFrom = input.gapFrom;
  m_fGapTo = input.gapTo;
  accept();
}

}  // namespace zenphal
