// Rotating, translating and scaling an object by typed values: the chooser
// and the fields, how the values are read, the steps that reach the object's
// transf, and the objects whose module keeps them out.

#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "editor/modules/module_test_support.h"
#include "object_command_fixture.h"

namespace zavo::test {
namespace {

// A box whose item centre is (3.1, 1.6, 0.6).
std::string BoxText(const std::string& name) {
  return "{ object name " + name +
         "; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n.\n";
}
// The same box already under a transf of three steps.
std::string WrappedBoxText(const std::string& name) {
  return "{ object name " + name +
         "; model { transf t ( -1 , -2 , -3 ); r ( 0 , 0 , 0.5 ); t ( 1 , 2 , 3 );\n"
         "  { object name inner_" + name +
         "; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } } } }\n.\n";
}

constexpr double kPi = std::numbers::pi;

class ObjectTransformCommands : public ObjectCommandTest {};

TEST_F(ObjectTransformCommands, TypedValuesBecomeStepsOfTheObjectsTransf) {
  const double cx = 3.1, cy = 1.6, cz = 0.6;
  struct Run {
    int request;
    std::vector<std::string> fields;
  };
  struct Case {
    const char* name;
    bool wrapped;
    int centreFlag;
    std::vector<Run> runs;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"rot_centre", false, 1, {{19, {"90", "", ""}}}, {{0, -cx, -cy, -cz}, {1, kPi / 2, 0, 0}, {0, cx, cy, cz}}},
      {"rot_origin", false, 0, {{19, {"90", "", ""}}}, {{1, kPi / 2, 0, 0}}},
      {"rot_twice", false, 1, {{19, {"90", "", ""}}, {19, {"", "", "-45"}}},
       {{0, -cx, -cy, -cz}, {1, kPi / 2, 0, 0}, {1, 0, 0, -kPi / 4}, {0, cx, cy, cz}}},
      {"scale_zero_empty", false, 1, {{20, {"0", "2", ""}}}, {{0, -cx, -cy, -cz}, {2, 1, 2, 1}, {0, cx, cy, cz}}},
      {"scale_origin", false, 0, {{20, {"", "0.5", "3e0"}}}, {{2, 1, 0.5, 3}}},
      {"move", false, 0, {{21, {"1", "", "-2.5"}}}, {{0, 1, 0, -2.5}}},
      {"move_wrapped", true, 1, {{21, {"1", "", "-2.5"}}},
       {{0, -1, -2, -3}, {1, 0, 0, 0.5}, {0, 1, 2, 3}, {0, 1, 0, -2.5}}},
      // A field is read up to the end of its number.
      {"rot_suffix", false, 0, {{19, {"", "180 deg", "x"}}}, {{1, 0, kPi, 0}}},
  };
  const char* const titles[] = {"Rotate", "Scale", "Translate"};
  const char* const chooserTitles[] = {"Select object to rotate", "Select object to scale",
                                       "Select object to translate"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Read((c.wrapped ? WrappedBoxText(c.name) : BoxText(c.name)).c_str());
    Item(c.name)->display.centre = c.centreFlag;
    editor->InsertItem(Item(c.name));
    for (const Run& run : c.runs) {
      editor->modified = 0;
      fakes.listShower.AnswerText(c.name);
      fakes.multiEdit.AnswerTexts(run.fields);
      EXPECT_EQ(driver.Request(run.request).result, 1);
      EXPECT_EQ(fakes.listShower.titles.back(), chooserTitles[run.request - 19]);
      const FakeMultiEdit::Call& call = fakes.multiEdit.calls.back();
      EXPECT_EQ(call.title, titles[run.request - 19]);
      EXPECT_EQ(call.labels, (std::vector<std::string>{"x", "y", "z"}));
      EXPECT_EQ(call.texts, (std::vector<std::string>{"", "", ""}));
      EXPECT_EQ(editor->modified, 1);
    }
    auto* wrapper = dynamic_cast<GTransf*>(editor->scene.FindObject(c.name));
    ASSERT_NE(wrapper, nullptr);
    CG_GraphicObject* child = nullptr;
    const std::vector<Step> steps = StepsOf(*wrapper, child);
    EXPECT_EQ(dynamic_cast<GTransf*>(child), nullptr) << "never a transf in a transf";
    ASSERT_EQ(steps.size(), c.steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
      for (int k = 0; k < 4; ++k) EXPECT_NEAR(steps[i][k], c.steps[i][k], 1e-12) << "step " << i << " value " << k;
    }
    // The wrapper is shown in place of the object, in the same layer, with
    // the same settings.
    CG_SceneEditorItem* item = editor->FindItem(wrapper);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->display.centre, c.centreFlag);
    EXPECT_TRUE(editor->activeLayer->Holds(item));
    EXPECT_GT(item->vertices[0].Count(), 0U) << "projected into the Top view";
  }
}

TEST_F(ObjectTransformCommands, TheChooserListsTheShownItemsAndIgnoresTheSelection) {
  Read(kPartsScene);
  editor->selection.Append(new CG_EObjectSelection(Item("b2")));
  Layer* walls = editor->NewLayer("walls");
  walls->Add(Item("b2"));
  struct Case {
    const char* layer;
    std::vector<std::string> shown;
  };
  const Case cases[] = {{"default", {"camera", "b1", "b2"}}, {"walls", {"b2"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layer);
    editor->activeLayer = editor->FindLayer(c.layer);
    for (int request : {19, 20, 21}) {
      fakes.listShower.AnswerCancel();
      EXPECT_EQ(driver.Request(request).result, 0);
      EXPECT_EQ(fakes.listShower.shown.back(), c.shown);
    }
  }
  EXPECT_TRUE(fakes.multiEdit.calls.empty()) << "no fields after a cancelled choice";
}

TEST_F(ObjectTransformCommands, RefusedAndCancelledCommandsChangeNothing) {
  Read(kPartsScene);
  Read("{ object name panel; model { arealamp p (-1,-1,10); p (1,-1,10); p (1,1,10); p (-1,1,10); } }\n.\n");
  ASSERT_NE(Item("panel"), nullptr);
  CG_GraphicObject* camera = editor->scene.GetCurrentCamera();
  ASSERT_NE(camera, nullptr);
  struct Case {
    const char* what;
    const char* object;
    bool fieldsOk;
  };
  const Case cases[] = {
      {"the camera's module refuses", "camera", true},
      {"the area lamp's module refuses", "panel", true},
      {"fields cancelled", "b1", false},
      {"a name no object has", "nothing", true},
  };
  for (const Case& c : cases) {
    for (int request : {19, 20, 21}) {
      SCOPED_TRACE(testing::Message() << c.what << " " << request);
      CG_GraphicObject* before = editor->scene.FindObject(c.object);
      const std::string text = SceneText();
      fakes.listShower.AnswerText(c.object);
      if (c.fieldsOk) {
        fakes.multiEdit.AnswerTexts({"10", "20", "30"});
      } else {
        fakes.multiEdit.AnswerCancel();
      }
      EXPECT_EQ(driver.Request(request).result, 0);
      EXPECT_EQ(editor->scene.FindObject(c.object), before);
      EXPECT_EQ(SceneText(), text);
      EXPECT_EQ(editor->modified, 0);
    }
  }
  EXPECT_EQ(editor->scene.GetCurrentCamera(), camera);
  EXPECT_NE(editor->FindItem(camera), nullptr);
}

}  // namespace
}  // namespace zavo::test
