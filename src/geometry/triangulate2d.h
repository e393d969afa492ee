#pragma once

// Triangulation of 2-D points under constraint segments by greedy edge
// insertion: the constraints become edges first, then every other pair of
// points in index order unless it properly crosses an edge already taken; the
// triangles are read off as triples of edges that close a triangle, hold no
// other point inside or on a side (a triangle of zero area holds none) and do
// not cover a triangle found before.
//
// The mesh booleans hand it the projection of one triangle (its three corners
// first, then the end points of the intersection segments on it) with the
// segments as constraints. The proper pieces tile the points' convex hull;
// each point on a side of the hull also gives zero-area triangles along that
// side. Corner order follows the edges, not an orientation.
//
// The cost grows with the fourth power of the number of points or worse: the
// inputs are meant to be small.

#include <memory>

#include "foundation/fragmented_seq.h"
#include "foundation/list.h"
#include "foundation/seq.h"
#include "geometry/point2d.h"

// A constraint segment: two indices into the point table.
struct PreEdge {
  int first = 0;
  int second = 0;
};

// One result triangle: its three corners.
class ETri2D : public ListItem {
public:
  ETri2D() = default;
  ETri2D(const Point2D& p0, const Point2D& p1, const Point2D& p2) : corners{p0, p1, p2} {}
  Point2D corners[3];
};

// The triangles of the points under the constraints, in acceptance order.
// Points closer than 1e-10 in both coordinates to an earlier kept point are
// that point. A constraint whose ends merge, or that repeats an earlier one
// (in either direction), leaves no trace. A constraint index outside the
// point table is an internal error.
std::unique_ptr<List<ETri2D>> Triangulate2D(const FragmentedSeq<Point2D, long>& points,
                                            const Seq<PreEdge>& constraints);

// Whether the segments A-B and K-L cross at a point strictly inside both,
// farther than 1e-9 of either's length from its ends. Parallel and degenerate
// segments never cross, nor do segments whose directions differ by less than
// 1e-9 radians (one line up to rounding).
bool SegmentsCross2D(const Point2D& A, const Point2D& B, const Point2D& K, const Point2D& L);

// Whether P lies inside the triangle U, V, W: for every side, the products of
// the side's orientation values of P and of the opposite corner are at least
// 1e-10 (a margin in squared length units). A point on a side, and any point
// of a degenerate triangle, is not inside.
bool PointStrictlyInTriangle2D(const Point2D& U, const Point2D& V, const Point2D& W, const Point2D& P);

namespace zavo {
// Whether the triangle has no area to speak of: its doubled area below 1e-9
// times its longest side squared (three collinear points, up to rounding).
bool IsFlatTriangle2D(const Point2D& U, const Point2D& V, const Point2D& W);
}  // namespace zavo
