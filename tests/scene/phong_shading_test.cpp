#include "scene/phong_shading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/bounding_object.h"
#include "scene/fakes.h"
#include "scene/scene.h"

namespace {

using zavo::test::FakeLamp;
using zavo::test::FakeLightObject;
using zavo::test::FakeObject;

void ExpectColour(const Point3D& actual, const Point3D& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-12);
  EXPECT_NEAR(actual.y, expected.y, 1e-12);
  EXPECT_NEAR(actual.z, expected.z, 1e-12);
}

// An object that every ray hits at t, with Kt and Od at the hit.
struct Blocker {
  double t;
  double Kt;
  Point3D Od{0.5, 0.5, 0.5};
};

// A registry with the two methods and a scene on it: ambient colour (1, 1, 1)
// and the eye at (0, 0, 10).
class ShadingScene : public ::testing::Test {
protected:
  ShadingScene() : scene(registry) {
    registry.shadingMethods.Append(new GNoShadowPhongShading());
    registry.shadingMethods.Append(new GPhongShading());
    scene.GetParam().ambientcolor = {1, 1, 1};
    scene.SetEyePoint({0, 0, 10});
  }

  FakeObject& AddBlocker(const Blocker& b) {
    auto object = std::make_unique<FakeObject>(("b" + std::to_string(blockers.size())).c_str(),
                                               std::vector<double>{b.t});
    object->hitMaterial.Kt = b.Kt;
    object->hitMaterial.Od = b.Od;
    FakeObject& ref = *object;
    blockers.push_back(&ref);
    scene.AddObject(std::move(object));
    return ref;
  }

  // A global hierarchy by hand: the root over everything, one leaf on the
  // axis with every trace entry, one empty leaf off it.
  void BuildHierarchy() {
    zavo::GlobalHierarchyPtr root(new zavo::GlobalHierNode());
    root->box = new BoundingBox(GEO_Box{-20, 20, -20, 20, -20, 20});
    auto* onAxis = new zavo::GlobalHierNode();
    onAxis->box = new BoundingBox(GEO_Box{-1, 1, -1, 1, -8, 8});
    for (CG_GraphicObjectQZData& entry : scene.GetTraceList()) {
      const auto n = onAxis->elements.Count();
      onAxis->elements.Resize(n + 1);
      onAxis->elements[n] = &entry;
    }
    auto* offAxis = new zavo::GlobalHierNode();
    offAxis->box = new BoundingBox(GEO_Box{5, 6, 5, 6, 5, 6});
    root->children.SetSize(2);
    root->children[0] = offAxis;
    root->children[1] = onAxis;
    scene.SetHierarchyRoot(std::move(root));
  }

  CG_ShadingMetod& Method(const char* keyword) {
    EXPECT_EQ(scene.SetShadingMethod(keyword), 1) << keyword;
    return *scene.GetShadingMethod();
  }

  CG_ModelRegistry registry;
  CG_GraphicScene scene;
  std::vector<FakeObject*> blockers;
};

// One row: the scene around P = (0, 0, 0), N = (0, 0, 1) with the default
// Phong material, and what the method gives for it.
struct PhongRow {
  const char* label;
  const char* method;
  bool withoutShadows = false;  // ShadeWithoutShadows instead of Shade
  std::vector<Blocker> blockers = {};
  bool lamp = true;
  Point3D lampAt{0, 0, 5};
  int shadows = 1;
  unsigned char doubleside = 1;
  Point3D expected;
};

