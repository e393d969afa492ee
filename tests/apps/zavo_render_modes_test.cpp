// zavo-render in every render mode other than the ray-traced image: the file
// each one writes beside the scene, the -o name, outputs that cannot be
// written, and the depth image's greys, texts and interrupt.

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
using zavo::test::RunIn;

bool HasLine(const std::string& text, const std::string& line) {
  return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

// A box, a sphere and a point lamp in front of the default view (eye at
// (0.5, 0.5, 1), looking down -z).
std::string SmallScene(const char* mode) {
  return std::string("{ param\n  render ") + mode +
         ";\n  dimx 8;\n  dimy 6;\n}\n"
         "{ material\n\tname red;\n\tmodel { phong Kd 0.7; Od (0.85,0.15,0.1); }\n}\n"
         "{ object\n\tname crate;\n\tmaterial red;\n"
         "\tmodel { box xmin -0.5; xmax 0.4; ymin -0.5; ymax 0.5; zmin -4; zmax -3; }\n}\n"
         "{ object\n\tname ball;\n\tmodel { sphere center ( 0.8 , 0.6 , -3 ); radius 0.5; }\n}\n"
         "{ lamp\n\tname sun;\n\tmodel { pointlamp\npos ( -4 , 6 , 3 );\n\tcolor (1,1,0.95);\n}\n}\n.\n";
}

struct Mode {
  const char* render;
  const char* extension;
  const char* start;  // how the file begins
};

const Mode kModes[] = {
    {"depth", ".bmp", "BM"},
    {"preview", ".bmp", "BM"},
    {"vrml", ".wrl", "#VRML V1.0 ascii\nSeparator {\n"},
    {"dxf", ".dxf", "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n8\ncrate\n"},
    {"tgl", ".tgl", "8\n6\n"},
    {"t_analysis", ".ana", "\nAnalizing : crate\n"},
};

TEST(ZavoRenderModes, EachModeWritesItsFileBesideTheSceneOrUnderTheOName) {
  for (const Mode& mode : kModes) {
    SCOPED_TRACE(mode.render);
    TempDir dir;
    fs::create_directory(dir / "scenes");
    WriteFile(dir / "scenes" / "small.qz", SmallScene(mode.render));
    const fs::path beside = dir / "scenes" / (std::string("small") + mode.extension);

    Outcome run = RunIn(dir.path(), {"scenes/small.qz"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(beside).rfind(mode.start, 0), 0u);
    EXPECT_FALSE(fs::exists(dir / "scenes" / "small.img"));

    // -o names the file, relative to where the program was started.
    run = RunIn(dir.path(), {"-o", "made", "scenes/small.qz"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(dir / (std::string("made") + mode.extension)).rfind(mode.start, 0), 0u);
    EXPECT_FALSE(fs::exists(dir / "made.img"));
  }
}

TEST(ZavoRenderModes, AnOutputThatCannotBeWrittenFailsAndKeepsTheOldEntry) {
  for (const Mode& mode : kModes) {
    SCOPED_TRACE(mode.render);
    TempDir dir;
    WriteFile(dir / "small.qz", SmallScene(mode.render));
    // A directory stands where the file goes.
    const fs::path target = dir / (std::string("small") + mode.extension);
    fs::create_directory(target);
    WriteFile(target / "inside", "kept");
    const Outcome run = RunIn(dir.path(), {"small.qz"});
    EXPECT_EQ(run.exitCode, 1);
    // Found before anything is built.
    EXPECT_TRUE(HasLine(run.err, "zavo-render: small" + std::string(mode.extension) +
                                     ": cannot write the output (Is a directory)"))
        << run.err;
    EXPECT_EQ(run.err.find("hierarchy"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(target / "inside"), "kept");
    EXPECT_FALSE(fs::exists(dir / "small.img"));
  }
}

// In a 4 x 1 image the pixel centres see the near box (pixel 0), nothing
// (pixels 1 and 3) and the far box (pixel 2).
const char kTwoBoxes[] =
    "{ object\n\tname near;\n\tmodel { box xmin -2; xmax -0.2; ymin -1; ymax 2; zmin -3; zmax -2; }\n}\n"
    "{ object\n\tname far;\n\tmodel { box xmin 0.8; xmax 1.5; ymin -1; ymax 2; zmin -5; zmax -4; }\n}\n";

// The param section followed by the two boxes (and the tail).
std::string WithTwoBoxes(const char* param, const char* tail = "") {
  std::string text(param);
  text.append(kTwoBoxes);
  text.append(tail);
  return text;
}

TEST(ZavoRenderModes, DepthGreys) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<int> greys;
  } cases[] = {
      {"nearest 48, farthest 64, a miss 64", WithTwoBoxes("{ param\n  render depth;\n  dimx 4;\n  dimy 1;\n}\n"),
       {48, 64, 64, 64}},
      {"every ray misses", "{ param\n  render depth;\n  dimx 2;\n  dimy 2;\n  depthback 9;\n}\n", {9, 9, 9, 9}},
      {"one pixel, one distance",
       "{ param\n  render depth;\n  dimx 1;\n  dimy 1;\n  depthmax 200;\n}\n"
       "{ object\n\tname wall;\n\tmodel { box xmin -9; xmax 9; ymin -9; ymax 9; zmin -3; zmax -2; }\n}\n",
       {48}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    WriteFile(dir / "deep.qz", c.text + ".\n");
    const Outcome run = RunIn(dir.path(), {"deep.qz"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // A per-row status text: not shown when stderr is a pipe.
    EXPECT_EQ(run.err.find("Creating bitmap"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "deep.img"));
    BitmapManager image;
    ASSERT_EQ(image.Load(dir / "deep.bmp"), 1);
    std::vector<int> greys;
    for (int y = 0; y < image.Height(); ++y) {
      for (int x = 0; x < image.Width(); ++x) {
        int r = -1, g = -1, b = -1;
        image.GetPixel(x, y, r, g, b);
        EXPECT_TRUE(r == g && g == b);
        greys.push_back(r);
      }
    }
    EXPECT_EQ(greys, c.greys);
  }
}

TEST(ZavoRenderModes, AnInterruptedDepthImageLeavesNoFile) {
  TempDir dir;
  // Tall enough that the interrupt comes long before the end.
  WriteFile(dir / "slow.qz", WithTwoBoxes("{ param\n  render depth;\n  dimx 800;\n  dimy 4000;\n}\n", ".\n"));
  WriteFile(dir / "slow.bmp", "older");
  const Outcome run = RunIn(dir.path(), {"slow.qz"}, "Creating hierarchy");
  EXPECT_EQ(run.exitCode, 130);
  EXPECT_EQ(ReadFile(dir / "slow.bmp"), "older");
  EXPECT_FALSE(fs::exists(dir / "slow.img"));
  EXPECT_TRUE(HasLine(run.err, "zavo-render: User break")) << run.err;
  EXPECT_EQ(run.err.find("Start Time"), std::string::npos);
  EXPECT_EQ(run.err.find("Creating bitmap"), std::string::npos);
}

}  // namespace
