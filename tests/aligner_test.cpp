#include "engine/aligner.h"

#include <gtest/gtest.h>

#include "engine/errors.h"
#include "test_support.h"
#include "formats/example_table.h"

namespace zenphal {
namespace {

using testing::AlignAt;
using testing::Bottom;
using testing::Top;

// Match 2, indel 1 at x = 1, y = 4 unless a test says otherwise.
CAlignment At14(const CRnaStructure& a, const CRnaStructure& b, double* score) {
  return AlignAt(a, b, 2.0f, 1.0f, 1.0f, 4.0f, score);
}

struct Counts {
  int match, mismatch, indel, gap, pairMatch, pairMismatch, pairIndel;
};
void ExpectCounts(const CAlignment& r, Counts c) {
  EXPECT_EQ(r.matchCount, c.match);
  EXPECT_EQ(r.mismatchCount, c.mismatch);
  EXPECT_EQ(r.indelCount, c.indel);
  EXPECT_EQ(r.gapCount, c.gap);
  EXPECT_EQ(r.pairMatchCount, c.pairMatch);
  EXPECT_EQ(r.pairMismatchCount, c.pairMismatch);
  EXPECT_EQ(r.pairIndelCount, c.pairIndel);
}

TEST(AlignerUnpaired, IdenticalSequencesAlignColumnByColumn) {
  double score;
  const CAlignment r = At14(CRnaStructure("ACGU", ""), CRnaStructure("ACGU", ""), &score);
  EXPECT_EQ(score, 8.0);
  EXPECT_EQ(Top(r), "ACGU");
  EXPECT_EQ(Bottom(r), "ACGU");
  ExpectCounts(r, {4, 0, 0, 0, 0, 0, 0});
}

TEST(AlignerUnpaired, EmptyAgainstThreeBasesIsOneGap) {
  double score;
  const CAlignment r = At14(CRnaStructure("", ""), CRnaStructure("ACG", ""), &score);
  EXPECT_EQ(score, -7.0);
  EXPECT_EQ(r.rows.topRow, "___");
  EXPECT_EQ(r.rows.bottomRow, "GCA");  // stored last column first
  EXPECT_EQ(Bottom(r), "ACG");
  ExpectCounts(r, {0, 0, 3, 1, 0, 0, 0});
}

TEST(AlignerUnpaired, TwoEmptyStructures) {
  double score;
  const CAlignment r = At14(CRnaStructure("", ""), CRnaStructure("", ""), &score);
  EXPECT_EQ(r.rows.columnCount, 0);
  EXPECT_EQ(score, 0.0);
}

TEST(AlignerTies, GapGoesFirstAndInsertionBeforeDeletion) {
  double score;
  const CAlignment r = At14(CRnaStructure("AA", ""), CRnaStructure("A", ""), &score);
  EXPECT_EQ(Top(r), "AA");
  EXPECT_EQ(Bottom(r), "_A");
  EXPECT_EQ(score, -3.0);

  const CAlignment s = AlignAt(CRnaStructure("A", ""), CRnaStructure("C", ""), 2, 1, 20, 0, &score);
  EXPECT_EQ(Top(s), "_A");
  EXPECT_EQ(Bottom(s), "C_");
  ExpectCounts(s, {0, 0, 2, 2, 0, 0, 0});
  EXPECT_EQ(score, -2.0);
}

TEST(AlignerPairs, PairAlignedWithPair) {
  double score;
  const CRnaStructure gac("GAC", "0 2 1");
  const CAlignment r = At14(gac, CRnaStructure("GUC", "0 2 1"), &score);
  EXPECT_EQ(Top(r), "GAC");
  EXPECT_EQ(Bottom(r), "GUC");
  ExpectCounts(r, {2, 1, 0, 0, 1, 0, 0});
  EXPECT_EQ(score, 3.0);

  const CAlignment m = At14(gac, CRnaStructure("CAG", "0 2 1"), &score);
  ExpectCounts(m, {1, 2, 0, 0, 0, 1, 0});
  EXPECT_EQ(score, 0.0);
}

TEST(AlignerPairs, PairedBasesNeverMeetUnpairedOnes) {
  double score;
  const CRnaStructure gac("GAC", "0 2 1");
  const CAlignment r = At14(gac, CRnaStructure("A", ""), &score);
  EXPECT_EQ(Top(r), "GAC");
  EXPECT_EQ(Bottom(r), "_A_");
  ExpectCounts(r, {1, 0, 2, 2, 0, 0, 1});
  EXPECT_EQ(score, -8.0);

  const CAlignment s = At14(gac, CRnaStructure("GAC", ""), &score);
  EXPECT_EQ(Top(s), "GAC___");
  EXPECT_EQ(Bottom(s), "___GAC");
  ExpectCounts(s, {0, 0, 6, 2, 0, 0, 1});
  EXPECT_EQ(score, -14.0);
}

TEST(AlignerPairs, HelpPageStructureAgainstItself) {
  const CRnaStructure s("AAGUCUAGGUCUCACU", "1 5 2 7 12 1 8 10 1 13 15 1");
  double score;
  const CAlignment r = At14(s, s, &score);
  EXPECT_EQ(score, 32.0);
  ExpectCounts(r, {16, 0, 0, 0, 5, 0, 0});
}

TEST(AlignerPairs, CrossingPairOutsideTheIntervalStandsInAGap) {
  // 0-4 and 2-6 cross: inside pair 0-4, base 2 has its partner outside.
  const CRnaStructure knot("GACGUAC", "0 4 1 2 6 1");
  double score;
  const CAlignment r = At14(knot, knot, &score);
  EXPECT_EQ(Top(r).size(), Bottom(r).size());
  // Both pairs cannot be aligned at once: one of them goes to gaps.
  EXPECT_EQ(r.pairMatchCount, 1);
  EXPECT_EQ(r.pairIndelCount, 2);
}

TEST(AlignerExamples, YeastAgainstLeuTransferRna) {
  const auto& table = ExampleTable();
  const CRnaStructure yeast(table[4].bases, table[4].stems);
  const CRnaStructure leu(table[5].bases, table[5].stems);
  double score;
  const CAlignment r = At14(yeast, leu, &score);
  EXPECT_EQ(score, -30.0);
  ExpectCounts(r, {23, 48, 8, 5, 4, 17, 0});
  EXPECT_EQ(Top(r), "GCGGAUUUAGCUCAGUUGGG__AGAGC_GCCAGACUGAAAAUCUGGAGGUCCUGUGUUCGAUCCACAGAAUUCGCACCA");
  EXPECT_EQ(Bottom(r), "CUUAGAGUGGCAGAGCCCGGACAUUGCAAAAGGCCU_AAGCCCUUU_CUACAGAGGUUCAAGUCCUCUCUCUAAC___U");
}

TEST(AlignerExamples, RecordScoreMatchesTheTableAtManyPoints) {
  // ScoreOf of the record found equals the optimal table score up to the
  // rounding of 32-bit entries, and the rows always cover both structures.
  const auto& table = ExampleTable();
  const CRnaStructure a(table[0].bases, table[0].stems);
  const CRnaStructure b(table[1].bases, table[1].stems);
  CAligner aligner(a, b, 1.0f, 0.5f);
  for (float x : {0.0f, 0.3f, 1.7f, 5.0f}) {
    for (float y : {0.0f, 0.25f, 2.0f, 9.0f}) {
      aligner.SetPoint(x, y);
      CAlignment r;
      aligner.Compute(r);
      AlignedRows whole;
      const float best = aligner.AlignIntervals(0, a.length - 1, 0, b.length - 1, whole);
      EXPECT_NEAR(aligner.ScoreOf(r), best, 1e-3) << x << "," << y;
      EXPECT_EQ(r.matchCount + r.mismatchCount + r.indelCount, r.rows.columnCount);
    }
  }
}

TEST(AlignerScores, SetPointClampsNegativeValues) {
  const CRnaStructure s("A", "");
  CAligner aligner(s, s, 2.0f, 1.0f);
  EXPECT_EQ(aligner.mismatchScore, 1.0f);
  EXPECT_EQ(aligner.gapScore, 4.0f);
  aligner.SetPoint(-2.0f, -0.5f);
  EXPECT_EQ(aligner.mismatchScore, 0.0f);
  EXPECT_EQ(aligner.gapScore, 0.0f);
}

TEST(AlignerScores, EqualScoreLines) {
  const CRnaStructure s("A", "");
  CAligner aligner(s, s, 2.0f, 1.0f);
  CAlignment a, b;
  a.matchCount = 4;
  b.indelCount = 3;
  b.gapCount = 1;
  ScoreLine line;
  aligner.EqualScoreLine(line, a, b);
  EXPECT_FALSE(line.vertical);
  EXPECT_EQ(line.slope, 0.0f);
  EXPECT_EQ(line.intercept, -11.0f);

  CAlignment c, d;
  c.matchCount = 1;
  c.mismatchCount = 1;
  d.matchCount = 2;
  aligner.EqualScoreLine(line, c, d);
  EXPECT_TRUE(line.vertical);
  EXPECT_EQ(line.xValue, -2.0f);
}

TEST(AlignerCounting, InconsistentColumnIsAnInternalError) {
  // A paired base over an unpaired one never comes out of the recurrences;
  // counting one must fail loudly rather than produce counts.
  const CRnaStructure paired("GAC", "0 2 1"), unpaired("GAC", "");
  CAlignment r;
  r.rows.topRow = "CAG";
  r.rows.bottomRow = "CAG";
  r.rows.columnCount = 3;
  EXPECT_THROW(CountFeatures(paired, unpaired, r), InternalError);
  EXPECT_NO_THROW(CountFeatures(unpaired, unpaired, r));
  EXPECT_EQ(r.matchCount, 3);
}

TEST(AlignerLimits, StructuresTooLongTogetherAreRejected) {
  const CRnaStructure a(std::string(20000, 'A'), "");
  const CRnaStructure b(std::string(12768, 'C'), "");
  EXPECT_THROW(CAligner(a, b, 1.0f, 0.5f), InputError);
}

}  // namespace
}  // namespace zenphal
