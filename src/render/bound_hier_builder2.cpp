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
#include "geometry/seed_order.h"
#include "geometry/selection_order.h"
#include "render/bound_grouping.h"

using Builder2 = BoundHierBuilder2<CG_GraphicObjectQZData*, SeqGraphicObject>;

namespace {

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
  stop_ = {};
  Level level = BuildLeaves(factor);
  refs_.clear();
  WriteGridLog(level);
  while (level.size() > 1) {
    Status("hierarchy level " + std::to_string(level_ + 1));
    level = BuildNextLevel(std::move(level), factor);
  }
  return std::move(level[0]);
}

zavo::SeedPicker Builder2::Seeds(const std::vector<zavo::BoundRef>& refs) const {
  std::vector<double> keys;
  if (seedOrder_ != 0) {
    keys.resize(refs.size());
    for (std::size_t i = 0; i < refs.size(); ++i) keys[i] = SeedKey(refs[i]);
  }
  return zavo::SeedPicker(std::move(keys), refs.size());
}

Builder2::Level Builder2::BuildLeaves(double factor) {
  const std::uint32_t n = ElementCount();
  Status("Creating grid");
  GEO_Box all = refs_[0].box;
  for (std::uint32_t i = 1; i < n; ++i) all = zavo::UnionOfBoxes(all, refs_[i].box);
  const GridSpan span(std::clamp(gridDimension_, 2, kGridMaxDimension), GridBox(all));
  std::vector<zavo::CellBox> cells(n);
  for (std::uint32_t i = 0; i < n; ++i) cells[i] = zavo::CellBox::Of(span, refs_[i].box);
  zavo::BoundGroupingIndex& index = index_;
  index.Reset(refs_.data(), n, cells.data());
  zavo::SeedPicker seeds = Seeds(refs_);
  const auto taken = [&](std::size_t i) { return !index.Free(static_cast<std::uint32_t>(i)); };
  long placed = 0;
  Level leaves;
  for (long s = seeds.Next(taken); s >= 0; s = seeds.Next(taken)) {
    const auto seed = static_cast<std::uint32_t>(s);
    if (stop_()) {
      leaves.push_back(NewLeaf(members_, *GroupRest(index, refs_, members_)));
      break;
    }
    ++placed;
    Status(LevelText(0, static_cast<double>(placed), n) + "  [" + std::to_string(seed) + "]");
    index.Take(seed);
    zavo::GroupQuery query;
    query.cells = &cells[seed];
    const long partner = index.Partner(refs_[seed], query);
    if (partner < 0) {
      members_.assign({seed});
      zavo::BoundUnion bound(refs_[seed]);
      leaves.push_back(NewLeaf(members_, bound));
      continue;
    }
    const auto p = static_cast<std::uint32_t>(partner);
    ++placed;
    index.Take(p);
    const zavo::BoundUnion pair(refs_[seed], refs_[p]);
    const zavo::BoundRef pairRef = pair.Ref();
    const double limit = factor * zavo::VolumeOf(pairRef);
    zavo::BoundUnion bound(refs_[seed], refs_[p]);
    members_.assign({seed, p});
    const zavo::CellBox pairCells = zavo::CellBox::Of(span, pairRef.box);
    query.cells = &pairCells;
    index.Joiners(pairRef, limit, query, joining_);
    for (const std::uint32_t k : joining_) {
      index.Take(k);
      ++placed;
      bound.Add(refs_[k]);
      members_.push_back(k);
    }
    leaves.push_back(NewLeaf(members_, bound));
  }
  LinkLevel(leaves);
  return leaves;
}

Builder2::Level Builder2::BuildNextLevel(Level level, double factor) {
  if (level.empty()) RuntimeErrorBox("BoundHierBuilder2::BuildNextLevel");
  const std::vector<zavo::BoundRef> refs = BoundsOf(level);
  const auto m = static_cast<std::uint32_t>(level.size());
  zavo::BoundGroupingIndex& index = index_;
  index.Reset(refs.data(), m);
  zavo::SeedPicker seeds = Seeds(refs);
  const auto taken = [&](std::size_t i) { return !index.Free(static_cast<std::uint32_t>(i)); };
  long placed = 0;
  Level next;
  for (long s = seeds.Next(taken); s >= 0; s = seeds.Next(taken)) {
    const auto seed = static_cast<std::uint32_t>(s);
    if (stop_()) {
      next.push_back(NewParent(level, members_, *GroupRest(index, refs, members_)));
      break;
    }
    ++placed;
    Status(LevelText(level_ + 1, static_cast<double>(placed), m));
    index.Take(seed);
    // Partner and joiners come from after the seed's place only.
    zavo::GroupQuery query;
    query.after = seed;
    const long partner = index.Partner(refs[seed], query);
    if (partner < 0) {
      members_.assign({seed});
      zavo::BoundUnion bound(refs[seed]);
      next.push_back(NewParent(level, members_, bound));
      continue;
    }
    const auto p = static_cast<std::uint32_t>(partner);
    index.Take(p);
    ++placed;
    const zavo::BoundUnion pair(refs[seed], refs[p]);
    const zavo::BoundRef pairRef = pair.Ref();
    const double limit = factor * zavo::VolumeOf(pairRef);
    zavo::BoundUnion bound(refs[seed], refs[p]);
    members_.assign({seed, p});
    index.Joiners(pairRef, limit, query, joining_);
    for (const std::uint32_t k : joining_) {
      index.Take(k);
      ++placed;
      bound.Add(refs[k]);
      members_.push_back(k);
    }
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
  stop_ = {};
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
  if (count <= 4 || stop_()) {
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
  if (zavo::BreakRequested()) return;  // the tree of a broken build is thrown away
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
