#include "win/view_win.h"

#include <gtest/gtest.h>

#include <memory>


#include "win/gui/gui_support.h"
#include "win/gui/stand_in_edit_win.h"
#include "win/win_wire_frame_image.h"

namespace {

using zavo::test::DrainUntil;
using zavo::test::Settle;
using zavo::test::StandInEditWin;
using Calls = std::vector<std::string>;

// Sends a mouse event to the view window as the toolkit would.
void Send(wxWindow* view, wxEventType type, wxPoint at, bool left = false, bool right = false,
          bool ctrl = false) {
  wxMouseEvent event(type);
  event.SetEventObject(view);
  event.SetPosition(at);
  event.SetLeftDown(left);
  event.SetRightDown(right);
  event.SetControlDown(ctrl);
  view->GetEventHandler()->ProcessEvent(event);
}

template <class View>
View* MakeView(StandInEditWin& edit, int index) {
  auto* view = new View(edit.window, &edit, index);
  view->SetSize(20, 30, 160, 120);
  return view;
}

TEST(ViewWin, PassesPressesReleasesAndMovesWithTheKeyState) {
  StandInEditWin edit;
  auto* view = MakeView<zavo::ViewWin>(edit, 2);
  Send(view, wxEVT_LEFT_DOWN, {5, 7}, true);
  Send(view, wxEVT_LEFT_UP, {6, 7}, false, false, true);
  Send(view, wxEVT_RIGHT_DOWN, {9, 3}, false, true);
  Send(view, wxEVT_RIGHT_UP, {9, 4});
  EXPECT_EQ(edit.calls, (Calls{"L 2 5 7 1 0", "L 2 6 7 8 1", "R 2 9 3 2 0", "R 2 9 4 0 1"}));

  edit.calls.clear();
  Send(view, wxEVT_MOTION, {11, 13}, false, false, true);
  // The flag is set before the editing window hears of the move.
  EXPECT_EQ(edit.calls, (Calls{"M 2 11 13 8 1"}));
  EXPECT_EQ(edit.mouseMoved, 1);
  EXPECT_EQ(edit.mouseKnown, 1);
  EXPECT_EQ(edit.lastMouse, view->ClientToScreen(wxPoint(11, 13)));
  EXPECT_NE(edit.lastMouse, wxPoint(11, 13));
}

TEST(ViewWin, ADoubleClickIsTwoClicks) {
  StandInEditWin edit;
  auto* view = MakeView<zavo::ViewWin>(edit, 0);
  // What GTK sends for a double click.
  Send(view, wxEVT_LEFT_DOWN, {4, 4}, true);
  Send(view, wxEVT_LEFT_UP, {4, 4});
  Send(view, wxEVT_LEFT_DOWN, {4, 4}, true);
  Send(view, wxEVT_LEFT_DCLICK, {4, 4}, true);
  Send(view, wxEVT_LEFT_UP, {4, 4});
  EXPECT_EQ(edit.calls, (Calls{"L 0 4 4 1 0", "L 0 4 4 0 1", "L 0 4 4 1 0", "L 0 4 4 0 1"}));
}

TEST(ViewWin2, PassesOnlyMovesAndReleasesWithKeyStateZero) {
  StandInEditWin edit;
  auto* view = MakeView<zavo::ViewWin2>(edit, 3);
  Send(view, wxEVT_LEFT_DOWN, {5, 7}, true);
  Send(view, wxEVT_LEFT_UP, {6, 7}, false, false, true);
  Send(view, wxEVT_RIGHT_DOWN, {9, 3}, false, true);
  Send(view, wxEVT_RIGHT_UP, {9, 4}, false, false, true);
  Send(view, wxEVT_LEFT_DCLICK, {9, 4}, true);
  Send(view, wxEVT_MOTION, {1, 2});
  EXPECT_EQ(edit.calls, (Calls{"L 3 6 7 0 1", "R 3 9 4 0 1", "M 3 1 2 0 1"}));
  EXPECT_EQ(edit.lastMouse, view->ClientToScreen(wxPoint(1, 2)));
}

TEST(ViewWin, ViewWindowsNeverTakeTheFocus) {
  StandInEditWin edit;
  auto* a = MakeView<zavo::ViewWin>(edit, 0);
  auto* b = MakeView<zavo::ViewWin2>(edit, 1);
  EXPECT_FALSE(a->AcceptsFocus());
  EXPECT_FALSE(b->AcceptsFocus());
  EXPECT_FALSE(a->AcceptsFocusFromKeyboard());
}

// The colour on the screen at a client point of the window.
wxColour ScreenColour(wxWindow* window, wxPoint at) {
  return zavo::test::ScreenColour(window->ClientToScreen(at));
}

template <class View, class Surface>
void CheckPainting(const wxColour& background) {
  StandInEditWin edit;
  auto* view = MakeView<View>(edit, 1);
  Surface surface;
  surface.SetWindow(view);
  edit.onDrawView = [&](int) {
    surface.Fill(0, 0, 255);
    surface.DrawLine(10, 40, 100, 40, 255, 0, 0);
  };
  edit.window->SetBackgroundColour(wxColour(0, 128, 0));
  edit.window->Refresh();
  // Inactive: the background only, and the editing window is not asked.
  view->Refresh();
  view->Update();
  ASSERT_TRUE(DrainUntil([&] { return ScreenColour(view, {50, 60}) == background; }))
      << ScreenColour(view, {50, 60}).GetAsString().ToStdString();
  EXPECT_EQ(edit.calls, Calls{});
  // Active: the editing window draws the view, which then shows.
  view->active = 1;
  view->Refresh();
  view->Update();
  ASSERT_TRUE(DrainUntil([&] { return ScreenColour(view, {50, 40}) == *wxRED; }))
      << ScreenColour(view, {50, 40}).GetAsString().ToStdString();
  EXPECT_EQ(ScreenColour(view, {50, 60}), *wxBLUE);
  ASSERT_FALSE(edit.calls.empty());
  EXPECT_EQ(edit.calls.front(), "D 1");
}

TEST(ViewWin, PaintsItsBackgroundWhenInactiveAndTheViewWhenActive) {
  CheckPainting<zavo::ViewWin, WinWireFrameImage>(*wxWHITE);
}

TEST(ViewWin2, PaintsItsBackgroundWhenInactiveAndTheViewWhenActive) {
  StandInEditWin probe;
  auto* plain = new wxWindow(probe.window, wxID_ANY);
  const wxColour background = plain->GetBackgroundColour();
  CheckPainting<zavo::ViewWin2, WinWireFrameImage2>(background);
}

}  // namespace
