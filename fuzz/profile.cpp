// The settings-file reader on arbitrary text: a few keys are read, one is
// written, and the write must change only what it should.
#include <cstddef>
#include <cstdint>
#include <string>

#include "win/profile_file.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  zavo::ProfileText profile(text);
  for (const char* section : {"Vnz", "Editor", "Editor.View", ""}) {
    for (const char* key : {"Ini", "UseGrid", "Backgroundr", ""}) {
      if (auto value = profile.Find(section, key)) zavo::ProfileIntValue(*value);
    }
  }
  const auto before = profile.Find("Editor", "UseGrid");
  profile.Set("Editor", "UseGrid", "17");
  const auto after = profile.Find("Editor", "UseGrid");
  Check(after.has_value() && *after == "17");
  // The file only grows by the new line or keeps its length but for the value.
  if (!before) Check(profile.Text().size() > text.size());
  if (before) Check(profile.Text().size() + before->size() >= text.size());
  return 0;
}
