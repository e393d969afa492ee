#pragma once

// A buffered stream buffer over a file descriptor (for example 2, stderr):
// text is collected and written in large pieces instead of one write per
// insertion. So that a reader still sees progress, the whole lines held are
// also written out when text comes and the last write lies at least maxDelay
// back; everything is written when the buffer is full, when the stream is
// flushed and when the buffer goes. Write errors are ignored (a closed pipe
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
  void Write(const char* p, std::size_t n);
  // Writes out what the buffer holds.
  void Drain();
  // Writes out the whole lines held when the last write is old enough.
  void MaybeDrain();

  int fd_;
  std::chrono::milliseconds maxDelay_;
  std::vector<char> buffer_;
  std::chrono::steady_clock::time_point lastWrite_;
};

}  // namespace zavo
