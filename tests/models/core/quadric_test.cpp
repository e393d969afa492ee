#include "models/core/quadric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "geometry/ray.h"
#include "model_scene.h"
#include "scene/material.h"

namespace {

using zavo::test::ModelScene;
using zavo::test::Written;

std::unique_ptr<GQuad> MakeQuad(const QuadricCoefficients& q) {
  CG_GraphicObjectCommData data;
  data.name = "q";
  return std::make_unique<GQuad>(data, q);
}

QuadricCoefficients UnitSphere() {
  QuadricCoefficients q;
  q.a = q.b = q.c = 1;
  q.j = -1;
  return q;
}

QuadricCoefficients PlaneZ() {
  QuadricCoefficients q;
  q.i = 1;
  return q;
}

std::vector<double> Values(const QuadricCoefficients& q) { return {q.a, q.b, q.c, q.d, q.e, q.f, q.g, q.h, q.i, q.j}; }

TEST(QuadricGeometry, RayIntersections) {
  QuadricCoefficients cylinderX;  // y^2 + z^2 = 1, mixed terms in a turned frame below
  cylinderX.b = cylinderX.c = 1;
  cylinderX.j = -1;
  QuadricCoefficients saddle;  // z = x y
  saddle.d = 1;
  saddle.i = -1;
  struct Case {
    const char* what;
    QuadricCoefficients q;
    Point3D origin, direction;
    std::vector<double> hits;  // along the unnormalised direction
  };
  const std::vector<Case> cases = {
      {"through the sphere", UnitSphere(), {0, 0, -5}, {0, 0, 1}, {4, 6}},
      {"from inside the sphere", UnitSphere(), {0, 0, 0}, {0, 0, 1}, {1}},
      {"past the sphere", UnitSphere(), {0, 2, -5}, {0, 0, 1}, {}},
      {"away from the sphere", UnitSphere(), {0, 0, 5}, {0, 0, 1}, {}},
      {"onto the plane z = 0", PlaneZ(), {0, 0, -3}, {0, 0, 1}, {3}},
      {"slanted onto the plane", PlaneZ(), {1, 2, -3}, {0, 0.6, 0.8}, {3.75}},
      {"away from the plane", PlaneZ(), {0, 0, 3}, {0, 0, 1}, {}},
      {"parallel to the plane", PlaneZ(), {0, 0, -3}, {1, 0, 0}, {}},
      {"along the axis of a cylinder", cylinderX, {-5, 0, 0}, {1, 0, 0}, {}},
      {"across a cylinder", cylinderX, {0, -5, 0}, {0, 1, 0}, {4, 6}},
      {"onto a saddle", saddle, {2, 3, -4}, {0, 0, 1}, {10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto quad = MakeQuad(c.q);
    std::unique_ptr<CG_GraphicObjectIntrInfo> record = quad->NewIntrInfo();
    ASSERT_NE(dynamic_cast<CG_QuadIntrInfo*>(record.get()), nullptr);
    const Ray ray = Ray::FromDirection(c.origin, c.direction);
    const double scale = Length(c.direction);
    ASSERT_EQ(quad->Intersect(ray, *record), static_cast<int>(c.hits.size()));
    ASSERT_EQ(record->Count(), static_cast<int>(c.hits.size()));
    for (std::size_t i = 0; i < c.hits.size(); ++i) {
      EXPECT_NEAR(record->Value(static_cast<int>(i)), c.hits[i] * scale, 1e-12);
    }
  }
}

// The bowl z = x^2 + y^2 seen from above, almost along its axis: the
// quadratic coefficient of the ray equation is about the square of the tilt,
// so the textbook root formula cancels away every digit of the near root.
TEST(QuadricGeometry, NearlyAxialRaysHitABowlWhereItIs) {
  QuadricCoefficients bowl;
  bowl.a = bowl.b = 1;
  bowl.i = -1;
  auto quad = MakeQuad(bowl);
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = quad->NewIntrInfo();
  const Point3D origin{0.5, 0.25, 5};
  for (double tilt : {1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8, 1e-9, 1e-10, 1e-11, 1e-12, 0.0}) {
    SCOPED_TRACE(tilt);
    const Ray ray = Ray::FromDirection(origin, {tilt, 0, -1});
    ASSERT_EQ(quad->Intersect(ray, *record), 1);
    // The true hit: F(t) = (ox + t dx)^2 + (oy + t dy)^2 - (oz + t dz) by
    // bisection in long double between a point above and one below the bowl.
    const auto f = [&](long double t) {
      const long double x = (long double)origin.x + t * (long double)ray.direction.x;
      const long double y = (long double)origin.y + t * (long double)ray.direction.y;
      const long double z = (long double)origin.z + t * (long double)ray.direction.z;
      return x * x + y * y - z;
    };
    long double lo = 0, hi = 10;
    ASSERT_LT(f(lo), 0);
    ASSERT_GT(f(hi), 0);
    for (int i = 0; i < 200; ++i) {
      const long double mid = (lo + hi) / 2;
      (f(mid) < 0 ? lo : hi) = mid;
    }
    const Point3D truth = ray.PointAt(static_cast<double>(lo));
    const Point3D hit = ray.PointAt(record->Value(0));
    EXPECT_LE(Length(hit - truth), 1e-9 * Length(truth)) << record->Value(0) << " vs " << static_cast<double>(lo);
  }
}

TEST(QuadricGeometry, HitsAtExactlyTollCount) {
  auto quad = MakeQuad(UnitSphere());
  quad->toll = 0.5;
  CG_QuadIntrInfo hits;
  EXPECT_EQ(quad->Intersect(Ray::FromDirection({0, 0, -1.5}, {0, 0, 1}), hits), 2);
  EXPECT_EQ(hits.t[0], 0.5);
  auto plane = MakeQuad(PlaneZ());
  plane->toll = 0.5;
  EXPECT_EQ(plane->Intersect(Ray::FromDirection({0, 0, -0.5}, {0, 0, 1}), hits), 1);
  EXPECT_EQ(plane->Intersect(Ray::FromDirection({0, 0, -0.25}, {0, 0, 1}), hits), 0);
}

TEST(QuadricGeometry, NormalIsTheUnitGradient) {
  CG_MaterialPhong material;
  Point3D point, normal;
  auto sphere = MakeQuad(UnitSphere());
  const Ray ray = Ray::FromDirection({0, 0, -5}, {0, 0, 1});
  CG_QuadIntrInfo hits;
  ASSERT_EQ(sphere->Intersect(ray, hits), 2);
  sphere->HitDetails(ray, hits, 0, material, point, normal);
  EXPECT_EQ(point, (Point3D{0, 0, -1}));
  EXPECT_EQ(normal, (Point3D{0, 0, -1}));
  sphere->HitDetails(ray, hits, 1, material, point, normal);
  EXPECT_EQ(point, (Point3D{0, 0, 1}));
  EXPECT_EQ(normal, (Point3D{0, 0, 1}));

  // A plane 2x + 2y + z = 3 (gradient (2, 2, 1), length 3).
  QuadricCoefficients q;
  q.g = q.h = 2;
  q.i = 1;
  q.j = -3;
  auto plane = MakeQuad(q);
  const Ray down = Ray::FromDirection({0, 0, 10}, {0, 0, -1});
  ASSERT_EQ(plane->Intersect(down, hits), 1);
  plane->HitDetails(down, hits, 0, material, point, normal);
  EXPECT_NEAR(Distance3D(point, {0, 0, 3}), 0, 1e-12);
  EXPECT_NEAR(Distance3D(normal, {2.0 / 3, 2.0 / 3, 1.0 / 3}), 0, 1e-12);

  // The apex of the cone x^2 + y^2 = z^2 has no gradient: the reverse of the ray.
  QuadricCoefficients cone;
  cone.a = cone.b = 1;
  cone.c = -1;
  auto apex = MakeQuad(cone);
  const Ray slanted = Ray::FromDirection({-3, 0, 0}, {1, 0, 0});
  ASSERT_GE(apex->Intersect(slanted, hits), 1);
  apex->HitDetails(slanted, hits, 0, material, point, normal);
  EXPECT_EQ(point, (Point3D{0, 0, 0}));
  EXPECT_EQ(normal, (Point3D{-1, 0, 0}));
}

TEST(QuadricReader, BodiesAndErrors) {
  struct Case {
    const char* body;
    int loads;
    std::vector<double> values;  // a to j when made
  };
  const std::vector<Case> cases = {
      {"", 1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"j -1; a 1; b 2.5; c 3e1; i -0.5;", 1, {1, 2.5, 30, 0, 0, 0, 0, 0, -0.5, -1}},
      {"d 1; e 2; f 3; g 4; h 5; d 7;", 1, {0, 0, 0, 7, 2, 3, 4, 5, 0, 0}},
      {"k 1;", 0, {}},
      {"A 1;", 0, {}},
      {"ab 1;", 0, {}},
      {"a x;", 0, {}},
      {"a 1e999;", 0, {}},
      {"a 1 b 2;", 0, {}},
      {"a 1; 7;", 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    ModelScene scene;
    EXPECT_EQ(scene.LoadObject(std::string("quad ") + c.body), c.loads);
    auto* quad = dynamic_cast<GQuad*>(scene.Find());
    ASSERT_EQ(quad != nullptr, c.loads == 1);
    if (quad == nullptr) {
      // The reader records nothing of its own.
      EXPECT_EQ(scene.Code(), 1);
      EXPECT_EQ(scene.Message(), "Generic Error");
      continue;
    }
    EXPECT_EQ(scene.Code(), 0);
    QuadricCoefficients q;
    quad->GetDescription(q);
    EXPECT_EQ(Values(q), c.values);
  }
}

TEST(QuadricWriter, WritesTenLinesAndReadsBack) {
  QuadricCoefficients q;
  q.a = 1;
  q.b = -2;
  q.c = 1.0 / 3;
  q.d = 1e-7;
  q.e = 1234567;
  q.f = 0.5;
  q.g = -0.25;
  q.h = 8;
  q.i = 9;
  q.j = -10;
  auto quad = MakeQuad(q);
  const std::string text = Written(*quad);
  EXPECT_EQ(text,
            "{ object\n\tname q;\n\tmodel { quad\n\t\ta 1;\n\t\tb -2;\n\t\tc 0.333333;\n\t\td 1e-07;\n"
            "\t\te 1.23457e+06;\n\t\tf 0.5;\n\t\tg -0.25;\n\t\th 8;\n\t\ti 9;\n\t\tj -10;\n\t}\n}\n");
  ModelScene scene;
  ASSERT_EQ(scene.Load(text + ".\n"), 1);
  auto* read = dynamic_cast<GQuad*>(scene.Find("q"));
  ASSERT_NE(read, nullptr);
  QuadricCoefficients back;
  read->GetDescription(back);
  EXPECT_EQ(Values(back), (std::vector<double>{1, -2, 0.333333, 1e-7, 1234570, 0.5, -0.25, 8, 9, -10}));
  EXPECT_EQ(Written(*read), text);
}

TEST(QuadricObject, HasNoBoundsNoMeshAndNoCopy) {
  CG_NamedMaterial gold("gold", new CG_MaterialPhong());
  auto quad = MakeQuad(UnitSphere());
  quad->material = &gold;
  EXPECT_EQ(quad->IsRayTraceable(), 1);
  EXPECT_EQ(quad->GetBoundingObject(), nullptr);
  GEO_Box box;
  EXPECT_EQ(CG_GraphicObject::GetBox(quad.get(), box), 0);
  EXPECT_EQ(quad->NewCommData(), nullptr);
  EXPECT_EQ(quad->Clone(), nullptr);
  zavo::DeclassedParts parts;
  EXPECT_EQ(quad->DeclassToFaced(parts, 0), 0);
  EXPECT_EQ(quad->DeclassToTriangleMesh(parts), 0);
  EXPECT_EQ(quad->DeclassToIndexedMesh(parts, 0), 0);
  EXPECT_EQ(parts.Size(), 0);
  EXPECT_EQ(quad->IsFaced(0), 0);
  EXPECT_EQ(quad->IsIndexedMesh(), 0);
  EXPECT_EQ(quad->HasMaterialOfClass(CG_MaterialPhong()), 1);
  Seq<CG_NamedMaterial*> materials;
  EXPECT_EQ(quad->GetMaterials(materials), 1);
  ASSERT_EQ(materials.Count(), 1u);
  EXPECT_EQ(materials[0], &gold);

  // The ray tracer keeps it among its traced objects, with its own record.
  ModelScene scene;
  ASSERT_EQ(scene.LoadObject("quad a 1; b 1; c 1; j -1;", "q"), 1);
  scene.scene().PrepareTraceData();
  ASSERT_NE(scene.scene().GetTraceList().First(), nullptr);
  EXPECT_EQ(scene.scene().GetTraceList().First()->object, scene.Find("q"));
  EXPECT_NE(dynamic_cast<CG_QuadIntrInfo*>(scene.scene().GetTraceList().First()->record.get()), nullptr);

  QuadricCoefficients changed = PlaneZ();
  quad->SetDescription(changed);
  QuadricCoefficients back;
  quad->GetDescription(back);
  EXPECT_EQ(Values(back), Values(changed));
}

}  // namespace
