// Whole ray-traced images of the scenes of gen_bench.py, loaded and rendered
// as zavo-render does: B1 (K x K spheres on a slab, two lamps, shadows,
// reflections) at 1k, 10k and 100k spheres and B2 (a mesh on the slab) at 100k
// and 1M triangles, each as a first run (no hierarchy cache: the global
// hierarchy and the face hierarchy are built and written) and as a cached run
// (both read from their files).
//
// The scenes are not made here: ZAVO_BENCH_SCENES names a directory holding
//   b1_1k.qz b1_10k.qz b1_100k.qz   gen_bench.py spheres 32|100|316 STEM 640 480
//   b2_100k.qz b2_1m.qz (+ _mesh.brp) gen_bench.py mesh 224|707 STEM 640 480
// A scene that is not there is skipped. ZAVO_BENCH_THREADS sets the threads
// (default 1).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"
#include "scene/system_interface.h"

namespace {

namespace fs = std::filesystem;

const char* const kScenes[] = {"b1_1k", "b1_10k", "b1_100k", "b2_100k", "b2_1m"};

fs::path SceneDirectory() {
  const char* dir = std::getenv("ZAVO_BENCH_SCENES");
  return dir != nullptr ? fs::path(dir) : fs::path();
}

int Threads() {
  const char* text = std::getenv("ZAVO_BENCH_THREADS");
  return text != nullptr ? std::atoi(text) : 1;
}

// The caches a render of the scene writes beside it.
void RemoveCaches(const fs::path& dir, const std::string& stem) {
  std::error_code error;
  fs::remove(dir / (stem + ".qz_"), error);
  for (const fs::directory_entry& file : fs::directory_iterator(dir, error)) {
    if (file.path().extension() == ".br_") fs::remove(file.path(), error);
  }
}

// Loads and renders the scene once; false when that fails.
bool RenderOnce(const fs::path& dir, const std::string& stem, const fs::path& output) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  zavo::AddDocumentModelModules(registry);
  CG_GraphicScene scene(registry);
  CG_NullGraphicSystemInterface silent;
  scene.SetName((dir / stem).string().c_str());
  scene.SetInterface(&silent);
  scene.SetThreadCount(Threads());
  std::ifstream in(dir / (stem + ".qz"), std::ios::binary);
  if (!in.is_open() || !scene.Load(in)) return false;
  scene.SetOutputImage(output.string().c_str());
  scene.Render();
  return scene.RenderSucceeded();
}

void BM_TracedScene(benchmark::State& state) {
  const std::string stem = kScenes[state.range(0)];
  const bool cached = state.range(1) != 0;
  state.SetLabel(stem + (cached ? " cached" : " first run"));
  const fs::path dir = SceneDirectory();
  std::error_code error;
  if (dir.empty() || !fs::is_regular_file(dir / (stem + ".qz"), error)) {
    state.SkipWithError("no scene: set ZAVO_BENCH_SCENES (see the head of bench/traced_scenes.cpp)");
    return;
  }
  // Model files named in the scene are found beside it.
  const fs::path before = fs::current_path(error);
  fs::current_path(dir, error);
  const fs::path output = fs::temp_directory_path() / ("zavo-bench-" + stem);
  if (cached) RenderOnce(dir, stem, output);
  for (auto _ : state) {
    if (!cached) {
      state.PauseTiming();
      RemoveCaches(dir, stem);
      state.ResumeTiming();
    }
    if (!RenderOnce(dir, stem, output)) state.SkipWithError("the render failed");
  }
  fs::remove(output.string() + ".bmp", error);
  fs::current_path(before, error);
}
BENCHMARK(BM_TracedScene)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}})
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
