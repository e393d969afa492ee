#include <algorithm>
#include <typeinfo>
#include <utility>
#include <vector>

#include "geometry/bounding_object.h"
#include "geometry/ray_slabs.h"
#include "scene/material.h"
#include "scene/ray_hierarchy.h"
#include "scene/scene.h"
#include "scene/trace_data.h"

namespace zavo {

void GlobalHierarchyDeleter::operator()(GlobalHierNode* root) const {
  if (root == nullptr) return;
  std::vector<GlobalHierNode*> pending{root};
  while (!pending.empty()) {
    GlobalHierNode* node = pending.back();
    pending.pop_back();
    delete node->box;
    node->box = nullptr;
    for (std::uint32_t i = 0; i < node->children.Count(); ++i) {
      if (node->children[i] != nullptr) pending.push_back(node->children[i]);
    }
  }
  delete root;
}

SceneHitRecord::SceneHitRecord() : material(std::make_unique<CG_MaterialPhong>()) {}

SceneHitRecord::~SceneHitRecord() = default;

}  // namespace zavo

void CG_GraphicScene::PrepareWorkers(int count) {
  ReleaseWorkers();
  for (int w = 1; w < count; ++w) {
    auto state = std::make_unique<zavo::TraceWorkerState>();
    if (shadingMethod_ != nullptr) {
      state->hitMaterial = shadingMethod_->NewMaterial();
      state->hitRecord.material = shadingMethod_->NewMaterial();
    }
    workers_.push_back(std::move(state));
  }
  if (count <= 1) return;
  // The slots of all entries in one piece; each worker fills its own.
  const std::size_t per = static_cast<std::size_t>(count - 1);
  std::size_t entries = 0;
  for ([[maybe_unused]] CG_GraphicObjectQZData& entry : traceList_) ++entries;
  workerRecordSlots_ = std::vector<std::unique_ptr<CG_GraphicObjectIntrInfo>>(entries * per);
  std::size_t at = 0;
  for (CG_GraphicObjectQZData& entry : traceList_) {
    entry.workerRecords = workerRecordSlots_.data() + at;
    at += per;
  }
}

void CG_GraphicScene::ReleaseWorkers() {
  workers_.clear();
  for (CG_GraphicObjectQZData& entry : traceList_) entry.workerRecords = nullptr;
  workerRecordSlots_ = decltype(workerRecordSlots_)();
}

void CG_GraphicScene::PrepareTraceData() {
  ReleaseTraceData();

  for (CG_LightSource& lamp : lamps_) {
    const long n = lampSequence_.Size();
    lampSequence_.SetSize(n + 1);
    lampSequence_[n] = &lamp;
  }
  for (CG_GraphicObject& object : objects_) {
    if (!object.IsLightSource()) continue;
    const long n = lampSequence_.Size();
    lampSequence_.SetSize(n + 1);
    lampSequence_[n] = &object;
  }

  for (CG_GraphicObject& object : objects_) {
    if (!zavo::TracedAsSurface(object)) continue;
    if (object.IsRayTraceable()) {
      std::unique_ptr<CG_GraphicObjectIntrInfo> record = object.NewIntrInfo();
      // Without a record the object cannot be intersected.
      if (record) traceList_.Append(new CG_GraphicObjectQZData(&object, 0, std::move(record), &object));
      continue;
    }
    zavo::DeclassedParts parts;
    if (object.DeclassToRayTraceable(parts)) {
      for (long i = 0; i < parts.Size(); ++i) {
        CG_DeclassedGraphicObject& part = parts[i];
        if (part.object == nullptr || !zavo::TracedAsSurface(*part.object)) continue;
        std::unique_ptr<CG_GraphicObjectIntrInfo> record = part.object->NewIntrInfo();
        if (!record) continue;  // left to ReleaseDeclassedParts below
        traceList_.Append(new CG_GraphicObjectQZData(part.object, part.owned, std::move(record), &object));
        part.object = nullptr;  // the entry has it now
        part.owned = 0;
      }
    }
    zavo::ReleaseDeclassedParts(parts);
  }
}

