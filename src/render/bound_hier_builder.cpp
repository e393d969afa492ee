#include "render/bound_hier_builder.h"

#include <ostream>
#include <string>
#include <unordered_map>
#include <utility>

#include "foundation/runtime_error_box.h"
#include "geometry/geo_text.h"
#include "geometry/real_text.h"

using Builder = BoundHierBuilder<CG_GraphicObjectQZData*, SeqGraphicObject>;

namespace {

// The position of the partner among free[1 ..]: the least union volume with
// the seed, the earliest of equals; 0 when there is none.
std::size_t FindPartner(const std::vector<std::uint32_t>& free, const std::vector<zavo::BoundRef>& refs,
                        const zavo::BoundRef& seed) {
  std::size_t partnerAt = 0;
  double best = 0.0;
  for (std::size_t p = 1; p < free.size(); ++p) {
    const double v = zavo::UnionVolume(seed, refs[free[p]]);
    if (partnerAt == 0 || v < best) {
      partnerAt = p;
      best = v;
    }
  }
  return partnerAt;
}

// With seed free[0] and its partner at partnerAt: the group's members (seed,
// partner, joiners in order) and bound; free keeps the others.
void FormGroup(std::vector<std::uint32_t>& free, std::size_t partnerAt, const std::vector<zavo::BoundRef>& refs,
               double factor, std::vector<std::uint32_t>& members, std::unique_ptr<zavo::BoundUnion>& bound) {
  const std::uint32_t seed = free[0];
  const std::uint32_t partner = free[partnerAt];
  const zavo::BoundUnion pair(refs[seed], refs[partner]);
  const zavo::BoundRef p = pair.Ref();
  const double limit = factor * zavo::VolumeOf(p);
  bound = std::make_unique<zavo::BoundUnion>(refs[seed], refs[partner]);
  members.assign({seed, partner});
  std::size_t kept = 0;
  for (std::size_t q = 1; q < free.size(); ++q) {
    if (q == partnerAt) continue;
    const std::uint32_t k = free[q];
    if (limit > zavo::UnionVolume(p, refs[k])) {
      bound->Add(refs[k]);
      members.push_back(k);
    } else {
      free[kept++] = k;
    }
  }
  free.resize(kept);
}

}  // namespace

zavo::GlobalHierarchyPtr Builder::Build(double factor) {
  if (ElementCount() == 0) return nullptr;
  TakeElements();
  level_ = 0;
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

Builder::Level Builder::BuildLeaves(double factor) {
  const std::uint32_t n = ElementCount();
  free_.resize(n);
  for (std::uint32_t i = 0; i < n; ++i) free_[i] = i;
  Level leaves;
  while (!free_.empty()) {
    const std::uint32_t seed = free_[0];
    Status(LevelText(0, seed, n));
    const std::size_t partnerAt = FindPartner(free_, refs_, refs_[seed]);
    if (partnerAt == 0) {
      free_.clear();
      members_.assign({seed});
      zavo::BoundUnion bound(refs_[seed]);
      leaves.push_back(NewLeaf(members_, bound));
      continue;
    }
    std::unique_ptr<zavo::BoundUnion> bound;
    FormGroup(free_, partnerAt, refs_, factor, members_, bound);
    leaves.push_back(NewLeaf(members_, *bound));
  }
  LinkLevel(leaves);
  return leaves;
}

Builder::Level Builder::BuildNextLevel(Level level, double factor) {
  if (level.empty()) RuntimeErrorBox("BoundHierBuilder::BuildNextLevel");
  const std::vector<zavo::BoundRef> refs = BoundsOf(level);
  const auto m = static_cast<std::uint32_t>(level.size());
  free_.resize(m);
  for (std::uint32_t i = 0; i < m; ++i) free_[i] = i;
  Level next;
  while (!free_.empty()) {
    const std::uint32_t seed = free_[0];
    Status(LevelText(level_ + 1, seed, m));
    const std::size_t partnerAt = FindPartner(free_, refs, refs[seed]);
    if (partnerAt == 0) {
      free_.clear();
      members_.assign({seed});
      zavo::BoundUnion bound(refs[seed]);
      next.push_back(NewParent(level, members_, bound));
      continue;
    }
    std::unique_ptr<zavo::BoundUnion> bound;
    FormGroup(free_, partnerAt, refs, factor, members_, bound);
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
