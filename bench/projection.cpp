// Time of one ProjectItem into four views (Preview 400 x 300, Top, Side and
// Front 400 x 300 each, default windows):
//   - a wavy grid of 100352 triangles (225 x 225 vertices) with its edge
//     list: every part goes the vertex path;
//   - a closed curve of 10^4 vertices: the segment path, with its edge table
//     built once and shared by the three parallel views (the Preview view
//     never shows curves).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <ostream>

#include "editor/graphic_editor.h"
#include "editor/scene_editor_item.h"
#include "editor/views/raster_image.h"
#include "wavy_grid.h"
#include "scene/comm_data.h"
#include "scene/graphic_object.h"
#include "geometry/bounding_object.h"

namespace {

using bench_views::Data;
using bench_views::WavyGrid;

class Ring : public CG_GraphicObject {
public:
  Ring() : CG_GraphicObject(Data("ring")) {
    bound = BoundingBox(Point(0));
    for (int i = 1; i < VertexCount(); ++i) bound.Extend(Point(i));
  }
  int GetCommData(CG_GraphicObjectCommData&) override { return 1; }
  int SetCommData(CG_GraphicObjectCommData&) override { return 1; }
  void Write(std::ostream&) const override {}
  int IsFaced(int mode) const override { return mode == 0; }
  int IsCurve() const override { return 1; }
  int GetOpen() const override { return 0; }
  int VertexCount() const override { return 10000; }
  void Vertex(int i, Point3D& p) const override { p = Point(i); }
  const BoundingObject* GetBoundingObject() const override { return &bound; }

private:
  static Point3D Point(int i) {
    const double a = 2 * std::acos(-1.0) * i / 10000;
    return {6.3 * std::cos(a), 5.1 * std::sin(a), 1.7 * std::sin(7 * a)};
  }
  BoundingBox bound;
};

struct Views {
  Views() : editor(CG_GraphicEditor::Create(0)) {
    for (int v = 0; v < 4; ++v) {
      surfaces[v] = std::make_unique<zavo::RasterWireFrameImage>(400, 300);
      editor->SetView(v, surfaces[v].get(), v + 1);
    }
  }
  std::unique_ptr<CG_GraphicEditor> editor;
  std::unique_ptr<zavo::RasterWireFrameImage> surfaces[4];
};

void ProjectObject(benchmark::State& state, std::unique_ptr<CG_GraphicObject> object) {
  Views views;
  CG_GraphicObject* raw = object.get();
  views.editor->scene.AddObject(std::move(object));
  CG_SceneEditorItem* item = views.editor->CreateItem(raw);
  views.editor->options.KeepEdge = 0;
  for (auto _ : state) {
    views.editor->ProjectItem(item);
    benchmark::DoNotOptimize(item->segments[1].Data());
  }
}

void BM_ProjectMesh(benchmark::State& state) { ProjectObject(state, std::make_unique<WavyGrid>()); }
void BM_ProjectCurve(benchmark::State& state) { ProjectObject(state, std::make_unique<Ring>()); }

BENCHMARK(BM_ProjectMesh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectCurve)->Unit(benchmark::kMillisecond);

}  // namespace
