#pragma once
#include <memory>

// Thrown by cStack<T>::Pop on an empty stack.
struct XcStack {};

// A stack of fixed capacity. Push refuses (answers false) when the stack is
// full, so that callers can turn an overlong input into an ordinary failure.
template <class T>
class cStack {
public:
  explicit cStack(int capacity) : capacity_(capacity), items_(new T[capacity]) {}
  cStack(const cStack&) = delete;
  cStack& operator=(const cStack&) = delete;

  int Capacity() const { return capacity_; }
  int Count() const { return count_; }
  bool IsEmpty() const { return count_ == 0; }

  [[nodiscard]] bool Push(const T& item) {
    if (count_ >= capacity_) return false;
    items_[count_++] = item;
    return true;
  }
  T Pop() {
    if (count_ == 0) throw XcStack();
    return items_[--count_];
  }
  T& Top() {
    if (count_ == 0) throw XcStack();
    return items_[count_ - 1];
  }
  // Entry i from the bottom (0 is the oldest).
  T& operator[](int i) { return items_[i]; }

private:
  int capacity_;
  std::unique_ptr<T[]> items_;
  int count_ = 0;
};
