#include "geometry/offset_arrays.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>

#include "foundation/runtime_error_box.h"

namespace {

// Lower bound 0 or 1, upper bound at least lower bound - 1.
void CheckBounds(long lo, long hi, const char* what) {
  if ((lo != 0 && lo != 1) || hi < lo - 1) RuntimeErrorBox(what);
}

// The largest element count of T that may be asked for.
template <class T>
constexpr long long MaxCount() {
  return static_cast<long long>(std::numeric_limits<std::ptrdiff_t>::max() / sizeof(T));
}

// hi - lo + 1 usable elements; lo is 0 or 1, so only a huge hi overflows.
long long Usable(long lo, long hi) {
  if (hi > std::numeric_limits<long long>::max() - 2) return -1;
  return static_cast<long long>(hi) - lo + 1;
}

// n zeroed elements, or null when n is negative, too large or not available.
template <class T>
T* NewZeroed(long long n) {
  if (n < 0 || n > MaxCount<T>()) return nullptr;
  return new (std::nothrow) T[static_cast<std::size_t>(n)]();
}

template <class T>
T* NewVector(long lo, long hi, const char* bad_bounds, const char* failure) {
  CheckBounds(lo, hi, bad_bounds);
  const long long usable = Usable(lo, hi);
  T* block = NewZeroed<T>(usable < 0 ? -1 : usable + 1);
  if (block == nullptr) RuntimeErrorBox(failure);
  return block + (1 - lo);
}

template <class T>
void FreeVector(T* v, long lo) {
  if (v == nullptr) return;
  delete[] (v - (1 - lo));
}

// The spare first row-pointer slot keeps the start of the data block, so the
// block is found again even when the matrix has no rows.
template <class T>
T** NewMatrix(long rlo, long rhi, long clo, long chi, const char* bad_bounds, const char* failure1,
              const char* failure2) {
  CheckBounds(rlo, rhi, bad_bounds);
  CheckBounds(clo, chi, bad_bounds);
  const long long rows = Usable(rlo, rhi);
  const long long cols = Usable(clo, chi);
  T** pointers = NewZeroed<T*>(rows < 0 ? -1 : rows + 1);
  if (pointers == nullptr) RuntimeErrorBox(failure1);
  long long cells = -1;
  if (cols == 0 || (cols > 0 && rows <= (MaxCount<T>() - 1) / cols)) cells = rows * cols + 1;
  T* data = NewZeroed<T>(cells);
  if (data == nullptr) {
    delete[] pointers;
    RuntimeErrorBox(failure2);
  }
  pointers[0] = data;
  // Row rlo starts at the second data element, each further row one row on.
  T* row = data + 1;
  for (long long r = 1; r <= rows; ++r, row += cols) pointers[r] = row - clo;
  return pointers + (1 - rlo);
}

template <class T>
void FreeMatrix(T** m, long rlo) {
  if (m == nullptr) return;
  T** pointers = m - (1 - rlo);
  delete[] pointers[0];
  delete[] pointers;
}

}  // namespace

float* vector(long lo, long hi) {
  return NewVector<float>(lo, hi, "bad bounds in vector()", "allocation failure in vector()");
}
std::int32_t* ivector(long lo, long hi) {
  return NewVector<std::int32_t>(lo, hi, "bad bounds in ivector()", "allocation failure in ivector()");
}
char* cvector(long lo, long hi) {
  return NewVector<char>(lo, hi, "bad bounds in cvector()", "allocation failure in cvector()");
}
std::int32_t* lvector(long lo, long hi) {
  return NewVector<std::int32_t>(lo, hi, "bad bounds in lvector()", "allocation failure in lvector()");
}
double* dvector(long lo, long hi) {
  return NewVector<double>(lo, hi, "bad bounds in dvector()", "allocation failure in dvector()");
}

float** matrix(long rlo, long rhi, long clo, long chi) {
  return NewMatrix<float>(rlo, rhi, clo, chi, "bad bounds in matrix()", "allocation failure 1 in matrix()",
                          "allocation failure 2 in matrix()");
}
double** dmatrix(long rlo, long rhi, long clo, long chi) {
  return NewMatrix<double>(rlo, rhi, clo, chi, "bad bounds in dmatrix()", "allocation failure 1 in dmatrix()",
                           "allocation failure 2 in dmatrix()");
}
std::int32_t** imatrix(long rlo, long rhi, long clo, long chi) {
  return NewMatrix<std::int32_t>(rlo, rhi, clo, chi, "bad bounds in imatrix()",
                                 "allocation failure 1 in imatrix()", "allocation failure 2 in imatrix()");
}

namespace zavo {

void free_vector(float* v, long lo, long) { FreeVector(v, lo); }
void free_ivector(std::int32_t* v, long lo, long) { FreeVector(v, lo); }
void free_cvector(char* v, long lo, long) { FreeVector(v, lo); }
void free_lvector(std::int32_t* v, long lo, long) { FreeVector(v, lo); }
void free_dvector(double* v, long lo, long) { FreeVector(v, lo); }

void free_matrix(float** m, long rlo, long, long, long) { FreeMatrix(m, rlo); }
void free_dmatrix(double** m, long rlo, long, long, long) { FreeMatrix(m, rlo); }
void free_imatrix(std::int32_t** m, long rlo, long, long, long) { FreeMatrix(m, rlo); }

}  // namespace zavo
