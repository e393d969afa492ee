// The editing window's menu commands and close query.

#include <wx/utils.h>

#include "win/edit_win.h"
#include "win/message_box.h"

namespace zavo {

void EditWin::OnMenu(wxCommandEvent& event) { MenuCommandId(event.GetId()); }

void EditWin::MenuCommandId(int id) {
  const std::optional<MenuCommand> command = FindMenuCommand(id);
  if (!command) {
    if (id >= kFirstPopupCommand && id <= kLastPopupCommand) flyMenu_.MenuCommand(id);
    return;
  }
  if (busy_ != 0 && !command->busyExempt) return;
  switch (command->action) {
    case MenuAction::Request:
      if (command->busyExempt) {
        Send(command->request, command->value);
      } else {
        SendEvent(command->request, command->value);
      }
      break;
    case MenuAction::RequestThenSingle:
      SendEvent(command->request, command->value);
      layoutMode_ = kLayoutSingle;
      Relayout();
      break;
    case MenuAction::LayoutAll:
      layoutMode_ = kLayoutAll;
      Relayout();
      break;
    case MenuAction::LayoutSingle:
      layoutMode_ = kLayoutSingle;
      Relayout();
      break;
    case MenuAction::LayoutImage:
      layoutMode_ = kLayoutImage;
      Relayout();
      break;
    case MenuAction::OptionsDialog: {
      const std::optional<EDCommand> answer = SendEvent(command->request);
      if (answer && answer->value != 0) WriteSettings();
      break;
    }
    case MenuAction::RenderImage:
      ShowAndRenderImage();
      break;
    case MenuAction::RenderAllFrames:
      RenderAllFrames();
      break;
    case MenuAction::InterfaceOptions:
      CmInterfaceOptions();
      break;
    case MenuAction::Beep:
      wxBell();
      break;
    case MenuAction::NotActive:
      sink_.Message("Command not active");
      break;
  }
}

bool EditWin::CanClose() {
  if (busy_ != 0) return false;
  const EDCommand modified = Send(76);
  if (modified.value == 0) return true;
  return ShowMessageBox(this, "File not saved.\nClose anyway ?", "Warning", BoxButtons::YesNo) ==
         BoxAnswer::Yes;
}

}  // namespace zavo
