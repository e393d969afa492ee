#include "geometry/tri3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace {

Tri3D Triangle(const Point3D& a, const Point3D& b, const Point3D& c) {
  Tri3D t;
  t.corners[0] = a;
  t.corners[1] = b;
  t.corners[2] = c;
  ProjectionAxis(t);
  return t;
}

void ExpectNear(const Point3D& p, const Point3D& q) {
  EXPECT_NEAR(p.x, q.x, 1e-12);
  EXPECT_NEAR(p.y, q.y, 1e-12);
  EXPECT_NEAR(p.z, q.z, 1e-12);
}

TEST(TrianglePlane, UnitSideVectorsNotNormalisedAgain) {
  struct Row {
    Point3D p0, p1, p2;
    Plane plane;
  };
  const double h = 1 / std::sqrt(2.0);
  const Row rows[] = {
      {{0, 0, 0}, {2, 0, 0}, {0, 3, 0}, {0, 0, 1, 0}},          // right angle: unit normal
      {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 0, h, -h}},          // 45 degrees: sin of the angle
      {{0, 0, 1}, {0, 0, 1}, {0, 1, 1}, {1, 0, 0, -0.0}},        // two equal corners
      {{3, 0, 1}, {3, 1e-21, 1}, {0, 1, 1}, {1, 0, 0, -3}},      // a side below 1e-20
      {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {0, 0, 0, 0}},           // collinear: no normal
  };
  for (const Row& r : rows) {
    const Plane p = TrianglePlane(r.p0, r.p1, r.p2);
    EXPECT_NEAR(p.a, r.plane.a, 1e-15);
    EXPECT_NEAR(p.b, r.plane.b, 1e-15);
    EXPECT_NEAR(p.c, r.plane.c, 1e-15);
    EXPECT_NEAR(p.d, r.plane.d, 1e-15);
  }
}

TEST(ProjectionAxis, LargestComponentTiesToTheLowerAxis) {
  struct Row {
    Plane plane;
    int axis;
  };
  const Row rows[] = {{{1, 1, 0, 0}, 0}, {{1, 2, 2, 0}, 1}, {{0, -1, 1, 0}, 1},
                      {{1, 1, 1, 0}, 0}, {{0, 0, -3, 0}, 2}, {{0, 0, 0, 0}, 0}};
  for (const Row& r : rows) EXPECT_EQ(zavo::ProjectionAxisOf(r.plane), r.axis);
  int k1, k2;
  KeptAxes(0, k1, k2);
  EXPECT_EQ((std::pair{k1, k2}), (std::pair{1, 2}));
  KeptAxes(1, k1, k2);
  EXPECT_EQ((std::pair{k1, k2}), (std::pair{2, 0}));
  KeptAxes(2, k1, k2);
  EXPECT_EQ((std::pair{k1, k2}), (std::pair{0, 1}));
}

TEST(TriangleChord2D, ALineThroughACornerGivesThatCornerTwice) {
  const Point2D tri[3] = {{0, 0}, {0.5, 1}, {1, 0}};
  Point2D out[2];
  ASSERT_EQ(TriangleChord2D(tri, {1, 0, -0.5}, out), 2);  // x = 0.5 through corner 1
  EXPECT_EQ(out[0], (Point2D{0.5, 1}));
  EXPECT_EQ(out[1], (Point2D{0.5, 1}));
  ASSERT_EQ(TriangleChord2D(tri, {0, 1, -0.5}, out), 2);  // y = 0.5: sides 0-1 and 1-2
  EXPECT_EQ(out[0], (Point2D{0.25, 0.5}));
  EXPECT_EQ(out[1], (Point2D{0.75, 0.5}));
  ASSERT_EQ(TriangleChord2D(tri, {1, 0, -0.2}, out), 2);  // x = 0.2: sides 0-1 and 2-0
  EXPECT_NEAR(out[0].x, 0.2, 1e-15);
  EXPECT_NEAR(out[0].y, 0.4, 1e-15);
  EXPECT_NEAR(out[1].x, 0.2, 1e-15);
  EXPECT_EQ(out[1].y, 0.0);
  EXPECT_EQ(TriangleChord2D(tri, {1, 0, -2}, out), 0);    // misses
  EXPECT_EQ(TriangleChord2D(tri, {0, 0, 1}, out), 0);     // no direction
}

TEST(SegmentOverlap3D, PartOfTheSecondOnTheFirst) {
  struct Row {
    Point3D p, q, r, s;
    bool overlap;
    Point3D from, to;
  };
  const Row rows[] = {
      {{0, 0, 0}, {2, 0, 0}, {1, 0, 0}, {3, 0, 0}, true, {1, 0, 0}, {2, 0, 0}},
      {{0, 0, 0}, {2, 0, 0}, {3, 0, 0}, {1, 0, 0}, true, {1, 0, 0}, {2, 0, 0}},  // reversed
      {{2, 0, 0}, {0, 0, 0}, {1, 0, 0}, {3, 0, 0}, true, {2, 0, 0}, {1, 0, 0}},  // along P-Q
      {{0, 0, 0}, {1, 2, 0}, {-1, -2, 0}, {0.5, 1, 0}, true, {0, 0, 0}, {0.5, 1, 0}},
      {{0, 0, 0}, {2, 0, 0}, {2, 0, 0}, {3, 0, 0}, false, {}, {}},                // touching
      {{0, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}, false, {}, {}},                // apart
      {{0, 0, 0}, {5e-11, 0, 0}, {-1, 0, 0}, {1, 0, 0}, false, {}, {}},           // P-Q too short
  };
  for (const Row& r : rows) {
    Point3D from, to;
    ASSERT_EQ(SegmentOverlap3D(r.p, r.q, r.r, r.s, from, to), r.overlap);
    if (!r.overlap) continue;
    ExpectNear(from, r.from);
    ExpectNear(to, r.to);
  }
}

