// The about box: its texts from the version data, one case a row, its
// layout in dialog units and the modal run that "OK" ends.
#include <gtest/gtest.h>

#include <string>

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include "win/about_box.h"
#include "win/gui/gui_support.h"

namespace zavo::test {
namespace {

std::string Text(wxWindow& dialog, int id) {
  return static_cast<wxControl*>(dialog.FindWindow(id))->GetLabelText().ToStdString();
}

TEST(AboutBox, TextsComeFromTheVersionData) {
  const struct {
    VersionStrings version;
    std::string line;
    std::string copyright;
    std::string build;
  } cases[] = {
      {{"zavo", "0.1.0", "Copyright 2026 ZI Rizeda", "Release build, commit 1234567"},
       "zavo Version 0.1.0", "Copyright 2026 ZI Rizeda", "Release build, commit 1234567"},
      // A name without a version leaves the line alone.
      {{"zavo", "", "", "Debug build"}, "Version", "", "Debug build"},
      {{"", "0.1.0", "", ""}, "Version", "", ""},
      // No version data at all.
      {{"", "", "", ""}, "Version", "", ""},
      // The copyright line is shown; texts keep their "&".
      {{"R & D", "2", "Copyright A & B", ""}, "R & D Version 2", "Copyright A & B", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    zavoAboutDlg dialog(nullptr, ProjectRCVersion(c.version));
    EXPECT_EQ(dialog.GetTitle(), "About zavo");
    EXPECT_EQ(dialog.GetId(), zavoAboutDlg::kId);
    EXPECT_EQ(Text(dialog, zavoAboutDlg::kVersion), c.line);
    EXPECT_EQ(Text(dialog, zavoAboutDlg::kCopyright), c.copyright);
    EXPECT_EQ(Text(dialog, zavoAboutDlg::kSpecialBuild), c.build);
    bool title = false;
    for (wxWindow* child : dialog.GetChildren()) {
      auto* text = dynamic_cast<wxStaticText*>(child);
      title = title || (text != nullptr && text->GetLabelText() == "ZI Rizeda");
    }
    EXPECT_TRUE(title);
  }
}

TEST(AboutBox, ControlsStandAtTheirPlacesInDialogUnits) {
  zavoAboutDlg dialog(nullptr, ProjectRCVersion({"zavo", "1", "c", "b"}));
  const auto units = [&](int x, int y, int w, int h) {
    return wxRect(dialog.ConvertDialogToPixels(wxPoint(x, y)),
                  dialog.ConvertDialogToPixels(wxSize(w, h)));
  };
  EXPECT_EQ(dialog.GetClientSize(), units(0, 0, 204, 65).GetSize());
  EXPECT_EQ(dialog.FindWindow(zavoAboutDlg::kVersion)->GetRect(), units(2, 14, 200, 8));
  EXPECT_EQ(dialog.FindWindow(zavoAboutDlg::kCopyright)->GetRect(), units(2, 27, 200, 17));
  const wxWindow* build = dialog.FindWindow(zavoAboutDlg::kSpecialBuild);
  EXPECT_EQ(build->GetRect(), units(136, 55, 66, 8));
  EXPECT_TRUE(build->HasFlag(wxALIGN_RIGHT));
  auto* ok = dynamic_cast<wxButton*>(dialog.FindWindow(wxID_OK));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->GetLabel(), "OK");
  EXPECT_EQ(ok->GetRect(), units(82, 48, 40, 14));
  EXPECT_EQ(dialog.GetDefaultItem(), ok);
}

TEST(AboutBox, RunsModallyUntilOk) {
  auto* owner = new wxFrame(nullptr, wxID_ANY, "owner");
  owner->Show();
  ASSERT_TRUE(DrainUntil([&] { return owner->IsShownOnScreen(); }));
  std::string seen;
  wxTimer timer;
  timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    for (wxWindow* w : wxTopLevelWindows) {
      auto* dialog = dynamic_cast<zavoAboutDlg*>(w);
      if (dialog == nullptr || !dialog->IsModal()) continue;
      seen = Text(*dialog, zavoAboutDlg::kVersion);
      wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
      click.SetEventObject(dialog->FindWindow(wxID_OK));
      dialog->FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(click);
    }
  });
  timer.Start(20);
  ShowAboutBox(owner);
  timer.Stop();
  // The built version data.
  EXPECT_EQ(seen.rfind("zavo Version ", 0), 0u) << seen;
  owner->Destroy();
  Settle();
}

}  // namespace
}  // namespace zavo::test
