#include "scene/ray_hierarchy.h"

#include <algorithm>
#include <typeinfo>

#include "geometry/bounding_object.h"
#include "geometry/ray_slabs.h"
#include "scene/graphic_object.h"

namespace zavo {

void RayHierarchy::Clear() {
  root_ = nullptr;
  nodes_.clear();
  entries_.clear();
  nearest_.Clear();
  shadow_.Clear();
  unboxed_.clear();
  shadowOn_ = false;
  shadowShared_ = false;
}

void RayHierarchy::Make(const GlobalHierNode* root) {
  Clear();
  if (root == nullptr) return;
  // Counted first, so that the arrays are made at their size.
  std::size_t nodeCount = 0, entryCount = 0;
  {
    std::vector<const GlobalHierNode*> pending{root};
    while (!pending.empty()) {
      const GlobalHierNode* node = pending.back();
      pending.pop_back();
      ++nodeCount;
      for (std::uint32_t i = 0; i < node->elements.Count(); ++i) entryCount += node->elements[i] != nullptr;
      for (std::uint32_t i = 0; i < node->children.Count(); ++i) {
        if (node->children[i] != nullptr) pending.push_back(node->children[i]);
      }
    }
  }
  nodes_.reserve(nodeCount);
  entries_.reserve(entryCount);
  // Breadth first: the children of each node are laid out together.
  std::vector<const GlobalHierNode*> order{root};
  order.reserve(nodeCount);
  for (std::size_t k = 0; k < order.size(); ++k) {
    const GlobalHierNode* node = order[k];
    RayHierNode laid;
    laid.volume = node->box;
    laid.hasBox = node->box != nullptr;
    laid.plainBox = laid.hasBox && typeid(*node->box) == typeid(BoundingBox);
    if (laid.hasBox) {
      laid.box = node->box->GetBox();
      laid.grown = GrownForRays(laid.box);
      laid.scale = BoxScale(laid.box);
      laid.grownScale = BoxScale(laid.grown);
    }
    laid.leaf = node->children.Count() == 0;
    laid.firstChild = static_cast<std::uint32_t>(order.size());
    for (std::uint32_t i = 0; i < node->children.Count(); ++i) {
      if (node->children[i] != nullptr) order.push_back(node->children[i]);
    }
    laid.childEnd = static_cast<std::uint32_t>(order.size());
    laid.firstEntry = static_cast<std::uint32_t>(entries_.size());
    for (std::uint32_t i = 0; i < node->elements.Count(); ++i) {
      if (node->elements[i] != nullptr) entries_.push_back(node->elements[i]);
    }
    laid.entryEnd = static_cast<std::uint32_t>(entries_.size());
    nodes_.push_back(laid);
  }
  root_ = root;
  MakeBvhs();
}

namespace {

GEO_Box Meet(const GEO_Box& a, const GEO_Box& b) {
  return {std::max(a.xmin, b.xmin), std::min(a.xmax, b.xmax), std::max(a.ymin, b.ymin),
          std::min(a.ymax, b.ymax), std::max(a.zmin, b.zmin), std::min(a.zmax, b.zmax)};
}

// Whether the entry's object has a box and it lies within box.
bool HeldBy(const CG_GraphicObjectQZData* entry, const GEO_Box& box) {
  GEO_Box own;
  if (entry == nullptr || entry->object == nullptr || !CG_GraphicObject::GetBox(entry->object, own)) return false;
  // Hits are taken beyond the object's tolerance only: one below 0 could lie
  // behind the origin, where the queries do not look.
  if (!(entry->object->toll >= 0.0)) return false;
  return box.Contains(own) != 0;
}

}  // namespace

void RayHierarchy::MakeBvhs() {
  // A tree of a few entries (a mesh on a ground, whose faces have their own
  // hierarchy) is walked as fast as a hierarchy of its own would be.
  constexpr std::size_t kFewest = 8;
  if (entries_.size() < kFewest) return;
  // The preorder of the shadow walk: a node's entries, then its children in
  // order, each with everything below it.
  struct Visit {
    std::uint32_t node;
    bool reached;       // every node on the path but the root has a box
    bool boxedNear;     // the grown boxes on the path: some, met in nearBox
    bool boxedShadow;   // the boxes on the path: some, met in shadowBox
    GEO_Box nearBox, shadowBox;
  };
  std::vector<RayBvh::Item> nearItems, shadowItems;
  nearItems.reserve(entries_.size());
  shadowItems.reserve(entries_.size());
  bool nearSound = true, shadowSound = true;
  std::uint32_t rank = 0;
  std::vector<Visit> pending;
  pending.push_back({0, true, false, false, {}, {}});
  while (!pending.empty()) {
    Visit visit = pending.back();
    pending.pop_back();
    const RayHierNode& node = nodes_[visit.node];
    if (node.hasBox) {
      visit.nearBox = visit.boxedNear ? Meet(visit.nearBox, node.grown) : node.grown;
      visit.shadowBox = visit.boxedShadow ? Meet(visit.shadowBox, node.box) : node.box;
      visit.boxedNear = visit.boxedShadow = true;
    }
    for (std::uint32_t i = node.firstEntry; i < node.entryEnd; ++i) {
      CG_GraphicObjectQZData* entry = entries_[i];
      const std::uint32_t r = rank++;
      if (!visit.boxedShadow) {
        unboxed_.push_back({GEO_Box{}, entry, r});
      } else {
        shadowSound = shadowSound && HeldBy(entry, visit.shadowBox);
        shadowItems.push_back({visit.shadowBox, entry, r});
      }
      if (node.leaf && visit.reached) {
        if (!visit.boxedNear) {
          nearSound = false;  // a leaf root without a box: nothing to hold its entries
        } else {
          nearSound = nearSound && HeldBy(entry, visit.nearBox);
          nearItems.push_back({visit.nearBox, entry, r});
        }
      }
    }
    for (std::uint32_t i = node.childEnd; i > node.firstChild; --i) {
      Visit child = visit;
      child.node = i - 1;
      child.reached = visit.reached && nodes_[i - 1].hasBox;
      pending.push_back(child);
    }
  }
  if (nearSound && !nearItems.empty() && !nearest_.Build(nearItems)) nearest_.Clear();
  if (!shadowSound) {
    unboxed_.clear();
    return;
  }
  // Where both have the same items (every entry in a leaf below boxed nodes
  // only, as the builders make them), the shadows use the nearest hit's
  // hierarchy: its boxes hold those of the shadow items, and the items come
  // in the same order with the same ranks.
  if (!nearest_.Empty() && unboxed_.empty() && nearItems.size() == shadowItems.size()) {
    shadowOn_ = true;
    shadowShared_ = true;
    return;
  }
  shadowOn_ = shadow_.Build(shadowItems);
  if (!shadowOn_) {
    shadow_.Clear();
    unboxed_.clear();
  }
}

}  // namespace zavo
