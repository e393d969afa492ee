#pragma once

// Dense matrices: Matrix<T> on Table<T> with products, transpose, Crout LU
// decomposition with implicit row scaling and partial pivoting, determinant
// and inverse; the fixed-size forms Matrix2x2<T>, Matrix3x3<T>, Matrix4x4<T>
// (their shape lives in storage of their own, but it is not otherwise fixed:
// mismatches are found at run time); SetAxisFrame; functions on plain 3x3
// arrays.
//
// Every arithmetic operation exists twice: a status member that writes into a
// caller-supplied result and answers 1, or 0 (writing nothing) when the shapes
// do not match, and an operator that allocates its result and throws xMatrix
// when the status member answers 0 (matrix-by-vector products included).
// Every sum accumulates in one T, index ascending, starting from 0: later code
// compares exact values.

#include <cmath>
#include <cstdint>

#include "foundation/lu_decomposition.h"
#include "foundation/runtime_error_box.h"
#include "foundation/seq.h"
#include "foundation/table.h"
#include "foundation/vector.h"

// Thrown by the matrix operators on a shape mismatch and by Determinant and
// Inverse on a matrix with a zero row.
class xMatrix {};

template <class T>
class Matrix : public Table<T> {
 public:
  Matrix() = default;
  Matrix(std::uint32_t r, std::uint32_t c) : Table<T>(r, c) {}
  Matrix(const Matrix& other) : Table<T>(other) {}
  // Takes the other's shape when it differs, then copies every element.
  Matrix& operator=(const Matrix& other) {
    Table<T>::operator=(other);
    return *this;
  }

  // ---- status operations: 1 on success, 0 (result untouched) on a mismatch

  int SameShape(const Matrix& B) const { return this->rows == B.rows && this->cols == B.cols; }

  int Zero() {
    for (std::uint32_t i = 0; i < this->rows; ++i) {
      for (std::uint32_t j = 0; j < this->cols; ++j) this->table[i][j] = T(0);
    }
    return 1;
  }

  // Zero, then 1 on the diagonal.
  int SetIdentity() {
    Zero();
    const std::uint32_t n = this->rows < this->cols ? this->rows : this->cols;
    for (std::uint32_t i = 0; i < n; ++i) this->table[i][i] = T(1);
    return 1;
  }

  // R = A + B.
  int Add(Matrix& R, const Matrix& B) const {
    if (!SameShape(B) || !SameShape(R)) return 0;
    for (std::uint32_t i = 0; i < this->rows; ++i) {
      for (std::uint32_t j = 0; j < this->cols; ++j) R.table[i][j] = this->table[i][j] + B.table[i][j];
    }
    return 1;
  }

  // R = A - B.
  int Subtract(Matrix& R, const Matrix& B) const {
    if (!SameShape(B) || !SameShape(R)) return 0;
    for (std::uint32_t i = 0; i < this->rows; ++i) {
      for (std::uint32_t j = 0; j < this->cols; ++j) R.table[i][j] = this->table[i][j] - B.table[i][j];
    }
    return 1;
  }

  // R = -A.
  int Negate(Matrix& R) const {
    if (!SameShape(R)) return 0;
    for (std::uint32_t i = 0; i < this->rows; ++i) {
      for (std::uint32_t j = 0; j < this->cols; ++j) R.table[i][j] = -this->table[i][j];
    }
    return 1;
  }

  // R = A B: A.cols = B.rows and R is A.rows x B.cols. R may be A or B.
  int Multiply(Matrix& R, const Matrix& B) const {
    if (this->cols != B.rows || R.rows != this->rows || R.cols != B.cols) return 0;
    if (&R == this || &R == &B) {
      Matrix product(R.rows, R.cols);
      MultiplyInto(product, B);
      R.CopyFrom(product);
    } else {
      MultiplyInto(R, B);
    }
    return 1;
  }

