// The main frame's menus: every item of menu 100 and menu 101 with its id and
// its label as written, the pop-up order, and accelerator table 100.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>
#include <string>
#include <vector>

#include <wx/accel.h>

#include "win/menus.h"

namespace zavo::test {
namespace {

// Id to "pop-up>...>label" for every command of the menu.
std::map<int, std::string> Walk(const std::vector<MenuNode>& nodes, const std::string& prefix = "") {
  std::map<int, std::string> out;
  for (const MenuNode& node : nodes) {
    const std::string path = prefix.empty() ? node.label : prefix + ">" + node.label;
    if (node.id != 0) {
      EXPECT_TRUE(node.children.empty()) << path;
      EXPECT_TRUE(out.emplace(node.id, path).second) << "id twice: " << node.id;
      continue;
    }
    for (auto& [id, p] : Walk(node.children, path)) {
      EXPECT_TRUE(out.emplace(id, p).second) << "id twice: " << id;
    }
  }
  return out;
}

enum In { Both, FullOnly };

struct Expected {
  int id;
  const char* path;
  In in;
};

// The items both menus share and those of menu 100 only; the "&Command"
// items whose tabs differ are listed per menu below.
const std::vector<Expected> kItems{
    {24331, "&File>&New", Both}, {24332, "&File>&Open...", Both}, {24339, "&File>&Close", Both},
    {24333, "&File>&Save", Both}, {24334, "&File>Save &As...", Both},
    {24340, "&File>Print Pre&view...", FullOnly}, {24337, "&File>&Print...", FullOnly},
    {24338, "&File>P&rint Setup...", FullOnly}, {24310, "&File>E&xit\tAlt+F4", Both},
    {24321, "&Edit>&Undo\tAlt+BkSp", FullOnly}, {24322, "&Edit>Cu&t\tShift+Del", FullOnly},
    {24323, "&Edit>&Copy\tCtrl+Ins", FullOnly}, {24324, "&Edit>&Paste\tShift+Ins", FullOnly},
    {24325, "&Edit>&Delete\tDel", FullOnly}, {24326, "&Edit>Clear &All\tCtrl+Del", FullOnly},
    {24329, "&Edit>D&uplicate", Both}, {1, "&Edit>&Param", Both},
    {113, "&Edit>&Object>&Create", Both}, {116, "&Edit>&Object>&Modify", Both},
    {117, "&Edit>&Object>&Delete", Both}, {118, "&Edit>&Object>&Rotate", Both},
    {119, "&Edit>&Object>&Traslate", Both}, {120, "&Edit>&Object>&Scale", Both},
    {127, "&Edit>&Object>M&odify Comm", Both}, {8, "&Edit>&Object>S&pecial", Both},
    {9, "&Edit>&Object>&Extra info", Both},
    {114, "&Edit>&Lamp>&Create", FullOnly}, {121, "&Edit>&Lamp>&Modify", FullOnly},
    {122, "&Edit>&Lamp>&Delete", FullOnly}, {125, "&Edit>&Lamp>&Rotate", FullOnly},
    {135, "&Edit>&Lamp>&Traslate", FullOnly}, {136, "&Edit>&Lamp>&Scale", FullOnly},
    {128, "&Edit>&Lamp>M&odify Comm", FullOnly}, {2, "&Edit>&Lamp>S&pecial", FullOnly},
    {115, "&Edit>&Material>&Create", Both}, {123, "&Edit>&Material>&Modify", Both},
    {124, "&Edit>&Material>&Delete", Both}, {104, "&Edit>&Texture>&Create", Both},
    {138, "&Edit>&Texture>&Delete", Both}, {137, "&Edit>&Mapping>&Create", Both},
    {139, "&Edit>&Mapping>&Get from ...", Both}, {140, "&Edit>&Mapping>&Delete", Both},
    {141, "&Edit>&Mapping>&Show", Both}, {142, "&Edit>&Mapping>&Hide", Both},
    {10, "&Edit>&View>&General ...", FullOnly}, {108, "&Edit>&View>&PRP", FullOnly},
    {109, "&Edit>&View>&VRP", FullOnly}, {110, "&Edit>&View>V&UP", FullOnly},
    {111, "&Edit>&View>V&PN", FullOnly}, {112, "&Edit>&View>&Window", FullOnly},
    {3, "&Command>R&Draw 3D\tF5", Both}, {18, "&Command>Object editing\tF11", Both},
    {523, "&Command>&Find Object", Both},
    {102, "&Insert>File &QZ", Both}, {143, "&Insert>File &DXF", Both},
    {144, "&Insert>File R&AW", Both}, {222, "&Insert>File W&RL", FullOnly},
    {16, "&Insert>&Text", Both}, {223, "&Insert>&Library>&Material", Both},
    {224, "&Insert>&Library>&Param", Both}, {225, "&Insert>&Library>&Field", Both},
    {17, "&Action>&Prolog", Both}, {107, "&Action>&Create image", Both},
    {149, "&Action>C&reate all frames", Both},
    {146, "A&nimate>&Go to frame ...", Both}, {147, "A&nimate>&NFrame", Both},
    {148, "A&nimate>&End", Both},
    {126, "&Layer>&Create", Both}, {129, "&Layer>&Delete", Both}, {130, "&Layer>&Add to ...", Both},
    {131, "&Layer>&Remove from ...", Both}, {132, "&Layer>&Group", Both},
    {133, "&Layer>&Select", Both}, {134, "&Layer>&Open Group...", Both},
    {103, "&Option>&General ...", Both}, {145, "&Option>&Interface ...", Both},
    {12, "&Window>&Top view", Both}, {13, "&Window>&Front view", Both},
    {14, "&Window>&Side view", Both}, {15, "&Window>&Preview view", Both},
    {101, "&Window>&Single window", Both}, {105, "&Window>&All windows", Both},
    {106, "&Window>S&how image", Both},
    {2001, "&Help>&Contents", Both}, {2002, "&Help>&Using help", FullOnly},
    {2009, "&Help>&About...", Both},
};

TEST(MainMenuTest, EveryItemOfBothMenusHasItsIdAndLabel) {
  struct MenuCase {
    int menu;
    std::map<int, std::string> command;  // the "&Command" items with tabs
  };
  const std::vector<MenuCase> menus{
      {kFullMenu,
       {{4, "&Command>R&Preview\t\tF9"}, {5, "&Command>Zoom &in\t\ti"}, {6, "&Command>Zoom &out\t\to"},
        {7, "&Command>&Center\t\tc"}, {11, "&Command>Axis \t\tF12"}}},
      {kReducedMenu,
       {{4, "&Command>R&Preview\tF9"}, {5, "&Command>Zoom &in\ti"}, {6, "&Command>Zoom &out\to"},
        {7, "&Command>&Center\tc"}, {11, "&Command>Axis \tF12"}}},
  };
  for (const MenuCase& m : menus) {
    SCOPED_TRACE(m.menu);
    std::map<int, std::string> expected = m.command;
    for (const Expected& e : kItems) {
      if (e.in == Both || m.menu == kFullMenu) expected.emplace(e.id, e.path);
    }
    EXPECT_EQ(Walk(MainMenu(m.menu)), expected);
  }
}

TEST(MainMenuTest, BothMenusHaveTheTenPopupsInOrder) {
  const std::vector<std::string> order{"&File",  "&Edit",   "&Command", "&Insert", "&Action",
                                       "A&nimate", "&Layer", "&Option",  "&Window", "&Help"};
  for (int menu : {kFullMenu, kReducedMenu}) {
    std::vector<std::string> popups;
    for (const MenuNode& node : MainMenu(menu)) popups.push_back(node.label);
    EXPECT_EQ(popups, order) << menu;
  }
}

TEST(MainMenuTest, HintsOfTheFileCommands) {
  EXPECT_STREQ(MenuHint(24331), "Creates a new window");
  EXPECT_STREQ(MenuHint(24332), "Opens a window");
  EXPECT_STREQ(MenuHint(24333), "Saves this document");
  EXPECT_STREQ(MenuHint(3), "");
}

TEST(MainMenuTest, AcceleratorTableHoldsTheThirteenKeys) {
  using Key = std::tuple<int, int, int>;  // flags, key code, command
  std::set<Key> got;
  for (const AcceleratorEntry& e : AcceleratorTable100()) got.emplace(e.flags, e.keyCode, e.command);
  const std::set<Key> expected{
      {wxACCEL_SHIFT, WXK_DELETE, 24322}, {wxACCEL_CTRL, WXK_INSERT, 24323},
      {wxACCEL_SHIFT, WXK_INSERT, 24324}, {wxACCEL_CTRL, WXK_DELETE, 24326},
      {wxACCEL_ALT, WXK_BACK, 24321},     {wxACCEL_NORMAL, WXK_F3, 24353},
      {wxACCEL_NORMAL, WXK_F5, 3},        {wxACCEL_NORMAL, WXK_F9, 4},
      {wxACCEL_NORMAL, 'C', 7},           {wxACCEL_NORMAL, 'I', 5},
      {wxACCEL_NORMAL, 'O', 6},           {wxACCEL_NORMAL, WXK_F12, 11},
      {wxACCEL_NORMAL, WXK_F11, 18},
  };
  EXPECT_EQ(AcceleratorTable100().size(), 13u);
  EXPECT_EQ(got, expected);
}

}  // namespace
}  // namespace zavo::test
