// The scene's global hierarchy: what enters it, the method that builds it, and
// its cache "<scene name>.qz_".

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/bounding_module.h"
#include "models/registry.h"
#include "render/bound_hier_builder.h"
#include "render/bound_hier_builder2.h"
#include "render/global_hier_file.h"
#include "render/hier_fixtures.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;
using zavo::test::CheckTree;
using zavo::test::Describe;
using zavo::test::FakeCamera;
using zavo::test::FakeLightObject;
using zavo::test::LevelLinks;
using zavo::test::MakeEntry;
using zavo::test::ReadFile;
using zavo::test::RecordingInterface;
using zavo::test::ScopedCwd;
using zavo::test::TempDir;
using zavo::test::UnitBox;
using zavo::test::VolumeObject;
using zavo::test::WriteFile;
using Builder = BoundHierBuilder<CG_GraphicObjectQZData*, SeqGraphicObject>;
using Builder2 = BoundHierBuilder2<CG_GraphicObjectQZData*, SeqGraphicObject>;
using Statuses = std::vector<std::string>;

// A lamp object and a camera object that have bounding volumes all the same.
class BoundedLight : public FakeLightObject {
public:
  explicit BoundedLight(const char* n) : FakeLightObject(n, Point3D{}, Point3D{1, 1, 1}) {}
  const BoundingObject* GetBoundingObject() const override { return &volume; }
  BoundingBox volume{UnitBox(0)};
};
class BoundedCamera : public FakeCamera {
public:
  explicit BoundedCamera(const char* n) : FakeCamera(*zavo::test::MakeCommData(n), CG_ViewReference(), nullptr) {}
  const BoundingObject* GetBoundingObject() const override { return &volume; }
  BoundingBox volume{UnitBox(0)};
};

class SceneHierarchy : public ::testing::Test {
protected:
  SceneHierarchy() {
    BoundingObjectModule::CreateDefaultList(registry.boundingModules);
    scene.SetInterface(&ui);
  }

  // Appends a trace entry whose object has the box as its volume (none: no volume).
  VolumeObject& Add(const char* name, const GEO_Box* box) {
    std::unique_ptr<BoundingObject> volume;
    if (box != nullptr) volume = std::make_unique<BoundingBox>(*box);
    auto entry = MakeEntry(std::make_unique<VolumeObject>(name, std::move(volume)));
    auto& object = static_cast<VolumeObject&>(*entry->object);
    scene.GetTraceList().Append(entry.release());
    return object;
  }
  VolumeObject& Add(const char* name, const GEO_Box& box) { return Add(name, &box); }
  void AddBoxes(const std::vector<GEO_Box>& boxes) {
    for (std::size_t i = 0; i < boxes.size(); ++i) Add(("o" + std::to_string(i)).c_str(), boxes[i]);
  }

