#pragma once

#include "geometry/point3d.h"

// The points with a*x + b*y + c*z + d = 0. (a, b, c) is the normal, of any length.
struct Plane {
  double a = 0.0;
  double b = 0.0;
  double c = 0.0;
  double d = 0.0;

  // The plane with the given normal through p.
  static Plane FromNormalAndPoint(const Point3D& normal, const Point3D& p) {
    return {normal.x, normal.y, normal.z, -(normal.x * p.x + normal.y * p.y + normal.z * p.z)};
  }

  Point3D Normal() const { return {a, b, c}; }

  // A point of the plane on a coordinate axis: on x when a is not 0, else on y
  // when b is not 0, else on z. A plane without a normal is an internal error
  // ("Plane incoerente").
  Point3D AnyPoint() const;

  friend bool operator==(const Plane&, const Plane&) = default;
};
