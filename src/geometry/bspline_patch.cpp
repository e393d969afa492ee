#include "geometry/bspline_patch.h"

#include "geometry/basis_product.h"

namespace {

Matrix4x4<double> Scaled(const double rows[4][4], double divisor) {
  Matrix4x4<double> M;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) M(i, j) = rows[i][j] / divisor;
  }
  return M;
}

double Coordinate(const double U[4], const Matrix<double>& M, const double V[4]) {
  if (M.Rows() != 4 || M.Cols() != 4) throw xMatrix();
  return zavo::BasisProduct(U, zavo::BSplineBasisMatrix(), M, zavo::BSplineBasisTransposed(), V);
}

// out = Ha M Hb^T, the sums in ascending index order.
void Quarter(const Matrix<double>& Ha, const Matrix<double>& M, const Matrix<double>& Hb,
             Matrix<double>& out) {
  double left[4][4];  // Ha M
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) sum += Ha(i, k) * M(k, j);
      left[i][j] = sum;
    }
  }
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) sum += left[i][k] * Hb(j, k);
      out(i, j) = sum;
    }
  }
}

void QuarterPatch(const BSplineComp& patch, const Matrix<double>& Ha, const Matrix<double>& Hb,
                  BSplineComp& out) {
  Quarter(Ha, patch.X, Hb, out.X);
  Quarter(Ha, patch.Y, Hb, out.Y);
  Quarter(Ha, patch.Z, Hb, out.Z);
  out.SetLog(patch.logFlag, patch.logStream);
}

}  // namespace

namespace zavo {

const Matrix4x4<double>& BSplineBasisMatrix() {
  static constexpr double kRows[4][4] = {{-1, 3, -3, 1}, {3, -6, 3, 0}, {-3, 0, 3, 0}, {1, 4, 1, 0}};
  static const Matrix4x4<double> basis = Scaled(kRows, 6.0);
  return basis;
}

const Matrix4x4<double>& BSplineBasisTransposed() {
  static const Matrix4x4<double> transposed(BSplineBasisMatrix().Transpose());
  return transposed;
}

const Matrix4x4<double>& FirstHalfMatrix() {
  static constexpr double kRows[4][4] = {{4, 4, 0, 0}, {1, 6, 1, 0}, {0, 4, 4, 0}, {0, 1, 6, 1}};
  static const Matrix4x4<double> half = Scaled(kRows, 8.0);
  return half;
}

const Matrix4x4<double>& SecondHalfMatrix() {
  static constexpr double kRows[4][4] = {{1, 6, 1, 0}, {0, 4, 4, 0}, {0, 1, 6, 1}, {0, 0, 4, 4}};
  static const Matrix4x4<double> half = Scaled(kRows, 8.0);
  return half;
}

double PatchCoordinate(const Matrix<double>& M, double u, double v) {
  double U[4], V[4];
  PowerRow(u, U);
  PowerRow(v, V);
  return Coordinate(U, M, V);
}

double PatchCoordinateDu(const Matrix<double>& M, double u, double v) {
  double U[4], V[4];
  PowerRowDerivative(u, U);
  PowerRow(v, V);
  return Coordinate(U, M, V);
}

double PatchCoordinateDv(const Matrix<double>& M, double u, double v) {
  double U[4], V[4];
  PowerRow(u, U);
  PowerRowDerivative(v, V);
  return Coordinate(U, M, V);
}

}  // namespace zavo

Point3D PatchPoint(const BSplineComp& patch, double u, double v) {
  return {zavo::PatchCoordinate(patch.X, u, v), zavo::PatchCoordinate(patch.Y, u, v),
          zavo::PatchCoordinate(patch.Z, u, v)};
}

Point3D PatchDerivativeU(const BSplineComp& patch, double u, double v) {
  return {zavo::PatchCoordinateDu(patch.X, u, v), zavo::PatchCoordinateDu(patch.Y, u, v),
          zavo::PatchCoordinateDu(patch.Z, u, v)};
}

Point3D PatchDerivativeV(const BSplineComp& patch, double u, double v) {
  return {zavo::PatchCoordinateDv(patch.X, u, v), zavo::PatchCoordinateDv(patch.Y, u, v),
          zavo::PatchCoordinateDv(patch.Z, u, v)};
}

GEO_Box PatchControlBox(const BSplineComp& patch) {
  // The smallest and largest coordinate on each axis, without branches: this
  // runs for every window and quarter a ray is tested against.
  GEO_Box box;
  box.SetPoint({patch.X(0, 0), patch.Y(0, 0), patch.Z(0, 0)});
  for (int i = 0; i < 4; ++i) {
    const double* x = patch.X[i];
    const double* y = patch.Y[i];
    const double* z = patch.Z[i];
    for (int j = 0; j < 4; ++j) {
      box.xmin = x[j] < box.xmin ? x[j] : box.xmin;
      box.xmax = x[j] > box.xmax ? x[j] : box.xmax;
      box.ymin = y[j] < box.ymin ? y[j] : box.ymin;
      box.ymax = y[j] > box.ymax ? y[j] : box.ymax;
      box.zmin = z[j] < box.zmin ? z[j] : box.zmin;
      box.zmax = z[j] > box.zmax ? z[j] : box.zmax;
    }
  }
  return box;
}

void SplitPatch(const BSplineComp& patch, BSplineComp& q00, BSplineComp& q01, BSplineComp& q10,
                BSplineComp& q11) {
  const Matrix4x4<double>& H1 = zavo::FirstHalfMatrix();
  const Matrix4x4<double>& H2 = zavo::SecondHalfMatrix();
  QuarterPatch(patch, H1, H1, q00);
  QuarterPatch(patch, H1, H2, q01);
  QuarterPatch(patch, H2, H1, q10);
  QuarterPatch(patch, H2, H2, q11);
}
