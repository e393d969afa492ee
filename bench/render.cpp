// The ray tracer: the nearest-hit search over 10^4 spheres in each mode of
// "buildhier" (0 the list, 1 best first, 2 ordered, 3 depth first; rays per
// second) over the trees of "auto" and "median", and one 200 x 200 image of
// 10^3 spheres lit by one point lamp, then by one area lamp of depth 2.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

// n spheres of radius 0.3 .. 1 with centres in a cube of side 100 * cbrt(n / 10^4)
// around the origin, a point lamp above them, and a view from (0, 0, 150).
enum class Lamp { kNone, kPoint, kArea };

std::string SceneText(int n, Lamp lamp) {
  std::mt19937 gen(4711);
  const double side = 100.0 * std::cbrt(n / 10000.0);
  std::uniform_real_distribution<double> pos(-side / 2, side / 2), radius(0.3, 1.0);
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << "{ param\n  dimx 200;\n  dimy 200;\n  shade phong;\n}\n";
  for (int i = 0; i < n; ++i) {
    text << "{ object\n\tname s" << i << ";\n\tmodel { sphere center ( " << pos(gen) << " , " << pos(gen) << " , "
         << pos(gen) << " ); radius " << radius(gen) << "; }\n}\n";
  }
  if (lamp == Lamp::kPoint) text << "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 30 , 80 , 150 );\n\tcolor (1,1,1);\n}\n}\n";
  // A square of side 10 about the point lamp's place, facing down.
  if (lamp == Lamp::kArea) {
    text << "{ object\n\tname A;\n\tmodel { arealamp\n\t\tp ( 25 , 80 , 145 );\n\t\tp ( 35 , 80 , 145 );\n"
            "\t\tp ( 35 , 80 , 155 );\n\t\tp ( 25 , 80 , 155 );\n\t\tdepth 2;\n\t}\n}\n";
  }
  text << ".\n";
  return text.str();
}

struct BenchScene {
  BenchScene(int n, Lamp lamp) : scene(Registry()) {
    std::istringstream in(SceneText(n, lamp));
    loaded = scene.Load(in) == 1;
    CG_ViewReference& view = scene.GetViewReference();
    const double half = 50.0 * std::cbrt(n / 10000.0);
    view.vrp = {0, 0, 0};
    view.vpn = {0, 0, 1};
    view.vup = {0, 1, 0};
    view.prp = {0, 0, 3 * half};
    view.umin = view.vmin = -half;
    view.umax = view.vmax = half;
  }
  static CG_ModelRegistry& Registry() {
    static CG_ModelRegistry registry;
    static const bool filled = (BuildRegistry(registry), true);
    (void)filled;
    return registry;
  }
  CG_GraphicScene scene;
  bool loaded = false;
};

void BM_FirstIntersection(benchmark::State& state) {
  static BenchScene* bench = new BenchScene(10000, Lamp::kNone);
  if (!bench->loaded) {
    state.SkipWithError("the scene does not load");
    return;
  }
  CG_GraphicScene& scene = bench->scene;
  scene.GetParam().buildhier = static_cast<int>(state.range(0));
  scene.GetParam()._general_optimiz = state.range(1) == 0 ? "auto" : "median";
  state.SetLabel(state.range(0) == 0 ? "list" : state.range(1) == 0 ? "auto" : "median");
  scene.PrepareTraceData();
  if (scene.GetParam().buildhier != 0) scene.BuildGlobalHierarchy();

  std::mt19937 gen(17);
  std::uniform_real_distribution<double> at(0, 200);
  std::vector<Ray> rays;
  const Point3D eye = scene.EyePoint();
  for (int i = 0; i < 4096; ++i) rays.push_back(Ray::FromPoints(eye, scene.PixelRay(at(gen), at(gen))));

  std::size_t i = 0;
  long hits = 0;
  for (auto _ : state) {
    hits += scene.FirstIntersection(rays[i]) != nullptr;
    i = (i + 1) & 4095;
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["hit share"] = static_cast<double>(hits) / static_cast<double>(state.iterations());
  scene.FreeGlobalHierarchy();
}
BENCHMARK(BM_FirstIntersection)->Args({0, 0})->ArgsProduct({{1, 2, 3}, {0, 1}});

void BM_Image200(benchmark::State& state) {
  BenchScene bench(1000, state.range(0) == 0 ? Lamp::kPoint : Lamp::kArea);
  state.SetLabel(state.range(0) == 0 ? "point lamp" : "area lamp, depth 2");
  if (!bench.loaded) {
    state.SkipWithError("the scene does not load");
    return;
  }
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "zavo-bench-render";
  std::filesystem::create_directories(dir);
  bench.scene.SetOutputImage((dir / "image").string().c_str());
  for (auto _ : state) {
    if (bench.scene.Render() != 1) state.SkipWithError("the image failed");
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_Image200)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
