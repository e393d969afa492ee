// Cost per ray of the ray/patch search on a 10 x 10 control grid (49
// windows): rays that hit the surface, and rays that pass beside it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "geometry/patch_hits.h"

namespace {

// A gently waving sheet over [0, 9] x [0, 9] with heights in [-1, 1].
BSplineSurface WavyGrid() {
  BSplineSurface s;
  s.SetGridSize(10, 10);
  for (int i = 0; i < 10; ++i) {
    for (int j = 0; j < 10; ++j) s.ControlPoint(i, j) = {double(i), double(j), std::sin(0.9 * i) * std::cos(0.7 * j)};
  }
  return s;
}

// Rays from above, slightly slanted, aimed at points over the inner part of
// the surface (the parameter range covers x and y from 1 to 8).
std::vector<Ray> HittingRays(std::size_t n) {
  std::mt19937 gen(2024);
  std::uniform_real_distribution<double> at(1.5, 7.5), tilt(-0.2, 0.2);
  std::vector<Ray> rays;
  for (std::size_t k = 0; k < n; ++k) {
    const Point3D target{at(gen), at(gen), 0.0};
    const Point3D dir{tilt(gen), tilt(gen), -1.0};
    rays.push_back(Ray::FromDirection(target - 10.0 * dir, dir));
  }
  return rays;
}

// Rays that pass over the surface, above every control box.
std::vector<Ray> MissingRays(std::size_t n) {
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> at(0.0, 9.0), height(1.5, 4.0), turn(0.0, 6.283);
  std::vector<Ray> rays;
  for (std::size_t k = 0; k < n; ++k) {
    const double a = turn(gen);
    rays.push_back(Ray::FromDirection({at(gen), at(gen), height(gen)}, {std::cos(a), std::sin(a), 0.05}));
  }
  return rays;
}

void Run(benchmark::State& state, const std::vector<Ray>& rays) {
  const BSplineSurface surface = WavyGrid();
  Seq<BSplineIntrInfo> hits;
  std::size_t i = 0;
  std::int64_t found = 0;
  for (auto _ : state) {
    found += CountPatchHits(surface, rays[i], hits);
    i = (i + 1) % rays.size();
  }
  benchmark::DoNotOptimize(found);
  state.counters["hits_per_ray"] = benchmark::Counter(static_cast<double>(found) / state.iterations());
}

void BM_CountPatchHits_Hit(benchmark::State& state) { Run(state, HittingRays(256)); }
BENCHMARK(BM_CountPatchHits_Hit);

void BM_CountPatchHits_Miss(benchmark::State& state) { Run(state, MissingRays(256)); }
BENCHMARK(BM_CountPatchHits_Miss);

}  // namespace
