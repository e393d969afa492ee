// The editor with the real modules, headless: solids and lamps created and
// changed through the modules' dialogs, put into the document, saved and
// rendered by zavo-render.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "apps/editor_scene_text.h"
#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "editor/layers.h"
#include "editor/modules/module_fixture.h"
#include "geometry/bitmap_manager.h"
#include "models/registry.h"
#include "scene/scene.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// The eye at (0, 0, 10) looks down -z at the origin; a lamp beside the eye;
// the background dark blue. No objects: the editor's modules make them.
const std::string kScene = EditorSceneText(33, 25, kLampBesideEye);

// The document with kScene in place of the empty document, its Top view
// (view 0, 200 x 100) showing x -4..4, y -3..3.
class LoadedDocument : public ModuleDocument {
public:
  LoadedDocument() {
    while (editor->items.First() != nullptr) editor->RemoveItem(editor->items.First());
    std::istringstream text(kScene);
    loaded = editor->scene.Load(text);
    editor->CreateItems();
    SetBox(0, {-4, -3, -1.5}, {4, 3, 1.5});
    editor->activeView = 0;
  }

  // Writes the scene as the document's save does and answers its text.
  std::string Save(const fs::path& file) {
    std::ofstream out(file);
    out.imbue(std::locale::classic());
    editor->scene.Write(out);
    out.close();
    return ReadFile(file);
  }

  int loaded = 0;
};

// The saved text holds the sphere "ball" at the origin and the cone under its
// transf, the last of whose three steps is lastStep.
void ExpectSavedSolids(const std::string& saved, const char* coneName, const char* lastStep) {
  EXPECT_NE(saved.find("\tname ball;\n\tmaterial standard;\n\tmodel { sphere\n\t\tcenter ( 0 , 0 , 0 );\n"
                       "\t\tradius 1.5;\n\t\tdiv 6;\n"),
            std::string::npos)
      << saved;
  EXPECT_NE(saved.find(std::string("\tname ") + coneName +
                       ";\n\tmodel \t{ transf\n\t\tt ( 0 , 0 , 0 );\n\t\tt ( 0 , 0 , 0 );\n\t\t" + lastStep + ";\n"),
            std::string::npos)
      << saved;
  EXPECT_NE(saved.find("model { cone\n\t\thigh 0.75;\n\t\tradius 0.75;\n\t\tdiv 10;\n"), std::string::npos) << saved;
}

