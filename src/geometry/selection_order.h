#pragma once

// Sorting ids by a real key in the order a selection sort leaves them: for
// each position i in turn, the first position from i on holding the smallest
// key is swapped with i (a later position wins only with a strictly smaller
// key). Equal keys therefore do not keep their input order, and the median
// build of the face hierarchy depends on that exact order.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace zavo {

// The work lists of SelectionSortByKey, one set a thread.
struct SelectionScratch {
  std::vector<std::uint32_t> byKey, at, where, run;
  std::vector<double> keys;
};

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

// The same permutation in O(n log n). The keys are taken in rising order, one
// run of equal keys at a time. While the swap loop fills the positions of a
// run, each step takes the lowest position still holding a key of the run
// (positions below the step are settled, and the run's other members never
// move), so the run's positions are used up in rising order: the k-th position
// filled receives the member at the run's k-th lowest position, and whatever
// stood at the filled position moves to where that member was. Keys that are
// not numbers order no strict weak way, so such input takes the plain loop.
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
  // The work lists of this thread, kept from call to call (a median build
  // sorts every node's run).
  thread_local SelectionScratch scratch;
  // Input positions ordered by key; runs of equal keys end up side by side.
  std::vector<std::uint32_t>& byKey = scratch.byKey;
  byKey.resize(n);
  for (std::uint32_t i = 0; i < n; ++i) byKey[i] = i;
  std::sort(byKey.begin(), byKey.end(), [keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
  // at[p]: the input position of what stands at p now; where[e]: the reverse.
  std::vector<std::uint32_t>& at = scratch.at;
  std::vector<std::uint32_t>& where = scratch.where;
  at.resize(n);
  where.resize(n);
  for (std::uint32_t i = 0; i < n; ++i) at[i] = where[i] = i;
  std::vector<std::uint32_t>& run = scratch.run;
  for (std::uint32_t first = 0; first < n;) {
    std::uint32_t last = first + 1;
    while (last < n && !(keys[byKey[first]] < keys[byKey[last]])) ++last;
    run.clear();
    for (std::uint32_t r = first; r < last; ++r) run.push_back(where[byKey[r]]);
    std::sort(run.begin(), run.end());
    for (std::uint32_t k = 0; k < run.size(); ++k) {
      const std::uint32_t step = first + k;
      const std::uint32_t from = run[k];
      if (from == step) continue;
      const std::uint32_t member = at[from];
      const std::uint32_t moved = at[step];
      at[step] = member;
      where[member] = step;
      at[from] = moved;
      where[moved] = from;
    }
    first = last;
  }
  thread_local std::vector<E> outIds;
  std::vector<double>& outKeys = scratch.keys;
  outIds.resize(n);
  outKeys.resize(n);
  for (std::uint32_t p = 0; p < n; ++p) {
    outIds[p] = ids[at[p]];
    outKeys[p] = keys[at[p]];
  }
  std::copy(outIds.begin(), outIds.begin() + n, ids);
  std::copy(outKeys.begin(), outKeys.begin() + n, keys);
}

}  // namespace zavo
