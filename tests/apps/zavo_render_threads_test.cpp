// zavo-render on several threads: every image is the same, byte for byte, as
// the one-thread image, in each pixel loop, hierarchy walk and image mode.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "apps/render_run.h"
#include "common/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using zavo::test::ReadFile;
using zavo::test::RunIn;
using zavo::test::TempDir;
using zavo::test::WriteFile;

// A floor, a mirror ball, a glass ball with blurred reflection and refraction,
// a cylinder behind them and two lamps, seen by the default view.
std::string Scene(const std::string& param) {
  return "{ param\n  mode 4;\n  dimx 23;\n  dimy 17;\n  shade phong;\n  backcolor (0.3,0.45,0.7);\n" + param +
         "}\n"
         "{ material\n\tname floor;\n\tmodel { phong Ka 0.2; Kd 0.7; Ks 0.15; Od (0.8,0.75,0.6); }\n}\n"
         "{ material\n\tname mirror;\n\tmodel { phong Ka 0.1; Kd 0.3; Ks 0.6; n 30; Od (0.7,0.7,0.75); }\n}\n"
         "{ material\n\tname glass;\n\tmodel { phong Ka 0.1; Kd 0.2; Ks 0.2; Kt 0.7; ni 1.45; angles 0.07; "
         "anglet 0.05; Od (0.6,0.9,0.7); }\n}\n"
         "{ object\n\tname ground;\n\tmaterial floor;\n"
         "\tmodel { box xmin -4.3; xmax 5.1; ymin -1.3; ymax -1.1; zmin -9.7; zmax -1.4; }\n}\n"
         "{ object\n\tname ball;\n\tmaterial mirror;\n\tmodel { sphere center ( 0.9 , -0.35 , -4.2 ); radius 0.75; }\n}\n"
         "{ object\n\tname drop;\n\tmaterial glass;\n\tmodel { sphere center ( -0.3 , -0.5 , -3.1 ); radius 0.6; }\n}\n"
         "{ object\n\tname post;\n\tmodel { box xmin 1.7; xmax 2.3; ymin -1.1; ymax 1.9; zmin -6.3; zmax -5.7; }\n}\n"
         "{ lamp\n\tname sun;\n\tmodel { pointlamp\npos ( -4.1 , 6.3 , 2.7 );\n\tcolor (1,1,0.93);\n}\n}\n"
         "{ lamp\n\tname fill;\n\tmodel { pointlamp\npos ( 3.3 , 2.9 , -1.2 );\n\tcolor (0.35,0.3,0.4);\n}\n}\n"
         ".\n";
}

TEST(ZavoRenderThreads, EveryImageIsTheOneThreadImage) {
  const struct {
    const char* what;
    const char* param;
  } cases[] = {
      {"one ray a pixel, best-first walk", "  buildhier 1;\n"},
      {"no hierarchy", "  buildhier 0;\n"},
      {"ordered walk", "  buildhier 2;\n"},
      {"depth-first walk", "  buildhier 3;\n"},
      {"adaptive supersampling", "  anti_alias 3;\n  anti_al_toll 0.03;\n"},
      {"atmosphere", "  UseAA 1;\n  AAsb 0.9;\n  AAsf 0.3;\n  AAzb 2.5;\n  AAzf 9.5;\n"},
      {"distributed sampling (one thread)", "  anti_alias -1;\n  jitterfreq 3;\n  jitterrange 0.4;\n"},
      {"spread rays (one thread)", "  UseDistribuiteTS 1;\n  AngleFreq 900;\n"},
      {"depth image", "  render depth;\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    WriteFile(dir / "scene.qz", Scene(c.param));
    const auto one = RunIn(dir.path(), {"-j", "1", "-o", "one", "scene.qz"});
    ASSERT_EQ(one.exitCode, 0) << one.err;
    const auto four = RunIn(dir.path(), {"-j4", "-o", "four", "scene.qz"});
    ASSERT_EQ(four.exitCode, 0) << four.err;
    const auto all = RunIn(dir.path(), {"-o", "all", "scene.qz"});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    const std::string image = ReadFile(dir / "one.bmp");
    EXPECT_GT(image.size(), 54u);
    EXPECT_TRUE(ReadFile(dir / "four.bmp") == image);
    EXPECT_TRUE(ReadFile(dir / "all.bmp") == image);
  }
}

TEST(ZavoRenderThreads, AThreadCountThatIsNoPositiveNumberIsAUsageError) {
  for (const char* count : {"0", "-2", "x", "3x", ""}) {
    SCOPED_TRACE(count);
    TempDir dir;
    WriteFile(dir / "scene.qz", Scene(""));
    const auto run = RunIn(dir.path(), {"-j", count, "scene.qz"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("zavo-render: -j needs a number of threads from 1 to 1024\nusage:"), std::string::npos)
        << run.err;
    EXPECT_FALSE(fs::exists(dir / "scene.bmp"));
  }
}

}  // namespace
