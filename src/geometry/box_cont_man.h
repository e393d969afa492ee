#pragma once

#include <iosfwd>

#include "foundation/scanner.h"
#include "geometry/box.h"
#include "geometry/geo_text.h"

// The box policy of the face-hierarchy builders: how node boxes are united,
// measured and written to and read from text (the bracket form
// "[ xmin , xmax , ymin , ymax , zmin , zmax ]"). It holds no data.
class BoxContMan {
public:
  using Box = GEO_Box;

  // out = a extended by b (out may be a).
  static void Union(const GEO_Box& a, GEO_Box& out, const GEO_Box& b) { GEO_Box::Union(a, out, b); }
  // The product of the three extents: 0 for a box flat on any axis.
  static double Volume(const GEO_Box& b) { return b.Volume(); }
  // The minimum and maximum on an axis (0 x, 1 y, 2 z).
  static double Min(const GEO_Box& b, int axis) { return axis == 0 ? b.xmin : (axis == 1 ? b.ymin : b.zmin); }
  static double Max(const GEO_Box& b, int axis) { return axis == 0 ? b.xmax : (axis == 1 ? b.ymax : b.zmax); }

  static void Write(std::ostream& os, const GEO_Box& b) {
    WriteNumberRecord6(os, b.xmin, b.xmax, b.ymin, b.ymax, b.zmin, b.zmax);
  }
  // 1 with the box set, or 0 at the first token that does not fit.
  static int Read(ScannerMemo& scanner, GEO_Box& b) { return ReadNumberRecord6(scanner, b); }
};

// The same policy for the grid-variant builder.
class BoxContMan2 : public BoxContMan {};
