// The modified flag and the undo history beside a named document.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document_fixture.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

const fs::path kUndo = fs::path("house.qzd") / "editor" / "undo";

class UndoTest : public DocumentTest {
protected:
  void Name() {
    Read(kPartsScene);
    ASSERT_EQ(editor->SaveSceneAs("house"), 1);
  }
  std::vector<std::string> Snapshots() const {
    std::vector<std::string> names;
    if (!fs::exists(kUndo)) return names;
    for (const auto& entry : fs::directory_iterator(kUndo)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(UndoTest, EveryThirdChangeWritesTheNextSnapshot) {
  Name();
  editor->options.UseUndo = 1;
  editor->options.UndoFreq = 3;
  editor->SetModified();
  editor->SetModified();
  EXPECT_TRUE(Snapshots().empty());
  editor->SetModified();
  EXPECT_EQ(Snapshots(), (std::vector<std::string>{"index", "u00000.qz"}));
  EXPECT_EQ(ReadFile(kUndo / "index"), "0\n");
  EXPECT_EQ(ReadFile(kUndo / "u00000.qz"), SceneText());
  EXPECT_EQ(fakes.system.statuses.back(), "Saving data for undo");
  EXPECT_EQ(editor->modified, 1);
  for (int k = 0; k < 3; ++k) editor->SetModified();
  EXPECT_EQ(ReadFile(kUndo / "index"), "1\n");
  EXPECT_TRUE(fs::exists(kUndo / "u00001.qz"));
}

TEST_F(UndoTest, UnnamedOrSwitchedOffWritesNothing) {
  Read(kPartsScene);
  editor->options.UseUndo = 1;
  editor->SetModified();
  EXPECT_EQ(LastMessage(), "No name.Cannot undo.");
  EXPECT_EQ(editor->modified, 1);
  EXPECT_TRUE(fs::is_empty(dir.path()));

  ASSERT_EQ(editor->SaveSceneAs("house"), 1);
  editor->options.UseUndo = 0;
  fakes.system.messages.clear();
  editor->SetModified();
  EXPECT_TRUE(fakes.system.messages.empty());
  EXPECT_TRUE(Snapshots().empty());
}

// The index decides the next number; a damaged one never makes a snapshot
// replace an older one.
TEST_F(UndoTest, SnapshotNumbersFromTheIndex) {
  struct Case {
    std::string index;
    std::vector<std::string> existing;
    std::string written;
    std::string newIndex;
  };
  const std::vector<Case> cases{
      {"99999\n", {}, "u100000.qz", "100000\n"},
      {"41", {}, "u00042.qz", "42\n"},
      {"abc\n", {"u00000.qz"}, "u00001.qz", "1\n"},
      {"-7\n", {"u00000.qz", "u00001.qz"}, "u00002.qz", "2\n"},
      {"3\n", {"u00004.qz"}, "u00005.qz", "5\n"},
      {"9223372036854775807\n", {}, "u00000.qz", "0\n"},
  };
  Name();
  editor->options.UseUndo = 1;
  editor->options.UndoFreq = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    fs::remove_all(kUndo);
    fs::create_directories(kUndo);
    WriteFile(kUndo / "index", c.index);
    for (const std::string& name : c.existing) WriteFile(kUndo / name, "old " + name);
    editor->SetModified();
    EXPECT_EQ(ReadFile(kUndo / "index"), c.newIndex);
    EXPECT_EQ(ReadFile(kUndo / c.written), SceneText());
    for (const std::string& name : c.existing) EXPECT_EQ(ReadFile(kUndo / name), "old " + name);
  }
}

TEST_F(UndoTest, ChangeDropsTheHierarchyCache) {
  Name();
  editor->options.UseUndo = 0;
  WriteFile("house.qz_", "cache");
  editor->SetModified();
  EXPECT_FALSE(fs::exists("house.qz_"));
}

TEST_F(UndoTest, NotifyChangeRefusesDuringAMouseOperation) {
  editor->mouseMode = 2;
  EXPECT_EQ(editor->NotifyChange(), 0);
  EXPECT_EQ(fakes.winSupp.waitBalance, 0);
  editor->mouseMode = 0;
  EXPECT_EQ(editor->NotifyChange(), 1);
  EXPECT_EQ(fakes.winSupp.waitBalance, 1);
  editor->SetModified();
  EXPECT_EQ(fakes.winSupp.waitBalance, 0);
}

}  // namespace
}  // namespace zavo::test
