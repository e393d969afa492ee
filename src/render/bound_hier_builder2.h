#pragma once

// The grid-first builder of the global hierarchy ("auto", "fasthier") and the
// median split ("median").
//
// Grid-first leaves: the elements are entered in a uniform grid over the
// union of their boxes (each axis enlarged by 1.1 times its extent on either
// side, cells of the enlarged extent / (d - 1), a box listed from the cell of
// its minimum up to and including the cell after the one of its maximum). A
// seed chosen by the seed order looks for its partner, and the pair for its
// joiners, only among the free elements listed in the cells of its box (then
// of the pair's box), each looked at once per search, cells x outermost, then
// y, then z, each cell in insertion order. Partner: the least union volume,
// the first looked at of equals; joiners: factor * V(P) > V(P u B(i)) against
// the pair P. A seed that meets no free element makes a leaf of its own.
// Every such build writes "hierbl2.log" in the working directory: per leaf
// "S) " its position, "  (", its "{ bound" block, ")", a line "V=" and its
// volume, and "[ " its elements' indices separated by " , ", closed by " ]".
//
// Upper levels: the seed is chosen by the seed order among the nodes not yet
// placed; its partner and joiners come only from the nodes after it in
// level-link order.
//
// The searches go through a zavo::GroupingIndex, which finds what the scans
// described here would find.
//
// Seed orders: 0 the first in order; 1 the least BoundingObject::Volume; 2 the
// least largest extent of the box; equals keep their order. Any other value
// acts as 1. The grid dimension is taken within 2 .. Grid::kMaxDimension, and
// an axis on which the union box is flat gets the largest extent of the box
// (1 when it is flat on every axis), centred on it.
//
// Progress texts: "Creating grid", name ": level 0 - " trunc(k * 100 / n) "%  ["
// seed index "]" per leaf, k counting the elements placed with the seed;
// "hierarchy level " L + 1 before each upper level, then name ": level " L + 1
// " - " trunc(k * 100 / m) "%" per node made, k counting the nodes placed with
// the seed.
//
// Median split: a run of the sequence (at first all of it) gets the union of
// its volumes as bound (a clone of the first united with the others in run
// order); a run of more than 4 elements is ordered by the box minimum on the
// axis of its largest extent (x, then y, then z on a strictly larger extent)
// with a selection sort's order (each place in turn takes the first smallest
// key of the rest, swapping) and split into its first trunc(count / 2)
// elements and the rest, built the same way as the node's two children; a run
// of at most 4 elements is a leaf in run order. No texts, no log.

#include <cstdint>
#include <vector>

#include "geometry/box.h"
#include "geometry/seed_order.h"
#include "render/bound_grouping.h"
#include "render/global_hier_builder_base.h"
#include "render/seq_graphic_object.h"

template <class E, class S>
class BoundHierBuilder2;

template <>
class BoundHierBuilder2<CG_GraphicObjectQZData*, SeqGraphicObject> : public zavo::GlobalHierBuilderBase {
public:
  using zavo::GlobalHierBuilderBase::GlobalHierBuilderBase;

  // The seed order ("_general_hsort"; default 1).
  void SetSeedOrder(std::int32_t order) { seedOrder_ = order; }
  std::int32_t SeedOrder() const { return seedOrder_; }
  // Cells along each axis of the grid ("_general_grid_dim"; default 30).
  void SetGridDimension(std::int32_t dimension) { gridDimension_ = dimension; }
  std::int32_t GridDimension() const { return gridDimension_; }

  // The grid-first tree over every element; null when there is none.
  zavo::GlobalHierarchyPtr Build(double factor);
  // The median-split tree over every element; null when there is none.
  zavo::GlobalHierarchyPtr BuildMedian();

  // Groups the nodes of the current level (in level-link order; the vector
  // owns them and gives them up) into the nodes of the next level, chained in
  // the order made; the current level number grows by one. The level must
  // not be empty.
  Level BuildNextLevel(Level level, double factor);

  // The box the grid is made over for a union box: flat axes made as said
  // above.
  static GEO_Box GridBox(const GEO_Box& all);

private:
  Level BuildLeaves(double factor);
  zavo::GlobalHierarchyPtr MedianNode(const std::uint32_t* run, std::uint32_t count);
  void WriteGridLog(const Level& leaves) const;
  // The seed key of an element or node under orders 1 and 2.
  double SeedKey(const zavo::BoundRef& ref) const;
  // The seeds of members with these volumes under the seed order.
  zavo::SeedPicker Seeds(const std::vector<zavo::BoundRef>& refs) const;

  std::int32_t seedOrder_ = 1;
  std::int32_t gridDimension_ = 30;
  // The searches of the level being grouped (its storage serves every level).
  zavo::BoundGroupingIndex index_;
  std::vector<std::uint32_t> members_;
  std::vector<std::uint32_t> joining_;
};
