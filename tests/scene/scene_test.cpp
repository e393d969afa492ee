#include "scene/scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/point_stream.h"
#include "scene/fakes.h"

namespace {

using zavo::test::FakeCamera;
using zavo::test::FakeLamp;
using zavo::test::FakeObject;
using zavo::test::FakeShading;
using zavo::test::RecordingInterface;
using zavo::test::TempDir;

std::vector<std::string> ObjectNames(const CG_GraphicScene& scene) {
  std::vector<std::string> names;
  CG_GraphicObject* cursor = nullptr;
  scene.ResetObjectIteration(cursor);
  while (scene.NextObject(cursor)) names.emplace_back(cursor->name.Text() ? cursor->name.Text() : "(null)");
  return names;
}

std::vector<std::string> LampNames(const CG_GraphicScene& scene) {
  std::vector<std::string> names;
  CG_LightSource* cursor = nullptr;
  scene.ResetLightIteration(cursor);
  while (scene.NextLight(cursor)) names.emplace_back(cursor->name.Text() ? cursor->name.Text() : "(null)");
  return names;
}

class SceneTest : public ::testing::Test {
protected:
  CG_ModelRegistry registry;
};

TEST_F(SceneTest, AddObjectKeepsTheFirstOfANameAndDestroysTheNewOne) {
  const int alive = FakeObject::alive;
  CG_GraphicScene scene(registry);
  auto first = std::make_unique<FakeObject>("a");
  CG_GraphicObject* firstPointer = first.get();
  EXPECT_EQ(scene.AddObject(std::move(first)), 1);
  EXPECT_EQ(scene.AddObject(std::make_unique<FakeObject>("b")), 1);
  EXPECT_EQ(scene.AddObject(std::make_unique<FakeObject>("a")), 0);
  EXPECT_EQ(FakeObject::alive, alive + 2);
  EXPECT_EQ(ObjectNames(scene), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(scene.FindObject("a"), firstPointer);
  EXPECT_EQ(scene.FindObject("A"), nullptr);
  EXPECT_EQ(scene.AddObject(nullptr), 0);

  // Two null names are equal.
  EXPECT_EQ(scene.AddObject(std::make_unique<FakeObject>(nullptr)), 1);
  EXPECT_EQ(scene.AddObject(std::make_unique<FakeObject>(nullptr)), 0);
  EXPECT_EQ(ObjectNames(scene), (std::vector<std::string>{"a", "b", "(null)"}));
  EXPECT_NE(scene.FindObject(nullptr), nullptr);
  EXPECT_EQ(FakeObject::alive, alive + 3);
}

TEST_F(SceneTest, RemoveDestroysAndDetachHandsOver) {
  const int alive = FakeObject::alive;
  CG_GraphicScene scene(registry);
  for (const char* n : {"a", "b", "c"}) scene.AddObject(std::make_unique<FakeObject>(n));
  scene.RemoveObject(scene.FindObject("b"));
  EXPECT_EQ(FakeObject::alive, alive + 2);
  EXPECT_EQ(ObjectNames(scene), (std::vector<std::string>{"a", "c"}));

  std::unique_ptr<CG_GraphicObject> c = scene.DetachObject(scene.FindObject("c"));
  ASSERT_NE(c, nullptr);
  EXPECT_STREQ(c->name, "c");
  EXPECT_EQ(FakeObject::alive, alive + 2);
  EXPECT_EQ(ObjectNames(scene), (std::vector<std::string>{"a"}));
  // Once detached it can come back.
  EXPECT_EQ(scene.AddObject(std::move(c)), 1);
  EXPECT_EQ(ObjectNames(scene), (std::vector<std::string>{"a", "c"}));
}

TEST_F(SceneTest, RemovingTheCurrentCameraOrATracedObjectLeavesNothingDangling) {
  CG_GraphicScene scene(registry);
  CG_GraphicObjectCommData data;
  data.name = "cam";
  scene.AddObject(std::make_unique<FakeCamera>(data, CG_ViewReference(), nullptr));
  scene.AddObject(std::make_unique<FakeObject>("a"));
  scene.SetCurrentCamera(scene.FindObject("cam"));
  scene.PrepareTraceData();
  ASSERT_FALSE(scene.GetTraceList().IsEmpty());
  scene.RemoveObject(scene.FindObject("a"));
  EXPECT_TRUE(scene.GetTraceList().IsEmpty());
  scene.RemoveObject(scene.FindObject("cam"));
  EXPECT_EQ(scene.GetCurrentCamera(), nullptr);
}

TEST_F(SceneTest, RemovingAnObjectNotInTheSceneIsAnInternalError) {
  EXPECT_EXIT(
      {
        CG_GraphicScene scene(registry);
        FakeObject stranger("x");
        scene.RemoveObject(&stranger);
      },
      ::testing::ExitedWithCode(1), "Runtime Error: CG_GraphicScene::DetachObject");
}

TEST_F(SceneTest, LampListWorksTheSameWay) {
  const int alive = FakeLamp::alive;
  CG_GraphicScene scene(registry);
  EXPECT_EQ(scene.AddLight(std::make_unique<FakeLamp>("l1", Point3D{}, Point3D{1, 1, 1})), 1);
  EXPECT_EQ(scene.AddLight(std::make_unique<FakeLamp>("l2", Point3D{}, Point3D{1, 1, 1})), 1);
  EXPECT_EQ(scene.AddLight(std::make_unique<FakeLamp>("l1", Point3D{}, Point3D{})), 0);
  EXPECT_EQ(scene.AddLight(std::make_unique<FakeLamp>(nullptr, Point3D{}, Point3D{})), 1);
  EXPECT_EQ(scene.AddLight(std::make_unique<FakeLamp>(nullptr, Point3D{}, Point3D{})), 0);
  EXPECT_EQ(FakeLamp::alive, alive + 3);
  EXPECT_EQ(LampNames(scene), (std::vector<std::string>{"l1", "l2", "(null)"}));
  EXPECT_EQ(static_cast<FakeLamp*>(scene.FindLight("l1"))->colour, (Point3D{1, 1, 1}));
  EXPECT_EQ(scene.FindLight("l3"), nullptr);

  scene.PrepareTraceData();
  EXPECT_EQ(scene.GetLampSequence().Size(), 3);
  scene.RemoveLight(scene.FindLight("l1"));
  EXPECT_EQ(scene.GetLampSequence().Size(), 0);
  EXPECT_EQ(FakeLamp::alive, alive + 2);
  std::unique_ptr<CG_LightSource> l2 = scene.DetachLight(scene.FindLight("l2"));
  EXPECT_STREQ(l2->name, "l2");
  EXPECT_EQ(LampNames(scene), (std::vector<std::string>{"(null)"}));
  EXPECT_EXIT(scene.RemoveLight(l2.get()), ::testing::ExitedWithCode(1),
              "Runtime Error: CG_GraphicScene::DetachLight");
}

TEST_F(SceneTest, UniqueIDnameSkipsTakenNamesAndExistingDirectories) {
  auto alphabet = [] {
    std::vector<std::string> all;
    for (char c = 'A'; c <= 'Z'; ++c) all.emplace_back(1, c);
    return all;
  };
  std::vector<std::string> aToZ = alphabet();
  std::vector<std::string> aToZZ = aToZ;
  for (const std::string& s : aToZ) aToZZ.push_back("Z" + s);

  struct Case {
    const char* label;
    std::vector<std::string> objectIDs;
    std::vector<std::string> childIDs;  // inside one container
    std::vector<std::string> directories;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"empty scene", {}, {}, {}, "A"},
      {"A and B used", {"A", "B"}, {}, {}, "C"},
      {"a gap is reused", {"B"}, {}, {}, "A"},
      {"A to Z used", aToZ, {}, {}, "ZA"},
      {"A to ZZ used", aToZZ, {}, {}, "ZZA"},
      {"a child blocks", {"A", "B"}, {"C"}, {}, "D"},
      {"a directory blocks", {"A", "B"}, {}, {"C", "E"}, "D"},
      {"a directory of a later candidate", {}, {}, {"B"}, "A"},
      {"lower case is another name", {"a"}, {}, {"b"}, "A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    CG_GraphicScene scene(registry);
    scene.SetName((dir.path() / "scene").string().c_str());
    int n = 0;
    for (const std::string& id : c.objectIDs) {
      auto object = std::make_unique<FakeObject>(("o" + std::to_string(n++)).c_str());
      object->IDname = id.c_str();
      scene.AddObject(std::move(object));
    }
    if (!c.childIDs.empty()) {
      auto group = std::make_unique<zavo::test::FakeContainer>("group");
      for (const std::string& id : c.childIDs) {
        auto child = std::make_unique<FakeObject>("child");
        child->IDname = id.c_str();
        group->Add(std::move(child));
      }
      scene.AddObject(std::move(group));
    }
    for (const std::string& d : c.directories) {
      std::filesystem::create_directories(dir.path() / "scene.qzd" / "object" / d);
    }
    charString result;
    scene.UniqueIDname(result);
    EXPECT_STREQ(result, c.expected.c_str());
  }
}

TEST_F(SceneTest, UniqueIDnameAlsoSkipsTheNamesOfAnObjectNotInTheListYet) {
  CG_GraphicScene scene(registry);
  auto object = std::make_unique<FakeObject>("o");
  object->IDname = "A";
  scene.AddObject(std::move(object));
  zavo::test::FakeContainer pending("pending");
  auto child = std::make_unique<FakeObject>("child");
  child->IDname = "B";
  pending.Add(std::move(child));
  charString result;
  scene.UniqueIDname(result, &pending);
  EXPECT_STREQ(result, "C");
  scene.UniqueIDname(result);
  EXPECT_STREQ(result, "B");
}

TEST_F(SceneTest, PutPixelClampsStoresTruncatedBytesAndPlotsTheClampedColour) {
  RecordingInterface shown;
  CG_GraphicScene scene(registry);
  scene.SetInterface(&shown);
  scene.GetParam().dimx = 2;
  scene.GetParam().dimy = 2;
  ASSERT_EQ(scene.SetOutputImage("out"), 1);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  scene.PutPixel(0, 0, 1.5, -0.2, 0.5);
  scene.PutPixel(1, 1, nan, inf, -inf);
  scene.PutPixel(5, 7, 0.1, 0.2, 0.3);  // outside the image: only plotted

  int r, g, b;
  ASSERT_EQ(scene.GetOutputImage().GetPixel(0, 0, r, g, b), 1);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{255, 0, 127}));
  ASSERT_EQ(scene.GetOutputImage().GetPixel(1, 1, r, g, b), 1);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{0, 255, 0}));

  ASSERT_EQ(shown.pixels.size(), 3u);
  const auto& p = shown.pixels;
  EXPECT_EQ((std::vector<double>{1.0 * p[0].x, 1.0 * p[0].y, p[0].r, p[0].g, p[0].b}),
            (std::vector<double>{0, 0, 1, 0, 0.5}));
  EXPECT_EQ((std::vector<double>{1.0 * p[1].x, 1.0 * p[1].y, p[1].r, p[1].g, p[1].b}),
            (std::vector<double>{1, 1, 0, 1, 0}));
  EXPECT_EQ((std::vector<double>{1.0 * p[2].x, 1.0 * p[2].y, p[2].r, p[2].g, p[2].b}),
            (std::vector<double>{5, 7, 0.1, 0.2, 0.3}));

  // Back to the scene's own interface: nothing more is recorded.
  scene.SetInterface(nullptr);
  scene.PutPixel(0, 0, 0, 0, 0);
  EXPECT_EQ(shown.pixels.size(), 3u);
}

