// zavo-render making ray-traced images: pixels read back, the hierarchy modes
// and the cache, output names, failed writes and the user's interrupt.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "geometry/bitmap_manager.h"

namespace {

namespace fs = std::filesystem;
using zavo::test::ReadFile;
using zavo::test::TempDir;
using zavo::test::WriteFile;

using zavo::test::Outcome;
using zavo::test::Pixel;
using zavo::test::Rgb;
using zavo::test::RunIn;

// The eye of the default view is (0.5, 0.5, 1), its window [0, 1] x [0, 1]
// on z = 0: the sphere sits on the axis of the view, the lamp behind the eye.
const char kGreenBall[] =
    "{ param\n  dimx 21;\n  dimy 21;\n  backcolor (0,0,1);\n}\n"
    "{ material\n\tname green;\n\tmodel { phong Ka 0.1; Kd 0.8; Ks 0; Od (0,1,0); }\n}\n"
    "{ object\n\tname ball;\n\tmaterial green;\n\tmodel { sphere center ( 0.5 , 0.5 , -3 ); radius 1; }\n}\n"
    "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 0.5 , 0.5 , 10 );\n\tcolor (1,1,1);\n}\n}\n.\n";

// The same ball seen through a view section: the eye at (0, 0, 10) looking
// down -z through the window -1..1 of the plane z = 0.
const char kGreenBallFromAView[] =
    "{ vrc\n\tvrp ( 0 , 0 , 0 );\n\tprp ( 0 , 0 , 10 );\n\tvup ( 0 , 1 , 0 );\n\tvpn ( 0 , 0 , 1 );\n"
    "\tumax 1;\n\tumin -1;\n\tvmax 1;\n\tvmin -1;\n\ttype 1;\n\tf 1;\n\tb 0;\n\tfon 0;\n\tbon 0;\n}\n"
    "{ param\n  dimx 21;\n  dimy 21;\n  backcolor (0,0,1);\n}\n"
    "{ material\n\tname green;\n\tmodel { phong Ka 0.1; Kd 0.8; Ks 0; Od (0,1,0); }\n}\n"
    "{ object\n\tname ball;\n\tmaterial green;\n\tmodel { sphere center ( 0 , 0 , -3 ); radius 1; }\n}\n"
    "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 0 , 0 , 10 );\n\tcolor (1,1,1);\n}\n}\n.\n";

TEST(ZavoRenderImage, AGreenBallUnderAWhiteLamp) {
  for (const char* scene : {kGreenBall, kGreenBallFromAView}) {
    SCOPED_TRACE(scene == kGreenBall ? "default view" : "view section");
    TempDir dir;
    WriteFile(dir / "ball.qz", scene);
    const Outcome run = RunIn(dir.path(), {"ball.qz"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("Start Time : "), std::string::npos);
    EXPECT_NE(run.err.find("Total Time : H="), std::string::npos);
    BitmapManager image;
    ASSERT_EQ(image.Load(dir / "ball.bmp"), 1);
    EXPECT_EQ(image.Width(), 21);
    EXPECT_EQ(image.Height(), 21);
    EXPECT_EQ(Pixel(image, 10, 10), (Rgb{0, 229, 0}));
    EXPECT_EQ(Pixel(image, 0, 0), (Rgb{0, 0, 255}));
    // The lamp section was read without a temporary file.
    EXPECT_FALSE(fs::exists(dir / "__lamp__.~~~"));
  }
}

// Separated spheres and boxes under one lamp.
std::string Spread(const std::string& extra) {
  std::string text = "{ param\n  dimx 40;\n  dimy 30;\n  backcolor (0.2,0.2,0.3);\n  mode 3;\n" + extra + "}\n";
  const double places[][3] = {{0, 0, -4}, {1.2, 1, -5}, {-0.4, 1.1, -3}, {1.1, -0.2, -3.5}, {0.3, 0.8, -6}};
  for (int i = 0; i < 5; ++i) {
    const double* p = places[i];
    text += "{ object\n\tname s" + std::to_string(i) + ";\n\tmodel { sphere center ( " + std::to_string(p[0]) +
            " , " + std::to_string(p[1]) + " , " + std::to_string(p[2]) + " ); radius 0.3; }\n}\n";
    text += "{ object\n\tname b" + std::to_string(i) + ";\n\tmodel { box xmin " + std::to_string(p[0] - 0.2) +
            "; xmax " + std::to_string(p[0] + 0.2) + "; ymin " + std::to_string(p[1] - 0.7) + "; ymax " +
            std::to_string(p[1] - 0.45) + "; zmin " + std::to_string(p[2] - 0.2) + "; zmax " +
            std::to_string(p[2] + 0.2) + "; }\n}\n";
  }
  text += "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 3 , 4 , 5 );\n\tcolor (1,1,1);\n}\n}\n.\n";
  return text;
}

TEST(ZavoRenderImage, EveryHierarchyModeGivesTheSameImage) {
  TempDir dir;
  WriteFile(dir / "list.qz", Spread("  buildhier 0;\n"));
  ASSERT_EQ(RunIn(dir.path(), {"list.qz"}).exitCode, 0);
  const std::string reference = ReadFile(dir / "list.bmp");
  BitmapManager image;
  ASSERT_EQ(image.Load(dir / "list.bmp"), 1);
  int objectPixels = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) objectPixels += Pixel(image, x, y) != Pixel(image, 0, 0);
  }
  EXPECT_GT(objectPixels, 100);

