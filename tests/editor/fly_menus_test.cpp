// The pop-up menus of a right click: the object menu (mouse manipulations,
// object commands, special commands), the lamp chooser, the camera handles
// and the creation menu of empty space.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/creation_menu.h"
#include "editor/editor_modules.h"
#include "models/core/point_lamp.h"
#include "object_modify_fixture.h"

namespace zavo::test {
namespace {

using Strings = std::vector<std::string>;

// A shown object of the keyword "probe" with a chosen vertex count, or one
// that the views show as faced parts of partVertices vertices each.
class VertexObject : public EditorTestObject {
public:
  VertexObject(const char* objectName, int count, int parts = 0) : EditorTestObject(objectName), vertices(count) {
    faced = parts == 0 ? 1 : 0;
    facedParts = parts;
  }
  const char* Keyword() const override { return "probe"; }
  int VertexCount() const override { return vertices; }
  int DeclassToFaced(zavo::DeclassedParts& parts, int) override {
    for (int i = 0; i < facedParts; ++i) {
      const long n = parts.Size();
      parts.SetSize(n + 1);
      parts[n].object = new VertexObject("part", vertices);
      parts[n].owned = 1;
    }
    return facedParts > 0 ? 1 : 0;
  }
  int vertices;
};

// An object module for the creation menu: its path of names, whether it lets
// objects be transformed, and what its Create saw of the creation click.
class CreatingModule : public ScriptedObjectModule {
public:
  CreatingModule(Strings path, const char* made) : path_(std::move(path)), made_(made) {}
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override {
    clicks.push_back({editor.creationClick, editor.creationView, editor.creationX, editor.creationY});
    int a = 0, b = 0, flip = 0;
    editor.ViewPointToWorld(editor.creationView, editor.creationX, editor.creationY, placedAt, a, b, flip);
    if (made_ == nullptr) return nullptr;
    return std::make_unique<VertexObject>(made_, 8);
  }
  void Info(Seq<charString>& names) override {
    if (path_.empty()) return ScriptedObjectModule::Info(names);
    names.SetSize(static_cast<std::uint32_t>(path_.size()));
    for (std::uint32_t i = 0; i < path_.size(); ++i) names[i] = path_[i].c_str();
  }
  int MayTransform() override { return mayTransform; }

  struct Click {
    int flag, view, x, y;
  };
  std::vector<Click> clicks;
  Point3D placedAt;
  int mayTransform = 1;

private:
  Strings path_;
  const char* made_;
};

class FlyMenus : public ObjectEditTest {
protected:
  FlyMenus() { editor->options.ShowMode = 0; }

