// zavo-render on hostile and careless input: parameters that would recurse or
// work without bound are refused, the renderer's side files never write
// through a name that is not its own, caches that cannot be used never fail a
// render, and a break leaves every file as it was.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "geometry/bitmap_manager.h"

namespace {

namespace fs = std::filesystem;
using zavo::test::Outcome;
using zavo::test::ReadFile;
using zavo::test::RunIn;
using zavo::test::TempDir;
using zavo::test::WriteFile;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The names in dir other than the scene's own kept files.
std::vector<std::string> Leftovers(const fs::path& dir) {
  std::vector<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    if (name.find(".tmp") != std::string::npos || name.find("scratch") != std::string::npos) names.push_back(name);
  }
  return names;
}

// The default view looks from (0.5, 0.5, 1) down -z: a mirror sphere round
// the eye sends every ray back and forth until the trace depth ends.
std::string MirrorRoom(const std::string& param) {
  return "{ param\n  render raytracing;\n  dimx 3;\n  dimy 2;\n" + param +
         "}\n"
         "{ material\n\tname mirror;\n\tmodel { phong Ka 0.05; Kd 0.1; Ks 0.9; Kt 0.05; ni 1.3; angles 0.3; "
         "anglet 0.2; Od (0.8,0.8,0.8); }\n}\n"
         "{ object\n\tname room;\n\tmaterial mirror;\n"
         "\tmodel { sphere center ( 0.5 , 0.5 , -0.3 ); radius 3.7; }\n}\n"
         "{ object\n\tname ball;\n\tmodel { sphere center ( 0.7 , 0.3 , -2.1 ); radius 0.6; }\n}\n"
         "{ lamp\n\tname sun;\n\tmodel { pointlamp\npos ( -1.3 , 1.9 , 0.4 );\n\tcolor (1,1,0.95);\n}\n}\n.\n";
}

