// A camera made and aimed with the camera module in the headless editor,
// through the editor's requests and mouse records, then saved and rendered
// by zavo-render from that camera.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "apps/editor_scene_text.h"
#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "editor/modules/module_fixture.h"
#include "geometry/bitmap_manager.h"
#include "scene/view_reference.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// A ball at (6.3, 1, 1) with a lamp behind the new camera's place; the
// scene's own camera looks down at the origin from far above. Background
// dark blue.
const std::string kScene = EditorSceneText(
    33, 25,
    "{ object\n\tname ball;\n\tmaterial standard;\n\tmodel { sphere center ( 6.3 , 1 , 1 ); radius 1.7; }\n}\n"
    "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( -2.5 , 3 , 4 );\n\tcolor (1,1,1);\n}\n}\n",
    "-3 , -1.5 , 0", "0 , 0 , 30");

TEST(CameraModuleEndToEnd, ACameraMadeAimedAndSetRendersTheScene) {
  TempDir dir;
  const ScopedCwd cwd(dir.path());
  {
    std::ofstream out(dir / "room.qz");
    out << kScene;
  }
  ModuleDocument doc;
  EditorDriver driver(*doc.editor);
  ASSERT_EQ(driver.Request(66, "room").result, 1);
  // The Top view shows x -5..7 and y -0.5..2.5 (its window fitted to 200 x 100).
  doc.SetBox(0, {-5, -2, -2}, {7, 4, 4});
  doc.editor->activeView = 0;

  // "camera" among the types; the new camera stands at (1, 1, 1) looking along x.
  doc.fakes.listShower.AnswerText("camera");
  doc.Answer({{"name", "cam2"}});
  EXPECT_EQ(driver.Request(16).result, 1);
  CG_GraphicObject* cam2 = doc.editor->scene.FindObject("cam2");
  ASSERT_NE(cam2, nullptr);

  // Selected by a click on its glyph (the box x 0..2, y 0..2: its left edge is
  // pixel column 83), its VRP chosen at pixel (100, 50) and named on release.
  driver.LeftClick(0, 95, 60);
  ASSERT_FALSE(doc.editor->selection.IsEmpty());
  doc.fakes.system.statuses.clear();
  driver.LeftClick(0, 100, 50);
  EXPECT_EQ(doc.fakes.system.statuses, std::vector<std::string>{"VRP"});
  // 'm' with the pointer at (130, 30): the VRP goes to (2.8, 0.4), z kept.
  driver.Move(0, 130, 30);
  EXPECT_EQ(driver.Request(48, nullptr, 'm').result, 1);
  cam2 = doc.editor->scene.FindObject("cam2");
  CG_ViewReference view;
  ASSERT_EQ(cam2->GetView(view), 1);
  EXPECT_NEAR(view.vrp.x, 2.8, 1e-9);
  EXPECT_NEAR(view.vrp.y, 0.4, 1e-9);
  EXPECT_EQ(view.vrp.z, 1.0);
  // A click away drops the handle on its press and ends the editing on its
  // release.
  driver.LeftClick(0, 150, 90);
  EXPECT_TRUE(doc.editor->selection.IsEmpty());

  // "General" for a 64 x 48 image, window 2 high, focal distance 2; then "Set".
  doc.fakes.listShower.AnswerText("cam2");
  doc.fakes.listShower.AnswerText("General");
  doc.fakes.multiEdit.AnswerTexts({"64", "48", "2", "2"});
  EXPECT_EQ(driver.Request(39).result, 1);
  doc.fakes.listShower.AnswerText("cam2");
  doc.fakes.listShower.AnswerText("Set");
  EXPECT_EQ(driver.Request(39).result, 1);
  EXPECT_EQ(doc.editor->scene.GetCurrentCamera(), doc.editor->scene.FindObject("cam2"));
  EXPECT_TRUE(doc.fakes.system.messages.empty());

  ASSERT_EQ(driver.Request(68, "shot").result, 1);
  const std::string saved = ReadFile(dir / "shot.qz");
  EXPECT_NE(saved.find("CameraInUse cam2"), std::string::npos) << saved;
  const Outcome run = RunIn(dir.path(), {"shot.qz"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  BitmapManager image;
  ASSERT_EQ(image.Load(dir / "shot.bmp"), 1);
  ASSERT_EQ(image.Width(), 64);
  ASSERT_EQ(image.Height(), 48);
  const Rgb background{25, 51, 153};
  EXPECT_EQ(Pixel(image, 0, 0), background);
  EXPECT_EQ(Pixel(image, 63, 47), background);
  // From the eye at (0.8, 0.4, 1), 2 behind the VRP, the ball covers the middle.
  EXPECT_NE(Pixel(image, 32, 24), background);
}

}  // namespace
}  // namespace zavo::test
