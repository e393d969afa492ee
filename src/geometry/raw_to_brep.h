#pragma once

// The conversion of the mesh booleans' raw triangle text into pbrep text:
// the raw text holds nine numbers a triangle (corner 0 x, y, z, corner 1...,
// corner 2...), separated by any white space; vertices are merged where their
// coordinates are exactly equal, and a triangle whose corners merge is left
// out.

#include <iosfwd>

#include "foundation/list.h"
#include "geometry/point3d.h"

// A triangle read from raw text.
class XTri : public ListItem {
public:
  Point3D corners[3];
};

// A face of the conversion: three 0-based vertex indices.
struct Xqztri {
  int first = 0;
  int second = 0;
  int third = 0;
};

// Reads triangles from raw until the first text that is not a number (an
// incomplete last triangle is dropped) and writes the pbrep block of them:
// "{ pbrep\nvertices\n", the vertex count, each vertex "x y z\n", "faces\n",
// the count of faces with three different indices, each such face
// "{ 1\n\t{ 3 a b c}\n\n}\n", then "}\n". Returns 1.
int RawToBRep(std::istream& raw, std::ostream& pbrep);
