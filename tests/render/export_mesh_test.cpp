// The VRML, DXF and TGL exports.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "common/temp_dir.h"
#include "models/registry.h"
#include "render/export_tgl.h"
#include "render/mesh_fixtures.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

using zavo::test::BareObject;
using zavo::test::Coloured;
using zavo::test::FixedLamp;
using zavo::test::MeshObject;
using zavo::test::PartsObject;
using zavo::test::ReadFile;
using zavo::test::RecordingInterface;
using zavo::test::TempDir;

class MeshExportTest : public ::testing::Test {
protected:
  MeshExportTest() : scene(registry) {
    BuildRegistry(registry);
    scene.SetInterface(&ui);
    scene.SetName((dir / "scene").c_str());
  }

  void Add(std::unique_ptr<CG_GraphicObject> object) { ASSERT_EQ(scene.AddObject(std::move(object)), 1); }

  // One triangle 1, 2, 3 of the given name and material.
  std::unique_ptr<MeshObject> Triangle(const char* name, CG_Material* material = nullptr) {
    return std::make_unique<MeshObject>(
        name, std::vector<Point3D>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0.5}},
        std::vector<zavo::test::Triangle3>{{1, 2, 3}}, material);
  }

  TempDir dir;
  CG_ModelRegistry registry;
  CG_GraphicScene scene;
  RecordingInterface ui;
};

TEST_F(MeshExportTest, VrmlFileOfCameraLampsAndMeshes) {
  auto red = Coloured(1, 0, 0);
  scene.GetViewReference().vrp = Point3D{1, 2, 3};
  scene.GetViewReference().vpn = Point3D{1, 1, 0};  // the orientation ignores the view
  ASSERT_EQ(scene.AddLight(std::make_unique<FixedLamp>("sun", Point3D{4, 5, 6.5})), 1);
  Add(Triangle("t", red.get()));
  // A hidden edge's negative number still names its vertex; no material: grey.
  Add(std::make_unique<MeshObject>(
      "q", std::vector<Point3D>{{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}},
      std::vector<zavo::test::Triangle3>{{1, -2, 3}, {-1, 3, -4}}));
  ASSERT_EQ(scene.ExportVRML(), 1);

  EXPECT_EQ(ReadFile(dir / "scene.wrl"),
            "#VRML V1.0 ascii\n"
            "Separator {\n"
            "Separator {\n"
            "\tPerspectiveCamera {\n"
            "\t\tposition\t1 2 3\n"
            "\t\torientation\t1 0 0 3.14159\n"
            "\t\theightAngle\t0.785398\n"
            "\t}\n"
            "\tPointLight {\n"
            "\tlocation 4 5 6.5\n"
            "\t}\n"
            "\tSeparator {\n"
            "\t\tMaterial { diffuseColor 1 0 0 }\n"
            "\t\tCoordinate3 {\n"
            "\t\t\tpoint [\n"
            "\t\t\t\t 0 0 0 ,\n"
            "\t\t\t\t 1 0 0 ,\n"
            "\t\t\t\t 0 1 0.5 \n"
            "\t\t\t]\n"
            "\t\t}\n"
            "\t\tIndexedFaceSet {\n"
            "\t\t\tcoordIndex [\n"
            "\t\t\t\t 0 , 1 , 2 , -1\n"
            "\t\t\t]\n"
            "\t\t}\n"
            "\t}\n"
            "\tSeparator {\n"
            "\t\tMaterial { diffuseColor 0.5 0.5 0.5 }\n"
            "\t\tCoordinate3 {\n"
            "\t\t\tpoint [\n"
            "\t\t\t\t 0 0 0 ,\n"
            "\t\t\t\t 2 0 0 ,\n"
            "\t\t\t\t 2 2 0 ,\n"
            "\t\t\t\t 0 2 0 \n"
            "\t\t\t]\n"
            "\t\t}\n"
            "\t\tIndexedFaceSet {\n"
            "\t\t\tcoordIndex [\n"
            "\t\t\t\t 0 , 1 , 2 , -1,\n"
            "\t\t\t\t 0 , 2 , 3 , -1\n"
            "\t\t\t]\n"
            "\t\t}\n"
            "\t}\n"
            "}\n"
            "}\n");
  EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Creating VRML file", ""}));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MeshExportTest, VrmlLightsOnlyLampsOfTheLampList) {
  auto lampObject = Triangle("bulb");
  lampObject->lamp = 1;
  Add(std::move(lampObject));
  ASSERT_EQ(scene.ExportVRML(), 1);
  const std::string text = ReadFile(dir / "scene.wrl");
  EXPECT_EQ(text.find("PointLight"), std::string::npos);
  EXPECT_NE(text.find("\t\t\t\t 0 , 1 , 2 , -1\n"), std::string::npos);
}

