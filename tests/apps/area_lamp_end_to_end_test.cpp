// An area lamp made by its editor module above a sphere, headless: saved
// through the document, rendered by zavo-render, its depth changed through
// the module's dialog and rendered again.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "apps/editor_scene_text.h"
#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "editor/modules/module_fixture.h"
#include "geometry/bitmap_manager.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// The eye at (0, 0, 10) looks down -z at a sphere of radius 1.5 at the
// origin; no lamp; the background dark blue.
const std::string kScene =
    EditorSceneText(64, 48, "{ object\n\tname ball;\n\tmaterial standard;\n\tmodel { sphere center ( 0 , 0 , 0 ); radius 1.5; div 6; }\n}\n");

// The image's centre pixel after zavo-render rendered name.qz in dir.
Rgb RenderedCentre(const fs::path& dir, const std::string& name) {
  const Outcome run = RunIn(dir, {name + ".qz"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  BitmapManager image;
  if (image.Load(dir / (name + ".bmp")) != 1) {
    ADD_FAILURE() << "no image " << name;
    return {};
  }
  EXPECT_EQ(image.Width(), 64);
  EXPECT_EQ(image.Height(), 48);
  return Pixel(image, 32, 24);
}

TEST(AreaLampEndToEnd, ALampMadeAboveTheSphereLightsItAtEveryDepth) {
  TempDir dir;
  const ScopedCwd cwd(dir.path());
  {
    std::ofstream out(dir / "house.qz");
    out << kScene;
  }
  ModuleDocument doc;
  EditorDriver driver(*doc.editor);
  ASSERT_EQ(driver.Request(66, "house").result, 1);
  const Rgb background{25, 51, 153};
  const Rgb dark = RenderedCentre(dir.path(), "house");
  EXPECT_NE(dark, background) << "the sphere covers the image centre";

  // A click in the Front view (x -6..6, z -2..6 once fitted) at x 0, z 4:
  // the lamp's square of half diagonal 1.8 lies in the plane z = 4.
  doc.SetBox(2, {-6, -6, -6}, {6, 6, 10});
  doc.editor->activeView = 2;
  doc.editor->creationClick = 1;
  doc.editor->creationView = 2;
  doc.editor->creationX = 100;
  doc.editor->creationY = 25;
  doc.Answer({{"name", "panel"}});
  ASSERT_EQ(doc.editor->AddObjectToEditor(doc.Object("arealamp").Create(*doc.editor)), 1);
  doc.editor->creationClick = 0;

  ASSERT_EQ(driver.Request(68, "lit").result, 1);
  const std::string saved = ReadFile(dir / "lit.qz");
  EXPECT_NE(saved.find("\tmodel { arealamp\n\t\tp ( 1.8 , 0 , 4 );\n\t\tp ( 0 , 1.8 , 4 );\n"
                       "\t\tp ( -1.8 , 0 , 4 );\n\t\tp ( 0 , -1.8 , 4 );\n\t\tdepth 2;\n"),
            std::string::npos)
      << saved;
  const Rgb lit = RenderedCentre(dir.path(), "lit");
  EXPECT_GT(lit.r + lit.g + lit.b, dark.r + dark.g + dark.b) << lit << " " << dark;

  // Depths as the user types them, none refused.
  for (const char* depth : {"3", "0", "-1"}) {
    SCOPED_TRACE(depth);
    doc.Answer({{"depth", depth}});
    ASSERT_EQ(doc.editor->ModifyObjectNamed("panel"), 1);
    const std::string name = std::string("depth") + (depth[0] == '-' ? "m1" : depth);
    ASSERT_EQ(driver.Request(68, name.c_str()).result, 1);
    EXPECT_NE(ReadFile(dir / (name + ".qz")).find(std::string("\t\tdepth ") + depth + ";\n"), std::string::npos);
    EXPECT_NE(RenderedCentre(dir.path(), name), background);
  }
}

}  // namespace
}  // namespace zavo::test
