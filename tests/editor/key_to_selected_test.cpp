// Request 48: typed keys reach the selected object's editor module, and the
// item is built again from the object the module may have changed.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "mouse_fixture.h"

namespace zavo::test {
namespace {

using Strings = std::vector<std::string>;

// A box module that logs each key with whether a wrapper's matrix came along.
class KeyModule : public FakeObjectModule {
public:
  KeyModule() : FakeObjectModule("KeyModule") { keyword = "box"; }
  int Key(CG_GraphicEditor&, CG_SceneEditorItem*, CG_GraphicObject& object, CG_ESelectionStatus*, int character,
          const Transformation* wrapper) override {
    keys.push_back(std::string(object.name.Text()) + " " + static_cast<char>(character) +
                   (wrapper != nullptr ? " wrapped" : ""));
    const int answer = answers.empty() ? 0 : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  Strings keys;
  std::deque<int> answers;
};

class KeyToSelected : public MouseTest {
protected:
  KeyToSelected() {
    module = new KeyModule;
    editor->objectModules.Append(module);
    Read("{ object name k1; model { box xmin 2; xmax 6; ymin -2; ymax 2; zmin -1; zmax 1; } }\n"
         "{ object name s1; model { sphere center (0, 0, 0); radius 1; } }\n.\n");
  }
  void Select(const char* objectName, bool withStatus) {
    auto* record = new CG_EObjectSelection(Item(objectName));
    if (withStatus) record->status = new CG_EObjectSelectionStatus();
    editor->selection.Append(record);
  }
  CG_SceneEditorItem* SelectedItem() {
    auto* record = dynamic_cast<CG_EObjectSelection*>(editor->selection.First());
    return record != nullptr ? record->item : nullptr;
  }
  KeyModule* module = nullptr;
};

TEST_F(KeyToSelected, TheModuleGetsTheKeyAndTheItemIsBuiltAgain) {
  struct Case {
    const char* what;
    const char* selected;  // null: no selection
    bool status;
    bool wrapped;
    int answer;
    Strings keys;
    bool stillSelected;
    bool rebuilt;
  };
  const Case cases[] = {
      {"no selection", nullptr, false, false, 0, {}, false, false},
      {"a status, the module goes on", "k1", true, false, 0, {"k1 a"}, true, true},
      {"a wrapped object gives the matrix", "k1", true, true, 0, {"k1 a wrapped"}, true, true},
      {"the module ends the selection", "k1", true, false, 1, {"k1 a"}, false, true},
      {"no status: the selection ends", "k1", false, false, 0, {}, false, false},
      {"no module for the keyword", "s1", true, false, 0, {}, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Drop("k1");
    Read("{ object name k1; model { box xmin 2; xmax 6; ymin -2; ymax 2; zmin -1; zmax 1; } }\n.\n");
    editor->ClearSelection();
    if (c.wrapped) {
      ASSERT_NE(editor->TranslateItem(Item("k1"), 1, 0, 0), nullptr);
    }
    Item("k1")->display.style = 2;
    if (c.selected != nullptr) Select(c.selected, c.status);
    CG_SceneEditorItem* before = c.selected != nullptr ? Item(c.selected) : nullptr;
    module->keys.clear();
    module->answers = {c.answer};
    EXPECT_EQ(driver.Request(48, nullptr, 'a').result, 1);
    EXPECT_EQ(module->keys, c.keys);
    EXPECT_EQ(!editor->selection.IsEmpty(), c.stillSelected);
    if (c.selected == nullptr) continue;
    CG_SceneEditorItem* after = Item(c.selected);
    ASSERT_NE(after, nullptr);
    if (c.rebuilt) {
      EXPECT_EQ(after->display.style, 2);
      EXPECT_EQ(after->object, editor->scene.FindObject(c.selected));
    }
    if (c.stillSelected) {
      EXPECT_EQ(SelectedItem(), after);
    }
    if (!c.rebuilt) {
      EXPECT_EQ(after, before);
    }
  }
}

}  // namespace
}  // namespace zavo::test
