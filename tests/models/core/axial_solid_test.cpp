// What the cylinder and the cone share: text body, writer, bounding box,
// copies and tessellation; each case runs for both keywords.

#include "models/core/axial_solid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "model_scene.h"
#include "models/core/brep.h"
#include "models/core/cone.h"
#include "models/core/cylinder.h"
#include "scene/mapping.h"
#include "scene/material.h"

namespace {

using zavo::test::ModelScene;
using zavo::test::Written;

std::unique_ptr<zavo::AxialSolid> Make(const std::string& keyword, double radius, double high, int div,
                                       CG_NamedMaterial* material = nullptr) {
  CG_GraphicObjectCommData data;
  data.name = "s";
  data.IDname = "A";
  data.toll = 0.25;
  data.material = material;
  zavo::AxialSolidDescription d;
  d.radius = radius;
  d.high = high;
  d.div = div;
  if (keyword == "cone") return std::make_unique<CG_Cone>(data, d);
  return std::make_unique<GCylinder>(data, d);
}

zavo::AxialSolidDescription DescriptionOf(const CG_GraphicObject* object) {
  zavo::AxialSolidDescription d;
  static_cast<const zavo::AxialSolid*>(object)->GetDescription(d);
  return d;
}

class AxialSolids : public ::testing::TestWithParam<std::string> {};

INSTANTIATE_TEST_SUITE_P(CylinderAndCone, AxialSolids, ::testing::Values("cylinder", "cone"));

TEST_P(AxialSolids, ReaderCases) {
  struct Case {
    const char* body;
    int loads;
    double radius, high;
    int div;
    int code;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"", 1, 0.5, 0.5, 10, 0, ""},
      {"high 2; radius 3; div 7.9;", 1, 3, 2, 7, 0, ""},
      {"div -2; radius 1e-1; radius 4;", 1, 4, 0.5, -2, 0, ""},
      {"radius x;", 0, 0, 0, 0, 5, "Number wanted"},
      {"high ;", 0, 0, 0, 0, 5, "Number wanted"},
      {"div 1e10;", 0, 0, 0, 0, 5, "Number wanted"},
      {"heigh 1;", 0, 0, 0, 0, 5, "Unknown attribute"},
      {"Radius 1;", 0, 0, 0, 0, 5, "Unknown attribute"},
      {"radius 1 high 2;", 0, 0, 0, 0, 2, "Caracter ';' not found"},
      {"7;", 0, 0, 0, 0, 1, "Generic Error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    ModelScene scene;
    EXPECT_EQ(scene.LoadObject(GetParam() + " " + c.body), c.loads);
    EXPECT_EQ(scene.Code(), c.code);
    EXPECT_EQ(scene.Message(), c.message);
    CG_GraphicObject* object = scene.Find();
    ASSERT_EQ(object != nullptr, c.loads == 1);
    if (object == nullptr) continue;
    EXPECT_EQ(std::string(object->Keyword()), GetParam());
    if (GetParam() == "cone") {
      EXPECT_NE(dynamic_cast<CG_Cone*>(object), nullptr);
    } else {
      EXPECT_NE(dynamic_cast<GCylinder*>(object), nullptr);
    }
    const zavo::AxialSolidDescription d = DescriptionOf(object);
    EXPECT_EQ(d.radius, c.radius);
    EXPECT_EQ(d.high, c.high);
    EXPECT_EQ(d.div, c.div);
    EXPECT_EQ(d.progress, &scene.scene().GetInterface());
  }
}

TEST_P(AxialSolids, WritesHighBeforeRadiusAndReadsBack) {
  CG_NamedMaterial gold("gold", new CG_MaterialPhong());
  auto solid = Make(GetParam(), 1.0 / 3.0, 2, 3, &gold);
  const std::string text = Written(*solid);
  EXPECT_EQ(text, "{ object\n\tname s;\n\tIDname A;\n\ttoll 0.25;\n\tmaterial gold;\n\tmodel { " + GetParam() +
                      "\n\t\thigh 2;\n\t\tradius 0.333333;\n\t\tdiv 3;\n\t}\n}\n");
  ModelScene scene;
  ASSERT_EQ(scene.Load("{ material name gold; model { phong } }\n" + text + ".\n"), 1);
  ASSERT_NE(scene.Find(), nullptr);
  EXPECT_EQ(Written(*scene.Find()), text);
}

TEST_P(AxialSolids, BoundingBoxCoversBothHalvesAndFollowsTheDescription) {
  auto solid = Make(GetParam(), 2, 3, 10);
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(solid.get(), box), 1);
  EXPECT_EQ(box, (GEO_Box{-2, 2, -2, 2, -3, 3}));

  zavo::AxialSolidDescription d = DescriptionOf(solid.get());
  d.radius = -1;  // still a proper box
  d.high = 0.5;
  solid->SetDescription(d);
  ASSERT_EQ(CG_GraphicObject::GetBox(solid.get(), box), 1);
  EXPECT_EQ(box, (GEO_Box{-1, 1, -1, 1, -0.5, 0.5}));
}

