#pragma once

#include <iosfwd>

#include "geometry/bounding_object.h"
#include "geometry/box.h"
#include "geometry/point2d.h"
#include "geometry/point3d.h"

// Text forms of geometric values. Numbers are written as the C locale's
// default stream format writes them (six significant digits), whatever the
// locale of the stream; no writer ends a line unless its form does.

// "( x , y , z )"
void WritePoint3D(const Point3D& point, std::ostream& os);
// "( x , y )"
void WritePoint2D(const Point2D& point, std::ostream& os);
// "[ xmin , xmax , ymin , ymax , zmin , zmax ]"
void WriteNumberRecord6(std::ostream& os, double xmin, double xmax, double ymin, double ymax, double zmin,
                        double zmax);
// "{ bound\n\tmodel " then the volume's own block, then "}\n".
void WriteBound(std::ostream& os, const BoundingObject& volume);
