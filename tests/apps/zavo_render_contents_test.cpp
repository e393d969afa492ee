// What zavo-render writes in each mode, read back: the preview's pixels
// against the ray-traced image of the sample scene, the meshes of the DXF,
// TGL and VRML files, the analysis report; and a degenerate view, which
// fails every mode alike.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "foundation/number_text.h"
#include "geometry/bitmap_manager.h"

namespace {

namespace fs = std::filesystem;
using zavo::test::Outcome;
using zavo::test::Pixel;
using zavo::test::ReadFile;
using zavo::test::Rgb;
using zavo::test::RunIn;
using zavo::test::TempDir;
using zavo::test::WriteFile;

std::string SampleScene() {
  std::ifstream in(std::string(ZAVO_TEST_DATA_DIR) + "/../../examples/spheres.qz", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The text with its first "from" replaced by "to".
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(ZavoRenderContents, ThePreviewOfTheSampleSceneShowsWhatItsImageShows) {
  const std::string scene = SampleScene();
  ASSERT_NE(scene.find("render raytracing;"), std::string::npos);
  TempDir dir;
  WriteFile(dir / "traced.qz", scene);
  WriteFile(dir / "preview.qz", Replaced(scene, "render raytracing;", "render preview;"));
  for (const char* name : {"traced.qz", "preview.qz"}) {
    const Outcome run = RunIn(dir.path(), {name});
    ASSERT_EQ(run.exitCode, 0) << name << ":\n" << run.err;
  }
  BitmapManager traced;
  BitmapManager preview;
  ASSERT_EQ(traced.Load(dir / "traced.bmp"), 1);
  ASSERT_EQ(preview.Load(dir / "preview.bmp"), 1);
  ASSERT_EQ(preview.Width(), 300);
  ASSERT_EQ(preview.Height(), 300);

  // The sky is the background colour (0.55,0.7,0.9); the red ball is lit.
  const Rgb sky{140, 178, 229};
  EXPECT_EQ(Pixel(preview, 150, 20), sky);
  EXPECT_EQ(Pixel(traced, 150, 20), sky);
  const Rgb ball = Pixel(preview, 84, 212);
  EXPECT_GT(ball.r, 150);
  EXPECT_LT(ball.g, ball.r / 3);
  EXPECT_LT(ball.b, ball.r / 3);

  // Both images show the objects on the same pixels.
  int same = 0;
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 300; ++x) same += (Pixel(traced, x, y) == sky) == (Pixel(preview, x, y) == sky);
  }
  EXPECT_GE(same, 0.98 * 300 * 300);
}

// A red box, a sphere and a lamp (which becomes a point lamp object, a mesh
// like the others) in front of the default view.
std::string SmallScene(const char* mode) {
  return std::string("{ param\n  render ") + mode +
         ";\n  dimx 8;\n  dimy 6;\n}\n"
         "{ material\n\tname red;\n\tmodel { phong Kd 0.7; Od (0.85,0.15,0.1); }\n}\n"
         "{ object\n\tname crate;\n\tmaterial red;\n"
         "\tmodel { box xmin -0.5; xmax 0.4; ymin -0.5; ymax 0.5; zmin -4; zmax -3; }\n}\n"
         "{ object\n\tname ball;\n\tmodel { sphere center ( 0.8 , 0.6 , -3 ); radius 0.5; }\n}\n"
         "{ lamp\n\tname sun;\n\tmodel { pointlamp\npos ( -4 , 6 , 3 );\n\tcolor (1,1,0.95);\n}\n}\n.\n";
}

// Runs zavo-render on SmallScene (mode) and answers the file it wrote.
std::string Exported(const char* mode, const char* extension) {
  TempDir dir;
  WriteFile(dir / "small.qz", SmallScene(mode));
  const Outcome run = RunIn(dir.path(), {"small.qz"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const fs::path file = dir / (std::string("small") + extension);
  return fs::exists(file) ? ReadFile(file) : std::string();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

// The numbers of a line; false when a token is not a finite number.
bool Numbers(const std::string& line, std::vector<double>& out) {
  out.clear();
  std::istringstream in(line);
  std::string token;
  while (in >> token) {
    double value = 0;
    if (!zavo::NumberTextToDouble(token, value) || !std::isfinite(value)) return false;
    out.push_back(value);
  }
  return true;
}

// Each mesh: its name, vertex count and triangle count.
struct Mesh {
  std::string layer;
  int vertices = 0;
  int triangles = 0;
  friend bool operator==(const Mesh&, const Mesh&) = default;
};
std::ostream& operator<<(std::ostream& os, const Mesh& m) {
  return os << '{' << m.layer << ", " << m.vertices << ", " << m.triangles << '}';
}
const std::vector<Mesh> kMeshes{{"crate", 8, 12}, {"ball_0", 49, 72}, {"sun_0", 49, 72}};

TEST(ZavoRenderContents, TheDxfHoldsOnePolylineAMesh) {
  const std::vector<std::string> lines = Lines(Exported("dxf", ".dxf"));
  std::vector<Mesh> meshes;
  std::vector<std::vector<double>> crateCorners;
  for (std::size_t i = 0; i + 10 < lines.size(); ++i) {
    if (lines[i] == "POLYLINE") {
      meshes.push_back({lines[i + 2], std::stoi(lines[i + 8]), std::stoi(lines[i + 10])});
    } else if (lines[i] == "VERTEX" && lines[i + 2] == "crate" && lines[i + 10] == "192") {
      crateCorners.push_back({std::stod(lines[i + 4]), std::stod(lines[i + 6]), std::stod(lines[i + 8])});
    }
  }
  EXPECT_EQ(meshes, kMeshes);
  ASSERT_EQ(crateCorners.size(), 8u);
  for (const auto& p : crateCorners) {
    EXPECT_TRUE(p[0] == -0.5 || p[0] == 0.4);
    EXPECT_TRUE(p[1] == -0.5 || p[1] == 0.5);
    EXPECT_TRUE(p[2] == -4 || p[2] == -3);
  }
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "0");
  EXPECT_EQ(lines.back(), "EOF");
}

TEST(ZavoRenderContents, TheTglHoldsTheMatrixAndEveryTriangle) {
  const std::vector<std::string> lines = Lines(Exported("tgl", ".tgl"));
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "8");
  EXPECT_EQ(lines[1], "6");
  std::vector<double> numbers;
  ASSERT_TRUE(Numbers(lines[2], numbers)) << lines[2];
  EXPECT_EQ(numbers.size(), 16u);
  // Three vertex lines and a colour line per triangle, every number finite.
  int triangles = 0;
  for (const Mesh& m : kMeshes) triangles += m.triangles;
  ASSERT_EQ(lines.size(), 3u + 4u * triangles);
  for (std::size_t i = 3; i < lines.size(); ++i) {
    ASSERT_TRUE(Numbers(lines[i], numbers)) << i << ": " << lines[i];
    EXPECT_EQ(numbers.size(), 3u) << i;
  }
  // The crate's triangles come first, in its material's colour.
  EXPECT_EQ(lines[6], "0.85 0.15 0.1");
  EXPECT_EQ(lines[3 + 4 * 12 - 1], "0.85 0.15 0.1");
}

TEST(ZavoRenderContents, TheVrmlHoldsOneSeparatorAMesh) {
  const std::vector<std::string> lines = Lines(Exported("vrml", ".wrl"));
  std::vector<Mesh> meshes;
  int* counting = nullptr;
  for (const std::string& line : lines) {
    if (line == "\tSeparator {") {
      meshes.push_back({});
    } else if (line == "\t\t\tpoint [" && !meshes.empty()) {
      counting = &meshes.back().vertices;
    } else if (line == "\t\t\tcoordIndex [" && !meshes.empty()) {
      counting = &meshes.back().triangles;
    } else if (line == "\t\t\t]") {
      counting = nullptr;
    } else if (counting != nullptr) {
      ++*counting;
    }
  }
  std::vector<Mesh> expected = kMeshes;
  for (Mesh& m : expected) m.layer.clear();
  EXPECT_EQ(meshes, expected);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[4], "\t\tposition\t0 0 0");
}

TEST(ZavoRenderContents, TheAnalysisDescribesEveryObject) {
  const std::string ana = Exported("t_analysis", ".ana");
  EXPECT_EQ(ana.rfind("\nAnalizing : crate\n -- is triangle mesh \n -- is faced \n"
                      " Box = [ Xmin=-0.5 , Xmax=0.4 , \n\tYmin=-0.5 , Ymax=0.5 , \n\tZmin=-4 , Zmax=-3 ]\n"
                      "Center = ( -0.05 , 0 , -3.5 )\n"
                      "\nAnalizing : ball\n -- declassable triangle mesh \n -- declassable faced\n(0) ball\n",
                      0),
            0u)
      << ana;
  EXPECT_NE(ana.find("\nAnalizing : sun\n"), std::string::npos);
}

TEST(ZavoRenderContents, ADegenerateViewFailsEveryModeAndWritesNothing) {
  const char* modes[] = {"raytracing", "preview", "depth", "vrml", "dxf", "tgl", "t_analysis"};
  for (const char* mode : modes) {
    SCOPED_TRACE(mode);
    TempDir dir;
    // The up vector along the view-plane normal.
    WriteFile(dir / "flat.qz", "{ vrc\n\tvpn ( 0 , 1 , 0 );\n\tvup ( 0 , 2 , 0 );\n}\n" + SmallScene(mode));
    const Outcome run = RunIn(dir.path(), {"flat.qz"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Degenerate view"), std::string::npos) << run.err;
    std::vector<std::string> entries;
    for (const auto& entry : fs::directory_iterator(dir.path())) entries.push_back(entry.path().filename().string());
    EXPECT_EQ(entries, std::vector<std::string>{"flat.qz"});
  }
}

}  // namespace
