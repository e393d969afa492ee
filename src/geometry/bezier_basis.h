#pragma once

// The cubic Bezier basis and the matrix-form evaluation of a bicubic Bezier
// patch. A patch keeps one BezierBasis record per coordinate, x, y and z in
// this order; control point (i, j) of the patch has its coordinate in G(i, j),
// and u runs along i, v along j: at (0, 0) the patch is at control point
// (0, 0), at (1, 1) at control point (3, 3).

#include "foundation/matrix.h"
#include "geometry/point3d.h"

// The basis, rows (-1, 3, -3, 1), (3, -6, 3, 0), (-3, 3, 0, 0), (1, 0, 0, 0),
// and its transpose: built on first use and never changed.
const Matrix4x4<double>& BezierBasisMatrix();
const Matrix4x4<double>& BezierBasisTransposed();

class BezierBasis {
 public:
  // G is all zero; basis and basisTransposed hold the basis (Setup).
  BezierBasis() { Setup(); }

  // Fills basis and basisTransposed with the basis and its transpose; G is
  // left as it is, for the owner to fill.
  void Setup();

  // U B G Bt V with U = (u^3, u^2, u, 1) as a row, V = (v^3, v^2, v, 1) as a
  // column and B the basis. xMatrix unless G is 4 x 4.
  static double Evaluate(const Matrix<double>& G, double u, double v);
  // The same with U = (3u^2, 2u, 1, 0): the derivative along u.
  static double EvaluateDu(const Matrix<double>& G, double u, double v);
  // The same with V = (3v^2, 2v, 1, 0): the derivative along v.
  static double EvaluateDv(const Matrix<double>& G, double u, double v);

  // The point, and the two tangents, of the patch whose records x, y and z
  // are records[0], records[1] and records[2].
  static Point3D EvaluatePoint(const BezierBasis records[3], double u, double v);
  static Point3D EvaluateTangentU(const BezierBasis records[3], double u, double v);
  static Point3D EvaluateTangentV(const BezierBasis records[3], double u, double v);

  Matrix4x4<double> G;
  Matrix4x4<double> basis;
  Matrix4x4<double> basisTransposed;
};
