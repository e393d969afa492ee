// The preview render of a scene: what it draws, says and writes.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
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

// The eye at (0, 0, -4) looking along +z through the window [-1, 1] x [-1, 1]
// of the view plane z = 0, seen from either side of the view plane: the view
// coordinates differ, what the eye sees does not (but for a mirrored u axis).
// A point (x, y, 4) lands on the device point (+-x/2, y/2).
struct Orientation {
  const char* name;
  Point3D vpn;
  double eye;  // prp.z
};

void PrintTo(const Orientation& o, std::ostream* os) { *os << o.name; }

const Orientation kOrientations[] = {
    {"EyeBehindTheViewPlane", {0, 0, 1}, -4},  // looking along vpn
    {"EyeInFrontOfTheViewPlane", {0, 0, -1}, 4},  // looking against vpn, as the default view does
};

class PreviewTest : public ::testing::TestWithParam<Orientation> {
protected:
  PreviewTest() : cwd(dir.path()), scene(registry) {
    BuildRegistry(registry);
    scene.SetInterface(&ui);
    scene.SetName((dir / "scene").c_str());
    scene.GetParam().dimx = 9;
    scene.GetParam().dimy = 9;
    CG_ViewReference& view = scene.GetViewReference();
    view.vrp = Point3D{0, 0, 0};
    view.vpn = GetParam().vpn;
    view.vup = Point3D{0, 1, 0};
    view.prp = Point3D{0, 0, GetParam().eye};
    view.umin = -1;
    view.umax = 1;
    view.vmin = -1;
    view.vmax = 1;
    view.type = 1;
  }

