// The preview render of a scene: what it draws, says and writes.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "foundation/number_text.h"
#include "geometry/bitmap_manager.h"
#include "models/registry.h"
#include "render/mesh_fixtures.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

using zavo::test::BareObject;
using zavo::test::Coloured;
using zavo::test::MakeCameraMesh;
using zavo::test::MeshObject;
using zavo::test::PartsObject;
using zavo::test::ReadFile;
using zavo::test::RecordingInterface;
using zavo::test::ScopedCwd;
using zavo::test::TempDir;
using zavo::test::Triangle3;

// The square from (-h, -h) to (h, h) in the plane z = depth, as two triangles.
std::unique_ptr<MeshObject> Square(const char* name, double h, double depth,
                                   CG_Material* material = nullptr) {
  return std::make_unique<MeshObject>(
      name, std::vector<Point3D>{{-h, -h, depth}, {h, -h, depth}, {h, h, depth}, {-h, h, depth}},
      std::vector<Triangle3>{{1, 2, 3}, {1, -3, 4}}, material);
}

class PreviewTest : public ::testing::Test {
protected:
  PreviewTest() : cwd(dir.path()), scene(registry) {
    BuildRegistry(registry);
    scene.SetInterface(&ui);
    scene.SetName((dir / "scene").c_str());
    scene.GetParam().dimx = 9;
    scene.GetParam().dimy = 9;
    // The eye 4 behind the view plane z = 0, looking along +z; the window
    // [-1, 1] x [-1, 1]; nothing nearer than the plane z = 1 is drawn. A point
    // (x, y, 4) lands on the device point (x/2, y/2).
    CG_ViewReference& view = scene.GetViewReference();
    view.vrp = Point3D{0, 0, 0};
    view.vpn = Point3D{0, 0, 1};
    view.vup = Point3D{0, 1, 0};
    view.prp = Point3D{0, 0, -4};
    view.umin = -1;
    view.umax = 1;
    view.vmin = -1;
    view.vmax = 1;
    view.type = 1;
  }

  void Add(std::unique_ptr<CG_GraphicObject> object) { ASSERT_EQ(scene.AddObject(std::move(object)), 1); }

  // The pixel (x, y) of the saved image as "r g b".
  std::string SavedPixel(const std::string& file, int x, int y) {
    BitmapManager image;
    if (!image.Load(dir / file)) return "no image";
    int r = 0;
    int g = 0;
    int b = 0;
    image.GetPixel(x, y, r, g, b);
    return std::to_string(r) + " " + std::to_string(g) + " " + std::to_string(b);
  }

  TempDir dir;
  ScopedCwd cwd;
  CG_ModelRegistry registry;
  CG_GraphicScene scene;
  RecordingInterface ui;
};

TEST_F(PreviewTest, DrawsTheMeshesAndSavesTheImage) {
  auto red = Coloured(1, 0, 0);
  Add(Square("front", 1, 4, red.get()));  // the device square [-0.5, 0.5]
  // A camera in front of everything is not drawn.
  Add(MakeCameraMesh("camera", {{-9, -9, 2}, {9, -9, 2}, {0, 9, 2}}, {{1, 2, 3}}));
  // Owned parts: a larger square behind, in the default colour.
  const int alive = MeshObject::alive;
  {
    std::vector<MeshObject> parts;
    parts.push_back(*Square("back", 2.5, 8));
    Add(std::make_unique<PartsObject>("parts", std::move(parts)));
  }
  Add(std::make_unique<BareObject>("nothing"));  // declasses to nothing: absent
  const int withScene = MeshObject::alive;

  ASSERT_EQ(scene.CreatePreview(), 1);
  EXPECT_EQ(MeshObject::alive, withScene);
  EXPECT_EQ(withScene - alive, 1);

  std::vector<std::string> statuses{"Initializing data"};
  for (int y = 0; y < 9; ++y) statuses.push_back("Line = " + std::to_string(y));
  EXPECT_EQ(ui.statuses, statuses);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].rfind("Start Time : ", 0), 0u);

  // Full red facing the viewer; grey (0.5 unchanged) for the part without a
  // material; black where nothing is.
  EXPECT_EQ(SavedPixel("scene.bmp", 4, 4), "255 0 0");
  EXPECT_EQ(SavedPixel("scene.bmp", 1, 4), "127 127 127");
  EXPECT_EQ(SavedPixel("scene.bmp", 0, 0), "0 0 0");
  EXPECT_EQ(ui.pixels.size(), 81u);

  // preview.log: M times its inverse, four lines of four numbers each followed
  // by a blank; close to the identity.
  const std::string log = ReadFile(dir / "preview.log");
  std::istringstream lines(log);
  std::string line;
  int row = 0;
  while (std::getline(lines, line)) {
    ASSERT_LT(row, 4);
    std::istringstream numbers(line);
    std::string token;
    int column = 0;
    while (numbers >> token) {
      double value = 0;
      ASSERT_TRUE(zavo::NumberTextToDouble(token, value)) << token;
      EXPECT_NEAR(value, row == column ? 1 : 0, 1e-9) << row << ", " << column;
      ++column;
    }
    EXPECT_EQ(column, 4);
    EXPECT_EQ(line.back(), ' ');
    ++row;
  }
  EXPECT_EQ(row, 4);
  EXPECT_EQ(log.back(), '\n');

  // The scene keeps the inverse of the viewing matrix.
  const CG_ViewReference& view = scene.GetViewReference();
  Transformation m;
  ComposeTransformations(m, view.PerspectiveToParallelMatrix(), view.PerspectiveMatrix());
  const Transformation product = m * scene.GetInverseViewMatrix();
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(product(r, c), r == c ? 1 : 0, 1e-9);
  }
}