TEST_F(SceneTest, SetOutputImageSizesFromTheRenderParametersOrAnswersZero) {
  struct Case {
    int dimx, dimy, result, width, height;
  };
  for (const Case& c : {Case{3, 2, 1, 3, 2}, Case{0, 2, 0, 0, 0}, Case{-5, 2, 0, 0, 0},
                        Case{3, -1, 0, 0, 0}, Case{70000, 1, 0, 0, 0}}) {
    SCOPED_TRACE(std::to_string(c.dimx) + "x" + std::to_string(c.dimy));
    CG_GraphicScene scene(registry);
    scene.GetParam().dimx = 4;
    scene.GetParam().dimy = 4;
    ASSERT_EQ(scene.SetOutputImage("old"), 1);
    scene.GetParam().dimx = c.dimx;
    scene.GetParam().dimy = c.dimy;
    EXPECT_EQ(scene.SetOutputImage("new"), c.result);
    EXPECT_STREQ(scene.GetOutputImageName(), "new");
    EXPECT_EQ(scene.GetOutputImage().Width(), c.width);
    EXPECT_EQ(scene.GetOutputImage().Height(), c.height);
    scene.ClearOutputImage();
    EXPECT_EQ(scene.GetOutputImageName(), nullptr);
  }
}

TEST_F(SceneTest, RenderedPixelsReachTheBmpFileTopRowFirst) {
  TempDir dir;
  CG_GraphicScene scene(registry);
  scene.GetParam().dimx = 3;
  scene.GetParam().dimy = 2;
  ASSERT_EQ(scene.SetOutputImage((dir.path() / "picture").string().c_str()), 1);
  // Pixel (x, y) gets (x / 2, y - 0.5, 2 - x), some channels out of [0, 1].
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) scene.PutPixel(x, y, x / 2.0, y - 0.5, 2.0 - x);
  }
  const std::filesystem::path file = dir.path() / "picture.bmp";
  ASSERT_EQ(scene.GetOutputImage().Save(file), 1);

  // The file's rows are bottom-up, blue, green, red, padded to 12 bytes.
  const std::string bytes = zavo::test::ReadFile(file);
  ASSERT_EQ(bytes.size(), 54u + 2 * 12);
  auto expected = [](int x, int y) {
    auto byte = [](double c) { return static_cast<unsigned char>(c < 0 ? 0 : c > 1 ? 255 : static_cast<int>(c * 255)); };
    return std::vector<unsigned char>{byte(2.0 - x), byte(y - 0.5), byte(x / 2.0)};
  };
  for (int fileRow = 0; fileRow < 2; ++fileRow) {
    const int y = 1 - fileRow;
    for (int x = 0; x < 3; ++x) {
      SCOPED_TRACE("pixel " + std::to_string(x) + "," + std::to_string(y));
      const std::size_t at = 54 + fileRow * 12 + x * 3;
      std::vector<unsigned char> got(bytes.begin() + at, bytes.begin() + at + 3);
      EXPECT_EQ(got, expected(x, y));
    }
  }
  // Row 0 at the top: pixel (0, 0) is red 0, green 0, blue 255.
  EXPECT_EQ(expected(0, 0), (std::vector<unsigned char>{255, 0, 0}));
}

