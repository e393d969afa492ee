#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/bspline_surface.h"

namespace {

void ExpectNear(const Point3D& a, const Point3D& b, double tol) {
  EXPECT_NEAR(a.x, b.x, tol);
  EXPECT_NEAR(a.y, b.y, tol);
  EXPECT_NEAR(a.z, b.z, tol);
}

// An n x m grid with a bump: control point (i, j) at (i, j, z).
BSplineSurface Bumpy(int n, int m) {
  BSplineSurface s;
  s.SetGridSize(n, m);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < m; ++j) s.ControlPoint(i, j) = {double(i), double(j), std::sin(i * 1.3) * std::cos(j * 0.7)};
  }
  return s;
}

TEST(BSplineSurface, ParameterRange) {
  BSplineSurface s;
  s.SetGridSize(4, 4);
  EXPECT_EQ(s.UMin(), 0);
  EXPECT_EQ(s.VMin(), 0);
  EXPECT_EQ(s.UMax(), 1);
  EXPECT_EQ(s.VMax(), 1);
  s.SetGridSize(7, 5);
  EXPECT_EQ(s.N(), 7);
  EXPECT_EQ(s.M(), 5);
  EXPECT_EQ(s.UMax(), 4);
  EXPECT_EQ(s.VMax(), 2);
}

TEST(BSplineSurface, PointOfAPlanarGridLiesOnThePlane) {
  // The plane 2x - y + 3z = 5, over a slanted irregular grid.
  BSplineSurface s;
  s.SetGridSize(5, 4);
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 4; ++j) {
      const double x = i + 0.3 * j * j, y = j - 0.5 * i;
      s.ControlPoint(i, j) = {x, y, (5 - 2 * x + y) / 3};
    }
  }
  for (double u : {0.0, 0.7, 1.5, 2.0}) {
    for (double v : {0.0, 0.25, 1.0}) {
      const Point3D p = s.PointAt(u, v);
      EXPECT_NEAR(2 * p.x - p.y + 3 * p.z, 5, 1e-12) << u << " " << v;
    }
  }
}

TEST(BSplineSurface, WindowsFollowTheIntegerParts) {
  const BSplineSurface s = Bumpy(7, 6);
  const double h = 1e-6;
  for (double u : {0.0, 0.4, 1.0, 2.75, 3.5}) {
    for (double v : {0.0, 1.2, 2.9}) {
      const int i = static_cast<int>(u), j = static_cast<int>(v);
      BSplineComp patch;
      s.GetPatch(i, j, patch);
      EXPECT_EQ(s.PointAt(u, v), PatchPoint(patch, u - i, v - j));
      EXPECT_EQ(s.DerivativeU(u, v), PatchDerivativeU(patch, u - i, v - j));
      EXPECT_EQ(s.DerivativeV(u, v), PatchDerivativeV(patch, u - i, v - j));
    }
  }
  // Windows meet without a seam.
  ExpectNear(s.PointAt(2 - h, 1.5), s.PointAt(2, 1.5), 1e-5);
  ExpectNear(s.PointAt(2.5, 1 - h), s.PointAt(2.5, 1), 1e-5);
}

// At UMax and VMax, and beyond, the last window is used: nothing is read past
// the grid (the sanitizer build checks the reads).
TEST(BSplineSurface, OutsideTheRangeStaysOnTheGrid) {
  const BSplineSurface s = Bumpy(6, 5);
  BSplineComp last;
  s.GetPatch(2, 1, last);
  ExpectNear(s.PointAt(s.UMax(), s.VMax()), PatchPoint(last, 1, 1), 1e-12);
  ExpectNear(s.PointAt(s.UMax() - 1e-9, s.VMax() - 1e-9), s.PointAt(s.UMax(), s.VMax()), 1e-6);
  BSplineComp first;
  s.GetPatch(0, 0, first);
  ExpectNear(s.PointAt(-0.5, -2.0), PatchPoint(first, -0.5, -2.0), 1e-12);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double u : {nan, inf, -inf, 1e300, -1e300}) {
    s.PointAt(u, 0.5);
    s.PointAt(0.5, u);
    s.DerivativeU(u, u);
    s.DerivativeV(u, u);
  }
}

TEST(BSplineSurface, NoWindowGivesTheOrigin) {
  BSplineSurface s;
  EXPECT_EQ(s.PointAt(0, 0), Point3D{});
  s.SetGridSize(3, 8);
  s.ControlPoint(1, 1) = {1, 2, 3};
  EXPECT_EQ(s.PointAt(0.5, 0.5), Point3D{});
  EXPECT_EQ(s.DerivativeU(0.5, 0.5), Point3D{});
}

