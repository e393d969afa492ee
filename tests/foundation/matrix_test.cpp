#include "foundation/matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace {

using Rows = std::vector<std::vector<double>>;

Matrix<double> Make(const Rows& rows) {
  Matrix<double> m(static_cast<std::uint32_t>(rows.size()),
                   rows.empty() ? 0u : static_cast<std::uint32_t>(rows[0].size()));
  for (std::uint32_t i = 0; i < m.Rows(); ++i) {
    for (std::uint32_t j = 0; j < m.Cols(); ++j) m(i, j) = rows[i][j];
  }
  return m;
}

Matrix<double> Filled(std::uint32_t r, std::uint32_t c, double value) {
  Matrix<double> m(r, c);
  for (std::uint32_t i = 0; i < r; ++i) {
    for (std::uint32_t j = 0; j < c; ++j) m(i, j) = value;
  }
  return m;
}

Rows Elements(const Matrix<double>& m) {
  Rows rows(m.Rows(), std::vector<double>(m.Cols()));
  for (std::uint32_t i = 0; i < m.Rows(); ++i) {
    for (std::uint32_t j = 0; j < m.Cols(); ++j) rows[i][j] = m(i, j);
  }
  return rows;
}

Vector<double> MakeVector(const std::vector<double>& values) {
  Vector<double> v(static_cast<std::uint32_t>(values.size()));
  for (std::uint32_t i = 0; i < v.Count(); ++i) v[i] = values[i];
  return v;
}

double MaxDistanceFromIdentity(const Matrix<double>& m) {
  double worst = 0;
  for (std::uint32_t i = 0; i < m.Rows(); ++i) {
    for (std::uint32_t j = 0; j < m.Cols(); ++j) {
      worst = std::max(worst, std::fabs(m(i, j) - (i == j ? 1.0 : 0.0)));
    }
  }
  return worst;
}

// ---------------------------------------------------------------------------
// LU decomposition, determinant, inverse and singularity: one table.

struct LUCase {
  const char* name;
  Rows a;
  int answer;                       // of LUDecompose
  std::vector<unsigned int> index;  // the recorded pivots; empty: not checked
  double d;                         // the parity, when the answer is 1
  double determinant;
  double tolerance;  // 0: the determinant is exact
  int singular;
};

const LUCase kLUCases[] = {
    {"zero row", {{1, 2}, {0, 0}}, 0, {}, 0, 0, 0, 1},
    {"zero first row", {{0, 0, 0}, {1, 2, 3}, {4, 5, 6}}, 0, {}, 0, 0, 0, 1},
    {"two equal rows", {{1, 2}, {1, 2}}, 1, {1, 1}, -1, -1e-20, 0, 0},
    {"a tie goes to the later row", {{2, 1}, {2, 1.5}}, 1, {1, 1}, -1, 1.0, 0, 0},
    {"one row swap", {{0, 1}, {1, 0}}, 1, {1, 1}, -1, -1.0, 0, 0},
    {"identity", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, 1, {0, 1, 2}, 1, 1.0, 0, 0},
    {"general", {{4, 3, 2}, {2, 1, 3}, {3, 2, 1}}, 1, {}, 0, 3.0, 1e-12, 0},
    {"general 4x4", {{1, 2, 0, 1}, {3, -1, 2, 0}, {0, 4, 1, -2}, {2, 0, 3, 5}}, 1, {}, 0, -119.0, 1e-12, 0},
};

// Applies the recorded row swaps to a and compares with L U.
void ExpectLUReproducesA(const Matrix<double>& a, const Matrix<double>& lu, const Seq<unsigned int>& index) {
  Matrix<double> permuted(a);
  const std::uint32_t n = a.Rows();
  for (std::uint32_t j = 0; j < n; ++j) {
    for (std::uint32_t k = 0; k < n; ++k) std::swap(permuted(j, k), permuted(index[j], k));
  }
  for (std::uint32_t i = 0; i < n; ++i) {
    for (std::uint32_t j = 0; j < n; ++j) {
      double sum = 0;
      for (std::uint32_t k = 0; k <= std::min(i, j); ++k) sum += (k == i ? 1.0 : lu(i, k)) * lu(k, j);
      EXPECT_NEAR(sum, permuted(i, j), 1e-12) << "at " << i << ", " << j;
    }
  }
}

