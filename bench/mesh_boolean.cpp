// Time of the union of two overlapping spheres of 968 triangles each (a
// 23 x 23 table of points, as the sphere tessellation hands it to the grid
// mesh): every pair of triangles is tested, so the cost is quadratic in the
// triangle count.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "foundation/table.h"
#include "geometry/mesh_boolean.h"
#include "geometry/mesh_builders.h"

namespace {

std::unique_ptr<BRepModel3> Sphere(const Point3D& centre, double radius, std::uint32_t n) {
  Table<Point3D> t(n, n);
  const double pi = std::acos(-1.0);
  for (std::uint32_t r = 0; r < n; ++r) {
    const double theta = pi * r / (n - 1);
    for (std::uint32_t c = 0; c < n; ++c) {
      const double phi = 2 * pi * c / (n - 1);
      t[r][c] = centre + radius * Point3D{std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi),
                                          std::cos(theta)};
    }
  }
  return MakeGridBRep("sphere", t);
}

void BM_MeshUnionOfTwoSpheres(benchmark::State& state) {
  const auto a = Sphere({0, 0, 0}, 1.0, 23);
  const auto b = Sphere({0.7, 0.3, 0.2}, 1.0, 23);
  std::uint32_t faces = 0;
  for (auto _ : state) {
    const auto result = MeshUnion(*a, *b);
    faces = result->faces.Count();
    benchmark::DoNotOptimize(faces);
  }
  state.counters["triangles_each"] = a->faces.Count();
  state.counters["result_faces"] = faces;
}
BENCHMARK(BM_MeshUnionOfTwoSpheres)->Unit(benchmark::kMillisecond);

}  // namespace
