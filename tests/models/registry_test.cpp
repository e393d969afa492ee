#include "models/registry.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "models/core/anim.h"
#include "models/core/area_lamp.h"
#include "models/core/box.h"
#include "models/core/brep.h"
#include "models/core/camera.h"
#include "models/core/cone.h"
#include "models/core/cone_lamp.h"
#include "models/core/csg.h"
#include "models/core/cylinder.h"
#include "models/core/flip.h"
#include "models/core/group.h"
#include "models/core/point_lamp.h"
#include "models/core/quadric.h"
#include "models/core/sphere.h"
#include "models/core/transf.h"
#include "models/core/transf_lamp.h"
#include "models/curved/bezier.h"
#include "models/curved/bezier_curve.h"
#include "models/curved/blob.h"
#include "models/curved/deform_graph.h"
#include "models/curved/field.h"
#include "models/curved/nurbs_curve.h"
#include "models/curved/nurbs_mesh.h"
#include "models/curved/polyline.h"
#include "models/curved/spline.h"
#include "models/curved/vrml_node.h"
#include "scene/fakes.h"
#include "scene/phong_shading.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

template <class T, class KeywordOf>
std::vector<std::string> Keywords(const List<T>& list, KeywordOf keywordOf) {
  std::vector<std::string> result;
  for (const T& item : list) result.emplace_back(keywordOf(item));
  return result;
}

TEST(BuildRegistry, FillsTheListsThatExistInOrder) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  EXPECT_EQ(Keywords(registry.boundingModules, [](const BoundingObjectModule& m) { return m.keyword.Text(); }),
            (std::vector<std::string>{"box", "box"}));
  EXPECT_EQ(Keywords(registry.mappingModules, [](const CG_MappingModule& m) { return m.Keyword(); }),
            (std::vector<std::string>{"planar", "spherical", "cilindric"}));
  EXPECT_EQ(Keywords(registry.materialModules, [](const CG_MaterialModule& m) { return m.Keyword(); }),
            (std::vector<std::string>{"phong"}));
  EXPECT_EQ(Keywords(registry.modelModules, [](const CG_GraphicObjectModule& m) { return m.Keyword(); }),
            (std::vector<std::string>{"sphere", "cylinder", "brep", "ucbspline", "box", "group", "transf", "quad",
                                      "intersect", "subtract", "union", "blob", "flip", "polyline", "NURBScurve",
                                      "NURBSmesh", "anim", "deformgraph", "field", "beziercurve", "pointlamp", "cone",
                                      "arealamp", "conelamp", "AbstractVRMLNode", "camera"}));
  EXPECT_EQ(Keywords(registry.shadingMethods, [](const CG_ShadingMetod& m) { return m.Keyword(); }),
            (std::vector<std::string>{"noshadowphong", "phong"}));
  EXPECT_EQ(Keywords(registry.lampModules, [](const CG_LightSourceModule& m) { return m.Keyword(); }),
            (std::vector<std::string>{"pointlamp", "conelamp", "transf"}));
  EXPECT_NE(dynamic_cast<NGPointLampModule*>(registry.lampModules.Nth(0)), nullptr);
  EXPECT_NE(dynamic_cast<NGConeLampModule*>(registry.lampModules.Nth(1)), nullptr);
  EXPECT_NE(dynamic_cast<NGTransfLampModule*>(registry.lampModules.Nth(2)), nullptr);
  // The mapping and material modules read what they are named for.
  EXPECT_NE(dynamic_cast<CG_CilindricMappingModule*>(registry.mappingModules.Nth(2)), nullptr);
  EXPECT_NE(dynamic_cast<CG_MaterialPhongModule*>(registry.materialModules.First()), nullptr);
  // Each model keyword is read by the module class made for it.
  const std::pair<const char*, bool (*)(CG_GraphicObjectModule*)> classes[] = {
      {"sphere", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_SphereModule*>(m) != nullptr; }},
      {"cylinder", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_CylinderModule*>(m) != nullptr; }},
      {"brep", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_BRepModule*>(m) != nullptr; }},
      {"ucbspline", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_SplineModule*>(m) != nullptr; }},
      {"box", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_BoxModule*>(m) != nullptr; }},
      {"group", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_GroupModule*>(m) != nullptr; }},
      {"transf", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_TransfModule*>(m) != nullptr; }},
      {"quad", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_QuadModule*>(m) != nullptr; }},
      {"intersect", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_CSGModule*>(m) != nullptr; }},
      {"subtract", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_CSGModule*>(m) != nullptr; }},
      {"union", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_CSGModule*>(m) != nullptr; }},
      {"flip", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_FlipModule*>(m) != nullptr; }},
      {"polyline", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_PolylineModule*>(m) != nullptr; }},
      {"NURBScurve", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_NURBSCurveModule*>(m) != nullptr; }},
      {"NURBSmesh", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_NURBSMeshModule*>(m) != nullptr; }},
      {"deformgraph", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_PathControlModule*>(m) != nullptr; }},
      {"beziercurve", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_BezierCurveModule*>(m) != nullptr; }},
      {"pointlamp", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_XPointLampModule*>(m) != nullptr; }},
      {"cone", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_ConeModule*>(m) != nullptr; }},
      {"arealamp", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_AreaLampModule*>(m) != nullptr; }},
      {"conelamp", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_XConeLampModule*>(m) != nullptr; }},
      {"blob", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_BlobModule*>(m) != nullptr; }},
      {"field", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_FieldModule*>(m) != nullptr; }},
      {"AbstractVRMLNode",
       [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_AbstractVRMLNodeModule*>(m) != nullptr; }},
      {"anim", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_AnimModule*>(m) != nullptr; }},
      {"camera", [](CG_GraphicObjectModule* m) { return dynamic_cast<CG_CameraModule*>(m) != nullptr; }},
  };
  for (const auto& [keyword, isRightClass] : classes) {
    EXPECT_TRUE(isRightClass(FindModule(registry.modelModules, keyword))) << keyword;
  }
  EXPECT_EQ(registry.GetCameraFactory(), zavo::NewCameraObject);
  EXPECT_EQ(FindModule(registry.modelModules, "Sphere"), nullptr);
}

