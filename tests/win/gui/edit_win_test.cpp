// The editing window against a recording stand-in editor: construction,
// menu commands, layout, characters, mouse records and the close query.

#include "win/edit_win.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <wx/menu.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include "win/gui/edit_win_fixture.h"
#include "win/gui/gui_support.h"

namespace zavo::test {
namespace {

using Log = std::vector<std::string>;

TEST_F(EditWinTest, ConstructionAttachesInterfacesAndSendsStartRequestsInOrder) {
  Open();
  // Everything up to request 80, as the window makes it (the size events
  // that follow send 75 and 65).
  Log start;
  for (const std::string& e : editor->log) {
    start.push_back(e);
    if (e == "C 80 0") break;
  }
  const Log expected = {"SetGraphicSystem", "SetMultiEdit", "SetListShower", "SetWinSupp",
                        "SetDialog", "SetConsole", "SetFlyMenu", "C 1 0 /m", "C 2 0 /t",
                        "C 81 0 /lib", "C 45 0", "V 0 2", "V 1 4", "V 2 3", "V 3 1",
                        "C 64 0 /lib", "C 80 0"};
  EXPECT_EQ(start, expected);
  EXPECT_EQ(std::string(editor->text.Text()), ProgramDirectory());
  EXPECT_EQ(std::string(editor->text.Text()).back(), '/');
  // The surfaces of set A with TestDB 0.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(editor->views[i], &win->Surface(0, i)) << i;
  // The first size event sends 65, once.
  int news = 0;
  for (const std::string& e : editor->log) news += e == "C 65 0" ? 1 : 0;
  EXPECT_EQ(news, 1);
  frame->SetClientSize(700, 500);
  DrainUntil([&] { return win->GetClientSize() == wxSize(700, 500); });
  Settle();
  news = 0;
  for (const std::string& e : editor->log) news += e == "C 65 0" ? 1 : 0;
  EXPECT_EQ(news, 1);
  EXPECT_EQ(EditWin::Current(), win);
  EXPECT_EQ(EditWin::CurrentEditor(), &win->Editor());
  // The console is bound to the window, and its focus counts for Escape.
  ASSERT_NE(win->ConsoleImpl().Window(), nullptr);
  EXPECT_EQ(win->ConsoleImpl().Owner(), win);
  EXPECT_EQ(win->RenderSink().secondWindow, win->ConsoleImpl().Window());
  EXPECT_FALSE(win->ConsoleImpl().Window()->IsShown());
}

TEST_F(EditWinTest, StatusTextsReachTheFrameAndEscapeIsRecorded) {
  Open();
  wxStatusBar* bar = frame->CreateStatusBar();
  win->SetStatusBar(bar);
  win->RenderSink().Status("Line 7");
  win->Status()->Flush();
  EXPECT_EQ(bar->GetStatusText(0), "Line 7");
  // Escape pressed in the window is kept for the render's break test.
  EXPECT_EQ(win->escapePressed, 0);
  wxKeyEvent key(wxEVT_KEY_DOWN);
  key.m_keyCode = WXK_ESCAPE;
  key.SetEventObject(win);
  win->GetEventHandler()->ProcessEvent(key);
  EXPECT_EQ(win->escapePressed, 1);
}

TEST_F(EditWinTest, WithoutASettingsFileRequest45IsNotSentAndDirectoriesDefault) {
  UseSettings(nullptr);
  // No win.ini entry: the first run writes beside the program unless that
  // is not writable; either way request 45 is not sent. A settings file the
  // first run leaves beside this test program goes again.
  const std::filesystem::path written = std::filesystem::path(ProgramDirectory()) / "vnz.ini";
  const bool existed = std::filesystem::exists(written);
  Open();
  if (!existed) std::filesystem::remove(written);
  Log start;
  for (const std::string& e : editor->Requests()) {
    start.push_back(e);
    if (e.rfind("C 80", 0) == 0) break;
  }
  EXPECT_EQ(start, (Log{"C 1 0 .", "C 2 0 .", "C 81 0 .", "C 64 0 .", "C 80 0"}));
}

TEST_F(EditWinTest, TestDBChoosesTheSecondSetOfViews) {
  UseSettings("[Dir]\nLibraryDir=/lib\n[Edit]\nTestDB=1\n");
  Open();
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(editor->views[i], &win->Surface(1, i)) << i;
    // Set B is created but never placed: hidden, not over view 1.
    EXPECT_FALSE(win->View(1, i)->IsShown()) << i;
    EXPECT_TRUE(win->View(0, i)->IsShown()) << i;
  }
}

TEST_F(EditWinTest, MenuCommandsSendTheirRequests) {
  prepare = [](RecordingEditor& e) { e.answers[74] = {0, 0}; };
  Open();
  struct Case {
    int id;
    Log requests;
    int mode;
  };
  const Case cases[] = {
      {1, {"C 22 0"}, 0},
      {3, {"C 23 0"}, 0},
      {12, {"C 78 0", "C 74 0", "C 75 0"}, 1},
      {13, {"C 78 1", "C 74 0", "C 75 0"}, 1},
      {14, {"C 78 2", "C 74 0", "C 75 0"}, 1},
      {15, {"C 78 -1", "C 74 0", "C 75 0"}, 1},
      {105, {"C 75 0"}, 0},
      {101, {"C 74 0", "C 75 0"}, 1},
      {106, {"C 75 0"}, 2},
      {105, {"C 75 0"}, 0},
      {17, {"C 79 0"}, 0},
      {18, {"C 84 0"}, 0},
      {113, {"C 16 0"}, 0},
      {223, {"C 82 0"}, 0},
      {523, {"C 86 0"}, 0},
      {24329, {"C 38 0"}, 0},
      {222, {}, 0},
      {24323, {}, 0},
      {999, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    editor->ClearLog();
    boxes.clear();
    wxCommandEvent event(wxEVT_MENU, c.id);
    win->GetEventHandler()->ProcessEvent(event);
    EXPECT_EQ(Requests(), c.requests);
    EXPECT_EQ(win->LayoutMode(), c.mode);
  }
  // The clipboard items answer through the render sink.
  editor->ClearLog();
  win->MenuCommandId(24321);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Command not active");
  EXPECT_EQ(boxes[0].caption, "Message");
}

TEST_F(EditWinTest, OptionsDialogWritesTheSettingsOnlyWhenConfirmed) {
  Open();
  for (int confirmed : {0, 1}) {
    SCOPED_TRACE(confirmed);
    editor->answers[47] = {confirmed, 0};
    editor->ClearLog();
    win->MenuCommandId(103);
    // Writing the settings starts with request 46.
    EXPECT_EQ(Requests(), confirmed != 0 ? Log({"C 47 0", "C 46 0"}) : Log({"C 47 0"}));
  }
}

TEST_F(EditWinTest, LayoutsPlaceTheViews) {
  prepare = [](RecordingEditor& e) { e.answers[74] = {-1, 0}; };
  Open(wxSize(801, 601));
  const wxRect quarter[4] = {{0, 300, 400, 300}, {0, 0, 400, 300}, {400, 0, 400, 300},
                             {400, 300, 400, 300}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(win->View(0, i)->GetRect(), quarter[i]) << i;
    EXPECT_TRUE(win->View(0, i)->IsShown());
    EXPECT_EQ(win->View(0, i)->active, 1);
  }
  // The preview view (answer -1) over the whole area.
  editor->ClearLog();
  win->MenuCommandId(101);
  EXPECT_EQ(Requests(), (Log{"C 74 0", "C 75 0"}));
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(win->View(0, i)->IsShown(), i == 3);
    EXPECT_EQ(win->View(0, i)->active, i == 3 ? 1 : 0);
    EXPECT_EQ(win->View(0, i)->GetRect(),
              i == 3 ? wxRect(0, 0, 801, 601) : wxRect(-10, -10, 0, 0));
  }
  // An answer naming no view changes nothing.
  editor->answers[74] = {7, 0};
  win->SetLayoutMode(kLayoutAll);
  win->Relayout();
  win->MenuCommandId(101);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(win->View(0, i)->GetRect(), quarter[i]) << i;
  // The image hides all four.
  editor->ClearLog();
  win->MenuCommandId(106);
  EXPECT_EQ(Requests(), (Log{"C 75 0"}));
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(win->View(0, i)->IsShown()) << i;
}

TEST_F(EditWinTest, CharactersGoToTheEditorAsRequest48) {
  Open();
  for (int ch : {'T', '5', '+', 'A'}) {
    editor->ClearLog();
    win->Char(ch);
    EXPECT_TRUE(Requests().empty()) << ch;
  }
  editor->ClearLog();
  win->Char('a');
  win->Char('z');
  EXPECT_EQ(Requests(), (Log{"C 48 97", "C 48 122"}));
}

TEST_F(EditWinTest, TheTestMenuShowsTheCountOfTheChosenPath) {
  Open();
  std::vector<std::string> entries;
  wxPoint at;
  win->FlyMenuImpl().SetPopupFunction([&](wxWindow*, wxMenu& menu, wxPoint client) {
    for (const wxMenuItem* item : menu.GetMenuItems()) entries.push_back(item->GetItemLabelText().ToStdString());
    at = client;
    return WinFlyMenu::WxIdOf(1);
  });
  win->lastMouse = win->ClientToScreen(wxPoint(123, 45));
  win->mouseKnown = 1;
  editor->ClearLog();
  win->Char('t');
  EXPECT_EQ(Requests(), (Log{"C 48 116"}));
  EXPECT_EQ(entries, (std::vector<std::string>{"Cosa1", "Cosa2", "Cosa3"}));
  EXPECT_EQ(at, wxPoint(123, 45));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "1");
  EXPECT_EQ(boxes[0].caption, "Message");
}

