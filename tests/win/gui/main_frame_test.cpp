// The main frame: start-up order, the live menu bars, the accelerators, the
// status bar, the size limits, minimizing and the close query.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

#include "win/gui/main_frame_fixture.h"
#include "win/menus.h"
#include "win/printing.h"

namespace zavo::test {
namespace {

void Collect(const std::vector<MenuNode>& nodes, std::map<int, std::string>& out) {
  for (const MenuNode& node : nodes) {
    if (node.id != 0) out[node.id] = node.label;
    Collect(node.children, out);
  }
}

TEST_F(MainFrameTest, StartsHiddenTitledZavoAndSendsTheTitleRequestLast) {
  OpenMain(0, false);
  EXPECT_FALSE(main->IsShown());
  EXPECT_EQ(main->GetTitle(), "zavo");
  const std::vector<std::string> sent = Sent();
  // The editing window's construction requests, then the application's 64.
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(sent[sent.size() - 2], "C 80 0");
  EXPECT_EQ(sent.back(), "C 64 0");
  EXPECT_EQ(sent.front(), "C 1 0 /m");

  wxStatusBar* bar = main->GetStatusBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->GetFieldsCount(), 2);
  EXPECT_EQ(main->GetStatusBarPane(), 0);
  // The editing window's status texts go to the second field.
  win->RenderSink().Status("row 3");
  win->Status()->Flush();
  EXPECT_EQ(bar->GetStatusText(1), "row 3");
  EXPECT_NE(main->GetDropTarget(), nullptr);
}

TEST_F(MainFrameTest, TestFlagChoosesTheMenuAndEveryLiveItemKeepsItsLabel) {
  for (int test : {0, 1}) {
    SCOPED_TRACE(test);
    OpenMain(test);
    const int menu = test != 0 ? kFullMenu : kReducedMenu;
    EXPECT_EQ(main->MenuNumber(), menu);
    wxMenuBar* bar = main->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    const std::vector<MenuNode> popups = MainMenu(menu);
    ASSERT_EQ(bar->GetMenuCount(), popups.size());
    for (std::size_t i = 0; i < popups.size(); ++i) {
      EXPECT_EQ(bar->GetMenuLabel(i).utf8_string(), popups[i].label);
    }
    std::map<int, std::string> labels;
    Collect(popups, labels);
    for (const auto& [id, label] : labels) {
      wxMenuItem* item = bar->FindItem(id);
      ASSERT_NE(item, nullptr) << id;
      EXPECT_EQ(item->GetItemLabel().utf8_string(), label) << id;
    }
    // Menu 101 lacks the print items and the lamp and view pop-ups.
    for (int id : {24337, 24338, 24340, 114, 10}) EXPECT_EQ(bar->FindItem(id) != nullptr, test != 0) << id;
    EXPECT_EQ(bar->FindItem(24331)->GetHelp(), "Creates a new window");
    main->Destroy();
    Settle();
    frame = nullptr;
  }
}

TEST_F(MainFrameTest, PrintItemsAreEnabledExactlyWhenAPrinterIsUsable) {
  OpenMain(1);
  main->DoMenuUpdates();
  for (int id : {24337, 24338, 24340}) {
    EXPECT_EQ(main->GetMenuBar()->IsEnabled(id), PrinterUsable()) << id;
  }
}

// Only accelerator table 100 acts: the shortcut texts of the labels bind no
// key ("&Delete\tDel" and "E&xit\tAlt+F4" among them).
TEST_F(MainFrameTest, OnlyTheThirteenAcceleratorsAct) {
  OpenMain(1);
  win->SetFocus();
  ASSERT_TRUE(DrainUntil([&] { return wxWindow::FindFocus() == win; }));
  struct Case {
    int key;
    int modifiers;
    std::vector<std::string> sent;
    std::vector<std::string> boxes;
  };
  const std::vector<Case> cases{
      {WXK_F9, wxMOD_NONE, {"C 24 0"}, {}},
      {'i', wxMOD_NONE, {"C 25 0"}, {}},
      {'o', wxMOD_NONE, {"C 26 0"}, {}},
      {'c', wxMOD_NONE, {"C 29 0"}, {}},
      {WXK_F12, wxMOD_NONE, {"C 62 0"}, {}},
      {WXK_F11, wxMOD_NONE, {"C 84 0"}, {}},
      {WXK_F3, wxMOD_NONE, {}, {}},
      {WXK_DELETE, wxMOD_SHIFT, {}, {"Command not active"}},
      {WXK_INSERT, wxMOD_CONTROL, {}, {"Command not active"}},
      {WXK_INSERT, wxMOD_SHIFT, {}, {"Command not active"}},
      {WXK_DELETE, wxMOD_CONTROL, {}, {"Command not active"}},
      {WXK_BACK, wxMOD_ALT, {}, {"Command not active"}},
      // Keys named only in labels: no command.
      {WXK_DELETE, wxMOD_NONE, {}, {}},
      {WXK_F4, wxMOD_ALT, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    editor->ClearLog();
    boxes.clear();
    // F5 after the key marks the end of what the key did.
    wxUIActionSimulator().Char(c.key, c.modifiers);
    wxUIActionSimulator().Char(WXK_F5);
    ASSERT_TRUE(DrainUntil([&] { return !Sent().empty() && Sent().back() == "C 23 0"; }));
    auto& log = editor->log;
    log.erase(std::find(log.rbegin(), log.rend(), "C 23 0").base() - 1);
    std::vector<std::string> texts;
    for (const Box& b : boxes) texts.push_back(b.text);
    EXPECT_EQ(Sent(), c.sent);
    EXPECT_EQ(texts, c.boxes);
  }
}

// The help keys reach the frame before the focused editing window.
TEST_F(MainFrameTest, HelpKeysArePressedOnTheFrame) {
  OpenMain(0);
  win->SetFocus();
  ASSERT_TRUE(DrainUntil([&] { return wxWindow::FindFocus() == win; }));
  wxUIActionSimulator().Char(WXK_F1);
  ASSERT_TRUE(DrainUntil([&] { return !boxes.empty(); }));
  EXPECT_EQ(boxes[0].text, "The help file zavo.hlp is not available on this system.\nTopic: index");
  wxUIActionSimulator().Char(WXK_F1, wxMOD_SHIFT);
  ASSERT_TRUE(DrainUntil([&] { return main->Commands().ContextHelp(); }));
  wxUIActionSimulator().Char(WXK_ESCAPE);
  ASSERT_TRUE(DrainUntil([&] { return !main->Commands().ContextHelp(); }));
  // The Escape went to the help mode, not to a render.
  EXPECT_EQ(win->escapePressed, 0);
}

TEST_F(MainFrameTest, WhileRequestFiftyAnswersZeroTheFrameKeepsItsSize) {
  OpenMain(0);
  editor->answers[50] = {0, 0};
  ASSERT_TRUE(DrainUntil([&] { return main->GetMaxSize() == main->GetSize(); }));
  EXPECT_EQ(main->GetMinSize(), main->GetSize());
  editor->answers[50] = {1, 0};
  ASSERT_TRUE(DrainUntil([&] { return main->GetMaxSize() == wxDefaultSize; }));
  EXPECT_EQ(main->GetMinSize(), wxDefaultSize);
}

TEST_F(MainFrameTest, MinimizingSendsStatusToTheCaptionAndRestoringRewritesTheTitle) {
  OpenMain(0);
  editor->ClearLog();
  wxIconizeEvent minimized(main->GetId(), true);
  main->HandleWindowEvent(minimized);
  EXPECT_EQ(win->RenderSink().minimized, 1);
  EXPECT_TRUE(Sent().empty());
  wxIconizeEvent restored(main->GetId(), false);
  main->HandleWindowEvent(restored);
  EXPECT_EQ(win->RenderSink().minimized, 0);
  EXPECT_EQ(Sent(), std::vector<std::string>{"C 64 0"});
}

TEST_F(MainFrameTest, ExitClosesThroughTheEditingWindowsCloseQuery) {
  OpenMain(0);
  editor->answers[76] = {1, 0};  // modified
  answer = BoxAnswer::No;
  main->Command(24310);
  EXPECT_FALSE(wxPendingDelete.Member(main));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "File not saved.\nClose anyway ?");
  answer = BoxAnswer::Yes;
  main->Command(24310);
  EXPECT_TRUE(wxPendingDelete.Member(main));
  Settle();
  frame = nullptr;
}

}  // namespace
}  // namespace zavo::test