TEST_F(SceneTest, ClearEmptiesContentAndKeepsSettings) {
  TempDir dir;
  RecordingInterface shown;
  registry.shadingMethods.Append(new FakeShading("phong"));
  CG_GraphicScene scene(registry);
  scene.SetInterface(&shown);
  scene.SetName("scene");
  scene.SetTexturePath("textures");
  scene.SetModelPath("models");
  scene.SetLibraryDir("lib");
  scene.SetError(5, "Unknown attribute");
  scene.SetErrorLine(12);
  scene.GetParam().dimx = 2;
  scene.GetParam().dimy = 2;
  scene.SetOutputImage("image");
  scene.SetShadingMethod("phong");

  BitmapManager image;
  image.Create(1, 1);
  image.Save(dir.path() / "wood.bmp");
  scene.GetTextures().Append(new CG_Texture("wood", (dir.path() / "wood").string().c_str()));
  scene.GetMaterials().AddIfNew(new CG_NamedMaterial("steel", new CG_MaterialPhong()));
  CG_GraphicObjectCommData data;
  data.name = "a";
  data.material = scene.GetMaterials().Find("steel");
  data.texture = scene.GetTextures().Find("wood");
  const int objectsAlive = FakeObject::alive;
  const int lampsAlive = FakeLamp::alive;
  scene.AddObject(std::make_unique<FakeObject>(data));
  scene.AddObject(std::make_unique<FakeCamera>(*zavo::test::MakeCommData("cam"), CG_ViewReference(), nullptr));
  scene.SetCurrentCamera(scene.FindObject("cam"));
  scene.AddLight(std::make_unique<FakeLamp>("l", Point3D{}, Point3D{}));
  scene.GetParam().CameraInUse = "cam";
  scene.GetParam().buildhier = 0;
  scene.GetViewReference().vrp = {1, 2, 3};
  scene.SetViewSectionFlag(1);
  scene.PrepareTraceData();

  scene.Clear();

  EXPECT_TRUE(scene.GetObjects().IsEmpty());
  EXPECT_TRUE(scene.GetLights().IsEmpty());
  EXPECT_TRUE(scene.GetTextures().IsEmpty());
  EXPECT_TRUE(scene.GetMaterials().IsEmpty());
  EXPECT_TRUE(scene.GetTraceList().IsEmpty());
  EXPECT_EQ(scene.GetLampSequence().Size(), 0);
  EXPECT_EQ(FakeObject::alive, objectsAlive);
  EXPECT_EQ(FakeLamp::alive, lampsAlive);
  EXPECT_TRUE(scene.GetParam() == GParam());
  EXPECT_EQ(scene.GetParam().CameraInUse.Text(), nullptr);
  EXPECT_TRUE(scene.GetViewReference() == CG_ViewReference());
  EXPECT_EQ(scene.GetViewSectionFlag(), 0);
  EXPECT_EQ(scene.GetCurrentCamera(), nullptr);

  EXPECT_STREQ(scene.GetName(), "scene");
  EXPECT_STREQ(scene.GetTexturePath(), "textures");
  EXPECT_STREQ(scene.GetModelPath(), "models");
  EXPECT_STREQ(scene.GetLibraryDir(), "lib");
  EXPECT_EQ(scene.GetErrorCode(), 5);
  EXPECT_STREQ(scene.GetErrorMessage(), "Unknown attribute");
  EXPECT_EQ(scene.GetErrorLine(), 12);
  EXPECT_STREQ(scene.GetOutputImageName(), "image");
  EXPECT_EQ(scene.GetOutputImage().Width(), 2);
  EXPECT_STREQ(scene.GetShadingMethod()->Keyword(), "phong");
  EXPECT_EQ(&scene.GetRegistry(), &registry);
  EXPECT_EQ(&scene.GetInterface(), &shown);
}

