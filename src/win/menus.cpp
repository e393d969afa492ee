#include "win/menus.h"

#include <wx/accel.h>
#include <wx/menu.h>

namespace zavo {
namespace {

MenuNode Item(const char* label, int id) { return MenuNode{label, id, {}}; }
MenuNode Popup(const char* label, std::vector<MenuNode> children) {
  return MenuNode{label, 0, std::move(children)};
}

// A menu item that never turns the shortcut text of its label into a key
// binding: the frame's accelerator table is the only one that acts.
class TextOnlyItem : public wxMenuItem {
public:
  TextOnlyItem(wxMenu* parent, int id, const wxString& label)
      : wxMenuItem(parent, id, label, MenuHint(id)) {}
  wxAcceleratorEntry* GetAccel() const override { return nullptr; }
  // Appending the item drops the shortcut text that no binding backs: put
  // the label back as written.
  void KeepLabel(const wxString& label) { m_text = label; }
};

void Fill(wxMenu& menu, const std::vector<MenuNode>& nodes) {
  for (const MenuNode& node : nodes) {
    const wxString label = wxString::FromUTF8(node.label);
    if (node.id != 0) {
      auto* item = new TextOnlyItem(&menu, node.id, label);
      menu.Append(item);
      item->KeepLabel(label);
      continue;
    }
    auto* sub = new wxMenu;
    Fill(*sub, node.children);
    menu.AppendSubMenu(sub, label);
  }
}

}  // namespace

std::vector<MenuNode> MainMenu(int menu) {
  const bool full = menu == kFullMenu;
  // The "&Command" items carry two tabs before the shortcut in the full menu.
  const std::string tab = full ? "\t\t" : "\t";

  std::vector<MenuNode> file{Item("&New", 24331), Item("&Open...", 24332), Item("&Close", 24339),
                             Item("&Save", 24333), Item("Save &As...", 24334)};
  if (full) {
    file.push_back(Item("Print Pre&view...", 24340));
    file.push_back(Item("&Print...", 24337));
    file.push_back(Item("P&rint Setup...", 24338));
  }
  file.push_back(Item("E&xit\tAlt+F4", 24310));

  std::vector<MenuNode> edit;
  if (full) {
    edit = {Item("&Undo\tAlt+BkSp", 24321), Item("Cu&t\tShift+Del", 24322),
            Item("&Copy\tCtrl+Ins", 24323), Item("&Paste\tShift+Ins", 24324),
            Item("&Delete\tDel", 24325),    Item("Clear &All\tCtrl+Del", 24326)};
  }
  edit.push_back(Item("D&uplicate", 24329));
  edit.push_back(Item("&Param", 1));
  edit.push_back(Popup("&Object", {Item("&Create", 113), Item("&Modify", 116), Item("&Delete", 117),
                                   Item("&Rotate", 118), Item("&Traslate", 119), Item("&Scale", 120),
                                   Item("M&odify Comm", 127), Item("S&pecial", 8),
                                   Item("&Extra info", 9)}));
  if (full) {
    edit.push_back(Popup("&Lamp", {Item("&Create", 114), Item("&Modify", 121), Item("&Delete", 122),
                                   Item("&Rotate", 125), Item("&Traslate", 135), Item("&Scale", 136),
                                   Item("M&odify Comm", 128), Item("S&pecial", 2)}));
  }
  edit.push_back(Popup("&Material", {Item("&Create", 115), Item("&Modify", 123), Item("&Delete", 124)}));
  edit.push_back(Popup("&Texture", {Item("&Create", 104), Item("&Delete", 138)}));
  edit.push_back(Popup("&Mapping", {Item("&Create", 137), Item("&Get from ...", 139),
                                    Item("&Delete", 140), Item("&Show", 141), Item("&Hide", 142)}));
  if (full) {
    edit.push_back(Popup("&View", {Item("&General ...", 10), Item("&PRP", 108), Item("&VRP", 109),
                                   Item("V&UP", 110), Item("V&PN", 111), Item("&Window", 112)}));
  }

  const std::vector<MenuNode> command{
      Item("R&Draw 3D\tF5", 3),           Item(("R&Preview" + tab + "F9").c_str(), 4),
      Item(("Zoom &in" + tab + "i").c_str(), 5), Item(("Zoom &out" + tab + "o").c_str(), 6),
      Item(("&Center" + tab + "c").c_str(), 7),  Item(("Axis " + tab + "F12").c_str(), 11),
      Item("Object editing\tF11", 18),     Item("&Find Object", 523)};

  std::vector<MenuNode> insert{Item("File &QZ", 102), Item("File &DXF", 143), Item("File R&AW", 144)};
  if (full) insert.push_back(Item("File W&RL", 222));
  insert.push_back(Item("&Text", 16));
  insert.push_back(
      Popup("&Library", {Item("&Material", 223), Item("&Param", 224), Item("&Field", 225)}));

  std::vector<MenuNode> help{Item("&Contents", 2001)};
  if (full) help.push_back(Item("&Using help", 2002));
  help.push_back(Item("&About...", 2009));

  return {
      Popup("&File", std::move(file)),
      Popup("&Edit", std::move(edit)),
      Popup("&Command", command),
      Popup("&Insert", std::move(insert)),
      Popup("&Action", {Item("&Prolog", 17), Item("&Create image", 107), Item("C&reate all frames", 149)}),
      Popup("A&nimate", {Item("&Go to frame ...", 146), Item("&NFrame", 147), Item("&End", 148)}),
      Popup("&Layer", {Item("&Create", 126), Item("&Delete", 129), Item("&Add to ...", 130),
                       Item("&Remove from ...", 131), Item("&Group", 132), Item("&Select", 133),
                       Item("&Open Group...", 134)}),
      Popup("&Option", {Item("&General ...", 103), Item("&Interface ...", 145)}),
      Popup("&Window", {Item("&Top view", 12), Item("&Front view", 13), Item("&Side view", 14),
                        Item("&Preview view", 15), Item("&Single window", 101),
                        Item("&All windows", 105), Item("S&how image", 106)}),
      Popup("&Help", std::move(help)),
  };
}

const char* MenuHint(int id) {
  switch (id) {
    case 24331: return "Creates a new window";
    case 24332: return "Opens a window";
    case 24333: return "Saves this document";
    case 24337: return "Print this document";
    default: return "";
  }
}

wxMenuBar* BuildMenuBar(int menu) {
  auto* bar = new wxMenuBar;
  for (const MenuNode& popup : MainMenu(menu)) {
    auto* sub = new wxMenu;
    Fill(*sub, popup.children);
    bar->Append(sub, wxString::FromUTF8(popup.label));
  }
  return bar;
}

const std::vector<AcceleratorEntry>& AcceleratorTable100() {
  static const std::vector<AcceleratorEntry> table{
      {wxACCEL_SHIFT, WXK_DELETE, 24322}, {wxACCEL_CTRL, WXK_INSERT, 24323},
      {wxACCEL_SHIFT, WXK_INSERT, 24324}, {wxACCEL_CTRL, WXK_DELETE, 24326},
      {wxACCEL_ALT, WXK_BACK, 24321},     {wxACCEL_NORMAL, WXK_F3, 24353},
      {wxACCEL_NORMAL, WXK_F5, 3},        {wxACCEL_NORMAL, WXK_F9, 4},
      {wxACCEL_NORMAL, 'C', 7},           {wxACCEL_NORMAL, 'I', 5},
      {wxACCEL_NORMAL, 'O', 6},           {wxACCEL_NORMAL, WXK_F12, 11},
      {wxACCEL_NORMAL, WXK_F11, 18},
  };
  return table;
}

wxAcceleratorTable MakeAcceleratorTable() {
  std::vector<wxAcceleratorEntry> entries;
  for (const AcceleratorEntry& e : AcceleratorTable100()) {
    entries.emplace_back(e.flags, e.keyCode, e.command);
  }
  return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}

}  // namespace zavo
