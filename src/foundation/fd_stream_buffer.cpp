#include "foundation/fd_stream_buffer.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zavo {

FdStreamBuffer::FdStreamBuffer(int fd, std::chrono::milliseconds maxDelay, std::size_t size)
    : fd_(fd), maxDelay_(maxDelay), buffer_(size > 0 ? size : 1), lastWrite_(std::chrono::steady_clock::now()) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdStreamBuffer::~FdStreamBuffer() { Drain(); }

void FdStreamBuffer::Drain() {
  const char* p = pbase();
  std::size_t left = static_cast<std::size_t>(pptr() - pbase());
  while (left > 0) {
    const ssize_t written = ::write(fd_, p, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) break;  // nowhere to write: the text is dropped
    p += written;
    left -= static_cast<std::size_t>(written);
  }
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  lastWrite_ = std::chrono::steady_clock::now();
}

void FdStreamBuffer::MaybeDrain() {
  if (std::chrono::steady_clock::now() - lastWrite_ >= maxDelay_) Drain();
}

FdStreamBuffer::int_type FdStreamBuffer::overflow(int_type c) {
  Drain();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  if (traits_type::to_char_type(c) == '\n') MaybeDrain();
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
  if (n > 0 && std::memchr(s, '\n', static_cast<std::size_t>(n)) != nullptr) MaybeDrain();
  return n;
}

int FdStreamBuffer::sync() {
  Drain();
  return 0;
}

}  // namespace zavo
