#pragma once

#include <iosfwd>

#include "geometry/point3d.h"

class ScannerMemo;

// The binary form of a point: x, y, z as three 8-byte little-endian IEEE
// doubles, whatever the host's byte order.

// Reads 24 bytes into the point. Answers 1, or 0 when the stream ends first
// (the point is then left as it was).
int ReadPoint3DBinary(Point3D& point, std::istream& is);
// Writes the 24 bytes.
void WritePoint3DBinary(const Point3D& point, std::ostream& os);

// The short text form "(x,y,z)": no blanks, numbers in the C locale's default
// stream format.
void WritePoint3DShort(const Point3D& point, std::ostream& os);
// Reads "(" number "," number "," number ")" from the token in view (blanks
// between the tokens are free) and moves past it: 1. At the first token that
// does not fit: 0, the scanner on that token and the coordinates read so far
// stored.
int ReadPoint3DShort(Point3D& point, ScannerMemo& scanner);
