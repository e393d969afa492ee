#pragma once
// The about box: product name, version, copyright and build note.

#include <wx/dialog.h>

#include "win/project_rc_version.h"

class wxWindow;

namespace zavo {

// Dialog 22000 "About zavo", laid out in dialog units. Its set-up fills the
// texts from the version data: 22001 "Version" becomes "<name> Version
// <version>" when both strings exist, 22002 takes the copyright line and
// 22003 the build note.
class zavoAboutDlg : public wxDialog {
public:
  static constexpr int kId = 22000;
  static constexpr int kVersion = 22001;
  static constexpr int kCopyright = 22002;
  static constexpr int kSpecialBuild = 22003;

  zavoAboutDlg(wxWindow* parent, const ProjectRCVersion& version);

private:
  void SetupWindow(const ProjectRCVersion& version);
};

// Shows the modal about box "About zavo".
void ShowAboutBox(wxWindow* parent);

}  // namespace zavo
