#include "win/profile_file.h"

#include <cctype>
#include <climits>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <system_error>
#include <vector>

#include "foundation/atomic_file.h"

namespace zavo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// One line of the text: where it starts, its content without the line break,
// and where the next line starts.
struct Line {
  std::size_t begin = 0;
  std::string_view content;
  std::size_t next = 0;
};

std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    const std::size_t next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos) end = text.size();
    std::size_t contentEnd = end;
    if (contentEnd > pos && text[contentEnd - 1] == '\r') --contentEnd;
    lines.push_back({pos, std::string_view(text).substr(pos, contentEnd - pos), next});
    pos = next;
  }
  return lines;
}

// The section name of a "[name]" line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

// Key and value of a "key=value" line.
bool KeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(line.substr(0, eq));
  value = Trim(line.substr(eq + 1));
  return true;
}

// Where the lines of the first section of that name are: the index of its
// header line and one past its last line; header -1 when missing.
struct SectionSpan {
  long header = -1;
  std::size_t end = 0;
};

SectionSpan FindSection(const std::vector<Line>& lines, std::string_view section) {
  SectionSpan span;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i].content);
    if (!name) continue;
    if (span.header >= 0) {
      span.end = i;
      return span;
    }
    if (SameName(*name, Trim(section))) span.header = static_cast<long>(i);
  }
  span.end = lines.size();
  return span;
}

std::string LineBreakOf(const std::string& text) {
  const std::size_t lf = text.find('\n');
  if (lf != std::string::npos && lf > 0 && text[lf - 1] == '\r') return "\r\n";
  return "\n";
}

bool ReadWhole(const std::filesystem::path& file, std::string& text, bool& exists) {
  std::error_code error;
  exists = std::filesystem::exists(file, error);
  text.clear();
  if (!exists) return !error;
  if (!std::filesystem::is_regular_file(file, error)) return false;
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::ostringstream whole;
  // Copying an empty stream buffer counts as a failure.
  if (in.peek() != std::char_traits<char>::eof()) whole << in.rdbuf();
  if (in.bad() || whole.fail()) return false;
  text = std::move(whole).str();
  return true;
}

}  // namespace

std::optional<std::string> ProfileText::Find(std::string_view section, std::string_view key) const {
  const std::vector<Line> lines = SplitLines(text_);
  const SectionSpan span = FindSection(lines, section);
  if (span.header < 0) return std::nullopt;
  for (std::size_t i = static_cast<std::size_t>(span.header) + 1; i < span.end; ++i) {
    std::string_view k, v;
    if (KeyValue(lines[i].content, k, v) && SameName(k, Trim(key))) return std::string(v);
  }
  return std::nullopt;
}

void ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::vector<Line> lines = SplitLines(text_);
  const std::string br = LineBreakOf(text_);
  // A line break inside the value would start a new line of the file.
  std::string oneLine(Trim(value));
  for (char& c : oneLine) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  const std::string newLine = std::string(Trim(key)) + "=" + oneLine;
  const SectionSpan span = FindSection(lines, section);
  if (span.header < 0) {
    if (!text_.empty() && text_.back() != '\n') text_ += br;
    text_ += "[" + std::string(Trim(section)) + "]" + br + newLine + br;
    return;
  }
  std::size_t lastKey = static_cast<std::size_t>(span.header);
  for (std::size_t i = lastKey + 1; i < span.end; ++i) {
    std::string_view k, v;
    if (!KeyValue(lines[i].content, k, v)) continue;
    if (SameName(k, Trim(key))) {
      const Line& l = lines[i];
      text_.replace(l.begin, l.content.size(), newLine);
      return;
    }
    lastKey = i;
  }
  const Line& after = lines[lastKey];
  if (after.next == text_.size() && (text_.empty() || text_.back() != '\n')) {
    text_ += br + newLine + br;
  } else {
    text_.insert(after.next, newLine + br);
  }
}

int ProfileIntValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  return static_cast<int>(value);
}

std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultText) {
  std::string text;
  bool exists = false;
  if (ReadWhole(file, text, exists) && exists) {
    if (auto value = ProfileText(std::move(text)).Find(section, key)) return *value;
  }
  return std::string(defaultText);
}

int ReadProfileInt(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, int defaultValue) {
  std::string text;
  bool exists = false;
  if (ReadWhole(file, text, exists) && exists) {
    if (auto value = ProfileText(std::move(text)).Find(section, key)) return ProfileIntValue(*value);
  }
  return defaultValue;
}

bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
  if (file.empty()) return false;
  std::string text;
  bool exists = false;
  if (!ReadWhole(file, text, exists)) return false;
  ProfileText profile(std::move(text));
  profile.Set(section, key, value);
  return WriteFileAtomically(file, [&](std::ostream& os) {
    os.write(profile.Text().data(), static_cast<std::streamsize>(profile.Text().size()));
    return static_cast<bool>(os);
  });
}

}  // namespace zavo
