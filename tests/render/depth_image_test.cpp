// The depth image: the raw file's layout, the grey levels, the files left
// behind on every road and the texts shown on the way.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/geo_exception.h"
#include "render/depth_file.h"
#include "render/render_fixtures.h"
#include "scene/uniform_object_data.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

TEST(DepthFile, RowsArePackedLittleEndianTwelveBytesARecord) {
  std::ostringstream out;
  WriteDepthSize(out, 2, 0x01020304);
  const std::vector<DepthRecord> row = {{0, 1.5}, {1, 0.0}, {0, -2.0}};
  WriteDepthRow(out, row);
  const std::string expected = std::string("\x02\x00\x00\x00\x04\x03\x02\x01", 8) +
                               // hit, 1.5 = 0x3FF8000000000000
                               std::string("\x00\x00\x00\x00" "\x00\x00\x00\x00\x00\x00\xF8\x3F", 12) +
                               // miss, 0
                               std::string("\x01\x00\x00\x00" "\x00\x00\x00\x00\x00\x00\x00\x00", 12) +
                               // hit, -2 = 0xC000000000000000
                               std::string("\x00\x00\x00\x00" "\x00\x00\x00\x00\x00\x00\x00\xC0", 12);
  EXPECT_EQ(out.str(), expected);

  std::istringstream in(out.str());
  std::int32_t width = 0;
  std::int32_t height = 0;
  ASSERT_TRUE(ReadDepthSize(in, width, height));
  EXPECT_EQ(width, 2);
  EXPECT_EQ(height, 0x01020304);
  std::vector<DepthRecord> back(3);
  ASSERT_TRUE(ReadDepthRow(in, back));
  EXPECT_EQ(back[0].miss, 0);
  EXPECT_EQ(back[0].distance, 1.5);
  EXPECT_EQ(back[1].miss, 1);
  EXPECT_EQ(back[2].distance, -2.0);
  // A row cut short is not read.
  std::istringstream shortRow(expected.substr(0, expected.size() - 1));
  ASSERT_TRUE(ReadDepthSize(shortRow, width, height));
  EXPECT_FALSE(ReadDepthRow(shortRow, back));
}

TEST(DepthFile, GreysSpreadFromTheNearestToTheFarthestHit) {
  DepthRange range;
  EXPECT_TRUE(range.Empty());
  range.Widen(5);
  EXPECT_EQ(range.Smallest(), 5);
  EXPECT_EQ(range.Largest(), 5);
  // One distance only: every hit gets the nearest grey, never 0 / 0.
  EXPECT_EQ(range.Grey({0, 5}, 48, 64, 64), 48);
  range.Widen(3);
  range.Widen(7);
  range.Widen(4);
  EXPECT_EQ(range.Smallest(), 3);
  EXPECT_EQ(range.Largest(), 7);
  EXPECT_EQ(range.Grey({0, 3}, 48, 64, 64), 48);
  EXPECT_EQ(range.Grey({0, 7}, 48, 64, 64), 64);
  EXPECT_EQ(range.Grey({0, 6}, 48, 64, 64), 60);
  EXPECT_EQ(range.Grey({0, 4.9}, 48, 64, 64), 55);  // 55.6, truncated
  EXPECT_EQ(range.Grey({1, 7}, 48, 64, 10), 10);
  // The greys may run downwards.
  EXPECT_EQ(range.Grey({0, 6}, 200, 0, 64), 50);
}

// The default view looks down -z from (0.5, 0.5, 1) through [0, 1] x [0, 1] of
// z = 0. In a 4 x 1 image the pixel centres lie at u = 0.125, 0.375, 0.625,
// 0.875; the near box (front at z = -2) takes pixel 0, the far one (front at
// z = -4) pixel 2; pixels 1 and 3 miss.
const char kTwoBoxes[] =
    "{ object\n\tname near;\n\tmodel { box xmin -2; xmax -0.2; ymin -1; ymax 2; zmin -3; zmax -2; }\n}\n"
    "{ object\n\tname far;\n\tmodel { box xmin 0.8; xmax 1.5; ymin -1; ymax 2; zmin -5; zmax -4; }\n}\n";

