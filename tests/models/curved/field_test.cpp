#include "models/curved/field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "models/core/brep.h"
#include "models/core/patch_model_based.h"
#include "procedural_scene.h"
#include "scene/material.h"

namespace {

using zavo::test::ProceduralScene;
using zavo::test::ReadFile;
using zavo::test::ScopedCwd;
using zavo::test::TempDir;
using zavo::test::WriteFile;
using zavo::test::Written;

const char kTetra[] =
    "{ pbrep\nvertices 4  0 0 0  1 0 0  0 1 0  0 0 1\nfaces 4\n"
    "{ 1 { 3 0 2 1 } } { 1 { 3 0 1 3 } } { 1 { 3 0 3 2 } } { 1 { 3 1 2 3 } }\n}\n";

const Point3D kTetraPoints[4] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

// A field block: a sphere of radius 5 around the origin as the object and the
// tetrahedron's mesh file as the decoration, then the given entries.
std::string FieldText(const std::string& entries, const std::string& decoration = "brep name tetra;") {
  return "{ object\n\tname f;\n\tmodel { field\n"
         "\t\t{ object name o; model { sphere center ( 0 , 0 , 0 ); radius 5; } }\n"
         "\t\tdecoration { object name d; model { " +
         decoration + " } }\n" + entries + "\t}\n}\n";
}

class FieldScene : public ::testing::Test {
protected:
  FieldScene() : cwd_(dir_.path()) { WriteFile(dir_ / "tetra.brp", kTetra); }

  CG_Field* Load(const std::string& text, const std::string& before = "") {
    if (!scene_.Load(before + text + ".\n")) return nullptr;
    return dynamic_cast<CG_Field*>(scene_.Find("f"));
  }

  // The control points of the deformed copy, through the interface that
  // its type moves them with.
  static std::vector<Point3D> DeformedPoints(const CG_Field& field) {
    std::vector<Point3D> points;
    const CG_GraphicObject* copy = field.Deformed();
    if (copy == nullptr) return points;
    if (auto* mesh = dynamic_cast<const CG_PatchModelBased*>(copy)) {
      EXPECT_EQ(copy->ControlCount(), 0);  // the curve operations stay at 0 points
      for (int i = 0; i < mesh->ControlCount(); ++i) {
        Point3D p;
        EXPECT_EQ(mesh->GetControl(i, p), 1);
        points.push_back(p);
      }
      return points;
    }
    for (int i = 0; i < copy->ControlCount(); ++i) {
      Point3D p;
      EXPECT_EQ(copy->GetControl(i, p), 1);
      points.push_back(p);
    }
    return points;
  }

