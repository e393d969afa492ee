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

// A box module whose selection marks are a blue square around the top left
// pixel of the item's Top picture, drawn, erased or inverted with the item.
class MarkingBoxModule : public FakeObjectModule {
public:
  MarkingBoxModule() : FakeObjectModule("MarkingBoxModule") {}
  void DrawSelection(CG_GraphicEditor& editor, CG_SceneEditorItem*, CG_GraphicObject&, CG_ESelectionStatus*,
                     int view, int drawMode, const Transformation*) override {
    CG_WireFrameImage* surface = editor.views[view];
    if (surface == nullptr || editor.viewModes[view] != 2) return;
    int r = 0, g = 0, b = 255;
    if (drawMode == 1) editor.GetBackgroundColor(r, g, b);
    for (int k = 0; k < 3; ++k) surface->DrawLine(60, 41 + k, 62, 41 + k, r, g, b);
  }
};

// Giving up a selection on screen: the selected item leaves the views in the
// selection colour with its marks and comes back in its own colour.
class UnselectInTheViews : public SelectedObjectMouse {
protected:
  UnselectInTheViews() {
    editor->SetView(0, &top, 2);
    editor->SetView(1, &front, 4);
    editor->activeView = 0;
    marking = new MarkingBoxModule;
    marking->keyword = "box";
    editor->objectModules.Append(marking);  // the last module of the keyword
    editor->InsertItem(item);
    editor->ProjectItem(item);
  }
  // The picture of the item unselected in a view, painted on a white surface.
  RasterWireFrameImage Unselected(int view) {
    RecordingWireFrameImage plain(120, 80);
    CG_WireFrameImage* surface = editor->views[view];
    editor->views[view] = &plain;
    editor->DrawItemInView(view, item);
    editor->views[view] = surface;
    return plain.image;
  }

  RecordingWireFrameImage top{120, 80}, front{120, 80};
  MarkingBoxModule* marking = nullptr;
};

TEST_F(UnselectInTheViews, ErasedWhileSelectedThenDrawnPlain) {
  struct Case {
    const char* what;
    bool status;
    int objectEditing;
    int kind, flags;
    int answer;      // the module's answer to Mouse; -1: none queued
    bool unselects;  // otherwise the item stays selected and the views as they were
    int x = 63, y = 43;
  };
  // A left release in the active view goes on to select what lies under it:
  // the release with object editing off is sent where nothing lies.
  const Case cases[] = {
      {"the module finishes on a move", true, 1, 0, 0, 1, true},
      {"the module finishes on a press", true, 1, 1, 129, 1, true},
      {"a press without a status", false, 1, 1, 129, -1, true},
      {"a release with object editing off", true, 0, 1, 65, -1, true, 110, 10},
      {"the module consumes the event", true, 1, 1, 129, 0, false},
      {"the module leaves the event", true, 1, 0, 0, 4, false},
  };
  const RasterWireFrameImage plainTop = Unselected(0), plainFront = Unselected(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (RecordingWireFrameImage* view : {&top, &front}) view->image.Fill(255, 255, 255);
    editor->ClearSelection();
    editor->objectEditing = c.objectEditing;
    Select(c.status);
    editor->DrawItem(item);
    const std::vector<std::uint8_t> selectedTop = top.image.Buffer(), selectedFront = front.image.Buffer();
    ASSERT_EQ(top.image.Pixel(63, 43), (RasterPixel{0, 255, 0}));
    const bool marks = c.status && c.objectEditing == 1;
    ASSERT_EQ(top.image.Pixel(61, 42), (marks ? RasterPixel{0, 0, 255} : RasterPixel{255, 255, 255}));
    marking->mouseAnswers.clear();
    if (c.answer >= 0) marking->mouseAnswers.push_back(c.answer);
    driver.Event(0, c.x, c.y, c.flags, c.kind);
    EXPECT_EQ(editor->selection.IsEmpty(), c.unselects);
    if (c.unselects) {
      EXPECT_EQ(top.image.Buffer(), plainTop.Buffer());
      EXPECT_EQ(front.image.Buffer(), plainFront.Buffer());
    } else {
      EXPECT_EQ(top.image.Buffer(), selectedTop);
      EXPECT_EQ(front.image.Buffer(), selectedFront);
    }
  }
}

}  // namespace
}  // namespace zavo::test
