#include "foundation/user_break.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <utility>

namespace zavo {

namespace {

// Polls are a few milliseconds apart: a break is seen well within a tenth of
// a second, and a source is not asked for every ray.
constexpr std::int64_t kPollIntervalNs = 5'000'000;

std::mutex sourceMutex;
std::function<bool()> source;  // guarded by sourceMutex
int depth = 0;                 // watches alive, guarded by sourceMutex
std::atomic<bool> watching{false};
std::atomic<bool> broken{false};
std::atomic<std::int64_t> nextPollNs{0};

std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

void SetBreakSource(std::function<bool()> newSource) {
  std::lock_guard<std::mutex> lock(sourceMutex);
  source = std::move(newSource);
  nextPollNs.store(0);
}

BreakWatch::BreakWatch() {
  std::lock_guard<std::mutex> lock(sourceMutex);
  if (depth++ == 0) {
    broken.store(false);
    nextPollNs.store(0);
  }
  watching.store(true);
}

BreakWatch::~BreakWatch() {
  std::lock_guard<std::mutex> lock(sourceMutex);
  if (--depth == 0) {
    broken.store(false);
    watching.store(false);
  }
}

bool BreakRequested() {
  if (!watching.load(std::memory_order_relaxed)) return false;
  if (broken.load(std::memory_order_relaxed)) return true;
  const std::int64_t now = NowNs();
  if (now < nextPollNs.load(std::memory_order_relaxed)) return false;
  std::unique_lock<std::mutex> lock(sourceMutex, std::try_to_lock);
  if (!lock.owns_lock() || !source || depth == 0) return broken.load();
  nextPollNs.store(now + kPollIntervalNs, std::memory_order_relaxed);
  if (source()) broken.store(true);
  return broken.load();
}

}  // namespace zavo
