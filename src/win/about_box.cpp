#include "win/about_box.h"

#include <algorithm>
#include <string>

#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "win/app_icon.h"

namespace zavo {
namespace {

// The version line's text is read back into a buffer of 128 characters.
constexpr std::size_t kReadBack = 127;

}  // namespace

zavoAboutDlg::zavoAboutDlg(wxWindow* parent, const ProjectRCVersion& version)
    : wxDialog(parent, kId, "About zavo") {
  // Places and sizes in dialog units, as the dialog's table gives them.
  const auto place = [this](int x, int y) { return ConvertDialogToPixels(wxPoint(x, y)); };
  const auto size = [this](int w, int h) { return ConvertDialogToPixels(wxSize(w, h)); };
  const long centred = wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE;
  new wxStaticText(this, wxID_ANY, "ZI Rizeda", place(2, 4), size(200, 8), centred);
  new wxStaticText(this, kVersion, "Version", place(2, 14), size(200, 8), centred);
  new wxStaticText(this, kCopyright, "", place(2, 27), size(200, 17), centred);
  new wxStaticText(this, kSpecialBuild, "", place(136, 55), size(66, 8),
                   wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
  const wxSize iconSize = size(34, 34);
  new wxStaticBitmap(this, wxID_ANY, AppIconBitmap(std::min(iconSize.x, iconSize.y)), place(2, 2),
                     iconSize);
  auto* ok = new wxButton(this, wxID_OK, "OK", place(82, 48), size(40, 14));
  ok->SetDefault();
  SetEscapeId(wxID_OK);
  SetClientSize(size(204, 65));
  SetupWindow(version);
  CentreOnParent();
}

// The texts are shown as they are: an "&" in them is no mnemonic.
void zavoAboutDlg::SetupWindow(const ProjectRCVersion& version) {
  std::string name;
  std::string number;
  if (version.GetProductName(name) && version.GetProductVersion(number)) {
    auto* line = static_cast<wxControl*>(FindWindow(kVersion));
    const std::string text = line->GetLabelText().ToStdString().substr(0, kReadBack);
    line->SetLabelText(wxString::FromUTF8(name + " " + text + " " + number));
  }
  std::string copyright;
  if (version.GetCopyright(copyright)) {
    static_cast<wxControl*>(FindWindow(kCopyright))->SetLabelText(wxString::FromUTF8(copyright));
  }
  std::string build;
  if (version.GetSpecialBuild(build)) {
    static_cast<wxControl*>(FindWindow(kSpecialBuild))->SetLabelText(wxString::FromUTF8(build));
  }
}

void ShowAboutBox(wxWindow* parent) {
  zavoAboutDlg dialog(parent, ProjectRCVersion());
  dialog.ShowModal();
}

}  // namespace zavo
