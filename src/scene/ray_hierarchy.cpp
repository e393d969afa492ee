#include "scene/ray_hierarchy.h"

#include <typeinfo>

#include "geometry/bounding_object.h"
#include "geometry/ray_slabs.h"

namespace zavo {

void RayHierarchy::Clear() {
  root_ = nullptr;
  nodes_.clear();
  entries_.clear();
}

void RayHierarchy::Make(const GlobalHierNode* root) {
  Clear();
  if (root == nullptr) return;
  // Breadth first: the children of each node are laid out together.
  std::vector<const GlobalHierNode*> order{root};
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
}

}  // namespace zavo