std::string DepthScene(const std::string& param, const std::string& objects = kTwoBoxes) {
  return "{ param\n  render depth;\n" + param + "}\n" + objects + ".";
}

std::vector<int> GreysOf(const BitmapManager& image) {
  std::vector<int> greys;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const Rgb c = PixelOf(image, x, y);
      EXPECT_TRUE(c.r == c.g && c.g == c.b) << c;
      greys.push_back(c.r);
    }
  }
  return greys;
}

TEST(CreateDepth, GreysOfTheNearestAndFarthestHitAndOfAMiss) {
  struct Case {
    const char* what;
    std::string param;
    std::string objects;
    std::vector<int> greys;
  } cases[] = {
      {"defaults", "  dimx 4;\n  dimy 1;\n", kTwoBoxes, {48, 64, 64, 64}},
      {"own greys, running downwards", "  dimx 4;\n  dimy 1;\n  depthmin 100;\n  depthmax 20;\n  depthback 250;\n",
       kTwoBoxes, {100, 250, 20, 250}},
      {"every ray misses", "  dimx 3;\n  dimy 2;\n  depthback 7;\n", "", {7, 7, 7, 7, 7, 7}},
      {"one pixel, one distance", "  dimx 1;\n  dimy 1;\n  depthmin 30;\n",
       "{ object\n\tname wall;\n\tmodel { box xmin -9; xmax 9; ymin -9; ymax 9; zmin -3; zmax -2; }\n}\n", {30}},
      {"no hierarchy", "  dimx 4;\n  dimy 1;\n  buildhier 0;\n", kTwoBoxes, {48, 64, 64, 64}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RenderScene f;
    ASSERT_EQ(f.Load(DepthScene(c.param, c.objects)), 1);
    TempDir dir;
    ScopedCwd cwd(dir.path());
    f.scene.SetName("deep");
    EXPECT_EQ(f.scene.Render(), 1);
    EXPECT_EQ(f.scene.RenderSucceeded(), 1);
    BitmapManager image;
    ASSERT_EQ(image.Load(dir / "deep.bmp"), 1);
    EXPECT_EQ(GreysOf(image), c.greys);
    EXPECT_FALSE(fs::exists(dir / "deep.img"));
    EXPECT_EQ(f.scene.GetHitMaterial(), nullptr);
    EXPECT_EQ(f.scene.GetHierarchyRoot(), nullptr);
  }
}

TEST(CreateDepth, StatusTextsAndTheTimeReport) {
  RenderScene f;
  ASSERT_EQ(f.Load(DepthScene("  dimx 4;\n  dimy 4;\n")), 1);
  TempDir dir;
  ScopedCwd cwd(dir.path());
  f.scene.SetOutputImage("picture");
  f.now = 7000;
  EXPECT_EQ(f.scene.Render(), 1);
  EXPECT_TRUE(fs::exists(dir / "picture.bmp"));
  EXPECT_FALSE(fs::exists(dir / "picture.img"));
  // The rows, then the conversion, counted by the rows before each one.
  ASSERT_GE(f.ui.statuses.size(), 9u);
  const std::vector<std::string> last(f.ui.statuses.end() - 9, f.ui.statuses.end());
  EXPECT_EQ(last, (std::vector<std::string>{"Line 0   H=0  M=0  S=0", "Line 1   H=0  M=0  S=0",
                                            "Line 2   H=0  M=0  S=0", "Line 3   H=0  M=0  S=0",
                                            "Creating bitmap 0%", "Creating bitmap 25%",
                                            "Creating bitmap 50%", "Creating bitmap 75%", ""}));
  ASSERT_EQ(f.ui.messages.size(), 1u);
  std::ostringstream times;
  f.scene.ReportTimes(times);
  EXPECT_EQ(f.ui.messages[0], times.str());
  EXPECT_EQ(f.scene.GetStartTime(), 7000);
  EXPECT_EQ(f.scene.GetEndTime(), 7000);
  // The output image holds the depth image.
  EXPECT_EQ(f.scene.GetOutputImage().Width(), 4);
  EXPECT_EQ(PixelOf(f.scene.GetOutputImage(), 1, 0), (Rgb{64, 64, 64}));
}

// Any working material will do for it; its hits lie wherever the ray goes.
class Agreeable : public SelectiveObject {
public:
  Agreeable() : SelectiveObject("agreeable", [](const Ray&) { return true; }) {
    WithBound(GEO_Box{-10, 10, -10, 10, -10, 10});
  }
  int HasMaterialOfClass(const CG_Material&) const override { return 1; }
};

// An object whose intersection throws, as the geometry code may.
class ThrowingObject : public SelectiveObject {
public:
  ThrowingObject() : SelectiveObject("thrower", [](const Ray&) { return true; }) {}
  int Intersect(const Ray&, CG_GraphicObjectIntrInfo&) const override { throw xGeo(); }
};

// A material of a model that no shading method of the registry makes.
class OtherMaterial : public CG_Material {
public:
  void Write(std::ostream&) const override {}
  Point3D GetColour() const override { return {}; }
  void SetColour(const Point3D&) override {}
  void CopyFrom(const CG_Material&) override {}
};

TEST(CreateDepth, ABreakLeavesNeitherRawFileNorNewImage) {
  RenderScene f;
  f.Add(std::make_unique<Agreeable>());
  f.scene.GetParam().render = "depth";
  f.scene.GetParam().dimx = 3;
  f.scene.GetParam().dimy = 5;
  TempDir dir;
  ScopedCwd cwd(dir.path());
  f.scene.SetName("deep");
  WriteFile(dir / "deep.bmp", "an older image");
  f.ui.breakAfter = 0;
  EXPECT_EQ(f.scene.Render(), 0);
  EXPECT_EQ(f.scene.RenderSucceeded(), 0);
  EXPECT_EQ(ReadFile(dir / "deep.bmp"), "an older image");
  EXPECT_FALSE(fs::exists(dir / "deep.img"));
  const std::vector<std::string> last(f.ui.statuses.end() - 2, f.ui.statuses.end());
  EXPECT_EQ(last, (std::vector<std::string>{"Line 0   H=0  M=0  S=0", "User break"}));
  EXPECT_EQ(f.ui.messages, std::vector<std::string>{});
  EXPECT_EQ(f.scene.GetHierarchyRoot(), nullptr);
  EXPECT_EQ(f.scene.GetHitMaterial(), nullptr);
}

TEST(CreateDepth, FailuresShowAMessageAndLeaveNoFile) {
  struct Case {
    const char* what;
    std::function<void(RenderScene&, const fs::path&)> set;
    std::vector<std::string> messages;
  } cases[] = {
      {"objects of another material class",
       [](RenderScene& f, const fs::path&) {
         auto* other = new CG_NamedMaterial("other", new OtherMaterial());
         f.scene.GetMaterials().AddIfNew(other);
         for (const char* name : {"near", "far"}) {
           dynamic_cast<GUniformObjectData&>(*f.scene.FindObject(name)).material = other;
         }
       },
       {"Object near not sync", "Object far not sync"}},
      {"an exception while tracing",
       [](RenderScene& f, const fs::path&) { f.Add(std::make_unique<ThrowingObject>()); },
       {"Unknown exception in CG_GraphicScene::CreateDepth"}},
      {"unknown shading method", [](RenderScene& f, const fs::path&) { f.scene.GetParam().shade = "gouraud"; },
       {"Unknown shading method gouraud"}},
      {"degenerate view", [](RenderScene& f, const fs::path&) { f.scene.GetViewReference().vpn = {0, 0, 0}; },
       {"Degenerate view"}},
      {"wrong image size", [](RenderScene& f, const fs::path&) { f.scene.GetParam().dimx = 0; },
       {"Wrong image size 0 x 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RenderScene f;
    ASSERT_EQ(f.Load(DepthScene("  dimx 4;\n  dimy 1;\n")), 1);
    TempDir dir;
    ScopedCwd cwd(dir.path());
    f.scene.SetName("deep");
    c.set(f, dir.path());
    EXPECT_EQ(f.scene.Render(), 0);
    EXPECT_EQ(f.scene.RenderSucceeded(), 0);
    EXPECT_EQ(f.ui.messages, c.messages);
    EXPECT_FALSE(fs::exists(dir / "deep.bmp"));
    // Nothing of the render is left; a directory in the raw file's place stays.
    EXPECT_EQ(fs::exists(dir / "deep.img"), fs::is_directory(dir / "deep.img"));
    EXPECT_EQ(f.scene.GetHierarchyRoot(), nullptr);
    EXPECT_EQ(f.scene.GetHitMaterial(), nullptr);
  }
}

// The raw data goes to a scratch file of its own: whatever stands at
// "<base>.img" (a file, a directory, a link) is not touched.
TEST(CreateDepth, WhatStandsAtTheRawFilesNameIsLeftAlone) {
  for (const char* kind : {"file", "directory", "link"}) {
    SCOPED_TRACE(kind);
    RenderScene f;
    ASSERT_EQ(f.Load(DepthScene("  dimx 4;\n  dimy 1;\n", kTwoBoxes)), 1);
    TempDir dir;
    ScopedCwd cwd(dir.path());
    f.scene.SetName("deep");
    WriteFile(dir / "user.txt", "user data");
    if (std::string(kind) == "file") WriteFile(dir / "deep.img", "user data");
    if (std::string(kind) == "directory") fs::create_directory(dir / "deep.img");
    if (std::string(kind) == "link") fs::create_symlink("user.txt", dir / "deep.img");
    EXPECT_EQ(f.scene.Render(), 1);
    BitmapManager image;
    ASSERT_EQ(image.Load(dir / "deep.bmp"), 1);
    EXPECT_EQ(GreysOf(image), (std::vector<int>{48, 64, 64, 64}));
    EXPECT_EQ(ReadFile(dir / "user.txt"), "user data");
    if (std::string(kind) != "directory") { EXPECT_EQ(ReadFile(dir / "deep.img"), "user data"); }
    EXPECT_TRUE(fs::is_directory(dir / "deep.img") == (std::string(kind) == "directory"));
  }
}

TEST(CreateDepth, AnImageThatCannotBeWrittenKeepsTheOldEntry) {
  RenderScene f;
  ASSERT_EQ(f.Load(DepthScene("  dimx 4;\n  dimy 1;\n")), 1);
  TempDir dir;
  ScopedCwd cwd(dir.path());
  f.scene.SetName("deep");
  fs::create_directory(dir / "deep.bmp");
  WriteFile(dir / "deep.bmp" / "inside", "kept");
  EXPECT_EQ(f.scene.Render(), 0);
  EXPECT_EQ(f.scene.RenderSucceeded(), 0);
  ASSERT_EQ(f.ui.messages.size(), 2u);
  EXPECT_EQ(f.ui.messages[0].rfind("Start Time : ", 0), 0u);
  EXPECT_EQ(f.ui.messages[1], "Cannot write deep.bmp");
  EXPECT_EQ(ReadFile(dir / "deep.bmp" / "inside"), "kept");
  EXPECT_FALSE(fs::exists(dir / "deep.img"));
  for (const fs::directory_entry& entry : fs::directory_iterator(dir.path())) {
    const std::string file = entry.path().filename().string();
    EXPECT_TRUE(file == "deep.bmp" || file == "deep.qz_" || file == "hierbl2.log") << file;
  }
}

}  // namespace
}  // namespace zavo::test