  TempDir dir_;
  ScopedCwd cwd_;
  ProceduralScene scene_;
};

TEST_F(FieldScene, ExpressionsMoveTheDeformedCopysPoints) {
  struct Case {
    const char* what;
    std::string entries;
    Point3D (*moved)(const Point3D&);
  };
  const std::vector<Case> cases = {
      {"constants", "mat { rx \"1\"; ry \"0\"; rz \"0\"; }\n", [](const Point3D& p) { return p + Point3D{1, 0, 0}; }},
      {"a parameter replaces its item", "param { rx value 3 from 0 to 10; }\nmat { rx \"1\"; ry \"0\"; rz \"0\"; }\n",
       [](const Point3D& p) { return p + Point3D{3, 0, 0}; }},
      {"a parameter without item changes nothing", "param { k value 3 from 0 to 10; }\nmat { rx \"1\"; ry \"0\"; rz \"0\"; }\n",
       [](const Point3D& p) { return p + Point3D{1, 0, 0}; }},
      {"an expression of the point", "mat { rx \"x * 2\"; ry \"0\"; rz \"0\"; }\n",
       [](const Point3D& p) { return Point3D{3 * p.x, p.y, p.z}; }},
      {"items that refer to parameters", "param { k value 0.5 from 0 to 1; }\nmat { k \"7\"; rx \"k * y\"; }\n",
       [](const Point3D& p) { return p + Point3D{0.5 * p.y, 0, 0}; }},
      {"the last rx counts", "mat { rx \"5\"; rx \"2\"; }\n", [](const Point3D& p) { return p + Point3D{2, 0, 0}; }},
      {"no rz item: x and y still move", "mat { rx \"1\"; ry \"2\"; }\n",
       [](const Point3D& p) { return p + Point3D{1, 2, 0}; }},
      {"no items: nothing moves", "", [](const Point3D& p) { return p; }},
      {"a text that does not compile moves nothing", "mat { rx \"1 +\"; ry \"1\"; }\n",
       [](const Point3D& p) { return p; }},
      {"a failed evaluation leaves that point alone", "mat { rx \"1 / x\"; ry \"1\"; }\n",
       [](const Point3D& p) { return p.x == 0 ? p : p + Point3D{1 / p.x, 1, 0}; }},
      {"small values read back whole", "mat { rx \"0.0000001\"; }\n",
       [](const Point3D& p) { return p + Point3D{1e-07, 0, 0}; }},
  };
  // A polyline (moved through the curve operations) and a mesh file (moved
  // through the patch-model interface), both through the same points.
  const char* const decorations[] = {"polyline p ( 0 , 0 , 0 ); p ( 1 , 0 , 0 ); p ( 0 , 1 , 0 ); p ( 0 , 0 , 1 );",
                                     "brep name tetra;"};
  for (const char* decorationText : decorations)
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SCOPED_TRACE(decorationText);
    CG_Field* field = Load(FieldText(c.entries, decorationText));
    ASSERT_NE(field, nullptr) << scene_.Message();
    const std::vector<Point3D> points = DeformedPoints(*field);
    ASSERT_EQ(points.size(), 4u);
    for (int i = 0; i < 4; ++i) {
      const Point3D want = c.moved(kTetraPoints[i]);
      EXPECT_DOUBLE_EQ(points[static_cast<std::size_t>(i)].x, want.x) << i;
      EXPECT_DOUBLE_EQ(points[static_cast<std::size_t>(i)].y, want.y) << i;
      EXPECT_DOUBLE_EQ(points[static_cast<std::size_t>(i)].z, want.z) << i;
    }
    // The decoration itself never moves, and a model file is not written.
    Point3D second;
    auto* mesh = dynamic_cast<GBRep*>(field->Decoration());
    ASSERT_TRUE(mesh != nullptr ? mesh->GetPoint(1, second) : field->Decoration()->GetControl(1, second));
    EXPECT_EQ(second, (Point3D{1, 0, 0}));
    EXPECT_EQ(ReadFile(dir_ / "tetra.brp"), kTetra);
  }
}

// A Bezier patch file with its mesh cache as the decoration: the deformed
// copy's mesh shows the moved points; neither the patch file nor the cache
// is written for the copy.
TEST_F(FieldScene, APatchModelDecorationWithAMeshCache) {
  std::string patch = "{ bezier\n{ patch";
  for (int k = 0; k < 16; ++k) {
    patch += " ( " + std::to_string(k % 4) + " , " + std::to_string(k / 4) + " , 0 )";
  }
  patch += " }\n}\n";
  WriteFile(dir_ / "patch.bzr", patch);
  CG_Field* field = Load(FieldText("mat { rx \"1\"; rz \"x * y\"; }\n", "bezier name patch; cache 1;"));
  ASSERT_NE(field, nullptr) << scene_.Message();
  zavo::DeclassedParts original;
  ASSERT_EQ(field->Decoration()->DeclassToFaced(original, 0), 1);
  ASSERT_TRUE(std::filesystem::exists(dir_ / "patch.brp"));
  const std::string bzr = ReadFile(dir_ / "patch.bzr");
  const std::string brp = ReadFile(dir_ / "patch.brp");
  // Again, now that the cache exists.
  CG_FieldDescription description;
  field->GetDescription(description);
  field->SetDescription(description);
  ASSERT_NE(field->Deformed(), nullptr);
  zavo::DeclassedParts moved;
  ASSERT_EQ(field->Deformed()->DeclassToFaced(moved, 0), 1);
  auto* before = dynamic_cast<GBRep*>(original[0].object);
  auto* after = dynamic_cast<GBRep*>(moved[0].object);
  ASSERT_NE(before, nullptr);
  ASSERT_NE(after, nullptr);
  ASSERT_EQ(after->VertexCount(), before->VertexCount());
  ASSERT_GT(after->VertexCount(), 16);
  for (int i = 0; i < after->VertexCount(); ++i) {
    Point3D p;
    Point3D q;
    before->Vertex(i, p);
    after->Vertex(i, q);
    // Flat before; the surface of the moved net is z = x·y there (bilinear in
    // the net, so the Bezier surface reproduces it), shifted by 1 in x.
    EXPECT_NEAR(q.x, p.x + 1, 1e-9);
    EXPECT_NEAR(q.y, p.y, 1e-9);
    EXPECT_NEAR(q.z, p.x * p.y, 1e-9);
  }
  zavo::ReleaseDeclassedParts(original);
  zavo::ReleaseDeclassedParts(moved);
  EXPECT_EQ(ReadFile(dir_ / "patch.bzr"), bzr);
  EXPECT_EQ(ReadFile(dir_ / "patch.brp"), brp);
}