  template <class M>
  M* AddModuleOf(std::unique_ptr<M> made, const char* keyword) {
    made->keyword = keyword;
    M* raw = made.get();
    editor->objectModules.Append(made.release());
    return raw;
  }
  std::string Status() const { return fakes.system.statuses.empty() ? std::string() : fakes.system.statuses.back(); }
  Strings LastMenu() const { return fakes.flyMenu.menus.empty() ? Strings{} : fakes.flyMenu.menus.back(); }
  // The pixels of the Top view that are not the white background.
  long TopMarked() const {
    long n = 0;
    for (int y = 0; y < top.Height(); ++y) {
      for (int x = 0; x < top.Width(); ++x) n += top.Pixel(x, y) == RasterPixel{255, 255, 255} ? 0 : 1;
    }
    return n;
  }
};

// ---- The creation menu ----

class CreationMenu : public FlyMenus {
protected:
  CreationMenu() {
    box = AddModuleOf(std::make_unique<CreatingModule>(Strings{"primitive", "box"}, "k1"), "cube");
    sphere = AddModuleOf(std::make_unique<CreatingModule>(Strings{"primitive", "sphere"}, "s1"), "sphere");
    AddModuleOf(std::make_unique<CreatingModule>(Strings{"primitive", "box"}, "k2"), "cube2");
    AddModuleOf(std::make_unique<CreatingModule>(Strings{}, "g1"), "group");
    torus = AddModuleOf(std::make_unique<CreatingModule>(Strings{}, "t1"), "torus");
  }
  CreatingModule* box = nullptr;
  CreatingModule* sphere = nullptr;
  CreatingModule* torus = nullptr;
};

TEST_F(CreationMenu, ModulesAreGroupedByCategoryWithoutGroup) {
  fakes.flyMenu.AnswerDismiss();
  const std::string before = SceneText();
  EXPECT_EQ(editor->EmptyZoneMenu(0, 90, 40), 0);
  // The fixture's "box" module gives its keyword alone; a second module of an
  // equal path adds no entry.
  EXPECT_EQ(LastMenu(), (Strings{"New", "  box", "  primitive", "    box", "    sphere", "  torus"}));
  EXPECT_EQ(SceneText(), before);
  EXPECT_EQ(editor->modified, 0);
}

TEST_F(CreationMenu, TheChosenModuleCreatesAtTheClickAndTheDocumentIsModified) {
  struct Case {
    const char* what;
    Strings path;
    CreatingModule* module;
    const char* created;
  };
  const Case cases[] = {
      {"a module in a category", {"New", "primitive", "sphere"}, sphere, "s1"},
      {"the first of two modules of one path", {"New", "primitive", "box"}, box, "k1"},
      {"a module without a category", {"New", "torus"}, torus, "t1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    editor->modified = 0;
    fakes.flyMenu.AnswerPath(c.path);
    // Pixel (90, 40) of the Top view is the world point (5, 0).
    driver.RightClick(0, 90, 40);
    CreatingModule* module = c.module;
    ASSERT_EQ(module->clicks.size(), 1u);
    EXPECT_EQ(module->clicks[0].flag, 1);
    EXPECT_EQ(module->clicks[0].view, 0);
    EXPECT_EQ(module->clicks[0].x, 90);
    EXPECT_EQ(module->clicks[0].y, 40);
    EXPECT_DOUBLE_EQ(module->placedAt.x, 5);
    EXPECT_DOUBLE_EQ(module->placedAt.y, 0);
    EXPECT_EQ(editor->creationClick, 0);
    CG_SceneEditorItem* item = Item(c.created);
    ASSERT_NE(item, nullptr);
    EXPECT_GE(LayerPosition(item), 0);
    EXPECT_EQ(editor->modified, 1);
  }
}

TEST_F(CreationMenu, NothingCreatedAnswersZeroAndChangesNothing) {
  struct Case {
    const char* what;
    std::function<void()> script;
  };
  const Case cases[] = {
      {"dismissed", [&] { fakes.flyMenu.AnswerDismiss(); }},
      {"Create answers null",
       [&] {
         AddModuleOf(std::make_unique<CreatingModule>(Strings{"other", "none"}, nullptr), "none");
         fakes.flyMenu.AnswerPath({"New", "other", "none"});
       }},
      {"the name is taken",
       [&] {
         AddModuleOf(std::make_unique<CreatingModule>(Strings{"other", "again"}, "b1"), "again");
         fakes.flyMenu.AnswerPath({"New", "other", "again"});
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.script();
    const std::string before = SceneText();
    const long items = Count(editor->items);
    EXPECT_EQ(editor->EmptyZoneMenu(0, 90, 40), 0);
    EXPECT_EQ(SceneText(), before);
    EXPECT_EQ(Count(editor->items), items);
    EXPECT_EQ(editor->modified, 0);
    EXPECT_EQ(editor->creationClick, 0);
  }
}

TEST(ModuleTree, FindModuleFollowsTheIndexPathToALeafOnly) {
  TryEmptyTreeItem root;
  CreatingModule a({}, nullptr), b({}, nullptr);
  Seq<charString> pathA(2), pathB(2);
  pathA[0] = "primitive";
  pathA[1] = "box";
  pathB[0] = "primitive";
  pathB[1] = "sphere";
  TryEmptyTreeItem::Insert(root.children, pathA, 0, &a);
  TryEmptyTreeItem::Insert(root.children, pathB, 0, &b);
  struct Case {
    std::vector<int> path;
    CG_ObjectEditorModule* expected;
  };
  const Case cases[] = {{{0, 1}, &b}, {{0, 0}, &a}, {{0}, nullptr}, {{0, 2}, nullptr}, {{1, 0}, nullptr}, {{}, nullptr}};
  for (const Case& c : cases) {
    Seq<int> path(static_cast<std::uint32_t>(c.path.size()));
    for (std::uint32_t i = 0; i < c.path.size(); ++i) path[i] = c.path[i];
    CG_ObjectEditorModule* found = &a;
    TryEmptyTreeItem::FindModule(root.children, path, 0, found);
    EXPECT_EQ(found, c.expected) << c.path.size();
  }
}

// ---- The object menu ----

TEST_F(FlyMenus, TheObjectMenuOffersTheModulesSpecialCommands) {
  struct Case {
    const char* what;
    Strings specials;
    Strings special;  // the lines of "special" and below
  };
  const Case cases[] = {
      {"special commands", {"Smooth", "Split faces"}, {"special", "  Smooth", "  Split faces"}},
      {"none: a plain command", {}, {"special"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    module->specialNames = c.specials;
    fakes.flyMenu.AnswerDismiss();
    EXPECT_EQ(editor->ObjectFlyMenu("b1"), 0);
    Strings expected{"translate", "rotate", "scale", "other", "  Modify", "  ModifyComm", "  Delete", "  Duplicate",
                     "  ExtraInfo"};
    expected.insert(expected.end(), c.special.begin(), c.special.end());
    EXPECT_EQ(LastMenu(), expected);
    EXPECT_EQ(editor->mouseMode, 0);
  }
}

TEST_F(FlyMenus, AnObjectWithoutModuleGetsAMessageAndNoMenu) {
  Add(std::make_unique<VertexObject>("p1", 8));
  EXPECT_EQ(editor->ObjectFlyMenu("p1"), 0);
  EXPECT_EQ(LastMessage(), "Can' t find the module of the object.");
  EXPECT_TRUE(fakes.flyMenu.menus.empty());
}

TEST_F(FlyMenus, TransformChoicesEnterTheirMouseMode) {
  struct Case {
    const char* choice;
    int mode;
    const char* status;
  };
  const Case cases[] = {{"translate", 3, "Click with left button to move the object"},
                        {"rotate", 4, "Click with left button to rotate the object"},
                        {"scale", 5, "Click with left button to scale the object"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choice);
    editor->mouseMode = 0;
    editor->manipulatedObject = nullptr;
    fakes.flyMenu.AnswerPath({c.choice});
    EXPECT_EQ(editor->ObjectFlyMenu("b2"), 1);
    EXPECT_EQ(editor->mouseMode, c.mode);
    EXPECT_EQ(Status(), c.status);
    EXPECT_EQ(editor->manipulatedObject, editor->scene.FindObject("b2"));
  }
}

TEST_F(FlyMenus, AModuleThatForbidsTransformingMakesTranslateDoNothing) {
  // The first module of a keyword decides, as for the transform commands.
  auto* camera = AddModuleOf(std::make_unique<CreatingModule>(Strings{}, nullptr), "probe");
  AddModuleOf(std::make_unique<CreatingModule>(Strings{}, nullptr), "probe");
  camera->mayTransform = 0;
  Add(std::make_unique<VertexObject>("p1", 8));
  SetSettings("p1", 2, 1, 1, 0);
  editor->options.ShowMode = 1;
  fakes.flyMenu.AnswerPath({"translate"});
  EXPECT_EQ(editor->ObjectFlyMenu("p1"), 0);
  EXPECT_EQ(editor->mouseMode, 0);
  EXPECT_EQ(Settings(Item("p1")), "2 1 1 0");
  EXPECT_EQ(editor->selectionMarksShown, 1);
}

// Show modes 1 and 2 redraw the object while it moves: the item leaves the
// views, its style waits in the further int, and a heavy object is dragged as
// its box; the completing click gives the style back.
TEST_F(FlyMenus, TheDragIsPreparedByShowModeAndVertexCount) {
  AddModuleOf(std::make_unique<CreatingModule>(Strings{}, nullptr), "probe");
  struct Case {
    const char* what;
    int showMode;
    int vertices;
    int parts;
    const char* during;  // style centre fastview extra while the mode runs
    int marks;
  };
  const Case cases[] = {
      {"101 vertices in show mode 1", 1, 101, 0, "1 1 1 2", 0},
      {"101 vertices in show mode 2", 2, 101, 0, "1 1 1 2", 0},
      {"100 vertices are dragged as drawn", 1, 100, 0, "2 1 1 2", 0},
      {"the vertices of the parts add up", 2, 51, 2, "1 1 1 2", 0},
      {"an unknown show mode acts as 1", 7, 101, 0, "1 1 1 2", 0},
      {"show mode 0 keeps everything", 0, 101, 0, "2 1 1 0", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Add(std::make_unique<VertexObject>("p1", c.vertices, c.parts));
    SetSettings("p1", 2, 1, 1, 0);
    editor->options.ShowMode = c.showMode;
    editor->selectionMarksShown = 1;
    fakes.flyMenu.AnswerPath({"translate"});
    ASSERT_EQ(editor->ObjectFlyMenu("p1"), 1);
    ASSERT_EQ(editor->mouseMode, 3);
    EXPECT_EQ(Settings(Item("p1")), c.during);
    EXPECT_EQ(editor->selectionMarksShown, c.marks);
    driver.LeftClick(0, 66, 20);
    EXPECT_EQ(editor->mouseMode, 0);
    EXPECT_EQ(Item("p1")->display.style, 2);
    EXPECT_EQ(editor->selectionMarksShown, 1);
    Drop("p1");
  }
}

TEST_F(FlyMenus, TheDragErasesTheItemOnlyInShowModes1And2) {
  for (int showMode : {0, 1}) {
    SCOPED_TRACE(showMode);
    top.Fill(255, 255, 255);
    editor->ProjectItem(Item("b1"));
    editor->DrawItem(Item("b1"));
    const long drawn = TopMarked();
    ASSERT_GT(drawn, 0);
    editor->options.ShowMode = showMode;
    fakes.flyMenu.AnswerPath({"rotate"});
    EXPECT_EQ(editor->ObjectFlyMenu("b1"), 1);
    EXPECT_EQ(TopMarked(), showMode == 0 ? drawn : 0);
    editor->mouseMode = 0;
  }
}

// A module that counts the selection marks it is asked to draw.
class MarkingModule : public ScriptedObjectModule {
public:
  void DrawSelection(CG_GraphicEditor&, CG_SceneEditorItem*, CG_GraphicObject&, CG_ESelectionStatus*, int, int,
                     const Transformation*) override {
    ++marks;
  }
  int marks = 0;
};

TEST_F(FlyMenus, TheSelectionMarksStayHiddenUntilTheDragEnds) {
  auto* marking = AddModuleOf(std::make_unique<MarkingModule>(), "box");
  CG_SceneEditorItem* item = Item("b1");
  auto* record = new CG_EObjectSelection(item);
  record->status = new CG_EObjectSelectionStatus();
  editor->selection.Append(record);
  editor->ProjectItem(item);
  editor->options.ShowMode = 1;
  fakes.flyMenu.AnswerPath({"translate"});
  ASSERT_EQ(editor->ObjectFlyMenu("b1"), 1);
  marking->marks = 0;
  editor->DrawItem(Item("b1"));
  EXPECT_EQ(marking->marks, 0);
  // The click in another view ends the mode; the marks are drawn again.
  driver.LeftClick(1, 30, 30);
  ASSERT_EQ(editor->mouseMode, 0);
  editor->DrawItem(Item("b1"));
  EXPECT_GT(marking->marks, 0);
}

TEST_F(FlyMenus, OtherEntriesRunTheObjectCommandsOnTheObject) {
  struct Case {
    const char* entry;
    int answer;
    std::function<void()> check;
  };
  const Case cases[] = {
      {"Modify", 1, [&] { EXPECT_EQ(module->calls, (Strings{"SpecialNames b1", "Modify b1"})); }},
      {"ModifyComm", 0, [&] { EXPECT_EQ(fakes.dialog.calls.back().title, "Change common data"); }},
      {"ExtraInfo", 0, [&] { EXPECT_EQ(fakes.dialog.calls.back().title, "Modifing extra info"); }},
      {"Duplicate", 1, [&] { EXPECT_NE(Item("b1_"), nullptr); }},
      {"Delete", 1, [&] { EXPECT_EQ(editor->scene.FindObject("b1"), nullptr); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    module->calls.clear();
    fakes.flyMenu.AnswerPath({"other", c.entry});
    EXPECT_EQ(editor->ObjectFlyMenu("b1"), c.answer);
    c.check();
    EXPECT_EQ(editor->mouseMode, 0);
  }
}

TEST_F(FlyMenus, SpecialCommandsRunOnTheObjectTakenOut) {
  struct Case {
    const char* what;
    int commandAnswer;
    int answer;
    bool inScene;
    int modified;
  };
  const Case cases[] = {
      {"nothing done: the object comes back", 0, 0, true, 0},
      {"done", 1, 1, true, 1},
      {"goes on after the menu", -1, 1, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Add(Wrapped("w1", std::make_unique<ProbeObject>("inner")));
    ScriptedObjectModule* probe = AddModule("probe");
    probe->specialNames = {"Smooth", "Split faces"};
    probe->specialAnswer = c.commandAnswer;
    SetSettings("w1", 2, 0, 3, 1);
    editor->modified = 0;
    fakes.flyMenu.AnswerPath({"special", "Split faces"});
    EXPECT_EQ(editor->ObjectFlyMenu("w1"), c.answer);
    EXPECT_EQ(probe->calls, (Strings{"SpecialNames inner", "RunSpecial 1 inner"}));
    // The wrapper's own transformation goes with the command.
    ASSERT_TRUE(probe->wrapperSeen.has_value());
    EXPECT_DOUBLE_EQ((*probe->wrapperSeen)[0][3], 1.5);
    EXPECT_EQ(editor->scene.FindObject("w1") != nullptr, c.inScene);
    if (c.inScene) {
      EXPECT_EQ(Settings(Item("w1")), "2 0 3 1");
    }
    EXPECT_EQ(editor->pendingEdit.Active(), !c.inScene);
    EXPECT_EQ(editor->modified, c.modified);
    if (editor->pendingEdit.Active()) editor->ReplaceEditedObject(nullptr);
    Drop("w1");
  }
}

TEST_F(FlyMenus, SpecialWithoutSpecialCommandsDoesNothing) {
  fakes.flyMenu.AnswerPath({"special"});
  const std::string before = SceneText();
  EXPECT_EQ(editor->ObjectFlyMenu("b1"), 0);
  EXPECT_EQ(module->calls, Strings{"SpecialNames b1"});
  EXPECT_EQ(SceneText(), before);
}

// ---- Lamps and camera handles ----

TEST_F(FlyMenus, TheLampMenuIsAChooserWhoseMovesEnterTheLampModes) {
  CG_PointLampDescription description;
  description.pos = Point3D{4, 0, 5};
  ASSERT_EQ(editor->scene.AddLight(std::make_unique<GPointLamp>("l1", nullptr, description)), 1);
  struct Case {
    const char* choice;  // null: cancelled
    int mode;
    const char* status;
  };
  const Case cases[] = {{"translate", 6, "Click with left button to move the lamp"},
                        {"rotate", 7, "Click with left button to rotate the lamp"},
                        {"scale", 8, "Click with left button to scale the object"},
                        {"other", 0, ""},
                        {"special", 0, ""},
                        {nullptr, 0, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choice != nullptr ? c.choice : "cancel");
    editor->mouseMode = 0;
    fakes.system.statuses.clear();
    if (c.choice != nullptr) {
      fakes.listShower.AnswerText(c.choice);
    } else {
      fakes.listShower.AnswerCancel();
    }
    EXPECT_EQ(editor->LampFlyMenu("l1"), 1);
    EXPECT_EQ(fakes.listShower.titles.back(), "Metods for lamp l1");
    EXPECT_EQ(fakes.listShower.shown.back(), (Strings{"translate", "rotate", "scale", "other", "special"}));
    EXPECT_EQ(editor->mouseMode, c.mode);
    EXPECT_EQ(Status(), c.status);
    EXPECT_EQ(editor->manipulatedLamp, editor->scene.FindLight("l1"));
  }
}

TEST_F(FlyMenus, AMissingLampIsAnInternalError) {
  EXPECT_DEATH(editor->LampFlyMenu("l9"), "Runtime Error: Object unknown");
}

TEST_F(FlyMenus, CameraHandlesEnterTheirModesAndPRPOpensViewGeneral) {
  struct Case {
    const char* handle;
    int mode;
    const char* status;
    size_t dialogs;
  };
  const Case cases[] = {{"VRP", 9, "Click with left button to move VRP", 0},
                        {"VPN", 10, "Click with left button to move VPN", 0},
                        {"VUP", 11, "Click with left button to move VUP", 0},
                        {"PRP", 0, "", 1},
                        {"XYZ", 0, "", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.handle);
    editor->mouseMode = 0;
    fakes.system.statuses.clear();
    fakes.multiEdit.calls.clear();
    EXPECT_EQ(editor->CameraFlyMenu(c.handle), 1);
    EXPECT_EQ(editor->mouseMode, c.mode);
    EXPECT_EQ(Status(), c.status);
    ASSERT_EQ(fakes.multiEdit.calls.size(), c.dialogs);
    if (c.dialogs != 0) {
      EXPECT_EQ(fakes.multiEdit.calls[0].title, "View general");
    }
  }
}

}  // namespace
}  // namespace zavo::test
