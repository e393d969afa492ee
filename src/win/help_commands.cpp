// The help commands. No viewer for the Windows help file exists here: each
// help request shows a box that names the topic instead.

#include "win/app_commands.h"
#include "win/message_box.h"

namespace zavo {

std::string HelpUnavailableText(const std::string& topic) {
  return "The help file zavo.hlp is not available on this system.\nTopic: " + topic;
}

void AppCommands::ShowContents() {
  ShowMessageBox(host_.Owner(), "Read file manual.wri", "Help", BoxButtons::Ok);
}

void AppCommands::ShowHelp(const std::string& topic) {
  if (host_.Busy()) return;
  ShowMessageBox(host_.Owner(), wxString::FromUTF8(HelpUnavailableText(topic)), "Help", BoxButtons::Ok);
}

}  // namespace zavo
