#include "geometry/bezier_basis.h"

#include "geometry/basis_product.h"

namespace {

Matrix4x4<double> MakeBasis() {
  static constexpr double kRows[4][4] = {{-1, 3, -3, 1}, {3, -6, 3, 0}, {-3, 3, 0, 0}, {1, 0, 0, 0}};
  Matrix4x4<double> B;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) B(i, j) = kRows[i][j];
  }
  return B;
}

void RequireFourByFour(const Matrix<double>& G) {
  if (G.Rows() != 4 || G.Cols() != 4) throw xMatrix();
}

double Product(const double U[4], const Matrix<double>& G, const double V[4]) {
  RequireFourByFour(G);
  return zavo::BasisProduct(U, BezierBasisMatrix(), G, BezierBasisTransposed(), V);
}

}  // namespace

const Matrix4x4<double>& BezierBasisMatrix() {
  static const Matrix4x4<double> basis = MakeBasis();
  return basis;
}

const Matrix4x4<double>& BezierBasisTransposed() {
  static const Matrix4x4<double> transposed(BezierBasisMatrix().Transpose());
  return transposed;
}

void BezierBasis::Setup() {
  basis = BezierBasisMatrix();
  basisTransposed = BezierBasisTransposed();
}

double BezierBasis::Evaluate(const Matrix<double>& G, double u, double v) {
  double U[4], V[4];
  zavo::PowerRow(u, U);
  zavo::PowerRow(v, V);
  return Product(U, G, V);
}

double BezierBasis::EvaluateDu(const Matrix<double>& G, double u, double v) {
  double U[4], V[4];
  zavo::PowerRowDerivative(u, U);
  zavo::PowerRow(v, V);
  return Product(U, G, V);
}

double BezierBasis::EvaluateDv(const Matrix<double>& G, double u, double v) {
  double U[4], V[4];
  zavo::PowerRow(u, U);
  zavo::PowerRowDerivative(v, V);
  return Product(U, G, V);
}

Point3D BezierBasis::EvaluatePoint(const BezierBasis records[3], double u, double v) {
  return {Evaluate(records[0].G, u, v), Evaluate(records[1].G, u, v), Evaluate(records[2].G, u, v)};
}

Point3D BezierBasis::EvaluateTangentU(const BezierBasis records[3], double u, double v) {
  return {EvaluateDu(records[0].G, u, v), EvaluateDu(records[1].G, u, v), EvaluateDu(records[2].G, u, v)};
}

Point3D BezierBasis::EvaluateTangentV(const BezierBasis records[3], double u, double v) {
  return {EvaluateDv(records[0].G, u, v), EvaluateDv(records[1].G, u, v), EvaluateDv(records[2].G, u, v)};
}