TEST(TessellateSplineSurface, SamplesTheWholeParameterRange) {
  struct Case {
    int n, m;
  };
  for (const Case& k : {Case{4, 4}, Case{7, 5}}) {
    SCOPED_TRACE(k.n);
    const BSplineSurface s = Bumpy(k.n, k.m);
    const int per = SplineMeshSamplesPerWindow(s);
    ASSERT_EQ(per, zavo::kSplineMeshSamplesPerWindow);
    const int rows = (k.n - 3) * per + 1;
    const int cols = (k.m - 3) * per + 1;
    const auto mesh = TessellateSplineSurface(s);
    EXPECT_STREQ(mesh->name.Text(), "bpline");
    ASSERT_EQ(mesh->vertices.Count(), std::uint32_t(rows * cols));
    EXPECT_EQ(SplineMeshVertexCount(s), rows * cols);
    ASSERT_EQ(mesh->faces.Count(), std::uint32_t(2 * (rows - 1) * (cols - 1)));
    // Entry [r][c] of the table is vertex c * rows + r; the samples reach
    // UMax and VMax, the end of the last window.
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < cols; ++c) {
        const double u = r == rows - 1 ? s.UMax() : double(r) / per;
        const double v = c == cols - 1 ? s.VMax() : double(c) / per;
        ExpectNear(mesh->vertices[std::uint32_t(c * rows + r)], s.PointAt(u, v), 1e-12);
      }
    }
    const Point3D corner = mesh->vertices[std::uint32_t(rows * cols - 1)];
    BSplineComp last;
    s.GetPatch(k.n - 4, k.m - 4, last);
    ExpectNear(corner, PatchPoint(last, 1, 1), 1e-12);
    // The triangles are those of the grid mesh: the first is (V(0,0), -V(1,0), V(0,1)).
    const ContourFace3* first = mesh->faces[0].contours.First();
    ASSERT_EQ(first->vertices.Count(), 3u);
    EXPECT_EQ(first->vertices[0], 1);
    EXPECT_EQ(first->vertices[1], -2);
    EXPECT_EQ(first->vertices[2], rows + 1);
  }
}

TEST(TessellateSplineSurface, LargeGridsTakeFewerSamplesPerWindow) {
  BSplineSurface s;
  s.SetGridSize(1003, 503);  // 1000 x 500 windows
  EXPECT_EQ(SplineMeshSamplesPerWindow(s), 1);
  EXPECT_EQ(SplineMeshVertexCount(s), 1001 * 501);
  s.SetGridSize(303, 203);  // 300 x 200 windows: 4 per side stays below the budget
  EXPECT_EQ(SplineMeshSamplesPerWindow(s), 4);
  EXPECT_LE(SplineMeshVertexCount(s), zavo::kSplineMeshVertexBudget);
}

TEST(TessellateSplineSurface, NoWindowGivesAnEmptyMesh) {
  BSplineSurface s;
  s.SetGridSize(3, 5);
  const auto mesh = TessellateSplineSurface(s);
  EXPECT_STREQ(mesh->name.Text(), "bpline");
  EXPECT_EQ(mesh->vertices.Count(), 0u);
  EXPECT_EQ(mesh->faces.Count(), 0u);
}

TEST(BSplineSurfaceDeathTest, NegativeGridSize) {
  BSplineSurface s;
  EXPECT_EXIT(s.SetGridSize(-1, 4), ::testing::ExitedWithCode(1), "^Runtime Error: BSplineSurface::SetGridSize\n$");
}

TEST(ReadControlGrid, ReadsRowsOfPointsWithAnyWhiteSpace) {
  std::ostringstream text;
  text << "4\t5\n";
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 5; ++j) text << i << (j % 2 ? "\n" : "  ") << j << "\r\n" << (i * 10 + j) << ".5e0 ";
  }
  std::istringstream in(text.str());
  BSplineSurface s;
  ASSERT_EQ(ReadControlGrid(s, in), 1);
  EXPECT_EQ(s.N(), 4);
  EXPECT_EQ(s.M(), 5);
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 5; ++j) EXPECT_EQ(s.ControlPoint(i, j), (Point3D{double(i), double(j), i * 10 + j + 0.5}));
  }
}

// The counts, then the given number of points (0, 0, 0).
std::string Zeros(const std::string& counts, int points) {
  std::string text = counts;
  for (int k = 0; k < points; ++k) text += " 0 0 0";
  return text;
}

