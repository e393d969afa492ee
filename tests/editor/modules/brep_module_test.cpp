// The boundary-mesh module: creation from the model list and the settings
// dialog.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "editor/modules/module_test_support.h"
#include "editor/modules/patch_model_module.h"
#include "model_file_fixture.h"
#include "models/core/brep.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

TEST(BRepModule, CreatesAFileObjectForTheListedModel) {
  ModelFileDocument doc;
  doc.Put("wheel.brp", kCubeMesh);
  doc.Put("models/Wheel.BRP", kTetraMesh);
  doc.editor->scene.GetParam()._brep_optimiz = "fasthier";
  doc.editor->scene.GetParam()._brep_grid_dim = 17;
  struct Case {
    const char* chosen;
    const char* path;
    int vertices;
  };
  // Each listed name opens the file it was listed from.
  const Case cases[] = {{"wheel", "wheel", 8}, {"Wheel", "models/Wheel", 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    doc.fakes.listShower.AnswerText(c.chosen);
    std::unique_ptr<CG_GraphicObject> made = doc.Object("brep").Create(*doc.editor);
    auto* brep = dynamic_cast<GBRep*>(made.get());
    ASSERT_NE(brep, nullptr);
    EXPECT_STREQ(brep->name.Text(), c.chosen);
    EXPECT_EQ(MaterialOf(*brep), doc.editor->scene.GetMaterials().Find("standard"));
    EXPECT_EQ(brep->VertexCount(), c.vertices);
    CG_BRepDescription d;
    brep->GetDescription(d);
    EXPECT_EQ(d.isInline, 0);
    EXPECT_STREQ(d.name.Text(), c.chosen);
    EXPECT_STREQ(d.path.Text(), c.path);
    EXPECT_EQ(d.costr, 1.3);
    EXPECT_STREQ(d.hierKind.Text(), "fasthier");
    EXPECT_EQ(d.gridDim, 17);
    EXPECT_EQ(d.algorithm, 1);
    EXPECT_EQ(d.interp, 0);
    EXPECT_EQ(d.interp_ang, std::numbers::pi / 6);
    EXPECT_EQ(d.interp_hold, 0);
  }
  EXPECT_TRUE(doc.fakes.system.messages.empty());
}

TEST(BRepModule, AListedModelThatDoesNotOpenIsAnInternalError) {
  ModelFileDocument doc;
  fs::create_directories(doc.dir / "ghost.brp");
  doc.fakes.listShower.AnswerText("ghost");
  EXPECT_EQ(doc.Object("brep").Create(*doc.editor), nullptr);
  EXPECT_EQ(doc.fakes.system.messages, std::vector<std::string>{"Internal Error in ZadBrep module"});
}

TEST(BRepModule, ModifyEditsConstrAndInterp) {
  struct Case {
    const char* constr;
    double costr;
  };
  const Case cases[] = {{"2.7", 2.7}, {"abc", 0.0}, {"0.45e1 more", 4.5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.constr);
    ModelFileDocument doc;
    doc.Put("cube.brp", kCubeMesh);
    doc.fakes.listShower.AnswerText("cube");
    std::unique_ptr<CG_GraphicObject> made = doc.Object("brep").Create(*doc.editor);
    auto* brep = dynamic_cast<GBRep*>(made.get());
    ASSERT_NE(brep, nullptr);
    doc.Answer({{"constr", c.constr}, {"interp", "1"}});
    EXPECT_EQ(doc.Object("brep").Modify(*doc.editor, *brep, 0), brep);
    ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
    EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Modifing brep");
    EXPECT_EQ(doc.fakes.dialog.calls[0].tree, (std::vector<std::string>{"Edit_obj constr = 1.3", "Check_obj interp = 0"}));
    EXPECT_EQ(brep->Costr(), c.costr);
    EXPECT_EQ(brep->Interp(), 1);
    EXPECT_EQ(brep->VertexCount(), 8);
  }
}

TEST(BRepModule, CancelLeavesAnInternalObjectWithItsMesh) {
  ModelFileDocument doc;
  doc.Put("cube.brp", kCubeMesh);
  doc.fakes.listShower.AnswerText("cube");
  std::unique_ptr<CG_GraphicObject> made = doc.Object("brep").Create(*doc.editor);
  auto* brep = dynamic_cast<GBRep*>(made.get());
  ASSERT_NE(brep, nullptr);
  brep->SetNew();
  doc.fakes.dialog.AnswerCancel();
  EXPECT_EQ(doc.Object("brep").Modify(*doc.editor, *brep, 0), nullptr);
  EXPECT_EQ(brep->VertexCount(), 8);
  EXPECT_EQ(brep->FaceCount(), 12);
  EXPECT_EQ(brep->Costr(), 1.3);
}

TEST(BRepModule, InfoAndControlPoints) {
  ModuleDocument doc;
  auto& brep = dynamic_cast<CG_GenericPModelEditorModule&>(doc.Object("brep"));
  Seq<charString> names;
  brep.Info(names);
  ASSERT_EQ(names.Count(), 2u);
  EXPECT_STREQ(names[0].Text(), "composite");
  EXPECT_STREQ(names[1].Text(), "brep");
  EXPECT_EQ(brep.CanEditControls(), 1);
  EXPECT_EQ(brep.ShowAllControls(), 0);
}

}  // namespace
}  // namespace zavo::test
