// What zavo-render says when a scene or its render parameters are wrong, and
// the closing line of a run that worked.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "apps/render_run.h"
#include "common/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using zavo::test::Outcome;
using zavo::test::TempDir;
using zavo::test::WriteFile;

const std::string kBall =
    "{ material\n\tname green;\n\tmodel { phong Kd 0.7; Od (0.2,0.8,0.3); }\n}\n"
    "{ object\n\tname ball;\n\tmaterial green;\n\tmodel { sphere center ( 0.5 , 0.4 , -3.5 ); radius 0.8; }\n}\n"
    "{ lamp\n\tname sun;\n\tmodel { pointlamp\n\tpos ( -4 , 6 , 3 );\n\tcolor (1,1,1);\n\t}\n}\n.\n";

std::string FirstLine(const std::string& s) { return s.substr(0, s.find('\n')); }

TEST(ZavoRenderMessages, FaultsOfTheSceneAndItsParameters) {
  const struct {
    const char* name;
    std::string scene;
    std::vector<std::string> options;
    int exitCode;
    const char* firstLine;
  } cases[] = {
      {"model", "{ object\n\tname ball;\n\tmodel { globe center ( 0.5 , 0.4 , -3.5 ); radius 0.8; }\n}\n.\n", {}, 1,
       "model.qz:3: Generic Error (near 'globe')"},
      {"material", "{ object\n\tname ball;\n\tmaterial chrome;\n\tmodel { sphere radius 0.8; }\n}\n.\n", {}, 1,
       "material.qz:3: Generic Error (near 'chrome')"},
      {"param", "{ param\n  dimx 40;\n  resolution 30;\n}\n.\n", {}, 1, "param.qz:3: Generic Error (near 'resolution')"},
      {"matkey", "{ material\n\tname green;\n\tmodel { phong Kd 0.7; shine 3; }\n}\n.\n", {}, 1,
       "matkey.qz:3: Generic Error (near 'shine')"},
      {"attribute", "{ object\n\tname ball;\n\tmodel { sphere radius 0.8; colour 3; }\n}\n.\n", {}, 1,
       "attribute.qz:3: Unknown attribute (near 'colour')"},
      {"end", "{ object\n\tname ball;\n\tmodel { sphere center ( 0 , 0 , -3 ); radius 0.8;\n}\n", {}, 1,
       "end.qz:5: Caracter '}' not found (at the end of the file)"},
      {"mode", "{ param\n  render raytrace;\n}\n" + kBall, {}, 1, "zavo-render: mode.qz: Unknown render mode raytrace"},
      {"size", "{ param\n  dimx -5;\n  dimy 0;\n}\n" + kBall, {}, 1, "zavo-render: size.qz: Wrong image size -5 x 0"},
      {"wide", "{ param\n  dimx 70000;\n  dimy 2;\n}\n" + kBall, {}, 1,
       "zavo-render: wide.qz: Wrong image size 70000 x 2"},
      {"shade", "{ param\n  shade gouraud;\n}\n" + kBall, {}, 1,
       "zavo-render: shade.qz: Unknown shading method gouraud"},
      {"output", "{ param\n  dimx 40;\n  dimy 30;\n}\n" + kBall, {"-o", "nowhere/out"}, 1,
       "zavo-render: nowhere/out.bmp: cannot write the output (No such file or directory)"},
      {"export", "{ param\n  render vrml;\n}\n" + kBall, {"-o", "nowhere/out.wrl"}, 1,
       "zavo-render: nowhere/out.wrl: cannot write the output (No such file or directory)"},
      {"dash", kBall, {"-o", "-"}, 2, "zavo-render: -o needs a file name: the output cannot go to standard output"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string scene = std::string(c.name) + ".qz";
    WriteFile(dir / scene, c.scene);
    std::vector<std::string> args = c.options;
    args.push_back(scene);
    // Quiet: errors only, so the first line is the error.
    args.push_back("-q");
    const Outcome quiet = zavo::test::RunIn(dir.path(), args);
    EXPECT_EQ(quiet.exitCode, c.exitCode);
    EXPECT_EQ(FirstLine(quiet.err), c.firstLine);
    // Without -q the error is the last line, and nothing was built or written.
    args.pop_back();
    const Outcome loud = zavo::test::RunIn(dir.path(), args);
    EXPECT_EQ(loud.exitCode, c.exitCode);
    EXPECT_NE(loud.err.find(std::string(c.firstLine) + "\n"), std::string::npos) << loud.err;
    EXPECT_EQ(loud.err.find("hierarchy"), std::string::npos) << loud.err;
    EXPECT_FALSE(fs::exists(dir / (std::string(c.name) + ".qz_")));
    EXPECT_FALSE(fs::exists(dir / (std::string(c.name) + ".bmp")));
  }
}

TEST(ZavoRenderMessages, ARunThatWorkedEndsWithWhatItWrote) {
  TempDir dir;
  WriteFile(dir / "ball.qz", "{ param\n  dimx 40;\n  dimy 30;\n}\n" + kBall);
  WriteFile(dir / "vrml.qz", "{ param\n  render vrml;\n}\n" + kBall);
  const struct {
    std::vector<std::string> args;
    const char* file;
    const char* closing;
  } cases[] = {
      {{"ball.qz"}, "ball.bmp", "zavo-render: wrote ball.bmp (40 x 30 pixels) in "},
      {{"ball.qz", "-o", "picture.BMP"}, "picture.bmp", "zavo-render: wrote picture.bmp (40 x 30 pixels) in "},
      {{"-o", "out.bmp", "ball.qz"}, "out.bmp", "zavo-render: wrote out.bmp (40 x 30 pixels) in "},
      {{"vrml.qz", "-o", "world.wrl"}, "world.wrl", "zavo-render: wrote world.wrl in "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const Outcome run = zavo::test::RunIn(dir.path(), c.args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::exists(dir / c.file));
    const std::size_t last = run.err.rfind('\n', run.err.size() - 2);
    const std::string closing = run.err.substr(last == std::string::npos ? 0 : last + 1);
    EXPECT_EQ(closing.rfind(c.closing, 0), 0u) << closing;
    EXPECT_EQ(closing.substr(closing.size() - 3), " s\n");
  }
  EXPECT_FALSE(fs::exists(dir / "out.bmp.bmp"));
  // Quiet: nothing at all.
  const Outcome quiet = zavo::test::RunIn(dir.path(), {"-q", "ball.qz"});
  EXPECT_EQ(quiet.exitCode, 0);
  EXPECT_EQ(quiet.err, "");
}

TEST(ZavoRenderMessages, EveryMessageNamesItsSender) {
  TempDir dir;
  WriteFile(dir / "ball.qz", "{ param\n  dimx 40;\n  dimy 30;\n}\n" + kBall);
  const Outcome run = zavo::test::RunIn(dir.path(), {"ball.qz"});
  ASSERT_EQ(run.exitCode, 0);
  // The time report is a message of the renderer: one prefixed line each.
  EXPECT_NE(run.err.find("\nzavo-render: Start Time : "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("\nzavo-render: Total Time : H="), std::string::npos) << run.err;
  // No row texts in a pipe.
  EXPECT_EQ(run.err.find("Line "), std::string::npos) << run.err;
}

}  // namespace
