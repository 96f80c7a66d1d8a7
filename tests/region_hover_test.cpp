// The point query by counts (computation/region_query.h, which the Python
// module's region_at uses) names the region the desktop view's hover names
// there (render/regions.h: the region hulls, a pixel of tolerance).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "computation/computation.h"
#include "computation/region_query.h"
#include "formats/example_table.h"
#include "render/frame_mapping.h"
#include "render/regions.h"

namespace zenphal {
namespace {

// What the hover lists at a point: the regions whose hull holds it within a
// pixel, or else the nearest within three (a sliver between regions).
std::vector<int> HoverRegions(const RegionMap& map, Point p, double pixel) {
  std::vector<int> regions = RegionsAt(map, p, pixel);
  double distance = 0;
  if (const int nearest = NearestRegion(map, p, &distance); regions.empty() && distance <= 3 * pixel) {
    regions.push_back(nearest);
  }
  return regions;
}

TEST(RegionHover, TheQueryNamesARegionTheHoverNames) {
  const struct {
    int first, second;
    float mismatchTo, gapTo;
  } cases[] = {{5, 6, 2, 2}, {3, 4, 10, 5}, {1, 2, 2, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.first) + "-" + std::to_string(c.second));
    ComputationInput input;
    const ExampleRow& a = ExampleTable()[static_cast<size_t>(c.first - 1)];
    const ExampleRow& b = ExampleTable()[static_cast<size_t>(c.second - 1)];
    input.bases1 = a.bases, input.stems1 = a.stems, input.bases2 = b.bases, input.stems2 = b.stems;
    input.mismatchTo = c.mismatchTo, input.gapTo = c.gapTo;
    Computation computation(input);
    computation.Run();
    const CDecomposition& d = computation.Decomposition();
    const RegionMap map = BuildRegionMap(d);
    const double pixel = 1.0 / FrameScale(d.Rectangle());
    int alone = 0;
    for (int i = 0; i <= 40; ++i) {
      for (int j = 0; j <= 40; ++j) {
        const Point p{c.mismatchTo * static_cast<float>(i) / 40.0f, c.gapTo * static_cast<float>(j) / 40.0f};
        const std::vector<int> hover = HoverRegions(map, p, pixel);
        const std::vector<int> optimal = OptimalPolygonsAt(computation, p.x, p.y);
        const int preferred = PreferredPolygon(d, optimal);
        EXPECT_NE(std::find(hover.begin(), hover.end(), preferred), hover.end()) << "at " << p.x << "," << p.y;
        if (hover.size() == 1 && optimal.size() == 1) {
          EXPECT_EQ(hover, optimal) << "at " << p.x << "," << p.y;
          ++alone;
        }
      }
    }
    EXPECT_GT(alone, 1000);  // most points lie inside one region
  }
}

}  // namespace
}  // namespace zenphal
