#include "geometry/box.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "foundation/runtime_error_box.h"

namespace {

// A ray and a box laid out by axis, for the face-by-face tests.
struct FaceTester {
  double o[3], r[3], lo[3], hi[3];

  FaceTester(const GEO_Box& box, const Ray& ray)
      : o{ray.origin.x, ray.origin.y, ray.origin.z},
        r{ray.direction.x, ray.direction.y, ray.direction.z},
        lo{box.xmin, box.ymin, box.zmin},
        hi{box.xmax, box.ymax, box.zmax} {}

  // Whether the ray crosses the face of the side beyond tmin within the box's
  // inclusive bounds; sets t and the crossing point (the face value on the
  // face's own axis).
  bool Crosses(int side, double tmin, double& t, double (&at)[3]) const {
    const int axis = side >> 1;
    if (r[axis] == 0.0) return false;
    const double face = (side & 1) ? hi[axis] : lo[axis];
    t = (face - o[axis]) / r[axis];
    if (!(t > tmin)) return false;
    for (int a = 0; a < 3; ++a) {
      if (a == axis) {
        at[a] = face;
        continue;
      }
      at[a] = o[a] + t * r[a];
      if (!(lo[a] <= at[a] && at[a] <= hi[a])) return false;
    }
    return true;
  }
};

// Whether the ray surely crosses no face of the box beyond tmin: a slab test
// over the box widened on every side by a margin far above the rounding of
// either test (1e-9 of the largest coordinate in play). It only rejects; a
// box it keeps goes through the face tests, which decide. NaN never rejects.
bool SurelyMissed(const FaceTester& f, double tmin) {
  double m = 1.0;
  for (int a = 0; a < 3; ++a) {
    m = std::max({m, std::fabs(f.o[a]), std::fabs(f.lo[a]), std::fabs(f.hi[a])});
  }
  const double pad = 1e-9 * m;
  double nearest = -std::numeric_limits<double>::infinity();
  double farthest = std::numeric_limits<double>::infinity();
  for (int a = 0; a < 3; ++a) {
    const double lo = f.lo[a] - pad, hi = f.hi[a] + pad;
    if (f.r[a] == 0.0) {
      if (f.o[a] < lo || f.o[a] > hi) return true;
      continue;
    }
    double t1 = (lo - f.o[a]) / f.r[a], t2 = (hi - f.o[a]) / f.r[a];
    if (t1 > t2) std::swap(t1, t2);
    if (t1 > nearest) nearest = t1;
    if (t2 < farthest) farthest = t2;
  }
  return farthest < nearest || farthest < tmin;
}

// Two crossings closer than this (squared) are one point: an edge or a corner.
constexpr double kSamePointSquared = 9.999999999999998e-15;

// Whether the ray runs inside the closed box over a stretch of positive
// length that ends at t: the entry of the slab test lies before t by more
// than the distance at which two crossings count as one point.
bool InsideBefore(const FaceTester& f, double t) {
  double entry = -std::numeric_limits<double>::infinity();
  double rr = 0.0;
  for (int a = 0; a < 3; ++a) {
    rr += f.r[a] * f.r[a];
    if (f.r[a] == 0.0) continue;
    const double t1 = (f.lo[a] - f.o[a]) / f.r[a], t2 = (f.hi[a] - f.o[a]) / f.r[a];
    entry = std::max(entry, std::min(t1, t2));
  }
  const double gap = t - entry;
  return gap > 0.0 && gap * gap * rr > kSamePointSquared;
}

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
  const FaceTester faces(*this, ray);
  if (SurelyMissed(faces, tmin)) return 0;
  int found = 0;
  bool again = false;  // a further face crossed at the first point
  double first[3] = {0.0, 0.0, 0.0};
  for (int side = 0; side < 6; ++side) {
    double t, at[3];
    if (!faces.Crosses(side, tmin, t, at)) continue;
    if (found == 0) {
      records[0] = {t, side};
      first[0] = at[0];
      first[1] = at[1];
      first[2] = at[2];
      found = 1;
    } else {
      records[1] = {t, side};
      again = true;
      const double dx = at[0] - first[0], dy = at[1] - first[1], dz = at[2] - first[2];
      if (dx * dx + dy * dy + dz * dz > kSamePointSquared) return 2;
    }
  }
  // One point is an exit only when the ray ran inside the box before it. A
  // ray that only touches an edge or a corner, or crosses a flat box, enters
  // and leaves at that point: two crossings, so that the parity of the hits
  // still tells inside from outside.
  if (found == 1 && !InsideBefore(faces, records[0].t)) {
    if (!again) records[1] = records[0];
    return 2;
  }
  return found;
}

int GEO_Box::IntersectRay(const Ray& ray, BoxHitRecord& record, double tmin) const {
  const FaceTester faces(*this, ray);
  if (SurelyMissed(faces, tmin)) return 0;
  int found = 0;
  for (int side = 0; side < 6; ++side) {
    double t, at[3];
    if (!faces.Crosses(side, tmin, t, at)) continue;
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