// zavo-render renders name.qz in dir to name.bmp, the sphere at the origin
// in the middle of the picture.
void ExpectRenderedSphereInTheMiddle(const fs::path& dir, const std::string& name) {
  const Outcome run = RunIn(dir, {name + ".qz"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  BitmapManager image;
  ASSERT_EQ(image.Load(dir / (name + ".bmp")), 1);
  ASSERT_EQ(image.Width(), 33);
  ASSERT_EQ(image.Height(), 25);
  const Rgb background{25, 51, 153};
  EXPECT_EQ(Pixel(image, 0, 0), background);
  // The sphere's centre projects to the middle of the picture.
  EXPECT_NE(Pixel(image, 16, 12), background);
}

TEST(EditorModulesEndToEnd, CreatedSolidsAreSavedAndRendered) {
  LoadedDocument doc;
  ASSERT_EQ(doc.loaded, 1) << doc.editor->scene.GetErrorMessage();

  // A sphere in the middle of the Top view; a cone where the user clicked:
  // pixel (150, 50) of the Top view is (2, 0) (y -1.5..1.5 once fitted).
  doc.Answer({{"name", "ball"}});
  ASSERT_EQ(doc.editor->AddObjectToEditor(doc.Object("sphere").Create(*doc.editor)), 1);
  doc.editor->creationClick = 1;
  doc.editor->creationView = 0;
  doc.editor->creationX = 150;
  doc.editor->creationY = 50;
  doc.Answer({});
  ASSERT_EQ(doc.editor->AddObjectToEditor(doc.Object("cone").Create(*doc.editor)), 1);
  doc.editor->creationClick = 0;
  ASSERT_NE(doc.editor->FindItem(doc.editor->scene.FindObject("ball")), nullptr);
  ASSERT_NE(doc.editor->FindItem(doc.editor->scene.FindObject("obj000001")), nullptr);
  EXPECT_TRUE(doc.fakes.system.messages.empty());

  TempDir dir;
  ExpectSavedSolids(doc.Save(dir / "made.qz"), "obj000001", "t ( 2 , 0 , 0 )");
  ExpectRenderedSphereInTheMiddle(dir.path(), "made");
}

TEST(EditorModulesEndToEnd, SolidsCreatedThroughTheNewObjectRequestAreSavedAndRendered) {
  TempDir dir;
  const ScopedCwd cwd(dir.path());
  {
    std::ofstream out(dir / "house.qz");
    out << kScene;
  }
  ModuleDocument doc;
  EditorDriver driver(*doc.editor);
  ASSERT_EQ(driver.Request(66, "house").result, 1);
  doc.SetBox(0, {-4, -3, -1.5}, {4, 3, 1.5});
  doc.editor->activeView = 0;

  // The chooser offers the real modules' types; each type's module asks for
  // its name and places the solid in the middle of the Top view.
  doc.fakes.listShower.AnswerText("sphere");
  doc.Answer({{"name", "ball"}});
  EXPECT_EQ(driver.Request(16).result, 1);
  doc.fakes.listShower.AnswerText("cone");
  doc.Answer({});
  EXPECT_EQ(driver.Request(16).result, 1);
  EXPECT_EQ(doc.fakes.listShower.titles, (std::vector<std::string>{"Select an object type", "Select an object type"}));
  EXPECT_EQ(doc.fakes.listShower.shown.front(),
            (std::vector<std::string>{"sphere", "cylinder", "box", "brep", "intersect", "subtract", "union", "blob", "flip", "NURBScurve", "NURBSmesh", "field", "beziercurve", "cone", "arealamp", "camera", "pointlamp", "polyline", "bezier", "anim", "deformgraph"}));
  for (const char* name : {"ball", "obj000001"}) {
    CG_SceneEditorItem* item = doc.editor->FindItem(doc.editor->scene.FindObject(name));
    ASSERT_NE(item, nullptr) << name;
    EXPECT_TRUE(doc.editor->activeLayer->Holds(item)) << name;
  }
  EXPECT_EQ(doc.editor->modified, 1);
  EXPECT_TRUE(doc.fakes.system.messages.empty());

  ASSERT_EQ(driver.Request(68, "made").result, 1);
  EXPECT_EQ(doc.editor->modified, 0);
  ExpectSavedSolids(ReadFile(dir / "made.qz"), "obj000001", "t ( 0 , 0 , 0 )");
  ExpectRenderedSphereInTheMiddle(dir.path(), "made");
}

// The modules apply what the user types without a range check: sizes of 0
// or below and div 0 must still be drawn, saved, read and rendered.
TEST(EditorModulesEndToEnd, UncheckedValuesStillDrawSaveLoadAndRender) {
  struct Case {
    const char* keyword;
    const char* field;
    const char* value;
  };
  const Case cases[] = {
      {"sphere", "radius", "0"}, {"sphere", "radius", "-1"}, {"sphere", "div", "0"},
      {"cone", "radius", "0"},   {"cone", "radius", "-1"},   {"cone", "div", "0"},
      {"cylinder", "radius", "0"}, {"cylinder", "radius", "-1"}, {"cylinder", "div", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.keyword) + " " + c.field + " " + c.value);
    LoadedDocument doc;
    ASSERT_EQ(doc.loaded, 1);
    doc.Answer({{"name", "solid"}});
    std::unique_ptr<CG_GraphicObject> made = doc.Object(c.keyword).Create(*doc.editor);
    ASSERT_NE(made, nullptr);
    CG_GraphicObject* inner = made.get();
    CG_GraphicObject* wrapper = nullptr;
    CG_GraphicObject* child = nullptr;
    if (doc.editor->FindObject(made.get(), child, wrapper) == 1) inner = child;
    doc.Answer({{c.field, c.value}});
    ASSERT_EQ(doc.Object(c.keyword).Modify(*doc.editor, *inner, 0), inner);
    // Into the document: an item, projected into the four views and drawn.
    doc.editor->AddObjectToEditor(std::move(made));
    ASSERT_NE(doc.editor->scene.FindObject("solid"), nullptr);

    TempDir dir;
    const std::string saved = doc.Save(dir / "odd.qz");
    EXPECT_NE(saved.find(std::string("\t\t") + c.field + " " + c.value + ";\n"), std::string::npos) << saved;
    std::istringstream back(saved);
    CG_ModelRegistry registry;
    BuildRegistry(registry);
    CG_GraphicScene reread(registry);
    EXPECT_EQ(reread.Load(back), 1) << reread.GetErrorMessage();
    EXPECT_NE(reread.FindObject("solid"), nullptr);
    const Outcome run = RunIn(dir.path(), {"odd.qz"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::exists(dir / "odd.bmp"));
  }
}

// A box and a boundary mesh made from the model list in the Top view; the
// mesh moves into the scene, then out to a model file of its own. Each
// saved scene renders both bodies, and the same picture.
TEST(EditorModulesEndToEnd, ABoxAndAMeshMovedBetweenTheSceneAndAModelFile) {
  TempDir dir;
  const ScopedCwd cwd(dir.path());
  WriteFile(dir / "house.qz", kScene);
  // A cube of edge 1.3 about (-2, 0, 0).
  WriteFile(dir / "cube.brp",
            "{ pbrep\nvertices 8\n"
            "-2.65 -0.65 -0.65  -1.35 -0.65 -0.65  -1.35 0.65 -0.65  -2.65 0.65 -0.65\n"
            "-2.65 -0.65 0.65  -1.35 -0.65 0.65  -1.35 0.65 0.65  -2.65 0.65 0.65\nfaces 12\n"
            "{ 1 { 3  0 2 1 } }  { 1 { 3  0 3 2 } }  { 1 { 3  4 5 6 } }  { 1 { 3  4 6 7 } }\n"
            "{ 1 { 3  0 1 5 } }  { 1 { 3  0 5 4 } }  { 1 { 3  1 2 6 } }  { 1 { 3  1 6 5 } }\n"
            "{ 1 { 3  2 3 7 } }  { 1 { 3  2 7 6 } }  { 1 { 3  3 0 4 } }  { 1 { 3  3 4 7 } }\n}\n");
  ModuleDocument doc;
  EditorDriver driver(*doc.editor);
  ASSERT_EQ(driver.Request(66, "house").result, 1);
  doc.SetBox(0, {-4, -3, -1.5}, {4, 3, 1.5});
  doc.editor->activeView = 0;

  // The box where the user clicked: pixel (150, 50) of the Top view is (2, 0).
  doc.editor->creationClick = 1;
  doc.editor->creationView = 0;
  doc.editor->creationX = 150;
  doc.editor->creationY = 50;
  doc.fakes.listShower.AnswerText("box");
  doc.Answer({{"name", "crate"}});
  EXPECT_EQ(driver.Request(16).result, 1);
  doc.editor->creationClick = 0;
  doc.fakes.listShower.AnswerText("brep");
  doc.fakes.listShower.AnswerText("cube");
  EXPECT_EQ(driver.Request(16).result, 1);
  ASSERT_NE(doc.editor->FindItem(doc.editor->scene.FindObject("crate")), nullptr);
  ASSERT_NE(doc.editor->FindItem(doc.editor->scene.FindObject("cube")), nullptr);

  const auto special = [&](const char* command) {
    doc.editor->ClearSelection();
    doc.fakes.listShower.AnswerText("cube");
    doc.fakes.listShower.AnswerText(command);
    return driver.Request(39).result;
  };
  const auto render = [&](const std::string& name) {
    const Outcome run = RunIn(dir.path(), {name + ".qz"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    BitmapManager image;
    EXPECT_EQ(image.Load(dir / (name + ".bmp")), 1);
    return image;
  };
  EXPECT_EQ(special("Include In Scene"), 1);
  ASSERT_EQ(driver.Request(68, "inside").result, 1);
  const std::string inside = ReadFile(dir / "inside.qz");
  EXPECT_NE(inside.find("model { brep\n\t\tmodel { pbrep"), std::string::npos) << inside;
  EXPECT_NE(inside.find("model { box"), std::string::npos) << inside;
  const BitmapManager first = render("inside");
  const Rgb background{25, 51, 153};
  EXPECT_EQ(Pixel(first, 0, 0), background);
  // The projected centres of the cube (-2, 0, 0) and of the box (2, 0, 0).
  EXPECT_NE(Pixel(first, 6, 12), background);
  EXPECT_NE(Pixel(first, 26, 12), background);

  doc.Answer({{"Model name", "part7"}});
  EXPECT_EQ(special("External Model"), 1);
  ASSERT_EQ(driver.Request(68, "outside").result, 1);
  const std::string outside = ReadFile(dir / "outside.qz");
  EXPECT_NE(outside.find("model { brep\n\t\tname part7;"), std::string::npos) << outside;
  EXPECT_EQ(outside.find("pbrep"), std::string::npos) << outside;
  EXPECT_NE(ReadFile(dir / "part7.brp").find("{ pbrep"), std::string::npos);
  const BitmapManager second = render("outside");
  ASSERT_EQ(second.Width(), first.Width());
  ASSERT_EQ(second.Height(), first.Height());
  for (int y = 0; y < first.Height(); ++y) {
    for (int x = 0; x < first.Width(); ++x) ASSERT_EQ(Pixel(second, x, y), Pixel(first, x, y)) << x << " " << y;
  }
  EXPECT_TRUE(doc.fakes.system.messages.empty()) << doc.fakes.system.messages.front();
}

}  // namespace
}  // namespace zavo::test

namespace zavo::test {
namespace {

// The union of two overlapping spheres made through the new-object request,
// saved with request 68 and rendered: it covers the middle of the picture,
// where the spheres overlap, and the spheres are no objects of their own.
TEST(EditorModulesEndToEnd, AUnionMadeFromTwoSpheresIsSavedAndRendered) {
  TempDir dir;
  const ScopedCwd cwd(dir.path());
  std::string scene = kScene;
  scene.erase(scene.rfind(".\n"));
  scene +=
      "{ object\n\tname a;\n\tmaterial standard;\n\tmodel { sphere center ( -0.35 , 0.2 , 0 ); radius 1.1; } }\n"
      "{ object\n\tname b;\n\tmaterial standard;\n\tmodel { sphere center ( 0.45 , -0.1 , 0.3 ); radius 0.9; } }\n.\n";
  {
    std::ofstream out(dir / "pair.qz");
    out << scene;
  }
  ModuleDocument doc;
  EditorDriver driver(*doc.editor);
  ASSERT_EQ(driver.Request(66, "pair").result, 1);
  doc.fakes.listShower.AnswerText("union");
  doc.Answer({{"first", "a"}, {"second", "b"}});
  EXPECT_EQ(driver.Request(16).result, 1);
  EXPECT_TRUE(doc.fakes.system.messages.empty());
  EXPECT_EQ(doc.editor->scene.FindObject("a"), nullptr);
  EXPECT_EQ(doc.editor->scene.FindObject("b"), nullptr);
  CG_SceneEditorItem* item = doc.editor->FindItem(doc.editor->scene.FindObject("obj000001"));
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(doc.editor->activeLayer->Holds(item));

  ASSERT_EQ(driver.Request(68, "made").result, 1);
  const std::string saved = ReadFile(dir / "made.qz");
  EXPECT_NE(saved.find("\tname obj000001;\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("model { union\nfirst "), std::string::npos) << saved;
  ExpectRenderedSphereInTheMiddle(dir.path(), "made");
}

}  // namespace
}  // namespace zavo::test
