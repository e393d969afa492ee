#include "win/smart_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/scrolbar.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "win/gui/gui_support.h"

namespace {

class SmartDialogGui : public ::testing::Test {
protected:
  void SetUp() override {
    owner_ = new wxFrame(nullptr, wxID_ANY, "owner");
    owner_->Show();
    ASSERT_TRUE(zavo::test::DrainUntil([&] { return owner_->IsShownOnScreen(); }));
  }
  void TearDown() override {
    owner_->Destroy();
    zavo::test::Settle();
  }

  // Runs the dialog; `act` runs once it is shown and must end it.
  static int RunWith(SmartDialog& dialog, std::function<void(SmartDialog&)> act) {
    dialog.CallAfter([&dialog, act] { act(dialog); });
    return dialog.Run();
  }

  static void Press(wxWindow* from, int id, wxEventType type = wxEVT_BUTTON) {
    wxCommandEvent ev(type, id);
    ev.SetEventObject(from);
    from->GetEventHandler()->ProcessEvent(ev);
  }

  wxFrame* owner_ = nullptr;
};

TEST_F(SmartDialogGui, LiveControlsFollowTheLayoutAndOkGivesTheTypedText) {
  gcg_list items;
  auto* name = new Edit_obj("Name", "Sphere1");
  auto* visible = new Check_obj("Visible", 0);
  auto* path = new ListBox_obj("Path");
  path->entries.Resize(2);
  path->entries[0] = "Box1";
  path->entries[1] = "Spline2";
  path->selected = "Spline2";
  items.Append(name);
  items.Append(visible);
  items.Append(path);

  SmartDialog dialog(owner_, "Sphere", items, true);
  const SmartLayout& l = dialog.Layout();
  EXPECT_EQ(dialog.GetTitle(), "Sphere");
  EXPECT_EQ(dialog.OkButton()->GetRect(), wxRect(l.ok.x, l.ok.y, l.ok.w, l.ok.h));
  EXPECT_EQ(dialog.CancelButton()->GetRect(), wxRect(l.cancel.x, l.cancel.y, l.cancel.w, l.cancel.h));
  ASSERT_EQ(l.rows.size(), 3u);
  for (const SmartRow& row : l.rows) {
    wxWindow* control = dialog.FindWindow(row.firstId + 1);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetPosition(), wxPoint(row.windows[1].x, row.windows[1].y));
  }
  EXPECT_EQ(static_cast<wxChoice*>(dialog.FindWindow(l.rows[2].firstId + 1))->GetSelection(), 1);

  const int result = RunWith(dialog, [&](SmartDialog& d) {
    static_cast<wxTextCtrl*>(d.FindWindow(101))->SetValue("Ball 2");
    Press(d.OkButton(), 1);
  });
  EXPECT_EQ(result, 1);
  EXPECT_STREQ(static_cast<const char*>(name->text), "Ball 2");
  EXPECT_STREQ(static_cast<const char*>(path->selected), "Spline2");
}

TEST_F(SmartDialogGui, CancelKeepsImmediateValuesOnly) {
  gcg_list items;
  auto* name = new Edit_obj("Name", "Sphere1");
  auto* visible = new Check_obj("Visible", 0);
  auto* radius = new ScrollBar_obj("Radius", 0.0, 2.0, 0.0);
  items.Append(name);
  items.Append(visible);
  items.Append(radius);

  SmartDialog dialog(owner_, "Sphere", items, true);
  const int result = RunWith(dialog, [&](SmartDialog& d) {
    EXPECT_EQ(static_cast<wxScrollBar*>(d.FindWindow(105))->GetThumbPosition(), 0);
    static_cast<wxTextCtrl*>(d.FindWindow(101))->SetValue("typed");
    auto* box = static_cast<wxCheckBox*>(d.FindWindow(103));
    box->SetValue(true);
    Press(box, 103, wxEVT_CHECKBOX);
    auto* bar = static_cast<wxScrollBar*>(d.FindWindow(105));
    bar->SetThumbPosition(37);
    wxScrollEvent moved(wxEVT_SCROLL_THUMBTRACK, 105, 37, wxHORIZONTAL);
    moved.SetEventObject(bar);
    bar->GetEventHandler()->ProcessEvent(moved);
    EXPECT_EQ(static_cast<wxStaticText*>(d.FindWindow(104))->GetLabel(), "Radius(0.74)");
    Press(d.CancelButton(), 2);
  });
  EXPECT_EQ(result, 0);
  EXPECT_STREQ(static_cast<const char*>(name->text), "Sphere1");
  EXPECT_EQ(visible->state, 1);
  EXPECT_DOUBLE_EQ(radius->value, 0.74);
}

TEST_F(SmartDialogGui, UnmatchedListChoiceShowsNothingAndOkStoresEmptyText) {
  gcg_list items;
  auto* path = new ListBox_obj("Path");
  path->entries.Resize(2);
  path->entries[0] = "Box1";
  path->entries[1] = "Spline2";
  path->selected = "Torus";
  items.Append(path);
  SmartDialog dialog(owner_, "Sweep", items, true);
  const int result = RunWith(dialog, [&](SmartDialog& d) {
    EXPECT_EQ(static_cast<wxChoice*>(d.FindWindow(101))->GetSelection(), wxNOT_FOUND);
    Press(d.OkButton(), 1);
  });
  EXPECT_EQ(result, 1);
  EXPECT_STREQ(static_cast<const char*>(path->selected), "");
}

TEST_F(SmartDialogGui, ShowNeedsAParent) {
  gcg_list items;
  items.Append(new Edit_obj("Name", "Sphere1"));
  WinDialog_obj none;
  EXPECT_EQ(none.Show("Sphere", items), 0);
}

}  // namespace
