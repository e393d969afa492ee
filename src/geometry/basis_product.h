#pragma once

// The value U B G Bt V of a bicubic patch coordinate in matrix form: U a row
// of four, B, G and Bt 4 x 4, V a column of four. The products run left to
// right, T1 = U B, T2 = T1 G, T3 = T2 Bt, then T3 V, each sum starting from 0
// and taking its terms in ascending index order, as the general matrix product
// does; only the temporary matrices are left out.

#include "foundation/matrix.h"

namespace zavo {

// The power rows (t^3, t^2, t, 1) and their derivative (3t^2, 2t, 1, 0).
inline void PowerRow(double t, double out[4]) {
  out[0] = t * t * t;
  out[1] = t * t;
  out[2] = t;
  out[3] = 1.0;
}
inline void PowerRowDerivative(double t, double out[4]) {
  out[0] = 3.0 * t * t;
  out[1] = 2.0 * t;
  out[2] = 1.0;
  out[3] = 0.0;
}

// Row times 4 x 4 matrix.
inline void RowTimes(const double row[4], const Matrix<double>& M, double out[4]) {
  for (int j = 0; j < 4; ++j) {
    double sum = 0.0;
    for (int k = 0; k < 4; ++k) sum += row[k] * M(k, j);
    out[j] = sum;
  }
}

// U B G Bt V; B, G and Bt must be 4 x 4.
inline double BasisProduct(const double U[4], const Matrix<double>& B, const Matrix<double>& G,
                           const Matrix<double>& Bt, const double V[4]) {
  double t1[4], t2[4], t3[4];
  RowTimes(U, B, t1);
  RowTimes(t1, G, t2);
  RowTimes(t2, Bt, t3);
  double sum = 0.0;
  for (int k = 0; k < 4; ++k) sum += t3[k] * V[k];
  return sum;
}

}  // namespace zavo
