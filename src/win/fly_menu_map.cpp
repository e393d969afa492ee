#include "win/fly_menu_map.h"

namespace zavo {

FMIAssocTable& FMIAssocTable::operator=(const FMIAssocTable& other) {
  if (this == &other) return *this;
  Clear();
  SetCount(other.count_);
  for (unsigned i = 0; i < other.count_; ++i) {
    (*this)[i].item = other[i].item;
    (*this)[i].path = other[i].path;
  }
  return *this;
}

void FMIAssocTable::SetCount(unsigned n) {
  const std::size_t need = (static_cast<std::size_t>(n) + kBlock - 1) / kBlock;
  while (blocks_.size() < need) blocks_.push_back(std::make_unique<FMIAssoc[]>(kBlock));
  count_ = n;
}

void FMIAssocTable::Clear() {
  blocks_.clear();
  count_ = 0;
}

unsigned FMIAssocTable::Append(const FlyMenuItem* item, const Seq<int>& path) {
  const unsigned a = count_;
  SetCount(a + 1);
  (*this)[a].item = item;
  (*this)[a].path = path;
  return a;
}

namespace {

Seq<int> ToSeq(const std::vector<int>& v) {
  Seq<int> s(static_cast<std::uint32_t>(v.size()));
  for (std::size_t i = 0; i < v.size(); ++i) s[static_cast<std::uint32_t>(i)] = v[i];
  return s;
}

// Builds the entries of item's sub-items; current holds the indices of the
// open levels, its last index the position of the sub-item being built.
void BuildLevel(const FlyMenuItem& item, std::vector<int>& current, FMIAssocTable& table,
                std::vector<FlyMenuEntry>& out) {
  current.push_back(0);
  for (unsigned i = 0; i < item.SubCount(); ++i) {
    const FlyMenuItem& sub = item.Sub(i);
    FlyMenuEntry entry;
    if (sub.name.Text() != nullptr) entry.name = sub.name.Text();
    if (sub.SubCount() > 0) {
      BuildLevel(sub, current, table, entry.sub);
    } else {
      entry.assoc = static_cast<int>(table.Append(&sub, ToSeq(current)));
    }
    out.push_back(std::move(entry));
    ++current.back();
  }
  current.pop_back();
}

}  // namespace

std::vector<FlyMenuEntry> BuildFlyMenu(const FlyMenuItem& root, FMIAssocTable& table) {
  table.Clear();
  std::vector<FlyMenuEntry> entries;
  std::vector<int> current;
  BuildLevel(root, current, table, entries);
  return entries;
}

bool FlyMenuChoicePath(const FMIAssocTable& table, int command, Seq<int>& path) {
  if (command < kFlyMenuFirstCommand || command > kFlyMenuLastCommand) return false;
  const unsigned a = static_cast<unsigned>(command - kFlyMenuFirstCommand);
  if (a >= table.Count()) return false;
  path = table[a].path;
  return true;
}

}  // namespace zavo
