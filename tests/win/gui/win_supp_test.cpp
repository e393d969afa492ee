#include "win/win_supp.h"

#include <gtest/gtest.h>

#include <wx/utils.h>

#include "win/gui/gui_support.h"
#include "win/gui/stand_in_edit_win.h"
#include "win/message_box.h"
#include "win/view_win.h"

namespace {

using zavo::test::StandInEditWin;

// Answers every box with the next answer and records what it was asked.
struct ScriptedBoxes {
  struct Asked {
    wxWindow* owner;
    std::string text, caption;
    zavo::BoxButtons buttons;
  };
  static inline std::vector<Asked> asked;
  static inline std::vector<zavo::BoxAnswer> answers;

  ScriptedBoxes() {
    asked.clear();
    answers.clear();
    old_ = zavo::SetMessageBoxFunction([](wxWindow* owner, const wxString& text, const wxString& caption,
                                          zavo::BoxButtons buttons) {
      asked.push_back({owner, text.ToStdString(), caption.ToStdString(), buttons});
      const zavo::BoxAnswer a = answers.empty() ? zavo::BoxAnswer::Cancel : answers.front();
      if (!answers.empty()) answers.erase(answers.begin());
      return a;
    });
  }
  ~ScriptedBoxes() { zavo::SetMessageBoxFunction(old_); }

private:
  zavo::MessageBoxFunction old_;
};

TEST(WinSupp, TitleGoesToTheMainFrameAndStatusToTheStatusField) {
  StandInEditWin edit;
  WinSupp support;
  support.SetTitle("nothing yet");  // no editing window: nothing happens
  support.SetEditWin(&edit);
  support.SetTitle("scene.qz - zavo");
  EXPECT_EQ(edit.frame->GetTitle(), "scene.qz - zavo");
  support.SetStatus("Ready");
  EXPECT_EQ(edit.status.texts, std::vector<std::string>{"Ready"});

  // An editing window without a parent keeps its own caption.
  struct Parentless : StandInEditWin {
    wxWindow* Window() override { return frame; }
  } top;
  WinSupp other;
  other.SetEditWin(&top);
  other.SetTitle("changed");
  EXPECT_EQ(top.frame->GetTitle(), "zavo");
}

TEST(WinSupp, WaitCursorsStayBalanced) {
  ASSERT_FALSE(wxIsBusy());
  {
    WinSupp support;
    support.EndWait();  // without its BeginWait: nothing
    EXPECT_FALSE(wxIsBusy());
    support.BeginWait();
    support.BeginWait();
    EXPECT_TRUE(wxIsBusy());
    support.EndWait();
    EXPECT_TRUE(wxIsBusy());
    support.EndWait();
    EXPECT_FALSE(wxIsBusy());
    support.BeginWait();
  }
  // The destructor ends what was left open.
  EXPECT_FALSE(wxIsBusy());
}

TEST(WinSupp, AskAnswersYesNoAndCancel) {
  StandInEditWin edit;
  WinSupp support;
  support.SetEditWin(&edit);
  ScriptedBoxes boxes;
  ScriptedBoxes::answers = {zavo::BoxAnswer::Yes, zavo::BoxAnswer::No, zavo::BoxAnswer::Cancel};
  EXPECT_EQ(support.Ask("Save changes?", "zavo"), 1);
  EXPECT_EQ(support.Ask("Save changes?", "zavo"), 0);
  EXPECT_EQ(support.Ask("Save changes?", "zavo"), -1);
  ASSERT_EQ(ScriptedBoxes::asked.size(), 3u);
  EXPECT_EQ(ScriptedBoxes::asked[0].owner, edit.window);
  EXPECT_EQ(ScriptedBoxes::asked[0].text, "Save changes?");
  EXPECT_EQ(ScriptedBoxes::asked[0].caption, "zavo");
  EXPECT_EQ(ScriptedBoxes::asked[0].buttons, zavo::BoxButtons::YesNoCancel);
}

TEST(WinSupp, PollDrainsTheQueueAndAnswersTheMouseMovedFlagOnce) {
  StandInEditWin edit;
  auto* view = new zavo::ViewWin(edit.window, &edit, 1);
  view->SetSize(0, 0, 100, 100);
  WinSupp support;
  support.SetEditWin(&edit);
  zavo::test::Settle();
  EXPECT_EQ(support.Poll(), 0);
  // A move still in the queue is dispatched by the drain and counts.
  auto* move = new wxMouseEvent(wxEVT_MOTION);
  move->SetEventObject(view);
  move->SetPosition({30, 40});
  view->GetEventHandler()->QueueEvent(move);
  EXPECT_EQ(support.Poll(), 1);
  EXPECT_EQ(edit.calls, std::vector<std::string>{"M 1 30 40 0 1"});
  EXPECT_EQ(support.Poll(), 0);
  support.Idle();
  EXPECT_EQ(support.Poll(), 0);
}

}  // namespace
