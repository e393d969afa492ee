#pragma once

// Builders of boundary meshes from simpler data: a box, a table of points, a
// list of loose triangles; and the repair that closes gaps in a triangle mesh.
// Every builder returns a new mesh owned by the caller, with a copy of the
// name, its face data (planes, axes, unit normals) computed and no edge
// table, vertex normals or hierarchy.

#include <cstdint>
#include <memory>

#include "foundation/fragmented_seq.h"
#include "foundation/list.h"
#include "foundation/table.h"
#include "geometry/brep_model3.h"
#include "geometry/point3d.h"

// One loose triangle of a face list: its corners in order.
struct GEO_RawTriangle3 : public ListItem {
  Point3D corner[3];

  GEO_RawTriangle3() = default;
  GEO_RawTriangle3(const Point3D& a, const Point3D& b, const Point3D& c) : corner{a, b, c} {}
};

// One triangle of the face-list builder: three 0-based vertex numbers.
struct qztri {
  std::int32_t v[3] = {0, 0, 0};
};

// One boundary edge found by the gap repair: its 0-based end points as the
// smaller and the larger number, then as its face runs (from, to).
struct ProtoEdge {
  std::int32_t smaller = 0;
  std::int32_t larger = 0;
  std::int32_t from = 0;
  std::int32_t to = 0;
};

// The box mesh: vertices 1 to 8 are (xmin, ymin, zmin), (xmax, ymin, zmin),
// (xmax, ymax, zmin), (xmin, ymax, zmin) and the same four at zmax; faces
// (1, 2, 3, 4), (5, 8, 7, 6), (1, 4, 8, 5), (2, 6, 7, 3), (4, 3, 7, 8),
// (1, 5, 6, 2), all running the same way round the box; no hidden edge.
std::unique_ptr<BRepModel3> MakeBoxBRep(const char* name, double xmin, double xmax, double ymin, double ymax,
                                        double zmin, double zmax);

// The grid mesh of a table of rows x cols points (tessellators hand square
// tables). Point [r][c] becomes vertex number V(r, c) = c * rows + r + 1, so
// the vertices run down the first column, then the second, and so on. For r
// outer and c inner, each cell gives the triangles (V(r, c), -V(r + 1, c),
// V(r, c + 1)) and (V(r + 1, c), V(r + 1, c + 1), -V(r, c + 1)): the diagonal
// from V(r + 1, c) to V(r, c + 1) is hidden in both, and face
// 2 * (r * (cols - 1) + c) is the first triangle of cell (r, c). Nothing is
// merged or dropped: coincident points stay separate vertices and degenerate
// triangles stay. A table of more than 2^31 - 1 points is an internal error.
std::unique_ptr<BRepModel3> MakeGridBRep(const char* name, const Table<Point3D>& table);

// The mesh of a triangle list: one face (a + 1, b + 1, c + 1) per triangle,
// in list order, no hidden edge. Each corner in turn is looked up with
// FindNearVertex among the points collected so far (those of the earlier
// corners included) and is appended as a new vertex only when none matches.
std::unique_ptr<BRepModel3> MakeFaceListBRep(const char* name, const List<GEO_RawTriangle3>& triangles,
                                             double tolerance);

// With tolerance exactly 0: the first point equal to p in x, y and z.
// Otherwise the point nearest to p among those whose distance to p is
// strictly below the tolerance, the earliest among equal distances. 1 with
// its 0-based index, or 0 (index unchanged) when none matches.
int FindNearVertex(const FragmentedSeq<Point3D, long>& points, const Point3D& p, double tolerance, long& index);

// Closes gaps of a triangle mesh. Faces are read as triangles: the first
// three vertex numbers of the first contour, signs dropped (a face with fewer
// than three entries has no side). A side is a boundary edge when the number
// of sides joining its two vertices is odd. For each boundary edge E in
// order and each later one F sharing a vertex with E, w is F's other vertex;
// when the sides (w, E.smaller) and (w, E.larger) are each used by no side or
// by an odd number of them, the triangle (E.to, E.from, w) is added and the
// search starts again. No triangle with a repeated vertex is ever added
// (such pairs are passed over), and the repair stops after
// 10 * (faces at the start) + 10 added triangles whatever remains open.
// Then the face data is recomputed (the hierarchy is dropped). Answers 1.
int CloseMeshGaps(BRepModel3& mesh);

// Appends the face with the one contour (a + 1, b + 1, c + 1) and computes
// its plane; the other faces keep their planes and axes, but lose their
// per-vertex normals, and the hierarchy is dropped. A vertex number outside
// the mesh is an internal error. Answers 1.
int AddTriangleFace(BRepModel3& mesh, std::int32_t a, std::int32_t b, std::int32_t c);

// The number of triangle sides (read as in CloseMeshGaps) that join the two
// 0-based vertices, in either direction.
int CountEdgeUses(const BRepModel3& mesh, std::int32_t smaller, std::int32_t larger);