  // y = A x: A.cols = x.count and y.count = A.rows. y may be x.
  int MultiplyVector(Vector<T>& y, const Vector<T>& x) const {
    if (this->cols != x.Count() || y.Count() != this->rows) return 0;
    if (&y == &x) {
      Vector<T> product(this->rows);
      MultiplyVectorInto(product, x);
      y.CopyFrom(product);
    } else {
      MultiplyVectorInto(y, x);
    }
    return 1;
  }

  // R = s A.
  int Scale(Matrix& R, T s) const {
    if (!SameShape(R)) return 0;
    for (std::uint32_t i = 0; i < this->rows; ++i) {
      for (std::uint32_t j = 0; j < this->cols; ++j) R.table[i][j] = s * this->table[i][j];
    }
    return 1;
  }

  // A = B, element by element.
  int CopyFrom(const Matrix& B) {
    if (!SameShape(B)) return 0;
    if (&B != this) this->CopyElements(B);
    return 1;
  }

  // 1 when the shapes match and every element compares equal.
  int Equals(const Matrix& B) const {
    if (!SameShape(B)) return 0;
    for (std::uint32_t i = 0; i < this->rows; ++i) {
      for (std::uint32_t j = 0; j < this->cols; ++j) {
        if (!(this->table[i][j] == B.table[i][j])) return 0;
      }
    }
    return 1;
  }

  // ---- operators: allocate the result, xMatrix on a mismatch

  Matrix operator+(const Matrix& B) const {
    Matrix R(this->rows, this->cols);
    if (!Add(R, B)) throw xMatrix();
    return R;
  }
  Matrix operator-(const Matrix& B) const {
    Matrix R(this->rows, this->cols);
    if (!Subtract(R, B)) throw xMatrix();
    return R;
  }
  Matrix operator-() const {
    Matrix R(this->rows, this->cols);
    if (!Negate(R)) throw xMatrix();
    return R;
  }
  Matrix operator*(const Matrix& B) const {
    Matrix R(this->rows, B.cols);
    if (!Multiply(R, B)) throw xMatrix();
    return R;
  }
  Vector<T> operator*(const Vector<T>& x) const {
    Vector<T> y(this->rows);
    if (!MultiplyVector(y, x)) throw xMatrix();
    return y;
  }
  Matrix operator*(T s) const {
    Matrix R(this->rows, this->cols);
    if (!Scale(R, s)) throw xMatrix();
    return R;
  }
  bool operator==(const Matrix& B) const { return Equals(B) != 0; }
  bool operator!=(const Matrix& B) const { return Equals(B) == 0; }

  // The cols x rows matrix with element (j, i) = A(i, j).
  Matrix Transpose() const {
    Matrix R(this->cols, this->rows);
    for (std::uint32_t i = 0; i < this->rows; ++i) {
      for (std::uint32_t j = 0; j < this->cols; ++j) R.table[j][i] = this->table[i][j];
    }
    return R;
  }

  // The elements of rows first_row up to (excluding) end_row and columns
  // first_col up to end_col. A range outside the matrix is an internal error.
  Matrix SubMatrix(std::uint32_t first_row, std::uint32_t first_col, std::uint32_t end_row,
                   std::uint32_t end_col) const {
    if (first_row > end_row || end_row > this->rows || first_col > end_col || end_col > this->cols) {
      RuntimeErrorBox("Matrix::SubMatrix");
    }
    Matrix R(end_row - first_row, end_col - first_col);
    for (std::uint32_t i = first_row; i < end_row; ++i) {
      for (std::uint32_t j = first_col; j < end_col; ++j) {
        R.table[i - first_row][j - first_col] = this->table[i][j];
      }
    }
    return R;
  }

  // ---- LU decomposition

