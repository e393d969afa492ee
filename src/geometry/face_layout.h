#pragma once

// A mesh's face hierarchy laid out for ray queries: the nodes in one array
// (breadth first, the children of a node next to each other), each with its
// box, the box grown for rays and their scales computed once. The tree stays
// as it is; leaves are read through their tree node.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "foundation/hier_node.h"
#include "geometry/box.h"

namespace zavo {

struct FaceLayoutNode {
  GEO_Box box;              // the node's box
  GEO_Box grown;            // GrownForRays(box)
  double scale = 1.0;       // BoxScale(box)
  double grownScale = 1.0;  // the scale GrownForRays gives with grown
  // The children, in order: nodes [firstChild, childEnd).
  std::uint32_t firstChild = 0;
  std::uint32_t childEnd = 0;
  bool leaf = false;  // the tree node has no children
  const HierNode<int, GEO_Box>* node = nullptr;
};

class FaceLayout {
public:
  // Lays out the tree below root (nothing for a null root).
  explicit FaceLayout(const HierNode<int, GEO_Box>* root);
  // Whether this is the layout of the tree below root.
  bool Fits(const HierNode<int, GEO_Box>* root) const { return root == root_; }
  bool Empty() const { return nodes_.empty(); }
  const FaceLayoutNode& Node(std::uint32_t i) const { return nodes_[i]; }

private:
  const HierNode<int, GEO_Box>* root_ = nullptr;
  std::vector<FaceLayoutNode> nodes_;
};

// The layout of a mesh's current tree, made by the first query that needs
// it (queries may run on several threads at once) and dropped with the tree.
class FaceLayoutCache {
public:
  FaceLayoutCache() = default;
  FaceLayoutCache(const FaceLayoutCache&) = delete;
  FaceLayoutCache& operator=(const FaceLayoutCache&) = delete;

  // The layout of the tree below root, made when there is none for it.
  const FaceLayout& For(const HierNode<int, GEO_Box>* root) const;
  // Drops the layout (not while a query runs).
  void Clear();

private:
  mutable std::mutex mutex_;
  mutable std::unique_ptr<FaceLayout> layout_;
  mutable std::atomic<const FaceLayout*> ready_{nullptr};
};

}  // namespace zavo
