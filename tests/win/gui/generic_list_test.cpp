#include "win/generic_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "win/gui/gui_support.h"

namespace {

class ChooserGui : public zavo::test::OwnerFrameTest {
protected:

  static void Press(wxWindow* dialog, int id, wxEventType type = wxEVT_BUTTON) {
    wxCommandEvent ev(type, id);
    ev.SetEventObject(dialog->FindWindow(id));
    dialog->GetEventHandler()->ProcessEvent(ev);
  }

  // Acts on the next modal dialog once it is up.
  void WhenShown(std::function<void(wxDialog&)> act) {
    owner_->CallAfter([act] {
      for (wxWindow* w : wxTopLevelWindows)
        if (auto* d = dynamic_cast<wxDialog*>(w); d != nullptr && d->IsModal()) return act(*d);
      ADD_FAILURE() << "no modal dialog";
    });
  }
};

std::string Take(char* text) {
  std::unique_ptr<char[]> owned(text);
  return text != nullptr ? std::string(text) : std::string("<null>");
}

TEST_F(ChooserGui, ListChooserResults) {
  WinGenericList chooser(owner_);
  chooser.Add("Sphere");
  chooser.Add(std::string(400, 'x').c_str());
  chooser.Add("Box");

  // OK with nothing selected keeps the dialog open; Cancel then gives null.
  WhenShown([](wxDialog& d) {
    EXPECT_EQ(d.GetTitle(), "Object");
    Press(&d, 1);
    EXPECT_TRUE(d.IsModal());
    Press(&d, 2);
  });
  EXPECT_EQ(Take(chooser.Choose("Object")), "<null>");

  // A double click gives the entry, whole even when long.
  WhenShown([](wxDialog& d) {
    static_cast<wxListBox*>(d.FindWindow(101))->SetSelection(1);
    Press(&d, 101, wxEVT_LISTBOX_DCLICK);
  });
  EXPECT_EQ(Take(chooser.Choose("Object")), std::string(400, 'x'));

  // Adding after a choice extends the same list.
  chooser.Add("Torus");
  WhenShown([](wxDialog& d) {
    auto* list = static_cast<wxListBox*>(d.FindWindow(101));
    EXPECT_EQ(list->GetCount(), 4u);
    list->SetSelection(3);
    Press(&d, 1);
  });
  EXPECT_EQ(Take(chooser.Choose("Object")), "Torus");

  WinGenericList none;
  none.Add("Sphere");
  EXPECT_EQ(none.Choose("Object"), nullptr);
}

TEST_F(ChooserGui, MultiEditRowsScrollAndResults) {
  Seq<charString> labels, values;
  labels.Resize(7);
  values.Resize(7);
  for (unsigned i = 0; i < 7; ++i) {
    labels[i] = ("Field " + std::to_string(i)).c_str();
    values[i] = ("v" + std::to_string(i)).c_str();
  }
  WinMultiEdit edit(owner_);

  auto rowSpan = [](wxDialog& d) {
    return std::make_pair(d.FindWindow(100)->GetPosition().y, d.FindWindow(206)->GetRect().GetBottom() + 1);
  };
  WhenShown([&](wxDialog& d) {
    EXPECT_EQ(d.FindWindow(203)->GetRect(), wxRect(80, 81, 120, 22));
    EXPECT_EQ(rowSpan(d), std::make_pair(0, 184));
    Press(&d, 102);
    EXPECT_EQ(rowSpan(d), std::make_pair(-100, 84));
    Press(&d, 103);
    EXPECT_EQ(rowSpan(d), std::make_pair(0, 184));
    static_cast<wxTextCtrl*>(d.FindWindow(202))->SetValue("typed");
    Press(&d, 2);
  });
  EXPECT_EQ(edit.Edit("Options", labels, values), 0);
  EXPECT_STREQ(static_cast<const char*>(values[2]), "v2");

  WhenShown([&](wxDialog& d) {
    static_cast<wxTextCtrl*>(d.FindWindow(202))->SetValue("typed");
    Press(&d, 1);
  });
  EXPECT_EQ(edit.Edit("Options", labels, values), 1);
  EXPECT_STREQ(static_cast<const char*>(values[2]), "typed");
  EXPECT_STREQ(static_cast<const char*>(values[6]), "v6");

  WinMultiEdit none;
  EXPECT_EQ(none.Edit("Options", labels, values), 0);
}

}  // namespace
