// Speed of plotting rendered pixels into the shell's window image and its
// off-screen copy (1024 x 768), pixel sizes 1 and 3, with and without the
// peek at the event queue: pixels per second ("items_per_second").
#include <benchmark/benchmark.h>

#include "win/pixel_target.h"
#include "win/win_qz_interface.h"

namespace {

void BM_PlotPixel(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const int peek = static_cast<int>(state.range(1));
  const int w = 1024 / n, h = 768 / n;
  zavo::PixelBuffer window(1024, 768), memory(1024, 768);
  WinQZInterface qz(nullptr, nullptr);
  qz.SetTarget(&window, &memory, n);
  qz.peek = peek;
  for (auto _ : state) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) qz.PlotPixel(x, y, x * (1.0 / 1024), y * (1.0 / 768), 0.37);
    }
    benchmark::DoNotOptimize(window.Bytes().data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(w) * h);
}
BENCHMARK(BM_PlotPixel)->ArgNames({"size", "peek"})->Args({1, 0})->Args({1, 1})->Args({3, 0})->Args({3, 1});

}  // namespace
