// The NURBS curve module (creation, the knot and order dialog, weights and
// deletion limited by the order) and the NURBS mesh module (creation from
// the model list, its dialog, "Info").

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "curve_document.h"
#include "editor/modules/curve_module.h"
#include "editor/modules/nurbs_curve_module.h"
#include "editor/modules/patch_model_module.h"
#include "model_file_fixture.h"
#include "models/curved/nurbs_curve.h"
#include "models/curved/nurbs_mesh.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// A handle of four points, order 4, knots 0 .. 7, as "Create" makes one.
const char kHandle[] =
    "{ object name handle; material standard; model { NURBScurve open 1; div 5; order 4; ncontrol 4;"
    " control { ( 0.3 , 0.1 , 0 ) , 1; ( 1.2 , 1.4 , 0 ) , 1; ( 2.6 , 1.1 , 0 ) , 1; ( 3.1 , 0.2 , 0 ) , 1; }"
    " knots { 0; 1; 2; 3; 4; 5; 6; 7; } } }\n";

std::vector<double> Knots(const CG_NURBSCurveDescription& d) {
  return std::vector<double>(d.knots.Data(), d.knots.Data() + d.knots.Count());
}

std::vector<std::string> InfoOf(CG_ObjectEditorModule& module) {
  Seq<charString> names;
  module.Info(names);
  std::vector<std::string> out;
  for (std::uint32_t i = 0; i < names.Count(); ++i) out.emplace_back(names[i].Text());
  return out;
}

CG_NURBSCurveDescription DescriptionOf(CurveDocument& doc, const char* name) {
  CG_NURBSCurveDescription d;
  dynamic_cast<CG_NURBSCurve&>(*doc.editor->scene.FindObject(name)).GetDescription(d);
  return d;
}

// ---- Curve ----

