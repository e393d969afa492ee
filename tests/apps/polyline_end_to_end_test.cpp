// A polyline made by its editor module and revolved into a brep object: the
// saved scene renders and exports with zavo-render.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "apps/editor_scene_text.h"
#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "editor/modules/module_fixture.h"
#include "geometry/bitmap_manager.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// The eye at (0, 0, 10) looks down -z at the origin; a lamp beside the eye.
const std::string kScene = EditorSceneText(33, 25, kLampBesideEye);

// The number of meshes of a VRML export and the points and triangles of each.
struct Mesh {
  int points = 0;
  int triangles = 0;
  friend bool operator==(const Mesh&, const Mesh&) = default;
};
std::vector<Mesh> Meshes(const std::string& wrl) {
  std::vector<Mesh> meshes;
  int* counting = nullptr;
  for (const std::string& line : SplitLines(wrl)) {
    if (line == "\t\tCoordinate3 {") {
      meshes.emplace_back();
      counting = &meshes.back().points;
    } else if (line == "\t\tIndexedFaceSet {" && !meshes.empty()) {
      counting = &meshes.back().triangles;
    } else if (line.starts_with("\t\t\t]")) {
      counting = nullptr;
    } else if (counting != nullptr && line.starts_with("\t\t\t\t ")) {
      ++*counting;
    }
  }
  return meshes;
}

TEST(PolylineEndToEnd, ARevolvedPolylineIsSavedRenderedAndExported) {
  TempDir dir;
  const ScopedCwd cwd(dir.path());
  WriteFile(dir / "house.qz", kScene);
  ModuleDocument doc;
  EditorDriver driver(*doc.editor);
  ASSERT_EQ(driver.Request(66, "house").result, 1);

  // A new polyline from the creation request, then given the outline of a
  // body around z (as its control points are edited in the views).
  doc.fakes.listShower.AnswerText("polyline");
  doc.Answer({{"name", "profile"}});
  ASSERT_EQ(driver.Request(16).result, 1);
  CG_GraphicObject* profile = doc.editor->scene.FindObject("profile");
  ASSERT_NE(profile, nullptr);
  const Point3D outline[] = {{0.2, -1.1, 0}, {1.3, -0.4, 0}, {1.1, 0.6, 0}, {0.3, 1.2, 0}};
  ASSERT_EQ(profile->SetControlCount(4), 1);
  for (int i = 0; i < 4; ++i) profile->SetControl(i, outline[i]);

  doc.fakes.listShower.AnswerText("profile");
  doc.fakes.listShower.AnswerText("rotation");
  doc.Answer({{"brep name", "vase"}, {"ndiv", "8"}});
  ASSERT_EQ(driver.Request(39).result, 1);
  CG_GraphicObject* vase = doc.editor->scene.FindObject("vase");
  ASSERT_NE(vase, nullptr);
  EXPECT_STREQ(vase->Keyword(), "brep");
  EXPECT_NE(doc.editor->FindItem(vase), nullptr);
  EXPECT_TRUE(doc.fakes.system.messages.empty());

  // Two poles and two rings of eight; two triangles per point and ring.
  const std::vector<std::string> mesh = SplitLines(ReadFile(dir / "vase.brp"));
  ASSERT_GT(mesh.size(), 3u);
  EXPECT_EQ(mesh[2], "18");

  ASSERT_EQ(driver.Request(68, "made").result, 1);
  const Outcome run = RunIn(dir.path(), {"made.qz"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  BitmapManager image;
  ASSERT_EQ(image.Load(dir / "made.bmp"), 1);
  const Rgb background{25, 51, 153};
  EXPECT_EQ(Pixel(image, 0, 0), background);
  // The body's axis, z, projects to the middle of the picture.
  EXPECT_NE(Pixel(image, 16, 12), background);

  std::string saved = ReadFile(dir / "made.qz");
  const std::string mode = "render raytracing;";
  const std::size_t param = saved.find(mode);
  ASSERT_NE(param, std::string::npos) << saved;
  saved.replace(param, mode.size(), "render vrml;");
  WriteFile(dir / "export.qz", saved);
  const Outcome exported = RunIn(dir.path(), {"export.qz"});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  // The vase is one mesh among those of the scene's camera object.
  const std::vector<Mesh> meshes = Meshes(ReadFile(dir / "export.wrl"));
  EXPECT_EQ(std::count(meshes.begin(), meshes.end(), Mesh{18, 32}), 1) << meshes.size();
}

}  // namespace
}  // namespace zavo::test
