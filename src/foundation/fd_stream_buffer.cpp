#include "foundation/fd_stream_buffer.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string.h>

namespace zavo {

FdStreamBuffer::FdStreamBuffer(int fd, std::chrono::milliseconds maxDelay, std::size_t size)
    : fd_(fd), maxDelay_(maxDelay), buffer_(size > 0 ? size : 1), lastWrite_(std::chrono::steady_clock::now()) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdStreamBuffer::~FdStreamBuffer() { Drain(); }

void FdStreamBuffer::Write(const char* p, std::size_t left) {
  while (left > 0) {
    const ssize_t written = ::write(fd_, p, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) break;  // nowhere to write: the text is dropped
    p += written;
    left -= static_cast<std::size_t>(written);
  }
  lastWrite_ = std::chrono::steady_clock::now();
}

void FdStreamBuffer::Drain() {
  Write(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

void FdStreamBuffer::MaybeDrain() {
  if (std::chrono::steady_clock::now() - lastWrite_ < maxDelay_) return;
  // The whole lines go; a line being written stays for the next time.
  const std::size_t held = static_cast<std::size_t>(pptr() - pbase());
  const char* end = static_cast<const char*>(::memrchr(pbase(), '\n', held));
  if (end == nullptr) return;
  const std::size_t lines = static_cast<std::size_t>(end + 1 - pbase());
  Write(pbase(), lines);
  std::memmove(buffer_.data(), buffer_.data() + lines, held - lines);
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  pbump(static_cast<int>(held - lines));
}

FdStreamBuffer::int_type FdStreamBuffer::overflow(int_type c) {
  Drain();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

std::streamsize FdStreamBuffer::xsputn(const char* s, std::streamsize n) {
  std::streamsize done = 0;
  while (done < n) {
    if (pptr() == epptr()) Drain();
    const std::streamsize room = epptr() - pptr();
    const std::streamsize part = n - done < room ? n - done : room;
    std::memcpy(pptr(), s + done, static_cast<std::size_t>(part));
    pbump(static_cast<int>(part));
    done += part;
  }
  MaybeDrain();
  return n;
}

int FdStreamBuffer::sync() {
  Drain();
  return 0;
}

}  // namespace zavo
