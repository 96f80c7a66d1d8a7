// The larger real pairs (bench/data) at a walk of points through the
// default rectangle, the fast aligner on one and on two threads against the
// straightforward one. Seconds per point in an optimised build, so this
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
    CAligner one(a, b, 1.0f, 0.5f), two(a, b, 1.0f, 0.5f);
    one.SetThreadCount(1);
    two.SetThreadCount(2);
    for (CAligner* fast : {&one, &two}) fast->ExpectRegion(0.0f, 2.0f, 0.0f, 2.0f);
    std::vector<std::pair<float, float>> points = {{1.0f, 1.0f}, {0.37f, 1.21f}, {1.5f, 0.25f}};
    points.emplace_back(coordinate(random), coordinate(random));
    for (const auto& [x, y] : points) {
      reference.SetPoint(x, y);
      CAlignment expected;
      reference.Compute(expected);
      for (CAligner* fast : {&one, &two}) {
        fast->SetPoint(x, y);
        CAlignment actual;
        fast->Compute(actual);
        const std::string where = std::string(file) + " at (" + std::to_string(x) + ", " + std::to_string(y) +
                                  "), " + std::to_string(fast->ActiveThreads()) + " threads";
        EXPECT_EQ(expected.rows.topRow, actual.rows.topRow) << where;
        EXPECT_EQ(expected.rows.bottomRow, actual.rows.bottomRow) << where;
        EXPECT_EQ(expected.matchCount, actual.matchCount) << where;
        EXPECT_EQ(expected.gapCount, actual.gapCount) << where;
        EXPECT_EQ(expected.pairMatchCount, actual.pairMatchCount) << where;
      }
    }
  }
}

}  // namespace
}  // namespace zenphal
