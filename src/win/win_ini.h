#pragma once

// Where the program's own initialisation file lives: win.ini in the user's
// configuration directory, whose section "Vnz", key "Ini" names the settings
// file.

#include <filesystem>

namespace zavo {

inline constexpr const char* kWinIniSection = "Vnz";
inline constexpr const char* kWinIniKey = "Ini";

// $XDG_CONFIG_HOME/zavo/win.ini; an unset, empty or relative XDG_CONFIG_HOME
// means ~/.config. Empty when no home directory is known.
std::filesystem::path WinIniPath();

// The settings file named by win.ini, read afresh on every call; empty when
// win.ini or the key is missing.
std::filesystem::path SettingsFilePath();

// Writes the key of the section into win.ini, creating win.ini and its
// directory when missing. False when it cannot be written.
bool WriteWinIni(const char* section, const char* key, const char* value);

}  // namespace zavo
