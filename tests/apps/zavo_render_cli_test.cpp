#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "common/temp_dir.h"

namespace {

struct RunResult {
  int exit_code;
  std::string out;  // stdout and stderr as chosen by the caller
};

// Runs zavo-render with the given arguments (already quoted for the shell) and
// captures the chosen stream.
// With a directory, the program runs there.
RunResult RunRender(const std::string& args, bool capture_stderr, const std::string& dir = "") {
  std::string cmd = "'";
  cmd += ZAVO_RENDER_EXE;
  cmd += "' ";
  cmd += args;
  if (!dir.empty()) cmd = "cd '" + dir + "' && " + cmd;
  cmd += capture_stderr ? " 2>&1 1>/dev/null" : " 2>/dev/null";
  FILE* p = popen(cmd.c_str(), "r");
  EXPECT_NE(p, nullptr);
  std::string out;
  std::array<char, 512> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), n);
  int status = pclose(p);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

std::string FirstLine(const std::string& s) { return s.substr(0, s.find('\n')); }

TEST(ZavoRenderCli, ExitCodesAndFirstLines) {
  struct Case {
    const char* args;
    bool stderr_stream;
    int exit_code;
    const char* first_line;
  } cases[] = {
      {"--help", false, 0, "usage: zavo-render [options] SCENE.qz"},
      {"--version", false, 0, "zavo-render " ZAVO_VERSION},
      {"", true, 2, "zavo-render: no scene given"},
      {"a.qz b.qz", true, 2, "zavo-render: only one scene can be rendered at a time"},
      {"--frobnicate a.qz", true, 2, "zavo-render: unknown option --frobnicate"},
      {"a.qz -o", true, 2, "zavo-render: -o needs a name"},
      {"a.qz -o -", true, 2, "zavo-render: -o needs a file name: the output cannot go to standard output"},
      {"-q", true, 2, "zavo-render: no scene given"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    RunResult r = RunRender(c.args, c.stderr_stream);
    EXPECT_EQ(r.exit_code, c.exit_code);
    EXPECT_EQ(FirstLine(r.out), c.first_line);
  }
}

TEST(ZavoRenderCli, UsageErrorsPrintTheUsage) {
  RunResult r = RunRender("", true);
  EXPECT_NE(r.out.find("usage: zavo-render [options] SCENE.qz"), std::string::npos);
}

// Copies fixtures of tests/data/apps into the directory.
void CopyFixtures(const std::filesystem::path& to, std::initializer_list<const char*> names) {
  std::filesystem::create_directories(to);
  for (const char* name : names) {
    std::filesystem::copy_file(zavo::test::DataPath(std::string("apps/") + name), to / name);
  }
}

TEST(ZavoRenderCli, LoadErrorsNameFileAndLine) {
  zavo::test::TempDir dir;
  CopyFixtures(dir.path(), {"unknown_section.qz", "missing_texture.qz"});
  const std::string unknown = (dir / "unknown_section.qz").string();
  RunResult r = RunRender("'" + unknown + "'", true);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out, "view\n" + unknown + ":1: Unknown section (near 'view')\n");

  // The texture is looked for beside the scene, not in the caller's directory.
  std::filesystem::create_directories(dir / "elsewhere");
  zavo::test::WriteFile(dir / "elsewhere" / "wood.bmp", zavo::test::ReadFile(zavo::test::DataPath("apps/wood.bmp")));
  r = RunRender("../missing_texture.qz", true, (dir / "elsewhere").string());
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out, "texture\n../missing_texture.qz:3: file \"wood.bmp\" not found in texture path (near 'wood')\n");
}

TEST(ZavoRenderCli, AGoodSceneLoadsAndRenders) {
  zavo::test::TempDir dir;
  CopyFixtures(dir / "scenes", {"loads.qz", "wood.bmp"});
  // A relative scene path, resolved before the program changes to the scene's directory.
  RunResult r = RunRender("scenes/loads.qz -o picture", true, dir.path().string());
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find("zavo-render: Start Time")), "param\ntexture\nmaterial\n");
  EXPECT_NE(r.out.find("\nzavo-render: wrote picture.bmp (32 x 24 pixels) in "), std::string::npos) << r.out;
  EXPECT_TRUE(std::filesystem::exists(dir / "picture.bmp"));
}

