#include "scene/graphic_object.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "geometry/bounding_object.h"
#include "scene/comm_data.h"
#include "scene/fakes.h"
#include "scene/mapping.h"
#include "scene/material.h"
#include "scene/registry.h"
#include "scene/uniform_object_data.h"
#include "scene/view_reference.h"

namespace {

using zavo::test::FakeBox;
using zavo::test::FakeBoxFactory;
using zavo::test::ScopedStandInBox;

// A type that knows nothing but its common data, its text and its bounding
// volume: every view, trace and export sees it through the default declass.
class MinimalObject : public CG_GraphicObject, public GUniformObjectData {
public:
  explicit MinimalObject(CG_GraphicObjectCommData& data) : CG_GraphicObject(data), GUniformObjectData(data) {}
  ~MinimalObject() override = default;

  int GetCommData(CG_GraphicObjectCommData& data) override {
    data.name = name;
    return GUniformObjectData::GetCommData(data);
  }
  int SetCommData(CG_GraphicObjectCommData& data) override {
    name = data.name;
    return GUniformObjectData::SetCommData(data);
  }
  void Write(std::ostream& os) const override { os << "{ object\n\tname " << name << ";\n}"; }
  const BoundingObject* GetBoundingObject() const override { return bound.get(); }

  std::unique_ptr<BoundingBox> bound;
};

struct Minimal {
  CG_NamedMaterial material{"steel", new CG_MaterialPhong()};
  std::unique_ptr<MinimalObject> object;

  explicit Minimal(bool withBound) {
    CG_GraphicObjectCommData data;
    data.name = "thing";
    data.material = &material;
    data.mapping = std::make_unique<CG_SphericalMapping>(Point3D{1, 2, 3}, Point3D{1, 0, 0},
                                                          Point3D{0, 0, 1}, 2, 3);
    object = std::make_unique<MinimalObject>(data);
    if (withBound) object->bound = std::make_unique<BoundingBox>(GEO_Box{0, 1, 2, 3, 4, 5});
  }
};

using Conversion = std::function<int(CG_GraphicObject&, zavo::DeclassedParts&)>;

struct NamedConversion {
  const char* name;
  Conversion convert;
};

const std::vector<NamedConversion>& DefaultConversions() {
  static const std::vector<NamedConversion> conversions = {
      {"DeclassToRayTraceable", [](CG_GraphicObject& o, zavo::DeclassedParts& p) { return o.DeclassToRayTraceable(p); }},
      {"DeclassToFaced", [](CG_GraphicObject& o, zavo::DeclassedParts& p) { return o.DeclassToFaced(p, 0); }},
      {"DeclassToTriangleMesh", [](CG_GraphicObject& o, zavo::DeclassedParts& p) { return o.DeclassToTriangleMesh(p); }},
      {"DeclassToIndexedMesh", [](CG_GraphicObject& o, zavo::DeclassedParts& p) { return o.DeclassToIndexedMesh(p, 0); }},
  };
  return conversions;
}

TEST(DefaultDeclass, EachConversionGivesOneOwnedStandInBoxWithNameMaterialAndBox) {
  ScopedStandInBox standIn;
  for (const NamedConversion& c : DefaultConversions()) {
    SCOPED_TRACE(c.name);
    Minimal m(true);
    const int aliveBefore = FakeBox::alive;
    zavo::DeclassedParts parts;
    ASSERT_EQ(c.convert(*m.object, parts), 1);
    ASSERT_EQ(parts.Size(), 1);
    EXPECT_EQ(parts[0].owned, 1);
    auto* box = dynamic_cast<FakeBox*>(parts[0].object);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(FakeBox::alive, aliveBefore + 1);
    EXPECT_STREQ(box->name, "thing");
    EXPECT_EQ(box->material, &m.material);
    EXPECT_EQ(box->box, (GEO_Box{0, 1, 2, 3, 4, 5}));
    // The stand-in gets a copy of the mapping; the object keeps its own.
    EXPECT_TRUE(box->HasMappingOfType(typeid(CG_SphericalMapping)));
    EXPECT_TRUE(m.object->HasMappingOfType(typeid(CG_SphericalMapping)));
    EXPECT_NE(box->mapping.get(), m.object->mapping.get());
    EXPECT_STREQ(m.object->name, "thing");
    EXPECT_EQ(m.object->material, &m.material);
    zavo::ReleaseDeclassedParts(parts);
    EXPECT_EQ(FakeBox::alive, aliveBefore);
    EXPECT_EQ(parts.Size(), 0);
  }
}

TEST(DefaultDeclass, NoBoundingVolumeOrNoFactoryGivesZeroAndAddsNothing) {
  for (const NamedConversion& c : DefaultConversions()) {
    SCOPED_TRACE(c.name);
    const int made = FakeBox::made;
    {
      ScopedStandInBox standIn;
      Minimal m(false);
      zavo::DeclassedParts parts;
      EXPECT_EQ(c.convert(*m.object, parts), 0);
      EXPECT_EQ(parts.Size(), 0);
    }
    {
      Minimal m(true);
      zavo::DeclassedParts parts;
      EXPECT_EQ(c.convert(*m.object, parts), 0);
      EXPECT_EQ(parts.Size(), 0);
    }
    EXPECT_EQ(FakeBox::made, made);
  }
}

TEST(DefaultDeclass, IndexedMeshOrBoxFallsBackToTheUnitBox) {
  ScopedStandInBox standIn;
  struct Case {
    bool withBound;
    GEO_Box expected;
  };
  for (const Case& c : {Case{true, GEO_Box{0, 1, 2, 3, 4, 5}}, Case{false, GEO_Box{-1, 1, -1, 1, -1, 1}}}) {
    Minimal m(c.withBound);
    zavo::DeclassedParts parts;
    ASSERT_EQ(m.object->DeclassToIndexedMeshOrBox(parts), 1);
    ASSERT_EQ(parts.Size(), 1);
    EXPECT_EQ(parts[0].owned, 1);
    auto* box = dynamic_cast<FakeBox*>(parts[0].object);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->box, c.expected);
    EXPECT_STREQ(box->name, "thing");
    zavo::ReleaseDeclassedParts(parts);
  }
}

