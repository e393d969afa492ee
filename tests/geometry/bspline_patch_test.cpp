#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "geometry/bspline_patch.h"

namespace {

void ExpectNear(const Point3D& a, const Point3D& b, double tol) {
  EXPECT_NEAR(a.x, b.x, tol);
  EXPECT_NEAR(a.y, b.y, tol);
  EXPECT_NEAR(a.z, b.z, tol);
}

// Control point (i, j) = f(i, j).
BSplineComp MakePatch(const std::function<Point3D(int, int)>& f) {
  BSplineComp patch;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      const Point3D p = f(i, j);
      patch.X(i, j) = p.x;
      patch.Y(i, j) = p.y;
      patch.Z(i, j) = p.z;
    }
  }
  return patch;
}

BSplineComp Curved() {
  return MakePatch([](int i, int j) {
    return Point3D{i + 0.1 * j, j - 0.2 * i * i, 0.5 * (i - 1.5) * (j - 2.0) + (i == 1 && j == 2 ? 1.0 : 0.0)};
  });
}

TEST(BSplinePatch, SharedMatrices) {
  const struct {
    const Matrix4x4<double>& m;
    double rows[4][4];
    double scale;
  } cases[] = {
      {zavo::BSplineBasisMatrix(), {{-1, 3, -3, 1}, {3, -6, 3, 0}, {-3, 0, 3, 0}, {1, 4, 1, 0}}, 6},
      {zavo::BSplineBasisTransposed(), {{-1, 3, -3, 1}, {3, -6, 0, 4}, {-3, 3, 3, 1}, {1, 0, 0, 0}}, 6},
      {zavo::FirstHalfMatrix(), {{4, 4, 0, 0}, {1, 6, 1, 0}, {0, 4, 4, 0}, {0, 1, 6, 1}}, 8},
      {zavo::SecondHalfMatrix(), {{1, 6, 1, 0}, {0, 4, 4, 0}, {0, 1, 6, 1}, {0, 0, 4, 4}}, 8},
  };
  for (const auto& c : cases) {
    for (int i = 0; i < 4; ++i) {
      for (int j = 0; j < 4; ++j) EXPECT_DOUBLE_EQ(c.m(i, j), c.rows[i][j] / c.scale) << i << " " << j;
    }
  }
}

TEST(BSplinePatch, OnePointEverywhere) {
  const Point3D q{1.25, -3, 7};
  const BSplineComp patch = MakePatch([&](int, int) { return q; });
  for (double u : {0.0, 0.3, 1.0}) {
    for (double v : {0.0, 0.55, 1.0}) {
      ExpectNear(PatchPoint(patch, u, v), q, 1e-12);
      ExpectNear(PatchDerivativeU(patch, u, v), {}, 1e-12);
      ExpectNear(PatchDerivativeV(patch, u, v), {}, 1e-12);
    }
  }
}

// A uniform B-spline reproduces straight lines: control values i along u give
// u + 1, the patch starting at the second control point.
TEST(BSplinePatch, ReproducesLinearGrids) {
  const BSplineComp patch = MakePatch([](int i, int j) { return Point3D{double(i), 2.0 * j, i - j + 4.0}; });
  for (double u : {0.0, 0.4, 1.0}) {
    for (double v : {0.0, 0.5, 0.9}) {
      ExpectNear(PatchPoint(patch, u, v), {u + 1, 2 * (v + 1), u - v + 4}, 1e-12);
      ExpectNear(PatchDerivativeU(patch, u, v), {1, 0, 1}, 1e-12);
      ExpectNear(PatchDerivativeV(patch, u, v), {0, 2, -1}, 1e-12);
    }
  }
}

TEST(BSplinePatch, DerivativesAgreeWithFiniteDifferences) {
  const BSplineComp patch = Curved();
  const double h = 1e-6;
  for (double u : {0.05, 0.5, 0.95}) {
    for (double v : {0.1, 0.45, 0.8}) {
      ExpectNear(PatchDerivativeU(patch, u, v),
                 (PatchPoint(patch, u + h, v) - PatchPoint(patch, u - h, v)) * (1 / (2 * h)), 1e-6);
      ExpectNear(PatchDerivativeV(patch, u, v),
                 (PatchPoint(patch, u, v + h) - PatchPoint(patch, u, v - h)) * (1 / (2 * h)), 1e-6);
    }
  }
}

TEST(BSplinePatch, QuartersCoverTheirPartOfThePatch) {
  BSplineComp patch = Curved();
  std::ostringstream log;
  patch.SetLog(1, &log);
  BSplineComp q[2][2];
  SplitPatch(patch, q[0][0], q[0][1], q[1][0], q[1][1]);
  for (int a = 0; a < 2; ++a) {
    for (int b = 0; b < 2; ++b) {
      EXPECT_EQ(q[a][b].logFlag, 1);
      EXPECT_EQ(q[a][b].logStream, &log);
      for (double s : {0.0, 0.3, 1.0}) {
        for (double t : {0.0, 0.7, 1.0}) {
          ExpectNear(PatchPoint(q[a][b], s, t), PatchPoint(patch, (a + s) / 2, (b + t) / 2), 1e-12);
        }
      }
    }
  }
}

TEST(BSplinePatch, ControlBox) {
  BSplineComp patch = MakePatch([](int i, int j) { return Point3D{double(i), double(j), 0.0}; });
  patch.Z(2, 1) = -4;
  patch.X(3, 0) = 9;
  EXPECT_EQ(PatchControlBox(patch), (GEO_Box{0, 9, 0, 3, -4, 0}));
}

TEST(BSplinePatch, CoordinateOfAnotherShapeThrows) {
  EXPECT_THROW(zavo::PatchCoordinate(Matrix<double>(4, 3), 0, 0), xMatrix);
}

}  // namespace
