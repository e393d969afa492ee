#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "geometry/newton.h"
#include "geometry/offset_arrays.h"

namespace {

// An n x n matrix on 1-based bounds, filled row by row, freed with the test.
class Square {
 public:
  Square(int n, std::initializer_list<float> values) : n_(n), a_(matrix(1, n, 1, n)) {
    auto it = values.begin();
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= n; ++j) a_[i][j] = *it++;
    }
  }
  ~Square() { zavo::free_matrix(a_, 1, n_, 1, n_); }
  Square(const Square&) = delete;
  Square& operator=(const Square&) = delete;
  float** get() { return a_; }

 private:
  int n_;
  float** a_;
};

struct Ints {
  explicit Ints(int n) : n(n), v(ivector(1, n)) {}
  ~Ints() { zavo::free_ivector(v, 1, n); }
  Ints(const Ints&) = delete;
  Ints& operator=(const Ints&) = delete;
  int n;
  std::int32_t* v;
};

TEST(Ludcmp, SwapsRowsForThePivot) {
  Square a(2, {0, 1, 1, 0});
  Ints indx(2);
  float d = 0;
  EXPECT_EQ(ludcmp(a.get(), 2, indx.v, &d), 1);
  EXPECT_EQ(indx.v[1], 2);
  EXPECT_EQ(indx.v[2], 2);
  EXPECT_EQ(d, -1.0f);
  // The rows are exchanged: L = identity, U = [[1, 0], [0, 1]].
  EXPECT_EQ(a.get()[1][1], 1.0f);
  EXPECT_EQ(a.get()[1][2], 0.0f);
  EXPECT_EQ(a.get()[2][1], 0.0f);
  EXPECT_EQ(a.get()[2][2], 1.0f);
}

TEST(Ludcmp, ZeroPivotBecomesTinyAndGoesOn) {
  // Both rows equal: after the first step the second pivot is exactly 0.
  Square a(2, {1, 1, 1, 1});
  Ints indx(2);
  float d = 0;
  EXPECT_EQ(ludcmp(a.get(), 2, indx.v, &d), 1);
  EXPECT_EQ(a.get()[2][2], 1e-20f);
  // The tie on the first column went to the later row.
  EXPECT_EQ(indx.v[1], 2);
  EXPECT_EQ(d, -1.0f);
}

TEST(Ludcmp, ZeroRowFailsWhenAskedTo) {
  Square a(3, {1, 2, 3, 0, 0, 0, 4, 5, 6});
  Ints indx(3);
  float d = 0;
  EXPECT_EQ(ludcmp(a.get(), 3, indx.v, &d, zavo::ZeroRow::kFail), 0);
}

TEST(LudcmpDeathTest, ZeroRowOnItsOwnEndsTheProgram) {
  Square a(2, {1, 2, 0, 0});
  Ints indx(2);
  float d = 0;
  EXPECT_EXIT(ludcmp(a.get(), 2, indx.v, &d), ::testing::ExitedWithCode(1),
              "^Runtime Error: Singular matrix in routine ludcmp\n$");
}

TEST(Lusolve, SolvesThroughThePermutation) {
  // x = (1, -2, 3); the first pivot needs a swap.
  const float A[3][3] = {{0, 2, 2}, {1, 1, 1}, {3, 0, -1}};
  const float x[3] = {1, -2, 3};
  Square a(3, {A[0][0], A[0][1], A[0][2], A[1][0], A[1][1], A[1][2], A[2][0], A[2][1], A[2][2]});
  float* b = vector(1, 3);
  for (int i = 0; i < 3; ++i) b[i + 1] = A[i][0] * x[0] + A[i][1] * x[1] + A[i][2] * x[2];
  Ints indx(3);
  float d = 0;
  ASSERT_EQ(ludcmp(a.get(), 3, indx.v, &d), 1);
  lusolve(a.get(), 3, indx.v, b);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(b[i + 1], x[i], 1e-5) << i;

  // A right-hand side with leading zeros.
  Square e(3, {2, 0, 0, 1, 4, 0, 0, 1, 5});
  b[1] = 0;
  b[2] = 0;
  b[3] = 10;
  ASSERT_EQ(ludcmp(e.get(), 3, indx.v, &d), 1);
  lusolve(e.get(), 3, indx.v, b);
  EXPECT_NEAR(b[1], 0, 1e-6);
  EXPECT_NEAR(b[2], 0, 1e-6);
  EXPECT_NEAR(b[3], 2, 1e-6);
  zavo::free_vector(b, 1, 3);
}

