// The parts of zenphal-cli batch below the command line: the pair list, the
// record kept per pair, and the robustness figure.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "computation/computation.h"
#include "computation/robustness.h"
#include "engine/errors.h"
#include "formats/example_table.h"
#include "formats/pair_list.h"
#include "output/pair_summary.h"

namespace zenphal {
namespace {

TEST(PairList, OperandsAndNamesWithCommentsHeaderAndEitherSeparator) {
  const std::vector<PairListEntry> pairs = ReadPairList(
      "RNA1\tRNA2\tname\r\n"
      "# two tRNAs\r\n"
      "\r\n"
      "tRNA.sto#X06054.1/711-637\ttRNA.sto#M26977.1/379-453\r\n"
      "my file.ct#2\texample:6\tmine-vs-leu\t\r\n"
      "example:1   example:2\n");
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_EQ(pairs[0].rna1, "tRNA.sto#X06054.1/711-637");
  EXPECT_EQ(pairs[0].rna2, "tRNA.sto#M26977.1/379-453");
  EXPECT_EQ(pairs[0].name, "");
  EXPECT_EQ(pairs[0].line, 4);
  EXPECT_EQ(pairs[1].rna1, "my file.ct#2");  // tabs separate, so spaces stay
  EXPECT_EQ(pairs[1].name, "mine-vs-leu");
  EXPECT_EQ(pairs[2].rna2, "example:2");     // no tab: runs of spaces separate
  EXPECT_EQ(pairs[2].line, 6);

  const struct {
    std::string text, message;
  } refused[] = {
      {"a\n", "line 1: a pair line is two structures and an optional name, separated by tabs; found 1 field"},
      {"a\tb\tc\td\n", "found 4 fields"},
      {"a\t\tc\n", "line 1: the second structure is empty"},
      {"# x\na\tb\t.hidden\n", "line 2: the name '.hidden' begins with '.'"},
      {"a\tb\tdir/name\n", "holds '/'"},
  };
  for (const auto& r : refused) {
    try {
      ReadPairList(r.text);
      ADD_FAILURE() << r.text;
    } catch (const InputError& e) {
      EXPECT_NE(std::string(e.what()).find(r.message), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(FileNameToken("AAXI01000054.1/31430-31511"), "AAXI01000054.1_31430-31511");
  EXPECT_EQ(FileNameToken(".x y#z:\xC3\xA9"), "_x_y_z___");
  EXPECT_EQ(PairNameProblem(std::string(201, 'a')), "is longer than 200 bytes");
}

PairSummary ASummary() {
  PairSummary s;
  s.pair = "a~b";
  s.rna1 = "f.sto#a/1-9";
  s.rna2 = "f.sto#b";
  s.member1 = "a/1-9";
  s.member2 = "b";
  s.length1 = 9;
  s.length2 = 8;
  s.polygons = 3;
  s.probes = 41;
  s.seconds = 0.125;
  s.pointPolygon = 2;
  s.robustness = 0.9375;
  s.optimalAtPoint = 1;
  s.input = {"GGGAAACCC", "0 8 3", "GGAAACCC", "0 7 2", 1.0f, 0.5f, 0.0f, 2.0f, 0.1f, 2.0f, 1.0f, 1.05f};
  return s;
}

TEST(PairSummaryRecord, ReadsBackAsWrittenAndSaysWhatDiffers) {
  const PairSummary s = ASummary();
  const PairSummary back = ReadPairSummaryJson(PairSummaryJsonText(s));
  EXPECT_EQ(back.input, s.input);  // floats exactly, through their shortest texts
  EXPECT_EQ(SummaryTableRow(back), SummaryTableRow(s));
  EXPECT_EQ(SummaryTableRow(s),
            "a~b\tf.sto#a/1-9\tf.sto#b\ta/1-9\tb\t9\t8\t3\t41\t0.12\t1,1.05\t0.937500\t2\t1\tfalse\t\t\t\n");
  const std::string header = SummaryTableHeader(), row = SummaryTableRow(s);
  EXPECT_EQ(std::count(header.begin(), header.end(), '\t'), std::count(row.begin(), row.end(), '\t'));

  PairInput other = s.input;
  EXPECT_EQ(PairInputDifference(s.input, other), std::nullopt);
  other.mismatchTo = 5.0f;
  EXPECT_EQ(PairInputDifference(s.input, other), "the mismatch score range: 0,2 there, 0,5 now");
  other = s.input;
  other.stems2 = "";
  EXPECT_EQ(PairInputDifference(s.input, other), "the second structure differs");
  other = s.input;
  other.y = 1.0f;
  EXPECT_EQ(PairInputDifference(s.input, other), "the point (--at): 1,1.05 there, 1,1 now");

  EXPECT_THROW(ReadPairSummaryJson("{\"pair\": \"a~b\"}"), InputError);
  EXPECT_THROW(ReadPairSummaryJson("not json"), InputError);
}

TEST(PairSummaryRecord, AgreementColumnsAndTheReferenceReadBack) {
  PairSummary s = ASummary();
  s.hasReference = true;
  s.bestAgreement = 0.9230769230769231;
  s.agreementPolygon = 3;
  s.nearBestShare = 0.40715;
  s.input.referenceTop = "GGGAAACCC";
  s.input.referenceBottom = "_GGAAACCC";
  const PairSummary back = ReadPairSummaryJson(PairSummaryJsonText(s));
  EXPECT_EQ(back.input, s.input);
  EXPECT_TRUE(back.hasReference);
  EXPECT_EQ(back.bestAgreement, s.bestAgreement);
  EXPECT_EQ(back.agreementPolygon, 3);
  EXPECT_EQ(back.nearBestShare, s.nearBestShare);
  EXPECT_TRUE(SummaryTableRow(s).ends_with("\tfalse\t0.923077\t3\t0.407150\n")) << SummaryTableRow(s);
  EXPECT_TRUE(SummaryTableHeader().ends_with("\tincomplete\tbest_agreement\tagreement_polygon\tnear_best_share\n"));
  // Nothing agrees: the best is 0 and no share is near it.
  s.bestAgreement = 0.0;
  s.nearBestShare.reset();
  EXPECT_TRUE(SummaryTableRow(s).ends_with("\tfalse\t0.000000\t3\t\n"));
  EXPECT_FALSE(ReadPairSummaryJson(PairSummaryJsonText(s)).nearBestShare);

  PairInput other = s.input;
  other.referenceBottom = "GGGAAACC_";
  EXPECT_EQ(PairInputDifference(s.input, other), "the reference alignment differs");
  other.referenceTop = other.referenceBottom = "";
  EXPECT_EQ(PairInputDifference(s.input, other), "the reference alignment: one there, none now");
  EXPECT_EQ(PairInputDifference(other, s.input), "the reference alignment: none there, one now");
  // A record without a reference reads as one.
  EXPECT_FALSE(ReadPairSummaryJson(PairSummaryJsonText(ASummary())).hasReference);
}

TEST(Robustness, PolygonAreaIsTheHullOfTheEdgesInAnyOrder) {
  CAlignment square;
  square.AddEdge(1, 0, 1, 1);
  square.AddEdge(0, 0, 1, 0);
  square.AddEdge(0, 1, 0, 0);
  square.AddEdge(1, 1, 0, 1);
  square.AddEdge(0, 0, 1, 0);  // listed twice
  EXPECT_DOUBLE_EQ(PolygonArea(square), 1.0);
  CAlignment triangle;
  triangle.AddEdge(1, 0, 2, 0);
  triangle.AddEdge(2, 0, 2, 0.5f);
  triangle.AddEdge(2, 0.5f, 1, 0);
  EXPECT_DOUBLE_EQ(PolygonArea(triangle), 0.25);
  CAlignment line;
  line.AddEdge(0, 0, 1, 1);
  EXPECT_EQ(PolygonArea(line), 0.0);
}

// "A" against "C": the mismatch scores -x, the two indels -2*0.5 - 2y. The
// indels win where x > 1 + 2y: in [0,2] x [0,2] the triangle (1,0) (2,0)
// (2,0.5), a sixteenth of the rectangle.
TEST(Robustness, ShareOfTheAlignmentOptimalAtThePointByHand) {
  ComputationInput input;
  input.bases1 = "A";
  input.bases2 = "C";
  Computation c(input);
  c.Run();
  ASSERT_EQ(c.Decomposition().PolygonCount(), 2);
  double total = 0.0;
  for (int i = 0; i < 2; ++i) total += PolygonArea(c.Decomposition().Polygon(i));
  EXPECT_NEAR(total, 4.0, 1e-5);

  const PointRobustness centre = RobustnessAt(c, 1.0f, 1.0f);
  ASSERT_GE(centre.polygon, 0);
  EXPECT_EQ(c.Decomposition().Polygon(centre.polygon).mismatchCount, 1);
  EXPECT_NEAR(centre.share, 0.9375, 1e-6);
  EXPECT_EQ(centre.optimalPolygons, 1);
  const PointRobustness corner = RobustnessAt(c, 2.0f, 0.0f);
  EXPECT_EQ(c.Decomposition().Polygon(corner.polygon).mismatchCount, 0);
  EXPECT_NEAR(corner.share, 0.0625, 1e-6);
  // On the line x = 1 + 2y both are optimal; the one with fewer mismatches
  // (optimal just to the right) is taken.
  const PointRobustness tie = RobustnessAt(c, 1.5f, 0.25f);
  EXPECT_EQ(tie.optimalPolygons, 2);
  EXPECT_EQ(c.Decomposition().Polygon(tie.polygon).mismatchCount, 0);
  EXPECT_NEAR(tie.share, 0.0625, 1e-6);

  EXPECT_THROW(RobustnessAt(c, 2.5f, 1.0f), InputError);
  Computation notRun(input);
  EXPECT_THROW(RobustnessAt(notRun, 1.0f, 1.0f), InputError);
}

TEST(Robustness, OneAlignmentEverywhereHasShareOne) {
  ComputationInput input;
  input.bases1 = input.bases2 = "GGGAAACCC";
  input.stems1 = input.stems2 = "0 8 3";
  Computation c(input);
  c.Run();
  const PointRobustness r = RobustnessAt(c, 0.5f, 1.5f);
  EXPECT_EQ(r.polygon, 0);
  EXPECT_NEAR(r.share, 1.0, 1e-6);
}

// The tables of the example tRNAs: the polygons tile the rectangle, and a
// point inside each one picks it alone.
TEST(Robustness, PolygonsTileTheRectangle) {
  ComputationInput input;
  input.bases1 = ExampleTable()[4].bases;
  input.stems1 = ExampleTable()[4].stems;
  input.bases2 = ExampleTable()[5].bases;
  input.stems2 = ExampleTable()[5].stems;
  Computation c(input);
  c.Run();
  const CDecomposition& d = c.Decomposition();
  double total = 0.0;
  for (int i = 0; i < d.PolygonCount(); ++i) {
    const CAlignment& p = d.Polygon(i);
    const double area = PolygonArea(p);
    total += area;
    if (area < 1e-3) continue;  // too thin for a float point strictly inside
    double x = 0.0, y = 0.0;
    for (const Edge& e : p.edges) {
      x += e.x1 + e.x2;
      y += e.y1 + e.y2;
    }
    const auto n = static_cast<double>(2 * p.edges.size());
    const PointRobustness r = RobustnessAt(c, static_cast<float>(x / n), static_cast<float>(y / n));
    EXPECT_EQ(r.polygon, i);
    EXPECT_EQ(r.optimalPolygons, 1);
    EXPECT_NEAR(r.share, area / 4.0, 1e-12);
  }
  EXPECT_NEAR(total, 4.0, 1e-4);
}

}  // namespace
}  // namespace zenphal
