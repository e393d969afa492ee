// What the mouse modes show while they wait: rubber lines, the rotation
// dial, the angle and the factor in the status text; and how a click ends them.

#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "mouse_fixture.h"

namespace zavo::test {
namespace {

using Feedback = MouseTest;
using Pixels = std::vector<std::pair<int, int>>;

TEST_F(Feedback, MovesInTheDragViewShowTheModesFeedback) {
  struct Case {
    const char* what;
    int mode, showMode;
    int startX, startY;
    std::vector<std::pair<int, int>> moves;  // in the Top view
    std::string status;                      // the last status text; "" none
    Pixels shown;                            // the Top view's inverted pixels
  };
  const Case cases[] = {
      {"mode 3 keeps one rubber line", 3, 0, 90, 40, {{100, 30}, {95, 20}, {102, 28}}, "",
       LinePixels(102, 28, 90, 40)},
      {"mode 3 back at its start shows none", 3, 0, 90, 40, {{100, 30}, {90, 40}}, "", {}},
      {"mode 4 dial at 90 degrees", 4, 0, 10, 40, {{50, 50}, {100, 40}}, "Rotation angle = 90",
       LinePixels(10, 40, 50, 40)},
      {"mode 4 dial at 0 points up", 4, 0, 10, 40, {{10, 60}}, "Rotation angle = 0", LinePixels(10, 0, 10, 40)},
      {"mode 4 left of the start", 4, 0, 60, 40, {{15, 40}}, "Rotation angle = -45",
       LinePixels(31, 11, 60, 40)},
      {"mode 4 interactive draws no dial", 4, 1, 10, 40, {{100, 40}}, "Rotation angle = 90", {}},
      {"mode 5 two pixels left", 5, 0, 60, 40, {{58, 40}}, "Scale factor = 0.5", {}},
      {"mode 5 two pixels right", 5, 0, 60, 40, {{62, 40}}, "Scale factor = 2", {}},
      {"mode 5 in show mode 2", 5, 2, 60, 40, {{52, 40}}, "Scale factor = 2", {}},
      {"mode 7 angle", 7, 0, 60, 40, {{75, 10}}, "Rotation angle = 15", {}},
      {"mode 8 factor", 8, 0, 60, 40, {{61, 10}}, "Scale factor = 4", {}},
      {"mode 6 nothing", 6, 0, 60, 40, {{70, 10}}, "", {}},
      {"mode 9 nothing", 9, 0, 60, 40, {{70, 10}}, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Whiten();
    editor->options.ShowMode = c.showMode;
    Arm(c.mode, 0, c.startX, c.startY);
    fakes.system.statuses.clear();
    for (const auto& [x, y] : c.moves) driver.Move(0, x, y);
    EXPECT_EQ(Status(), c.status);
    EXPECT_EQ(Marked(top), c.shown);
    driver.Move(2, 30, 30);  // another view: no feedback
    EXPECT_EQ(Marked(top), c.shown);
    EXPECT_TRUE(Marked(front).empty());
    editor->mouseMode = 0;
  }
}

TEST_F(Feedback, TheAngleAndTheScaleFactorFollowThePixelsMoved) {
  EXPECT_EQ(CG_GraphicEditor::DragAngle(100, 145), std::numbers::pi / 4);
  EXPECT_EQ(CG_GraphicEditor::DragAngle(100, 10), -std::numbers::pi / 2);
  const std::pair<int, double> cases[] = {{-4, 1}, {-8, 2}, {-1, 0.25}, {0, 1}, {1, 4}, {4, 1}, {8, 0.5}};
  for (const auto& [moved, factor] : cases) {
    EXPECT_DOUBLE_EQ(CG_GraphicEditor::DragScale(100, 100 + moved), factor) << moved;
  }
}

TEST_F(Feedback, TheCompletingClickTakesTheFeedbackAwayAndEndsTheMode) {
  struct Case {
    const char* what;
    int mode;
    int view;        // of the completing click
    int endsMode;    // the mode afterwards is 0
  };
  const Case cases[] = {
      {"mode 3 in the drag view", 3, 0, 1},
      {"mode 3 in another view", 3, 2, 1},
      {"mode 4", 4, 0, 1},
      {"mode 3, a click in the Preview is ignored", 3, 3, 0},
      {"mode 7 in another view", 7, 1, 1},
  };
  editor->options.ShowMode = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Whiten();
    Arm(c.mode, 0, 90, 40);
    driver.Move(0, 102, 28);
    const Pixels shown = Marked(top);
    fakes.system.statuses.clear();
    driver.LeftClick(c.view, 102, 28);
    if (c.endsMode != 0) {
      EXPECT_TRUE(Marked(top).empty());
      EXPECT_EQ(editor->mouseMode, 0);
      EXPECT_EQ(fakes.system.statuses, std::vector<std::string>{""});
      EXPECT_EQ(driver.Request(50).value, 1);
    } else {
      EXPECT_EQ(Marked(top), shown);
      EXPECT_EQ(editor->mouseMode, c.mode);
      EXPECT_TRUE(fakes.system.statuses.empty());
      editor->mouseMode = 0;
    }
  }
}

TEST_F(Feedback, ARightClickLeavesAPendingDragAsItIs) {
  editor->options.ShowMode = 0;
  Arm(3, 0, 90, 40);
  driver.Move(0, 102, 28);
  driver.RightClick(0, 20, 20);
  EXPECT_EQ(editor->dragStartX, 90);
  EXPECT_EQ(editor->dragStartY, 40);
  driver.LeftClick(0, 102, 28);
  EXPECT_TRUE(Marked(top).empty());
}

TEST_F(Feedback, AModuleArmsModeTwoWithItsOwnActions) {
  std::vector<std::string> calls;
  const auto record = [&calls](const char* what) {
    return [&calls, what](int view, int x, int y) {
      calls.push_back(std::string(what) + " " + std::to_string(view) + " " + std::to_string(x) + " " +
                      std::to_string(y));
    };
  };
  editor->BeginModulePointInput(record("press"), record("move"), "Move center");
  EXPECT_EQ(Status(), "Move center");
  EXPECT_EQ(editor->mouseMode, 2);
  driver.Move(2, 5, 6);  // any view
  driver.LeftClick(3, 7, 8);  // the Preview: ignored
  driver.LeftClick(1, 9, 10);
  EXPECT_EQ(calls, (std::vector<std::string>{"move 2 5 6", "press 1 9 10"}));
  EXPECT_EQ(editor->mouseMode, 0);
  EXPECT_EQ(Status(), "");
}

TEST_F(Feedback, EachModeShowsItsTextOnEntry) {
  const std::pair<int, const char*> cases[] = {
      {1, "Click with left button on new center"},       {3, "Click with left button to move the object"},
      {4, "Click with left button to rotate the object"}, {5, "Click with left button to scale the object"},
      {6, "Click with left button to move the lamp"},     {7, "Click with left button to rotate the lamp"},
      {8, "Click with left button to scale the object"},  {9, "Click with left button to move VRP"},
      {10, "Click with left button to move VPN"},         {11, "Click with left button to move VUP"},
  };
  for (const auto& [mode, text] : cases) {
    editor->EnterMouseMode(mode);
    EXPECT_EQ(Status(), text) << mode;
    EXPECT_EQ(driver.Request(50).value, 0);
  }
}

}  // namespace
}  // namespace zavo::test
