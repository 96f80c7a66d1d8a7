#pragma once
// The input of one computation: two structures as read, the match and indel
// scores, and the rectangle of (mismatch, gap) scores to decompose. Its
// defaults and its checks live here, once, for every front end; the front
// ends only name the fields their own way.
#include <optional>
#include <string>
#include <string_view>

#include "engine/errors.h"
#include "formats/pairwise_reference.h"
#include "formats/structure_source.h"

namespace zenphal {

// The fields of a computation's input (and of a point query), so that an
// error can say which one is wrong and a front end can point at it.
enum class InputField {
  kRna1,
  kRna2,
  kMatch,
  kIndel,
  kMismatchFrom,
  kMismatchTo,
  kGapFrom,
  kGapTo,
  kPointMismatch,  // the point of a query
  kPointGap,
};

// A field's name in messages: "match score", "mismatch score range from", ...
std::string_view FieldTitle(InputField field);

// Input the user can correct, naming the field. For a score field, text is
// the text as given and problem what is wrong with it, so that a front end
// can word the message its own way; what() is a whole message either way.
class FieldError : public InputError {
 public:
  FieldError(InputField field, const std::string& message);
  FieldError(InputField field, std::string text, std::string problem);
  InputField field;
  std::string text;
  std::string problem;
};

// The six score fields as texts, with the defaults the dialogs show and the
// command line takes.
struct ScoreTexts {
  std::string match = "1.0";
  std::string indel = "0.5";
  std::string mismatchFrom = "0";
  std::string mismatchTo = "2";
  std::string gapFrom = "0";
  std::string gapTo = "2";
};

struct ComputationInput {
  std::string bases1;  // base text and stem text of each structure, as the
  std::string stems1;  // readers give them (CRnaStructure reads them)
  std::string bases2;
  std::string stems2;
  std::string label1 = "RNA1";  // how messages name the structures: the
  std::string label2 = "RNA2";  // dialog's boxes, or the command's operands
  // The defaults are the values of the default texts (a test keeps them so).
  float match = 1.0f;
  float indel = 0.5f;
  float mismatchFrom = 0.0f;
  float mismatchTo = 2.0f;
  float gapFrom = 0.0f;
  float gapTo = 2.0f;
  // A curated alignment of the two structures to compare every optimal
  // alignment with (agreement/agreement.h); none by default.
  std::optional<PairwiseReference> reference;

  bool operator==(const ComputationInput&) const = default;
};

// Why a text is not a score, as every front end says it.
inline constexpr const char* kNotAScore =
    "is not a non-negative decimal number (digits with at most one '.', at most 9 digits on either side)";

// A score as users type it: a non-negative decimal number, white space
// around it ignored, read exactly as the dialogs always have (ParseScoreText).
// Throws FieldError naming the field.
float ReadScore(InputField field, std::string_view text);

// Reads the six texts into input's scores, then checks the ranges
// (CheckRanges). Throws FieldError for the first field that is wrong;
// input is unchanged then.
void ReadScores(const ScoreTexts& texts, ComputationInput& input);

// Throws FieldError (kMismatchFrom or kGapFrom) for a range the search cannot
// decompose: not finite, below 0, empty or inverted.
void CheckRanges(const ComputationInput& input);

// Puts two structures as read (their texts and labels) into input, with
// their reference alignment when both come from one alignment of a
// Stockholm file (SharedAlignmentReference), else none; the scores stay as
// they are.
void SetStructures(ComputationInput& input, const StructureSource& first, const StructureSource& second);

// Throws InputError when the input's reference is not an alignment of its
// two structures (CheckReferenceFits); nothing when it has none.
void CheckReference(const ComputationInput& input);

}  // namespace zenphal