TEST_F(FieldScene, ParametersAndTheEditCycle) {
  CG_Field* field = Load(FieldText("param { rx value 3 from 0 to 10; k value 1 from 0 to 2; }\n"
                                   "mat { rx \"1\"; ry \"0\"; rz \"0\"; }\n"));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->SetParameter("k", 5), 0);
  EXPECT_EQ(field->SetParameter("nothing", 5), 1);
  EXPECT_EQ(field->SetParameter("rx", 4), 1);
  // Not applied until the next description...
  EXPECT_EQ(DeformedPoints(*field)[1], (Point3D{4, 0, 0}));
  Point3D d;
  ASSERT_EQ(field->Displacement({0, 0, 0}, d), 1);
  EXPECT_EQ(d, (Point3D{4, 0, 0}));
  CG_FieldDescription description;
  field->GetDescription(description);
  EXPECT_EQ(field->Object(), nullptr);
  EXPECT_EQ(field->Decoration(), nullptr);
  ASSERT_NE(description.object, nullptr);
  EXPECT_EQ(description.objectOwned, 1);
  ASSERT_EQ(description.params.Count(), 2u);
  EXPECT_EQ(description.params[0].value, 4);
  EXPECT_EQ(description.scene, &scene_.scene());
  description.items[1].text = "x";
  field->SetDescription(description);
  EXPECT_EQ(description.object, nullptr);
  EXPECT_EQ(DeformedPoints(*field)[1], (Point3D{5, 1, 0}));
  ASSERT_NE(field->Object(), nullptr);
}

TEST_F(FieldScene, FieldDisplacementInsideTheObjectOnly) {
  CG_Field* field = Load(FieldText("mat { rx \"x * 2\"; ry \"1\"; rz \"z\"; }\n"));
  ASSERT_NE(field, nullptr);
  Point3D out{7, 7, 7};
  EXPECT_EQ(field->FieldDisplacement({6, 0, 0}, out), 0);
  EXPECT_EQ(out, (Point3D{7, 7, 7}));
  EXPECT_EQ(field->FieldDisplacement({0, 0, -5.5}, out), 0);
  EXPECT_EQ(out, (Point3D{7, 7, 7}));
  ASSERT_EQ(field->FieldDisplacement({1, 2, 3}, out), 1);
  EXPECT_EQ(out, (Point3D{2, 1, 3}));
  // Through a transf, the point is taken into the field's space.
  ProceduralScene wrapped;
  ASSERT_EQ(wrapped.Load("{ object name t; model { transf t ( 10 , 0 , 0 ); " +
                         FieldText("mat { rx \"x\"; }\n") + "} }\n.\n"),
            1);
  EXPECT_EQ(wrapped.Find("t")->FieldDisplacement({20, 0, 0}, out), 0);
  ASSERT_EQ(wrapped.Find("t")->FieldDisplacement({11, 0, 0}, out), 1);
  EXPECT_EQ(out, (Point3D{1, 0, 0}));
}

