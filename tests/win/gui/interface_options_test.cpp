// The "Interface options" dialog on live controls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "common/temp_dir.h"
#include "editor/back_to_editor.h"
#include "win/command_recording_editor.h"
#include "win/gui/gui_support.h"
#include "win/profile_file.h"
#include "win/shell_settings.h"
#include "win/smart_dialog.h"
#include "win/win_ini.h"
#include "win/win_qz_interface.h"

namespace {

namespace fs = std::filesystem;

using RecordingEditor = zavo::test::CommandRecordingEditor;

class InterfaceOptionsGui : public ::testing::Test {
protected:
  void SetUp() override {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldXdg_ = old;
    ::setenv("XDG_CONFIG_HOME", (dir_.path() / "config").c_str(), 1);
    zavo::test::WriteFile(file_, "[Dir]\n");
    ASSERT_TRUE(zavo::WriteWinIni("Vnz", "Ini", file_.c_str()));
    owner_ = new wxFrame(nullptr, wxID_ANY, "owner");
    owner_->Show();
    ASSERT_TRUE(zavo::test::DrainUntil([&] { return owner_->IsShownOnScreen(); }));
  }
  void TearDown() override {
    owner_->Destroy();
    zavo::test::Settle();
    if (oldXdg_.empty()) {
      ::unsetenv("XDG_CONFIG_HOME");
    } else {
      ::setenv("XDG_CONFIG_HOME", oldXdg_.c_str(), 1);
    }
  }

  zavo::test::TempDir dir_;
  fs::path file_ = dir_ / "vnz.ini";
  std::string oldXdg_;
  wxFrame* owner_ = nullptr;
};

wxDialog* ModalDialog() {
  for (wxWindow* w : wxTopLevelWindows)
    if (auto* d = dynamic_cast<wxDialog*>(w); d != nullptr && d->IsModal()) return d;
  return nullptr;
}

void Press(wxWindow* dialog, int id, wxEventType type = wxEVT_BUTTON) {
  wxCommandEvent ev(type, id);
  ev.SetEventObject(dialog->FindWindow(id));
  dialog->GetEventHandler()->ProcessEvent(ev);
}

void Tick(wxDialog& d, int id, bool on) {
  static_cast<wxCheckBox*>(d.FindWindow(id))->SetValue(on);
  Press(&d, id, wxEVT_CHECKBOX);
}

void Type(wxDialog& d, int id, const char* text) { static_cast<wxTextCtrl*>(d.FindWindow(id))->SetValue(text); }

// Shows the current values in five rows; OK takes what the user left there
// (and the editor and the render sink get their copies), Cancel nothing.
TEST_F(InterfaceOptionsGui, ShowsTheValuesAndTakesThemOnOk) {
  const struct {
    const char* name;
    std::function<void(wxDialog&)> user;
    int answer;
    zavo::ShellSettings expected;
    int holderQuality;
  } cases[] = {
      {"numbers and boxes",
       [](wxDialog& d) {
         Type(d, 101, "  3");
         Type(d, 109, "abc");
         Tick(d, 105, true);
         Tick(d, 107, false);
         Press(&d, 1);
       },
       1, {3, 1, 1, 0, 0}, 1},
      {"empty texts keep the values",
       [](wxDialog& d) {
         Type(d, 101, "");
         Type(d, 109, "");
         Tick(d, 103, false);
         Press(&d, 1);
       },
       1, {2, 0, 0, 1, 6}, 6},
      {"cancel",
       [](wxDialog& d) {
         Type(d, 101, "9");
         Tick(d, 103, false);
         Tick(d, 105, true);
         Press(&d, 2);
       },
       0, {2, 1, 0, 1, 6}, 6},
  };
  WinDialog_obj dialog(owner_);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    zavo::test::WriteFile(file_, "[Dir]\n");
    zavo::ShellSettings s;
    s.dimPixel = 2;
    s.textQuality = 6;
    std::vector<std::string> rows;
    owner_->CallAfter([&] {
      wxDialog* d = ModalDialog();
      ASSERT_NE(d, nullptr);
      EXPECT_EQ(d->GetTitle(), "Interface options");
      for (int id = 100; id < 110; id += 2) {
        const wxString label = static_cast<wxStaticText*>(d->FindWindow(id))->GetLabel();
        wxWindow* control = d->FindWindow(id + 1);
        if (auto* box = dynamic_cast<wxCheckBox*>(control)) {
          rows.push_back(std::string(box->GetLabel().utf8_str()) + (box->GetValue() ? " [x]" : " [ ]"));
        } else if (auto* field = dynamic_cast<wxTextCtrl*>(control)) {
          rows.push_back(std::string(label.utf8_str()) + " " + std::string(field->GetValue().utf8_str()));
        }
      }
      EXPECT_EQ(d->FindWindow(110), nullptr);
      c.user(*d);
    });
    RecordingEditor editor;
    EXPECT_EQ(zavo::RunInterfaceOptions(dialog, editor, s), c.answer);
    EXPECT_EQ(rows, (std::vector<std::string>{"DimPix 2", "CBitmap [x]", "MultiTask31 [ ]", "ConvertText [x]",
                                              "TextQuality 6"}));
    EXPECT_EQ(s.dimPixel, c.expected.dimPixel);
    EXPECT_EQ(s.cBitmap, c.expected.cBitmap);
    EXPECT_EQ(s.multiTask31, c.expected.multiTask31);
    EXPECT_EQ(s.convertText, c.expected.convertText);
    EXPECT_EQ(s.textQuality, c.expected.textQuality);

    VirtualEditor holder(std::make_unique<RecordingEditor>());
    WinQZInterface sink(nullptr, nullptr);
    zavo::ApplyShellSettings(s, holder, sink);
    EXPECT_EQ(holder.ConvertText, c.expected.convertText);
    EXPECT_EQ(holder.TextQuality, c.holderQuality);
    EXPECT_EQ(sink.peek, c.expected.multiTask31);

    if (c.answer == 1) {
      EXPECT_EQ(editor.codes, std::vector<int>{46});
      EXPECT_EQ(zavo::ReadProfileString(file_, "View", "DimPixel", "?"), std::to_string(c.expected.dimPixel));
      EXPECT_EQ(zavo::ReadProfileString(file_, "View", "MultiTask31", "?"),
                std::to_string(c.expected.multiTask31));
      EXPECT_EQ(zavo::ReadProfileString(file_, "Editor", "TextQuality", "?"),
                std::to_string(c.expected.textQuality));
    } else {
      EXPECT_TRUE(editor.codes.empty());
      EXPECT_EQ(zavo::test::ReadFile(file_), "[Dir]\n");
    }
  }
}

}  // namespace
