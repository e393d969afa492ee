// Rays per second of a brep object's nearest-hit query (IntersectAny) on a
// mesh of about 100 000 triangles: a fine sphere grid written as a pbrep file
// and loaded through the scene reader, with its face hierarchy (the "auto"
// build of a scene's default parameters) searched by algorithms 1, 2 and 3,
// and without a hierarchy (costr 0).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/table.h"
#include "geometry/mesh_builders.h"
#include "models/core/brep.h"
#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;

// A unit sphere from an n x n grid of points: 2 (n - 1)^2 triangles.
std::unique_ptr<BRepModel3> SphereGrid(int n) {
  const auto size = static_cast<std::uint32_t>(n);
  Table<Point3D> table(size, size);
  for (std::uint32_t j = 0; j < size; ++j) {
    const double phi = 2 * std::numbers::pi * j / (n - 1);
    for (std::uint32_t i = 0; i < size; ++i) {
      const double theta = std::numbers::pi * i / (n - 1);
      table(j, i) = {std::cos(phi) * std::sin(theta), std::sin(phi) * std::sin(theta), std::cos(theta)};
    }
  }
  return MakeGridBRep("ball", table);
}

// The working directory of the benchmark, with "ball.brp"; removed at exit.
const fs::path& Directory() {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / ("zavo-bench-mesh-" + std::to_string(std::random_device{}()));
    fs::create_directories(d);
    std::ofstream out(d / "ball.brp");
    SphereGrid(225)->Write(out, 0);
    std::atexit([] {
      std::error_code error;
      fs::remove_all(Directory(), error);
    });
    return d;
  }();
  return dir;
}

// The scene that holds the brep "ball" loaded with the given costr; the
// algorithm set afterwards (the "auto" build gives 3).
struct LoadedBall {
  CG_ModelRegistry registry;
  std::unique_ptr<CG_GraphicScene> scene;
  GBRep* ball = nullptr;

  LoadedBall(const char* costr, int algorithm) {
    BuildRegistry(registry);
    scene = std::make_unique<CG_GraphicScene>(registry);
    const fs::path old = fs::current_path();
    fs::current_path(Directory());
    std::istringstream in(std::string("{ object name ball; model { brep name ball; costr ") + costr +
                          "; } }\n.\n");
    if (!scene->Load(in)) std::abort();
    ball = dynamic_cast<GBRep*>(scene->FindObject("ball"));
    if (ball == nullptr) std::abort();
    CG_BRepDescription d;
    ball->GetDescription(d);
    d.algorithm = algorithm;
    if (!ball->SetDescription(d)) std::abort();
    fs::current_path(old);
  }
};

// Rays from a shell around the sphere towards points near its centre: most
// cross it, some miss.
const std::vector<Ray>& Rays() {
  static const std::vector<Ray> rays = [] {
    std::vector<Ray> out;
    std::mt19937 gen(99);
    std::uniform_real_distribution<double> dir(-1, 1), aim(-1.2, 1.2);
    for (int i = 0; i < 1024; ++i) {
      Point3D o{dir(gen), dir(gen), dir(gen)};
      o = o * (3.0 / Length(o));
      out.push_back(Ray::FromPoints(o, {aim(gen), aim(gen), aim(gen)}));
    }
    return out;
  }();
  return rays;
}

void BM_IntersectAny(benchmark::State& state) {
  const bool hierarchy = state.range(0) != 0;
  static std::unique_ptr<LoadedBall> balls[2][4];
  std::unique_ptr<LoadedBall>& loaded = balls[hierarchy ? 1 : 0][state.range(1)];
  if (!loaded) loaded = std::make_unique<LoadedBall>(hierarchy ? "1.2" : "0", static_cast<int>(state.range(1)));
  const GBRep& ball = *loaded->ball;
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = ball.NewIntrInfo();
  const std::vector<Ray>& rays = Rays();
  std::size_t i = 0;
  long long found = 0;
  for (auto _ : state) found += ball.IntersectAny(rays[i++ % rays.size()], *record);
  benchmark::DoNotOptimize(found);
  state.SetItemsProcessed(state.iterations());  // rays
  state.SetLabel(hierarchy ? "hierarchy, algorithm " + std::to_string(state.range(1)) : "costr 0");
}

BENCHMARK(BM_IntersectAny)->ArgNames({"hier", "alg"})->Args({1, 1})->Args({1, 2})->Args({1, 3})->Args({0, 1});

}  // namespace
