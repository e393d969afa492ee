#pragma once

// HierNode<E,B>: one node of a bounding hierarchy: the elements held by a leaf,
// the node's bounding volume, the link to the next node of the same level (set
// while levels are built, kept afterwards) and the child nodes.
//
// A node owns its subtree: destroying it destroys every non-null child in index
// order, recursively, then frees the child array and the element array. It
// never deletes the elements or the bounding volume when these are pointers:
// whoever made them frees them.

#include "foundation/seq.h"

template <class E, class B>
class HierNode {
 public:
  HierNode() = default;
  HierNode(const HierNode&) = delete;
  HierNode& operator=(const HierNode&) = delete;

  ~HierNode() {
    for (std::uint32_t i = 0; i < children.Count(); ++i) delete children[i];
  }

  Seq<E> elements;
  B box{};
  HierNode* next = nullptr;
  Seq<HierNode*> children;
};
