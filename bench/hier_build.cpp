// Time of the face-hierarchy builds over random triangles (small triangles
// scattered in a cube, as the faces of a tessellated scene): the level build
// with the growth factor of the patch meshes, the grid build with the grid
// dimension of mesh objects (it writes "hierbl2.log" in the working
// directory) and the median build. The two ways of ordering a run of the median build are measured
// beside them, and the reading of a saved face hierarchy (the cache of a mesh) in the writer's
// plain layout and, with a comment in front, through the scanner.
#include <benchmark/benchmark.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/seq.h"
#include "geometry/face3.h"
#include "geometry/hier_builder.h"
#include "geometry/hier_builder2.h"
#include "geometry/hier_file.h"
#include "geometry/selection_order.h"
#include "geometry/seqf.h"

namespace {

struct Triangles {
  Seq<Point3D> vertices;
  Seq<Face3> faces;

  explicit Triangles(std::uint32_t n) : vertices(3 * n), faces(n) {
    std::mt19937 gen(4711);
    std::uniform_real_distribution<double> pos(0, 100), off(-1, 1);
    for (std::uint32_t i = 0; i < n; ++i) {
      const Point3D c{pos(gen), pos(gen), pos(gen)};
      auto* contour = new ContourFace3;
      contour->vertices.SetSize(3);
      for (std::uint32_t k = 0; k < 3; ++k) {
        vertices[3 * i + k] = c + Point3D{off(gen), off(gen), off(gen)};
        contour->vertices[k] = static_cast<int>(3 * i + k + 1);
      }
      faces[i].contours.Append(contour);
      faces[i].ComputePlane(vertices);
    }
  }
};

void BM_LevelBuild(benchmark::State& state) {
  Triangles t(static_cast<std::uint32_t>(state.range(0)));
  Seqf seqf(t.faces, t.vertices);
  for (auto _ : state) {
    BoxHierBuilder<int, Seqf> builder(&seqf);
    auto* root = builder.Build(1.3);
    benchmark::DoNotOptimize(root);
    builder.Free(root);
  }
}
BENCHMARK(BM_LevelBuild)->Arg(10000)->Arg(50000)->Unit(benchmark::kSecond)->Iterations(1);

void BM_GridBuild(benchmark::State& state) {
  Triangles t(static_cast<std::uint32_t>(state.range(0)));
  Seqf seqf(t.faces, t.vertices);
  for (auto _ : state) {
    BoxHierBuilder2<int, Seqf> builder(&seqf);
    builder.SetGridDimension(20);
    auto* root = builder.Build(1.3);
    benchmark::DoNotOptimize(root);
    builder.Free(root);
  }
}
BENCHMARK(BM_GridBuild)->Arg(10000)->Arg(50000)->Unit(benchmark::kSecond)->Iterations(1);

void BM_MedianBuild(benchmark::State& state) {
  Triangles t(static_cast<std::uint32_t>(state.range(0)));
  Seqf seqf(t.faces, t.vertices);
  for (auto _ : state) {
    BoxHierBuilder2<int, Seqf> builder(&seqf);
    auto* root = builder.BuildAll();
    benchmark::DoNotOptimize(root);
    builder.Free(root);
  }
}
BENCHMARK(BM_MedianBuild)->Arg(10000)->Arg(50000)->Unit(benchmark::kSecond)->Iterations(3);

// Ordering one run of n keys with many ties.
template <void (*Sort)(int*, double*, std::uint32_t)>
void BM_OrderRun(benchmark::State& state) {
  const auto n = static_cast<std::uint32_t>(state.range(0));
  std::mt19937 gen(5);
  std::uniform_int_distribution<int> key(0, 999);
  std::vector<double> keys0(n);
  for (double& k : keys0) k = key(gen);
  for (auto _ : state) {
    std::vector<double> keys = keys0;
    std::vector<int> ids(n);
    for (std::uint32_t i = 0; i < n; ++i) ids[i] = static_cast<int>(i);
    Sort(ids.data(), keys.data(), n);
    benchmark::DoNotOptimize(ids.data());
  }
}
BENCHMARK(BM_OrderRun<zavo::SelectionSortPlain<int>>)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrderRun<zavo::SelectionSortByKey<int>>)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

// Loading the saved median tree of n faces; with plain 0 a leading comment
// sends every token through the scanner.
void BM_LoadHierarchy(benchmark::State& state) {
  const auto n = static_cast<std::uint32_t>(state.range(0));
  Triangles t(n);
  Seqf seqf(t.faces, t.vertices);
  BoxHierBuilder2<int, Seqf> builder(&seqf);
  auto* root = builder.BuildAll();
  std::ostringstream os;
  zavo::SaveHierarchy(os, root);
  builder.Free(root);
  const std::string text = (state.range(1) ? "" : "/* */ ") + os.str();
  for (auto _ : state) {
    std::istringstream in(text);
    auto* back = zavo::LoadHierarchy(in, n);
    benchmark::DoNotOptimize(back);
    delete back;
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_LoadHierarchy)->Args({100000, 1})->Args({100000, 0})->Unit(benchmark::kMillisecond);

}  // namespace
