// Reading pbrep text: a generated mesh file of about 1 000 000 lines
// (200 000 vertex lines and 200 000 triangles of four lines each), read from
// memory. Reported in bytes per second.
#include <benchmark/benchmark.h>

#include <random>
#include <sstream>
#include <string>

#include "geometry/brep_model3.h"
#include "geometry/geo_scanner.h"

namespace {

const std::string& Text() {
  static const std::string text = [] {
    constexpr std::uint32_t kVertices = 200000;
    constexpr std::uint32_t kFaces = 200000;
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> pos(-100, 100);
    std::uniform_int_distribution<std::uint32_t> vertex(0, kVertices - 3);
    Seq<Point3D> vertices(kVertices);
    for (std::uint32_t i = 0; i < kVertices; ++i) vertices[i] = {pos(gen), pos(gen), pos(gen)};
    BRepModel3 mesh("gen");
    mesh.vertices = vertices;
    mesh.faces.SetSize(kFaces);
    for (std::uint32_t f = 0; f < kFaces; ++f) {
      auto* c = new ContourFace3;
      c->vertices.SetSize(3);
      const int first = static_cast<int>(vertex(gen));
      c->vertices[0] = first + 1;
      c->vertices[1] = -(first + 2);
      c->vertices[2] = first + 3;
      mesh.faces[f].contours.Append(c);
    }
    std::ostringstream os;
    mesh.Write(os, 0);
    return os.str();
  }();
  return text;
}

void BM_PbrepRead(benchmark::State& state) {
  const std::string& text = Text();
  for (auto _ : state) {
    std::istringstream in(text);
    GeoScanner scanner(in);
    scanner.Next();
    BRepModel3 mesh("read");
    if (mesh.Read(scanner) != 1) state.SkipWithError("the generated text does not read");
    benchmark::DoNotOptimize(mesh.faces.Count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  std::size_t lines = 0;
  for (char ch : text) lines += ch == '\n';
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_PbrepRead)->Unit(benchmark::kMillisecond);

}  // namespace
