#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "decomposition/decomposition.h"
#include "engine/aligner.h"
#include "engine/errors.h"
#include "formats/example_table.h"

namespace zenphal {
namespace {

// An aligner with a fixed set of alignments (counts only): Compute gives the
// one that scores best at the current point, the earliest on a tie.
class StandInAligner : public PointAligner {
 public:
  StandInAligner(float match, float indel, std::vector<CAlignment> alignments)
      : PointAligner(match, indel), alignments_(std::move(alignments)) {}
  void Compute(CAlignment& record) override {
    const CAlignment* best = &alignments_.front();
    for (const CAlignment& a : alignments_) {
      if (ScoreOf(a) > ScoreOf(*best)) best = &a;
    }
    record.matchCount = best->matchCount;
    record.mismatchCount = best->mismatchCount;
    record.indelCount = best->indelCount;
    record.gapCount = best->gapCount;
  }

 private:
  std::vector<CAlignment> alignments_;
};

CAlignment Counts(int match, int mismatch, int indel, int gap) {
  CAlignment r;
  r.matchCount = static_cast<int16_t>(match);
  r.mismatchCount = static_cast<int16_t>(mismatch);
  r.indelCount = static_cast<int16_t>(indel);
  r.gapCount = static_cast<int16_t>(gap);
  return r;
}

class RecordingProgress : public Progress {
 public:
  explicit RecordingProgress(std::vector<int>& log) : log_(log) {}
  void Show() override { log_.push_back(-1); }
  void SetPosition(int percent, int) override { log_.push_back(percent); }
  void End() override { log_.push_back(-2); }

