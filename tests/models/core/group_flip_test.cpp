// The group and the flip: children, declass conversions, tracing and meshes.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model_scene.h"
#include "models/core/box.h"
#include "models/core/brep.h"
#include "models/core/flip.h"
#include "models/core/group.h"
#include "models/core/sphere.h"
#include "models/core/transf.h"
#include "scene/fakes.h"
#include "scene/material.h"

namespace {

using zavo::test::FakeContainer;
using zavo::test::FakeObject;
using zavo::test::Written;

std::unique_ptr<GSphere> MakeSphere(const Point3D& center = {}, double radius = 1, const char* name = "s",
                                    CG_NamedMaterial* material = nullptr) {
  CG_GraphicObjectCommData data;
  data.name = name;
  data.material = material;
  CG_SphereDescription description;
  description.center = center;
  description.radius = radius;
  return std::make_unique<GSphere>(data, description);
}

std::unique_ptr<GBox> MakeBox(const char* name = "b", CG_NamedMaterial* material = nullptr) {
  CG_GraphicObjectCommData data;
  data.name = name;
  data.material = material;
  return std::make_unique<GBox>(data, GEO_Box{0, 1, 0, 1, 0, 1});
}

std::unique_ptr<GFlip> MakeFlip(CG_GraphicObject* child, int owned = 1, const char* name = "f") {
  CG_GraphicObjectCommData data;
  data.name = name;
  CG_DeclassedGraphicObject pair{child, owned};
  return std::make_unique<GFlip>(data, pair);
}

std::unique_ptr<GFlip> MakeFlip(std::unique_ptr<CG_GraphicObject> child) { return MakeFlip(child.release()); }

std::unique_ptr<GGroup> MakeGroup(std::vector<std::unique_ptr<CG_GraphicObject>> children, const char* name = "g",
                                  const char* id = nullptr) {
  CG_GraphicObjectCommData data;
  data.name = name;
  data.IDname = id;
  auto list = std::make_unique<DblList<CG_GraphicObject>>();
  for (auto& child : children) list->Append(child.release());
  return std::make_unique<GGroup>(data, std::move(list));
}

template <class... T>
std::vector<std::unique_ptr<CG_GraphicObject>> Objects(std::unique_ptr<T>... objects) {
  std::vector<std::unique_ptr<CG_GraphicObject>> list;
  (list.push_back(std::move(objects)), ...);
  return list;
}

using Declass = int (*)(CG_GraphicObject&, zavo::DeclassedParts&);
const std::vector<std::pair<const char*, Declass>> kDeclasses = {
    {"ray-traceable", [](CG_GraphicObject& o, zavo::DeclassedParts& p) { return o.DeclassToRayTraceable(p); }},
    {"faced", [](CG_GraphicObject& o, zavo::DeclassedParts& p) { return o.DeclassToFaced(p, 5); }},
    {"triangles", [](CG_GraphicObject& o, zavo::DeclassedParts& p) { return o.DeclassToTriangleMesh(p); }},
    {"indexed", [](CG_GraphicObject& o, zavo::DeclassedParts& p) { return o.DeclassToIndexedMesh(p, 5); }},
};

// ---- Group ----

TEST(Group, AGroupWithoutChildrenDeclassesIntoNothing) {
  CG_GraphicObjectCommData data;
  data.name = "g";
  GGroup group(data, nullptr);
  for (const auto& [what, declass] : kDeclasses) {
    SCOPED_TRACE(what);
    zavo::DeclassedParts parts;
    parts.SetSize(2);
    EXPECT_EQ(declass(group, parts), 1);
    EXPECT_EQ(parts.Size(), 0);
  }
  Seq<CG_GraphicObject*> children(3);
  EXPECT_EQ(group.GetChildren(children), 1);
  EXPECT_EQ(children.Count(), 0u);
  EXPECT_EQ(group.ContainsIDname("A"), 0);
  EXPECT_EQ(group.IsRayTraceable(), 0);
  EXPECT_EQ(group.GetBoundingObject(), nullptr);
}

TEST(Group, ChildrenWithTheCapabilityGoOutAsTheyAreTheOthersDeclassed) {
  auto group = MakeGroup(Objects(MakeSphere(), MakeFlip(MakeBox())));
  Seq<CG_GraphicObject*> children;
  ASSERT_EQ(group->GetChildren(children), 1);
  ASSERT_EQ(children.Count(), 2u);

  zavo::DeclassedParts parts;
  ASSERT_EQ(group->DeclassToRayTraceable(parts), 1);
  ASSERT_EQ(parts.Size(), 2);
  EXPECT_EQ(parts[0].object, children[0]);
  EXPECT_EQ(parts[0].owned, 0);
  EXPECT_EQ(parts[1].object, children[1]);
  EXPECT_EQ(parts[1].owned, 0);
  zavo::ReleaseDeclassedParts(parts);

  // The sphere is no mesh: its tessellation comes owned; the flip of the box is.
  ASSERT_EQ(group->DeclassToIndexedMesh(parts, 0), 1);
  ASSERT_EQ(parts.Size(), 2);
  EXPECT_NE(dynamic_cast<GBRep*>(parts[0].object), nullptr);
  EXPECT_EQ(parts[0].owned, 1);
  EXPECT_EQ(parts[1].object, children[1]);
  EXPECT_EQ(parts[1].owned, 0);
  zavo::ReleaseDeclassedParts(parts);
}

TEST(Group, AnInnerGroupIsDeclassedIntoTheOuterOnesList) {
  auto inner = MakeGroup(Objects(MakeSphere(), MakeBox()), "inner");
  auto outer = MakeGroup(Objects(std::move(inner), MakeBox("b2")), "outer");
  zavo::DeclassedParts parts;
  ASSERT_EQ(outer->DeclassToFaced(parts, 0), 1);
  ASSERT_EQ(parts.Size(), 3);
  EXPECT_NE(dynamic_cast<GBRep*>(parts[0].object), nullptr);
  EXPECT_EQ(parts[0].owned, 1);
  EXPECT_STREQ(parts[1].object->name.Text(), "b");
  EXPECT_EQ(parts[1].owned, 0);
  EXPECT_STREQ(parts[2].object->name.Text(), "b2");
  EXPECT_EQ(parts[2].owned, 0);
  zavo::ReleaseDeclassedParts(parts);

  // A child whose declass fails adds nothing.
  auto unbounded = MakeGroup(Objects(std::make_unique<FakeObject>("f"), MakeBox()));
  ASSERT_EQ(unbounded->DeclassToTriangleMesh(parts), 1);
  ASSERT_EQ(parts.Size(), 1);
  EXPECT_STREQ(parts[0].object->name.Text(), "b");
}

TEST(Group, ContainsIDnameLooksAtTheChildrenOnly) {
  auto a = std::make_unique<FakeObject>("a");
  a->IDname = "A";
  auto b = std::make_unique<FakeObject>("b");
  b->IDname = "B";
  auto group = MakeGroup(Objects(std::move(a), std::move(b)), "g", "G");
  EXPECT_EQ(group->ContainsIDname("G"), 0);
  EXPECT_EQ(group->ContainsIDname("A"), 1);
  EXPECT_EQ(group->ContainsIDname("B"), 1);
  EXPECT_EQ(group->ContainsIDname("C"), 0);
}

TEST(Group, CloningClonesEveryChildOrGivesNothing) {
  const int alive = FakeObject::alive;
  {
    auto group = MakeGroup(Objects(std::make_unique<FakeObject>("a"), MakeSphere()), "g", "G");
    std::unique_ptr<CG_GraphicObject> clone = group->Clone();
    ASSERT_NE(dynamic_cast<GGroup*>(clone.get()), nullptr);
    EXPECT_STREQ(clone->name.Text(), "g");
    EXPECT_EQ(clone->IDname.Text(), nullptr);
    EXPECT_EQ(Written(*clone), zavo::test::WithoutIDnameAndToll(Written(*group)));
    Seq<CG_GraphicObject*> mine, theirs;
    clone->GetChildren(mine);
    group->GetChildren(theirs);
    ASSERT_EQ(mine.Count(), 2u);
    EXPECT_NE(mine[0], theirs[0]);
    EXPECT_EQ(FakeObject::alive, alive + 2);

    // A flip that does not own its object cannot be cloned, nor can its group;
    // the clones made before it are gone.
    auto sphere = MakeSphere();
    auto broken = MakeGroup(Objects(std::make_unique<FakeObject>("a"), MakeFlip(sphere.get(), 0)));
    EXPECT_EQ(broken->Clone(), nullptr);
    EXPECT_EQ(FakeObject::alive, alive + 3);
  }
  EXPECT_EQ(FakeObject::alive, alive);
}

TEST(Group, MaterialsAndTexturesOfEveryChildInOrder) {
  CG_NamedMaterial gold("gold", new CG_MaterialPhong());
  CG_NamedMaterial silver("silver", new CG_MaterialPhong());
  auto group = MakeGroup(Objects(MakeSphere({}, 1, "s", &gold), MakeBox("b", &silver), MakeSphere()));
  Seq<CG_NamedMaterial*> materials;
  ASSERT_EQ(group->GetMaterials(materials), 1);
  EXPECT_EQ(zavo::test::Entries(materials), (std::vector<CG_NamedMaterial*>{&gold, &silver}));
  Seq<CG_Texture*> textures(4);
  ASSERT_EQ(group->GetTextures(textures), 1);
  EXPECT_EQ(textures.Count(), 0u);
  // A child that cannot tell makes the group answer 0.
  auto unknown = MakeGroup(Objects(MakeSphere({}, 1, "s", &gold), std::make_unique<FakeContainer>("x")));
  EXPECT_EQ(unknown->GetMaterials(materials), 0);
}

TEST(Group, TheDescriptionTakesAndGivesTheChildren) {
  auto group = MakeGroup(Objects(MakeSphere(), MakeBox()));
  CG_GroupDescription description;
  group->GetDescription(description);
  ASSERT_NE(description.children, nullptr);
  Seq<CG_GraphicObject*> children;
  group->GetChildren(children);
  EXPECT_EQ(children.Count(), 0u);
  description.children->Delete(description.children->First());
  group->SetDescription(description);
  EXPECT_EQ(description.children, nullptr);
  group->GetChildren(children);
  ASSERT_EQ(children.Count(), 1u);
  EXPECT_STREQ(children[0]->name.Text(), "b");
}

// ---- Flip ----

TEST(Flip, TheSpheresHitsWithInwardNormals) {
  auto sphere = MakeSphere({1, 2, 3}, 2);
  auto flip = MakeFlip(MakeSphere({1, 2, 3}, 2));
  EXPECT_EQ(flip->IsRayTraceable(), 1);
  EXPECT_EQ(flip->GetBoundingObject()->GetBox(), sphere->GetBoundingObject()->GetBox());
  const std::vector<Ray> rays = {Ray::FromDirection({1, 2, -10}, {0, 0, 1}), Ray::FromPoints({-5, -5, -5}, {1, 2, 3}),
                                 Ray::FromDirection({1, 2, 3}, {0.3, 0.4, 0.5})};
  for (const Ray& ray : rays) {
    auto mine = flip->NewIntrInfo();
    auto theirs = sphere->NewIntrInfo();
    const int n = flip->Intersect(ray, *mine);
    ASSERT_GT(n, 0);
    ASSERT_EQ(n, sphere->Intersect(ray, *theirs));
    EXPECT_EQ(mine->Count(), n);
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(mine->Value(i), theirs->Value(i));
      CG_MaterialPhong m;
      Point3D p1, n1, p2, n2;
      flip->HitDetails(ray, *mine, i, m, p1, n1);
      sphere->HitDetails(ray, *theirs, i, m, p2, n2);
      EXPECT_EQ(p1, p2);
      EXPECT_EQ(n1, -n2);
      EXPECT_LT(Dot(n1, p1 - Point3D{1, 2, 3}), 0.0);  // into the sphere
    }
  }
}

