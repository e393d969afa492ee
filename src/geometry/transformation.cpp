#include "geometry/transformation.h"

#include <cmath>

#include "geometry/geo_text.h"
#include "geometry/homogeneous.h"

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

Point3D TransformVector(const Transformation& m, const Point3D& v) {
  const Point3D image = HomogeneousToPoint3D(m * Point3DToHomogeneous(v));
  const Point3D origin = HomogeneousToPoint3D(m * Point3DToHomogeneous({0.0, 0.0, 0.0}));
  return image - origin;
}

void WriteTransformation(const Transformation& m, std::ostream& os) { WriteMatrix(os, m); }
