#include "foundation/path_resolver.h"

#include <string>
#include <system_error>

namespace zavo {

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::filesystem::path PathFromName(std::string_view name) {
  std::string text(name);
  for (char& c : text) {
    if (c == '\\') c = '/';
  }
  return std::filesystem::path(text);
}

std::optional<std::filesystem::path> ResolvePath(const std::filesystem::path& name) {
  const std::filesystem::path path = PathFromName(name.native());
  std::error_code ec;
  if (path.empty()) return std::nullopt;
  if (std::filesystem::exists(path, ec)) return path;
  if (!path.has_filename()) return std::nullopt;
  const std::string wanted = path.filename().string();
  const std::filesystem::path dir = path.parent_path();
  std::filesystem::directory_iterator it(dir.empty() ? std::filesystem::path(".") : dir, ec);
  if (ec) return std::nullopt;
  std::optional<std::string> best;
  for (const std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    const std::string found = it->path().filename().string();
    if (SameIgnoringAsciiCase(found, wanted) && (!best || found < *best)) best = found;
  }
  if (!best) return std::nullopt;
  return dir / *best;
}

std::optional<std::filesystem::path> FindSideFile(const std::string& path, const char* extension) {
  const std::filesystem::path file = PathFromName(path + "." + extension);
  std::error_code ec;
  if (std::filesystem::is_regular_file(file, ec)) return file;
  if (auto found = ResolvePath(file); found && std::filesystem::is_regular_file(*found, ec)) return found;
  return std::nullopt;
}

std::filesystem::path SideFileName(const std::string& path, const char* extension) {
  if (auto found = FindSideFile(path, extension)) return *found;
  return PathFromName(path + "." + extension);
}

}  // namespace zavo