TEST(DefaultDeclass, IndexedMeshOrBoxWithoutFactoryGivesZero) {
  Minimal m(false);
  zavo::DeclassedParts parts;
  EXPECT_EQ(m.object->DeclassToIndexedMeshOrBox(parts), 0);
  EXPECT_EQ(parts.Size(), 0);
}

TEST(DefaultDeclass, TheRegistrysBoxFactoryBecomesTheProcessWideStandIn) {
  {
    CG_ModelRegistry registry;
    registry.SetBoxFactory(FakeBoxFactory);
    EXPECT_EQ(zavo::StandInBoxFactory(), &FakeBoxFactory);
    Minimal m(true);
    zavo::DeclassedParts parts;
    EXPECT_EQ(m.object->DeclassToRayTraceable(parts), 1);
    zavo::ReleaseDeclassedParts(parts);
    registry.SetBoxFactory(nullptr);
  }
  EXPECT_EQ(zavo::StandInBoxFactory(), nullptr);
}

TEST(GetBox, CopiesTheBoundingVolumesBoxOrAnswersZero) {
  Minimal with(true);
  Minimal without(false);
  GEO_Box box{9, 9, 9, 9, 9, 9};
  EXPECT_EQ(CG_GraphicObject::GetBox(without.object.get(), box), 0);
  EXPECT_EQ(box, (GEO_Box{9, 9, 9, 9, 9, 9}));
  EXPECT_EQ(CG_GraphicObject::GetBox(nullptr, box), 0);
  EXPECT_EQ(CG_GraphicObject::GetBox(with.object.get(), box), 1);
  EXPECT_EQ(box, (GEO_Box{0, 1, 2, 3, 4, 5}));
}

// Overrides the abstract operations only.
class Bare : public CG_GraphicObject {
public:
  Bare() : CG_GraphicObject(*zavo::test::MakeCommData("bare")) {}
  int GetCommData(CG_GraphicObjectCommData&) override { return 1; }
  int SetCommData(CG_GraphicObjectCommData&) override { return 1; }
  void Write(std::ostream& os) const override { os << "bare"; }
};

