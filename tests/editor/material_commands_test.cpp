// New, change and delete material (requests 13, 14, 15) through a fake
// "phong" material module: what joins the scene's list, what the user is
// asked and told, and that no object keeps a deleted material.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document_fixture.h"
#include "editor_fakes.h"
#include "scene/comm_data.h"
#include "scene/material.h"

namespace zavo::test {
namespace {

using Strings = std::vector<std::string>;

struct FakeFactoryHolder {
  ScopedFakeModuleFactory factory;
};

constexpr const char* kGold = "{ material name gold; model { phong Od (1,0.8,0.1); Kd 0.7; } }\n";

class MaterialCommands : protected FakeFactoryHolder, public DocumentTest {
protected:
  // An unnamed document would show "No name.Cannot undo." on every change.
  MaterialCommands() { editor->options.UseUndo = 0; }

  FakeMaterialModule& Phong() { return dynamic_cast<FakeMaterialModule&>(*editor->FindMaterialModule("phong")); }
  Strings Names() const {
    Strings names;
    for (const CG_NamedMaterial& m : editor->scene.GetMaterials()) names.emplace_back(m.name.Text());
    return names;
  }
  // The material an object (found by name, possibly inside a group) refers to.
  static CG_NamedMaterial* MaterialOf(CG_GraphicObject& object) {
    CG_GraphicObjectCommData record;
    object.GetCommData(record);
    CG_NamedMaterial* material = record.material;
    object.SetCommData(record);
    return material;
  }
};

TEST_F(MaterialCommands, NewMaterialJoinsTheListAndIsModifiedAtOnce) {
  struct Case {
    const char* label;
    const char* created;   // null: Create answers null
    bool modifyKeeps;
    int wantResult;
    Strings wantNames;
    Strings wantCalls;
  };
  const Case cases[] = {
      {"new name", "m1", true, 1, {"standard", "gold", "m1"}, {"Create", "Modify m1"}},
      // Closing the dialog keeps what Create made.
      {"dialog closed", "m1", false, 1, {"standard", "gold", "m1"}, {"Create", "Modify m1"}},
      {"existing name", "gold", true, 1, {"standard", "gold"}, {"Create", "Modify gold"}},
      {"nothing created", nullptr, true, 0, {"standard", "gold"}, {"Create"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    editor->BecomeNewDocument();
    Read((std::string(kGold) + ".\n").c_str());
    CG_NamedMaterial* goldEntry = editor->scene.GetMaterials().Find("gold");
    Phong().log.calls.clear();
    Phong().modifyKeeps = c.modifyKeeps;
    CG_Material* model = nullptr;
    if (c.created != nullptr) {
      auto* phong = new CG_MaterialPhong();
      phong->Kd = 0.35;
      model = phong;
      Phong().nextCreate = std::make_unique<CG_NamedMaterial>(c.created, phong);
    }
    EXPECT_EQ(driver.Request(13).result, c.wantResult);
    EXPECT_EQ(Names(), c.wantNames);
    EXPECT_EQ(Phong().log.calls, c.wantCalls);
    EXPECT_EQ(editor->modified, c.wantResult);
    if (c.created != nullptr) {
      EXPECT_EQ(editor->scene.GetMaterials().Find(c.created)->model, model);
    }
    // The same entry takes the new model: objects that use it keep it.
    EXPECT_EQ(editor->scene.GetMaterials().Find("gold"), goldEntry);
  }
}

TEST_F(MaterialCommands, NewMaterialWithoutAPhongModuleAnswersZero) {
  ScopedFakeModuleFactory noPhong({"CG_PhongMaterialEditorModule"});
  auto bare = CG_GraphicEditor::Create(0);
  EditorDriver bareDriver(*bare);
  EXPECT_EQ(bare->FindMaterialModule("phong"), nullptr);
  EXPECT_EQ(bareDriver.Request(13).result, 0);
  EXPECT_EQ(bareDriver.Request(15).result, 0);
  EXPECT_EQ(bare->modified, 0);
}

TEST_F(MaterialCommands, ChangeMaterialOffersTheListAndGoesOnDuringAMouseMode) {
  Read((std::string(kGold) + ".\n").c_str());
  struct Case {
    const char* label;
    const char* answer;  // null: cancel
    bool modifyKeeps;
    int mouseMode;
    int wantResult;
    Strings wantCalls;
  };
  const Case cases[] = {
      {"cancel", nullptr, true, 0, 0, {}},
      {"dialog closed", "gold", false, 0, 0, {"Modify gold"}},
      {"changed", "gold", true, 0, 1, {"Modify gold"}},
      {"while moving an object", "standard", true, 3, 1, {"Modify standard"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    editor->modified = 0;
    editor->mouseMode = c.mouseMode;
    Phong().log.calls.clear();
    Phong().modifyKeeps = c.modifyKeeps;
    if (c.answer != nullptr) {
      fakes.listShower.AnswerText(c.answer);
    } else {
      fakes.listShower.AnswerCancel();
    }
    EXPECT_EQ(driver.Request(15).result, c.wantResult);
    EXPECT_EQ(fakes.listShower.titles.back(), "Select a material to change");
    EXPECT_EQ(fakes.listShower.shown.back(), (Strings{"standard", "gold"}));
    EXPECT_EQ(Phong().log.calls, c.wantCalls);
    EXPECT_EQ(editor->modified, c.wantResult);
  }
}

// Boxes can tell their materials; a polyline cannot, which makes the
// question appear. The polyline inside a group must let go as well.
TEST_F(MaterialCommands, DeleteMaterialOutcomes) {
  const std::string box = "{ object name k1; material gold; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; "
                          "zmin 0.1; zmax 1.1; } }\n";
  const std::string plainBox = "{ object name k2; model { box xmin -1; xmax 1; ymin -2; ymax 2; zmin -3; zmax 3; } }\n";
  const std::string line = "{ object name bundle; model { group { object name line; material gold; "
                           "model { polyline open 1; p ( -5 , -5 , -1 ); p ( 5 , 0 , 0 ); p ( 0 , 5 , 1.5 ); } } } }\n";
  struct Case {
    const char* label;
    std::string scene;
    const char* answer;  // null: cancel
    int ask;             // -2: no question expected
    int wantResult;
    std::string wantMessage;
    bool goldStays;
  };
  const Case cases[] = {
      {"cancel", box, nullptr, -2, 1, "no selection", true},
      {"standard", box, "standard", -2, 0, "Cannot delete the standard material.", true},
      {"used by the first object", box + line, "gold", -2, 1,
       "You cannot delete that material.\nSome objects are using it.", true},
      // A group that lists the material but cannot tell for another child.
      {"listed by a group that cannot tell", "{ object name both; model { group " + box + line + "} }\n", "gold", -2,
       1, "You cannot delete that material.\nSome objects are using it.", true},
      {"nobody lists it, all can tell", plainBox, "gold", -2, 1, "", false},
      {"may be used, no", plainBox + line, "gold", 0, 1, "", true},
      {"may be used, yes", plainBox + line, "gold", 1, 1, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    editor->BecomeNewDocument();
    editor->modified = 0;
    fakes.system.messages.clear();
    fakes.winSupp.questions.clear();
    Read((kGold + c.scene + ".\n").c_str());
    if (c.answer != nullptr) {
      fakes.listShower.AnswerText(c.answer);
    } else {
      fakes.listShower.AnswerCancel();
    }
    if (c.ask != -2) fakes.winSupp.askAnswers.push_back(c.ask);

    EXPECT_EQ(driver.Request(14).result, c.wantResult);
    EXPECT_EQ(fakes.listShower.titles.back(), "Select a material to delete");
    EXPECT_EQ(LastMessage(), c.wantMessage);
    EXPECT_EQ(fakes.winSupp.questions.size(), c.ask != -2 ? 1U : 0U);
    if (c.ask != -2) {
      EXPECT_EQ(fakes.winSupp.questions[0].first, "Material can be used by one or more objects.\nDelete it ?");
      EXPECT_EQ(fakes.winSupp.questions[0].second, "Warning");
    }
    EXPECT_EQ(editor->modified, c.wantResult);
    EXPECT_EQ(editor->scene.GetMaterials().Find("gold") != nullptr, c.goldStays);
    EXPECT_NE(editor->scene.GetMaterials().Find("standard"), nullptr);
    if (c.goldStays) continue;
    // No object, at any depth, refers to the deleted record, and the saved
    // scene names it nowhere.
    if (CG_GraphicObject* bundle = editor->scene.FindObject("bundle"); bundle != nullptr) {
      Seq<CG_GraphicObject*> children;
      bundle->GetChildren(children);
      ASSERT_EQ(children.Count(), 1U);
      EXPECT_EQ(MaterialOf(*children[0]), nullptr);
    }
    EXPECT_EQ(SceneText().find("gold"), std::string::npos);
  }
}

}  // namespace
}  // namespace zavo::test
