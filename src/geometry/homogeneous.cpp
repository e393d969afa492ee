#include "geometry/homogeneous.h"

Vector4<double> Point3DToHomogeneous(const Point3D& p) {
  Vector4<double> v;
  v[0] = p.x;
  v[1] = p.y;
  v[2] = p.z;
  v[3] = 1.0;
  return v;
}

Vector3<double> Point2DToHomogeneous(const Point2D& p) {
  Vector3<double> v;
  v[0] = p.x;
  v[1] = p.y;
  v[2] = 1.0;
  return v;
}

int HomogeneousToPoint3D(const Vector<double>& v, Point3D& p) {
  if (v.Count() != 4) return 0;
  p = {v[0] / v[3], v[1] / v[3], v[2] / v[3]};
  return 1;
}

Point3D HomogeneousToPoint3D(const Vector<double>& v) {
  Point3D p;
  if (!HomogeneousToPoint3D(v, p)) throw xGeo();
  return p;
}

int HomogeneousToPoint2D(const Vector<double>& v, Point2D& p) {
  if (v.Count() != 3) return 0;
  p = {v[0] / v[2], v[1] / v[2]};
  return 1;
}

Point2D HomogeneousToPoint2D(const Vector<double>& v) {
  Point2D p;
  if (!HomogeneousToPoint2D(v, p)) throw xGeo();
  return p;
}
