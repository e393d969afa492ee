// The encoder's parameter file: the 55 lines the editor writes, and what the
// encoder reads back from it or refuses.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "editor/mpeg_param_file.h"

namespace zavo::test {
namespace {

std::string Written(const std::string& base, int frames, int w, int h) {
  std::ostringstream out;
  WriteMpegParams(out, base, frames, w, h);
  return out.str();
}

TEST(MpegParamFile, TheFiftyFiveLines) {
  const std::string text = Written("anim/doc", 50, 321, 241);
  ASSERT_EQ(text.back(), '\n');
  const std::vector<std::string> lines = SplitLines(text);
  ASSERT_EQ(lines.size(), 55u);
  const std::vector<std::pair<int, std::string>> expected = {
      {1, "ZAVO"}, {2, "anim/doc%d"}, {3, "-"}, {6, "-"}, {7, "0"}, {8, "50"}, {9, "0"}, {10, "00:00:00:00"},
      {11, "12"}, {12, "3"}, {15, "320"}, {16, "240"}, {17, "8"}, {18, "3"}, {19, "1152000.0"}, {20, "20"},
      {28, "5"}, {30, "5"}, {31, "320"}, {32, "240"}, {35, "1 1 1"}, {36, "0 0 0"}, {39, "0 0 0"}, {40, "0"},
      {41, "1"}, {42, "0"}, {50, "0"}, {51, "2 2 11 11"}, {52, "1 1 3  3"}, {53, "1 1 7  7"}, {54, "1 1 7  7"},
      {55, "1 1 3  3"}};
  for (const auto& [number, line] : expected) EXPECT_EQ(lines[number - 1], line) << "line " << number;
}

TEST(MpegParamFile, ReadsWhatTheEditorWrites) {
  for (const char* eol : {"\n", "\r\n"}) {
    std::string text;
    for (const std::string& line : SplitLines(Written("a%b c", 3, 6, 4))) text += line + eol;
    std::istringstream in(text);
    MpegParams params;
    std::string error;
    ASSERT_TRUE(ReadMpegParams(in, params, error)) << error;
    EXPECT_EQ(params.pattern, "a%b c%d");
    EXPECT_EQ(params.frames, 3);
    EXPECT_EQ(params.firstFrame, 0);
    EXPECT_EQ(params.width, 6);
    EXPECT_EQ(params.height, 4);
    EXPECT_EQ(params.bitRate, 1152000.0);
    EXPECT_EQ(MpegFrameName(params.pattern, 7), "a%b c7");
    EXPECT_EQ(MpegFrameName(params.pattern, 7, 4), "a%b c0007");
  }
}

TEST(MpegParamFile, DamagedFilesAreRefusedWithAReason) {
  struct Case {
    int line;  // 1-based; 0: the file cut after 18 lines
    const char* text;
  };
  for (const Case& c : {Case{0, ""}, Case{2, "zavo"}, Case{8, "-1"}, Case{8, "3x"}, Case{8, "99999999999"},
                        Case{9, ""}, Case{15, "321"}, Case{16, "0"}, Case{15, "8192"}, Case{19, "nan"},
                        Case{19, "-5"}}) {
    SCOPED_TRACE(std::to_string(c.line) + " " + c.text);
    std::vector<std::string> lines = SplitLines(Written("zavo", 3, 6, 4));
    if (c.line == 0) {
      lines.resize(18);
    } else {
      lines[c.line - 1] = c.text;
    }
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    std::istringstream in(text);
    MpegParams params;
    std::string error;
    EXPECT_FALSE(ReadMpegParams(in, params, error));
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace zavo::test