TEST(Flip, IntersectAnyGivesEveryHitOfTheChild) {
  auto box = MakeBox();
  auto flip = MakeFlip(MakeBox());
  const Ray ray = Ray::FromDirection({0.5, 0.5, -5}, {0, 0, 1});
  auto theirs = box->NewIntrInfo();
  auto mine = flip->NewIntrInfo();
  EXPECT_EQ(box->IntersectAny(ray, *theirs), 1);
  EXPECT_EQ(flip->IntersectAny(ray, *mine), 2);
  EXPECT_EQ(mine->Value(1), 6.0);
}

TEST(Flip, TrianglesAreTurnedAndAFlipOfAFlipTurnsThemBack) {
  auto box = MakeBox();
  auto flip = MakeFlip(MakeBox());
  auto twice = MakeFlip(MakeFlip(MakeBox()));
  EXPECT_EQ(flip->MeshTriangleCount(), 12);
  EXPECT_EQ(flip->IsIndexedMesh(), 1);
  EXPECT_EQ(flip->IsFaced(7), 1);
  for (int i = 0; i < 12; ++i) {
    int a, b, c, fa, fb, fc, ta, tb, tc;
    box->MeshTriangle(i, a, b, c);
    flip->MeshTriangle(i, fa, fb, fc);
    twice->MeshTriangle(i, ta, tb, tc);
    EXPECT_EQ(std::vector<int>({fa, fb, fc}), std::vector<int>({a, c, b}));
    EXPECT_EQ(std::vector<int>({ta, tb, tc}), std::vector<int>({a, b, c}));
    Point3D p[3], fp[3], colour, fcolour;
    box->Triangle(i, p[0], p[1], p[2], colour);
    flip->Triangle(i, fp[0], fp[1], fp[2], fcolour);
    EXPECT_EQ(fp[0], p[0]);
    EXPECT_EQ(fp[1], p[2]);
    EXPECT_EQ(fp[2], p[1]);
    EXPECT_EQ(fcolour, colour);
  }
  Point3D v, w;
  flip->MeshVertex(3, v);
  box->MeshVertex(3, w);
  EXPECT_EQ(v, w);

  // Normals come back too.
  auto sphere = MakeSphere();
  auto round = MakeFlip(MakeFlip(MakeSphere()));
  const Ray ray = Ray::FromDirection({0, 0, -5}, {0, 0, 1});
  auto mine = round->NewIntrInfo();
  auto theirs = sphere->NewIntrInfo();
  ASSERT_EQ(round->Intersect(ray, *mine), sphere->Intersect(ray, *theirs));
  CG_MaterialPhong m;
  Point3D p1, n1, p2, n2;
  round->HitDetails(ray, *mine, 0, m, p1, n1);
  sphere->HitDetails(ray, *theirs, 0, m, p2, n2);
  EXPECT_EQ(n1, n2);
}