 private:
  std::vector<int>& log_;
};

void ExpectEdge(const Edge& e, float x1, float y1, float x2, float y2) {
  EXPECT_NEAR(e.x1, x1, 1e-3);
  EXPECT_NEAR(e.y1, y1, 1e-3);
  EXPECT_NEAR(e.x2, x2, 1e-3);
  EXPECT_NEAR(e.y2, y2, 1e-3);
}

TEST(Search, OneAlignmentEverywhereGivesTheWholeRectangle) {
  StandInAligner aligner(2.0f, 1.0f, {Counts(4, 0, 0, 0)});
  CDecomposition d;
  d.Init(0.0f, 10.0f, 0.0f, 10.0f);
  d.SetAligner(&aligner);
  d.Run();
  ASSERT_EQ(d.PolygonCount(), 1);
  const CAlignment& p = d.Polygon(0);
  ASSERT_EQ(p.EdgeCount(), 4);
  ExpectEdge(p.edges[0], 10, 10, 10, 0);  // right side, first ray
  ExpectEdge(p.edges[1], 0, 10, 0, 0);    // left
  ExpectEdge(p.edges[2], 10, 10, 0, 10);  // top
  ExpectEdge(p.edges[3], 10, 0, 0, 0);    // bottom
  EXPECT_EQ(p.sideFlags, (std::array<uint8_t, 4>{1, 1, 1, 1}));
  EXPECT_EQ(p.witness.x, 5.0f);
  EXPECT_EQ(p.witness.y, 5.0f);
}

TEST(Search, TwoAlignmentsSplitAlongTheirEqualScoreLine) {
  // A scores 20 - 2x, B scores 14 - y: equal on y = 2x - 6, A above.
  const CAlignment A = Counts(10, 2, 0, 0);
  const CAlignment B = Counts(8, 0, 2, 1);
  StandInAligner aligner(2.0f, 1.0f, {A, B});
  std::vector<int> progress;
  CDecomposition d;
  d.Init(0.0f, 10.0f, 0.0f, 10.0f);
  d.SetAligner(&aligner);
  d.SetProgressFactory([&progress] { return std::make_unique<RecordingProgress>(progress); });
  d.Run();

  ASSERT_EQ(d.PolygonCount(), 2);
  const CAlignment& b = d.Polygon(0);
  EXPECT_TRUE(b.SameAlignment(B));
  EXPECT_EQ(b.witness.x, 10.0f);
  EXPECT_NEAR(b.witness.y, 5.0f, 1e-6);
  ASSERT_EQ(b.EdgeCount(), 4);
  ExpectEdge(b.edges[0], 10, 10, 10, 0);
  ExpectEdge(b.edges[1], 8, 10, 3, 0);
  ExpectEdge(b.edges[2], 10, 10, 8, 10);
  ExpectEdge(b.edges[3], 10, 0, 3, 0);
  EXPECT_EQ(b.sideFlags, (std::array<uint8_t, 4>{0, 1, 1, 1}));

  const CAlignment& a = d.Polygon(1);
  EXPECT_TRUE(a.SameAlignment(A));
  ASSERT_EQ(a.EdgeCount(), 4);
  ExpectEdge(a.edges[0], 8, 10, 3, 0);
  ExpectEdge(a.edges[1], 0, 10, 0, 0);
  ExpectEdge(a.edges[2], 8, 10, 0, 10);
  ExpectEdge(a.edges[3], 3, 0, 0, 0);
  EXPECT_EQ(a.sideFlags, (std::array<uint8_t, 4>{1, 1, 0, 1}));

  EXPECT_EQ(progress, (std::vector<int>{-1, 0, 50, -2}));
}

TEST(Search, RejectsDegenerateRectangles) {
  StandInAligner aligner(2.0f, 1.0f, {Counts(4, 0, 0, 0)});
  const float ranges[][4] = {{1, 1, 0, 2}, {0, 2, 3, 3}, {2, 0, 0, 2}, {0, 2, 2, 1}, {-1, 2, 0, 2}, {0, 2, -0.5f, 2}};
  for (const auto& r : ranges) {
    EXPECT_TRUE(RectangleProblem(r[0], r[1], r[2], r[3]).has_value());
    CDecomposition d;
    d.Init(r[0], r[1], r[2], r[3]);
    d.SetAligner(&aligner);
    EXPECT_THROW(d.Run(), InputError);
  }
  EXPECT_EQ(*RectangleProblem(0, 2, 2, 1),
            "gap score range [2.000000, 1.000000] is empty or inverted; the lower end must be below the upper end");
  EXPECT_FALSE(RectangleProblem(0, 2, 0, 2).has_value());
}

TEST(Search, BoundedLoopsFinishAndSayIncomplete) {
  const auto& t = ExampleTable();
  const CRnaStructure a(t[4].bases, t[4].stems), b(t[5].bases, t[5].stems);
  CAligner aligner(a, b, 1.0f, 0.5f);
  CDecomposition d;
  d.Init(0.0f, 2.0f, 0.0f, 2.0f);
  d.SetAligner(&aligner);
  d.SetLimits({1, 2});
  d.Run();
  EXPECT_TRUE(d.Incomplete());
}

// Scores in the millions on a narrow rectangle leave the search unable to
// tell its points apart: it lists nothing, which is never a whole answer.
TEST(Search, NoPolygonFoundIsIncomplete) {
  const CRnaStructure a("A", ""), b("CA", "");
  CAligner aligner(a, b, 3000000.0f, 0.5f);
  CDecomposition d;
  d.Init(0.0f, 0.01f, 0.0f, 0.01f);
  d.SetAligner(&aligner);
  d.Run();
  EXPECT_TRUE(d.PolygonCount() > 0 || d.Incomplete());
}

// Independent of how the search works: at points of the rectangle, the best
// listed alignment must score what the aligner finds optimal there.
void ExpectListedOptimaEverywhere(int row1, int row2, float match, float indel, float to) {
  const auto& t = ExampleTable();
  const CRnaStructure a(t[row1 - 1].bases, t[row1 - 1].stems), b(t[row2 - 1].bases, t[row2 - 1].stems);
  CAligner aligner(a, b, match, indel);
  CDecomposition d;
  d.Init(0.0f, to, 0.0f, to);
  d.SetAligner(&aligner);
  d.Run();
  ASSERT_FALSE(d.Incomplete());
  ASSERT_GT(d.PolygonCount(), 1);
  const int steps = 7;
  for (int i = 0; i <= steps; ++i) {
    for (int j = 0; j <= steps; ++j) {
      const float x = to * (static_cast<float>(i) + 0.37f) / (steps + 1);
      const float y = to * (static_cast<float>(j) + 0.61f) / (steps + 1);
      aligner.SetPoint(x, y);
      CAlignment optimal;
      aligner.Compute(optimal);
      double best = -1e30;
      for (int k = 0; k < d.PolygonCount(); ++k) best = std::max(best, aligner.ScoreOf(d.Polygon(k)));
      EXPECT_NEAR(best, aligner.ScoreOf(optimal), 1e-3) << "at " << x << "," << y;
    }
  }
}

TEST(SearchAgainstTheAligner, TransferRnas) { ExpectListedOptimaEverywhere(5, 6, 1.0f, 0.5f, 2.0f); }
TEST(SearchAgainstTheAligner, ToyExamples) { ExpectListedOptimaEverywhere(1, 2, 2.0f, 1.0f, 4.0f); }
TEST(SearchAgainstTheAligner, YeastAgainstToy) { ExpectListedOptimaEverywhere(5, 1, 1.0f, 0.5f, 3.0f); }

}  // namespace
}  // namespace zenphal
