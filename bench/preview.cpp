// Time of one preview image of 400 x 400 pixels of a wavy grid of 99458
// triangles (224 x 224 vertices) seen in perspective, with the saving of the
// image and of preview.log (in a temporary working directory).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "models/registry.h"
#include "scene/graphic_object.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

constexpr int kSide = 224;

class WavyGrid : public CG_GraphicObject {
public:
  WavyGrid() : CG_GraphicObject(*Data()) {}
  int GetCommData(CG_GraphicObjectCommData&) override { return 1; }
  int SetCommData(CG_GraphicObjectCommData&) override { return 1; }
  void Write(std::ostream&) const override {}
  int HasMaterialOfClass(const CG_Material&) const override { return 1; }
  int IsIndexedMesh() const override { return 1; }
  int MeshVertexCount() const override { return kSide * kSide; }
  void MeshVertex(int i, Point3D& p) const override {
    const int row = (i - 1) / kSide;
    const int column = (i - 1) % kSide;
    const double x = -2 + 4.0 * column / (kSide - 1);
    const double y = -2 + 4.0 * row / (kSide - 1);
    p = Point3D{x, y, 6 + 0.3 * std::sin(3 * x) * std::cos(2 * y)};
  }
  int MeshTriangleCount() const override { return 2 * (kSide - 1) * (kSide - 1); }
  void MeshTriangle(int i, int& a, int& b, int& c) const override {
    const int cell = i / 2;
    const int row = cell / (kSide - 1);
    const int column = cell % (kSide - 1);
    const int v = row * kSide + column + 1;
    if (i % 2 == 0) {
      a = v;
      b = v + 1;
      c = v + kSide + 1;
    } else {
      a = v;
      b = v + kSide + 1;
      c = v + kSide;
    }
  }

private:
  static std::unique_ptr<CG_GraphicObjectCommData> Data() {
    auto data = std::make_unique<CG_GraphicObjectCommData>();
    data->name = "grid";
    return data;
  }
};

void BM_Preview400(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("zavo_bench_preview_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path before = fs::current_path();
  fs::current_path(dir);
  {
    CG_ModelRegistry registry;
    BuildRegistry(registry);
    CG_GraphicScene scene(registry);
    scene.SetName((dir / "bench").c_str());
    scene.GetParam().dimx = 400;
    scene.GetParam().dimy = 400;
    CG_ViewReference& view = scene.GetViewReference();
    view.prp = Point3D{0, 0, -4};
    view.umin = view.vmin = -1;
    view.umax = view.vmax = 1;
    view.type = 1;
    scene.AddObject(std::make_unique<WavyGrid>());
    for (auto _ : state) {
      if (scene.CreatePreview() != 1) state.SkipWithError("the preview failed");
    }
  }
  fs::current_path(before);
  fs::remove_all(dir);
}
BENCHMARK(BM_Preview400)->Unit(benchmark::kMillisecond);

}  // namespace
