// Speed of the patch models: one conversion of a 100-patch Bezier model at
// div 10 without a cache (tessellation, mesh and face hierarchy) and with a
// cache hit; the control table of 1000 patches sharing edges; one NURBS patch
// of 10 x 10 points of order 4 at div 30.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "models/core/brep.h"
#include "models/curved/bezier.h"
#include "models/curved/nurbs_mesh.h"

namespace {

namespace fs = std::filesystem;

// A row of n patches along x, each sharing its last row with the next one.
void AddPatches(List<CG_BezierPatch>& patches, int n) {
  for (int k = 0; k < n; ++k) {
    auto* patch = new CG_BezierPatch();
    for (int r = 0; r < 4; ++r) {
      for (int c = 0; c < 4; ++c) patch->SetControl(r, c, Point3D{3.0 * k + r, double(c), ((r + c) % 2) * 0.5});
    }
    patches.Append(patch);
  }
}

fs::path BenchDir() {
  const fs::path dir = fs::temp_directory_path() / ("zavo_bench_patch_" + std::to_string(long(::getpid())));
  fs::create_directories(dir);
  return dir;
}

void Convert(GBezier& model) {
  zavo::DeclassedParts parts;
  model.DeclassToFaced(parts, 0);
  zavo::ReleaseDeclassedParts(parts);
}

void BM_BezierConversion(benchmark::State& state) {
  const bool hit = state.range(0) != 0;
  const fs::path dir = BenchDir();
  {
    List<CG_BezierPatch> patches;
    AddPatches(patches, 100);
    std::ofstream out(dir / "wing.bzr");
    GBezier::WritePatches(out, patches);
  }
  CG_BezierDescription d;
  d.modelName = "wing";
  d.modelPath = (dir / "wing").string().c_str();
  d.div = 10;
  d.cache = hit ? 1 : 0;
  d.gridDim = 30;
  CG_GraphicObjectCommData data;
  data.name = "wing";
  GBezier model(data, d);
  if (hit) Convert(model);  // writes the cache
  for (auto _ : state) Convert(model);
  fs::remove_all(dir);
}
BENCHMARK(BM_BezierConversion)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_BezierControlTable(benchmark::State& state) {
  CG_BezierDescription d;
  d.embedded = 1;
  AddPatches(d.patches, 1000);
  CG_GraphicObjectCommData data;
  data.name = "b";
  GBezier model(data, d);
  for (auto _ : state) {
    model.SetDescription(d);  // copies the patches and builds the table
    benchmark::DoNotOptimize(model.PointCount());
  }
}
BENCHMARK(BM_BezierControlTable)->Unit(benchmark::kMillisecond);

void BM_NURBSPatch(benchmark::State& state) {
  CG_NURBSMeshDescription d;
  d.embedded = 1;
  d.div = 30;
  d.cache = 0;
  d.gridDim = 30;
  auto* p = new CG_NURBSPatch();
  p->orderx = p->ordery = 4;
  p->dimx = p->dimy = 10;
  p->knotsU.SetSize(14);
  for (std::uint32_t i = 0; i < 14; ++i) p->knotsU[i] = i < 4 ? 0.0 : (i > 9 ? 7.0 : i - 3.0);
  p->knotsV.SetSize(14);
  for (std::uint32_t i = 0; i < 14; ++i) p->knotsV[i] = p->knotsU[i];
  p->weights.Allocate(10, 10);
  p->controls.Allocate(10, 10);
  for (std::uint32_t r = 0; r < 10; ++r) {
    for (std::uint32_t c = 0; c < 10; ++c) {
      p->weights(r, c) = 1.0 + (r + c) % 3;
      p->controls(r, c) = Point3D{double(r), double(c), double((r * c) % 4)};
    }
  }
  d.patches.Append(p);
  CG_GraphicObjectCommData data;
  data.name = "n";
  CG_NURBSMesh model(data, d);
  for (auto _ : state) {
    zavo::DeclassedParts parts;
    model.DeclassToFaced(parts, 0);
    zavo::ReleaseDeclassedParts(parts);
  }
}
BENCHMARK(BM_NURBSPatch)->Unit(benchmark::kMillisecond);

}  // namespace