  // Decomposes A into LU (n x n) with the row permutation in index (n entries)
  // and d = +1 or -1 by the parity of the row swaps. Answers -1 (nothing
  // written) on a shape mismatch, 0 when A has a row of zeros, else 1. A zero
  // pivot becomes 1e-20, so a singular matrix without a zero row decomposes.
  int LUDecompose(Matrix& LU, Seq<unsigned int>& index, T& d) const {
    if (LU.rows != LU.cols || this->cols != LU.rows || this->rows != this->cols ||
        this->cols != index.Count()) {
      return -1;
    }
    LU.CopyFrom(*this);
    const std::uint32_t n = this->rows;
    zavo::lu::Work<T> work(n);
    return zavo::lu::Decompose(LU.table, n, index.Data(), d, work.scale);
  }

  // Solves the decomposed system for b in place; does nothing unless this is
  // square and index and b have as many entries as it has rows.
  void LUBackSubstitute(const Seq<unsigned int>& index, Vector<T>& b) const {
    if (this->rows != this->cols || index.Count() != this->rows || b.Count() != this->rows) return;
    zavo::lu::BackSubstitute(this->table, this->rows, index.Data(), b.Data());
  }

  // d times the diagonal of the decomposition. xMatrix when A is not square
  // or has a row of zeros.
  T Determinant() const {
    if (this->rows != this->cols) throw xMatrix();
    const std::uint32_t n = this->rows;
    zavo::lu::Work<T> work(n);
    CopyInto(work.rows);
    T d = T(1);
    if (!zavo::lu::Decompose(work.rows, n, work.index, d, work.scale)) throw xMatrix();
    T result = d;
    for (std::uint32_t i = 0; i < n; ++i) result *= work.rows[i][i];
    return result;
  }

  // The inverse, column by column from the decomposition. xMatrix when A is
  // not square or has a row of zeros; any other singular matrix gets an
  // inverse with very large elements.
  Matrix Inverse() const {
    if (this->rows != this->cols) throw xMatrix();
    Matrix R(this->rows, this->rows);
    InverseInto(R);
    return R;
  }

  // 1 when the decomposition finds a row of zeros, else 0. xMatrix when A is
  // not square.
  int IsSingular() const {
    if (this->rows != this->cols) throw xMatrix();
    const std::uint32_t n = this->rows;
    zavo::lu::Work<T> work(n);
    CopyInto(work.rows);
    T d = T(1);
    return zavo::lu::Decompose(work.rows, n, work.index, d, work.scale) == 0 ? 1 : 0;
  }

 protected:
  void MultiplyInto(Matrix& R, const Matrix& B) const {
    if (this->rows == 4 && this->cols == 4 && B.cols == 4) {
      Multiply4x4Into(R, B);
      return;
    }
    const std::uint32_t inner = this->cols;
    for (std::uint32_t i = 0; i < R.rows; ++i) {
      const T* a = this->table[i];
      T* r = R.table[i];
      for (std::uint32_t j = 0; j < R.cols; ++j) {
        T sum = T(0);
        for (std::uint32_t k = 0; k < inner; ++k) sum += a[k] * B.table[k][j];
        r[j] = sum;
      }
    }
  }

  // The same sums for the 4x4 case, unrolled.
  void Multiply4x4Into(Matrix& R, const Matrix& B) const {
    const T* b0 = B.table[0];
    const T* b1 = B.table[1];
    const T* b2 = B.table[2];
    const T* b3 = B.table[3];
    for (std::uint32_t i = 0; i < 4; ++i) {
      const T* a = this->table[i];
      const T a0 = a[0], a1 = a[1], a2 = a[2], a3 = a[3];
      T r[4];
      for (std::uint32_t j = 0; j < 4; ++j) {
        T sum = T(0);
        sum += a0 * b0[j];
        sum += a1 * b1[j];
        sum += a2 * b2[j];
        sum += a3 * b3[j];
        r[j] = sum;
      }
      T* out = R.table[i];
      for (std::uint32_t j = 0; j < 4; ++j) out[j] = r[j];
    }
  }

