#include "editor/import/text_curves.h"

#include <algorithm>
#include <ostream>

#include "geometry/geo_text.h"

namespace zavo {

namespace {

Point3D ToPoint(const GlyphPointFx& p) { return Point3D(FixedToDouble(p.x), FixedToDouble(p.y), 0.0); }

void LogPoint(std::ostream& log, const char* label, const Point3D& p) {
  log << label;
  WritePoint3D(p, log);
  log << "\n";
}

// Appends L, L + 1, L + 1 after the last knot L.
void AppendLineKnots(std::vector<double>& knots) {
  const double last = knots.back();
  knots.insert(knots.end(), {last, last + 1.0, last + 1.0});
}

}  // namespace

ContourCurve BuildContourCurve(const GlyphContour& contour, int penX, std::ostream& log) {
  ContourCurve curve;
  curve.onlyPolyline = std::none_of(contour.curves.begin(), contour.curves.end(),
                                    [](const GlyphCurve& c) { return c.type == 2; });
  log << "header\n" << "onlypolyline=" << (curve.onlyPolyline ? 1 : 0) << "\n";
  std::vector<Point3D>& P = curve.points;
  std::vector<double> K = {0.0, 0.0};
  const auto append = [&](const Point3D& p) { P.push_back(Point3D(p.x + penX, p.y, p.z)); };
  const Point3D first = ToPoint(contour.start);
  Point3D f = first;
  LogPoint(log, "first point=", f);
  for (const GlyphCurve& record : contour.curves) {
    log << "CURVE ";
    if (record.type == 1) {
      log << "Polyline\n";
      for (const GlyphPointFx& q : record.points) {
        append(f);
        if (!curve.onlyPolyline) {
          append(f);
          append(ToPoint(q));
          AppendLineKnots(K);
        }
        f = ToPoint(q);
        LogPoint(log, "p=", f);
      }
    } else if (record.type == 2) {
      log << "BSpline\n";
      double L = K.back();
      for (const GlyphPointFx& q : record.points) {
        append(f);
        K.push_back(L);
        L += 1.0;
        f = ToPoint(q);
        LogPoint(log, "p=", f);
      }
      append(f);
      K.push_back(L - 1.0);
    }
  }
  append(f);
  if (curve.onlyPolyline) return curve;
  // Back to the first point by a straight span, then the closing knot.
  append(f);
  append(first);
  AppendLineKnots(K);
  K.push_back(K.back());
  curve.knots = std::move(K);
  return curve;
}

}  // namespace zavo
