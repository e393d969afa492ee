// The camera geometry of the ray tracer and the nearest-hit search over the
// trace list or through the global hierarchy.

#include <algorithm>
#include <cmath>
#include <limits>

#include "geometry/bounding_object.h"
#include "geometry/ray_slabs.h"
#include "scene/ray_hierarchy.h"
#include "render/trace_scratch.h"
#include "scene/scene.h"

namespace zavo {

TraceScratch& SceneTraceScratch(CG_GraphicScene& scene) {
  std::unique_ptr<GlobalHierarchyObject>& slot = scene.WorkerHierarchyObject();
  auto* scratch = dynamic_cast<TraceScratch*>(slot.get());
  if (scratch == nullptr) {
    auto made = std::make_unique<TraceScratch>();
    scratch = made.get();
    slot = std::move(made);
  }
  return *scratch;
}

}  // namespace zavo

namespace {

using zavo::RayHierNode;

struct Axes {
  Point3D U, V, N;
};

Axes ViewAxes(const CG_ViewReference& view) {
  Axes axes;
  axes.N = view.vpn * (1.0 / Length(view.vpn));
  const Point3D u = Cross(view.vup, view.vpn);
  axes.U = u * (1.0 / Length(u));
  axes.V = Cross(axes.N, axes.U);
  return axes;
}

// Intersects the entry: 1 when it has a hit.
inline int Hits(CG_GraphicObjectQZData* entry, const Ray& ray) {
  CG_GraphicObjectIntrInfo& record = *entry->Record();
  return entry->object->IntersectAny(ray, record) != 0 && record.Count() != 0;
}

inline double Nearest(const CG_GraphicObjectQZData* entry) { return entry->Record()->Value(0); }

// Intersect every entry, then the strictly nearest in order.
template <class Range, class Get>
CG_GraphicObjectQZData* SearchAll(Range& range, const Ray& ray, Get get) {
  for (auto& item : range) {
    CG_GraphicObjectQZData* entry = get(item);
    if (entry != nullptr) entry->object->IntersectAny(ray, *entry->Record());
  }
  CG_GraphicObjectQZData* best = nullptr;
  for (auto& item : range) {
    CG_GraphicObjectQZData* entry = get(item);
    if (entry == nullptr || entry->Record()->Count() == 0) continue;
    if (best == nullptr || Nearest(entry) < Nearest(best)) best = entry;
  }
  return best;
}

// Whether the ray meets the node's volume, as its HitByRay answers.
inline bool NodeHitByRay(const RayHierNode& node, const zavo::RaySlabs& slabs) {
  return node.plainBox ? slabs.Hits(node.box, node.scale) : node.volume->HitByRay(slabs.ray()) != 0;
}

// The state of one search through the tree, for rays of the Octant kOctant
// (-1: any ray).
template <int kOctant>
struct Walk {
  const zavo::RayHierarchy& tree;
  const zavo::RaySlabs& slabs;
  bool found = false;     // a hit was found in the tree
  double distance = 0.0;  // the nearest such hit

  void Found(double t) {
    if (!found || t < distance) {
      found = true;
      distance = t;
    }
  }

  // Tests the entries of a node against best.
  void Leaf(const RayHierNode& node, CG_GraphicObjectQZData*& best) {
    for (std::uint32_t i = node.firstEntry; i < node.entryEnd; ++i) {
      CG_GraphicObjectQZData* entry = tree.Entry(i);
      if (!Hits(entry, slabs.ray())) continue;
      if (best == nullptr || Nearest(entry) < Nearest(best)) {
        best = entry;
        Found(Nearest(best));
      }
    }
  }

  // Where the ray enters the node's box grown for rays; false when it misses.
  ZAVO_INLINE bool Cross(const RayHierNode& node, double& entry) const {
    return slabs.Cross<kOctant>(node.grown, node.grownScale, entry) != 0;
  }

