#pragma once

// What a scene keeps for tracing between one render preparation and the next:
// the trace entries, the global bounding hierarchy over them, the objects
// without a bounding volume kept beside it, and the hit record of the shadow
// search.

#include <functional>
#include <memory>
#include <vector>

#include "foundation/hier_node.h"
#include "foundation/list.h"
#include "geometry/point3d.h"
#include "scene/graphic_object.h"

class BoundingObject;
class CG_Material;

namespace zavo {

// The number of the tracing worker that runs on this thread: 0 on every
// thread outside the workers of a render on several threads, whose workers are
// numbered 0, 1, ...
inline thread_local int traceWorker = 0;
inline int TraceWorker() { return traceWorker; }
inline void SetTraceWorker(int worker) { traceWorker = worker; }

}  // namespace zavo

// One entry of the scene's trace list: an object (a scene object, or a part of
// one that a declass conversion made), whether the entry owns it, and the
// object's per-hit record.
class CG_GraphicObjectQZData : public ListItem {
public:
  CG_GraphicObjectQZData(CG_GraphicObject* object, int owned,
                         std::unique_ptr<CG_GraphicObjectIntrInfo> record,
                         CG_GraphicObject* source = nullptr)
      : object(object), owned(owned), record(std::move(record)), source(source) {}
  CG_GraphicObjectQZData(const CG_GraphicObjectQZData&) = delete;
  CG_GraphicObjectQZData& operator=(const CG_GraphicObjectQZData&) = delete;
  // Destroys the object when owned; the record always.
  ~CG_GraphicObjectQZData() {
    if (owned) delete object;
  }

  CG_GraphicObject* object;
  int owned;
  std::unique_ptr<CG_GraphicObjectIntrInfo> record;
  // The record slots of workers 1, 2, ... of a render on several threads
  // (kept by the scene, null outside such a render). A worker makes its record
  // the first time it meets the entry, on its own thread: most workers never
  // meet most entries of a large scene.
  std::unique_ptr<CG_GraphicObjectIntrInfo>* workerRecords = nullptr;
  // The record of the worker running on this thread.
  CG_GraphicObjectIntrInfo* Record() const {
    const int worker = zavo::TraceWorker();
    if (worker == 0) return record.get();
    std::unique_ptr<CG_GraphicObjectIntrInfo>& slot = workerRecords[worker - 1];
    return slot ? slot.get() : MakeWorkerRecord(slot);
  }
  // The scene object the entry was made from (the object itself, or the one
  // it is a declassed part of); null when unknown.
  CG_GraphicObject* source;

private:
  [[gnu::noinline]] CG_GraphicObjectIntrInfo* MakeWorkerRecord(std::unique_ptr<CG_GraphicObjectIntrInfo>& slot) const {
    if (object != nullptr) slot = object->NewIntrInfo();
    return slot.get();
  }
};

// An entry of the list of traced objects that have no bounding volume, kept
// beside the global hierarchy. It does not own the entry it names.
class GObjectRef : public ListItem {
public:
  explicit GObjectRef(CG_GraphicObjectQZData* entry) : entry(entry) {}
  CG_GraphicObjectQZData* entry;
};

namespace zavo {

// Whether an object, or a part that a declass conversion made, is traced as a
// surface: lamps give light and cameras look, wherever they stand (at the top
// of the scene or inside a group, an anim or a transf), and neither is hit by
// a ray.
inline bool TracedAsSurface(const CG_GraphicObject& object) {
  return !object.IsLightSource() && !object.IsCamera();
}

// A node of the global hierarchy: a leaf holds trace entries (not owned), every
// node a bounding volume, owned by the node, that contains everything below it.
using GlobalHierNode = HierNode<CG_GraphicObjectQZData*, const BoundingObject*>;

// Destroys a whole hierarchy: every node's bounding volume, then the nodes.
struct GlobalHierarchyDeleter {
  void operator()(GlobalHierNode* root) const;
};
using GlobalHierarchyPtr = std::unique_ptr<GlobalHierNode, GlobalHierarchyDeleter>;

// The renderer's own hierarchy object, which the scene keeps and destroys.
class GlobalHierarchyObject {
public:
  virtual ~GlobalHierarchyObject() = default;
};

// The scene's hit record: what HitDetails gives for the hit that the shadow
// search looks at. The material is the renderer's working material (a default
// Phong material until the renderer installs one of its shading method's).
struct SceneHitRecord {
  SceneHitRecord();
  ~SceneHitRecord();
  SceneHitRecord(const SceneHitRecord&) = delete;
  SceneHitRecord& operator=(const SceneHitRecord&) = delete;

  Point3D point;
  Point3D normal;
  std::unique_ptr<CG_Material> material;  // never null
};

// What each further worker of a render on several threads has of its own: the
// working material of its hits, its shadow-search hit record and the
// renderer's scratch of the nearest-hit search.
struct TraceWorkerState {
  std::unique_ptr<CG_Material> hitMaterial;
  SceneHitRecord hitRecord;
  std::unique_ptr<GlobalHierarchyObject> scratch;
};

// Decides from the hit record whether the shadow search may stop (non-zero).
using ShadowStopTest = std::function<int(const SceneHitRecord&)>;

// The shadow search's hit list: trace entries, not owned.
using ShadowHitList = FragmentedSeq<CG_GraphicObjectQZData*, long>;

}  // namespace zavo
