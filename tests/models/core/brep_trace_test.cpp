// The brep's ray queries and shading normals, on small meshes made here.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/table.h"
#include "geometry/face3.h"
#include "geometry/mesh_builders.h"
#include "geometry/mesh_fixtures.h"
#include "model_scene.h"
#include "models/core/brep.h"
#include "scene/material.h"

namespace {

using zavo::test::MakeMesh;
using zavo::test::ModelScene;

std::unique_ptr<GBRep> MakeBRep(std::unique_ptr<BRepModel3> mesh, double costr, int algorithm = 1, int interp = 0,
                                const char* kind = "hier") {
  CG_GraphicObjectCommData data;
  data.name = "b";
  CG_BRepDescription d;
  d.isInline = 1;
  d.mesh = std::move(mesh);
  d.costr = costr;
  d.algorithm = algorithm;
  d.interp = interp;
  d.hierKind = kind;
  return std::make_unique<GBRep>(data, d);
}

CG_BRepIntrInfo& Hits(std::unique_ptr<CG_GraphicObjectIntrInfo>& record) {
  auto* hits = dynamic_cast<CG_BRepIntrInfo*>(record.get());
  if (hits == nullptr) throw std::logic_error("not a brep record");
  return *hits;
}

// The faces of the hits in the record, in order.
std::vector<int> Faces(const CG_BRepIntrInfo& hits) {
  std::vector<int> faces;
  for (int i = 0; i < hits.count; ++i) faces.push_back(hits.hits[static_cast<unsigned int>(i)].face);
  return faces;
}

// The triangle (0, 0), (2, 0), (0, 2) of the plane z = height.
std::vector<Point3D> Triangle(double height) { return {{0, 0, height}, {2, 0, height}, {0, 2, height}}; }

TEST(BRepTrace, WithoutAHierarchyARayThatMissesTheBoxTestsNoFace) {
  auto brep = MakeBRep(MakeMesh(Triangle(0), {{{1, 2, 3}}}), 0);
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = brep->NewIntrInfo();
  CG_BRepIntrInfo& hits = Hits(record);

  const Ray hit = Ray::FromDirection({0.5, 0.5, -1}, {0, 0, 1});
  ASSERT_EQ(brep->Intersect(hit, *record), 1);
  EXPECT_EQ(record->Count(), 1);
  EXPECT_NEAR(record->Value(0), 1, 1e-12);

  const Ray miss = Ray::FromDirection({5, 5, -1}, {0, 0, 1});
  const std::uint64_t faceTests = zavo::FaceNIntr;
  EXPECT_EQ(brep->Intersect(miss, *record), 0);
  EXPECT_EQ(hits.count, 0);
  ASSERT_EQ(brep->IntersectAny(hit, *record), 1);
  EXPECT_EQ(brep->IntersectAny(miss, *record), 0);
  EXPECT_EQ(hits.count, 0);
  EXPECT_EQ(zavo::FaceNIntr, faceTests + 1);  // only the hit of IntersectAny
}

TEST(BRepTrace, EqualParametersKeepTheOrderOfASelection) {
  struct Case {
    const char* what;
    std::vector<double> heights;  // one triangle per face, in face order
    std::vector<int> sorted;      // Intersect's faces
    int nearest;                  // IntersectAny's face
  };
  const std::vector<Case> cases = {
      {"two faces at the same place", {1, 1}, {0, 1}, 0},
      // Selection puts face 2 first by swapping it with face 0, which then
      // comes after face 1: not the order of a stable sort.
      {"a tie behind a nearer face", {2, 2, 1}, {2, 1, 0}, 2},
      {"a tie in front", {3, 1, 1, 2}, {1, 2, 3, 0}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Point3D> points;
    std::vector<zavo::test::FaceSpec> faces;
    for (double height : c.heights) {
      const int k = static_cast<int>(points.size());
      for (const Point3D& p : Triangle(height)) points.push_back(p);
      faces.push_back({{k + 1, k + 2, k + 3}});
    }
    const Ray ray = Ray::FromDirection({0.5, 0.5, 0}, {0, 0, 1});
    for (int algorithm : {1, 2, 3}) {
      auto brep = MakeBRep(MakeMesh(points, faces), 0, algorithm);
      std::unique_ptr<CG_GraphicObjectIntrInfo> record = brep->NewIntrInfo();
      ASSERT_EQ(brep->Intersect(ray, *record), static_cast<int>(c.heights.size()));
      EXPECT_EQ(Faces(Hits(record)), c.sorted);
      for (int i = 1; i < record->Count(); ++i) EXPECT_LE(record->Value(i - 1), record->Value(i));
      ASSERT_EQ(brep->IntersectAny(ray, *record), 1);
      EXPECT_EQ(record->Count(), 1);
      EXPECT_EQ(Faces(Hits(record)), std::vector<int>{c.nearest});
    }
  }
}

TEST(BRepTrace, AnUnknownAlgorithmFindsNoNearestHit) {
  ModelScene scene;
  ASSERT_EQ(scene.LoadObject("brep model { pbrep vertices 6 0 0 1 2 0 1 0 2 1 0 0 2 2 0 2 0 2 2 "
                             "faces 2 { 1 { 3 0 1 2 } } { 1 { 3 3 4 5 } } } costr 0; algoritm 4;",
                             "b"),
            1);
  auto* brep = dynamic_cast<GBRep*>(scene.Find("b"));
  ASSERT_NE(brep, nullptr);
  EXPECT_EQ(brep->Algorithm(), 4);
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = brep->NewIntrInfo();
  const Ray ray = Ray::FromDirection({0.5, 0.5, 0}, {0, 0, 1});
  EXPECT_EQ(brep->Intersect(ray, *record), 2);
  EXPECT_EQ(brep->IntersectAny(ray, *record), 0);
  EXPECT_EQ(record->Count(), 0);
}

// A closed sphere of radius 1 from an n x n grid.
std::unique_ptr<BRepModel3> SphereMesh(int n) {
  Table<Point3D> table(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(n));
  for (int j = 0; j < n; ++j) {
    const double phi = 2 * std::numbers::pi * j / (n - 1);
    for (int i = 0; i < n; ++i) {
      const double theta = std::numbers::pi * i / (n - 1);
      table(static_cast<std::uint32_t>(j), static_cast<std::uint32_t>(i)) = {
          std::cos(phi) * std::sin(theta), std::sin(phi) * std::sin(theta), std::cos(theta)};
    }
  }
  return MakeGridBRep("ball", table);
}

TEST(BRepTrace, EverySearchFindsTheNearestHitThroughAFaceHierarchy) {
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> unit(-1, 1);
  const auto randomPoint = [&](double radius) {
    for (;;) {
      const Point3D p{unit(gen), unit(gen), unit(gen)};
      if (Length(p) <= 1 && Length(p) > 0.01) return p * radius;
    }
  };
  std::vector<Ray> rays;
  for (int k = 0; k < 200; ++k) {
    const Point3D direction = randomPoint(1);
    const Point3D from = direction * (3 / Length(direction));
    const Point3D origin = k % 4 == 0 ? randomPoint(0.5) : from;  // some from inside
    rays.push_back(Ray::FromPoints(origin, randomPoint(0.9)));
  }

  auto plain = MakeBRep(SphereMesh(30), 0);
  std::unique_ptr<CG_GraphicObjectIntrInfo> plainRecord = plain->NewIntrInfo();
  for (const char* kind : {"hier", "fasthier", "auto", "median"}) {
    SCOPED_TRACE(kind);
    auto brep = MakeBRep(SphereMesh(30), 1.2, 1, 0, kind);
    ASSERT_NE(brep->Mesh().hierarchy, nullptr);
    std::unique_ptr<CG_GraphicObjectIntrInfo> all = brep->NewIntrInfo();
    std::unique_ptr<CG_GraphicObjectIntrInfo> nearest = brep->NewIntrInfo();
    for (int algorithm : {1, 2, 3}) {
      SCOPED_TRACE(algorithm);
      CG_BRepDescription d;
      brep->GetDescription(d);
      d.algorithm = algorithm;
      ASSERT_EQ(brep->SetDescription(d), 1);
      ASSERT_EQ(brep->Algorithm(), algorithm);
      int hitRays = 0;
      for (const Ray& ray : rays) {
        const int n = brep->Intersect(ray, *all);
        ASSERT_EQ(n, plain->Intersect(ray, *plainRecord));
        ASSERT_GE(n, 1);  // every ray aims inside the sphere
        ASSERT_EQ(brep->IntersectAny(ray, *nearest), 1);
        EXPECT_EQ(nearest->Value(0), all->Value(0));
        EXPECT_EQ(Hits(nearest).hits[0].face, Hits(all).hits[0].face);
        EXPECT_EQ(all->Value(0), plainRecord->Value(0));
        ++hitRays;
      }
      EXPECT_EQ(hitRays, 200);
    }
  }
}

// ---- Shading normals ----

struct Smooth {
  std::unique_ptr<GBRep> brep;
  Point3D corners[3];
  Point3D normals[3];
};

// One triangle with the given corner normals.
Smooth SmoothTriangle(const std::vector<Point3D>& corners, const std::vector<Point3D>& normals, int interp) {
  auto mesh = MakeMesh(corners, {{{1, 2, 3}}});
  ContourFace3* contour = mesh->faces[0].contours.First();
  contour->normals.SetSize(3);
  for (std::uint32_t k = 0; k < 3; ++k) contour->normals[k] = fVector3<double>(normals[k]);
  Smooth s;
  s.brep = MakeBRep(std::move(mesh), 0, 1, interp);
  for (int k = 0; k < 3; ++k) {
    s.corners[k] = corners[static_cast<std::size_t>(k)];
    s.normals[k] = normals[static_cast<std::size_t>(k)];
  }
  return s;
}

// The normal HitDetails gives where a ray along -axis meets the triangle at
// the barycentric weights.
Point3D NormalAt(const Smooth& s, const Point3D& axis, const double w[3], Point3D* point = nullptr) {
  const Point3D target = w[0] * s.corners[0] + w[1] * s.corners[1] + w[2] * s.corners[2];
  const Ray ray = Ray::FromDirection(target + 5 * axis, -axis);
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = s.brep->NewIntrInfo();
  if (s.brep->Intersect(ray, *record) != 1) throw std::logic_error("the ray misses the triangle");
  CG_MaterialPhong material;
  Point3D hit, normal;
  s.brep->HitDetails(ray, *record, 0, material, hit, normal);
  if (point != nullptr) *point = hit;
  return normal;
}

const std::vector<Point3D> kCornerNormals = {{1, 0.2, 0.1}, {0.1, 2, 0.3}, {0.2, -0.1, 3}};

TEST(BRepNormals, WithoutInterpEveryHitGetsThePlaneNormal) {
  const Smooth s = SmoothTriangle({{0, 0, 0.5}, {4, 1, 0.5}, {1, 3, 0.5}}, kCornerNormals, 0);
  EXPECT_EQ(s.brep->Interp(), 0);
  const Point3D plane = s.brep->Mesh().faces[0].unitNormal;
  EXPECT_EQ(std::abs(plane.z), 1.0);
  for (const auto& w : std::vector<std::vector<double>>{{1.0 / 3, 1.0 / 3, 1.0 / 3}, {0.2, 0.3, 0.5}, {0.8, 0.1, 0.1}}) {
    Point3D point;
    EXPECT_EQ(NormalAt(s, {0, 0, 1}, w.data(), &point), plane);
    EXPECT_NEAR(Distance3D(point, w[0] * s.corners[0] + w[1] * s.corners[1] + w[2] * s.corners[2]), 0, 1e-12);
  }
}

TEST(BRepNormals, InterpBlendsTheCornerNormalsByTheBarycentricWeights) {
  // The same triangle, (u, v) = (0, 0), (4, 1), (1, 3), in each projection plane.
  struct Case {
    const char* what;
    int axis;  // the projection code the face gets
    Point3D normal;
    Point3D (*embed)(double u, double v);
  };
  const std::vector<Case> cases = {
      {"(y, z)", 0, {1, 0, 0}, [](double u, double v) { return Point3D{0.5, u, v}; }},
      {"(x, z)", 1, {0, 1, 0}, [](double u, double v) { return Point3D{u, 0.5, v}; }},
      {"(x, y)", 2, {0, 0, 1}, [](double u, double v) { return Point3D{u, v, 0.5}; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Smooth s = SmoothTriangle({c.embed(0, 0), c.embed(4, 1), c.embed(1, 3)}, kCornerNormals, 1);
    ASSERT_EQ(s.brep->Interp(), 1);
    EXPECT_EQ(s.brep->Mesh().faces[0].contours.First()->axis, c.axis);
    for (const auto& w : std::vector<std::vector<double>>{{1.0 / 3, 1.0 / 3, 1.0 / 3}, {0.2, 0.3, 0.5}}) {
      const Point3D blend = w[0] * s.normals[0] + w[1] * s.normals[1] + w[2] * s.normals[2];
      const Point3D expected = blend * (1 / Length(blend));
      EXPECT_NEAR(Distance3D(NormalAt(s, c.normal, w.data()), expected), 0, 1e-12);
    }
  }
}

TEST(BRepNormals, ABlendThatCannotBeMadeGivesThePlaneNormal) {
  // A hit at the top corner: its scan line meets no other edge. The blend
  // there is the corner's own normal, as on the scan lines just below it (the
  // plane normal made a speck at every vertex of a smooth mesh).
  const Smooth corner = SmoothTriangle({{0, 0, 0}, {2, 0, 0}, {1, 2, 0}}, kCornerNormals, 1);
  const Point3D plane = corner.brep->Mesh().faces[0].unitNormal;
  EXPECT_EQ(std::abs(plane.z), 1.0);
  CG_BRepIntrInfo record;
  record.hits.SetSize(1);
  record.hits[0] = {5.0, 0};
  record.count = 1;
  CG_MaterialPhong material;
  Point3D point, normal;
  const Ray down = Ray::FromDirection({1, 2, 5}, {0, 0, -1});
  corner.brep->HitDetails(down, record, 0, material, point, normal);
  EXPECT_EQ(point, (Point3D{1, 2, 0}));
  const Point3D top = kCornerNormals[2] * (1.0 / Length(kCornerNormals[2]));
  EXPECT_NEAR(Distance3D(normal, top), 0, 1e-12);
  // On the left edge, halfway up: the mean of its two corners' normals.
  const Ray onEdge = Ray::FromDirection({0.5, 1, 5}, {0, 0, -1});
  corner.brep->HitDetails(onEdge, record, 0, material, point, normal);
  const Point3D half = (kCornerNormals[0] + kCornerNormals[2]) * 0.5;
  EXPECT_NEAR(Distance3D(normal, half * (1.0 / Length(half))), 0, 1e-12);

  // Corner normals that cancel at the point: a blend of length 0.
  const Smooth cancel = SmoothTriangle({{0, 0, 0}, {4, 0, 0}, {0, 4, 0}}, {{0, 0, 1}, {0, 0, 1}, {0, 0, -1}}, 1);
  const double w[3] = {0.25, 0.25, 0.5};
  EXPECT_EQ(NormalAt(cancel, {0, 0, 1}, w), cancel.brep->Mesh().faces[0].unitNormal);

  // A face whose contour carries no corner normals.
  auto mesh = MakeMesh({{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0, 0, 1}, {2, 0, 1}, {0, 2, 1}}, {{{1, 2, 3}}, {{4, 5, 6}}});
  ContourFace3* first = mesh->faces[0].contours.First();
  first->normals.SetSize(3);
  for (std::uint32_t k = 0; k < 3; ++k) first->normals[k] = fVector3<double>(0.6, 0, 0.8);
  auto brep = MakeBRep(std::move(mesh), 0, 1, 1);
  std::unique_ptr<CG_GraphicObjectIntrInfo> hits = brep->NewIntrInfo();
  const Ray up = Ray::FromDirection({0.5, 0.5, -1}, {0, 0, 1});
  ASSERT_EQ(brep->Intersect(up, *hits), 2);
  brep->HitDetails(up, *hits, 0, material, point, normal);
  EXPECT_NEAR(Distance3D(normal, {0.6, 0, 0.8}), 0, 1e-12);
  brep->HitDetails(up, *hits, 1, material, point, normal);
  EXPECT_EQ(normal, brep->Mesh().faces[1].unitNormal);
}

}  // namespace
