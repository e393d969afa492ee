#pragma once

// The global hierarchy laid out for ray walks: the nodes in one array, each
// with its box (and the box grown for rays) stored in it, the children of a
// node next to each other, the trace entries of the leaves in a second array.
// Made from the tree whenever the scene gets a new one; the tree (and what is
// written of it) stays as it is.

#include <cstdint>
#include <vector>

#include "geometry/box.h"
#include "scene/ray_bvh.h"
#include "scene/trace_data.h"

class BoundingObject;

namespace zavo {

struct RayHierNode {
  GEO_Box box;             // the node's volume
  GEO_Box grown;           // GrownForRays(box)
  double scale = 1.0;      // BoxScale(box)
  double grownScale = 1.0;  // BoxScale(grown)
  // The children that are there, in order: nodes [firstChild, childEnd).
  std::uint32_t firstChild = 0;
  std::uint32_t childEnd = 0;
  // The entries that are there, in order: entries [firstEntry, entryEnd).
  std::uint32_t firstEntry = 0;
  std::uint32_t entryEnd = 0;
  const BoundingObject* volume = nullptr;  // the node's volume (the tree's)
  bool hasBox = false;    // the node has a volume
  bool plainBox = false;  // of the class BoundingBox: its ray test is box's own
  bool leaf = false;    // the node has no child slot at all
};

class RayHierarchy {
public:
  // Lays out the tree below root (nothing for a null root).
  void Make(const GlobalHierNode* root);
  void Clear();
  // Whether the layout is that of the tree below root.
  bool Fits(const GlobalHierNode* root) const { return root != nullptr && root == root_ && !nodes_.empty(); }

  const RayHierNode& Node(std::uint32_t i) const { return nodes_[i]; }
  CG_GraphicObjectQZData* Entry(std::uint32_t i) const { return entries_[i]; }

  // The hierarchies of the ray queries' own (see ray_bvh.h), null where the
  // tree's walks answer: for the nearest hit by the ordered walks (methods 1
  // and 2 of "buildhier"), and for shadows. Items of the nearest hit: the
  // entries of the leaves reached through boxed nodes only (the root may have
  // none), each with the intersection of the grown boxes on its path. Items
  // of shadows: every entry of every node, with its rank in the shadow walk's
  // order and the intersection of the boxes on its path; those without any
  // box on their path are kept apart (Unboxed).
  const RayBvh* NearestBvh() const { return nearest_.Empty() ? nullptr : &nearest_; }
  const RayBvh* ShadowBvh() const { return !shadowOn_ ? nullptr : shadowShared_ ? &nearest_ : &shadow_; }
  const std::vector<RayBvh::Item>& Unboxed() const { return unboxed_; }

private:
  void MakeBvhs();

  const GlobalHierNode* root_ = nullptr;
  std::vector<RayHierNode> nodes_;
  std::vector<CG_GraphicObjectQZData*> entries_;
  RayBvh nearest_;
  RayBvh shadow_;
  std::vector<RayBvh::Item> unboxed_;
  bool shadowOn_ = false;
  bool shadowShared_ = false;  // the shadows use nearest_
};

}  // namespace zavo