  // The n coordinate of the plane z = z.
  double PlaneAt(double z) const { return GetParam().vpn.z * z; }

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

TEST_P(PreviewTest, DrawsTheMeshesAndSavesTheImage) {
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

  // The scene keeps the inverse of the viewing matrix: it takes the device
  // point of the corner (1, 1, 4) of the front square, at any depth, back onto
  // the line from the eye through that corner, in front of the eye.
  const Point3D eye{0, 0, -4};
  const Point3D corner{1, 1, 4};
  const Transformation& inverse = scene.GetInverseViewMatrix();
  for (double depth : {0.1, 0.5, 0.9}) {
    SCOPED_TRACE(depth);
    const double device[4] = {GetParam().vpn.z > 0 ? 0.5 : -0.5, 0.5, depth, 1};
    double w[4];
    for (int r = 0; r < 4; ++r) {
      w[r] = 0;
      for (int c = 0; c < 4; ++c) w[r] += inverse(r, c) * device[c];
    }
    ASSERT_NE(w[3], 0);
    const Point3D back{w[0] / w[3], w[1] / w[3], w[2] / w[3]};
    const Point3D across = Cross(back - eye, corner - eye);
    EXPECT_NEAR(Length(across), 0, 1e-9 * Length(back - eye));
    EXPECT_GT(Dot(back - eye, corner - eye), 0);
  }
}

TEST_P(PreviewTest, OutputImageNameAndImageSize) {
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

TEST_P(PreviewTest, FailedMaterialCheckDrawsNothing) {
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

TEST_P(PreviewTest, ADegenerateViewEndsThePreviewWithAMessage) {
  struct Case {
    const char* what;
    std::function<void(CG_ViewReference&)> set;
  } cases[] = {
      {"the eye on the view plane", [](CG_ViewReference& v) { v.prp = Point3D{0, 0, 0}; }},
      {"vup parallel to vpn", [](CG_ViewReference& v) { v.vup = Point3D{0, 0, 2}; }},
      {"vpn of length 0", [](CG_ViewReference& v) { v.vpn = Point3D{0, 0, 0}; }},
      {"a window without width", [](CG_ViewReference& v) { v.umax = v.umin; }},
      {"a window without height", [](CG_ViewReference& v) { v.vmin = v.vmax; }},
  };
  const int alive = MeshObject::alive;
  {
    std::vector<MeshObject> parts;
    parts.push_back(*Square("p", 1, 4));
    Add(std::make_unique<PartsObject>("parts", std::move(parts)));
  }
  const CG_ViewReference sound = scene.GetViewReference();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui.messages.clear();
    scene.GetViewReference() = sound;
    c.set(scene.GetViewReference());
    EXPECT_EQ(scene.CreatePreview(), 0);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Degenerate view"});
    EXPECT_TRUE(ui.pixels.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "scene.bmp"));
    EXPECT_FALSE(std::filesystem::exists(dir / "preview.log"));
    EXPECT_EQ(MeshObject::alive, alive + 1);  // the owned part is gone
  }
}

TEST_P(PreviewTest, NothingBehindTheEyeOrOutsideThePlanesIsDrawn) {
  scene.GetParam().backcolor = Point3D{0, 0, 1};
  auto red = Coloured(1, 0, 0);
  auto green = Coloured(0, 1, 0);
  auto white = Coloured(1, 1, 1);
  // Behind the eye, as large as the view of the square at z = 4: a division
  // by a negative w would turn it over into the view.
  Add(Square("behind", 3, -16, white.get()));
  // A floor that runs from behind the eye to far in front of it, below the
  // axis: it shows in the lower half only, never folded into the upper half.
  Add(std::make_unique<MeshObject>(
      "floor", std::vector<Point3D>{{-30, -2, -40}, {30, -2, -40}, {30, -2, 60}, {-30, -2, 60}},
      std::vector<Triangle3>{{1, 2, 3}, {1, 3, 4}}, green.get()));
  // Three squares at the distances 5, 8 and 12 from the eye.
  auto yellow = Coloured(1, 1, 0);
  auto magenta = Coloured(1, 0, 1);
  Add(Square("near", 0.4, 1, red.get()));
  Add(Square("middle", 0.7, 4, yellow.get()));
  Add(Square("far", 1.1, 8, magenta.get()));
  // A lamp object and a camera in front of everything show nothing.
  auto lamp = Square("lamp", 3, 0, white.get());
  lamp->lamp = 1;
  Add(std::move(lamp));
  Add(MakeCameraMesh("camera", {{-9, -9, -2}, {9, -9, -2}, {0, 9, -2}}, {{1, 2, 3}}));

  const std::string background = "0 0 255";
  struct Case {
    const char* what;
    int fon, bon;
    double f, b;         // z of the planes
    std::string centre;  // the pixel (4, 4)
    bool floor;          // the floor shows at the bottom corners
  } cases[] = {
      {"no planes: the nearest square", 0, 0, 0, 0, "255 0 0", true},
      {"a front plane behind the eye leaves everything in front", 1, 0, -9, 0, "255 0 0", true},
      {"a front plane between the near and the middle square", 1, 0, 2, 0, "255 255 0", true},
      {"a back plane between the middle and the far square", 0, 1, 0, 6, "255 0 0", false},
      {"both planes around the far square", 1, 1, 6, 9, "255 0 255", false},
      {"the back plane before the near square", 0, 1, 0, 0.5, background, false},
      {"the front plane beyond the back plane", 1, 1, 6, 2, background, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CG_ViewReference& view = scene.GetViewReference();
    view.fon = c.fon;
    view.bon = c.bon;
    view.f = PlaneAt(c.f);
    view.b = PlaneAt(c.b);
    ASSERT_EQ(scene.CreatePreview(), 1);
    EXPECT_EQ(SavedPixel("scene.bmp", 4, 4), c.centre);
    // The upper corners show the background: nothing from behind the eye
    // folds over into them.
    EXPECT_EQ(SavedPixel("scene.bmp", 0, 0), background);
    EXPECT_EQ(SavedPixel("scene.bmp", 8, 1), background);
    const std::string floor = c.floor ? "0 102 0" : background;
    if (c.floor || c.centre == background) {
      EXPECT_EQ(SavedPixel("scene.bmp", 0, 8), floor);
      EXPECT_EQ(SavedPixel("scene.bmp", 7, 7), floor);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BothSides, PreviewTest, ::testing::ValuesIn(kOrientations),
                         [](const ::testing::TestParamInfo<Orientation>& info) { return info.param.name; });

}  // namespace
