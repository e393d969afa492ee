#include "geometry/newton.h"

#include <cmath>

#include "foundation/runtime_error_box.h"
#include "geometry/offset_arrays.h"

namespace {

constexpr float kTiny = 1.0e-20f;

// The work arrays of newtonsys, released on every path.
struct NewtonWork {
  explicit NewtonWork(int n)
      : n(n), indx(ivector(1, n)), p(vector(1, n)), f(vector(1, n)), jacobian(matrix(1, n, 1, n)) {}
  ~NewtonWork() {
    zavo::free_matrix(jacobian, 1, n, 1, n);
    zavo::free_vector(f, 1, n);
    zavo::free_vector(p, 1, n);
    zavo::free_ivector(indx, 1, n);
  }
  NewtonWork(const NewtonWork&) = delete;
  NewtonWork& operator=(const NewtonWork&) = delete;

  int n;
  std::int32_t* indx;
  float* p;
  float* f;
  float** jacobian;
};

// The reciprocal of each row's largest magnitude.
struct ScaleWork {
  explicit ScaleWork(int n) : n(n), scale(vector(1, n)) {}
  ~ScaleWork() { zavo::free_vector(scale, 1, n); }
  ScaleWork(const ScaleWork&) = delete;
  ScaleWork& operator=(const ScaleWork&) = delete;

  int n;
  float* scale;
};

}  // namespace

int ludcmp(float** a, int n, std::int32_t* indx, float* d, zavo::ZeroRow on_zero_row) {
  ScaleWork work(n);
  float* vv = work.scale;
  *d = 1.0f;
  for (int i = 1; i <= n; ++i) {
    float big = 0.0f;
    for (int j = 1; j <= n; ++j) {
      const float temp = std::fabs(a[i][j]);
      if (temp > big) big = temp;
    }
    if (big == 0.0f) {
      if (on_zero_row == zavo::ZeroRow::kFail) return 0;
      RuntimeErrorBox("Singular matrix in routine ludcmp");
    }
    vv[i] = 1.0f / big;
  }
  for (int j = 1; j <= n; ++j) {
    for (int i = 1; i < j; ++i) {
      float sum = a[i][j];
      for (int k = 1; k < i; ++k) sum -= a[i][k] * a[k][j];
      a[i][j] = sum;
    }
    float big = 0.0f;
    int imax = j;  // stays j when no candidate compares (NaN elements)
    for (int i = j; i <= n; ++i) {
      float sum = a[i][j];
      for (int k = 1; k < j; ++k) sum -= a[i][k] * a[k][j];
      a[i][j] = sum;
      const float dum = vv[i] * std::fabs(sum);
      if (dum >= big) {
        big = dum;
        imax = i;
      }
    }
    if (j != imax) {
      for (int k = 1; k <= n; ++k) {
        const float dum = a[imax][k];
        a[imax][k] = a[j][k];
        a[j][k] = dum;
      }
      *d = -(*d);
      vv[imax] = vv[j];
    }
    indx[j] = imax;
    if (a[j][j] == 0.0f) a[j][j] = kTiny;
    if (j != n) {
      const float pivot = a[j][j];
      for (int i = j + 1; i <= n; ++i) a[i][j] /= pivot;
    }
  }
  return 1;
}

void lusolve(float** a, int n, const std::int32_t* indx, float* b) {
  int ii = 0;  // the first row with a non-zero element of b, once met
  for (int i = 1; i <= n; ++i) {
    const int ip = indx[i];
    float sum = b[ip];
    b[ip] = b[i];
    if (ii != 0) {
      for (int j = ii; j < i; ++j) sum -= a[i][j] * b[j];
    } else if (sum != 0.0f) {
      ii = i;
    }
    b[i] = sum;
  }
  for (int i = n; i >= 1; --i) {
    float sum = b[i];
    for (int j = i + 1; j <= n; ++j) sum -= a[i][j] * b[j];
    b[i] = sum / a[i][i];
  }
}

int newtonsys(int ntrial, float* x, int n, float tolx, float tolf, const zavo::NewtonEquations& equations,
              zavo::ZeroRow on_zero_row) {
  NewtonWork work(n);
  for (int k = 0; k < ntrial; ++k) {
    equations(x, n, work.f, work.jacobian);
    float errf = 0.0f;
    for (int i = 1; i <= n; ++i) errf += std::fabs(work.f[i]);
    if (errf <= tolf) return 1;
    for (int i = 1; i <= n; ++i) work.p[i] = -work.f[i];
    float d = 0.0f;
    if (!ludcmp(work.jacobian, n, work.indx, &d, on_zero_row)) return 0;
    lusolve(work.jacobian, n, work.indx, work.p);
    float errx = 0.0f;
    for (int i = 1; i <= n; ++i) {
      errx += std::fabs(work.p[i]);
      x[i] += work.p[i];
    }
    if (errx <= tolx) return 1;
  }
  return 1;
}
