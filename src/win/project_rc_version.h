#pragma once
// The program's version data as the about box reads it: each string is
// answered when the data has it (not empty).

#include <string>

#include "win/version_data.h"

namespace zavo {

class ProjectRCVersion {
public:
  // The data of this build.
  ProjectRCVersion();
  // Other data (tests).
  explicit ProjectRCVersion(VersionStrings strings);

  // True with the text when the data has the string, false otherwise (the
  // text is left alone).
  bool GetProductName(std::string& text) const { return Get(strings_.productName, text); }
  bool GetProductVersion(std::string& text) const { return Get(strings_.productVersion, text); }
  bool GetCopyright(std::string& text) const { return Get(strings_.copyright, text); }
  bool GetSpecialBuild(std::string& text) const { return Get(strings_.specialBuild, text); }

private:
  static bool Get(const std::string& value, std::string& text);

  VersionStrings strings_;
};

}  // namespace zavo
