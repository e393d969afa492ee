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
  // Volume(Union(a, b)) without making the box, for boxes with min <= max:
  // the grouping steps run it for every pair they weigh.
  static double UnionVolume(const GEO_Box& a, const GEO_Box& b) {
    return Extent(a.xmin, a.xmax, b.xmin, b.xmax) * Extent(a.ymin, a.ymax, b.ymin, b.ymax) *
           Extent(a.zmin, a.zmax, b.zmin, b.zmax);
  }
  // The minimum and maximum on an axis (0 x, 1 y, 2 z).
  static double Min(const GEO_Box& b, int axis) { return axis == 0 ? b.xmin : (axis == 1 ? b.ymin : b.zmin); }
  static double Max(const GEO_Box& b, int axis) { return axis == 0 ? b.xmax : (axis == 1 ? b.ymax : b.zmax); }

  static void Write(std::ostream& os, const GEO_Box& b) {
    WriteNumberRecord6(os, b.xmin, b.xmax, b.ymin, b.ymax, b.zmin, b.zmax);
  }
  // 1 with the box set, or 0 at the first token that does not fit.
  static int Read(ScannerMemo& scanner, GEO_Box& b) { return ReadNumberRecord6(scanner, b); }

private:
  // The extent on one axis of [alo, ahi] united with [blo, bhi]. For boxes
  // with min <= max on every axis and no NaN (every face box and every union
  // of them) this is what GEO_Box::ExtendBox gives; written with min and max
  // so that no branch depends on the data: the grouping steps weigh
  // unrelated boxes, whose comparisons do not predict.
  static double Extent(double alo, double ahi, double blo, double bhi) {
    const double lo = blo < alo ? blo : alo;
    const double hi = ahi < bhi ? bhi : ahi;
    return hi - lo;
  }
};

// The same policy for the grid-variant builder.
class BoxContMan2 : public BoxContMan {};
