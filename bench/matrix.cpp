// Cost of the two 4x4 operations that every transformation goes through.
#include <benchmark/benchmark.h>

#include <cmath>

#include "foundation/matrix.h"

namespace {

Matrix4x4<double> Transformation(double angle) {
  Matrix4x4<double> m;
  m.SetIdentity();
  m(0, 0) = 2 * std::cos(angle);
  m(0, 1) = -std::sin(angle);
  m(1, 0) = std::sin(angle);
  m(1, 1) = 0.5 * std::cos(angle);
  m(2, 2) = 3;
  m(0, 3) = 1;
  m(1, 3) = -2;
  m(2, 3) = 4;
  return m;
}

void BM_Matrix4x4Product(benchmark::State& state) {
  const Matrix4x4<double> a = Transformation(0.3);
  const Matrix4x4<double> b = Transformation(1.1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(b);
    Matrix4x4<double> product = a * b;
    benchmark::DoNotOptimize(product);
  }
}
BENCHMARK(BM_Matrix4x4Product);

void BM_Matrix4x4Inverse(benchmark::State& state) {
  const Matrix4x4<double> a = Transformation(0.7);
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    Matrix4x4<double> inverse = a.Inverse();
    benchmark::DoNotOptimize(inverse);
  }
}
BENCHMARK(BM_Matrix4x4Inverse);

}  // namespace
