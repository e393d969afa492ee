#pragma once

// The grid-variant hierarchy builder. Here: its median build, top-down: a
// run of at most four ids becomes a leaf; a longer run is ordered by the box
// minimum on the axis of its largest spread and split in the middle into two
// children.
//
// HierBuilder2<E,S,B,CM> builds over an element sequence S (Count(), Id(i),
// BoxOf(id)) with the box policy CM (Union, Volume, Min, Max). The spread of
// a run on an axis is the extent of the union of its boxes; a run without ids
// (the build over no element) is a leaf with the zero box.
//
// The builder does not own the tree it returns.

#include <cstdint>

#include "foundation/hier_node.h"
#include "foundation/runtime_error_box.h"
#include "foundation/seq.h"
#include "geometry/box_cont_man.h"
#include "geometry/hier_reporting.h"
#include "geometry/selection_order.h"

template <class E, class S, class B, class CM>
class HierBuilder2 : public zavo::HierReporting {
public:
  using Node = HierNode<E, B>;

  // The elements are not owned and must outlive the builder.
  explicit HierBuilder2(S* elements) : elements_(elements) {}

  // The median build over all elements.
  Node* BuildAll() {
    const std::uint32_t n = elements_->Count();
    Seq<E> ids(n);
    for (std::uint32_t i = 0; i < n; ++i) ids[i] = elements_->Id(i);
    return BuildNode(ids, 0, n);
  }

  // The median build of the run ids[start .. end - 1].
  Node* BuildNode(const Seq<E>& ids, std::uint32_t start, std::uint32_t end);

  // Deletes a tree (null does nothing).
  static void Free(Node* root) { delete root; }

protected:
  CM boxPolicy_;
  S* elements_;
};

// The grid-variant builder over boxes.
template <class E, class S>
class BoxHierBuilder2 : public HierBuilder2<E, S, GEO_Box, BoxContMan2> {
public:
  using HierBuilder2<E, S, GEO_Box, BoxContMan2>::HierBuilder2;
};

template <class E, class S, class B, class CM>
typename HierBuilder2<E, S, B, CM>::Node* HierBuilder2<E, S, B, CM>::BuildNode(const Seq<E>& ids,
                                                                               std::uint32_t start,
                                                                               std::uint32_t end) {
  if (end < start || end > ids.Count()) RuntimeErrorBox("HierBuilder2::BuildNode");
  const std::uint32_t n = end - start;
  Node* node = new Node;
  if (n == 0) return node;

  Seq<B> boxes(n);
  for (std::uint32_t i = 0; i < n; ++i) boxes[i] = elements_->BoxOf(ids[start + i]);
  B box = boxes[0];
  for (std::uint32_t i = 1; i < n; ++i) CM::Union(box, box, boxes[i]);
  node->box = box;

  if (n <= 4) {
    node->elements.SetSize(n);
    for (std::uint32_t i = 0; i < n; ++i) node->elements[i] = ids[start + i];
    return node;
  }

  const double sx = CM::Max(box, 0) - CM::Min(box, 0);
  const double sy = CM::Max(box, 1) - CM::Min(box, 1);
  const double sz = CM::Max(box, 2) - CM::Min(box, 2);
  int axis = 0;
  double widest = sx;
  if (sy > widest) {
    axis = 1;
    widest = sy;
  }
  if (sz > widest) axis = 2;

  Seq<E> order(n);
  Seq<double> keys(n);
  for (std::uint32_t i = 0; i < n; ++i) {
    order[i] = ids[start + i];
    keys[i] = CM::Min(boxes[i], axis);
  }
  boxes.SetSize(0);
  zavo::SelectionSortByKey(order.Data(), keys.Data(), n);
  keys.SetSize(0);

  const std::uint32_t h = n / 2;
  node->children.SetSize(2);
  node->children[0] = BuildNode(order, 0, h);
  node->children[1] = BuildNode(order, h, n);
  return node;
}
