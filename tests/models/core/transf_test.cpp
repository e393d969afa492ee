#include "models/core/transf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/bounding_object.h"
#include "model_scene.h"
#include "models/core/box.h"
#include "models/core/brep.h"
#include "models/core/group.h"
#include "models/core/sphere.h"
#include "scene/fakes.h"
#include "scene/material.h"

namespace {

using zavo::test::FakeContainer;
using zavo::test::FakeLightObject;
using zavo::test::FakeObject;
using zavo::test::Written;

constexpr double kHalfPi = std::numbers::pi / 2;

struct Step {
  std::int32_t kind;
  double v0, v1, v2;
};

std::unique_ptr<GSphere> MakeSphere(const Point3D& center = {}, double radius = 1, const char* name = "c") {
  CG_GraphicObjectCommData data;
  data.name = name;
  CG_SphereDescription description;
  description.center = center;
  description.radius = radius;
  return std::make_unique<GSphere>(data, description);
}

std::unique_ptr<GBox> MakeBox(const GEO_Box& box, const char* name = "b") {
  CG_GraphicObjectCommData data;
  data.name = name;
  return std::make_unique<GBox>(data, box);
}

std::unique_ptr<GTransf> MakeTransf(const std::vector<Step>& steps, CG_GraphicObject* child, int owns = 1,
                                    const char* name = "m") {
  CG_GraphicObjectCommData data;
  data.name = name;
  CG_TransfDescription description;
  for (const Step& s : steps) description.steps.Append(new t_Data(s.kind, s.v0, s.v1, s.v2));
  description.child = child;
  description.ownsChild = owns;
  return std::make_unique<GTransf>(data, description);
}

std::unique_ptr<GTransf> MakeTransf(const std::vector<Step>& steps, std::unique_ptr<CG_GraphicObject> child) {
  return MakeTransf(steps, child.release(), 1);
}

void ExpectNear(const Point3D& actual, const Point3D& expected, double tolerance = 1e-9) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// The first hit of the ray: count, value, point and normal.
struct Hit {
  int count = 0;
  double value = 0;
  Point3D point;
  Point3D normal;
};

Hit FirstHit(const CG_GraphicObject& object, const Ray& ray) {
  Hit hit;
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = object.NewIntrInfo();
  EXPECT_NE(record, nullptr);
  if (!record) return hit;
  hit.count = object.Intersect(ray, *record);
  EXPECT_EQ(record->Count(), hit.count);
  if (hit.count == 0) return hit;
  hit.value = record->Value(0);
  CG_MaterialPhong material;
  object.HitDetails(ray, *record, 0, material, hit.point, hit.normal);
  return hit;
}

TEST(TransfTracing, HitsPointsAndNormalsInTheScenesFrame) {
  const double r = std::sqrt(2.0);
  struct Case {
    const char* what;
    std::vector<Step> steps;
    Ray ray;
    int count;
    double value;
    Point3D point;
    Point3D normal;
  };
  const std::vector<Case> cases = {
      {"uniform scale", {{zavo::kStepScale, 2, 2, 2}}, Ray::FromDirection({0, 0, -10}, {0, 0, 1}), 2, 8,
       {0, 0, -2}, {0, 0, -1}},
      {"turned, then moved",
       {{zavo::kStepRotate, 0, 0, kHalfPi}, {zavo::kStepTranslate, 5, 0, 0}},
       Ray::FromDirection({5, -10, 0}, {0, 1, 0}),
       2,
       9,
       {5, -1, 0},
       {0, -1, 0}},
      // The normal goes through the inverse transpose: it stays perpendicular
      // to the stretched surface.
      {"non-uniform scale", {{zavo::kStepScale, 1, 4, 1}}, Ray::FromDirection({0, 2 * r, 10}, {0, 0, -1}), 2,
       10 - r / 2, {0, 2 * r, r / 2}, {0, 0.242536, 0.970143}},
      {"shear", {{zavo::kStepShear, 1, 0, 0}}, Ray::FromDirection({-10, 0, 0}, {1, 0, 0}), 2, 9, {-1, 0, 0},
       {-std::sqrt(0.5), 0, std::sqrt(0.5)}},
      {"a miss", {{zavo::kStepTranslate, 0, 5, 0}}, Ray::FromDirection({0, 0, -10}, {0, 0, 1}), 0, 0, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto transf = MakeTransf(c.steps, MakeSphere());
    const Hit hit = FirstHit(*transf, c.ray);
    EXPECT_EQ(hit.count, c.count);
    if (hit.count == 0) continue;
    EXPECT_NEAR(hit.value, c.value, 1e-9);
    ExpectNear(hit.point, c.point);
    ExpectNear(hit.normal, c.normal, 1e-6);
    EXPECT_NEAR(Length(hit.normal), 1.0, 1e-12);
  }
}

TEST(TransfTracing, UnderAShearTheNormalIsPerpendicularToTheSurface) {
  // x gains z: the unit sphere becomes a slanted ellipsoid. Its surface near
  // the hit is spanned by the images of two tangents of the sphere.
  auto transf = MakeTransf({{zavo::kStepShear, 1, 0, 0}}, MakeSphere());
  const Ray ray = Ray::FromDirection({10, 0, 0.6}, {-1, 0, 0});
  const Hit hit = FirstHit(*transf, ray);
  ASSERT_EQ(hit.count, 2);
  const Point3D local{0.8, 0, 0.6};  // the sphere's point that maps onto the hit
  ExpectNear(hit.point, {1.4, 0, 0.6});
  const Point3D tangents[2] = {{0, 1, 0}, {-0.6, 0, 0.8}};
  for (const Point3D& t : tangents) {
    ASSERT_NEAR(Dot(t, local), 0.0, 1e-12);
    const Point3D mapped{t.x + t.z, t.y, t.z};
    EXPECT_NEAR(Dot(mapped, hit.normal), 0.0, 1e-12);
  }
}

TEST(TransfTracing, WithoutStepsItAnswersAsItsChild) {
  auto sphere = MakeSphere({1, 2, 3}, 2);
  auto transf = MakeTransf({}, MakeSphere({1, 2, 3}, 2));
  const std::vector<Ray> rays = {Ray::FromDirection({1, 2, -10}, {0, 0, 1}),
                                 Ray::FromPoints({-5, -5, -5}, {1, 2, 3}),
                                 Ray::FromDirection({1, 2, 3}, {0.3, 0.4, 0.5}),
                                 Ray::FromDirection({10, 10, 10}, {1, 0, 0})};
  for (const Ray& ray : rays) {
    auto mine = transf->NewIntrInfo();
    auto theirs = sphere->NewIntrInfo();
    const int n = transf->Intersect(ray, *mine);
    ASSERT_EQ(n, sphere->Intersect(ray, *theirs));
    for (int i = 0; i < n; ++i) {
      EXPECT_NEAR(mine->Value(i), theirs->Value(i), 1e-12);
      CG_MaterialPhong m;
      Point3D p1, n1, p2, n2;
      transf->HitDetails(ray, *mine, i, m, p1, n1);
      sphere->HitDetails(ray, *theirs, i, m, p2, n2);
      ExpectNear(p1, p2, 1e-12);
      ExpectNear(n1, n2 * (1.0 / Length(n2)), 1e-12);
    }
    // IntersectAny gives every hit as well.
    EXPECT_EQ(transf->IntersectAny(ray, *mine), n);
  }
}

TEST(TransfTracing, HitValuesAreSceneDistancesInTheChildsOrder) {
  auto fake = std::make_unique<FakeObject>("f", std::vector<double>{3, 1});
  auto transf = MakeTransf({{zavo::kStepScale, 10, 10, 10}}, std::move(fake));
  auto record = transf->NewIntrInfo();
  const Ray ray = Ray::FromDirection({0, 0, 0}, {0, 0, 1});
  ASSERT_EQ(transf->Intersect(ray, *record), 2);
  EXPECT_NEAR(record->Value(0), 10, 1e-12);
  EXPECT_NEAR(record->Value(1), 30, 1e-12);
  EXPECT_EQ(record->Value(2), 0.0);
}

TEST(TransfBox, TheBoxOfTheEightMappedCorners) {
  auto scaled = MakeTransf({{zavo::kStepScale, 2, 2, 2}}, MakeSphere());
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(scaled.get(), box), 1);
  const double h = 2 * std::sqrt(2.0);
  EXPECT_NEAR(box.xmin, -h, 1e-12);
  EXPECT_NEAR(box.xmax, h, 1e-12);
  EXPECT_NEAR(box.zmax, 2.83, 0.01);

  auto turned = MakeTransf({{zavo::kStepRotate, 0, 0, std::numbers::pi / 4}, {zavo::kStepTranslate, 1, 0, 0}},
                           MakeBox({0, 1, 0, 1, 0, 1}));
  ASSERT_EQ(CG_GraphicObject::GetBox(turned.get(), box), 1);
  const double s = std::sqrt(0.5);
  EXPECT_NEAR(box.xmin, 1 - s, 1e-12);
  EXPECT_NEAR(box.xmax, 1 + s, 1e-12);
  EXPECT_NEAR(box.ymin, 0, 1e-12);
  EXPECT_NEAR(box.ymax, 2 * s, 1e-12);
  EXPECT_NEAR(box.zmin, 0, 1e-12);
  EXPECT_NEAR(box.zmax, 1, 1e-12);

  // A child without a box gives none.
  auto unbounded = MakeTransf({{zavo::kStepScale, 2, 2, 2}}, std::make_unique<FakeObject>("f"));
  EXPECT_EQ(unbounded->GetBoundingObject(), nullptr);
}

// A lamp object that records what it is asked.
class RecordingLight : public FakeLightObject {
public:
  RecordingLight() : FakeLightObject("lamp", {1, 2, 3}, {0.5, 0.25, 1}) {}
  Point3D ColourAt(const Point3D& point, const Point3D& toLamp) const override {
    lastPoint = point;
    lastDirection = toLamp;
    return colour;
  }
  mutable Point3D lastPoint;
  mutable Point3D lastDirection;
};

TEST(TransfLamp, ATransfAroundALampObjectIsALampMovedWithIt) {
  auto moved = MakeTransf({{zavo::kStepTranslate, 5, 0, 0}}, std::make_unique<RecordingLight>());
  EXPECT_EQ(moved->IsLightSource(), 1);
  EXPECT_EQ(moved->Position(), (Point3D{6, 2, 3}));
  const CG_LightSourceBase& lamp = *moved;
  EXPECT_STREQ(lamp.Keyword(), "transf");
  EXPECT_EQ(lamp.ComputesLightItself(), 0);

  auto* light = new RecordingLight();
  auto turned = MakeTransf({{zavo::kStepRotate, 0, 0, kHalfPi}, {zavo::kStepTranslate, 5, 0, 0}}, light, 1);
  ExpectNear(turned->Position(), {3, 1, 3});
  const Point3D colour = turned->ColourAt({5, 1, 0}, {0, 2, 0});
  EXPECT_EQ(colour, (Point3D{0.5, 0.25, 1}));
  ExpectNear(light->lastPoint, {1, 0, 0});
  ExpectNear(light->lastDirection, {1, 0, 0});

  // The scene's tracing data take it as a lamp.
  CG_GraphicScene scene(zavo::test::ModelScene::Registry());
  CG_GraphicObject* added = moved.get();
  ASSERT_EQ(scene.AddObject(std::move(moved)), 1);
  scene.PrepareTraceData();
  ASSERT_EQ(scene.GetLampSequence().Size(), 1);
  EXPECT_EQ(scene.GetLampSequence()[0], static_cast<CG_LightSourceBase*>(added));
  EXPECT_TRUE(scene.GetTraceList().IsEmpty());

  // Around anything else it is no lamp.
  EXPECT_EQ(MakeTransf({}, MakeSphere())->IsLightSource(), 0);
}

TEST(TransfDeclass, EveryPartGetsItsOwnTransfWithTheSteps) {
  auto transf = MakeTransf({{zavo::kStepTranslate, 1, 0, 0}}, MakeSphere());
  auto sphere = MakeSphere();
  using Declass = int (*)(CG_GraphicObject&, zavo::DeclassedParts&);
  const std::vector<Declass> declasses = {
      [](CG_GraphicObject& o, zavo::DeclassedParts& p) { return o.DeclassToFaced(p, 3); },
      [](CG_GraphicObject& o, zavo::DeclassedParts& p) { return o.DeclassToTriangleMesh(p); },
      [](CG_GraphicObject& o, zavo::DeclassedParts& p) { return o.DeclassToIndexedMesh(p, 3); },
  };
  for (Declass declass : declasses) {
    zavo::DeclassedParts parts;
    zavo::DeclassedParts sphereParts;
    ASSERT_EQ(declass(*transf, parts), 1);
    ASSERT_EQ(declass(*sphere, sphereParts), 1);
    ASSERT_EQ(parts.Size(), 1);
    EXPECT_EQ(parts[0].owned, 1);
    auto* part = dynamic_cast<GTransf*>(parts[0].object);
    ASSERT_NE(part, nullptr);
    EXPECT_STREQ(part->name.Text(), "c");
    Seq<CG_GraphicObject*> children;
    ASSERT_EQ(part->GetChildren(children), 1);
    ASSERT_EQ(children.Count(), 1u);
    ASSERT_NE(dynamic_cast<GBRep*>(children[0]), nullptr);
    // It owns the mesh (the leak check of the sanitizer build sees one left behind).
    EXPECT_EQ(part->IsFaced(0), 1);
    EXPECT_EQ(part->MeshVertexCount(), sphereParts[0].object->MeshVertexCount());
    Point3D mine, theirs;
    part->MeshVertex(5, mine);
    sphereParts[0].object->MeshVertex(5, theirs);
    ExpectNear(mine, theirs + Point3D{1, 0, 0}, 1e-12);
    zavo::ReleaseDeclassedParts(parts);
    zavo::ReleaseDeclassedParts(sphereParts);
  }
}

TEST(TransfDeclass, PartsKeepTheirOwnershipInsideTheirWrappers) {
  const int alive = FakeObject::alive;
  {
    // Owned parts: the wrappers own and destroy them.
    auto container = std::make_unique<FakeContainer>("box of parts");
    container->Add(std::make_unique<FakeObject>("p1")).Add(std::make_unique<FakeObject>("p2"));
    auto transf = MakeTransf({{zavo::kStepScale, 2, 2, 2}}, std::move(container));
    zavo::DeclassedParts parts;
    ASSERT_EQ(transf->DeclassToRayTraceable(parts), 1);
    ASSERT_EQ(parts.Size(), 2);
    EXPECT_STREQ(parts[1].object->name.Text(), "p2");
    EXPECT_EQ(parts[1].owned, 1);
    EXPECT_NE(parts[1].object->Clone(), nullptr);
    EXPECT_EQ(FakeObject::alive, alive + 4);
    zavo::ReleaseDeclassedParts(parts);
    EXPECT_EQ(FakeObject::alive, alive + 2);

    // Parts that are not owned stay with their owner: a wrapper of one can
    // not be cloned, and releasing it leaves the part alone.
    CG_GraphicObjectCommData data;
    data.name = "g";
    auto children = std::make_unique<DblList<CG_GraphicObject>>();
    children->Append(new FakeObject("f"));
    auto group = MakeTransf({}, std::make_unique<GGroup>(data, std::move(children)));
    ASSERT_EQ(group->DeclassToRayTraceable(parts), 1);
    ASSERT_EQ(parts.Size(), 1);
    EXPECT_EQ(parts[0].owned, 1);
    EXPECT_EQ(parts[0].object->Clone(), nullptr);
    zavo::ReleaseDeclassedParts(parts);
    EXPECT_EQ(FakeObject::alive, alive + 3);

    // A child whose declass fails makes the transf's fail.
    auto plain = MakeTransf({}, std::make_unique<FakeObject>("unbounded"));
    EXPECT_EQ(plain->DeclassToTriangleMesh(parts), 0);
    EXPECT_EQ(parts.Size(), 0);
  }
  EXPECT_EQ(FakeObject::alive, alive);
}

TEST(TransfClone, OnlyAnOwningTransfClonesWithTheNameAndTheSteps) {
  CG_GraphicObjectCommData data;
  data.name = "m";
  data.IDname = "A";
  data.toll = 0.5;
  CG_TransfDescription description;
  description.steps.Append(new t_Data(zavo::kStepTranslate, 1, 2, 3));
  description.steps.Append(new t_Data(zavo::kStepScale, 2, 2, 2));
  description.child = MakeSphere().release();
  description.ownsChild = 1;
  GTransf transf(data, description);
  EXPECT_EQ(description.child, nullptr);

  std::unique_ptr<CG_GraphicObject> clone = transf.Clone();
  ASSERT_NE(dynamic_cast<GTransf*>(clone.get()), nullptr);
  EXPECT_STREQ(clone->name.Text(), "m");
  EXPECT_EQ(clone->IDname.Text(), nullptr);
  EXPECT_EQ(clone->toll, 0.01);
  EXPECT_EQ(Written(*clone), zavo::test::WithoutIDnameAndToll(Written(transf)));
  const Ray ray = Ray::FromDirection({2, 4, -10}, {0, 0, 1});
  EXPECT_NEAR(FirstHit(*clone, ray).value, 14, 1e-12);

  auto sphere = MakeSphere();
  EXPECT_EQ(MakeTransf({}, sphere.get(), 0)->Clone(), nullptr);
  // A child that cannot be cloned gives no clone.
  EXPECT_EQ(MakeTransf({}, std::make_unique<FakeContainer>("x"))->Clone(), nullptr);
}

TEST(TransfCommonData, TheNameOnlyAndTheChildsRecordForDup) {
  CG_NamedMaterial gold("gold", new CG_MaterialPhong());
  CG_GraphicObjectCommData childData;
  childData.name = "c";
  childData.material = &gold;
  CG_SphereDescription sphere;
  auto transf = MakeTransf({}, std::make_unique<GSphere>(childData, sphere));

  CG_GraphicObjectCommData data;
  ASSERT_EQ(transf->GetCommData(data), 1);
  EXPECT_STREQ(data.name.Text(), "m");
  EXPECT_EQ(data.material, nullptr);
  std::unique_ptr<CG_GraphicObjectCommData> fresh = transf->NewCommData();
  EXPECT_STREQ(fresh->name.Text(), "m");
  EXPECT_EQ(fresh->material, nullptr);
  std::unique_ptr<CG_GraphicObjectCommData> dup = transf->DupCommData();
  EXPECT_STREQ(dup->name.Text(), "c");
  EXPECT_EQ(dup->material, &gold);
  data.name = "renamed";
  data.material = &gold;
  ASSERT_EQ(transf->SetCommData(data), 1);
  EXPECT_STREQ(transf->name.Text(), "renamed");

  Seq<CG_NamedMaterial*> materials;
  ASSERT_EQ(transf->GetMaterials(materials), 1);
  ASSERT_EQ(materials.Count(), 1u);
  EXPECT_EQ(materials[0], &gold);
  EXPECT_EQ(transf->HasMaterialOfClass(CG_MaterialPhong()), 1);
}

TEST(TransfMeshes, VerticesAndTrianglesAreMappedAndTheIndicesKept) {
  auto box = MakeBox({0, 1, 0, 1, 0, 1});
  auto transf = MakeTransf({{zavo::kStepTranslate, 0, 0, 5}}, MakeBox({0, 1, 0, 1, 0, 1}));
  EXPECT_EQ(transf->IsFaced(0), 1);
  EXPECT_EQ(transf->IsIndexedMesh(), 1);
  EXPECT_EQ(transf->VertexCount(), 8);
  EXPECT_EQ(transf->EdgeCount(), 12);
  Point3D mine, theirs;
  transf->Vertex(6, mine);
  box->Vertex(6, theirs);
  EXPECT_EQ(mine, theirs + Point3D(0, 0, 5));
  transf->MeshVertex(3, mine);
  box->MeshVertex(3, theirs);
  EXPECT_EQ(mine, theirs + Point3D(0, 0, 5));
  Point3D a, b, c, colour, a2, b2, c2, colour2;
  transf->Triangle(4, a, b, c, colour);
  box->Triangle(4, a2, b2, c2, colour2);
  EXPECT_EQ(a, a2 + Point3D(0, 0, 5));
  EXPECT_EQ(c, c2 + Point3D(0, 0, 5));
  EXPECT_EQ(colour, colour2);
  int i1, i2, i3, j1, j2, j3;
  transf->MeshTriangle(7, i1, i2, i3);
  box->MeshTriangle(7, j1, j2, j3);
  EXPECT_EQ(std::vector<int>({i1, i2, i3}), std::vector<int>({j1, j2, j3}));
  Seq<int> loop, loop2;
  transf->FaceIndices(2, 0, loop);
  box->FaceIndices(2, 0, loop2);
  EXPECT_EQ(zavo::test::Entries(loop), zavo::test::Entries(loop2));
}

TEST(TransfMeshes, WrapperMatricesReachTheInnermostObject) {
  auto* box = MakeBox({0, 1, 0, 2, 0, 3}).release();
  auto inner = MakeTransf({{zavo::kStepScale, 2, 2, 2}}, box, 1, "inner");
  auto outer = MakeTransf({{zavo::kStepTranslate, 1, 0, 0}}, std::move(inner));
  EXPECT_EQ(outer->HasMeshTransform(), 1);
  EXPECT_EQ(outer->HasVertexTransform(), 1);

  Transformation mesh, vertex;
  outer->GetMeshTransform(mesh);
  outer->GetVertexTransform(vertex);
  ExpectNear(TransformPoint(mesh, {1, 1, 1}), {3, 2, 2});
  ExpectNear(TransformPoint(vertex, {1, 1, 1}), {3, 2, 2});

  Point3D raw, own;
  outer->RawMeshVertex(7, raw);
  box->MeshVertex(7, own);
  EXPECT_EQ(raw, own);
  outer->RawVertex(6, raw);
  box->Vertex(6, own);
  EXPECT_EQ(raw, own);
  GEO_Box rawBox;
  ASSERT_EQ(outer->RawBox(rawBox), 1);
  EXPECT_EQ(rawBox, (GEO_Box{0, 1, 0, 2, 0, 3}));
  // The mapped vertex is the matrix applied to the raw one.
  Point3D mapped;
  outer->MeshVertex(7, mapped);
  box->MeshVertex(7, own);
  ExpectNear(mapped, TransformPoint(mesh, own));

  // One level: the forward matrix alone.
  auto single = MakeTransf({{zavo::kStepTranslate, 1, 0, 0}}, MakeBox({0, 1, 0, 1, 0, 1}));
  single->GetMeshTransform(mesh);
  ExpectNear(TransformPoint(mesh, {0, 0, 0}), {1, 0, 0});
  // A child without a box: none.
  auto unbounded = MakeTransf({}, std::make_unique<FakeObject>("f"));
  EXPECT_EQ(unbounded->RawBox(rawBox), 0);
}

// A curve of two control points whose points are its controls.
class TwoPointCurve : public FakeObject {
public:
  TwoPointCurve() : FakeObject("curve") {}
  int IsCurve() const override { return 1; }
  int ControlCount() const override { return 2; }
  int Evaluate(double t, Point3D& point) const override {
    point = controls[0] * (1 - t) + controls[1] * t;
    return 1;
  }
  int Derive(double, Point3D& vector) const override {
    vector = controls[1] - controls[0];
    return 1;
  }
  int GetControl(int i, Point3D& point) const override {
    if (i < 0 || i > 1) return 0;
    point = controls[i];
    return 1;
  }
  int SetControl(int i, const Point3D& point) override {
    if (i < 0 || i > 1) return 0;
    controls[i] = point;
    return 1;
  }
  Point3D controls[2] = {{0, 0, 0}, {1, 0, 0}};
};

TEST(TransfCurves, PointsGoOutForwardAndComeInThroughTheInverse) {
  auto* curve = new TwoPointCurve();
  auto transf = MakeTransf({{zavo::kStepScale, 2, 2, 2}, {zavo::kStepTranslate, 0, 1, 0}}, curve, 1);
  EXPECT_EQ(transf->IsCurve(), 1);
  Point3D p;
  ASSERT_EQ(transf->Evaluate(0.5, p), 1);
  ExpectNear(p, {1, 1, 0});
  ASSERT_EQ(transf->Derive(0.5, p), 1);
  ExpectNear(p, {2, 0, 0});
  ASSERT_EQ(transf->SetControl(1, {4, 1, 2}), 1);
  ExpectNear(curve->controls[1], {2, 0, 1});
  ASSERT_EQ(transf->GetControl(1, p), 1);
  ExpectNear(p, {4, 1, 2});
  // A failing child answers 0 and leaves the point alone.
  p = {7, 7, 7};
  EXPECT_EQ(transf->GetControl(5, p), 0);
  EXPECT_EQ(p, (Point3D{7, 7, 7}));
  EXPECT_EQ(transf->SetControl(5, p), 0);
  // Fields: the child is none.
  EXPECT_EQ(transf->IsField(), 0);
  EXPECT_EQ(transf->FieldDisplacement({1, 2, 3}, p), 0);
}

TEST(TransfEditing, TheStepListGoesOutAndComesBack) {
  const int alive = FakeObject::alive;
  {
    auto* fake = new FakeObject("f");
    fake->WithBound({0, 1, 0, 1, 0, 1});
    auto transf = MakeTransf({{zavo::kStepTranslate, 1, 0, 0}}, fake, 1);
    CG_TransfDescription description;
    transf->GetTransformList(description);
    EXPECT_EQ(description.child, fake);
    EXPECT_EQ(description.ownsChild, 1);
    ASSERT_NE(description.steps.First(), nullptr);
    EXPECT_EQ(description.steps.First()->kind, zavo::kStepTranslate);
    Seq<CG_GraphicObject*> children;
    ASSERT_EQ(transf->GetChildren(children), 1);
    EXPECT_EQ(children.Count(), 0u);

    description.steps.First()->v[0] = 3;
    description.steps.Append(new t_Data(zavo::kStepScale, 1, 1, 2));
    transf->SetTransformList(description);
    EXPECT_EQ(description.child, nullptr);
    GEO_Box box;
    ASSERT_EQ(CG_GraphicObject::GetBox(transf.get(), box), 1);
    EXPECT_EQ(box, (GEO_Box{3, 4, 0, 1, 0, 2}));

    // Steps without an inverse change nothing and leave the child with the
    // description.
    transf->GetTransformList(description);
    description.steps.Append(new t_Data(zavo::kStepScale, 0, 1, 1));
    EXPECT_THROW(transf->SetTransformList(description), xMatrix);
    EXPECT_EQ(description.child, fake);
    description.steps.Clear();
    transf->SetTransformList(description);
    ASSERT_EQ(CG_GraphicObject::GetBox(transf.get(), box), 1);
    EXPECT_EQ(box, (GEO_Box{0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(FakeObject::alive, alive + 1);
  }
  EXPECT_EQ(FakeObject::alive, alive);
}

TEST(TransfEditing, ASingularListMakesNoTransfAndLeavesTheChildWithTheDescription) {
  const int alive = FakeObject::alive;
  {
    CG_GraphicObjectCommData data;
    data.name = "m";
    CG_TransfDescription description;
    description.steps.Append(new t_Data(zavo::kStepScale, 0, 1, 1));
    description.child = new FakeObject("f");
    description.ownsChild = 1;
    EXPECT_THROW(GTransf(data, description), xMatrix);
    EXPECT_NE(description.child, nullptr);
  }
  EXPECT_EQ(FakeObject::alive, alive);
}

TEST(TransfEditingDeathTest, UsingATransfWithoutItsChildIsAnInternalError) {
  auto transf = MakeTransf({}, MakeSphere());
  CG_TransfDescription description;
  transf->GetTransformList(description);
  EXPECT_EXIT(transf->IsRayTraceable(), ::testing::ExitedWithCode(1), "Runtime Error: GTransf: no child");
  // What needs no child still answers.
  Seq<CG_GraphicObject*> children;
  EXPECT_EQ(transf->GetChildren(children), 1);
  EXPECT_EQ(children.Count(), 0u);
  Seq<CG_Texture*> textures(2);
  EXPECT_EQ(transf->GetTextures(textures), 1);
  EXPECT_EQ(textures.Count(), 0u);
}

// The wrapper's own matrix and its inverse, whatever wraps the child.
TEST(TransfMatrix, ForwardAndInverseOfTheSteps) {
  auto inner = MakeTransf({{zavo::kStepScale, 2, 2, 2}}, MakeSphere());
  auto outer = MakeTransf({{zavo::kStepTranslate, 1, 2, 3}}, std::move(inner));
  ExpectNear(TransformPoint(outer->Forward(), {1, 1, 1}), {2, 3, 4});
  ExpectNear(TransformPoint(outer->Inverse(), {2, 3, 4}), {1, 1, 1});
  Transformation composed;
  outer->GetMeshTransform(composed);
  ExpectNear(TransformPoint(composed, {1, 1, 1}), {3, 4, 5});
}

}  // namespace