TEST(LiftToPlane, SolvesForTheDroppedCoordinate) {
  const Plane p{1, 2, 4, -8};  // x + 2y + 4z = 8, axis 2
  ExpectNear(LiftToPlane({2, 1}, p, 2, 0, 1), {2, 1, 1});
  ExpectNear(LiftToPlane({1, 2}, p, 0, 1, 2), {-2, 1, 2});
}

TEST(IntersectTriangles, CrossingTrianglesGetTheCommonSegment) {
  Tri3D flat = Triangle({0, 0, 0}, {4, 0, 0}, {0, 4, 0});
  Tri3D wall = Triangle({1, 1, -1}, {3, 1, -1}, {2, 1, 1});
  IntersectTriangles(flat, wall);
  ASSERT_EQ(flat.segments.Count(), 1u);
  ASSERT_EQ(wall.segments.Count(), 1u);
  for (const Tri3D* t : {&flat, &wall}) {
    const Tri3DSIntr& s = t->segments[0];
    const bool forward = s.from.x < s.to.x;
    ExpectNear(forward ? s.from : s.to, {1.5, 1, 0});
    ExpectNear(forward ? s.to : s.from, {2.5, 1, 0});
  }
}

// Coplanar triangles cut each other along their sides: each gets the parts of
// the other's sides that lie on it, so that its pieces lie either on the
// other or beside it.
TEST(IntersectTriangles, CoplanarTrianglesCutEachOtherAlongTheirSides) {
  Tri3D first = Triangle({0, 0, 0.3}, {4, 0, 0.3}, {0, 4, 0.3});
  Tri3D second = Triangle({1, 1, 0.3}, {5, 1, 0.3}, {1, 5, 0.3});
  IntersectTriangles(first, second);
  // On the first: the second's sides y = 1 and x = 1 up to the hypotenuse
  // x + y = 4; its own hypotenuse lies outside the first.
  ASSERT_EQ(first.segments.Count(), 2u);
  ExpectNear(first.segments[0].from, {1, 1, 0.3});
  ExpectNear(first.segments[0].to, {3, 1, 0.3});
  ExpectNear(first.segments[1].from, {1, 3, 0.3});
  ExpectNear(first.segments[1].to, {1, 1, 0.3});
  // On the second: the part of the first's hypotenuse from (3, 1) to (1, 3).
  ASSERT_EQ(second.segments.Count(), 1u);
  ExpectNear(second.segments[0].from, {3, 1, 0.3});
  ExpectNear(second.segments[0].to, {1, 3, 0.3});
}

TEST(IntersectTriangles, RecordsNothingForTheseCases) {
  struct Row {
    const char* what;
    Tri3D first, second;
  };
  Row rows[] = {
      {"coplanar and apart", Triangle({0, 0, 0}, {4, 0, 0}, {0, 4, 0}), Triangle({3, 3, 0}, {7, 3, 0}, {3, 7, 0})},
      {"parallel", Triangle({0, 0, 0}, {4, 0, 0}, {0, 4, 0}), Triangle({0, 0, 1e-3}, {4, 0, 1e-3}, {0, 4, 1e-3})},
      {"plane through a corner and the opposite side", Triangle({0.5, -1, -5}, {0.5, 9, -5}, {0.5, -1, 5}),
       Triangle({0, 0, 0}, {0.5, 1, 0}, {1, 0, 0})},
      {"collinear corners", Triangle({0, 0, -1}, {1, 1, 0}, {2, 2, 1}), Triangle({0, 0, 0}, {4, 0, 0}, {0, 4, 0})},
      {"apart", Triangle({0, 0, 0}, {4, 0, 0}, {0, 4, 0}), Triangle({5, 5, -1}, {6, 5, -1}, {5.5, 5, 1})},
  };
  for (Row& r : rows) {
    IntersectTriangles(r.first, r.second);
    IntersectTriangles(r.second, r.first);
    EXPECT_EQ(r.first.segments.Count(), 0u) << r.what;
    EXPECT_EQ(r.second.segments.Count(), 0u) << r.what;
  }
  // Moving the corner off the plane gives a segment to both.
  Tri3D wall = Triangle({0.5, -1, -5}, {0.5, 9, -5}, {0.5, -1, 5});
  Tri3D flat = Triangle({0, 0, 0}, {0.6, 1, 0}, {1, 0, 0});
  IntersectTriangles(wall, flat);
  EXPECT_EQ(wall.segments.Count(), 1u);
  EXPECT_EQ(flat.segments.Count(), 1u);
}

TEST(FindOrAddPoint2D, ExactMatchOrAppend) {
  FragmentedSeq<Point2D, long> table;
  EXPECT_EQ(FindOrAddPoint2D(table, {1, 2}), 0);
  EXPECT_EQ(FindOrAddPoint2D(table, {1, 2 + 1e-15}), 1);
  EXPECT_EQ(FindOrAddPoint2D(table, {1, 2}), 0);
  EXPECT_EQ(table.Size(), 2);
}

}  // namespace
