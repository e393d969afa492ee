#pragma once

// BigSeq<T>: a fixed-capacity array in blocks of 500 elements, allocated whole
// at construction and never reallocated. Access through v checks the index
// against the capacity; the containers built on it keep their own fill level.

#include <cstddef>
#include <cstdint>

#include "foundation/runtime_error_box.h"
#include "foundation/seq.h"

template <class T>
class BigSeq {
 public:
  // Room for at least n elements: n / 500 + 1 blocks, so one block more than
  // needed when n is a multiple of 500.
  explicit BigSeq(std::uint32_t n) : nblocks(n / kBlockSize + 1) {
    blocks.SetSize(nblocks);
    for (std::uint32_t b = 0; b < nblocks; ++b) blocks[b].SetSize(blocksize);
    capacity = static_cast<std::size_t>(nblocks) * blocksize;
  }

  std::uint32_t NBlocks() const { return nblocks; }
  std::uint32_t BlockSize() const { return blocksize; }
  std::size_t Capacity() const { return capacity; }

  // The element at i; an index at or beyond the capacity is an internal error.
  T& v(std::size_t i) {
    if (i >= capacity) RuntimeErrorBox("BigSeq::v");
    return blocks[static_cast<std::uint32_t>(i / blocksize)][static_cast<std::uint32_t>(i % blocksize)];
  }
  const T& v(std::size_t i) const {
    if (i >= capacity) RuntimeErrorBox("BigSeq::v");
    return blocks[static_cast<std::uint32_t>(i / blocksize)][static_cast<std::uint32_t>(i % blocksize)];
  }

 private:
  static constexpr std::uint32_t kBlockSize = 500;

  Seq<Seq<T>> blocks;
  std::uint32_t nblocks;
  std::uint32_t blocksize = kBlockSize;
  std::size_t capacity = 0;
};
