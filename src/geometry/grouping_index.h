#pragma once

// The searches of the greedy grouping that the hierarchy builders run for
// every group they form: the free member whose union with a seed has the
// least volume (its partner), and the free members whose union with a pair
// stays below a limit (its joiners).
//
// The members are numbered 0 .. n - 1. A search may be limited to the members
// numbered above a given one, and to the members whose grid cells meet given
// cells. Ties are settled by a key: the number, or, for a search limited to
// cells, the first of those cells that a scan of the cells (x outermost, then
// y, then z) meets the member in, then the number. A partner is the member of
// least (volume, key); joiners come in key order. So the answers are those of
// a scan over the members in key order that keeps the first of equal volumes.
//
// The members are held in a tree of boxes built once over their boxes (split
// at the median of the centres along the widest spread, a few members a
// leaf); every node keeps, over its free members only, the greatest box
// minimum, the least box maximum and the least extent on each axis, the cells
// they span and the least and greatest number. From these a node gives a
// lower bound of the union volume of a box with any member below it, computed
// with the same rounded operations as the volume itself (a difference of the
// greatest and least limits per axis, then the product of the three), so the
// bound never exceeds a volume that a member gives. A search leaves out a
// node whose bound (or, at an equal bound, whose least key) cannot beat what
// it has found. A member taken out updates the nodes above it.
//
// The bound holds for boxes with min <= max on every axis and finite limits
// of at most 1e100 in size (no volume overflows). When a member's box is
// otherwise, or its volume is not the plain product of its box (the policy
// says which), the searches look at every free member in key order instead,
// as the plain scan would.
//
// The policy P gives: Item, the member type; static GEO_Box BoxOf(const Item&);
// static double UnionVolume(const Item& with, const Item& member), the volume
// weighed (called with the seed or the pair first, as the scan would); static
// bool Bounded(const Item&), whether the bound above holds for the item.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <vector>

#include <type_traits>

#include "geometry/box.h"
#include "geometry/box_cont_man.h"
#include "geometry/grid.h"

namespace zavo {

// The cells of a grid a box is listed in: first .. last on each axis.
struct CellBox {
  int first[3] = {0, 0, 0};
  int last[3] = {-1, -1, -1};

  static CellBox Of(const GridSpan& span, const GEO_Box& box) {
    CellBox c;
    for (int a = 0; a < 3; ++a) span.CellRange(box, a, c.first[a], c.last[a]);
    return c;
  }
  bool Meets(const CellBox& o) const {
    for (int a = 0; a < 3; ++a) {
      if (std::max(first[a], o.first[a]) > std::min(last[a], o.last[a])) return false;
    }
    return true;
  }
};

// Which free members a search looks at.
struct GroupQuery {
  // Only the members numbered above this one (-1: all).
  std::int64_t after = -1;
  // Only the members whose cells meet these (null: all); ties then go by the
  // first of these cells a member is met in.
  const CellBox* cells = nullptr;
};

// Whether a box is one the lower bound holds for.
inline bool BoundedBox(const GEO_Box& b) {
  constexpr double kLimit = 1e100;
  const double lo[3] = {b.xmin, b.ymin, b.zmin};
  const double hi[3] = {b.xmax, b.ymax, b.zmax};
  for (int a = 0; a < 3; ++a) {
    if (!(lo[a] <= hi[a]) || !(lo[a] >= -kLimit) || !(hi[a] <= kLimit)) return false;
  }
  return true;
}

template <class P>
class GroupingIndex {
public:
  using Item = typename P::Item;

  GroupingIndex() = default;
  // Reset(items, n, cells).
  GroupingIndex(const Item* items, std::uint32_t n, const CellBox* cells = nullptr) { Reset(items, n, cells); }

  // Over items[0 .. n - 1] (not owned; they must stay while the index is
  // used), all free; cells, when given, one per item (copied). The storage
  // of the last use is kept.
  void Reset(const Item* items, std::uint32_t n, const CellBox* cells = nullptr) {
    items_ = items;
    n_ = n;
    free_.assign(n, 1);
    if (cells != nullptr) {
      cells_.assign(cells, cells + n);
    } else {
      cells_.clear();
    }
    indexed_ = true;
    for (std::uint32_t i = 0; i < n && indexed_; ++i) indexed_ = P::Bounded(items[i]);
    if (indexed_) BuildTree();
  }

