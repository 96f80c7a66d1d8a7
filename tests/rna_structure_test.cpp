#include "engine/rna_structure.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/errors.h"

namespace zenphal {
namespace {

std::vector<std::pair<int, int>> Pairs(const CRnaStructure& s) {
  std::vector<std::pair<int, int>> pairs;
  for (int i = 0; i < s.length; ++i) {
    if (s.partner[i] > i) pairs.emplace_back(i, s.partner[i]);
  }
  return pairs;
}

TEST(RnaStructureText, DropsOnlySpacesFromTheBases) {
  EXPECT_EQ(CRnaStructure("A C G", "").sequence, "ACG");
  const CRnaStructure withLineEnd("ACGU\r\n", "");
  EXPECT_EQ(withLineEnd.length, 6);
  EXPECT_EQ(withLineEnd.sequence, "ACGU\r\n");
}

TEST(RnaStructureText, EmptyOrBlankStemsGiveNoPairs) {
  for (const char* stems : {"", "   "}) {
    const CRnaStructure s("ACGU", stems);
    EXPECT_EQ(s.pairCount, 0);
    for (int i = 0; i < s.length; ++i) {
      EXPECT_EQ(s.partner[i], i);
      EXPECT_EQ(s.pairIndex[i], -1);
    }
    EXPECT_EQ(s.stemText, stems);
  }
}

TEST(RnaStructureText, RunsOfSpacesSeparateNumbers) {
  const CRnaStructure a("ACGUAC", "  1  5  2  ");
  const CRnaStructure b("ACGUAC", "1 5 2");
  EXPECT_EQ(Pairs(a), Pairs(b));
  EXPECT_EQ(a.stemText, "  1  5  2  ");
}

TEST(RnaStructurePairs, HelpPageExample) {
  const CRnaStructure s("AAGUCUAGGUCUCACU", "1 5 2 7 12 1 8 10 1 13 15 1");
  EXPECT_EQ(s.length, 16);
  EXPECT_EQ(Pairs(s), (std::vector<std::pair<int, int>>{{1, 5}, {2, 4}, {7, 12}, {8, 10}, {13, 15}}));
  EXPECT_EQ(s.pairCount, 5);
  const std::vector<int16_t> expected = {-1, -1, -1, -1, 0, 1, -1, -1, -1, -1, 2, -1, 3, -1, -1, 4};
  EXPECT_EQ(s.pairIndex, expected);
}

TEST(RnaStructurePairs, TransferRnaStems) {
  const CRnaStructure s(std::string(76, 'A'), "0 71 7 9 24 4 26 42 5 48 64 5");
  EXPECT_EQ(s.pairCount, 21);
  EXPECT_EQ(s.partner[0], 71);
  EXPECT_EQ(s.partner[6], 65);
  EXPECT_EQ(s.partner[12], 21);
  EXPECT_EQ(s.partner[30], 38);
  EXPECT_EQ(s.partner[52], 60);
  EXPECT_EQ(s.partner[7], 7);
}

TEST(RnaStructurePairs, StemLongerThanHalfItsSpanMirrorsItsPairs) {
  EXPECT_EQ(Pairs(CRnaStructure("ACGU", "0 3 4")), Pairs(CRnaStructure("ACGU", "0 3 2")));
  const CRnaStructure odd("ACG", "0 2 3");
  EXPECT_EQ(Pairs(odd), (std::vector<std::pair<int, int>>{{0, 2}}));
  EXPECT_EQ(odd.partner[1], 1);
}

TEST(RnaStructurePairs, ZeroPairStemAddsNothing) {
  EXPECT_EQ(CRnaStructure("ACGUAC", "1 5 0").pairCount, 0);
  // A stem without pairs writes nothing, so its ends are not checked either.
  EXPECT_EQ(CRnaStructure("ACG", "40 90 0").pairCount, 0);
}

TEST(RnaStructurePairs, CrossingStemsThatKeepPartnersConsistentAreAccepted) {
  const CRnaStructure knot("ACGUACGU", "0 4 1 2 6 1");
  EXPECT_EQ(Pairs(knot), (std::vector<std::pair<int, int>>{{0, 4}, {2, 6}}));
  EXPECT_EQ(knot.pairIndex[4], 0);
  EXPECT_EQ(knot.pairIndex[6], 1);
}

TEST(RnaStructurePairs, RepeatingAStemIsHarmless) {
  EXPECT_EQ(Pairs(CRnaStructure("ACGUAC", "0 5 2 0 5 2")), Pairs(CRnaStructure("ACGUAC", "0 5 2")));
}

// Each bad stem text fails construction with a message naming the problem.
void ExpectRejected(const std::string& bases, const std::string& stems, const std::string& fragment) {
  try {
    CRnaStructure s(bases, stems);
    FAIL() << "accepted stems '" << stems << "'";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
  }
}

TEST(RnaStructureErrors, BadStemTextsAreRejectedWithAReason) {
  ExpectRejected("ACGUAC", "1 5", "not a multiple of 3");
  ExpectRejected("ACGUAC", "1 5 2 3", "not a multiple of 3");
  ExpectRejected("ACGUAC", "0 3 5", "stem 1 (0 3 5) has more pairs");
  ExpectRejected("ACGUAC", "0 5 1 1 9 1", "stem 2 (1 9 1) lies outside the sequence of 6 bases");
  ExpectRejected("ACGUAC", "-1 3 1", "lies outside");
  ExpectRejected("ACGUACGU", "0 5 1 5 7 1", "pairs base 5, which an earlier stem pairs with base 0");
  ExpectRejected("ACGUACGU", "0 4 1 2 6 1 1 4 1", "pairs base 4");
  // The middle base of an odd stem is left unpaired: it may not be paired already.
  ExpectRejected("ACGUACGU", "1 3 1 0 2 3", "pairs base 1");
}

TEST(RnaStructureErrors, StructureLongerThan32767BasesIsRejected) {
  EXPECT_NO_THROW(CRnaStructure(std::string(32767, 'A'), ""));
  ExpectRejected(std::string(32768, 'A'), "", "32768 bases");
}

TEST(RnaStructureErrors, NumbersWrapTo16BitsAndOtherCharactersEnterThem) {
  // 65536 + 1 wraps to 1; "1x" reads as 1*10 + ('x' - 48) = 82, but the
  // message names the stem as it was written.
  EXPECT_EQ(CRnaStructure("ACGUAC", "65537 5 1").partner[1], 5);
  ExpectRejected("ACGUAC", "1x 5 1", "(1x 5 1)");
  ExpectRejected("ACGUAC", "-1 3 1", "stem 1 (-1 3 1) lies outside");
}

}  // namespace
}  // namespace zenphal