TEST(DefaultOperations, AnswerZeroOrDoNothing) {
  Bare o;
  const Point3D sentinel{7, 7, 7};
  struct Case {
    const char* name;
    std::function<double(Bare&)> answer;
  };
  const std::vector<Case> cases = {
      {"ContainsIDname", [](Bare& b) { return b.ContainsIDname("bare"); }},
      {"IsLightSource", [](Bare& b) { return b.IsLightSource(); }},
      {"NewCommData", [](Bare& b) { return b.NewCommData() != nullptr; }},
      {"DupCommData", [](Bare& b) { return b.DupCommData() != nullptr; }},
      {"Keyword", [](Bare& b) { return b.Keyword() != nullptr; }},
      {"Keyword (lamp view)", [](Bare& b) { return static_cast<CG_LightSourceBase&>(b).Keyword() != nullptr; }},
      {"Clone", [](Bare& b) { return b.Clone() != nullptr; }},
      {"IsRayTraceable", [](Bare& b) { return b.IsRayTraceable(); }},
      {"NewIntrInfo", [](Bare& b) { return b.NewIntrInfo() != nullptr; }},
      {"Intersect", [](Bare& b) { zavo::test::FakeIntrInfo r; return b.Intersect(Ray{}, r); }},
      {"IntersectAny", [](Bare& b) { zavo::test::FakeIntrInfo r; return b.IntersectAny(Ray{}, r); }},
      {"MappingTest", [](Bare& b) { return b.MappingTest(typeid(CG_PlanarMapping)); }},
      {"HasMaterialOfClass", [](Bare& b) { return b.HasMaterialOfClass(CG_MaterialPhong()); }},
      {"GetBoundingObject", [](Bare& b) { return b.GetBoundingObject() != nullptr; }},
      {"IsFaced", [](Bare& b) { return b.IsFaced(0); }},
      {"VertexCount", [](Bare& b) { return b.VertexCount(); }},
      {"FaceCount", [](Bare& b) { return b.FaceCount(); }},
      {"FaceLoopCount", [](Bare& b) { return b.FaceLoopCount(0); }},
      {"IsTriangleMesh", [](Bare& b) { return b.IsTriangleMesh(); }},
      {"TriangleCount", [](Bare& b) { return b.TriangleCount(); }},
      {"IsIndexedMesh", [](Bare& b) { return b.IsIndexedMesh(); }},
      {"MeshVertexCount", [](Bare& b) { return b.MeshVertexCount(); }},
      {"MeshTriangleCount", [](Bare& b) { return b.MeshTriangleCount(); }},
      {"MeshMaterial", [](Bare& b) { return b.MeshMaterial() != nullptr; }},
      {"IsCurve", [](Bare& b) { return b.IsCurve(); }},
      {"ParamMin", [](Bare& b) { return b.ParamMin(); }},
      {"ParamMax", [](Bare& b) { return b.ParamMax(); }},
      {"Evaluate", [](Bare& b) { Point3D p; return b.Evaluate(0.5, p); }},
      {"Derive", [](Bare& b) { Point3D p; return b.Derive(0.5, p); }},
      {"ControlCount", [](Bare& b) { return b.ControlCount(); }},
      {"GetControl", [](Bare& b) { Point3D p; return b.GetControl(0, p); }},
      {"SetControl", [](Bare& b) { return b.SetControl(0, Point3D{}); }},
      {"SetControlCount", [](Bare& b) { return b.SetControlCount(3); }},
      {"GetOpen", [](Bare& b) { return b.GetOpen(); }},
      {"SetOpen", [](Bare& b) { return b.SetOpen(1); }},
      {"GetChildren", [](Bare& b) { Seq<CG_GraphicObject*> s; return b.GetChildren(s); }},
      {"GetMaterials", [](Bare& b) { Seq<CG_NamedMaterial*> s; return b.GetMaterials(s); }},
      {"GetTextures", [](Bare& b) { Seq<CG_Texture*> s; return b.GetTextures(s); }},
      {"HasEdges", [](Bare& b) { return b.HasEdges(); }},
      {"EdgeCount", [](Bare& b) { return b.EdgeCount(); }},
      {"IsAnim", [](Bare& b) { return b.IsAnim(); }},
      {"SetFrameCount", [](Bare& b) { return b.SetFrameCount(10); }},
      {"SetFrame", [](Bare& b) { return b.SetFrame(2.5); }},
      {"IsField", [](Bare& b) { return b.IsField(); }},
      {"FieldDisplacement", [](Bare& b) { Point3D v; return b.FieldDisplacement({1, 2, 3}, v); }},
      {"HasMeshTransform", [](Bare& b) { return b.HasMeshTransform(); }},
      {"HasVertexTransform", [](Bare& b) { return b.HasVertexTransform(); }},
      {"RawBox", [](Bare& b) { GEO_Box box; return b.RawBox(box); }},
      {"IsCamera", [](Bare& b) { return b.IsCamera(); }},
      {"GetView", [](Bare& b) { CG_ViewReference v; return b.GetView(v); }},
      {"SetView", [](Bare& b) { return b.SetView(CG_ViewReference()); }},
      {"ComputesLightItself", [](Bare& b) { return b.ComputesLightItself(); }},
      {"Position", [](Bare& b) { return Length(b.Position()); }},
      {"ColourAt", [](Bare& b) { return Length(b.ColourAt({1, 2, 3}, {0, 0, 1})); }},
      {"LightReachingPoint",
       [](Bare& b) {
         CG_ModelRegistry registry;
         CG_GraphicScene scene(registry);
         CG_MaterialPhong material;
         return Length(b.LightReachingPoint(scene, {1, 2, 3}, {1, 0, 0}, material));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.answer(o), 0.0);
  }

  // The operations that give their results through arguments leave them alone.
  Point3D p = sentinel, q = sentinel, r = sentinel, colour = sentinel;
  o.Vertex(0, p);
  o.MeshVertex(1, q);
  o.FaceColour(0, r);
  o.Triangle(0, p, q, r, colour);
  EXPECT_EQ(p, sentinel);
  EXPECT_EQ(q, sentinel);
  EXPECT_EQ(r, sentinel);
  EXPECT_EQ(colour, sentinel);
  o.RawMeshVertex(1, p);
  o.RawVertex(0, q);
  EXPECT_EQ(o.FieldDisplacement({1, 2, 3}, r), 0);
  EXPECT_EQ(p, sentinel);
  EXPECT_EQ(q, sentinel);
  EXPECT_EQ(r, sentinel);
  Transformation m;
  ScaleTransformation(m, 2, 3, 4);
  const Transformation before = m;
  o.GetMeshTransform(m);
  o.GetVertexTransform(m);
  for (std::uint32_t i = 0; i < 4; ++i) {
    for (std::uint32_t j = 0; j < 4; ++j) EXPECT_EQ(m(i, j), before(i, j));
  }
  GEO_Box box{1, 2, 3, 4, 5, 6};
  o.RawBox(box);
  EXPECT_EQ(box, (GEO_Box{1, 2, 3, 4, 5, 6}));
  int a = 5, b = 6, c = 7;
  o.MeshTriangle(0, a, b, c);
  o.Edge(0, a, b);
  EXPECT_EQ(a + b + c, 18);
  Seq<int> indices(2);
  indices[0] = 4;
  o.FaceIndices(0, 0, indices);
  EXPECT_EQ(indices.Count(), 2u);
  EXPECT_EQ(indices[0], 4);
  Seq<CG_GraphicObject*> children(1);
  children[0] = &o;
  o.GetChildren(children);
  EXPECT_EQ(children.Count(), 1u);
}

// Records the calls that the derived defaults make.
class Recorder : public Bare {
public:
  std::unique_ptr<CG_GraphicObjectCommData> NewCommData() const override {
    ++newCommDataCalls;
    return zavo::test::MakeCommData("copy");
  }
  int Intersect(const Ray&, CG_GraphicObjectIntrInfo&) const override {
    ++intersectCalls;
    return 3;
  }
  int GetControl(int i, Point3D& point) const override {
    calls.push_back("get " + std::to_string(i));
    point = {1.0 * i, 2, 3};
    return 1;
  }
  int SetControl(int i, const Point3D& point) override {
    calls.push_back("set " + std::to_string(i) + " " + std::to_string(static_cast<int>(point.x)));
    return 0;
  }
  const char* Keyword() const override { return "recorder"; }

  mutable int newCommDataCalls = 0;
  mutable int intersectCalls = 0;
  mutable std::vector<std::string> calls;
};

TEST(DefaultOperations, DerivedDefaultsCallTheirBaseOperations) {
  Recorder o;
  std::unique_ptr<CG_GraphicObjectCommData> dup = o.DupCommData();
  ASSERT_NE(dup, nullptr);
  EXPECT_STREQ(dup->name, "copy");
  EXPECT_EQ(o.newCommDataCalls, 1);

  zavo::test::FakeIntrInfo record;
  EXPECT_EQ(o.IntersectAny(Ray{}, record), 3);
  EXPECT_EQ(o.intersectCalls, 1);

  EXPECT_EQ(o.CopyControl(4, 9), 1);
  EXPECT_EQ(o.calls, (std::vector<std::string>{"get 4", "set 9 4"}));

  // One Keyword serves the object view and the lamp view.
  EXPECT_STREQ(static_cast<CG_LightSourceBase&>(o).Keyword(), "recorder");
}

TEST(CG_GraphicObject, TakesNameIDnameAndTollFromTheCommonData) {
  CG_GraphicObjectCommData data;
  data.name = "n";
  data.IDname = "B";
  data.toll = 0.5;
  zavo::test::FakeObject o(data);
  EXPECT_STREQ(o.name, "n");
  EXPECT_STREQ(o.IDname, "B");
  EXPECT_EQ(o.toll, 0.5);
  std::unique_ptr<CG_GraphicObject> copy = o.Clone();
  EXPECT_STREQ(copy->name, "n");
  EXPECT_STREQ(copy->IDname, "B");
  EXPECT_EQ(copy->toll, 0.5);
}

}  // namespace
