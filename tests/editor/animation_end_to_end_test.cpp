// An animation made and exported through requests, as the window layer sends
// them: settings, New, the library folder and the Prolog start first; then a
// scene with an anim merged in, its frame count and frame set, and every
// frame exported to planes for a stub encoder beside the program.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document_fixture.h"
#include "models/core/anim.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

const std::string kSpinScene =
    std::string("{ param\n  dimx 6;\n  dimy 4;\n  backcolor ( 1 , 0 , 0 );\n  mpeg 1;\n}\n") + kAnimScene;

TEST_F(DocumentTest, AnimationEndToEnd) {
  const fs::path program = dir / "bin";
  const fs::path library = dir / "library";
  fs::create_directories(program);
  fs::create_directories(library / "prolog");
  WriteFile(library / "prolog" / "system.pro", "qz_system.\n");
  WriteFile(program / "mpegenc", "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"$a\"; done; } >> '" +
                                     (program / "runs").string() + "'\n");
  fs::permissions(program / "mpegenc", fs::perms::owner_all);
  editor->text = (program.string() + "/").c_str();
  driver.Request(45);
  ASSERT_EQ(driver.Request(65).result, 1);
  driver.Request(81, library.string().c_str());
  driver.Request(80);

  // 1. The scene merged; three frames; frame 2 shown.
  WriteFile("spin.qz", kSpinScene);
  driver.Request(69, "spin.qz");
  auto* spin = dynamic_cast<GAnim*>(editor->scene.FindObject("spin"));
  ASSERT_NE(spin, nullptr);
  ASSERT_EQ(editor->scene.GetParam().mpeg, 1);
  fakes.dialog.Answer({{{"NFrame", "3"}}, {}, true});
  EXPECT_EQ(driver.Request(60).result, 1);
  fakes.dialog.Answer({{{"Frame", "2"}}, {}, true});
  EXPECT_EQ(driver.Request(59).result, 1);
  EXPECT_EQ(fakes.dialog.calls.back().tree, (std::vector<std::string>{"Edit_obj Frame = 0"}));
  EXPECT_TRUE(LastTitleEndsWith(" { 2 } ")) << LastTitle();
  EXPECT_EQ(spin->Frame(), 2.0);
  ASSERT_NE(Item("spin"), nullptr);
  EXPECT_NEAR(Item("spin")->centre.x, 3.2, 1e-9);

  // 2. The export.
  driver.Request(61);
  for (const char* frame : {"zavo0000", "zavo0001", "zavo0002"}) {
    SCOPED_TRACE(frame);
    const std::string y = ReadFile(std::string(frame) + ".y");
    const std::string u = ReadFile(std::string(frame) + ".u");
    const std::string v = ReadFile(std::string(frame) + ".v");
    ASSERT_EQ(y.size(), 24u);
    ASSERT_EQ(u.size(), 6u);
    ASSERT_EQ(v.size(), 6u);
    // Every 2 x 2 block that shows only the red background (Y 81) has the
    // background's colour samples; at least one block does.
    int background = 0;
    for (int block = 0; block < 6; ++block) {
      const int x = block % 3 * 2, row = block / 3 * 2;
      bool uncovered = true;
      for (int i : {row * 6 + x, row * 6 + x + 1, row * 6 + 6 + x, row * 6 + 6 + x + 1}) {
        uncovered = uncovered && static_cast<unsigned char>(y[i]) == 81;
      }
      if (!uncovered) continue;
      ++background;
      EXPECT_EQ(static_cast<unsigned char>(u[block]), 90) << block;
      EXPECT_EQ(static_cast<unsigned char>(v[block]), 240) << block;
    }
    EXPECT_GT(background, 0);
    EXPECT_FALSE(fs::exists(std::string(frame) + ".bmp"));
  }
  EXPECT_EQ(SplitLines(ReadFile("zavo.par")).size(), 55u);
  EXPECT_EQ(ReadFile(program / "runs"), fs::current_path().string() + "\nzavo.par\nzavo.mpg\n");
  EXPECT_EQ(spin->Frame(), 2.0);
  EXPECT_TRUE(LastTitleEndsWith(" { 2 } ")) << LastTitle();
}

}  // namespace
}  // namespace zavo::test
