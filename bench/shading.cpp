// Cost of one Shade call: "noshadowphong" with 8 lamps, and "phong" with 8
// lamps whose shadow rays pass 100 spheres of the trace list without hitting
// any (the walk of the trace list, "buildhier" 0).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "scene/graphic_object.h"
#include "scene/light_source.h"
#include "scene/material.h"
#include "scene/phong_shading.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

class HitList : public CG_GraphicObjectIntrInfo {
public:
  double Value(int i) const override { return i < count ? t[i] : 0.0; }
  int Count() const override { return count; }
  double t[2] = {0, 0};
  int count = 0;
};

// A sphere with the full ray test, so that a miss costs what a real one does.
class Ball : public CG_GraphicObject {
public:
  Ball(const char* objectName, const Point3D& centre, double radius)
      : CG_GraphicObject(*Data(objectName)), centre_(centre), radius_(radius) {}
  int GetCommData(CG_GraphicObjectCommData&) override { return 1; }
  int SetCommData(CG_GraphicObjectCommData&) override { return 1; }
  void Write(std::ostream&) const override {}
  int IsRayTraceable() const override { return 1; }
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override {
    return std::make_unique<HitList>();
  }
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override {
    auto& hits = static_cast<HitList&>(record);
    hits.count = 0;
    const Point3D oc = ray.origin - centre_;
    const double b = Dot(oc, ray.direction);
    const double c = Dot(oc, oc) - radius_ * radius_;
    const double disc = b * b - c;
    if (disc < 0) return 0;
    const double root = std::sqrt(disc);
    for (double t : {-b - root, -b + root}) {
      if (t > toll) hits.t[hits.count++] = t;
    }
    return hits.count;
  }

private:
  static std::unique_ptr<CG_GraphicObjectCommData> Data(const char* objectName) {
    auto data = std::make_unique<CG_GraphicObjectCommData>();
    data->name = objectName;
    return data;
  }
  Point3D centre_;
  double radius_;
};

class Lamp : public CG_LightSource {
public:
  Lamp(const char* lampName, const Point3D& where) : CG_LightSource(lampName), where_(where) {}
  void Write(std::ostream&) const override {}
  Point3D ColourAt(const Point3D&, const Point3D&) const override { return {0.25, 0.25, 0.25}; }
  Point3D Position() const override { return where_; }

private:
  Point3D where_;
};

// 8 lamps above the plane z = 0, 100 small spheres below it: every shadow ray
// from the origin runs upward and misses them all.
struct Setup {
  Setup() : scene(registry) {
    registry.shadingMethods.Append(new GNoShadowPhongShading());
    registry.shadingMethods.Append(new GPhongShading());
    for (int i = 0; i < 8; ++i) {
      const double a = 0.785398 * i;
      scene.AddLight(std::make_unique<Lamp>(("lamp" + std::to_string(i)).c_str(),
                                            Point3D{4 * std::cos(a), 4 * std::sin(a), 6}));
    }
    for (int i = 0; i < 100; ++i) {
      scene.AddObject(std::make_unique<Ball>(("ball" + std::to_string(i)).c_str(),
                                             Point3D{(i % 10) - 4.5, (i / 10) - 4.5, -3}, 0.3));
    }
    scene.GetParam().buildhier = 0;
    scene.SetEyePoint({0, -2, 10});
    scene.PrepareTraceData();
  }
  CG_ModelRegistry registry;
  CG_GraphicScene scene;
  CG_MaterialPhong material;
};

void ShadeWith(benchmark::State& state, const char* method) {
  Setup setup;
  if (!setup.scene.SetShadingMethod(method)) {
    state.SkipWithError("no such shading method");
    return;
  }
  CG_ShadingMetod& shading = *setup.scene.GetShadingMethod();
  const Point3D P{0, 0, 0};
  const Point3D N{0, 0, 1};
  for (auto _ : state) {
    benchmark::DoNotOptimize(shading.Shade(setup.scene, setup.material, P, N));
  }
}

void BM_NoShadowPhong8Lamps(benchmark::State& state) { ShadeWith(state, "noshadowphong"); }
BENCHMARK(BM_NoShadowPhong8Lamps);

void BM_Phong8Lamps100Missed(benchmark::State& state) { ShadeWith(state, "phong"); }
BENCHMARK(BM_Phong8Lamps100Missed);

}  // namespace
