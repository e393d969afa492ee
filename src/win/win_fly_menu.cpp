#include "win/win_fly_menu.h"

#include <memory>

#include <wx/defs.h>
#include <wx/menu.h>
#include <wx/window.h>

namespace zavo {

namespace {

constexpr int kFirstWxId = wxID_HIGHEST + 1;

void AppendEntries(wxMenu& menu, const std::vector<FlyMenuEntry>& entries) {
  for (const FlyMenuEntry& e : entries) {
    const wxString label = wxString::FromUTF8(e.name.c_str());
    if (e.IsCommand()) {
      // An empty label would make GTK show a separator.
      menu.Append(WinFlyMenu::WxIdOf(e.assoc), label.empty() ? wxString(" ") : label);
    } else {
      auto sub = std::make_unique<wxMenu>();
      AppendEntries(*sub, e.sub);
      menu.AppendSubMenu(sub.release(), label);
    }
  }
}

}  // namespace

int WinFlyMenu::WxIdOf(int assoc) { return kFirstWxId + assoc; }

int WinFlyMenu::CommandOfWxId(int wxId) { return kFlyMenuFirstCommand + (wxId - kFirstWxId); }

int WinFlyMenu::Show(const FlyMenuItem& root, Seq<int>& path) {
  wxWindow* window = owner_ != nullptr ? owner_->Window() : nullptr;
  if (window == nullptr) return 0;
  chosen_ = -1;
  const std::vector<FlyMenuEntry> entries = BuildFlyMenu(root, table_);
  if (entries.empty()) return 0;  // nothing to choose: no menu is shown
  wxMenu menu;
  AppendEntries(menu, entries);
  const wxPoint at = owner_->mouseKnown ? window->ScreenToClient(owner_->lastMouse) : wxDefaultPosition;
  const int id = popup_ ? popup_(window, menu, at) : window->GetPopupMenuSelectionFromUser(menu, at);
  if (id != wxID_NONE && id >= kFirstWxId) MenuCommand(CommandOfWxId(id));
  if (chosen_ == -1) return 0;
  return FlyMenuChoicePath(table_, chosen_, path) ? 1 : 0;
}

void WinFlyMenu::MenuCommand(int command) {
  if (command < kFlyMenuFirstCommand || command > kFlyMenuLastCommand) return;
  chosen_ = command;
}

}  // namespace zavo
