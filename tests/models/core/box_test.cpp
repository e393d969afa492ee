#include "models/core/box.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "geometry/bounding_object.h"
#include "model_scene.h"
#include "scene/material.h"

namespace {

using zavo::test::ModelScene;
using zavo::test::Written;

std::unique_ptr<GBox> MakeBox(const GEO_Box& b, CG_NamedMaterial* material = nullptr) {
  CG_GraphicObjectCommData data;
  data.name = "b";
  data.material = material;
  return std::make_unique<GBox>(data, b);
}

GEO_Box BoxOf(const GBox& box) {
  GEO_Box b;
  EXPECT_EQ(CG_GraphicObject::GetBox(&box, b), 1);
  return b;
}

TEST(BoxReader, BodiesAndErrors) {
  struct Case {
    const char* body;
    int loads;
    GEO_Box box;
    int code;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"xmin 0; xmax 1; ymin 2; ymax 3; zmin 4; zmax 5;", 1, {0, 1, 2, 3, 4, 5}, 0, ""},
      {"zmax 5; ymin 2; xmax 1; zmin 4; ymax 3; xmin 0;", 1, {0, 1, 2, 3, 4, 5}, 0, ""},
      {"xmin 1; xmax -1; ymin 0; ymax 1; zmin 0; zmax 1;", 1, {-1, 1, 0, 1, 0, 1}, 0, ""},
      {"xmin 0; xmax 1; ymin 2; ymax 3; zmin 4;", 0, {}, 1, "Generic Error"},
      {"xmax 1; ymin 2; ymax 3; zmin 4; zmax 5;", 0, {}, 1, "Generic Error"},
      {"xmin 0; xmax a; ymin 2; ymax 3; zmin 4; zmax 5;", 0, {}, 5, "Number wanted"},
      {"xmin 0; xmax 1; ymin 2; ymax 3; zmin 4; zmax 5; wmin 0;", 0, {}, 5, "Unknown attribute"},
      {"xmin 0 xmax 1;", 0, {}, 2, "Caracter ';' not found"},
      {"xmin 0; 1;", 0, {}, 1, "Generic Error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    ModelScene scene;
    EXPECT_EQ(scene.LoadObject(std::string("box ") + c.body), c.loads);
    EXPECT_EQ(scene.Code(), c.code);
    EXPECT_EQ(scene.Message(), c.message);
    auto* box = dynamic_cast<GBox*>(scene.Find());
    ASSERT_EQ(box != nullptr, c.loads == 1);
    if (box == nullptr) continue;
    CG_BoxDescription d;
    box->GetDescription(d);
    EXPECT_EQ((GEO_Box{d.xmin, d.xmax, d.ymin, d.ymax, d.zmin, d.zmax}), c.box);
    EXPECT_EQ(BoxOf(*box), c.box);
  }
}

TEST(BoxWriter, WritesTheBlockExactlyAndReadsItBack) {
  auto box = MakeBox({-1, 1, 0.5, 2.25, -1e-9, 1e9});
  const std::string text = Written(*box);
  EXPECT_EQ(text,
            "{ object\n\tname b;\n\tmodel { box\n\t\txmin -1;\n\t\txmax 1;\n\t\tymin 0.5;\n\t\tymax 2.25;\n"
            "\t\tzmin -1e-09;\n\t\tzmax 1e+09;\n\t}\n}\n");
  ModelScene scene;
  ASSERT_EQ(scene.Load(text + ".\n"), 1);
  ASSERT_NE(scene.Find("b"), nullptr);
  EXPECT_EQ(Written(*scene.Find("b")), text);
}

TEST(BoxMesh, AnswersTheMeshTables) {
  auto box = MakeBox({0, 1, 0, 2, 0, 3});
  const std::array<Point3D, 8> corners = {
      Point3D{0, 0, 0}, Point3D{1, 0, 0}, Point3D{1, 2, 0}, Point3D{0, 2, 0},
      Point3D{0, 0, 3}, Point3D{1, 0, 3}, Point3D{1, 2, 3}, Point3D{0, 2, 3}};
  ASSERT_EQ(box->VertexCount(), 8);
  ASSERT_EQ(box->MeshVertexCount(), 8);
  for (int i = 0; i < 8; ++i) {
    Point3D v, m;
    box->Vertex(i, v);
    box->MeshVertex(i + 1, m);
    EXPECT_EQ(v, corners[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(m, corners[static_cast<std::size_t>(i)]) << i;
  }

  EXPECT_EQ(box->IsFaced(0), 1);
  ASSERT_EQ(box->FaceCount(), 6);
  const std::vector<std::vector<int>> faces = {{1, 2, 3, 4}, {5, 6, 7, 8}, {1, 5, 8, 4},
                                               {4, 8, 7, 3}, {3, 7, 6, 2}, {2, 6, 5, 1}};
  for (int f = 0; f < 6; ++f) {
    EXPECT_EQ(box->FaceLoopCount(f), 1);
    Seq<int> indices;
    box->FaceIndices(f, 0, indices);
    EXPECT_EQ(zavo::test::Entries(indices), faces[static_cast<std::size_t>(f)]) << f;
  }

  // Triangle and MeshTriangle each answer their own table: they differ in
  // rows 2, 3, 4, 6 and 7.
  const std::vector<std::array<int, 3>> triangles = {{1, 2, 3}, {3, 4, 1}, {5, 6, 7}, {7, 8, 5},
                                                     {1, 5, 8}, {1, 4, 8}, {4, 8, 7}, {7, 3, 4},
                                                     {3, 2, 6}, {6, 7, 3}, {5, 6, 2}, {2, 1, 5}};
  const std::vector<std::array<int, 3>> meshTriangles = {{1, 2, 3}, {3, 4, 1}, {5, 7, 6}, {7, 5, 8},
                                                         {1, 8, 5}, {1, 4, 8}, {4, 7, 8}, {7, 4, 3},
                                                         {3, 2, 6}, {6, 7, 3}, {5, 6, 2}, {2, 1, 5}};
  EXPECT_EQ(box->IsTriangleMesh(), 1);
  EXPECT_EQ(box->IsIndexedMesh(), 1);
  ASSERT_EQ(box->TriangleCount(), 12);
  ASSERT_EQ(box->MeshTriangleCount(), 12);
  for (int t = 0; t < 12; ++t) {
    const auto& expected = triangles[static_cast<std::size_t>(t)];
    Point3D a, b, c, colour;
    box->Triangle(t, a, b, c, colour);
    EXPECT_EQ(a, corners[static_cast<std::size_t>(expected[0] - 1)]) << t;
    EXPECT_EQ(b, corners[static_cast<std::size_t>(expected[1] - 1)]) << t;
    EXPECT_EQ(c, corners[static_cast<std::size_t>(expected[2] - 1)]) << t;
    int i = 0, j = 0, k = 0;
    box->MeshTriangle(t, i, j, k);
    EXPECT_EQ((std::array<int, 3>{i, j, k}), meshTriangles[static_cast<std::size_t>(t)]) << t;
  }

  const std::vector<std::array<int, 2>> edges = {{1, 2}, {2, 3}, {3, 4}, {4, 1}, {5, 6}, {6, 7},
                                                 {7, 8}, {8, 5}, {1, 5}, {4, 8}, {3, 7}, {6, 2}};
  EXPECT_EQ(box->HasEdges(), 1);
  ASSERT_EQ(box->EdgeCount(), 12);
  for (int e = 0; e < 12; ++e) {
    int a = 0, b = 0;
    box->Edge(e, a, b);
    EXPECT_EQ((std::array<int, 2>{a, b}), edges[static_cast<std::size_t>(e)]) << e;
  }
}

TEST(BoxMesh, ColoursComeFromTheMaterialOrTheDefault) {
  auto* model = new CG_MaterialPhong();
  model->Od = {1, 0, 0};
  CG_NamedMaterial red("red", model);
  auto coloured = MakeBox({0, 1, 0, 1, 0, 1}, &red);
  auto plain = MakeBox({0, 1, 0, 1, 0, 1});
  Point3D colour, a, b, c;
  coloured->FaceColour(3, colour);
  EXPECT_EQ(colour, (Point3D{1, 0, 0}));
  coloured->Triangle(5, a, b, c, colour);
  EXPECT_EQ(colour, (Point3D{1, 0, 0}));
  EXPECT_EQ(coloured->MeshMaterial(), model);

  // Without a material: the default Phong colour; no material to hand out.
  plain->FaceColour(3, colour);
  EXPECT_EQ(colour, (Point3D{0.5, 0.5, 0.5}));
  colour = {};
  plain->Triangle(5, a, b, c, colour);
  EXPECT_EQ(colour, (Point3D{0.5, 0.5, 0.5}));
  EXPECT_EQ(plain->MeshMaterial(), nullptr);
  EXPECT_EQ(plain->HasMaterialOfClass(CG_MaterialPhong()), 1);
}

TEST(BoxGeometry, RayIntersections) {
  auto box = MakeBox({-1, 1, -1, 1, -1, 1});
  struct Case {
    const char* what;
    Point3D origin, direction;
    std::vector<double> hits;
    std::vector<Point3D> normals;
  };
  const std::vector<Case> cases = {
      {"through along x", {-5, 0, 0}, {1, 0, 0}, {4, 6}, {{-1, 0, 0}, {1, 0, 0}}},
      {"through backwards", {5, 0.5, 0.5}, {-1, 0, 0}, {4, 6}, {{1, 0, 0}, {-1, 0, 0}}},
      {"from inside, leaving through ymax", {0, 0, 0}, {0, 1, 0}, {1}, {{0, 1, 0}}},
      {"from inside, leaving through zmin", {0.2, 0.3, 0.4}, {0, 0, -1}, {1.4}, {{0, 0, -1}}},
      {"parallel to four sides", {0.5, 0.5, -3}, {0, 0, 1}, {2, 4}, {{0, 0, -1}, {0, 0, 1}}},
      {"missing", {3, 3, -3}, {0, 0, 1}, {}, {}},
      {"pointing away", {0, 0, 3}, {0, 0, 1}, {}, {}},
  };
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = box->NewIntrInfo();
  ASSERT_NE(dynamic_cast<CG_BoxIntrInfo*>(record.get()), nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Ray ray = Ray::FromDirection(c.origin, c.direction);
    ASSERT_EQ(box->Intersect(ray, *record), static_cast<int>(c.hits.size()));
    ASSERT_EQ(record->Count(), static_cast<int>(c.hits.size()));
    for (std::size_t i = 0; i < c.hits.size(); ++i) {
      EXPECT_NEAR(record->Value(static_cast<int>(i)), c.hits[i], 1e-12);
      CG_MaterialPhong material;
      Point3D point, normal;
      box->HitDetails(ray, *record, static_cast<int>(i), material, point, normal);
      EXPECT_EQ(normal, c.normals[i]);
      EXPECT_NEAR(Distance3D(point, ray.PointAt(c.hits[i])), 0, 1e-12);
    }
    // The nearest hit alone.
    ASSERT_EQ(box->IntersectAny(ray, *record), c.hits.empty() ? 0 : 1);
    if (!c.hits.empty()) {
      EXPECT_NEAR(record->Value(0), c.hits[0], 1e-12);
      CG_MaterialPhong material;
      Point3D point, normal;
      box->HitDetails(ray, *record, 0, material, point, normal);
      EXPECT_EQ(normal, c.normals[0]);
    }
  }
}

TEST(BoxGeometry, HitsAtExactlyTollDoNotCount) {
  auto box = MakeBox({-1, 1, -1, 1, -1, 1});
  box->toll = 0.5;
  CG_BoxIntrInfo record;
  ASSERT_EQ(box->Intersect(Ray::FromDirection({0, 0, -1.5}, {0, 0, 1}), record), 1);
  EXPECT_EQ(record.hits[0].t, 2.5);
}

TEST(BoxGeometry, SetDescriptionRenewsTheBoundingVolume) {
  auto box = MakeBox({0, 1, 0, 1, 0, 1});
  CG_BoxDescription d;
  box->GetDescription(d);
  d.xmax = 5;
  d.zmin = 3;  // above zmax: the box still comes out proper
  box->SetDescription(d);
  EXPECT_EQ(BoxOf(*box), (GEO_Box{0, 5, 0, 1, 1, 3}));
  Point3D corner;
  box->Vertex(6, corner);
  EXPECT_EQ(corner, (Point3D{5, 1, 3}));
}

TEST(BoxObject, CloneAndTheStandInFactory) {
  CG_GraphicObjectCommData data;
  data.name = "part";
  data.IDname = "B";
  data.mapping = std::make_unique<CG_PlanarMapping>(Point3D{}, Point3D{1, 0, 0}, Point3D{0, 1, 0}, 1, 1);
  std::unique_ptr<CG_GraphicObject> standIn = zavo::NewStandInBox(data, GEO_Box{2, -2, 0, 1, 0, 1});
  auto* box = dynamic_cast<GBox*>(standIn.get());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(data.mapping, nullptr);  // taken over
  EXPECT_EQ(box->IDname, "B");
  EXPECT_EQ(box->MappingTest(typeid(CG_PlanarMapping)), 1);
  EXPECT_EQ(BoxOf(*box), (GEO_Box{-2, 2, 0, 1, 0, 1}));

  std::unique_ptr<CG_GraphicObject> copy = box->Clone();
  ASSERT_NE(dynamic_cast<GBox*>(copy.get()), nullptr);
  EXPECT_EQ(copy->IDname.Text(), nullptr);
  EXPECT_EQ(copy->MappingTest(typeid(CG_PlanarMapping)), 1);
  EXPECT_EQ(Written(*copy), zavo::test::WithoutIDnameAndToll(Written(*box)));
}

// Every object without a conversion of its own stands in the views as the
// box of its bounding volume, made by the factory that BuildRegistry installs.
class Unconvertible : public zavo::UniformModelObject {
public:
  explicit Unconvertible(CG_GraphicObjectCommData& data) : UniformModelObject(data), bound_({1, 2, 3, 4, 5, 6}) {}
  void Write(std::ostream&) const override {}
  const BoundingObject* GetBoundingObject() const override { return &bound_; }

private:
  BoundingBox bound_;
};

TEST(BoxObject, StandsInForObjectsWithoutAConversion) {
  CG_ModelRegistry& registry = ModelScene::Registry();
  EXPECT_EQ(registry.GetBoxFactory(), &zavo::NewStandInBox);
  auto* model = new CG_MaterialPhong();
  CG_NamedMaterial grey("grey", model);
  CG_GraphicObjectCommData data;
  data.name = "u";
  data.material = &grey;
  Unconvertible object(data);
  zavo::DeclassedParts parts;
  ASSERT_EQ(object.DeclassToIndexedMesh(parts, 0), 1);
  ASSERT_EQ(parts.Size(), 1);
  EXPECT_EQ(parts[0].owned, 1);
  auto* box = dynamic_cast<GBox*>(parts[0].object);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->name, "u");
  EXPECT_EQ(box->MeshMaterial(), model);
  EXPECT_EQ(BoxOf(*box), (GEO_Box{1, 2, 3, 4, 5, 6}));
  zavo::ReleaseDeclassedParts(parts);
}

}  // namespace
