#include "geometry/geo_text.h"

int ReadPoint3D(Point3D& point, ScannerMemo& scanner) {
  double* const coords[3] = {&point.x, &point.y, &point.z};
  return zavo::ReadNumberTuple(scanner, '(', ')', 3, [&](int i, double v) { *coords[i] = v; });
}

int ReadPoint2D(Point2D& point, ScannerMemo& scanner) {
  double* const coords[2] = {&point.x, &point.y};
  return zavo::ReadNumberTuple(scanner, '(', ')', 2, [&](int i, double v) { *coords[i] = v; });
}

int ReadNumberRecord6(ScannerMemo& scanner, GEO_Box& box) {
  using zavo::IsToken;
  double v[6];
  if (!IsToken(scanner, '[')) return 0;
  scanner.Next();
  for (int i = 0; i < 6; ++i) {
    if (i > 0) {
      if (!IsToken(scanner, ',')) return 0;
      scanner.Next();
    }
    if (scanner.Kind() == zavo::kTokenError || !zavo::TokenToDoubleOrZero(scanner, v[i])) return 0;
    scanner.Next();
  }
  if (!IsToken(scanner, ']')) return 0;
  scanner.Next();
  box.SetPoint({v[0], v[2], v[4]});
  box.Extend({v[1], v[3], v[5]});
  return 1;
}