TEST(Flip, DeclassWrapsEveryPartInAFlipNamedAfterIt) {
  zavo::test::ModelScene::Registry();  // the stand-in box of the sphere's ray-traceable parts
  auto flip = MakeFlip(MakeSphere({}, 1, "ball"));
  for (const auto& [what, declass] : kDeclasses) {
    SCOPED_TRACE(what);
    zavo::DeclassedParts parts;
    ASSERT_EQ(declass(*flip, parts), 1);
    ASSERT_EQ(parts.Size(), 1);
    EXPECT_EQ(parts[0].owned, 1);
    auto* part = dynamic_cast<GFlip*>(parts[0].object);
    ASSERT_NE(part, nullptr);
    EXPECT_STREQ(part->name.Text(), "ball");
    Seq<CG_GraphicObject*> children;
    ASSERT_EQ(part->GetChildren(children), 1);
    ASSERT_EQ(children.Count(), 1u);
    // The part is owned by its flip (the leak check of the sanitizer build
    // sees one left behind).
    zavo::ReleaseDeclassedParts(parts);
  }

  // A part that is not owned stays with its owner.
  auto group = MakeGroup(Objects(MakeBox()));
  auto flipped = MakeFlip(std::move(group));
  zavo::DeclassedParts parts;
  ASSERT_EQ(flipped->DeclassToTriangleMesh(parts), 1);
  ASSERT_EQ(parts.Size(), 1);
  EXPECT_EQ(parts[0].object->Clone(), nullptr);
  int a, b, c;
  parts[0].object->MeshTriangle(0, a, b, c);
  int ba, bb, bc;
  MakeBox()->MeshTriangle(0, ba, bb, bc);
  EXPECT_EQ(std::vector<int>({a, b, c}), std::vector<int>({ba, bc, bb}));
  zavo::ReleaseDeclassedParts(parts);

  // A failing child makes the flip fail.
  auto unbounded = MakeFlip(std::make_unique<FakeObject>("f"));
  EXPECT_EQ(unbounded->DeclassToFaced(parts, 0), 0);
}