TEST(ZavoRenderCli, ObjectsLoadWithTheirMeshFilesBesideTheScene) {
  zavo::test::TempDir dir;
  CopyFixtures(dir / "scenes", {"models.qz", "tetra.brp"});
  RunResult r = RunRender("scenes/models.qz", true, dir.path().string());
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find("Creating hierarchy\n")),
            "material\nobject\nobject ball\nobject\nobject crate\nobject\nobject mesh\n");
  EXPECT_TRUE(std::filesystem::exists(dir / "scenes" / "models.bmp"));

  std::filesystem::remove(dir / "scenes" / "tetra.brp");
  r = RunRender("scenes/models.qz", true, dir.path().string());
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out.substr(r.out.find("scenes/models.qz:")),
            "scenes/models.qz:16: file \"tetra.brp\" not found in model path (near 'tetra')\n");
}

TEST(ZavoRenderCli, ACsgSceneLeavesItsMeshCacheBesideTheScene) {
  zavo::test::TempDir dir;
  CopyFixtures(dir / "scenes", {"csg.qz"});
  RunResult r = RunRender("scenes/csg.qz", true, dir.path().string());
  EXPECT_EQ(r.exit_code, 0) << r.out;
  EXPECT_TRUE(std::filesystem::exists(dir / "scenes" / "csg.bmp"));
  const std::string cache = zavo::test::ReadFile(dir / "scenes" / "csg.qzd" / "object" / "A" / "model.brp");
  EXPECT_EQ(cache.rfind("{ pbrep\n", 0), 0u);
}

TEST(ZavoRenderCli, PatchModelsAndSplineSurfacesLoadWithTheirSideFiles) {
  zavo::test::TempDir dir;
  std::string patch = "{ bezier\n{ patch\n";
  for (int k = 0; k < 16; ++k) {
    patch += "( " + std::to_string((k % 4) / 3.0 - 0.5) + " , " + std::to_string((k / 4) / 3.0 - 0.5) + " , 0 )\n";
  }
  patch += "}\n}\n";
  zavo::test::WriteFile(dir / "wing.bzr", patch);
  const std::string nurbs =
      "{ NURBS\n{ patch orderx 2; ordery 2; dimx 2; dimy 2;\n{ 0; 0; 1; 1; }\n{ 0; 0; 1; 1; }\n"
      "( 0 , 0 , 0 ) , 1;\n( 1 , 0 , 0 ) , 1;\n( 0 , 1 , 0 ) , 1;\n( 1 , 1 , 0 ) , 1;\n}\n}\n.\n";
  zavo::test::WriteFile(dir / "hull.nrb", nurbs);
  std::string grid = "4 4\n";
  for (int a = 0; a < 4; ++a) {
    for (int b = 0; b < 4; ++b) grid += std::to_string(a - 1.5) + " " + std::to_string(b - 1.5) + " 0\n";
  }
  zavo::test::WriteFile(dir / "grid.bsp", grid);
  const std::string scene =
      "{ object name w; model { bezier name wing; div 4; cache 1; } }\n"
      "{ object name n; model { NURBSmesh name hull; } }\n"
      "{ object name g; model { ucbspline name grid; } }\n.\n";
  zavo::test::WriteFile(dir / "patches.qz", scene);
  RunResult r = RunRender("patches.qz", true, dir.path().string());
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find("bezier 100%")), "object\nobject w\nobject\nobject n\nobject\nobject g\n");
  EXPECT_TRUE(std::filesystem::exists(dir / "patches.bmp"));

  std::filesystem::remove(dir / "wing.bzr");
  r = RunRender("patches.qz", true, dir.path().string());
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out.substr(r.out.find("patches.qz:")), "patches.qz:1: file \"wing.bzr\" not found in model path (near 'wing')\n");

  zavo::test::WriteFile(dir / "wing.bzr", patch);
  zavo::test::WriteFile(dir / "hull.nrb", nurbs.substr(0, 70));
  r = RunRender("patches.qz", true, dir.path().string());
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out.substr(r.out.find("patches.qz:")), "patches.qz:2: Error in NURBS model hull.nrb (near '}')\n");
}

TEST(ZavoRenderCli, AMissingSceneFails) {
  zavo::test::TempDir dir;
  RunResult r = RunRender("'" + (dir / "none.qz").string() + "'", true);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out, "zavo-render: " + (dir / "none.qz").string() + ": cannot open the scene\n");
}

}  // namespace
