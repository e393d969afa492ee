#include "win/win_fly_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <wx/menu.h>

#include "win/gui/stand_in_edit_win.h"

namespace {

using zavo::WinFlyMenu;
using zavo::test::StandInEditWin;

std::vector<int> Path(const Seq<int>& s) { return std::vector<int>(s.Data(), s.Data() + s.Count()); }

// "Move", submenu "Align" of "Left" and "Right", then "Delete".
FlyMenuItem Tree() {
  FlyMenuItem root("Object");
  root.SetSubCount(3);
  root.Sub(0).name = "Move";
  root.Sub(1).name = "Align";
  root.Sub(1).SetSubCount(2);
  root.Sub(1).Sub(0).name = "Left";
  root.Sub(1).Sub(1).name = "Right";
  root.Sub(2).name = "Delete";
  return root;
}

// The menu as shown: "label=command" per command, "label[...]" per submenu.
std::string Describe(const wxMenu& menu) {
  std::string out;
  for (const wxMenuItem* item : menu.GetMenuItems()) {
    if (!out.empty()) out += " ";
    out += item->GetItemLabelText().ToStdString();
    if (item->IsSubMenu()) {
      out += "[" + Describe(*item->GetSubMenu()) + "]";
    } else {
      out += "=" + std::to_string(WinFlyMenu::CommandOfWxId(item->GetId()));
    }
  }
  return out;
}

wxMenuItem* FindLabel(wxMenu& menu, const char* label) {
  for (wxMenuItem* item : menu.GetMenuItems()) {
    if (item->GetItemLabelText() == label) return item;
    if (item->IsSubMenu())
      if (wxMenuItem* found = FindLabel(*item->GetSubMenu(), label)) return found;
  }
  return nullptr;
}

TEST(WinFlyMenu, AnswersThePathOfTheChosenEntry) {
  StandInEditWin edit;
  edit.lastMouse = edit.window->ClientToScreen(wxPoint(37, 23));
  edit.mouseKnown = 1;
  WinFlyMenu fly(&edit);

  struct Case {
    const char* choose;  // label clicked; null dismisses the menu
    int answer;
    std::vector<int> path;
  };
  const Case cases[] = {
      {"Move", 1, {0}},
      {"Left", 1, {1, 0}},
      {"Right", 1, {1, 1}},
      {"Delete", 1, {2}},
      {nullptr, 0, {9}},  // dismissed: the path stays as it was
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choose != nullptr ? c.choose : "dismissed");
    std::string shown;
    wxPoint at;
    wxWindow* in = nullptr;
    fly.SetPopupFunction([&](wxWindow* window, wxMenu& menu, wxPoint client) {
      shown = Describe(menu);
      at = client;
      in = window;
      if (c.choose == nullptr) return static_cast<int>(wxID_NONE);
      wxMenuItem* item = FindLabel(menu, c.choose);
      return item != nullptr ? item->GetId() : static_cast<int>(wxID_NONE);
    });
    Seq<int> path(1);
    path[0] = 9;
    EXPECT_EQ(fly.Show(Tree(), path), c.answer);
    EXPECT_EQ(Path(path), c.path);
    // The root's own name is not shown; commands are 5000 on, depth first.
    EXPECT_EQ(shown, "Move=5000 Align[Left=5001 Right=5002] Delete=5003");
    EXPECT_EQ(in, edit.window);
    EXPECT_EQ(at, wxPoint(37, 23));
  }
}

TEST(WinFlyMenu, NoWindowOrNoEntryAnswersZeroWithoutShowingAnything) {
  bool shown = false;
  auto popup = [&](wxWindow*, wxMenu&, wxPoint) {
    shown = true;
    return WinFlyMenu::WxIdOf(0);
  };
  Seq<int> path;
  WinFlyMenu orphan;
  orphan.SetPopupFunction(popup);
  EXPECT_EQ(orphan.Show(Tree(), path), 0);

  StandInEditWin edit;
  WinFlyMenu empty(&edit);
  empty.SetPopupFunction(popup);
  EXPECT_EQ(empty.Show(FlyMenuItem("nothing"), path), 0);

  struct Windowless : StandInEditWin {
    wxWindow* Window() override { return nullptr; }
  } windowless;
  WinFlyMenu fly(&windowless);
  fly.SetPopupFunction(popup);
  EXPECT_EQ(fly.Show(Tree(), path), 0);
  EXPECT_FALSE(shown);
  EXPECT_EQ(path.Count(), 0u);
}

TEST(WinFlyMenu, OnlyTheFirstFiveThousandCommandsCanBeChosen) {
  StandInEditWin edit;
  WinFlyMenu fly(&edit);
  FlyMenuItem root;
  root.SetSubCount(5001);
  for (const auto& [assoc, answer] : std::vector<std::pair<int, int>>{{4999, 1}, {5000, 0}}) {
    fly.SetPopupFunction([assoc = assoc](wxWindow*, wxMenu&, wxPoint) { return WinFlyMenu::WxIdOf(assoc); });
    Seq<int> path;
    EXPECT_EQ(fly.Show(root, path), answer) << assoc;
    EXPECT_EQ(path.Count(), static_cast<unsigned>(answer)) << assoc;
  }
}

}  // namespace