  // Calls visit (i, entry) for each child i of the node, in order, whose box
  // grown for rays the ray crosses.
  template <class Visit>
  void CrossChildren(const RayHierNode& node, Visit&& visit) const {
    for (std::uint32_t i = node.firstChild; i < node.childEnd; ++i) {
      const RayHierNode& child = tree.Node(i);
      double entry = 0;
      if (!child.hasBox || !Cross(child, entry)) continue;
      visit(i, entry);
    }
  }
};

// Nodes by increasing entry distance, those entered at the same distance in
// the order they were met. No entry is NaN (a box test gives a distance only
// beyond 0), so the queue is a sorted stack, and once the front lies beyond
// the nearest hit so does every node left.
template <class Walk>
CG_GraphicObjectQZData* BestFirst(Walk& walk, CG_GraphicObjectQZData* best, zavo::QZIntrStack& queue) {
  const RayHierNode& root = walk.tree.Node(0);
  double entry = 0;
  if (!root.hasBox || !walk.Cross(root, entry)) return best;
  queue.Clear();
  queue.Insert({entry, 0});
  while (!queue.Empty()) {
    const QZIntr item = queue.PopFront();
    if (walk.found && item.entry > walk.distance) break;
    const RayHierNode& node = walk.tree.Node(item.at);
    if (node.leaf) {
      walk.Leaf(node, best);
      continue;
    }
    walk.CrossChildren(node, [&](std::uint32_t i, double childEntry) {
      if (!(walk.found && childEntry > walk.distance)) queue.Insert({childEntry, i});
    });
  }
  return best;
}

// The ordered depth-first walk below node: the best record found there.
template <class Walk>
CG_GraphicObjectQZData* Ordered(std::uint32_t at, Walk& walk, std::vector<QZIntr>& stack) {
  const RayHierNode& node = walk.tree.Node(at);
  CG_GraphicObjectQZData* best = nullptr;
  if (node.leaf) {
    walk.Leaf(node, best);
    return best;
  }
  const std::size_t base = stack.size();
  walk.CrossChildren(node, [&](std::uint32_t i, double entry) {
    // Sorted insertion: after every child entered at the same distance.
    stack.push_back({entry, i});
    for (std::size_t k = stack.size() - 1; k > base && stack[k - 1].entry > entry; --k) {
      std::swap(stack[k - 1], stack[k]);
    }
  });
  for (std::size_t k = base; k < stack.size(); ++k) {
    const QZIntr item = stack[k];
    if (walk.found && item.entry > walk.distance) break;
    CG_GraphicObjectQZData* found = Ordered(item.at, walk, stack);
    if (found != nullptr && (best == nullptr || Nearest(found) < Nearest(best))) best = found;
  }
  stack.resize(base);
  return best;
}

// The plain depth-first walk below node.
template <class Walk>
CG_GraphicObjectQZData* DepthFirst(std::uint32_t at, const Walk& walk) {
  const RayHierNode& node = walk.tree.Node(at);
  if (node.hasBox && !NodeHitByRay(node, walk.slabs)) return nullptr;
  CG_GraphicObjectQZData* best = nullptr;
  for (std::uint32_t i = node.firstChild; i < node.childEnd; ++i) {
    CG_GraphicObjectQZData* found = DepthFirst(i, walk);
    if (found != nullptr && (best == nullptr || Nearest(found) < Nearest(best))) best = found;
  }
  for (std::uint32_t i = node.firstEntry; i < node.entryEnd; ++i) {
    CG_GraphicObjectQZData* entry = walk.tree.Entry(i);
    if (!Hits(entry, walk.slabs.ray())) continue;
    if (best == nullptr || Nearest(entry) < Nearest(best)) best = entry;
  }
  return best;
}

// The search through the tree by the method of "buildhier"; best: the
// nearest hit found before.
template <class Walk>
CG_GraphicObjectQZData* SearchTree(Walk& walk, int method, CG_GraphicObjectQZData* best, CG_GraphicScene& scene) {
  switch (method) {
    case 1:
      return BestFirst(walk, best, zavo::SceneTraceScratch(scene).sorted);
    case 2: {
      std::vector<QZIntr>& stack = zavo::SceneTraceScratch(scene).ordered;
      stack.clear();
      CG_GraphicObjectQZData* found = Ordered(0, walk, stack);
      if (found != nullptr && (best == nullptr || Nearest(found) < Nearest(best))) best = found;
      return best;
    }
    case 3: {
      CG_GraphicObjectQZData* found = DepthFirst(0, walk);
      if (found != nullptr && (best == nullptr || Nearest(found) < Nearest(best))) best = found;
      return best;
    }
    default:
      return best;
  }
}

// The nearest hit of the tree's ordered walks (methods 1 and 2), found through
// the queries' own hierarchy: false when this ray is left to the tree's walk.
// unbounded: the nearest hit of the objects without a volume (or null).
//
// Why the answer is the walk's. The walk replaces its best only by a strictly
// nearer hit, so it answers the unique nearest entry it tests, if any is
// nearer than the unbounded best. Every hit of an entry lies in the entry's
// object box, which lies within the item's box (checked when the items were
// made), so a hit at t meets the item's box at or before t; the query passes
// over a box only where it is entered beyond the nearest hit so far. So every
// entry the walk could find at or below the query's nearest t_W is tested here
// as well: nothing nearer exists, and a second entry at t_W shows as a tie
// (left to the walk). It remains that the walk reaches the winner W at all:
// when its hit point lies well inside the intersection of the grown boxes on
// W's path, the walk crosses each of those boxes at or before t_W, and as its
// own nearest never falls below t_W it passes over none of them; so it tests
// W. Hits are taken beyond 0 (at t > 0; a ray that finds one at or below 0 is
// left to the walk). W is not intersected after the others but by an item of
// the same entry, which gives the same record: the caller reads W's record.
bool NearestThroughBvh(const zavo::RayBvh& bvh, const Ray& ray, CG_GraphicObjectQZData* unbounded,
                       CG_GraphicObjectQZData*& result) {
  double limit = std::numeric_limits<double>::infinity();
  if (unbounded != nullptr) {
    limit = Nearest(unbounded);
    if (!(limit > 0.0)) return false;
  }
  CG_GraphicObjectQZData* winner = nullptr;
  std::uint32_t winnerItem = 0;
  bool tie = false, odd = false;
  const zavo::RayBvhRay bvhRay(ray);
  bvh.Nearest(bvhRay, limit, [&](std::uint32_t first, std::uint32_t end) {
    for (std::uint32_t i = first; i < end; ++i) {
      CG_GraphicObjectQZData* entry = bvh.Entry(i);
      if (!Hits(entry, ray)) continue;
      const double t = Nearest(entry);
      if (t < limit) {
        odd = odd || !(t > 0.0);
        limit = t;
        winner = entry;
        winnerItem = i;
        tie = false;
      } else if (t == limit) {
        tie = tie || (winner != nullptr && entry != winner);
      } else if (t != t) {
        odd = true;
      }
    }
  });
  if (odd) return false;
  if (winner == nullptr) {
    result = unbounded;
    return true;
  }
  if (tie) return false;
  const Point3D p = ray.PointAt(limit);
  const GEO_Box& box = bvh.ItemBox(winnerItem);
  double scale = zavo::BoxScale(box);
  for (double v : {ray.origin.x, ray.origin.y, ray.origin.z, p.x, p.y, p.z}) scale = std::max(scale, std::fabs(v));
  if (!zavo::WellInside(p, box, 1e-11 * scale)) return false;
  result = winner;
  return true;
}

}  // namespace