  // Whether the searches use the tree (every member bounded).
  bool Indexed() const { return indexed_; }
  bool Free(std::uint32_t i) const { return free_[i] != 0; }

  // Takes a member out of every later search.
  void Take(std::uint32_t i) {
    if (free_[i] == 0) return;
    free_[i] = 0;
    if (!indexed_) return;
    slotFree_[itemSlot_[i]] = 0;
    std::size_t k = leafOf_[i];
    RefreshLeaf(k);
    for (k >>= 1; k >= 1; k >>= 1) Merge(k);
  }

  // The free member of least (union volume with `with`, key) among those the
  // query admits; -1 when there is none.
  long Partner(const Item& with, const GroupQuery& query) {
    query_ = &query;
    with_ = &with;
    found_ = -1;
    if (indexed_) {
      queryBox_ = P::BoxOf(with);
      for (int a = 0; a < 3; ++a) queryExtent_[a] = Hi(queryBox_, a) - Lo(queryBox_, a);
      if (Admits(1)) SearchPartner(1);
      return found_;
    }
    Candidates(candidates_);
    double best = 0.0;
    for (const std::uint32_t i : candidates_) {
      const double v = P::UnionVolume(with, items_[i]);
      if (found_ < 0 || v < best) {
        found_ = i;
        best = v;
      }
    }
    return found_;
  }

  // The free members the query admits whose union with `pair` has a volume
  // below limit, in key order (they stay free).
  void Joiners(const Item& pair, double limit, const GroupQuery& query, std::vector<std::uint32_t>& out) {
    query_ = &query;
    with_ = &pair;
    out.clear();
    if (indexed_) {
      queryBox_ = P::BoxOf(pair);
      for (int a = 0; a < 3; ++a) queryExtent_[a] = Hi(queryBox_, a) - Lo(queryBox_, a);
      limit_ = limit;
      if (Admits(1)) CollectJoiners(1, out);
      SortByKey(out);
      return;
    }
    Candidates(candidates_);
    for (const std::uint32_t i : candidates_) {
      if (P::UnionVolume(pair, items_[i]) < limit) out.push_back(i);
    }
  }

private:
  static constexpr std::uint32_t kLeafSize = 8;
  static constexpr double kInf = std::numeric_limits<double>::infinity();

  // What a node knows of its free members.
  struct Summary {
    double loMax[3];   // the greatest box minimum
    double hiMin[3];   // the least box maximum
    double extMin[3];  // the least extent
    int cellMin[3];    // the least first cell
    int cellMax[3];    // the greatest last cell
    std::uint32_t minNumber;
    std::uint32_t maxNumber;
    std::uint32_t count;
  };

  static double Lo(const GEO_Box& b, int a) { return a == 0 ? b.xmin : (a == 1 ? b.ymin : b.zmin); }
  static double Hi(const GEO_Box& b, int a) { return a == 0 ? b.xmax : (a == 1 ? b.ymax : b.zmax); }

  static void Clear(Summary& s) {
    for (int a = 0; a < 3; ++a) {
      s.loMax[a] = -kInf;
      s.hiMin[a] = kInf;
      s.extMin[a] = kInf;
      s.cellMin[a] = std::numeric_limits<int>::max();
      s.cellMax[a] = std::numeric_limits<int>::min();
    }
    s.minNumber = std::numeric_limits<std::uint32_t>::max();
    s.maxNumber = 0;
    s.count = 0;
  }

  // Adds the member in slot p.
  void Add(Summary& s, std::uint32_t p) const {
    const GEO_Box b = P::BoxOf(slotItems_[p]);
    for (int a = 0; a < 3; ++a) {
      const double lo = Lo(b, a);
      const double hi = Hi(b, a);
      s.loMax[a] = std::max(s.loMax[a], lo);
      s.hiMin[a] = std::min(s.hiMin[a], hi);
      s.extMin[a] = std::min(s.extMin[a], hi - lo);
    }
    if (!slotCells_.empty()) {
      const CellBox& c = slotCells_[p];
      for (int a = 0; a < 3; ++a) {
        s.cellMin[a] = std::min(s.cellMin[a], c.first[a]);
        s.cellMax[a] = std::max(s.cellMax[a], c.last[a]);
      }
    }
    const std::uint32_t i = order_[p];
    s.minNumber = std::min(s.minNumber, i);
    s.maxNumber = std::max(s.maxNumber, i);
    ++s.count;
  }