TEST_P(AxialSolids, CloneCopiesTheShapeButNotIDnameOrToll) {
  auto solid = Make(GetParam(), 2, 3, 12);
  solid->mapping = std::make_unique<CG_CilindricMapping>(Point3D{}, Point3D{1, 0, 0}, Point3D{0, 1, 0}, 1, 1);
  std::unique_ptr<CG_GraphicObject> clone = solid->Clone();
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(std::string(clone->Keyword()), GetParam());
  EXPECT_EQ(clone->IDname.Text(), nullptr);
  EXPECT_EQ(clone->toll, 0.01);
  EXPECT_EQ(clone->MappingTest(typeid(CG_CilindricMapping)), 1);
  EXPECT_EQ(Written(*clone), zavo::test::WithoutIDnameAndToll(Written(*solid)));
  EXPECT_EQ(clone->IsRayTraceable(), 1);
  EXPECT_NE(clone->NewIntrInfo(), nullptr);
}

// The mesh's vertex of table point [row][col] of an n x n grid.
Point3D GridPoint(const GBRep& mesh, int n, int row, int col) {
  Point3D p;
  mesh.MeshVertex(col * n + row + 1, p);
  return p;
}

TEST_P(AxialSolids, TessellationIsADivByDivGridOfAtLeastFour) {
  const bool cone = GetParam() == "cone";
  struct Case {
    int div;
    int n;  // the grid side used
  };
  for (const Case& c : std::vector<Case>{{10, 10}, {4, 4}, {3, 4}, {0, 4}, {-7, 4}}) {
    SCOPED_TRACE(c.div);
    auto solid = Make(GetParam(), 2, 3, c.div);
    zavo::DeclassedParts parts;
    ASSERT_EQ(solid->DeclassToIndexedMesh(parts, 0), 1);
    ASSERT_EQ(parts.Size(), 1);
    EXPECT_EQ(parts[0].owned, 1);
    auto* mesh = dynamic_cast<GBRep*>(parts[0].object);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->MeshVertexCount(), c.n * c.n);
    EXPECT_EQ(mesh->MeshTriangleCount(), 2 * (c.n - 1) * (c.n - 1));
    EXPECT_EQ(mesh->IsInline(), 1);
    EXPECT_EQ(mesh->Costr(), 0.0);
    EXPECT_EQ(mesh->IDname.Text(), nullptr);
    // Every column: rows 0 and 1 (top centre and rim, or the apex twice),
    // the bottom rim, then the bottom centre.
    const double step = 2 * std::numbers::pi / (c.n - 1);
    for (int col = 0; col < c.n; ++col) {
      const Point3D rim{2 * std::cos(col * step), 2 * std::sin(col * step), 0};
      const Point3D row0 = GridPoint(*mesh, c.n, 0, col);
      const Point3D row1 = GridPoint(*mesh, c.n, 1, col);
      if (cone) {
        EXPECT_EQ(row0, (Point3D{0, 0, 0}));
        EXPECT_EQ(row1, (Point3D{0, 0, 0}));
      } else {
        EXPECT_EQ(row0, (Point3D{0, 0, 3}));
        EXPECT_EQ(row1, (Point3D{rim.x, rim.y, 3}));
      }
      EXPECT_EQ(GridPoint(*mesh, c.n, 2, col), (Point3D{rim.x, rim.y, -3}));
      for (int row = 3; row < c.n; ++row) EXPECT_EQ(GridPoint(*mesh, c.n, row, col), (Point3D{0, 0, -3}));
    }
    // The first and the last column coincide.
    EXPECT_NEAR(GridPoint(*mesh, c.n, 2, c.n - 1).x, 2, 1e-12);
    EXPECT_NEAR(GridPoint(*mesh, c.n, 2, c.n - 1).y, 0, 1e-12);
    zavo::ReleaseDeclassedParts(parts);
    // The div kept and written is the one given.
    EXPECT_EQ(DescriptionOf(solid.get()).div, c.div);
    EXPECT_NE(Written(*solid).find("\t\tdiv " + std::to_string(c.div) + ";\n"), std::string::npos);
  }
}

TEST_P(AxialSolids, EveryDeclassGivesTheSameMesh) {
  auto solid = Make(GetParam(), 1, 1, 6);
  zavo::DeclassedParts faced, triangles;
  ASSERT_EQ(solid->DeclassToFaced(faced, 0), 1);
  ASSERT_EQ(solid->DeclassToTriangleMesh(triangles), 1);
  ASSERT_EQ(faced.Size(), 1);
  ASSERT_EQ(triangles.Size(), 1);
  EXPECT_EQ(Written(*faced[0].object), Written(*triangles[0].object));
  EXPECT_EQ(faced[0].object->TriangleCount(), 50);
  zavo::ReleaseDeclassedParts(faced);
  zavo::ReleaseDeclassedParts(triangles);
}

}  // namespace
