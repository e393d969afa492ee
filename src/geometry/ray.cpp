#include "geometry/ray.h"

#include <ostream>

#include "geometry/geo_text.h"
#include "geometry/real_text.h"

namespace {

Point3D Unit(const Point3D& d) {
  const double len = Length(d);
  return len > 0.0 ? Point3D{d.x / len, d.y / len, d.z / len} : d;
}

}  // namespace

Ray Ray::FromDirection(const Point3D& origin, const Point3D& direction) { return {origin, Unit(direction)}; }

Ray Ray::FromPoints(const Point3D& p, const Point3D& q) { return {p, Unit(q - p)}; }

Ray Ray::TransformBy(const Transformation& m) const {
  return FromPoints(TransformPoint(m, origin), TransformPoint(m, PointAt(1.0)));
}

void Ray::Print(std::ostream& os) const {
  os << "Ray(";
  WritePoint3D(origin, os);
  os << ", [";
  zavo::WriteReal(os, direction.x);
  os << " , ";
  zavo::WriteReal(os, direction.y);
  os << " , ";
  zavo::WriteReal(os, direction.z);
  os << " ] )";
}
