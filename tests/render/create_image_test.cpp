// The road of the ray-traced image: dispatch, preparation, material check,
// the written file and everything that stops an image on the way.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "geometry/geo_exception.h"
#include "render/render_fixtures.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

const char kBall[] =
    "{ param\n  dimx 8;\n  dimy 8;\n  backcolor (0,0,1);\n  shade noshadowphong;\n}\n"
    "{ object\n\tname ball;\n\tmodel { sphere center ( 0.5 , 0.5 , -3 ); radius 1; }\n}\n"
    "{ object\n\tname lamp;\n\tmodel { fakelight position 0.5 0.5 10; colour 1 1 1; }\n}\n";

// A material of a model that no shading method of the registry makes.
class OtherMaterial : public CG_Material {
public:
  void Write(std::ostream&) const override {}
  Point3D GetColour() const override { return {}; }
  void SetColour(const Point3D&) override {}
  void CopyFrom(const CG_Material&) override {}
};

// A material that counts its instances, made by the shading method "counting".
class CountedMaterial : public CG_MaterialPhong {
public:
  CountedMaterial() { ++alive; }
  CountedMaterial(const CountedMaterial& other) : CG_MaterialPhong(other) { ++alive; }
  ~CountedMaterial() override { --alive; }
  static inline int alive = 0;
};
class CountingShading : public FakeShading {
public:
  CountingShading() : FakeShading("counting", {0.5, 0.5, 0.5}) {}
  std::unique_ptr<CG_Material> NewMaterial() const override {
    ++made;
    return std::make_unique<CountedMaterial>();
  }
  mutable int made = 0;
};
CountingShading& Counting() {
  static CountingShading* method = [] {
    auto* made = new CountingShading();
    RenderScene::Registry().shadingMethods.Append(made);
    return made;
  }();
  return *method;
}

// An object whose intersection throws, as the geometry code may.
class ThrowingObject : public SelectiveObject {
public:
  ThrowingObject() : SelectiveObject("thrower", [](const Ray&) { return true; }) {}
  int Intersect(const Ray&, CG_GraphicObjectIntrInfo&) const override { throw xGeo(); }
};

TEST(CreateImage, WritesTheImageUnderTheOutputNameOrTheSceneName) {
  RenderScene f;
  ASSERT_EQ(f.Load(std::string(kBall) + "."), 1);
  TempDir dir;
  ScopedCwd cwd(dir.path());
  f.scene.SetName("scene");
  f.now = 5000;
  EXPECT_EQ(f.scene.Render(), 1);
  EXPECT_EQ(f.scene.RenderSucceeded(), 1);
  BitmapManager image;
  ASSERT_EQ(image.Load(dir / "scene.bmp"), 1);
  EXPECT_EQ(image.Width(), 8);
  EXPECT_EQ(image.Height(), 8);
  EXPECT_EQ(PixelOf(image, 0, 0), (Rgb{0, 0, 255}));
  EXPECT_NE(PixelOf(image, 4, 4), (Rgb{0, 0, 255}));
  // One status per row, then the time text as the last message.
  EXPECT_EQ(f.ui.statuses.back(), "Line 7   H=0  M=0  S=0");
  ASSERT_EQ(f.ui.messages.size(), 1u);
  EXPECT_EQ(f.ui.messages[0].rfind("Start Time : ", 0), 0u);
  EXPECT_TRUE(fs::exists(dir / "scene.qz_"));

  // The output image name wins over the scene name; the image takes the size
  // of the parameters.
  f.scene.GetParam().dimx = 3;
  f.scene.SetOutputImage("picture");
  f.scene.GetParam().dimy = 2;
  EXPECT_EQ(f.scene.Render(), 1);
  ASSERT_EQ(image.Load(dir / "picture.bmp"), 1);
  EXPECT_EQ(image.Width(), 3);
  EXPECT_EQ(image.Height(), 2);
  // The working materials are gone after the image.
  EXPECT_EQ(f.scene.GetHitMaterial(), nullptr);
  EXPECT_EQ(f.scene.GetHierarchyRoot(), nullptr);
}

