#include "editor/modules/module_factory.h"

#include <gtest/gtest.h>

#include "module_fixture.h"

namespace zavo::test {
namespace {

TEST(ModuleFactory, TheDocumentHoldsTheBuiltModulesInRegistrationOrder) {
  struct Case {
    int test;
    std::vector<std::string> objects;
  };
  const Case cases[] = {
      {0, {"sphere", "cylinder", "box", "brep", "intersect", "subtract", "union", "blob", "flip", "NURBScurve", "NURBSmesh", "field", "beziercurve", "cone", "arealamp", "camera", "pointlamp", "polyline", "bezier", "anim", "group", "deformgraph"}},
      {1, {"sphere", "cylinder", "box", "brep", "intersect", "subtract", "union", "blob", "flip", "NURBScurve", "NURBSmesh", "field", "beziercurve", "cone", "arealamp", "camera", "conelamp", "AbstractVRMLNode", "ucbspline", "pointlamp", "polyline", "bezier", "anim", "group", "deformgraph"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.test);
    ModuleDocument doc(c.test);
    EXPECT_EQ(Keywords(doc.editor->objectModules), c.objects);
    EXPECT_EQ(Keywords(doc.editor->lampModules), (std::vector<std::string>{"pointlamp", "conelamp"}));
    EXPECT_EQ(Keywords(doc.editor->materialModules), (std::vector<std::string>{"phong"}));
    EXPECT_EQ(Keywords(doc.editor->mappingModules), (std::vector<std::string>{"planar", "spherical", "cilindric"}));
  }
}

TEST(ModuleFactory, AnswersOnlyForBuiltClassesInTheirOwnList) {
  struct Case {
    EditorModuleList list;
    const char* keyword;
    const char* className;
    bool made;
  };
  const Case cases[] = {
      {EditorModuleList::kObject, "sphere", "CG_SphereEditorModule", true},
      {EditorModuleList::kObject, "pointlamp", "CG_XPointLampEditorModule", true},
      {EditorModuleList::kLamp, "pointlamp", "CG_PointLampEditorModule", true},
      {EditorModuleList::kObject, "conelamp", "CG_XConeLampEditorModule", true},
      {EditorModuleList::kObject, "box", "CG_BoxEditorModule", true},
      {EditorModuleList::kMaterial, "phong", "CG_PhongMaterialEditorModule", true},
      {EditorModuleList::kObject, "phong", "CG_PhongMaterialEditorModule", false},
      {EditorModuleList::kObject, "flip", "CG_FlipEditorModule", true},
      {EditorModuleList::kObject, "group", "CG_GroupEditorModule", true},
      {EditorModuleList::kObject, "deformgraph", "CG_PathControlEditorModule", true},
      {EditorModuleList::kObject, "pointlamp", "CG_PointLampEditorModule", false},
      {EditorModuleList::kLamp, "sphere", "CG_SphereEditorModule", false},
      {EditorModuleList::kObject, "union", "CG_CSGEditorModule", true},
      {EditorModuleList::kObject, "anim", "CG_AnimEditorModule", true},
      {EditorModuleList::kObject, "field", "CG_FieldEditorModule", true},
      {EditorModuleList::kObject, "AbstractVRMLNode", "CG_AbstractVRMLNodeEditorModule", true},
      {EditorModuleList::kObject, "ucbspline", "CG_UCBSplineEditorModule", true},
      {EditorModuleList::kObject, "sphere", nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.className != nullptr ? c.className : "(null)");
    EXPECT_EQ(MakeEditorModule(c.list, c.keyword, c.className) != nullptr, c.made);
  }
  // The lamp module of "pointlamp" is a lamp module, the object one an object module.
  EXPECT_NE(dynamic_cast<CG_LampEditorModule*>(
                MakeEditorModule(EditorModuleList::kLamp, "pointlamp", "CG_PointLampEditorModule").get()),
            nullptr);
  EXPECT_NE(dynamic_cast<CG_ObjectEditorModule*>(
                MakeEditorModule(EditorModuleList::kObject, "pointlamp", "CG_XPointLampEditorModule").get()),
            nullptr);
}

}  // namespace
}  // namespace zavo::test
