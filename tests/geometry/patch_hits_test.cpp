#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include "geometry/patch_hits.h"

namespace {

// An n x m grid with control point (i, j) at (i, j, z(i, j)).
BSplineSurface Grid(int n, int m, const std::function<double(int, int)>& z) {
  BSplineSurface s;
  s.SetGridSize(n, m);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < m; ++j) s.ControlPoint(i, j) = {double(i), double(j), z(i, j)};
  }
  return s;
}

double Flat(int, int) { return 0.0; }

Point3D Unit(const Point3D& p) { return p * (1.0 / Length(p)); }

// The lines of the log that start with the prefix.
std::string LinesStartingWith(const std::string& log, const std::string& prefix) {
  std::istringstream in(log);
  std::string line, out;
  while (std::getline(in, line)) {
    if (line.rfind(prefix, 0) == 0) out += line + "\n";
  }
  return out;
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(CountPatchHits, OneSearchPerWindowInOrder) {
  const Ray away = Ray::FromDirection({-5, -5, -5}, {-1, 0, 0});
  const struct {
    int n, m;
    const char* windows;
  } cases[] = {
      {4, 4, "SingolSol 0 , 0\n"},
      {5, 4, "SingolSol 0 , 0\nSingolSol 1 , 0\n"},
      {5, 5, "SingolSol 0 , 0\nSingolSol 0 , 1\nSingolSol 1 , 0\nSingolSol 1 , 1\n"},
      {3, 9, ""},
  };
  for (const auto& c : cases) {
    BSplineSurface s = Grid(c.n, c.m, Flat);
    std::ostringstream log;
    s.SetLog(1, &log);
    Seq<BSplineIntrInfo> hits;
    EXPECT_EQ(CountPatchHits(s, away, hits), 0);
    EXPECT_EQ(LinesStartingWith(log.str(), "SingolSol"), c.windows);
  }
}

TEST(CountPatchHits, MissedBoxLogsAndMakesNoNewtonStep) {
  BSplineSurface s = Grid(4, 4, Flat);
  std::ostringstream log;
  s.SetLog(1, &log);
  Seq<BSplineIntrInfo> hits;
  EXPECT_EQ(CountPatchHits(s, Ray::FromDirection({1.5, 1.5, 1}, {0, 0, 1}), hits), 0);
  EXPECT_EQ(log.str(), "SingolSol 0 , 0\ndept 2\nContenitore non centrato \n");

  // Without the flag nothing is written.
  s.SetLog(0, &log);
  log.str("");
  EXPECT_EQ(CountPatchHits(s, Ray::FromDirection({1.5, 1.5, 1}, {0, 0, -1}), hits), 1);
  EXPECT_EQ(log.str(), "");
}

// The flat patch covers [1, 2] x [1, 2] of the plane z = 0 (x = u + 1).
TEST(CountPatchHits, HitKeepsTheParametersOfItsQuarter) {
  BSplineSurface s = Grid(4, 4, Flat);
  std::ostringstream log;
  s.SetLog(1, &log);
  Seq<BSplineIntrInfo> hits;
  const Ray ray = Ray::FromDirection({1.3, 1.6, 5}, {0, 0, -1});
  ASSERT_EQ(CountPatchHits(s, ray, hits), 1);
  EXPECT_NEAR(hits[0].t, 5, 0.01);
  // Surface (0.3, 0.6): first split u first half, v second half, local
  // (0.6, 0.2); second split u second half, v first half, local (0.2, 0.4).
  EXPECT_NEAR(hits[0].u, 0.2, 0.02);
  EXPECT_NEAR(hits[0].v, 0.4, 0.02);
  EXPECT_EQ(log.str().rfind("SingolSol 0 , 0\ndept 2\ndept 1\ndept 0\n", 0), 0u) << log.str();
  EXPECT_GE(Count(log.str(), "Esegue newton \n"), 1);
  EXPECT_LE(Count(log.str(), "Esegue newton \n"), 16);
}

// A valley z = 4 (u - 1/2)^2 + 4/3 along u. A ray whose origin lies inside the
// control boxes above the surface meets it only behind the origin.
TEST(CountPatchHits, HitBehindTheOriginIsRejected) {
  BSplineSurface s = Grid(4, 4, [](int i, int) { return 4 * (i - 1.5) * (i - 1.5); });
  const Point3D on = s.PointAt(0.875, 0.6);
  const Point3D above = on + Point3D{0, 0, 0.2};
  std::ostringstream log;
  s.SetLog(1, &log);
  Seq<BSplineIntrInfo> hits;
  EXPECT_EQ(CountPatchHits(s, Ray::FromDirection(above, {0, 0, 1}), hits), 0);
  EXPECT_GE(Count(log.str(), "Esegue newton \n"), 1);  // found, then rejected

  ASSERT_EQ(CountPatchHits(s, Ray::FromDirection(above, {0, 0, -1}), hits), 1);
  EXPECT_NEAR(hits[0].t, 0.2, 0.01);
}

// The Newton system of a ray in the plane of a flat patch has a row of zeros:
// no hit, and the program goes on.
TEST(CountPatchHits, RayInThePlaneOfAFlatPatch) {
  BSplineSurface s = Grid(4, 4, Flat);
  std::ostringstream log;
  s.SetLog(1, &log);
  Seq<BSplineIntrInfo> hits;
  EXPECT_EQ(CountPatchHits(s, Ray::FromDirection({-1, 1.5, 0}, {1, 0, 0}), hits), 0);
  EXPECT_GE(Count(log.str(), "Esegue newton \n"), 1);
}

// A tent along u crossed by a horizontal ray on both slopes: one hit in each
// of the two middle windows, in window order; hits grows as needed and is
// never shrunk.
TEST(CountPatchHits, HitsOfSeveralWindows) {
  const BSplineSurface s = Grid(7, 4, [](int i, int) { return 3.0 - std::abs(i - 3); });
  const Point3D rise = s.PointAt(1.4, 0.5);
  const Point3D fall = s.PointAt(2.6, 0.5);
  ASSERT_NEAR(rise.z, fall.z, 1e-12);
  const Ray ray = Ray::FromDirection({-1, rise.y, rise.z}, {1, 0, 0});

  Seq<BSplineIntrInfo> hits;
  ASSERT_EQ(CountPatchHits(s, ray, hits), 2);
  ASSERT_GE(hits.Count(), 2u);
  EXPECT_LE(hits.Count(), 4u);  // at most one record per window
  EXPECT_NEAR(hits[0].t, rise.x + 1, 0.01);
  EXPECT_NEAR(hits[1].t, fall.x + 1, 0.01);

  Seq<BSplineIntrInfo> roomy(9);
  roomy[5].t = 42;
  ASSERT_EQ(CountPatchHits(s, ray, roomy), 2);
  EXPECT_EQ(roomy.Count(), 9u);
  EXPECT_EQ(roomy[5].t, 42);
  EXPECT_NEAR(roomy[1].t, fall.x + 1, 0.01);
}

// A curved 7 x 7 grid (four by four windows), hit by rays from every side
// above it at points spread over the whole surface: every ray finds its
// point, even where Newton's method from a quarter's first corner runs off.
// Rays beside the grid and rays leaving it upwards find nothing.
TEST(CountPatchHits, EveryRayThatHitsACurvedGridFindsItsPoint) {
  const BSplineSurface s = Grid(7, 7, [](int i, int j) { return 1.3 * std::sin(0.9 * i) * std::cos(0.7 * j); });
  std::mt19937 gen(20261211);
  std::uniform_real_distribution<double> param(0.0, 4.0), slope(-0.8, 0.8), dist(1.5, 6.0);
  Seq<BSplineIntrInfo> hits;
  int lost = 0;
  for (int n = 0; n < 2000; ++n) {
    const Point3D on = s.PointAt(param(gen), param(gen));
    const Point3D direction = Unit(Point3D{slope(gen), slope(gen), -1.0});
    const double d = dist(gen);
    const Ray ray = Ray::FromDirection(on - d * direction, direction);
    const std::int32_t count = CountPatchHits(s, ray, hits);
    bool found = false;
    for (std::int32_t k = 0; k < count; ++k) found = found || Length(ray.PointAt(hits[k].t) - on) < 0.05;
    if (!found) ++lost;
  }
  EXPECT_EQ(lost, 0);

  int stray = 0;
  for (int n = 0; n < 500; ++n) {
    const Point3D on = s.PointAt(param(gen), param(gen));
    const Point3D up = Unit(Point3D{0.25 * slope(gen), 0.25 * slope(gen), 1.0});
    stray += CountPatchHits(s, Ray::FromDirection(on + 0.3 * up, up), hits);
    stray += CountPatchHits(s, Ray::FromDirection(on + Point3D{0, 9, 0}, {0.3, 0.1, -1}), hits);
  }
  EXPECT_EQ(stray, 0);
}

}  // namespace
