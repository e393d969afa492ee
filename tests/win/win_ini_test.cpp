#include "win/win_ini.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "common/temp_dir.h"

namespace {

// Sets an environment variable for the lifetime of the object.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(WinIni, LivesInTheConfigurationDirectory) {
  zavo::test::TempDir dir;
  ScopedEnv home("HOME", dir.path().c_str());
  const struct {
    const char* xdg;
    std::filesystem::path expected;
  } cases[] = {
      {"/etc/xdg-test", "/etc/xdg-test/zavo/win.ini"},
      {nullptr, dir.path() / ".config/zavo/win.ini"},
      {"", dir.path() / ".config/zavo/win.ini"},
      {"relative/dir", dir.path() / ".config/zavo/win.ini"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.xdg != nullptr ? c.xdg : "(unset)");
    ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
    EXPECT_EQ(zavo::WinIniPath(), c.expected);
  }
}

TEST(WinIni, NamesTheSettingsFileAndIsCreatedWithItsDirectory) {
  zavo::test::TempDir dir;
  ScopedEnv xdg("XDG_CONFIG_HOME", (dir.path() / "cfg").c_str());
  EXPECT_TRUE(zavo::SettingsFilePath().empty());
  ASSERT_TRUE(zavo::WriteWinIni("Vnz", "Ini", (dir.path() / "zavo.ini").c_str()));
  EXPECT_EQ(zavo::test::ReadFile(dir.path() / "cfg/zavo/win.ini"),
            "[Vnz]\nIni=" + (dir.path() / "zavo.ini").string() + "\n");
  EXPECT_EQ(zavo::SettingsFilePath(), dir.path() / "zavo.ini");
}

}  // namespace
