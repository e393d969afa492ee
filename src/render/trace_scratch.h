#pragma once

// The working storage of the nearest-hit search, kept by the scene (as its
// renderer's hierarchy object) from one trace preparation to the next, so that
// no ray allocates.

#include <cstdint>
#include <vector>

#include "geometry/hot_inline.h"
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
// them. A sorted stack: the items by decreasing entry, the front of the queue
// at the back; an item goes in before every item of the same entry. For NaN
// entries the order is not defined (the walk has none). No allocation once
// the storage has grown.
class QZIntrStack {
public:
  void Clear() { items_.clear(); }
  bool Empty() const { return items_.empty(); }
  ZAVO_INLINE void Insert(const QZIntr& item) {
    items_.push_back(item);
    std::size_t k = items_.size() - 1;
    for (; k > 0 && !(items_[k - 1].entry > item.entry); --k) items_[k] = items_[k - 1];
    items_[k] = item;
  }
  const QZIntr& Front() const { return items_.back(); }
  QZIntr PopFront() {
    const QZIntr front = items_.back();
    items_.pop_back();
    return front;
  }

private:
  std::vector<QZIntr> items_;
};

class TraceScratch : public GlobalHierarchyObject {
public:
  QZIntrStack sorted;           // best-first walk
  std::vector<QZIntr> ordered;  // ordered walk: the sorted children of each open node
};

// The scene's scratch, made on first use after each trace preparation.
TraceScratch& SceneTraceScratch(CG_GraphicScene& scene);

}  // namespace zavo
