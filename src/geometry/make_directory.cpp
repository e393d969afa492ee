#include "geometry/make_directory.h"

#include <system_error>

std::filesystem::path MakeDirectoryPath(const std::filesystem::path& base, const char* name, bool* exists) {
  std::filesystem::path path = base;
  if (name != nullptr && *name != '\0') path /= name;
  std::error_code ec;
  std::filesystem::create_directory(path, ec);
  if (exists != nullptr) *exists = std::filesystem::is_directory(path, ec);
  return path;
}
