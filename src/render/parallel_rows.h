#pragma once

// The rows of an image shared out among threads: each worker takes the next
// band of rows, while the calling thread hands every finished row, in row
// order, to the one who reports and draws it, and decides on a break.

#include <functional>

namespace zavo {

// What a worker tells after each row it finished.
class RowSink {
public:
  virtual ~RowSink() = default;
  // Row done; false when the render stops (the worker then returns).
  virtual bool Done(int row) = 0;
};

// Computes rows first .. end-1 on worker number `worker`, calling sink.Done
// after each one and returning as soon as it answers false.
using RowWork = std::function<void(int worker, int first, int end, RowSink& sink)>;
// Takes a finished row on the calling thread; 0 stops the render.
using RowDelivery = std::function<int(int row)>;

// Runs work over rows 0 .. rows-1 in bands of `band` rows on `threads`
// threads (each marked as tracing worker 0, 1, ...), delivering each row in
// order once it and every row before it are done. With one thread everything
// runs on the calling thread, each row delivered as soon as it is done. 1 when
// every row was delivered, 0 when a delivery stopped the render; an exception
// of a worker comes out of the call after every worker ended.
int RunRows(int rows, int band, int threads, const RowWork& work, const RowDelivery& deliver);

}  // namespace zavo
