#pragma once

// RAW files: plain texts of numbers separated by white space. The triangle
// reader takes nine numbers per triangle, the point readers three or two per
// point (z = 0). A word that is not a finite number ends the list like the
// end of the input; an incomplete last group is dropped.

#include <array>
#include <cstdint>
#include <functional>
#include <istream>
#include <ostream>
#include <vector>

#include "geometry/point3d.h"

namespace zavo {

using RawTriangle = std::array<Point3D, 3>;

std::vector<RawTriangle> ReadRawTriangles(std::istream& in);
// dimensions 3 (x y z) or 2 (x y, z = 0).
std::vector<Point3D> ReadRawPoints(std::istream& in, int dimensions);

// The triangles with their corners merged: one face per triangle in file
// order; a corner equal in x, y and z to a vertex found before (exactly; -0
// equals 0) takes the first such vertex, else it becomes a new vertex.
struct RawMesh {
  std::vector<Point3D> vertices;
  std::vector<std::array<std::uint32_t, 3>> faces;
};

// progress is called after each triangle with the number merged so far.
RawMesh MergeRawTriangles(const std::vector<RawTriangle>& triangles,
                          const std::function<void(long)>& progress = {});

// The pbrep text of the mesh; faces with a repeated vertex are left out.
void WriteRawPbrep(std::ostream& os, const RawMesh& mesh);

}  // namespace zavo