TEST(Flip, CommonDataCloneAndChildren) {
  auto* child = new FakeObject("c");
  child->IDname = "A";
  auto flip = MakeFlip(child, 1, "f");
  flip->IDname = "F";
  flip->toll = 0.5;
  EXPECT_EQ(flip->ContainsIDname("A"), 0);
  EXPECT_EQ(flip->ContainsIDname("F"), 0);
  CG_GraphicObjectCommData data;
  ASSERT_EQ(flip->GetCommData(data), 1);
  EXPECT_STREQ(data.name.Text(), "f");
  EXPECT_EQ(data.IDname.Text(), nullptr);
  EXPECT_STREQ(flip->NewCommData()->name.Text(), "f");
  Seq<CG_GraphicObject*> children;
  ASSERT_EQ(flip->GetChildren(children), 1);
  EXPECT_EQ(zavo::test::Entries(children), (std::vector<CG_GraphicObject*>{child}));

  std::unique_ptr<CG_GraphicObject> clone = flip->Clone();
  ASSERT_NE(dynamic_cast<GFlip*>(clone.get()), nullptr);
  EXPECT_STREQ(clone->name.Text(), "f");
  EXPECT_EQ(clone->IDname.Text(), nullptr);
  EXPECT_EQ(clone->toll, 0.01);
  EXPECT_EQ(Written(*clone), zavo::test::WithoutIDnameAndToll(Written(*flip)));

  EXPECT_EQ(MakeFlip(child, 0)->Clone(), nullptr);
  EXPECT_EQ(MakeFlip(std::make_unique<FakeContainer>("x"))->Clone(), nullptr);
}

