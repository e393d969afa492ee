// Cost of the two box ray tests that the hierarchies run for every node a ray
// visits: random rays (origins around the box, unit directions) against the
// unit box.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "geometry/box.h"
#include "geometry/ray.h"

namespace {

std::vector<Ray> RandomRays(std::size_t n) {
  std::mt19937 gen(12345);
  std::uniform_real_distribution<double> pos(-2.0, 3.0), dir(-1.0, 1.0);
  std::vector<Ray> rays;
  rays.reserve(n);
  while (rays.size() < n) {
    const Point3D d{dir(gen), dir(gen), dir(gen)};
    if (Length(d) < 1e-3) continue;
    rays.push_back(Ray::FromDirection({pos(gen), pos(gen), pos(gen)}, d));
  }
  return rays;
}

const GEO_Box kUnitBox{0, 1, 0, 1, 0, 1};

void BM_HitByRay(benchmark::State& state) {
  const std::vector<Ray> rays = RandomRays(4096);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(kUnitBox.HitByRay(rays[i]));
    i = (i + 1) & 4095;
  }
}
BENCHMARK(BM_HitByRay);

void BM_RayRange(benchmark::State& state) {
  const std::vector<Ray> rays = RandomRays(4096);
  std::size_t i = 0;
  BoxHitRecord records[2];
  for (auto _ : state) {
    benchmark::DoNotOptimize(kUnitBox.RayRange(rays[i], records, 0.0));
    benchmark::DoNotOptimize(records);
    i = (i + 1) & 4095;
  }
}
BENCHMARK(BM_RayRange);

}  // namespace
