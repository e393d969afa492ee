// The editor document after construction: its module lists from the injected
// factory, its registry, its empty scene and its state.

#include "editor/graphic_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor_fakes.h"
#include "models/core/camera.h"

namespace zavo::test {
namespace {

using Strings = std::vector<std::string>;

const Strings kObjectsTest0 = {"sphere",     "cylinder", "box",         "brep",     "intersect", "subtract",
                               "union",      "blob",     "flip",        "NURBScurve", "NURBSmesh", "field",
                               "beziercurve", "cone",    "arealamp",    "camera",   "pointlamp", "polyline",
                               "bezier",     "anim",     "group",       "deformgraph"};

TEST(GraphicEditorConstruction, ModuleListsFollowTheRegistrationOrder) {
  for (int test : {0, 1}) {
    SCOPED_TRACE(test);
    ScopedFakeModuleFactory factory;
    auto editor = CG_GraphicEditor::Create(test);
    Strings objects = kObjectsTest0;
    if (test != 0) {
      const auto camera = std::find(objects.begin(), objects.end(), "camera");
      objects.insert(camera + 1, {"conelamp", "AbstractVRMLNode", "ucbspline"});
    }
    EXPECT_EQ(Keywords(editor->objectModules), objects);
    EXPECT_EQ(Keywords(editor->lampModules), (Strings{"pointlamp", "conelamp"}));
    EXPECT_EQ(Keywords(editor->materialModules), (Strings{"phong"}));
    EXPECT_EQ(Keywords(editor->mappingModules), (Strings{"planar", "spherical", "cilindric"}));
    EXPECT_EQ(editor->options.Test, test);
  }
}

TEST(GraphicEditorConstruction, FactoryIsAskedWithListKeywordAndClassInOrder) {
  ScopedFakeModuleFactory factory;
  auto editor = CG_GraphicEditor::Create(1);
  const Strings expected = {
      "object sphere CG_SphereEditorModule",
      "object cylinder CG_CylinderEditorModule",
      "object box CG_BoxEditorModule",
      "object brep CG_BRepEditorModule",
      "lamp pointlamp CG_PointLampEditorModule",
      "lamp conelamp CG_ConeLampEditorModule",
      "material phong CG_PhongMaterialEditorModule",
      "object intersect CG_CSGEditorModule",
      "object subtract CG_CSGEditorModule",
      "object union CG_CSGEditorModule",
      "object blob CG_BlobEditorModule",
      "object flip CG_FlipEditorModule",
      "object NURBScurve CG_NURBSCurveEditorModule",
      "object NURBSmesh CG_NURBSMeshEditorModule",
      "object field CG_FieldEditorModule",
      "object beziercurve CG_BezierCurveEditorModule",
      "object cone CG_ConeEditorModule",
      "object arealamp CG_AreaLampEditorModule",
      "object camera CG_CameraEditorModule",
      "object conelamp CG_XConeLampEditorModule",
      "object AbstractVRMLNode CG_AbstractVRMLNodeEditorModule",
      "object ucbspline CG_UCBSplineEditorModule",
      "object pointlamp CG_XPointLampEditorModule",
      "object polyline CG_PolylineEditorModule",
      "object bezier CG_BezierEditorModule",
      "mapping planar CG_PlanarMappingEditorModule",
      "mapping spherical CG_SphericalMappingEditorModule",
      "mapping cilindric CG_CylindricMappingEditorModule",
      "object anim CG_AnimEditorModule",
      "object group CG_GroupEditorModule",
      "object deformgraph CG_PathControlEditorModule",
  };
  EXPECT_EQ(*factory.requests, expected);
}

TEST(GraphicEditorConstruction, SameKeywordInTwoListsEachListFindsItsOwn) {
  ScopedFakeModuleFactory factory;
  auto editor = CG_GraphicEditor::Create(1);
  auto* objectLamp = dynamic_cast<FakeObjectModule*>(editor->FindObjectModule("pointlamp"));
  auto* lamp = dynamic_cast<FakeLampModule*>(editor->FindLampModule("pointlamp"));
  ASSERT_NE(objectLamp, nullptr);
  ASSERT_NE(lamp, nullptr);
  EXPECT_EQ(objectLamp->className, "CG_XPointLampEditorModule");
  EXPECT_EQ(lamp->className, "CG_PointLampEditorModule");
  EXPECT_EQ(dynamic_cast<FakeObjectModule*>(editor->FindObjectModule("conelamp"))->className,
            "CG_XConeLampEditorModule");
  EXPECT_EQ(dynamic_cast<FakeLampModule*>(editor->FindLampModule("conelamp"))->className,
            "CG_ConeLampEditorModule");
}

TEST(GraphicEditorConstruction, EntriesWithoutAModuleAreLeftOutWithoutAGap) {
  ScopedFakeModuleFactory factory({"CG_CSGEditorModule", "CG_ConeLampEditorModule", "CG_PathControlEditorModule"});
  auto editor = CG_GraphicEditor::Create(0);
  Strings objects = kObjectsTest0;
  std::erase_if(objects, [](const std::string& k) {
    return k == "intersect" || k == "subtract" || k == "union" || k == "deformgraph";
  });
  EXPECT_EQ(Keywords(editor->objectModules), objects);
  EXPECT_EQ(Keywords(editor->lampModules), (Strings{"pointlamp"}));
}

TEST(GraphicEditorConstruction, NoFactoryGivesEmptyModuleLists) {
  auto editor = CG_GraphicEditor::Create(0);
  EXPECT_TRUE(editor->objectModules.IsEmpty());
  EXPECT_TRUE(editor->lampModules.IsEmpty());
  EXPECT_EQ(editor->FindObjectModule("sphere"), nullptr);
}

TEST(GraphicEditorConstruction, EmptyDocumentHoldsStandardMaterialAndCurrentCamera) {
  ScopedFakeModuleFactory factory;
  auto editor = CG_GraphicEditor::Create(0);
  CG_GraphicScene& scene = *editor->GetScene();
  EXPECT_STREQ(scene.GetName(), "zavo");
  ASSERT_NE(scene.GetMaterials().Find("standard"), nullptr);
  EXPECT_NE(dynamic_cast<CG_MaterialPhong*>(scene.GetMaterials().Find("standard")->model), nullptr);
  CG_GraphicObject* camera = scene.FindObject("camera");
  ASSERT_NE(camera, nullptr);
  EXPECT_EQ(camera->IsCamera(), 1);
  EXPECT_EQ(scene.GetCurrentCamera(), camera);
  EXPECT_STREQ(scene.GetParam().CameraInUse.Text(), "camera");
  Seq<CG_NamedMaterial*> materials;
  camera->GetMaterials(materials);
  ASSERT_EQ(materials.Count(), 1u);
  EXPECT_EQ(materials[0], scene.GetMaterials().Find("standard"));
  EXPECT_EQ(editor->frameCount, 50);
  EXPECT_EQ(editor->activeView, -1);
  EXPECT_EQ(editor->animationOn, 0);
  EXPECT_EQ(editor->objectEditing, 1);
  EXPECT_EQ(editor->markSize, 4);
  EXPECT_EQ(editor->options.KeepEdge, 0);
  EXPECT_EQ(editor->options.UseColor, 1);
  EXPECT_EQ(editor->options.InvertY, 0);
  for (const auto& box : editor->viewBoxes) {
    EXPECT_EQ(std::vector<double>(box, box + 6), (std::vector<double>{-10, -10, -10, 10, 10, 10}));
  }
}

TEST(GraphicEditorConstruction, RegistryEndsWithBezierAppendedOnce) {
  auto editor = CG_GraphicEditor::Create(0);
  const List<CG_GraphicObjectModule>& models = editor->registry.modelModules;
  ASSERT_NE(models.Last(), nullptr);
  EXPECT_STREQ(models.Last()->Keyword(), "bezier");
  int count = 0;
  for (const CG_GraphicObjectModule& module : models) count += std::string(module.Keyword()) == "bezier";
  EXPECT_EQ(count, 1);
  EXPECT_EQ(&editor->GetScene()->GetRegistry(), &editor->registry);
}

TEST(GraphicEditorConstruction, FirstRequestAnswersOfANewDocument) {
  auto editor = CG_GraphicEditor::Create(0);
  EditorDriver driver(*editor);
  EXPECT_EQ(driver.Request(74).value, -1);
  EXPECT_EQ(driver.Request(76).value, 0);
  EXPECT_EQ(driver.Request(50).value, 1);
}

TEST(GraphicEditorConstruction, TwoDocumentsShareNothing) {
  auto a = CG_GraphicEditor::Create(0);
  auto b = CG_GraphicEditor::Create(0);
  EXPECT_NE(&a->registry, &b->registry);
  EXPECT_NE(a->GetScene(), b->GetScene());
  EXPECT_NE(a->GetScene()->FindObject("camera"), b->GetScene()->FindObject("camera"));
  EditorDriver da(*a);
  da.Request(78, nullptr, 2);
  da.Request(84);
  da.Request(77, nullptr, 1);
  a->GetScene()->SetName("other");
  a->nameCounters[0] = 7;
  EditorDriver db(*b);
  EXPECT_EQ(db.Request(74).value, -1);
  EXPECT_EQ(b->objectEditing, 1);
  EXPECT_EQ(b->animationOn, 0);
  EXPECT_EQ(b->nameCounters[0], 0);
  EXPECT_STREQ(b->GetScene()->GetName(), "zavo");
  EXPECT_EQ(a->prolog.GetEditor(), a.get());
  EXPECT_EQ(b->prolog.GetEditor(), b.get());
}

TEST(GraphicEditorConstruction, VirtualEditorOwnsTheDocument) {
  VirtualEditor holder(CG_GraphicEditor::Create(0));
  EXPECT_NE(holder->GetScene(), nullptr);
  EXPECT_EQ(holder->text.Text(), nullptr);
}

}  // namespace
}  // namespace zavo::test