TEST_F(FieldScene, TheDeformedCopyTakesTheMaterialNamedDfmat) {
  const std::string materials =
      "{ material name red; model { phong } }\n{ material name green; model { phong } }\n";
  CG_Field* field = Load(
      "{ object\n\tname f;\n\tmodel { field\n"
      "\t\tdecoration { object name d; material green; model { brep name tetra; } }\n"
      "\t\tdfmat red;\n\t}\n}\n",
      materials);
  ASSERT_NE(field, nullptr) << scene_.Message();
  auto* copy = dynamic_cast<GBRep*>(field->Deformed());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->material, scene_.scene().GetMaterials().Find("red"));
  field = Load(
      "{ object\n\tname f;\n\tmodel { field\n"
      "\t\tdecoration { object name d; material green; model { brep name tetra; } }\n"
      "\t\tdfmat blue;\n\t}\n}\n",
      materials);
  ASSERT_NE(field, nullptr);
  copy = dynamic_cast<GBRep*>(field->Deformed());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->material, scene_.scene().GetMaterials().Find("green"));
}

TEST_F(FieldScene, TheCopysMappingStaysWhenItsMaterialChanges) {
  scene_.scene().GetMaterials().Append(new CG_NamedMaterial("red", new CG_MaterialPhong()));
  CG_GraphicObjectCommData decorationData;
  decorationData.name = "d";
  decorationData.mapping = std::make_unique<CG_PlanarMapping>(Point3D{}, Point3D{1, 0, 0}, Point3D{0, 1, 0}, 1, 1);
  CG_BRepDescription mesh;
  mesh.name = "tetra";
  mesh.path = "tetra";
  mesh.costr = 0;
  CG_FieldDescription description;
  description.decoration = new GBRep(decorationData, mesh);
  description.decorationOwned = 1;
  description.dfmat = "red";
  description.scene = &scene_.scene();
  CG_GraphicObjectCommData data;
  data.name = "f";
  CG_Field field(data, description);
  ASSERT_NE(field.Deformed(), nullptr);
  EXPECT_EQ(field.Deformed()->MappingTest(typeid(CG_PlanarMapping)), 1);
  EXPECT_EQ(dynamic_cast<GBRep*>(field.Deformed())->material, scene_.scene().GetMaterials().Find("red"));
}

TEST_F(FieldScene, ChildrenConversionsAndNoTracing) {
  CG_Field* field = Load(FieldText("mat { rx \"1\"; }\n"));
  ASSERT_NE(field, nullptr);
  Seq<CG_GraphicObject*> children;
  ASSERT_EQ(field->GetChildren(children), 1);
  ASSERT_EQ(children.Count(), 2u);
  EXPECT_EQ(children[0], field->Object());
  EXPECT_EQ(children[1], field->Decoration());
  zavo::DeclassedParts parts;
  ASSERT_EQ(field->DeclassToFaced(parts, 0), 1);
  ASSERT_EQ(parts.Size(), 3);
  EXPECT_EQ(parts[0].object, field->Object());
  EXPECT_EQ(parts[1].object, field->Decoration());
  EXPECT_EQ(parts[2].object, field->Deformed());
  for (long i = 0; i < 3; ++i) EXPECT_EQ(parts[i].owned, 0);
  EXPECT_EQ(field->IsRayTraceable(), 0);
  EXPECT_EQ(field->IsField(), 1);
  EXPECT_EQ(field->GetBoundingObject(), nullptr);
  zavo::DeclassedParts traced;
  field->DeclassToRayTraceable(traced);
  EXPECT_EQ(traced.Size(), 0);
  zavo::DeclassedParts meshes;
  field->DeclassToIndexedMesh(meshes, 0);
  EXPECT_EQ(meshes.Size(), 0);
  EXPECT_EQ(field->Clone(), nullptr);
  Seq<CG_NamedMaterial*> materials;
  EXPECT_EQ(field->GetMaterials(materials), 0);
  std::unique_ptr<CG_GraphicObjectCommData> common = field->NewCommData();
  ASSERT_NE(common, nullptr);
  EXPECT_EQ(common->name, "f");

  // The missing parts are left out.
  ProceduralScene bare;
  ASSERT_EQ(bare.Load("{ object name f; model { field mat { rx \"1\"; } } }\n.\n"), 1);
  CG_GraphicObject* empty = bare.Find("f");
  ASSERT_EQ(empty->GetChildren(children), 1);
  EXPECT_EQ(children.Count(), 0u);
  EXPECT_EQ(empty->DeclassToFaced(parts, 0), 0);
  EXPECT_EQ(parts.Size(), 0);
  // Without an object the field acts everywhere.
  Point3D out;
  ASSERT_EQ(empty->FieldDisplacement({100, 0, 0}, out), 1);
  EXPECT_EQ(out, (Point3D{1, 0, 0}));
  ASSERT_EQ(bare.Load("{ object name f; model { field decoration { object name d; model { sphere center (0,0,0); "
                      "radius 1; } } } }\n.\n"),
            1);
  ASSERT_EQ(bare.Find("f")->GetChildren(children), 1);
  ASSERT_EQ(children.Count(), 1u);
  EXPECT_EQ(bare.Find("f")->DeclassToFaced(parts, 0), 1);
  EXPECT_EQ(parts.Size(), 2);  // the decoration and its deformed copy
}