  void MultiplyVectorInto(Vector<T>& y, const Vector<T>& x) const {
    for (std::uint32_t i = 0; i < this->rows; ++i) {
      const T* a = this->table[i];
      T sum = T(0);
      for (std::uint32_t j = 0; j < this->cols; ++j) sum += a[j] * x[j];
      y[i] = sum;
    }
  }

  void CopyInto(T** rows_out) const {
    for (std::uint32_t i = 0; i < this->rows; ++i) {
      for (std::uint32_t j = 0; j < this->cols; ++j) rows_out[i][j] = this->table[i][j];
    }
  }

  // R is n x n for this n x n matrix.
  void InverseInto(Matrix& R) const {
    const std::uint32_t n = this->rows;
    zavo::lu::Work<T> work(n);
    CopyInto(work.rows);
    T d = T(1);
    if (!zavo::lu::Decompose(work.rows, n, work.index, d, work.scale)) throw xMatrix();
    zavo::lu::InverseColumns(work.rows, n, work.index, R.table, work.first);
  }
};

namespace zavo {

// Storage of their own and the shared operations of the fixed-size matrices.
// Assignment copies elements and never reallocates: xMatrix on another shape.
template <class T, std::uint32_t N, class Self>
class FixedMatrix : public Matrix<T> {
 public:
  FixedMatrix() { Attach(); }
  // The same shape as other (storage of its own when that is N x N).
  FixedMatrix(const FixedMatrix& other) : Matrix<T>() {
    Attach();
    Table<T>::operator=(other);
  }
  FixedMatrix(const Matrix<T>& other) : Matrix<T>() {
    Attach();
    Table<T>::operator=(other);
  }

  FixedMatrix& operator=(const FixedMatrix& other) {
    if (!this->CopyFrom(other)) throw xMatrix();
    return *this;
  }
  Self& operator=(const Matrix<T>& other) {
    if (!this->CopyFrom(other)) throw xMatrix();
    return static_cast<Self&>(*this);
  }

  Self operator+(const Matrix<T>& B) const {
    Self R;
    if (!this->Add(R, B)) throw xMatrix();
    return R;
  }

  // The inverse as a matrix of this type.
  Self Inverse() const {
    if (this->rows != this->cols) throw xMatrix();
    if (this->rows != N) return Self(Matrix<T>::Inverse());
    Self R;
    this->InverseInto(R);
    return R;
  }

 private:
  void Attach() {
    for (std::uint32_t k = 0; k < N * N; ++k) cells_[k] = T(0);
    for (std::uint32_t i = 0; i < N; ++i) row_table_[i] = cells_ + i * N;
    this->UseOwnStorage(row_table_, N);
  }

  T cells_[N * N];
  T* row_table_[N];
};

}  // namespace zavo

template <class T>
class Matrix2x2 : public zavo::FixedMatrix<T, 2, Matrix2x2<T>> {
  using Base = zavo::FixedMatrix<T, 2, Matrix2x2<T>>;

 public:
  using Base::Base;
  using Base::operator=;
  Matrix2x2() = default;
};

template <class T>
class Matrix3x3 : public zavo::FixedMatrix<T, 3, Matrix3x3<T>> {
  using Base = zavo::FixedMatrix<T, 3, Matrix3x3<T>>;

 public:
  using Base::Base;
  using Base::operator=;
  Matrix3x3() = default;

  using Matrix<T>::operator*;
  Vector3<T> operator*(const Vector3<T>& x) const {
    Vector3<T> y;
    if (!this->MultiplyVector(y, x)) throw xMatrix();
    return y;
  }
};

template <class T>
class Matrix4x4 : public zavo::FixedMatrix<T, 4, Matrix4x4<T>> {
  using Base = zavo::FixedMatrix<T, 4, Matrix4x4<T>>;

 public:
  using Base::Base;
  using Base::operator=;
  Matrix4x4() = default;

