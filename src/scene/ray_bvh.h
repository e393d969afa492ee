#pragma once

// A binary bounding volume hierarchy of the ray queries' own, built beside the
// global hierarchy over its trace entries (surface-area heuristic, binned).
// The global hierarchy stays what the scene and its cache file say; this one
// only answers, faster, which entries a ray may meet. Each item is one
// (leaf, entry) pair of the global hierarchy with a box that holds everything
// of the entry that the tree's own walk can reach; the queries built on it
// (nearest hit, shadows) give exactly the answers of the tree's walks.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "geometry/box.h"
#include "geometry/hot_inline.h"
#include "geometry/point3d.h"
#include "geometry/ray.h"

class CG_GraphicObjectQZData;

namespace zavo {

// A node: its box in floats rounded outward; a leaf holds items
// [index, index + count), an inner node (count 0) has the children index and
// index + 1.
struct RayBvhNode {
  float b[6];  // xmin, ymin, zmin, xmax, ymax, zmax
  std::uint32_t index = 0;
  std::uint32_t count = 0;
};
static_assert(sizeof(RayBvhNode) == 32);

// A ray prepared for the box tests of RayBvh: a conservative slab test, which
// never reports a miss, or an entry distance too large, for a box that the ray
// truly crosses (the rounding of the slab values only widens the span).
class RayBvhRay {
public:
  // Only for rays with a direction on every axis (RaySlabs::Plain).
  explicit RayBvhRay(const Ray& ray) {
    const double o[3] = {ray.origin.x, ray.origin.y, ray.origin.z};
    const double d[3] = {ray.direction.x, ray.direction.y, ray.direction.z};
    for (int a = 0; a < 3; ++a) {
      o_[a] = o[a];
      inv_[a] = 1.0 / d[a];
      near_[a] = inv_[a] < 0.0 ? a + 3 : a;
      far_[a] = inv_[a] < 0.0 ? a : a + 3;
    }
  }

  // Whether the ray crosses the node's box somewhere in [0, limit]; entry: a
  // lower bound of where it enters.
  ZAVO_INLINE bool Cross(const RayBvhNode& n, double limit, double& entry) const {
    const double n0 = (static_cast<double>(n.b[near_[0]]) - o_[0]) * inv_[0];
    const double f0 = (static_cast<double>(n.b[far_[0]]) - o_[0]) * inv_[0];
    const double n1 = (static_cast<double>(n.b[near_[1]]) - o_[1]) * inv_[1];
    const double f1 = (static_cast<double>(n.b[far_[1]]) - o_[1]) * inv_[1];
    const double n2 = (static_cast<double>(n.b[near_[2]]) - o_[2]) * inv_[2];
    const double f2 = (static_cast<double>(n.b[far_[2]]) - o_[2]) * inv_[2];
    double tn = std::max(n0, std::max(n1, n2));
    double tf = std::min(f0, std::min(f1, f2));
    // Each slab value is within a few units in the last place of the exact
    // one: widen the span by far more than that.
    tn -= kWiden * std::fabs(tn);
    tf += kWiden * std::fabs(tf);
    entry = tn;
    return tn <= tf && tf >= 0.0 && tn <= limit;
  }

private:
  static constexpr double kWiden = 1e-14;
  double o_[3], inv_[3];
  int near_[3], far_[3];
};

class RayBvh {
public:
  // What the hierarchy is built over: an entry, its rank in the global
  // hierarchy's preorder, and a box that holds it (checked before).
  struct Item {
    GEO_Box box;
    CG_GraphicObjectQZData* entry = nullptr;
    std::uint32_t rank = 0;
  };

  // The depth the builder never goes beyond; the walks' stacks hold that many
  // nodes.
  static constexpr int kMaxDepth = 64;

  // Builds over the items (reordered); false (and empty) when a box is not
  // finite within the range of floats.
  bool Build(const std::vector<Item>& items);
  void Clear();
  bool Empty() const { return nodes_.empty(); }
  std::size_t Size() const { return entries_.size(); }

