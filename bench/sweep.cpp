// SweepToBRep of one 64-point outline along a 2000-point helix, the meshes
// and the log written to a temporary directory.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/modules/sweep_to_brep.h"

namespace {

namespace fs = std::filesystem;

std::vector<zavo::Outline> Profile() {
  zavo::Outline circle;
  for (int i = 0; i < 64; ++i) {
    const double a = 2 * 3.141592653589793 * i / 64;
    circle.push_back(Point3D{0.37 * std::cos(a), 0.29 * std::sin(a), 0});
  }
  return {circle};
}

std::vector<Point3D> Path() {
  std::vector<Point3D> path;
  for (int j = 0; j < 2000; ++j) {
    const double t = j * 0.013;
    path.push_back(Point3D{3.1 * std::cos(t), 3.1 * std::sin(t), 0.07 * j});
  }
  return path;
}

void BM_SweepToBRep(benchmark::State& state) {
  const fs::path dir = fs::temp_directory_path() / ("zavo_bench_sweep_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path previous = fs::current_path();
  fs::current_path(dir);
  const std::vector<zavo::Outline> profiles = Profile();
  const std::vector<Point3D> path = Path();
  for (auto _ : state) {
    std::vector<std::string> names;
    benchmark::DoNotOptimize(zavo::SweepToBRep(profiles, &path, nullptr, "tube", names));
  }
  fs::current_path(previous);
  fs::remove_all(dir);
}
BENCHMARK(BM_SweepToBRep)->Unit(benchmark::kMillisecond);

}  // namespace
