// What the search requires of its rectangle.
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
  return std::nullopt;
}

std::optional<std::string> RectangleProblem(float mismatchFrom, float mismatchTo, float gapFrom, float gapTo) {
  if (auto problem = RangeProblem("mismatch score", mismatchFrom, mismatchTo)) return problem;
  return RangeProblem("gap score", gapFrom, gapTo);
}

}  // namespace zenphal
