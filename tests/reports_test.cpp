#include "output/reports.h"

#include <gtest/gtest.h>

#include <string>

#include "decomposition/decomposition.h"
#include "engine/aligner.h"

namespace zenphal {
namespace {

CAlignment Unpaired(const std::string& top, const std::string& bottom, int match, int mismatch) {
  CAlignment r;
  r.rows.topRow.assign(top.rbegin(), top.rend());
  r.rows.bottomRow.assign(bottom.rbegin(), bottom.rend());
  r.rows.columnCount = static_cast<int16_t>(top.size());
  r.matchCount = static_cast<int16_t>(match);
  r.mismatchCount = static_cast<int16_t>(mismatch);
  return r;
}

TEST(PointReport, WorkedExample) {
  const CAlignment r = Unpaired("ACGU", "ACGA", 3, 1);
  EXPECT_EQ(PointReport(2.0f, 1.0f, 1.5f, 0.25f, r),
            "MatchScore:2\r\nMismatchScore:1.500\r\nIndelScore:1\r\nGapScore:0.250"
            "\r\n\r\nThe optimal alignment is:\r\n\r\n"
            "Match Number:3\r\nMismatch Number:1\r\nIndel Number:0\r\nGap Number:0\r\nPair Match Number:0"
            "\r\nPair Mismatch Number:0\r\nPair Indel Number:0\r\n\r\nA|C|G|U|\r\nA|C|G|A|");
}

TEST(PointReport, EmptyAlignmentEndsWithThreeLineBreaks) {
  const std::string text = PointReport(1.0f, 0.5f, 0.0f, 0.0f, CAlignment{});
  EXPECT_TRUE(text.ends_with("Pair Indel Number:0\r\n\r\n\r\n")) << text;
}

TEST(PointReport, PairColumnsAreTakenOutOfTheColumnCounts) {
  CAlignment r;
  r.matchCount = 10;
  r.pairMatchCount = 3;
  r.mismatchCount = 4;
  r.pairMismatchCount = 1;
  r.indelCount = 6;
  r.pairIndelCount = 2;
  const std::string text = PointReport(1.0f, 0.5f, 0.0f, 0.0f, r);
  EXPECT_NE(text.find("Match Number:4\r\nMismatch Number:2\r\nIndel Number:2\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nPair Match Number:3\r\n"), std::string::npos);
}

TEST(AllAlignmentsReport, OneAlignmentOptimalEverywhere) {
  const CRnaStructure a("A", ""), b("A", "");
  CAligner aligner(a, b, 1.0f, 0.5f);
  CDecomposition d;
  d.Init(0.0f, 2.5f, 0.0f, 2.0f);
  d.SetAligner(&aligner);
  d.Run();
  ASSERT_EQ(d.PolygonCount(), 1);
  EXPECT_EQ(AllAlignmentsReport(a, b, 1.0f, 0.5f, d),
            "The first RNA secondary structure is:\r\n\r\nA\r\n"
            "\r\n\r\nThe second RNA secondary structure is:\r\n\r\nA\r\n"
            "\r\n\r\nMatch score is:1\r\nIndel score is:0.500"
            "\r\nMismatch score range is [ 0 , 2.500 ]\r\nGap score range is [ 0 , 2 ]"
            "\r\n\r\nThere are 1 optimal alignments in parametric space:\r\n"
            "\r\nThe 1 optimal alignment is:"
            "\r\nMatch Number:1\r\nMismatch Number:0\r\nIndel Number:0\r\nGap Number:0\r\nPair Match Number:0"
            "\r\nPair Mismatch Number:0\r\nPair Indel Number:0\r\n\r\nA|\r\nA|\r\n\r\n");
}

TEST(AllAlignmentsReport, EmptyDecompositionEndsAfterTheCount) {
  const CRnaStructure a("ACG", "0 2 1"), b("U", "");
  const CDecomposition d;
  const std::string text = AllAlignmentsReport(a, b, 2.0f, 1.0f, d);
  EXPECT_TRUE(text.ends_with("\r\n\r\nThere are 0 optimal alignments in parametric space:\r\n")) << text;
  EXPECT_NE(text.find("ACG\r\n0 2 1\r\n\r\nThe second"), std::string::npos);
}

}  // namespace
}  // namespace zenphal
