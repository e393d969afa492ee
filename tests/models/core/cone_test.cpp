#include "models/core/cone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "geometry/ray.h"
#include "scene/material.h"
#include "axial_ray_cases.h"

namespace {

std::unique_ptr<CG_Cone> MakeCone(double radius, double high) {
  CG_GraphicObjectCommData data;
  data.name = "c";
  CG_ConeDescription d;
  d.radius = radius;
  d.high = high;
  return std::make_unique<CG_Cone>(data, d);
}

TEST(ConeGeometry, RayIntersections) {
  auto cone = MakeCone(1, 1);
  const std::vector<AxialRayCase> cases = {
      // Less steep than the mantle.
      {"across the mirrored cone above the apex", {-5, 0, 0.5}, {1, 0, 0}, {}},
      {"through the mantle twice", {-5, 0, -0.5}, {1, 0, 0}, {{4.5, 0}, {5.5, 0}}},
      {"through the rim plane stays on the mantle", {-5, 0, -1}, {1, 0, 0}, {{4, 0}, {6, 0}}},
      {"in through the base, out through the mantle", {-1.5, 0, -2}, {1, 0, 0.8}, {{1.25, 2}, {35.0 / 18, 0}}},
      {"under the base, slanted", {-5, 0, -2}, {1, 0, -0.1}, {}},
      {"under the base, level", {-5, 0, -2}, {1, 0, 0}, {}},
      {"from inside", {0, 0, -0.5}, {1, 0, 0}, {{0.5, 0}}},
      // Steeper than the mantle: the line meets both halves of the double cone.
      {"down, outside the base", {1.5, 0, 5}, {0, 0, -1}, {}},
      {"down, through mantle and base", {0.5, 0, 5}, {0, 0, -1}, {{5.5, 0}, {6, 2}}},
      {"up, through base and mantle", {0.5, 0, -5}, {0, 0, 1}, {{4, 2}, {4.5, 0}}},
      {"up from inside", {0.2, 0, -0.5}, {0, 0, 1}, {{0.3, 0}}},
      {"down through the apex", {0, 0, 5}, {0, 0, -1}, {{5, 0}, {6, 2}}},
      {"down from the axis inside", {0, 0, -0.5}, {0, 0, -1}, {{0.5, 2}}},
      // Parallel to a mantle line.
      {"parallel to a mantle line", {-0.5, 0, 0}, {1, 0, -1}, {{0.25, 0}, {1, 2}}},
      {"parallel to a mantle line, beside the solid", {-3, 0, 0}, {1, 0, -1}, {}},
      {"along the mantle line above the apex, away", {-1, 0, 1}, {-1, 0, 1}, {}},
  };
  ExpectAxialHits(*cone, cases, false);
}

TEST(ConeGeometry, RayParallelToAMantleLineGivesFiniteHits) {
  auto cone = MakeCone(1, 1);
  CG_ConeIntrInfo hits;
  const Ray ray = Ray::FromDirection({-0.5, 0, 0}, {1, 0, -1});
  ASSERT_EQ(cone->Intersect(ray, hits), 2);
  EXPECT_NEAR(hits.t[0], 0.353553, 1e-6);
  EXPECT_NEAR(hits.t[1], 1.414214, 1e-6);
}

TEST(ConeGeometry, MantleNormalIsTheTrueSurfaceNormal) {
  struct Case {
    double radius, high;
    Point3D origin, direction;
    Point3D point, normal;
  };
  const double h = 1 / std::sqrt(2.0);
  const std::vector<Case> cases = {
      {1, 1, {5, 0, -1}, {-1, 0, 0}, {1, 0, -1}, {h, 0, h}},
      {1, 2, {5, 0, -1}, {-1, 0, 0}, {0.5, 0, -1}, {0.894427, 0, 0.447214}},
      {1, 2, {0, -5, -1}, {0, 1, 0}, {0, -0.5, -1}, {0, -0.894427, 0.447214}},
      // The base, and the apex, where the mantle has no normal: the reverse of the ray.
      {1, 1, {0.2, 0, -5}, {0, 0, 1}, {0.2, 0, -1}, {0, 0, -1}},
      {1, 1, {0, 0, 5}, {0, 0, -1}, {0, 0, 0}, {0, 0, 1}},
  };
  for (const Case& c : cases) {
    auto cone = MakeCone(c.radius, c.high);
    const Ray ray = Ray::FromDirection(c.origin, c.direction);
    CG_ConeIntrInfo hits;
    ASSERT_GE(cone->Intersect(ray, hits), 1);
    CG_MaterialPhong material;
    Point3D point, normal;
    cone->HitDetails(ray, hits, 0, material, point, normal);
    EXPECT_NEAR(Distance3D(point, c.point), 0, 1e-12);
    EXPECT_NEAR(Distance3D(normal, c.normal), 0, 1e-6);
    EXPECT_NEAR(Length(normal), 1, 1e-12);
  }
}

}  // namespace
