#include "geometry/face_layout.h"

#include "geometry/ray_slabs.h"

namespace zavo {

FaceLayout::FaceLayout(const HierNode<int, GEO_Box>* root) : root_(root) {
  if (root == nullptr) return;
  std::vector<const HierNode<int, GEO_Box>*> order{root};
  for (std::size_t k = 0; k < order.size(); ++k) {
    const HierNode<int, GEO_Box>* node = order[k];
    FaceLayoutNode laid;
    laid.node = node;
    laid.box = node->box;
    laid.grown = GrownForRays(node->box, laid.grownScale);
    laid.scale = BoxScale(node->box);
    laid.leaf = node->children.Count() == 0;
    laid.firstChild = static_cast<std::uint32_t>(order.size());
    for (std::uint32_t i = 0; i < node->children.Count(); ++i) {
      if (node->children[i] != nullptr) order.push_back(node->children[i]);
    }
    laid.childEnd = static_cast<std::uint32_t>(order.size());
    nodes_.push_back(laid);
  }
}

const FaceLayout& FaceLayoutCache::For(const HierNode<int, GEO_Box>* root) const {
  const FaceLayout* ready = ready_.load(std::memory_order_acquire);
  if (ready != nullptr && ready->Fits(root)) return *ready;
  const std::lock_guard<std::mutex> lock(mutex_);
  if (layout_ == nullptr || !layout_->Fits(root)) {
    ready_.store(nullptr, std::memory_order_release);
    layout_ = std::make_unique<FaceLayout>(root);
  }
  ready_.store(layout_.get(), std::memory_order_release);
  return *layout_;
}

void FaceLayoutCache::Clear() {
  const std::lock_guard<std::mutex> lock(mutex_);
  ready_.store(nullptr, std::memory_order_release);
  layout_.reset();
}

}  // namespace zavo
