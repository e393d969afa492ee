// The window shell's start-up scripted against the fakes of the editor's
// interfaces, then a scene read into the document and rendered by request 4:
// the image equals the one zavo-render writes for the same scene text.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "editor/graphic_editor.h"
#include "editor/views/raster_image.h"
#include "editor_fakes.h"
#include "geometry/bitmap_manager.h"
#include "models/core/camera.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// The eye at (0, 0, 10) looks down -z at a green ball lit from the eye.
const char kScene[] =
    "{ vrc\n\tvrp ( 0 , 0 , 0 );\n\tprp ( 0 , 0 , 10 );\n\tvup ( 0 , 1 , 0 );\n\tvpn ( 0 , 0 , 1 );\n"
    "\tumax 1.6;\n\tumin -1.6;\n\tvmax 1;\n\tvmin -1;\n\ttype 1;\n\tf 1;\n\tb 0;\n\tfon 0;\n\tbon 0;\n}\n"
    "{ param\n  dimx 21;\n  dimy 13;\n  backcolor (0.1,0.2,0.6);\n}\n"
    "{ material\n\tname green;\n\tmodel { phong Ka 0.1; Kd 0.8; Ks 0.3; Od (0.2,0.9,0.1); }\n}\n"
    "{ object\n\tname ball;\n\tmaterial green;\n\tmodel { sphere center ( 0.3 , -0.2 , -3 ); radius 1.1; }\n}\n"
    "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 2.5 , 3 , 10 );\n\tcolor (1,1,1);\n}\n}\n.\n";

TEST(EditorStartup, ShellStartUpThenRequestFourRendersLikeZavoRender) {
  TempDir work;
  TempDir library;
  fs::create_directories(library.path() / "object");
  WriteFile(library.path() / "object" / "camera.qz",
            "{ object\n\tname __camera__;\n\tmodel { box\n\t\txmin -0.4;\n\t\txmax 0.4;\n\t\tymin -0.3;\n"
            "\t\tymax 0.3;\n\t\tzmin -0.7;\n\t\tzmax 0.7;\n\t}\n}\n.\n");

  ScopedFakeModuleFactory factory;
  // The document keeps its Prolog log in the working folder of its start.
  VirtualEditor holder([&] {
    ScopedCwd start(work.path());
    return CG_GraphicEditor::Create(0);
  }());
  BackToEditor& editor = *holder;
  EditorFakes fakes;
  // The seven interfaces in the shell's order.
  editor.SetGraphicSystem(&fakes.system);
  editor.SetMultiEdit(&fakes.multiEdit);
  editor.SetListShower(&fakes.listShower);
  editor.SetWinSupp(&fakes.winSupp);
  editor.SetDialog(&fakes.dialog);
  editor.SetConsole(&fakes.console);
  editor.SetFlyMenu(&fakes.flyMenu);

  // The settings file names the library directory that request 81 gets.
  fakes.winSupp.settings[{"Dir", "LibraryDir"}] = library.path().string();

  EditorDriver driver(editor);
  driver.Request(1, "models");
  driver.Request(2, "textures");
  driver.Request(81, library.path().string().c_str());
  driver.Request(45);
  RasterWireFrameImage top(160, 120), front(160, 120), side(160, 120), preview(160, 120);
  editor.SetView(0, &top, 2);
  editor.SetView(1, &front, 4);
  editor.SetView(2, &side, 3);
  editor.SetView(3, &preview, 1);
  driver.Request(64);
  driver.Request(80);
  const std::string programDir = fs::path(ZAVO_RENDER_EXE).parent_path().string() + "/";
  editor.text = programDir.c_str();

  auto* document = dynamic_cast<CG_GraphicEditor*>(holder.Get());
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->views[3], &preview);
  EXPECT_EQ(document->viewModes[0], 2);
  EXPECT_EQ(document->viewModes[1], 4);
  EXPECT_EQ(document->viewModes[2], 3);
  EXPECT_EQ(document->viewModes[3], 1);
  EXPECT_EQ(document->options.KeepEdge, 1);
  EXPECT_STREQ(document->GetScene()->GetLibraryDir(), library.path().string().c_str());
  EXPECT_EQ(fakes.winSupp.reads.size(), 18u);
  auto* cameraModule =
      dynamic_cast<CG_CameraModule*>(FindModule(document->registry.modelModules, "camera"));
  ASSERT_NE(cameraModule, nullptr);
  EXPECT_NE(cameraModule->Prototype(), nullptr);

  std::istringstream text(kScene);
  ASSERT_EQ(editor.GetScene()->Load(text), 1) << editor.GetScene()->GetErrorMessage();
  // The scene was read behind the editor's back, so no layer holds its
  // objects: with no layer active the render takes the whole scene.
  document->activeLayer = nullptr;
  const RequestResult size = driver.Request(3);
  EXPECT_EQ(size.value, 21);
  EXPECT_EQ(size.value2, 13);

  {
    ScopedCwd cwd(work.path());
    EXPECT_EQ(driver.Request(4).result, 0);
  }
  EXPECT_EQ(editor.GetScene()->GetOutputImageName(), nullptr);
  ASSERT_TRUE(fs::exists(work / "zavo.bmp"));

  TempDir peer;
  WriteFile(peer / "ball.qz", kScene);
  const Outcome run = RunIn(peer.path(), {"ball.qz"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  BitmapManager mine, theirs;
  ASSERT_EQ(mine.Load(work / "zavo.bmp"), 1);
  ASSERT_EQ(theirs.Load(peer / "ball.bmp"), 1);
  ASSERT_EQ(mine.Width(), 21);
  ASSERT_EQ(mine.Height(), 13);
  ASSERT_EQ(theirs.Width(), 21);
  ASSERT_EQ(theirs.Height(), 13);
  int differing = 0;
  for (int y = 0; y < 13; ++y) {
    for (int x = 0; x < 21; ++x) differing += !(Pixel(mine, x, y) == Pixel(theirs, x, y));
  }
  EXPECT_EQ(differing, 0);
  // The ball is in the picture, and so is the background.
  EXPECT_EQ(Pixel(mine, 0, 0), (Rgb{25, 51, 153}));
  EXPECT_GT(Pixel(mine, 11, 7).g, 100);
}

}  // namespace
}  // namespace zavo::test