TEST(NURBSCurveModule, CreatesOrderFourAlongX) {
  struct Case {
    const char* what;
    int view;
    int click;
    std::vector<Point3D> points;
  };
  const Case cases[] = {
      {"Top view", 0, 0, {{0, 0, 0}, {0.625, 0, 0}, {1.25, 0, 0}, {1.875, 0, 0}}},
      // Top pixel (150, 30) of the window fitted to 200 x 100: (5, -1).
      {"a pending click moves the base point", 0, 1, {{5, -1, 0}, {5.625, -1, 0}, {6.25, -1, 0}, {6.875, -1, 0}}},
      {"side view: still along x", 1, 0, {{0, 2, 1}, {0.25, 2, 1}, {0.5, 2, 1}, {0.75, 2, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CurveDocument doc;
    doc.SetBox(1, {-7.3, -2, -1}, {7.3, 6, 3});
    doc.editor->activeView = c.view;
    doc.editor->creationClick = c.click;
    doc.editor->creationView = 0;
    doc.editor->creationX = 150;
    doc.editor->creationY = 30;
    doc.Answer({{"name", "handle"}});
    std::unique_ptr<CG_GraphicObject> made = doc.Object("NURBScurve").Create(*doc.editor);
    ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
    EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Creating NURBScurve");
    EXPECT_EQ(doc.fakes.dialog.calls[0].tree, std::vector<std::string>{"Edit_obj name = obj000001"});
    auto* curve = dynamic_cast<CG_NURBSCurve*>(made.get());
    ASSERT_NE(curve, nullptr);
    CG_NURBSCurveDescription d;
    curve->GetDescription(d);
    EXPECT_EQ(std::vector<Point3D>(d.controls.Data(), d.controls.Data() + d.controls.Count()), c.points);
    EXPECT_EQ(std::vector<double>(d.weights.Data(), d.weights.Data() + d.weights.Count()),
              (std::vector<double>{1, 1, 1, 1}));
    EXPECT_EQ(Knots(d), (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(d.order, 4);
    EXPECT_EQ(d.div, 5);
    EXPECT_EQ(d.open, 1);
  }
  CurveDocument doc;
  EXPECT_EQ(InfoOf(doc.Object("NURBScurve")), (std::vector<std::string>{"curve", "NURBScurve"}));
  doc.fakes.dialog.AnswerCancel();
  EXPECT_EQ(doc.Object("NURBScurve").Create(*doc.editor), nullptr);
}

// "Modify NURBScurve": the buttons act on the description, which the curve
// takes on OK and on Cancel alike.
TEST(NURBSCurveModule, KnotsAndOrder) {
  struct Case {
    const char* what;
    FakeDialog::Script script;
    std::vector<double> knots;
    int order;
    std::vector<std::string> messages;
  };
  const std::vector<double> same{0, 1, 2, 3, 4, 5, 6, 7};
  const Case cases[] = {
      // Read back into "vknots", knot 5 is written back unchanged.
      {"update knots", {{{"Knots", "5"}, {"vknots", "x"}}, {"update knots", "change knots"}, true}, same, 4, {}},
      {"change knots without update", {{{"Knots", "5"}, {"vknots", "x"}}, {"change knots"}, true},
       {0, 1, 2, 3, 4, 0, 6, 7}, 4, {}},
      {"change knots reads digits only", {{{"Knots", "2"}, {"vknots", "2.9"}}, {"change knots"}, true},
       {0, 1, 2, 3, 4, 5, 6, 7}, 4, {}},
      {"change knots", {{{"Knots", "3"}, {"vknots", " -2.5"}}, {"change knots"}, true},
       {0, 1, 2, -2, 4, 5, 6, 7}, 4, {}},
      {"order 6 continues the knots", {{{"order", "6"}}, {"change order"}, true}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 6, {}},
      {"order 3 cuts them", {{{"order", "3"}}, {"change order"}, true}, {0, 1, 2, 3, 4, 5, 6}, 3, {}},
      {"applied on Cancel too", {{{"order", "3"}}, {"change order"}, false}, {0, 1, 2, 3, 4, 5, 6}, 3, {}},
      {"an entry past the knots does nothing",
       {{{"order", "2"}, {"Knots", "6"}, {"vknots", "9"}}, {"change order", "change knots", "update knots"}, true},
       {0, 1, 2, 3, 4, 5}, 2, {}},
      {"order 0", {{{"order", "0"}}, {"change order"}, true}, same, 4, {"The order must lie between 1 and 16."}},
      {"order without digits", {{{"order", "abc"}}, {"change order"}, true}, same, 4,
       {"The order must lie between 1 and 16."}},
      {"order 17", {{{"order", "17"}}, {"change order"}, true}, same, 4, {"The order must lie between 1 and 16."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CurveDocument doc(kHandle);
    ASSERT_EQ(doc.loaded, 1);
    CG_GraphicObject& curve = *doc.editor->scene.FindObject("handle");
    doc.fakes.dialog.Answer(c.script);
    EXPECT_EQ(doc.Object("NURBScurve").Modify(*doc.editor, curve, 0), &curve);
    ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
    EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Modify NURBScurve");
    const std::vector<std::string>& tree = doc.fakes.dialog.calls[0].tree;
    ASSERT_EQ(tree.size(), 6u);
    EXPECT_EQ(tree[0].rfind("ListBox_obj Knots", 0), 0u) << tree[0];
    EXPECT_EQ(tree[1], "Button_obj update knots");
    EXPECT_EQ(tree[2], "Button_obj change knots");
    EXPECT_EQ(tree[3], "Edit_obj vknots = ");
    EXPECT_EQ(tree[4], "Edit_obj order = 4");
    EXPECT_EQ(tree[5], "Button_obj change order");
    const CG_NURBSCurveDescription d = DescriptionOf(doc, "handle");
    EXPECT_EQ(Knots(d), c.knots);
    EXPECT_EQ(d.order, c.order);
    EXPECT_EQ(doc.fakes.system.messages, c.messages);
  }
}

TEST(NURBSCurveModule, WeightsAndDeletion) {
  struct Case {
    const char* what;
    bool ok;
    std::string weight;
    double expected;
  };
  for (const Case& c : {Case{"OK", true, "2.75", 2.75}, Case{"no number", true, "heavy", 0.0},
                        Case{"Cancel", false, "2.75", 1.0}}) {
    SCOPED_TRACE(c.what);
    CurveDocument doc(kHandle);
    CG_GraphicObject& curve = *doc.editor->scene.FindObject("handle");
    auto& module = dynamic_cast<CG_GenericCurveEditorModule&>(doc.Object("NURBScurve"));
    std::unique_ptr<CG_ESelectionStatus> status = module.NewSelectionStatus();
    dynamic_cast<CG_EGenericCurveSelectionStatus&>(*status).current = 2;
    doc.fakes.dialog.Answer({{{"weight", c.weight}}, {}, c.ok});
    EXPECT_EQ(module.Key(*doc.editor, doc.editor->FindItem(&curve), curve, status.get(), 'e', nullptr), 4);
    ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
    EXPECT_EQ(doc.fakes.dialog.calls[0].title, "NURBS Control edit");
    EXPECT_EQ(doc.fakes.dialog.calls[0].tree, std::vector<std::string>{"Edit_obj weight = 1"});
    const CG_NURBSCurveDescription d = DescriptionOf(doc, "handle");
    EXPECT_EQ(d.weights[2], c.expected);
    EXPECT_EQ(d.weights[1], 1.0);

    // A curve of order 4 keeps four points.
    EXPECT_EQ(module.MinControlCount(curve), 4);
    EXPECT_EQ(module.Key(*doc.editor, doc.editor->FindItem(&curve), curve, status.get(), 'd', nullptr), 0);
    EXPECT_EQ(doc.fakes.system.messages,
              std::vector<std::string>{"Sorry, cannot delete.\nThis curve must have at least 4 control points."});
    EXPECT_EQ(curve.ControlCount(), 4);
  }
}

// ---- Mesh ----

TEST(NURBSMeshModule, CreatesTheChosenModelUnderTheFirstFreeName) {
  ModelFileDocument doc;
  doc.Put("a.nrb", kOneNURBSPatch);
  doc.Put("models/a.NRB", kOneNURBSPatch);
  doc.Answer({{"name", "a"}});
  ASSERT_EQ(doc.editor->scene.AddObject(doc.Object("box").Create(*doc.editor)), 1);
  doc.fakes.listShower.AnswerText("a");
  std::unique_ptr<CG_GraphicObject> made = doc.Object("NURBSmesh").Create(*doc.editor);
  EXPECT_EQ(doc.fakes.listShower.titles, std::vector<std::string>{"Select a model"});
  EXPECT_EQ(doc.fakes.listShower.shown, (std::vector<std::vector<std::string>>{{"a", "a"}}));
  auto* mesh = dynamic_cast<CG_NURBSMesh*>(made.get());
  ASSERT_NE(mesh, nullptr);
  EXPECT_STREQ(mesh->name.Text(), "a_2");
  EXPECT_STREQ(mesh->ModelName(), "a");
  EXPECT_STREQ(mesh->ModelPath(), "a");
  EXPECT_EQ(mesh->Embedded(), 0);
  EXPECT_EQ(mesh->Div(), 6);
  EXPECT_EQ(mesh->Cache(), 1);
  EXPECT_STREQ(mesh->HierKind(), "auto");
  EXPECT_EQ(CountOf(mesh->Patches()), 1u);
  EXPECT_EQ(MaterialOf(*mesh), doc.editor->scene.GetMaterials().Find("standard"));
  EXPECT_TRUE(doc.fakes.system.messages.empty());
  EXPECT_EQ(InfoOf(doc.Object("NURBSmesh")), (std::vector<std::string>{"composite", "NURBSmesh"}));
  auto& module = dynamic_cast<CG_GenericPModelEditorModule&>(doc.Object("NURBSmesh"));
  EXPECT_EQ(module.CanEditControls(), 1);
  EXPECT_EQ(module.ControlPoints(*mesh)->ControlCount(), 4);
}

// Names a scene cannot hold make no object; a model that is gone is
// reported.
TEST(NURBSMeshModule, ModelsThatMakeNoObject) {
  struct Case {
    const char* what;
    const char* file;  // made a directory: listed but not readable as a model
    std::vector<std::string> shown;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"an empty name is not offered", ".nrb", {}, {}},
      {"a name with a blank", "my mesh.nrb", {"my mesh"}, {"'my mesh' not a valid name\ncharacter ' ' not valid."}},
      {"a model that cannot be found", "ghost.nrb", {"ghost"}, {"Internal Error in ZadNRNSM module"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ModelFileDocument doc;
    fs::create_directories(doc.dir / "models" / c.file);
    doc.fakes.listShower.AnswerIndex(0);
    EXPECT_EQ(doc.Object("NURBSmesh").Create(*doc.editor), nullptr);
    ASSERT_EQ(doc.fakes.listShower.shown.size(), 1u);
    EXPECT_EQ(doc.fakes.listShower.shown[0], c.shown);
    EXPECT_EQ(doc.fakes.system.messages, c.messages);
  }
}

TEST(NURBSMeshModule, ModifyAndInfo) {
  ModelFileDocument doc;
  doc.Put("models/sail.nrb", kOneNURBSPatch);
  doc.fakes.listShower.AnswerText("sail");
  std::unique_ptr<CG_GraphicObject> made = doc.Object("NURBSmesh").Create(*doc.editor);
  auto* mesh = dynamic_cast<CG_NURBSMesh*>(made.get());
  ASSERT_NE(mesh, nullptr);
  CG_ObjectEditorModule& module = doc.Object("NURBSmesh");

  doc.fakes.multiEdit.AnswerTexts({"9.8", "0"});
  EXPECT_EQ(module.Modify(*doc.editor, *mesh, 0), mesh);
  ASSERT_EQ(doc.fakes.multiEdit.calls.size(), 1u);
  EXPECT_EQ(doc.fakes.multiEdit.calls[0].title, "Modifing NURBSmesh");
  EXPECT_EQ(doc.fakes.multiEdit.calls[0].labels, (std::vector<std::string>{"div", "cache"}));
  EXPECT_EQ(doc.fakes.multiEdit.calls[0].texts, (std::vector<std::string>{"6", "1"}));
  EXPECT_EQ(mesh->Div(), 9);
  EXPECT_EQ(mesh->Cache(), 0);
  doc.fakes.multiEdit.AnswerCancel();
  EXPECT_EQ(module.Modify(*doc.editor, *mesh, 0), nullptr);
  EXPECT_EQ(mesh->Div(), 9);

  CG_GraphicObject* object = mesh;
  EXPECT_EQ(module.RunSpecial(*doc.editor, 3, object, nullptr), 0);
  EXPECT_EQ(doc.fakes.system.messages, std::vector<std::string>{"Object described in file models/sail"});
}

}  // namespace
}  // namespace zavo::test
