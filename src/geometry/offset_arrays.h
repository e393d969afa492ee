#pragma once

// Arrays addressed with caller-chosen index bounds, for the single-precision
// solvers (newton.h). A vector for bounds lo..hi is one allocation of
// hi - lo + 2 elements with one spare element in front: v[lo] is the second
// element, v[hi] the last. A matrix for rows rlo..rhi and columns clo..chi is
// a row-pointer array of rhi - rlo + 2 slots and one data block of
// rows * columns + 1 elements, the first slot of each spare.
//
// The returned pointers stay inside their allocations: a lower bound is 0 or 1
// (the solvers use 1) and an upper bound may lie one below its lower bound (no
// usable element). Other bounds are an internal error ("bad bounds in
// vector()" and the like). A request that cannot be allocated shows "allocation failure in
// vector()" and the like in the internal-error box, which ends the program:
// these functions never return null.
//
// New elements are zero.

#include <cstdint>

float* vector(long lo, long hi);
std::int32_t* ivector(long lo, long hi);
char* cvector(long lo, long hi);
std::int32_t* lvector(long lo, long hi);
double* dvector(long lo, long hi);

float** matrix(long rlo, long rhi, long clo, long chi);
double** dmatrix(long rlo, long rhi, long clo, long chi);
std::int32_t** imatrix(long rlo, long rhi, long clo, long chi);

namespace zavo {

// Each frees what the allocator of the same kind returned for the same bounds
// (a vector's one allocation; a matrix's data block, then its row pointers).
// A null pointer is ignored.
void free_vector(float* v, long lo, long hi);
void free_ivector(std::int32_t* v, long lo, long hi);
void free_cvector(char* v, long lo, long hi);
void free_lvector(std::int32_t* v, long lo, long hi);
void free_dvector(double* v, long lo, long hi);

void free_matrix(float** m, long rlo, long rhi, long clo, long chi);
void free_dmatrix(double** m, long rlo, long rhi, long clo, long chi);
void free_imatrix(std::int32_t** m, long rlo, long rhi, long clo, long chi);

}  // namespace zavo