namespace {

// The shadow walk through the hierarchy's ray layout: depth first, children
// in order, past no box that the ray enters only beyond the lamp's distance;
// 1 as soon as test accepts an entry. kOctant is the ray's Octant, or -1 for
// a ray without a direction on some axis.
template <int kOctant, class Test>
int ShadowWalk(const zavo::RayHierarchy& tree, const zavo::RaySlabs& slabs, double distance, const Test& test) {
  // The stack of this thread, kept from ray to ray; worked on as a local
  // (kept in registers), handed back on every way out.
  thread_local std::vector<std::uint32_t> kept;
  std::vector<std::uint32_t> pending = std::move(kept);
  struct HandBack {
    std::vector<std::uint32_t>& from;
    ~HandBack() {
      from.clear();
      kept = std::move(from);
    }
  } handBack{pending};
  pending.push_back(0);
  while (!pending.empty()) {
    const zavo::RayHierNode& node = tree.Node(pending.back());
    pending.pop_back();
    if (node.hasBox) {
      // Every entry below is tested for itself: a box the ray only passes
      // near may be kept.
      bool met;
      if (!node.plainBox) {
        met = node.volume->HitByRay(slabs.ray()) != 0;
      } else {
        met = slabs.MayHitBefore<kOctant>(node.box, node.scale, distance);
      }
      if (!met) continue;
    }
    for (std::uint32_t i = node.firstEntry; i < node.entryEnd; ++i) {
      if (test(*tree.Entry(i))) return 1;
    }
    for (std::uint32_t i = node.childEnd; i > node.firstChild; --i) pending.push_back(i - 1);
  }
  return 0;
}

// The shadow walk answered through the queries' own hierarchy (the items
// without a box on their path tested first): 1 as soon as test accepts an
// entry; else 0, with the hits that test appended (from position `from` on)
// put in the order of the tree's walk, by rank.
//
// Why the answer is the walk's. The walk tests an entry when the ray passes
// every boxed node on its path before the lamp, and test appends an entry
// only for a hit before the lamp. Such a hit lies in the entry's object box,
// which lies within every box on its path (checked when the items were made):
// the walk tests every entry with a hit before the lamp, and so does the query
// (its item box holds that box too). Entries without one add nothing either
// way. So both find the same set of hits before the lamp, and an entry that
// stops the search is in one when it is in the other; without one, the hits
// in the walk's order are the same list.
template <class Test>
int ShadowThroughBvh(const zavo::RayHierarchy& tree, const zavo::RayBvh& bvh, const Ray& ray, double distance,
                     zavo::ShadowHitList& hits, long& count, const Test& test) {
  const long from = count;
  thread_local std::vector<std::uint32_t> ranks;
  ranks.clear();
  const auto one = [&](CG_GraphicObjectQZData& entry, std::uint32_t rank) {
    const long before = count;
    const bool stops = test(entry);
    if (count != before) ranks.push_back(rank);
    return stops;
  };
  for (const zavo::RayBvh::Item& item : tree.Unboxed()) {
    if (one(*item.entry, item.rank)) return 1;
  }
  const zavo::RayBvhRay bvhRay(ray);
  const bool stopped = bvh.Any(bvhRay, distance, [&](std::uint32_t first, std::uint32_t end) {
    for (std::uint32_t i = first; i < end; ++i) {
      if (one(*bvh.Entry(i), bvh.Rank(i))) return true;
    }
    return false;
  });
  if (stopped) return 1;
  const std::size_t n = ranks.size();
  if (n > 1 && !std::is_sorted(ranks.begin(), ranks.end())) {
    thread_local std::vector<std::pair<std::uint32_t, CG_GraphicObjectQZData*>> sorted;
    sorted.clear();
    for (std::size_t k = 0; k < n; ++k) sorted.push_back({ranks[k], hits[from + static_cast<long>(k)]});
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t k = 0; k < n; ++k) hits[from + static_cast<long>(k)] = sorted[k].second;
  }
  return 0;
}

}  // namespace

int CG_GraphicScene::ShadowIntersections(const Point3D& point, const CG_LightSourceBase& lamp,
                                         Ray& ray, zavo::ShadowHitList& hits, long& count,
                                         const zavo::ShadowStopTest& stop, bool opaqueStops) {
  count = 0;
  hits.SetSize(0);
  const Point3D position = lamp.Position();
  ray = Ray::FromPoints(point, position);
  const double distance = Distance3D(point, position);
  zavo::SceneHitRecord& hitRecord = GetHitRecord();
  if (!hitRecord.material) hitRecord.material = std::make_unique<CG_MaterialPhong>();
  // The stop test reads the material HitDetails fills: an AlwaysOpaque object
  // answers for a Phong one.
  const CG_Material& working = *hitRecord.material;
  opaqueStops = opaqueStops && stop && typeid(working) == typeid(CG_MaterialPhong);

  if (param_.buildhier == 0 || !hierarchyRoot_) {
    for (CG_GraphicObjectQZData& entry : traceList_) {
      if (ShadowTest(entry, ray, distance, hits, count, stop, opaqueStops)) return 1;
    }
    return 0;
  }

  for (GObjectRef& ref : unboundedObjects_) {
    if (ref.entry != nullptr && ShadowTest(*ref.entry, ray, distance, hits, count, stop, opaqueStops)) return 1;
  }
  if (GetRayHierarchy() == nullptr) LayOutHierarchy();
  const zavo::RayHierarchy& tree = *GetRayHierarchy();
  const zavo::RaySlabs slabs(ray);
  const auto test = [&](CG_GraphicObjectQZData& entry) {
    return ShadowTest(entry, ray, distance, hits, count, stop, opaqueStops) != 0;
  };
  if (slabs.Plain() && !zavo::TreeWalksForced()) {
    if (const zavo::RayBvh* bvh = tree.ShadowBvh(); bvh != nullptr) {
      return ShadowThroughBvh(tree, *bvh, ray, distance, hits, count, test);
    }
  }
  return zavo::ForOctant(slabs, [&](auto octant) { return ShadowWalk<octant()>(tree, slabs, distance, test); });
}

int CG_GraphicScene::ShadowTest(CG_GraphicObjectQZData& entry, const Ray& ray, double distance,
                                zavo::ShadowHitList& hits, long& count,
                                const zavo::ShadowStopTest& stop, bool opaqueStops) {
  CG_GraphicObjectIntrInfo* const slot = entry.Record();
  if (entry.object == nullptr || slot == nullptr) return 0;
  CG_GraphicObjectIntrInfo& record = *slot;
  const auto append = [&] {
    hits.SetSize(count + 1);
    hits[count] = &entry;
    ++count;
  };
  if (opaqueStops && entry.object->AlwaysOpaque()) {
    if (!entry.object->HitsBefore(ray, distance, record)) return 0;
    append();
    return 1;
  }
  entry.object->IntersectAny(ray, record);
  if (record.Count() == 0 || !(record.Value(0) < distance)) return 0;
  append();
  zavo::SceneHitRecord& hitRecord = GetHitRecord();
  entry.object->HitDetails(ray, record, 0, *hitRecord.material, hitRecord.point, hitRecord.normal);
  return stop && stop(hitRecord) ? 1 : 0;
}
