#pragma once

// The control points and knots that the 3-D text tool builds from one
// contour of a glyph outline, and the lines it logs while doing so.

#include <iosfwd>
#include <vector>

#include "editor/import/glyph_outline.h"
#include "geometry/point3d.h"

namespace zavo {

struct ContourCurve {
  // No record of type 2: the points make a closed polyline.
  bool onlyPolyline = true;
  std::vector<Point3D> points;
  // The knots of the closed quadratic curve (points + 3 of them); empty for
  // a polyline.
  std::vector<double> knots;
};

// The contour in the plane z = 0, every x moved on by penX. Writes to log
// "header", "onlypolyline=", "first point=", and per record "CURVE " with
// "Polyline" or "BSpline" and a "p=" line per point; points as
// "( x , y , z )". Records of another type add nothing.
ContourCurve BuildContourCurve(const GlyphContour& contour, int penX, std::ostream& log);

}  // namespace zavo
