#include "app/example_demo_dlg.h"

#include <QComboBox>
#include <QPushButton>

#include "app/messages.h"
#include "formats/example_table.h"

namespace zenphal {
namespace {

const StructureScoresDialog::Layout kLayout = {
    "Example Demo", {351, 330}, {23, 13, 276, 176}, {23, 196, 277, 104},
    {"RNA1:", {32, 25, 22, 8}}, {"RNA2:", {32, 111, 22, 8}},
    {kIdDemoRna1Combo, {68, 24, 215, 63}}, {0, {}}, {kIdDemoRna1Edit, {68, 42, 213, 57}},
    {kIdDemoRna2Combo, {67, 108, 214, 63}}, {0, {}}, {kIdDemoRna2Edit, {67, 126, 213, 56}},
    true,
    {"Match Score:", {39, 212, 42, 13}}, {"Indel Score:", {160, 212, 42, 13}},
    {"Mismatch Score Range:", {38, 247, 93, 13}}, {"From", {40, 271, 17, 8}}, {"To", {96, 271, 9, 8}},
    {"Gap Score Range:", {160, 247, 58, 13}}, {"From", {162, 268, 17, 8}}, {"To", {224, 269, 9, 8}},
    {kIdDemoMatch, {64, 226, 54, 14}}, {kIdDemoIndel, {185, 225, 54, 14}},
    {kIdDemoMismatchFrom, {62, 268, 29, 15}}, {kIdDemoMismatchTo, {115, 268, 29, 15}},
    {kIdDemoGapFrom, {186, 265, 29, 15}}, {kIdDemoGapTo, {246, 265, 29, 15}},
    {77, 309, 50, 14}, {177, 309, 50, 14},
};

}  // namespace

CExampleDemoDlg::CExampleDemoDlg(QWidget* parent) : StructureScoresDialog(kLayout, parent) {
  connect(m_buttonOk, &QPushButton::clicked, this, &CExampleDemoDlg::OnOK);
}

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
  if (!Confirm(input)) return;
  // The table's texts are string literals: their views end in a NUL.
  m_pszSequence1 = row1.bases.data();
  m_pszStems1 = row1.stems.data();
  m_pszSequence2 = row2.bases.data();
  m_pszStems2 = row2.stems.data();
  accept();
}

}  // namespace zenphal
