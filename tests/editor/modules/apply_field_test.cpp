// A field object deforming the control points of a patch model through the
// "Apply Field" dialog, reached with the keys 'f' and 'g'.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "control_point_fixture.h"
#include "editor/layers.h"
#include "models/core/transf.h"

namespace zavo::test {
namespace {

using Points = std::vector<Point3D>;

// The field "wind" acts where x < 0 (inside its box) and pushes along x by
// k / 10. Where x + k is 0 its expression divides 0 by 0, which fails: such
// a point is not affected.
std::string FieldText(const char* name, const char* params = "k value 7.7 from -5 to 20;") {
  std::ostringstream text;
  text << "{ object name " << name << "; model { field\n"
       << "\t{ object name zone; model { box xmin -20; xmax 0; ymin -20; ymax 20; zmin -20; zmax 20; } }\n"
       << "\tparam { " << params << " }\n"
       << "\tmat { k \"0\"; s \"0\"; rx \"k / 10 + 0 / (x + k)\"; ry \"0\"; rz \"0\"; }\n} }\n";
  return text.str();
}

const Points kQuad{{-2.63, 1.74, 0.43}, {-1.36, -2.45, 0.43}, {3.12, -2.23, 0.43}, {4.27, 1.96, 0.43}};

// Shows the dialog by running a script over its controls.
class ScriptedDialog : public Dialog_obj {
public:
  int Show(const char* title, gcg_list& controls) override {
    titles.emplace_back(title);
    trees.push_back(FakeDialog::Describe(controls));
    return script ? script(controls) : 0;
  }
  std::function<int(gcg_list&)> script;
  std::vector<std::string> titles;
  std::vector<std::vector<std::string>> trees;
};

void SetSlider(gcg_list& controls, const char* label, double value) {
  auto* slider = dynamic_cast<ScrollBar_obj*>(FindControl(controls, label));
  ASSERT_NE(slider, nullptr) << label;
  slider->value = value;
}

void Press(gcg_list& controls) {
  auto* button = dynamic_cast<Button_obj*>(FindControl(controls, "Apply field"));
  ASSERT_NE(button, nullptr);
  button->action(controls);
}

void ExpectPoints(const Points& actual, const Points& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(actual[i].x, expected[i].x, 1e-9);
    EXPECT_NEAR(actual[i].y, expected[i].y, 1e-9);
    EXPECT_NEAR(actual[i].z, expected[i].z, 1e-9);
  }
}

Points MovedX(const Points& points, std::vector<double> dx) {
  Points out = points;
  for (std::size_t i = 0; i < out.size(); ++i) out[i].x += dx[i];
  return out;
}

class ApplyField : public ::testing::Test {
protected:
  ApplyField() {
    doc.ReadQuad();
    doc.Read(FieldText("wind"));
    doc.SelectMesh();
    doc.editor->SetDialog(&dialog);
  }
  std::string SceneText() {
    std::ostringstream out;
    doc.editor->scene.Write(out);
    return out.str();
  }

