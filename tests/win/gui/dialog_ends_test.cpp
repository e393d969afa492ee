// How the run-time dialogs end (OK, Cancel, Escape, the close box), the keys
// of the multi-field dialog, the scroll-bar range labels and the colour
// chooser, on live controls.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <wx/colourdata.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "win/generic_list.h"
#include "win/gui/gui_support.h"
#include "win/smart_dialog.h"

namespace {

std::string Text(const charString& s) {
  const char* p = s;
  return p != nullptr ? p : "";
}

class DialogEndsGui : public zavo::test::OwnerFrameTest {
protected:

  // Runs `show` (which opens a modal dialog); once the dialog is up and has
  // the keyboard focus, `act` runs on it. A dialog still open after a
  // generous wait is cancelled and the test fails instead of hanging.
  int RunWith(const std::function<int()>& show, const std::function<void(wxDialog&)>& act) {
    bool acted = false;
    int ticks = 0;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
      wxDialog* d = ModalDialog();
      if (d == nullptr) return;
      if (++ticks == 200) {
        ADD_FAILURE() << (acted ? "the dialog did not end" : "the dialog never had the focus");
        d->EndModal(wxID_CANCEL);
        return;
      }
      if (acted) return;
      if (!d->IsShownOnScreen()) return;
      // Keys go where the pointer is in a server without a window manager.
      const wxPoint centre = d->GetScreenRect().GetPosition() + wxPoint(5, 5);
      if (wxGetMousePosition() != centre) {
        wxUIActionSimulator().MouseMove(centre);
        return;
      }
      wxWindow* focus = wxWindow::FindFocus();
      if (focus == nullptr || wxGetTopLevelParent(focus) != d) return;
      acted = true;
      act(*d);
    });
    timer.Start(25);
    const int result = show();
    timer.Stop();
    EXPECT_TRUE(acted);
    return result;
  }

  static wxDialog* ModalDialog() {
    for (wxWindow* w : wxTopLevelWindows)
      if (auto* d = dynamic_cast<wxDialog*>(w); d != nullptr && d->IsModal()) return d;
    return nullptr;
  }

  static void Press(wxWindow* dialog, int id) {
    wxCommandEvent ev(wxEVT_BUTTON, id);
    ev.SetEventObject(dialog->FindWindow(id));
    dialog->GetEventHandler()->ProcessEvent(ev);
  }
};

// Dialog_obj::Show on a parent: 1 after OK, 0 after Cancel, Escape (a real
// key press in the edit field) or the close box; only OK takes the typed text.
TEST_F(DialogEndsGui, ShowAnswersByHowTheDialogEnds) {
  const struct {
    const char* how;
    std::function<void(wxDialog&)> end;
    int expected;
  } cases[] = {
      {"OK", [](wxDialog& d) { Press(&d, 1); }, 1},
      {"Cancel", [](wxDialog& d) { Press(&d, 2); }, 0},
      {"Escape", [](wxDialog&) { wxUIActionSimulator().Char(WXK_ESCAPE); }, 0},
      {"close box", [](wxDialog& d) { d.Close(); }, 0},
  };
  WinDialog_obj dialog(owner_);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    gcg_list items;
    auto* name = new Edit_obj("Name", "Sphere1");
    items.Append(name);
    items.Append(new Check_obj("Visible", 1));
    const int answer = RunWith([&] { return dialog.Show("Sphere", items); },
                               [&](wxDialog& d) {
                                 EXPECT_EQ(d.GetTitle(), "Sphere");
                                 auto* field = static_cast<wxTextCtrl*>(d.FindWindow(101));
                                 field->SetFocus();
                                 field->SetValue("typed");
                                 c.end(d);
                               });
    EXPECT_EQ(answer, c.expected);
    EXPECT_EQ(Text(name->text), c.expected == 1 ? "typed" : "Sphere1");
  }
}