TEST_F(EditWinTest, TheMemoryBoxShowsDifferencesFromTheSecondTimeOn) {
  Open();
  editor->ClearLog();
  win->Char('|');
  win->Char('|');
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, "Memory");
  EXPECT_EQ(boxes[0].text.rfind("_BoxNIntr ", 0), 0u);
  EXPECT_NE(boxes[0].text.find("\n\ndwMemoryLoad "), std::string::npos);
  EXPECT_EQ(boxes[0].text.find("DMemoryLoad "), std::string::npos);
  EXPECT_NE(boxes[1].text.find("\nDAvailVirtual "), std::string::npos);
  EXPECT_TRUE(Requests().empty());
}

TEST_F(EditWinTest, MouseRecordsCarryTheViewAndFlagBits) {
  Open();
  struct Case {
    const char* what;
    std::function<void()> act;
    int flags;
    int kind;
    int view;
  };
  const Case cases[] = {
      {"left press", [&] { win->LeftButton(2, {5, 6}, kKeyLeft, 0); }, 128 | 1, 1, 2},
      {"left release", [&] { win->LeftButton(2, {5, 6}, 0, 1); }, 64 | 1, 1, 2},
      {"right press with Shift", [&] { win->RightButton(0, {5, 6}, kKeyRight | kKeyShift, 0); },
       128 | 32 | 2, 2, 0},
      {"move with the left button", [&] { win->MouseMove(3, {5, 6}, kKeyLeft); }, 1, 0, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    editor->mice.clear();
    c.act();
    ASSERT_EQ(editor->mice.size(), 1u);
    EXPECT_EQ(editor->mice[0].flags, c.flags);
    EXPECT_EQ(editor->mice[0].kind, c.kind);
    EXPECT_EQ(editor->mice[0].view, c.view);
    EXPECT_EQ(editor->mice[0].x, 5);
    EXPECT_EQ(editor->mice[0].y, 6);
  }
  // A real click in view 1 reaches the editor with that view's index.
  editor->mice.clear();
  wxMouseEvent down(wxEVT_LEFT_DOWN);
  down.m_x = 20;
  down.m_y = 30;
  down.m_leftDown = true;
  down.SetEventObject(win->View(0, 1));
  win->View(0, 1)->GetEventHandler()->ProcessEvent(down);
  ASSERT_EQ(editor->mice.size(), 1u);
  EXPECT_EQ(editor->mice[0].view, 1);
  EXPECT_EQ(editor->mice[0].flags, 128 | 1);
}

TEST_F(EditWinTest, CloseQueryAsksOnlyForAModifiedScene) {
  Open();
  struct Case {
    int modified;
    BoxAnswer answer;
    bool closes;
    size_t boxes;
  };
  for (const Case& c : {Case{1, BoxAnswer::Yes, true, 1}, Case{1, BoxAnswer::No, false, 1},
                        Case{0, BoxAnswer::No, true, 0}}) {
    boxes.clear();
    answer = c.answer;
    editor->answers[76] = {c.modified, 0};
    EXPECT_EQ(win->CanClose(), c.closes);
    ASSERT_EQ(boxes.size(), c.boxes);
    if (c.boxes == 1) {
      EXPECT_EQ(boxes[0].text, "File not saved.\nClose anyway ?");
      EXPECT_EQ(boxes[0].caption, "Warning");
      EXPECT_EQ(boxes[0].buttons, BoxButtons::YesNo);
    }
  }
}

}  // namespace
}  // namespace zavo::test

