#pragma once

// The kernels of the Crout LU decomposition with implicit row scaling and
// partial pivoting on n x n rows of T, used by Matrix<T> (matrix.h). Every sum
// is accumulated in one T, index ascending: callers compare exact values.

#include <cmath>
#include <cstdint>
#include <vector>

namespace zavo::lu {

// Crout decomposition in place of the n x n rows a; s is scratch for n scale
// factors. Answers 0 when a row is all zeros, else 1.
template <class T>
int Decompose(T* const* a, std::uint32_t n, unsigned int* index, T& d, T* s) {
  d = T(1);
  for (std::uint32_t i = 0; i < n; ++i) {
    T big = T(0);
    for (std::uint32_t j = 0; j < n; ++j) {
      const T magnitude = std::fabs(a[i][j]);
      if (magnitude > big) big = magnitude;
    }
    if (big == T(0)) return 0;
    s[i] = T(1) / big;
  }
  for (std::uint32_t j = 0; j < n; ++j) {
    for (std::uint32_t i = 0; i < j; ++i) {
      T sum = a[i][j];
      for (std::uint32_t k = 0; k < i; ++k) sum -= a[i][k] * a[k][j];
      a[i][j] = sum;
    }
    T big = T(0);
    std::uint32_t imax = j;
    for (std::uint32_t i = j; i < n; ++i) {
      T sum = a[i][j];
      for (std::uint32_t k = 0; k < j; ++k) sum -= a[i][k] * a[k][j];
      a[i][j] = sum;
      const T t = s[i] * std::fabs(sum);
      if (t >= big) {  // a later row wins a tie
        big = t;
        imax = i;
      }
    }
    if (imax != j) {
      for (std::uint32_t k = 0; k < n; ++k) {
        const T swap = a[imax][k];
        a[imax][k] = a[j][k];
        a[j][k] = swap;
      }
      d = -d;
      s[imax] = s[j];
    }
    index[j] = imax;
    if (a[j][j] == T(0)) a[j][j] = T(1e-20);
    if (j != n - 1) {
      const T f = T(1) / a[j][j];
      for (std::uint32_t i = j + 1; i < n; ++i) a[i][j] *= f;
    }
  }
  return 1;
}

// Solves LU x = b in place for the decomposition a of n x n with its index.
template <class T>
void BackSubstitute(const T* const* a, std::uint32_t n, const unsigned int* index, T* b) {
  bool started = false;
  std::uint32_t first = 0;
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::uint32_t p = index[i];
    T sum = b[p];
    b[p] = b[i];
    if (started) {
      for (std::uint32_t j = first; j < i; ++j) sum -= a[i][j] * b[j];
    } else if (sum != T(0)) {
      started = true;
      first = i;
    }
    b[i] = sum;
  }
  for (std::uint32_t i = n; i-- > 0;) {
    T sum = b[i];
    for (std::uint32_t j = i + 1; j < n; ++j) sum -= a[i][j] * b[j];
    b[i] = sum / a[i][i];
  }
}

// The inverse from the decomposition: the n back-substitutions of the unit
// columns, all columns advanced together row by row. Every column sees exactly
// the operations of BackSubstitute, in the same order. first is scratch for n
// entries; x receives the n x n result.
template <class T>
void InverseColumns(const T* const* a, std::uint32_t n, const unsigned int* index, T* const* x,
                    std::uint32_t* first) {
  for (std::uint32_t i = 0; i < n; ++i) {
    for (std::uint32_t c = 0; c < n; ++c) x[i][c] = i == c ? T(1) : T(0);
    first[i] = n;  // none yet
  }
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::uint32_t p = index[i];
    for (std::uint32_t c = 0; c < n; ++c) {
      T sum = x[p][c];
      x[p][c] = x[i][c];
      if (first[c] != n) {
        for (std::uint32_t j = first[c]; j < i; ++j) sum -= a[i][j] * x[j][c];
      } else if (sum != T(0)) {
        first[c] = i;
      }
      x[i][c] = sum;
    }
  }
  for (std::uint32_t i = n; i-- > 0;) {
    for (std::uint32_t c = 0; c < n; ++c) {
      T sum = x[i][c];
      for (std::uint32_t j = i + 1; j < n; ++j) sum -= a[i][j] * x[j][c];
      x[i][c] = sum / a[i][i];
    }
  }
}

// Scratch for one decomposition of an n x n matrix: on the stack up to 4 x 4.
template <class T>
class Work {
 public:
  explicit Work(std::uint32_t n) {
    if (n <= kSmall) {
      rows = small_rows_;
      cells = small_cells_;
      index = small_index_;
      scale = small_scale_;
      first = small_first_;
    } else {
      heap_rows_.resize(n);
      heap_cells_.resize(static_cast<std::size_t>(n) * n);
      heap_index_.resize(n);
      heap_scale_.resize(n);
      heap_first_.resize(n);
      rows = heap_rows_.data();
      cells = heap_cells_.data();
      index = heap_index_.data();
      scale = heap_scale_.data();
      first = heap_first_.data();
    }
    for (std::uint32_t i = 0; i < n; ++i) rows[i] = cells + static_cast<std::size_t>(i) * n;
  }
  Work(const Work&) = delete;
  Work& operator=(const Work&) = delete;

  T** rows;
  T* cells;
  unsigned int* index;
  T* scale;
  std::uint32_t* first;

 private:
  static constexpr std::uint32_t kSmall = 4;
  T* small_rows_[kSmall];
  T small_cells_[kSmall * kSmall];
  unsigned int small_index_[kSmall];
  T small_scale_[kSmall];
  std::uint32_t small_first_[kSmall];
  std::vector<T*> heap_rows_;
  std::vector<T> heap_cells_;
  std::vector<unsigned int> heap_index_;
  std::vector<T> heap_scale_;
  std::vector<std::uint32_t> heap_first_;
};

}  // namespace zavo::lu
