#include "models/curved/vrml_node.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "models/core/brep.h"
#include "procedural_scene.h"
#include "scene/material.h"

namespace {

using zavo::test::ProceduralScene;
using zavo::test::Written;

std::unique_ptr<CG_AbstractVRMLNode> MakeNode(const Point3D& center, double radius, int div = 6) {
  CG_GraphicObjectCommData data;
  data.name = "v";
  CG_AbstractVRMLNodeDescription d;
  d.center = center;
  d.radius = radius;
  d.div = div;
  return std::make_unique<CG_AbstractVRMLNode>(data, d);
}

CG_AbstractVRMLNodeDescription DescriptionOf(const CG_GraphicObject* object) {
  CG_AbstractVRMLNodeDescription d;
  dynamic_cast<const CG_AbstractVRMLNode&>(*object).GetDescription(d);
  return d;
}

TEST(VrmlNodeReader, BodiesAndErrors) {
  struct Case {
    std::string body;
    int loads;
    Point3D center;
    double radius;
    int div;
    int show;
    int code;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"center ( 1 , 2 , 3 ); radius 2; div 7.9; show 0;", 1, {1, 2, 3}, 2, 7, 0, 0, ""},
      {"radius 0.5; center (-1,0,2e1);", 1, {-1, 0, 20}, 0.5, 6, 1, 0, ""},
      {"center ( 1 , 2 , 3 );", 0, {}, 0, 0, 0, 1, "Generic Error"},
      {"radius 2;", 0, {}, 0, 0, 0, 1, "Generic Error"},
      {"center ( 1 , 2 , 3 ); radius x;", 0, {}, 0, 0, 0, 5, "Number wanted"},
      {"center ( 1 , 2 , 3 ); radius 2; show ;", 0, {}, 0, 0, 0, 5, "Number wanted"},
      {"center ( 1 , 2 , 3 ); radius 2; colour 1;", 0, {}, 0, 0, 0, 5, "Unknown attribute"},
      {"center ( 1 , 2 , 3 ); radius 2 div 3;", 0, {}, 0, 0, 0, 2, "Caracter ';' not found"},
      {"center ( 1 , 2 , 3 ); 7 radius 2;", 0, {}, 0, 0, 0, 1, "Generic Error"},
      // A malformed point is recorded, keeps the centre it had, and reading goes on.
      {"center ( 1 , 2 , 3 ); center ( 4 , x , 6 ) ; radius 2;", 0, {}, 0, 0, 0, 2, "Caracter ';' not found"},
      {"center ( 1 , 2 , 3 ); center ; radius 2;", 1, {1, 2, 3}, 2, 6, 1, 5, "Wrong point definition"},
      {"center ; radius 2;", 1, {0, 0, 0}, 2, 6, 1, 5, "Wrong point definition"},
      // Associations: a missing quote or ";" gives no object and no message of its own.
      {"center (0,0,0); radius 1; assoc { url \"a\" }", 0, {}, 0, 0, 0, 1, "Generic Error"},
      {"center (0,0,0); radius 1; assoc { url a; }", 0, {}, 0, 0, 0, 1, "Generic Error"},
      {"center (0,0,0); radius 1; assoc { url \"a; }", 0, {}, 0, 0, 0, 1, "Generic Error"},
      {"center (0,0,0); radius 1; assoc url \"a\"; }", 0, {}, 0, 0, 0, 2, "Caracter '{' not found"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    ProceduralScene scene;
    EXPECT_EQ(scene.LoadObject("AbstractVRMLNode " + c.body), c.loads);
    EXPECT_EQ(scene.Code(), c.code);
    EXPECT_EQ(scene.Message(), c.message);
    CG_GraphicObject* node = scene.Find();
    ASSERT_EQ(node != nullptr, c.loads == 1);
    if (node == nullptr) continue;
    const CG_AbstractVRMLNodeDescription d = DescriptionOf(node);
    EXPECT_EQ(d.center, c.center);
    EXPECT_EQ(d.radius, c.radius);
    EXPECT_EQ(d.div, c.div);
    EXPECT_EQ(d.show, c.show);
    EXPECT_EQ(d.sysInterface, &scene.scene().GetInterface());
  }
}

TEST(VrmlNodeReader, AssociationValuesAreRawTextsKeptWhole) {
  const std::string longValue(5000, 'v');
  const std::string text =
      "{ object\n\tname v;\n\tmodel { AbstractVRMLNode\n\t\tcenter ( 0 , 0 , 0 );\n\t\tradius 2;\n\t\tdiv 6;\n"
      "\t\tshow 1;\n\t\tassoc {\n\t\t\turl \"a b\";\n\t\t\tdesc \"two\n lines /* no comment */ ; // \";\n"
      "\t\t\tlong \"" + longValue + "\";\n\t\t\tempty \"\";\n\t\t}\n\t}\n}\n";
  ProceduralScene scene;
  ASSERT_EQ(scene.Load(text + "{ object name after; model { sphere center (0,0,0); radius 1; } }\n.\n"), 1);
  const CG_AbstractVRMLNodeDescription d = DescriptionOf(scene.Find("v"));
  ASSERT_EQ(d.assoc.Count(), 4u);
  EXPECT_EQ(d.assoc[0].name, "url");
  EXPECT_EQ(d.assoc[0].value, "a b");
  EXPECT_EQ(d.assoc[1].value, "two\n lines /* no comment */ ; // ");
  EXPECT_EQ(d.assoc[2].value, longValue);
  EXPECT_EQ(d.assoc[3].value, "");
  EXPECT_EQ(Written(*scene.Find("v")), text);
  ASSERT_NE(scene.Find("after"), nullptr);

  // The lines inside a text are counted: a later mistake is reported on its own line.
  ProceduralScene bad;
  EXPECT_EQ(bad.Load("{ object name v; model { AbstractVRMLNode\nassoc { a \"1\n2\n3\"; }\nradius x;\n}\n}\n.\n"), 0);
  EXPECT_EQ(bad.Message(), "Number wanted");
  EXPECT_EQ(bad.Line(), 5);
}

// A node of no size has no surface normal: a radius of 0 or less is refused
// on the line of the number, whatever follows.
TEST(VrmlNodeReader, ARadiusOfZeroOrLessIsRefused) {
  for (const char* radius : {"0", "-0", "-2.5", "0e3"}) {
    SCOPED_TRACE(radius);
    ProceduralScene scene;
    EXPECT_EQ(scene.Load(std::string("{ object name v; model { AbstractVRMLNode\ncenter ( 1 , 2 , 3 );\nradius ") +
                         radius + ";\ndiv 6;\n}\n}\n.\n"),
              0);
    EXPECT_EQ(scene.Find("v"), nullptr);
    EXPECT_EQ(scene.Code(), 5);
    EXPECT_EQ(scene.Message(), "Radius must be positive");
    EXPECT_EQ(scene.Line(), 3);
  }
  ProceduralScene tiny;
  EXPECT_EQ(tiny.LoadObject("AbstractVRMLNode center ( 1 , 2 , 3 ); radius 1e-9;"), 1);
}

// The editor can still hand a node a radius of no size: its hits then have
// a unit normal against the ray, never a NaN.
TEST(VrmlNodeGeometry, ANodeOfNoSizeStillAnswersAUnitNormal) {
  auto node = MakeNode({0, 0, 0}, 0);
  node->toll = 0;
  auto record = node->NewIntrInfo();
  const Ray ray{{0, 0, -5}, {0, 0, 1}};
  ASSERT_EQ(node->Intersect(ray, *record), 2);
  CG_MaterialPhong material;
  Point3D point;
  Point3D normal;
  node->HitDetails(ray, *record, 0, material, point, normal);
  EXPECT_EQ(normal, (Point3D{0, 0, -1}));
  auto inverted = MakeNode({0, 0, 0}, -2);
  ASSERT_EQ(inverted->Intersect(ray, *record), 2);
  inverted->HitDetails(ray, *record, 0, material, point, normal);
  EXPECT_EQ(normal, (Point3D{0, 0, -1}));
}

TEST(VrmlNodeWriter, WritesTheBlockExactly) {
  auto node = MakeNode({0, 0, 0}, 2);
  EXPECT_EQ(Written(*node),
            "{ object\n\tname v;\n\tmodel { AbstractVRMLNode\n\t\tcenter ( 0 , 0 , 0 );\n\t\tradius 2;\n\t\tdiv 6;\n"
            "\t\tshow 1;\n\t\tassoc {\n\t\t}\n\t}\n}\n");
  CG_NamedMaterial red("red", new CG_MaterialPhong());
  CG_GraphicObjectCommData data;
  data.name = "w";
  data.material = &red;
  CG_AbstractVRMLNodeDescription d;
  d.center = {0.5, -1e-7, 3};
  d.radius = 1.0 / 3.0;
  d.div = 0;
  d.show = 0;
  d.assoc.SetSize(1);
  d.assoc[0].name = "url";
  d.assoc[0].value = "a b";
  const CG_AbstractVRMLNode node2(data, d);
  EXPECT_EQ(Written(node2),
            "{ object\n\tname w;\n\tmaterial red;\n\tmodel { AbstractVRMLNode\n\t\tcenter ( 0.5 , -1e-07 , 3 );\n"
            "\t\tradius 0.333333;\n\t\tdiv 0;\n\t\tshow 0;\n\t\tassoc {\n\t\t\turl \"a b\";\n\t\t}\n\t}\n}\n");
}

TEST(VrmlNodeGeometry, RayHitsAndNormals) {
  auto node = MakeNode({0, 0, 0}, 2);
  auto record = node->NewIntrInfo();
  const Ray ray{{0, 0, -5}, {0, 0, 1}};
  ASSERT_EQ(node->Intersect(ray, *record), 2);
  EXPECT_EQ(record->Value(0), 3);
  EXPECT_EQ(record->Value(1), 7);
  CG_MaterialPhong material;
  Point3D point;
  Point3D normal;
  node->HitDetails(ray, *record, 0, material, point, normal);
  EXPECT_EQ(point, (Point3D{0, 0, -2}));
  EXPECT_EQ(normal, (Point3D{0, 0, -1}));
  // From inside: the exit only.
  ASSERT_EQ(node->Intersect(Ray{{0, 0, 0}, {0, 0, 1}}, *record), 1);
  EXPECT_EQ(record->Value(0), 2);
  // Tangent: the same root twice.
  ASSERT_EQ(node->Intersect(Ray{{2, 0, -5}, {0, 0, 1}}, *record), 2);
  EXPECT_EQ(record->Value(0), 5);
  EXPECT_EQ(record->Value(1), 5);
  // Behind, and beside.
  EXPECT_EQ(node->Intersect(Ray{{0, 0, 5}, {0, 0, 1}}, *record), 0);
  EXPECT_EQ(node->Intersect(Ray{{3, 0, -5}, {0, 0, 1}}, *record), 0);
  // A root exactly at the tolerance counts.
  node->toll = 3;
  ASSERT_EQ(node->Intersect(ray, *record), 2);
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(node.get(), box), 1);
  EXPECT_DOUBLE_EQ(box.xmax, 2 * std::sqrt(2.0));
  EXPECT_DOUBLE_EQ(box.zmin, -2 * std::sqrt(2.0));
}