  ControlPointDocument doc;
  ScriptedDialog dialog;
};

TEST_F(ApplyField, FAndGOfferTheFieldsShown) {
  doc.Read(FieldText("gust"));
  doc.editor->RemoveFromAllLayers(doc.Item("gust"));
  for (int key : {'f', 'g'}) {
    SCOPED_TRACE(static_cast<char>(key));
    doc.editor->activeLayer = doc.editor->FindLayer("default");
    ASSERT_NE(doc.editor->activeLayer, nullptr);
    doc.Key(key);
    // Without an active layer every item counts.
    doc.editor->activeLayer = nullptr;
    doc.Key(key);
  }
  EXPECT_EQ(doc.fakes.listShower.titles, std::vector<std::string>(4, "Choose field"));
  const std::vector<std::string> layer{"wind"}, all{"wind", "gust"};
  EXPECT_EQ(doc.fakes.listShower.shown, (std::vector<std::vector<std::string>>{layer, all, layer, all}));
  // Nothing chosen, or a name that finds no field: no dialog.
  doc.fakes.listShower.AnswerText("quad");
  doc.Key('f');
  doc.fakes.listShower.AnswerText("calm");
  doc.Key('f');
  EXPECT_TRUE(dialog.titles.empty());
  ExpectPoints(doc.MeshPoints(), kQuad);
}

TEST_F(ApplyField, EveryPressStartsFromThePointsOfTheOpening) {
  doc.Read(FieldText("gust", "k value 7.7 from -5 to 20; s value 0.25 from 0 to 1;"));
  CG_SceneEditorItem* fieldItem = doc.Item("gust");
  fieldItem->display.style = 2;
  fieldItem->displayExtra = 7;
  Points afterFirst, afterSecond;
  dialog.script = [&](gcg_list& controls) {
    SetSlider(controls, "k", 7.7);
    Press(controls);
    afterFirst = doc.MeshPoints();
    // Where x + k is 0 the field fails: point 1 (x -1.36) is not affected.
    SetSlider(controls, "k", 1.36);
    Press(controls);
    afterSecond = doc.MeshPoints();
    return 1;
  };
  doc.fakes.listShower.AnswerText("gust");
  doc.Key('f');
  ASSERT_EQ(dialog.titles, std::vector<std::string>{"Apply Field"});
  EXPECT_EQ(dialog.trees[0], (std::vector<std::string>{"ScrollBar_obj k = 7.7 (-5..20)",
                                                      "ScrollBar_obj s = 0.25 (0..1)", "Button_obj Apply field"}));
  ExpectPoints(afterFirst, MovedX(kQuad, {0.77, 0.77, 0, 0}));
  ExpectPoints(afterSecond, MovedX(kQuad, {0.136, 0.77, 0, 0}));
  // OK keeps what the last press made; the field keeps its values, and its
  // item comes back with its display settings in its layer.
  ExpectPoints(doc.MeshPoints(), afterSecond);
  EXPECT_NE(SceneText().find("k  value 1.36 from -5 to 20;"), std::string::npos) << SceneText();
  fieldItem = doc.Item("gust");
  ASSERT_NE(fieldItem, nullptr);
  EXPECT_EQ(fieldItem->display.style, 2);
  EXPECT_EQ(fieldItem->displayExtra, 7);
  EXPECT_TRUE(doc.editor->activeLayer->Holds(fieldItem));
  // The mesh stays selected, with its rebuilt item.
  EXPECT_EQ(doc.SelectedItem(), doc.Item("quad"));
}

TEST_F(ApplyField, CancelPutsThePointsBackAndTheFieldKeepsItsValues) {
  dialog.script = [&](gcg_list& controls) {
    SetSlider(controls, "k", 12.3);
    Press(controls);
    return 0;
  };
  doc.fakes.listShower.AnswerText("wind");
  doc.Key('f');
  ExpectPoints(doc.MeshPoints(), kQuad);
  EXPECT_NE(SceneText().find("k  value 12.3 from -5 to 20;"), std::string::npos) << SceneText();
}

TEST_F(ApplyField, AFieldInATransfActsWhereTheTransfPutsIt) {
  // Moved by 3.5 along x the field acts where x < 3.5: point 2 too.
  std::ostringstream text;
  text << "{ object name windy; model { transf t ( 3.5 , 0 , 0 );\n" << FieldText("inner") << "} }\n";
  doc.Read(text.str());
  dialog.script = [&](gcg_list& controls) {
    Press(controls);
    return 1;
  };
  doc.fakes.listShower.AnswerText("windy");
  doc.Key('g');
  ExpectPoints(doc.MeshPoints(), MovedX(kQuad, {0.77, 0.77, 0.77, 0}));
  // The transf still holds the field, placed as before.
  auto* wrapper = dynamic_cast<GTransf*>(doc.editor->scene.FindObject("windy"));
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(TransformPoint(wrapper->Forward(), Point3D{0, 0, 0}), (Point3D{3.5, 0, 0}));
  EXPECT_STREQ(doc.Inner("windy").Keyword(), "field");
  EXPECT_NE(doc.Item("windy"), nullptr);
}

TEST_F(ApplyField, ADialogControlThatIsNoSliderIsAnInternalError) {
  dialog.script = [&](gcg_list& controls) {
    controls.Prepend(new Edit_obj("k", "7.7"));
    Press(controls);
    return 1;
  };
  doc.fakes.listShower.AnswerText("wind");
  EXPECT_EXIT(doc.Key('f'), ::testing::ExitedWithCode(1), "!ScrollBar_obj");
}

}  // namespace
}  // namespace zavo::test
