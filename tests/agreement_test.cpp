// The agreement of optimal alignments with a family's curated alignment:
// the shares of the README's worked example by hand, the reference
// alignment itself scoring 1 where it is optimal, the invariants on a real
// family, the summary's ties and its 90% line.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "agreement/agreement.h"
#include "computation/computation.h"
#include "computation/robustness.h"
#include "computation/run_agreement.h"
#include "formats/example_table.h"
#include "formats/structure_source.h"

namespace zenphal {
namespace {

const std::string kExamples = ZENPHAL_EXAMPLES_DIR;
const std::string kInfernal = ZENPHAL_INFERNAL_DIR;

// Two members of one Stockholm file, with the reference SetStructures finds.
ComputationInput Members(const std::string& file, const std::string& a, const std::string& b) {
  ComputationInput in;
  SetStructures(in, LoadStructureSource(file + "#" + a), LoadStructureSource(file + "#" + b));
  return in;
}

// Rows in reading order, stored as the aligner stores them (last column first).
AlignedRows Rows(const std::string& top, const std::string& bottom) {
  AlignedRows rows;
  rows.topRow.assign(top.rbegin(), top.rend());
  rows.bottomRow.assign(bottom.rbegin(), bottom.rend());
  rows.columnCount = static_cast<int16_t>(top.size());
  return rows;
}

int PolygonWithRows(const CDecomposition& d, const std::string& top, const std::string& bottom) {
  for (int i = 0; i < d.PolygonCount(); ++i) {
    if (d.Polygon(i).rows.TopInReadingOrder() == top && d.Polygon(i).rows.BottomInReadingOrder() == bottom) return i;
  }
  return -1;
}

// examples/agreement-toy.sto, as the README works it out:
//   reference  GCAUAGC    R = {G1-G1, C2-C2, U4-U3, A5-U4, G6-G5, C7-C6}
//              GC_UUGC    (positions from 1), pairs 1-7 and 2-6 on 1-6, 2-5
//   region 1   GC_AUAGC   A = {G1-G1, C2-C2, U4-U4, G6-G5, C7-C6}
//              GCU_U_GC
// |A ∩ R| = 4: sensitivity 4/6, precision 4/5, agreement 8/11, pairs 2/2.
TEST(Agreement, TheReadmesWorkedExampleByHand) {
  const ComputationInput in = Members(kExamples + "/agreement-toy.sto", "one", "two");
  ASSERT_TRUE(in.reference);
  EXPECT_EQ(in.reference->top, "GCAUAGC");
  EXPECT_EQ(in.reference->bottom, "GC_UUGC");
  EXPECT_EQ(in.reference->family, "toy-hairpins");
  Computation c(in);
  c.Run();
  const std::optional<DecompositionAgreement> a = AgreementOfRun(c);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->referenceColumns, 6);
  EXPECT_EQ(a->referencePairs, 2);
  const CDecomposition& d = c.Decomposition();
  ASSERT_EQ(d.PolygonCount(), 2);
  const int apart = PolygonWithRows(d, "GC_AUAGC", "GCU_U_GC");
  const int curated = PolygonWithRows(d, "GCAUAGC", "GC_UUGC");
  ASSERT_GE(apart, 0);
  ASSERT_GE(curated, 0);
  const RegionAgreement& r = a->regions[apart];
  EXPECT_EQ(r.alignedColumns, 5);
  EXPECT_EQ(r.sharedColumns, 4);
  EXPECT_EQ(r.sharedPairs, 2);
  EXPECT_DOUBLE_EQ(*r.Sensitivity(), 4.0 / 6.0);
  EXPECT_DOUBLE_EQ(*r.Precision(), 4.0 / 5.0);
  EXPECT_DOUBLE_EQ(*r.Agreement(), 8.0 / 11.0);
  EXPECT_DOUBLE_EQ(*r.Pairs(), 1.0);
  const RegionAgreement& same = a->regions[curated];
  EXPECT_DOUBLE_EQ(*same.Agreement(), 1.0);
  EXPECT_DOUBLE_EQ(*same.Sensitivity(), 1.0);
  EXPECT_DOUBLE_EQ(*same.Precision(), 1.0);
  EXPECT_DOUBLE_EQ(*same.Pairs(), 1.0);
  // The curated alignment is best; 8/11 is below 90% of 1, so only its own
  // polygon counts for the share.
  EXPECT_EQ(a->summary.best, curated);
  EXPECT_DOUBLE_EQ(*a->summary.bestAgreement, 1.0);
  EXPECT_NEAR(*a->summary.nearBestShare, PolygonArea(d.Polygon(curated)) / 4.0, 1e-12);

