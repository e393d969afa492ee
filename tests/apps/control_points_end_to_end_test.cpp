// A control point of a boundary mesh kept in its own file, moved in the
// editor and seen by the renderer: the mesh file is rewritten, and the
// rendered picture shows the mesh where the point went.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "apps/editor_scene_text.h"
#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "editor/modules/control_point_fixture.h"
#include "geometry/bitmap_manager.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// A quad of two triangles in the plane z = 0.
const char kQuad[] =
    "{ pbrep\nvertices 4  -1.1 -0.9 0  1.2 -1 0  1 1.1 0  -0.9 1.2 0\n"
    "faces 2\n{ 1 { 3 0 1 2 } } { 1 { 3 0 2 3 } }\n}\n";

// The eye at (0, 0, 10) looks down -z at the origin, with a lamp beside it;
// 33 x 25 pixels over the window -3.2..3.2 by -2.4..2.4 of the plane z = 0.
const std::string kScene =
    EditorSceneText(33, 25, std::string(kLampBesideEye) + "{ object\n\tname quad;\n\tmaterial standard;\n\tmodel { brep name quad; }\n}\n");

// Renders house.qz and answers the colour of the pixel at (2.08, 1.52, 0):
// column (2.08 + 3.2) / 6.4 * 33, row (2.4 - 1.52) / 4.8 * 25.
Rgb RenderedNearTheNewCorner(const fs::path& dir) {
  const Outcome run = RunIn(dir, {"house.qz"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  BitmapManager image;
  EXPECT_EQ(image.Load(dir / "house.bmp"), 1);
  return Pixel(image, 27, 4);
}

TEST(ControlPointsEndToEnd, AMovedMeshPointIsWrittenToItsFileAndRendered) {
  TempDir dir;
  const ScopedCwd cwd(dir.path());
  WriteFile(dir / "quad.brp", kQuad);
  WriteFile(dir / "house.qz", kScene);
  const Rgb background{25, 51, 153};
  EXPECT_EQ(RenderedNearTheNewCorner(dir.path()), background);

  ControlPointDocument doc;
  EditorDriver driver(*doc.editor);
  ASSERT_EQ(driver.Request(66, "house").result, 1);
  for (int view = 0; view < 4; ++view) doc.SetBox(view, {-10, -10, -10}, {10, 10, 10});
  doc.editor->activeView = 0;
  doc.SelectMesh();
  // Point 2 (1, 1.1) is at (110, 61) of the Top view; (126, 69) is (2.6, 1.9).
  driver.LeftClick(0, 110, 61);
  driver.Move(0, 126, 69);
  EXPECT_EQ(driver.Request(48, nullptr, 'm').result, 1);
  EXPECT_TRUE(doc.fakes.system.messages.empty());

  const std::string written = ReadFile(dir / "quad.brp");
  EXPECT_NE(written.find("2.6 1.9 0"), std::string::npos) << written;
  EXPECT_FALSE(fs::exists(dir / "quad.br_"));
  EXPECT_NE(RenderedNearTheNewCorner(dir.path()), background);
}

}  // namespace
}  // namespace zavo::test
