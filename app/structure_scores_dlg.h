#pragma once
// What the "Input" and "Example Demo" dialogs share: two example lists, each
// above a structure box, the six score fields, OK and Cancel; reading the
// scores and building the computation when OK is pressed. Each dialog gives
// its own layout (positions in dialog units, control numbers) and its own
// way of taking the two structures.
#include <QDialog>
#include <QRect>
#include <memory>

#include "computation/computation.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zenphal {

class StructureScoresDialog : public QDialog {
  Q_OBJECT
 public:
  struct Control {
    int id;
    QRect rect;  // dialog units
  };
  struct Label {
    const char* text;
    QRect rect;
  };
  // Everything in dialog units; labels in the order they are placed.
  struct Layout {
    const char* title;
    QSize size;
    QRect structureGroup, scoreGroup;
    Label rna1, rna2;
    Control combo1, readFile1, edit1, combo2, readFile2, edit2;  // readFile id 0: no button
    bool readOnlyStructures;
    Label matchLabel, indelLabel, mismatchLabel, mismatchFromLabel, mismatchToLabel, gapLabel, gapFromLabel,
        gapToLabel;
    Control match, indel, mismatchFrom, mismatchTo, gapFrom, gapTo;
    QRect ok, cancel;
  };


  // After an accepted run: the computation built from the dialog's results,
  // ready to run.
  std::unique_ptr<Computation> TakeComputation() { return std::move(m_pComputation); }

  // The six scores of OK, as the dialog read them.
  float m_fMatch = 0, m_fIndel = 0, m_fMismatchFrom = 0, m_fMismatchTo = 0, m_fGapFrom = 0, m_fGapTo = 0;

 protected:
  // Builds the controls, fills both lists with the examples and writes the
  // default scores. The structure boxes start empty.
  StructureScoresDialog(const Layout& layout, QWidget* parent);

  // Reads the six score fields into input, builds the computation from it
  // and keeps it and the scores (the caller then accepts the dialog). A field
  // that is not a score, a range the search cannot decompose or a structure
  // the engine refuses is reported in a message naming it, the field (or
  // structure box) gets the focus and the dialog stays open. Returns whether
  // it succeeded.
  bool Confirm(ComputationInput input);

  QComboBox *m_comboRna1, *m_comboRna2;
  QPlainTextEdit *m_editRna1, *m_editRna2;
  QLineEdit *m_editMatch, *m_editIndel, *m_editMismatchFrom, *m_editMismatchTo, *m_editGapFrom, *m_editGapTo;
  QPushButton *m_buttonReadFile1 = nullptr, *m_buttonReadFile2 = nullptr;  // when the layout has them
  QPushButton *m_buttonOk, *m_buttonCancel;

 private:
  QLineEdit* EditOf(InputField field) const;
  // The message for a core error about one field, in the dialog's words.
  QString FieldMessage(const FieldError& error) const;

  std::unique_ptr<Computation> m_pComputation;
};

// A new choice in combo: the chosen row's display text replaces the box's
// text; the placeholder leaves the text as it is.
void ShowChosenExample(const QComboBox* combo, QPlainTextEdit* box);

}  // namespace zenphal
