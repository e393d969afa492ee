#pragma once

// What the builders of the global hierarchy share: the object sequence with
// the elements' volumes, the progress reporter and the name that prefixes its
// texts, the reader list of "{ bound" blocks, the level being built, and the
// cache file.
//
// Trees are made of zavo::GlobalHierNode: a leaf holds elements of the
// sequence (not owned), every node a bound of its own, a new volume (a clone
// or a union, never an object's own volume) that contains everything below
// it. A tree is owned through zavo::GlobalHierarchyPtr, which frees every
// bound and every node. While a level is grouped its nodes are held the same
// way, one owner per node, until a parent takes them over.
//
// A user break ends a build early (zavo::BuildBreak): the members of a level
// not grouped yet make one node, a run not split yet one leaf. The tree is
// valid and is thrown away; no log is written.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "foundation/list.h"
#include "geometry/bounding_module.h"
#include "geometry/build_break.h"
#include "geometry/hier_reporting.h"
#include "render/bound_union.h"
#include "render/seq_graphic_object.h"
#include "scene/trace_data.h"

namespace zavo {

class GlobalHierBuilderBase : public HierReporting {
public:
  using Node = GlobalHierNode;
  // The nodes of one level in level-link order, each owned alone.
  using Level = std::vector<GlobalHierarchyPtr>;

  // The sequence is not owned and must outlive the builder; every element
  // must have a bounding volume ("GlobalHierBuilder: element without a
  // bound" in the internal-error box otherwise, when a build starts).
  explicit GlobalHierBuilderBase(SeqGraphicObject* objects) : objects_(objects) {}

  // The reader list of "{ bound" blocks used by Load (not owned; null: none).
  void SetModules(const List<BoundingObjectModule>* modules) { modules_ = modules; }

  // The cache text of a tree (SaveGlobalHierarchy).
  void Save(std::ostream& os, const Node* root) const;
  // A tree read from a cache text over the sequence, checked as
  // LoadGlobalHierarchy says; null when the text does not fit.
  GlobalHierarchyPtr Load(std::istream& in) const;

  // The number of the level last built (0: the leaves).
  std::int32_t CurrentLevel() const { return level_; }
  void SetCurrentLevel(std::int32_t level) { level_ = level; }

protected:
  // Fills the elements' volumes; 0 elements give none.
  void TakeElements();
  std::uint32_t ElementCount() const { return objects_->Count(); }

  // name ": level " level " - " trunc(part * 100 / whole) "%".
  std::string LevelText(std::int32_t level, double part, double whole) const;

  // A leaf of the given elements with the bound.
  GlobalHierarchyPtr NewLeaf(const std::vector<std::uint32_t>& members, BoundUnion& bound) const;
  // A node over the given nodes of the level, which it takes over, with the bound.
  static GlobalHierarchyPtr NewParent(Level& level, const std::vector<std::uint32_t>& slots, BoundUnion& bound);
  // Chains the nodes by their level links in order; the last one links nowhere.
  static void LinkLevel(Level& level);
  // The bound of every node.
  static std::vector<BoundRef> BoundsOf(const Level& level);
  // After a break: members gets every free member of the index in order and
  // bound their union (members not empty: the caller has a free seed).
  template <class Index>
  static std::unique_ptr<BoundUnion> GroupRest(const Index& index, const std::vector<BoundRef>& refs,
                                               std::vector<std::uint32_t>& members);

  SeqGraphicObject* objects_;
  const List<BoundingObjectModule>* modules_ = nullptr;
  std::vector<BoundRef> refs_;  // the elements' volumes, while a build runs
  std::int32_t level_ = 0;
  BuildBreak stop_;
};

template <class Index>
std::unique_ptr<BoundUnion> GlobalHierBuilderBase::GroupRest(const Index& index, const std::vector<BoundRef>& refs,
                                                             std::vector<std::uint32_t>& members) {
  members.clear();
  std::unique_ptr<BoundUnion> bound;
  for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(refs.size()); ++i) {
    if (!index.Free(i)) continue;
    if (bound == nullptr) {
      bound = std::make_unique<BoundUnion>(refs[i]);
    } else {
      bound->Add(refs[i]);
    }
    members.push_back(i);
  }
  return bound;
}

// A node's identity in the builders' logs: its position in its level.
std::string NodeIdentity(std::size_t position);

}  // namespace zavo
