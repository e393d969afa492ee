#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "geometry/offset_arrays.h"

namespace {

// Every element of v[lo..hi] is zero at first and keeps what is stored in it.
template <class T, class Alloc, class Free>
void CheckVector(Alloc alloc, Free release, long lo, long hi) {
  T* v = alloc(lo, hi);
  for (long i = lo; i <= hi; ++i) EXPECT_EQ(v[i], T(0)) << i;
  for (long i = lo; i <= hi; ++i) v[i] = static_cast<T>(i + 7);
  for (long i = lo; i <= hi; ++i) EXPECT_EQ(v[i], static_cast<T>(i + 7)) << i;
  release(v, lo, hi);
}

TEST(OffsetArrays, VectorsAddressTheirBounds) {
  for (long lo : {0L, 1L}) {
    CheckVector<float>(vector, zavo::free_vector, lo, 3);
    CheckVector<std::int32_t>(ivector, zavo::free_ivector, lo, 3);
    CheckVector<char>(cvector, zavo::free_cvector, lo, 3);
    CheckVector<std::int32_t>(lvector, zavo::free_lvector, lo, 3);
    CheckVector<double>(dvector, zavo::free_dvector, lo, 3);
  }
  // No usable element.
  zavo::free_vector(vector(1, 0), 1, 0);
}

// m[rlo][clo] .. m[rhi][chi] are usable, the rows lie one after the other in
// one block.
template <class T, class Alloc, class Free>
void CheckMatrix(Alloc alloc, Free release, long rlo, long rhi, long clo, long chi) {
  T** m = alloc(rlo, rhi, clo, chi);
  const long cols = chi - clo + 1;
  for (long r = rlo; r <= rhi; ++r) {
    if (r > rlo) {
      EXPECT_EQ(m[r], m[r - 1] + cols);
    }
    for (long c = clo; c <= chi; ++c) {
      EXPECT_EQ(m[r][c], T(0));
      m[r][c] = static_cast<T>(10 * r + c);
    }
  }
  for (long r = rlo; r <= rhi; ++r) {
    for (long c = clo; c <= chi; ++c) EXPECT_EQ(m[r][c], static_cast<T>(10 * r + c)) << r << " " << c;
  }
  release(m, rlo, rhi, clo, chi);
}

TEST(OffsetArrays, MatricesAddressTheirBounds) {
  for (long rlo : {0L, 1L}) {
    for (long clo : {0L, 1L}) {
      CheckMatrix<float>(matrix, zavo::free_matrix, rlo, 3, clo, 4);
      CheckMatrix<double>(dmatrix, zavo::free_dmatrix, rlo, 3, clo, 4);
      CheckMatrix<std::int32_t>(imatrix, zavo::free_imatrix, rlo, 3, clo, 4);
    }
  }
  // No rows, and rows without columns.
  zavo::free_matrix(matrix(1, 0, 1, 3), 1, 0, 1, 3);
  zavo::free_dmatrix(dmatrix(1, 3, 1, 0), 1, 3, 1, 0);
}

// The whole message as a death-test pattern.
std::string Whole(const std::string& text) {
  std::string pattern = "^Runtime Error: ";
  for (char c : text) {
    if (c == '(' || c == ')') pattern += '\\';
    pattern += c;
  }
  return pattern + "\n$";
}

// Requests too large to be met report their allocation failure.
TEST(OffsetArraysDeathTest, AllocationFailures) {
  const struct {
    void (*request)();
    const char* text;
  } cases[] = {
      {[] { vector(1, LONG_MAX); }, "allocation failure in vector()"},
      {[] { ivector(1, LONG_MAX / 2); }, "allocation failure in ivector()"},
      {[] { cvector(0, LONG_MAX); }, "allocation failure in cvector()"},
      {[] { lvector(1, LONG_MAX / 3); }, "allocation failure in lvector()"},
      {[] { dvector(1, LONG_MAX / 4); }, "allocation failure in dvector()"},
      {[] { matrix(1, LONG_MAX / 2, 1, 2); }, "allocation failure 1 in matrix()"},
      {[] { dmatrix(1, LONG_MAX, 1, 2); }, "allocation failure 1 in dmatrix()"},
      {[] { imatrix(0, LONG_MAX / 4, 1, 2); }, "allocation failure 1 in imatrix()"},
      {[] { matrix(1, 4, 1, LONG_MAX / 4); }, "allocation failure 2 in matrix()"},
      {[] { dmatrix(1, 1 << 20, 1, 1L << 50); }, "allocation failure 2 in dmatrix()"},
      {[] { imatrix(1, 2, 0, LONG_MAX / 2); }, "allocation failure 2 in imatrix()"},
  };
  for (const auto& c : cases) {
    EXPECT_EXIT(c.request(), ::testing::ExitedWithCode(1), Whole(c.text)) << c.text;
  }
}

TEST(OffsetArraysDeathTest, BoundsThatWouldLeaveTheAllocation) {
  EXPECT_EXIT(vector(2, 5), ::testing::ExitedWithCode(1), "^Runtime Error: bad bounds in vector\\(\\)\n$");
  EXPECT_EXIT(dvector(-1, 5), ::testing::ExitedWithCode(1), "^Runtime Error: bad bounds in dvector\\(\\)\n$");
  EXPECT_EXIT(ivector(1, -1), ::testing::ExitedWithCode(1), "^Runtime Error: bad bounds in ivector\\(\\)\n$");
  EXPECT_EXIT(matrix(1, 3, 2, 3), ::testing::ExitedWithCode(1), "^Runtime Error: bad bounds in matrix\\(\\)\n$");
}

}  // namespace