  void Merge(std::size_t k) {
    const Summary& l = tree_[2 * k];
    const Summary& r = tree_[2 * k + 1];
    Summary& s = tree_[k];
    for (int a = 0; a < 3; ++a) {
      s.loMax[a] = std::max(l.loMax[a], r.loMax[a]);
      s.hiMin[a] = std::min(l.hiMin[a], r.hiMin[a]);
      s.extMin[a] = std::min(l.extMin[a], r.extMin[a]);
      s.cellMin[a] = std::min(l.cellMin[a], r.cellMin[a]);
      s.cellMax[a] = std::max(l.cellMax[a], r.cellMax[a]);
    }
    s.minNumber = std::min(l.minNumber, r.minNumber);
    s.maxNumber = std::max(l.maxNumber, r.maxNumber);
    s.count = l.count + r.count;
  }

  void RefreshLeaf(std::size_t k) {
    Summary& s = tree_[k];
    Clear(s);
    const std::size_t leaf = k - leaves_;
    for (std::uint32_t p = leafStart_[leaf]; p < leafStart_[leaf + 1]; ++p) {
      if (slotFree_[p] != 0) Add(s, p);
    }
  }

  // A complete binary tree of 2^d leaves over the members ordered so that
  // every node's members are contiguous: node k (1 the root) has children 2k
  // and 2k + 1, leaves are leaves_ .. 2 leaves_ - 1.
  void BuildTree() {
    leaves_ = 1;
    while (static_cast<std::size_t>(leaves_) * kLeafSize < n_) leaves_ *= 2;
    order_.resize(n_);
    std::iota(order_.begin(), order_.end(), 0u);
    centre_.resize(n_);
    leafStart_.resize(leaves_ + 1);
    Split(1, 0, n_);
    leafStart_[leaves_] = n_;
    leafOf_.resize(n_);
    for (std::size_t leaf = 0; leaf < leaves_; ++leaf) {
      for (std::uint32_t p = leafStart_[leaf]; p < leafStart_[leaf + 1]; ++p) leafOf_[order_[p]] = static_cast<std::uint32_t>(leaves_ + leaf);
    }
    // The members again in slot order, so that a leaf's members lie together.
    slotItems_.resize(n_);
    slotFree_.assign(n_, 1);
    itemSlot_.resize(n_);
    slotCells_.resize(cells_.empty() ? 0 : n_);
    for (std::uint32_t p = 0; p < n_; ++p) {
      const std::uint32_t i = order_[p];
      slotItems_[p] = items_[i];
      itemSlot_[i] = p;
      if (!cells_.empty()) slotCells_[p] = cells_[i];
    }
    if (tree_.size() < 2 * leaves_) tree_.resize(2 * leaves_);
    for (std::size_t k = leaves_; k < 2 * leaves_; ++k) RefreshLeaf(k);
    for (std::size_t k = leaves_ - 1; k >= 1; --k) Merge(k);
  }

  // Orders order_[begin .. end) for node k: split at the middle along the
  // axis on which the box centres spread most (the shape of the tree only
  // matters for speed).
  void Split(std::size_t k, std::uint32_t begin, std::uint32_t end) {
    if (k >= leaves_) {
      leafStart_[k - leaves_] = begin;
      return;
    }
    const std::uint32_t mid = begin + (end - begin) / 2;
    if (end - begin > 1) {
      double lo[3] = {kInf, kInf, kInf};
      double hi[3] = {-kInf, -kInf, -kInf};
      for (std::uint32_t p = begin; p < end; ++p) {
        const GEO_Box b = P::BoxOf(items_[order_[p]]);
        const double c[3] = {b.xmin + b.xmax, b.ymin + b.ymax, b.zmin + b.zmax};
        for (int a = 0; a < 3; ++a) {
          lo[a] = std::min(lo[a], c[a]);
          hi[a] = std::max(hi[a], c[a]);
        }
      }
      int axis = 0;
      for (int a = 1; a < 3; ++a) {
        if (hi[a] - lo[a] > hi[axis] - lo[axis]) axis = a;
      }
      for (std::uint32_t p = begin; p < end; ++p) {
        const GEO_Box b = P::BoxOf(items_[order_[p]]);
        centre_[order_[p]] = Lo(b, axis) + Hi(b, axis);
      }
      std::nth_element(order_.begin() + begin, order_.begin() + mid, order_.begin() + end,
                       [&](std::uint32_t x, std::uint32_t y) { return centre_[x] < centre_[y]; });
    }
    Split(2 * k, begin, mid);
    Split(2 * k + 1, mid, end);
  }

