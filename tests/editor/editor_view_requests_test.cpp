// The view requests of the document: fitting the active view to a chosen
// object (86), filling and refreshing views (23, 24, 36) and projecting
// every item again (75).

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor/layers.h"
#include "editor_fakes.h"
#include "editor_test_objects.h"

namespace zavo::test {
namespace {

class ViewRequests : public ::testing::Test {
protected:
  ViewRequests() : editor(CG_GraphicEditor::Create(0)), driver(*editor) {
    fakes.AttachTo(*editor);
    std::istringstream in(
        "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
        "{ object name s1; model { sphere center ( -3.5 , 1.25 , -2 ); radius 1.5; } }\n.\n");
    EXPECT_EQ(editor->scene.Get(in), 1) << editor->scene.GetErrorMessage();
    for (const char* n : {"b1", "s1"}) editor->activeLayer->Add(editor->CreateItem(editor->scene.FindObject(n)));
    editor->SetView(0, &top, 2);
    editor->SetView(2, &side, 3);
    editor->options.Background[0] = 0.5;
    editor->options.Background[1] = 0.2;
    editor->options.Background[2] = 1.0;
  }
  std::vector<double> Box(int view) const { return {editor->viewBoxes[view], editor->viewBoxes[view] + 6}; }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  EditorDriver driver;
  RecordingWireFrameImage top{120, 80};
  RecordingWireFrameImage side{120, 80};
};

const std::vector<double> kDefaultBox{-10, -10, -10, 10, 10, 10};
const std::vector<double> kB1Box{0.6, 0.6, 0.1, 5.6, 2.6, 1.1};

TEST_F(ViewRequests, FitToObjectGivesTheActiveViewTheObjectsBox) {
  struct Case {
    const char* what;
    int activeView;
    bool select;
    const char* answer;  // null: cancel
    int result;
    int fitted;          // the view given b1's box, -1: none
  };
  const Case cases[] = {
      {"no active view", -1, false, "b1", 1, 0},
      {"active view 2", 2, false, "b1", 1, 2},
      {"cancel", 2, false, nullptr, 0, -1},
      {"selection, no question", 2, true, nullptr, 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (int v = 0; v < 4; ++v) {
      for (int i = 0; i < 6; ++i) editor->viewBoxes[v][i] = kDefaultBox[i];
    }
    top.calls.clear();
    side.calls.clear();
    fakes.listShower.titles.clear();
    editor->ClearSelection();
    if (c.select) editor->selection.Append(new CG_EObjectSelection(editor->FindItem(editor->scene.FindObject("b1"))));
    editor->activeView = c.activeView;
    if (c.answer != nullptr) fakes.listShower.AnswerText(c.answer);
    if (c.answer == nullptr && !c.select) fakes.listShower.AnswerCancel();
    EXPECT_EQ(driver.Request(86).result, c.result);
    for (int v = 0; v < 4; ++v) EXPECT_EQ(Box(v), v == c.fitted ? kB1Box : kDefaultBox) << v;
    EXPECT_EQ(fakes.listShower.titles.size(), c.select ? 0u : 1u);
    if (!c.select) {
      EXPECT_EQ(fakes.listShower.shown.back(), (std::vector<std::string>{"camera", "b1", "s1"}));
      EXPECT_EQ(fakes.listShower.titles.back(), "Select an object");
    }
    RecordingWireFrameImage* filled = c.fitted == 0 ? &top : c.fitted == 2 ? &side : nullptr;
    if (filled != nullptr) { EXPECT_EQ(filled->calls.front(), "Fill 127 51 255"); }
    if (filled != &top) { EXPECT_TRUE(top.calls.empty()); }
    EXPECT_TRUE(fakes.system.messages.empty());
  }
}

TEST_F(ViewRequests, AnUnlimitedObjectIsRefused) {
  auto object = std::make_unique<EditorTestObject>("endless");
  object->faced = 1;  // faced, but without a bounding volume
  CG_GraphicObject* endless = object.get();
  ASSERT_EQ(editor->scene.AddObject(std::move(object)), 1);
  ASSERT_NE(editor->CreateItem(endless), nullptr);
  fakes.listShower.AnswerText("endless");
  EXPECT_EQ(driver.Request(86).result, 0);
  EXPECT_EQ(fakes.system.messages, std::vector<std::string>{"FindObject fail!\nUnlimited object."});
  EXPECT_EQ(Box(0), kDefaultBox);
  EXPECT_TRUE(top.calls.empty());
}

// Request 36 takes a view index from the sender: any other value is ignored.
TEST_F(ViewRequests, RefreshOfOneViewChecksItsIndex) {
  for (int index : {9, -1, 4, 1}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(driver.Request(36, nullptr, index).result, 0);
    EXPECT_TRUE(top.calls.empty());
    EXPECT_TRUE(side.calls.empty());
  }
  EXPECT_EQ(driver.Request(36, nullptr, 2).result, 0);
  EXPECT_EQ(side.calls.front(), "Fill 127 51 255");
  EXPECT_TRUE(top.calls.empty());
}

}  // namespace
}  // namespace zavo::test