Point3D CG_GraphicScene::EyePoint() const {
  const CG_ViewReference& view = viewReference_;
  const Axes axes = ViewAxes(view);
  return view.vrp + view.prp.x * axes.U + view.prp.y * axes.V + view.prp.z * axes.N;
}

Point3D CG_GraphicScene::PixelRay(double x, double y) const {
  const CG_ViewReference& view = viewReference_;
  const Axes axes = ViewAxes(view);
  const double u = view.umin + (view.umax - view.umin) / param_.dimx * x;
  const double v = view.vmin + (view.vmax - view.vmin) / param_.dimy * (param_.dimy - y);
  return view.vrp + u * axes.U + v * axes.V;
}

CG_GraphicObjectQZData* CG_GraphicScene::FirstIntersection(const Ray& ray) {
  if (param_.buildhier == 0 || (!hierarchyRoot_ && unboundedObjects_.IsEmpty())) {
    return SearchAll(traceList_, ray, [](CG_GraphicObjectQZData& entry) {
      return entry.object != nullptr && entry.record ? &entry : nullptr;
    });
  }
  CG_GraphicObjectQZData* best = SearchAll(unboundedObjects_, ray, [](GObjectRef& ref) {
    return ref.entry != nullptr && ref.entry->object != nullptr && ref.entry->record ? ref.entry : nullptr;
  });
  if (!hierarchyRoot_) return best;
  if (GetRayHierarchy() == nullptr) LayOutHierarchy();
  const zavo::RayHierarchy& tree = *GetRayHierarchy();
  const zavo::RaySlabs slabs(ray);
  if ((param_.buildhier == 1 || param_.buildhier == 2) && slabs.Plain() && !zavo::TreeWalksForced()) {
    // Method 1 ends at once at a root without a volume.
    const zavo::RayBvh* bvh = tree.NearestBvh();
    CG_GraphicObjectQZData* found = nullptr;
    if (bvh != nullptr && (param_.buildhier == 2 || tree.Node(0).hasBox) && NearestThroughBvh(*bvh, ray, best, found)) {
      return found;
    }
  }
  return zavo::ForOctant(slabs, [&](auto octant) {
    Walk<octant()> walk{tree, slabs};
    return SearchTree(walk, param_.buildhier, best, *this);
  });
}
