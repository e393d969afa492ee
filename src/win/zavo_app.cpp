#include "win/zavo_app.h"

#include <string>
#include <vector>

#include "foundation/runtime_error_box.h"
#include "win/fault_handler.h"
#include "win/main_frame.h"
#include "win/message_box.h"
#include "win/profile_file.h"
#include "win/win_ini.h"

namespace zavo {

int ReadTestFlag() {
  const std::filesystem::path settings = SettingsFilePath();
  if (settings.empty()) return 0;
  return ProfileIntValue(ReadProfileString(settings, "Editor", "Test", "0"));
}

void ShowRuntimeErrorBox(const char* text) {
  ShowMessageBox(nullptr, wxString::FromUTF8(text != nullptr ? text : ""), kRuntimeErrorTitle,
                 BoxButtons::Ok);
}

void InstallGuiRuntimeErrorHandler() { SetRuntimeErrorHandler(ShowRuntimeErrorBox); }

ZavoApp::ZavoApp() {
  SetAppName("zavo");
  InstallFaultHandler();
}

bool ZavoApp::OnInit() {
  // wx's own command-line parsing would refuse a scene argument; GTK has
  // already taken its options out of argc and argv.
  InstallGuiRuntimeErrorHandler();
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i].utf8_str());
  auto* frame = new MainFrame(ReadTestFlag());
  frame->SetCommandLine(arguments);
  frame->Show();
  SetTopWindow(frame);
  return true;
}

}  // namespace zavo
