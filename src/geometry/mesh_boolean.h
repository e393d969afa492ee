#pragma once

// Union, intersection and difference of two closed triangle meshes.
//
// Every triangle of the first mesh is intersected with every triangle of the
// second; each triangle that carries intersection segments is split along
// them (Triangulate2D; its zero-area pieces are left out), the others stay
// whole; each piece is kept or not by
// the parity of the hits of a ray from its centroid along +x on the other
// mesh, except a piece that lies on a face of the other mesh: coplanar
// triangles of the two meshes are split along each other's sides, and a
// piece on a face turned the same way is kept once (from the first mesh) in
// the union and the intersection and dropped from the difference; on a face
// turned the opposite way it is dropped from the union and the intersection,
// and the first mesh's piece is kept in the difference. The kept pieces are written as raw text with six significant digits,
// converted to pbrep text (RawToBRep, which welds equal corners) and read
// back with the pbrep reader into the result, whose gaps CloseMeshGaps then
// closes. All of this happens in memory.
//
// A face with more than three vertices in its first contour takes part as
// the fan of triangles from its first vertex; a face with fewer takes no
// part. Further contours of a face take no part.

#include <memory>

#include "foundation/list.h"
#include "foundation/seq.h"
#include "geometry/brep_model3.h"
#include "geometry/geo_interface.h"
#include "geometry/tri3d.h"

// A piece of a split triangle or a whole triangle: its corners, and the
// normal of the triangle it comes from (its corner order need not follow
// that triangle's winding).
class Tri : public ListItem {
public:
  Tri() = default;
  Tri(const Point3D& p0, const Point3D& p1, const Point3D& p2) : corners{p0, p1, p2} {}
  Tri(const Point3D& p0, const Point3D& p1, const Point3D& p2, const Point3D& n) : corners{p0, p1, p2}, normal(n) {}
  Point3D corners[3];
  Point3D normal;
};

// The result of each operation is a new mesh named "intr"; the inputs are
// not changed. Progress goes to the interface set with
// zavo::MeshBooleanProgressScope: "Computing intrs " with the percentage of
// the first mesh's triangles done and "%" after each of them, then "Wait...".
std::unique_ptr<BRepModel3> MeshUnion(const BRepModel3& first, const BRepModel3& second);
std::unique_ptr<BRepModel3> MeshIntersect(const BRepModel3& first, const BRepModel3& second);
// The first mesh minus the second.
std::unique_ptr<BRepModel3> MeshSubtract(const BRepModel3& first, const BRepModel3& second);

// The triangles of both meshes, intersected pairwise and split: the cut
// lists are emptied and get the pieces of the triangles that carry segments,
// the whole lists get the others. A triangle with two equal corners gives
// nothing.
void IntersectMeshes(const BRepModel3& first, const BRepModel3& second, List<Tri>& cutFirst, List<Tri>& cutSecond,
                     List<Tri>& wholeFirst, List<Tri>& wholeSecond);
// Splits each triangle along its segments into cut (in the triangulation's
// corner order, zero-area pieces left out) or appends it to whole when it has
// none; a triangle with two exactly equal corners is dropped.
void SplitTriangles(List<Tri>& cut, List<Tri>& whole, const Seq<Tri3D>& triangles);

namespace zavo {

using MeshBoolean = std::unique_ptr<BRepModel3> (*)(const BRepModel3&, const BRepModel3&);

// The triangle records of a mesh, faces in order, a fan for every face of
// more than three vertices, with their projection axes.
void MeshTriangles(const BRepModel3& mesh, Seq<Tri3D>& out);

// The progress interface of the mesh booleans (null: silent).
GeoInterface* MeshBooleanProgress();

// Sets the progress interface for its lifetime and puts the previous one
// back afterwards.
class MeshBooleanProgressScope {
public:
  explicit MeshBooleanProgressScope(GeoInterface* progress);
  ~MeshBooleanProgressScope();
  MeshBooleanProgressScope(const MeshBooleanProgressScope&) = delete;
  MeshBooleanProgressScope& operator=(const MeshBooleanProgressScope&) = delete;

private:
  GeoInterface* previous_;
};

}  // namespace zavo
