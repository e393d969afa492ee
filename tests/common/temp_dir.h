#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace zavo::test {

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes away.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
  std::filesystem::path path_;
};

// Changes the working directory for the lifetime of the object.
class ScopedCwd {
public:
  explicit ScopedCwd(const std::filesystem::path& dir);
  ~ScopedCwd();
  ScopedCwd(const ScopedCwd&) = delete;
  ScopedCwd& operator=(const ScopedCwd&) = delete;

private:
  std::filesystem::path old_;
};

// Whole-file helpers for fixtures and outputs.
std::string ReadFile(const std::filesystem::path& p);
void WriteFile(const std::filesystem::path& p, const std::string& text);
// The lines of a text, without their "\n" (a last line without one counts).
std::vector<std::string> SplitLines(const std::string& text);
// A fixture file under tests/data.
std::filesystem::path DataPath(const std::string& relative);

}  // namespace zavo::test