TEST(ZavoRenderHostile, ParametersBeyondTheirLimitsAreRefusedBeforeAnythingIsBuilt) {
  struct Case {
    std::string param;
    std::string message;
  } cases[] = {
      {"  mode 1000000;\n", "mode 1000000 is more than 256, the largest allowed"},
      {"  anti_alias 1000000;\n  anti_al_toll -1;\n", "anti_alias 1000000 is more than 8, the largest allowed"},
      {"  anti_alias -1;\n  jitterfreq 2147483647;\n", "jitterfreq 2147483647 is more than 4096, the largest allowed"},
      {"  mode 4;\n  UseDistribuiteTS 1;\n  AngleFreq 2000000000;\n",
       "AngleFreq 2000000000 is more than 1000000, the largest allowed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    TempDir dir;
    WriteFile(dir / "room.qz", MirrorRoom(c.param));
    WriteFile(dir / "room.bmp", "older");
    const Outcome run = RunIn(dir.path(), {"room.qz"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, c.message)) << run.err;
    EXPECT_FALSE(Has(run.err, "hierarchy")) << run.err;
    EXPECT_EQ(ReadFile(dir / "room.bmp"), "older");
    EXPECT_FALSE(fs::exists(dir / "room.qz_"));
  }
}

// At the limits the recursion fits the stack of every build, and the work
// a pixel stays bounded.
TEST(ZavoRenderHostile, AtTheLimitsTheMirrorRoomRenders) {
  const char* params[] = {
      "  mode 256;\n  infltoll 0;\n",
      "  mode 6;\n  infltoll 0;\n  UseDistribuiteTS 1;\n  AngleFreq 1000000;\n",
      "  anti_alias 8;\n  anti_al_toll -1;\n  dimx 1;\n  dimy 1;\n",
  };
  for (const char* param : params) {
    SCOPED_TRACE(param);
    TempDir dir;
    WriteFile(dir / "room.qz", MirrorRoom(param));
    const Outcome run = RunIn(dir.path(), {"room.qz"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    BitmapManager image;
    EXPECT_EQ(image.Load(dir / "room.bmp"), 1);
  }
}

// A file of the user's where the renderer puts its raw depth data, and links
// where it writes its logs: the files and the links' targets keep every byte,
// the links stay links.
TEST(ZavoRenderHostile, SideFilesNeverWriteThroughTheUsersNames) {
  for (const char* mode : {"depth", "preview", "raytracing"}) {
    SCOPED_TRACE(mode);
    TempDir dir;
    fs::create_directory(dir / "scenes");
    WriteFile(dir / "precious.txt", "the user's words");
    WriteFile(dir / "other.txt", "other words");
    WriteFile(dir / "scenes" / "deep.img", "raw bytes of the user");
    fs::create_symlink("../precious.txt", dir / "scenes" / "hierbl2.log");
    fs::create_symlink("../other.txt", dir / "scenes" / "preview.log");
    WriteFile(dir / "scenes" / "deep.qz",
              std::string("{ param\n  render ") + mode +
                  ";\n  dimx 4;\n  dimy 3;\n}\n"
                  "{ object\n\tname near;\n\tmodel { box xmin -2; xmax -0.2; ymin -1; ymax 2; zmin -3; zmax -2; }\n}\n"
                  "{ object\n\tname far;\n\tmodel { box xmin 0.8; xmax 1.5; ymin -1; ymax 2; zmin -5; zmax -4; }\n}\n"
                  ".\n");
    const Outcome run = RunIn(dir.path(), {"scenes/deep.qz"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::exists(dir / "scenes" / "deep.bmp"));
    EXPECT_EQ(ReadFile(dir / "precious.txt"), "the user's words");
    EXPECT_EQ(ReadFile(dir / "other.txt"), "other words");
    EXPECT_EQ(ReadFile(dir / "scenes" / "deep.img"), "raw bytes of the user");
    EXPECT_TRUE(fs::is_symlink(dir / "scenes" / "hierbl2.log"));
    EXPECT_TRUE(fs::is_symlink(dir / "scenes" / "preview.log"));
    EXPECT_EQ(Leftovers(dir / "scenes"), std::vector<std::string>{});
  }
}

TEST(ZavoRenderHostile, ALinkInTheRawDepthFilesPlaceKeepsItsTarget) {
  TempDir dir;
  WriteFile(dir / "precious.txt", "the user's words");
  fs::create_symlink("precious.txt", dir / "deep.img");
  WriteFile(dir / "deep.qz",
            "{ param\n  render depth;\n  dimx 3;\n  dimy 2;\n}\n"
            "{ object\n\tname wall;\n\tmodel { box xmin -9; xmax 9; ymin -9; ymax 9; zmin -3; zmax -2; }\n}\n.\n");
  const Outcome run = RunIn(dir.path(), {"deep.qz"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFile(dir / "precious.txt"), "the user's words");
  EXPECT_TRUE(fs::is_symlink(dir / "deep.img"));
}

// A hierarchy cache that is a directory is neither read nor written: the
// render completes and a warning names it.
TEST(ZavoRenderHostile, AHierarchyCacheThatCannotBeUsedOnlyWarns) {
  TempDir dir;
  fs::create_directory(dir / "room.qz_");
  WriteFile(dir / "room.qz", MirrorRoom("  mode 3;\n"));
  const Outcome run = RunIn(dir.path(), {"room.qz"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(Has(run.err, "Cannot write the cache ")) << run.err;
  EXPECT_TRUE(Has(run.err, "room.qz_\n")) << run.err;
  EXPECT_FALSE(Has(run.err, "Unknown exception")) << run.err;
  BitmapManager image;
  EXPECT_EQ(image.Load(dir / "room.bmp"), 1);
  EXPECT_TRUE(fs::is_directory(dir / "room.qz_"));
  EXPECT_EQ(Leftovers(dir.path()), std::vector<std::string>{});
}

// Ctrl-C in the middle of long work ends the run: nothing is written, the
// older image stays, no temporary file is left.
TEST(ZavoRenderHostile, ABreakDuringLongWorkChangesNoFile) {
  struct Case {
    const char* what;
    std::string scene;
    const char* interruptAfter;
  } cases[] = {
      {"many jittered samples",
       MirrorRoom("  anti_alias -1;\n  jitterfreq 4096;\n  mode 8;\n  dimx 400;\n  dimy 300;\n"),
       "Saving hierarchy"},
      {"a fine mesh boolean",
       "{ param\n  render raytracing;\n  dimx 8;\n  dimy 6;\n  _csg_convert 1;\n}\n"
       "{ object\n\tname both;\n\tmodel { union\nfirst { object\n\tname left;\n"
       "\tmodel { sphere center ( -0.5 , 0 , -4 ); radius 1; div 200; }\n}\n;\n"
       "second { object\n\tname right;\n\tmodel { sphere center ( 0.5 , 0 , -4 ); radius 1; div 200; }\n}\n;\n}\n}\n.\n",
       "Computing intrs"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    WriteFile(dir / "room.qz", c.scene);
    WriteFile(dir / "room.bmp", "older");
    const Outcome run = RunIn(dir.path(), {"room.qz"}, c.interruptAfter);
    EXPECT_NE(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.err, c.interruptAfter)) << run.err;
    EXPECT_EQ(ReadFile(dir / "room.bmp"), "older");
    EXPECT_FALSE(Has(run.err, "Start Time")) << run.err;
    EXPECT_EQ(Leftovers(dir.path()), std::vector<std::string>{});
  }
}

// Ctrl-C while the global hierarchy of many objects is built stops the build
// at once: no cache, no log, nothing saved, and the program's "User break".
TEST(ZavoRenderHostile, ABreakDuringTheHierarchyBuildWritesNoCache) {
  TempDir dir;
  std::string scene =
      "{ param\n  render raytracing;\n  dimx 64;\n  dimy 48;\n}\n"
      "{ lamp\n\tname sun;\n\tmodel { pointlamp\npos ( -1.3 , 1.9 , 0.4 );\n\tcolor (1,1,0.95);\n}\n}\n";
  // 50 000 beads in a slab before the eye, rows 0.0043 apart.
  constexpr int kSide = 224;
  for (int i = 0; i < kSide * kSide; ++i) {
    const double x = 0.03 + 0.0043 * (i % kSide);
    const double y = 0.03 + 0.0043 * (i / kSide);
    const double z = -1.7 - 0.37 * ((i * 7) % 11) / 11.0;
    scene += "{ object name b" + std::to_string(i) + "; model { sphere center ( " + std::to_string(x) + " , " +
             std::to_string(y) + " , " + std::to_string(z) + " ); radius 0.0017; } }\n";
  }
  WriteFile(dir / "beads.qz", scene + ".\n");
  const Outcome run = RunIn(dir.path(), {"beads.qz"}, "Global hierarchy: level 0 - ");
  EXPECT_EQ(run.exitCode, 130) << run.err.substr(run.err.size() > 2000 ? run.err.size() - 2000 : 0);
  EXPECT_TRUE(run.err.ends_with("\nzavo-render: User break\n"));
  EXPECT_FALSE(Has(run.err, "Saving hierarchy"));
  EXPECT_FALSE(fs::exists(dir / "beads.qz_"));
  EXPECT_FALSE(fs::exists(dir / "hierbl2.log"));
  EXPECT_FALSE(fs::exists(dir / "beads.bmp"));
  EXPECT_EQ(Leftovers(dir.path()), std::vector<std::string>{});
}

}  // namespace
