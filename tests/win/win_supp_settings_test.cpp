#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/temp_dir.h"
#include "win/win_ini.h"
#include "win/win_supp.h"

namespace {

namespace fs = std::filesystem;
using zavo::test::ReadFile;
using zavo::test::TempDir;

// A configuration directory of the test's own.
class WinSuppSettings : public ::testing::Test {
protected:
  void SetUp() override {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldXdg_ = old;
    ::setenv("XDG_CONFIG_HOME", (dir_.path() / "config").c_str(), 1);
  }
  void TearDown() override {
    if (oldXdg_.empty()) {
      ::unsetenv("XDG_CONFIG_HOME");
    } else {
      ::setenv("XDG_CONFIG_HOME", oldXdg_.c_str(), 1);
    }
  }
  std::string Read(WinSupp& s, const char* section, const char* key, const char* dflt) {
    charString result;
    s.ReadSetting(section, key, dflt, result);
    return result.Text() != nullptr ? result.Text() : "";
  }

  TempDir dir_;
  std::string oldXdg_;
};

TEST_F(WinSuppSettings, WithoutASettingsFileReadsGiveTheDefaultAndWritesNothing) {
  WinSupp support;
  EXPECT_EQ(Read(support, "Editor", "UseGrid", "0"), "0");
  EXPECT_EQ(support.WriteSetting("Editor", "UseGrid", "1"), 0);
  EXPECT_FALSE(fs::exists(dir_.path() / "config"));
}

TEST_F(WinSuppSettings, WinIniIsReadAgainOnEveryCall) {
  WinSupp support;
  const fs::path first = dir_ / "first.ini";
  const fs::path second = dir_ / "second.ini";
  ASSERT_TRUE(zavo::WriteWinIni("Vnz", "Ini", first.c_str()));
  EXPECT_EQ(support.WriteSetting("Editor", "GridDim", "0.25"), 1);
  EXPECT_EQ(ReadFile(first), "[Editor]\nGridDim=0.25\n");
  EXPECT_EQ(Read(support, "editor", "griddim", "0.1"), "0.25");

  ASSERT_TRUE(zavo::WriteWinIni("Vnz", "Ini", second.c_str()));
  EXPECT_EQ(Read(support, "Editor", "GridDim", "0.1"), "0.1");
  EXPECT_EQ(support.WriteSetting("Editor", "GridDim", "0.5"), 1);
  EXPECT_EQ(ReadFile(second), "[Editor]\nGridDim=0.5\n");
  EXPECT_EQ(ReadFile(first), "[Editor]\nGridDim=0.25\n");
}

TEST_F(WinSuppSettings, LongValuesAreReadWholeAndFailedWritesAnswerZero) {
  WinSupp support;
  const std::string deep = (dir_.path() / std::string(400, 'd')).string();
  ASSERT_TRUE(zavo::WriteWinIni("Vnz", "Ini", (dir_.path() / "zavo.ini").c_str()));
  ASSERT_EQ(support.WriteSetting("Dir", "LibraryDir", deep.c_str()), 1);
  EXPECT_EQ(Read(support, "Dir", "LibraryDir", "."), deep);
  // A settings file in a directory that does not exist.
  ASSERT_TRUE(zavo::WriteWinIni("Vnz", "Ini", (dir_.path() / "none" / "zavo.ini").c_str()));
  EXPECT_EQ(support.WriteSetting("Dir", "LibraryDir", "x"), 0);
}

}  // namespace
