#include "render/frame_mapping.h"

#include <cmath>

namespace zenphal {
namespace {

// The integer part, toward zero, of a value kept within +-1e6.
int Truncate(double v) {
  constexpr double kLimit = 1e6;
  if (!(v > -kLimit)) return static_cast<int>(-kLimit);  // also catches NaN
  if (v > kLimit) return static_cast<int>(kLimit);
  return static_cast<int>(v);
}

}  // namespace

float FrameScale(const ParameterRectangle& r) {
  const float w = r.mismatchTo - r.mismatchFrom;
  const float h = r.gapTo - r.gapFrom;
  return w >= h ? static_cast<float>(kFrameSide) / w : static_cast<float>(kFrameSide) / h;
}

bool HasFrameScale(const ParameterRectangle& r) {
  const float s = FrameScale(r);
  return std::isfinite(s) && s > 0.0f;
}

PixelPoint ParameterToPixel(const ParameterRectangle& r, float x, float y) {
  const double s = FrameScale(r);
  return {kFrameLeft + Truncate(s * (static_cast<double>(x) - r.mismatchFrom)),
          kFrameBottom - Truncate(s * (static_cast<double>(y) - r.gapFrom))};
}

Point PixelToParameter(const ParameterRectangle& r, int X, int Y) {
  return PixelToParameter(r, static_cast<double>(X), static_cast<double>(Y));
}

Point PixelToParameter(const ParameterRectangle& r, double X, double Y) {
  const double s = FrameScale(r);
  return {static_cast<float>(r.mismatchFrom + (X - kFrameLeft) / s),
          static_cast<float>(r.gapFrom + (kFrameBottom - Y) / s)};
}

bool PixelInFrame(double X, double Y) {
  return X >= kFrameLeft && X <= kFrameRight && Y >= kFrameTop && Y <= kFrameBottom;
}

bool PixelInFrame(int X, int Y) { return PixelInFrame(static_cast<double>(X), static_cast<double>(Y)); }

}  // namespace zenphal
