// The camera geometry of the ray tracer and the nearest-hit search over the
// trace list or through the global hierarchy.

#include <algorithm>
#include <cmath>

#include "geometry/bounding_object.h"
#include "render/trace_scratch.h"
#include "scene/scene.h"

namespace zavo {

void QZIntrQueue::Insert(const QZIntr& item) {
  heap_.push_back({item, counter_++});
  std::push_heap(heap_.begin(), heap_.end(), [](const Item& a, const Item& b) {
    return a.value.entry > b.value.entry || (a.value.entry == b.value.entry && a.order > b.order);
  });
}

QZIntr QZIntrQueue::PopFront() {
  std::pop_heap(heap_.begin(), heap_.end(), [](const Item& a, const Item& b) {
    return a.value.entry > b.value.entry || (a.value.entry == b.value.entry && a.order > b.order);
  });
  const QZIntr front = heap_.back().value;
  heap_.pop_back();
  return front;
}

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

int CrossBox(const GEO_Box& box, const Ray& ray, double& entry, double& exit) {
  BoxHitRecord records[2];
  const int n = GrownForRays(box).RayRange(ray, records, 0.0);
  if (n == 0) return 0;
  if (n == 1) {
    entry = 0.0;
    exit = records[0].t;
  } else {
    entry = std::min(records[0].t, records[1].t);
    exit = std::max(records[0].t, records[1].t);
  }
  return 1;
}

}  // namespace zavo

namespace {

using zavo::GlobalHierNode;

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

// The state of one search through the tree.
struct Walk {
  const Ray& ray;
  bool found = false;     // a hit was found in the tree
  double distance = 0.0;  // the nearest such hit

  void Found(double t) {
    if (!found || t < distance) {
      found = true;
      distance = t;
    }
  }

  // Tests the records of a leaf against best.
  void Leaf(const GlobalHierNode& node, CG_GraphicObjectQZData*& best) {
    for (std::uint32_t i = 0; i < node.elements.Count(); ++i) {
      CG_GraphicObjectQZData* entry = node.elements[i];
      if (entry == nullptr || !Hits(entry, ray)) continue;
      if (best == nullptr || Nearest(entry) < Nearest(best)) {
        best = entry;
        Found(Nearest(best));
      }
    }
  }
};

CG_GraphicObjectQZData* BestFirst(const GlobalHierNode& root, const Ray& ray,
                                  CG_GraphicObjectQZData* best, zavo::QZIntrQueue& queue) {
  double entry = 0, exit = 0;
  if (root.box == nullptr || !zavo::CrossBox(root.box->GetBox(), ray, entry, exit)) return best;
  Walk walk{ray};
  queue.Clear();
  queue.Insert({&root, entry, exit});
  while (!queue.Empty()) {
    const QZIntr item = queue.PopFront();
    if (walk.found && item.entry > walk.distance) continue;
    const GlobalHierNode& node = *item.node;
    if (node.children.Count() == 0) {
      walk.Leaf(node, best);
      continue;
    }
    for (std::uint32_t i = 0; i < node.children.Count(); ++i) {
      const GlobalHierNode* child = node.children[i];
      if (child == nullptr || child->box == nullptr) continue;
      if (!zavo::CrossBox(child->box->GetBox(), ray, entry, exit)) continue;
      if (walk.found && entry > walk.distance) continue;
      queue.Insert({child, entry, exit});
    }
  }
  return best;
}

// The ordered depth-first walk below node: the best record found there.
CG_GraphicObjectQZData* Ordered(const GlobalHierNode& node, Walk& walk, std::vector<QZIntr>& stack) {
  CG_GraphicObjectQZData* best = nullptr;
  if (node.children.Count() == 0) {
    walk.Leaf(node, best);
    return best;
  }
  const std::size_t base = stack.size();
  for (std::uint32_t i = 0; i < node.children.Count(); ++i) {
    const GlobalHierNode* child = node.children[i];
    double entry = 0, exit = 0;
    if (child == nullptr || child->box == nullptr) continue;
    if (!zavo::CrossBox(child->box->GetBox(), walk.ray, entry, exit)) continue;
    // Sorted insertion: after every child entered at the same distance.
    stack.push_back({child, entry, exit});
    for (std::size_t k = stack.size() - 1; k > base && stack[k - 1].entry > entry; --k) {
      std::swap(stack[k - 1], stack[k]);
    }
  }
  for (std::size_t k = base; k < stack.size(); ++k) {
    const QZIntr item = stack[k];
    if (walk.found && item.entry > walk.distance) break;
    CG_GraphicObjectQZData* found = Ordered(*item.node, walk, stack);
    if (found != nullptr && (best == nullptr || Nearest(found) < Nearest(best))) best = found;
  }
  stack.resize(base);
  return best;
}

// The plain depth-first walk below node.
CG_GraphicObjectQZData* DepthFirst(const GlobalHierNode& node, const Ray& ray) {
  if (node.box != nullptr && !node.box->HitByRay(ray)) return nullptr;
  CG_GraphicObjectQZData* best = nullptr;
  for (std::uint32_t i = 0; i < node.children.Count(); ++i) {
    if (node.children[i] == nullptr) continue;
    CG_GraphicObjectQZData* found = DepthFirst(*node.children[i], ray);
    if (found != nullptr && (best == nullptr || Nearest(found) < Nearest(best))) best = found;
  }
  for (std::uint32_t i = 0; i < node.elements.Count(); ++i) {
    CG_GraphicObjectQZData* entry = node.elements[i];
    if (entry == nullptr || !Hits(entry, ray)) continue;
    if (best == nullptr || Nearest(entry) < Nearest(best)) best = entry;
  }
  return best;
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
  const GlobalHierNode* root = hierarchyRoot_.get();
  if (root == nullptr) return best;
  switch (param_.buildhier) {
    case 1:
      return BestFirst(*root, ray, best, zavo::SceneTraceScratch(*this).queue);
    case 2: {
      Walk walk{ray};
      std::vector<QZIntr>& stack = zavo::SceneTraceScratch(*this).ordered;
      stack.clear();
      CG_GraphicObjectQZData* found = Ordered(*root, walk, stack);
      if (found != nullptr && (best == nullptr || Nearest(found) < Nearest(best))) best = found;
      return best;
    }
    case 3: {
      CG_GraphicObjectQZData* found = DepthFirst(*root, ray);
      if (found != nullptr && (best == nullptr || Nearest(found) < Nearest(best))) best = found;
      return best;
    }
    default:
      return best;
  }
}