TEST_F(FieldScene, WrittenBlocksReadBackTheSame) {
  const std::string full =
      "{ object\n\tname f;\n\tmodel \t{ field\n"
      "{ object\n\tname o;\n\tmodel { sphere\n\t\tcenter ( 0 , 0 , 0 );\n\t\tradius 5;\n\t\tdiv 6;\n\t}\n}\n"
      "\t\tdecoration \n"
      "{ object\n\tname d;\n\tmodel { sphere\n\t\tcenter ( 1 , 0 , 0 );\n\t\tradius 1;\n\t\tdiv 6;\n\t}\n}\n"
      "\t\tdfmat red;\n\t\tparam {\n\t\t\tk  value 3 from 0 to 10;\n\t\t\tj  value -0.5 from -1 to 1e+06;\n\t\t}\n"
      "\t\tmat {\n\t\t\trx \"k * x\";\n\t\t\try \"// a comment\n\t\t\t y\n/* two */ + 1\";\n\t\t\trz \"\";\n\t\t}\n"
      "\t}\n}\n";
  const std::vector<std::string> blocks = {
      full,
      // Without dfmat, object or decoration.
      "{ object\n\tname f;\n\tmodel \t{ field\n\t\tparam {\n\t\t}\n\t\tmat {\n\t\t}\n\t}\n}\n",
      "{ object\n\tname f;\n\tmodel \t{ field\n"
      "{ object\n\tname o;\n\tmodel { sphere\n\t\tcenter ( 0 , 0 , 0 );\n\t\tradius 5;\n\t\tdiv 6;\n\t}\n}\n"
      "\t\tparam {\n\t\t}\n\t\tmat {\n\t\t\trx \"1\";\n\t\t}\n\t}\n}\n",
  };
  for (const std::string& block : blocks) {
    SCOPED_TRACE(block);
    CG_Field* field = Load(block);
    ASSERT_NE(field, nullptr) << scene_.Message();
    EXPECT_EQ(Written(*field), block);
  }
  // Texts of any length are kept whole.
  const std::string sum = "7 /* " + std::string(3000, 'x') + " */";
  const std::string longBlock = "{ object\n\tname f;\n\tmodel \t{ field\n\t\tparam {\n\t\t}\n\t\tmat {\n\t\t\trx \"" +
                                sum + "\";\n\t\t}\n\t}\n}\n";
  CG_Field* longField = Load(longBlock);
  ASSERT_NE(longField, nullptr);
  EXPECT_EQ(Written(*longField), longBlock);
  Point3D d;
  ASSERT_EQ(longField->Displacement({0, 0, 0}, d), 1);
  EXPECT_EQ(d, (Point3D{7, 0, 0}));
  // An empty dfmat is not written: "dfmat ;" would not read back.
  CG_FieldDescription description;
  description.dfmat = "";
  CG_GraphicObjectCommData data;
  data.name = "f";
  CG_Field field(data, description);
  const std::string written = Written(field);
  EXPECT_EQ(written, "{ object\n\tname f;\n\tmodel \t{ field\n\t\tparam {\n\t\t}\n\t\tmat {\n\t\t}\n\t}\n}\n");
  ASSERT_NE(Load(written), nullptr);
}

