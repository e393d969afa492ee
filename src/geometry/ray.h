#pragma once

#include <iosfwd>

#include "geometry/point3d.h"
#include "geometry/transformation.h"

// A ray: an origin and a direction. The factories make the direction of unit
// length, so a ray parameter is a distance along the ray; a zero direction
// stays zero.
struct Ray {
  Point3D origin;
  Point3D direction;

  // The origin unchanged and the direction divided by its length.
  static Ray FromDirection(const Point3D& origin, const Point3D& direction);
  // Origin p, direction (q - p) divided by its length.
  static Ray FromPoints(const Point3D& p, const Point3D& q);

  Point3D GetDirection() const { return direction; }
  // origin + t * direction
  Point3D PointAt(double t) const { return origin + t * direction; }
  // The ray through the images of the origin and of the point at t = 1 under
  // m (TransformPoint): the direction is of unit length again, so distances
  // along the new ray are in the transformed space.
  Ray TransformBy(const Transformation& m) const;
  // "Ray(( ox , oy , oz ), [dx , dy , dz ] )"
  void Print(std::ostream& os) const;
};
