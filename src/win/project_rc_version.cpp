#include "win/project_rc_version.h"

#include <utility>

namespace zavo {

ProjectRCVersion::ProjectRCVersion() : strings_(BuiltVersion()) {}

ProjectRCVersion::ProjectRCVersion(VersionStrings strings) : strings_(std::move(strings)) {}

bool ProjectRCVersion::Get(const std::string& value, std::string& text) {
  if (value.empty()) return false;
  text = value;
  return true;
}

}  // namespace zavo
