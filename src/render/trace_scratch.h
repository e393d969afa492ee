#pragma once

// The working storage of the nearest-hit search, kept by the scene (as its
// renderer's hierarchy object) from one trace preparation to the next, so that
// no ray allocates.

#include <cstdint>
#include <vector>

#include "scene/trace_data.h"

class CG_GraphicScene;

// A node of the hierarchy met by a ray: the distance at which the ray enters
// the node's box, and the node's number in the scene's ray layout.
struct QZIntr {
  double entry = 0.0;
  std::uint32_t at = 0;
};

namespace zavo {

// The nodes still to visit in the best-first walk, by increasing entry
// distance; a node entered at the same distance as earlier ones comes after
// them. A binary heap on (entry, insertion number): no allocation once the
// storage has grown.
class QZIntrQueue {
public:
  void Clear() {
    heap_.clear();
    counter_ = 0;
  }
  bool Empty() const { return heap_.empty(); }
  void Insert(const QZIntr& item);
  QZIntr PopFront();

private:
  struct Item {
    QZIntr value;
    std::uint64_t order;
  };
  std::vector<Item> heap_;
  std::uint64_t counter_ = 0;
};

class TraceScratch : public GlobalHierarchyObject {
public:
  QZIntrQueue queue;            // best-first walk
  std::vector<QZIntr> ordered;  // ordered walk: the sorted children of each open node
};

// The scene's scratch, made on first use after each trace preparation.
TraceScratch& SceneTraceScratch(CG_GraphicScene& scene);

}  // namespace zavo