  const RayBvhNode& Node(std::uint32_t i) const { return nodes_[i]; }
  CG_GraphicObjectQZData* Entry(std::uint32_t i) const { return entries_[i]; }
  std::uint32_t Rank(std::uint32_t i) const { return ranks_[i]; }
  const GEO_Box& ItemBox(std::uint32_t i) const { return boxes_[i]; }

  // Front to back: calls leaf(first, end) for each leaf whose box the ray
  // crosses at a distance not beyond limit, nearer boxes first; leaf may
  // lower limit (the nearest hit so far). A box entered beyond the limit is
  // passed over, one entered at it is not.
  template <class Leaf>
  void Nearest(const RayBvhRay& ray, double& limit, Leaf&& leaf) const {
    struct Pending {
      std::uint32_t node;
      double entry;
    };
    Pending stack[kMaxDepth + 2];
    int size = 0;
    double entry = 0.0;
    if (nodes_.empty() || !ray.Cross(nodes_[0], limit, entry)) return;
    std::uint32_t at = 0;
    for (;;) {
      const RayBvhNode& node = nodes_[at];
      if (node.count != 0) {
        leaf(node.index, node.index + node.count);
      } else {
        double e0 = 0.0, e1 = 0.0;
        const bool h0 = ray.Cross(nodes_[node.index], limit, e0);
        const bool h1 = ray.Cross(nodes_[node.index + 1], limit, e1);
        if (h0 && h1) {
          if (e1 < e0) {
            stack[size++] = {node.index, e0};
            at = node.index + 1;
          } else {
            stack[size++] = {node.index + 1, e1};
            at = node.index;
          }
          continue;
        }
        if (h0 || h1) {
          at = h0 ? node.index : node.index + 1;
          continue;
        }
      }
      for (;;) {
        if (size == 0) return;
        const Pending next = stack[--size];
        if (!(next.entry > limit)) {
          at = next.node;
          break;
        }
      }
    }
  }

  // Every leaf whose box the ray crosses at a distance not beyond limit,
  // until leaf(first, end) answers true; true then.
  template <class Leaf>
  bool Any(const RayBvhRay& ray, double limit, Leaf&& leaf) const {
    std::uint32_t stack[kMaxDepth + 2];
    int size = 0;
    double entry = 0.0;
    if (nodes_.empty() || !ray.Cross(nodes_[0], limit, entry)) return false;
    std::uint32_t at = 0;
    for (;;) {
      const RayBvhNode& node = nodes_[at];
      if (node.count != 0) {
        if (leaf(node.index, node.index + node.count)) return true;
      } else {
        double e0 = 0.0, e1 = 0.0;
        const bool h0 = ray.Cross(nodes_[node.index], limit, e0);
        const bool h1 = ray.Cross(nodes_[node.index + 1], limit, e1);
        if (h0 && h1) {
          const bool second = e1 < e0;
          stack[size++] = second ? node.index : node.index + 1;
          at = second ? node.index + 1 : node.index;
          continue;
        }
        if (h0 || h1) {
          at = h0 ? node.index : node.index + 1;
          continue;
        }
      }
      if (size == 0) return false;
      at = stack[--size];
    }
  }

private:
  std::vector<RayBvhNode> nodes_;
  std::vector<CG_GraphicObjectQZData*> entries_;
  std::vector<std::uint32_t> ranks_;
  std::vector<GEO_Box> boxes_;
};

// Whether the point lies inside the box by more than margin on every axis.
inline bool WellInside(const Point3D& p, const GEO_Box& b, double margin) {
  return b.xmin + margin < p.x && p.x < b.xmax - margin && b.ymin + margin < p.y && p.y < b.ymax - margin &&
         b.zmin + margin < p.z && p.z < b.zmax - margin;
}

// Forces the tree's own walks (true) instead of the queries of RayBvh, for
// tests that compare them; false by default.
void ForceTreeWalks(bool force);
bool TreeWalksForced();

}  // namespace zavo
