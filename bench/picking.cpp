// What a click in a Top view of 1000 x 800 (default window) finds among 1000
// boxes (tested by their pick rays) and 10 polylines of 1000 vertices each
// (tested by their drawn segments), with two lamps and the camera handles.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>

#include "bench_scenes.h"
#include "editor/graphic_editor.h"
#include "editor/views/raster_image.h"

namespace {

// Ten wavy open polylines across the window, 1000 vertices each.
std::string Curves() {
  std::ostringstream text;
  for (int c = 0; c < 10; ++c) {
    text << "{ object name c" << c << "; model { polyline open 1;";
    for (int i = 0; i < 1000; ++i) {
      const double x = -9.5 + 19.0 * i / 999;
      const double y = -6 + 1.2 * c + 0.5 * std::sin(0.37 * i + c);
      text << " p ( " << x << " , " << y << " , 0.5 );";
    }
    text << " } }\n";
  }
  return text.str();
}

void BM_PickCandidates(benchmark::State& state) {
  std::unique_ptr<CG_GraphicEditor> editor = CG_GraphicEditor::Create(0);
  zavo::RasterWireFrameImage surface(1000, 800);
  editor->SetView(0, &surface, 2);
  std::string boxes = zavo::bench::Boxes(1000);
  boxes.pop_back();  // the closing ".\n" comes after the curves
  boxes.pop_back();
  std::istringstream in(boxes + Curves() + ".\n");
  if (editor->scene.Get(in) != 1) state.SkipWithError("scene text not read");
  zavo::bench::AddTwoLamps(editor->scene);
  editor->CreateItems();
  editor->ProjectAllItems();
  editor->activeLayer = nullptr;  // every item takes part
  int k = 0;
  long found = 0;
  for (auto _ : state) {
    const int x = (k * 7919) % 1000, y = (k * 104729) % 800;
    std::unique_ptr<List<GenericName>> candidates = editor->PickCandidates(0, x, y);
    for (const GenericName& n : *candidates) {
      (void)n;
      ++found;
    }
    ++k;
  }
  state.counters["found"] = benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_PickCandidates)->Unit(benchmark::kMicrosecond);

}  // namespace
