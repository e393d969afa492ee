#pragma once

// Single-precision solvers on 1-based offset arrays (offset_arrays.h): LU
// decomposition with implicit partial pivoting, forward and back substitution,
// and Newton-Raphson iteration for n non-linear equations in n unknowns. They
// are apart from the double-precision matrix templates and throw nothing.

#include <cstdint>
#include <functional>

namespace zavo {

// What ludcmp does with a matrix that has a row of zeros.
enum class ZeroRow {
  kReport,  // the internal-error box "Singular matrix in routine ludcmp"
  kFail,    // answer 0 and leave the matrix partly scaled
};

// The equations of newtonsys: at x[1..n], the values f[1..n] and the
// Jacobian jacobian[i][j] = d f_i / d x_j (i, j from 1 to n).
using NewtonEquations = std::function<void(const float* x, int n, float* f, float** jacobian)>;

}  // namespace zavo

// Replaces a[1..n][1..n] by the LU decomposition of a row permutation of
// itself (Crout's method, implicit pivoting: a later row wins a tie). indx[j]
// is the row swapped with row j at step j; d is +1 or -1 by the parity of the
// swaps. A zero pivot becomes 1e-20. Answers 1; a row of zeros is reported as
// on_zero_row says (0 with kFail).
int ludcmp(float** a, int n, std::int32_t* indx, float* d,
           zavo::ZeroRow on_zero_row = zavo::ZeroRow::kReport);

// Replaces b[1..n] by the solution x of A x = b, where a and indx are the
// decomposition of A made by ludcmp. Leading zeros of b are skipped in the
// forward substitution.
void lusolve(float** a, int n, const std::int32_t* indx, float* b);

// Newton-Raphson iteration from x[1..n], at most ntrial steps: evaluate the
// equations; stop when the sum of |f_i| is at most tolf; else solve
// J p = -f, move x by p and stop when the sum of |p_i| is at most tolx. When
// the steps run out x holds the last iterate. Answers 1; a Jacobian with a
// row of zeros is reported as on_zero_row says (0 with kFail, x as it was
// before that step).
int newtonsys(int ntrial, float* x, int n, float tolx, float tolf, const zavo::NewtonEquations& equations,
              zavo::ZeroRow on_zero_row = zavo::ZeroRow::kReport);
