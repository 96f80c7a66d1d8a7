#include <gtest/gtest.h>

#include <vector>

#include "engine/alignment.h"

namespace zenphal {
namespace {

CAlignment WithOpen(std::vector<float> bounds, float openAngle) {
  CAlignment r;
  r.openBounds = std::move(bounds);
  r.openAngle = openAngle;
  return r;
}

TEST(OpenDirections, FreshRecordPointsRightAndIsOpen) {
  CAlignment r;
  EXPECT_EQ(r.NextAngle(), 0.0f);
  EXPECT_FALSE(r.IsComplete());
  EXPECT_EQ(r.witness.x, -1.0f);
  EXPECT_EQ(r.openAngle, 6.28318f);
}

TEST(OpenDirections, FirstMarkOnAFreshRecord) {
  CAlignment fromZero;
  fromZero.MarkExplored(0.0f, 2.0f);
  EXPECT_EQ(fromZero.openBounds, (std::vector<float>{2.0f, 6.28318f}));
  EXPECT_FLOAT_EQ(fromZero.openAngle, 4.28318f);

  CAlignment inside;
  inside.MarkExplored(1.0f, 2.0f);
  EXPECT_EQ(inside.openBounds, (std::vector<float>{0.0f, 1.0f, 2.0f, 6.28318f}));
  EXPECT_FLOAT_EQ(inside.openAngle, 5.28318f);
}

TEST(OpenDirections, MarkAcrossTwoIntervals) {
  CAlignment r = WithOpen({0, 1, 2, 3}, 2.0f);
  r.MarkExplored(0.5f, 2.5f);
  EXPECT_EQ(r.openBounds, (std::vector<float>{0.0f, 0.5f, 2.5f, 3.0f}));
  EXPECT_FLOAT_EQ(r.openAngle, 1.0f);
}

TEST(OpenDirections, MarksOutsideOrAtTheEdgeChangeNothing) {
  CAlignment beyond = WithOpen({0, 1, 2, 3}, 2.0f);
  beyond.MarkExplored(3.0005f, 4.0f);
  EXPECT_EQ(beyond.openBounds, (std::vector<float>{0, 1, 2, 3}));
  EXPECT_EQ(beyond.openAngle, 2.0f);

  CAlignment before = WithOpen({1, 2, 3, 4}, 2.0f);
  before.MarkExplored(0.2f, 1.0005f);
  EXPECT_EQ(before.openBounds, (std::vector<float>{1, 2, 3, 4}));
}

TEST(OpenDirections, MarkCoveringWholeIntervalsRemovesThem) {
  CAlignment r = WithOpen({0, 1, 2, 3, 4, 5}, 3.0f);
  r.MarkExplored(0.0f, 3.0f);
  EXPECT_EQ(r.openBounds, (std::vector<float>{4, 5}));
  EXPECT_FLOAT_EQ(r.openAngle, 1.0f);
  r.MarkExplored(3.5f, 5.0f);
  EXPECT_TRUE(r.openBounds.empty());
  EXPECT_TRUE(r.IsComplete());
}

TEST(OpenDirections, SplitWithoutExploring) {
  CAlignment atZero;
  EXPECT_TRUE(atZero.SplitAt(0.0f));
  EXPECT_EQ(atZero.openBounds, (std::vector<float>{0.0f, 6.28318f}));
  EXPECT_EQ(atZero.openAngle, 6.28318f);
  EXPECT_EQ(atZero.NextAngle(), 3.14159f);

  CAlignment atOne;
  EXPECT_TRUE(atOne.SplitAt(1.0f));
  EXPECT_EQ(atOne.openBounds, (std::vector<float>{0.0f, 1.0f, 1.0f, 6.28318f}));
  EXPECT_EQ(atOne.NextAngle(), 0.5f);

  CAlignment onBound = WithOpen({0, 1, 2, 3}, 2.0f);
  EXPECT_FALSE(onBound.SplitAt(1.0f));
  EXPECT_FALSE(onBound.SplitAt(1.5f));
  EXPECT_EQ(onBound.openBounds, (std::vector<float>{0, 1, 2, 3}));
}

TEST(OpenDirections, SliversAreDroppedInOnePass) {
  CAlignment r = WithOpen({1.0f, 1.0005f, 2.0f, 2.008f, 3.0f, 4.0f}, 1.0085f);
  EXPECT_EQ(r.NextAngle(), 3.5f);
  EXPECT_EQ(r.openBounds, (std::vector<float>{3.0f, 4.0f}));
  EXPECT_NEAR(r.openAngle, 1.0f, 1e-5);

  CAlignment done = WithOpen({1.0f, 1.0005f, 2.0f, 2.008f}, 0.0085f);
  EXPECT_EQ(done.NextAngle(), -1.0f);
}

TEST(OpenDirections, SameAlignmentComparesOnlyTheScoringCounts) {
  CAlignment a, b;
  a.matchCount = b.matchCount = 5;
  a.pairMatchCount = 2;
  b.rows.topRow = "X";
  EXPECT_TRUE(a.SameAlignment(b));
  b.gapCount = 1;
  EXPECT_FALSE(a.SameAlignment(b));
}

}  // namespace
}  // namespace zenphal