TEST(VrmlNodeGeometry, MeshesOfEveryConversion) {
  struct Case {
    int div;
    int vertices;
    int triangles;
  };
  // div below 2 is tessellated as 2; the stored div stays.
  const Case cases[] = {{6, 49, 72}, {2, 9, 8}, {1, 9, 8}, {0, 9, 8}, {-5, 9, 8}, {3, 16, 18}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.div);
    auto node = MakeNode({1, 2, 3}, 2, c.div);
    using Convert = int (*)(CG_AbstractVRMLNode&, zavo::DeclassedParts&);
    const Convert conversions[] = {
        [](CG_AbstractVRMLNode& n, zavo::DeclassedParts& p) { return n.DeclassToFaced(p, 0); },
        [](CG_AbstractVRMLNode& n, zavo::DeclassedParts& p) { return n.DeclassToTriangleMesh(p); },
        [](CG_AbstractVRMLNode& n, zavo::DeclassedParts& p) { return n.DeclassToIndexedMesh(p, 0); },
    };
    for (Convert convert : conversions) {
      zavo::DeclassedParts parts;
      ASSERT_EQ(convert(*node, parts), 1);
      ASSERT_EQ(parts.Size(), 1);
      EXPECT_EQ(parts[0].owned, 1);
      auto* mesh = dynamic_cast<GBRep*>(parts[0].object);
      ASSERT_NE(mesh, nullptr);
      EXPECT_EQ(mesh->MeshVertexCount(), c.vertices);
      EXPECT_EQ(mesh->MeshTriangleCount(), c.triangles);
      EXPECT_EQ(mesh->Costr(), 0.0);
      EXPECT_EQ(mesh->Interp(), 0);
      EXPECT_EQ(mesh->name, "v");
      for (int i = 1; i <= mesh->MeshVertexCount(); ++i) {
        Point3D p;
        mesh->MeshVertex(i, p);
        EXPECT_NEAR(Length(p - Point3D{1, 2, 3}), 2.0, 1e-12);
      }
      zavo::ReleaseDeclassedParts(parts);
    }
    EXPECT_EQ(DescriptionOf(node.get()).div, c.div);
  }
  // The raw mesh: row k the longitude k·step, column i the polar angle i·step/2.
  auto node = MakeNode({0, 0, 0}, 1, 4);
  std::unique_ptr<BRepModel3> mesh = node->MakeMesh();
  ASSERT_EQ(mesh->vertices.Count(), 25u);
  EXPECT_NEAR(mesh->vertices[0].z, 1, 1e-12);
  // The grid's vertices go column by column: vertex i·5 + k.
  EXPECT_NEAR(mesh->vertices[10].x, 1, 1e-12);  // φ = 0, θ = π/2
  EXPECT_NEAR(mesh->vertices[11].y, 1, 1e-12);  // φ = π/2, θ = π/2
  EXPECT_NEAR(mesh->vertices[24].z, -1, 1e-12);  // θ = π
}

