#pragma once
// The six score fields that both input dialogs share: defaults and checked
// reading, exactly as the command line checks its score options.
#include "app/computation.h"

class QLineEdit;
class QWidget;

namespace zenphal {

struct ScoreEdits {
  QLineEdit* match;
  QLineEdit* indel;
  QLineEdit* mismatchFrom;
  QLineEdit* mismatchTo;
  QLineEdit* gapFrom;
  QLineEdit* gapTo;
};

// "1.0", "0.5", "0", "2", "0", "2".
void WriteDefaultScores(const ScoreEdits& edits);

// Reads the six fields into input's scores. A field that is not a
// non-negative decimal number, or a range that is empty or inverted, is
// reported in a message naming it; that field gets the focus, nothing is
// changed and the result is false.
bool ReadScoreFields(QWidget* dialog, const ScoreEdits& edits, ComputationInput& input);

}  // namespace zenphal
