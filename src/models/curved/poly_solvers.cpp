#include "models/curved/poly_solvers.h"

#include <algorithm>
#include <cmath>
#include <numbers>

int SolveQuadratic(const double* c, double* roots) {
  const double a = c[0];
  const double b = -c[1];
  if (a == 0.0) {
    if (b == 0.0) return 0;
    roots[0] = c[2] / b;
    return 1;
  }
  const double d = b * b - 4.0 * a * c[2];
  if (d < 0.0) return 0;
  if (std::fabs(d) >= 1e-20) {
    const double s = std::sqrt(d);
    roots[0] = (b + s) / (2.0 * a);
    roots[1] = (b - s) / (2.0 * a);
    return 2;
  }
  roots[0] = b / (2.0 * a);
  return 1;
}

int SolveCubic(const double* c, double* roots) {
  if (c[0] == 0.0) return SolveQuadratic(c + 1, roots);
  double a1 = c[1];
  double a2 = c[2];
  double a3 = c[3];
  if (c[0] != 1.0) {
    a1 /= c[0];
    a2 /= c[0];
    a3 /= c[0];
  }
  const double q = (a1 * a1 - 3.0 * a2) / 9.0;
  const double r = (2.0 * a1 * a1 * a1 - 9.0 * a1 * a2 + 27.0 * a3) / 54.0;
  const double q3 = q * q * q;
  const double shift = a1 / 3.0;
  if (q3 - r * r < 0.0) {
    const double s = std::cbrt(std::sqrt(r * r - q3) + std::fabs(r));
    const double t = q / s + s;
    roots[0] = (r >= 0.0 ? -t : t) - shift;
    return 1;
  }
  if (q == 0.0) {
    // Then r is 0 too: a triple root. The quotient below would be 0 / 0.
    roots[0] = roots[1] = roots[2] = -shift;
    return 3;
  }
  // Rounding can push the quotient just past ±1, where arccos has no value.
  const double cosine = std::clamp(r / std::sqrt(q3), -1.0, 1.0);
  const double theta = std::acos(cosine) / 3.0;
  const double m = -2.0 * std::sqrt(q);
  roots[0] = m * std::cos(theta) - shift;
  roots[1] = m * std::cos(theta + 2.0 * std::numbers::pi / 3.0) - shift;
  roots[2] = m * std::cos(theta + 4.0 * std::numbers::pi / 3.0) - shift;
  return 3;
}

namespace {

// The roots of x² − p·x + q, the larger first; answers the count written.
int MonicQuadratic(double p, double q, double* roots) {
  const double d = p * p - 4.0 * q;
  if (d < 0.0) return 0;
  const double s = std::sqrt(d);
  roots[0] = (p + s) / 2.0;
  roots[1] = (p - s) / 2.0;
  return 2;
}

}  // namespace

int SolveQuartic(const double* c, double* roots) {
  if (std::fabs(c[0]) < 1e-20) return SolveCubic(c + 1, roots);
  if (std::fabs(c[4]) < 1e-20) return SolveCubic(c, roots);
  double a1 = c[1];
  double a2 = c[2];
  double a3 = c[3];
  double a4 = c[4];
  if (c[0] != 1.0) {
    a1 /= c[0];
    a2 /= c[0];
    a3 /= c[0];
    a4 /= c[0];
  }
  const double resolvent[4] = {1.0, -a2, a1 * a3 - 4.0 * a4, 4.0 * a2 * a4 - a1 * a1 * a4 - a3 * a3};
  double cubicRoots[3];
  if (SolveCubic(resolvent, cubicRoots) == 0) return 0;
  const double y = cubicRoots[0];
  double e = a1 * a1 / 4.0 - a2 + y;
  if (e < 0.0) {
    if (e <= -1e-5) return 0;
    e = 0.0;
  }
  double r = 0.0;
  double s = 0.0;
  if (e >= 1e-7) {
    r = std::sqrt(e);
    s = (a1 / 2.0 * y - a3) / (2.0 * r);
  } else {
    const double f = y * y / 4.0 - a4;
    if (f < 0.0) return 0;
    s = std::sqrt(f);
  }
  int n = MonicQuadratic(-a1 / 2.0 - r, y / 2.0 + s, roots);
  n += MonicQuadratic(-a1 / 2.0 + r, y / 2.0 - s, roots + n);
  return n;
}