TEST_F(MeshExportTest, DeclassedPartsAreWrittenInOrderAndOwnedOnesDestroyed) {
  auto a = Coloured(0, 1, 0);
  const int before = MeshObject::alive;
  {
    std::vector<MeshObject> meshes;
    meshes.push_back(*Triangle("part", a.get()));
    meshes.push_back(*Triangle("part"));
    Add(std::make_unique<PartsObject>("owner", meshes, 1));
    Add(std::make_unique<PartsObject>("kept", std::move(meshes), 0));
  }
  Add(std::make_unique<BareObject>("nothing"));
  const int withScene = MeshObject::alive;
  ASSERT_EQ(scene.ExportVRML(), 1);
  // The owned copies are gone; the parts that stay with their object remain.
  EXPECT_EQ(MeshObject::alive, withScene);
  EXPECT_EQ(withScene - before, 4);
  const std::string text = ReadFile(dir / "scene.wrl");
  std::size_t blocks = 0;
  for (std::size_t at = text.find("\tSeparator {\n"); at != std::string::npos;
       at = text.find("\tSeparator {\n", at + 1)) {
    ++blocks;
  }
  EXPECT_EQ(blocks, 4u);
  EXPECT_LT(text.find("diffuseColor 0 1 0"), text.find("diffuseColor 0.5 0.5 0.5"));
}

TEST_F(MeshExportTest, DxfPolylinesWithLayersAndSignedFaceNumbers) {
  Add(std::make_unique<MeshObject>(
      "m", std::vector<Point3D>{{0, 0, 0}, {1.5, 0, 0}, {0, 1, -2}},
      std::vector<zavo::test::Triangle3>{{1, -2, 3}}));
  std::vector<MeshObject> meshes;
  meshes.push_back(MeshObject("p", {{0, 0, 0}}, {}));
  meshes.push_back(MeshObject("p", {}, {}));
  Add(std::make_unique<PartsObject>("g", std::move(meshes)));
  ASSERT_EQ(scene.ExportDXF(), 1);

  const std::string vertex = "0\nVERTEX\n8\nm\n10\n";
  EXPECT_EQ(ReadFile(dir / "scene.dxf"),
            "0\nSECTION\n2\nENTITIES\n"
            "0\nPOLYLINE\n8\nm\n66\n1\n70\n64\n71\n3\n72\n1\n" +
                vertex + "0\n20\n0\n30\n0\n70\n192\n" +
                vertex + "1.5\n20\n0\n30\n0\n70\n192\n" +
                vertex + "0\n20\n1\n30\n-2\n70\n192\n" +
                "0\nVERTEX\n8\nm\n10\n0\n20\n0\n30\n0\n70\n128\n71\n1\n72\n-2\n73\n3\n"
                "0\nSEQEND\n"
                "0\nPOLYLINE\n8\ng_0\n66\n1\n70\n64\n71\n1\n72\n0\n"
                "0\nVERTEX\n8\ng_0\n10\n0\n20\n0\n30\n0\n70\n192\n"
                "0\nSEQEND\n"
                "0\nPOLYLINE\n8\ng_1\n66\n1\n70\n64\n71\n0\n72\n0\n"
                "0\nSEQEND\n"
                "0\nENDSEC\n0\nEOF\n");
  EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Creating DXF file", ""}));
}

TEST_F(MeshExportTest, TglFileOfSizeMatrixAndTriangles) {
  // The default view is parallel: with the planes at 0 and -10000 its matrix
  // is x 2 - 1, y 2 - 1, z / 10000.
  auto blue = Coloured(0, 0, 1);
  Add(std::make_unique<MeshObject>(
      "m", std::vector<Point3D>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 1}},
      std::vector<zavo::test::Triangle3>{{1, -2, 3}, {-4, 3, 2}}, blue.get()));
  ASSERT_EQ(scene.ExportTGL(), 1);
  EXPECT_EQ(ReadFile(dir / "scene.tgl"),
            "100\n100\n"
            "2 0 0 0 0 2 0 0 0 0 0.0001 0 -1 -1 0 1 \n"
            "0 0 0\n1 0 0\n0 1 0\n0 0 1\n"
            "1 1 1\n0 1 0\n1 0 0\n0 0 1\n");
  EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Creating TGL file", ""}));
  // The planes were set for the matrix only.
  EXPECT_EQ(scene.GetViewReference(), CG_ViewReference());
}

