#pragma once

// The boundary meshes made from one planar outline: the profile of a
// polyline (its control points through an optional wrapper matrix, z
// dropped), its orientation test, and the pbrep texts of a surface of
// revolution about the z axis and of an extrusion along y.
//
// A profile point (x, y) is held as the 3-D point (x, y, 0). Numbers are
// written in the stream's default format; callers imbue the classic locale.

#include <iosfwd>
#include <vector>

#include "geometry/point3d.h"
#include "geometry/transformation.h"

class CG_GraphicObject;

namespace zavo {

using Outline = std::vector<Point3D>;

// The control points of the object in order, each through the affine part
// of wrapper when one is given, with z set to 0.
Outline ProfileOf(const CG_GraphicObject& object, const Transformation* wrapper);

// The orientation of the (x, y) outline, decided by its first edge (never
// the closing one) that leaves every other point on one side: 0 when they
// all lie on the positive side of the edge's line, 1 on the negative side,
// -1 when no edge decides (all points on one line, fewer than three points).
int OutlineOrientation(const Outline& points);

// Reverses the point order when the orientation is neither -1 nor wanted.
void OrientContour(Outline& points, int wanted);

// For a revolution: when an interior point (index 1 .. n-2) has x < 0, every
// point's x is negated.
void MirrorOntoPositiveX(Outline& points);

// The revolution of the profile about the z axis in rings rings (at least
// 1) over ang degrees, full (closed between the last ring and the first)
// when ang is exactly 360. An open profile's first and last points are the
// poles on the axis (their x is taken as 0); a closed profile rings all its
// points.
void WriteRevolutionMesh(std::ostream& os, const Outline& profile, bool open, int rings, double ang);

// The closed profile at y = 0 and moved by move along y, two caps and the
// side triangles.
void WriteExtrusionMesh(std::ostream& os, const Outline& profile, int move);

// One triangle of a mesh text: "{ 1", "\t{ 3 a b c}", an empty line, "}".
void WriteTriangle(std::ostream& os, long a, long b, long c);

}  // namespace zavo
