#pragma once

// The members of the global-hierarchy builders' grouping searches: the
// bounding volumes of elements or nodes, weighed as the builders weigh them
// (zavo::UnionVolume). Plain boxes within the index's range are searched
// through the tree of zavo::GroupingIndex; any other volume makes the
// searches scan.

#include "geometry/grouping_index.h"
#include "render/bound_union.h"

namespace zavo {

struct BoundGrouping {
  using Item = BoundRef;
  static GEO_Box BoxOf(const BoundRef& ref) { return ref.box; }
  static double UnionVolume(const BoundRef& with, const BoundRef& member) { return zavo::UnionVolume(with, member); }
  static bool Bounded(const BoundRef& ref) { return ref.plain && BoundedBox(ref.box); }
};

using BoundGroupingIndex = GroupingIndex<BoundGrouping>;

}  // namespace zavo
