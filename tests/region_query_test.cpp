// Point queries of a finished decomposition by the polygons' counts: the same
// answers as the aligner's, and as the robustness figure's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "computation/computation.h"
#include "computation/region_query.h"
#include "computation/robustness.h"
#include "engine/errors.h"
#include "formats/example_table.h"

namespace zenphal {
namespace {

ComputationInput Examples(int first, int second) {
  ComputationInput input;
  input.bases1 = ExampleTable()[static_cast<size_t>(first - 1)].bases;
  input.stems1 = ExampleTable()[static_cast<size_t>(first - 1)].stems;
  input.bases2 = ExampleTable()[static_cast<size_t>(second - 1)].bases;
  input.stems2 = ExampleTable()[static_cast<size_t>(second - 1)].stems;
  return input;
}

// "A" against "C" (see batch_parts_test): the mismatch wins where
// x < 1 + 2y, the two indels where x > 1 + 2y.
TEST(RegionQuery, OneInsideTwoOnTheEdgeByHand) {
  ComputationInput input;
  input.bases1 = "A";
  input.bases2 = "C";
  Computation c(input);
  c.Run();
  const CDecomposition& d = c.Decomposition();
  const std::vector<int> inside = OptimalPolygonsAt(c, 1.0f, 1.0f);
  ASSERT_EQ(inside.size(), 1u);
  EXPECT_EQ(d.Polygon(inside[0]).mismatchCount, 1);
  EXPECT_DOUBLE_EQ(ScoreAt(c, d.Polygon(inside[0]), 1.0f, 1.0f), -1.0);
  const std::vector<int> edge = OptimalPolygonsAt(c, 1.5f, 0.25f);
  ASSERT_EQ(edge.size(), 2u);
  EXPECT_EQ(d.Polygon(PreferredPolygon(d, edge)).mismatchCount, 0);
  EXPECT_EQ(PreferredPolygon(d, {}), -1);

  try {
    OptimalPolygonsAt(c, 2.5f, 1.0f);
    ADD_FAILURE() << "a point outside the rectangle was taken";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(), "the point (2.5, 1) lies outside the rectangle: mismatch 0 to 2, gap 0 to 2");
  }
  EXPECT_THROW(OptimalPolygonsAt(c, 1.0f, -0.5f), InputError);
  Computation notRun(input);
  EXPECT_THROW(OptimalPolygonsAt(notRun, 1.0f, 1.0f), InputError);
}

// On a grid over the rectangle, corners and edges included: the polygons
// found optimal at each point score as the aligner's alignment there, which is
// among them when it is listed at all (where several tie, the aligner may
// take one optimal at that point alone), and the robustness figure takes the
// same polygon.
TEST(RegionQuery, AgreesWithTheAlignerAndTheRobustnessFigure) {
  for (const auto& [first, second] : {std::pair{5, 6}, std::pair{1, 2}}) {
    SCOPED_TRACE(std::to_string(first) + "-" + std::to_string(second));
    Computation c(Examples(first, second));
    c.Run();
    const CDecomposition& d = c.Decomposition();
    for (int i = 0; i <= 16; ++i) {
      for (int j = 0; j <= 16; ++j) {
        const float x = static_cast<float>(i) / 8.0f, y = static_cast<float>(j) / 8.0f;
        const std::vector<int> optimal = OptimalPolygonsAt(c, x, y);
        ASSERT_FALSE(optimal.empty());
        const PointResult at = c.AlignAt(x, y);
        for (int k : optimal) {
          EXPECT_NEAR(ScoreAt(c, d.Polygon(k), x, y), at.score, 1e-9 * std::max(1.0, std::abs(at.score)));
        }
        for (int k = 0; k < d.PolygonCount(); ++k) {
          if (d.Polygon(k).SameAlignment(at.record)) {
            EXPECT_NE(std::find(optimal.begin(), optimal.end(), k), optimal.end()) << "at " << x << "," << y;
          }
        }
        const PointRobustness r = RobustnessAt(c, x, y);
        EXPECT_EQ(r.polygon, PreferredPolygon(d, optimal)) << "at " << x << "," << y;
        EXPECT_EQ(r.optimalPolygons, static_cast<int>(optimal.size()));
      }
    }
  }
}

}  // namespace
}  // namespace zenphal
