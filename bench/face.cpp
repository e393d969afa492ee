// Cost of the face ray test that the mesh queries run for every candidate
// face: a triangle and a square with a square hole, against rays that hit and
// rays that meet the plane outside the face.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "foundation/seq.h"
#include "geometry/face3.h"
#include "geometry/ray.h"

namespace {

struct Scene {
  Seq<Point3D> points;
  Face3 triangle;
  Face3 holed;

  Scene() {
    const Point3D p[] = {{0, 0, 0}, {1, 0, 0.2}, {0.3, 1, 0.1},                          // triangle
                         {0, 0, 0}, {4, 0, 0},   {4, 4, 0},   {0, 4, 0},                 // outer square
                         {1, 1, 0}, {3, 1, 0},   {3, 3, 0},   {1, 3, 0}};                // hole
    points.SetSize(11);
    for (std::uint32_t i = 0; i < 11; ++i) points[i] = p[i];
    triangle.contours.Append(Contour({1, 2, 3}));
    triangle.ComputePlane(points);
    holed.contours.Append(Contour({4, 5, 6, 7}));
    holed.contours.Append(Contour({8, 9, 10, 11}));
    holed.ComputePlane(points);
  }

  static ContourFace3* Contour(std::initializer_list<int> entries) {
    auto* c = new ContourFace3;
    c->vertices.SetSize(static_cast<std::uint32_t>(entries.size()));
    std::uint32_t i = 0;
    for (int e : entries) c->vertices[i++] = e;
    return c;
  }
};

// Rays from above towards points of the plane z = 0 chosen by the predicate.
template <class Keep>
std::vector<Ray> Rays(double lo, double hi, Keep keep) {
  std::mt19937 gen(99);
  std::uniform_real_distribution<double> pos(lo, hi), tilt(-0.2, 0.2);
  std::vector<Ray> rays;
  while (rays.size() < 4096) {
    const double x = pos(gen), y = pos(gen);
    if (!keep(x, y)) continue;
    const Point3D d{tilt(gen), tilt(gen), -1};
    rays.push_back(Ray::FromDirection(Point3D{x, y, 0} - 3.0 * d, d));
  }
  return rays;
}

void Run(benchmark::State& state, const Face3& face, const Seq<Point3D>& points, const std::vector<Ray>& rays,
         int expected) {
  std::size_t i = 0;
  double t = 0;
  Point3D normal;
  int hits = 0;
  for (auto _ : state) {
    hits += face.Intersect(rays[i], points, t, normal, 0.0);
    benchmark::DoNotOptimize(t);
    i = (i + 1) & 4095;
  }
  state.counters["hit share"] = static_cast<double>(hits) / static_cast<double>(state.iterations());
  if (expected >= 0 && (hits != 0) != (expected != 0)) state.SkipWithError("unexpected result");
}

void BM_TriangleHit(benchmark::State& state) {
  Scene s;
  Run(state, s.triangle, s.points, Rays(0, 1, [](double x, double y) { return y > 0.05 && y < 0.9 && x > 0.3 * y + 0.02 && x < 1 - 0.7 * y - 0.02; }), 1);
}
BENCHMARK(BM_TriangleHit);

void BM_TriangleMiss(benchmark::State& state) {
  Scene s;
  Run(state, s.triangle, s.points, Rays(-1, 2, [](double x, double y) { return x < -0.1 || x > 1.1 || y < -0.1 || y > 1.1; }), 0);
}
BENCHMARK(BM_TriangleMiss);

void BM_HoledSquareHit(benchmark::State& state) {
  Scene s;
  Run(state, s.holed, s.points, Rays(0.2, 3.8, [](double x, double y) { return x < 0.8 || x > 3.2 || y < 0.8 || y > 3.2; }), 1);
}
BENCHMARK(BM_HoledSquareHit);

void BM_HoledSquareMissInHole(benchmark::State& state) {
  Scene s;
  Run(state, s.holed, s.points, Rays(1.2, 2.8, [](double, double) { return true; }), 0);
}
BENCHMARK(BM_HoledSquareMissInHole);

}  // namespace
