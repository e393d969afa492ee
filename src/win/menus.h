#pragma once

// The main frame's menus and accelerators. Menu 100 is the full menu, menu
// 101 the reduced one (no lamp and view pop-ups, no print items, no undo and
// clipboard items, no "File W&RL" and no "&Using help"). Labels keep their
// shortcut texts after the tab as written, but only accelerator table 100
// acts: a label's shortcut text is never made into a key binding.

#include <string>
#include <vector>

class wxAcceleratorTable;
class wxMenuBar;

namespace zavo {

inline constexpr int kFullMenu = 100;
inline constexpr int kReducedMenu = 101;

// One item of a menu: a command (id non-zero) or a pop-up (children).
struct MenuNode {
  std::string label;
  int id = 0;
  std::vector<MenuNode> children;
};

// The ten pop-ups of the menu bar (kFullMenu or kReducedMenu), in their order.
std::vector<MenuNode> MainMenu(int menu);

// The status-bar hint of a command id; empty when the id has none.
const char* MenuHint(int id);

// The wx menu bar of the menu. Each item's label holds the text as written,
// tabs included, but carries no key binding.
wxMenuBar* BuildMenuBar(int menu);

// Accelerator table 100: a key with its modifiers and the command it sends.
struct AcceleratorEntry {
  int flags = 0;    // wxACCEL_NORMAL, wxACCEL_SHIFT, wxACCEL_CTRL, wxACCEL_ALT
  int keyCode = 0;  // a wx key code
  int command = 0;
};
const std::vector<AcceleratorEntry>& AcceleratorTable100();
wxAcceleratorTable MakeAcceleratorTable();

}  // namespace zavo
