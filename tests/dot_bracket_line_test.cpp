// Writing dot-bracket lines: the inverse of the dot-bracket reader.
#include <gtest/gtest.h>

#include <string>

#include "engine/errors.h"
#include "engine/rna_structure.h"
#include "format_writers.h"
#include "formats/dot_bracket.h"
#include "formats/dot_bracket_line.h"
#include "formats/example_table.h"

namespace zenphal {
namespace {

CRnaStructure FromDotBracket(const std::string& sequence, const std::string& line) {
  const StructureRead read = ReadDotBracket(sequence + "\n" + line + "\n");
  return CRnaStructure(read.bases, read.stems);
}

TEST(DotBracketLine, NestedStructuresUseRoundBracketsAlone) {
  for (const ExampleRow& r : ExampleTable()) {
    SCOPED_TRACE(std::string(r.name));
    const CRnaStructure s(r.bases, r.stems);
    EXPECT_EQ(ToDotBracketLine(s), testing::DotBracketLine(s));
  }
  EXPECT_EQ(ToDotBracketLine(CRnaStructure("ACGU", "")), "....");
}

// Lines as tools write pseudoknots read back to the same line: every pair
// takes the first kind it does not cross, by left ends.
TEST(DotBracketLine, CrossingPairsReadBackToTheSameLine) {
  for (const std::string line : {"((..[[..))..]]", "(([[..{{..))..]]..}}", "([{<)]}>", "(.[.).]..((..))",
                                 "((((..[[[..))))..(((..]]]..)))", "(<)>", "([)]((..))"}) {
    SCOPED_TRACE(line);
    const std::string sequence(line.size(), 'A');
    const CRnaStructure s = FromDotBracket(sequence, line);
    const std::string written = ToDotBracketLine(s);
    const CRnaStructure back = FromDotBracket(sequence, written);
    EXPECT_EQ(testing::PairsOf(back), testing::PairsOf(s));
  }
  // Written in the canonical kinds: a lone crossing pair gets "[]", whatever it was.
  EXPECT_EQ(ToDotBracketLine(FromDotBracket("AAAA", "(<)>")), "([)]");
  EXPECT_EQ(ToDotBracketLine(FromDotBracket("AAAAAAAA", "([{<)]}>")), "([{<)]}>");
}

TEST(DotBracketLine, FiveMutuallyCrossingPairsDoNotFit) {
  // Pairs (i, i + 5) for i = 0..4 all cross each other.
  const CRnaStructure s("AAAAAAAAAA", "0 5 1 1 6 1 2 7 1 3 8 1 4 9 1");
  try {
    ToDotBracketLine(s);
    FAIL() << "five crossing pairs were written";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(), "the pairs cross too much for dot-bracket: the pair of bases 5 and 10 crosses pairs of "
                           "all four bracket kinds");
  }
}

}  // namespace
}  // namespace zenphal
