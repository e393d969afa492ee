// Scene texts with the model types of the full registry, from text to objects
// and back to text.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "common/temp_dir.h"
#include "models/core/box.h"
#include "models/core/brep.h"
#include "models/core/cone.h"
#include "models/core/cylinder.h"
#include "models/core/quadric.h"
#include "models/core/sphere.h"
#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

using zavo::test::ScopedCwd;
using zavo::test::TempDir;
using zavo::test::WriteFile;

const char kScene[] =
    "{ material name gold; model { phong Od (1,0.8,0); } }\n"
    "{ object name ball; material gold; model { sphere center ( 1 , 2 , 3 ); radius 2; div 7.9; } }\n"
    "{ object name crate; IDname A; toll 0.5; model { box xmin 1; xmax -1; ymin 0; ymax 2; zmin 0; zmax 3; } }\n"
    "{ object name tri; model { brep model { pbrep vertices 3 0 0 0 1 0 0 0 1 0 faces 1 { 1 { 3 0 1 *2 } } }\n"
    "    costr 0; interp 1; interp_ang 0.25; } }\n"
    "{ object name mesh; model { brep name cube; abspos 1; algoritm 2; } }\n"
    "{ object name pipe; material gold; model { cylinder high 2; div 3; } }\n"
    "{ object name cap; model { cone radius 1; high 1; } }\n"
    "{ object name bowl; model { quad a 1; b 1; i -1; } }\n"
    ".\n";

const char kCube[] =
    "{ pbrep vertices 8 0 0 0 1 0 0 1 1 0 0 1 0 0 0 1 1 0 1 1 1 1 0 1 1\n"
    "faces 6 { 1 { 4 0 3 2 1 } } { 1 { 4 4 5 6 7 } } { 1 { 4 0 1 5 4 } }\n"
    "{ 1 { 4 1 2 6 5 } } { 1 { 4 2 3 7 6 } } { 1 { 4 3 0 4 7 } } }\n";

std::string WriteScene(const CG_GraphicScene& scene) {
  std::ostringstream os;
  scene.Write(os);
  return os.str();
}

std::map<std::string, std::string> ObjectTexts(const CG_GraphicScene& scene) {
  std::map<std::string, std::string> texts;
  for (const CG_GraphicObject& object : scene.GetObjects()) {
    std::ostringstream os;
    object.Write(os);
    texts[object.name.Text()] = os.str();
  }
  return texts;
}

TEST(SceneModels, ASceneOfEveryCoreModelTypeLoadsWritesAndLoadsAgain) {
  TempDir dir;
  ScopedCwd cwd(dir.path());
  WriteFile(dir / "cube.brp", kCube);
  CG_ModelRegistry registry;
  BuildRegistry(registry);

  CG_GraphicScene first(registry);
  std::istringstream in(kScene);
  ASSERT_EQ(first.Load(in), 1) << first.GetErrorMessage() << " at line " << first.GetErrorLine();
  EXPECT_EQ(first.GetErrorCode(), 0);
  EXPECT_NE(dynamic_cast<GSphere*>(first.FindObject("ball")), nullptr);
  EXPECT_NE(dynamic_cast<GBox*>(first.FindObject("crate")), nullptr);
  auto* tri = dynamic_cast<GBRep*>(first.FindObject("tri"));
  auto* mesh = dynamic_cast<GBRep*>(first.FindObject("mesh"));
  ASSERT_NE(tri, nullptr);
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(tri->IsInline(), 1);
  EXPECT_EQ(mesh->IsInline(), 0);
  EXPECT_EQ(mesh->IsTriangleMesh(), 0);
  EXPECT_EQ(first.FindObject("crate")->toll, 0.5);
  EXPECT_NE(dynamic_cast<GCylinder*>(first.FindObject("pipe")), nullptr);
  EXPECT_NE(dynamic_cast<CG_Cone*>(first.FindObject("cap")), nullptr);
  EXPECT_NE(dynamic_cast<GQuad*>(first.FindObject("bowl")), nullptr);
  // The "auto" build of a small mesh keeps no cache.
  EXPECT_FALSE(std::filesystem::exists(dir / "cube.br_"));

  const std::string written = WriteScene(first);
  CG_GraphicScene second(registry);
  std::istringstream again(written);
  ASSERT_EQ(second.Load(again), 1) << second.GetErrorMessage() << " at line " << second.GetErrorLine();
  EXPECT_EQ(ObjectTexts(second), ObjectTexts(first));
  EXPECT_EQ(ObjectTexts(first).size(), 7u);
  EXPECT_EQ(WriteScene(second), written);
}

TEST(SceneModels, ErrorsOfTheModelReadersReachTheScene) {
  TempDir dir;
  ScopedCwd cwd(dir.path());
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  CG_GraphicScene scene(registry);
  std::istringstream in("{ object name s; model { sphere center ( 0 , 0 , 0 );\nradius x; } }\n.\n");
  EXPECT_EQ(scene.Load(in), 0);
  EXPECT_EQ(scene.GetErrorCode(), 5);
  EXPECT_EQ(std::string(scene.GetErrorMessage()), "Number wanted");
  EXPECT_EQ(scene.GetErrorLine(), 2);

  std::istringstream quad("{ object name q; model { quad a 1;\nk 2; } }\n.\n");
  EXPECT_EQ(scene.Load(quad), 0);
  EXPECT_EQ(scene.GetErrorCode(), 1);
  EXPECT_EQ(std::string(scene.GetErrorMessage()), "Generic Error");
  EXPECT_EQ(scene.GetErrorLine(), 2);

  std::istringstream cylinder("{ object name c; model { cylinder radius 1;\nhigh 2 div 3; } }\n.\n");
  EXPECT_EQ(scene.Load(cylinder), 0);
  EXPECT_EQ(scene.GetErrorCode(), 2);
  EXPECT_EQ(std::string(scene.GetErrorMessage()), "Caracter ';' not found");
  EXPECT_EQ(scene.GetErrorLine(), 2);

  std::istringstream missing("{ object name m; model { brep name cube; } }\n.\n");
  EXPECT_EQ(scene.Load(missing), 0);
  EXPECT_EQ(scene.GetErrorCode(), 4);
  EXPECT_EQ(std::string(scene.GetErrorMessage()), "file \"cube.brp\" not found in model path");
}

}  // namespace
