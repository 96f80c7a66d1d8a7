// The bookkeeping of a polygon's unexplored directions, seen from its witness.
#include <cmath>

#include "engine/alignment.h"

namespace zenphal {
namespace {

float Minus(float value, double amount) { return static_cast<float>(static_cast<double>(value) - amount); }
double Width(float lo, float hi) { return static_cast<double>(hi) - lo; }

}  // namespace

bool CAlignment::IsComplete() const { return Near(openAngle, 0.0); }

float CAlignment::NextAngle() {
  while (true) {
    if (openBounds.empty()) return 0.0f;
    const float lo = openBounds[0], hi = openBounds[1];
    if (!Near(lo, hi)) return static_cast<float>((static_cast<double>(lo) + hi) * 0.5);
    // Drop every sliver up to 0.01 wide in one pass, then look again.
    for (size_t i = 0; i < openBounds.size();) {
      const double width = Width(openBounds[i], openBounds[i + 1]);
      if (width <= static_cast<double>(0.01f)) {
        openBounds.erase(openBounds.begin() + static_cast<long>(i), openBounds.begin() + static_cast<long>(i) + 2);
        openAngle = Minus(openAngle, width);
      } else {
        i += 2;
      }
    }
    if (Near(openAngle, 0.0)) return -1.0f;
  }
}

bool CAlignment::MarkExplored(float a, float b) {
  if (Near(openAngle, 0.0)) return true;
  if (openBounds.empty()) {
    if (Near(a, 0.0)) {
      openBounds = {b, kTwoPi};
      openAngle = Minus(openAngle, b);
    } else {
      openBounds = {0.0f, a, b, kTwoPi};
      openAngle = Minus(openAngle, Width(a, b));
    }
    return true;
  }
  const auto insertAt = [this](size_t i, std::initializer_list<float> bounds) {
    openBounds.insert(openBounds.begin() + static_cast<long>(i), bounds);
  };
  size_t i = 0;
  while (i < openBounds.size()) {
    const float lo = openBounds[i], hi = openBounds[i + 1];
    if (b < lo || Near(b, lo)) break;
    const bool aInside = lo < a && a < hi && !Near(a, lo) && !Near(a, hi);
    const bool aAtOrBeforeStart = Near(a, lo) || a < lo;
    if (!aInside && !aAtOrBeforeStart) {
      i += 2;
      continue;
    }
    openBounds.erase(openBounds.begin() + static_cast<long>(i), openBounds.begin() + static_cast<long>(i) + 2);
    const bool bInside = lo < b && b < hi && !Near(b, lo) && !Near(b, hi);
    const bool bAtEnd = Near(b, hi);
    if (aAtOrBeforeStart) {
      if (bInside) {
        insertAt(i, {b, hi});
        openAngle = Minus(openAngle, Width(lo, b));
        break;
      }
      openAngle = Minus(openAngle, Width(lo, hi));
      if (bAtEnd) break;
      a = hi;  // b lies beyond this pair: go on with the pair now at i
    } else {
      if (bInside) {
        insertAt(i, {lo, a, b, hi});
        openAngle = Minus(openAngle, Width(a, b));
        break;
      }
      insertAt(i, {lo, a});
      if (bAtEnd) {
        openAngle = Minus(openAngle, Width(a, b));
        break;
      }
      openAngle = Minus(openAngle, Width(a, hi));
      a = hi;
      i += 2;
    }
  }
  return true;
}

bool CAlignment::SplitAt(float d) {
  if (openBounds.empty()) {
    if (d == 0.0f) {
      openBounds = {0.0f, kTwoPi};
    } else {
      openBounds = {0.0f, d, d, kTwoPi};
    }
    return true;
  }
  for (size_t i = 0; i < openBounds.size(); i += 2) {
    const float lo = openBounds[i], hi = openBounds[i + 1];
    if (lo < d && d < hi) {
      openBounds[i + 1] = d;
      openBounds.insert(openBounds.begin() + static_cast<long>(i) + 2, {d, hi});
      return true;
    }
  }
  return false;
}

}  // namespace zenphal
