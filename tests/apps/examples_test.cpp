// Every scene under examples/ renders: exit 0 and an image that is not one
// colour (or, for the exports, a file with something in it). The scenes are
// rendered small, from a copy, so that examples/ stays as it is.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <sys/wait.h>

#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "geometry/bitmap_manager.h"

namespace {

namespace fs = std::filesystem;
using zavo::test::ReadFile;
using zavo::test::TempDir;
using zavo::test::WriteFile;

const fs::path kExamples = fs::path(ZAVO_SOURCE_DIR) / "examples";

// The output extension of a scene's render mode.
std::string OutputExtension(const std::string& text) {
  std::smatch m;
  const std::string mode =
      std::regex_search(text, m, std::regex("render ([a-z_]+);")) ? m[1].str() : std::string("raytracing");
  if (mode == "vrml") return ".wrl";
  if (mode == "dxf") return ".dxf";
  if (mode == "tgl") return ".tgl";
  if (mode == "t_analysis") return ".ana";
  return ".bmp";
}

int Colours(const BitmapManager& image) {
  std::set<int> seen;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      int r, g, b;
      image.GetPixel(x, y, r, g, b);
      seen.insert(r << 16 | g << 8 | b);
    }
  }
  return static_cast<int>(seen.size());
}

TEST(Examples, EveryExampleRenders) {
  TempDir dir;
  fs::copy(kExamples, dir / "examples", fs::copy_options::recursive);
  int scenes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir / "examples")) {
    if (entry.path().extension() != ".qz") continue;
    ++scenes;
    const fs::path scene = entry.path();
    SCOPED_TRACE(scene.filename().string());
    // Small images keep the test fast.
    std::string text = ReadFile(scene);
    text = std::regex_replace(text, std::regex("dimx [0-9]+;"), "dimx 48;");
    text = std::regex_replace(text, std::regex("dimy [0-9]+;"), "dimy 48;");
    WriteFile(scene, text);
    const zavo::test::Outcome run = zavo::test::RunIn(scene.parent_path(), {scene.filename().string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    fs::path output = scene;
    output.replace_extension(OutputExtension(text));
    ASSERT_TRUE(fs::exists(output));
    if (output.extension() == ".bmp") {
      BitmapManager image;
      ASSERT_EQ(image.Load(output), 1);
      EXPECT_EQ(image.Width(), 48);
      EXPECT_GT(Colours(image), 8);
    } else {
      EXPECT_GT(fs::file_size(output), 100u);
    }
  }
  EXPECT_GT(scenes, 0);
}

// run.sh renders through scripts/render.sh in the caller's folder: a scene
// and an output given relative to it are found and written there.
TEST(Examples, TheRenderStepOfRunShKeepsTheCallersFolder) {
  TempDir dir;
  fs::create_directories(dir / "work" / "scenes");
  fs::copy_file(kExamples / "spheres.qz", dir / "work" / "scenes" / "spheres.qz");
  std::string text = ReadFile(dir / "work" / "scenes" / "spheres.qz");
  text = std::regex_replace(text, std::regex("dimx [0-9]+;"), "dimx 24;");
  text = std::regex_replace(text, std::regex("dimy [0-9]+;"), "dimy 24;");
  WriteFile(dir / "work" / "scenes" / "spheres.qz", text);
  const std::string command = "cd '" + (dir / "work").string() + "' && '" + ZAVO_SOURCE_DIR +
                              "/scripts/render.sh' '" + ZAVO_RENDER_EXE +
                              "' scenes/spheres.qz -o out/picture.bmp -q 2>&1";
  fs::create_directories(dir / "work" / "out");
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(fs::exists(dir / "work" / "out" / "picture.bmp"));
  EXPECT_FALSE(fs::exists(kExamples / "out"));
}

}  // namespace
