#pragma once

// Sorting ids by a real key in the order a selection sort leaves them: for
// each position i in turn, the first position from i on holding the smallest
// key is swapped with i (a later position wins only with a strictly smaller
// key). Equal keys therefore do not keep their input order, and the median
// build of the face hierarchy depends on that exact order.

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace zavo {

// The plain swap loop, quadratic in n.
template <class E>
void SelectionSortPlain(E* ids, double* keys, std::uint32_t n) {
  for (std::uint32_t i = 0; i < n; ++i) {
    std::uint32_t best = i;
    for (std::uint32_t p = i + 1; p < n; ++p) {
      if (keys[p] < keys[best]) best = p;
    }
    if (best != i) {
      std::swap(ids[i], ids[best]);
      std::swap(keys[i], keys[best]);
    }
  }
}

// The same permutation in O(n log n): a tournament tree holds, for every
// subtree, the first position of its least key. Positions already settled
// leave the tree, so the root always names the position the plain loop would
// choose; after a swap only the two positions touched are updated. Keys that
// are not numbers order no strict weak way, so such input takes the plain loop.
template <class E>
void SelectionSortByKey(E* ids, double* keys, std::uint32_t n) {
  if (n < 32) {
    SelectionSortPlain(ids, keys, n);
    return;
  }
  for (std::uint32_t i = 0; i < n; ++i) {
    if (std::isnan(keys[i])) {
      SelectionSortPlain(ids, keys, n);
      return;
    }
  }
  const std::uint32_t none = n;
  std::uint32_t leaves = 1;
  while (leaves < n) leaves <<= 1;
  std::vector<std::uint32_t> tree(2 * static_cast<std::size_t>(leaves), none);
  // The winner of two subtrees; the left one holds the lower positions.
  auto better = [&](std::uint32_t l, std::uint32_t r) {
    if (r == none) return l;
    if (l == none) return r;
    return keys[r] < keys[l] ? r : l;
  };
  for (std::uint32_t i = 0; i < n; ++i) tree[leaves + i] = i;
  for (std::uint32_t k = leaves - 1; k >= 1; --k) tree[k] = better(tree[2 * k], tree[2 * k + 1]);
  auto update = [&](std::uint32_t pos, std::uint32_t value) {
    std::size_t k = leaves + pos;
    tree[k] = value;
    for (k >>= 1; k >= 1; k >>= 1) tree[k] = better(tree[2 * k], tree[2 * k + 1]);
  };
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::uint32_t best = tree[1];
    if (best != i) {
      std::swap(ids[i], ids[best]);
      std::swap(keys[i], keys[best]);
      update(best, best);  // the key that moved there
    }
    update(i, none);  // settled
  }
}

}  // namespace zavo
