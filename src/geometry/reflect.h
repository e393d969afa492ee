#pragma once

#include "geometry/point3d.h"

// The mirror image of v about the normal n: 2 (n.v) n - v. With n of unit
// length it has the length of v. Neither vector is normalised here.
inline Point3D ReflectVector(const Point3D& n, const Point3D& v) {
  const double k = 2.0 * Dot(n, v);
  return {k * n.x - v.x, k * n.y - v.y, k * n.z - v.z};
}
