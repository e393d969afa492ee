// Time of the RAW triangle import of a grid mesh of 200 000 triangles (100 by
// 1000 cells of two triangles): reading, merging the corners, writing the
// mesh and loading it as an object. The status texts go to a sink that only
// records them.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <locale>
#include <memory>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor/import/raw_import.h"

namespace {

class RecordingStatus : public CG_GraphicSystemInterface {
public:
  void Status(const char* text) override { texts.emplace_back(text); }
  void Message(const char* text) override { texts.emplace_back(text); }
  std::int32_t UserBreak() override { return 0; }
  void PlotPixel(int, int, double, double, double) override {}
  std::vector<std::string> texts;
};

void WriteGrid(const std::filesystem::path& file, int columns, int rows) {
  std::ofstream out(file);
  out.imbue(std::locale::classic());
  const auto corner = [&](int c, int r) { out << c * 0.1 << ' ' << r * 0.07 << ' ' << ((c * r) % 7) * 0.01 << ' '; };
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      corner(c, r), corner(c + 1, r), corner(c, r + 1), out << '\n';
      corner(c + 1, r), corner(c + 1, r + 1), corner(c, r + 1), out << '\n';
    }
  }
}

void BM_ImportRawGrid(benchmark::State& state) {
  // The mesh is written into the working directory: a fresh one.
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "zavo-raw-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    state.SkipWithError("no temporary directory");
    return;
  }
  const fs::path dir(pattern), previous = fs::current_path();
  fs::current_path(dir);
  WriteGrid(dir / "grid.raw", 100, 1000);
  for (auto _ : state) {
    state.PauseTiming();
    auto editor = CG_GraphicEditor::Create(0);
    RecordingStatus sink;
    editor->SetGraphicSystem(&sink);
    state.ResumeTiming();
    benchmark::DoNotOptimize(zavo::ImportRaw(*editor, "grid"));
    state.PauseTiming();
    editor.reset();
    state.ResumeTiming();
  }
  fs::current_path(previous);
  fs::remove_all(dir);
}
BENCHMARK(BM_ImportRawGrid)->Unit(benchmark::kSecond)->Iterations(3);

}  // namespace
