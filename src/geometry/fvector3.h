#pragma once

#include "geometry/point3d.h"

// A fixed three-component vector held by value (no allocation), as a contour
// keeps one per vertex for its per-vertex normals.
template <class T>
struct fVector3 {
  T x{};
  T y{};
  T z{};

  fVector3() = default;
  fVector3(T x_, T y_, T z_) : x(x_), y(y_), z(z_) {}
  explicit fVector3(const Point3D& p) : x(p.x), y(p.y), z(p.z) {}

  Point3D ToPoint() const { return {static_cast<double>(x), static_cast<double>(y), static_cast<double>(z)}; }

  friend bool operator==(const fVector3&, const fVector3&) = default;
};