TEST_F(SceneTest, NewSceneStartsEmpty) {
  CG_GraphicScene scene(registry);
  EXPECT_EQ(scene.GetName(), nullptr);
  EXPECT_EQ(scene.GetTexturePath(), nullptr);
  EXPECT_EQ(scene.GetModelPath(), nullptr);
  EXPECT_EQ(scene.GetLibraryDir(), nullptr);
  EXPECT_EQ(scene.GetErrorCode(), 0);
  EXPECT_EQ(scene.GetErrorMessage(), nullptr);
  EXPECT_EQ(scene.GetOutputImageName(), nullptr);
  EXPECT_EQ(scene.GetOutputImage().Width(), 0);
  EXPECT_EQ(scene.GetShadingMethod(), nullptr);
  EXPECT_EQ(scene.GetCurrentCamera(), nullptr);
  EXPECT_EQ(scene.GetViewSectionFlag(), 0);
  EXPECT_TRUE(scene.GetParam() == GParam());
  EXPECT_TRUE(scene.GetViewReference() == CG_ViewReference());
  EXPECT_EQ(scene.GetInterface().UserBreak(), 0);
  EXPECT_EQ(scene.GetHierarchyRoot(), nullptr);
}

// Its destructor reads the material and texture it refers to.
class AttachedObject : public FakeObject {
public:
  using FakeObject::FakeObject;
  ~AttachedObject() override {
    if (material != nullptr) touched += std::strlen(material->name.Text());
    if (texture != nullptr) touched += std::strlen(texture->name.Text());
  }
  static inline std::size_t touched = 0;
};