  // The entries with a volume, in list order: the sequence of a build.
  SeqGraphicObject Bounded() {
    std::vector<CG_GraphicObjectQZData*> list;
    for (CG_GraphicObjectQZData& entry : scene.GetTraceList()) {
      if (!entry.object->IsLightSource() && !entry.object->IsCamera() && entry.object->GetBoundingObject()) {
        list.push_back(&entry);
      }
    }
    SeqGraphicObject seq(static_cast<std::uint32_t>(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i) seq[static_cast<std::uint32_t>(i)] = list[i];
    return seq;
  }
  std::string Tree() {
    const SeqGraphicObject seq = Bounded();
    return Describe(scene.GetHierarchyRoot(), seq);
  }
  std::vector<std::string> Unbounded() {
    std::vector<std::string> names;
    for (GObjectRef& ref : scene.GetUnboundedObjects()) names.emplace_back(ref.entry->object->name.Text());
    return names;
  }
  std::string Saved() {
    std::ostringstream os;
    zavo::SaveGlobalHierarchy(os, scene.GetHierarchyRoot());
    return os.str();
  }
  void Name(const char* base) {
    path = (dir / base).string() + ".qz_";
    scene.SetName((dir / base).string().c_str());
  }
  void Method(const char* text) { scene.GetParam()._general_optimiz = text; }
  void Rebuild() {
    scene.FreeGlobalHierarchy();
    ui.statuses.clear();
    scene.BuildGlobalHierarchy();
  }
  bool HasStatus(const std::string& text) const {
    return std::find(ui.statuses.begin(), ui.statuses.end(), text) != ui.statuses.end();
  }

  TempDir dir;
  ScopedCwd cwd{dir.path()};
  CG_ModelRegistry registry;
  CG_GraphicScene scene{registry};
  RecordingInterface ui;
  std::string path;
};

TEST_F(SceneHierarchy, LampsAndCamerasEnterNeitherTheTreeNorTheUnboundedList) {
  Add("a", UnitBox(0));
  scene.GetTraceList().Append(MakeEntry(std::make_unique<BoundedLight>("lamp")).release());
  Add("b", nullptr);
  scene.GetTraceList().Append(MakeEntry(std::make_unique<BoundedCamera>("cam")).release());
  Add("c", UnitBox(3));
  Method("hier");
  scene.BuildGlobalHierarchy();
  EXPECT_EQ(Tree(), "[0 1]");
  EXPECT_EQ(scene.GetHierarchyRoot()->elements[0]->object->name, "a");
  EXPECT_EQ(scene.GetHierarchyRoot()->elements[1]->object->name, "c");
  EXPECT_EQ(Unbounded(), (std::vector<std::string>{"b"}));
  EXPECT_TRUE(ui.statuses.size() == 1 && ui.statuses[0] == "Global hierarchy: level 0 - 0%");
}

TEST_F(SceneHierarchy, WithoutBoundedEntriesTheRootIsNullAndNoCacheIsWritten) {
  Name("scene");
  Add("a", nullptr);
  Add("b", nullptr);
  scene.BuildGlobalHierarchy();
  EXPECT_EQ(scene.GetHierarchyRoot(), nullptr);
  EXPECT_EQ(Unbounded(), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(ui.statuses.empty());
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(SceneHierarchy, FreeingTwiceOrWithoutABuildDoesNothingMore) {
  scene.FreeGlobalHierarchy();
  Add("a", UnitBox(0));
  Add("b", nullptr);
  scene.BuildGlobalHierarchy();
  scene.BuildGlobalHierarchy();  // drops the first tree: the list holds b once
  EXPECT_EQ(Unbounded(), (std::vector<std::string>{"b"}));
  scene.FreeGlobalHierarchy();
  EXPECT_EQ(scene.GetHierarchyRoot(), nullptr);
  EXPECT_TRUE(scene.GetUnboundedObjects().IsEmpty());
  scene.FreeGlobalHierarchy();
  EXPECT_EQ(scene.GetHierarchyRoot(), nullptr);
  EXPECT_EQ(scene.GetTraceList().First()->object->name, "a");
}

std::vector<GEO_Box> Scattered() {
  std::vector<GEO_Box> boxes;
  for (int i = 0; i < 24; ++i) {
    const double x = (i * 37) % 23, y = (i * 11) % 7, z = (i * 5) % 3;
    boxes.push_back({x, x + 1 + i % 3, y, y + 0.5, z, z + 1});
  }
  return boxes;
}

struct MethodCase {
  const char* optimiz;
  const char* expected;  // "pairing", "grid", "median"
};

class MethodChoice : public SceneHierarchy, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(MethodChoice, FollowsGeneralOptimiz) {
  AddBoxes(Scattered());
  Method(GetParam().optimiz);
  GParam& param = scene.GetParam();
  param._general_costr = 2.5;
  param._general_hsort = 2;
  param._general_grid_dim = 6;
  scene.BuildGlobalHierarchy();

  SeqGraphicObject seq = Bounded();
  const std::string pairing = Describe(Builder(&seq).Build(1.1).get(), seq);
  Builder2 grid(&seq);
  grid.SetSeedOrder(2);
  grid.SetGridDimension(6);
  const std::string gridFirst = Describe(grid.Build(2.5).get(), seq);
  const std::string median = Describe(Builder2(&seq).BuildMedian().get(), seq);
  // The three methods, and the pairing with the ratio of the grid, differ here.
  ASSERT_NE(pairing, gridFirst);
  ASSERT_NE(pairing, median);
  ASSERT_NE(gridFirst, median);
  ASSERT_NE(pairing, Describe(Builder(&seq).Build(2.5).get(), seq));

  const std::string expected = GetParam().expected;
  EXPECT_EQ(Tree(), expected == "pairing" ? pairing : expected == "grid" ? gridFirst : median);
  EXPECT_EQ(HasStatus("Creating grid"), expected == "grid");
  EXPECT_EQ(HasStatus("Global hierarchy: level 0 - 0%"), expected == "pairing");
  if (expected == "median") {
    EXPECT_TRUE(ui.statuses.empty());
  }
  CheckTree(scene.GetHierarchyRoot(), seq);
}

INSTANTIATE_TEST_SUITE_P(Texts, MethodChoice,
                         ::testing::Values(MethodCase{"hier", "pairing"}, MethodCase{"Hier", "pairing"},
                                           MethodCase{"HIER", "pairing"}, MethodCase{"", "pairing"},
                                           MethodCase{"auto", "grid"}, MethodCase{"fasthier", "grid"},
                                           MethodCase{"Auto", "pairing"}, MethodCase{"median", "median"}),
                         [](const ::testing::TestParamInfo<MethodCase>& info) {
                           return "Case" + std::to_string(info.index);
                         });

TEST_F(SceneHierarchy, OnlyGridBuildsWriteHierbl2Log) {
  AddBoxes(Scattered());
  for (const char* method : {"hier", "median", "Hier"}) {
    Method(method);
    Rebuild();
    EXPECT_FALSE(fs::exists(dir / "hierbl2.log")) << method;
  }
  for (const char* method : {"auto", "fasthier"}) {
    Method(method);
    Rebuild();
    EXPECT_TRUE(fs::exists(dir / "hierbl2.log")) << method;
    fs::remove(dir / "hierbl2.log");
  }
  // A cache load builds nothing.
  Name("scene");
  Method("auto");
  Rebuild();
  fs::remove(dir / "hierbl2.log");
  Rebuild();
  EXPECT_EQ(ui.statuses, Statuses{"Loading hierarchy " + path});
  EXPECT_FALSE(fs::exists(dir / "hierbl2.log"));
}

TEST_F(SceneHierarchy, ANamedSceneSavesItsTreeAndLoadsItTheNextTime) {
  Name("scene");
  AddBoxes(Scattered());
  scene.BuildGlobalHierarchy();  // the default "auto"
  ASSERT_GE(ui.statuses.size(), 3u);
  EXPECT_EQ(ui.statuses.front(), "Creating hierarchy");
  EXPECT_EQ(ui.statuses[1], "Creating grid");
  EXPECT_EQ(ui.statuses.back(), "Saving hierarchy " + path);
  const std::string tree = Tree();
  const std::vector<int> links = LevelLinks(scene.GetHierarchyRoot());
  const std::string file = ReadFile(path);
  EXPECT_EQ(file, Saved());

  Rebuild();
  EXPECT_EQ(ui.statuses, Statuses{"Loading hierarchy " + path});
  EXPECT_EQ(Tree(), tree);
  EXPECT_EQ(LevelLinks(scene.GetHierarchyRoot()), links);
  EXPECT_EQ(Saved(), file);
  CheckTree(scene.GetHierarchyRoot(), Bounded());

  // Whatever method is asked for then.
  Method("median");
  Rebuild();
  EXPECT_EQ(ui.statuses, Statuses{"Loading hierarchy " + path});
  EXPECT_EQ(Tree(), tree);
}

TEST_F(SceneHierarchy, ASceneWithoutANameTouchesNoCache) {
  AddBoxes(Scattered());
  scene.BuildGlobalHierarchy();
  EXPECT_FALSE(HasStatus("Creating hierarchy"));
  EXPECT_EQ(ui.statuses.front(), "Creating grid");
  std::vector<std::string> files;
  for (const auto& item : fs::directory_iterator(dir.path())) files.push_back(item.path().filename().string());
  EXPECT_EQ(files, std::vector<std::string>{"hierbl2.log"});
}

// Three objects: a and b pair, c is alone; the root holds both leaves.
const char kCache[] =
    "4\n1\n"
    "1\n{ bound\n\tmodel \t{ box\n\t\txmin 0;\n\t\txmax 11;\n\t\tymin 0;\n\t\tymax 1;\n\t\tzmin 0;\n\t\tzmax 1;\n"
    "\t}\n}\n\n0\n1\n2\n2 3 \n"
    "2\n{ bound\n\tmodel \t{ box\n\t\txmin 0;\n\t\txmax 3;\n\t\tymin 0;\n\t\tymax 1;\n\t\tzmin 0;\n\t\tzmax 1;\n"
    "\t}\n}\n\n3\n0\n2\na b \n"
    "3\n{ bound\n\tmodel \t{ box\n\t\txmin 10;\n\t\txmax 11;\n\t\tymin 0;\n\t\tymax 1;\n\t\tzmin 0;\n\t\tzmax 1;\n"
    "\t}\n}\n\n0\n0\n1\nc \n";

class SmallScene : public SceneHierarchy {
protected:
  void SetUp() override {
    Name("small");
    Method("hier");
    Add("a", UnitBox(0));
    Add("b", UnitBox(2));
    c = &Add("c", UnitBox(10));
  }
  VolumeObject* c = nullptr;
};

TEST_F(SmallScene, TheCacheText) {
  scene.BuildGlobalHierarchy();
  EXPECT_EQ(ReadFile(path), kCache);
  EXPECT_EQ(ui.statuses, (Statuses{"Creating hierarchy", "Global hierarchy: level 0 - 0%",
                                   "Global hierarchy: level 0 - 66%", "hierarchy level 1",
                                   "Global hierarchy: level 1 - 0%", "Saving hierarchy " + path}));
}

TEST_F(SmallScene, EntriesMayComeInAnyOrderAndCommentsAreSkipped) {
  std::string text = kCache;
  const std::size_t second = text.find("2\n{ bound");
  const std::size_t third = text.find("3\n{ bound");
  text = text.substr(0, second) + text.substr(third) + text.substr(second, third - second);
  WriteFile(path, "/* reordered */ " + text + "// end\n");
  scene.BuildGlobalHierarchy();
  EXPECT_EQ(ui.statuses, Statuses{"Loading hierarchy " + path});
  EXPECT_EQ(Tree(), "([0 1] [2])");
  EXPECT_EQ(Saved(), kCache);
}

TEST_F(SmallScene, NumbersAreReadAsRealsAndTruncated) {
  std::string text = kCache;
  text.replace(text.find("2 3 \n"), 5, "2.9 3.5 \n");
  // A number of 49 characters still fits its slot.
  text.replace(0, 4, "4\n" + std::string(48, '0') + "1\n");
  WriteFile(path, text);
  scene.BuildGlobalHierarchy();
  EXPECT_EQ(ui.statuses, Statuses{"Loading hierarchy " + path});
  EXPECT_EQ(Saved(), kCache);
}

struct BrokenCase {
  const char* what;
  std::function<std::string(std::string)> edit;
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.what; }

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) ADD_FAILURE() << "no " << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

class BrokenCache : public SmallScene, public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenCache, IsBuiltAgainAndOverwritten) {
  WriteFile(path, GetParam().edit(kCache));
  scene.BuildGlobalHierarchy();
  EXPECT_EQ(ui.statuses.front(), "Loading hierarchy " + path);
  EXPECT_TRUE(HasStatus("Creating hierarchy"));
  EXPECT_EQ(ui.statuses.back(), "Saving hierarchy " + path);
  EXPECT_EQ(Tree(), "([0 1] [2])");
  CheckTree(scene.GetHierarchyRoot(), Bounded());
  EXPECT_EQ(ReadFile(path), kCache);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, BrokenCache,
    ::testing::Values(
        BrokenCase{"empty", [](std::string) { return std::string(); }},
        BrokenCase{"truncated", [](std::string t) { return t.substr(0, t.size() / 2); }},
        BrokenCase{"N too small", [](std::string t) { return Replace(t, "4\n1\n", "3\n1\n"); }},
        BrokenCase{"N too large", [](std::string t) { return Replace(t, "4\n1\n", "5\n1\n"); }},
        BrokenCase{"root out of range", [](std::string t) { return Replace(t, "4\n1\n", "4\n4\n"); }},
        BrokenCase{"index not below N", [](std::string t) { return Replace(t, "2 3 \n", "2 4 \n"); }},
        BrokenCase{"level link not below N", [](std::string t) { return Replace(t, "\n\n3\n0\n2\n", "\n\n4\n0\n2\n"); }},
        BrokenCase{"a node filled twice", [](std::string t) { return Replace(t, "\n3\n{ bound", "\n2\n{ bound"); }},
        BrokenCase{"a child twice", [](std::string t) { return Replace(t, "2 3 \n", "2 2 \n"); }},
        BrokenCase{"a node its own child", [](std::string t) { return Replace(t, "2 3 \n", "1 3 \n"); }},
        BrokenCase{"an unknown kind", [](std::string t) { return Replace(t, "\n0\n1\n2\n", "\n0\n2\n2\n"); }},
        BrokenCase{"an unknown name", [](std::string t) { return Replace(t, "a b \n", "a x \n"); }},
        BrokenCase{"a name used twice", [](std::string t) { return Replace(t, "a b \n", "a a \n"); }},
        BrokenCase{"an object missing", [](std::string t) { return Replace(t, "2\na b \n", "1\na \n"); }},
        BrokenCase{"a leaf bound without its object", [](std::string t) { return Replace(t, "xmax 3;", "xmax 2.5;"); }},
        BrokenCase{"a node bound without its child", [](std::string t) { return Replace(t, "xmax 11;", "xmax 10.5;"); }},
        BrokenCase{"a word for a count", [](std::string t) { return Replace(t, "\n0\n2\na b", "\n0\ntwo\na b"); }},
        BrokenCase{"a count of 0", [](std::string t) { return Replace(t, "\n0\n1\nc \n", "\n0\n0\nc \n"); }},
        BrokenCase{"a token longer than its slot",
                   [](std::string t) { return Replace(t, "4\n1\n", "4\n" + std::string(49, '0') + "1\n"); }},
        BrokenCase{"an unknown bound", [](std::string t) { return Replace(t, "\t{ box\n\t\txmin 10;", "\t{ ball\n\t\txmin 10;"); }},
        BrokenCase{"a bound missing", [](std::string t) { return Replace(t, "1\n{ bound", "1\n"); }},
        BrokenCase{"something after the last entry", [](std::string t) { return t + "4\n"; }},
        BrokenCase{"a number too large", [](std::string t) { return Replace(t, "2 3 \n", "2 3e30 \n"); }},
        BrokenCase{"binary", [](std::string) { return std::string("\0\xff\x01{", 4); }}),
    [](const ::testing::TestParamInfo<BrokenCase>& info) { return "Fixture" + std::to_string(info.index); });

TEST_F(SmallScene, AStaleCacheOfAMovedObjectIsBuiltAgain) {
  scene.BuildGlobalHierarchy();
  c->Move(UnitBox(10.5));
  Rebuild();
  EXPECT_EQ(ui.statuses.front(), "Loading hierarchy " + path);
  EXPECT_TRUE(HasStatus("Creating hierarchy"));
  CheckTree(scene.GetHierarchyRoot(), Bounded());
  EXPECT_EQ(ReadFile(path), Saved());
  EXPECT_NE(ReadFile(path), kCache);
  // A move within the rounding of the written digits keeps the cache.
  c->Move({10.5, 11.5000001, 0, 1, 0, 1});
  Rebuild();
  EXPECT_EQ(ui.statuses, Statuses{"Loading hierarchy " + path});
}

TEST_F(SceneHierarchy, ObjectsWhoseNamesNoCacheCanMatchAreBuiltEveryTime) {
  Name("scene");
  Method("hier");
  Add("short", UnitBox(0));
  Add(std::string(50, 'n').c_str(), UnitBox(2));
  for (int run = 0; run < 2; ++run) {
    Rebuild();
    EXPECT_EQ(ui.statuses.front(), run == 0 ? "Creating hierarchy" : "Loading hierarchy " + path);
    EXPECT_EQ(ui.statuses.back(), "Saving hierarchy " + path);
    CheckTree(scene.GetHierarchyRoot(), Bounded());
  }
  // Equal names are matched in sequence order.
  TempDir other;
  RecordingInterface log;
  CG_GraphicScene twins(registry);
  twins.SetName((other / "twins").string().c_str());
  twins.GetParam()._general_optimiz = "median";
  for (int i = 0; i < 6; ++i) {
    twins.GetTraceList().Append(
        MakeEntry(std::make_unique<VolumeObject>("twin", std::make_unique<BoundingBox>(UnitBox(i * 3)))).release());
  }
  twins.SetInterface(&log);
  twins.BuildGlobalHierarchy();
  twins.FreeGlobalHierarchy();
  log.statuses.clear();
  twins.BuildGlobalHierarchy();
  EXPECT_EQ(log.statuses, Statuses{"Loading hierarchy " + (other / "twins").string() + ".qz_"});
}

// The tree serves all the same; a warning names the cache.
TEST_F(SceneHierarchy, AnUnwritableCacheOnlyWarns) {
  scene.SetName((dir / "missing" / "scene").string().c_str());
  AddBoxes(Scattered());
  scene.BuildGlobalHierarchy();
  ASSERT_NE(scene.GetHierarchyRoot(), nullptr);
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"Cannot write the cache " + (dir / "missing" / "scene").string() +
                                                   ".qz_"}));
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

