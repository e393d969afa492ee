#include "win/smart_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/colourdata.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/scrolbar.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/image.h>
#include <wx/textctrl.h>

#include "win/gui/gui_support.h"

namespace {

class SmartDialogGui : public zavo::test::OwnerFrameTest {
protected:

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

// A list change runs before-hook, store, after-hook; a button runs store,
// action, load; a logical set opens its own dialog with only OK.
TEST_F(SmartDialogGui, HooksActionsAndNestedSets) {
  gcg_list items;
  auto* name = new Edit_obj("Name", "Sphere1");
  auto* path = new ListBox_obj("Path");
  path->entries.Resize(2);
  path->entries[0] = "";
  path->entries[1] = "Spline2";
  auto* rename = new Button_obj("Rename", nullptr);
  auto* more = new LogicalSet_obj("Surface");
  more->children.Append(new Edit_obj("Texture", "wood"));
  items.Append(name);
  items.Append(path);
  items.Append(rename);
  items.Append(more);

  std::vector<std::string> seen;
  auto str = [](const charString& t) { return std::string(t != nullptr ? static_cast<const char*>(t) : ""); };
  path->beforeChange = [&](gcg_list&) { seen.push_back("before:" + str(path->selected)); };
  path->afterChange = [&](gcg_list&) { seen.push_back("after:" + str(path->selected)); };
  rename->action = [&](gcg_list& all) {
    EXPECT_EQ(&all, &items);
    seen.push_back("action:" + str(name->text));
    name->text = "Renamed";
  };

  SmartDialog dialog(owner_, "Sweep", items, true);
  const int result = RunWith(dialog, [&](SmartDialog& d) {
    auto* choice = static_cast<wxChoice*>(d.FindWindow(103));
    EXPECT_EQ(choice->GetSelection(), 0);  // the empty first entry
    choice->SetSelection(1);
    Press(choice, 103, wxEVT_CHOICE);

    auto* field = static_cast<wxTextCtrl*>(d.FindWindow(101));
    field->SetValue("typed");
    Press(d.FindWindow(105), 105);
    EXPECT_EQ(field->GetValue(), "Renamed");

    d.CallAfter([] {
      for (wxWindow* w : wxTopLevelWindows) {
        auto* nested = dynamic_cast<SmartDialog*>(w);
        if (nested == nullptr || nested->GetTitle() != "Surface") continue;
        EXPECT_TRUE(nested->OkButton()->IsShown());
        EXPECT_FALSE(nested->CancelButton()->IsShown());
        static_cast<wxTextCtrl*>(nested->FindWindow(101))->SetValue("oak");
        wxCommandEvent ok(wxEVT_BUTTON, 1);
        nested->GetEventHandler()->ProcessEvent(ok);
      }
    });
    Press(d.FindWindow(107), 107);
    Press(d.CancelButton(), 2);
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"before:", "after:Spline2", "action:typed"}));
  EXPECT_STREQ(static_cast<const char*>(name->text), "Renamed");
  EXPECT_STREQ(static_cast<const char*>(static_cast<Edit_obj*>(more->children.First())->text), "oak");
}

// The image shows upright: its lower-left 50 x 50 part.
TEST_F(SmartDialogGui, BitmapRowShowsTheImageUpright) {
  gcg_list items;
  auto* picture = new Bitmap_obj("Texture");
  ASSERT_EQ(picture->image.Create(70, 30), 1);
  for (int x = 0; x < 70; ++x) picture->image.SetPixel(x, 0, 200, 30, 30);    // top row red
  for (int x = 0; x < 70; ++x) picture->image.SetPixel(x, 29, 30, 30, 200);   // bottom row blue
  items.Append(picture);
  SmartDialog dialog(owner_, "Material", items, true);
  const wxImage shown = static_cast<wxStaticBitmap*>(dialog.FindWindow(101))->GetBitmap().ConvertToImage();
  ASSERT_EQ(shown.GetWidth(), 50);
  EXPECT_EQ(shown.GetRed(10, 20), 200);   // the top row, below the unused 20 rows
  EXPECT_EQ(shown.GetBlue(10, 49), 200);  // the bottom row at the bottom
}

TEST_F(SmartDialogGui, CustomColoursStartAsGreys) {
  const wxColourData& data = SmartCustomColours();
  EXPECT_EQ(data.GetCustomColour(0), wxColour(1, 1, 1));
  for (int i = 1; i < 16; ++i) EXPECT_EQ(data.GetCustomColour(i), wxColour(16 * i, 16 * i, 16 * i)) << i;
}

TEST_F(SmartDialogGui, ShowNeedsAParent) {
  gcg_list items;
  items.Append(new Edit_obj("Name", "Sphere1"));
  WinDialog_obj none;
  EXPECT_EQ(none.Show("Sphere", items), 0);
}

}  // namespace
