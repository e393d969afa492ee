#include "models/curved/poly_solvers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

double Eval(const std::vector<double>& c, double x) {
  double v = 0.0;
  for (double k : c) v = v * x + k;
  return v;
}

std::vector<double> Solve(const std::vector<double>& c) {
  double roots[4] = {0, 0, 0, 0};
  int n = 0;
  if (c.size() == 3) n = SolveQuadratic(c.data(), roots);
  if (c.size() == 4) n = SolveCubic(c.data(), roots);
  if (c.size() == 5) n = SolveQuartic(c.data(), roots);
  return std::vector<double>(roots, roots + n);
}

TEST(PolySolvers, RootsInTheirOrderAndEachARoot) {
  struct Case {
    const char* what;
    std::vector<double> c;
    std::vector<double> roots;  // expected, in the solver's order
  };
  const std::vector<Case> cases = {
      {"quadratic, two roots, the + root first", {1, -3, 2}, {2, 1}},
      {"quadratic, negative leading coefficient", {-1, 3, -2}, {1, 2}},
      {"quadratic, double root once", {1, -2, 1}, {1}},
      {"quadratic, no real root", {1, 0, 1}, {}},
      {"quadratic, first coefficient 0", {0, 2, -4}, {2}},
      {"quadratic, nothing left", {0, 0, 5}, {}},
      {"cubic, three roots", {1, -6, 11, -6}, {1, 3, 2}},
      {"cubic, one real root", {1, 0, 0, -8}, {2}},
      {"cubic, leading coefficient scales", {2, -12, 22, -12}, {1, 3, 2}},
      {"cubic, first coefficient 0", {0, 1, -3, 2}, {2, 1}},
      {"cubic, triple root", {1, -3, 3, -1}, {1, 1, 1}},
      {"quartic, four roots", {1, -10, 35, -50, 24}, {3, 2, 4, 1}},
      {"quartic, no real root", {1, 0, 2, 0, 1}, {}},
      {"quartic, two real roots", {1, 0, 0, 0, -16}, {2, -2}},
      {"quartic, first coefficient 0", {0, 1, -6, 11, -6}, {1, 3, 2}},
      {"quartic, c4 = 0: the root 0 not returned", {1, -6, 11, -6, 0}, {1, 3, 2}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    const std::vector<double> got = Solve(k.c);
    ASSERT_EQ(got.size(), k.roots.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_TRUE(std::isfinite(got[i]));
      EXPECT_NEAR(got[i], k.roots[i], 1e-6) << "root " << i;
      EXPECT_NEAR(Eval(k.c, got[i]), 0.0, 1e-6) << "root " << i;
    }
  }
}

// Near a double root the factor that a root lands in depends on rounding:
// only the roots themselves are fixed.
TEST(PolySolvers, QuarticDoubleRoots) {
  const std::vector<double> c = {1, 0, -2, 0, 1};  // (x − 1)²(x + 1)²
  std::vector<double> got = Solve(c);
  ASSERT_EQ(got.size(), 4u);
  std::sort(got.begin(), got.end());
  EXPECT_NEAR(got[0], -1, 1e-6);
  EXPECT_NEAR(got[1], -1, 1e-6);
  EXPECT_NEAR(got[2], 1, 1e-6);
  EXPECT_NEAR(got[3], 1, 1e-6);
}

// The trigonometric case used to divide 0 by 0 for a triple root and lose it
// as NaN; rounding just past ±1 did the same through arccos.
TEST(PolySolvers, ATripleRootIsNoNaN) {
  const double c[4] = {1, -3, 3, -1};
  double roots[3];
  ASSERT_EQ(SolveCubic(c, roots), 3);
  for (double r : roots) EXPECT_EQ(r, 1.0);
  // (x − 1/3)³ leaves Q and R at rounding noise.
  const double third = 1.0 / 3.0;
  const double d[4] = {1, -3 * third, 3 * third * third, -third * third * third};
  const int n = SolveCubic(d, roots);
  ASSERT_GE(n, 1);
  for (int i = 0; i < n; ++i) {
    EXPECT_TRUE(std::isfinite(roots[i]));
    EXPECT_NEAR(roots[i], third, 1e-4);
  }
  // A quartic whose resolvent has a triple root: x⁴ = 0 shifted, (x − 1)⁴.
  const double q[5] = {1, -4, 6, -4, 1};
  double qr[4];
  const int m = SolveQuartic(q, qr);
  ASSERT_GE(m, 1);
  for (int i = 0; i < m; ++i) {
    EXPECT_TRUE(std::isfinite(qr[i]));
    EXPECT_NEAR(qr[i], 1.0, 1e-3);
  }
}

}  // namespace
