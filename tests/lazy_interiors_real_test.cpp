// The larger real pairs (bench/data) at a walk of points through the
// default rectangle, the fast aligner on one and on two threads and as
// single points against the straightforward one; the largest at one point. Seconds per point in an optimised build, so this
// test carries its own label and stays out of the sanitizer run.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/aligner.h"
#include "real_pairs.h"
#include "testing/reference_aligner.h"

namespace zenphal {
namespace {

TEST(LazyInteriorsRealPairs, PointsAsTheReference) {
  std::mt19937 random(11u);
  std::uniform_real_distribution<float> coordinate(0.0f, 2.0f);
  for (const char* file : {"srp-euk", "rnasep", "plant-srp", "rnasep-eubact"}) {
    const auto [a, b] = bench::LoadRealPair(file);
    CReferenceAligner reference(a, b, 1.0f, 0.5f);
    CAligner one(a, b, 1.0f, 0.5f), two(a, b, 1.0f, 0.5f), single(a, b, 1.0f, 0.5f);
    one.SetThreadCount(1);
    two.SetThreadCount(2);
    for (CAligner* fast : {&one, &two}) fast->ExpectRegion(0.0f, 2.0f, 0.0f, 2.0f);
    // And as single points, one after another, bounded from the structures
    // alone.
    single.SetSinglePointBoundsFrom(0.0);
    std::vector<std::pair<float, float>> points = {{1.0f, 1.0f}, {0.37f, 1.21f}, {1.5f, 0.25f}};
    points.emplace_back(coordinate(random), coordinate(random));
    for (const auto& [x, y] : points) {
      reference.SetPoint(x, y);
      CAlignment expected;
      reference.Compute(expected);
      for (CAligner* fast : {&one, &two, &single}) {
        fast->SetPoint(x, y);
        CAlignment actual;
        fast->Compute(actual);
        const std::string where = std::string(file) + " at (" + std::to_string(x) + ", " + std::to_string(y) +
                                  "), " + std::to_string(fast->ActiveThreads()) + " threads" +
                                  (fast == &single ? ", single points" : "");
        EXPECT_EQ(expected.rows.topRow, actual.rows.topRow) << where;
        EXPECT_EQ(expected.rows.bottomRow, actual.rows.bottomRow) << where;
        EXPECT_EQ(expected.matchCount, actual.matchCount) << where;
        EXPECT_EQ(expected.gapCount, actual.gapCount) << where;
        EXPECT_EQ(expected.pairMatchCount, actual.pairMatchCount) << where;
      }
    }
  }
}

// One Compute on a new aligner for the largest pair, as a single point
// query makes it.
TEST(LazyInteriorsRealPairs, LargestPairSinglePointAsTheReference) {
  const auto [a, b] = bench::LoadRealPair("ssu");
  CReferenceAligner reference(a, b, 1.0f, 0.5f);
  CAligner fast(a, b, 1.0f, 0.5f);
  reference.SetPoint(1.0f, 1.0f);
  fast.SetPoint(1.0f, 1.0f);
  CAlignment expected, actual;
  reference.Compute(expected);
  fast.Compute(actual);
  EXPECT_EQ(expected.rows.topRow, actual.rows.topRow);
  EXPECT_EQ(expected.rows.bottomRow, actual.rows.bottomRow);
  const auto counts = [](const CAlignment& r) {
    return std::vector<int>{r.matchCount,     r.mismatchCount,     r.indelCount,    r.gapCount,
                            r.pairMatchCount, r.pairMismatchCount, r.pairIndelCount};
  };
  EXPECT_EQ(counts(expected), counts(actual));
  // Under half the 1.93 G cells of filling every interior.
  EXPECT_LT(fast.LastComputeCells(), 0.96e9);
}

}  // namespace
}  // namespace zenphal
