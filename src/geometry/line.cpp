#include "geometry/line.h"

#include "foundation/matrix.h"
#include "foundation/runtime_error_box.h"

Line Line::FromPoints(const Point3D& p, const Point3D& q) {
  const double dx = q.x - p.x;
  const double dy = q.y - p.y;
  const double dz = q.z - p.z;
  const Plane x0{1.0, 0.0, 0.0, -p.x};
  const Plane y0{0.0, 1.0, 0.0, -p.y};
  const Plane z0{0.0, 0.0, 1.0, -p.z};
  const Plane xz{-dz, 0.0, dx, p.x * dz - p.z * dx};
  const Plane yz{0.0, dz, -dy, p.z * dy - p.y * dz};
  const Plane xy{-dy, dx, 0.0, p.x * dy - p.y * dx};
  if (dx == 0.0) {
    if (dy == 0.0) return Line(x0, y0);
    if (dz == 0.0) return Line(x0, z0);
    return Line(x0, yz);
  }
  if (dy == 0.0) {
    if (dz == 0.0) return Line(y0, z0);
    return Line(xz, y0);
  }
  if (dz == 0.0) return Line(z0, xy);
  return Line(xz, yz);
}

Point3D Line::Direction() const {
  const Point3D n = Cross(p1_.Normal(), p2_.Normal());
  const double len = Length(n);
  return len > 0.0 ? n * (1.0 / len) : n;
}

int Line::IntersectPlane(const Plane& plane, Point3D& point) const {
  Matrix3x3<double> m;
  const Plane* planes[3] = {&p1_, &p2_, &plane};
  Vector3<double> rhs;
  for (std::uint32_t i = 0; i < 3; ++i) {
    m(i, 0) = planes[i]->a;
    m(i, 1) = planes[i]->b;
    m(i, 2) = planes[i]->c;
    rhs[i] = -planes[i]->d;
  }
  if (m.IsSingular()) return 0;
  const Vector3<double> x = m.Inverse() * rhs;
  point = {x[0], x[1], x[2]};
  return 1;
}

Point3D Line::NearestToOrigin() const { return PointAtOffset(0.0); }

Point3D Line::PointAtOffset(double s) const {
  const Point3D u = Direction();
  Point3D x;
  IntersectPlane(Plane{u.x, u.y, u.z, s}, x);
  return x;
}

double Line::Distance(const Point3D& p) const {
  const Point3D u = Direction();
  Point3D foot;
  if (!IntersectPlane(Plane::FromNormalAndPoint(u, p), foot)) RuntimeErrorBox("Line::Distance");
  return Distance3D(p, foot);
}

Point3D LineDistance(const Line& line1, const Line& line2) {
  const Point3D p2 = line2.NearestToOrigin();
  const Point3D u1 = line1.Direction();
  const Point3D u2 = line2.Direction();
  const Point3D n = Cross(u1, u2);
  if (n.x == 0.0 && n.y == 0.0 && n.z == 0.0) RuntimeErrorBox("Rette parallele");
  Point3D foot;
  if (!line1.IntersectPlane(Plane::FromNormalAndPoint(Cross(u2, n), p2), foot)) RuntimeErrorBox("MinDist");
  return foot;
}
