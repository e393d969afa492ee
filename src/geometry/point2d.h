#pragma once

#include <cmath>

// A point in the plane. A new point is (0, 0).
struct Point2D {
  double x = 0.0;
  double y = 0.0;

  constexpr Point2D() = default;
  constexpr Point2D(double x_, double y_) : x(x_), y(y_) {}

  friend bool operator==(const Point2D&, const Point2D&) = default;
};

// Euclidean distance of two 2-D points.
inline double Distance2D(const Point2D& p, const Point2D& q) { return std::hypot(q.x - p.x, q.y - p.y); }

// The point half-way between p and q.
inline Point2D Midpoint2D(const Point2D& p, const Point2D& q) { return {(p.x + q.x) / 2, (p.y + q.y) / 2}; }
