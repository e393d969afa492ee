#include "models/core/point_lamp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/bounding_module.h"
#include "geometry/bounding_object.h"
#include "geometry/ray.h"
#include "models/core/brep.h"
#include "models/core/transf.h"
#include "models/registry_scene.h"
#include "scene/cg_scanner.h"
#include "scene/mapping.h"
#include "scene/material.h"
#include "scene/phong_shading.h"
#include "scene/registry.h"
#include "scene/scene.h"
#include "scene/trace_data.h"

namespace {

using zavo::test::ScopedCwd;
using zavo::test::TempDir;

// The registry of these tests: the scene layer's volumes, mappings, material
// and shading, the sphere, the transf, and both point-lamp modules.
CG_ModelRegistry& Registry() {
  static CG_ModelRegistry registry;
  static const bool filled = [] {
    BoundingObjectModule::CreateDefaultList(registry.boundingModules);
    registry.mappingModules.Append(new CG_PlanarMappingModule());
    registry.mappingModules.Append(new CG_SphericalMappingModule());
    registry.materialModules.Append(new CG_MaterialPhongModule());
    registry.modelModules.Append(new CG_SphereModule());
    registry.modelModules.Append(new CG_TransfModule());
    registry.modelModules.Append(new CG_XPointLampModule());
    registry.shadingMethods.Append(new GNoShadowPhongShading());
    registry.lampModules.Append(new NGPointLampModule());
    return true;
  }();
  (void)filled;
  return registry;
}

int Load(CG_GraphicScene& scene, const std::string& text) {
  std::istringstream in(text);
  return scene.Load(in);
}

std::string Message(const CG_GraphicScene& scene) {
  const char* m = scene.GetErrorMessage();
  return m != nullptr ? m : "";
}

template <class T>
std::string Written(const T& item) {
  std::ostringstream os;
  item.Write(os);
  return os.str();
}

std::string WrittenAsObject(const CG_LightSource& lamp) {
  std::ostringstream os;
  lamp.WriteAsObject(os);
  return os.str();
}

CG_XPointLampDescription DescriptionOf(const GXPointLamp& lamp) {
  CG_XPointLampDescription d;
  lamp.GetDescription(d);
  return d;
}

CG_PointLampDescription DescriptionOf(const GPointLamp& lamp) {
  CG_PointLampDescription d;
  lamp.GetDescription(d);
  return d;
}

std::unique_ptr<GPointLamp> MakeLamp(const char* name, const Point3D& pos, const Point3D& color) {
  CG_PointLampDescription d;
  d.pos = pos;
  d.color = color;
  return std::make_unique<GPointLamp>(name, nullptr, d);
}

const char kLampFile[] = "__lamp__.~~~";

// The lamp section of the issue, byte for byte as the lamp writes it.
const char kLampSection[] =
    "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 1 , 2 , 3 );\n\tcolor (1,0.5,0);\n}\n}";

const char kLampObjectBlock[] =
    "{ object\n\tname L;\n\tmodel { pointlamp\n\t\tcenter ( 1 , 2 , 3 );\n\t\tradius 1;\n\t\tdiv 6;\n"
    "\t\tcolor (1,0.5,0);\n\t}\n}\n";

// Notes at every status text (one comes while a lamp's object form is read
// back) whether the old lamp file is in the working directory.
class LampFileWatch : public CG_GraphicSystemInterface {
public:
  void Status(const char* text) override {
    statuses.emplace_back(text != nullptr ? text : "");
    if (std::filesystem::exists(kLampFile)) sawLampFile = true;
  }
  void Message(const char*) override {}
  std::int32_t UserBreak() override { return 0; }
  void PlotPixel(int, int, double, double, double) override {}

