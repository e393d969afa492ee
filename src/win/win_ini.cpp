#include "win/win_ini.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

#include "win/profile_file.h"

namespace zavo {
namespace {

std::filesystem::path HomeDirectory() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return home;
  const passwd* entry = ::getpwuid(::getuid());
  if (entry != nullptr && entry->pw_dir != nullptr) return entry->pw_dir;
  return {};
}

}  // namespace

std::filesystem::path WinIniPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::path base;
  if (xdg != nullptr && *xdg != '\0' && std::filesystem::path(xdg).is_absolute()) {
    base = xdg;
  } else {
    const std::filesystem::path home = HomeDirectory();
    if (home.empty()) return {};
    base = home / ".config";
  }
  return base / "zavo" / "win.ini";
}

std::filesystem::path SettingsFilePath() {
  const std::filesystem::path ini = WinIniPath();
  if (ini.empty()) return {};
  return ReadProfileString(ini, kWinIniSection, kWinIniKey, "");
}

bool WriteWinIni(const char* section, const char* key, const char* value) {
  const std::filesystem::path ini = WinIniPath();
  if (ini.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(ini.parent_path(), error);
  if (error) return false;
  return WriteProfileString(ini, section, key, value);
}

}  // namespace zavo