TEST(MatrixLU, DecompositionDeterminantInverseAndSingularity) {
  for (const LUCase& c : kLUCases) {
    SCOPED_TRACE(c.name);
    const Matrix<double> a = Make(c.a);
    const std::uint32_t n = a.Rows();
    Matrix<double> lu(n, n);
    Seq<unsigned int> index(n);
    double d = 0;
    ASSERT_EQ(a.LUDecompose(lu, index, d), c.answer);
    EXPECT_EQ(a.IsSingular(), c.singular);
    if (c.answer == 0) {
      EXPECT_THROW(a.Determinant(), xMatrix);
      EXPECT_THROW(a.Inverse(), xMatrix);
      continue;
    }
    if (!c.index.empty()) {
      EXPECT_EQ(std::vector<unsigned int>(index.Data(), index.Data() + n), c.index);
      EXPECT_EQ(d, c.d);
    }
    ExpectLUReproducesA(a, lu, index);
    if (c.tolerance == 0) {
      EXPECT_EQ(a.Determinant(), c.determinant);
    } else {
      EXPECT_NEAR(a.Determinant(), c.determinant, c.tolerance);
    }
    const Matrix<double> inverse = a.Inverse();
    if (std::fabs(c.determinant) > 1e-10) {
      EXPECT_LT(MaxDistanceFromIdentity(a * inverse), 1e-12);
    } else {
      // Singular without a zero row: an inverse with huge elements, no exception.
      double largest = 0;
      for (const auto& row : Elements(inverse)) {
        for (double e : row) largest = std::max(largest, std::fabs(e));
      }
      EXPECT_GT(largest, 1e15);
    }
  }
}

TEST(MatrixLU, TheDecompositionFollowsTheCroutStepsToTheLastBit) {
  // Computed step by step as the algorithm prescribes, in doubles.
  const Matrix<double> a = Make({{0.3, 7.0, -1.1}, {2.9, 0.7, 3.3}, {1.7, -2.3, 0.9}});
  Matrix<double> lu(3, 3);
  Seq<unsigned int> index(3);
  double d = 0;
  ASSERT_EQ(a.LUDecompose(lu, index, d), 1);
  EXPECT_EQ(Elements(lu), (Rows{{2.8999999999999999, 0.69999999999999996, 3.2999999999999998},
                                {0.5862068965517242, -2.7103448275862068, -1.0344827586206899},
                                {0.10344827586206896, -2.5559796437659035, -4.0854961832061072}}));
  EXPECT_EQ(std::vector<unsigned int>(index.Data(), index.Data() + 3), (std::vector<unsigned int>{1, 2, 2}));
  EXPECT_EQ(d, 1.0);
  EXPECT_EQ(a.Determinant(), 32.112);
}

TEST(MatrixLU, TheInverseOfATransformationUndoesIt) {
  const double c = std::cos(0.7), s = std::sin(0.7);
  Matrix4x4<double> translate, rotate, scale;
  translate.SetIdentity();
  translate(0, 3) = 1.5;
  translate(1, 3) = -2;
  translate(2, 3) = 3;
  rotate.SetIdentity();
  rotate(1, 1) = c;
  rotate(1, 2) = -s;
  rotate(2, 1) = s;
  rotate(2, 2) = c;
  scale.SetIdentity();
  scale(0, 0) = 2;
  scale(1, 1) = 0.5;
  scale(2, 2) = 4;
  const Matrix4x4<double> m = translate * rotate * scale;
  const Matrix4x4<double> inverse = m.Inverse();
  EXPECT_LT(MaxDistanceFromIdentity(m * inverse), 1e-12);
  EXPECT_LT(MaxDistanceFromIdentity(inverse * m), 1e-12);
  Matrix4x4<double> identity;
  identity.SetIdentity();
  EXPECT_TRUE(identity.Inverse() == identity);
}