  // The tie key of member i under the current query.
  std::uint64_t Key(std::uint32_t i) const {
    if (query_->cells == nullptr) return i;
    const CellBox& q = *query_->cells;
    const CellBox& c = cells_[i];
    return PackKey(std::max(c.first[0], q.first[0]), std::max(c.first[1], q.first[1]),
                   std::max(c.first[2], q.first[2]), i);
  }
  static std::uint64_t PackKey(int x, int y, int z, std::uint32_t number) {
    const auto cell = (static_cast<std::uint64_t>(x) << 14) | (static_cast<std::uint64_t>(y) << 7) |
                      static_cast<std::uint64_t>(z);
    return (cell << 32) | number;
  }
  // No member below node k has a smaller key.
  std::uint64_t KeyBound(std::size_t k) const {
    const Summary& s = tree_[k];
    if (query_->cells == nullptr) return s.minNumber;
    const CellBox& q = *query_->cells;
    return PackKey(std::max(s.cellMin[0], q.first[0]), std::max(s.cellMin[1], q.first[1]),
                   std::max(s.cellMin[2], q.first[2]), s.minNumber);
  }

  // Whether node k may hold a member the query admits.
  bool Admits(std::size_t k) const {
    const Summary& s = tree_[k];
    if (s.count == 0) return false;
    if (query_->after >= 0 && static_cast<std::int64_t>(s.maxNumber) <= query_->after) return false;
    if (query_->cells != nullptr) {
      const CellBox& q = *query_->cells;
      for (int a = 0; a < 3; ++a) {
        if (s.cellMin[a] > q.last[a] || s.cellMax[a] < q.first[a]) return false;
      }
    }
    return true;
  }
  // Whether the query admits the member in slot p.
  bool AdmitsSlot(std::uint32_t p) const {
    if (slotFree_[p] == 0) return false;
    if (query_->after >= 0 && static_cast<std::int64_t>(order_[p]) <= query_->after) return false;
    return query_->cells == nullptr || slotCells_[p].Meets(*query_->cells);
  }
  std::uint64_t SlotKey(std::uint32_t p) const {
    if (query_->cells == nullptr) return order_[p];
    const CellBox& q = *query_->cells;
    const CellBox& c = slotCells_[p];
    return PackKey(std::max(c.first[0], q.first[0]), std::max(c.first[1], q.first[1]),
                   std::max(c.first[2], q.first[2]), order_[p]);
  }
  bool AdmitsMember(std::uint32_t i) const {
    if (free_[i] == 0) return false;
    if (query_->after >= 0 && static_cast<std::int64_t>(i) <= query_->after) return false;
    return query_->cells == nullptr || cells_[i].Meets(*query_->cells);
  }

  // No free member below node k gives a smaller union volume with the query
  // box: per axis the union spans at least from the least of the query's
  // minimum and the members' greatest minimum to the greatest of the query's
  // maximum and the members' least maximum, and at least the query's and the
  // least member extent; rounding keeps the order of these differences and
  // products.
  double VolumeBound(std::size_t k) const {
    const Summary& s = tree_[k];
    double e[3];
    for (int a = 0; a < 3; ++a) {
      const double hi = Hi(queryBox_, a) > s.hiMin[a] ? Hi(queryBox_, a) : s.hiMin[a];
      const double lo = Lo(queryBox_, a) < s.loMax[a] ? Lo(queryBox_, a) : s.loMax[a];
      double v = hi - lo;
      if (queryExtent_[a] > v) v = queryExtent_[a];
      if (s.extMin[a] > v) v = s.extMin[a];
      e[a] = v;
    }
    return e[0] * e[1] * e[2];
  }