// The chooser and the multi-field dialog end as Cancel on Escape and on the
// close box too.
TEST_F(DialogEndsGui, ChoosersCancelOnEscapeAndTheCloseBox) {
  WinGenericList chooser(owner_);
  chooser.Add("Sphere");
  chooser.Add("Box");
  Seq<charString> labels, values;
  labels.Resize(1);
  values.Resize(1);
  labels[0] = "Radius";
  values[0] = "1.5";
  WinMultiEdit edit(owner_);
  const std::function<void(wxDialog&)> ends[] = {
      [](wxDialog&) { wxUIActionSimulator().Char(WXK_ESCAPE); },
      [](wxDialog& d) { d.Close(); },
  };
  for (const auto& end : ends) {
    char* chosen = nullptr;
    RunWith([&] { return (chosen = chooser.Choose("Object")) != nullptr ? 1 : 0; },
            [&](wxDialog& d) {
              static_cast<wxWindow*>(d.FindWindow(101))->SetFocus();
              end(d);
            });
    EXPECT_EQ(chosen, nullptr);
    delete[] chosen;
    EXPECT_EQ(RunWith([&] { return edit.Edit("Sizes", labels, values); },
                      [&](wxDialog& d) {
                        auto* field = static_cast<wxTextCtrl*>(d.FindWindow(200));
                        field->SetFocus();
                        field->SetValue("9");
                        end(d);
                      }),
              0);
    EXPECT_EQ(Text(values[0]), "1.5");
  }
}

// Page Down and Page Up, pressed while an edit field has the focus, act as
// the hidden "Down" and "Up" buttons.
TEST_F(DialogEndsGui, PageKeysScrollTheMultiFieldRows) {
  Seq<charString> labels, values;
  labels.Resize(7);
  values.Resize(7);
  for (unsigned i = 0; i < 7; ++i) {
    labels[i] = ("Field " + std::to_string(i)).c_str();
    values[i] = std::to_string(i).c_str();
  }
  WinMultiEdit edit(owner_);
  std::vector<int> tops;
  EXPECT_EQ(RunWith([&] { return edit.Edit("Options", labels, values); },
                    [&](wxDialog& d) {
                      static_cast<wxTextCtrl*>(d.FindWindow(203))->SetFocus();
                      auto top = [&d] { return d.FindWindow(200)->GetPosition().y; };
                      tops.push_back(top());
                      wxUIActionSimulator sim;
                      sim.Char(WXK_PAGEDOWN);
                      EXPECT_TRUE(zavo::test::DrainUntil([&] { return top() != 0; }));
                      tops.push_back(top());
                      EXPECT_EQ(d.FindWindow(106)->GetPosition().y, 62);  // 27 x 6 - 100
                      sim.Char(WXK_PAGEDOWN);
                      EXPECT_TRUE(zavo::test::DrainUntil([&] { return top() != -100; }));
                      tops.push_back(top());
                      sim.Char(WXK_PAGEUP);
                      EXPECT_TRUE(zavo::test::DrainUntil([&] { return top() != -200; }));
                      tops.push_back(top());
                      // The keys moved the rows and typed nothing.
                      EXPECT_EQ(static_cast<wxTextCtrl*>(d.FindWindow(203))->GetValue(), "3");
                      Press(&d, 1);
                    }),
            1);
  EXPECT_EQ(tops, (std::vector<int>{0, -100, -200, -100}));
}

// Typing stops at 199 characters; a longer text given by the caller is shown
// and given back whole.
TEST_F(DialogEndsGui, TypingIsLimitedButGivenTextsStayWhole) {
  const std::string given(250, 'g');
  gcg_list items;
  auto* typed = new Edit_obj("Comment", "");
  auto* kept = new Edit_obj("Path", given.c_str());
  items.Append(typed);
  items.Append(kept);
  WinDialog_obj dialog(owner_);
  EXPECT_EQ(RunWith([&] { return dialog.Show("Object", items); },
                    [&](wxDialog& d) {
                      auto* field = static_cast<wxTextCtrl*>(d.FindWindow(101));
                      field->SetFocus();
                      EXPECT_TRUE(zavo::test::DrainUntil([&] { return wxWindow::FindFocus() == field; }));
                      field->ChangeValue(std::string(196, 'a'));
                      field->SetInsertionPointEnd();
                      wxUIActionSimulator().Text("bcdef");
                      EXPECT_TRUE(zavo::test::DrainUntil([&] { return field->GetValue().length() >= 199; }));
                      zavo::test::Settle();
                      Press(&d, 1);
                    }),
            1);
  EXPECT_EQ(Text(typed->text), std::string(196, 'a') + "bcd");
  EXPECT_EQ(Text(kept->text), given);

  Seq<charString> labels, values;
  labels.Resize(1);
  values.Resize(1);
  labels[0] = "Path";
  values[0] = given.c_str();
  WinMultiEdit edit(owner_);
  EXPECT_EQ(RunWith([&] { return edit.Edit("Paths", labels, values); }, [&](wxDialog& d) { Press(&d, 1); }), 1);
  EXPECT_EQ(Text(values[0]), given);
}

