#pragma once

// The elements of the global hierarchy: the trace entries that enter the tree,
// in the order of the scene's trace list, and what the builders ask of them.

#include <cstdint>

#include "foundation/seq.h"
#include "scene/trace_data.h"

class BoundingObject;

// The object sequence of one build, load or free: a counted array of trace
// entries (not owned). An element's index is its identity inside the builders.
class SeqGraphicObject : public Seq<CG_GraphicObjectQZData*> {
public:
  using Seq<CG_GraphicObjectQZData*>::Seq;
};

// The element manager of the builders: an element's bounding volume (its
// object's, owned by the object) and its name, which identifies it in the
// hierarchy cache. It holds no data.
class BoundContMan {
public:
  // The volume of the element's object; null when it has none.
  static const BoundingObject* Volume(const CG_GraphicObjectQZData* element) {
    return element != nullptr && element->object != nullptr ? element->object->GetBoundingObject() : nullptr;
  }
  // The element's object name; null when there is none.
  static const char* Name(const CG_GraphicObjectQZData* element) {
    return element != nullptr && element->object != nullptr ? element->object->name.Text() : nullptr;
  }
};

// The same manager for the grid-first builder.
class BoundContMan2 : public BoundContMan {};
