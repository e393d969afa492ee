#include "editor/modules/area_lamp_module.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "models/core/area_lamp.h"
#include "module_fixture.h"
#include "module_test_support.h"

namespace zavo::test {
namespace {

CG_AreaLampDescription DescriptionOf(const CG_GraphicObject& object) {
  CG_AreaLampDescription d;
  const auto* lamp = dynamic_cast<const CG_AreaLamp*>(&object);
  if (lamp == nullptr) {
    ADD_FAILURE() << "not an area lamp";
    return d;
  }
  lamp->GetDescription(d);
  return d;
}

void ExpectPoints(const std::vector<Point3D>& actual, const std::vector<Point3D>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_NEAR(actual[i].x, expected[i].x, 1e-12) << i;
    EXPECT_NEAR(actual[i].y, expected[i].y, 1e-12) << i;
    EXPECT_NEAR(actual[i].z, expected[i].z, 1e-12) << i;
  }
}

TEST(AreaLampModule, CreateMakesASmallSquareAtThePlacementPoint) {
  // Top (view 0): x -10..10, y -5..5, z -3..7: d = min(3, 1.5).
  // Front (view 2): x -8..12, y -5..5, z -7..9, 200 x 100: d = min(3, 2.4);
  // pixel (100, 25) is x 2, z 3 (z -3..5 once fitted).
  struct Case {
    const char* what;
    int activeView;
    bool click;
    std::vector<Point3D> corners;
  };
  const Case cases[] = {
      {"Top view, no click", 0, false, {{1.5, 0, 0}, {0, 1.5, 0}, {-1.5, 0, 0}, {0, -1.5, 0}}},
      {"the perspective view places as the Top view", 3, false, {{1.5, 0, 0}, {0, 1.5, 0}, {-1.5, 0, 0}, {0, -1.5, 0}}},
      {"Front view, a click at x 2, z 3", 2, true, {{4.4, 0, 3}, {2, 2.4, 3}, {-0.4, 0, 3}, {2, -2.4, 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ModuleDocument doc;
    doc.SetBox(0, {-10, -5, -3}, {10, 5, 7});
    doc.SetBox(2, {-8, -5, -7}, {12, 5, 9});
    doc.editor->activeView = c.activeView;
    if (c.click) {
      doc.editor->creationClick = 1;
      doc.editor->creationView = 2;
      doc.editor->creationX = 100;
      doc.editor->creationY = 25;
    }
    doc.Answer({});
    std::unique_ptr<CG_GraphicObject> lamp = doc.Object("arealamp").Create(*doc.editor);
    ASSERT_NE(lamp, nullptr);
    ASSERT_NE(dynamic_cast<CG_AreaLamp*>(lamp.get()), nullptr) << "no transf around the lamp";
    EXPECT_STREQ(lamp->name.Text(), "obj000001");
    EXPECT_NE(MaterialOf(*lamp), nullptr);
    EXPECT_EQ(MaterialOf(*lamp), doc.editor->scene.GetMaterials().Find("standard"));
    const CG_AreaLampDescription d = DescriptionOf(*lamp);
    ExpectPoints(d.points, c.corners);
    EXPECT_EQ(d.depth, 2);
    ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
    EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Creating arealamp");
    EXPECT_EQ(doc.fakes.dialog.calls[0].tree, std::vector<std::string>{"Edit_obj name = obj000001"});
  }
}

TEST(AreaLampModule, CancelOrARefusedNameCreatesNothing) {
  ModuleDocument doc;
  doc.fakes.dialog.AnswerCancel();
  EXPECT_EQ(doc.Object("arealamp").Create(*doc.editor), nullptr);
  doc.Answer({{"name", "9lamp"}});
  EXPECT_EQ(doc.Object("arealamp").Create(*doc.editor), nullptr);
  EXPECT_EQ(doc.fakes.system.messages.size(), 1u);
}

TEST(AreaLampModule, ModifyStoresTheDepthAsEntered) {
  struct Case {
    const char* text;  // null: Cancel
    int depth;
  };
  const Case cases[] = {{"3.7", 3}, {"0", 0}, {"-1", -1}, {"-2.9", -2}, {"deep", 0}, {nullptr, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text != nullptr ? c.text : "Cancel");
    ModuleDocument doc;
    doc.Answer({});
    std::unique_ptr<CG_GraphicObject> lamp = doc.Object("arealamp").Create(*doc.editor);
    ASSERT_NE(lamp, nullptr);
    const std::vector<Point3D> corners = DescriptionOf(*lamp).points;
    if (c.text == nullptr) {
      doc.fakes.dialog.AnswerCancel();
      EXPECT_EQ(doc.Object("arealamp").Modify(*doc.editor, *lamp, 0), nullptr);
    } else {
      doc.Answer({{"depth", c.text}});
      EXPECT_EQ(doc.Object("arealamp").Modify(*doc.editor, *lamp, 0), lamp.get());
    }
    EXPECT_EQ(DescriptionOf(*lamp).depth, c.depth);
    ExpectPoints(DescriptionOf(*lamp).points, corners);
    EXPECT_EQ(doc.fakes.dialog.calls.back().title, "Modifing arealamp");
    EXPECT_EQ(doc.fakes.dialog.calls.back().tree, std::vector<std::string>{"Edit_obj depth = 2"});
  }
}

TEST(AreaLampModule, ANewLampRefusesToLoseACorner) {
  ModuleDocument doc;
  doc.Answer({});
  std::unique_ptr<CG_GraphicObject> lamp = doc.Object("arealamp").Create(*doc.editor);
  ASSERT_NE(lamp, nullptr);
  const std::vector<Point3D> corners = DescriptionOf(*lamp).points;
  CG_ObjectEditorModule& module = doc.Object("arealamp");
  std::unique_ptr<CG_ESelectionStatus> status = module.NewSelectionStatus();
  auto* curve = dynamic_cast<CG_EGenericCurveSelectionStatus*>(status.get());
  ASSERT_NE(curve, nullptr);
  curve->current = 2;
  EXPECT_EQ(module.Key(*doc.editor, nullptr, *lamp, status.get(), 'd', nullptr), 0);
  EXPECT_EQ(doc.fakes.system.messages,
            std::vector<std::string>{"Sorry, cannot delete.\nThis curve must have at least 4 control points."});
  ExpectPoints(DescriptionOf(*lamp).points, corners);
}

TEST(AreaLampModule, StaysOutOfTheTransformCommandsAndStandsUnderLamp) {
  ModuleDocument doc;
  doc.Answer({{"name", "panel"}});
  ASSERT_EQ(doc.editor->AddObjectToEditor(doc.Object("arealamp").Create(*doc.editor)), 1);
  CG_GraphicObject* lamp = doc.editor->scene.FindObject("panel");
  ASSERT_NE(lamp, nullptr);
  const std::vector<Point3D> corners = DescriptionOf(*lamp).points;
  EXPECT_EQ(doc.Object("arealamp").MayTransform(), 0);
  EXPECT_EQ(doc.editor->MayTransform(lamp), 0);
  EXPECT_EQ(doc.editor->TranslateObjectNamed("panel", 1.5, -2.25, 0.75), 0);
  EXPECT_EQ(doc.editor->scene.FindObject("panel"), lamp);
  ExpectPoints(DescriptionOf(*lamp).points, corners);

  Seq<charString> names;
  doc.Object("arealamp").Info(names);
  ASSERT_EQ(names.Count(), 2u);
  EXPECT_STREQ(names[0].Text(), "lamp");
  EXPECT_STREQ(names[1].Text(), "arealamp");
}

}  // namespace
}  // namespace zavo::test
