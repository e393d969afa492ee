#pragma once

#include <iosfwd>

#include "geometry/point3d.h"

// The binary form of a point: x, y, z as three 8-byte little-endian IEEE
// doubles, whatever the host's byte order.

// Reads 24 bytes into the point. Answers 1, or 0 when the stream ends first
// (the point is then left as it was).
int ReadPoint3DBinary(Point3D& point, std::istream& is);
// Writes the 24 bytes.
void WritePoint3DBinary(const Point3D& point, std::ostream& os);
