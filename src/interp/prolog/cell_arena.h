#pragma once

// The binding cells of the frames, taken from chunks that are kept for the
// life of the system. Frames are pushed and popped at the top only, so their
// cells are taken and given back the same way: making a frame costs no heap
// allocation once the chunks exist, and a cell never moves while it is used
// (the trail holds its address).

#include <memory>
#include <vector>

#include "interp/prolog/terms.h"

namespace zavo {

class CellArena {
public:
  // The most cells taken at once: one per variable name of a clause.
  static constexpr unsigned kChunk = 4096;

  CellArena() = default;
  CellArena(const CellArena&) = delete;
  CellArena& operator=(const CellArena&) = delete;

  // `n` unbound cells on top (null for none); `mark` gets what Give needs to
  // give them and everything taken after them back. The cells of one take
  // never straddle two chunks.
  pDVar* Take(int n, int& mark) {
    mark = top_;
    if (n <= 0) return nullptr;
    auto at = static_cast<unsigned>(top_);
    auto count = static_cast<unsigned>(n);
    if (at % kChunk + count > kChunk) at = (at / kChunk + 1) * kChunk;
    unsigned chunk = at / kChunk;
    if (chunk >= chunks_.size()) [[unlikely]] AddChunk();
    pDVar* cells = chunks_[chunk].get() + at % kChunk;
    for (pDVar* c = cells; c != cells + n; ++c) {
      c->frame = -1;
      c->printing = false;
      c->term = nullptr;
    }
    top_ = static_cast<int>(at + count);
    return cells;
  }
  // The mark of the cells not yet taken.
  int Mark() const { return top_; }
  // Gives back every cell taken since `mark`.
  void Give(int mark) { top_ = mark; }

private:
  void AddChunk() { chunks_.push_back(std::make_unique<pDVar[]>(kChunk)); }

  std::vector<std::unique_ptr<pDVar[]>> chunks_;
  int top_ = 0;
};

}  // namespace zavo
