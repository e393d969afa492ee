// Rows of an image shared out among threads: delivered in row order on the
// calling thread, a stopping delivery ends every worker within its row, and a
// worker's exception comes out of the call.

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "render/parallel_rows.h"
#include "scene/trace_data.h"

namespace zavo {
namespace {

struct Shape {
  int rows, band, threads;
};

TEST(RunRows, DeliversEveryRowOnceInOrderOnTheCallingThread) {
  const Shape shapes[] = {{1, 1, 1}, {7, 1, 1}, {7, 7, 1}, {13, 1, 4}, {13, 3, 4}, {5, 2, 8}, {29, 8, 3}};
  for (const Shape& s : shapes) {
    SCOPED_TRACE(testing::Message() << s.rows << " rows, band " << s.band << ", " << s.threads << " threads");
    std::vector<std::atomic<int>> computed(static_cast<std::size_t>(s.rows));
    std::atomic<int> maxWorker{0};
    const std::thread::id caller = std::this_thread::get_id();
    auto work = [&](int worker, int first, int end, RowSink& sink) {
      EXPECT_EQ(TraceWorker(), worker);
      if (worker > maxWorker) maxWorker = worker;
      for (int y = first; y < end; ++y) {
        ++computed[static_cast<std::size_t>(y)];
        if (!sink.Done(y)) return;
      }
    };
    std::vector<int> delivered;
    auto deliver = [&](int y) {
      EXPECT_EQ(std::this_thread::get_id(), caller);
      EXPECT_EQ(computed[static_cast<std::size_t>(y)].load(), 1);
      delivered.push_back(y);
      return 1;
    };
    EXPECT_EQ(RunRows(s.rows, s.band, s.threads, work, deliver), 1);
    ASSERT_EQ(delivered.size(), static_cast<std::size_t>(s.rows));
    for (int y = 0; y < s.rows; ++y) EXPECT_EQ(delivered[static_cast<std::size_t>(y)], y);
    EXPECT_LT(maxWorker.load(), s.threads);
    EXPECT_EQ(TraceWorker(), 0);
  }
}

TEST(RunRows, AStoppingDeliveryEndsEveryWorkerWithinItsRow) {
  for (int threads : {1, 4}) {
    SCOPED_TRACE(threads);
    constexpr int kRows = 400;
    constexpr int kStopAt = 9;
    std::atomic<bool> stopped{false};
    std::atomic<int> computed{0};
    std::atomic<int> startedAfterStop{0};
    auto work = [&](int, int first, int end, RowSink& sink) {
      for (int y = first; y < end; ++y) {
        if (stopped) ++startedAfterStop;
        ++computed;
        if (!sink.Done(y)) return;
      }
    };
    int last = -1;
    auto deliver = [&](int y) {
      last = y;
      if (y != kStopAt) return 1;
      stopped = true;
      return 0;
    };
    EXPECT_EQ(RunRows(kRows, 2, threads, work, deliver), 0);
    EXPECT_EQ(last, kStopAt);
    // However far a worker ran ahead, it begins at most one row once the
    // render stops.
    EXPECT_LE(startedAfterStop.load(), threads);
    if (threads == 1) { EXPECT_EQ(computed.load(), kStopAt + 1); }
  }
}

TEST(RunRows, AWorkersExceptionComesOutAfterEveryWorkerEnded) {
  for (int threads : {1, 3}) {
    SCOPED_TRACE(threads);
    auto work = [&](int, int first, int end, RowSink& sink) {
      for (int y = first; y < end; ++y) {
        if (y == 5) throw std::runtime_error("row 5");
        if (!sink.Done(y)) return;
      }
    };
    int delivered = 0;
    auto deliver = [&](int) {
      ++delivered;
      return 1;
    };
    EXPECT_THROW(RunRows(40, 1, threads, work, deliver), std::runtime_error);
    EXPECT_LE(delivered, 5);
  }
}

}  // namespace
}  // namespace zavo
