// Curves take no part in the preview and the mesh exports: a scene with one
// curve of each type beside a sphere gives the same files as the sphere alone.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "common/temp_dir.h"
#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

using zavo::test::ReadFile;
using zavo::test::ScopedCwd;
using zavo::test::TempDir;

const char kSphere[] =
    "{ param dimx 40; dimy 30; }\n"
    "{ material name gold; model { phong Od (1,0.8,0); } }\n"
    "{ object name ball; material gold; model { sphere center ( 0 , 0 , 5 ); radius 2; } }\n";

// Control points spanning (-5, -5, 4) to (5, 5, 6), in front of the camera.
const char kCurves[] =
    "{ object name nurbs; material gold; model { NURBScurve order 3; ncontrol 3;\n"
    "  control { ( -5 , -5 , 4 ) , 1; ( 0 , 5 , 5 ) , 0.707107; ( 5 , -5 , 6 ) , 1; }\n"
    "  knots { 0; 0; 0; 1; 1; 1; } } }\n"
    "{ object name bezier; material gold; model { beziercurve ncontrol 4;\n"
    "  control { ( -5 , 5 , 6 ) , 1; ( -2 , -5 , 5 ) , 1; ( 2 , 5 , 5 ) , 1; ( 5 , -5 , 4 ) , 1; } } }\n"
    "{ object name line; material gold; model { polyline open 0; p ( -5 , -5 , 4 ); p ( 5 , 0 , 5 ); p ( 0 , 5 , 6 ); "
    "} }\n"
    "{ object name graph; model { deformgraph\n"
    "  size { object name profile; material gold; model { polyline p ( -5 , -5 , 5 ); p ( 5 , 5 , 5 ); } } } }\n";

// Loads the text as the scene "<dir>/<name>" looking at the sphere.
void LoadScene(CG_GraphicScene& scene, const std::string& text, const TempDir& dir, const char* name) {
  std::istringstream in(text + ".\n");
  ASSERT_EQ(scene.Load(in), 1) << scene.GetErrorMessage() << " at line " << scene.GetErrorLine();
  scene.SetName((dir / name).c_str());
  CG_ViewReference& view = scene.GetViewReference();
  view.vrp = Point3D{0, 0, 0};
  view.vpn = Point3D{0, 0, 1};
  view.vup = Point3D{0, 1, 0};
  view.prp = Point3D{0, 0, -4};
  view.umin = -1;
  view.umax = 1;
  view.vmin = -1;
  view.vmax = 1;
  view.type = 1;
}

int CountLines(const std::string& text, const std::string& part) {
  int count = 0;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) count += line.find(part) != std::string::npos;
  return count;
}

TEST(CurveExports, CurvesAddNothingToThePreviewAndTheMeshExports) {
  TempDir dir;
  ScopedCwd cwd(dir.path());
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  CG_GraphicScene alone(registry);
  CG_GraphicScene withCurves(registry);
  std::string both = kSphere;
  both += kCurves;
  ASSERT_NO_FATAL_FAILURE(LoadScene(alone, kSphere, dir, "alone"));
  ASSERT_NO_FATAL_FAILURE(LoadScene(withCurves, both, dir, "curves"));
  ASSERT_NE(withCurves.FindObject("graph"), nullptr);

  for (CG_GraphicScene* scene : {&alone, &withCurves}) {
    EXPECT_EQ(scene->ExportVRML(), 1);
    EXPECT_EQ(scene->ExportDXF(), 1);
    EXPECT_EQ(scene->ExportTGL(), 1);
    EXPECT_EQ(scene->CreatePreview(), 1);
  }
  for (const char* extension : {".wrl", ".dxf", ".tgl", ".bmp"}) {
    SCOPED_TRACE(extension);
    const std::string expected = ReadFile(dir / (std::string("alone") + extension));
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(ReadFile(dir / (std::string("curves") + extension)) == expected);
  }
  // The sphere's block: 7 x 7 points and 72 triangles.
  const std::string vrml = ReadFile(dir / "curves.wrl");
  EXPECT_EQ(CountLines(vrml, " , -1"), 72);
  EXPECT_EQ(CountLines(vrml, "\t\t\t\t "), 49 + 72);
}

}  // namespace
