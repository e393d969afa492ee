#pragma once

#include <cstdint>

#include "foundation/hier_node.h"
#include "foundation/list.h"
#include "geometry/box.h"

// The crossing of one face-hierarchy node's box by a ray: where the ray enters
// (0 when its origin lies inside) and leaves the box, through which sides
// (0 .. 5 as GEO_Box numbers them), and how many crossings were found (0 .. 2).
// The records are list items; held in fragmented sequences the link is unused.
struct BoxIntr : public ListItem {
  HierNode<int, GEO_Box>* node = nullptr;
  double entryDistance = 0.0;
  std::int32_t entrySide = 0;
  double exitDistance = 0.0;
  std::int32_t exitSide = 0;
  std::int32_t crossings = 0;
};

// The same record in the queue of the best-first query.
struct BoxIntr2 : public BoxIntr {};