TEST_F(FieldScene, ReaderErrors) {
  struct Case {
    std::string body;
    int code;
    std::string message;
    int line;
  };
  const std::vector<Case> cases = {
      {"param { k value x from 0 to 1; }", 5, "Number wanted", 4},
      {"param { k value 1 from 0 to ; }", 5, "Number wanted", 4},
      {"param { k value 1 to 0 from 1; }", 1, "Generic Error", 4},
      {"param { k 1 from 0 to 1; }", 1, "Generic Error", 4},
      {"param { k value 1 from 0 to 1 }", 1, "Generic Error", 4},
      {"mat { rx 1; }", 1, "Generic Error", 4},
      {"mat { rx \"1\" }", 1, "Generic Error", 4},
      {"mat { rx \"1\n2\n3\n\" ; ry \"2\"; }\ncolour 1;", 5, "Unknown attribute", 8},
      {"mat { rx \"1", 1, "Generic Error", 4},
      {"mat { rx \"1\n2\n3\"; }\nparam { k value x", 5, "Number wanted", 7},
      {"colour 1;", 5, "Unknown attribute", 4},
      {"{ thing name o; model { sphere center (0,0,0); radius 1; } }", 3, "Word \"object\" not found", 4},
      {"{ object name o; model { sphere center (0,0,0); } }", 1, "Generic Error", 4},
      {"decoration object name d; model { sphere center (0,0,0); radius 1; } }", 2, "Caracter '{' not found", 4},
      {"dfmat red", 2, "Caracter ';' not found", 5},
      {"mat ( rx \"1\"; }", 2, "Caracter '{' not found", 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    ProceduralScene scene;
    EXPECT_EQ(scene.Load("{ object\n\tname f;\n\tmodel { field\n" + c.body + "\n}\n}\n.\n"), 0);
    EXPECT_EQ(scene.Find("f"), nullptr);
    EXPECT_EQ(scene.Code(), c.code);
    EXPECT_EQ(scene.Message(), c.message);
    EXPECT_EQ(scene.Line(), c.line);
  }
  // Failures after nested objects were read destroy them (the sanitizer build checks).
  ProceduralScene scene;
  EXPECT_EQ(scene.Load(FieldText("param { k value x from 0 to 1; }\n") + ".\n"), 0);
  EXPECT_EQ(scene.Message(), "Number wanted");
}

TEST_F(FieldScene, ReaderAcceptsAnyModelAndAnyDfmatToken) {
  CG_Field* field = Load(
      "{ object\n\tname f;\n\tmodel { field\n"
      "\t\t{ object name o; model { transf t ( 1 , 0 , 0 ); { object name s; model { box xmin 0; xmax 1; "
      "ymin 0; ymax 1; zmin 0; zmax 1; } } } }\n"
      "\t\tdecoration { object name d; model { field mat { rx \"1\"; } } }\n"
      "\t\tdfmat 7;\n\t}\n}\n");
  ASSERT_NE(field, nullptr) << scene_.Message() << " " << scene_.Line();
  EXPECT_EQ(std::string(field->Dfmat()), "7");
  EXPECT_STREQ(field->Object()->Keyword(), "transf");
  EXPECT_STREQ(field->Decoration()->Keyword(), "field");
  EXPECT_EQ(field->Deformed(), nullptr);  // a field cannot be cloned
}

}  // namespace
