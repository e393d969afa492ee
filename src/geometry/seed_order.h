#pragma once

// The seeds of one level of a hierarchy build in the order a seed order gives
// them. Members only ever become taken, so the first member of the order that
// is not taken is the seed: the first free one (no keys), or the free one of
// least key, the first of equals. Keys that are not numbers have no order:
// then every seed is looked for among all members, the first one taken
// outright and a later one only with a strictly smaller key.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <utility>
#include <vector>

namespace zavo {

class SeedPicker {
public:
  // The first free member each time when keys is empty.
  SeedPicker(std::vector<double> keys, std::size_t count) : keys_(std::move(keys)), count_(count) {
    if (keys_.empty()) return;
    scan_ = std::any_of(keys_.begin(), keys_.end(), [](double k) { return std::isnan(k); });
    if (scan_) return;
    order_.resize(count_);
    std::iota(order_.begin(), order_.end(), std::size_t{0});
    std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) { return keys_[a] < keys_[b]; });
  }

  // The next seed, or -1 when every member is taken.
  template <class Taken>
  long Next(const Taken& taken) {
    if (scan_) {
      long best = -1;
      for (std::size_t p = 0; p < count_; ++p) {
        if (taken(p)) continue;
        if (best < 0 || keys_[p] < keys_[static_cast<std::size_t>(best)]) best = static_cast<long>(p);
      }
      return best;
    }
    const bool keyed = !keys_.empty();
    while (cursor_ < count_ && taken(keyed ? order_[cursor_] : cursor_)) ++cursor_;
    if (cursor_ == count_) return -1;
    return static_cast<long>(keyed ? order_[cursor_] : cursor_);
  }

private:
  std::vector<double> keys_;
  std::size_t count_;
  bool scan_ = false;
  std::vector<std::size_t> order_;
  std::size_t cursor_ = 0;
};

}  // namespace zavo