  std::vector<std::string> statuses;
  bool sawLampFile = false;
};

TEST(PointLampSection, LoadsAsALampObjectThroughNoFile) {
  TempDir dir;
  ScopedCwd cwd(dir.path());
  LampFileWatch watch;
  CG_GraphicScene scene(Registry());
  scene.SetInterface(&watch);
  ASSERT_FALSE(std::filesystem::exists(kLampFile));

  ASSERT_EQ(Load(scene, std::string(kLampSection) + "\n.\n"), 1) << Message(scene);
  EXPECT_EQ(scene.GetErrorCode(), 0);
  EXPECT_TRUE(scene.GetLights().IsEmpty());
  auto* lamp = dynamic_cast<GXPointLamp*>(scene.FindObject("L"));
  ASSERT_NE(lamp, nullptr);
  EXPECT_EQ(Written(*lamp), kLampObjectBlock);
  EXPECT_EQ(lamp->Position(), (Point3D{1, 2, 3}));
  EXPECT_EQ(lamp->ColourAt({0, 0, 0}, {0, 0, 1}), (Point3D{1, 0.5, 0}));

  // The object form was read back (its status text came) with no file around.
  EXPECT_EQ(watch.statuses, (std::vector<std::string>{"lamp", "lamp L", "object L"}));
  EXPECT_FALSE(watch.sawLampFile);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(PointLampSection, LeavesAFileOfTheOldLampFilesNameAlone) {
  TempDir dir;
  ScopedCwd cwd(dir.path());
  const std::string mine = "{ object name mine; model { sphere center ( 9 , 9 , 9 ); radius 9; } }\n.\n";
  zavo::test::WriteFile(dir / kLampFile, mine);
  CG_GraphicScene scene(Registry());
  ASSERT_EQ(Load(scene, std::string(kLampSection) + "\n.\n"), 1) << Message(scene);
  EXPECT_EQ(scene.FindObject("mine"), nullptr);
  EXPECT_NE(dynamic_cast<GXPointLamp*>(scene.FindObject("L")), nullptr);
  EXPECT_EQ(zavo::test::ReadFile(dir / kLampFile), mine);
}

TEST(PointLampSection, ALampOfTheListIsWrittenAsItsSectionAndComesBackAsAnObject) {
  CG_GraphicScene scene(Registry());
  auto lamp = MakeLamp("L", {1, 2, 3}, {1, 0.5, 0});
  EXPECT_EQ(Written(*lamp), kLampSection);
  EXPECT_EQ(WrittenAsObject(*lamp),
            "{ object\n\tname L;\n\tmodel { pointlamp\ncenter ( 1 , 2 , 3 );\n\tcolor (1,0.5,0);\n}\n}");
  ASSERT_EQ(scene.AddLight(std::move(lamp)), 1);
  const std::string text = Written(scene);
  EXPECT_NE(text.find(std::string(kLampSection) + "\n"), std::string::npos);

  CG_GraphicScene again(Registry());
  ASSERT_EQ(Load(again, text), 1) << Message(again);
  EXPECT_TRUE(again.GetLights().IsEmpty());
  auto* object = dynamic_cast<GXPointLamp*>(again.FindObject("L"));
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(Written(*object), kLampObjectBlock);
}

// Reads a lamp section's header and model with the scene's lamp reader.
std::unique_ptr<CG_LightSource> ReadLampSection(CG_GraphicScene& scene, const std::string& text) {
  std::istringstream in(text);
  CGScanner s(in);
  s.Next();  // "{"
  s.Next();  // "lamp"
  s.Next();
  charString name;
  if (!scene.ReadLampHeader(s, name)) return nullptr;
  return scene.ReadLampModel(s, name.Text());
}

TEST(PointLampSection, WrittenAndReadBackKeepsPositionAndColour) {
  CG_GraphicScene scene(Registry());
  const std::vector<std::pair<Point3D, Point3D>> values = {
      {{1, 2, 3}, {1, 0.5, 0}},
      {{-0.125, 1e-07, 3.5e+12}, {0.25, 2, 123456}},
  };
  for (const auto& [pos, color] : values) {
    const auto lamp = MakeLamp("sun", pos, color);
    std::unique_ptr<CG_LightSource> read = ReadLampSection(scene, Written(*lamp));
    auto* back = dynamic_cast<GPointLamp*>(read.get());
    ASSERT_NE(back, nullptr) << Message(scene);
    EXPECT_EQ(back->name, "sun");
    EXPECT_EQ(static_cast<CG_LightSource*>(back)->GetModule(), Registry().lampModules.First());
    EXPECT_EQ(DescriptionOf(*back).pos, pos);
    EXPECT_EQ(DescriptionOf(*back).color, color);
    EXPECT_EQ(Written(*back), Written(*lamp));
  }
}

TEST(PointLampSection, BodiesAndErrors) {
  struct Case {
    const char* body;     // after "model { pointlamp", from line 3; the section's "}" follows on a line of its own
    int loads;            // 1: the scene loads, with a lamp object
    Point3D pos;          // when it loads
    Point3D color;
    int code;             // the error record after the load
    const char* message;
    int line;             // the error line, when the load fails
  };
  const std::vector<Case> cases = {
      {"pos ( 1 , 2 , 3 );\ncolor (1,0.5,0);\n}", 1, {1, 2, 3}, {1, 0.5, 0}, 0, "", 0},
      {"color ( 0 , 1 , 0 );\npos (4,5,6);\n}", 1, {4, 5, 6}, {0, 1, 0}, 0, "", 0},
      // Both are needed; neither missing one has a message of its own.
      {"pos ( 1 , 2 , 3 );\n}", 0, {}, {}, 1, "Generic Error", 5},
      {"color ( 1 , 1 , 1 );\n}", 0, {}, {}, 1, "Generic Error", 5},
      {"}", 0, {}, {}, 1, "Generic Error", 4},
      {"pos ( 1 , 2 , 3 );\ncolour (1,1,1);\n}", 0, {}, {}, 5, "Unknown attribute", 4},
      {"pos ( 1 , 2 , 3 );\n7;\n}", 0, {}, {}, 1, "Generic Error", 4},
      {"pos ( 1 , 2 , 3 )\ncolor (1,1,1);\n}", 0, {}, {}, 2, "Caracter ';' not found", 4},
      // A point or colour that does not read is recorded and reading goes on...
      {"pos ( 1 , 2 , 3 );\ncolor ;\n}", 1, {1, 2, 3}, {1, 1, 1}, 5, "Wrong color definition", 0},
      {"pos ;\ncolor (1,1,1);\n}", 1, {0, 0, 0}, {1, 1, 1}, 5, "Wrong point definition", 0},
      {"pos ;\n}", 0, {}, {}, 5, "Wrong point definition", 5},
      {"pos ( 1 , 2 , 3 );\ncolor ;\n7", 0, {}, {}, 5, "Wrong color definition", 5},
      // ...and a failing ";" check then replaces the message.
      {"pos ( 1 , x , 3 );\ncolor (1,1,1);\n}", 0, {}, {}, 2, "Caracter ';' not found", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    TempDir dir;
    ScopedCwd cwd(dir.path());
    CG_GraphicScene scene(Registry());
    const std::string text = std::string("{ lamp name L;\nmodel { pointlamp\n") + c.body + "\n}\n.\n";
    EXPECT_EQ(Load(scene, text), c.loads);
    EXPECT_EQ(scene.GetErrorCode(), c.code);
    EXPECT_EQ(Message(scene), c.message);
    EXPECT_TRUE(scene.GetLights().IsEmpty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    auto* lamp = dynamic_cast<GXPointLamp*>(scene.FindObject("L"));
    ASSERT_EQ(lamp != nullptr, c.loads == 1);
    if (lamp == nullptr) {
      EXPECT_EQ(scene.GetErrorLine(), c.line);
      continue;
    }
    EXPECT_EQ(lamp->Position(), c.pos);
    EXPECT_EQ(DescriptionOf(*lamp).color, c.color);
  }
}

TEST(PointLampObject, BodiesAndErrors) {
  struct Case {
    const char* body;     // after "model { pointlamp", from line 3
    int loads;
    Point3D center;
    double radius;
    int div;
    Point3D color;
    int code;
    const char* message;
    int line;
  };
  const std::vector<Case> cases = {
      {"center ( 1 , 2 , 3 ); }", 1, {1, 2, 3}, 1, 6, {1, 1, 1}, 0, "", 0},
      {"}", 1, {0, 0, 0}, 1, 6, {1, 1, 1}, 0, "", 0},
      {"color (0,0.5,1); div 7.9; radius 0.25;\ncenter (-1,0,2e1); }", 1, {-1, 0, 20}, 0.25, 7,
       {0, 0.5, 1}, 0, "", 0},
      {"div -3.5; }", 1, {0, 0, 0}, 1, -3, {1, 1, 1}, 0, "", 0},
      {"radius 2;\nradius x; }", 0, {}, 0, 0, {}, 5, "Number wanted", 4},
      {"div\n; }", 0, {}, 0, 0, {}, 5, "Number wanted", 4},
      {"div 1e10; }", 0, {}, 0, 0, {}, 5, "Number wanted", 3},
      {"radius 2;\nshine 1; }", 0, {}, 0, 0, {}, 5, "Unknown attribute", 4},
      {"Center ( 1 , 2 , 3 ); }", 0, {}, 0, 0, {}, 5, "Unknown attribute", 3},
      {"radius 2\ndiv 3; }", 0, {}, 0, 0, {}, 2, "Caracter ';' not found", 4},
      {"center ( 1 , 2 , 3 );\n( }", 0, {}, 0, 0, {}, 1, "Generic Error", 4},
      {"center ;\ncolor (1,0,0); }", 1, {0, 0, 0}, 1, 6, {1, 0, 0}, 5, "Wrong point definition", 0},
      {"center ( 1 , 2 , 3 );\ncolor ; }", 1, {1, 2, 3}, 1, 6, {1, 1, 1}, 5, "Wrong color definition", 0},
      {"color ;\n7 }", 0, {}, 0, 0, {}, 5, "Wrong color definition", 4},
      {"color (1,1);\n}", 0, {}, 0, 0, {}, 2, "Caracter ';' not found", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    CG_GraphicScene scene(Registry());
    const std::string text = std::string("{ object name P;\nmodel { pointlamp\n") + c.body + "\n}\n.\n";
    EXPECT_EQ(Load(scene, text), c.loads);
    EXPECT_EQ(scene.GetErrorCode(), c.code);
    EXPECT_EQ(Message(scene), c.message);
    auto* lamp = dynamic_cast<GXPointLamp*>(scene.FindObject("P"));
    ASSERT_EQ(lamp != nullptr, c.loads == 1);
    if (lamp == nullptr) {
      EXPECT_EQ(scene.GetErrorLine(), c.line);
      continue;
    }
    const CG_XPointLampDescription d = DescriptionOf(*lamp);
    EXPECT_EQ(d.center, c.center);
    EXPECT_EQ(d.radius, c.radius);
    EXPECT_EQ(d.div, c.div);
    EXPECT_EQ(d.color, c.color);
    EXPECT_EQ(d.progress, &scene.GetInterface());
    EXPECT_EQ(lamp->IsLightSource(), 1);
    EXPECT_STREQ(lamp->Keyword(), "pointlamp");
  }
}

TEST(PointLampObject, WrittenAndReadBackKeepsEverything) {
  const std::string text =
      "{ material name glow; model { phong Od (1,1,0); } }\n"
      "{ object\n\tname P;\n\tmaterial glow;\n\tmodel { pointlamp\n\t\tcenter ( -1.5 , 0 , 2e+06 );\n"
      "\t\tradius 0.125;\n\t\tdiv 9;\n\t\tcolor (0.2,0.4,3);\n\t}\n}\n.\n";
  CG_GraphicScene first(Registry());
  ASSERT_EQ(Load(first, text), 1) << Message(first);
  auto* lamp = dynamic_cast<GXPointLamp*>(first.FindObject("P"));
  ASSERT_NE(lamp, nullptr);
  const std::string block = Written(*lamp);
  EXPECT_EQ(block,
            "{ object\n\tname P;\n\tmaterial glow;\n\tmodel { pointlamp\n\t\tcenter ( -1.5 , 0 , 2e+06 );\n"
            "\t\tradius 0.125;\n\t\tdiv 9;\n\t\tcolor (0.2,0.4,3);\n\t}\n}\n");

  CG_GraphicScene second(Registry());
  ASSERT_EQ(Load(second, Written(first)), 1) << Message(second);
  auto* back = dynamic_cast<GXPointLamp*>(second.FindObject("P"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(Written(*back), block);
  const CG_XPointLampDescription d = DescriptionOf(*back);
  EXPECT_EQ(d.center, (Point3D{-1.5, 0, 2e6}));
  EXPECT_EQ(d.radius, 0.125);
  EXPECT_EQ(d.div, 9);
  EXPECT_EQ(d.color, (Point3D{0.2, 0.4, 3}));
}

TEST(PointLampObject, CloneAndDescriptionCarryEveryField) {
  CG_GraphicObjectCommData data;
  data.name = "P";
  data.IDname = "id";
  CG_XPointLampDescription d;
  d.center = {1, 2, 3};
  d.radius = 2;
  d.div = 4;
  d.color = {0.5, 0.25, 1};
  GXPointLamp lamp(data, d);
  std::unique_ptr<CG_GraphicObject> copy = lamp.Clone();
  auto* clone = dynamic_cast<GXPointLamp*>(copy.get());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(Written(*clone), zavo::test::WithoutIDnameAndToll(Written(lamp)));
  EXPECT_EQ(clone->IDname.Text(), nullptr);

  d.center = {0, 0, -5};
  d.radius = 0.5;
  d.color = {0, 1, 0};
  lamp.SetDescription(d);
  EXPECT_EQ(lamp.Position(), (Point3D{0, 0, -5}));
  EXPECT_EQ(lamp.ColourAt({}, {1, 0, 0}), (Point3D{0, 1, 0}));
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(&lamp, box), 1);
  EXPECT_NEAR(box.xmax, std::sqrt(2.0) * 0.5, 1e-12);
  EXPECT_NEAR(box.zmin, -5 - std::sqrt(2.0) * 0.5, 1e-12);
  // The clone kept the old values.
  EXPECT_EQ(clone->Position(), (Point3D{1, 2, 3}));
}

TEST(PointLampObject, IsASphereForRaysAndMeshes) {
  CG_GraphicObjectCommData data;
  data.name = "P";
  CG_XPointLampDescription d;
  d.center = {0, 0, -3};
  d.radius = 1;
  d.div = 4;
  GXPointLamp lamp(data, d);
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = lamp.NewIntrInfo();
  ASSERT_NE(dynamic_cast<CG_PointLampIntrInfo*>(record.get()), nullptr);
  EXPECT_EQ(lamp.IsRayTraceable(), 1);
  ASSERT_EQ(lamp.Intersect(Ray::FromDirection({0, 0, 0}, {0, 0, -1}), *record), 2);
  EXPECT_DOUBLE_EQ(record->Value(0), 2);
  EXPECT_DOUBLE_EQ(record->Value(1), 4);
  EXPECT_EQ(lamp.Intersect(Ray::FromDirection({0, 2, 0}, {0, 0, -1}), *record), 0);

  zavo::DeclassedParts parts;
  ASSERT_EQ(lamp.DeclassToIndexedMesh(parts, 0), 1);
  ASSERT_EQ(parts.Size(), 1);
  EXPECT_NE(dynamic_cast<GBRep*>(parts[0].object), nullptr);
  EXPECT_EQ(parts[0].owned, 1);
  zavo::ReleaseDeclassedParts(parts);
}

// The light of both forms: their colour at any distance and from any side.
TEST(PointLampLight, TheColourIgnoresDistanceAndDirection) {
  CG_GraphicScene scene(Registry());
  ASSERT_EQ(Load(scene,
                 "{ lamp name L; model { pointlamp pos ( 0 , 0 , 0 ); color (1,0.5,0); } }\n"
                 "{ object name P; model { pointlamp center (5,0,0); color (0.25,0.5,2); } }\n.\n"),
            1)
      << Message(scene);
  const auto section = MakeLamp("S", {0, 0, 0}, {1, 0.5, 0});
  std::vector<const CG_LightSourceBase*> lamps{section.get(), scene.FindObject("L"), scene.FindObject("P")};
  for (const CG_LightSourceBase* lamp : lamps) {
    ASSERT_NE(lamp, nullptr);
    const Point3D at = lamp->Position();
    const Point3D near = lamp->ColourAt(at + Point3D{0, 0, 1}, {0, 0, -1});
    EXPECT_EQ(lamp->ColourAt(at + Point3D{0, 0, 1000}, {0, 0, -1}), near);
    EXPECT_EQ(lamp->ColourAt(at + Point3D{-1000, 0, 0}, {1, 0, 0}), near);
    EXPECT_EQ(lamp->ColourAt(at + Point3D{0, 0, 1}, {0.6, 0, 0.8}), near);
  }
  EXPECT_EQ(scene.FindObject("P")->ColourAt({}, {0, 0, 1}), (Point3D{0.25, 0.5, 2}));
}

TEST(PointLampLight, ShadesAPointAtDistanceOneAsAtDistanceAThousand) {
  auto shade = [](double distance) {
    CG_GraphicScene scene(Registry());
    std::ostringstream text;
    text << "{ lamp name L; model { pointlamp pos ( 0 , 0 , " << distance
         << " ); color (1,0.5,0.25); } }\n.\n";
    EXPECT_EQ(Load(scene, text.str()), 1) << Message(scene);
    scene.SetEyePoint({0, 0, 10});
    EXPECT_EQ(scene.SetShadingMethod("noshadowphong"), 1);
    scene.PrepareTraceData();
    const CG_MaterialPhong material;
    return scene.GetShadingMethod()->Shade(scene, material, {0, 0, 0}, {0, 0, 1});
  };
  const Point3D near = shade(1);
  EXPECT_EQ(shade(1000), near);
  // Lit at all: more than the ambient term alone.
  CG_GraphicScene dark(Registry());
  dark.SetEyePoint({0, 0, 10});
  ASSERT_EQ(dark.SetShadingMethod("noshadowphong"), 1);
  dark.PrepareTraceData();
  const Point3D ambient = dark.GetShadingMethod()->Shade(dark, CG_MaterialPhong(), {0, 0, 0}, {0, 0, 1});
  EXPECT_GT(near.x, ambient.x);
}

TEST(PointLampLight, LampObjectsAreLightSourcesAndNeverTracedSurfaces) {
  CG_GraphicScene scene(Registry());
  ASSERT_EQ(Load(scene,
                 "{ lamp name L; model { pointlamp pos ( 0 , 0 , 9 ); color (1,1,1); } }\n"
                 "{ object name ball; model { sphere center ( 0 , 0 , 0 ); radius 1; } }\n"
                 "{ object name P; model { pointlamp center (5,0,0); } }\n.\n"),
            1)
      << Message(scene);
  scene.AddLight(MakeLamp("listed", {0, 9, 0}, {1, 1, 1}));
  scene.PrepareTraceData();
  FragmentedSeq<CG_LightSourceBase*, long>& lamps = scene.GetLampSequence();
  ASSERT_EQ(lamps.Size(), 3);
  EXPECT_EQ(lamps[0], scene.FindLight("listed"));
  EXPECT_EQ(lamps[1], static_cast<CG_LightSourceBase*>(scene.FindObject("L")));
  EXPECT_EQ(lamps[2], static_cast<CG_LightSourceBase*>(scene.FindObject("P")));
  std::vector<const CG_GraphicObject*> traced;
  for (const CG_GraphicObjectQZData& entry : scene.GetTraceList()) traced.push_back(entry.object);
  EXPECT_EQ(traced, (std::vector<const CG_GraphicObject*>{scene.FindObject("ball")}));
}

TEST(PointLampLight, UnderATransfTheLightMovesWithIt) {
  CG_GraphicScene scene(Registry());
  ASSERT_EQ(Load(scene,
                 "{ object name T; model { transf t ( 5 , 0 , 0 );\n"
                 "  { object name P; model { pointlamp center ( 1 , 2 , 3 ); color (0.5,1,0); } } } }\n.\n"),
            1)
      << Message(scene);
  const CG_GraphicObject* transf = scene.FindObject("T");
  ASSERT_NE(transf, nullptr);
  EXPECT_EQ(transf->IsLightSource(), 1);
  EXPECT_EQ(transf->Position(), (Point3D{6, 2, 3}));
  EXPECT_EQ(transf->ColourAt({100, 0, 0}, {-1, 0, 0}), (Point3D{0.5, 1, 0}));
  scene.PrepareTraceData();
  ASSERT_EQ(scene.GetLampSequence().Size(), 1);
  EXPECT_EQ(scene.GetLampSequence()[0], static_cast<const CG_LightSourceBase*>(transf));
  EXPECT_TRUE(scene.GetTraceList().IsEmpty());
}

TEST(PointLampLamp, NameAndDescription) {
  auto lamp = MakeLamp("a", {1, 1, 1}, {0, 0, 1});
  lamp->SetName("b");
  charString name;
  lamp->GetName(name);
  EXPECT_EQ(name, "b");
  CG_PointLampDescription d;
  d.pos = {7, 8, 9};
  d.color = {0.1, 0.2, 0.3};
  lamp->SetDescription(d);
  EXPECT_EQ(lamp->Position(), (Point3D{7, 8, 9}));
  EXPECT_EQ(lamp->ColourAt({}, {}), (Point3D{0.1, 0.2, 0.3}));
  EXPECT_STREQ(lamp->Keyword(), "pointlamp");
  EXPECT_EQ(Written(*lamp), "{ lamp\n\tname b;\n\tmodel { pointlamp\npos ( 7 , 8 , 9 );\n\tcolor (0.1,0.2,0.3);\n}\n}");
}

}  // namespace
