#include "win/win_console.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include "win/console_win.h"
#include "win/gui/gui_support.h"
#include "win/gui/stand_in_edit_win.h"
#include "win/win_qz_interface.h"

namespace {

using zavo::ConsoleWin;
using zavo::WinConsole;
using zavo::test::StandInEditWin;

std::vector<std::string> ListLines(const wxListBox& list) {
  std::vector<std::string> out;
  for (unsigned i = 0; i < list.GetCount(); ++i) out.push_back(list.GetString(i).utf8_string());
  return out;
}

TEST(WinConsole, WritesShowInTheList) {
  StandInEditWin edit;
  WinConsole console;
  console.Write("before binding\n");  // no window yet: nothing happens
  console.Bind(&edit);
  std::vector<std::string> forty;
  for (int i = 0; i < 40; ++i) forty.push_back("w" + std::to_string(i) + "\n");
  std::vector<std::string> recent;
  for (int i = 11; i < 40; ++i) recent.push_back("w" + std::to_string(i));
  recent.push_back("");

  struct Case {
    const char* name;
    std::vector<std::string> writes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a lone newline", {"\n"}, {"", ""}},
      {"pieces join the line in progress", {"a", "b\n", "c"}, {"", "ab", "c"}},
      {"the oldest lines go", forty, recent},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::string& w : c.writes) console.Write(w.c_str());
    EXPECT_EQ(ListLines(*console.Window()->List()), c.lines);
  }
}

TEST(WinConsole, BindCreatesOneHiddenWindowAndOkHidesIt) {
  StandInEditWin edit, other;
  WinConsole console;
  console.Bind(&edit);
  ConsoleWin* window = console.Window();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(window->IsShown());
  EXPECT_TRUE(window->IsTopLevel());
  EXPECT_EQ(window->GetSize(), wxSize(300, 300));
  EXPECT_EQ(window->GetParent(), edit.window);
  EXPECT_EQ(window->EnterButton()->GetLabel(), "Enter");
  EXPECT_EQ(window->OkButton()->GetLabel(), "Ok");
  EXPECT_EQ(window->List()->GetId(), 101);
  EXPECT_EQ(window->Input()->GetId(), 102);
  EXPECT_EQ(window->EnterButton()->GetId(), 103);
  EXPECT_EQ(window->OkButton()->GetId(), 104);

  console.Bind(&other);  // only the owner changes
  EXPECT_EQ(console.Window(), window);
  EXPECT_EQ(console.Owner(), &other);

  console.Write("kept\n");
  console.Show(0);
  EXPECT_TRUE(window->IsShown());
  wxCommandEvent click(wxEVT_BUTTON, ConsoleWin::kOkId);
  click.SetEventObject(window->OkButton());
  window->OkButton()->ProcessWindowEvent(click);
  EXPECT_FALSE(window->IsShown());
  EXPECT_EQ(ListLines(*window->List()), (std::vector<std::string>{"kept", ""}));
  console.Show(1);
  EXPECT_TRUE(window->IsShown());
}

TEST(WinConsole, EnterHandsOnTheInputLineUnlessARenderRuns) {
  StandInEditWin edit;
  WinConsole console;
  console.Bind(&edit);
  ConsoleWin* window = console.Window();
  window->Input()->SetValue("ignored");
  window->PressEnter();  // no handler yet: nothing happens

  std::vector<std::string> got;
  bool rendering = false;
  console.SetInputHandler([&](const char* line) { got.emplace_back(line); });
  console.SetRenderRunningTest([&] { return rendering; });
  const std::string longLine(450, 'x');
  for (const std::string& typed : {std::string("member(X, [a]).") , std::string(), longLine}) {
    window->Input()->SetValue(typed);
    wxCommandEvent click(wxEVT_BUTTON, ConsoleWin::kEnterId);
    click.SetEventObject(window->EnterButton());
    window->EnterButton()->ProcessWindowEvent(click);
    EXPECT_EQ(window->Input()->GetValue().utf8_string(), typed);  // the line stays
  }
  rendering = true;
  window->PressEnter();
  EXPECT_EQ(got, (std::vector<std::string>{"member(X, [a]).", "", longLine}));
}

TEST(WinConsole, ASizeChangePlacesTheControls) {
  StandInEditWin edit;
  WinConsole console;
  console.Bind(&edit);
  ConsoleWin* window = console.Window();
  window->Show();
  window->SetClientSize(417, 313);
  ASSERT_TRUE(zavo::test::DrainUntil([&] { return window->GetClientSize() == wxSize(417, 313); }));
  window->SendSizeEvent();
  zavo::test::Settle();
  EXPECT_EQ(window->List()->GetRect(), wxRect(0, 0, 417, 253));
  EXPECT_EQ(window->Input()->GetRect(), wxRect(0, 253, 417, 30));
  EXPECT_EQ(window->EnterButton()->GetRect(), wxRect(0, 283, 100, 30));
  EXPECT_EQ(window->OkButton()->GetRect(), wxRect(130, 283, 100, 30));
}

TEST(WinConsole, EscapeInTheConsoleStopsARender) {
  StandInEditWin edit;
  WinConsole console;
  console.Bind(&edit);
  ConsoleWin* window = console.Window();
  WinQZInterface qz(&edit, &edit.status);
  qz.secondWindow = window;
  window->Show();
  window->Raise();
  window->Input()->SetFocus();
  ASSERT_TRUE(zavo::test::DrainUntil([&] { return wxWindow::FindFocus() == window->Input(); }));
  EXPECT_EQ(qz.UserBreak(), 0);

  wxKeyEvent key(wxEVT_CHAR_HOOK);
  key.m_keyCode = WXK_ESCAPE;
  key.SetEventObject(window->Input());
  window->ProcessWindowEvent(key);
  EXPECT_EQ(edit.escapePressed, 1);
  EXPECT_EQ(qz.UserBreak(), 1);
}

}  // namespace
