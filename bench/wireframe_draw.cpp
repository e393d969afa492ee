// Painting a Top view of 1000 x 800 (default window) that holds 1000 boxes
// and a wavy grid of 100352 triangles (225 x 225 vertices, drawn from its
// projected vertices and its edge list), the whole refresh of that view, and
// the raster surface's line throughput.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <ostream>
#include <sstream>
#include <vector>

#include "bench_scenes.h"
#include "editor/graphic_editor.h"
#include "editor/scene_editor_item.h"
#include "editor/views/raster_image.h"
#include "geometry/bounding_object.h"
#include "models/core/point_lamp.h"
#include "scene/comm_data.h"
#include "scene/graphic_object.h"

namespace {

constexpr int kSide = 225;  // vertices along each side of the grid

CG_GraphicObjectCommData& Data(const char* name) {
  static CG_GraphicObjectCommData data;
  data.name = name;
  return data;
}

class WavyGrid : public CG_GraphicObject {
public:
  WavyGrid() : CG_GraphicObject(Data("grid")) {
    bound = BoundingBox(Point(0));
    for (int i = 1; i < VertexCount(); ++i) bound.Extend(Point(i));
  }
  int GetCommData(CG_GraphicObjectCommData&) override { return 1; }
  int SetCommData(CG_GraphicObjectCommData&) override { return 1; }
  void Write(std::ostream&) const override {}
  int IsFaced(int mode) const override { return mode == 0; }
  int VertexCount() const override { return kSide * kSide; }
  void Vertex(int i, Point3D& p) const override { p = Point(i); }
  int FaceCount() const override { return 2 * (kSide - 1) * (kSide - 1); }
  int FaceLoopCount(int) const override { return 1; }
  void FaceIndices(int face, int, Seq<int>& indices) const override {
    const int quad = face / 2;
    const int a = quad / (kSide - 1) * kSide + quad % (kSide - 1) + 1;
    indices.SetSize(3);
    if (face % 2 == 0) {
      indices[0] = a, indices[1] = a + 1, indices[2] = a + kSide + 1;
    } else {
      indices[0] = a, indices[1] = a + kSide + 1, indices[2] = a + kSide;
    }
  }
  int HasEdges() const override { return 1; }
  int EdgeCount() const override { return 3 * (kSide - 1) * (kSide - 1); }
  void Edge(int e, int& a, int& b) const override {
    const int quad = e / 3;
    a = quad / (kSide - 1) * kSide + quad % (kSide - 1) + 1;
    b = a + (e % 3 == 0 ? 1 : e % 3 == 1 ? kSide : kSide + 1);
  }
  const BoundingObject* GetBoundingObject() const override { return &bound; }

private:
  static Point3D Point(int i) {
    const double x = -7 + 14.0 * (i % kSide) / (kSide - 1);
    const double y = -7 + 14.0 * (i / kSide) / (kSide - 1);
    return {x, y, 0.7 * std::sin(1.3 * x) * std::cos(0.9 * y)};
  }
  BoundingBox bound;
};

// A document whose Top view (view 0, active) is a 1000 x 800 raster surface
// showing the boxes and the grid, every item projected, with two point lamps.
struct TopViewScene {
  TopViewScene() {
    editor->SetView(0, &surface, 2);
    editor->options.UseColor = 0;
    std::istringstream in(zavo::bench::Boxes(1000));
    read = editor->scene.Get(in) == 1;
    editor->scene.AddObject(std::make_unique<WavyGrid>());
    CG_PointLampDescription at;
    at.pos = Point3D(3.3, -2.1, 4.7);
    editor->scene.AddLight(std::make_unique<GPointLamp>("l1", nullptr, at));
    at.pos = Point3D(-6.2, 4.4, 8.1);
    editor->scene.AddLight(std::make_unique<GPointLamp>("l2", nullptr, at));
    editor->CreateItems();
    editor->ProjectAllItems();
    editor->activeView = 0;
  }

  std::unique_ptr<CG_GraphicEditor> editor = CG_GraphicEditor::Create(0);
  zavo::RasterWireFrameImage surface{1000, 800};
  bool read = false;
};

void BM_PaintTopView(benchmark::State& state) {
  TopViewScene top;
  if (!top.read) state.SkipWithError("scene text not read");
  std::vector<CG_SceneEditorItem*> items;
  for (CG_SceneEditorItem& item : top.editor->items) items.push_back(&item);
  for (auto _ : state) {
    for (CG_SceneEditorItem* item : items) top.editor->DrawItemInView(0, item);
    benchmark::DoNotOptimize(top.surface.Buffer().data());
  }
}

// The whole refresh: the axes, every item, the lamp glyphs, the marker and
// the title over the view.
void BM_RefreshView(benchmark::State& state) {
  TopViewScene top;
  if (!top.read) state.SkipWithError("scene text not read");
  top.editor->showAxes = 1;
  for (auto _ : state) {
    top.editor->RefreshView(0);
    benchmark::DoNotOptimize(top.surface.Buffer().data());
  }
}

void BM_RasterLines(benchmark::State& state) {
  zavo::RasterWireFrameImage surface(1000, 800);
  surface.BeginPen(20, 40, 60);
  int k = 0;
  for (auto _ : state) {
    const int a = (k * 7919) % 1000, b = (k * 104729) % 800;
    surface.PenLine(a, b, 999 - b, (a * 3) % 800);
    ++k;
  }
  surface.EndPen();
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_PaintTopView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RasterLines);

}  // namespace
