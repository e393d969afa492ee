#pragma once

// The console of zavo-render: how status texts and messages reach stderr, the
// user's break (Ctrl-C) and the program's own lines.
//
// On a terminal the per-row progress texts ("Line N ...", "Line = N",
// "Creating bitmap N%") rewrite one line in place with a percentage; in a pipe
// they are left out. Other status texts print one a line, in batches: a
// scene of many objects sends them by the hundred thousand while it loads,
// so the lines are flushed out together 100 ms after the last flush (by a
// thread of the console's own when no later text comes), or at once with
// the next message. The scene's messages print one line each, prefixed
// "zavo-render: ", at once. Quiet mode
// prints errors only: status texts are dropped and the scene's messages are
// held until the run is known to have failed (FlushHeld).

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "scene/system_interface.h"

namespace zavo::cli {

inline constexpr char kProgram[] = "zavo-render";

// SIGINT sets the break flag; a second SIGINT ends the program at once.
void InstallBreakHandler();
bool BreakRequested();
// For tests of the console: sets or clears the flag.
void SetBreakRequested(bool requested);

class Console : public CG_GraphicSystemInterface {
public:
  // err is written under the console's lock only, also from its own thread:
  // it must not be used otherwise while the console lives.
  Console(std::ostream& err, bool terminal, bool quiet);
  ~Console() override;
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Flushes what is held and stops the console's thread, after which err
  // may be used by others too; texts still coming are flushed only by the
  // next message or flush. Not from the console's own calls.
  void Close();

  // The number of image rows, for the percentage of the row texts.
  void SetRows(int rows) { rows_ = rows; }

  void Status(const char* text) override;
  void Message(const char* text) override;
  std::int32_t UserBreak() override { return BreakRequested() ? 1 : 0; }
  void PlotPixel(int, int, double, double, double) override {}

  // A line printed as it is, also in quiet mode (errors).
  void Error(const std::string& line);
  // A line printed as it is, not in quiet mode.
  void Info(const std::string& line);
  // Quiet mode: prints the scene's messages held so far.
  void FlushHeld();

private:
  // Removes the progress line, if one is shown.
  void EndProgress();
  void WriteLine(const std::string& line);
  void Flush();
  // Flushes the status lines held once the last flush lies kBatchTime back.
  void FlushWhenDue();
  // The console's thread: flushes lines held when they are due and no text
  // came to do it.
  void FlushLate();

  static constexpr std::chrono::milliseconds kBatchTime{100};

  std::ostream& err_;
  const bool terminal_;
  const bool quiet_;
  int rows_ = 0;
  bool progressShown_ = false;
  bool linesHeld_ = false;  // status lines written but not flushed
  std::chrono::steady_clock::time_point lastFlush_ = std::chrono::steady_clock::now();
  std::vector<std::string> held_;
  std::mutex mutex_;
  std::condition_variable linesWaiting_;
  bool closing_ = false;
  std::thread flusher_;  // started last, when everything it uses is ready
};

// The percentage of a per-row status text, or -1 when the text is not one.
// rows is the image height (row texts count rows from 0).
int RowProgress(const std::string& text, int rows);

}  // namespace zavo::cli
