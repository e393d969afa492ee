#include "geometry/ray_slabs.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

using zavo::BoxScale;
using zavo::RaySlabs;

// The box test the hierarchy walks made before: the face tests of the grown box.
int FaceTestCross(const GEO_Box& g, const Ray& ray, double& entry) {
  BoxHitRecord records[2];
  const int n = g.RayRange(ray, records, 0.0);
  if (n == 2) entry = std::min(records[0].t, records[1].t);
  if (n == 1) entry = 0.0;
  return n;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Boxes and rays of the kinds a scene has and of the kinds that are hard for
// a slab test: rays aimed exactly at corners, edge points and face points,
// rays along the axes and in face planes, origins on the surface, flat boxes,
// far and huge coordinates.
struct Case {
  GEO_Box box;
  Ray ray;
};

std::vector<Case> Cases() {
  std::mt19937_64 gen(20261211);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<Case> cases;
  const double scales[] = {1.0, 0.037, 13.7, 1234.5649, 3.3e6};
  for (int k = 0; k < 40000; ++k) {
    const double s = scales[k % 5];
    const double x0 = (unit(gen) - 0.5) * 3.1 * s, y0 = (unit(gen) - 0.5) * 2.7 * s, z0 = (unit(gen) - 0.5) * 2.3 * s;
    double dx = unit(gen) * 1.3 * s, dy = unit(gen) * 0.7 * s, dz = unit(gen) * 1.1 * s;
    if (k % 11 == 0) dx = 0.0;  // flat
    if (k % 13 == 0) dy = dz = 0.0;
    const GEO_Box box{x0, x0 + dx, y0, y0 + dy, z0, z0 + dz};
    const double lo[3] = {box.xmin, box.ymin, box.zmin}, hi[3] = {box.xmax, box.ymax, box.zmax};
    // A target on the box: a corner, an edge point, a face point or inside.
    double target[3];
    const int kind = static_cast<int>(unit(gen) * 4);
    for (int a = 0; a < 3; ++a) {
      const double pick = unit(gen);
      target[a] = lo[a] + (hi[a] - lo[a]) * pick;
      if (a < kind) target[a] = pick < 0.5 ? lo[a] : hi[a];
    }
    Point3D origin{(unit(gen) - 0.5) * 9.1 * s, (unit(gen) - 0.5) * 8.3 * s, (unit(gen) - 0.5) * 7.9 * s};
    const int axisLock = static_cast<int>(unit(gen) * 8);
    // Origins in a face plane or on the axis through the target.
    if (axisLock & 1) origin.x = target[0];
    if (axisLock & 2) origin.y = target[1];
    if (axisLock == 3 || axisLock == 5 || axisLock == 6) origin.z = target[2];
    if (k % 17 == 0) origin = {target[0], target[1], target[2]};  // on the surface or inside
    Ray ray = Ray::FromPoints(origin, {target[0], target[1], target[2]});
    if (k % 17 == 0) ray = Ray::FromDirection(origin, {unit(gen) - 0.5, unit(gen) - 0.5, unit(gen) - 0.5});
    if (k % 19 == 0) ray = Ray::FromDirection(origin, {0.0, 0.0, unit(gen) < 0.5 ? -1.0 : 1.0});
    if (k % 23 == 0) ray = Ray::FromDirection(origin, {1e-17, 1.0, -1e-13});  // almost along an axis
    cases.push_back({box, ray});
  }
  return cases;
}

TEST(RaySlabs, CrossesGrownBoxesAsTheFaceTestsDo) {
  int hits = 0, starts = 0;
  for (const Case& c : Cases()) {
    const GEO_Box grown = GrownForRays(c.box);
    double expected = -1.0, got = -2.0;
    const int n = FaceTestCross(grown, c.ray, expected);
    const std::uint64_t before = zavo::BoxNIntr;
    const int m = RaySlabs(c.ray).Cross(grown, BoxScale(grown), got);
    EXPECT_EQ(zavo::BoxNIntr - before, 1u);
    ASSERT_EQ(m, n) << c.ray.origin.x << " " << c.ray.origin.y << " " << c.ray.origin.z;
    if (n != 0) {
      EXPECT_TRUE(SameBits(got, expected)) << got << " " << expected;
      hits += n == 2;
      starts += n == 1;
    }
  }
  // Both kinds of crossing were met.
  EXPECT_GT(hits, 1000);
  EXPECT_GT(starts, 100);
}

TEST(RaySlabs, HitsBoxesAsHitByRayDoes) {
  int hits = 0;
  for (const Case& c : Cases()) {
    const std::uint64_t before = zavo::TestBoxNIntr;
    const bool expected = c.box.HitByRay(c.ray) != 0;
    const bool got = RaySlabs(c.ray).Hits(c.box, BoxScale(c.box));
    EXPECT_EQ(zavo::TestBoxNIntr - before, 2u);
    ASSERT_EQ(got, expected) << c.ray.origin.x << " " << c.ray.origin.y << " " << c.ray.origin.z;
    hits += got;
  }
  EXPECT_GT(hits, 1000);
}

TEST(RaySlabs, HitsBeforeLeavesOutOnlyBoxesBeyondTheLimit) {
  for (const Case& c : Cases()) {
    const RaySlabs slabs(c.ray);
    const bool hit = slabs.Hits(c.box, BoxScale(c.box));
    EXPECT_EQ(slabs.HitsBefore(c.box, BoxScale(c.box), std::numeric_limits<double>::infinity()), hit);
    if (!hit) continue;
    // No limit beyond the points where the ray meets the box leaves it out.
    BoxHitRecord records[2];
    const int n = c.box.RayRange(c.ray, records, 0.0);
    if (n == 0) continue;
    const double farthest = std::max(records[0].t, records[n - 1].t);
    EXPECT_TRUE(slabs.HitsBefore(c.box, BoxScale(c.box), farthest));
    // A box the ray surely enters far beyond the limit is left out (rays
    // almost along an axis may keep it: their margins are wide).
    const Point3D& d = c.ray.direction;
    const bool plain = [&] {
      for (double v : {d.x, d.y, d.z}) {
        if (v != 0.0 && std::fabs(v) < 1e-3) return false;
      }
      return true;
    }();
    if (plain && n == 2 && std::min(records[0].t, records[1].t) > 1e-3) {
      EXPECT_FALSE(slabs.HitsBefore(c.box, BoxScale(c.box), std::min(records[0].t, records[1].t) * 0.5));
    }
  }
}

TEST(RaySlabs, MayHitBeforeKeepsEveryBoxHitsBeforeKeeps) {
  int kept = 0, extra = 0, asked = 0;
  for (const Case& c : Cases()) {
    const RaySlabs slabs(c.ray);
    BoxHitRecord records[2];
    const int n = c.box.RayRange(c.ray, records, 0.0);
    // Limits: none, beyond the box, and halfway to where the ray enters it.
    const double entry = n == 2 ? std::min(records[0].t, records[1].t) : 0.0;
    for (double limit : {std::numeric_limits<double>::infinity(), entry * 2.0 + 1.0, entry * 0.5}) {
      const bool exact = slabs.HitsBefore(c.box, BoxScale(c.box), limit);
      const bool may = slabs.MayHitBefore(c.box, BoxScale(c.box), limit);
      if (exact) {
        ASSERT_TRUE(may) << c.ray.origin.x << " " << c.ray.origin.y << " " << c.ray.origin.z;
      }
      kept += exact;
      extra += may && !exact;
      ++asked;
    }
  }
  // Beyond those only boxes the ray passes near or starts on are kept (the
  // cases aim at edges and corners and start on faces on purpose).
  EXPECT_GT(kept, 1000);
  EXPECT_LT(extra * 10, asked);
}

// The tests with the ray's octant picked at compile time.
template <int kOctant>
bool MayHitBeforeIn(const RaySlabs& slabs, const GEO_Box& box, double scale, double limit) {
  return slabs.MayHitBefore<kOctant>(box, scale, limit);
}
template <int kOctant>
int CrossIn(const RaySlabs& slabs, const GEO_Box& box, double scale, double& entry) {
  return slabs.Cross<kOctant>(box, scale, entry);
}

TEST(RaySlabs, OctantTestsAnswerAsTheGeneralOnes) {
  using MayHit = bool (*)(const RaySlabs&, const GEO_Box&, double, double);
  using Crossing = int (*)(const RaySlabs&, const GEO_Box&, double, double&);
  const MayHit mayHit[8] = {MayHitBeforeIn<0>, MayHitBeforeIn<1>, MayHitBeforeIn<2>, MayHitBeforeIn<3>,
                            MayHitBeforeIn<4>, MayHitBeforeIn<5>, MayHitBeforeIn<6>, MayHitBeforeIn<7>};
  const Crossing cross[8] = {CrossIn<0>, CrossIn<1>, CrossIn<2>, CrossIn<3>,
                             CrossIn<4>, CrossIn<5>, CrossIn<6>, CrossIn<7>};
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<Case> cases = Cases();
  // Boxes the slab values cannot decide, on plain rays of every octant.
  for (const GEO_Box& box : {GEO_Box{0.1, 1.3, nan, 2.0, 0.2, 0.9}, GEO_Box{1.3, 0.1, 0.5, 0.7, 0.2, 0.9},
                             GEO_Box{1e200, 2e200, -1e200, 3e200, 0.0, 1.0}}) {
    for (int octant = 0; octant < 8; ++octant) {
      const Point3D to{octant & 1 ? -2.3 : 2.7, octant & 2 ? -1.9 : 3.1, octant & 4 ? -2.2 : 2.9};
      cases.push_back({box, Ray::FromPoints({0.4, 0.6, 0.5}, to)});
    }
  }
  int asked = 0;
  std::array<int, 8> perOctant{};
  for (const Case& c : cases) {
    const RaySlabs slabs(c.ray);
    if (!slabs.Plain()) continue;
    const int octant = slabs.Octant();
    for (double scale : {BoxScale(c.box), 1e151}) {
      for (double limit : {std::numeric_limits<double>::infinity(), 3.7, 0.35}) {
        ASSERT_EQ(mayHit[octant](slabs, c.box, scale, limit), slabs.MayHitBefore(c.box, scale, limit))
            << c.ray.origin.x << " " << c.ray.origin.y << " " << c.ray.origin.z << " limit " << limit;
      }
      double expected = -1.0, got = -2.0;
      const int n = slabs.Cross(c.box, scale, expected);
      ASSERT_EQ(cross[octant](slabs, c.box, scale, got), n) << c.ray.origin.x << " " << c.ray.origin.y;
      if (n != 0) { ASSERT_TRUE(SameBits(got, expected)); }
      ++asked;
    }
    ++perOctant[static_cast<std::size_t>(octant)];
  }
  EXPECT_GT(asked, 10000);
  for (int n : perOctant) EXPECT_GT(n, 10);
}

TEST(RaySlabs, GrowsBoxesAsTheWalksDid) {
  for (const Case& c : Cases()) {
    double scale = 0.0;
    const GEO_Box grown = zavo::GrownForRays(c.box, scale);
    EXPECT_EQ(grown, GrownForRays(c.box));
    EXPECT_GE(scale, BoxScale(grown));
  }
}

TEST(RaySlabs, OddNumbersGoToTheFaceTests) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const GEO_Box boxes[] = {{0.1, 1.3, nan, 2.0, 0.2, 0.9},
                           {-inf, inf, 0.5, 0.7, 0.2, 0.9},
                           {1.3, 0.1, 0.5, 0.7, 0.2, 0.9},  // min above max
                           {1e200, 2e200, -1e200, 3e200, 0.0, 1.0}};
  const Ray rays[] = {Ray::FromPoints({-2.1, 0.6, 0.5}, {0.7, 0.6, 0.5}),
                      Ray::FromDirection({0.4, 0.6, 0.5}, {1e-200, 1.0, 0.0}),
                      Ray::FromDirection({0.4, 0.6, 0.5}, {0.0, 0.0, 0.0}),
                      Ray::FromPoints({-3e200, 0.6, 0.5}, {1.5e200, 0.6, 0.5})};
  for (const GEO_Box& box : boxes) {
    for (const Ray& ray : rays) {
      double expected = -1.0, got = -2.0;
      const int n = FaceTestCross(box, ray, expected);
      EXPECT_EQ(RaySlabs(ray).Cross(box, BoxScale(box), got), n);
      if (n != 0) { EXPECT_TRUE(SameBits(got, expected)); }
      EXPECT_EQ(RaySlabs(ray).Hits(box, BoxScale(box)), box.HitByRay(ray) != 0);
    }
  }
}

}  // namespace