  struct Case {
    const char* name;
    const char* params;
  } cases[] = {
      {"best_first", "  buildhier 1;\n"},
      {"ordered", "  buildhier 2;\n"},
      {"depth_first", "  buildhier 3;\n"},
      {"hier", "  buildhier 1;\n  _general_optimiz hier;\n"},
      {"auto", "  buildhier 1;\n  _general_optimiz auto;\n"},
      {"median", "  buildhier 2;\n  _general_optimiz median;\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string scene = std::string(c.name) + ".qz";
    WriteFile(dir / scene, Spread(c.params));
    const Outcome first = RunIn(dir.path(), {scene});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_NE(first.err.find("Creating hierarchy"), std::string::npos);
    EXPECT_EQ(ReadFile(dir / (std::string(c.name) + ".bmp")), reference);
  }
  // A second run loads the cache and gives the same image.
  fs::remove(dir / "ordered.bmp");
  const Outcome again = RunIn(dir.path(), {"ordered.qz"});
  ASSERT_EQ(again.exitCode, 0);
  EXPECT_NE(again.err.find("Loading hierarchy " + (dir / "ordered").string() + ".qz_"), std::string::npos)
      << again.err;
  EXPECT_EQ(again.err.find("Creating hierarchy"), std::string::npos);
  EXPECT_EQ(ReadFile(dir / "ordered.bmp"), reference);
}

TEST(ZavoRenderImage, OutputNamesAndFailedWrites) {
  TempDir dir;
  WriteFile(dir / "ball.qz", kGreenBall);
  fs::create_directories(dir / "out");
  ASSERT_EQ(RunIn(dir.path(), {"ball.qz", "-o", "out/picture"}).exitCode, 0);
  EXPECT_TRUE(fs::exists(dir / "out" / "picture.bmp"));
  EXPECT_FALSE(fs::exists(dir / "ball.bmp"));

  // An output whose temporary neighbour cannot be made: the old file stays.
  const std::string name(250, 'n');
  WriteFile(dir / (name + ".bmp"), "old");
  const Outcome failed = RunIn(dir.path(), {"ball.qz", "-o", name});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_NE(failed.err.find("zavo-render: " + name + ".bmp: cannot write the output (File name too long)\n"),
            std::string::npos)
      << failed.err;
  EXPECT_EQ(ReadFile(dir / (name + ".bmp")), "old");
  EXPECT_EQ(failed.err.find("Start Time"), std::string::npos);

  const Outcome missing = RunIn(dir.path(), {"ball.qz", "-o", "nowhere/picture"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("zavo-render: nowhere/picture.bmp: cannot write the output (No such file or directory)\n"),
            std::string::npos);
}

TEST(ZavoRenderImage, UnknownModesAndMethodsFail) {
  TempDir dir;
  std::string text = kGreenBall;
  WriteFile(dir / "mode.qz", "{ param\n  render raytrace;\n}\n" + text);
  Outcome run = RunIn(dir.path(), {"mode.qz"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("Unknown render mode raytrace\n"), std::string::npos) << run.err;
  WriteFile(dir / "shade.qz", "{ param\n  shade gouraud;\n}\n" + text);
  run = RunIn(dir.path(), {"shade.qz"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("Unknown shading method gouraud\n"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(dir / "mode.bmp"));
  EXPECT_FALSE(fs::exists(dir / "shade.bmp"));
}

TEST(ZavoRenderImage, AnInterruptStopsTheRenderAtTheNextRow) {
  TempDir dir;
  // Large and supersampled enough that the interrupt comes long before the end.
  std::string text = Spread("  dimx 600;\n  dimy 1000;\n  anti_alias 3;\n  anti_al_toll 0;\n");
  WriteFile(dir / "slow.qz", text);
  WriteFile(dir / "slow.bmp", "older");
  const Outcome run = RunIn(dir.path(), {"slow.qz"}, "Creating hierarchy");
  EXPECT_EQ(run.exitCode, 130);
  EXPECT_EQ(ReadFile(dir / "slow.bmp"), "older");
  EXPECT_EQ(run.err.find("Start Time"), std::string::npos);
  EXPECT_EQ(run.err.substr(run.err.rfind('\n', run.err.size() - 2) + 1), "zavo-render: User break\n") << run.err;
}

}  // namespace
