// The pop-up menus of a right click: the object menu (mouse manipulations,
// object commands, special commands), the lamp chooser, the camera handles
// and the creation menu of empty space.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/creation_menu.h"
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

}  // namespace
}  // namespace zavo::test