TEST(ReadControlGrid, BadTextGivesZeroAndKeepsTheSurface) {
  const std::string cases[] = {
      "",
      "4",
      "four 4",
      "-4 4",
      "3 4" + Zeros("", 12),
      "4 3" + Zeros("", 12),
      "4.5 4" + Zeros("", 18),
      "4 4 0 0 0",                       // short
      Zeros("4 4", 15) + " 0 0",         // one coordinate missing
      Zeros("4 4", 15) + " 0 0 x",       // not a number
      Zeros("4 4", 15) + " 0 0 1.0.0",   // not a number
      Zeros("4 4", 15) + " 0 0 nan",     // not a number
      Zeros("4 4", 15) + " 0 0 inf",     // not a number
      Zeros("4 4", 15) + " 0 0 1e999",   // overflows
      Zeros("4 4", 15) + " 0 0 2," ,     // trailing character
      "10001 4",
      "4 99999999999999999999",
      "5000 5000",                       // over the point limit
      "4 4 " + std::string(300, '1'),    // word too long
  };
  for (const std::string& text : cases) {
    BSplineSurface s;
    s.SetGridSize(4, 4);
    s.ControlPoint(3, 3) = {1, 2, 3};
    std::istringstream in(text);
    EXPECT_EQ(ReadControlGrid(s, in), 0) << text.substr(0, 60);
    EXPECT_EQ(s.N(), 4);
    EXPECT_EQ(s.M(), 4);
    EXPECT_EQ(s.ControlPoint(3, 3), (Point3D{1, 2, 3}));
  }
  // The limits themselves are fine as counts: only the missing points fail.
  BSplineSurface s;
  std::istringstream at_limit("10000 4 0 0 0");
  EXPECT_EQ(ReadControlGrid(s, at_limit), 0);
  std::istringstream ok(Zeros("4 4", 16) + " trailing words are not read");
  EXPECT_EQ(ReadControlGrid(s, ok), 1);
}

TEST(SplineBasis, CoxDeBoor) {
  Vector<double> knot(8);
  for (std::uint32_t k = 0; k < 8; ++k) knot[k] = k;
  // Order 1: the half-open span.
  EXPECT_EQ(SplineBasis(2, 1, 2.0, knot), 1);
  EXPECT_EQ(SplineBasis(2, 1, 2.999, knot), 1);
  EXPECT_EQ(SplineBasis(2, 1, 3.0, knot), 0);
  // Order 2: the hat over knots 1..3.
  EXPECT_DOUBLE_EQ(SplineBasis(1, 2, 1.5, knot), 0.5);
  EXPECT_DOUBLE_EQ(SplineBasis(1, 2, 2.0, knot), 1.0);
  EXPECT_DOUBLE_EQ(SplineBasis(1, 2, 2.75, knot), 0.25);
  // Order 4 on uniform knots: the functions over a span sum to 1 and match
  // the uniform cubic basis, (1 - s)^3 / 6 for the first one.
  for (double t : {3.0, 3.25, 3.9}) {
    double sum = 0;
    for (int i = 0; i <= 3; ++i) sum += SplineBasis(i, 4, t, knot);
    EXPECT_NEAR(sum, 1.0, 1e-12);
    const double s = t - 3;
    EXPECT_NEAR(SplineBasis(0, 4, t, knot), (1 - s) * (1 - s) * (1 - s) / 6, 1e-12);
  }
}

TEST(SplineBasis, Values) {
  struct Case {
    std::vector<double> knots;
    std::int32_t i, k;
    double t, value;
  };
  const std::vector<Case> cases = {
      {{0, 1, 2, 3}, 0, 1, 0.0, 1.0},
      {{0, 1, 2, 3}, 0, 1, 0.999, 1.0},
      {{0, 1, 2, 3}, 0, 1, 1.0, 0.0},  // the upper knot belongs to the next span
      {{0, 1, 2, 3}, 1, 1, 1.0, 1.0},
      {{0, 1, 2, 3}, 2, 1, 3.0, 0.0},  // the very last knot is in no span
      {{0, 0, 1, 1}, 0, 2, 0.5, 0.5},  // the empty left span counts 0
      {{0, 1, 2, 3}, 0, 3, 1.5, 0.75},
      {{0, 1, 2, 3}, 0, 3, 0.5, 0.125},
      {{0, 1, 2, 3}, 0, 3, 2.5, 0.125},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.t);
    Vector<double> knot(static_cast<std::uint32_t>(c.knots.size()));
    for (std::uint32_t k = 0; k < knot.Count(); ++k) knot[k] = c.knots[k];
    EXPECT_DOUBLE_EQ(SplineBasis(c.i, c.k, c.t, knot), c.value);
  }
}

TEST(SplineBasis, EqualKnotsDropTheirTerm) {
  Vector<double> knot(5);
  const double values[5] = {0, 0, 0, 1, 1};
  for (std::uint32_t k = 0; k < 5; ++k) knot[k] = values[k];
  // Order 3 over (0, 0, 0, 1): the left term divides by knot[2] - knot[0] = 0.
  for (double t : {0.0, 0.25, 0.5, 0.99}) {
    const double value = SplineBasis(0, 3, t, knot);
    EXPECT_TRUE(std::isfinite(value));
    EXPECT_NEAR(value, (1 - t) * (1 - t), 1e-12);
  }
  // Order 2 over (0, 0, 0): both denominators are 0.
  EXPECT_EQ(SplineBasis(0, 2, 0.0, knot), 0.0);
}

TEST(SplineBasisDeathTest, KnotsOutsideTheVector) {
  Vector<double> knot(4);
  EXPECT_EXIT(SplineBasis(1, 3, 0.5, knot), ::testing::ExitedWithCode(1), "^Runtime Error: SplineBasis\n$");
  EXPECT_EXIT(SplineBasis(0, 0, 0.5, knot), ::testing::ExitedWithCode(1), "^Runtime Error: SplineBasis\n$");
}

}  // namespace
