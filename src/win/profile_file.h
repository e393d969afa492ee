#pragma once

// Settings files in the INI layout ("[section]" lines followed by "key=value"
// lines). Sections and keys match without regard to case and the first
// occurrence counts; blanks around section names, keys and values are ignored;
// LF and CRLF files read alike; values are read whole.
//
// Writing changes the one line of the key and keeps every other byte of the
// file: a new key goes after the last key of its section, a new section at the
// end of the file. Every write replaces the file through a temporary file and
// a rename.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zavo {

// The text of a settings file, read and changed in memory.
class ProfileText {
public:
  ProfileText() = default;
  explicit ProfileText(std::string text) : text_(std::move(text)) {}

  const std::string& Text() const { return text_; }

  // The value of the key in the section; nothing when either is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // Sets the key of the section to the value, adding the key or the section
  // when missing.
  void Set(std::string_view section, std::string_view key, std::string_view value);

private:
  std::string text_;
};

// The value of the key, the default when the file, the section or the key is
// missing.
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultText);

// The value of the key read as an integer: initial blanks, an optional sign
// and decimal digits ("  3" gives 3, "abc" 0, values beyond the range of int
// saturate); the default when the key is missing.
int ReadProfileInt(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, int defaultValue);

// Writes the key of the section into the file, creating the file when it does
// not exist (not its directory). False when the file cannot be read or
// written; the old file then stays as it was.
bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);

// The integer prefix rule of ReadProfileInt applied to a text.
int ProfileIntValue(std::string_view text);

}  // namespace zavo
