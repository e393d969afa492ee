#pragma once

// The triangles of the mesh booleans and their pairwise intersection: every
// pair of crossing triangles leaves one segment on each of the two, along the
// common part of their chords on the line where their planes meet.
//
// 2-D coordinates are the two coordinates kept when a triangle is projected
// along its projection axis; a 2-D line (a, b, c) is the set a*u + b*v + c = 0.

#include "foundation/fragmented_seq.h"
#include "foundation/seq.h"
#include "geometry/plane.h"
#include "geometry/point2d.h"
#include "geometry/point3d.h"

// One intersection segment on a triangle.
struct Tri3DSIntr {
  Point3D from;
  Point3D to;
};

// A triangle of an input mesh, the segments found on it, and the axis (0 x,
// 1 y, 2 z) dropped when it is handled in 2-D.
struct Tri3D {
  Point3D corners[3];
  Seq<Tri3DSIntr> segments;
  int axis = 0;

  void AddSegment(const Point3D& from, const Point3D& to);
};

namespace zavo {

struct Line2D {
  double a = 0.0;
  double b = 0.0;
  double c = 0.0;
};

// Coordinate k (0 x, 1 y, 2 z) of a point.
inline double Coord(const Point3D& p, int k) { return k == 0 ? p.x : (k == 1 ? p.y : p.z); }
inline double& Coord(Point3D& p, int k) { return k == 0 ? p.x : (k == 1 ? p.y : p.z); }
inline double Coord(const Plane& p, int k) { return k == 0 ? p.a : (k == 1 ? p.b : p.c); }

// The projection axis of a plane normal: the axis of the largest absolute
// component, ties to the lower axis.
int ProjectionAxisOf(const Plane& plane);

}  // namespace zavo

// The plane of a triangle from the unit vectors along two of its sides; the
// normal is their cross product, not normalised again. When some side has
// every component below 1e-20 in absolute value: (1, 0, 0, -p0.x). Distinct
// collinear corners give the normal 0.
Plane TrianglePlane(const Point3D& p0, const Point3D& p1, const Point3D& p2);
// Sets the triangle's axis from its plane.
void ProjectionAxis(Tri3D& triangle);
// The two kept axes: 0 gives (1, 2), 1 gives (2, 0), 2 gives (0, 1).
void KeptAxes(int axis, int& k1, int& k2);
// The line through two 2-D points.
zavo::Line2D LineThroughPoints2D(const Point2D& p0, const Point2D& p1);
// The common line of two planes, in the kept axes (k1, k2) of a projection
// axis. The planes must not be parallel.
zavo::Line2D PlanesLine2D(const Plane& p1, const Plane& p2, int axis, int k1, int k2);
// Where the line through A and B meets the segment K-L (ends included); false
// when it does not or the two run parallel.
bool LineCutsSegment2D(const Point2D& A, const Point2D& B, const Point2D& K, const Point2D& L, Point2D& out);
// Up to two points where the line meets the triangle's sides, corner 0-1,
// then 1-2, then 2-0 only when fewer than two were found; their number.
int TriangleChord2D(const Point2D (&triangle)[3], const zavo::Line2D& line, Point2D (&out)[2]);
// The point of the plane with the kept coordinates (u, v).
Point3D LiftToPlane(const Point2D& p, const Plane& plane, int axis, int k1, int k2);
// The part of R-S that lies on P-Q, both on one line, when it has a positive
// length; false otherwise (also when P-Q is shorter than 1e-10 on every axis).
bool SegmentOverlap3D(const Point3D& P, const Point3D& Q, const Point3D& R, const Point3D& S, Point3D& from,
                      Point3D& to);
// The index of a point exactly equal to p, or of p appended.
long FindOrAddPoint2D(FragmentedSeq<Point2D, long>& table, const Point2D& p);
// (p0 + p1 + p2) * 0.3333333333333333
Point3D TriangleCentroid(const Point3D& p0, const Point3D& p1, const Point3D& p2);

namespace zavo {
// Whether the second triangle's corners lie in the first's plane (within 1e-9
// of the largest coordinate of the two).
bool Coplanar(const Tri3D& first, const Tri3D& second);
// Two coplanar triangles cut each other along their sides: the part of each
// side of one that lies on the other is appended to the other's segments,
// so that the split pieces of each lie either on the other or beside it.
void CutCoplanar(Tri3D& first, Tri3D& second);
}  // namespace zavo

// Intersects the two triangles: when they cross, one segment is appended to
// each. Coplanar triangles cut each other along their sides (zavo::CutCoplanar);
// parallel ones, and a triangle without a plane (distinct collinear corners),
// never record a segment.
void IntersectTriangles(Tri3D& first, Tri3D& second);