// Any working material will do for it.
class Agreeable : public SelectiveObject {
public:
  Agreeable() : SelectiveObject("agreeable", [](const Ray&) { return true; }) {
    WithBound(GEO_Box{-10, 10, -10, 10, -10, 10});
  }
  int HasMaterialOfClass(const CG_Material&) const override { return 1; }
};

TEST(CreateImage, ABreakAfterTheFirstRowWritesNothing) {
  RenderScene f;
  f.Add(std::make_unique<Agreeable>());
  f.scene.GetParam().shade = "counting";
  f.scene.GetParam().dimx = 4;
  f.scene.GetParam().dimy = 4;
  Counting().made = 0;
  TempDir dir;
  ScopedCwd cwd(dir.path());
  f.scene.SetName("scene");
  WriteFile(dir / "scene.bmp", "an older image");
  f.ui.breakAfter = 0;
  EXPECT_EQ(f.scene.Render(), 0);
  EXPECT_EQ(f.scene.RenderSucceeded(), 0);
  EXPECT_EQ(ReadFile(dir / "scene.bmp"), "an older image");
  // The row status comes before the break test; no time text.
  EXPECT_EQ(f.ui.statuses.back(), "Line 0   H=0  M=0  S=0");
  EXPECT_EQ(f.ui.messages, std::vector<std::string>{});
  // The hierarchy was built, and freed with the two working materials.
  EXPECT_TRUE(fs::exists(dir / "scene.qz_"));
  EXPECT_EQ(f.scene.GetHierarchyRoot(), nullptr);
  EXPECT_EQ(Counting().made, 2);
  EXPECT_EQ(CountedMaterial::alive, 0);
  EXPECT_EQ(f.scene.GetHitMaterial(), nullptr);
  for (const fs::directory_entry& entry : fs::directory_iterator(dir.path())) {
    const std::string file = entry.path().filename().string();
    EXPECT_TRUE(file == "scene.bmp" || (file[0] != '.' && entry.path().extension() != ".bmp")) << file;
  }
}

TEST(CreateImage, EveryObjectOfAnotherMaterialClassIsNamed) {
  RenderScene f;
  f.scene.GetParam().shade = "fixed";
  auto* other = new CG_NamedMaterial("other", new OtherMaterial());
  f.scene.GetMaterials().AddIfNew(other);
  for (const char* name : {"a", "fine", "b"}) {
    auto& object = f.Add(std::make_unique<SelectiveObject>(name, [](const Ray&) { return true; }));
    if (std::string(name) != "fine") object.material = other;
  }
  bool written = true;
  EXPECT_EQ(RenderInTemp(f, nullptr, &written), 0);
  EXPECT_FALSE(written);
  EXPECT_EQ(f.ui.messages, (std::vector<std::string>{"Object a not sync", "Object b not sync"}));
  EXPECT_TRUE(f.ui.statuses.empty() || f.ui.statuses.back().rfind("Line", 0) != 0);
}

TEST(CreateImage, AnObjectWithoutMaterialShadesWithTheDefaultPhongMaterial) {
  RenderScene plain;
  ASSERT_EQ(plain.Load(std::string(kBall) + "."), 1);
  plain.scene.GetParam().shade = "phong";
  BitmapManager withoutMaterial;
  ASSERT_EQ(RenderInTemp(plain, &withoutMaterial), 1);

  RenderScene named;
  std::string text = kBall;
  text.insert(text.find("\tmodel { sphere"), "\tmaterial standard;\n");
  ASSERT_EQ(named.Load("{ material\n\tname standard;\n\tmodel { phong }\n}\n" + text + "."), 1);
  named.scene.GetParam().shade = "phong";
  BitmapManager withDefaults;
  ASSERT_EQ(RenderInTemp(named, &withDefaults), 1);

  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) EXPECT_EQ(PixelOf(withoutMaterial, x, y), PixelOf(withDefaults, x, y));
  }
  EXPECT_NE(PixelOf(withDefaults, 4, 4), (Rgb{0, 0, 255}));
}

