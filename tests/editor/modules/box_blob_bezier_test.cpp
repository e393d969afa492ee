// The box, blob and Bezier patch modules: creation in the current view or
// from the model list, and their dialogs.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "editor/modules/bezier_module.h"
#include "editor/modules/module_test_support.h"
#include "model_file_fixture.h"
#include "models/core/box.h"
#include "models/curved/bezier.h"
#include "models/curved/blob.h"
#include "module_test_support.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

std::vector<double> BoundsOf(const GBox& box) {
  CG_BoxDescription d;
  box.GetDescription(d);
  return {d.xmin, d.xmax, d.ymin, d.ymax, d.zmin, d.zmax};
}

// ---- Box ----

TEST(BoxModule, CreatesACubeInTheCurrentView) {
  struct Case {
    const char* what;
    int activeView;
    int click;  // a pending click at Top pixel (150, 30): (5, -1) in the fitted window
    std::vector<double> bounds;
  };
  const Case cases[] = {
      {"Top view", 0, 0, {-2.5, 2.5, -2.5, 2.5, -2.5, 2.5}},
      {"no current view", -1, 0, {-2.5, 2.5, -2.5, 2.5, -2.5, 2.5}},
      {"Preview current", 3, 0, {-2.5, 2.5, -2.5, 2.5, -2.5, 2.5}},
      {"pending click", 0, 1, {2.5, 7.5, -3.5, 1.5, -2.5, 2.5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ModelFileDocument doc;
    doc.editor->activeView = c.activeView;
    doc.editor->creationClick = c.click;
    doc.editor->creationView = 0;
    doc.editor->creationX = 150;
    doc.editor->creationY = 30;
    doc.Answer({{"name", "crate"}});
    std::unique_ptr<CG_GraphicObject> made = doc.Object("box").Create(*doc.editor);
    auto* box = dynamic_cast<GBox*>(made.get());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Creating box");
    EXPECT_EQ(doc.fakes.dialog.calls[0].tree, std::vector<std::string>{"Edit_obj name = obj000001"});
    EXPECT_STREQ(box->name.Text(), "crate");
    EXPECT_EQ(MaterialOf(*box), doc.editor->scene.GetMaterials().Find("standard"));
    const std::vector<double> bounds = BoundsOf(*box);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_NEAR(bounds[i], c.bounds[i], 1e-12) << i;
  }
}

TEST(BoxModule, ModifyAppliesTheSixBoundsAsEntered) {
  ModuleDocument doc;
  CG_GraphicObjectCommData data;
  data.name = "crate";
  GBox box(data, CG_BoxDescription{-1.3, 1.3, -0.7, 0.7, 0, 2.1});
  doc.fakes.dialog.AnswerCancel();
  EXPECT_EQ(doc.Object("box").Modify(*doc.editor, box, 0), nullptr);
  EXPECT_EQ(BoundsOf(box), (std::vector<double>{-1.3, 1.3, -0.7, 0.7, 0, 2.1}));
  EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Modifing box");
  EXPECT_EQ(doc.fakes.dialog.calls[0].tree,
            (std::vector<std::string>{"Edit_obj Xmin = -1.3", "Edit_obj Xmax = 1.3", "Edit_obj Ymin = -0.7",
                                      "Edit_obj Ymax = 0.7", "Edit_obj Zmin = 0", "Edit_obj Zmax = 2.1"}));

  doc.Answer({{"Xmin", "3.7"}, {"Xmax", "1.2"}, {"Ymin", "wide"}, {"Zmax", "4.25 m"}});
  EXPECT_EQ(doc.Object("box").Modify(*doc.editor, box, 0), &box);
  const std::vector<double> bounds = BoundsOf(box);
  EXPECT_EQ(bounds[2], 0.0);   // no number
  EXPECT_EQ(bounds[3], 0.7);
  EXPECT_EQ(bounds[5], 4.25);
  // The box keeps both x bounds, whichever order it stores them in.
  EXPECT_EQ(std::minmax(bounds[0], bounds[1]), std::minmax(3.7, 1.2));
  EXPECT_EQ(InfoOf(doc.Object("box")), (std::vector<std::string>{"primitive", "box"}));
}

// ---- Blob ----

TEST(BlobModule, CreatesTheChosenModelUnderTheFirstFreeName) {
  ModelFileDocument doc;
  doc.Put("models/drop.blb", kTwoDrops);
  for (const char* taken : {"drop", "drop_2"}) {
    doc.Answer({{"name", taken}});
    ASSERT_EQ(doc.editor->scene.AddObject(doc.Object("box").Create(*doc.editor)), 1);
  }
  doc.fakes.listShower.AnswerText("drop");
  std::unique_ptr<CG_GraphicObject> made = doc.Object("blob").Create(*doc.editor);
  auto* blob = dynamic_cast<GBlob*>(made.get());
  ASSERT_NE(blob, nullptr);
  EXPECT_STREQ(blob->name.Text(), "drop_3");
  CG_BlobDescription d;
  blob->GetDescription(d);
  EXPECT_STREQ(d.name.Text(), "drop");
  EXPECT_EQ(MaterialOf(*blob), doc.editor->scene.GetMaterials().Find("standard"));
  // Taken out of the scene again: the editor adds it.
  EXPECT_EQ(doc.editor->scene.FindObject("drop_3"), nullptr);
  EXPECT_TRUE(doc.fakes.system.messages.empty());
  EXPECT_EQ(doc.Object("blob").Modify(*doc.editor, *blob, 0), nullptr);
  EXPECT_EQ(InfoOf(doc.Object("blob")), (std::vector<std::string>{"composite", "blob"}));
}

TEST(BlobModule, AModelThatDoesNotLoadIsReported) {
  ModelFileDocument doc;
  fs::create_directories(doc.dir / "ghost.blb");
  doc.fakes.listShower.AnswerText("ghost");
  EXPECT_EQ(doc.Object("blob").Create(*doc.editor), nullptr);
  ASSERT_EQ(doc.fakes.system.messages.size(), 1u);
  EXPECT_NE(doc.fakes.system.messages[0].find("file \"ghost.blb\" not found in model path"), std::string::npos)
      << doc.fakes.system.messages[0];
  EXPECT_EQ(doc.editor->scene.FindObject("ghost"), nullptr);
}

// ---- Bezier ----

TEST(BezierModule, CreatePatchLaysAFlatGridOverThreeQuartersOfHalfTheView) {
  ModelFileDocument doc;
  doc.Answer({{"mode", "Create patch"}});
  doc.Answer({});
  std::unique_ptr<CG_GraphicObject> made = doc.Object("bezier").Create(*doc.editor);
  auto* bezier = dynamic_cast<GBezier*>(made.get());
  ASSERT_NE(bezier, nullptr);
  ASSERT_EQ(doc.fakes.dialog.calls.size(), 2u);
  EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Choose mode");
  EXPECT_EQ(doc.fakes.dialog.calls[0].tree,
            (std::vector<std::string>{"Edit_obj name = obj000001",
                                      "ListBox_obj mode = Load model [Load model|Create patch]"}));
  EXPECT_EQ(doc.fakes.dialog.calls[1].title, "Choose patch dimention");
  EXPECT_TRUE(doc.fakes.dialog.calls[1].tree.empty());
  EXPECT_STREQ(bezier->name.Text(), "obj000001");
  EXPECT_EQ(bezier->Embedded(), 1);
  EXPECT_EQ(doc.editor->scene.FindObject("obj000001"), nullptr);

  std::vector<std::tuple<double, double, double>> points;
  for (int i = 0; i < bezier->PointCount(); ++i) {
    Point3D p;
    bezier->GetPoint(i, p);
    points.emplace_back(p.x, p.y, p.z);
  }
  std::vector<std::tuple<double, double, double>> expected;
  for (double x : {-5.0, -2.5, 0.0, 2.5}) {
    for (double y : {-2.5, -1.25, 0.0, 1.25}) expected.emplace_back(x, y, -1.95);
  }
  std::sort(points.begin(), points.end());
  EXPECT_EQ(points, expected);
}

TEST(BezierModule, ThePatchTextGoesRowByRow) {
  Point3D points[16];
  for (int k = 0; k < 4; ++k) {
    for (int l = 0; l < 4; ++l) points[k * 4 + l] = Point3D{k * 1.5, l * 0.75, -0.3};
  }
  const std::string text = FlatPatchText("lid", points, true);
  EXPECT_EQ(text,
            "{ object\n\tname lid;\n\tmaterial standard;\n\tmodel { bezier\n\t\tmodel { bezier\n\t\t\t{ patch\n"
            "\t\t\t( 0 , 0 , -0.3 )\n\t\t\t( 0 , 0.75 , -0.3 )\n\t\t\t( 0 , 1.5 , -0.3 )\n\t\t\t( 0 , 2.25 , -0.3 )\n"
            "\t\t\t( 1.5 , 0 , -0.3 )\n\t\t\t( 1.5 , 0.75 , -0.3 )\n\t\t\t( 1.5 , 1.5 , -0.3 )\n"
            "\t\t\t( 1.5 , 2.25 , -0.3 )\n"
            "\t\t\t( 3 , 0 , -0.3 )\n\t\t\t( 3 , 0.75 , -0.3 )\n\t\t\t( 3 , 1.5 , -0.3 )\n\t\t\t( 3 , 2.25 , -0.3 )\n"
            "\t\t\t( 4.5 , 0 , -0.3 )\n\t\t\t( 4.5 , 0.75 , -0.3 )\n\t\t\t( 4.5 , 1.5 , -0.3 )\n"
            "\t\t\t( 4.5 , 2.25 , -0.3 )\n"
            "\t\t\t}\n\t\t}\n\t}\n}\n.\n");
}

TEST(BezierModule, CreatePatchChecksTheNameAndStopsOnCancel) {
  struct Case {
    const char* name;
    bool secondOk;
    const char* message;  // null: none
  };
  const Case cases[] = {
      {"lid", false, nullptr},
      {"crate", true, "Object 'crate' exist."},
      {"3d", true, "'3d' not a valid name\ncharacter '3' not valid."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ModelFileDocument doc;
    doc.Answer({{"name", "crate"}});
    ASSERT_EQ(doc.editor->scene.AddObject(doc.Object("box").Create(*doc.editor)), 1);
    doc.fakes.dialog.calls.clear();
    const std::size_t objects = CountOf(doc.editor->scene.GetObjects());
    doc.Answer({{"name", c.name}, {"mode", "Create patch"}});
    if (c.secondOk) {
      doc.Answer({});
    } else {
      doc.fakes.dialog.AnswerCancel();
    }
    EXPECT_EQ(doc.Object("bezier").Create(*doc.editor), nullptr);
    EXPECT_EQ(doc.fakes.dialog.calls.size(), c.message == nullptr ? 2u : 1u);
    EXPECT_EQ(doc.fakes.system.messages,
              c.message == nullptr ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    EXPECT_EQ(CountOf(doc.editor->scene.GetObjects()), objects);
  }
}

TEST(BezierModule, LoadModelMakesAFileObject) {
  ModelFileDocument doc;
  doc.Put("models/dome.bzr", kOnePatch);
  fs::create_directories(doc.dir / "ghost.bzr");
  doc.Answer({{"mode", "Load model"}});
  doc.fakes.listShower.AnswerText("dome");
  std::unique_ptr<CG_GraphicObject> made = doc.Object("bezier").Create(*doc.editor);
  auto* bezier = dynamic_cast<GBezier*>(made.get());
  ASSERT_NE(bezier, nullptr);
  EXPECT_STREQ(bezier->name.Text(), "dome");
  EXPECT_EQ(bezier->Embedded(), 0);
  EXPECT_STREQ(bezier->ModelName(), "dome");
  EXPECT_STREQ(bezier->ModelPath(), "models/dome");
  EXPECT_EQ(bezier->Div(), 6);
  EXPECT_EQ(bezier->Cache(), 1);
  EXPECT_STREQ(bezier->HierKind(), "auto");
  EXPECT_EQ(bezier->PointCount(), 16);
  EXPECT_TRUE(doc.fakes.system.messages.empty());

  doc.Answer({{"mode", "Load model"}});
  doc.fakes.listShower.AnswerText("ghost");
  EXPECT_EQ(doc.Object("bezier").Create(*doc.editor), nullptr);
  EXPECT_EQ(doc.fakes.system.messages, std::vector<std::string>{"Internal Error in ZadBezier module"});
  doc.fakes.dialog.AnswerCancel();
  EXPECT_EQ(doc.Object("bezier").Create(*doc.editor), nullptr);
}

TEST(BezierModule, ModifyEditsDivAndCache) {
  ModelFileDocument doc;
  doc.Answer({{"name", "lid"}, {"mode", "Create patch"}});
  doc.Answer({});
  std::unique_ptr<CG_GraphicObject> made = doc.Object("bezier").Create(*doc.editor);
  auto* bezier = dynamic_cast<GBezier*>(made.get());
  ASSERT_NE(bezier, nullptr);
  doc.fakes.multiEdit.AnswerCancel();
  EXPECT_EQ(doc.Object("bezier").Modify(*doc.editor, *bezier, 0), nullptr);
  EXPECT_EQ(bezier->Div(), 5);
  EXPECT_EQ(bezier->PointCount(), 16);
  ASSERT_EQ(doc.fakes.multiEdit.calls.size(), 1u);
  EXPECT_EQ(doc.fakes.multiEdit.calls[0].title, "Modifing bezier");
  EXPECT_EQ(doc.fakes.multiEdit.calls[0].labels, (std::vector<std::string>{"div", "cache"}));
  EXPECT_EQ(doc.fakes.multiEdit.calls[0].texts, (std::vector<std::string>{"5", "1"}));

  doc.fakes.multiEdit.AnswerTexts({"7.9", "0.6"});
  EXPECT_EQ(doc.Object("bezier").Modify(*doc.editor, *bezier, 0), bezier);
  EXPECT_EQ(bezier->Div(), 7);
  EXPECT_EQ(bezier->Cache(), 0);
  EXPECT_EQ(bezier->Embedded(), 1);
  EXPECT_EQ(bezier->PointCount(), 16);

  doc.editor->multiEdit = nullptr;
  EXPECT_DEATH(doc.Object("bezier").Modify(*doc.editor, *bezier, 0), "Runtime Error: No output");
}

TEST(BezierModule, InfoAndControlPoints) {
  ModuleDocument doc;
  EXPECT_EQ(InfoOf(doc.Object("bezier")), (std::vector<std::string>{"composite", "bezier"}));
  auto& bezier = dynamic_cast<CG_GenericPModelEditorModule&>(doc.Object("bezier"));
  EXPECT_EQ(bezier.CanEditControls(), 1);
  EXPECT_EQ(bezier.ShowAllControls(), 1);
}

}  // namespace
}  // namespace zavo::test
