// Speed of the blob's exact intersection: rays per second through a blob of
// 100 elements, every ray aimed at a point of its bounding box; and one
// 200 x 200 ray-traced image of a 20-element blob under one point lamp.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <locale>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "geometry/bitmap_manager.h"
#include "models/curved/blob.h"
#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;

// "<file>.blb" of n elements on a loose spiral, radii 0.6 to 1, strengths
// 0.5 to 1.5.
void WriteBlobFile(const fs::path& file, int n) {
  std::ofstream out(file.string() + ".blb");
  out.imbue(std::locale::classic());
  out << "[blob1.0]\nthreshold = 0.5\n";
  for (int k = 0; k < n; ++k) {
    const double a = 0.7 * k;
    const double r = 0.3 * std::sqrt(double(k));
    out << "sphere = " << r * std::cos(a) << " " << r * std::sin(a) << " " << 0.05 * (k % 7) << " "
        << 0.6 + 0.4 * ((k * 37) % 11) / 10.0 << " " << 0.5 + ((k * 13) % 5) / 4.0 << "\n";
  }
}

std::unique_ptr<GBlob> MakeBlob(int n) {
  const fs::path dir = fs::temp_directory_path() / ("zavo_bench_blob_" + std::to_string(long(::getpid())));
  fs::create_directories(dir);
  const fs::path file = dir / ("spiral" + std::to_string(n));
  WriteBlobFile(file, n);
  CG_GraphicObjectCommData data;
  data.name = "b";
  CG_BlobDescription description;
  description.name = "spiral";
  description.path = file.string().c_str();
  auto blob = std::make_unique<GBlob>(data, description);
  fs::remove_all(dir);
  return blob;
}

void BM_BlobRays(benchmark::State& state) {
  const std::unique_ptr<GBlob> blob = MakeBlob(100);
  const GEO_Box box = blob->GetBoundingObject()->GetBox();
  // Rays from a ring around the blob toward points spread over its box.
  std::vector<Ray> rays;
  for (int i = 0; i < 1024; ++i) {
    const double u = (i % 32) / 31.0;
    const double v = (i / 32) / 31.0;
    const Point3D target{box.xmin + u * (box.xmax - box.xmin), box.ymin + v * (box.ymax - box.ymin),
                         box.zmin + 0.5 * (box.zmax - box.zmin)};
    const double a = 0.37 * i;
    const Point3D from{20 * std::cos(a), 20 * std::sin(a), 3.0 * ((i % 5) - 2)};
    rays.push_back(Ray::FromPoints(from, target));
  }
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = blob->NewIntrInfo();
  std::size_t k = 0;
  long hits = 0;
  for (auto _ : state) {
    hits += blob->Intersect(rays[k], *record);
    k = (k + 1) % rays.size();
  }
  benchmark::DoNotOptimize(hits);
  state.SetItemsProcessed(state.iterations());
  state.counters["rays/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BlobRays);

void BM_BlobImage200(benchmark::State& state) {
  const fs::path dir = fs::temp_directory_path() / ("zavo_bench_blob_image_" + std::to_string(long(::getpid())));
  fs::create_directories(dir);
  WriteBlobFile(dir / "spiral", 20);
  static CG_ModelRegistry registry;
  static const bool filled = (BuildRegistry(registry), true);
  (void)filled;
  CG_GraphicScene scene(registry);
  scene.SetModelPath(dir.string().c_str());
  std::istringstream in(
      "{ param\n  dimx 200;\n  dimy 200;\n  shade phong;\n}\n"
      "{ material name m; model { phong Ka 0.1; Kd 0.7; Ks 0.2; Od (0.8,0.6,0.2); } }\n"
      "{ object name b; material m; model { blob name spiral; } }\n"
      "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 10 , 20 , 30 );\n\tcolor (1,1,1);\n}\n}\n.\n");
  if (scene.Load(in) != 1) {
    state.SkipWithError("the scene does not load");
    return;
  }
  CG_ViewReference& view = scene.GetViewReference();
  view.vrp = {0, 0, 0};
  view.vpn = {0, 0, 1};
  view.vup = {0, 1, 0};
  view.prp = {0, 0, 12};
  view.umin = view.vmin = -4;
  view.umax = view.vmax = 4;
  scene.SetOutputImage((dir / "image").string().c_str());
  for (auto _ : state) {
    if (scene.Render() != 1) state.SkipWithError("the image failed");
  }
  // The share of the image that shows the blob.
  BitmapManager image;
  if (image.Load((dir / "image.bmp").string().c_str()) == 1) {
    int shown = 0;
    for (int y = 0; y < image.Height(); ++y) {
      for (int x = 0; x < image.Width(); ++x) {
        int r = 0, g = 0, b = 0;
        image.GetPixel(x, y, r, g, b);
        shown += r != 0 || g != 0 || b != 0;
      }
    }
    state.counters["blob share"] = shown / 40000.0;
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_BlobImage200)->Unit(benchmark::kMillisecond);

}  // namespace