TEST(MatrixLU, BackSubstitutionSolvesTheSystem) {
  const Matrix<double> a = Make({{4, 3, 2}, {2, 1, 3}, {3, 2, 1}});
  Matrix<double> lu(3, 3);
  Seq<unsigned int> index(3);
  double d = 0;
  ASSERT_EQ(a.LUDecompose(lu, index, d), 1);
  for (const std::vector<double>& rhs : {std::vector<double>{0, 0, 1}, std::vector<double>{1, -2, 5}}) {
    Vector<double> x = MakeVector(rhs);
    lu.LUBackSubstitute(index, x);
    const Vector<double> check = a * x;
    for (std::uint32_t i = 0; i < 3; ++i) EXPECT_NEAR(check[i], rhs[i], 1e-12);
  }
}

TEST(MatrixLU, TheInverseIsTheBackSubstitutionOfTheUnitColumnsBitForBit) {
  const Rows cases[] = {
      {{4, 3, 2}, {2, 1, 3}, {3, 2, 1}},
      {{1, 2}, {1, 2}},
      {{0.1, 7, -3, 2.5, 1}, {3, -1e-3, 2, 0, 4}, {0, 4, 1, -2, 1}, {2, 0, 3, 5, 0.3}, {1, 1, 1, 1, 1e5}},
  };
  for (const Rows& rows : cases) {
    const Matrix<double> a = Make(rows);
    const std::uint32_t n = a.Rows();
    Matrix<double> lu(n, n);
    Seq<unsigned int> index(n);
    double d = 0;
    ASSERT_EQ(a.LUDecompose(lu, index, d), 1);
    const Matrix<double> inverse = a.Inverse();
    for (std::uint32_t j = 0; j < n; ++j) {
      Vector<double> column(n);
      column.Zero();
      column[j] = 1.0;
      lu.LUBackSubstitute(index, column);
      for (std::uint32_t i = 0; i < n; ++i) EXPECT_EQ(inverse(i, j), column[i]) << i << ", " << j;
    }
  }
}

