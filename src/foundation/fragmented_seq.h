#pragma once

// FragmentedSeq<T,I>: the growable collection. Elements live in blocks of 100
// that never move and are never freed before Clear or destruction, so the
// address of an element stays valid while the sequence grows. Growing by one
// element (SetSize(Size() + 1), then storing the new last element) allocates a
// block only every 100 elements and copies the block table, never the elements.
// Shrinking only lowers the size; the blocks stay.
//
// I is the integer type of sizes and indices (int, long or unsigned int). New
// elements are value-initialised. Element access makes no range check.

#include <cstdint>
#include <memory>
#include <type_traits>

#include "foundation/runtime_error_box.h"

// The storage: the block table with its blocks, owned together.
template <class T, class I>
class FragmentedSeqBase {
 public:
  I Size() const { return size; }
  I NBlocks() const { return nblocks; }
  I BlockSize() const { return blocksize; }

  // Frees every block and the table; the sequence becomes empty.
  void Clear() {
    if (blocks == nullptr) return;
    for (I b = 0; b < nblocks; ++b) delete[] blocks[b];
    delete[] blocks;
    blocks = nullptr;
    size = 0;
    nblocks = 0;
  }

 protected:
  FragmentedSeqBase() = default;
  FragmentedSeqBase(const FragmentedSeqBase&) = delete;
  FragmentedSeqBase& operator=(const FragmentedSeqBase&) = delete;
  ~FragmentedSeqBase() { Clear(); }

  T** blocks = nullptr;
  I size = 0;
  I nblocks = 0;
  I blocksize = 100;
};

template <class T, class I>
class FragmentedSeq : public FragmentedSeqBase<T, I> {
  static_assert(std::is_integral_v<I>, "the index type is an integer type");
  using U = std::make_unsigned_t<I>;

 public:
  FragmentedSeq() = default;

  // Block size 100 (whatever the source's), the source's size, equal elements.
  FragmentedSeq(const FragmentedSeq& other) : FragmentedSeqBase<T, I>() {
    SetSize(other.size);
    for (I i = 0; i < other.size; ++i) (*this)[i] = other[i];
  }

  // Sets the other's size, then assigns the elements below it.
  FragmentedSeq& operator=(const FragmentedSeq& other) {
    SetSize(other.size);
    for (I i = 0; i < other.size; ++i) (*this)[i] = other[i];
    return *this;
  }

  // Makes room for n elements (whole blocks, never fewer than before) and sets
  // the size to n. When an allocation or an element constructor fails, what
  // this call allocated is freed and the sequence keeps its previous table,
  // size and block count.
  void SetSize(I n) {
    if constexpr (std::is_signed_v<I>) {
      if (n < 0) RuntimeErrorBox("FragmentedSeq::SetSize");
    }
    const U wanted = static_cast<U>(n);
    const U per_block = static_cast<U>(this->blocksize);
    const U needed = wanted / per_block + (wanted % per_block != 0 ? 1 : 0);
    const U have = static_cast<U>(this->nblocks);
    if (needed <= have) {
      this->size = n;
      return;
    }
    std::unique_ptr<T*[]> table(new T*[needed]);
    for (U b = 0; b < have; ++b) table[b] = this->blocks[b];
    U made = have;
    try {
      for (; made < needed; ++made) table[made] = new T[per_block]();
    } catch (...) {
      for (U b = have; b < made; ++b) delete[] table[b];
      throw;
    }
    delete[] this->blocks;
    this->blocks = table.release();
    this->nblocks = static_cast<I>(needed);
    this->size = n;
  }

  T& operator[](I i) {
    const U k = static_cast<U>(i);
    const U per_block = static_cast<U>(this->blocksize);
    return this->blocks[k / per_block][k % per_block];
  }
  const T& operator[](I i) const {
    const U k = static_cast<U>(i);
    const U per_block = static_cast<U>(this->blocksize);
    return this->blocks[k / per_block][k % per_block];
  }
};
