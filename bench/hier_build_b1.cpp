// Time of the hierarchy builds alone, the builders of src/ beside the plain
// scans they stand for (tests/*/reference_*_builders.h), measured in one run:
// - the global hierarchy of the B1 scene of the speed comparisons (K x K
//   spheres on a slab under a ground box 2000 wide: ../shared/bench/
//   gen_bench.py spheres K) for 1k, 10k and 100k spheres, by "auto" (the
//   scene defaults: grid 30, seed order 1, ratio 1.1) and by "hier";
// - the face hierarchy of the B2 mesh (a bumpy sphere of 2 n^2 triangles) by
//   the grid build and the level build of the brep objects;
// - the face hierarchy of 20 000 coincident faces (flat and not), by both.
// The plain scans are quadratic: the 100k "auto" scan alone takes a minute.
// The grid builds write "hierbl2.log" in the working directory.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "foundation/seq.h"
#include "geometry/bounding_object.h"
#include "geometry/face3.h"
#include "geometry/hier_builder.h"
#include "geometry/hier_builder2.h"
#include "geometry/reference_hier_builders.h"
#include "geometry/seqf.h"
#include "render/bound_hier_builder.h"
#include "render/bound_hier_builder2.h"
#include "render/reference_bound_builders.h"
#include "scene/comm_data.h"
#include "scene/graphic_object.h"
#include "scene/trace_data.h"

namespace {

// An object that only has a name and a box volume.
class BoxObject : public CG_GraphicObject {
public:
  BoxObject(const CG_GraphicObjectCommData& data, const GEO_Box& box) : CG_GraphicObject(data), volume_(box) {}
  int GetCommData(CG_GraphicObjectCommData&) override { return 0; }
  int SetCommData(CG_GraphicObjectCommData&) override { return 0; }
  void Write(std::ostream&) const override {}
  const BoundingObject* GetBoundingObject() const override { return &volume_; }

private:
  BoundingBox volume_;
};

class NoHits : public CG_GraphicObjectIntrInfo {
public:
  double Value(int) const override { return 0.0; }
  int Count() const override { return 0; }
};

// Six decimals, as the scene file has them.
double Written(double v) { return std::round(v * 1e6) / 1e6; }

// The bounded objects of B1 in scene order: the ground box, then the K x K
// spheres (a sphere's box reaches sqrt(2) r from its centre).
struct B1Scene {
  explicit B1Scene(int k) {
    Add("ground", {-1000, 1000, -1, 0, -1000, 1000});
    const double s = 2.0 / k, r = Written(0.4 * s), h = std::sqrt(2.0) * r;
    for (int i = 0; i < k; ++i) {
      for (int j = 0; j < k; ++j) {
        const double x = Written(-1 + (i + 0.5) * s), z = Written(-1 + (j + 0.5) * s);
        Add("s" + std::to_string(i) + "_" + std::to_string(j), {x - h, x + h, r - h, r + h, z - h, z + h});
      }
    }
    seq.SetSize(static_cast<std::uint32_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) seq[static_cast<std::uint32_t>(i)] = entries[i].get();
  }
  void Add(const std::string& name, const GEO_Box& box) {
    CG_GraphicObjectCommData data;
    data.name = name.c_str();
    entries.push_back(std::make_unique<CG_GraphicObjectQZData>(new BoxObject(data, box), 1, std::make_unique<NoHits>()));
  }
  std::vector<std::unique_ptr<CG_GraphicObjectQZData>> entries;
  SeqGraphicObject seq;
};

using Builder = BoundHierBuilder<CG_GraphicObjectQZData*, SeqGraphicObject>;
using Builder2 = BoundHierBuilder2<CG_GraphicObjectQZData*, SeqGraphicObject>;
using RefBuilder = zavo::reference::ReferenceBoundHierBuilder;
using RefBuilder2 = zavo::reference::ReferenceBoundHierBuilder2;

template <class B2>
void BM_B1Auto(benchmark::State& state) {
  B1Scene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    B2 builder(&scene.seq);
    builder.SetSeedOrder(1);
    builder.SetGridDimension(30);
    zavo::GlobalHierarchyPtr root = builder.Build(1.1);
    benchmark::DoNotOptimize(root.get());
  }
  state.counters["objects"] = static_cast<double>(scene.seq.Count());
}
BENCHMARK(BM_B1Auto<Builder2>)->Arg(32)->Arg(100)->Arg(317)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_B1Auto<RefBuilder2>)->Arg(32)->Arg(100)->Arg(317)->Unit(benchmark::kMillisecond)->Iterations(1);

template <class B>
void BM_B1Hier(benchmark::State& state) {
  B1Scene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    B builder(&scene.seq);
    zavo::GlobalHierarchyPtr root = builder.Build(1.1);
    benchmark::DoNotOptimize(root.get());
  }
}
BENCHMARK(BM_B1Hier<Builder>)->Arg(32)->Arg(100)->Arg(317)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_B1Hier<RefBuilder>)->Arg(32)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);

// A mesh's faces and vertices.
struct Mesh {
  Seq<Point3D> vertices;
  Seq<Face3> faces;

