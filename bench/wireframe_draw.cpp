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
#include "wavy_grid.h"
#include "geometry/bounding_object.h"
#include "scene/comm_data.h"
#include "scene/graphic_object.h"

namespace {

using bench_views::Data;
using bench_views::WavyGrid;

// A document whose Top view (view 0, active) is a 1000 x 800 raster surface
// showing the boxes and the grid, every item projected, with two point lamps.
struct TopViewScene {
  TopViewScene() {
    editor->SetView(0, &surface, 2);
    editor->options.UseColor = 0;
    std::istringstream in(zavo::bench::Boxes(1000));
    read = editor->scene.Get(in) == 1;
    editor->scene.AddObject(std::make_unique<WavyGrid>());
    zavo::bench::AddTwoLamps(editor->scene);
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
