#pragma once

// The records of a view's cached picture of one item: projected pixel
// segments, the projected vertices of one part's segment projection, and the
// edge-table entry of one vertex.

#include <cstdint>

#include "foundation/fragmented_seq.h"

// One projected segment: pixel column and row of its two ends, in the view's
// pixel space before any mirroring.
struct mvert {
  std::int16_t x1 = 0;
  std::int16_t y1 = 0;
  std::int16_t x2 = 0;
  std::int16_t y2 = 0;
};

// One projected vertex of a segment projection: normalised view coordinates
// (the view spans -1 to 1 on both) and, in the Preview view, whether the
// vertex lies not in front of the eye.
struct VData {
  double u = 0.0;
  double v = 0.0;
  std::int32_t hidden = 0;
};

// The edge-table entry of one vertex: the vertices it is joined to (an edge
// a-b is kept once, in the list of the smaller index) and how many times an
// edge ending at it was offered (0: no edge uses the vertex).
struct EdgeExtra {
  FragmentedSeq<int, int> neighbours;
  std::int32_t useCount = 0;
};

// One part's segments in one view; one part's edge table.
using SegmentList = FragmentedSeq<mvert, long>;
using EdgeTable = FragmentedSeq<EdgeExtra, long>;
