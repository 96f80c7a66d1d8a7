#include "formats/score_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zenphal {
namespace {

std::string Short(int16_t v) {
  std::string s = "<";
  AppendShortDecimal(v, s);
  return s;
}
std::string Score(float v) {
  std::string s;
  AppendScoreText(v, s);
  return s;
}

TEST(ShortDecimal, WritesDigitsWithoutPadding) {
  EXPECT_EQ(Short(0), "<0");
  EXPECT_EQ(Short(7), "<7");
  EXPECT_EQ(Short(10), "<10");
  EXPECT_EQ(Short(9999), "<9999");
}

TEST(ShortDecimal, LargeAndNegativeValuesKeepAllDigits) {
  EXPECT_EQ(Short(10000), "<10000");
  EXPECT_EQ(Short(32767), "<32767");
  EXPECT_EQ(Short(-5), "<-5");
  EXPECT_EQ(Short(-32768), "<-32768");
}

TEST(ScoreText, WholeNumbersHaveNoPoint) {
  EXPECT_EQ(Score(0.0f), "0");
  EXPECT_EQ(Score(-0.0f), "0");
  EXPECT_EQ(Score(3.0f), "3");
  EXPECT_EQ(Score(2.0f), "2");
  EXPECT_EQ(Score(40000.0f), "40000");
}

TEST(ScoreText, FractionsAreTruncatedToThreeDigitsOfTheFloat) {
  EXPECT_EQ(Score(12.5f), "12.500");
  EXPECT_EQ(Score(2.5f), "2.500");
  EXPECT_EQ(Score(0.25f), "0.250");
  EXPECT_EQ(Score(0.05f), "0.050");
  EXPECT_EQ(Score(0.001f), "0.001");
  EXPECT_EQ(Score(0.0005f), "0.000");
  EXPECT_EQ(Score(0.999f), "0.999");
  EXPECT_EQ(Score(0.3f), "0.300");
  EXPECT_EQ(Score(1.1f), "1.100");
  EXPECT_EQ(Score(1.0004f), "1.000");
  EXPECT_EQ(Score(0.7f), "0.699");  // 0.699999988 as a float
  EXPECT_EQ(Score(2.3f), "2.299");
}

TEST(ScoreText, NegativeScoresGetASign) {
  EXPECT_EQ(Score(-2.5f), "-2.500");
  EXPECT_EQ(Score(-3.0f), "-3");
}

TEST(ParseScore, ReadsTheDialogsTexts) {
  EXPECT_EQ(ParseScoreText(""), 0.0f);
  EXPECT_EQ(ParseScoreText("."), 0.0f);
  EXPECT_EQ(ParseScoreText("2.5"), 2.5f);
  EXPECT_EQ(ParseScoreText("10"), 10.0f);
  EXPECT_EQ(ParseScoreText(".25"), 0.25f);
  EXPECT_EQ(ParseScoreText("3."), 3.0f);
  EXPECT_EQ(ParseScoreText("0.125 "), 0.125f);
  EXPECT_EQ(ParseScoreText("4.5 and more"), 4.5f);
  EXPECT_EQ(ParseScoreText("0.5 1"), 0.5f);
  EXPECT_EQ(ParseScoreText("007"), 7.0f);
  EXPECT_EQ(ParseScoreText("1.0"), 1.0f);
  EXPECT_EQ(ParseScoreText("0.5"), 0.5f);
}

TEST(ParseScore, FractionScaledByTheFloatTenth) {
  // 5 * 0.1f * 0.1f in double, plus 1, rounds to the float below 1.05.
  EXPECT_EQ(ParseScoreText("1.05"), 1.04999995f);
  std::string written;
  AppendScoreText(ParseScoreText("1.05"), written);
  EXPECT_EQ(written, "1.049");
}

TEST(ScoreField, AcceptsOnlyNonNegativeDecimals) {
  EXPECT_EQ(ReadScoreField(" 2.5\t"), 2.5f);
  EXPECT_EQ(ReadScoreField("0"), 0.0f);
  EXPECT_EQ(ReadScoreField(".5"), 0.5f);
  EXPECT_EQ(ReadScoreField("3."), 3.0f);
  for (const char* bad : {"", " ", ".", "abc", "-1", "+1", "1.2.3", "1e3", "1,5", "2 5", "1234567890", "0.1234567890"}) {
    EXPECT_FALSE(ReadScoreField(bad).has_value()) << bad;
  }
}

// The JSON's short numbers, as a value and as a text.
TEST(ShortestDecimal, TheFloatsShortestText) {
  EXPECT_EQ(ShortestDecimalOf(0.1f), 0.1);
  EXPECT_EQ(ShortestDecimalOf(1.7f), 1.7);
  EXPECT_EQ(ShortestDecimalText(0.1f), "0.1");
  EXPECT_EQ(ShortestDecimalText(2.0f), "2");
  EXPECT_EQ(ShortestDecimalText(0.0f), "0");
  EXPECT_EQ(ShortestDecimalText(1.5f), "1.5");
  EXPECT_EQ(ShortestDecimalText(1e20f), "1e+20");
}

}  // namespace
}  // namespace zenphal
