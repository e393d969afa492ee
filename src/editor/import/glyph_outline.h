#pragma once

// Glyph outlines as the 3-D text tool reads them: per contour a start point
// and curve records, type 1 (straight segments: their end points) or type 2
// (a quadratic spline: the off-curve points of one run followed by the
// on-curve point that ends it; the on-curve points between two off-curve
// points are implied). Coordinates are 16.16 fixed-point numbers.
//
// OutlineRecords makes these records from an outline font's contours of
// points with on/off-curve tags (TrueType's form).

#include <cstdint>
#include <vector>

#include "editor/glyph_fixed.h"

namespace zavo {

struct GlyphPointFx {
  GlyphFixed x, y;
};

struct GlyphCurve {
  int type = 1;  // 1 straight segments, 2 quadratic spline
  std::vector<GlyphPointFx> points;
};

struct GlyphContour {
  GlyphPointFx start;
  std::vector<GlyphCurve> curves;
};

// One character: its contours and the pen's advance in whole pixels.
struct GlyphOutline {
  int advance = 0;
  std::vector<GlyphContour> contours;
};

// A point of an outline font in 26.6 fixed point, on or off the curve.
struct OutlinePoint {
  long x = 0, y = 0;
  bool on = true;
};

// A 26.6 value as 16.16 (saturated to the 16-bit integer part).
GlyphFixed FixedFrom26Dot6(long value);

// The records of contours given as points and the index of each contour's
// last point (increasing; indices outside the points end the conversion).
// The start point is the first point when it is on the curve, else the last
// point when that one is, else the midpoint of the last and the first. A
// run of line segments is one type-1 record, a run of conic segments up to
// the next on-curve point one type-2 record. The closing line back to the
// start is not recorded; a closing conic ends with the start point. An
// empty contour gives nothing.
std::vector<GlyphContour> OutlineRecords(const std::vector<OutlinePoint>& points,
                                         const std::vector<int>& contourEnds);

}  // namespace zavo
