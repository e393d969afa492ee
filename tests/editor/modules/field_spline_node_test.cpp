// The field, spline surface and abstract VRML node modules.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "composite_fixture.h"
#include "editor/modules/field_module.h"
#include "editor/modules/field_parameters.h"
#include "editor/modules/test_mode_modules.h"
#include "model_file_fixture.h"
#include "models/curved/spline.h"
#include "models/curved/vrml_node.h"
#include "module_test_support.h"

namespace zavo::test {
namespace {

// ---- Field ----

// A breeze over a box: amp pushes along x, freq has no part in it.
const char kBreeze[] =
    "{ object name breeze; model { field\n"
    "\t{ object name zone; model { box xmin -4.5; xmax 4.5; ymin -3; ymax 3; zmin -1; zmax 2.5; } }\n"
    "\tparam { amp value 0.35 from 0 to 3; freq value 1.7 from 0.5 to 12; }\n"
    "\tmat { amp \"0\"; freq \"0\"; rx \"amp\"; ry \"0\"; rz \"0\"; }\n} }\n";

double ParameterValue(CG_GraphicObject& field, const char* name) {
  std::vector<FieldParameter> parameters;
  EXPECT_TRUE(ReadFieldParameters(field, parameters));
  for (const FieldParameter& parameter : parameters) {
    if (parameter.name == name) return parameter.value;
  }
  ADD_FAILURE() << "no parameter " << name;
  return 0.0;
}

TEST(FieldModule, ButtonsShowAndChangeTheChosenParameterWhateverTheEnd) {
  struct Case {
    const char* what;
    FakeDialog::Script script;
    double amp, freq;
  };
  const Case cases[] = {
      {"update fills the fields only", {{{"Param", "freq"}}, {"update param"}, true}, 0.35, 1.7},
      {"change then Cancel", {{{"value", "2.5"}}, {"change param"}, false}, 2.5, 1.7},
      {"change the second then OK", {{{"Param", "freq"}, {"value", "4.25"}}, {"change param"}, true}, 0.35, 4.25},
      {"from and to are shown only", {{{"value", "1"}, {"from", "7"}, {"to", "9"}}, {}, true}, 0.35, 1.7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CompositeDocument doc(kBreeze);
    ASSERT_EQ(doc.loaded, 1);
    CG_GraphicObject* field = doc.editor->scene.FindObject("breeze");
    ASSERT_NE(field, nullptr);
    doc.fakes.dialog.Answer(c.script);
    EXPECT_EQ(doc.Object("field").Modify(*doc.editor, *field, 0), field);
    ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
    EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Modify Field");
    EXPECT_EQ(doc.fakes.dialog.calls[0].tree,
              (std::vector<std::string>{"ListBox_obj Param = amp [amp|freq]", "Button_obj update param",
                                        "Button_obj change param", "Edit_obj value = ", "Edit_obj from = ",
                                        "Edit_obj to = "}));
    EXPECT_DOUBLE_EQ(ParameterValue(*field, "amp"), c.amp);
    EXPECT_DOUBLE_EQ(ParameterValue(*field, "freq"), c.freq);
  }
}

TEST(FieldModule, UpdateParamPutsTheThreeNumbersIntoTheFields) {
  CompositeDocument doc(kBreeze);
  CG_GraphicObject* field = doc.editor->scene.FindObject("breeze");
  ASSERT_NE(field, nullptr);
  // A dialog that chooses freq, presses "update param" and records the fields.
  std::vector<std::string> shown;
  struct Recorder : Dialog_obj {
    std::vector<std::string>* shown = nullptr;
    int Show(const char*, gcg_list& controls) override {
      dynamic_cast<ListBox_obj*>(FindControl(controls, "Param"))->selected = "freq";
      dynamic_cast<Button_obj*>(FindControl(controls, "update param"))->action(controls);
      *shown = FakeDialog::Describe(controls);
      return 0;
    }
  } recorder;
  recorder.shown = &shown;
  doc.editor->SetDialog(&recorder);
  doc.Object("field").Modify(*doc.editor, *field, 0);
  EXPECT_EQ(std::vector<std::string>(shown.begin() + 3, shown.end()),
            (std::vector<std::string>{"Edit_obj value = 1.7", "Edit_obj from = 0.5", "Edit_obj to = 12"}));
  EXPECT_EQ(InfoOf(doc.Object("field")), (std::vector<std::string>{"meta", "field"}));
  EXPECT_EQ(doc.Object("field").Create(*doc.editor), nullptr);
}

// ---- Spline surface ----

const char kGrid[] = "4 4\n0 0 0\n0 1 0.2\n0 2 0.2\n0 3 0\n1 0 0.3\n1 1 0.9\n1 2 0.9\n1 3 0.3\n"
                     "2 0 0.3\n2 1 0.9\n2 2 0.9\n2 3 0.3\n3 0 0\n3 1 0.2\n3 2 0.2\n3 3 0\n";

TEST(SplineModule, OffersTheModelsAndNamesTheObjectAfterTheChosenOne) {
  struct Case {
    const char* what;
    const char* chosen;
    std::vector<std::string> taken;
    const char* name;  // null: nothing made
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"a free name", "Hill", {}, "Hill", {}},
      {"wave and wave_2 taken", "wave", {"wave", "wave_2"}, "wave_3", {}},
      {"the file is gone", "ghost", {}, nullptr, {"Internal Error in ZadSpline module"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ModelFileDocument doc;
    doc.Put("Hill.BSP", kGrid);
    doc.Put("models/wave.bsp", kGrid);
    doc.Put("notes.txt", "4 4\n");
    for (const std::string& name : c.taken) {
      std::istringstream text("{ object name " + name + "; model { sphere center ( 0 , 0 , 0 ); radius 1; } }\n.\n");
      ASSERT_EQ(doc.editor->scene.Get(text), 1);
    }
    doc.fakes.listShower.AnswerText(c.chosen);
    CG_UCBSplineEditorModule module;
    std::unique_ptr<CG_GraphicObject> made = module.Create(*doc.editor);
    ASSERT_EQ(doc.fakes.listShower.titles, std::vector<std::string>{"Select a model"});
    EXPECT_EQ(doc.fakes.listShower.shown[0], (std::vector<std::string>{"Hill", "wave"}));
    EXPECT_EQ(doc.fakes.system.messages, c.messages);
    if (c.name == nullptr) {
      EXPECT_EQ(made, nullptr);
      continue;
    }
    auto* spline = dynamic_cast<GSpline*>(made.get());
    ASSERT_NE(spline, nullptr);
    EXPECT_STREQ(spline->name.Text(), c.name);
    EXPECT_STREQ(spline->ModelName(), c.chosen);
    EXPECT_EQ(spline->UseBRep(), 1);
    EXPECT_EQ(spline->LoadResult(), ModelLoad::kLoaded);
  }
}

TEST(SplineModule, ModifyEditsUsebrep) {
  ModelFileDocument doc;
  doc.Put("models/wave.bsp", kGrid);
  CG_UCBSplineEditorModule module;
  doc.fakes.listShower.AnswerText("wave");
  std::unique_ptr<CG_GraphicObject> made = module.Create(*doc.editor);
  ASSERT_NE(made, nullptr);
  doc.fakes.multiEdit.AnswerCancel();
  EXPECT_EQ(module.Modify(*doc.editor, *made, 0), nullptr);
  doc.fakes.multiEdit.AnswerTexts({"0.9"});
  EXPECT_EQ(module.Modify(*doc.editor, *made, 0), made.get());
  ASSERT_EQ(doc.fakes.multiEdit.calls.size(), 2u);
  EXPECT_EQ(doc.fakes.multiEdit.calls[1].title, "Modifing ucbspline");
  EXPECT_EQ(doc.fakes.multiEdit.calls[1].labels, std::vector<std::string>{"usebrep"});
  EXPECT_EQ(doc.fakes.multiEdit.calls[1].texts, std::vector<std::string>{"1"});
  EXPECT_EQ(dynamic_cast<GSpline&>(*made).UseBRep(), 0);
  EXPECT_EQ(InfoOf(module), std::vector<std::string>{"ucbspline"});
}

// ---- Abstract VRML node ----

TEST(VRMLNodeModule, CreatesAUnitNodeAtTheOriginWhateverTheView) {
  ModelFileDocument doc;
  doc.editor->creationClick = 1;
  doc.editor->creationView = 0;
  doc.editor->creationX = 150;
  doc.editor->creationY = 30;
  CG_AbstractVRMLNodeEditorModule module;
  doc.Answer({{"name", "marker"}});
  std::unique_ptr<CG_GraphicObject> made = module.Create(*doc.editor);
  auto* node = dynamic_cast<CG_AbstractVRMLNode*>(made.get());
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Creating AbstractVRMLNode");
  EXPECT_STREQ(node->name.Text(), "marker");
  CG_AbstractVRMLNodeDescription description;
  node->GetDescription(description);
  EXPECT_EQ(description.center.x, 0.0);
  EXPECT_EQ(description.center.y, 0.0);
  EXPECT_EQ(description.center.z, 0.0);
  EXPECT_EQ(description.radius, 1.0);
  EXPECT_EQ(description.div, 6);
  EXPECT_EQ(description.show, 1);
  EXPECT_EQ(description.assoc.Count(), 0u);
  EXPECT_EQ(module.Modify(*doc.editor, *node, 0), nullptr);
  EXPECT_EQ(InfoOf(module), (std::vector<std::string>{"meta", "AbstractVRMLNode"}));
}

}  // namespace
}  // namespace zavo::test
