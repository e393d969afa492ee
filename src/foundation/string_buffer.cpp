#include "foundation/string_buffer.h"

#include <cstring>

#include "foundation/runtime_error_box.h"

StringBuffer::~StringBuffer() { Release(); }

void StringBuffer::Fail(const char* what) { RuntimeErrorBox(what); }

void StringBuffer::Release() {
  if (owned_) delete[] buffer_;
  buffer_ = nullptr;
  owned_ = 0;
}

void StringBuffer::Alloc(std::uint32_t capacity) {
  char* storage = new char[static_cast<std::size_t>(capacity) + 1];
  Release();
  buffer_ = storage;
  capacity_ = capacity;
  owned_ = 1;
  Free();
}

int StringBuffer::Attach(char* storage, std::uint32_t capacity, int closed) {
  Release();
  buffer_ = storage;
  capacity_ = capacity;
  if (closed) {
    closed_ = 1;
    const void* end = storage ? std::memchr(storage, '\0', capacity) : nullptr;
    length_ = end ? static_cast<std::uint32_t>(static_cast<const char*>(end) - storage)
                  : (storage ? capacity : 0);
  } else if (storage) {
    Free();
  } else {
    closed_ = 0;
    length_ = 0;
  }
  return 0;
}

void StringBuffer::Free() {
  if (!buffer_) Fail("StringBuffer::Free");
  length_ = 0;
  closed_ = 0;
}

void StringBuffer::Close() {
  if (!buffer_) Fail("StringBuffer::Close");
  buffer_[length_] = '\0';
  closed_ = 1;
}

const char* StringBuffer::Get() const {
  if (!buffer_ || !closed_) Fail("StringBuffer::Get");
  return buffer_;
}
