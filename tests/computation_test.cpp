// The computation layer: defaults, the checks that name a field, building,
// the point query and the outputs.
#include <gtest/gtest.h>

#include "computation/computation.h"
#include "computation/document_file.h"
#include "computation/outputs.h"
#include "formats/example_table.h"
#include "formats/score_text.h"

namespace zenphal {
namespace {

ComputationInput Trnas() {
  ComputationInput in;
  in.bases1 = ExampleTable()[4].bases;
  in.stems1 = ExampleTable()[4].stems;
  in.bases2 = ExampleTable()[5].bases;
  in.stems2 = ExampleTable()[5].stems;
  return in;
}

// The field a call rejects, or nullopt when it accepts.
template <typename F>
std::optional<InputField> RejectedField(F&& call) {
  try {
    call();
  } catch (const FieldError& e) {
    return e.field;
  }
  return std::nullopt;
}

TEST(ComputationInput, DefaultsAreTheValuesOfTheDefaultTexts) {
  const ScoreTexts texts;
  ComputationInput read;
  read.match = read.indel = read.mismatchFrom = read.mismatchTo = read.gapFrom = read.gapTo = -7.0f;
  ReadScores(texts, read);
  EXPECT_EQ(read, ComputationInput{});
}

TEST(ComputationInput, ScoreErrorsNameTheFieldAndKeepTheText) {
  ScoreTexts texts;
  texts.indel = " 1e3";
  try {
    ComputationInput in;
    ReadScores(texts, in);
    FAIL() << "accepted 1e3";
  } catch (const FieldError& e) {
    EXPECT_EQ(e.field, InputField::kIndel);
    EXPECT_EQ(e.text, " 1e3");
    EXPECT_EQ(std::string(e.what()), "indel score: ' 1e3' " + e.problem);
  }
  // The first wrong field is the one named, and nothing is changed.
  texts.match = "x";
  ComputationInput in;
  EXPECT_EQ(RejectedField([&] { ReadScores(texts, in); }), InputField::kMatch);
  EXPECT_EQ(in, ComputationInput{});
}

TEST(ComputationInput, RangesAreCheckedByRange) {
  const struct {
    float mismatchFrom, mismatchTo, gapFrom, gapTo;
    std::optional<InputField> field;
  } cases[] = {
      {0, 2, 0, 2, std::nullopt},
      {2, 2, 0, 2, InputField::kMismatchFrom},  // empty
      {3, 1, 0, 2, InputField::kMismatchFrom},  // inverted
      {0, 2, 0, 0, InputField::kGapFrom},
      {0, 2, 5, 1, InputField::kGapFrom},
      {0, std::numeric_limits<float>::infinity(), 0, 1, InputField::kMismatchFrom},
  };
  for (const auto& c : cases) {
    ComputationInput in;
    in.mismatchFrom = c.mismatchFrom;
    in.mismatchTo = c.mismatchTo;
    in.gapFrom = c.gapFrom;
    in.gapTo = c.gapTo;
    EXPECT_EQ(RejectedField([&] { CheckRanges(in); }), c.field) << c.mismatchFrom << " " << c.gapTo;
  }
}

TEST(Computation, StructureErrorsNameTheStructureByItsLabel) {
  ComputationInput in = Trnas();
  in.label2 = "my.ct#2";
  in.stems2 = "0 3";
  try {
    Computation c(in);
    FAIL() << "accepted a stem of two numbers";
  } catch (const FieldError& e) {
    EXPECT_EQ(e.field, InputField::kRna2);
    EXPECT_TRUE(std::string(e.what()).starts_with("my.ct#2: ")) << e.what();
  }
  in = Trnas();
  in.bases1.clear();
  EXPECT_EQ(RejectedField([&] { Computation c(in); }), InputField::kRna1);
  // The ranges are checked before anything is built.
  in = Trnas();
  in.gapTo = 0.0f;
  EXPECT_EQ(RejectedField([&] { Computation c(in); }), InputField::kGapFrom);
}

TEST(Computation, PointQueryAndReportsOfTheTrnas) {
  ComputationInput in = Trnas();
  in.match = 2.0f;
  in.indel = 1.0f;
  Computation c(in);
  EXPECT_FALSE(c.HasRun());
  const PointResult p = c.AlignAt(1.0f, 4.0f);
  EXPECT_EQ(p.score, -30.0);
  EXPECT_EQ(p.record.matchCount, 23);
  EXPECT_EQ(p.record.mismatchCount, 48);
  EXPECT_EQ(p.record.gapCount, 5);
  EXPECT_TRUE(PointReportText(c, p).starts_with("MatchScore:2\r\nMismatchScore:1\r\nIndelScore:1\r\nGapScore:4\r\n"));
  EXPECT_TRUE(PointJsonText(p).starts_with("{\n  \"score\": -30.0,\n  \"counts\": {\n    \"match\": 23,"));
}

TEST(Computation, RunDecomposesTheRectangle) {
  Computation c(Trnas());
  c.Run();
  EXPECT_TRUE(c.HasRun());
  EXPECT_EQ(c.Decomposition().PolygonCount(), 26);
  const std::string report = AllAlignmentsText(c);
  EXPECT_NE(report.find("There are 26 optimal alignments in parametric space:\r\n"), std::string::npos);
  EXPECT_NE(DecompositionJsonText(c).find("\"aligner_calls\": 355"), std::string::npos);
}

TEST(DocumentFile, RoundTripKeepsTheInputAndRefusesOthers) {
  ComputationInput in = Trnas();
  in.mismatchTo = 0.7f;  // no short binary form
  EXPECT_EQ(DocumentFromJson(DocumentToJson(in)), in);
  EXPECT_THROW(DocumentFromJson("{\"format\": \"something else\"}"), InputError);
  EXPECT_THROW(DocumentFromJson("not json"), InputError);
  // A version past 32 bits is not version 1 wrapped.
  std::string text = DocumentToJson(in);
  text.replace(text.find("\"version\": 1"), 12, "\"version\": 4294967297");
  EXPECT_THROW(DocumentFromJson(text), InputError);
}

}  // namespace
}  // namespace zenphal
