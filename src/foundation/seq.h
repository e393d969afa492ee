#pragma once

// Seq<T>: a counted contiguous array of exactly Count() elements, owned. There
// is never spare capacity: every size change allocates the exact new size, so
// growing element by element copies the whole array each time; use
// FragmentedSeq for collections that grow one element at a time.
//
// New elements are value-initialised: class types are default-constructed,
// numbers and pointers start at zero. A sequence of pointers never deletes the
// objects pointed to. Element access makes no range check.
//
// A sequence of sequences (Seq<Seq<T>>) follows the same rules: a new inner
// sequence is empty, and assigning or resizing copies every inner sequence
// deeply through Seq<T>::operator=, so copies never share storage.

#include <cstdint>
#include <memory>

// The storage: count and the owned array (null when count is 0).
template <class T>
class SeqBase {
 public:
  std::uint32_t Count() const { return count; }
  T* Data() { return data; }
  const T* Data() const { return data; }

 protected:
  SeqBase() = default;
  SeqBase(const SeqBase&) = delete;
  SeqBase& operator=(const SeqBase&) = delete;
  ~SeqBase() { delete[] data; }

  // Replaces the array by fresh (owned) storage of n elements.
  void Adopt(T* fresh, std::uint32_t n) {
    delete[] data;
    data = fresh;
    count = n;
  }

  static std::unique_ptr<T[]> NewArray(std::uint32_t n) {
    if (n == 0) return nullptr;
    return std::unique_ptr<T[]>(new T[n]());
  }

  std::uint32_t count = 0;
  T* data = nullptr;
};

template <class T>
class Seq : public SeqBase<T> {
 public:
  Seq() = default;

  // n value-initialised elements.
  explicit Seq(std::uint32_t n) {
    std::unique_ptr<T[]> fresh = this->NewArray(n);
    this->Adopt(fresh.release(), n);
  }

  // An array of the other's count, then element-wise assignment.
  Seq(const Seq& other) : SeqBase<T>() {
    std::unique_ptr<T[]> fresh = this->NewArray(other.count);
    for (std::uint32_t i = 0; i < other.count; ++i) fresh[i] = other.data[i];
    this->Adopt(fresh.release(), other.count);
  }

  // With a different count, SetSize to the other's count (new storage); with
  // an equal count the array is reused. Then element-wise assignment.
  Seq& operator=(const Seq& other) {
    if (this->count != other.count) SetSize(other.count);
    for (std::uint32_t i = 0; i < other.count; ++i) this->data[i] = other.data[i];
    return *this;
  }

  // Discards the contents and reallocates exactly n value-initialised
  // elements; 0 frees the array. On an allocation failure the sequence is
  // unchanged.
  void SetSize(std::uint32_t n) {
    std::unique_ptr<T[]> fresh = this->NewArray(n);
    this->Adopt(fresh.release(), n);
  }

  // Reallocates exactly n elements keeping the first min(Count(), n), copied
  // by element assignment into the new (value-initialised) array; 0 frees the
  // array. On a failure (allocation or element assignment) the sequence is
  // unchanged.
  void Resize(std::uint32_t n) {
    std::unique_ptr<T[]> fresh = this->NewArray(n);
    const std::uint32_t keep = n < this->count ? n : this->count;
    for (std::uint32_t i = 0; i < keep; ++i) fresh[i] = this->data[i];
    this->Adopt(fresh.release(), n);
  }

  T& operator[](std::uint32_t i) { return this->data[i]; }
  const T& operator[](std::uint32_t i) const { return this->data[i]; }
};
