// What the search requires of its rectangle.
#include <algorithm>
#include <cmath>

#include "decomposition/decomposition.h"

namespace zenphal {

std::optional<std::string> RangeProblem(const char* name, float from, float to) {
  const auto range = [&] {
    return std::string(name) + " range [" + std::to_string(from) + ", " + std::to_string(to) + "]";
  };
  if (!std::isfinite(from) || !std::isfinite(to)) return range() + " is not finite";
  if (from < 0.0f || to < 0.0f) return range() + " reaches below 0; scores must be 0 or more";
  if (!(from < to)) return range() + " is empty or inverted; the lower end must be below the upper end";
  // The search tells points and angles apart only to 0.001; on narrower
  // strips its polygons lose edges and it finds too few of them, or none.
  // 0.008 was the narrowest width at which every tried pair still came out
  // whole; 0.01 leaves a margin.
  // Typed widths of 0.01 lose a little in single precision (1.01f - 1.0f is
  // 0.00999999): they count as 0.01.
  const double slack = 1e-6 * std::max(1.0, std::fabs(static_cast<double>(to)));
  if (static_cast<double>(to) - from + slack < kMinimumRangeWidth) {
    return range() + " is narrower than 0.01; the search tells scores apart only to 0.001 and cannot "
                     "decompose so narrow a strip";
  }
  return std::nullopt;
}

std::optional<std::string> RectangleProblem(float mismatchFrom, float mismatchTo, float gapFrom, float gapTo) {
  if (auto problem = RangeProblem("mismatch score", mismatchFrom, mismatchTo)) return problem;
  return RangeProblem("gap score", gapFrom, gapTo);
}

}  // namespace zenphal