// The renderer's hierarchy object: its destructor reads the trace entries and
// their objects.
class AttachedHierarchy : public zavo::GlobalHierarchyObject {
public:
  explicit AttachedHierarchy(List<CG_GraphicObjectQZData>& entries) {
    for (CG_GraphicObjectQZData& e : entries) this->entries.push_back(&e);
  }
  ~AttachedHierarchy() override {
    for (CG_GraphicObjectQZData* e : entries) touched += std::strlen(e->object->name.Text());
  }
  std::vector<CG_GraphicObjectQZData*> entries;
  static inline std::size_t touched = 0;
};

TEST_F(SceneTest, DestructionDropsWhatRefersToAListBeforeTheList) {
  TempDir dir;
  BitmapManager image;
  image.Create(1, 1);
  image.Save(dir.path() / "wood.bmp");
  AttachedObject::touched = 0;
  AttachedHierarchy::touched = 0;
  for (bool clearFirst : {false, true}) {
    auto scene = std::make_unique<CG_GraphicScene>(registry);
    scene->GetTextures().Append(new CG_Texture("wood", (dir.path() / "wood").string().c_str()));
    scene->GetMaterials().AddIfNew(new CG_NamedMaterial("steel", new CG_MaterialPhong()));
    CG_GraphicObjectCommData data;
    data.name = "attached";
    data.material = scene->GetMaterials().Find("steel");
    data.texture = scene->GetTextures().Find("wood");
    scene->AddObject(std::make_unique<AttachedObject>(data, std::vector<double>{1.0}));
    auto container = std::make_unique<zavo::test::FakeContainer>("parts");
    container->Add(std::make_unique<FakeObject>("part"));
    scene->AddObject(std::move(container));
    scene->PrepareTraceData();
    scene->SetGlobalHierarchy(std::make_unique<AttachedHierarchy>(scene->GetTraceList()));
    if (clearFirst) scene->Clear();
    scene.reset();
  }
  EXPECT_EQ(AttachedObject::touched, 2 * (5 + 4));
  EXPECT_EQ(AttachedHierarchy::touched, 2 * (8 + 4));
}

