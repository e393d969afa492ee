#include "editor/text_routines.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "geometry/real_text.h"

namespace zavo {

void RealToString(charString& member, double value) { member = RealText(value).c_str(); }

void IntToStringMember(charString& member, int value) { member = std::to_string(value).c_str(); }

void StringToStringMember(charString& member, const char* text) { member = text; }

charString RealToText(double value) { return charString(RealText(value).c_str()); }

charString IntToText(int value) { return charString(std::to_string(value).c_str()); }

char* TextCopy(const char* text) {
  if (text == nullptr) return nullptr;
  const std::size_t n = std::strlen(text);
  char* copy = new char[n + 1];
  std::memcpy(copy, text, n + 1);
  return copy;
}

void AppendText(Seq<charString>& names, const char* text) {
  names.Resize(names.Count() + 1);
  names[names.Count() - 1] = text;
}

int LoadDirectoryList(const std::filesystem::path& folder, Seq<charString>& names) {
  names.SetSize(0);
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) return 0;
  std::vector<std::string> found;
  for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    const std::string name = it->path().filename().string();
    if (name != "." && name != "..") found.push_back(name);
  }
  std::sort(found.begin(), found.end());
  names.SetSize(static_cast<std::uint32_t>(found.size()));
  for (std::size_t i = 0; i < found.size(); ++i) names[static_cast<std::uint32_t>(i)] = found[i].c_str();
  return 1;
}

}  // namespace zavo
