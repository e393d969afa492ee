#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iterator>
#include <locale>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/bitmap_manager.h"
#include "scene/cg_scanner.h"
#include "scene/fakes.h"
#include "scene/mapping.h"
#include "scene/material.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;

using zavo::test::FakeCamera;
using zavo::test::FakeLamp;
using zavo::test::FakeLightObject;
using zavo::test::FakeObject;
using zavo::test::RecordingInterface;
using zavo::test::ScopedCwd;
using zavo::test::TempDir;
using zavo::test::WriteFile;

// A small valid 24-bit BMP file.
void SaveBmp(const fs::path& file) {
  BitmapManager image;
  ASSERT_EQ(image.Create(2, 2), 1);
  image.SetPixel(1, 1, 200, 100, 50);
  ASSERT_EQ(image.Save(file), 1);
}

// A model module that throws while reading, as numeric code may.
class ThrowingModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "boom"; }
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene&, ScannerMemo&, CG_GraphicObjectCommData&) override {
    throw std::runtime_error("boom");
  }
};

// A lamp whose object form its module cannot read back.
class BrokenLamp : public FakeLamp {
public:
  explicit BrokenLamp(const char* lampName) : FakeLamp(lampName, {}, {1, 1, 1}) {}
  void WriteAsObject(std::ostream& os) const override {
    os << "{ object\n\tname " << name << ";\n\tmodel { fake\n\t\tcolour 1;\n\t}\n}";
  }
};

class BrokenLampModule : public CG_LightSourceModule {
public:
  const char* Keyword() const override { return "brokenlamp"; }
  std::unique_ptr<CG_LightSource> Read(CG_GraphicScene&, ScannerMemo& scanner, const char* lampName) override {
    if (std::strcmp(scanner.Text(), "}") != 0) return nullptr;
    scanner.Next();
    return std::make_unique<BrokenLamp>(lampName);
  }
};

// A compound object, "nest { object HEADER MODEL }": its part is read through
// the scene's own header and model readers, as compound model types do. The
// object keeps the number of model blocks below it as its only hit.
class NestModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "nest"; }
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& s,
                                         CG_GraphicObjectCommData& data) override {
    if (!scene.Expect(s, '{')) return nullptr;
    s.Next();
    if (!scene.ExpectWord(s, "object")) return nullptr;
    s.Next();
    CG_GraphicObjectCommData partData;
    if (!scene.ReadObjectHeader(s, partData)) return nullptr;
    std::unique_ptr<CG_GraphicObject> part = scene.ReadModel(s, partData);
    if (!part) return nullptr;
    for (int i = 0; i < 2; ++i) {
      if (!scene.Expect(s, '}')) return nullptr;
      s.Next();
    }
    const auto* fake = dynamic_cast<FakeObject*>(part.get());
    const double below = fake != nullptr && !fake->hits.empty() ? fake->hits[0] : 0;
    return std::make_unique<FakeObject>(data, std::vector<double>{below + 1});
  }
};

class SceneFileTest : public ::testing::Test {
protected:
  SceneFileTest() {
    registry.materialModules.Append(new CG_MaterialPhongModule());
    registry.mappingModules.Append(new CG_PlanarMappingModule());
    registry.mappingModules.Append(new CG_SphericalMappingModule());
    zavo::test::AddFakeModules(registry);
    registry.modelModules.Append(new ThrowingModule());
    registry.modelModules.Append(new NestModule());
    registry.lampModules.Append(new BrokenLampModule());
    scene.SetInterface(&ui);
  }

  int Get(const std::string& text) {
    std::istringstream in(text);
    return scene.Get(in);
  }

  std::vector<std::string> ObjectNames() const {
    std::vector<std::string> names;
    for (const CG_GraphicObject& o : scene.GetObjects()) names.emplace_back(o.name.Text() ? o.name.Text() : "(null)");
    return names;
  }

  TempDir dir;
  ScopedCwd cwd{dir.path()};
  CG_ModelRegistry registry;
  RecordingInterface ui;
  CG_GraphicScene scene{registry};
};

// ---- The error record ----

