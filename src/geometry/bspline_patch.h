#pragma once

// Uniform bicubic B-spline patches in matrix form: the point and the two
// partial derivatives of a patch, the box of its control points and its split
// into four quarter patches.

#include "foundation/matrix.h"
#include "geometry/box.h"
#include "geometry/log_support.h"
#include "geometry/point3d.h"

// One patch: X(i, j), Y(i, j) and Z(i, j) are the coordinates of control point
// (i, j); i runs along the first parameter u, j along the second, v. The
// parameters of a patch run over 0..1. The log settings are handed on to the
// quarters of a split; the log stream is not owned.
class BSplineComp : public LogSupport {
 public:
  Matrix4x4<double> X;
  Matrix4x4<double> Y;
  Matrix4x4<double> Z;
};

// One ray hit on a patch: the ray parameter and the patch parameters. The
// surface search (CountPatchHits) also gives the hit's place on the whole
// surface: the window index plus the offset of the hit inside the window.
struct BSplineIntrInfo {
  double t = 0.0;
  double u = 0.0;
  double v = 0.0;
  double surfaceU = 0.0;
  double surfaceV = 0.0;
};

namespace zavo {

// The shared matrices, built on first use and never changed: the uniform
// cubic B-spline basis B = 1/6 (-1, 3, -3, 1), (3, -6, 3, 0), (-3, 0, 3, 0),
// (1, 4, 1, 0) and its transpose, and the half matrices H1 = 1/8 (4, 4, 0, 0),
// (1, 6, 1, 0), (0, 4, 4, 0), (0, 1, 6, 1) and H2 = 1/8 (1, 6, 1, 0),
// (0, 4, 4, 0), (0, 1, 6, 1), (0, 0, 4, 4), which give the control values of
// the first and the second half of a segment.
const Matrix4x4<double>& BSplineBasisMatrix();
const Matrix4x4<double>& BSplineBasisTransposed();
const Matrix4x4<double>& FirstHalfMatrix();
const Matrix4x4<double>& SecondHalfMatrix();

// One coordinate of a patch from its matrix M: U B M Bt V with
// U = (u^3, u^2, u, 1) and V = (v^3, v^2, v, 1); the derivatives replace U,
// respectively V, by (3t^2, 2t, 1, 0). M must be 4 x 4.
double PatchCoordinate(const Matrix<double>& M, double u, double v);
double PatchCoordinateDu(const Matrix<double>& M, double u, double v);
double PatchCoordinateDv(const Matrix<double>& M, double u, double v);

}  // namespace zavo

Point3D PatchPoint(const BSplineComp& patch, double u, double v);
Point3D PatchDerivativeU(const BSplineComp& patch, double u, double v);
Point3D PatchDerivativeV(const BSplineComp& patch, double u, double v);

// The box of the 16 control points.
GEO_Box PatchControlBox(const BSplineComp& patch);

// The four quarters Ha M Hb^T (X, Y and Z alike): q00 the first half in u and
// in v, q01 the first half in u and the second in v, q10 the second in u and
// the first in v, q11 the second in both. Quarter (a, b) at (s, t) is the
// patch at ((a + s) / 2, (b + t) / 2). The quarters take the patch's log
// settings; they must be records other than the patch.
void SplitPatch(const BSplineComp& patch, BSplineComp& q00, BSplineComp& q01, BSplineComp& q10,
                BSplineComp& q11);
