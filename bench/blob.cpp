// Speed of the blob's exact intersection: rays per second through a blob of
// 100 elements, every ray aimed at a point of its bounding box; and one
// 200 x 200 image of a 20-element blob seen through a pinhole camera (the
// nearest hit of each pixel's ray with its point and normal; no shading).
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "models/curved/blob.h"
#include "scene/material.h"

namespace {

namespace fs = std::filesystem;

// n elements on a loose spiral, radii 0.6 to 1, strengths 0.5 to 1.5.
std::unique_ptr<GBlob> MakeBlob(int n) {
  const fs::path dir = fs::temp_directory_path() / ("zavo_bench_blob_" + std::to_string(long(::getpid())));
  fs::create_directories(dir);
  const fs::path file = dir / ("spiral" + std::to_string(n));
  {
    std::ofstream out(file.string() + ".blb");
    out << "[blob1.0]\nthreshold = 0.5\n";
    for (int k = 0; k < n; ++k) {
      const double a = 0.7 * k;
      const double r = 0.3 * std::sqrt(double(k));
      out << "sphere = " << r * std::cos(a) << " " << r * std::sin(a) << " " << 0.05 * (k % 7) << " "
          << 0.6 + 0.4 * ((k * 37) % 11) / 10.0 << " " << 0.5 + ((k * 13) % 5) / 4.0 << "\n";
    }
  }
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
  const std::unique_ptr<GBlob> blob = MakeBlob(20);
  const GEO_Box box = blob->GetBoundingObject()->GetBox();
  const Point3D centre = box.Center();
  const Point3D eye = centre + Point3D{0, 0, 12};
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = blob->NewIntrInfo();
  CG_MaterialPhong material;
  for (auto _ : state) {
    double sum = 0;
    for (int y = 0; y < 200; ++y) {
      for (int x = 0; x < 200; ++x) {
        const Point3D pixel = centre + Point3D{-3 + 6 * (x + 0.5) / 200, 3 - 6 * (y + 0.5) / 200, 0};
        const Ray ray = Ray::FromPoints(eye, pixel);
        if (blob->Intersect(ray, *record) == 0) continue;
        Point3D point;
        Point3D normal;
        blob->HitDetails(ray, *record, 0, material, point, normal);
        sum += normal.z;
      }
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_BlobImage200)->Unit(benchmark::kMillisecond);

}  // namespace