TEST(TglMatrix, ScalesOfTheImageSize) {
  CG_ViewReference view;
  view.type = 1;
  view.prp = Point3D{0.5, 0.5, 4};
  view.f = 7;  // replaced by 0 for the matrix
  view.fon = 0;
  CG_ViewReference planes = view;
  planes.f = 0;
  planes.b = -10000;
  planes.fon = 1;
  planes.bon = 1;
  Transformation base;
  ComposeTransformations(base, planes.PerspectiveToParallelMatrix(), planes.PerspectiveMatrix());

  struct Case {
    int dimx, dimy;
    double yScale;  // of row 1; the other rows stay
  } cases[] = {
      {100, 100, 1},        // square: both scales 1
      {200, 100, 0.5 * 2},  // 0.5 (reals), then 100 / 50
      {100, 200, 2},        // no first scale; 100 / 50
      {300, 200, 2.0 / 3},  // 2/3, then the integer quotient 150 / 100 = 1
      {201, 100, 100.0 / 201 * 2},
      {1, 1, 1},            // a half of 0: no second scale
      {3, 1, 1.0 / 3},
      {1, 3, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.dimx) + " x " + std::to_string(c.dimy));
    const Transformation t = zavo::TGLViewMatrix(view, c.dimx, c.dimy);
    for (int r = 0; r < 4; ++r) {
      for (int k = 0; k < 4; ++k) {
        ASSERT_TRUE(std::isfinite(t(r, k)));
        EXPECT_DOUBLE_EQ(t(r, k), (r == 1 ? c.yScale : 1) * base(r, k)) << r << ", " << k;
      }
    }
  }
  // A parallel view takes the parallel matrix.
  view.type = 0;
  const Transformation parallel = zavo::TGLViewMatrix(view, 100, 100);
  const Transformation expected = planes.ParallelMatrix();
  for (int r = 0; r < 4; ++r) {
    for (int k = 0; k < 4; ++k) EXPECT_DOUBLE_EQ(parallel(r, k), expected(r, k));
  }
}

TEST_F(MeshExportTest, OutputNameAndWriteFailures) {
  Add(Triangle("t"));
  // The output image name wins over the scene name.
  scene.SetOutputImage((dir / "other").c_str());
  ASSERT_EQ(scene.ExportDXF(), 1);
  EXPECT_TRUE(std::filesystem::exists(dir / "other.dxf"));
  EXPECT_FALSE(std::filesystem::exists(dir / "scene.dxf"));

  // A file that cannot be replaced: a directory stands in its place.
  scene.ClearOutputImage();
  std::filesystem::create_directory(dir / "scene.wrl");
  zavo::test::WriteFile(dir / "scene.wrl" / "inside", "kept");
  const std::string missing = (dir / "missing" / "scene").string();
  struct Case {
    const char* what;
    std::string name;
    int (CG_GraphicScene::*run)();
    std::string file;
  } cases[] = {
      {"vrml", (dir / "scene").string(), &CG_GraphicScene::ExportVRML, (dir / "scene.wrl").string()},
      {"dxf", missing, &CG_GraphicScene::ExportDXF, missing + ".dxf"},
      {"tgl", missing, &CG_GraphicScene::ExportTGL, missing + ".tgl"},
      {"analysis", missing, &CG_GraphicScene::ExportAnalysis, missing + ".ana"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui.messages.clear();
    scene.SetName(c.name.c_str());
    EXPECT_EQ((scene.*c.run)(), 0);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Cannot write " + c.file});
  }
  EXPECT_EQ(ReadFile(dir / "scene.wrl" / "inside"), "kept");
  // No temporary file is left behind.
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 2);  // other.dxf and the directory scene.wrl

  // A scene without any name writes nothing.
  ui.messages.clear();
  scene.SetName(nullptr);
  EXPECT_EQ(scene.ExportTGL(), 0);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Cannot write .tgl"});
}

}  // namespace
