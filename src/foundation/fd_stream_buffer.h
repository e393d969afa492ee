#pragma once

// A buffered stream buffer over a file descriptor (for example 2, stderr):
// text is collected and written in large pieces instead of one write per
// insertion. So that a reader still sees progress, the buffer is also written
// out when a line ends and the last write lies at least maxDelay back, and
// whenever the stream is flushed. Write errors are ignored (a closed pipe
// must not stop the program); EINTR is retried.

#include <chrono>
#include <streambuf>
#include <vector>

namespace zavo {

class FdStreamBuffer : public std::streambuf {
public:
  explicit FdStreamBuffer(int fd, std::chrono::milliseconds maxDelay = std::chrono::milliseconds(100),
                          std::size_t size = 1 << 16);
  ~FdStreamBuffer() override;
  FdStreamBuffer(const FdStreamBuffer&) = delete;
  FdStreamBuffer& operator=(const FdStreamBuffer&) = delete;

protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

private:
  // Writes out what the buffer holds.
  void Drain();
  // After text that ends a line: drains when the last write is old enough.
  void MaybeDrain();

  int fd_;
  std::chrono::milliseconds maxDelay_;
  std::vector<char> buffer_;
  std::chrono::steady_clock::time_point lastWrite_;
};

}  // namespace zavo
