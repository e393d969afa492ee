#pragma once

#include "foundation/vector.h"
#include "geometry/geo_exception.h"
#include "geometry/point2d.h"
#include "geometry/point3d.h"

// Points and their homogeneous forms: (x, y, z, 1) and (x, y, 1). Each
// conversion back exists twice: a status form that answers 0 (point
// untouched) on a vector of the wrong size, and a strict form that throws xGeo.

Vector4<double> Point3DToHomogeneous(const Point3D& p);
Vector3<double> Point2DToHomogeneous(const Point2D& p);

// (x/w, y/w, z/w) of (x, y, z, w).
int HomogeneousToPoint3D(const Vector<double>& v, Point3D& p);
Point3D HomogeneousToPoint3D(const Vector<double>& v);
// (x/w, y/w) of (x, y, w).
int HomogeneousToPoint2D(const Vector<double>& v, Point2D& p);
Point2D HomogeneousToPoint2D(const Vector<double>& v);
