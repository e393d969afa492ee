#pragma once

// Pop-up menus: the editor builds a tree of FlyMenuItem and the window layer
// shows it at the mouse (FlyMenu::Show). The root is never shown: its
// sub-items are the menu's top entries; an item with sub-items is a submenu,
// an item without is a command.

#include "foundation/char_string.h"
#include "foundation/seq.h"

class FlyMenuItem {
public:
  FlyMenuItem() = default;
  explicit FlyMenuItem(const char* label) : name(label) {}

  // Replaces the sub-items by n new empty items (no name, no sub-items);
  // 0 frees them.
  void SetSubCount(unsigned n) { sub.SetSize(n); }
  unsigned SubCount() const { return sub.Count(); }
  FlyMenuItem& Sub(unsigned i) { return sub[i]; }
  const FlyMenuItem& Sub(unsigned i) const { return sub[i]; }

  charString name;
  Seq<FlyMenuItem> sub;
};

class FlyMenu {
public:
  virtual ~FlyMenu() = default;
  // Shows the tree as a pop-up menu and waits until it closes: 1 with the
  // index path of the chosen command in path (the index among the root's
  // sub-items first, the command's last), 0 when the menu was dismissed or
  // there is no window to show it in.
  virtual int Show(const FlyMenuItem& root, Seq<int>& path) = 0;
};
