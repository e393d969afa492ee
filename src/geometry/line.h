#pragma once

#include "geometry/plane.h"
#include "geometry/point3d.h"

// An infinite line in space: the intersection of two planes. Its direction is
// the cross product of the two normals.
class Line {
public:
  Line() = default;
  Line(double a1, double b1, double c1, double d1, double a2, double b2, double c2, double d2)
      : p1_{a1, b1, c1, d1}, p2_{a2, b2, c2, d2} {}
  Line(const Plane& p1, const Plane& p2) : p1_(p1), p2_(p2) {}

  // The line through p and q. The planes are chosen by the components of q - p
  // that are exactly 0; two equal points give the line through them parallel to z.
  static Line FromPoints(const Point3D& p, const Point3D& q);

  const Plane& Plane1() const { return p1_; }
  const Plane& Plane2() const { return p2_; }

  // The unit direction: the normalised cross product of the two normals.
  Point3D Direction() const;

  // Intersection with a plane: 1 and the point, or 0 when the three normals
  // make a singular system (point untouched).
  int IntersectPlane(const Plane& plane, Point3D& point) const;
  // The point of the line nearest to the origin.
  Point3D NearestToOrigin() const;
  // The point X of the line with u.X = -s (u the unit direction).
  Point3D PointAtOffset(double s) const;
  // Distance of p from the line ("Line::Distance" internal error when there is no foot point).
  double Distance(const Point3D& p) const;

private:
  Plane p1_;
  Plane p2_;
};

// The point of line 1 nearest to line 2 (the foot of their common perpendicular
// on line 1). Parallel lines are an internal error ("Rette parallele").
Point3D LineDistance(const Line& line1, const Line& line2);