// A cache that is a directory is neither read nor replaced; the tree is built.
TEST_F(SceneHierarchy, ACacheThatIsADirectoryIsBuiltAroundAndOnlyWarns) {
  scene.SetName((dir / "scene").string().c_str());
  fs::create_directory(dir / "scene.qz_");
  AddBoxes(Scattered());
  scene.BuildGlobalHierarchy();
  ASSERT_NE(scene.GetHierarchyRoot(), nullptr);
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"Cannot write the cache " + (dir / "scene").string() + ".qz_"}));
  EXPECT_TRUE(fs::is_directory(dir / "scene.qz_"));
}

TEST_F(SceneHierarchy, FlatScenesAndOddGridParametersBuild) {
  for (int i = 0; i < 8; ++i) {
    for (int j = 0; j < 8; ++j) Add("t", GEO_Box{double(i), i + 1.0, double(j), j + 1.0, 0, 0});
  }
  const SeqGraphicObject seq = Bounded();
  scene.BuildGlobalHierarchy();  // "auto", grid 30, order 1
  CheckTree(scene.GetHierarchyRoot(), seq);
  const std::string order1 = Tree();
  const Statuses texts = ui.statuses;
  scene.GetParam()._general_hsort = 7;
  Rebuild();
  EXPECT_EQ(Tree(), order1);
  EXPECT_EQ(ui.statuses, texts);
  for (int dimension : {0, 1, -5}) {
    scene.GetParam()._general_grid_dim = dimension;
    Rebuild();
    CheckTree(scene.GetHierarchyRoot(), seq);
  }
}