const std::vector<PhongRow>& PhongTable() {
  static const std::vector<PhongRow> rows = {
      // 0.1 ambient + 0.3 diffuse + 0.1 specular.
      {.label = "noshadowphong", .method = "noshadowphong", .expected = {0.5, 0.5, 0.5}},
      {.label = "noshadowphong casts no shadow ray", .method = "noshadowphong",
       .blockers = {{2, 0}}, .expected = {0.5, 0.5, 0.5}},
      {.label = "noshadowphong without shadows is its Shade", .method = "noshadowphong",
       .withoutShadows = true, .blockers = {{2, 0}}, .expected = {0.5, 0.5, 0.5}},
      {.label = "phong, nothing in the way", .method = "phong", .expected = {0.5, 0.5, 0.5}},
      {.label = "phong, an opaque blocker", .method = "phong", .blockers = {{2, 0}},
       .expected = {0.1, 0.1, 0.1}},
      {.label = "phong, a red filter", .method = "phong", .blockers = {{2, 0.5, {1, 0, 0}}},
       .expected = {0.3, 0.1, 0.1}},
      {.label = "phong, two filters multiply", .method = "phong",
       .blockers = {{2, 0.5, {1, 1, 0}}, {3, 0.5, {1, 0, 0}}}, .expected = {0.2, 0.1, 0.1}},
      {.label = "phong, a filter beyond the lamp", .method = "phong",
       .blockers = {{7, 0.5, {1, 0, 0}}}, .expected = {0.5, 0.5, 0.5}},
      {.label = "phong, an opaque blocker beyond the lamp and a filter before it",
       .method = "phong", .blockers = {{7, 0}, {2, 0.5, {1, 0, 0}}}, .expected = {0.3, 0.1, 0.1}},
      {.label = "phong without shadows ignores the blockers", .method = "phong",
       .withoutShadows = true, .blockers = {{2, 0}, {3, 0.5, {1, 0, 0}}},
       .expected = {0.5, 0.5, 0.5}},
      {.label = "phong, material with shadows 0", .method = "phong", .blockers = {{2, 0}},
       .shadows = 0, .expected = {0.5, 0.5, 0.5}},
      {.label = "noshadowphong, no lamps", .method = "noshadowphong", .lamp = false,
       .expected = {0.1, 0.1, 0.1}},
      {.label = "phong, no lamps", .method = "phong", .lamp = false, .expected = {0.1, 0.1, 0.1}},
      {.label = "lamp behind, double-sided", .method = "phong", .lampAt = {0, 0, -5},
       .expected = {0.5, 0.5, 0.5}},
      {.label = "lamp behind, single-sided", .method = "phong", .lampAt = {0, 0, -5},
       .doubleside = 0, .expected = {0.1, 0.1, 0.1}},
      {.label = "noshadowphong, lamp behind, single-sided", .method = "noshadowphong",
       .lampAt = {0, 0, -5}, .doubleside = 0, .expected = {0.1, 0.1, 0.1}},
  };
  return rows;
}

class PhongNumbers : public ShadingScene, public ::testing::WithParamInterface<int> {};