  // Hand-made rows of the same structures: the loop shifted, and nothing aligned.
  const CRnaStructure& s1 = c.First();
  const CRnaStructure& s2 = c.Second();
  const ReferenceColumns columns(*in.reference, s1, s2);
  const RegionAgreement shifted = MeasureAgreement(columns, s1, s2, Rows("GCAUAGC", "GCUU_GC"));
  EXPECT_EQ(shifted.alignedColumns, 6);  // G1-G1 C2-C2 A3-U3 U4-U4 G6-G5 C7-C6
  EXPECT_EQ(shifted.sharedColumns, 4);
  EXPECT_DOUBLE_EQ(*shifted.Agreement(), 8.0 / 12.0);
  const RegionAgreement nothing =
      MeasureAgreement(columns, s1, s2, Rows("GCAUAGC______", "_______GCUUGC"));
  EXPECT_EQ(nothing.alignedColumns, 0);
  EXPECT_DOUBLE_EQ(*nothing.Agreement(), 0.0);  // aligning nothing does not score well
  EXPECT_DOUBLE_EQ(*nothing.Sensitivity(), 0.0);
  EXPECT_FALSE(nothing.Precision());            // no aligned column to be right about
  EXPECT_DOUBLE_EQ(*nothing.Pairs(), 0.0);
  EXPECT_THROW(MeasureAgreement(columns, s1, s2, Rows("GCAUAG", "GCUUGC")), InternalError);
}

// A Stockholm text whose two rows are an optimal alignment of two
// structures, each with its own SS line: read back, that alignment is the
// reference, and its polygon agrees fully.
std::string StockholmOf(const CRnaStructure& s1, const CRnaStructure& s2, const std::string& top,
                        const std::string& bottom) {
  const auto ss = [](const CRnaStructure& s, const std::string& row) {
    std::string line;
    int k = 0;
    for (char c : row) {
      if (c == '_') {
        line += '.';
        continue;
      }
      line += !s.IsPaired(k) ? '.' : s.partner[k] > k ? '<' : '>';
      ++k;
    }
    return line;
  };
  std::string t = top, b = bottom;
  std::replace(t.begin(), t.end(), '_', '-');
  std::replace(b.begin(), b.end(), '_', '.');
  return "# STOCKHOLM 1.0\n#=GF ID pair\nfirst   " + t + "\n#=GR first SS   " + ss(s1, top) + "\nsecond  " + b +
         "\n#=GR second SS  " + ss(s2, bottom) + "\n//\n";
}

TEST(Agreement, TheReferenceScoresOneWhereItIsOptimal) {
  ComputationInput in;
  in.bases1 = ExampleTable()[4].bases;
  in.stems1 = ExampleTable()[4].stems;
  in.bases2 = ExampleTable()[5].bases;
  in.stems2 = ExampleTable()[5].stems;
  Computation plain(in);
  plain.Run();
  const CDecomposition& d = plain.Decomposition();
  ASSERT_GE(d.PolygonCount(), 3);
  const auto dir = std::filesystem::path(::testing::TempDir()) / ("zenphal_agreement_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  for (int k : {0, d.PolygonCount() / 2, d.PolygonCount() - 1}) {
    const std::string top = d.Polygon(k).rows.TopInReadingOrder();
    const std::string bottom = d.Polygon(k).rows.BottomInReadingOrder();
    const std::string file = (dir / ("polygon" + std::to_string(k) + ".sto")).string();
    std::ofstream(file) << StockholmOf(plain.First(), plain.Second(), top, bottom);
    ComputationInput members = Members(file, "first", "second");
    ASSERT_EQ(members.bases1, in.bases1);
    ASSERT_EQ(members.reference->top, top);
    members.stems1 = in.stems1;  // the same pairs, written as the example table writes them
    members.stems2 = in.stems2;
    Computation c(members);
    c.Run();
    const DecompositionAgreement a = *AgreementOfRun(c);
    const int same = PolygonWithRows(c.Decomposition(), top, bottom);
    ASSERT_GE(same, 0) << "polygon " << k;
    const RegionAgreement& r = a.regions[same];
    EXPECT_DOUBLE_EQ(*r.Agreement(), 1.0);
    EXPECT_DOUBLE_EQ(*r.Sensitivity(), 1.0);
    EXPECT_DOUBLE_EQ(*r.Precision(), 1.0);
    if (r.referencePairs > 0) {
      EXPECT_DOUBLE_EQ(*r.Pairs(), 1.0);
    }
    EXPECT_DOUBLE_EQ(*a.summary.bestAgreement, 1.0);
    EXPECT_DOUBLE_EQ(*a.regions[a.summary.best].Agreement(), 1.0);
  }
  std::filesystem::remove_all(dir);
}

// Every pair of four of trna-2.sto's tRNAs: each share lies between 0 and
// 1, the counts are consistent, and the summary's best is the best.
TEST(Agreement, SharesStayBetweenZeroAndOneOnARealFamily) {
  const std::string file = kInfernal + "/trna-2.sto";
  const std::vector<std::string> members = {"DF6280", "DE6280", "DD6280", "DA6280"};
  for (size_t i = 0; i < members.size(); ++i) {
    for (size_t j = i + 1; j < members.size(); ++j) {
      Computation c(Members(file, members[i], members[j]));
      c.Run();
      const DecompositionAgreement a = *AgreementOfRun(c);
      ASSERT_EQ(static_cast<int>(a.regions.size()), c.Decomposition().PolygonCount());
      EXPECT_GT(a.referenceColumns, 60);
      EXPECT_GT(a.referencePairs, 15);
      for (const RegionAgreement& r : a.regions) {
        EXPECT_EQ(r.referenceColumns, a.referenceColumns);
        EXPECT_EQ(r.referencePairs, a.referencePairs);
        EXPECT_LE(r.sharedColumns, std::min(r.referenceColumns, r.alignedColumns));
        EXPECT_LE(r.sharedPairs, r.referencePairs);
        for (const auto& share : {r.Sensitivity(), r.Precision(), r.Pairs(), r.Agreement()}) {
          ASSERT_TRUE(share);
          EXPECT_GE(*share, 0.0);
          EXPECT_LE(*share, 1.0);
        }
        EXPECT_GE(*a.summary.bestAgreement, *r.Agreement());
        // The harmonic mean lies between the two shares.
        EXPECT_LE(*r.Agreement(), std::max(*r.Sensitivity(), *r.Precision()) + 1e-12);
        EXPECT_GE(*r.Agreement(), std::min(*r.Sensitivity(), *r.Precision()) - 1e-12);
      }
      ASSERT_TRUE(a.summary.nearBestShare);
      EXPECT_GT(*a.summary.nearBestShare, 0.0);
      EXPECT_LE(*a.summary.nearBestShare, 1.0);
    }
  }
}

RegionAgreement Counts(int shared, int aligned, int reference = 10) {
  RegionAgreement r;
  r.referenceColumns = reference;
  r.alignedColumns = aligned;
  r.sharedColumns = shared;
  return r;
}

TEST(Agreement, SummaryTakesTheLargestOfEqualsAndCountsNinetyPercentExactly) {
  // Agreements 2*9/20 = 0.9, 2*10/20 = 1, 2*10/20 = 1, 2*8/20 = 0.8, and
  // one not defined.
  const std::vector<RegionAgreement> regions = {Counts(9, 10), Counts(10, 10), Counts(10, 10), Counts(8, 10),
                                                Counts(0, 0, 0)};
  const std::vector<double> areas = {1.0, 0.5, 1.5, 0.75, 0.25};
  const AgreementSummary s = SummarizeAgreement(regions, areas, 4.0);
  EXPECT_EQ(s.best, 2);  // of the two at 1, the larger
  EXPECT_DOUBLE_EQ(*s.bestAgreement, 1.0);
  EXPECT_DOUBLE_EQ(*s.nearBestShare, (1.0 + 0.5 + 1.5) / 4.0);  // 0.9 is in, 0.8 is not
  EXPECT_TRUE(Counts(9, 10).WithinTenthsOf(Counts(10, 10), 9));
  EXPECT_FALSE(Counts(8, 10).WithinTenthsOf(Counts(10, 10), 9));

  const AgreementSummary none = SummarizeAgreement({Counts(0, 0, 0)}, {4.0}, 4.0);
  EXPECT_EQ(none.best, -1);
  EXPECT_FALSE(none.bestAgreement);
  EXPECT_FALSE(none.nearBestShare);
  const AgreementSummary zero = SummarizeAgreement({Counts(0, 5), Counts(0, 3)}, {1.0, 3.0}, 4.0);
  EXPECT_EQ(zero.best, 1);
  EXPECT_DOUBLE_EQ(*zero.bestAgreement, 0.0);
  EXPECT_FALSE(zero.nearBestShare);  // nothing agrees: no share is near it

  DecompositionAgreement d;
  d.regions = regions;
  EXPECT_EQ(AgreementValues(d), (std::vector<double>{0.9, 1.0, 1.0, 0.8, -1.0}));
}

}  // namespace
}  // namespace zenphal
