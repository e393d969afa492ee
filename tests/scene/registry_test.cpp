#include "scene/registry.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "scene/fakes.h"
#include "scene/scene.h"
#include "scene/view_reference.h"

namespace {

using zavo::test::FakeCamera;
using zavo::test::FakeCameraFactory;
using zavo::test::FakeCameraModule;
using zavo::test::FakeLampModule;
using zavo::test::FakeModelModule;
using zavo::test::FakeShading;

// A model module that only has a keyword.
class KeywordModule : public CG_GraphicObjectModule {
public:
  explicit KeywordModule(const char* keyword) : keyword_(keyword) {}
  const char* Keyword() const override { return keyword_; }
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene&, ScannerMemo&, CG_GraphicObjectCommData&) override {
    return nullptr;
  }

private:
  const char* keyword_;
};

class KeywordLampModule : public CG_LightSourceModule {
public:
  explicit KeywordLampModule(const char* keyword) : keyword_(keyword) {}
  const char* Keyword() const override { return keyword_; }
  std::unique_ptr<CG_LightSource> Read(CG_GraphicScene&, ScannerMemo&, const char*) override { return nullptr; }

private:
  const char* keyword_;
};

TEST(Registry, LookupsCompareWholeTextsCaseSensitiveFirstMatchPerList) {
  CG_ModelRegistry registry;
  auto* sphere1 = new KeywordModule("sphere");
  auto* box = new KeywordModule("box");
  auto* sphere2 = new KeywordModule("sphere");
  auto* pointlampModel = new KeywordModule("pointlamp");
  registry.modelModules.Append(sphere1);
  registry.modelModules.Append(box);
  registry.modelModules.Append(sphere2);
  registry.modelModules.Append(pointlampModel);
  auto* pointlampLamp = new KeywordLampModule("pointlamp");
  auto* transfLamp = new KeywordLampModule("transf");
  registry.lampModules.Append(pointlampLamp);
  registry.lampModules.Append(transfLamp);
  auto* noshadow = new FakeShading("noshadowphong");
  auto* phong = new FakeShading("phong");
  registry.shadingMethods.Append(noshadow);
  registry.shadingMethods.Append(phong);

  struct Case {
    const char* keyword;
    CG_GraphicObjectModule* model;
    CG_LightSourceModule* lamp;
    CG_ShadingMetod* shading;
  };
  const std::vector<Case> cases = {
      {"sphere", sphere1, nullptr, nullptr},
      {"Sphere", nullptr, nullptr, nullptr},
      {"spher", nullptr, nullptr, nullptr},
      {"spheres", nullptr, nullptr, nullptr},
      {"box", box, nullptr, nullptr},
      {"pointlamp", pointlampModel, pointlampLamp, nullptr},
      {"transf", nullptr, transfLamp, nullptr},
      {"phong", nullptr, nullptr, phong},
      {"noshadowphong", nullptr, nullptr, noshadow},
      {"", nullptr, nullptr, nullptr},
      {nullptr, nullptr, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyword != nullptr ? c.keyword : "(null)");
    EXPECT_EQ(FindModule(registry.modelModules, c.keyword), c.model);
    EXPECT_EQ(FindLampModule(registry.lampModules, c.keyword), c.lamp);
    EXPECT_EQ(FindByKeyword(registry.shadingMethods, c.keyword), c.shading);
  }
}

TEST(Registry, DestroyingItFreesEveryFactory) {
  const int models = FakeModelModule::alive;
  const int lamps = FakeLampModule::alive;
  const int shadings = FakeShading::alive;
  {
    CG_ModelRegistry registry;
    registry.modelModules.Append(new FakeModelModule());
    registry.modelModules.Append(new FakeModelModule());
    registry.lampModules.Append(new FakeLampModule());
    registry.shadingMethods.Append(new FakeShading("phong"));
    registry.materialModules.Append(new CG_MaterialPhongModule());
    registry.mappingModules.Append(new CG_PlanarMappingModule());
    BoundingObjectModule::CreateDefaultList(registry.boundingModules);
    EXPECT_EQ(FakeModelModule::alive, models + 2);
    EXPECT_EQ(FakeLampModule::alive, lamps + 1);
    EXPECT_EQ(FakeShading::alive, shadings + 1);
  }
  EXPECT_EQ(FakeModelModule::alive, models);
  EXPECT_EQ(FakeLampModule::alive, lamps);
  EXPECT_EQ(FakeShading::alive, shadings);
}

