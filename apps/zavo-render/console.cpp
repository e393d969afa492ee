#include "console.h"

#include <csignal>
#include <cstring>

namespace zavo::cli {

namespace {

volatile std::sig_atomic_t breakRequested = 0;

void OnInterrupt(int) { breakRequested = 1; }

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// The integer at the start of text (an optional '-', then digits); false when
// there is none.
bool LeadingInt(const std::string& text, long long& value) {
  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (negative) ++i;
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
  value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < 1000000000LL) value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  return true;
}

int RowPercent(long long row, int rows) {
  if (rows <= 0) return 0;
  long long p = (row + 1) * 100 / rows;
  if (p < 0) p = 0;
  if (p > 100) p = 100;
  return static_cast<int>(p);
}

}  // namespace

void InstallBreakHandler() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // The first Ctrl-C asks the render to stop; a second one ends the program.
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, nullptr);
}

bool BreakRequested() { return breakRequested != 0; }

void SetBreakRequested(bool requested) { breakRequested = requested ? 1 : 0; }

int RowProgress(const std::string& text, int rows) {
  long long value = 0;
  if (StartsWith(text, "Line = ")) {
    return LeadingInt(text.substr(7), value) ? RowPercent(value, rows) : -1;
  }
  if (StartsWith(text, "Line ")) {
    return LeadingInt(text.substr(5), value) ? RowPercent(value, rows) : -1;
  }
  if (StartsWith(text, "Creating bitmap ") && !text.empty() && text.back() == '%') {
    if (!LeadingInt(text.substr(16), value)) return -1;
    return value < 0 ? 0 : value > 100 ? 100 : static_cast<int>(value);
  }
  return -1;
}

Console::Console(std::ostream& err, bool terminal, bool quiet)
    : err_(err), terminal_(terminal), quiet_(quiet), flusher_([this] { FlushLate(); }) {}

Console::~Console() { Close(); }

void Console::Close() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closing_) return;
    closing_ = true;
    if (linesHeld_) Flush();
  }
  linesWaiting_.notify_one();
  flusher_.join();
}

void Console::FlushLate() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!closing_) {
    if (!linesHeld_) {
      linesWaiting_.wait(lock);
    } else if (linesWaiting_.wait_until(lock, lastFlush_ + kBatchTime) == std::cv_status::timeout) {
      FlushWhenDue();
    }
  }
}

void Console::Status(const char* text) {
  if (quiet_ || text == nullptr) return;
  const std::string status = text;
  std::lock_guard<std::mutex> lock(mutex_);
  if (status.empty()) {
    EndProgress();
    return;
  }
  // The program says it in its own words once the render has stopped.
  if (status == "User break" && BreakRequested()) return;
  const int percent = RowProgress(status, rows_);
  if (percent < 0) {
    EndProgress();
    err_ << status << '\n';
    const bool first = !linesHeld_;
    linesHeld_ = true;
    FlushWhenDue();
    if (first && linesHeld_) linesWaiting_.notify_one();
    return;
  }
  if (!terminal_) {
    FlushWhenDue();
    return;
  }
  // "\r" back to the start of the line, ESC [K clears the rest of it.
  err_ << "\r\033[K" << status;
  if (status.back() != '%') err_ << "   " << percent << '%';
  Flush();
  progressShown_ = true;
}

void Console::Message(const char* text) {
  if (text == nullptr) return;
  // Each line of a message (the time report has several) is one line here.
  std::string lines;
  const std::string message = text;
  std::size_t start = 0;
  while (start <= message.size()) {
    std::size_t end = message.find('\n', start);
    if (end == std::string::npos) end = message.size();
    const std::string line = message.substr(start, end - start);
    if (!line.empty()) lines += std::string(kProgram) + ": " + line + '\n';
    start = end + 1;
  }
  if (lines.empty()) return;
  std::lock_guard<std::mutex> lock(mutex_);
  if (quiet_) {
    held_.push_back(lines);
    return;
  }
  EndProgress();
  err_ << lines;
  Flush();
}

void Console::Error(const std::string& line) {
  std::lock_guard<std::mutex> lock(mutex_);
  WriteLine(line);
}

void Console::Info(const std::string& line) {
  if (quiet_) return;
  std::lock_guard<std::mutex> lock(mutex_);
  WriteLine(line);
}

void Console::FlushHeld() {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const std::string& lines : held_) err_ << lines;
  held_.clear();
  Flush();
}

void Console::EndProgress() {
  if (!progressShown_) return;
  err_ << "\r\033[K";
  progressShown_ = false;
}

void Console::WriteLine(const std::string& line) {
  EndProgress();
  err_ << line << '\n';
  Flush();
}

void Console::Flush() {
  err_.flush();
  linesHeld_ = false;
  lastFlush_ = std::chrono::steady_clock::now();
}

void Console::FlushWhenDue() {
  if (linesHeld_ && std::chrono::steady_clock::now() - lastFlush_ >= kBatchTime) Flush();
}

}  // namespace zavo::cli
