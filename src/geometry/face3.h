#pragma once

#include <cstdint>
#include <iosfwd>

#include "foundation/list.h"
#include "foundation/seq.h"
#include "geometry/box.h"
#include "geometry/fvector3.h"
#include "geometry/plane.h"
#include "geometry/point2d.h"
#include "geometry/point3d.h"
#include "geometry/ray.h"

namespace zavo {
// Ray statistics, never reset: calls of Face3::Intersect. The memory report
// shows it under this label beside the two box counters. Counted per thread
// as those are.
inline thread_local std::uint64_t FaceNIntr = 0;
inline constexpr const char* kFaceNIntrLabel = "_FaceNIntr ";
}  // namespace zavo

// One closed contour of a planar face: a cycle of vertex numbers into the
// mesh's vertex sequence. Entry k + 1 refers to vertex k; -(k + 1) refers to
// the same vertex and marks the edge leaving it (towards the next entry, the
// last entry's edge going to the first) as hidden.
//
// A contour with no entry, or with numbers outside the vertex sequence, is
// outside the data model: the mesh refuses such contours before they get here.
class ContourFace3 : public ListItem {
public:
  // Per-vertex normals: empty, or one per entry of vertices, in the same order.
  Seq<fVector3<double>> normals;
  // The signed 1-based vertex numbers, in order.
  Seq<int> vertices;
  // The coordinate left out when the face is projected: 0 projects on (y, z),
  // 1 on (x, z), 2 on (x, y).
  std::int32_t axis = 0;

  // The vertex an entry refers to.
  static std::uint32_t VertexIndex(int entry) {
    return static_cast<std::uint32_t>(entry < 0 ? -static_cast<std::int64_t>(entry) : entry) - 1;
  }

  // The box of the entries' vertices (the zero box for a contour without entries).
  GEO_Box GetBox(const Seq<Point3D>& points) const;
  // The mean of the entries' vertex positions; a vertex listed twice counts twice.
  Point3D Centroid(const Seq<Point3D>& points) const;
  // The plane by the contour's projected areas; sets the axis to the
  // coordinate plane of the largest projection (ties to the lower axis).
  // Collinear or fewer than three distinct vertices give (0, 0, 0, 0).
  Plane ComputePlane(const Seq<Point3D>& points);
  // axis = index of the largest of |a|, |b|, |c|, ties to the lower axis.
  void SetAxis(const Plane& plane);
  // The number of contour edges crossed by the ray from p towards decreasing
  // v, the vertices projected on the coordinates u and v (0 x, 1 y, 2 z).
  // Odd means p lies inside.
  int CountCrossings(const Seq<Point3D>& points, const Point2D& p, int u, int v) const;
  // Whether the ray meets the plane beyond tmin inside this contour. t gets
  // the plane's ray parameter unless the ray runs parallel to the plane.
  int Intersect(const Ray& ray, const Seq<Point3D>& points, double& t, const Plane& plane, double tmin) const;
  // The contour text of a mesh file: "\t\t{ " n "    ", each entry as "*"
  // when marked, the 0-based vertex number and a blank; then, with the flag
  // set and normals present, each normal "( x , y , z )" and a blank; "}".
  void Write(std::ostream& os, int withNormals) const;
};

// A planar face: an outer contour, then any number of hole contours, all with
// the same axis; its plane a*x + b*y + c*z + d = 0 and the unit normal
// -(a, b, c) normalised ((1, 0, 0) for a plane without normal).
class Face3 {
public:
  List<ContourFace3> contours;
  Plane plane;
  Point3D unitNormal{1.0, 0.0, 0.0};

  Face3() = default;
  // Copies the plane and the unit normal; the contours are copied with their
  // vertex numbers only (no normals, axis 0): the owner recomputes the axes.
  Face3(const Face3& other);
  Face3& operator=(const Face3& other);
  ~Face3() = default;

  // Plane and axis from the first contour; the axis is copied to the other
  // contours; sets the unit normal. Nothing happens to a face without contours.
  void ComputePlane(const Seq<Point3D>& points);
  // Stores the plane; the first contour's axis from it, copied to the others;
  // sets the unit normal.
  void SetPlane(const Plane& p);
  // The first contour's box extended by every further contour's box.
  GEO_Box GetBox(const Seq<Point3D>& points) const;
  // The face ray test: the plane hit beyond tmin inside the outer contour and
  // inside no hole. The unit normal is copied to normal whether it hits or
  // not; t holds the plane's ray parameter of the outer contour's test when
  // that test reached it. Counts one FaceNIntr.
  int Intersect(const Ray& ray, const Seq<Point3D>& points, double& t, Point3D& normal, double tmin) const;

  std::uint32_t ContourCount() const;

private:
  void CopyFrom(const Face3& other);
  void SetUnitNormal();
  void SpreadAxis();
};

namespace zavo {
// The face text of a mesh file: "\t{\t" and the contour count, a line break,
// each contour's text and a line break, then "\t}\n" and an empty line.
void WriteFace(const Face3& face, std::ostream& os, int withNormals);
}  // namespace zavo

// The face text with normals.
std::ostream& operator<<(std::ostream& os, const Face3& face);
