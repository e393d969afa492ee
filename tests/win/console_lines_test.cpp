#include "win/console_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zavo {
namespace {

std::vector<std::string> Repeat(int n, const std::string& s) { return std::vector<std::string>(n, s); }

TEST(ConsoleLines, WritesFillLinesByTheirNewlines) {
  std::vector<std::string> forty;
  std::vector<std::string> lastThirty;
  for (int i = 0; i < 40; ++i) forty.push_back("w" + std::to_string(i) + "\n");
  for (int i = 11; i < 40; ++i) lastThirty.push_back("w" + std::to_string(i));
  lastThirty.push_back("");

  struct Case {
    const char* name;
    std::vector<std::string> writes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"pieces join the line in progress", {"a", "b\n", "c"}, {"ab", "c"}},
      {"a lone newline on an empty console", {"\n"}, {"", ""}},
      {"an empty write opens the first line", {""}, {""}},
      {"several newlines in one text", {"x\n\ny\nz"}, {"x", "", "y", "z"}},
      {"only the 29 most recent lines and the open one", forty, lastThirty},
      {"thirty newlines keep thirty lines", Repeat(35, "\n"), Repeat(30, "")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ConsoleLines console;
    for (const std::string& w : c.writes) console.Write(w.c_str());
    EXPECT_EQ(console.Lines(), c.lines);
  }
}

TEST(ConsoleLines, LongLinesStayWhole) {
  ConsoleLines console;
  const std::string line(2000, 'q');
  console.Write(line.c_str());
  console.Write("!\n");
  EXPECT_EQ(console.Lines(), (std::vector<std::string>{line + "!", ""}));
}

TEST(ConsoleLines, ControlsFollowTheClientSize) {
  const ConsolePlaces initial{{10, 10, 300, 300}, {10, 310, 300, 30}, {10, 350, 100, 30}, {120, 350, 100, 30}};
  EXPECT_EQ(ConsoleInitialPlaces(), initial);
  const ConsolePlaces sized{{0, 0, 417, 253}, {0, 253, 417, 30}, {0, 283, 100, 30}, {130, 283, 100, 30}};
  EXPECT_EQ(ConsoleSizedPlaces(417, 313), sized);
}

}  // namespace
}  // namespace zavo
