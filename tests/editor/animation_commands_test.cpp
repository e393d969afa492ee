// Requests 58 to 60: the frame display in the title, the frame the animated
// objects of the shown items are placed at, and the number of frames.

#include <gtest/gtest.h>

#include <string>

#include "document_fixture.h"
#include "models/core/anim.h"

namespace zavo::test {
namespace {

class AnimationCommands : public DocumentTest {
protected:
  GAnim* Spin() { return dynamic_cast<GAnim*>(editor->scene.FindObject("spin")); }
  void AnswerField(const char* label, const char* value) { fakes.dialog.Answer({{{label, value}}, {}, true}); }
  bool TitleShowsFrame(int frame) const { return LastTitleEndsWith(" { " + std::to_string(frame) + " } "); }
};

TEST_F(AnimationCommands, FrameDisplayInTheTitle) {
  struct Case {
    const char* name;
    bool resetFirst;
    bool cancel;
    int expectedFrame;
  };
  for (const Case& c : {Case{"set 12", false, false, 12}, Case{"cancelled, still shown", false, true, 0},
                        Case{"after a reset the field holds the old frame", true, false, 12}}) {
    SCOPED_TRACE(c.name);
    editor->currentFrame = c.resetFirst ? 12 : 0;
    editor->animationOn = c.resetFirst ? 1 : 0;
    if (c.resetFirst) {
      driver.Request(58);
      EXPECT_FALSE(TitleShowsFrame(12));
      EXPECT_EQ(LastTitle().find('{'), std::string::npos);
    }
    if (c.cancel) {
      fakes.dialog.AnswerCancel();
    } else {
      AnswerField("Frame", "12");
    }
    EXPECT_EQ(driver.Request(59).result, c.cancel ? 0 : 1);
    ASSERT_FALSE(fakes.dialog.calls.empty());
    EXPECT_EQ(fakes.dialog.calls.back().title, "Set frame");
    EXPECT_EQ(fakes.dialog.calls.back().tree,
              (std::vector<std::string>{"Edit_obj Frame = " + std::to_string(c.resetFirst ? 12 : 0)}));
    EXPECT_EQ(editor->animationOn, 1);
    driver.Request(64);
    EXPECT_TRUE(TitleShowsFrame(c.expectedFrame)) << LastTitle();
    EXPECT_EQ(editor->currentFrame, c.expectedFrame);
    EXPECT_EQ(editor->modified, 0);
  }
}

TEST_F(AnimationCommands, FrameCountFromItsDialog) {
  AnswerField("NFrame", "36");
  EXPECT_EQ(driver.Request(60).result, 1);
  EXPECT_EQ(fakes.dialog.calls.back().title, "Animation options");
  EXPECT_EQ(fakes.dialog.calls.back().tree, (std::vector<std::string>{"Edit_obj NFrame = 50"}));
  EXPECT_EQ(editor->frameCount, 36);
  fakes.dialog.AnswerCancel();
  EXPECT_EQ(driver.Request(60).result, 0);
  EXPECT_EQ(editor->frameCount, 36);
  EXPECT_EQ(editor->modified, 0);
}

// The anim of the shown items is rebuilt at the new frame with its display
// settings and layer place; one outside the active layer keeps its frame.
TEST_F(AnimationCommands, SetFramePlacesTheAnimsOfTheShownItems) {
  Read(kAnimScene);
  editor->frameCount = 7;
  CG_SceneEditorItem* before = Item("spin");
  ASSERT_NE(before, nullptr);
  before->display.style = 1;
  Layer* layer = editor->NewLayer("moving");
  layer->Add(before);
  layer->Add(Item("k5"));
  editor->activeLayer = layer;

  AnswerField("Frame", "2");
  EXPECT_EQ(driver.Request(59).result, 1);
  EXPECT_EQ(Spin()->Frame(), 2.0);
  EXPECT_EQ(Spin()->FrameCount(), 7.0);
  CG_SceneEditorItem* after = Item("spin");
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->display.style, 1);
  EXPECT_NEAR(after->centre.x, 3.2, 1e-9);  // halfway along the path
  EXPECT_EQ(layer->items.First()->item, after);
  EXPECT_EQ(editor->modified, 0);

  // Outside the active layer the anim stays where it is.
  Layer* still = editor->NewLayer("still");
  still->Add(Item("k5"));
  editor->activeLayer = still;
  AnswerField("Frame", "3");
  EXPECT_EQ(driver.Request(59).result, 1);
  EXPECT_EQ(Spin()->Frame(), 2.0);
  EXPECT_EQ(editor->currentFrame, 3);
}

}  // namespace
}  // namespace zavo::test
