#include "win/win_qz_interface.h"

#include <gtest/gtest.h>

#include <wx/button.h>

#include "win/gui/gui_support.h"
#include "win/gui/stand_in_edit_win.h"
#include "win/message_box.h"
#include "win/view_win.h"
#include "win/wx_status_field.h"

#include <wx/statusbr.h>

namespace {

using zavo::test::DrainUntil;
using zavo::test::StandInEditWin;

std::vector<std::string> captions;

zavo::BoxAnswer RecordBox(wxWindow*, const wxString& text, const wxString& caption, zavo::BoxButtons) {
  captions.push_back(caption.ToStdString() + ": " + text.ToStdString());
  return zavo::BoxAnswer::Ok;
}

TEST(WinQZInterface, MessagesShowOnlyWithAnEditingWindowAndTheFlag) {
  StandInEditWin edit;
  captions.clear();
  const auto old = zavo::SetMessageBoxFunction(RecordBox);
  WinQZInterface without(nullptr, nullptr);
  without.Message("lost");
  WinQZInterface qz(&edit, &edit.status);
  qz.Message("Scene saved");
  qz.showMessageBoxes = 0;
  qz.Message("quiet");
  zavo::SetMessageBoxFunction(old);
  EXPECT_EQ(captions, std::vector<std::string>{"Message: Scene saved"});
}

TEST(WinQZInterface, StatusGoesToTheCaptionWhileMinimizedAndPumpsWhenAsked) {
  StandInEditWin edit;
  WinQZInterface qz(&edit, &edit.status);
  qz.Status("Line 1");
  EXPECT_EQ(edit.status.texts, std::vector<std::string>{"Line 1"});
  qz.minimized = 1;
  qz.Status("Line 2");
  EXPECT_EQ(edit.frame->GetTitle(), "Line 2");
  EXPECT_EQ(edit.status.texts.size(), 1u);
  qz.minimized = 0;

  zavo::test::Settle();
  bool ran = false;
  edit.window->CallAfter([&] { ran = true; });
  qz.Status("Line 3");
  EXPECT_FALSE(ran);
  qz.pumpMessages = 1;
  qz.Status("Line 4");
  EXPECT_TRUE(ran);
}

TEST(WinQZInterface, EscapeStopsOnlyWithTheFocusOnTheEditingWindowOrTheConsole) {
  StandInEditWin edit;
  auto* console = new wxWindow(edit.window, wxID_ANY, wxPoint(200, 0), wxSize(50, 50), wxWANTS_CHARS);
  auto* other = new wxButton(edit.window, wxID_ANY, "other", wxPoint(300, 0));
  WinQZInterface qz(&edit, &edit.status);
  qz.secondWindow = console;
  edit.frame->Raise();
  const struct {
    const char* name;
    wxWindow* focus;
    bool withConsole;
    int expected;
  } cases[] = {{"editing window", edit.window, true, 1},
               {"console", console, true, 1},
               {"console not set", console, false, 0},
               {"another window", other, true, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    qz.secondWindow = c.withConsole ? console : nullptr;
    c.focus->SetFocus();
    ASSERT_TRUE(DrainUntil([&] { return wxWindow::FindFocus() == c.focus; }));
    edit.escapePressed = 0;
    EXPECT_EQ(qz.UserBreak(), 0);  // Escape neither down nor pressed
    edit.escapePressed = 1;
    EXPECT_EQ(qz.UserBreak(), c.expected);
    EXPECT_EQ(edit.escapePressed, 0);  // the answer clears the recorded press
    EXPECT_EQ(qz.UserBreak(), 0);
  }
}

TEST(WxStatusField, KeepsTheLatestTextAndShowsItWhenTheWorkEnds) {
  // Covered through a real status bar in the frame.
  StandInEditWin edit;
  wxStatusBar* bar = edit.frame->CreateStatusBar();
  zavo::WxStatusField field(bar);
  for (int i = 0; i <= 1000; ++i) field.SetText(("Line " + std::to_string(i)).c_str());
  EXPECT_EQ(field.Text(), "Line 1000");
  // The last text shows once the event loop runs again.
  ASSERT_TRUE(DrainUntil([&] { return bar->GetStatusText(0) == "Line 1000"; }));
  field.SetText("Done");
  field.Flush();
  EXPECT_EQ(bar->GetStatusText(0), "Done");
}

}  // namespace
