#include "app/structure_scores_dlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/dialog_builder.h"
#include "app/messages.h"
#include "formats/example_table.h"

namespace zenphal {
namespace {

void FillExampleCombo(QComboBox* combo) {
  for (std::string_view entry : ExampleListEntries()) combo->addItem(QString::fromLatin1(entry.data(), entry.size()));
  combo->setCurrentIndex(0);
}

// How the dialogs name the score fields.
QString FieldName(InputField field) {
  switch (field) {
    case InputField::kMatch: return QStringLiteral("Match Score");
    case InputField::kIndel: return QStringLiteral("Indel Score");
    case InputField::kMismatchFrom: return QStringLiteral("Mismatch Score Range From");
    case InputField::kMismatchTo: return QStringLiteral("Mismatch Score Range To");
    case InputField::kGapFrom: return QStringLiteral("Gap Score Range From");
    case InputField::kGapTo: return QStringLiteral("Gap Score Range To");
    default: return ToQString(std::string(FieldTitle(field)));
  }
}

}  // namespace

void ShowChosenExample(const QComboBox* combo, QPlainTextEdit* box) {
  const int row = combo->currentIndex();
  if (row >= 1 && row <= kExampleCount) box->setPlainText(ToQString(ExampleDisplayText(row)));
}

StructureScoresDialog::StructureScoresDialog(const Layout& l, QWidget* parent) : QDialog(parent) {
  DialogBuilder b(this);
  setWindowTitle(QString::fromLatin1(l.title));
  b.SetSize(l.size.width(), l.size.height());
  const auto label = [&b](const Label& x) {
    b.Label(QString::fromLatin1(x.text), x.rect.x(), x.rect.y(), x.rect.width(), x.rect.height());
  };
  const auto lineEdit = [&b](const Control& c) {
    return b.LineEdit(c.id, c.rect.x(), c.rect.y(), c.rect.width(), c.rect.height());
  };
  const auto structure = [&](const Label& name, const Control& combo, const Control& read, const Control& edit,
                             QComboBox*& comboOut, QPushButton*& readOut, QPlainTextEdit*& editOut) {
    label(name);
    comboOut = b.ComboBox(combo.id, combo.rect.x(), combo.rect.y(), combo.rect.width(), combo.rect.height());
    if (read.id != 0) {
      readOut = b.Button(read.id, QStringLiteral("Read From File"), read.rect.x(), read.rect.y(), read.rect.width(),
                         read.rect.height());
    }
    editOut = b.TextEdit(edit.id, edit.rect.x(), edit.rect.y(), edit.rect.width(), edit.rect.height(),
                         l.readOnlyStructures);
  };
  const QRect& g1 = l.structureGroup;
  b.GroupBox(QStringLiteral("Input RNA:"), g1.x(), g1.y(), g1.width(), g1.height());
  structure(l.rna1, l.combo1, l.readFile1, l.edit1, m_comboRna1, m_buttonReadFile1, m_editRna1);
  structure(l.rna2, l.combo2, l.readFile2, l.edit2, m_comboRna2, m_buttonReadFile2, m_editRna2);
  const QRect& g2 = l.scoreGroup;
  b.GroupBox(QStringLiteral("Input Score:"), g2.x(), g2.y(), g2.width(), g2.height());
  label(l.matchLabel);
  m_editMatch = lineEdit(l.match);
  label(l.indelLabel);
  m_editIndel = lineEdit(l.indel);
  label(l.mismatchLabel);
  label(l.mismatchFromLabel);
  m_editMismatchFrom = lineEdit(l.mismatchFrom);
  label(l.mismatchToLabel);
  m_editMismatchTo = lineEdit(l.mismatchTo);
  label(l.gapLabel);
  label(l.gapFromLabel);
  m_editGapFrom = lineEdit(l.gapFrom);
  label(l.gapToLabel);
  m_editGapTo = lineEdit(l.gapTo);
  m_buttonOk = b.Button(kIdOk, QStringLiteral("OK"), l.ok.x(), l.ok.y(), l.ok.width(), l.ok.height(), true);
  m_buttonCancel = b.Button(kIdCancel, QStringLiteral("Cancel"), l.cancel.x(), l.cancel.y(), l.cancel.width(),
                            l.cancel.height());

  // What opening the dialog shows: "Example" in both lists, empty structure
  // boxes, the default scores.
  FillExampleCombo(m_comboRna1);
  FillExampleCombo(m_comboRna2);
  const ScoreTexts defaults;
  m_editMatch->setText(ToQString(defaults.match));
  m_editIndel->setText(ToQString(defaults.indel));
  m_editMismatchFrom->setText(ToQString(defaults.mismatchFrom));
  m_editMismatchTo->setText(ToQString(defaults.mismatchTo));
  m_editGapFrom->setText(ToQString(defaults.gapFrom));
  m_editGapTo->setText(ToQString(defaults.gapTo));

  connect(m_comboRna1, &QComboBox::currentIndexChanged, this, [this] { ShowChosenExample(m_comboRna1, m_editRna1); });
  connect(m_comboRna2, &QComboBox::currentIndexChanged, this, [this] { ShowChosenExample(m_comboRna2, m_editRna2); });
  connect(m_buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* StructureScoresDialog::EditOf(InputField field) const {
  switch (field) {
    case InputField::kMatch: return m_editMatch;
    case InputField::kIndel: return m_editIndel;
    case InputField::kMismatchFrom:
    case InputField::kMismatchTo: return field == InputField::kMismatchTo ? m_editMismatchTo : m_editMismatchFrom;
    case InputField::kGapFrom: return m_editGapFrom;
    case InputField::kGapTo: return m_editGapTo;
    default: return nullptr;
  }
}

QString StructureScoresDialog::FieldMessage(const FieldError& e) const {
  if (!e.text.empty() || !e.problem.empty()) {
    return QStringLiteral("%1: \"%2\" %3.").arg(FieldName(e.field), EditOf(e.field)->text(), ToQString(e.problem));
  }
  QString text = ToQString(e.what());
  if (e.field == InputField::kMismatchFrom || e.field == InputField::kGapFrom) {
    // A range: named as the dialog groups it.
    text[0] = text[0].toUpper();
    const QString range = e.field == InputField::kMismatchFrom ? QStringLiteral("Mismatch Score Range")
                                                               : QStringLiteral("Gap Score Range");
    return QStringLiteral("%1: %2.").arg(range, text);
  }
  return text + QLatin1Char('.');
}

bool StructureScoresDialog::Confirm(ComputationInput input) {
  ScoreTexts texts;
  texts.match = ToStdString(m_editMatch->text());
  texts.indel = ToStdString(m_editIndel->text());
  texts.mismatchFrom = ToStdString(m_editMismatchFrom->text());
  texts.mismatchTo = ToStdString(m_editMismatchTo->text());
  texts.gapFrom = ToStdString(m_editGapFrom->text());
  texts.gapTo = ToStdString(m_editGapTo->text());
  std::unique_ptr<Computation> computation;
  try {
    ReadScores(texts, input);
    computation = std::make_unique<Computation>(input);
  } catch (const FieldError& e) {
    ShowError(this, FieldMessage(e));
    if (QLineEdit* field = EditOf(e.field)) {
      field->setFocus();
      field->selectAll();
    } else if (e.field == InputField::kRna1 || e.field == InputField::kRna2) {
      (e.field == InputField::kRna1 ? m_editRna1 : m_editRna2)->setFocus();
    }
    return false;
  } catch (const InputError& e) {
    ShowError(this, ToQString(e.what()) + QLatin1Char('.'));
    return false;
  }
  m_pComputation = std::move(computation);
  m_fMatch = input.match;
  m_fIndel = input.indel;
  m_fMismatchFrom = input.mismatchFrom;
  m_fMismatchTo = input.mismatchTo;
  m_fGapFrom = input.gapFrom;
  m_fGapTo = input.gapTo;
  return true;
}

}  // namespace zenphal
