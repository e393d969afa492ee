#include <gtest/gtest.h>

#include <cmath>

#include "geometry/line.h"
#include "geometry/plane.h"
#include "geometry/point3d.h"

namespace {

struct FromPointsCase {
  Point3D d;
  Plane p1, p2;
};

// p = (1, 2, 3) and q = p + d for every pattern of zero components of d.
TEST(Line, FromPointsChoosesPlanesByExactZeros) {
  const Point3D p{1, 2, 3};
  const FromPointsCase cases[] = {
      {{0, 0, 4}, {1, 0, 0, -1}, {0, 1, 0, -2}},   {{0, 0, 0}, {1, 0, 0, -1}, {0, 1, 0, -2}},
      {{0, 5, 0}, {1, 0, 0, -1}, {0, 0, 1, -3}},   {{0, 5, 4}, {1, 0, 0, -1}, {0, 4, -5, 7}},
      {{6, 0, 0}, {0, 1, 0, -2}, {0, 0, 1, -3}},   {{6, 0, 4}, {-4, 0, 6, -14}, {0, 1, 0, -2}},
      {{6, 5, 0}, {0, 0, 1, -3}, {-5, 6, 0, -7}},  {{6, 5, 4}, {-4, 0, 6, -14}, {0, 4, -5, 7}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "d = " << c.d.x << " " << c.d.y << " " << c.d.z);
    const Point3D q = p + c.d;
    const Line line = Line::FromPoints(p, q);
    EXPECT_EQ(line.Plane1(), c.p1);
    EXPECT_EQ(line.Plane2(), c.p2);
    // Both points lie on both planes.
    for (const Plane& pl : {line.Plane1(), line.Plane2()}) {
      for (const Point3D& x : {p, q}) EXPECT_NEAR(Dot(pl.Normal(), x) + pl.d, 0.0, 1e-12);
    }
  }
  // A tiny component is not 0: no tolerance.
  const Line tiny = Line::FromPoints({0, 0, 0}, {1e-300, 0, 0});
  EXPECT_EQ(tiny.Plane1(), (Plane{0, 1, 0, 0}));
  EXPECT_EQ(tiny.Plane2(), (Plane{0, 0, 1, 0}));
  // Two equal points: the line through them parallel to z.
  const Point3D u = Line::FromPoints(p, p).Direction();
  EXPECT_EQ(u, (Point3D{0, 0, 1}));
}

TEST(Line, IntersectDistanceAndNearestPoints) {
  const Line zAxis = Line::FromPoints({0, 0, 0}, {0, 0, 5});
  EXPECT_EQ(zAxis.Plane1(), (Plane{1, 0, 0, 0}));
  EXPECT_EQ(zAxis.Plane2(), (Plane{0, 1, 0, 0}));
  EXPECT_DOUBLE_EQ(zAxis.Distance({3, 4, 7}), 5.0);

  Point3D hit{9, 9, 9};
  ASSERT_EQ(zAxis.IntersectPlane({0, 0, 2, -6}, hit), 1);
  EXPECT_EQ(hit, (Point3D{0, 0, 3}));
  // A plane holding no normal makes the system singular: 0, point untouched.
  hit = {9, 9, 9};
  EXPECT_EQ(zAxis.IntersectPlane({0, 0, 0, 1}, hit), 0);
  EXPECT_EQ(hit, (Point3D{9, 9, 9}));

  // The line through (1, 1, 0) and (2, 2, 0): nearest to the origin at (0, 0, 0)
  // and the point with u.X = -s further along.
  const Line diagonal = Line::FromPoints({1, 1, 0}, {2, 2, 0});
  const Point3D n = diagonal.NearestToOrigin();
  EXPECT_NEAR(n.x, 0, 1e-12);
  EXPECT_NEAR(n.y, 0, 1e-12);
  const Point3D u = diagonal.Direction();
  const Point3D at = diagonal.PointAtOffset(-std::sqrt(2.0));
  EXPECT_NEAR(Dot(u, at), std::sqrt(2.0), 1e-12);
  EXPECT_NEAR(Distance3D(at, Point3D{0, 0, 0}), std::sqrt(2.0), 1e-12);
  EXPECT_NEAR(diagonal.Distance({1, 0, 0}), std::sqrt(0.5), 1e-12);

  // x axis and the line through (0, 1, 5) parallel to y: the foot on the x axis is the origin.
  const Line xAxis = Line::FromPoints({0, 0, 0}, {1, 0, 0});
  const Line yLine = Line::FromPoints({0, 1, 5}, {0, 2, 5});
  EXPECT_EQ(LineDistance(xAxis, yLine), (Point3D{0, 0, 0}));
  // Skew lines: x axis and the line through (3, 0, 2) parallel to y.
  const Point3D foot = LineDistance(xAxis, Line::FromPoints({3, 0, 2}, {3, 7, 2}));
  EXPECT_NEAR(foot.x, 3, 1e-12);
  EXPECT_NEAR(foot.y, 0, 1e-12);
  EXPECT_NEAR(foot.z, 0, 1e-12);
}

TEST(LineDeathTest, ParallelLinesAndMissingFootPoint) {
  const Line a = Line::FromPoints({0, 0, 0}, {1, 0, 0});
  const Line b = Line::FromPoints({0, 1, 0}, {2, 1, 0});
  EXPECT_EXIT(LineDistance(a, b), testing::ExitedWithCode(1), "Runtime Error: Rette parallele");
  // Two equal planes make no line: it has no foot point.
  const Line none(Plane{1, 0, 0, 0}, Plane{1, 0, 0, 0});
  EXPECT_EXIT(none.Distance({1, 2, 3}), testing::ExitedWithCode(1), "Runtime Error: Line::Distance");
}

}  // namespace