  void SearchPartner(std::size_t k) {
    if (k >= leaves_) {
      const std::size_t leaf = k - leaves_;
      for (std::uint32_t p = leafStart_[leaf]; p < leafStart_[leaf + 1]; ++p) {
        if (!AdmitsSlot(p)) continue;
        const double v = P::UnionVolume(*with_, slotItems_[p]);
        const std::uint64_t key = SlotKey(p);
        if (found_ < 0 || v < best_ || (v == best_ && key < bestKey_)) {
          found_ = order_[p];
          best_ = v;
          bestKey_ = key;
        }
      }
      return;
    }
    std::size_t child[2] = {2 * k, 2 * k + 1};
    double bound[2] = {0.0, 0.0};
    std::uint64_t keyBound[2] = {0, 0};
    bool open[2];
    for (int c = 0; c < 2; ++c) {
      open[c] = Admits(child[c]);
      if (!open[c]) continue;
      bound[c] = VolumeBound(child[c]);
      keyBound[c] = KeyBound(child[c]);
    }
    // The more promising child first.
    if (open[0] && open[1] &&
        (bound[1] < bound[0] || (bound[1] == bound[0] && keyBound[1] < keyBound[0]))) {
      std::swap(child[0], child[1]);
      std::swap(bound[0], bound[1]);
      std::swap(keyBound[0], keyBound[1]);
      std::swap(open[0], open[1]);
    }
    for (int c = 0; c < 2; ++c) {
      if (!open[c]) continue;
      if (found_ >= 0 && (bound[c] > best_ || (bound[c] == best_ && keyBound[c] >= bestKey_))) continue;
      SearchPartner(child[c]);
    }
  }

  void CollectJoiners(std::size_t k, std::vector<std::uint32_t>& out) const {
    if (!(VolumeBound(k) < limit_)) return;
    if (k >= leaves_) {
      const std::size_t leaf = k - leaves_;
      for (std::uint32_t p = leafStart_[leaf]; p < leafStart_[leaf + 1]; ++p) {
        if (AdmitsSlot(p) && P::UnionVolume(*with_, slotItems_[p]) < limit_) out.push_back(order_[p]);
      }
      return;
    }
    if (Admits(2 * k)) CollectJoiners(2 * k, out);
    if (Admits(2 * k + 1)) CollectJoiners(2 * k + 1, out);
  }

  void SortByKey(std::vector<std::uint32_t>& members) const {
    if (query_->cells == nullptr) {
      std::sort(members.begin(), members.end());
    } else {
      std::sort(members.begin(), members.end(), [&](std::uint32_t x, std::uint32_t y) { return Key(x) < Key(y); });
    }
  }

  // Every free member the query admits, in key order.
  void Candidates(std::vector<std::uint32_t>& out) const {
    out.clear();
    for (std::uint32_t i = 0; i < n_; ++i) {
      if (AdmitsMember(i)) out.push_back(i);
    }
    if (query_->cells != nullptr) SortByKey(out);
  }

  const Item* items_ = nullptr;
  std::uint32_t n_ = 0;
  std::vector<std::uint8_t> free_;
  std::vector<CellBox> cells_;
  bool indexed_ = false;

  // The tree (while indexed).
  std::size_t leaves_ = 1;
  std::vector<std::uint32_t> order_;
  std::vector<double> centre_;  // while the tree is built
  std::vector<std::uint32_t> leafStart_;
  std::vector<std::uint32_t> leafOf_;
  // By slot (the members in tree order): a copy of the member, its cells,
  // whether it is free; and the slot of each member.
  std::vector<Item> slotItems_;
  std::vector<CellBox> slotCells_;
  std::vector<std::uint8_t> slotFree_;
  std::vector<std::uint32_t> itemSlot_;
  std::vector<Summary> tree_;

  // The search running.
  const GroupQuery* query_ = nullptr;
  const Item* with_ = nullptr;
  GEO_Box queryBox_;
  double queryExtent_[3] = {0.0, 0.0, 0.0};
  double limit_ = 0.0;
  long found_ = -1;
  double best_ = 0.0;
  std::uint64_t bestKey_ = 0;
  std::vector<std::uint32_t> candidates_;
};

// The members of the face-hierarchy builders: boxes of type B weighed by the
// box policy CM. The bound holds for the policy of plain boxes (BoxContMan and
// what derives from it).
template <class B, class CM>
struct BoxGrouping {
  using Item = B;
  static GEO_Box BoxOf(const B& b) {
    return {CM::Min(b, 0), CM::Max(b, 0), CM::Min(b, 1), CM::Max(b, 1), CM::Min(b, 2), CM::Max(b, 2)};
  }
  static double UnionVolume(const B& with, const B& member) { return CM::UnionVolume(with, member); }
  static bool Bounded(const B& b) { return std::is_base_of_v<BoxContMan, CM> && BoundedBox(BoxOf(b)); }
};

}  // namespace zavo
