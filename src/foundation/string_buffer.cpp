#include "foundation/string_buffer.h"

#include <cstring>

#include "foundation/runtime_error_box.h"

StringBuffer::~StringBuffer() { Release(); }

void StringBuffer::Fail(const char* what) { RuntimeErrorBox(what); }

void StringBuffer::Alloc(std::uint32_t capacity) {
  char* storage = new char[static_cast<std::size_t>(capacity) + 1];
  Release();
  buffer_ = storage;
  capacity_ = capacity;
  owned_ = 1;
  Free();
}

std::uint32_t StringBuffer::ClosedLength(const char* storage, std::uint32_t capacity) {
  const void* end = std::memchr(storage, '\0', capacity);
  return end ? static_cast<std::uint32_t>(static_cast<const char*>(end) - storage) : capacity;
}
