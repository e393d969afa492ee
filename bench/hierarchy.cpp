// Time of the global hierarchy over random boxes (small boxes scattered in a
// cube, as the objects of a large scene): the pairing build ("hier"), the
// grid-first build ("auto" with the scene defaults: grid 30,
// seed order 1, ratio 1.1; it writes "hierbl2.log" in the working directory),
// the median split, and the load of a saved cache.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/bounding_module.h"
#include "geometry/bounding_object.h"
#include "render/bound_hier_builder.h"
#include "render/bound_hier_builder2.h"
#include "render/global_hier_file.h"
#include "scene/comm_data.h"
#include "scene/graphic_object.h"
#include "scene/trace_data.h"

namespace {

// An object that only has a name and a box volume.
class BoxObject : public CG_GraphicObject {
public:
  BoxObject(const CG_GraphicObjectCommData& data, const GEO_Box& box) : CG_GraphicObject(data), volume_(box) {}
  int GetCommData(CG_GraphicObjectCommData&) override { return 0; }
  int SetCommData(CG_GraphicObjectCommData&) override { return 0; }
  void Write(std::ostream&) const override {}
  const BoundingObject* GetBoundingObject() const override { return &volume_; }

private:
  BoundingBox volume_;
};

class NoHits : public CG_GraphicObjectIntrInfo {
public:
  double Value(int) const override { return 0.0; }
  int Count() const override { return 0; }
};

// n boxes of sides up to 2 with corners in a cube of side 100 (10^4) or
// 215 (10^5): the same density of objects.
struct Scene {
  explicit Scene(std::uint32_t n) : seq(n) {
    std::mt19937 gen(4711);
    const double side = 100.0 * std::cbrt(n / 10000.0);
    std::uniform_real_distribution<double> pos(0, side), size(0, 2);
    for (std::uint32_t i = 0; i < n; ++i) {
      const double x = pos(gen), y = pos(gen), z = pos(gen);
      CG_GraphicObjectCommData data;
      data.name = ("o" + std::to_string(i)).c_str();
      auto* object = new BoxObject(data, {x, x + size(gen), y, y + size(gen), z, z + size(gen)});
      entries.push_back(std::make_unique<CG_GraphicObjectQZData>(object, 1, std::make_unique<NoHits>()));
      seq[i] = entries.back().get();
    }
  }
  std::vector<std::unique_ptr<CG_GraphicObjectQZData>> entries;
  SeqGraphicObject seq;
};

using Builder = BoundHierBuilder<CG_GraphicObjectQZData*, SeqGraphicObject>;
using Builder2 = BoundHierBuilder2<CG_GraphicObjectQZData*, SeqGraphicObject>;

void BM_Hier(benchmark::State& state) {
  Scene scene(static_cast<std::uint32_t>(state.range(0)));
  for (auto _ : state) {
    Builder builder(&scene.seq);
    zavo::GlobalHierarchyPtr root = builder.Build(1.1);
    benchmark::DoNotOptimize(root.get());
  }
}
BENCHMARK(BM_Hier)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Auto(benchmark::State& state) {
  Scene scene(static_cast<std::uint32_t>(state.range(0)));
  for (auto _ : state) {
    Builder2 builder(&scene.seq);
    builder.SetSeedOrder(1);
    builder.SetGridDimension(30);
    zavo::GlobalHierarchyPtr root = builder.Build(1.1);
    benchmark::DoNotOptimize(root.get());
  }
}
BENCHMARK(BM_Auto)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Median(benchmark::State& state) {
  Scene scene(static_cast<std::uint32_t>(state.range(0)));
  for (auto _ : state) {
    Builder2 builder(&scene.seq);
    zavo::GlobalHierarchyPtr root = builder.BuildMedian();
    benchmark::DoNotOptimize(root.get());
  }
}
BENCHMARK(BM_Median)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Reading and checking the cache of a median tree.
void BM_LoadCache(benchmark::State& state) {
  Scene scene(static_cast<std::uint32_t>(state.range(0)));
  List<BoundingObjectModule> modules;
  BoundingObjectModule::CreateDefaultList(modules);
  std::ostringstream saved;
  zavo::SaveGlobalHierarchy(saved, Builder2(&scene.seq).BuildMedian().get());
  const std::string text = saved.str();
  for (auto _ : state) {
    std::istringstream in(text);
    zavo::GlobalHierarchyPtr root = zavo::LoadGlobalHierarchy(in, scene.seq, modules);
    if (!root) state.SkipWithError("the cache did not load");
    benchmark::DoNotOptimize(root.get());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_LoadCache)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
