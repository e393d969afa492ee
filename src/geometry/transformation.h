#pragma once

#include <iosfwd>

#include "foundation/matrix.h"
#include "geometry/point3d.h"

// A 4x4 transformation acting on column vectors: a point p maps to
// M (px, py, pz, 1); the translation lies in the last column. Angles are in
// radians. Each builder overwrites the whole matrix it is given.
using Transformation = Matrix4x4<double>;

void IdentityTransformation(Transformation& m);
// Identity with (tx, ty, tz) in the last column.
void TranslationTransformation(Transformation& m, double tx, double ty, double tz);
// Zero except (sx, sy, sz, 1) on the diagonal.
void ScaleTransformation(Transformation& m, double sx, double sy, double sz);
// Rotations about the x, y and z axes.
void RotationXTransformation(Transformation& m, double a);
void RotationYTransformation(Transformation& m, double a);
void RotationZTransformation(Transformation& m, double a);
// x' = x + a z, y' = y + b z.
void ShearZTransformation(Transformation& m, double a, double b);

// result = a b: applied to a point, b acts first. result may be a or b.
void ComposeTransformations(Transformation& result, const Transformation& a, const Transformation& b);

// The affine image of a point: rows 0 to 2 applied to (x, y, z, 1); the last
// row is not used and nothing is divided.
Point3D TransformPoint(const Transformation& m, const Point3D& p);
// The image of a direction: T(v) - T(0) with T the homogeneous map (divided by
// w). For affine matrices the linear part applied to v; translations drop out.
Point3D TransformVector(const Transformation& m, const Point3D& v);

// Writes the matrix in the text form of WriteMatrix.
void WriteTransformation(const Transformation& m, std::ostream& os);
