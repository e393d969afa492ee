// Rays per second of the three ray queries of a mesh of about 100 000
// triangles (a tessellated sphere), without a face hierarchy and with the
// tree of each build: the level build, the grid build and the median build.
// The trees are built once, before the first measurement that needs them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

#include "geometry/brep_model3.h"
#include "geometry/hier_builder2.h"
#include "geometry/seqf.h"

namespace {

enum Kind { kNone, kLevel, kGrid, kMedian };

// A unit sphere from an n x n grid of points: 2 (n - 1)^2 triangles.
std::unique_ptr<BRepModel3> Sphere(int n) {
  Seq<Point3D> vertices(static_cast<std::uint32_t>(n * n));
  for (int r = 0; r < n; ++r) {
    const double theta = std::numbers::pi * r / (n - 1);
    for (int c = 0; c < n; ++c) {
      const double phi = 2 * std::numbers::pi * c / (n - 1);
      vertices[static_cast<std::uint32_t>(c * n + r)] = {std::sin(theta) * std::cos(phi),
                                                         std::sin(theta) * std::sin(phi), std::cos(theta)};
    }
  }
  const auto v = [n](int r, int c) { return c * n + r + 1; };
  Seq<Face3> faces(static_cast<std::uint32_t>(2 * (n - 1) * (n - 1)));
  std::uint32_t f = 0;
  for (int r = 0; r + 1 < n; ++r) {
    for (int c = 0; c + 1 < n; ++c) {
      const int tri[2][3] = {{v(r, c), -v(r + 1, c), v(r, c + 1)}, {v(r + 1, c), v(r + 1, c + 1), -v(r, c + 1)}};
      for (const auto& t : tri) {
        auto* contour = new ContourFace3;
        contour->vertices.SetSize(3);
        for (std::uint32_t k = 0; k < 3; ++k) contour->vertices[k] = t[k];
        faces[f++].contours.Append(contour);
      }
    }
  }
  return std::make_unique<BRepModel3>("sphere", vertices, faces);
}

BRepModel3& Mesh(Kind kind) {
  static std::unique_ptr<BRepModel3> meshes[4];
  std::unique_ptr<BRepModel3>& mesh = meshes[kind];
  if (mesh) return *mesh;
  mesh = Sphere(225);
  switch (kind) {
    case kNone:
      break;
    case kLevel:
      mesh->BuildHierarchy(1.2, nullptr, nullptr);
      break;
    case kGrid: {
      // The mesh itself would take the median build above 10000 vertices.
      Seqf seqf(mesh->faces, mesh->vertices);
      BoxHierBuilder2<int, Seqf> builder(&seqf);
      builder.SetGridDimension(20);
      mesh->hierarchy = builder.Build(1.2);
      break;
    }
    case kMedian:
      mesh->BuildHierarchy2Default(nullptr, nullptr);
      break;
  }
  return *mesh;
}

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

template <Kind kind, int (BRepModel3::*query)(const Ray&, BRepModel3::Hits&, double) const>
void BM_MeshQuery(benchmark::State& state) {
  const BRepModel3& mesh = Mesh(kind);
  const std::vector<Ray>& rays = Rays();
  BRepModel3::Hits hits;
  std::size_t i = 0;
  long long found = 0;
  for (auto _ : state) {
    found += (mesh.*query)(rays[i++ % rays.size()], hits, 1e-6);
  }
  benchmark::DoNotOptimize(found);
  state.SetItemsProcessed(state.iterations());  // rays
}

#define MESH_QUERIES(kind)                                                  \
  BENCHMARK_TEMPLATE(BM_MeshQuery, kind, &BRepModel3::Intersect);          \
  BENCHMARK_TEMPLATE(BM_MeshQuery, kind, &BRepModel3::IntersectFirst);     \
  BENCHMARK_TEMPLATE(BM_MeshQuery, kind, &BRepModel3::IntersectBestFirst);

MESH_QUERIES(kNone)
MESH_QUERIES(kLevel)
MESH_QUERIES(kGrid)
MESH_QUERIES(kMedian)

}  // namespace

// Shadow rays: from points on the sphere outwards to a lamp, and from a lamp
// towards the far side (blocked): the any-hit walk against the nearest-hit
// query that the shadow search asked before.
const std::vector<std::pair<Ray, double>>& ShadowRays() {
  static const std::vector<std::pair<Ray, double>> rays = [] {
    std::vector<std::pair<Ray, double>> out;
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> dir(-1, 1);
    const Point3D lamp{4, 6, -2};
    for (int i = 0; i < 1024; ++i) {
      Point3D p{dir(gen), dir(gen), dir(gen)};
      p = p * (1.0 / Length(p));
      out.emplace_back(Ray::FromPoints(p, lamp), Distance3D(p, lamp));
    }
    return out;
  }();
  return rays;
}

void BM_ShadowHitBefore(benchmark::State& state) {
  const BRepModel3& mesh = Mesh(kMedian);
  const auto& rays = ShadowRays();
  std::size_t i = 0;
  long long blocked = 0;
  for (auto _ : state) {
    const auto& [ray, limit] = rays[i++ % rays.size()];
    blocked += mesh.HitBefore(ray, 1e-6, limit) ? 1 : 0;
  }
  benchmark::DoNotOptimize(blocked);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShadowHitBefore);

void BM_ShadowNearestHit(benchmark::State& state) {
  const BRepModel3& mesh = Mesh(kMedian);
  const auto& rays = ShadowRays();
  BRepModel3::Hits hits;
  std::size_t i = 0;
  long long blocked = 0;
  for (auto _ : state) {
    const auto& [ray, limit] = rays[i++ % rays.size()];
    const int n = mesh.IntersectBestFirst(ray, hits, 1e-6);
    double nearest = limit;
    for (int k = 0; k < n; ++k) nearest = std::min(nearest, hits[static_cast<unsigned int>(k)].t);
    blocked += nearest < limit ? 1 : 0;
  }
  benchmark::DoNotOptimize(blocked);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShadowNearestHit);