TEST(MatrixLU, ShapeErrorsAnswerMinusOneAndWriteNothing) {
  struct Case {
    const char* name;
    std::uint32_t a_rows, a_cols, lu_rows, lu_cols, index_count;
  };
  const Case cases[] = {
      {"LU not square", 2, 2, 2, 3, 2},
      {"A's columns differ from LU's rows", 2, 2, 3, 3, 2},
      {"A not square", 3, 2, 2, 2, 2},
      {"index count", 2, 2, 2, 2, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Matrix<double> a = Filled(c.a_rows, c.a_cols, 1);
    Matrix<double> lu = Filled(c.lu_rows, c.lu_cols, 7);
    Seq<unsigned int> index(c.index_count);
    double d = 5;
    EXPECT_EQ(a.LUDecompose(lu, index, d), -1);
    EXPECT_TRUE(lu == Filled(c.lu_rows, c.lu_cols, 7));
    EXPECT_EQ(d, 5);
  }
  EXPECT_THROW(Filled(2, 3, 1).Determinant(), xMatrix);
  EXPECT_THROW(Filled(2, 3, 1).Inverse(), xMatrix);
  EXPECT_THROW(Filled(2, 3, 1).IsSingular(), xMatrix);
}

TEST(MatrixLU, BackSubstitutionDoesNothingWhenTheSizesDiffer) {
  const Matrix<double> a = Make({{4, 3}, {2, 1}});
  Matrix<double> lu(2, 2);
  Seq<unsigned int> index(2);
  double d = 0;
  ASSERT_EQ(a.LUDecompose(lu, index, d), 1);
  Vector<double> long_b = MakeVector({1, 2, 3});
  lu.LUBackSubstitute(index, long_b);
  EXPECT_TRUE(long_b.Equals(MakeVector({1, 2, 3})));
  Seq<unsigned int> long_index(3);
  Vector<double> b = MakeVector({1, 2});
  lu.LUBackSubstitute(long_index, b);
  EXPECT_TRUE(b.Equals(MakeVector({1, 2})));
  Filled(2, 3, 1).LUBackSubstitute(index, b);
  EXPECT_TRUE(b.Equals(MakeVector({1, 2})));
}

// ---------------------------------------------------------------------------
// Products, status operations and operators.

TEST(Matrix, ProductsAccumulateInIndexOrder) {
  // In index order each small term is lost against the 1; pairwise or
  // reversed sums keep them and give more than 1.
  const std::vector<double> terms = {1, 1e-16, 1e-16, 1e-16};
  const Matrix<double> row = Make({terms});
  const Matrix<double> column = Make({{1}, {1}, {1}, {1}});
  EXPECT_EQ((row * column)(0, 0), 1.0);
  Matrix4x4<double> a;
  Matrix4x4<double> ones = Filled(4, 4, 1);
  for (std::uint32_t j = 0; j < 4; ++j) a(2, j) = terms[j];
  EXPECT_EQ((a * ones)(2, 3), 1.0);
  EXPECT_EQ((a * MakeVector({1, 1, 1, 1}))[2], 1.0);
  EXPECT_EQ(MakeVector(terms) * MakeVector({1, 1, 1, 1}), 1.0);
}

TEST(Matrix, StatusOperationsAnswerZeroAndLeaveTheResultOnAMismatch) {
  const Matrix<double> a23 = Filled(2, 3, 1);
  const Matrix<double> a32 = Filled(3, 2, 1);
  using Op = std::function<int(Matrix<double>& result)>;
  const std::pair<const char*, Op> ops[] = {
      {"Add: other shape", [&](Matrix<double>& r) { return a23.Add(r, a32); }},
      {"Add: result shape", [&](Matrix<double>& r) { return a32.Add(r, a32); }},
      {"Subtract", [&](Matrix<double>& r) { return a23.Subtract(r, a32); }},
      {"Negate", [&](Matrix<double>& r) { return a32.Negate(r); }},
      {"Multiply: inner sizes", [&](Matrix<double>& r) { return a23.Multiply(r, a23); }},
      {"Multiply: result shape", [&](Matrix<double>& r) { return a32.Multiply(r, a23); }},
      {"Scale", [&](Matrix<double>& r) { return a32.Scale(r, 2.0); }},
      {"CopyFrom", [&](Matrix<double>& r) { return r.CopyFrom(a32); }},
  };
  for (const auto& [name, op] : ops) {
    Matrix<double> result = Filled(2, 3, 7);
    EXPECT_EQ(op(result), 0) << name;
    EXPECT_TRUE(result == Filled(2, 3, 7)) << name;
  }
  Vector<double> y = MakeVector({7, 7});
  EXPECT_EQ(a23.MultiplyVector(y, MakeVector({1, 1})), 0);
  EXPECT_EQ(a32.MultiplyVector(y, MakeVector({1, 1})), 0);
  EXPECT_TRUE(y.Equals(MakeVector({7, 7})));
  EXPECT_EQ(a23.Equals(a32), 0);
}

TEST(Matrix, OperatorsCheckShapes) {
  EXPECT_THROW(Filled(4, 3, 1) * Filled(4, 4, 1), xMatrix);
  const Matrix<double> product = Make({{1, 2, 3}, {4, 5, 6}}) * Make({{1, 0}, {0, 1}, {1, 1}});
  EXPECT_EQ(Elements(product), (Rows{{4, 5}, {10, 11}}));
  EXPECT_THROW(Filled(2, 2, 1) + Filled(2, 3, 1), xMatrix);
  EXPECT_THROW(Filled(2, 2, 1) - Filled(3, 2, 1), xMatrix);
  // A matrix-by-vector product with a bad shape throws xMatrix, not xVector.
  EXPECT_THROW(Filled(2, 3, 1) * MakeVector({1, 2}), xMatrix);
  const Vector3<double> short_vector(MakeVector({1, 2}));
  EXPECT_THROW(Matrix3x3<double>() * short_vector, xMatrix);
  Matrix4x4<double> m4;
  EXPECT_THROW(m4 * Vector<double>(3), xMatrix);
  EXPECT_THROW(m4 * Filled(4, 2, 1), xMatrix);  // the 4x4 product is 4x4

  EXPECT_EQ(Elements(-Make({{1, -2}})), (Rows{{-1, 2}}));
  EXPECT_EQ(Elements(Make({{1, -2}}) * 3.0), (Rows{{3, -6}}));
  EXPECT_EQ(Elements(Make({{1, 2, 3}, {4, 5, 6}}).Transpose()), (Rows{{1, 4}, {2, 5}, {3, 6}}));
  EXPECT_EQ(Elements(Make({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}).SubMatrix(1, 0, 3, 2)), (Rows{{4, 5}, {7, 8}}));
  Matrix<double> wide(2, 3);
  wide.SetIdentity();
  EXPECT_EQ(Elements(wide), (Rows{{1, 0, 0}, {0, 1, 0}}));
}

TEST(Matrix, FixedSizeAssignmentCopiesWithoutReallocating) {
  Matrix4x4<double> target;
  target.SetIdentity();
  const double* storage = &target(0, 0);
  Matrix4x4<double> source;
  source(2, 3) = 8;
  target = source;
  EXPECT_EQ(&target(0, 0), storage);
  EXPECT_EQ(target(2, 3), 8);
  EXPECT_EQ(target(0, 0), 0);

  target = Filled(4, 4, 2);
  EXPECT_EQ(&target(0, 0), storage);
  EXPECT_EQ(target(1, 1), 2);

  EXPECT_THROW(target = Matrix3x3<double>(), xMatrix);
  EXPECT_EQ(target.Rows(), 4u);
  EXPECT_TRUE(target == Filled(4, 4, 2));
  EXPECT_THROW(target = Filled(4, 3, 0), xMatrix);
}

TEST(Matrix, CopiesOfFixedSizeMatricesOwnTheirElements) {
  Matrix3x3<double> source;
  source(1, 2) = 5;
  Matrix3x3<double> copy(source);
  copy(1, 2) = 6;
  EXPECT_EQ(source(1, 2), 5);
  Matrix<double> general(source);
  general(1, 2) = 7;
  EXPECT_EQ(source(1, 2), 5);
  // Copy construction keeps the source's shape, whatever it is.
  const Matrix4x4<double> odd(Filled(2, 3, 1));
  EXPECT_EQ(odd.Rows(), 2u);
  EXPECT_EQ(odd.Cols(), 3u);
}

TEST(Table, CopyResizeAndAllocate) {
  Table<int> t(2, 5);
  t(1, 4) = 9;
  Table<int> copy(t);
  EXPECT_EQ(copy.Rows(), 2u);
  EXPECT_EQ(copy.Cols(), 5u);
  EXPECT_EQ(copy(1, 4), 9);
  EXPECT_NE(copy[1], t[1]);

  t(0, 0) = 1;
  t.Resize(3, 2);
  EXPECT_EQ(t.Rows(), 3u);
  EXPECT_EQ(t.Cols(), 2u);
  EXPECT_EQ(t(0, 0), 1);
  EXPECT_EQ(t(2, 1), 0);

  Table<int> other(1, 1);
  other = copy;
  EXPECT_EQ(other.Cols(), 5u);
  EXPECT_EQ(other[1][4], 9);
  other.Allocate(0, 0);
  EXPECT_EQ(other.Rows(), 0u);
  other.FreeRows();
  EXPECT_EQ(other.Cols(), 0u);
}

TEST(Table, AFixedSizeMatrixLeavesItsOwnStorageForOtherShapesAndComesBack) {
  Matrix4x4<double> m;
  m(0, 1) = 3;
  m(3, 3) = 4;
  m.Resize(2, 2);
  EXPECT_EQ(m(0, 1), 3);
  m(1, 1) = 6;
  m.Resize(4, 4);
  EXPECT_EQ(m(0, 1), 3);
  EXPECT_EQ(m(1, 1), 6);
  EXPECT_EQ(m(3, 3), 0);
  const double* own = &m(0, 0);
  m = Filled(4, 4, 1);
  EXPECT_EQ(&m(0, 0), own);
}

// ---------------------------------------------------------------------------
// SetAxisFrame and the 3x3-array functions.

struct Point {
  double x, y, z;
};

TEST(Matrix, SetAxisFrameBuildsTheColumnsUVW) {
  struct Case {
    Point w, a;
    Rows expected;
  };
  const Case cases[] = {
      {{0, 0, 1}, {0, 1, 0}, {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}},
      // u = (0, 0, -1), v = (0, 1, 0), w = (1, 0, 0) as columns.
      {{1, 0, 0}, {0, 1, 0}, {{0, 0, 1, 0}, {0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 0, 1}}},
      // Not normalised: u = a x w = (0, 0, -4), v = w x u = (0, 8, 0).
      {{2, 0, 0}, {0, 2, 0}, {{0, 0, 2, 0}, {0, 8, 0, 0}, {-4, 0, 0, 0}, {0, 0, 0, 1}}},
  };
  for (const Case& c : cases) {
    Matrix4x4<double> m = Filled(4, 4, 9);
    EXPECT_EQ(Matrix4x4<double>::SetAxisFrame(c.w, c.a, m), 1);
    EXPECT_EQ(Elements(m), c.expected);
  }
  Matrix<double> small(3, 3);
  EXPECT_THROW(Matrix4x4<double>::SetAxisFrame(Point{0, 0, 1}, Point{0, 1, 0}, small), xMatrix);
}

TEST(Matrix, ThreeByThreeArrayFunctionsAgreeWithTheMatrixOperations) {
  const double a[3][3] = {{4, 3, 2}, {2, 1, 3}, {3, 2, 1}};
  const double zero_row[3][3] = {{1, 2, 3}, {0, 0, 0}, {4, 5, 6}};
  Matrix3x3<double> m;
  for (std::uint32_t i = 0; i < 3; ++i) {
    for (std::uint32_t j = 0; j < 3; ++j) m(i, j) = a[i][j];
  }
  EXPECT_EQ(Determinant(a), m.Determinant());
  double inverse[3][3];
  Inverse(a, inverse);
  double transposed[3][3];
  Transpose(a, transposed);
  const Matrix<double> mi = m.Inverse();
  for (std::uint32_t i = 0; i < 3; ++i) {
    for (std::uint32_t j = 0; j < 3; ++j) {
      EXPECT_EQ(inverse[i][j], mi(i, j));
      EXPECT_EQ(transposed[i][j], a[j][i]);
    }
  }
  EXPECT_EQ(IsSingular(a), 0);
  EXPECT_EQ(IsSingular(zero_row), 1);
  EXPECT_THROW(Inverse(zero_row, inverse), xMatrix);
  EXPECT_THROW(Determinant(zero_row), xMatrix);
  EXPECT_EQ(Equals(a, a), 1);
  EXPECT_EQ(Equals(a, zero_row), 0);
  EXPECT_EQ(zavo::NotEquals(a, zero_row), 1);
  EXPECT_EQ(zavo::NotEquals(a, a), 0);
}

TEST(MatrixDeathTest, ASubMatrixOutsideTheMatrixIsAnInternalError) {
  const Matrix<double> m = Filled(2, 2, 1);
  EXPECT_EXIT(m.SubMatrix(0, 0, 3, 1), ::testing::ExitedWithCode(1), "Runtime Error: Matrix::SubMatrix");
  EXPECT_EXIT(m.SubMatrix(1, 0, 0, 1), ::testing::ExitedWithCode(1), "Runtime Error: Matrix::SubMatrix");
}

}  // namespace
