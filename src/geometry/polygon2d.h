#pragma once

#include <vector>

#include "geometry/point2d.h"

// With lo the smaller and hi the larger of a and b: lo < x <= hi.
inline bool InHalfOpenRange(double x, double a, double b) {
  return a < b ? (a < x && x <= b) : (b < x && x <= a);
}

// True when the segment a-b crosses the vertical line through p strictly below p.
// A vertical segment never counts (its half-open x range is empty). The
// crossing is computed from the end with the smaller x whichever way the
// segment runs, so two faces that share an edge (and walk it in opposite
// directions) see it at the same height: a point on the shared edge is then
// inside exactly one of them, never in neither.
inline bool CrossesBelow(const Point2D& p, const Point2D& a, const Point2D& b) {
  if (!InHalfOpenRange(p.x, a.x, b.x)) return false;
  const Point2D& lo = a.x < b.x ? a : b;
  const Point2D& hi = a.x < b.x ? b : a;
  return lo.y + (p.x - lo.x) * (hi.y - lo.y) / (hi.x - lo.x) < p.y;
}

// A closed 2-D polygon of a fixed number of points, filled by Append. The
// tests walk all n points in order and close from the last back to the first.
class Polygon2D {
public:
  Polygon2D() = default;
  explicit Polygon2D(unsigned n) { Init(n); }

  // Room for n points, none appended yet.
  void Init(unsigned n);
  // Stores a copy of the point at the next free position (the polygon must not be full).
  void Append(const Point2D& point);
  bool IsFull() const { return count_ == points_.size(); }
  // A copy of point i (i below the capacity).
  Point2D Point(unsigned i) const;

  unsigned Capacity() const { return static_cast<unsigned>(points_.size()); }
  unsigned Count() const { return count_; }

  // The number of edges that cross the vertical line through p below p; odd
  // means p lies inside. A vertex shared by two edges counts once.
  int CountCrossings(const Point2D& p) const;
  // Half the sum of (y(i) + y(i+1)) * (x(i+1) - x(i)): negative for points in
  // counter-clockwise order (y up), positive for clockwise.
  double SignedArea() const;

private:
  std::vector<Point2D> points_;
  unsigned count_ = 0;
};
