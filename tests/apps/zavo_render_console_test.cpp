// The console of zavo-render: progress in place on a terminal, nothing of it
// in a pipe, quiet mode, message prefixes; and the -o names.

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "console.h"
#include "output.h"

namespace {

using zavo::cli::Console;

TEST(ZavoRenderConsole, RowTextsGiveTheirPercentage) {
  const struct {
    const char* text;
    int rows;
    int percent;
  } cases[] = {
      {"Line 0   H=0  M=0  S=3", 200, 0},  {"Line 99   H=0  M=0  S=3", 200, 50},
      {"Line 199   H=0  M=0  S=0", 200, 100}, {"Line -1   H=0  M=0  S=0", 200, 0},
      {"Line = 29", 30, 100},                {"Line = 2", 30, 10},
      {"Creating bitmap 37%", 0, 37},        {"Line 5   H=0  M=0  S=0", 0, 0},
      {"Creating hierarchy", 200, -1},       {"Lines", 200, -1},
      {"Line =", 30, -1},                    {"Creating bitmap", 200, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(zavo::cli::RowProgress(c.text, c.rows), c.percent);
  }
}

TEST(ZavoRenderConsole, OnATerminalRowsUpdateOneLineInPlace) {
  std::ostringstream err;
  Console console(err, true, false);
  console.SetRows(4);
  console.Status("Creating hierarchy");
  console.Status("Line 0   H=0  M=0  S=1");
  console.Status("Line 1   H=0  M=0  S=1");
  console.Message("Start Time : x\n\nTotal Time : H=0 M=0 S=1\n");
  console.Status("Creating bitmap 50%");
  console.Status("");
  console.Info("zavo-render: wrote a.bmp (4 x 4 pixels) in 0.1 s");
  EXPECT_EQ(err.str(),
            "Creating hierarchy\n"
            "\r\033[KLine 0   H=0  M=0  S=1   25%"
            "\r\033[KLine 1   H=0  M=0  S=1   50%"
            "\r\033[Kzavo-render: Start Time : x\nzavo-render: Total Time : H=0 M=0 S=1\n"
            "\r\033[KCreating bitmap 50%"
            "\r\033[K"
            "zavo-render: wrote a.bmp (4 x 4 pixels) in 0.1 s\n");
}

TEST(ZavoRenderConsole, InAPipeRowsAreLeftOut) {
  std::ostringstream err;
  Console console(err, false, false);
  console.SetRows(4);
  console.Status("Creating hierarchy");
  console.Status("Line 0   H=0  M=0  S=1");
  console.Status("Line = 3");
  console.Status("Creating bitmap 50%");
  console.Status("");
  console.Message("Object ball not sync");
  EXPECT_EQ(err.str(), "Creating hierarchy\nzavo-render: Object ball not sync\n");
}

// A stream buffer that notes the whole text at each flush: what a reader of
// the console had seen by then. The console flushes from its own thread too.
class FlushLog : public std::stringbuf {
public:
  std::vector<std::string> Flushes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return flushes_;
  }

protected:
  int sync() override {
    std::lock_guard<std::mutex> lock(mutex_);
    flushes_.push_back(str());
    return 0;
  }

private:
  std::mutex mutex_;
  std::vector<std::string> flushes_;
};

TEST(ZavoRenderConsole, StatusLinesGoOutInBatchesAndShowWithoutALaterText) {
  using std::chrono::milliseconds;
  FlushLog log;
  std::ostream err(&log);
  Console console(err, false, false);
  console.SetRows(100);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 10000; ++i) console.Status(("Reading object s" + std::to_string(i)).c_str());
  const auto elapsed = std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
  // At most one flush per tenth of a second.
  EXPECT_LE(log.Flushes().size(), static_cast<std::size_t>(elapsed.count() / 100 + 1));
  // The last line held shows although no text follows it.
  console.Status("Creating hierarchy");
  const std::string all = log.str();
  for (int wait = 0; wait < 500 && (log.Flushes().empty() || log.Flushes().back() != all); ++wait) {
    std::this_thread::sleep_for(milliseconds(10));
  }
  ASSERT_FALSE(log.Flushes().empty());
  EXPECT_EQ(log.Flushes().back(), all);
  EXPECT_TRUE(all.ends_with("Reading object s9999\nCreating hierarchy\n"));
  // A message goes out at once, after the lines held.
  console.Status("Saving hierarchy a.qz_");
  console.Message("Cannot write the cache a.qz_");
  EXPECT_EQ(log.Flushes().back(), log.str());
  EXPECT_TRUE(log.str().ends_with("Saving hierarchy a.qz_\nzavo-render: Cannot write the cache a.qz_\n"));
}

TEST(ZavoRenderConsole, QuietModeShowsMessagesOnlyWhenTheRunFails) {
  std::ostringstream err;
  Console console(err, true, true);
  console.Status("Creating hierarchy");
  console.Status("Line 0   H=0  M=0  S=1");
  console.Message("Object ball not sync");
  console.Info("zavo-render: wrote a.bmp in 0.1 s");
  EXPECT_EQ(err.str(), "");
  console.FlushHeld();
  console.Error("zavo-render: a.qz: Wrong image size 0 x 5");
  EXPECT_EQ(err.str(), "zavo-render: Object ball not sync\nzavo-render: a.qz: Wrong image size 0 x 5\n");
}

TEST(ZavoRenderConsole, TheRenderersUserBreakGivesWayToTheProgramsOwn) {
  std::ostringstream err;
  Console console(err, false, false);
  zavo::cli::SetBreakRequested(true);
  EXPECT_EQ(console.UserBreak(), 1);
  console.Status("User break");
  zavo::cli::SetBreakRequested(false);
  EXPECT_EQ(console.UserBreak(), 0);
  console.Status("User break");
  EXPECT_EQ(err.str(), "User break\n");
}

TEST(ZavoRenderOutput, AnOutputNameKeepsOneExtension) {
  const struct {
    const char* name;
    const char* extension;
    const char* base;
  } cases[] = {
      {"out", ".bmp", "out"},           {"out.bmp", ".bmp", "out"},      {"out.BMP", ".bmp", "out"},
      {"out.wrl", ".bmp", "out.wrl"},   {"scene.WRL", ".wrl", "scene"},  {"dir.bmp/out", ".bmp", "dir.bmp/out"},
      {"dir/.bmp", ".bmp", "dir/.bmp"}, {".bmp", ".bmp", ".bmp"},        {"a.ana", ".ana", "a"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(zavo::cli::OutputBase(c.name, c.extension), c.base);
  }
  EXPECT_STREQ(zavo::cli::OutputExtension("t_analysis"), ".ana");
  EXPECT_EQ(zavo::cli::OutputExtension("raytrace"), nullptr);
}

}  // namespace