TEST(CreateImage, FailuresShowAMessageAndWriteNothing) {
  struct Case {
    const char* what;
    std::function<void(RenderScene&)> set;
    std::string message;
  } cases[] = {
      {"unknown render mode", [](RenderScene& f) { f.scene.GetParam().render = "raytrace"; },
       "Unknown render mode raytrace"},
      {"unknown shading method", [](RenderScene& f) { f.scene.GetParam().shade = "gouraud"; },
       "Unknown shading method gouraud"},
      {"vpn parallel to vup", [](RenderScene& f) { f.scene.GetViewReference().vup = {0, 0, 3}; },
       "Degenerate view"},
      {"vpn of length 0", [](RenderScene& f) { f.scene.GetViewReference().vpn = {0, 0, 0}; },
       "Degenerate view"},
      {"an exception while tracing",
       [](RenderScene& f) { f.Add(std::make_unique<ThrowingObject>()); },
       "Unknown exception in CG_GraphicScene::CreateImage"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RenderScene f;
    ASSERT_EQ(f.Load(std::string(kBall) + "."), 1);
    c.set(f);
    bool written = true;
    EXPECT_EQ(RenderInTemp(f, nullptr, &written), 0);
    EXPECT_FALSE(written);
    EXPECT_EQ(f.scene.RenderSucceeded(), 0);
    ASSERT_FALSE(f.ui.messages.empty());
    EXPECT_EQ(f.ui.messages.back(), c.message);
    EXPECT_EQ(f.scene.GetHierarchyRoot(), nullptr);
    EXPECT_EQ(f.scene.GetHitMaterial(), nullptr);
  }
}

TEST(CreateImage, AFailedWriteKeepsTheOldFile) {
  RenderScene f;
  ASSERT_EQ(f.Load(std::string(kBall) + "."), 1);
  TempDir dir;
  ScopedCwd cwd(dir.path());
  // The file itself can be written, its temporary neighbour's name is too long.
  const std::string name(250, 'n');
  WriteFile(dir / (name + ".bmp"), "old");
  f.scene.SetName(name.c_str());
  EXPECT_EQ(f.scene.Render(), 0);
  EXPECT_EQ(f.ui.messages.back(), "Cannot write " + name + ".bmp");
  EXPECT_EQ(ReadFile(dir / (name + ".bmp")), "old");

  f.ui.messages.clear();
  f.scene.SetOutputImage("missing/dir/img");
  EXPECT_EQ(f.scene.Render(), 0);
  // The hierarchy cache, under the scene's name, cannot be written either.
  EXPECT_EQ(f.ui.messages,
            (std::vector<std::string>{"Cannot write the cache " + name + ".qz_", "Cannot write missing/dir/img.bmp"}));
}

TEST(CreateImage, TheCameraInUseGivesTheView) {
  RenderScene f;
  // The camera looks at the ball from the front; the scene's own view is then
  // turned away from it.
  ASSERT_EQ(f.Load("{ vrc\n\tvrp ( 0 , 0 , 0 );\n\tprp ( 0 , 0 , 10 );\n\tumin -1;\n\tumax 1;\n\tvmin -1;\n\tvmax 1;\n}\n" +
                   std::string(kBall) + "."),
            1);
  ASSERT_NE(f.scene.GetCurrentCamera(), nullptr);
  CG_ViewReference cameraView;
  f.scene.GetCurrentCamera()->GetView(cameraView);
  f.scene.GetViewReference().vpn = {0, 0, -1};
  BitmapManager image;
  ASSERT_EQ(RenderInTemp(f, &image), 1);
  EXPECT_TRUE(f.scene.GetViewReference() == cameraView);
  EXPECT_EQ(f.scene.EyePoint(), (Point3D{0, 0, 10}));
  EXPECT_NE(PixelOf(image, 4, 4), (Rgb{0, 0, 255}));
  EXPECT_EQ(PixelOf(image, 0, 0), (Rgb{0, 0, 255}));
}

}  // namespace
}  // namespace zavo::test
