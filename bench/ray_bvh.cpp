// The build of the ray queries' own hierarchy (RayBvh) over 10k and 100k
// small random boxes on a huge ground box, as the B1 scenes give it: the cost
// RayHierarchy::Make adds to every load of a scene.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "scene/ray_bvh.h"

namespace {

std::vector<zavo::RayBvh::Item> Items(int n) {
  std::mt19937 gen(5);
  std::uniform_real_distribution<double> pos(-1, 1);
  std::vector<zavo::RayBvh::Item> items;
  items.push_back({GEO_Box{-1000, 1000, -1, 0, -1000, 1000}, nullptr, 0});
  for (int i = 1; i < n; ++i) {
    const double x = pos(gen), z = pos(gen);
    items.push_back({GEO_Box{x, x + 0.02, 0, 0.02, z, z + 0.02}, nullptr, static_cast<std::uint32_t>(i)});
  }
  return items;
}

void BM_RayBvhBuild(benchmark::State& state) {
  const std::vector<zavo::RayBvh::Item> items = Items(static_cast<int>(state.range(0)));
  zavo::RayBvh bvh;
  for (auto _ : state) {
    bvh.Build(items);
    benchmark::DoNotOptimize(bvh.Size());
  }
}
BENCHMARK(BM_RayBvhBuild)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