TEST(Newtonsys, SatisfiedAtTheStartEvaluatesOnce) {
  float* x = vector(1, 2);
  x[1] = 2;
  x[2] = -1;
  int evaluations = 0;
  const zavo::NewtonEquations eq = [&](const float* at, int, float* f, float** J) {
    ++evaluations;
    f[1] = at[1] - 2;
    f[2] = at[2] + 1;
    J[1][1] = 1;
    J[1][2] = 0;
    J[2][1] = 0;
    J[2][2] = 1;
  };
  EXPECT_EQ(newtonsys(50, x, 2, 1e-6f, 1e-6f, eq), 1);
  EXPECT_EQ(evaluations, 1);
  EXPECT_EQ(x[1], 2.0f);
  EXPECT_EQ(x[2], -1.0f);
  zavo::free_vector(x, 1, 2);
}

// x^2 + y^2 = 4 and x = y, from (1, 0.5): converges to (sqrt 2, sqrt 2).
zavo::NewtonEquations Circle(int& evaluations) {
  return [&evaluations](const float* at, int, float* f, float** J) {
    ++evaluations;
    f[1] = at[1] * at[1] + at[2] * at[2] - 4;
    f[2] = at[1] - at[2];
    J[1][1] = 2 * at[1];
    J[1][2] = 2 * at[2];
    J[2][1] = 1;
    J[2][2] = -1;
  };
}

TEST(Newtonsys, ConvergesAndStopsOnTheTolerances) {
  float* x = vector(1, 2);
  x[1] = 1;
  x[2] = 0.5f;
  int evaluations = 0;
  EXPECT_EQ(newtonsys(50, x, 2, 1e-6f, 1e-6f, Circle(evaluations)), 1);
  EXPECT_NEAR(x[1], std::sqrt(2.0), 1e-5);
  EXPECT_NEAR(x[2], std::sqrt(2.0), 1e-5);
  EXPECT_LT(evaluations, 10);

  // One step only: the trial limit ends it with the first iterate.
  x[1] = 1;
  x[2] = 0.5f;
  evaluations = 0;
  EXPECT_EQ(newtonsys(1, x, 2, 1e-6f, 1e-6f, Circle(evaluations)), 1);
  EXPECT_EQ(evaluations, 1);
  EXPECT_NE(x[1], 1.0f);
  EXPECT_GT(std::fabs(x[1] * x[1] + x[2] * x[2] - 4), 1e-3);
  zavo::free_vector(x, 1, 2);
}

// A Jacobian with a row of zeros.
const zavo::NewtonEquations kFlat = [](const float* at, int, float* f, float** J) {
  f[1] = at[1] - 1;
  f[2] = 1;
  J[1][1] = 1;
  J[1][2] = 0;
  J[2][1] = 0;
  J[2][2] = 0;
};

TEST(Newtonsys, ZeroRowFailsWhenAskedTo) {
  float* x = vector(1, 2);
  EXPECT_EQ(newtonsys(10, x, 2, 1e-6f, 1e-6f, kFlat, zavo::ZeroRow::kFail), 0);
  EXPECT_EQ(x[1], 0.0f);
  zavo::free_vector(x, 1, 2);
}

TEST(NewtonsysDeathTest, ZeroRowOnItsOwnEndsTheProgram) {
  float* x = vector(1, 2);
  EXPECT_EXIT(newtonsys(10, x, 2, 1e-6f, 1e-6f, kFlat), ::testing::ExitedWithCode(1),
              "^Runtime Error: Singular matrix in routine ludcmp\n$");
  zavo::free_vector(x, 1, 2);
}

}  // namespace
