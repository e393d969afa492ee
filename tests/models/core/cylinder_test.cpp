#include "models/core/cylinder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "geometry/ray.h"
#include "scene/material.h"
#include "axial_ray_cases.h"

namespace {

std::unique_ptr<GCylinder> MakeCylinder(double radius, double high) {
  CG_GraphicObjectCommData data;
  data.name = "c";
  CG_CylinderDescription d;
  d.radius = radius;
  d.high = high;
  return std::make_unique<GCylinder>(data, d);
}

TEST(CylinderGeometry, RayIntersections) {
  auto cylinder = MakeCylinder(1, 1);
  const std::vector<AxialRayCase> cases = {
      {"slanted through top and bottom discs", {-0.2, 0, 3}, {0.1, 0, -1}, {{2, 1}, {4, 2}}},
      {"in at the side, out at the bottom", {-5, 0, 0}, {1, 0, -0.2}, {{4, 0}, {5, 2}}},
      {"through the side twice", {-5, 0.5, 0.5}, {1, 0, 0}, {{5 - std::sqrt(0.75), 0}, {5 + std::sqrt(0.75), 0}}},
      // Both side crossings above the top: the cap planes would give two
      // equal hits far outside the radius.
      {"crossing the infinite cylinder only above", {-5, 0, 3}, {1, 0, -0.1}, {}},
      {"crossing the infinite cylinder only below", {-5, 0, -3}, {1, 0, 0.1}, {}},
      {"horizontal above", {-5, 0, 2}, {1, 0, 0}, {}},
      {"horizontal at exactly z = high stays on the side", {-5, 0, 1}, {1, 0, 0}, {{4, 0}, {6, 0}}},
      {"horizontal at exactly z = -high", {-5, 0, -1}, {1, 0, 0}, {{4, 0}, {6, 0}}},
      {"from inside out through the side", {0, 0, 0}, {1, 0, 0}, {{1, 0}}},
      {"from inside out through the top", {0, 0, 0}, {0.1, 0, 1}, {{1, 1}}},
      // The side root ahead lies above the top; its cap crossing is behind.
      {"above the top, going up", {0, 0, 1.2}, {0.1, 0, 1}, {}},
      {"missing beside", {-5, 2, 0}, {1, 0, 0}, {}},
      {"pointing away", {5, 0, 0}, {1, 0, 0}, {}},
      // Parallel to the axis: the two caps within the radius, nothing outside.
      {"along the axis", {0, 0, 5}, {0, 0, -1}, {{4, 1}, {6, 2}}},
      {"parallel to the axis within the radius", {0.5, -0.5, -5}, {0, 0, 1}, {{4, 2}, {6, 1}}},
      {"parallel to the axis on the side", {1, 0, -5}, {0, 0, 1}, {{4, 2}, {6, 1}}},
      {"parallel to the axis outside", {2, 0, 5}, {0, 0, -1}, {}},
      {"along the axis from inside", {0, 0, 0.5}, {0, 0, 1}, {{0.5, 1}}},
      {"along the axis away", {0, 0, 5}, {0, 0, 1}, {}},
  };
  ExpectAxialHits(*cylinder, cases, true);
}

TEST(CylinderGeometry, TollAppliesAfterTheCaps) {
  auto cylinder = MakeCylinder(1, 1);
  cylinder->toll = 0.5;
  CG_CylinderIntrInfo hits;
  // The top-cap crossing at 0.4 is below toll; the bottom one at 2.4 stays.
  ASSERT_EQ(cylinder->Intersect(Ray::FromDirection({0, 0, 1.4}, {0, 0, -1}), hits), 1);
  EXPECT_NEAR(hits.t[0], 2.4, 1e-12);
  EXPECT_EQ(hits.part[0], 2);
  // A crossing at exactly toll counts.
  ASSERT_EQ(cylinder->Intersect(Ray::FromDirection({0, 0, 1.5}, {0, 0, -1}), hits), 2);
  EXPECT_EQ(hits.t[0], 0.5);
}

TEST(CylinderGeometry, HitDetailsGiveTheNormalOfThePart) {
  auto cylinder = MakeCylinder(2, 1);
  CG_MaterialPhong material;
  Point3D point, normal;

  const Ray side = Ray::FromDirection({-5, 0, 0.5}, {1, 0, 0});
  CG_CylinderIntrInfo hits;
  ASSERT_EQ(cylinder->Intersect(side, hits), 2);
  cylinder->HitDetails(side, hits, 0, material, point, normal);
  EXPECT_EQ(point, (Point3D{-2, 0, 0.5}));
  EXPECT_EQ(normal, (Point3D{-1, 0, 0}));
  cylinder->HitDetails(side, hits, 1, material, point, normal);
  EXPECT_EQ(normal, (Point3D{1, 0, 0}));

  const Ray axis = Ray::FromDirection({0.5, 0, 5}, {0, 0, -1});
  ASSERT_EQ(cylinder->Intersect(axis, hits), 2);
  cylinder->HitDetails(axis, hits, 0, material, point, normal);
  EXPECT_EQ(point, (Point3D{0.5, 0, 1}));
  EXPECT_EQ(normal, (Point3D{0, 0, 1}));
  cylinder->HitDetails(axis, hits, 1, material, point, normal);
  EXPECT_EQ(point, (Point3D{0.5, 0, -1}));
  EXPECT_EQ(normal, (Point3D{0, 0, -1}));
}

}  // namespace