  // Face f (the faces already sized) as the triangle a, b, c.
  void SetTriangle(std::uint32_t f, int a, int b, int c) {
    auto* contour = new ContourFace3;
    contour->vertices.SetSize(3);
    contour->vertices[0] = a + 1;  // contours count vertices from 1
    contour->vertices[1] = b + 1;
    contour->vertices[2] = c + 1;
    faces[f].contours.Append(contour);
    faces[f].ComputePlane(vertices);
  }
};

// B2's bumpy sphere of 2 n^2 triangles.
Mesh Bumpy(int n) {
  Mesh m;
  m.vertices.SetSize(static_cast<std::uint32_t>((n + 1) * (n + 1)));
  const double pi = std::acos(-1.0);
  for (int a = 0; a <= n; ++a) {
    const double th = pi * a / n;
    for (int b = 0; b <= n; ++b) {
      const double ph = 2 * pi * b / n;
      const double rr = 0.5 * (1 + 0.05 * std::sin(7 * th) * std::sin(9 * ph));
      m.vertices[static_cast<std::uint32_t>(a * (n + 1) + b)] = {rr * std::sin(th) * std::cos(ph),
                                                                 0.5 + rr * std::cos(th),
                                                                 rr * std::sin(th) * std::sin(ph)};
    }
  }
  m.faces.SetSize(static_cast<std::uint32_t>(2 * n * n));
  std::uint32_t f = 0;
  for (int a = 0; a < n; ++a) {
    for (int b = 0; b < n; ++b) {
      const int v0 = a * (n + 1) + b, v1 = v0 + 1, v2 = v0 + n + 1, v3 = v2 + 1;
      m.SetTriangle(f++, v0, v2, v1);
      m.SetTriangle(f++, v1, v2, v3);
    }
  }
  return m;
}

// count copies of one triangle, flat on z or tilted.
Mesh Coincident(int count, bool flat) {
  Mesh m;
  m.vertices.SetSize(3);
  m.vertices[0] = {0.1, 0.2, 0.3};
  m.vertices[1] = {1.3, 0.25, flat ? 0.3 : 0.7};
  m.vertices[2] = {0.4, 1.1, flat ? 0.3 : 0.9};
  m.faces.SetSize(static_cast<std::uint32_t>(count));
  for (int i = 0; i < count; ++i) m.SetTriangle(static_cast<std::uint32_t>(i), 0, 1, 2);
  return m;
}

using Grid2 = BoxHierBuilder2<int, Seqf>;
using RefGrid2 = zavo::reference::ReferenceBoxHierBuilder2<int, Seqf>;
using Level = BoxHierBuilder<int, Seqf>;
using RefLevel = zavo::reference::ReferenceBoxHierBuilder<int, Seqf>;

template <class G>
void RunGrid(benchmark::State& state, const Mesh& m) {
  Seqf seqf(m.faces, m.vertices);
  for (auto _ : state) {
    G builder(&seqf);
    builder.SetGridDimension(20);
    auto* root = builder.Build(1.3);
    benchmark::DoNotOptimize(root);
    builder.Free(root);
  }
  state.counters["faces"] = m.faces.Count();
}
template <class L>
void RunLevel(benchmark::State& state, const Mesh& m) {
  Seqf seqf(m.faces, m.vertices);
  for (auto _ : state) {
    L builder(&seqf);
    auto* root = builder.Build(1.3);
    benchmark::DoNotOptimize(root);
    builder.Free(root);
  }
  state.counters["faces"] = m.faces.Count();
}

template <class G>
void BM_B2FaceGrid(benchmark::State& state) {
  RunGrid<G>(state, Bumpy(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_B2FaceGrid<Grid2>)->Arg(70)->Arg(224)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_B2FaceGrid<RefGrid2>)->Arg(70)->Arg(224)->Unit(benchmark::kMillisecond)->Iterations(1);

template <class L>
void BM_B2FaceLevel(benchmark::State& state) {
  RunLevel<L>(state, Bumpy(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_B2FaceLevel<Level>)->Arg(70)->Arg(224)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_B2FaceLevel<RefLevel>)->Arg(70)->Unit(benchmark::kMillisecond)->Iterations(1);

// 20 000 coincident faces (range 1: flat on an axis).
template <class G>
void BM_CoincidentGrid(benchmark::State& state) {
  RunGrid<G>(state, Coincident(static_cast<int>(state.range(0)), state.range(1) != 0));
}
BENCHMARK(BM_CoincidentGrid<Grid2>)->Args({20000, 1})->Args({20000, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoincidentGrid<RefGrid2>)->Args({20000, 1})->Args({20000, 0})->Unit(benchmark::kMillisecond)->Iterations(1);

template <class L>
void BM_CoincidentLevel(benchmark::State& state) {
  RunLevel<L>(state, Coincident(static_cast<int>(state.range(0)), state.range(1) != 0));
}
BENCHMARK(BM_CoincidentLevel<Level>)->Args({20000, 1})->Args({20000, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoincidentLevel<RefLevel>)->Args({20000, 1})->Args({20000, 0})->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
