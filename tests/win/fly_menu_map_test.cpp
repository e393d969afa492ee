#include "win/fly_menu_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zavo {
namespace {

std::vector<int> Path(const Seq<int>& s) { return std::vector<int>(s.Data(), s.Data() + s.Count()); }

// A root named "Menu" with: "Move", a submenu "Align" of "Left" and "Right",
// then "" (an unnamed command).
FlyMenuItem SampleTree() {
  FlyMenuItem root("Menu");
  root.SetSubCount(3);
  root.Sub(0).name = "Move";
  root.Sub(1).name = "Align";
  root.Sub(1).SetSubCount(2);
  root.Sub(1).Sub(0).name = "Left";
  root.Sub(1).Sub(1).name = "Right";
  return root;
}

TEST(FlyMenuMap, CommandsAreNumberedDepthFirstWithTheirPaths) {
  const FlyMenuItem root = SampleTree();
  FMIAssocTable table;
  const std::vector<FlyMenuEntry> entries = BuildFlyMenu(root, table);

  // The root's own name is not an entry; the submenu is no command.
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "Move");
  EXPECT_FALSE(entries[1].IsCommand());
  EXPECT_EQ(entries[1].name, "Align");
  ASSERT_EQ(entries[1].sub.size(), 2u);
  EXPECT_TRUE(entries[2].IsCommand());  // no sub-items: a command, empty name and all
  EXPECT_EQ(entries[2].name, "");

  struct Case {
    const FlyMenuEntry* entry;
    int command;
    const FlyMenuItem* item;
    std::vector<int> path;
  };
  const Case cases[] = {
      {&entries[0], 5000, &root.Sub(0), {0}},
      {&entries[1].sub[0], 5001, &root.Sub(1).Sub(0), {1, 0}},
      {&entries[1].sub[1], 5002, &root.Sub(1).Sub(1), {1, 1}},
      {&entries[2], 5003, &root.Sub(2), {2}},
  };
  ASSERT_EQ(table.Count(), 4u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    EXPECT_EQ(c.entry->Command(), c.command);
    EXPECT_EQ(table[c.entry->assoc].item, c.item);
    Seq<int> path;
    ASSERT_TRUE(FlyMenuChoicePath(table, c.command, path));
    EXPECT_EQ(Path(path), c.path);
  }
}

TEST(FlyMenuMap, CommandsOutsideTheMenuLeaveThePathAlone) {
  const FlyMenuItem root = SampleTree();
  FMIAssocTable table;
  BuildFlyMenu(root, table);
  for (int command : {-1, 4999, 5004, 9999, 10000}) {
    Seq<int> path(2);
    path[0] = 7;
    path[1] = 8;
    EXPECT_FALSE(FlyMenuChoicePath(table, command, path)) << command;
    EXPECT_EQ(Path(path), (std::vector<int>{7, 8})) << command;
  }
}

TEST(FlyMenuMap, OnlyTheFirstFiveThousandCommandsCanBeChosen) {
  FlyMenuItem root;
  root.SetSubCount(5002);
  FMIAssocTable table;
  const std::vector<FlyMenuEntry> entries = BuildFlyMenu(root, table);
  ASSERT_EQ(table.Count(), 5002u);
  EXPECT_EQ(table.Blocks(), 51u);
  Seq<int> path;
  ASSERT_TRUE(FlyMenuChoicePath(table, entries[4999].Command(), path));
  EXPECT_EQ(Path(path), std::vector<int>{4999});
  EXPECT_FALSE(FlyMenuChoicePath(table, entries[5000].Command(), path));
  // A new menu starts the numbering again.
  BuildFlyMenu(SampleTree(), table);
  EXPECT_EQ(table.Count(), 4u);
}

TEST(FlyMenuMap, TheTableGrowsByBlocksKeepsEntriesAndCopiesPaths) {
  FMIAssocTable table;
  FlyMenuItem item;
  Seq<int> path(1);
  path[0] = 3;
  table.Append(&item, path);
  table.SetCount(250);
  EXPECT_EQ(table.Blocks(), 3u);
  EXPECT_EQ(table[0].item, &item);
  EXPECT_EQ(Path(table[0].path), std::vector<int>{3});
  EXPECT_EQ(table[249].path.Count(), 0u);  // new entries start with an empty path

  table.SetCount(1);  // shrinking only lowers the count
  EXPECT_EQ(table.Blocks(), 3u);
  table.SetCount(150);
  EXPECT_EQ(Path(table[0].path), std::vector<int>{3});

  FMIAssocTable copy(table);
  table[0].path[0] = 9;
  EXPECT_EQ(copy.Count(), 150u);
  EXPECT_EQ(copy[0].item, &item);
  EXPECT_EQ(Path(copy[0].path), std::vector<int>{3});
}

}  // namespace
}  // namespace zavo
