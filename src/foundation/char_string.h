#pragma once

#include <iosfwd>

// An owned, NUL-terminated text, or null. Null is a state of its own (no text),
// distinct from the empty text "". Assignment always stores a fresh copy.
//
// Texts handed out to the caller (Dup, operator+, Sub) are allocated with
// new char[] and released by the caller with delete[]; the take-flag
// constructor adopts a text allocated the same way.
//
// Comparisons look at bytes as unsigned values; a null string orders before
// every text and two nulls are equal.
class charString {
public:
  charString() = default;
  // take != 0: adopts s as its own text without copying (null gives null).
  // take == 0: starts null and stores a copy of s.
  charString(const char* s, int take = 0);
  charString(const charString& other);
  charString(charString&& other) noexcept;
  ~charString();

  // Stores a fresh copy (null gives null); the copy is made before the old text
  // is released, so assigning a string its own text keeps it. When the copy
  // cannot be allocated the string is left null and std::bad_alloc propagates.
  charString& operator=(const char* s);
  charString& operator=(const charString& other);
  charString& operator=(charString&& other) noexcept;

  // The text, or null.
  const char* Text() const { return text_; }
  operator const char*() const { return text_; }

  // A fresh copy of the text that the caller owns; null for a null string.
  char* Dup() const;

  // A fresh text that the caller owns: this text followed by other's. Both must
  // hold text: a null operand is a programming error ("charString::operator+").
  char* operator+(const char* other) const;

  // A fresh text that the caller owns with the characters from (inclusive) to
  // to (exclusive), counted from 0. Requires 0 <= from <= to <= length; anything
  // else is a programming error ("charString::Sub").
  char* Sub(int from, int to) const;

  // True when both are null or both hold the same bytes.
  bool operator==(const char* other) const;
  bool operator==(const charString& other) const { return *this == other.text_; }
  // 0 when equal as above; 1 when exactly one side is null; otherwise -1 or 1
  // by the first differing byte (unsigned), -1 when this string's byte is smaller.
  int operator!=(const char* other) const { return NotEqual(text_, other); }
  int operator!=(const charString& other) const { return *this != other.text_; }

  bool operator<(const char* other) const { return Compare(other) < 0; }
  bool operator<=(const char* other) const { return Compare(other) <= 0; }
  bool operator>(const char* other) const { return Compare(other) > 0; }
  bool operator>=(const char* other) const { return Compare(other) >= 0; }
  bool operator<(const charString& other) const { return Compare(other.text_) < 0; }
  bool operator<=(const charString& other) const { return Compare(other.text_) <= 0; }
  bool operator>(const charString& other) const { return Compare(other.text_) > 0; }
  bool operator>=(const charString& other) const { return Compare(other.text_) >= 0; }

  // A plain string on the left compares the same way (never as pointers).
  friend bool operator==(const char* a, const charString& b) { return b == a; }
  friend int operator!=(const char* a, const charString& b) { return NotEqual(a, b.text_); }
  friend bool operator<(const char* a, const charString& b) { return b > a; }
  friend bool operator<=(const char* a, const charString& b) { return b >= a; }
  friend bool operator>(const char* a, const charString& b) { return b < a; }
  friend bool operator>=(const char* a, const charString& b) { return b <= a; }

  // Writes the text; a null string writes nothing.
  friend std::ostream& operator<<(std::ostream& os, const charString& s);

private:
  // Negative, 0 or positive; null orders before every text.
  int Compare(const char* other) const;
  static int NotEqual(const char* a, const char* b);

  char* text_ = nullptr;
};
