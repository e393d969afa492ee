#pragma once

// A scene for the ray tracer's tests: the full registry, the scene layer's
// fakes ("fake", "fakelight", "camera", "fakelamp") and two test shading
// methods, a recording interface, a settable clock and a fresh random
// generator; and test objects whose hits depend on where a ray goes.

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "models/registry.h"
#include "render/random.h"
#include "scene/fakes.h"
#include "scene/scene.h"
#include "common/temp_dir.h"

namespace zavo::test {

// Where a ray from the eye meets the plane z = 0 (the view plane of the
// default view, whose eye is (0.5, 0.5, 1)).
inline Point3D OnViewPlane(const Ray& ray) {
  if (ray.direction.z == 0) return {1e300, 1e300, 0};
  const double t = -ray.origin.z / ray.direction.z;
  return ray.PointAt(t);
}

// A fake object that a ray hits (at parameter t) only when the test says so;
// its normal is fixed or faces the ray; it records every ray it was asked about.
class SelectiveObject : public FakeObject {
public:
  SelectiveObject(const char* objectName, std::function<bool(const Ray&)> hitTest, double t = 2.0)
      : FakeObject(objectName, {t}), test(std::move(hitTest)) {}
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override {
    rays.push_back(ray);
    const int n = FakeObject::Intersect(ray, record);
    if (!test(ray)) static_cast<FakeIntrInfo&>(record).hits.clear();
    return test(ray) ? n : 0;
  }
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& target,
                  Point3D& point, Point3D& normal) const override {
    FakeObject::HitDetails(ray, record, index, target, point, normal);
    if (fixedNormal) normal = *fixedNormal;
  }
  int HasMaterialOfClass(const CG_Material& given) const override {
    return GUniformObjectData::HasMaterialOfClass(given);
  }

  std::function<bool(const Ray&)> test;
  std::unique_ptr<Point3D> fixedNormal;
  mutable std::vector<Ray> rays;
};

// A shading method that answers the colour given by a function of the hit
// point and counts its calls.
class PointShading : public CG_ShadingMetod {
public:
  PointShading() : CG_ShadingMetod("pointcolour") {}
  std::unique_ptr<CG_Material> NewMaterial() const override { return std::make_unique<CG_MaterialPhong>(); }
  Point3D Shade(CG_GraphicScene&, const CG_Material&, const Point3D& P, const Point3D&) override {
    ++calls;
    return colour ? colour(P) : Point3D{};
  }
  std::function<Point3D(const Point3D&)> colour;
  int calls = 0;
};

class RenderScene {
public:
  RenderScene() : scene(Registry()) {
    zavo::ResetRandomGenerator();
    scene.SetInterface(&ui);
    // The fakes count and record their calls: one tracing thread, so that
    // the pixel loops' order shows. The images on several threads are
    // compared end to end.
    scene.SetThreadCount(1);
    scene.SetClock([this] { return now; });
    Shading().calls = 0;
    Shading().colour = nullptr;
    Fixed().colour = {0.5, 0.5, 0.5};
    Fixed().shadeCalls = 0;
  }

  // Loads the text; 1 on success.
  int Load(const std::string& text) {
    std::istringstream in(text);
    return scene.Load(in);
  }

  // Puts the object into the scene (a fresh scene after Load).
  template <class T>
  T& Add(std::unique_ptr<T> object) {
    T& added = *object;
    scene.AddObject(std::move(object));
    return added;
  }

  // The one registry of the tests: BuildRegistry, the fakes, "pointcolour"
  // and "fixed" (a FakeShading of a constant colour).
  static CG_ModelRegistry& Registry() {
    static CG_ModelRegistry registry;
    static const bool filled = [] {
      BuildRegistry(registry);
      AddFakeModules(registry);
      registry.shadingMethods.Append(new PointShading());
      registry.shadingMethods.Append(new FakeShading("fixed", {0.5, 0.5, 0.5}));
      return true;
    }();
    (void)filled;
    return registry;
  }
  static PointShading& Shading() {
    return static_cast<PointShading&>(*FindByKeyword(Registry().shadingMethods, "pointcolour"));
  }
  static FakeShading& Fixed() { return static_cast<FakeShading&>(*FindByKeyword(Registry().shadingMethods, "fixed")); }

  template <class T>
  static T* FindByKeyword(List<T>& list, const char* keyword) {
    for (T& item : list) {
      if (std::strcmp(item.Keyword(), keyword) == 0) return &item;
    }
    return nullptr;
  }

  CG_GraphicScene scene;
  RecordingInterface ui;
  std::time_t now = 1000000;
};

// Renders the scene under the name "img" in a fresh temporary directory and
// answers Render's result; the image file is read back into image when there
// is one.
inline int RenderInTemp(RenderScene& f, BitmapManager* image = nullptr, bool* written = nullptr) {
  TempDir dir;
  ScopedCwd cwd(dir.path());
  f.scene.SetName("img");
  const int result = f.scene.Render();
  const bool exists = std::filesystem::exists(dir.path() / "img.bmp");
  if (written != nullptr) *written = exists;
  if (image != nullptr && exists) image->Load(dir.path() / "img.bmp");
  return result;
}

// The colour of pixel (x, y) of an image as 0..255 channels.
struct Rgb {
  int r = -1, g = -1, b = -1;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
inline Rgb PixelOf(const BitmapManager& image, int x, int y) {
  Rgb c;
  image.GetPixel(x, y, c.r, c.g, c.b);
  return c;
}
inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << '(' << c.r << ", " << c.g << ", " << c.b << ')';
}

// The seed after n draws from a fresh generator.
inline std::uint32_t SeedAfter(int n) {
  zavo::ResetRandomGenerator();
  for (int i = 0; i < n; ++i) zavo::NextRandom();
  const std::uint32_t seed = zavo::RandomSeed();
  zavo::ResetRandomGenerator();
  return seed;
}

}  // namespace zavo::test
