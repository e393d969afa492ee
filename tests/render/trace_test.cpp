// Tracing one ray: depth and weight limits, reflection, refraction and total
// internal reflection, spread sampling and atmospheric attenuation.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "render/render_fixtures.h"

namespace zavo::test {
namespace {

const Point3D kLocal{0.1, 0.2, 0.4};  // what the shading answers for every hit

void ExpectNear(const Point3D& got, const Point3D& want) {
  EXPECT_NEAR(got.x, want.x, 1e-12);
  EXPECT_NEAR(got.y, want.y, 1e-12);
  EXPECT_NEAR(got.z, want.z, 1e-12);
}

class TraceTest : public ::testing::Test {
protected:
  TraceTest() {
    RenderScene::Fixed().colour = kLocal;
    f.scene.GetParam().shade = "fixed";
    f.scene.GetParam().buildhier = 0;
    f.scene.GetParam().backcolor = {0, 0, 1};
    f.scene.GetParam().ambientcolor = {1, 1, 0};
  }
  ~TraceTest() override { f.scene.ReleaseTraceData(); }

  // One object hit at t by every ray (or as the test says), in the trace list.
  SelectiveObject& Object(double t = 2.0, std::function<bool(const Ray&)> test = [](const Ray&) { return true; }) {
    SelectiveObject& object = f.Add(std::make_unique<SelectiveObject>("o", std::move(test), t));
    f.scene.PrepareTraceData();
    return object;
  }
  Point3D Trace(int depth, double weight, const Point3D& direction = {0, 0, -1}) {
    return f.scene.Trace(Ray::FromDirection({0, 0, 10}, direction), depth, weight);
  }
  int Shaded() const { return RenderScene::Fixed().shadeCalls; }