// The labels beside a scroll bar show its minimum and maximum in the
// stream's default format.
TEST_F(DialogEndsGui, ScrollBarRangeLabels) {
  const struct {
    double from, to;
    const char* fromText;
    const char* toText;
  } cases[] = {
      {0.0, 2.0, "0", "2"},
      {-1.25, 0.3333333333, "-1.25", "0.333333"},
      {1.0e-5, 1234567.0, "1e-05", "1.23457e+06"},
  };
  for (const auto& c : cases) {
    gcg_list items;
    items.Append(new Edit_obj("Name", "Lamp1"));
    items.Append(new ScrollBar_obj("Falloff", c.from, c.to, c.from));
    SmartDialog dialog(owner_, "Lamp", items, true);
    EXPECT_EQ(static_cast<wxStaticText*>(dialog.FindWindow(102))->GetLabel(), "Falloff");
    EXPECT_EQ(static_cast<wxStaticText*>(dialog.FindWindow(104))->GetLabel(), c.fromText);
    EXPECT_EQ(static_cast<wxStaticText*>(dialog.FindWindow(105))->GetLabel(), c.toText);
  }
}

// The colour chooser: what it is given and what a confirmed choice does.
struct ChooserScript {
  std::vector<wxColour> shown;        // the colour it was opened with, each time
  std::vector<wxColour> customFive;   // custom colour 5 it was given, each time
  bool confirm = true;
  wxColour pick;
};
ChooserScript* script = nullptr;

bool ScriptedChooser(wxWindow*, wxColourData& data) {
  script->shown.push_back(data.GetColour());
  script->customFive.push_back(data.GetCustomColour(5));
  data.SetCustomColour(5, wxColour(200, 10, 10));  // the user changes the table
  if (script->confirm) data.SetColour(script->pick);
  return script->confirm;
}

TEST_F(DialogEndsGui, ColourChooserConfirmsAndKeepsTheCustomTable) {
  ChooserScript s;
  script = &s;
  const SmartColourChooser old = SetSmartColourChooser(ScriptedChooser);
  const wxColour greyFive = SmartCustomColours().GetCustomColour(5);
  gcg_list items;
  auto* colour = new Color_obj("Diffuse", 0.5, 1.0, 0.999);
  items.Append(colour);
  SmartDialog dialog(owner_, "Material", items, true);
  auto* swatch = static_cast<wxPanel*>(dialog.FindWindow(102));
  EXPECT_EQ(swatch->GetBackgroundColour(), wxColour(127, 255, 254));

  s.pick = wxColour(10, 128, 255);
  Press(&dialog, 101);
  EXPECT_DOUBLE_EQ(colour->r, 10 / 255.0);
  EXPECT_DOUBLE_EQ(colour->g, 128 / 255.0);
  EXPECT_DOUBLE_EQ(colour->b, 1.0);
  EXPECT_EQ(swatch->GetBackgroundColour(), wxColour(10, 128, 255));

  s.confirm = false;
  Press(&dialog, 101);
  EXPECT_DOUBLE_EQ(colour->g, 128 / 255.0);
  EXPECT_EQ(swatch->GetBackgroundColour(), wxColour(10, 128, 255));

  // Another dialog later in the run sees the changed table.
  gcg_list others;
  others.Append(new Color_obj("Specular", 0.0, 0.0, 0.0));
  SmartDialog second(owner_, "Material", others, true);
  Press(&second, 101);

  EXPECT_EQ(s.shown, (std::vector<wxColour>{wxColour(127, 255, 254), wxColour(10, 128, 255), wxColour(0, 0, 0)}));
  EXPECT_EQ(s.customFive,
            (std::vector<wxColour>{greyFive, wxColour(200, 10, 10), wxColour(200, 10, 10)}));
  EXPECT_EQ(greyFive, wxColour(80, 80, 80));
  SetSmartColourChooser(old);
  SmartCustomColours().SetCustomColour(5, greyFive);
  script = nullptr;
}

}  // namespace