TEST_P(PhongNumbers, Table) {
  const int buildhier = GetParam();
  for (const PhongRow& row : PhongTable()) {
    SCOPED_TRACE(row.label);
    scene.Clear();
    blockers.clear();
    scene.GetParam().ambientcolor = {1, 1, 1};
    scene.GetParam().buildhier = buildhier;
    if (row.lamp) scene.AddLight(std::make_unique<FakeLamp>("lamp", row.lampAt, Point3D{1, 1, 1}));
    for (const Blocker& b : row.blockers) AddBlocker(b);
    scene.PrepareTraceData();
    if (buildhier != 0) BuildHierarchy();

    CG_MaterialPhong material;
    material.shadows = row.shadows;
    material.doubleside = row.doubleside;
    CG_ShadingMetod& method = Method(row.method);
    const Point3D colour = row.withoutShadows
                               ? method.ShadeWithoutShadows(scene, material, {0, 0, 0}, {0, 0, 1})
                               : method.Shade(scene, material, {0, 0, 0}, {0, 0, 1});
    ExpectColour(colour, row.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(TraceListAndHierarchy, PhongNumbers, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return info.param == 0 ? std::string("TraceList") : std::string("Hierarchy");
                         });

TEST_F(ShadingScene, EveryLampOfTheSequenceAddsItsColourAndNothingClamps) {
  scene.AddLight(std::make_unique<FakeLamp>("white", Point3D{0, 0, 5}, Point3D{1, 1, 1}));
  scene.AddLight(std::make_unique<FakeLamp>("blue", Point3D{0, 0, 3}, Point3D{0, 0, 2}));
  scene.AddObject(std::make_unique<FakeLightObject>("glow", Point3D{0, 0, 8}, Point3D{1, 0, 0}));
  scene.GetParam().ambientcolor = {0, 1, 2};
  scene.PrepareTraceData();
  CG_MaterialPhong material;
  material.Od = {1, 1, 1};
  material.Os = {0, 0, 0};
  // Ambient Ka (Ia * Od) = (0, 0.2, 0.4); each lamp adds 0.6 I.
  const Point3D expected{0.6 + 0.6, 0.2 + 0.6, 0.4 + 0.6 + 1.2};
  ExpectColour(Method("noshadowphong").Shade(scene, material, {}, {0, 0, 1}), expected);
  ExpectColour(Method("phong").Shade(scene, material, {}, {0, 0, 1}), expected);
}

TEST_F(ShadingScene, OffAxisGeometryAndTheLampsDirectionArgument) {
  // P = (0, 0, 0), N = (0, 0, 1), lamp at (3, 0, 4): L = (0.6, 0, 0.8),
  // R = (-0.6, 0, 0.8), cd = 0.8; eye at (0, 0, 10): cs = 0.8.
  struct Probe : FakeLamp {
    using FakeLamp::FakeLamp;
    Point3D ColourAt(const Point3D& point, const Point3D& toLamp) const override {
      seenPoint = point;
      seenDirection = toLamp;
      return colour;
    }
    mutable Point3D seenPoint{9, 9, 9};
    mutable Point3D seenDirection;
  };
  auto lamp = std::make_unique<Probe>("probe", Point3D{3, 0, 4}, Point3D{1, 0.5, 0});
  Probe& probe = *lamp;
  scene.AddLight(std::move(lamp));
  scene.PrepareTraceData();
  CG_MaterialPhong material;
  material.n = 2;
  const double diff = 0.6 * 0.8;
  const double spec = 0.2 * 0.64;
  const double lit = 0.5 * (diff + spec);
  ExpectColour(Method("phong").Shade(scene, material, {}, {0, 0, 1}), {0.1 + lit, 0.1 + 0.5 * lit, 0.1});
  ExpectColour(probe.seenPoint, {0, 0, 0});
  ExpectColour(probe.seenDirection, {0.6, 0, 0.8});
}

TEST_F(ShadingScene, ALampThatComputesItsLightIsAskedInsteadOfAShadowRay) {
  struct Self : FakeLightObject {
    using FakeLightObject::FakeLightObject;
    Point3D LightReachingPoint(CG_GraphicScene& s, const Point3D& point, const Point3D& direction,
                               CG_Material& material) const override {
      givenScene = &s;
      auto* phong = dynamic_cast<CG_MaterialPhong*>(&material);
      materialIsDefault = phong != nullptr && phong->Kt == 0 && phong->Ka == 0.2 && phong->n == 10 &&
                          phong->Od == Point3D{0.5, 0.5, 0.5} && phong->shadows == 1;
      return FakeLightObject::LightReachingPoint(s, point, direction, material);
    }
    mutable const CG_GraphicScene* givenScene = nullptr;
    mutable bool materialIsDefault = false;
  };
  auto lamp = std::make_unique<Self>("self", Point3D{0, 0, 5}, Point3D{1, 1, 1});
  lamp->computes = 1;
  lamp->light = {0.5, 0.25, 1};
  Self& self = *lamp;
  scene.AddObject(std::move(lamp));
  FakeObject& blocker = AddBlocker({2, 0});
  scene.GetParam().buildhier = 0;
  scene.PrepareTraceData();

  // The material shaded is not the default: the lamp must get a fresh one.
  CG_MaterialPhong material;
  material.Kt = 0.5;
  material.Ka = 0;
  const Point3D P{0, 0, 1};
  ExpectColour(Method("phong").Shade(scene, material, P, {0, 0, 1}), {0.2, 0.1, 0.4});
  EXPECT_EQ(self.lightCalls, 1);
  EXPECT_EQ(self.givenScene, &scene);
  EXPECT_EQ(self.lastPoint, P);
  EXPECT_EQ(self.lastDirection, (Point3D{1, 0, 0}));
  EXPECT_TRUE(self.materialIsDefault);
  EXPECT_EQ(blocker.intersectCalls, 0);

  // Without the shadow test the lamp shines at full strength.
  ExpectColour(Method("phong").ShadeWithoutShadows(scene, material, P, {0, 0, 1}), {0.4, 0.4, 0.4});
  ExpectColour(Method("noshadowphong").Shade(scene, material, P, {0, 0, 1}), {0.4, 0.4, 0.4});
  material.shadows = 0;
  ExpectColour(Method("phong").Shade(scene, material, P, {0, 0, 1}), {0.4, 0.4, 0.4});
  EXPECT_EQ(self.lightCalls, 1);
}

TEST_F(ShadingScene, TheSceneHitRecordMayBeTheShadedMaterial) {
  // The shadow search writes each occluder's material into the scene's hit
  // record; the shading must not read its own coefficients from there later.
  scene.AddLight(std::make_unique<FakeLamp>("one", Point3D{0, 0, 5}, Point3D{1, 1, 1}));
  scene.AddLight(std::make_unique<FakeLamp>("two", Point3D{0, 0, 5}, Point3D{1, 1, 1}));
  FakeObject& filter = AddBlocker({2, 0.5, {1, 0, 0}});
  filter.hitMaterial.Ka = 0.7;
  filter.hitMaterial.Kd = 0.1;
  scene.GetParam().buildhier = 0;
  scene.PrepareTraceData();
  CG_Material& hitMaterial = *scene.GetHitRecord().material;
  hitMaterial.CopyFrom(CG_MaterialPhong());
  // Ambient 0.1; each lamp (0.5, 0, 0) * 0.4.
  ExpectColour(Method("phong").Shade(scene, hitMaterial, {}, {0, 0, 1}), {0.5, 0.1, 0.1});
  EXPECT_EQ(filter.hitDetailsCalls, 4);
}

// Hits at the eye point or at a lamp, and exponents that pow cannot take at
// cs = 0: the zero-length direction's terms are 0 and there is no highlight.
TEST_F(ShadingScene, DegenerateDirectionsAndExponentsGiveFiniteColours) {
  struct Case {
    const char* label;
    Point3D eye;
    Point3D lampAt;
    int n;
    unsigned char doubleside;
    Point3D expected;
  };
  const std::vector<Case> cases = {
      {"hit at the eye point", {0, 0, 0}, {0, 0, 5}, 10, 1, {0.4, 0.4, 0.4}},
      {"hit at the eye point, negative exponent", {0, 0, 0}, {0, 0, 5}, -3, 1, {0.4, 0.4, 0.4}},
      {"hit at the lamp", {0, 0, 10}, {0, 0, 0}, 10, 1, {0.1, 0.1, 0.1}},
      {"hit at the lamp, negative exponent", {0, 0, 10}, {0, 0, 0}, -3, 1, {0.1, 0.1, 0.1}},
      {"cs = 0, negative exponent", {10, 0, 0}, {0, 0, 5}, -2, 1, {0.4, 0.4, 0.4}},
      {"cs = 0, exponent 0", {10, 0, 0}, {0, 0, 5}, 0, 1, {0.4, 0.4, 0.4}},
      {"cs < 0 single-sided, negative exponent", {0, 0, -10}, {0, 0, 5}, -2, 0, {0.4, 0.4, 0.4}},
      {"cs = 1, negative exponent", {0, 0, 10}, {0, 0, 5}, -2, 1, {0.5, 0.5, 0.5}},
  };
  AddBlocker({2, 0.5, {1, 1, 1}});
  scene.GetParam().buildhier = 0;
  scene.AddLight(std::make_unique<FakeLamp>("lamp", Point3D{}, Point3D{1, 1, 1}));
  auto& lamp = static_cast<FakeLamp&>(*scene.FindLight("lamp"));
  scene.PrepareTraceData();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    scene.SetEyePoint(c.eye);
    lamp.position = c.lampAt;
    CG_MaterialPhong material;
    material.n = c.n;
    material.doubleside = c.doubleside;
    for (const char* method : {"noshadowphong", "phong"}) {
      SCOPED_TRACE(method);
      // The filter at t = 2 is beyond a lamp at the hit point; before the
      // others it halves the light.
      Point3D expected = c.expected;
      if (std::string(method) == "phong" && !(c.lampAt == Point3D{})) {
        expected = 0.5 * (expected - Point3D{0.1, 0.1, 0.1}) + Point3D{0.1, 0.1, 0.1};
      }
      const Point3D colour = Method(method).Shade(scene, material, {}, {0, 0, 1});
      EXPECT_TRUE(std::isfinite(colour.x) && std::isfinite(colour.y) && std::isfinite(colour.z));
      ExpectColour(colour, expected);
    }
  }
}

// A scene text read by the scene reader: the render parameters choose the
// method and the ambient light, a lamp section gives the lamp, a plate of the
// fake model blocks the way to it, and the target is hit by the eye's ray at
// (0, 0, 0) with the normal (0, 0, 1).
TEST(PhongShadingFromText, SceneTextToColour) {
  struct Case {
    const char* label;
    const char* shade;
    const char* ambient;
    const char* plate;  // the plate's material and model, or empty for none
    const char* targetMaterial;
    const char* lampAt;  // empty: no lamp
    Point3D expected;
  };
  const char* stone = "material stone; model { fake hit 2; }";
  const std::vector<Case> cases = {
      {"no shadow rays", "noshadowphong", "(1,1,1)", stone, "plain", "0 0 5", {0.5, 0.5, 0.5}},
      {"an opaque plate", "phong", "(1,1,1)", stone, "plain", "0 0 5", {0.1, 0.1, 0.1}},
      {"a red glass plate", "phong", "(1,1,1)", "material glass; model { fake hit 2; }", "plain",
       "0 0 5", {0.3, 0.1, 0.1}},
      {"the glass beyond the lamp", "phong", "(1,1,1)", "material glass; model { fake hit 7; }", "plain",
       "0 0 5", {0.5, 0.5, 0.5}},
      {"a target without shadows", "phong", "(1,1,1)", stone, "noshadows", "0 0 5", {0.5, 0.5, 0.5}},
      {"lit from behind, double-sided", "phong", "(1,1,1)", "", "plain", "0 0 -5", {0.5, 0.5, 0.5}},
      {"lit from behind, single-sided", "phong", "(1,1,1)", "", "onesided", "0 0 -5", {0.1, 0.1, 0.1}},
      {"no lamp", "phong", "(1,1,1)", stone, "plain", "", {0.1, 0.1, 0.1}},
      {"blue ambient light", "noshadowphong", "(0,0,1)", "", "plain", "0 0 5", {0.4, 0.4, 0.5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    CG_ModelRegistry registry;
    registry.materialModules.Append(new CG_MaterialPhongModule());
    zavo::test::AddFakeModules(registry);
    registry.shadingMethods.Append(new GNoShadowPhongShading());
    registry.shadingMethods.Append(new GPhongShading());
    CG_GraphicScene scene(registry);

    std::ostringstream text;
    text << "{ param\n\tshade " << c.shade << ";\n\tbuildhier 0;\n\tambientcolor " << c.ambient
         << ";\n}\n"
         << "{ material name plain; model { phong } }\n"
         << "{ material name noshadows; model { phong shadows 0; } }\n"
         << "{ material name onesided; model { phong doubleside 0; } }\n"
         << "{ material name stone; model { phong Od (0.2,0.2,0.2); } }\n"
         << "{ material name glass; model { phong Kt 0.5; Od (1,0,0); } }\n";
    if (c.plate[0] != '\0') text << "{ object name plate; " << c.plate << " }\n";
    text << "{ object name target; material " << c.targetMaterial << "; model { fake hit 10; } }\n";
    if (c.lampAt[0] != '\0') {
      text << "{ lamp name sun; model { fakelamp position " << c.lampAt << "; colour 1 1 1; } }\n";
    }
    text << ".\n";
    std::istringstream in(text.str());
    ASSERT_EQ(scene.Load(in), 1) << scene.GetErrorMessage() << " at line " << scene.GetErrorLine();

    scene.PrepareTraceData();
    const Point3D eye{0, 0, 10};
    scene.SetEyePoint(eye);
    ASSERT_EQ(scene.SetShadingMethod(scene.GetParam().shade), 1);
    CG_ShadingMetod& method = *scene.GetShadingMethod();

    // The eye's ray meets the target at the origin.
    CG_GraphicObject* target = scene.FindObject("target");
    ASSERT_NE(target, nullptr);
    const Ray primary = Ray::FromPoints(eye, {0, 0, 0});
    std::unique_ptr<CG_GraphicObjectIntrInfo> record = target->NewIntrInfo();
    ASSERT_EQ(target->IntersectAny(primary, *record), 1);
    std::unique_ptr<CG_Material> material = method.NewMaterial();
    Point3D P, N;
    target->HitDetails(primary, *record, 0, *material, P, N);
    ExpectColour(P, {0, 0, 0});
    ExpectColour(N, {0, 0, 1});
    ExpectColour(method.Shade(scene, *material, P, N), c.expected);
  }
}

TEST(PhongShading, NewMaterialGivesAFreshDefaultPhongMaterial) {
  GNoShadowPhongShading noshadow;
  GPhongShading phong;
  EXPECT_STREQ(noshadow.Keyword(), "noshadowphong");
  EXPECT_STREQ(phong.Keyword(), "phong");
  for (CG_ShadingMetod* method : {static_cast<CG_ShadingMetod*>(&noshadow), static_cast<CG_ShadingMetod*>(&phong)}) {
    SCOPED_TRACE(method->Keyword());
    std::unique_ptr<CG_Material> a = method->NewMaterial();
    std::unique_ptr<CG_Material> b = method->NewMaterial();
    ASSERT_NE(a, nullptr);
    EXPECT_NE(a.get(), b.get());
    auto* m = dynamic_cast<CG_MaterialPhong*>(a.get());
    ASSERT_NE(m, nullptr);
    const CG_MaterialPhong defaults;
    EXPECT_EQ(m->Ka, defaults.Ka);
    EXPECT_EQ(m->Kd, defaults.Kd);
    EXPECT_EQ(m->Kh, defaults.Kh);
    EXPECT_EQ(m->Kt, defaults.Kt);
    EXPECT_EQ(m->n, defaults.n);
    EXPECT_EQ(m->Od, defaults.Od);
    EXPECT_EQ(m->Os, defaults.Os);
    EXPECT_EQ(m->shadows, defaults.shadows);
    EXPECT_EQ(m->doubleside, defaults.doubleside);
  }
}

// A material model the Phong methods cannot shade.
class OtherMaterial : public CG_Material {
public:
  void Write(std::ostream&) const override {}
  Point3D GetColour() const override { return {}; }
  void SetColour(const Point3D&) override {}
  void CopyFrom(const CG_Material&) override {}
};

TEST(PhongShadingDeathTest, AnotherMaterialModelIsAnInternalError) {
  CG_ModelRegistry registry;
  CG_GraphicScene scene(registry);
  OtherMaterial material;
  GPhongShading phong;
  GNoShadowPhongShading noshadow;
  EXPECT_EXIT(phong.Shade(scene, material, {}, {0, 0, 1}), ::testing::ExitedWithCode(1),
              "Runtime Error: GPhongShading::Shade");
  EXPECT_EXIT(noshadow.Shade(scene, material, {}, {0, 0, 1}), ::testing::ExitedWithCode(1),
              "Runtime Error: GNoShadowPhongShading::Shade");
}

}  // namespace
