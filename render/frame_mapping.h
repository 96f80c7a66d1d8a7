#pragma once
// The fixed plot frame of the decomposition picture and the mapping between
// parameter points (mismatch score x, gap score y) and its pixels. Qt-free.
//
// The frame is the 500 x 500 pixel square (100, 50)-(600, 550); the
// rectangle's lower left corner sits at pixel (100, 550) and its longer side
// gets all 500 pixels, so the picture never scales with the window.
#include <optional>

#include "decomposition/geometry.h"
#include "engine/plane.h"

namespace zenphal {

inline constexpr int kFrameLeft = 100;
inline constexpr int kFrameTop = 50;
inline constexpr int kFrameRight = 600;
inline constexpr int kFrameBottom = 550;
inline constexpr int kFrameSide = 500;

struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// 500 / the longer side, as a single-precision value. Not finite when the
// rectangle has neither width nor height; callers check HasFrameScale.
float FrameScale(const ParameterRectangle& r);
bool HasFrameScale(const ParameterRectangle& r);

// X = 100 + T(s (x - xmin)), Y = 550 - T(s (y - ymin)); the products in double
// precision, T truncating toward zero. Far-away points are clamped to a
// million pixels so that the conversion stays defined.
PixelPoint ParameterToPixel(const ParameterRectangle& r, float x, float y);

// The inverse: x = xmin + (X - 100) / s, y = ymin + (550 - Y) / s, formed in
// double precision and stored as floats (no rounding to whole numbers).
Point PixelToParameter(const ParameterRectangle& r, int X, int Y);
// The same for a point between pixels (a picture drawn scaled); whole X and
// Y give what the pixel version gives.
Point PixelToParameter(const ParameterRectangle& r, double X, double Y);

// Whether a pixel lies in the plot frame, its bounds included.
bool PixelInFrame(int X, int Y);
bool PixelInFrame(double X, double Y);

}  // namespace zenphal