TEST(BuildRegistry, EachCsgModuleMakesItsObjectsWithItsOwnRules) {
  struct Case {
    const char* keyword;
    zavo::CSGIntervalRule intervals;
    zavo::CSGBoundRule bound;
    zavo::MeshBoolean meshBoolean;
  };
  const Case cases[] = {
      {"intersect", CSGIntersectIntervals, zavo::CSGIntersectBound, MeshIntersect},
      {"subtract", CSGSubtractIntervals, zavo::CSGSubtractBound, MeshSubtract},
      {"union", CSGUnionIntervals, zavo::CSGUnionBound, MeshUnion},
  };
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyword);
    CG_GraphicScene scene(registry);
    std::istringstream in(std::string("{ object name c; model { ") + c.keyword +
                          " first { object name a; model { sphere center (0,0,0); radius 1; } }"
                          " second { object name b; model { sphere center (1,0,0); radius 1; } } } }\n.\n");
    ASSERT_EQ(scene.Load(in), 1) << scene.GetErrorMessage();
    auto* csg = dynamic_cast<GCSG*>(scene.FindObject("c"));
    ASSERT_NE(csg, nullptr);
    CG_CSGDescription d;
    csg->GetDescription(d);
    EXPECT_STREQ(d.keyword.Text(), c.keyword);
    EXPECT_EQ(d.intervals, c.intervals);
    EXPECT_EQ(d.bound, c.bound);
    EXPECT_EQ(d.meshBoolean, c.meshBoolean);
    EXPECT_EQ(d.convert, 0);
    EXPECT_EQ(d.scene, &scene);
    EXPECT_EQ(d.progress, &scene.GetInterface());
  }
}

TEST(BuildRegistry, TheDocumentAddsTheBezierModuleAtTheEnd) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  EXPECT_EQ(FindModule(registry.modelModules, "bezier"), nullptr);
  zavo::AddDocumentModelModules(registry);
  std::vector<std::string> keywords =
      Keywords(registry.modelModules, [](const CG_GraphicObjectModule& m) { return m.Keyword(); });
  ASSERT_FALSE(keywords.empty());
  EXPECT_EQ(keywords.back(), "bezier");
  EXPECT_NE(dynamic_cast<CG_BezierModule*>(registry.modelModules.Last()), nullptr);
}

TEST(BuildRegistry, InstallsTheStandInBox) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  EXPECT_EQ(registry.GetBoxFactory(), &zavo::NewStandInBox);
  EXPECT_EQ(zavo::StandInBoxFactory(), &zavo::NewStandInBox);
  CG_GraphicObjectCommData data;
  data.name = "b";
  std::unique_ptr<CG_GraphicObject> box = registry.NewBox(data, GEO_Box{0, 1, 0, 1, 0, 1});
  EXPECT_NE(dynamic_cast<GBox*>(box.get()), nullptr);
}

TEST(BuildRegistry, EmptiesTheListsFirst) {
  const int alive = zavo::test::FakeModelModule::alive;
  CG_ModelRegistry registry;
  registry.modelModules.Append(new zavo::test::FakeModelModule());
  BuildRegistry(registry);
  BuildRegistry(registry);
  EXPECT_EQ(zavo::test::FakeModelModule::alive, alive);
  EXPECT_EQ(registry.boundingModules.Nth(2), nullptr);
  EXPECT_EQ(registry.mappingModules.Nth(3), nullptr);
}

TEST(BuildRegistry, AScenePicksTheShadingMethodsByExactKeyword) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  CG_GraphicScene scene(registry);
  EXPECT_EQ(scene.SetShadingMethod("phong"), 1);
  EXPECT_NE(dynamic_cast<GPhongShading*>(scene.GetShadingMethod()), nullptr);
  EXPECT_EQ(scene.SetShadingMethod("noshadowphong"), 1);
  EXPECT_NE(dynamic_cast<GNoShadowPhongShading*>(scene.GetShadingMethod()), nullptr);
  EXPECT_EQ(scene.SetShadingMethod("Phong"), 0);
  EXPECT_EQ(scene.GetShadingMethod(), nullptr);
}

}  // namespace