namespace zavo::test {
namespace {

// Finds the shown "Interface options" dialog, sets its controls and presses
// OK or Cancel.
void AnswerInterfaceOptions(const char* dimPix, bool multiTask, bool ok, std::vector<std::string>& seen) {
  for (wxWindow* top : wxTopLevelWindows) {
    auto* dialog = dynamic_cast<SmartDialog*>(top);
    if (dialog == nullptr || dialog->GetTitle() != "Interface options") continue;
    const auto& rows = dialog->Layout().rows;
    for (const SmartRow& row : rows) {
      wxWindow* control = dialog->FindWindow(row.firstId + 1);
      if (auto* text = dynamic_cast<wxTextCtrl*>(control)) seen.push_back(text->GetValue().ToStdString());
      if (auto* box = dynamic_cast<wxCheckBox*>(control)) seen.push_back(box->GetValue() ? "on" : "off");
    }
    static_cast<wxTextCtrl*>(dialog->FindWindow(rows[0].firstId + 1))->SetValue(dimPix);
    auto* check = static_cast<wxCheckBox*>(dialog->FindWindow(rows[2].firstId + 1));
    if (check->GetValue() != multiTask) {
      // A click: the box changes and tells the dialog.
      check->SetValue(multiTask);
      wxCommandEvent click(wxEVT_CHECKBOX, check->GetId());
      click.SetEventObject(check);
      click.SetInt(multiTask ? 1 : 0);
      check->GetEventHandler()->ProcessEvent(click);
    }
    wxButton* button = ok ? dialog->OkButton() : dialog->CancelButton();
    wxCommandEvent press(wxEVT_BUTTON, button->GetId());
    press.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(press);
    return;
  }
}

TEST_F(EditWinTest, InterfaceOptionsShowTheWindowsValuesAndApplyThemOnOk) {
  UseSettings("[Dir]\nLibraryDir=/lib\n[View]\nDimPixel=2\n[Editor]\nTextQuality=6\n");
  Open();
  std::vector<std::string> seen;
  editor->ClearLog();
  win->CallAfter([&] { AnswerInterfaceOptions("  3", true, false, seen); });
  win->MenuCommandId(145);
  EXPECT_EQ(seen, (std::vector<std::string>{"2", "on", "off", "on", "6"}));
  EXPECT_EQ(win->Settings().dimPixel, 2);
  EXPECT_EQ(win->Settings().multiTask31, 0);
  EXPECT_EQ(win->RenderSink().peek, 0);
  EXPECT_TRUE(Requests().empty());

  seen.clear();
  win->CallAfter([&] { AnswerInterfaceOptions("  3", true, true, seen); });
  win->MenuCommandId(145);
  EXPECT_EQ(win->Settings().dimPixel, 3);
  EXPECT_EQ(win->Settings().multiTask31, 1);
  EXPECT_EQ(win->RenderSink().peek, 1);
  EXPECT_EQ(win->Editor().TextQuality, 6);
  EXPECT_EQ(Requests(), (Log{"C 46 0"}));
}

}  // namespace
}  // namespace zavo::test
