#include "render/bound_hier_builder2.h"

#include <algorithm>
#include <cmath>
#include <ios>
#include <memory>
#include <numeric>
#include <sstream>
#include <string>
#include <unordered_map>
#include <utility>

#include "foundation/runtime_error_box.h"
#include "foundation/side_file.h"
#include "geometry/geo_text.h"
#include "geometry/grid.h"
#include "geometry/real_text.h"
#include "geometry/selection_order.h"

using Builder2 = BoundHierBuilder2<CG_GraphicObjectQZData*, SeqGraphicObject>;

namespace {

using ElementGrid = Grid<std::uint32_t>;

// The seeds of one level in the order the seed order gives them. Positions
// only ever become taken, so the first position of the order that is not
// taken is the seed: the first free one (order 0), or the free one of least
// key, the first of equals. Keys that are not numbers have no order: then
// every seed is looked for among all positions.
class SeedPicker {
public:
  // Order 0 when keys is empty.
  explicit SeedPicker(std::vector<double> keys, std::size_t count) : keys_(std::move(keys)), count_(count) {
    if (keys_.empty()) return;
    scan_ = std::any_of(keys_.begin(), keys_.end(), [](double k) { return std::isnan(k); });
    if (scan_) return;
    order_.resize(count_);
    std::iota(order_.begin(), order_.end(), std::size_t{0});
    std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) { return keys_[a] < keys_[b]; });
  }

  // The next seed, or -1 when every position is taken.
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

double Min(const GEO_Box& b, int axis) { return axis == 0 ? b.xmin : (axis == 1 ? b.ymin : b.zmin); }

}  // namespace

GEO_Box Builder2::GridBox(const GEO_Box& all) {
  double lo[3] = {all.xmin, all.ymin, all.zmin};
  double hi[3] = {all.xmax, all.ymax, all.zmax};
  double largest = 0.0;
  for (int a = 0; a < 3; ++a) {
    if (hi[a] - lo[a] > largest) largest = hi[a] - lo[a];
  }
  if (!(largest > 0.0)) largest = 1.0;
  for (int a = 0; a < 3; ++a) {
    if (hi[a] - lo[a] > 0.0) continue;
    lo[a] -= largest / 2;
    hi[a] += largest / 2;
  }
  return {lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]};
}

double Builder2::SeedKey(const zavo::BoundRef& ref) const {
  if (seedOrder_ == 2) {
    const GEO_Box& b = ref.box;
    double side = b.xmax - b.xmin;
    if (b.ymax - b.ymin > side) side = b.ymax - b.ymin;
    if (b.zmax - b.zmin > side) side = b.zmax - b.zmin;
    return side;
  }
  return zavo::VolumeOf(ref);  // order 1, and any order but 0 and 2
}

zavo::GlobalHierarchyPtr Builder2::Build(double factor) {
  if (ElementCount() == 0) return nullptr;
  TakeElements();
  level_ = 0;
  Level level = BuildLeaves(factor);
  refs_.clear();
  WriteGridLog(level);
  while (level.size() > 1) {
    Status("hierarchy level " + std::to_string(level_ + 1));
    level = BuildNextLevel(std::move(level), factor);
  }
  return std::move(level[0]);
}

