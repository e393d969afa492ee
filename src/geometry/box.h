#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "geometry/point3d.h"
#include "geometry/ray.h"

namespace zavo {
// Ray statistics, never reset: calls of GEO_Box::RayRange and of
// GEO_Box::HitByRay. The memory report shows them under these labels. Each
// thread counts in its own; the tracing workers add theirs to the thread that
// started them when they end.
inline thread_local std::uint64_t BoxNIntr = 0;
inline thread_local std::uint64_t TestBoxNIntr = 0;
inline constexpr const char* kBoxNIntrLabel = "_BoxNIntr ";
inline constexpr const char* kTestBoxNIntrLabel = "_TestBoxNIntr ";
}  // namespace zavo

// One crossing of a ray with a box face: the ray parameter and the side,
// 0 x = xmin, 1 x = xmax, 2 y = ymin, 3 y = ymax, 4 z = zmin, 5 z = zmax.
struct BoxHitRecord {
  double t = 0.0;
  std::int32_t side = 0;
};

// An axis-aligned box. Boxes made by the operations below have min <= max on
// every axis; a box may be flat on any axis.
struct GEO_Box {
  double xmin = 0.0;
  double xmax = 0.0;
  double ymin = 0.0;
  double ymax = 0.0;
  double zmin = 0.0;
  double zmax = 0.0;

  // The box of one point.
  void SetPoint(const Point3D& p) {
    xmin = xmax = p.x;
    ymin = ymax = p.y;
    zmin = zmax = p.z;
  }
  // Grows the box to contain p: per axis, a coordinate that is not >= min
  // becomes min, else one that is > max becomes max.
  void Extend(const Point3D& p) {
    ExtendAxis(xmin, xmax, p.x);
    ExtendAxis(ymin, ymax, p.y);
    ExtendAxis(zmin, zmax, p.z);
  }
  // Extend by the other box's minimum corner, then by its maximum corner.
  void ExtendBox(const GEO_Box& b) {
    Extend({b.xmin, b.ymin, b.zmin});
    Extend({b.xmax, b.ymax, b.zmax});
  }
  void Set(const GEO_Box& b) { *this = b; }

  // out = a extended by b; answers 1.
  static int Union(const GEO_Box& a, GEO_Box& out, const GEO_Box& b);
  // The box common to a and b: 1 and out set, or 0 (out untouched) when they
  // do not meet. Boxes that only touch give a flat box.
  static int Intersection(const GEO_Box& a, GEO_Box& out, const GEO_Box& b);

  double Volume() const { return (xmax - xmin) * (ymax - ymin) * (zmax - zmin); }
  Point3D Center() const { return {(xmin + xmax) / 2, (ymin + ymax) / 2, (zmin + zmax) / 2}; }
  // Half the squared length of the diagonal.
  double HalfDiagonalSquared() const {
    const double dx = xmax - xmin, dy = ymax - ymin, dz = zmax - zmin;
    return (dx * dx + dy * dy + dz * dz) / 2;
  }
  // Borders inside.
  int Contains(const Point3D& p) const {
    return xmin <= p.x && p.x <= xmax && ymin <= p.y && p.y <= ymax && zmin <= p.z && p.z <= zmax;
  }
  int Contains(const GEO_Box& b) const {
    return Contains(Point3D{b.xmin, b.ymin, b.zmin}) && Contains(Point3D{b.xmax, b.ymax, b.zmax});
  }

  // Whether the ray meets the box at some t > 0, with a tolerance of 1e-7 on
  // the coordinates across each face. Counts one TestBoxNIntr.
  inline int HitByRay(const Ray& ray) const;
  // The up to two points where the ray crosses the surface beyond tmin, in
  // side order; an edge or corner crossed counts once. Counts one BoxNIntr.
  int RayRange(const Ray& ray, BoxHitRecord records[2], double tmin) const;
  // The nearest face crossing beyond tmin; equal t keeps the lower side.
  int IntersectRay(const Ray& ray, BoxHitRecord& record, double tmin) const;
  // The outward unit normal of the record's side.
  Point3D SideNormal(const BoxHitRecord& record) const;

  friend bool operator==(const GEO_Box&, const GEO_Box&) = default;

private:
  static void ExtendAxis(double& lo, double& hi, double v) {
    if (!(v >= lo)) {
      lo = v;
    } else if (v > hi) {
      hi = v;
    }
  }
};

// The box grown on every side by 1e-9 of its largest coordinate (at least
// 1e-9). The hierarchy walks cross node boxes so grown: a ray through an edge
// or a corner of what a node holds, which the face tests hit, is then never
// lost to the rounding of the box's crossing points.
inline GEO_Box GrownForRays(const GEO_Box& b) {
  double m = 1.0;
  for (double v : {b.xmin, b.xmax, b.ymin, b.ymax, b.zmin, b.zmax}) m = std::max(m, v < 0.0 ? -v : v);
  const double pad = 1e-9 * m;
  return {b.xmin - pad, b.xmax + pad, b.ymin - pad, b.ymax + pad, b.zmin - pad, b.zmax + pad};
}

// xmin <= x <= xmax and likewise on y and z.
inline int BoxContainsPoint(double xmin, double xmax, double ymin, double ymax, double zmin, double zmax,
                            const Point3D& p) {
  return GEO_Box{xmin, xmax, ymin, ymax, zmin, zmax}.Contains(p);
}
// A contains both corners of B.
inline int BoxContainsBox(const GEO_Box& a, const GEO_Box& b) { return a.Contains(b); }

inline int GEO_Box::HitByRay(const Ray& ray) const {
  constexpr double eps = 1e-7;
  ++zavo::TestBoxNIntr;
  const Point3D& o = ray.origin;
  const Point3D& r = ray.direction;
  if (r.x != 0.0) {
    for (double face : {xmin, xmax}) {
      const double t = (face - o.x) / r.x;
      if (t > 0.0) {
        const double y = o.y + t * r.y;
        const double z = o.z + t * r.z;
        if (ymin - eps <= y && y <= ymax + eps && zmin - eps <= z && z <= zmax + eps) return 1;
      }
    }
  }
  if (r.y != 0.0) {
    for (double face : {ymin, ymax}) {
      const double t = (face - o.y) / r.y;
      if (t > 0.0) {
        const double x = o.x + t * r.x;
        const double z = o.z + t * r.z;
        if (xmin - eps <= x && x <= xmax + eps && zmin - eps <= z && z <= zmax + eps) return 1;
      }
    }
  }
  if (r.z != 0.0) {
    for (double face : {zmin, zmax}) {
      const double t = (face - o.z) / r.z;
      if (t > 0.0) {
        const double y = o.y + t * r.y;
        const double x = o.x + t * r.x;
        if (ymin - eps <= y && y <= ymax + eps && xmin - eps <= x && x <= xmax + eps) return 1;
      }
    }
  }
  return 0;
}