TEST_F(SceneFileTest, ErrorCodesMessagesAndLines) {
  const std::string longName(300, 'n');
  struct Case {
    std::string text;
    int code;
    const char* message;
    int line;
  } cases[] = {
      {".", 0, nullptr, 0},
      {"// comment\n/* block */ .\n{ bogus", 0, nullptr, 0},
      // The keyword's own line, also when it ends its line.
      {"{ param }\n{ light\n}\n.\n", 3, "Unknown section", 2},
      {"{ texture }\n.", 1, "Generic Error", 2},
      {"{ param }", 2, "Caracter '{' not found", 1},
      {"{ param }\n", 2, "Caracter '{' not found", 2},
      {"{ material nome m; model { phong } }\n.", 3, "Word \"name\" not found", 1},
      {"{ material name m\n model { phong } }\n.", 2, "Caracter ';' not found", 2},
      {"{ material name m; model { gold } }\n.", 1, "Generic Error", 1},
      {"{ object\n name " + longName + ";\n model { fake } }\n.", 1, "Token too long", 2},
      // Object headers: failures without a message of their own.
      {"{ object name a model { fake } }\n.", 1, "Generic Error", 1},
      {"{ object name a; IDname x model { fake } }\n.", 1, "Generic Error", 1},
      {"{ object name a; toll 1\n model { fake } }\n.", 1, "Generic Error", 2},
      {"{ object name a; toll big; model { fake } }\n.", 1, "Generic Error", 1},
      {"{ object name a; material none; model { fake } }\n.", 1, "Generic Error", 1},
      {"{ object name a; texture none; model { fake } }\n.", 1, "Generic Error", 1},
      {"{ object name a; bump none; model { fake } }\n.", 1, "Generic Error", 1},
      {"{ object name a; colour 1; model { fake } }\n.", 1, "Generic Error", 1},
      {"{ object name a; 7 model { fake } }\n.", 1, "Generic Error", 1},
      {"{ object name a; mapping { planar } model { fake } }\n.", 1, "Generic Error", 1},
      {"{ object name a; mapping { mapping model { planar center (0,0,0); assx (1,0,0); assy (0,1,0); }\n"
       " model { fake } }\n.",
       2, "Caracter '}' not found", 2},
      {"{ object name a; mapping { mapping model { cubic } } model { fake } }\n.", 1, "Generic Error", 1},
      {"{ object name a; model sphere }\n.", 1, "Generic Error", 1},
      {"{ object name a; model { sphere } }\n.", 1, "Generic Error", 1},
      {"{ object name a; model { fake } \n.", 2, "Caracter '}' not found", 2},
      // A module's own error.
      {"{ object name a;\n model { fake colour 1; } }\n.", 5, "Unknown attribute", 2},
      // Lamp headers and models.
      {"{ lamp name l; colour 1; model { fakelamp } }\n.", 1, "Generic Error", 1},
      {"{ lamp name l model { fakelamp } }\n.", 1, "Generic Error", 1},
      {"{ lamp name l; model { spot } }\n.", 1, "Generic Error", 1},
      // An error inside the lamp conversion is reported at the section's "}".
      {"{ lamp name l;\n model { brokenlamp }\n}\n.", 5, "Unknown attribute", 3},
      // Failing view and parameter bodies.
      {"{ vrc\n zoom 1; }\n.", 1, "Generic Error", 2},
      {"{ param dimx 10; bogus 1; }\n.", 1, "Generic Error", 1},
      // An exception of a reader module.
      {"{ object name a; model { fake } }\n{ object name b;\n model { boom } }\n.", 1, "Generic Error", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CG_GraphicScene fresh(registry);
    std::istringstream in(c.text);
    EXPECT_EQ(fresh.Get(in), c.code == 0 ? 1 : 0);
    EXPECT_EQ(fresh.GetErrorCode(), c.code);
    EXPECT_STREQ(fresh.GetErrorMessage(), c.message);
    EXPECT_EQ(fresh.GetErrorLine(), c.line);
  }
}

// Names are checked against the objects already in the scene and those read
// before; after the read, finding goes by the names the objects have now.
TEST_F(SceneFileTest, ObjectNamesAreUniqueAcrossReadsAndRenamesAreFound) {
  ASSERT_EQ(Get("{ object name a; model { fake } }\n{ object name b; model { fake } }\n"
                "{ object name a; model { fake } }\n."),
            1);
  EXPECT_EQ(ObjectNames(), (std::vector<std::string>{"a", "b"}));
  ASSERT_EQ(Get("{ object name b; model { fake } }\n{ object name c; model { fake } }\n."), 1);
  EXPECT_EQ(ObjectNames(), (std::vector<std::string>{"a", "b", "c"}));
  CG_GraphicObject* b = scene.FindObject("b");
  ASSERT_NE(b, nullptr);
  b->name = "renamed";
  EXPECT_EQ(scene.FindObject("renamed"), b);
  EXPECT_EQ(scene.FindObject("b"), nullptr);
  ASSERT_EQ(Get("{ object name b; model { fake } }\n{ object name renamed; model { fake } }\n."), 1);
  EXPECT_EQ(ObjectNames(), (std::vector<std::string>{"a", "renamed", "c", "b"}));
}

TEST_F(SceneFileTest, AReadStartsWithAClearErrorRecord) {
  EXPECT_EQ(Get("{ bogus }"), 0);
  EXPECT_EQ(scene.GetErrorCode(), 3);
  EXPECT_EQ(Get("."), 1);
  EXPECT_EQ(scene.GetErrorCode(), 0);
  EXPECT_EQ(scene.GetErrorMessage(), nullptr);
}

TEST_F(SceneFileTest, ALaterErrorReplacesAnEarlierOne) {
  // The material reference records code 2; the header then fails silently.
  ASSERT_EQ(Get("{ material name m; model { phong } }\n."), 1);
  EXPECT_EQ(Get("{ object name a; material m model { fake } }\n."), 0);
  EXPECT_EQ(scene.GetErrorCode(), 2);
  EXPECT_STREQ(scene.GetErrorMessage(), "Caracter ';' not found");
  // A module's message survives the failure of the section it ends.
  scene.SetError(4, "file \"x.brp\" not found in model path");
  EXPECT_EQ(scene.GetErrorCode(), 4);
  EXPECT_STREQ(scene.GetErrorMessage(), "file \"x.brp\" not found in model path");
}

// ---- Sections ----

TEST_F(SceneFileTest, OnlyADotAddsNothing) {
  EXPECT_EQ(Get("."), 1);
  EXPECT_TRUE(scene.GetObjects().IsEmpty());
  EXPECT_TRUE(scene.GetMaterials().IsEmpty());
  EXPECT_TRUE(scene.GetTextures().IsEmpty());
  EXPECT_TRUE(scene.GetLights().IsEmpty());
  EXPECT_EQ(scene.GetParam(), GParam());
  EXPECT_TRUE(ui.statuses.empty());
}

TEST_F(SceneFileTest, AViewSectionAddsTheNextFreeCameraAndLooksThroughIt) {
  scene.AddObject(std::make_unique<FakeObject>("camera"));
  scene.AddObject(std::make_unique<FakeObject>("camera_1"));
  ASSERT_EQ(Get("{ vrc vrp (1,2,3); umax 4; }\n."), 1);

  CG_ViewReference expected;
  expected.vrp = {1, 2, 3};
  expected.umax = 4;
  EXPECT_EQ(scene.GetViewReference(), expected);
  auto* camera = dynamic_cast<FakeCamera*>(scene.FindObject("camera_2"));
  ASSERT_NE(camera, nullptr);
  EXPECT_EQ(camera->view, expected);
  EXPECT_EQ(camera->module, FindModule(registry.modelModules, "camera"));
  EXPECT_EQ(camera->toll, 0.01);
  EXPECT_EQ(scene.GetCurrentCamera(), camera);
  EXPECT_STREQ(scene.GetParam().CameraInUse, "camera_2");
  EXPECT_EQ(scene.GetViewSectionFlag(), 1);
  EXPECT_EQ(ObjectNames(), (std::vector<std::string>{"camera", "camera_1", "camera_2"}));

  // The flag goes back to 0 when the next read starts.
  EXPECT_EQ(Get("."), 1);
  EXPECT_EQ(scene.GetViewSectionFlag(), 0);
}

TEST_F(SceneFileTest, AViewSectionFailsWithoutACameraFactory) {
  registry.SetCameraFactory(nullptr);
  EXPECT_EQ(Get("{ vrc vrp (1,2,3); }\n."), 0);
  EXPECT_EQ(scene.GetErrorCode(), 1);
  EXPECT_TRUE(scene.GetObjects().IsEmpty());
  EXPECT_EQ(scene.GetCurrentCamera(), nullptr);
  EXPECT_EQ(scene.GetViewSectionFlag(), 0);
}

TEST_F(SceneFileTest, ALampSectionBecomesALampObjectWithoutATemporaryFile) {
  const int lamps = FakeLamp::alive;
  ASSERT_EQ(Get("{ lamp\n\tname sun;\n\tmodel { fakelamp position 1 2 3; colour 0.5 0.25 1; }\n}\n."), 1)
      << scene.GetErrorMessage();
  EXPECT_TRUE(scene.GetLights().IsEmpty());
  EXPECT_EQ(FakeLamp::alive, lamps);
  auto* sun = dynamic_cast<FakeLightObject*>(scene.FindObject("sun"));
  ASSERT_NE(sun, nullptr);
  EXPECT_EQ(sun->position, Point3D(1, 2, 3));
  EXPECT_EQ(sun->colour, Point3D(0.5, 0.25, 1));
  EXPECT_EQ(ui.statuses, (std::vector<std::string>{"lamp", "lamp sun", "object sun"}));
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(SceneFileTest, AnObjectWhoseNameIsTakenLeavesTheFirstAndReadingGoesOn) {
  const int alive = FakeObject::alive;
  ASSERT_EQ(Get("{ object name a; model { fake hit 1; } }\n"
                "{ object name a; model { fake hit 2; } }\n"
                "{ object name b; model { fake } }\n."),
            1);
  EXPECT_EQ(ObjectNames(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(static_cast<FakeObject*>(scene.FindObject("a"))->hits, std::vector<double>{1});
  EXPECT_EQ(FakeObject::alive, alive + 2);
  EXPECT_EQ(ui.statuses, (std::vector<std::string>{"object", "object a", "object", "object a", "object",
                                                   "object b"}));
}

TEST_F(SceneFileTest, HeaderEntriesComeInAnyOrderAndTheLastWins) {
  SaveBmp(dir / "t1.bmp");
  SaveBmp(dir / "t2.bmp");
  ASSERT_EQ(Get("{ texture name t1; name t2; }\n"
                "{ material name m; model { phong } }\n"
                "{ material name n; model { phong } }\n"
                "{ object toll 0.5; IDname X; name a; texture t2; bump t1; material m;\n"
                "  name 12; material n; texture t1; toll 2E-3;\n"
                "  mapping { mapping model { planar center (0,0,0); assx (1,0,0); assy (0,1,0); } }\n"
                "  mapping { mapping model { spherical center (1,0,0); assx (1,0,0); assy (0,1,0); } }\n"
                "  model { fake } }\n."),
            1)
      << scene.GetErrorMessage();
  auto* object = dynamic_cast<FakeObject*>(scene.FindObject("12"));
  ASSERT_NE(object, nullptr);
  EXPECT_STREQ(object->IDname, "X");
  EXPECT_EQ(object->toll, 0.002);
  EXPECT_EQ(object->material, scene.GetMaterials().Find("n"));
  EXPECT_EQ(object->texture, scene.GetTextures().Find("t1"));
  EXPECT_EQ(object->bump, scene.GetTextures().Find("t1"));
  ASSERT_NE(object->mapping, nullptr);
  EXPECT_STREQ(object->mapping->TypeName(), "spherical");
  EXPECT_EQ(object->mapping->center, Point3D(1, 0, 0));
}

TEST_F(SceneFileTest, AnObjectNamedAsTheCameraInUseBecomesTheCurrentCamera) {
  ASSERT_EQ(Get("{ param CameraInUse eye; }\n"
                "{ object name other; model { camera vrc { vrc } } }\n"
                "{ object name eye; model { camera vrc { vrc vrp (0,0,9); } } }\n."),
            1)
      << scene.GetErrorMessage();
  EXPECT_EQ(scene.GetCurrentCamera(), scene.FindObject("eye"));
  EXPECT_NE(scene.GetCurrentCamera(), nullptr);
}

// An object block with n compound levels around a leaf.
std::string Nested(int n) {
  if (n == 0) return "name leaf; model { fake }";
  return "name n" + std::to_string(n) + "; model { nest { object " + Nested(n - 1) + " } }";
}

TEST_F(SceneFileTest, ModulesReadTheirPartsThroughTheSceneAndNestingIsBounded) {
  ASSERT_EQ(Get("{ object " + Nested(199) + " }\n."), 1) << scene.GetErrorMessage();
  EXPECT_EQ(static_cast<FakeObject*>(scene.FindObject("n199"))->hits, std::vector<double>{199});
  // The part's own errors reach the scene's record.
  EXPECT_EQ(Get("{ object name a; model { nest { object name b; model { fake colour 1; } } } }\n."), 0);
  EXPECT_EQ(scene.GetErrorCode(), 5);
  EXPECT_EQ(Get("{ object name a; model { nest { thing name b; model { fake } } } }\n."), 0);
  EXPECT_STREQ(scene.GetErrorMessage(), "Word \"object\" not found");

  EXPECT_EQ(Get("{ object " + Nested(200) + " }\n."), 0);
  EXPECT_EQ(scene.GetErrorCode(), 1);
  EXPECT_STREQ(scene.GetErrorMessage(), "Objects nested too deeply");
  // The count of open blocks went back to 0: a shallow object still reads.
  EXPECT_EQ(Get("{ object " + Nested(3) + " }\n."), 1);
}

TEST_F(SceneFileTest, AFailingParamSectionLeavesTheParametersUnchanged) {
  ASSERT_EQ(Get("{ param dimx 20; }\n."), 1);
  EXPECT_EQ(Get("{ param dimy 30; frobnicate 1; }\n."), 0);
  GParam expected;
  expected.dimx = 20;
  EXPECT_EQ(scene.GetParam(), expected);
}

TEST_F(SceneFileTest, AUserBreakFailsTheReadAndKeepsWhatWasRead) {
  ui.breakAfter = 1;  // the second round asks to stop
  EXPECT_EQ(Get("{ param dimx 7; }\n{ param dimy 9; }\n."), 0);
  EXPECT_EQ(scene.GetErrorCode(), 1);
  EXPECT_STREQ(scene.GetErrorMessage(), "Generic Error");
  EXPECT_EQ(scene.GetErrorLine(), 2);
  EXPECT_EQ(scene.GetParam().dimx, 7);
  EXPECT_EQ(scene.GetParam().dimy, 100);
}

TEST_F(SceneFileTest, AnExceptionEndsTheReadAndTheSceneKeepsWhatWasReadBeforeIt) {
  EXPECT_EQ(Get("{ object name a; model { fake } }\n{ object name b; model { boom } }\n."), 0);
  EXPECT_STREQ(scene.GetErrorMessage(), "Generic Error");
  EXPECT_EQ(ObjectNames(), (std::vector<std::string>{"a"}));
}

TEST_F(SceneFileTest, GetAddsAndLoadClearsFirst) {
  ASSERT_EQ(Get("{ object name a; model { fake } }\n."), 1);
  EXPECT_EQ(Get("{ object name b; model { fake } }\n{ bogus }"), 0);
  EXPECT_EQ(ObjectNames(), (std::vector<std::string>{"a", "b"}));
  std::istringstream in("{ object name c; model { fake } }\n.");
  EXPECT_EQ(scene.Load(in), 1);
  EXPECT_EQ(ObjectNames(), (std::vector<std::string>{"c"}));
}

TEST_F(SceneFileTest, AMaterialNameAlreadyTakenKeepsTheFirst) {
  ASSERT_EQ(Get("{ material name m; model { phong Kd 0.1; } }\n"
                "{ material name m; model { phong Kd 0.9; } }\n."),
            1);
  ASSERT_EQ(std::distance(scene.GetMaterials().begin(), scene.GetMaterials().end()), 1);
  EXPECT_EQ(static_cast<CG_MaterialPhong*>(scene.GetMaterials().Find("m")->model)->Kd, 0.1);
}

// ---- Textures ----

TEST_F(SceneFileTest, TexturesAreFoundBesideTheSceneOrInTheTexturePath) {
  struct Case {
    const char* file;  // relative to the temporary directory; null: none
    bool usePath;
    bool found;
  } cases[] = {
      {"wood.bmp", false, true},
      {"lib/wood.bmp", true, true},
      {"WOOD.BMP", false, true},
      {"lib/Wood.Bmp", true, true},
      {"lib/wood.bmp", false, false},
      {nullptr, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "(none)");
    TempDir here;
    ScopedCwd inside(here.path());
    fs::create_directory(here / "lib");
    if (c.file != nullptr) SaveBmp(here / c.file);
    CG_GraphicScene fresh(registry);
    if (c.usePath) fresh.SetTexturePath((here / "lib").string().c_str());
    std::istringstream in("{ texture\n name wood; }\n.");
    EXPECT_EQ(fresh.Get(in), c.found ? 1 : 0);
    if (c.found) {
      ASSERT_NE(fresh.GetTextures().Find("wood"), nullptr);
      EXPECT_EQ(fresh.GetTextures().Find("wood")->image.Width(), 2);
    } else {
      EXPECT_EQ(fresh.GetErrorCode(), 5);
      EXPECT_STREQ(fresh.GetErrorMessage(), "file \"wood.bmp\" not found in texture path");
      EXPECT_EQ(fresh.GetErrorLine(), 2);
    }
  }
}

TEST_F(SceneFileTest, ATextureFileThatIsNotABmpEndsTheReadWithAGenericError) {
  WriteFile(dir / "wood.bmp", "not an image");
  EXPECT_EQ(Get("{ texture name wood; }\n."), 0);
  EXPECT_EQ(scene.GetErrorCode(), 1);
  EXPECT_STREQ(scene.GetErrorMessage(), "Generic Error");
  EXPECT_TRUE(scene.GetTextures().IsEmpty());
}

// ---- Finding files ----

TEST_F(SceneFileTest, FindModelFileAndFindTextureFile) {
  fs::create_directories(dir / "models");
  fs::create_directories(dir / "sub");
  WriteFile(dir / "here.brp", "x");
  WriteFile(dir / "models/there.brp", "x");
  WriteFile(dir / "models/here.brp", "x");
  WriteFile(dir / "CASED.BRP", "x");
  WriteFile(dir / "models/Far.Brp", "x");
  WriteFile(dir / "sub/deep.brp", "x");
  WriteFile(dir / "wheel.brp", "x");
  WriteFile(dir / "models/Wheel.BRP", "x");
  fs::create_directories(dir / "folder.brp");
  scene.SetModelPath("models");
  scene.SetTexturePath("models");
  struct Case {
    const char* name;
    const char* expected;  // null: not found
  } cases[] = {
      {"here", "here"},  // the working directory first
      {"there", "models/there"},
      {"cased", "CASED"},
      {"far", "models/Far"},
      // The name as written with the extension in any case wins over a
      // whole-name match without case in the working directory.
      {"wheel", "wheel"},
      {"Wheel", "models/Wheel"},
      {"sub\\deep", "sub/deep"},
      {"deep", nullptr},  // only the one directory of the path
      {"folder", nullptr},
      {"missing", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_STREQ(scene.FindModelFile(c.name, "brp").Text(), c.expected);
    EXPECT_STREQ(scene.FindTextureFile(c.name, "brp").Text(), c.expected);
  }
  // A path holding several directories is one directory name.
  scene.SetModelPath("sub;models");
  EXPECT_EQ(scene.FindModelFile("there", "brp").Text(), nullptr);
  scene.SetModelPath("models\\");
  EXPECT_STREQ(scene.FindModelFile("there", "brp").Text(), "models/there");
  scene.SetModelPath(nullptr);
  EXPECT_EQ(scene.FindModelFile("there", "brp").Text(), nullptr);
  EXPECT_EQ(scene.FindModelFile("far", "brp").Text(), nullptr);
}

// ---- Writing ----

TEST_F(SceneFileTest, WriteLaysOutTheSectionsInOrder) {
  SaveBmp(dir / "wood.bmp");
  scene.GetParam().dimx = 320;
  scene.GetTextures().Append(new CG_Texture("wood", "wood"));
  scene.GetMaterials().AddIfNew(new CG_NamedMaterial("red", new CG_MaterialPhong()));
  scene.AddLight(std::make_unique<FakeLamp>("sun", Point3D(0, 0, 5), Point3D(1, 1, 1)));
  scene.AddObject(std::make_unique<FakeObject>("ball", std::vector<double>{2}));
  // A camera read from a view section is written as a camera object only.
  ASSERT_EQ(Get("{ vrc }\n."), 1);

  std::ostringstream param, texture, material, lamp, ball, camera;
  scene.GetParam().Write(param);
  scene.GetTextures().First()->Write(texture);
  scene.GetMaterials().First()->Write(material);
  scene.GetLights().First()->Write(lamp);
  scene.FindObject("ball")->Write(ball);
  scene.FindObject("camera")->Write(camera);
  const std::string expected = param.str() + "\n" + texture.str() + "\n" + "\n" + material.str() + "\n" +
                               "\n" + lamp.str() + "\n" + ball.str() + "\n" + camera.str() + "\n" + ".\n";
  std::ostringstream os;
  EXPECT_EQ(&scene.Write(os), &os);
  EXPECT_EQ(os.str(), expected);
}

TEST_F(SceneFileTest, WrittenScenesReadBackTheSame) {
  SaveBmp(dir / "wood.bmp");
  SaveBmp(dir / "bumps.bmp");
  ASSERT_EQ(Get("{ param dimx 64; }\n"
                "{ texture name wood; name bumps; }\n"
                "{ material name red; model { phong Od (1,0,0); } }\n"
                "{ material name glass; model { phong Kt 0.9; } }\n"
                "{ object name ball; IDname B; material red; texture wood; bump bumps;\n"
                "  mapping { mapping model { planar center (0,0,0); assx (1,0,0); assy (0,1,0); } }\n"
                "  model { fake hit 2; box 0 1 0 1 0 1; } }\n"
                "{ object name pane; material glass; model { fake } }\n."),
            1)
      << scene.GetErrorMessage();
  scene.AddLight(std::make_unique<FakeLamp>("sun", Point3D(0, 0, 5), Point3D(1, 0.5, 0.25)));
  std::ostringstream first;
  scene.Write(first);

  CG_GraphicScene copy(registry);
  std::istringstream in(first.str());
  ASSERT_EQ(copy.Load(in), 1) << copy.GetErrorMessage() << " at " << copy.GetErrorLine();
  EXPECT_EQ(copy.GetParam(), scene.GetParam());
  ASSERT_EQ(std::distance(copy.GetTextures().begin(), copy.GetTextures().end()), 2);
  EXPECT_NE(copy.GetTextures().Find("wood"), nullptr);
  EXPECT_NE(copy.GetTextures().Find("bumps"), nullptr);
  std::ostringstream materials, copiedMaterials;
  scene.GetMaterials().WriteAll(materials);
  copy.GetMaterials().WriteAll(copiedMaterials);
  EXPECT_EQ(copiedMaterials.str(), materials.str());
  for (const char* name : {"ball", "pane"}) {
    std::ostringstream object, copied;
    scene.FindObject(name)->Write(object);
    ASSERT_NE(copy.FindObject(name), nullptr);
    copy.FindObject(name)->Write(copied);
    EXPECT_EQ(copied.str(), object.str());
  }
  // The lamp of the lamp list comes back as a lamp object.
  EXPECT_TRUE(copy.GetLights().IsEmpty());
  auto* sun = dynamic_cast<FakeLightObject*>(copy.FindObject("sun"));
  ASSERT_NE(sun, nullptr);
  EXPECT_EQ(sun->colour, Point3D(1, 0.5, 0.25));
  const auto* ball = static_cast<FakeObject*>(copy.FindObject("ball"));
  EXPECT_EQ(ball->material, copy.GetMaterials().Find("red"));
  EXPECT_EQ(ball->bump, copy.GetTextures().Find("bumps"));
}

TEST_F(SceneFileTest, WriteIgnoresTheStreamsLocale) {
  struct Comma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
  };
  scene.GetParam().toll = 0.5;
  scene.AddObject(std::make_unique<FakeObject>("ball", std::vector<double>{1234.5}));
  std::ostringstream plain;
  scene.Write(plain);
  std::ostringstream os;
  os.imbue(std::locale(std::locale::classic(), new Comma));
  scene.Write(os);
  EXPECT_EQ(os.str(), plain.str());
  EXPECT_EQ(std::use_facet<std::numpunct<char>>(os.getloc()).decimal_point(), ',');
}

// ---- The scanner of scene texts ----

TEST(CGScanner, ReadsSceneTextsInTheStandardConfiguration) {
  std::istringstream in("{ object // to the line end\n /* a\n block */ -2.5E3 name");
  CGScanner s(in);
  s.Next();
  std::vector<std::string> tokens;
  while (s.Kind() != zavo::kTokenError) {
    tokens.emplace_back(s.Text());
    s.Next();
  }
  EXPECT_EQ(tokens, (std::vector<std::string>{"{", "object", "-2.5E3", "name"}));
  EXPECT_EQ(s.Slots(), 2);
  EXPECT_EQ(s.TokenLength(), 256);
}

}  // namespace
