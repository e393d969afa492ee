#include "render/bound_hier_builder.h"

#include <ostream>
#include <string>
#include <unordered_map>
#include <utility>

#include "foundation/runtime_error_box.h"
#include "geometry/geo_text.h"
#include "geometry/real_text.h"

using Builder = BoundHierBuilder<CG_GraphicObjectQZData*, SeqGraphicObject>;

zavo::GlobalHierarchyPtr Builder::Build(double factor) {
  if (ElementCount() == 0) return nullptr;
  TakeElements();
  level_ = 0;
  stop_ = {};
  elementIndex_.clear();
  below_.clear();
  if (Log() != nullptr) {
    for (std::uint32_t i = 0; i < ElementCount(); ++i) elementIndex_.try_emplace((*objects_)[i], i);
  }
  Level level = BuildLeaves(factor);
  refs_.clear();
  WriteLevel(level);
  while (level.size() > 1) {
    Status("hierarchy level " + std::to_string(level_ + 1));
    level = BuildNextLevel(std::move(level), factor);
    WriteLevel(level);
  }
  elementIndex_.clear();
  below_.clear();
  return std::move(level[0]);
}

std::unique_ptr<zavo::BoundUnion> Builder::FormGroup(zavo::BoundGroupingIndex& index,
                                                     const std::vector<zavo::BoundRef>& refs, std::uint32_t seed,
                                                     double factor) {
  index.Take(seed);
  members_.assign({seed});
  const long partner = index.Partner(refs[seed], zavo::GroupQuery{});
  if (partner < 0) return std::make_unique<zavo::BoundUnion>(refs[seed]);
  const auto p = static_cast<std::uint32_t>(partner);
  index.Take(p);
  members_.push_back(p);
  const zavo::BoundUnion pair(refs[seed], refs[p]);
  const zavo::BoundRef pairRef = pair.Ref();
  const double limit = factor * zavo::VolumeOf(pairRef);
  auto bound = std::make_unique<zavo::BoundUnion>(refs[seed], refs[p]);
  index.Joiners(pairRef, limit, zavo::GroupQuery{}, joining_);
  for (const std::uint32_t k : joining_) {
    index.Take(k);
    bound->Add(refs[k]);
    members_.push_back(k);
  }
  return bound;
}

Builder::Level Builder::BuildLeaves(double factor) {
  const std::uint32_t n = ElementCount();
  zavo::BoundGroupingIndex& index = index_;
  index.Reset(refs_.data(), n);
  Level leaves;
  for (std::uint32_t seed = 0; seed < n; ++seed) {
    if (!index.Free(seed)) continue;
    if (stop_()) {
      leaves.push_back(NewLeaf(members_, *GroupRest(index, refs_, members_)));
      break;
    }
    Status(LevelText(0, seed, n));
    const std::unique_ptr<zavo::BoundUnion> bound = FormGroup(index, refs_, seed, factor);
    leaves.push_back(NewLeaf(members_, *bound));
  }
  LinkLevel(leaves);
  return leaves;
}

Builder::Level Builder::BuildNextLevel(Level level, double factor) {
  if (level.empty()) RuntimeErrorBox("BoundHierBuilder::BuildNextLevel");
  const std::vector<zavo::BoundRef> refs = BoundsOf(level);
  const auto m = static_cast<std::uint32_t>(level.size());
  zavo::BoundGroupingIndex& index = index_;
  index.Reset(refs.data(), m);
  Level next;
  for (std::uint32_t seed = 0; seed < m; ++seed) {
    if (!index.Free(seed)) continue;
    if (stop_()) {
      next.push_back(NewParent(level, members_, *GroupRest(index, refs, members_)));
      break;
    }
    Status(LevelText(level_ + 1, seed, m));
    const std::unique_ptr<zavo::BoundUnion> bound = FormGroup(index, refs, seed, factor);
    next.push_back(NewParent(level, members_, *bound));
  }
  ++level_;
  LinkLevel(next);
  return next;
}

void Builder::WriteLevel(const Level& level) {
  std::ostream* os = Log();
  if (os == nullptr) return;
  *os << "level = " << std::to_string(level_) << "\n\n";
  for (std::size_t i = 0; i < level.size(); ++i) {
    const zavo::GlobalHierNode* node = level[i].get();
    *os << "S) " << zavo::NodeIdentity(i) << "  (";
    WriteBound(*os, *node->box);
    *os << ")\nV=";
    zavo::WriteReal(*os, node->box->Volume());
    *os << "\n[ ";
    if (node->children.Count() > 0) {
      // A child's identity is its position in the level below.
      for (std::uint32_t c = 0; c < node->children.Count(); ++c) {
        if (c > 0) *os << " , ";
        const auto it = below_.find(node->children[c]);
        *os << (it != below_.end() ? zavo::NodeIdentity(it->second) : std::string("?"));
      }
    } else {
      for (std::uint32_t e = 0; e < node->elements.Count(); ++e) {
        if (e > 0) *os << " , ";
        const auto it = elementIndex_.find(node->elements[e]);
        *os << (it != elementIndex_.end() ? std::to_string(it->second) : std::string("?"));
      }
    }
    *os << " ]\n";
  }
  below_.clear();
  for (std::size_t i = 0; i < level.size(); ++i) below_[level[i].get()] = i;
}