// Writes a depth-image file: width, height, then the colours row by row.
void WriteImg(const std::filesystem::path& file, std::int32_t width, std::int32_t height,
              const std::vector<Point3D>& colours) {
  std::ofstream out(file, std::ios::binary);
  for (std::int32_t v : {width, height}) {
    const auto u = static_cast<std::uint32_t>(v);
    const char bytes[4] = {static_cast<char>(u & 0xff), static_cast<char>(u >> 8 & 0xff),
                           static_cast<char>(u >> 16 & 0xff), static_cast<char>(u >> 24 & 0xff)};
    out.write(bytes, 4);
  }
  for (const Point3D& c : colours) WritePoint3DBinary(c, out);
}

TEST_F(SceneTest, ConvertImgToBmpTurnsTheDepthFileIntoABitmap) {
  TempDir dir;
  RecordingInterface shown;
  CG_GraphicScene scene(registry);
  scene.SetInterface(&shown);
  scene.GetParam().dimx = 2;
  scene.GetParam().dimy = 2;
  ASSERT_EQ(scene.SetOutputImage((dir.path() / "depth").string().c_str()), 1);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  WriteImg(dir.path() / "depth.img", 2, 2,
           {{0, 0.5, 1}, {0.25, 0.1, 0.999}, {1.5, nan, -0.1}, {0.2, 0.3, 0.4}});
  ASSERT_EQ(scene.ConvertImgToBmp(), 1);
  EXPECT_EQ(shown.statuses, (std::vector<std::string>{"Creating bitmap 50%", "Creating bitmap 100%", ""}));
  EXPECT_TRUE(shown.messages.empty());

  BitmapManager bmp;
  ASSERT_EQ(bmp.Load(dir.path() / "depth.bmp"), 1);
  ASSERT_EQ(bmp.Width(), 2);
  ASSERT_EQ(bmp.Height(), 2);
  struct Expected {
    int x, y, r, g, b;
  };
  // trunc(255 c), low byte: 1.5 gives 382, stored as 126; NaN gives 0; -0.1 gives -25, stored as 231.
  for (const Expected& e : {Expected{0, 0, 0, 127, 255}, Expected{1, 0, 63, 25, 254},
                            Expected{0, 1, 126, 0, 231}, Expected{1, 1, 51, 76, 102}}) {
    int r, g, b;
    ASSERT_EQ(bmp.GetPixel(e.x, e.y, r, g, b), 1);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{e.r, e.g, e.b})) << e.x << "," << e.y;
  }
}

