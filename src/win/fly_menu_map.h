#pragma once

// The display-free half of the pop-up menus: turns a FlyMenuItem tree into
// the entries of a menu and records, for every command entry, the index path
// that leads to it. Command entry a (depth-first order) is menu command
// kFlyMenuFirstCommand + a; only the commands up to kFlyMenuLastCommand can
// be chosen.

#include <memory>
#include <string>
#include <vector>

#include "editor/fly_menu.h"
#include "foundation/seq.h"

namespace zavo {

inline constexpr int kFlyMenuFirstCommand = 5000;
inline constexpr int kFlyMenuLastCommand = 9999;

// One command entry of the open pop-up menu: the item (not owned) and the
// path of sub-item indices from the root down to it.
struct FMIAssoc {
  const FlyMenuItem* item = nullptr;
  Seq<int> path;
};

// The association table, kept in blocks of kBlock entries: growing keeps
// every existing entry and adds entries with an empty path; shrinking only
// lowers the count; copying copies every path.
class FMIAssocTable {
public:
  static constexpr unsigned kBlock = 100;

  FMIAssocTable() = default;
  FMIAssocTable(const FMIAssocTable& other) { *this = other; }
  FMIAssocTable& operator=(const FMIAssocTable& other);

  unsigned Count() const { return count_; }
  unsigned Blocks() const { return static_cast<unsigned>(blocks_.size()); }
  void SetCount(unsigned n);
  void Clear();
  // Appends an entry and answers its index.
  unsigned Append(const FlyMenuItem* item, const Seq<int>& path);

  FMIAssoc& operator[](unsigned i) { return blocks_[i / kBlock][i % kBlock]; }
  const FMIAssoc& operator[](unsigned i) const { return blocks_[i / kBlock][i % kBlock]; }

private:
  std::vector<std::unique_ptr<FMIAssoc[]>> blocks_;
  unsigned count_ = 0;
};

// One entry of the menu to show: a submenu (assoc < 0, its entries in sub)
// or a command (assoc >= 0, its index in the association table).
struct FlyMenuEntry {
  std::string name;
  int assoc = -1;
  std::vector<FlyMenuEntry> sub;

  bool IsCommand() const { return assoc >= 0; }
  int Command() const { return kFlyMenuFirstCommand + assoc; }
};

// Clears the table and builds the entries of the root's sub-items (the root's
// own name is not shown), appending one association per command entry. An
// item without sub-items is a command, even with an empty name.
std::vector<FlyMenuEntry> BuildFlyMenu(const FlyMenuItem& root, FMIAssocTable& table);

// The path recorded for a menu command: true and the path when the command
// lies in kFlyMenuFirstCommand..kFlyMenuLastCommand and names an entry of
// the table; false (path untouched) otherwise.
bool FlyMenuChoicePath(const FMIAssocTable& table, int command, Seq<int>& path);

}  // namespace zavo
