#pragma once

#include <cmath>

// A point or a direction in space. A new point is (0, 0, 0).
struct Point3D {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  constexpr Point3D() = default;
  constexpr Point3D(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

  Point3D& operator+=(const Point3D& o) {
    x += o.x;
    y += o.y;
    z += o.z;
    return *this;
  }
  Point3D& operator-=(const Point3D& o) {
    x -= o.x;
    y -= o.y;
    z -= o.z;
    return *this;
  }
  Point3D& operator*=(double s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
  }

  friend Point3D operator+(Point3D a, const Point3D& b) { return a += b; }
  friend Point3D operator-(Point3D a, const Point3D& b) { return a -= b; }
  friend Point3D operator-(const Point3D& a) { return {-a.x, -a.y, -a.z}; }
  friend Point3D operator*(Point3D a, double s) { return a *= s; }
  friend Point3D operator*(double s, Point3D a) { return a *= s; }
  friend bool operator==(const Point3D&, const Point3D&) = default;
};

// Dot and cross products and the Euclidean length.
inline double Dot(const Point3D& a, const Point3D& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Point3D Cross(const Point3D& a, const Point3D& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(const Point3D& a) { return std::sqrt(Dot(a, a)); }

// Euclidean distance of two points.
inline double Distance3D(const Point3D& p, const Point3D& q) { return Length(q - p); }

// The point half-way between p and q.
inline Point3D Midpoint3D(const Point3D& p, const Point3D& q) {
  return {(p.x + q.x) / 2, (p.y + q.y) / 2, (p.z + q.z) / 2};
}
