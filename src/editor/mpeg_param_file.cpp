#include "editor/mpeg_param_file.h"

#include <charconv>
#include <cmath>
#include <istream>
#include <ostream>
#include <string_view>
#include <vector>

#include "foundation/number_text.h"

namespace zavo {

namespace {

// The last line number this reader looks at.
constexpr std::size_t kLastLineRead = 19;
// Longest line kept: the pattern holds a document path.
constexpr std::size_t kMaxLine = 4096;

bool WholeNumber(std::string_view text, int low, int high, int& value) {
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high) return false;
  value = v;
  return true;
}

}  // namespace

void WriteMpegParams(std::ostream& out, const std::string& base, int frames, int width, int height) {
  const std::string w = std::to_string(width / 2 * 2);
  const std::string h = std::to_string(height / 2 * 2);
  const std::vector<std::string> lines = {
      "ZAVO", base + "%d", "-", "-", "-", "-", "0", std::to_string(frames), "0", "00:00:00:00",
      "12", "3", "1", "0", w, h, "8", "3", "1152000.0", "20",
      "0", "1", "4", "8", "1", "1", "1", "5", "5", "5",
      w, h, "0", "0", "1 1 1", "0 0 0", "0 0 0", "0 0 0", "0 0 0", "0",
      "1", "0", "0", "0", "0", "0", "0", "0", "0", "0",
      "2 2 11 11", "1 1 3  3", "1 1 7  7", "1 1 7  7", "1 1 3  3"};
  for (const std::string& line : lines) out << line << '\n';
}

bool ReadMpegParams(std::istream& in, MpegParams& params, std::string& error) {
  std::vector<std::string> lines;
  std::string line;
  while (lines.size() < kLastLineRead) {
    line.clear();
    char c;
    bool any = false;
    while (in.get(c)) {
      any = true;
      if (c == '\n') break;
      if (line.size() >= kMaxLine) {
        error = "line " + std::to_string(lines.size() + 1) + " is too long";
        return false;
      }
      line.push_back(c);
    }
    if (!any) break;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  if (lines.size() < kLastLineRead) {
    error = "the file ends at line " + std::to_string(lines.size());
    return false;
  }
  MpegParams read;
  read.pattern = lines[1];
  if (read.pattern.rfind("%d") == std::string::npos) {
    error = "line 2 holds no \"%d\" for the frame number";
    return false;
  }
  if (!WholeNumber(lines[7], 0, kMpegMaxFrames, read.frames)) {
    error = "line 8: the frame count is not a number from 0 to " + std::to_string(kMpegMaxFrames);
    return false;
  }
  if (!WholeNumber(lines[8], 0, kMpegMaxFrames, read.firstFrame)) {
    error = "line 9: the first frame is not a number from 0 to " + std::to_string(kMpegMaxFrames);
    return false;
  }
  if (!WholeNumber(lines[14], 2, kMpegMaxSide, read.width) || read.width % 2 != 0 ||
      !WholeNumber(lines[15], 2, kMpegMaxSide, read.height) || read.height % 2 != 0) {
    error = "lines 15 and 16: the size is not two even numbers from 2 to " + std::to_string(kMpegMaxSide);
    return false;
  }
  if (!NumberTextToDouble(lines[18], read.bitRate) || !std::isfinite(read.bitRate) || read.bitRate < 1.0 ||
      read.bitRate > 1e9) {
    error = "line 19: the bit rate is not a number from 1 to 1e9";
    return false;
  }
  params = std::move(read);
  return true;
}

std::string MpegFrameName(const std::string& pattern, int k, int digits) {
  std::string number = std::to_string(k);
  if (k >= 0 && static_cast<int>(number.size()) < digits) number.insert(0, digits - number.size(), '0');
  const std::size_t at = pattern.rfind("%d");
  if (at == std::string::npos) return pattern + number;
  return pattern.substr(0, at) + number + pattern.substr(at + 2);
}

}  // namespace zavo
