#include "foundation/char_string.h"

#include <cstring>
#include <new>
#include <ostream>
#include <utility>

#include "foundation/runtime_error_box.h"

namespace {

char* CopyOf(const char* s, std::size_t n) {
  char* t = new char[n + 1];
  std::memcpy(t, s, n);
  t[n] = '\0';
  return t;
}

// Byte-wise order with bytes as unsigned values (strcmp's contract).
int Order(const char* a, const char* b) {
  int r = std::strcmp(a, b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace

charString::charString(const char* s, int take) {
  if (take) {
    text_ = const_cast<char*>(s);
  } else {
    *this = s;
  }
}

charString::charString(const charString& other) { *this = other.text_; }

charString::charString(charString&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}

charString::~charString() { delete[] text_; }

charString& charString::operator=(const char* s) {
  char* copy = nullptr;
  if (s) {
    try {
      copy = CopyOf(s, std::strlen(s));
    } catch (...) {
      delete[] text_;
      text_ = nullptr;
      throw;
    }
  }
  delete[] text_;
  text_ = copy;
  return *this;
}

charString& charString::operator=(const charString& other) { return *this = other.text_; }

charString& charString::operator=(charString&& other) noexcept {
  if (this != &other) {
    delete[] text_;
    text_ = std::exchange(other.text_, nullptr);
  }
  return *this;
}

char* charString::Dup() const { return text_ ? CopyOf(text_, std::strlen(text_)) : nullptr; }

char* charString::operator+(const char* other) const {
  if (!text_ || !other) RuntimeErrorBox("charString::operator+");
  std::size_t a = std::strlen(text_);
  std::size_t b = std::strlen(other);
  char* t = new char[a + b + 1];
  std::memcpy(t, text_, a);
  std::memcpy(t + a, other, b + 1);
  return t;
}

char* charString::Sub(int from, int to) const {
  if (!text_ || from < 0 || from > to || static_cast<std::size_t>(to) > std::strlen(text_)) {
    RuntimeErrorBox("charString::Sub");
  }
  return CopyOf(text_ + from, static_cast<std::size_t>(to - from));
}

bool charString::operator==(const char* other) const {
  if (!text_ || !other) return !text_ && !other;
  return std::strcmp(text_, other) == 0;
}

int charString::NotEqual(const char* a, const char* b) {
  if (!a || !b) return (!a && !b) ? 0 : 1;
  return Order(a, b);
}

int charString::Compare(const char* other) const {
  if (!text_ || !other) return (text_ ? 1 : 0) - (other ? 1 : 0);
  return Order(text_, other);
}

std::ostream& operator<<(std::ostream& os, const charString& s) {
  if (s.text_) os << s.text_;
  return os;
}