Builder2::Level Builder2::BuildLeaves(double factor) {
  const std::uint32_t n = ElementCount();
  Status("Creating grid");
  GEO_Box all = refs_[0].box;
  for (std::uint32_t i = 1; i < n; ++i) all = zavo::UnionOfBoxes(all, refs_[i].box);
  const int dimension = std::clamp(gridDimension_, 2, ElementGrid::kMaxDimension);
  ElementGrid grid(dimension, GridBox(all));
  for (std::uint32_t i = 0; i < n; ++i) grid.Insert(i, refs_[i].box);
  grid.ClearUsed();

  std::vector<double> keys;
  if (seedOrder_ != 0) {
    keys.resize(n);
    for (std::uint32_t i = 0; i < n; ++i) keys[i] = SeedKey(refs_[i]);
  }
  SeedPicker seeds(std::move(keys), n);
  const auto taken = [&](std::size_t p) { return grid.Used(static_cast<std::uint32_t>(p)); };
  long placed = 0;
  Level leaves;
  for (long s = seeds.Next(taken); s >= 0; s = seeds.Next(taken)) {
    const auto seed = static_cast<std::uint32_t>(s);
    ++placed;
    Status(LevelText(0, static_cast<double>(placed), n) + "  [" + std::to_string(seed) + "]");
    grid.SetUsed(seed);
    grid.ClearMarks();
    long partner = -1;
    double best = 0.0;
    grid.VisitFresh(refs_[seed].box, [&](std::uint32_t number) {
      const double v = zavo::UnionVolume(refs_[seed], refs_[number]);
      if (partner < 0 || v < best) {
        partner = number;
        best = v;
      }
    });
    if (partner < 0) {
      members_.assign({seed});
      zavo::BoundUnion bound(refs_[seed]);
      leaves.push_back(NewLeaf(members_, bound));
      continue;
    }
    const auto p = static_cast<std::uint32_t>(partner);
    ++placed;
    grid.SetUsed(p);
    const zavo::BoundUnion pair(refs_[seed], refs_[p]);
    const zavo::BoundRef pairRef = pair.Ref();
    const double limit = factor * zavo::VolumeOf(pairRef);
    zavo::BoundUnion bound(refs_[seed], refs_[p]);
    members_.assign({seed, p});
    grid.ClearMarks();
    grid.VisitFresh(pairRef.box, [&](std::uint32_t number) {
      if (limit > zavo::UnionVolume(pairRef, refs_[number])) {
        grid.SetUsed(number);
        ++placed;
        bound.Add(refs_[number]);
        members_.push_back(number);
      }
    });
    leaves.push_back(NewLeaf(members_, bound));
  }
  LinkLevel(leaves);
  return leaves;
}

Builder2::Level Builder2::BuildNextLevel(Level level, double factor) {
  if (level.empty()) RuntimeErrorBox("BoundHierBuilder2::BuildNextLevel");
  const std::vector<zavo::BoundRef> refs = BoundsOf(level);
  const auto m = static_cast<std::uint32_t>(level.size());
  std::vector<double> keys;
  if (seedOrder_ != 0) {
    keys.resize(m);
    for (std::uint32_t i = 0; i < m; ++i) keys[i] = SeedKey(refs[i]);
  }
  SeedPicker seeds(std::move(keys), m);
  std::vector<char> placedFlag(m, 0);
  const auto taken = [&](std::size_t p) { return placedFlag[p] != 0; };
  // The positions not yet placed, ascending.
  std::vector<std::uint32_t> remaining(m);
  std::iota(remaining.begin(), remaining.end(), 0u);
  long placed = 0;
  Level next;
  for (long s = seeds.Next(taken); s >= 0; s = seeds.Next(taken)) {
    const auto seed = static_cast<std::uint32_t>(s);
    ++placed;
    Status(LevelText(level_ + 1, static_cast<double>(placed), m));
    placedFlag[seed] = 1;
    const std::size_t at =
        static_cast<std::size_t>(std::lower_bound(remaining.begin(), remaining.end(), seed) - remaining.begin());
    // Partner and joiners come from after the seed's place only.
    std::size_t partnerAt = 0;
    double best = 0.0;
    for (std::size_t r = at + 1; r < remaining.size(); ++r) {
      const double v = zavo::UnionVolume(refs[seed], refs[remaining[r]]);
      if (partnerAt == 0 || v < best) {
        partnerAt = r;
        best = v;
      }
    }
    if (partnerAt == 0) {
      remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(at));
      members_.assign({seed});
      zavo::BoundUnion bound(refs[seed]);
      next.push_back(NewParent(level, members_, bound));
      continue;
    }
    const std::uint32_t partner = remaining[partnerAt];
    placedFlag[partner] = 1;
    ++placed;
    const zavo::BoundUnion pair(refs[seed], refs[partner]);
    const zavo::BoundRef pairRef = pair.Ref();
    const double limit = factor * zavo::VolumeOf(pairRef);
    zavo::BoundUnion bound(refs[seed], refs[partner]);
    members_.assign({seed, partner});
    std::size_t kept = at;
    for (std::size_t r = at + 1; r < remaining.size(); ++r) {
      if (r == partnerAt) continue;
      const std::uint32_t position = remaining[r];
      if (limit > zavo::UnionVolume(pairRef, refs[position])) {
        placedFlag[position] = 1;
        ++placed;
        bound.Add(refs[position]);
        members_.push_back(position);
      } else {
        remaining[kept++] = position;
      }
    }
    remaining.resize(kept);
    next.push_back(NewParent(level, members_, bound));
  }
  ++level_;
  LinkLevel(next);
  return next;
}