  Matrix4x4 operator-(const Matrix<T>& B) const {
    Matrix4x4 R;
    if (!this->Subtract(R, B)) throw xMatrix();
    return R;
  }
  Matrix4x4 operator-() const {
    Matrix4x4 R;
    if (!this->Negate(R)) throw xMatrix();
    return R;
  }
  // The product; the result is 4 x 4, so B must be 4 x 4 too.
  Matrix4x4 operator*(const Matrix<T>& B) const {
    Matrix4x4 R;
    if (!this->Multiply(R, B)) throw xMatrix();
    return R;
  }
  Vector4<T> operator*(const Vector4<T>& x) const {
    Vector4<T> y;
    if (!this->MultiplyVector(y, x)) throw xMatrix();
    return y;
  }
  Vector<T> operator*(const Vector<T>& x) const { return Matrix<T>::operator*(x); }
  Matrix4x4 operator*(T s) const {
    Matrix4x4 R;
    if (!this->Scale(R, s)) throw xMatrix();
    return R;
  }

  // Sets M to the frame with the columns u = a x w, v = w x u and w (not
  // normalised) in rows 0 to 2, and (0, 0, 0, 1) as the last row and column.
  // P is any point type with members x, y and z. xMatrix unless M is 4 x 4.
  template <class P>
  static int SetAxisFrame(const P& w, const P& a, Matrix<T>& M) {
    if (M.Rows() != 4 || M.Cols() != 4) throw xMatrix();
    const T ux = a.y * w.z - a.z * w.y;
    const T uy = a.z * w.x - a.x * w.z;
    const T uz = a.x * w.y - a.y * w.x;
    const T vx = w.y * uz - w.z * uy;
    const T vy = w.z * ux - w.x * uz;
    const T vz = w.x * uy - w.y * ux;
    const T frame[4][4] = {{ux, vx, w.x, T(0)},
                           {uy, vy, w.y, T(0)},
                           {uz, vz, w.z, T(0)},
                           {T(0), T(0), T(0), T(1)}};
    for (std::uint32_t i = 0; i < 4; ++i) {
      for (std::uint32_t j = 0; j < 4; ++j) M(i, j) = frame[i][j];
    }
    return 1;
  }
};

// ---- the same operations on plain 3x3 arrays of doubles (rows of three),
// through Matrix3x3<double>

namespace zavo {
inline Matrix3x3<double> ToMatrix3x3(const double m[3][3]) {
  Matrix3x3<double> M;
  for (std::uint32_t i = 0; i < 3; ++i) {
    for (std::uint32_t j = 0; j < 3; ++j) M(i, j) = m[i][j];
  }
  return M;
}
inline void FromMatrix3x3(const Matrix<double>& M, double result[3][3]) {
  for (std::uint32_t i = 0; i < 3; ++i) {
    for (std::uint32_t j = 0; j < 3; ++j) result[i][j] = M(i, j);
  }
}
}  // namespace zavo

inline double Determinant(const double m[3][3]) { return zavo::ToMatrix3x3(m).Determinant(); }

// xMatrix when m has a row of zeros.
inline void Inverse(const double m[3][3], double result[3][3]) {
  zavo::FromMatrix3x3(zavo::ToMatrix3x3(m).Inverse(), result);
}

inline void Transpose(const double m[3][3], double result[3][3]) {
  zavo::FromMatrix3x3(zavo::ToMatrix3x3(m).Transpose(), result);
}

inline int IsSingular(const double m[3][3]) { return zavo::ToMatrix3x3(m).IsSingular(); }

inline int Equals(const double a[3][3], const double b[3][3]) {
  return zavo::ToMatrix3x3(a).Equals(zavo::ToMatrix3x3(b));
}

namespace zavo {
inline int NotEquals(const double a[3][3], const double b[3][3]) { return ::Equals(a, b) ? 0 : 1; }
}  // namespace zavo