  RenderScene f;
};

TEST_F(TraceTest, DepthAndWeightDecideWhatIsTraced) {
  struct Case {
    const char* what;
    int depth;
    double weight;
    double kr, kt;
    int shaded;
    double factor;  // the result is factor x the local colour
  } cases[] = {
      {"mode 0: local shading only", 0, 1.0, 0.5, 0.5, 1, 1.0},
      {"mode 1: local shading only", 1, 1.0, 0.5, 0.5, 1, 1.0},
      {"0.5 x 0.08 = 0.04 is not above 0.05", 2, 0.08, 0.5, 0.0, 1, 1.0},
      {"0.5 x 0.1 equals 0.05: not traced", 2, 0.1, 0.5, 0.0, 1, 1.0},
      {"one reflection", 2, 1.0, 0.5, 0.0, 2, 1.5},
      {"two reflections", 3, 1.0, 0.5, 0.0, 3, 1.75},
      {"the weight falls below the limit", 9, 1.0, 0.2, 0.0, 2, 1.2},
      {"one refraction", 2, 1.0, 0.0, 0.5, 2, 1.5},
      {"both", 2, 1.0, 0.25, 0.5, 3, 1.75},
  };
  SelectiveObject& object = Object();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    object.hitMaterial.Ks = c.kr;
    object.hitMaterial.Kt = c.kt;
    RenderScene::Fixed().shadeCalls = 0;
    ExpectNear(Trace(c.depth, c.weight), c.factor * kLocal);
    EXPECT_EQ(Shaded(), c.shaded);
  }
}

TEST_F(TraceTest, TotalInternalReflectionGivesTheTransmittedShareToTheReflection) {
  // A ray leaving glass at a grazing angle: the normal points along the ray.
  SelectiveObject& object = Object();
  object.fixedNormal = std::make_unique<Point3D>(0, 0, -1);
  object.hitMaterial.Ks = 0.2;
  object.hitMaterial.Kt = 0.5;
  object.hitMaterial.ni = 1.5;
  const Point3D grazing = Ray::FromDirection({}, {1, 0, -0.1}).direction;
  ExpectNear(Trace(2, 1.0, grazing), (1 + 0.2 + 0.5) * kLocal);
  EXPECT_EQ(Shaded(), 2);  // the refracted ray is not traced

  // Steeper, the ray leaves: reflection and refraction as usual.
  RenderScene::Fixed().shadeCalls = 0;
  ExpectNear(Trace(2, 1.0, {0, 0, -1}), (1 + 0.2 + 0.5) * kLocal);
  EXPECT_EQ(Shaded(), 3);
}

TEST_F(TraceTest, RefractedDirections) {
  SelectiveObject& object = Object();
  int tir = 7;
  const double s45 = std::sqrt(0.5);
  // Entering (N.V >= 0): eta = ambient_ni / ni.
  f.scene.TraceRefracted({0, 0, 0}, {0, 0, 1}, {-s45, 0, s45}, tir, 2, 1.5, 1.0, 0.0);
  EXPECT_EQ(tir, 0);
  ASSERT_FALSE(object.rays.empty());
  const double sinT = s45 / 1.5;
  EXPECT_NEAR(object.rays.back().direction.x, sinT, 1e-12);
  EXPECT_NEAR(object.rays.back().direction.z, -std::sqrt(1 - sinT * sinT), 1e-12);
  // Leaving (N.V < 0): eta = ni / ambient_ni about the flipped normal.
  f.scene.TraceRefracted({0, 0, 0}, {0, 0, 1}, {-0.5, 0, -std::sqrt(0.75)}, tir, 2, 1.5, 1.0, 0.0);
  EXPECT_EQ(tir, 0);
  EXPECT_NEAR(object.rays.back().direction.x, 0.75, 1e-12);
  EXPECT_NEAR(object.rays.back().direction.z, std::sqrt(1 - 0.75 * 0.75), 1e-12);
  // Beyond the critical angle: black and the flag.
  const std::size_t rays = object.rays.size();
  ExpectNear(f.scene.TraceRefracted({0, 0, 0}, {0, 0, 1}, {-0.9, 0, -std::sqrt(1 - 0.81)}, tir, 2, 1.5, 1.0, 0.0),
             {0, 0, 0});
  EXPECT_EQ(tir, 1);
  EXPECT_EQ(object.rays.size(), rays);
}

TEST_F(TraceTest, AtmosphericAttenuation) {
  GParam& p = f.scene.GetParam();
  p.UseAA = 1;
  // A miss with the defaults.
  ExpectNear(Trace(1, 1.0), 0.8 * p.ambientcolor + 0.2 * p.backcolor);
  Object(2.0);
  struct Case {
    const char* what;
    double zb, zf;
    double s;
  } cases[] = {
      {"at AAzb", 2, 1000, 0.2},
      {"at AAzf", 0, 2, 0.8},
      {"half way", 1, 3, 0.5},
      {"before AAzb", 5, 1000, 0.2},
      {"beyond AAzf", 0, 1, 0.8},
      {"AAzf equal to AAzb, hit at both", 2, 2, 0.8},
      {"AAzf equal to AAzb, hit before", 3, 3, 0.2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    p.AAzb = c.zb;
    p.AAzf = c.zf;
    ExpectNear(Trace(1, 1.0), c.s * kLocal + (1 - c.s) * p.ambientcolor);
  }
}

TEST_F(TraceTest, SpreadSampling) {
  SelectiveObject& object = Object();
  object.hitMaterial.Ks = 0.5;
  GParam& p = f.scene.GetParam();
  p.UseDistribuiteTS = 1;

  // trunc(0.1^2 x 1000) = 10 samples, two random numbers each, single rays inside.
  object.hitMaterial.angles = 0.1;
  ExpectNear(Trace(3, 1.0), 1.5 * kLocal + 0.25 * kLocal);
  EXPECT_EQ(Shaded(), 1 + 10 + 10);
  const std::uint32_t seed = zavo::RandomSeed();
  EXPECT_EQ(seed, SeedAfter(20));
  EXPECT_EQ(p.UseDistribuiteTS, 1);

  // Too small a spread for one sample: the one unspread ray, no random number.
  zavo::ResetRandomGenerator();
  RenderScene::Fixed().shadeCalls = 0;
  object.hitMaterial.angles = 0.01;
  const Point3D c = Trace(2, 1.0);
  ExpectNear(c, 1.5 * kLocal);
  EXPECT_EQ(Shaded(), 2);
  EXPECT_EQ(zavo::RandomSeed(), 1u);

  // The sample directions spread around the mirror direction, across the
  // plane of N and V.
  object.fixedNormal = std::make_unique<Point3D>(0, 0, 1);
  object.hitMaterial.angles = 0.2;
  object.rays.clear();
  Trace(2, 1.0, Ray::FromDirection({}, {1, 0, -1}).direction);
  ASSERT_EQ(object.rays.size(), 1u + 40u);
  bool spread = false;
  for (std::size_t i = 1; i < object.rays.size(); ++i) {
    const Point3D& d = object.rays[i].direction;
    EXPECT_NEAR(Length(d), 1.0, 1e-12);
    spread = spread || std::fabs(d.y) > 0.01;
  }
  EXPECT_TRUE(spread);
}

}  // namespace
}  // namespace zavo::test
