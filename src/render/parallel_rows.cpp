#include "render/parallel_rows.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "geometry/box.h"
#include "geometry/face3.h"
#include "scene/trace_data.h"

namespace zavo {

namespace {

class DirectSink : public RowSink {
public:
  explicit DirectSink(const RowDelivery& deliver) : deliver_(deliver) {}
  bool Done(int row) override {
    if (deliver_(row) != 0) return true;
    stopped_ = true;
    return false;
  }
  bool Stopped() const { return stopped_; }

private:
  const RowDelivery& deliver_;
  bool stopped_ = false;
};

// The rows done so far, shared by the workers and the calling thread.
class SharedRows : public RowSink {
public:
  explicit SharedRows(int rows) : done_(static_cast<std::size_t>(rows), 0) {}

  bool Done(int row) override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_[static_cast<std::size_t>(row)] = 1;
    }
    changed_.notify_one();
    return !stop_.load(std::memory_order_relaxed);
  }
  // Waits until the row is done or no worker runs any more; true when done.
  bool WaitFor(int row) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return done_[static_cast<std::size_t>(row)] != 0 || running_ == 0; });
    return done_[static_cast<std::size_t>(row)] != 0;
  }
  // The ray statistics of the calling thread, which the workers' counts join.
  void SetCounters() {
    boxTests_ = &BoxNIntr;
    boxHitTests_ = &TestBoxNIntr;
    faceTests_ = &FaceNIntr;
  }
  void WorkerEnded(std::exception_ptr error) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      *boxTests_ += BoxNIntr;
      *boxHitTests_ += TestBoxNIntr;
      *faceTests_ += FaceNIntr;
      --running_;
      if (error && !error_) error_ = error;
    }
    if (error) Stop();
    changed_.notify_one();
  }
  void SetRunning(int workers) { running_ = workers; }
  void Stop() { stop_.store(true, std::memory_order_relaxed); }
  bool Stopped() const { return stop_.load(std::memory_order_relaxed); }
  std::exception_ptr Error() {
    std::lock_guard<std::mutex> lock(mutex_);
    return error_;
  }

private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::uint8_t> done_;
  int running_ = 0;
  std::exception_ptr error_;
  std::atomic<bool> stop_{false};
  std::uint64_t* boxTests_ = nullptr;
  std::uint64_t* boxHitTests_ = nullptr;
  std::uint64_t* faceTests_ = nullptr;
};

}  // namespace

int RunRows(int rows, int band, int threads, const RowWork& work, const RowDelivery& deliver) {
  if (rows <= 0) return 1;
  band = std::max(band, 1);
  const int bands = (rows - 1) / band + 1;
  threads = std::clamp(threads, 1, bands);
  if (threads == 1) {
    DirectSink sink(deliver);
    for (int b = 0; b < bands; ++b) {
      work(0, b * band, std::min(rows, (b + 1) * band), sink);
      if (sink.Stopped()) return 0;
    }
    return 1;
  }

  SharedRows shared(rows);
  shared.SetRunning(threads);
  shared.SetCounters();
  std::atomic<int> nextBand{0};
  std::vector<std::thread> workers;
  workers.reserve(static_cast<std::size_t>(threads));
  for (int w = 0; w < threads; ++w) {
    workers.emplace_back([&, w] {
      std::exception_ptr error;
      try {
        SetTraceWorker(w);
        while (!shared.Stopped()) {
          const int b = nextBand.fetch_add(1);
          if (b >= bands) break;
          work(w, b * band, std::min(rows, (b + 1) * band), shared);
        }
      } catch (...) {
        error = std::current_exception();
      }
      SetTraceWorker(0);
      shared.WorkerEnded(error);
    });
  }
  int result = 1;
  for (int row = 0; row < rows; ++row) {
    if (!shared.WaitFor(row)) {
      result = 0;
      break;
    }
    if (deliver(row) == 0) {
      result = 0;
      break;
    }
  }
  shared.Stop();
  for (std::thread& worker : workers) worker.join();
  if (std::exception_ptr error = shared.Error()) std::rethrow_exception(error);
  return result;
}

}  // namespace zavo
