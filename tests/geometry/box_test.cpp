#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/box.h"
#include "geometry/ray.h"

namespace {

GEO_Box Cube(double lo, double hi) { return {lo, hi, lo, hi, lo, hi}; }

TEST(GEO_Box, ExtendMovesOnlyTheBoundItCrosses) {
  GEO_Box b = Cube(0, 1);
  b.Extend({-2, 0.5, 0.5});
  EXPECT_EQ(b, (GEO_Box{-2, 1, 0, 1, 0, 1}));
  b.Extend({3, 0.5, 0.5});
  EXPECT_EQ(b, (GEO_Box{-2, 3, 0, 1, 0, 1}));
  b.Extend({0, 7, -7});
  EXPECT_EQ(b, (GEO_Box{-2, 3, 0, 7, -7, 1}));

  GEO_Box p;
  p.SetPoint({1, 2, 3});
  p.ExtendBox(GEO_Box{-1, 0, 5, 6, 3, 3});
  EXPECT_EQ(p, (GEO_Box{-1, 1, 2, 6, 3, 3}));
}

TEST(GEO_Box, UnionAndIntersection) {
  GEO_Box out = Cube(9, 9);
  EXPECT_EQ(GEO_Box::Union(Cube(0, 1), out, Cube(2, 3)), 1);
  EXPECT_EQ(out, Cube(0, 3));

  EXPECT_EQ(GEO_Box::Intersection(Cube(0, 1), out, Cube(1, 2)), 1);
  EXPECT_EQ(out, Cube(1, 1));  // touching boxes give a flat box
  EXPECT_EQ(GEO_Box::Intersection(Cube(0, 2), out, Cube(1, 3)), 1);
  EXPECT_EQ(out, Cube(1, 2));

  out = Cube(7, 8);
  EXPECT_EQ(GEO_Box::Intersection(Cube(0, 1), out, Cube(2, 3)), 0);
  EXPECT_EQ(out, Cube(7, 8));  // untouched
  // Apart on z only.
  EXPECT_EQ(GEO_Box::Intersection(Cube(0, 1), out, GEO_Box{0, 1, 0, 1, 2, 3}), 0);
  EXPECT_EQ(out, Cube(7, 8));
}

TEST(GEO_Box, Measures) {
  const GEO_Box b{0, 1, 0, 2, 0, 3};
  EXPECT_DOUBLE_EQ(b.Volume(), 6);
  EXPECT_EQ(b.Center(), (Point3D{0.5, 1, 1.5}));
  EXPECT_DOUBLE_EQ(b.HalfDiagonalSquared(), 7);
  EXPECT_EQ(b.Contains(Point3D{1, 2, 3}), 1);
  EXPECT_EQ(b.Contains(Point3D{1, 2, 3.0001}), 0);
  EXPECT_EQ(b.Contains(GEO_Box{0, 1, 1, 1, 0, 3}), 1);
  EXPECT_EQ(b.Contains(GEO_Box{0, 1.5, 1, 1, 0, 3}), 0);
  EXPECT_EQ(BoxContainsPoint(0, 1, 0, 1, 0, 1, {0, 0, 1}), 1);
  EXPECT_EQ(BoxContainsBox(Cube(0, 1), Cube(0.5, 1.5)), 0);
}

TEST(GEO_Box, HitByRay) {
  const GEO_Box box = Cube(0, 1);
  const struct {
    Point3D origin, direction;
    int hit;
  } cases[] = {
      {{0.5, 0.5, 0.5}, {1, 0, 0}, 1},         // origin inside
      {{2, 0.5, 0.5}, {1, 0, 0}, 0},           // box behind
      {{2, 0.5, 0.5}, {-1, 0, 0}, 1},          // box ahead
      {{-1, 1.00000005, 0.5}, {1, 0, 0}, 1},   // within the tolerance
      {{-1, 1.0000002, 0.5}, {1, 0, 0}, 0},    // beyond it
      {{0.5, 0.5, -3}, {0, 0, 5}, 1},          // unnormalised direction
      {{0.5, 5, 0.5}, {0, -1, 0}, 1},          // along y
      {{-1, -1, -1}, {1, 1, 1}, 1},            // through a corner
      {{0, 0.5, 0.5}, {-1, 0, 0}, 0},          // leaving from the face: t = 0 does not count
      {{0.5, 0.5, 0.5}, {0, 0, 0}, 0},         // no direction
  };
  for (const auto& c : cases) {
    EXPECT_EQ(box.HitByRay(Ray{c.origin, c.direction}), c.hit)
        << c.origin.x << " " << c.origin.y << " " << c.origin.z;
  }
}

TEST(GEO_Box, RayRange) {
  const GEO_Box box = Cube(0, 1);
  const double s3 = std::sqrt(3.0);
  const struct {
    Ray ray;
    double tmin;
    int n;
    BoxHitRecord r0, r1;
  } cases[] = {
      {Ray{{-1, 0.5, 0.5}, {1, 0, 0}}, 0, 2, {1, 0}, {2, 1}},
      {Ray{{2, 0.5, 0.5}, {-1, 0, 0}}, 0, 2, {2, 0}, {1, 1}},          // side order, not t order
      {Ray{{-1, -1, -1}, {1, 1, 1}}, 0, 2, {1, 0}, {2, 1}},            // both corners, direction as given
      {Ray::FromPoints({-1, -1, -1}, {0, 0, 0}), 0, 2, {s3, 0}, {2 * s3, 1}},
      {Ray{{0.5, 0.5, 0.5}, {1, 0, 0}}, 0, 1, {0.5, 1}, {}},           // origin inside: the exit only
      {Ray{{-1, 0.5, 0.5}, {1, 0, 0}}, 1.5, 1, {2, 1}, {}},            // entry before tmin
      {Ray{{-1, 0.5, 0.5}, {1, 0, 0}}, 1, 1, {2, 1}, {}},              // t = tmin does not count
      {Ray{{-1, 2, 0.5}, {1, 0, 0}}, 0, 0, {}, {}},                    // passes beside
      {Ray{{-1, 1, 0.5}, {1, 0, 0}}, 0, 2, {1, 0}, {2, 1}},            // along a face: bounds inclusive
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(i);
    BoxHitRecord r[2];
    ASSERT_EQ(box.RayRange(c.ray, r, c.tmin), c.n);
    if (c.n >= 1) {
      EXPECT_DOUBLE_EQ(r[0].t, c.r0.t);
      EXPECT_EQ(r[0].side, c.r0.side);
    }
    if (c.n == 2) {
      EXPECT_DOUBLE_EQ(r[1].t, c.r1.t);
      EXPECT_EQ(r[1].side, c.r1.side);
    }
  }
}

TEST(GEO_Box, RayRangeCountsAnEdgeOnce) {
  // In through the edge x = 0, y = 0 at (0, 0, 0.5), out through the face z = 1
  // at (0.5, 0.5, 1): the face y = ymin meets the ray at the entry point again
  // and is not a second point; the face z = zmax overwrites its record.
  const GEO_Box box = Cube(0, 1);
  BoxHitRecord r[2];
  ASSERT_EQ(box.RayRange(Ray{{-1, -1, -0.5}, {1, 1, 1}}, r, 0), 2);
  EXPECT_EQ(r[0].side, 0);
  EXPECT_DOUBLE_EQ(r[0].t, 1);
  EXPECT_EQ(r[1].side, 5);
  EXPECT_DOUBLE_EQ(r[1].t, 1.5);
  // Only touching the edge: in and out at one point, so that the parity of
  // the crossings stays right; the second record is the other face there.
  ASSERT_EQ(box.RayRange(Ray{{-1, 1, 0.5}, {1, -1, 0}}, r, 0), 2);
  EXPECT_EQ(r[0].side, 0);
  EXPECT_DOUBLE_EQ(r[0].t, 1);
  EXPECT_EQ(r[1].side, 2);
  EXPECT_DOUBLE_EQ(r[1].t, 1);
}

// A ray that meets the box in one point only gets 0 or 2 crossings, never 1;
// one crossing is an exit from inside.
TEST(GEO_Box, RayRangeTouchingGivesTwoCrossingsOrNone) {
  const GEO_Box box{-0.3, 1.7, 0.2, 2.9, -1.1, 0.6};
  const GEO_Box flat{-0.3, 1.7, 0.2, 2.9, 0.6, 0.6};
  const struct {
    const char* what;
    GEO_Box box;
    Ray ray;
    int n;
    double t;  // of the first record
  } cases[] = {
      // Origins 1 away from the touched point, so that t = 1 and the point
      // come out exactly.
      {"touches the edge x = 1.7, y = 2.9", box, Ray{{1.7 - 1, 2.9 + 1, 0.1}, {1, -1, 0}}, 2, 1},
      {"touches the corner (1.7, 2.9, 0.6)", box, Ray{{1.7 - 1, 2.9 + 1, 0.6 - 1}, {1, -1, 1}}, 2, 1},
      {"crosses a flat box", flat, Ray{{0.1, 1.3, 2.6}, {0.25, 0.5, -1}}, 2, 2},
      {"from inside out through an edge", box, Ray{{1.7 - 1, 2.9 - 1, 0.1}, {1, 1, 0}}, 1, 1},
      {"misses the edge by a little", box, Ray::FromPoints({0.7, 3.9, 0.1}, {1.7 + 1e-6, 2.9, 0.1}), 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    BoxHitRecord r[2];
    ASSERT_EQ(c.box.RayRange(c.ray, r, 0), c.n);
    if (c.n > 0) {
      EXPECT_NEAR(r[0].t, c.t, 1e-12);
    }
    if (c.n == 2) {
      EXPECT_NEAR(r[1].t, r[0].t, 1e-7);
    }
  }
}

TEST(GEO_Box, IntersectRay) {
  const GEO_Box box = Cube(0, 1);
  BoxHitRecord r{-1, -1};
  ASSERT_EQ(box.IntersectRay(Ray{{-1, 0.5, 0.5}, {1, 0, 0}}, r, 0), 1);
  EXPECT_EQ(r.side, 0);
  EXPECT_DOUBLE_EQ(r.t, 1);
  ASSERT_EQ(box.IntersectRay(Ray{{0.5, 0.5, 0.5}, {1, 0, 0}}, r, 0), 1);
  EXPECT_EQ(r.side, 1);
  EXPECT_DOUBLE_EQ(r.t, 0.5);
  // Through a corner: x, y and z faces at the same t; the lowest side stays.
  ASSERT_EQ(box.IntersectRay(Ray{{-1, -1, -1}, {1, 1, 1}}, r, 0), 1);
  EXPECT_EQ(r.side, 0);
  EXPECT_DOUBLE_EQ(r.t, 1);
  // Beyond the box nothing counts; the record keeps what it had.
  r = {42, 3};
  EXPECT_EQ(box.IntersectRay(Ray{{2, 0.5, 0.5}, {1, 0, 0}}, r, 0), 0);
  EXPECT_EQ(r.side, 3);
}

TEST(GEO_Box, SideNormals) {
  const GEO_Box box = Cube(0, 1);
  const Point3D normals[6] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
  for (int side = 0; side < 6; ++side) EXPECT_EQ(box.SideNormal({0, side}), normals[side]);
}

TEST(GEO_Box, RayTestsCountTheirCalls) {
  const GEO_Box box = Cube(0, 1);
  const auto range0 = zavo::BoxNIntr, test0 = zavo::TestBoxNIntr;
  BoxHitRecord r[2];
  box.HitByRay(Ray{{0.5, 0.5, 0.5}, {1, 0, 0}});  // stops at the first face
  box.HitByRay(Ray{{5, 5, 5}, {1, 0, 0}});
  box.RayRange(Ray{{-1, 0.5, 0.5}, {1, 0, 0}}, r, 0);
  box.IntersectRay(Ray{{-1, 0.5, 0.5}, {1, 0, 0}}, r[0], 0);
  EXPECT_EQ(zavo::TestBoxNIntr - test0, 2u);
  EXPECT_EQ(zavo::BoxNIntr - range0, 1u);
  EXPECT_STREQ(zavo::kBoxNIntrLabel, "_BoxNIntr ");
  EXPECT_STREQ(zavo::kTestBoxNIntrLabel, "_TestBoxNIntr ");
}

}  // namespace

namespace {

// The face-by-face crossing count with no early rejection: the reference the
// box's own ray tests must agree with.
int FaceCrossings(const GEO_Box& b, const Ray& ray) {
  const double o[3] = {ray.origin.x, ray.origin.y, ray.origin.z};
  const double r[3] = {ray.direction.x, ray.direction.y, ray.direction.z};
  const double lo[3] = {b.xmin, b.ymin, b.zmin}, hi[3] = {b.xmax, b.ymax, b.zmax};
  int found = 0;
  for (int side = 0; side < 6; ++side) {
    const int axis = side >> 1;
    if (r[axis] == 0.0) continue;
    const double t = (((side & 1) ? hi[axis] : lo[axis]) - o[axis]) / r[axis];
    if (!(t > 0.0)) continue;
    bool inside = true;
    for (int a = 0; a < 3; ++a) {
      if (a == axis) continue;
      const double at = o[a] + t * r[a];
      inside = inside && lo[a] <= at && at <= hi[a];
    }
    found += inside ? 1 : 0;
  }
  return found;
}

}  // namespace

// Rays aimed at corners, edges and face points, from near and far, at boxes of
// small and large coordinates: the quick rejection never drops a crossing.
TEST(GEO_Box, RayTestsAgreeWithTheFaceTestsOnGrazingRays) {
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  for (double scale : {1e-3, 1.0, 1e6}) {
    for (int n = 0; n < 20000; ++n) {
      const Point3D c{unit(gen) * scale, unit(gen) * scale, unit(gen) * scale};
      const Point3D h{std::fabs(unit(gen)) * scale + 1e-3 * scale, std::fabs(unit(gen)) * scale,
                      std::fabs(unit(gen)) * scale};
      const GEO_Box box{c.x - h.x, c.x + h.x, c.y - h.y, c.y + h.y, c.z - h.z, c.z + h.z};
      // A target on a corner, an edge or a face of the box.
      const double pick[3] = {n % 3 == 0 ? 1.0 : unit(gen), n % 5 == 0 ? 1.0 : unit(gen), 1.0};
      const Point3D target{c.x + (pick[0] >= 0 ? 1 : -1) * h.x * std::fabs(pick[0]),
                           c.y + (pick[1] >= 0 ? 1 : -1) * h.y * std::fabs(pick[1]), c.z + h.z};
      const Point3D origin{c.x + unit(gen) * 10 * scale, c.y + unit(gen) * 10 * scale, c.z + 20 * scale};
      Point3D d = target - origin;
      if (n % 7 == 0) d.x = 0.0;
      const Ray ray{origin, d * (1.0 / Length(d))};
      BoxHitRecord records[2];
      const int expected = FaceCrossings(box, ray);
      const int got = box.RayRange(ray, records, 0.0);
      ASSERT_EQ(got > 0, expected > 0) << "scale " << scale << " case " << n;
      BoxHitRecord nearest;
      ASSERT_EQ(box.IntersectRay(ray, nearest, 0.0) != 0, expected > 0) << "scale " << scale << " case " << n;
    }
  }
}
