// MouseEvent's first step for a selection: the selected object's editor
// module sees the events of the active view first.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor_fakes.h"
#include "editor_test_objects.h"

namespace zavo::test {
namespace {

class SelectedObjectMouse : public ::testing::Test {
protected:
  SelectedObjectMouse() : editor(MakeEditor()), driver(*editor) {
    fakes.AttachTo(*editor);
    std::istringstream in(
        "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n.\n");
    EXPECT_EQ(editor->scene.Get(in), 1);
    item = editor->CreateItem(editor->scene.FindObject("b1"));
    editor->activeView = 1;
    box = dynamic_cast<FakeObjectModule*>(editor->FindObjectModule("box"));
  }
  static std::unique_ptr<CG_GraphicEditor> MakeEditor() {
    ScopedFakeModuleFactory factory;
    return CG_GraphicEditor::Create(0);
  }
  void Select(bool withStatus) {
    auto* record = new CG_EObjectSelection(item);
    if (withStatus) record->status = new CG_EObjectSelectionStatus();
    editor->selection.Append(record);
  }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  EditorDriver driver;
  CG_SceneEditorItem* item = nullptr;
  FakeObjectModule* box = nullptr;
};

TEST_F(SelectedObjectMouse, TheModuleAnswerDecidesWhatFollows) {
  ASSERT_NE(box, nullptr);
  struct Case {
    const char* what;
    bool status;
    int kind, flags, view;
    int objectEditing, mouseMode;
    int answer;  // the module's answer; -1: not asked
    int result;
    bool selected;  // the selection still holds b1 afterwards
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"move, handled", true, 0, 0, 1, 1, 0, 0, 1, true, {"Mouse 1 30 20 3"}},
      {"move, finished", true, 0, 16, 1, 1, 0, 1, 0, false, {"Mouse 1 30 20 19"}},
      {"move, not handled", true, 0, 0, 1, 1, 0, 4, 0, true, {"Mouse 1 30 20 3"}},
      {"press, not handled", true, 1, 129, 1, 1, 0, 4, 4, true, {"Mouse 1 30 20 129"}},
      {"press, handled", true, 1, 129, 1, 1, 0, 0, 1, true, {"Mouse 1 30 20 129"}},
      {"no status, move", false, 0, 0, 1, 1, 0, -1, 0, true, {}},
      {"no status, press", false, 1, 129, 1, 1, 0, -1, 0, false, {}},
      {"no status, release", false, 1, 65, 1, 1, 0, -1, 0, false, {}},
      {"editing off", true, 0, 0, 1, 0, 0, -1, 0, true, {}},
      {"editing off, release", true, 1, 65, 1, 0, 0, -1, 0, false, {}},
      {"mouse mode", true, 0, 0, 1, 1, 3, -1, 0, true, {}},
      {"other view", true, 1, 129, 2, 1, 0, -1, 0, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    editor->ClearSelection();
    Select(c.status);
    editor->objectEditing = c.objectEditing;
    editor->mouseMode = c.mouseMode;
    box->log.calls.clear();
    box->mouseAnswers.clear();
    if (c.answer >= 0) box->mouseAnswers.push_back(c.answer);
    EXPECT_EQ(driver.Event(c.view, 30, 20, c.flags, c.kind), c.result);
    EXPECT_EQ(box->log.calls, c.calls);
    EXPECT_EQ(!editor->selection.IsEmpty(), c.selected);
  }
}

TEST_F(SelectedObjectMouse, AnObjectWithoutKeywordIsUnselectedByAPress) {
  auto object = std::make_unique<EditorTestObject>("plain");
  object->faced = 1;
  CG_GraphicObject* plain = object.get();
  ASSERT_EQ(editor->scene.AddObject(std::move(object)), 1);
  item = editor->CreateItem(plain);
  Select(true);
  driver.Move(1, 5, 5);
  EXPECT_FALSE(editor->selection.IsEmpty());
  driver.Event(1, 5, 5, 129, 1);
  EXPECT_TRUE(editor->selection.IsEmpty());
  EXPECT_TRUE(box->log.calls.empty());
}

}  // namespace
}  // namespace zavo::test