TEST(VrmlNodeObject, CloneAndDescriptions) {
  CG_GraphicObjectCommData data;
  data.name = "v";
  data.IDname = "A";
  data.mapping = std::make_unique<CG_SphericalMapping>(Point3D{}, Point3D{1, 0, 0}, Point3D{0, 1, 0}, 1, 1);
  CG_AbstractVRMLNodeDescription d;
  d.center = {1, 2, 3};
  d.radius = 4;
  d.div = 9;
  d.show = 0;
  d.assoc.SetSize(2);
  d.assoc[0].name = "a";
  d.assoc[1].name = "b";
  CG_AbstractVRMLNode node(data, d);
  std::unique_ptr<CG_GraphicObject> copy = node.Clone();
  ASSERT_NE(copy, nullptr);
  const CG_AbstractVRMLNodeDescription c = DescriptionOf(copy.get());
  EXPECT_EQ(c.center, (Point3D{1, 2, 3}));
  EXPECT_EQ(c.radius, 4);
  EXPECT_EQ(c.div, 9);
  EXPECT_EQ(c.show, 1);
  EXPECT_EQ(c.assoc.Count(), 0u);
  EXPECT_EQ(copy->MappingTest(typeid(CG_SphericalMapping)), 1);
  EXPECT_EQ(copy->IDname.Text(), nullptr);

  CG_AbstractVRMLNodeDescription moved = DescriptionOf(&node);
  EXPECT_EQ(moved.assoc.Count(), 2u);
  moved.center = {10, 0, 0};
  moved.radius = 1;
  node.SetDescription(moved);
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(&node, box), 1);
  EXPECT_DOUBLE_EQ(box.xmin, 10 - std::sqrt(2.0));
  Seq<CG_GraphicObject*> children;
  children.SetSize(1);
  EXPECT_EQ(node.GetChildren(children), 1);
  EXPECT_EQ(children.Count(), 0u);
}

}  // namespace
