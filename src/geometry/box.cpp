#include "geometry/box.h"

#include "foundation/runtime_error_box.h"

namespace {

double Coord(const Point3D& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

// Whether the ray crosses the face of the given side beyond tmin inside the
// box's (inclusive) bounds; sets t and the crossing point.
bool FaceCrossing(const GEO_Box& box, const Ray& ray, int side, double tmin, double& t, Point3D& at) {
  const double lo[3] = {box.xmin, box.ymin, box.zmin};
  const double hi[3] = {box.xmax, box.ymax, box.zmax};
  const int axis = side / 2;
  const double r = Coord(ray.direction, axis);
  if (r == 0.0) return false;
  const double face = side % 2 == 0 ? lo[axis] : hi[axis];
  t = (face - Coord(ray.origin, axis)) / r;
  if (!(t > tmin)) return false;
  double p[3] = {ray.origin.x + t * ray.direction.x, ray.origin.y + t * ray.direction.y,
                 ray.origin.z + t * ray.direction.z};
  p[axis] = face;
  for (int a = 0; a < 3; ++a) {
    if (a != axis && !(lo[a] <= p[a] && p[a] <= hi[a])) return false;
  }
  at = {p[0], p[1], p[2]};
  return true;
}

// Two crossings closer than this (squared) are one point: an edge or a corner.
constexpr double kSamePointSquared = 9.999999999999998e-15;

}  // namespace

int GEO_Box::Union(const GEO_Box& a, GEO_Box& out, const GEO_Box& b) {
  out = a;
  out.ExtendBox(b);
  return 1;
}

int GEO_Box::Intersection(const GEO_Box& a, GEO_Box& out, const GEO_Box& b) {
  const double xlo = a.xmin > b.xmin ? a.xmin : b.xmin;
  const double xhi = a.xmax < b.xmax ? a.xmax : b.xmax;
  if (xlo > xhi) return 0;
  const double ylo = a.ymin > b.ymin ? a.ymin : b.ymin;
  const double yhi = a.ymax < b.ymax ? a.ymax : b.ymax;
  if (ylo > yhi) return 0;
  const double zlo = a.zmin > b.zmin ? a.zmin : b.zmin;
  const double zhi = a.zmax < b.zmax ? a.zmax : b.zmax;
  if (zlo > zhi) return 0;
  out.SetPoint({xlo, ylo, zlo});
  out.Extend({xhi, yhi, zhi});
  return 1;
}

int GEO_Box::RayRange(const Ray& ray, BoxHitRecord records[2], double tmin) const {
  ++zavo::BoxNIntr;
  int found = 0;
  Point3D first;
  for (int side = 0; side < 6; ++side) {
    double t;
    Point3D at;
    if (!FaceCrossing(*this, ray, side, tmin, t, at)) continue;
    if (found == 0) {
      records[0] = {t, side};
      first = at;
      found = 1;
    } else {
      records[1] = {t, side};
      const Point3D d = at - first;
      if (Dot(d, d) > kSamePointSquared) return 2;
    }
  }
  return found;
}

int GEO_Box::IntersectRay(const Ray& ray, BoxHitRecord& record, double tmin) const {
  int found = 0;
  for (int side = 0; side < 6; ++side) {
    double t;
    Point3D at;
    if (!FaceCrossing(*this, ray, side, tmin, t, at)) continue;
    if (!found || t < record.t) record = {t, side};
    found = 1;
  }
  return found;
}

Point3D GEO_Box::SideNormal(const BoxHitRecord& record) const {
  switch (record.side) {
    case 0: return {-1.0, 0.0, 0.0};
    case 1: return {1.0, 0.0, 0.0};
    case 2: return {0.0, -1.0, 0.0};
    case 3: return {0.0, 1.0, 0.0};
    case 4: return {0.0, 0.0, -1.0};
    case 5: return {0.0, 0.0, 1.0};
    default: RuntimeErrorBox("GEO_Box::SideNormal");
  }
}