// From scene texts to the cache file and back, as zavo-render meets them: each
// run loads the text afresh, prepares the trace entries and builds; the text
// may have been edited by hand since the cache was written.
const char kSceneText[] =
    "{ object name s1; model { sphere center ( 0 , 0 , 0 ); radius 1; } }\n"
    "{ object name s2; model { sphere center ( 5 , 0 , 0 ); radius 2; } }\n"
    "{ object name b1; model { box xmin 10; xmax 11; ymin 0; ymax 1; zmin 0; zmax 1; } }\n"
    "{ object name floor; model { quad c 1; j -1; } }\n"
    "{ object name b2; model { box xmin -4; xmax -3; ymin 2; ymax 6; zmin 0; zmax 1; } }\n"
    "{ object name sun; model { fakelight position 0 0 20; colour 1 1 1; } }\n"
    "{ object name s3; model { sphere center ( 0 , 8 , 1 ); radius 0.5; } }\n"
    ".\n";

class SceneFile : public ::testing::Test {
protected:
  SceneFile() {
    BuildRegistry(registry);
    registry.modelModules.Append(new zavo::test::FakeLightModule());
  }

  // A fresh scene of the text, named "spheres", with its hierarchy built.
  void Run(const std::string& text) {
    scene = std::make_unique<CG_GraphicScene>(registry);
    scene->SetInterface(&ui);
    std::istringstream in(text);
    ASSERT_EQ(scene->Load(in), 1) << scene->GetErrorMessage();
    scene->SetName((dir / "spheres").string().c_str());
    scene->PrepareTraceData();
    ui.statuses.clear();
    scene->BuildGlobalHierarchy();
  }
  SeqGraphicObject Bounded() {
    std::vector<CG_GraphicObjectQZData*> list;
    for (CG_GraphicObjectQZData& entry : scene->GetTraceList()) {
      if (entry.object->GetBoundingObject() != nullptr) list.push_back(&entry);
    }
    SeqGraphicObject seq(static_cast<std::uint32_t>(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i) seq[static_cast<std::uint32_t>(i)] = list[i];
    return seq;
  }
  std::vector<std::string> Unbounded() {
    std::vector<std::string> names;
    for (GObjectRef& ref : scene->GetUnboundedObjects()) names.emplace_back(ref.entry->object->name.Text());
    return names;
  }
  std::string Saved() {
    std::ostringstream os;
    zavo::SaveGlobalHierarchy(os, scene->GetHierarchyRoot());
    return os.str();
  }
  bool Built() const {
    return ui.statuses.size() >= 3 && ui.statuses.front() == "Loading hierarchy " + path &&
           std::find(ui.statuses.begin(), ui.statuses.end(), "Creating hierarchy") != ui.statuses.end() &&
           ui.statuses.back() == "Saving hierarchy " + path;
  }

  TempDir dir;
  ScopedCwd cwd{dir.path()};
  CG_ModelRegistry registry;
  RecordingInterface ui;
  std::unique_ptr<CG_GraphicScene> scene;
  const std::string path = (dir / "spheres").string() + ".qz_";
};

TEST_F(SceneFile, BuildsSavesAndLoadsTheSameTree) {
  Run(kSceneText);
  ASSERT_NE(scene->GetHierarchyRoot(), nullptr);
  EXPECT_EQ(ui.statuses.front(), "Creating hierarchy");
  EXPECT_EQ(ui.statuses.back(), "Saving hierarchy " + path);
  // The quadric has no volume; the light-emitting object is in neither list.
  EXPECT_EQ(Unbounded(), std::vector<std::string>{"floor"});
  ASSERT_EQ(Bounded().Count(), 5u);
  CheckTree(scene->GetHierarchyRoot(), Bounded());
  const std::string file = ReadFile(path);
  EXPECT_EQ(file, Saved());
  const std::string tree = Describe(scene->GetHierarchyRoot(), Bounded());

  Run(kSceneText);
  EXPECT_EQ(ui.statuses, Statuses{"Loading hierarchy " + path});
  EXPECT_EQ(Describe(scene->GetHierarchyRoot(), Bounded()), tree);
  EXPECT_EQ(Unbounded(), std::vector<std::string>{"floor"});
  EXPECT_EQ(Saved(), file);
  // The tree is the scene's until the next preparation.
  scene->PrepareTraceData();
  EXPECT_EQ(scene->GetHierarchyRoot(), nullptr);
  EXPECT_TRUE(scene->GetUnboundedObjects().IsEmpty());
}

struct SceneEdit {
  const char* what;
  const char* from;
  const char* to;
  bool cacheKept;
};

void PrintTo(const SceneEdit& c, std::ostream* os) { *os << c.what; }

class EditedScene : public SceneFile, public ::testing::WithParamInterface<SceneEdit> {};

// The cache of the text as it was, then a run of the edited text: a cache
// that no longer fits the scene is built again and overwritten, and the run
// after that loads the new one.
TEST_P(EditedScene, LoadsTheCacheOnlyWhileItFits) {
  Run(kSceneText);
  const std::string before = ReadFile(path);
  const std::string text = Replace(kSceneText, GetParam().from, GetParam().to);
  Run(text);
  ASSERT_NE(scene->GetHierarchyRoot(), nullptr);
  CheckTree(scene->GetHierarchyRoot(), Bounded());
  if (GetParam().cacheKept) {
    EXPECT_EQ(ui.statuses, Statuses{"Loading hierarchy " + path});
    EXPECT_EQ(ReadFile(path), before);
    return;
  }
  EXPECT_TRUE(Built()) << ::testing::PrintToString(ui.statuses);
  EXPECT_EQ(ReadFile(path), Saved());
  EXPECT_NE(ReadFile(path), before);
  Run(text);
  EXPECT_EQ(ui.statuses, Statuses{"Loading hierarchy " + path});
}

INSTANTIATE_TEST_SUITE_P(
    Edits, EditedScene,
    ::testing::Values(
        SceneEdit{"a sphere moved", "center ( 5 , 0 , 0 )", "center ( 5 , 0 , 3 )", false},
        SceneEdit{"a box grown", "xmax 11;", "xmax 14;", false},
        SceneEdit{"an object renamed", "name s3;", "name s4;", false},
        SceneEdit{"an object removed", "{ object name b1; model { box xmin 10; xmax 11; ymin 0; ymax 1; zmin 0; zmax 1; } }\n",
                  "", false},
        SceneEdit{"an object added", ".\n", "{ object name s5; model { sphere center ( 3 , 3 , 3 ); radius 1; } }\n.\n",
                  false},
        SceneEdit{"an unbounded object gets a volume", "model { quad c 1; j -1; }",
                  "model { sphere center ( 20 , 0 , 0 ); radius 1; }", false},
        // Still inside its leaf's bound: the cached tree serves as it is.
        SceneEdit{"a sphere shrunk", "radius 2;", "radius 1.5;", true},
        SceneEdit{"the unbounded object changed", "quad c 1; j -1;", "quad c 1; j -4;", true}),
    [](const ::testing::TestParamInfo<SceneEdit>& info) { return "Edit" + std::to_string(info.index); });

TEST_F(SceneFile, ABrokenCacheIsBuiltAgainAndOverwritten) {
  Run(kSceneText);
  const std::string file = ReadFile(path);
  for (const std::string& broken : {file.substr(0, file.size() / 2), file + "99\n", std::string("\x01\xff{ bound"),
                                    Replace(file, "s1 ", "s1 s1 ")}) {
    WriteFile(path, broken);
    Run(kSceneText);
    EXPECT_TRUE(Built()) << ::testing::PrintToString(ui.statuses);
    CheckTree(scene->GetHierarchyRoot(), Bounded());
    EXPECT_EQ(ReadFile(path), file);
  }
}

}  // namespace
