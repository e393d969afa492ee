#include "geometry/transformation.h"

#include <cmath>

#include "geometry/geo_text.h"

void IdentityTransformation(Transformation& m) { m.SetIdentity(); }

void TranslationTransformation(Transformation& m, double tx, double ty, double tz) {
  m.SetIdentity();
  m(0, 3) = tx;
  m(1, 3) = ty;
  m(2, 3) = tz;
}

void ScaleTransformation(Transformation& m, double sx, double sy, double sz) {
  m.Zero();
  m(0, 0) = sx;
  m(1, 1) = sy;
  m(2, 2) = sz;
  m(3, 3) = 1.0;
}

void RotationXTransformation(Transformation& m, double a) {
  const double c = std::cos(a), s = std::sin(a);
  m.SetIdentity();
  m(1, 1) = c;
  m(1, 2) = -s;
  m(2, 1) = s;
  m(2, 2) = c;
}

void RotationYTransformation(Transformation& m, double a) {
  const double c = std::cos(a), s = std::sin(a);
  m.SetIdentity();
  m(0, 0) = c;
  m(0, 2) = s;
  m(2, 0) = -s;
  m(2, 2) = c;
}

void RotationZTransformation(Transformation& m, double a) {
  const double c = std::cos(a), s = std::sin(a);
  m.SetIdentity();
  m(0, 0) = c;
  m(0, 1) = -s;
  m(1, 0) = s;
  m(1, 1) = c;
}

void ShearZTransformation(Transformation& m, double a, double b) {
  m.SetIdentity();
  m(0, 2) = a;
  m(1, 2) = b;
}

void ComposeTransformations(Transformation& result, const Transformation& a, const Transformation& b) {
  Transformation product;
  if (!a.Multiply(product, b)) throw xMatrix();
  result = product;
}

Point3D TransformPoint(const Transformation& m, const Point3D& p) {
  return {m(0, 0) * p.x + m(0, 1) * p.y + m(0, 2) * p.z + m(0, 3),
          m(1, 0) * p.x + m(1, 1) * p.y + m(1, 2) * p.z + m(1, 3),
          m(2, 0) * p.x + m(2, 1) * p.y + m(2, 2) * p.z + m(2, 3)};
}

namespace {

// HomogeneousToPoint3D (m * Point3DToHomogeneous (p)) with the sums formed as
// the matrix product forms them, without allocating the two vectors.
Point3D HomogeneousImage(const Transformation& m, const Point3D& p) {
  double h[4];
  for (std::uint32_t i = 0; i < 4; ++i) {
    double sum = 0.0;
    sum += m(i, 0) * p.x;
    sum += m(i, 1) * p.y;
    sum += m(i, 2) * p.z;
    sum += m(i, 3) * 1.0;
    h[i] = sum;
  }
  return {h[0] / h[3], h[1] / h[3], h[2] / h[3]};
}

}  // namespace

Point3D TransformVector(const Transformation& m, const Point3D& v) {
  return HomogeneousImage(m, v) - HomogeneousImage(m, {0.0, 0.0, 0.0});
}

void WriteTransformation(const Transformation& m, std::ostream& os) { WriteMatrix(os, m); }