zavo::GlobalHierarchyPtr Builder2::BuildMedian() {
  const std::uint32_t n = ElementCount();
  if (n == 0) return nullptr;
  TakeElements();
  std::vector<std::uint32_t> run(n);
  std::iota(run.begin(), run.end(), 0u);
  zavo::GlobalHierarchyPtr root = MedianNode(run.data(), n);
  refs_.clear();
  return root;
}

zavo::GlobalHierarchyPtr Builder2::MedianNode(const std::uint32_t* run, std::uint32_t count) {
  zavo::BoundUnion bound(refs_[run[0]]);
  GEO_Box box = refs_[run[0]].box;
  for (std::uint32_t i = 1; i < count; ++i) {
    bound.Add(refs_[run[i]]);
    GEO_Box::Union(box, box, refs_[run[i]].box);
  }
  if (count <= 4) {
    const std::vector<std::uint32_t> members(run, run + count);
    return NewLeaf(members, bound);
  }
  zavo::GlobalHierarchyPtr node(new zavo::GlobalHierNode);
  node->box = bound.Take().release();

  const double ex = box.xmax - box.xmin;
  const double ey = box.ymax - box.ymin;
  const double ez = box.zmax - box.zmin;
  int axis = 0;
  double widest = ex;
  if (ey > widest) {
    axis = 1;
    widest = ey;
  }
  if (ez > widest) axis = 2;

  std::vector<std::uint32_t> order(run, run + count);
  {
    std::vector<double> keys(count);
    for (std::uint32_t i = 0; i < count; ++i) keys[i] = Min(refs_[order[i]].box, axis);
    zavo::SelectionSortByKey(order.data(), keys.data(), count);
  }
  const std::uint32_t half = count / 2;
  node->children.SetSize(2);
  node->children[0] = MedianNode(order.data(), half).release();
  node->children[1] = MedianNode(order.data() + half, count - half).release();
  return node;
}

void Builder2::WriteGridLog(const Level& leaves) const {
  std::ostringstream os;
  std::unordered_map<const CG_GraphicObjectQZData*, std::uint32_t> index;
  for (std::uint32_t i = 0; i < ElementCount(); ++i) index.try_emplace((*objects_)[i], i);
  for (std::size_t l = 0; l < leaves.size(); ++l) {
    const zavo::GlobalHierNode* leaf = leaves[l].get();
    os << "S) " << zavo::NodeIdentity(l) << "  (";
    WriteBound(os, *leaf->box);
    os << ")\nV=";
    zavo::WriteReal(os, leaf->box->Volume());
    os << "\n[ ";
    for (std::uint32_t e = 0; e < leaf->elements.Count(); ++e) {
      if (e > 0) os << " , ";
      os << std::to_string(index[leaf->elements[e]]);
    }
    os << " ]\n";
  }
  // A diagnostic file: not writing it is no failure.
  (void)zavo::WriteLogFile("hierbl2.log", os.str());
}
