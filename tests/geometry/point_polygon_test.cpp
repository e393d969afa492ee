#include <gtest/gtest.h>

#include "geometry/plane.h"
#include "geometry/point2d.h"
#include "geometry/point3d.h"
#include "geometry/polygon2d.h"

namespace {

TEST(Point3D, DistanceMidpointAndProducts) {
  const Point3D p{1, 2, 3}, q{4, 6, 3};
  EXPECT_DOUBLE_EQ(Distance3D(p, q), 5.0);
  EXPECT_EQ(Midpoint3D(p, q), (Point3D{2.5, 4, 3}));
  EXPECT_EQ(Cross(Point3D{1, 0, 0}, Point3D{0, 1, 0}), (Point3D{0, 0, 1}));
  EXPECT_DOUBLE_EQ(Dot(p, q), 4 + 12 + 9);
  EXPECT_DOUBLE_EQ(Distance2D(Point2D{0, 0}, Point2D{3, 4}), 5.0);
  EXPECT_EQ(Midpoint2D(Point2D{0, 0}, Point2D{3, 4}), (Point2D{1.5, 2}));
}

TEST(Plane, FromNormalAndPointAndAnyPoint) {
  EXPECT_EQ(Plane::FromNormalAndPoint({0, 0, 2}, {5, 6, 3}), (Plane{0, 0, 2, -6}));
  EXPECT_EQ((Plane{0, 2, 0, -4}).AnyPoint(), (Point3D{0, 2, 0}));
  EXPECT_EQ((Plane{4, 2, 0, -4}).AnyPoint(), (Point3D{1, 0, 0}));
  EXPECT_EQ((Plane{0, 0, -2, -4}).AnyPoint(), (Point3D{0, 0, -2}));
}

TEST(PlaneDeathTest, AnyPointWithoutNormal) {
  EXPECT_EXIT((Plane{0, 0, 0, 3}).AnyPoint(), testing::ExitedWithCode(1), "Runtime Error: Plane incoerente");
}

TEST(Polygon2D, HalfOpenRangeAndCrossings) {
  EXPECT_TRUE(InHalfOpenRange(1, 0, 1));
  EXPECT_TRUE(InHalfOpenRange(1, 1, 0));
  EXPECT_FALSE(InHalfOpenRange(0, 0, 1));
  EXPECT_FALSE(InHalfOpenRange(1, 1, 1));
  // A vertical segment never counts, wherever it lies.
  EXPECT_FALSE(CrossesBelow({1, 5}, {1, 0}, {1, 2}));
  // Strictly below: a segment through p does not count.
  EXPECT_FALSE(CrossesBelow({1, 1}, {0, 0}, {2, 2}));
  EXPECT_TRUE(CrossesBelow({1, 1.5}, {0, 0}, {2, 2}));
}

TEST(Polygon2D, UnitSquare) {
  Polygon2D square;
  square.Init(4);
  for (const Point2D& p : {Point2D{0, 0}, Point2D{1, 0}, Point2D{1, 1}, Point2D{0, 1}}) {
    EXPECT_FALSE(square.IsFull());
    square.Append(p);
  }
  EXPECT_TRUE(square.IsFull());
  EXPECT_EQ(square.Point(2), (Point2D{1, 1}));
  EXPECT_DOUBLE_EQ(square.SignedArea(), -1.0);

  const struct {
    Point2D p;
    int crossings;
  } cases[] = {
      {{0.5, 0.5}, 1}, {{2, 0.5}, 0}, {{1, 0.5}, 1},  // on the right edge
      {{0, 0.5}, 0},                                  // on the left edge
      {{0.5, 2}, 2},                                  // above: both horizontal edges below
      {{1, 2}, 2},                                    // above a vertex: each edge line once
  };
  for (const auto& c : cases) {
    EXPECT_EQ(square.CountCrossings(c.p), c.crossings) << c.p.x << " " << c.p.y;
  }

  // Clockwise order gives the positive area.
  Polygon2D cw(4);
  for (const Point2D& p : {Point2D{0, 0}, Point2D{0, 1}, Point2D{1, 1}, Point2D{1, 0}}) cw.Append(p);
  EXPECT_DOUBLE_EQ(cw.SignedArea(), 1.0);
}

TEST(Polygon2D, SharedVertexCountsOnce) {
  // A diamond: the point (0, 5) lies straight above the bottom vertex (0, -1)
  // where two edges meet, and above the top vertex (0, 1).
  Polygon2D diamond(4);
  for (const Point2D& p : {Point2D{0, -1}, Point2D{1, 0}, Point2D{0, 1}, Point2D{-1, 0}}) diamond.Append(p);
  EXPECT_EQ(diamond.CountCrossings({0, 0}), 1);
  EXPECT_EQ(diamond.CountCrossings({0, 5}), 2);
}

TEST(Polygon2DDeathTest, AppendToAFullPolygon) {
  Polygon2D p(1);
  p.Append({0, 0});
  EXPECT_EXIT(p.Append({1, 1}), testing::ExitedWithCode(1), "Runtime Error: Polygon2D::Append");
}

}  // namespace