TEST(Flip, WrapperMatricesAreTheChilds) {
  CG_GraphicObjectCommData data;
  data.name = "m";
  CG_TransfDescription description;
  description.steps.Append(new t_Data(zavo::kStepTranslate, 1, 0, 0));
  description.child = MakeBox().release();
  description.ownsChild = 1;
  auto flip = MakeFlip(std::make_unique<GTransf>(data, description));
  EXPECT_EQ(flip->HasMeshTransform(), 1);
  EXPECT_EQ(flip->HasVertexTransform(), 1);
  Transformation m;
  flip->GetMeshTransform(m);
  EXPECT_EQ(TransformPoint(m, {0, 0, 0}), (Point3D{1, 0, 0}));
  flip->GetVertexTransform(m);
  EXPECT_EQ(TransformPoint(m, {0, 0, 0}), (Point3D{1, 0, 0}));
  Point3D p;
  flip->RawMeshVertex(7, p);
  EXPECT_EQ(p, (Point3D{1, 1, 1}));
  flip->RawVertex(0, p);
  EXPECT_EQ(p, (Point3D{0, 0, 0}));
  GEO_Box box;
  ASSERT_EQ(flip->RawBox(box), 1);
  EXPECT_EQ(box, (GEO_Box{0, 1, 0, 1, 0, 1}));
}

}  // namespace
