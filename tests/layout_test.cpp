#include "formats/layout.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/rna_structure.h"
#include "formats/example_table.h"

namespace zenphal {
namespace {

std::string WithLineFeeds(std::string text) {
  std::string out;
  for (char c : text) {
    if (c != '\r') out.push_back(c);
  }
  return out;
}

TEST(SplitStructure, ToyExampleDisplayText) {
  const auto split = SplitStructureText(ExampleDisplayText(1));
  ASSERT_TRUE(split);
  EXPECT_EQ(split->bases.size(), 68u);
  EXPECT_EQ(split->bases.substr(0, 10), "AAAGCAGGCC");
  EXPECT_EQ(split->stems, "  1  60  4   10  23  5 ");
}

TEST(SplitStructure, EveryExampleSplitsBackToItsRow) {
  for (int row = 1; row <= kExampleCount; ++row) {
    const ExampleRow& r = ExampleTable()[static_cast<size_t>(row - 1)];
    for (const std::string& text : {ExampleDisplayText(row), WithLineFeeds(ExampleDisplayText(row))}) {
      const auto split = SplitStructureText(text);
      ASSERT_TRUE(split) << r.name;
      EXPECT_EQ(split->bases, r.bases);
      const CRnaStructure fromText(split->bases, split->stems);
      const CRnaStructure fromTable(r.bases, r.stems);
      EXPECT_EQ(fromText.partner, fromTable.partner) << r.name;
    }
  }
}

TEST(SplitStructure, StructureWithoutStems) {
  const auto split = SplitStructureText("name\r\nACGU\r\n>\r\n>\r\n>\r\n");
  ASSERT_TRUE(split);
  EXPECT_EQ(split->bases, "ACGU");
  EXPECT_EQ(split->stems, "");
}

TEST(SplitStructure, OneMarkerLineBeforeTheStems) {
  const auto split = SplitStructureText("x\r\nACGU\r\n>\r\n(1) 0 3 1\r\n>\r\n");
  ASSERT_TRUE(split);
  EXPECT_EQ(split->bases, "ACGU");
  EXPECT_EQ(split->stems, " 0 3 1 ");
}

TEST(SplitStructure, KeepsOnlyBaseLettersInTheirCase) {
  const auto split = SplitStructureText("name\r\nacgu NNN 12 t\r\nG\r\n>\r\n>\r\n>\r\n");
  ASSERT_TRUE(split);
  EXPECT_EQ(split->bases, "acgutG");
}

TEST(SplitStructure, LineFeedsAloneWork) {
  const auto noStems = SplitStructureText("name\nACGU\n>\n>\n>\n");
  ASSERT_TRUE(noStems);
  EXPECT_EQ(noStems->bases, "ACGU");
  const auto stems = SplitStructureText("name\nACGU\n>\n>\n (1)  0  3  1\n>\n");
  ASSERT_TRUE(stems);
  EXPECT_EQ(stems->stems, "  0  3  1 ");
}

TEST(SplitStructure, MalformedTextsAreRejectedWithAReason) {
  const struct {
    const char* text;
    const char* reason;
  } cases[] = {
      {"no line break at all", "no line break after the name line"},
      {"name\r\nACGU\r\n", "no '>' line after the bases"},
      {"name\r\nACGU\r\n>", "no line break after the first '>' line"},
      {"name\r\nACGU\r\n>\r\n", "the text ends after the first '>' line"},
      {"name\r\nACGU\r\n>\r\n>\r\n 0 3 1\r\n>\r\n", "a stem line has no ')' after its label"},
      {"name\r\nACGU\r\n>\r\n>\r\n (1) 0 3 1", "a stem line has no line end"},
      {"name\r\nACGU\r\n>\r\n>\r\n (1) 0 3 1\r\n", "no '>' line after the stem lines"},
      {"name\r\nACGU\r\n>\r\n>\r\n (1) 0 3 1\r", "no '>' line after the stem lines"},
  };
  for (const auto& c : cases) {
    std::string why;
    EXPECT_FALSE(SplitStructureText(c.text, &why)) << c.text;
    EXPECT_EQ(why, c.reason) << c.text;
  }
}

TEST(ExampleDisplay, FollowsTheTemplate) {
  EXPECT_EQ(ExampleDisplayText(1),
            "Toy Example 1:\r\n AAAGCAGGCCAGGCAACCGCUGCCUGCACCGCAAGGUGCAGGGGGAGGAAAGUCCGCUGCACCGCAAG\r\n>\r\n>\r\n"
            " (1)  1  60  4\r\n (2)  10  23  5\r\n>\r\n");
  EXPECT_EQ(ExampleListEntries()[0], "Example");
  EXPECT_EQ(ExampleListEntries()[6], "Leu gene tRNA");
}

}  // namespace
}  // namespace zenphal
