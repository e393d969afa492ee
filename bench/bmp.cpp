// Speed of saving and loading a 4096 x 4096 24-bit image through a file: bytes
// of file per second (the "bytes_per_second" counter).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "geometry/bitmap_manager.h"

namespace {

constexpr int kSide = 4096;

std::filesystem::path BenchFile() {
  return std::filesystem::temp_directory_path() /
         ("zavo_bench_bmp_" + std::to_string(static_cast<long>(::getpid())) + ".bmp");
}

void FillImage(BitmapManager& image) {
  image.Create(kSide, kSide);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) image.SetPixel(x, y, x, y, x ^ y);
  }
}

void BM_BmpSave(benchmark::State& state) {
  BitmapManager image;
  FillImage(image);
  const auto file = BenchFile();
  for (auto _ : state) {
    if (!image.Save(file)) state.SkipWithError("save failed");
  }
  const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(file));
  state.SetBytesProcessed(state.iterations() * bytes);
  std::filesystem::remove(file);
}
BENCHMARK(BM_BmpSave)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BmpLoad(benchmark::State& state) {
  const auto file = BenchFile();
  {
    BitmapManager image;
    FillImage(image);
    image.Save(file);
  }
  BitmapManager image;
  for (auto _ : state) {
    if (!image.Load(file)) state.SkipWithError("load failed");
  }
  const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(file));
  state.SetBytesProcessed(state.iterations() * bytes);
  std::filesystem::remove(file);
}
BENCHMARK(BM_BmpLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
