#include "decomposition/geometry.h"

#include <gtest/gtest.h>

namespace zenphal {
namespace {

const ParameterRectangle kSquare{0.0f, 0.0f, 10.0f, 10.0f};

ScoreLine Line(float slope, float intercept) {
  ScoreLine l;
  l.slope = slope;
  l.intercept = intercept;
  return l;
}
ScoreLine VerticalAt(float x) {
  ScoreLine l;
  l.vertical = true;
  l.xValue = x;
  return l;
}

TEST(Angles, DirectionFromTheOrigin) {
  const Point o{0, 0};
  EXPECT_FLOAT_EQ(DirectionAngle(o, {1, 1}), 0.785398f);
  EXPECT_FLOAT_EQ(DirectionAngle(o, {-1, 1}), 2.356192f);
  EXPECT_FLOAT_EQ(DirectionAngle(o, {1, -1}), 5.497782f);
  EXPECT_EQ(DirectionAngle(o, {0.0005f, 5}), 1.570795f);
  EXPECT_EQ(DirectionAngle(o, {0, -5}), 4.712385f);
}

TEST(Angles, LineAngles) {
  EXPECT_EQ(LineAngle(VerticalAt(3)), 1.570795f);
  EXPECT_FLOAT_EQ(LineAngle(Line(1, 0)), 0.785398f);
  EXPECT_FLOAT_EQ(LineAngle(Line(-1, 0)), 2.356192f);
  EXPECT_EQ(LineAngle(Line(-0.0f, 2)), 0.0f);
  EXPECT_TRUE(IsVerticalRay({0, 0, 1.5705f}));
  EXPECT_TRUE(IsVerticalRay({0, 0, 4.7124f}));
  EXPECT_FALSE(IsVerticalRay({0, 0, 1.568f}));
}

TEST(Intersections, RayAndLine) {
  const Point up = RayLineIntersection({1, 1, kHalfPi}, Line(0, 5));
  EXPECT_EQ(up.x, 1.0f);
  EXPECT_EQ(up.y, 5.0f);
  EXPECT_TRUE(RayLineIntersection({1, 6, kHalfPi}, Line(0, 5)).IsExactlyMarker());
  const Point right = RayLineIntersection({0, 0, 0.0f}, VerticalAt(4));
  EXPECT_EQ(right.x, 4.0f);
  EXPECT_NEAR(right.y, 0.0f, 1e-6);
  // Behind the origin: the marker, unless within 0.001 of it.
  EXPECT_TRUE(RayLineIntersection({5, 5, 0.0f}, VerticalAt(4)).IsExactlyMarker());
  EXPECT_FALSE(RayLineIntersection({5, 5, 0.0f}, VerticalAt(4.9995f)).IsExactlyMarker());
  EXPECT_TRUE(RayLineIntersection({0, 0, 0.785398f}, Line(1.0f, 2)).IsExactlyMarker());  // parallel
}

TEST(Intersections, RayAndSegment) {
  const Point hit = RaySegmentIntersection({5, 5, 0.0f}, 10, 10, 10, 0);
  EXPECT_EQ(hit.x, 10.0f);
  EXPECT_NEAR(hit.y, 5.0f, 1e-5);
  EXPECT_TRUE(RaySegmentIntersection({5, 5, 0.0f}, 10, 10, 10, 6).IsExactlyMarker());
}

TEST(RectangleExit, FromTheCentreAndAlongSides) {
  const Point right = RayExit(kSquare, {5, 5, 0.0f});
  EXPECT_EQ(right.x, 10.0f);
  EXPECT_NEAR(right.y, 5.0f, 1e-6);
  const Point corner = RayExit(kSquare, {5, 5, 0.785398f});
  EXPECT_NEAR(corner.x, 10.0f, 0.001);
  EXPECT_NEAR(corner.y, 10.0f, 0.001);
  const Point alongSide = RayExit(kSquare, {10, 4, 1.570795f});
  EXPECT_EQ(alongSide.x, 10.0f);
  EXPECT_EQ(alongSide.y, 10.0f);
  const Point atCorner = RayExit(kSquare, {10, 10, 1.570795f});
  EXPECT_EQ(atCorner.x, 10.0f);
  EXPECT_EQ(atCorner.y, 10.0f);
}

TEST(RectangleCrossing, ToleranceAtTheBorder) {
  EXPECT_FALSE(CrossingOfLine(kSquare, VerticalAt(10.0005f), {5, 5, 0.0f}).HasMarkerCoordinate());
  EXPECT_TRUE(CrossingOfLine(kSquare, VerticalAt(10.002f), {5, 5, 0.0f}).HasMarkerCoordinate());
  EXPECT_TRUE(CrossingOfLine(kSquare, Line(0, 7), {5, 5, 0.0f}).HasMarkerCoordinate());  // along the line
}

TEST(RectangleSides, SideOfALine) {
  EXPECT_EQ(SideOf(kSquare, Line(0.5f, 3)), kNoSide);
  EXPECT_EQ(SideOf(kSquare, VerticalAt(0.0008f)), kLeftSide);
  EXPECT_EQ(SideOf(kSquare, VerticalAt(10)), kRightSide);
  EXPECT_EQ(SideOf(kSquare, Line(0, 10)), kTopSide);
  EXPECT_EQ(SideOf(kSquare, Line(0, 0)), kBottomSide);
  EXPECT_EQ(SideOf(kSquare, Line(-0.0001f, 0)), kNoSide);  // angle close to pi
}

TEST(RectangleSides, CornerTakesTheOtherSideOnItsSecondVisit) {
  std::array<uint8_t, 4> flags{};
  const ScoreLine first = SideLine(kSquare, {10, 10}, flags);
  EXPECT_TRUE(first.vertical);
  EXPECT_EQ(first.xValue, 10.0f);
  flags[kRightSide] = 1;
  const ScoreLine second = SideLine(kSquare, {10, 10}, flags);
  EXPECT_FALSE(second.vertical);
  EXPECT_EQ(second.intercept, 10.0f);
  EXPECT_EQ(Distance({0, 0}, {3, 4}), 5.0f);
}

}  // namespace
}  // namespace zenphal
