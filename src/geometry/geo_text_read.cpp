#include "geometry/geo_text.h"

int ReadPoint3D(Point3D& point, ScannerMemo& scanner) {
  double* const coords[3] = {&point.x, &point.y, &point.z};
  return zavo::ReadNumberTuple(scanner, '(', ')', 3, [&](std::uint32_t i, double v) { *coords[i] = v; });
}

int ReadPoint2D(Point2D& point, ScannerMemo& scanner) {
  double* const coords[2] = {&point.x, &point.y};
  return zavo::ReadNumberTuple(scanner, '(', ')', 2, [&](std::uint32_t i, double v) { *coords[i] = v; });
}

int ReadVector(ScannerMemo& scanner, Vector<double>& vector) {
  return zavo::ReadNumberTuple(scanner, '(', ')', vector.Count(), [&](std::uint32_t i, double v) { vector[i] = v; });
}

int ReadMatrix(ScannerMemo& scanner, Matrix<double>& matrix) {
  using zavo::IsToken;
  if (!IsToken(scanner, '[')) return 0;
  scanner.Next();
  for (std::uint32_t i = 0; i < matrix.Rows(); ++i) {
    if (i > 0) {
      if (!IsToken(scanner, ';')) return 0;
      scanner.Next();
    }
    for (std::uint32_t j = 0; j < matrix.Cols(); ++j) {
      if (j > 0) {
        if (!IsToken(scanner, ',')) return 0;
        scanner.Next();
      }
      if (!zavo::TokenToDouble(scanner, matrix(i, j))) return 0;
      scanner.Next();
    }
  }
  if (!IsToken(scanner, ']')) return 0;
  scanner.Next();
  return 1;
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
