// zavo-render on scenes with blobs, fields and abstract VRML nodes: their
// side files are found beside the scene, and bad or missing ones are load
// errors with the scene's file and line.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>
#include <sys/wait.h>

#include "common/temp_dir.h"
#include "geometry/bitmap_manager.h"

namespace {

using zavo::test::TempDir;
using zavo::test::WriteFile;

struct Result {
  int exitCode;
  std::string err;
};

// Runs zavo-render in the directory on the scene; captures stderr.
Result Render(const std::string& dir, const std::string& scene) {
  const std::string cmd = "cd '" + dir + "' && '" + ZAVO_RENDER_EXE + "' '" + scene + "' 2>&1 1>/dev/null";
  FILE* p = popen(cmd.c_str(), "r");
  EXPECT_NE(p, nullptr);
  std::string out;
  std::array<char, 512> buf;
  std::size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), n);
  const int status = pclose(p);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

const char kBlobObjects[] =
    "{ material name green; model { phong } }\n"
    "{ object\n\tname b;\n\tmaterial green;\n\tmodel { blob\n\t\tname drop;\n\t}\n}\n";

std::string LastLine(const std::string& text) {
  const std::size_t end = text.size() > 0 && text.back() == '\n' ? text.size() - 1 : text.size();
  const std::size_t start = text.rfind('\n', end == 0 ? 0 : end - 1);
  return text.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1));
}

TEST(ProceduralModelsCli, SideFilesOfBlobsAreLoadErrors) {
  TempDir dir;
  std::string scene = kBlobObjects;
  scene += ".\n";
  WriteFile(dir / "drop.qz", scene);
  Result r = Render(dir.path().string(), "drop.qz");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(LastLine(r.err), "drop.qz:6: file \"drop.blb\" not found in model path (near 'drop')");

  WriteFile(dir / "drop.blb", "threshold = 0.5\nsphere = 0 0 0 1 1\n");
  r = Render(dir.path().string(), "drop.qz");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(LastLine(r.err), "drop.qz:7: Error in blob model drop.blb (near '}')");
}

// The default view (eye (0.5, 0.5, 1), window [0, 1] x [0, 1] on z = 0)
// sees the window -1 .. 1 of the plane z = 0 of a scene scaled by a half
// about the origin and moved to (0.5, 0.5, 0). No lamp and materials of
// ambient 1 only: a hit pixel is the material's colour whatever its normal.
TEST(ProceduralModelsCli, ABlobAndANodeShowAndAFieldDoesNot) {
  TempDir dir;
  WriteFile(dir / "drop.blb", "[blob1.0]\nthreshold = 0.5\nsphere = 0 0 0 1 1\n");
  std::string scene = "{ param\n  dimx 21;\n  dimy 21;\n  backcolor (0,0,1);\n}\n";
  scene += "{ material name green; model { phong Ka 1; Kd 0; Ks 0; Od (0,1,0); } }\n";
  scene += "{ material name red; model { phong Ka 1; Kd 0; Ks 0; Od (1,0,0); } }\n";
  scene += "{ object name all; model { transf s ( 0.5 , 0.5 , 0.5 ); t ( 0.5 , 0.5 , 0 );\n";
  scene += "{ object name g; model { group\n";
  scene += "{ object name b; material green; model { blob name drop; } }\n";
  scene += "{ object name v; material red; model { AbstractVRMLNode center ( 0.7 , 0.7 , 0 ); radius 0.2; } }\n";
  scene += "{ object name f; model { field\n";
  scene += "  { object name o; material red; model { sphere center ( -0.7 , -0.7 , 0 ); radius 0.2; } }\n";
  scene += "  decoration { object name d; model { polyline p ( 0 , 0 , 0 ); p ( 1 , 0 , 0 ); } }\n";
  scene += "  mat { rx \"1\"; }\n} }\n";
  scene += "} } } }\n.\n";
  WriteFile(dir / "three.qz", scene);
  const Result r = Render(dir.path().string(), "three.qz");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  BitmapManager image;
  ASSERT_EQ(image.Load(dir / "three.bmp"), 1);
  const auto pixel = [&image](int x, int y) {
    int c[3] = {-1, -1, -1};
    image.GetPixel(x, y, c[0], c[1], c[2]);
    return std::vector<int>{c[0], c[1], c[2]};
  };
  EXPECT_EQ(pixel(10, 10), (std::vector<int>{0, 255, 0}));
  EXPECT_EQ(pixel(17, 3), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ(pixel(3, 17), (std::vector<int>{0, 0, 255}));
  EXPECT_EQ(pixel(0, 20), (std::vector<int>{0, 0, 255}));
}

}  // namespace
