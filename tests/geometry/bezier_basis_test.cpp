#include <gtest/gtest.h>

#include "foundation/matrix.h"
#include "geometry/bezier_basis.h"

namespace {

double Bernstein(int r, double t) {
  const double s = 1 - t;
  switch (r) {
    case 0: return s * s * s;
    case 1: return 3 * t * s * s;
    case 2: return 3 * t * t * s;
    default: return t * t * t;
  }
}

// G(i, j) = a distinct value per control point.
Matrix4x4<double> Distinct() {
  Matrix4x4<double> G;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) G(i, j) = 1.5 * i - 0.25 * j * j + 0.1 * i * j;
  }
  return G;
}

TEST(BezierBasis, Matrices) {
  const double rows[4][4] = {{-1, 3, -3, 1}, {3, -6, 3, 0}, {-3, 3, 0, 0}, {1, 0, 0, 0}};
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      EXPECT_EQ(BezierBasisMatrix()(i, j), rows[i][j]);
      EXPECT_EQ(BezierBasisTransposed()(i, j), rows[j][i]);
    }
  }
  BezierBasis record;
  record.G(2, 1) = 5;
  record.basis.Zero();
  record.Setup();
  EXPECT_TRUE(record.basis == BezierBasisMatrix());
  EXPECT_TRUE(record.basisTransposed == BezierBasisTransposed());
  EXPECT_EQ(record.G(2, 1), 5);  // left to the owner
}

TEST(BezierBasis, CornersAreControlPoints) {
  const Matrix4x4<double> G = Distinct();
  const struct {
    double u, v;
    int i, j;
  } cases[] = {{0, 0, 0, 0}, {1, 1, 3, 3}, {0, 1, 0, 3}, {1, 0, 3, 0}};
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(BezierBasis::Evaluate(G, c.u, c.v), G(c.i, c.j)) << c.u << " " << c.v;
  }
}

// u goes with the rows of G, v with the columns: the Bernstein sum.
TEST(BezierBasis, EvaluateIsTheBernsteinSum) {
  const Matrix4x4<double> G = Distinct();
  for (double u : {0.0, 0.2, 0.5, 0.9}) {
    for (double v : {0.0, 0.3, 0.7, 1.0}) {
      double expected = 0;
      for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) expected += Bernstein(r, u) * Bernstein(c, v) * G(r, c);
      }
      EXPECT_NEAR(BezierBasis::Evaluate(G, u, v), expected, 1e-12) << u << " " << v;
    }
  }
}

TEST(BezierBasis, LinearInU) {
  Matrix4x4<double> G;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) G(i, j) = i;
  }
  for (double u : {0.0, 0.25, 0.6, 1.0}) {
    for (double v : {0.0, 0.4, 1.0}) {
      EXPECT_NEAR(BezierBasis::Evaluate(G, u, v), 3 * u, 1e-12);
      EXPECT_NEAR(BezierBasis::EvaluateDu(G, u, v), 3, 1e-12);
      EXPECT_NEAR(BezierBasis::EvaluateDv(G, u, v), 0, 1e-12);
    }
  }
}

TEST(BezierBasis, PointOfAFlatPatch) {
  BezierBasis records[3];
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      records[0].G(i, j) = i;
      records[1].G(i, j) = j;
      records[2].G(i, j) = 2.0;
    }
  }
  for (double u : {0.0, 0.3, 1.0}) {
    for (double v : {0.0, 0.8, 1.0}) {
      const Point3D p = BezierBasis::EvaluatePoint(records, u, v);
      EXPECT_NEAR(p.x, 3 * u, 1e-12);
      EXPECT_NEAR(p.y, 3 * v, 1e-12);
      EXPECT_NEAR(p.z, 2.0, 1e-12);
    }
  }
}

TEST(BezierBasis, TangentsAgreeWithFiniteDifferences) {
  BezierBasis records[3];
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      records[0].G(i, j) = i + 0.2 * j * j;
      records[1].G(i, j) = j - 0.3 * i * j;
      records[2].G(i, j) = (i - 1.5) * (j - 1.5) + (i == 2 ? 1 : 0);
    }
  }
  const double h = 1e-6;
  for (double u : {0.1, 0.5, 0.85}) {
    for (double v : {0.2, 0.6, 0.9}) {
      const Point3D du = (BezierBasis::EvaluatePoint(records, u + h, v) -
                          BezierBasis::EvaluatePoint(records, u - h, v)) * (1 / (2 * h));
      const Point3D dv = (BezierBasis::EvaluatePoint(records, u, v + h) -
                          BezierBasis::EvaluatePoint(records, u, v - h)) * (1 / (2 * h));
      const Point3D tu = BezierBasis::EvaluateTangentU(records, u, v);
      const Point3D tv = BezierBasis::EvaluateTangentV(records, u, v);
      EXPECT_NEAR(tu.x, du.x, 1e-6);
      EXPECT_NEAR(tu.y, du.y, 1e-6);
      EXPECT_NEAR(tu.z, du.z, 1e-6);
      EXPECT_NEAR(tv.x, dv.x, 1e-6);
      EXPECT_NEAR(tv.y, dv.y, 1e-6);
      EXPECT_NEAR(tv.z, dv.z, 1e-6);
    }
  }
}

TEST(BezierBasis, GeometryOfAnotherShapeThrows) {
  const Matrix<double> G(3, 4);
  EXPECT_THROW(BezierBasis::Evaluate(G, 0.5, 0.5), xMatrix);
  EXPECT_THROW(BezierBasis::EvaluateDu(G, 0.5, 0.5), xMatrix);
  EXPECT_THROW(BezierBasis::EvaluateDv(Matrix<double>(4, 5), 0.5, 0.5), xMatrix);
}

}  // namespace
