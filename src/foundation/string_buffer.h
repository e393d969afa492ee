#pragma once

#include <cstdint>

// A fixed-capacity character buffer that is filled one character at a time
// and hands out its text once it is closed. It starts with no storage; Alloc
// gives it storage of its own, Attach lends it the caller's. Misuse (adding to
// a closed buffer, reading an open one, working without storage) goes to the
// internal-error box.
//
// Characters added beyond the capacity are dropped without a word: the text
// keeps its first capacity characters. Length() == Capacity() after an Add tells
// a caller that the next character will not fit.
class StringBuffer {
public:
  StringBuffer() = default;
  ~StringBuffer();
  StringBuffer(const StringBuffer&) = delete;
  StringBuffer& operator=(const StringBuffer&) = delete;

  // Releases owned storage and allocates room for capacity characters and the
  // terminator, owned by the buffer; then empties it as Free does.
  void Alloc(std::uint32_t capacity);
  // Releases owned storage and adopts the caller's (room for capacity characters
  // and the terminator; not owned). Attached open, the buffer is emptied; attached
  // closed, the text already in the storage is the buffer's text. Returns 0.
  int Attach(char* storage, std::uint32_t capacity, int closed) {
    Release();
    buffer_ = storage;
    capacity_ = capacity;
    if (closed) {
      closed_ = 1;
      length_ = storage ? ClosedLength(storage, capacity) : 0;
    } else if (storage) {
      Free();
    } else {
      closed_ = 0;
      length_ = 0;
    }
    return 0;
  }
  // Empties the buffer and opens it. "StringBuffer::Free" without storage.
  void Free() {
    if (!buffer_) Fail("StringBuffer::Free");
    length_ = 0;
    closed_ = 0;
  }
  // Appends one character while the length is below the capacity; drops it
  // otherwise. "StringBuffer::Add" without storage or when closed.
  void Add(char c) {
    if (!buffer_ || closed_) Fail("StringBuffer::Add");
    if (length_ < capacity_) buffer_[length_++] = c;
  }
  // Terminates the text and closes the buffer. "StringBuffer::Close" without storage.
  void Close() {
    if (!buffer_) Fail("StringBuffer::Close");
    buffer_[length_] = '\0';
    closed_ = 1;
  }
  // The text. "StringBuffer::Get" without storage or when open.
  const char* Get() const {
    if (!buffer_ || !closed_) Fail("StringBuffer::Get");
    return buffer_;
  }

  std::uint32_t Length() const { return length_; }
  std::uint32_t Capacity() const { return capacity_; }
  bool IsClosed() const { return closed_ != 0; }

private:
  [[noreturn]] static void Fail(const char* what);
  void Release() {
    if (owned_) delete[] buffer_;
    buffer_ = nullptr;
    owned_ = 0;
  }
  // The length of a text attached closed: up to its terminator, or the
  // whole capacity when there is none.
  static std::uint32_t ClosedLength(const char* storage, std::uint32_t capacity);

  char* buffer_ = nullptr;
  std::uint32_t capacity_ = 0;
  int owned_ = 0;
  int closed_ = 0;
  std::uint32_t length_ = 0;
};
