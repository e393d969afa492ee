#include <gtest/gtest.h>

#include <vector>

#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "win/gui/stand_in_edit_win.h"
#include "win/win_fly_menu.h"

namespace {

using zavo::WinFlyMenu;
using zavo::test::StandInEditWin;

// Shows the real pop-up and presses the keys once it is open (the window
// hears of the opening; the keys go once the loop has run after it).
int ShowAndPress(StandInEditWin& edit, const FlyMenuItem& root, Seq<int>& path, std::vector<int> keys) {
  WinFlyMenu fly(&edit);
  bool open = false;
  bool pressed = false;
  auto onOpen = [&](wxMenuEvent& e) {
    open = true;
    e.Skip();
  };
  edit.frame->Bind(wxEVT_MENU_OPEN, onOpen);
  wxTimer timer;
  int ticksAfter = 0;
  timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    if (!open) return;
    wxUIActionSimulator sim;
    if (!pressed) {
      pressed = true;
      for (int k : keys) sim.Char(k);
    } else if (++ticksAfter % 40 == 0) {
      sim.Char(WXK_ESCAPE);  // keys lost: close the menu rather than wait for ever
    }
  });
  timer.Start(50);
  const int answer = fly.Show(root, path);
  timer.Stop();
  edit.frame->Unbind(wxEVT_MENU_OPEN, onOpen);
  EXPECT_TRUE(pressed);
  return answer;
}

TEST(WinFlyMenuLive, TheRealMenuAnswersAChoiceOrADismissal) {
  StandInEditWin edit;
  edit.frame->Show();
  edit.lastMouse = edit.window->ClientToScreen(wxPoint(20, 20));
  edit.mouseKnown = 1;
  FlyMenuItem root("Test");
  root.SetSubCount(3);
  root.Sub(0).name = "Cosa1";
  root.Sub(1).name = "Cosa2";
  root.Sub(2).name = "Cosa3";

  Seq<int> path(1);
  path[0] = 7;
  EXPECT_EQ(ShowAndPress(edit, root, path, {WXK_ESCAPE}), 0);
  EXPECT_EQ(path[0], 7);
  EXPECT_EQ(ShowAndPress(edit, root, path, {WXK_DOWN, WXK_DOWN, WXK_RETURN}), 1);
  ASSERT_EQ(path.Count(), 1u);
  EXPECT_EQ(path[0], 1);
}

}  // namespace
