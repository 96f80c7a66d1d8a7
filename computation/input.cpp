#include "computation/input.h"

#include "decomposition/decomposition.h"
#include "formats/score_text.h"

namespace zenphal {

std::string_view FieldTitle(InputField field) {
  switch (field) {
    case InputField::kRna1: return "RNA1";
    case InputField::kRna2: return "RNA2";
    case InputField::kMatch: return "match score";
    case InputField::kIndel: return "indel score";
    case InputField::kMismatchFrom: return "mismatch score range from";
    case InputField::kMismatchTo: return "mismatch score range to";
    case InputField::kGapFrom: return "gap score range from";
    case InputField::kGapTo: return "gap score range to";
    case InputField::kPointMismatch: return "mismatch score";
    case InputField::kPointGap: return "gap score";
  }
  return "input";
}

FieldError::FieldError(InputField field_, const std::string& message) : InputError(message), field(field_) {}

FieldError::FieldError(InputField field_, std::string text_, std::string problem_)
    : InputError(std::string(FieldTitle(field_)) + ": '" + text_ + "' " + problem_),
      field(field_),
      text(std::move(text_)),
      problem(std::move(problem_)) {}

float ReadScore(InputField field, std::string_view text) {
  const auto value = ReadScoreField(text);
  if (!value) {
    throw FieldError(field, std::string(text), kNotAScore);
  }
  return *value;
}

void ReadScores(const ScoreTexts& texts, ComputationInput& input) {
  ComputationInput read = input;
  read.match = ReadScore(InputField::kMatch, texts.match);
  read.indel = ReadScore(InputField::kIndel, texts.indel);
  read.mismatchFrom = ReadScore(InputField::kMismatchFrom, texts.mismatchFrom);
  read.mismatchTo = ReadScore(InputField::kMismatchTo, texts.mismatchTo);
  read.gapFrom = ReadScore(InputField::kGapFrom, texts.gapFrom);
  read.gapTo = ReadScore(InputField::kGapTo, texts.gapTo);
  CheckRanges(read);
  input = std::move(read);
}

void CheckRanges(const ComputationInput& input) {
  if (auto problem = RangeProblem("mismatch score", input.mismatchFrom, input.mismatchTo)) {
    throw FieldError(InputField::kMismatchFrom, *problem);
  }
  if (auto problem = RangeProblem("gap score", input.gapFrom, input.gapTo)) {
    throw FieldError(InputField::kGapFrom, *problem);
  }
}

void SetStructures(ComputationInput& input, const StructureSource& first, const StructureSource& second) {
  input.bases1 = first.bases;
  input.stems1 = first.stems;
  input.label1 = first.label;
  input.bases2 = second.bases;
  input.stems2 = second.stems;
  input.label2 = second.label;
  input.reference = SharedAlignmentReference(first, second);
}

void CheckReference(const ComputationInput& input) {
  if (input.reference) CheckReferenceFits(*input.reference, input.bases1, input.bases2);
}

}  // namespace zenphal
