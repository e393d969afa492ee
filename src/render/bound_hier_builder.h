#pragma once

// The pairing builder of the global hierarchy ("hier"): bottom-up, one level
// at a time, by greedy grouping around seeds.
//
// Leaves: the seed is the free element of lowest index; its partner is the
// free element whose union with the seed has the least volume (the earliest
// of equals); with the pair P fixed, every further free element i joins when
// factor * V(P) > V(P u B(i)), tested in index order against P, never against
// the grown bound. The leaf holds seed, partner and joiners in that order; a
// seed left alone (the last free element) makes a leaf of its own whose bound
// is a clone of its volume. Upper levels group the nodes of a level, in
// level-link order, by the same rule; a node left alone gets a parent of its
// own. Each level is chained by its level links in the order made; the one
// node left is the root. The searches go through a zavo::GroupingIndex, which
// finds what a scan of every free member in order would find.
//
// Progress texts: name ": level 0 - " trunc(seed index * 100 / n) "%" per
// leaf; "hierarchy level " L + 1 before each upper level, then name ": level "
// L + 1 " - " trunc(seed position * 100 / m) "%" per node made.
//
// Log (while the log flag is set): after each level "level = " L and an empty
// line, then per node "S) " its position in the level, "  (", its "{ bound"
// block, ")", a line "V=" and its volume, and "[ " the elements' indices or
// the children's positions separated by " , ", closed by " ]".

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "geometry/log_support.h"
#include "render/bound_grouping.h"
#include "render/global_hier_builder_base.h"
#include "render/seq_graphic_object.h"

template <class E, class S>
class BoundHierBuilder;

template <>
class BoundHierBuilder<CG_GraphicObjectQZData*, SeqGraphicObject> : public zavo::GlobalHierBuilderBase,
                                                                     public LogSupport {
public:
  using zavo::GlobalHierBuilderBase::GlobalHierBuilderBase;

  // The tree over every element of the sequence; null when it is empty.
  zavo::GlobalHierarchyPtr Build(double factor);

  // Groups the nodes of the current level (in level-link order; the vector
  // owns them and gives them up) into the nodes of the next level, chained in
  // the order made; the current level number grows by one. The level must
  // not be empty.
  Level BuildNextLevel(Level level, double factor);

private:
  Level BuildLeaves(double factor);
  // One group around the seed, a free member of the index: its members
  // (seed, partner, joiners in order) in members_ and their bound.
  std::unique_ptr<zavo::BoundUnion> FormGroup(zavo::BoundGroupingIndex& index, const std::vector<zavo::BoundRef>& refs,
                                              std::uint32_t seed, double factor);
  // Writes the level to the log while it is on.
  void WriteLevel(const Level& level);

  // The searches of the level being grouped (its storage serves every level).
  zavo::BoundGroupingIndex index_;
  std::vector<std::uint32_t> members_;
  std::vector<std::uint32_t> joining_;
  // For the log: the elements' indices, and the positions of the nodes of the
  // level written last.
  std::unordered_map<const CG_GraphicObjectQZData*, std::uint32_t> elementIndex_;
  std::unordered_map<const zavo::GlobalHierNode*, std::size_t> below_;
};