TEST(Registry, CameraFactoryGetsTheCameraModuleOfTheModelList) {
  CG_ModelRegistry registry;
  CG_GraphicObjectCommData data;
  data.name = "camera";
  CG_ViewReference view;
  view.vrp = {1, 2, 3};
  EXPECT_EQ(registry.NewCamera(data, view), nullptr);

  registry.SetCameraFactory(FakeCameraFactory);
  std::unique_ptr<CG_GraphicObject> withoutModule = registry.NewCamera(data, view);
  ASSERT_NE(withoutModule, nullptr);
  EXPECT_EQ(static_cast<FakeCamera&>(*withoutModule).module, nullptr);

  registry.modelModules.Append(new KeywordModule("Camera"));
  auto* cameraModule = new FakeCameraModule();
  registry.modelModules.Append(cameraModule);
  registry.modelModules.Append(new FakeCameraModule());
  std::unique_ptr<CG_GraphicObject> camera = registry.NewCamera(data, view);
  ASSERT_NE(camera, nullptr);
  auto& fake = static_cast<FakeCamera&>(*camera);
  EXPECT_EQ(fake.module, cameraModule);
  EXPECT_EQ(fake.view, view);
  EXPECT_STREQ(fake.name, "camera");
  EXPECT_EQ(fake.IsCamera(), 1);
}

TEST(Registry, BoxFactoryIsOptional) {
  CG_ModelRegistry registry;
  CG_GraphicObjectCommData data;
  EXPECT_EQ(registry.NewBox(data, GEO_Box{0, 1, 0, 1, 0, 1}), nullptr);
  registry.SetBoxFactory(zavo::test::FakeBoxFactory);
  std::unique_ptr<CG_GraphicObject> box = registry.NewBox(data, GEO_Box{0, 1, 0, 1, 0, 1});
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(static_cast<zavo::test::FakeBox&>(*box).box, (GEO_Box{0, 1, 0, 1, 0, 1}));
  registry.SetBoxFactory(nullptr);
  EXPECT_EQ(zavo::StandInBoxFactory(), nullptr);
}

TEST(SetShadingMethod, ChoosesTheRegistrysFirstMethodOfThatName) {
  CG_ModelRegistry registry;
  auto* noshadow = new FakeShading("noshadowphong");
  auto* phong = new FakeShading("phong");
  registry.shadingMethods.Append(noshadow);
  registry.shadingMethods.Append(phong);
  registry.shadingMethods.Append(new FakeShading("phong"));
  CG_GraphicScene scene(registry);
  EXPECT_EQ(scene.GetShadingMethod(), nullptr);
  EXPECT_EQ(scene.SetShadingMethod("phong"), 1);
  EXPECT_EQ(scene.GetShadingMethod(), phong);
  EXPECT_EQ(scene.SetShadingMethod("Phong"), 0);
  EXPECT_EQ(scene.GetShadingMethod(), nullptr);
  EXPECT_EQ(scene.SetShadingMethod("noshadowphong"), 1);
  EXPECT_EQ(scene.GetShadingMethod(), noshadow);
}

TEST(ShadingMethod, ShadeWithoutShadowsCallsShadeByDefault) {
  CG_ModelRegistry registry;
  CG_GraphicScene scene(registry);
  FakeShading shading("flat", {0.25, 0.5, 1});
  CG_MaterialPhong material;
  EXPECT_EQ(shading.ShadeWithoutShadows(scene, material, {}, {0, 0, 1}), (Point3D{0.25, 0.5, 1}));
  EXPECT_EQ(shading.shadeCalls, 1);
  EXPECT_STREQ(shading.Keyword(), "flat");
}

}  // namespace
