// zavo-render with camera objects and anims: the camera in use gives the
// view and no camera is ever seen; an anim blurs under motion blur.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "geometry/bitmap_manager.h"

namespace {

namespace fs = std::filesystem;
using zavo::test::ReadFile;
using zavo::test::TempDir;
using zavo::test::WriteFile;

using zavo::test::Pixel;
using zavo::test::Rgb;

// Runs zavo-render on the scene in dir; the exit code.
int Render(const fs::path& dir, const std::string& scene) { return zavo::test::RunIn(dir, {scene}).exitCode; }

// A view looking down -z from z = 10 at the window -3..3 x -3..3 of the
// plane z = 0.
std::string View(const std::string& vrp) {
  return "{ vrc\n\tvrp " + vrp +
         ";\n\tprp ( 0 , 0 , 20 );\n\tvup ( 0 , 1 , 0 );\n\tvpn ( 0 , 0 , 1 );\n\tumax 3;\n\tumin -3;"
         "\n\tvmax 3;\n\tvmin -3;\n\ttype 1;\n\tf 1;\n\tb 0;\n\tfon 0;\n\tbon 0;\n}";
}

const char kBall[] =
    "{ material\n\tname green;\n\tmodel { phong Ka 0.1; Kd 0.8; Ks 0; Od (0,1,0); }\n}\n"
    "{ object\n\tname ball;\n\tmaterial green;\n\tmodel { sphere center ( 0 , 0 , 0 ); radius 1; }\n}\n"
    "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 0 , 0 , 30 );\n\tcolor (1,1,1);\n}\n}\n";

const char kParam[] = "{ param\n  dimx 31;\n  dimy 31;\n  backcolor (0,0,1);\n";

// Two camera objects, the second in use, against the same scene whose view
// section holds the second camera's view: the same image. The first camera
// sits between the second and the ball, where its sphere grid would show.
TEST(CameraAnimRender, TheCameraInUseGivesTheViewAndNoCameraShows) {
  TempDir dir;
  const std::string first = View("( 0 , 0 , 5 )");
  const std::string second = View("( 0.5 , 0 , 2 )");
  std::string objects = kParam;
  objects += "  CameraInUse far;\n}\n";
  objects += kBall;
  objects += "{ object name near; model { camera vrc " + first + " } }\n";
  objects += "{ object name far; model { camera vrc " + second + " } }\n.\n";
  std::string section = second;
  section += "\n";
  section += kParam;
  section += "}\n";
  section += kBall;
  section += ".\n";
  WriteFile(dir / "objects.qz", objects);
  WriteFile(dir / "section.qz", section);
  ASSERT_EQ(Render(dir.path(), "objects.qz"), 0);
  ASSERT_EQ(Render(dir.path(), "section.qz"), 0);
  EXPECT_EQ(ReadFile(dir / "objects.bmp"), ReadFile(dir / "section.bmp"));
  // The other camera in use gives another image.
  std::string other = objects;
  other.replace(other.find("CameraInUse far"), 15, "CameraInUse near");
  WriteFile(dir / "other.qz", other);
  ASSERT_EQ(Render(dir.path(), "other.qz"), 0);
  EXPECT_NE(ReadFile(dir / "other.bmp"), ReadFile(dir / "objects.bmp"));
  BitmapManager image;
  ASSERT_EQ(image.Load(dir / "objects.bmp"), 1);
  EXPECT_EQ(Pixel(image, 0, 0), (Rgb{0, 0, 255}));
  const Rgb middle = Pixel(image, 15, 15);
  EXPECT_EQ(middle.r, 0);
  EXPECT_GT(middle.g, 100);
  EXPECT_EQ(middle.b, 0);
}

// A sphere moving fast along x, its anim at frame 0 of 0 to 10: under
// motion blur each pixel shows it at a frame shifted by up to 4, so ahead of
// the resting sphere some pixels show it and the band there averages
// strictly between sphere and background; without, the band is background.
TEST(CameraAnimRender, MotionBlurOfAnAnim) {
  TempDir dir;
  std::string scene = View("( 0 , 0 , 0 )");
  scene += "\n";
  scene += kParam;
  scene += "  anti_alias -1;\n  jitterfreq 16;\n  motionblur %;\n}\n";
  scene += kBall;
  scene +=
      "{ object name slide; model { anim\n"
      "  { object name moving; material green; model { sphere center ( 0 , 0 , 0 ); radius 1; } }\n"
      "  from 0; to 10;\n"
      "  move { object name path; model { polyline p ( 0 , 0 , -1 ); p ( 20 , 0 , -1 ); } }\n"
      "} }\n.\n";
  // The resting ball of kBall is in the way: move it far behind.
  const std::string still = "sphere center ( 0 , 0 , 0 ); radius 1;";
  scene.replace(scene.find(still), still.size(), "sphere center ( 0 , 0 , -500 ); radius 1;");
  BitmapManager images[2];
  for (int blur : {0, 1}) {
    std::string text = scene;
    text.replace(text.find('%'), 1, std::to_string(blur));
    const std::string name = "blur" + std::to_string(blur);
    WriteFile(dir / (name + ".qz"), text);
    ASSERT_EQ(Render(dir.path(), name + ".qz"), 0) << blur;
    ASSERT_EQ(images[blur].Load(dir / (name + ".bmp")), 1);
  }
  // The band right of the resting sphere (which spans about x 10 to 20).
  double green[2] = {0, 0};
  double blue[2] = {0, 0};
  int pixels = 0;
  for (int y = 13; y <= 17; ++y) {
    for (int x = 23; x < 31; ++x) {
      for (int blur : {0, 1}) {
        const Rgb c = Pixel(images[blur], x, y);
        green[blur] += c.g;
        blue[blur] += c.b;
      }
      ++pixels;
    }
  }
  EXPECT_EQ(green[0], 0);
  EXPECT_EQ(blue[0], 255.0 * pixels);
  EXPECT_GT(green[1], 0);
  EXPECT_GT(blue[1], 0);
  EXPECT_LT(blue[1], 255.0 * pixels);
  // The middle of the resting sphere is the sphere without blur.
  EXPECT_EQ(Pixel(images[0], 15, 15).b, 0);
}

}  // namespace
