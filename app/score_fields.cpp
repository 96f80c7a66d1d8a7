#include "app/score_fields.h"

#include <QLineEdit>

#include "app/messages.h"
#include "decomposition/decomposition.h"
#include "text/score_text.h"

namespace zenphal {
namespace {

void Complain(QWidget* dialog, QLineEdit* field, const QString& text) {
  ShowError(dialog, text);
  field->setFocus();
  field->selectAll();
}

}  // namespace

void WriteDefaultScores(const ScoreEdits& e) {
  e.match->setText(QStringLiteral("1.0"));
  e.indel->setText(QStringLiteral("0.5"));
  e.mismatchFrom->setText(QStringLiteral("0"));
  e.mismatchTo->setText(QStringLiteral("2"));
  e.gapFrom->setText(QStringLiteral("0"));
  e.gapTo->setText(QStringLiteral("2"));
}

bool ReadScoreFields(QWidget* dialog, const ScoreEdits& e, ComputationInput& input) {
  struct Field {
    QLineEdit* edit;
    const char* name;
    float value;
  };
  Field fields[] = {{e.match, "Match Score", 0},          {e.indel, "Indel Score", 0},
                    {e.mismatchFrom, "Mismatch Score Range From", 0}, {e.mismatchTo, "Mismatch Score Range To", 0},
                    {e.gapFrom, "Gap Score Range From", 0},       {e.gapTo, "Gap Score Range To", 0}};
  for (Field& f : fields) {
    const auto value = ReadScoreField(ToStdString(f.edit->text()));
    if (!value) {
      Complain(dialog, f.edit,
               QStringLiteral("%1: \"%2\" is not a non-negative decimal number (digits with at most one '.', at "
                              "most 9 digits on either side).")
                   .arg(QString::fromLatin1(f.name), f.edit->text()));
      return false;
    }
    f.value = *value;
  }
  const float mismatchFrom = fields[2].value, mismatchTo = fields[3].value;
  const float gapFrom = fields[4].value, gapTo = fields[5].value;
  if (auto problem = RectangleProblem(mismatchFrom, mismatchTo, gapFrom, gapTo)) {
    // The gap range [0, 1] is always sound, so this asks about the mismatch range alone.
    const bool mismatchRange = RectangleProblem(mismatchFrom, mismatchTo, 0.0f, 1.0f).has_value();
    QString text = QString::fromStdString(*problem);
    text[0] = text[0].toUpper();
    Complain(dialog, mismatchRange ? e.mismatchFrom : e.gapFrom,
             QStringLiteral("%1: %2.").arg(mismatchRange ? QStringLiteral("Mismatch Score Range")
                                                         : QStringLiteral("Gap Score Range"),
                                           text));
    return false;
  }
  input.match = fields[0].value;
  input.indel = fields[1].value;
  input.mismatchFrom = mismatchFrom;
  input.mismatchTo = mismatchTo;
  input.gapFrom = gapFrom;
  input.gapTo = gapTo;
  return true;
}

}  // namespace zenphal
