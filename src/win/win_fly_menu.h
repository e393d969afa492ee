#pragma once

// Pop-up menus of the editing window: shows a FlyMenuItem tree at the last
// recorded pointer position and answers the index path of the chosen command.

#include <functional>

#include <wx/gdicmn.h>

#include "editor/fly_menu.h"
#include "win/edit_win_link.h"
#include "win/fly_menu_map.h"

class wxMenu;
class wxWindow;

namespace zavo {

class WinFlyMenu : public FlyMenu {
public:
  // Shows the menu in the window at the client point and answers the wx id
  // of the chosen entry, or wxID_NONE when the menu was dismissed.
  using PopupFunction = std::function<int(wxWindow* window, wxMenu& menu, wxPoint client)>;

  // The wx id of association entry a (our own range, clear of wx's stock ids).
  static int WxIdOf(int assoc);
  // The command (5000 + a) of a wx id of a pop-up entry.
  static int CommandOfWxId(int wxId);

  explicit WinFlyMenu(EditWinLink* owner = nullptr) : owner_(owner) {}

  void SetOwner(EditWinLink* owner) { owner_ = owner; }
  // Replaces how the menu is shown (tests); null restores the real pop-up.
  void SetPopupFunction(PopupFunction popup) { popup_ = std::move(popup); }

  // 0 without an owner window or entries; 1 and the path after a choice; 0 (path
  // untouched) when the menu was dismissed.
  int Show(const FlyMenuItem& root, Seq<int>& path) override;

  // Records a chosen pop-up command (5000 to 9999); other ids are ignored.
  void MenuCommand(int command);

  const FMIAssocTable& Table() const { return table_; }

private:
  EditWinLink* owner_;
  PopupFunction popup_;
  FMIAssocTable table_;
  int chosen_ = -1;
};

}  // namespace zavo