TEST_F(SceneTest, ConvertImgToBmpUsesTheSceneNameWithoutAnOutputImageName) {
  TempDir dir;
  CG_GraphicScene scene(registry);
  scene.SetName((dir.path() / "scene").string().c_str());
  WriteImg(dir.path() / "scene.img", 1, 1, {{1, 1, 1}});
  ASSERT_EQ(scene.ConvertImgToBmp(), 1);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "scene.bmp"));

  CG_GraphicScene unnamed(registry);
  RecordingInterface shown;
  unnamed.SetInterface(&shown);
  EXPECT_EQ(unnamed.ConvertImgToBmp(), 0);
  EXPECT_EQ(shown.messages.size(), 1u);
}

TEST_F(SceneTest, ConvertImgToBmpRefusesMissingShortAndIllSizedFiles) {
  struct Case {
    const char* label;
    bool write;
    std::int32_t width, height;
    int points;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"missing", false, 0, 0, 0, "Cannot open "},
      {"width 0", true, 0, 2, 0, "Wrong image size in "},
      {"negative height", true, 2, -1, 4, "Wrong image size in "},
      {"oversized", true, 70000, 1, 0, "Wrong image size in "},
      {"huge but short", true, 20000, 20000, 1, "Unexpected end of "},
      {"short", true, 2, 2, 3, "Unexpected end of "},
      {"header only", true, 1, 1, 0, "Unexpected end of "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    RecordingInterface shown;
    CG_GraphicScene scene(registry);
    scene.SetInterface(&shown);
    const std::string base = (dir.path() / "d").string();
    scene.SetName(base.c_str());
    if (c.write) WriteImg(dir.path() / "d.img", c.width, c.height, std::vector<Point3D>(c.points));
    EXPECT_EQ(scene.ConvertImgToBmp(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "d.bmp"));
    EXPECT_EQ(shown.messages, (std::vector<std::string>{c.message + base + ".img"}));
  }
  {
    SCOPED_TRACE("half a header");
    TempDir dir;
    RecordingInterface shown;
    CG_GraphicScene scene(registry);
    scene.SetInterface(&shown);
    scene.SetName((dir.path() / "d").string().c_str());
    zavo::test::WriteFile(dir.path() / "d.img", std::string("\x02\x00\x00\x00\x02\x00", 6));
    EXPECT_EQ(scene.ConvertImgToBmp(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "d.bmp"));
    EXPECT_EQ(shown.messages.size(), 1u);
  }
}

}  // namespace