TEST_F(PreviewTest, OutputImageNameAndImageSize) {
  Add(Square("s", 1, 4));
  scene.GetParam().dimx = 7;
  scene.GetParam().dimy = 3;
  scene.SetOutputImage((dir / "picture").c_str());
  scene.GetParam().dimx = 1;  // the output image follows the size at render time
  ASSERT_EQ(scene.CreatePreview(), 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "scene.bmp"));
  BitmapManager image;
  ASSERT_EQ(image.Load(dir / "picture.bmp"), 1);
  EXPECT_EQ(image.Width(), 1);
  EXPECT_EQ(image.Height(), 3);
  // One column shows the device centre.
  EXPECT_EQ(SavedPixel("picture.bmp", 0, 1), "127 127 127");
}

TEST_F(PreviewTest, FailedMaterialCheckDrawsNothing) {
  auto a = Square("a", 1, 4);
  a->materialMatches = 0;
  auto b = Square("b", 1, 5);
  auto c = Square("c", 1, 6);
  c->materialMatches = 0;
  Add(std::move(a));
  Add(std::move(b));
  Add(std::move(c));
  EXPECT_EQ(scene.CreatePreview(), 0);
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"Object a not sync", "Object c not sync"}));
  EXPECT_EQ(ui.statuses, std::vector<std::string>{"Initializing data"});
  EXPECT_TRUE(ui.pixels.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "scene.bmp"));
  EXPECT_FALSE(std::filesystem::exists(dir / "preview.log"));
}

TEST_F(PreviewTest, SingularViewEndsThePreviewWithAMessage) {
  const int alive = MeshObject::alive;
  {
    std::vector<MeshObject> parts;
    parts.push_back(*Square("p", 1, 4));
    Add(std::make_unique<PartsObject>("parts", std::move(parts)));
  }
  scene.GetViewReference().prp = Point3D{0, 0, 0};  // no inverse
  EXPECT_EQ(scene.CreatePreview(), 0);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Unknown exception in CG_GraphicScene::CreateImage"});
  EXPECT_FALSE(std::filesystem::exists(dir / "scene.bmp"));
  EXPECT_EQ(MeshObject::alive, alive + 1);  // the owned part is gone
}

TEST_F(PreviewTest, FailuresBeforeAndAfterDrawing) {
  Add(Square("s", 1, 4));
  struct Case {
    const char* what;
    int dimx;
    const char* shade;
    std::string name;
    std::string message;
  } cases[] = {
      {"unknown shading method", 9, "gouraud", (dir / "scene").string(), "Unknown shading method gouraud"},
      {"no image of that size", 0, "phong", (dir / "scene").string(), "Cannot make an image of 0 x 9 pixels"},
      {"the image cannot be saved", 9, "phong", (dir / "missing" / "scene").string(),
       "Cannot write " + (dir / "missing" / "scene.bmp").string()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui.messages.clear();
    scene.GetParam().dimx = c.dimx;
    scene.GetParam().shade = c.shade;
    scene.SetName(c.name.c_str());
    EXPECT_EQ(scene.CreatePreview(), 0);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back(), c.message);
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "scene.bmp"));
}

}  // namespace
