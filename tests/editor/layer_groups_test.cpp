// Group from layer (request 33) and layer from group (request 37): where the
// objects, their items and the layers end up, and the refusals; and one
// scripted session with materials, layers and groups.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <filesystem>

#include "common/temp_dir.h"
#include "models/core/group.h"
#include "object_command_fixture.h"
#include "scene/comm_data.h"
#include "scene/material.h"

namespace zavo::test {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kTwoBoxes =
    "{ object name k1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
    "{ object name k2; model { box xmin -1.5; xmax 1.2; ymin -2.3; ymax 2.1; zmin -3.4; zmax 3.3; } }\n";
const std::string kBoxes = std::string(kTwoBoxes) +
    "{ object name panel; model { arealamp p (-1,-1,10); p (1,-1,10); p (1,1,10); p (-1,1,10); } }\n";

class LayerGroups : public ObjectCommandTest {
protected:
  // An unnamed document would show "No name.Cannot undo." on every change.
  LayerGroups() { editor->options.UseUndo = 0; }

  Strings Children(const char* objectName) const {
    Strings names;
    Seq<CG_GraphicObject*> children;
    CG_GraphicObject* object = editor->scene.FindObject(objectName);
    if (object == nullptr || object->GetChildren(children) == 0) return {"?"};
    // A transf answers its one child: the group's children are one further down.
    if (std::string(object->Keyword()) == "transf") {
      Seq<CG_GraphicObject*> inner;
      children[0]->GetChildren(inner);
      children = inner;
    }
    for (std::uint32_t i = 0; i < children.Count(); ++i) names.emplace_back(children[i]->name.Text());
    return names;
  }
  Strings TopLevel() const {
    Strings names;
    for (const CG_GraphicObject& object : editor->scene.GetObjects()) names.emplace_back(object.name.Text());
    return names;
  }
  Strings Layers() const {
    Strings names;
    for (const Layer& layer : editor->layers) names.emplace_back(layer.name.Text());
    return names;
  }
  // The objects of the first layer of that name ("-" for no such layer).
  Strings InLayer(const char* layerName) const {
    Layer* layer = editor->FindLayer(layerName);
    if (layer == nullptr) return {"-"};
    Strings names;
    for (const LayerItem& entry : layer->items) names.emplace_back(entry.item->object->name.Text());
    return names;
  }
  std::string Active() const { return editor->activeLayer != nullptr ? editor->activeLayer->name.Text() : "** ALL **"; }
  // A layer holding the named objects' items.
  void MakeLayer(const char* layerName, const Strings& objects) {
    Layer* layer = editor->NewLayer(layerName);
    for (const std::string& o : objects) layer->Add(Item(o.c_str()));
  }
};

TEST_F(LayerGroups, GroupFromLayerRefusals) {
  Read((kBoxes + ".\n").c_str());
  MakeLayer("k2", {"k1"});
  struct Case {
    const char* active;  // null: no active layer
    const char* message;
  };
  const Case cases[] = {
      {nullptr, "Layer not select"},
      {"default", "Cannot create group form layer default."},
      {"k2", "Cannot create group. Name busy."},
  };
  const std::string before = SceneText();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    editor->activeLayer = c.active != nullptr ? editor->FindLayer(c.active) : nullptr;
    driver.Request(33);
    EXPECT_EQ(LastMessage(), c.message);
    EXPECT_EQ(SceneText(), before);
    EXPECT_EQ(Layers(), (Strings{"default", "k2"}));
    EXPECT_EQ(InLayer("k2"), Strings{"k1"});
    EXPECT_TRUE(fakes.dialog.calls.empty());
    EXPECT_EQ(editor->modified, 0);
  }
}

TEST_F(LayerGroups, GroupFromLayer) {
  struct Case {
    const char* label;
    std::string extra;           // scene text before the layer is made
    bool deleteDefault;
    bool ok;                     // the dialog's answer
    const char* destination;     // chosen on OK
    Strings wantChildren;
    Strings wantTop;
    std::string wantActive;
    Strings wantDefault;
    Strings wantSide;
    std::string wantMessage;
  };
  const Case cases[] = {
      {"new group", "", false, true, "side", {"k1", "k2"}, {"camera", "panel", "pair"}, "side",
       {"camera"}, {"pair"}, ""},
      {"dialog cancelled", "", false, false, "", {"k1", "k2"}, {"camera", "panel", "pair"}, "default",
       {"camera", "pair"}, {}, ""},
      // The layer's objects come after the group's own children.
      {"existing group",
       "{ object name pair; model { group { object name g0; model { box xmin 0; xmax 1; ymin 0; ymax 1; "
       "zmin 0; zmax 1.5; } } } }\n",
       false, true, "default", {"g0", "k1", "k2"}, {"camera", "panel", "pair"}, "default", {"camera", "pair"}, {},
       ""},
      {"group inside a transf",
       "{ object name pair; model { transf t ( 1 , 2 , 3 ); { object name inner; model { group } } } }\n", false,
       true, "default", {"k1", "k2"}, {"camera", "panel", "pair"}, "default", {"camera", "pair"}, {}, ""},
      // Without a destination the group joins no layer and every object shows.
      {"no destination", "", true, false, "", {"k1", "k2"}, {"camera", "panel", "pair"}, "** ALL **", {"-"}, {},
       "Layer default not exist."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    editor->BecomeNewDocument();
    fakes.system.messages.clear();
    fakes.dialog.calls.clear();
    Read((kBoxes + c.extra + ".\n").c_str());
    MakeLayer("side", {});
    MakeLayer("pair", {"k1", "k2", "panel"});
    editor->SetActiveLayer("pair");
    if (c.deleteDefault) editor->layers.Delete(editor->FindLayer("default"));
    editor->modified = 0;
    if (c.ok) {
      fakes.dialog.Answer({{{"layer", c.destination}}, {}, true});
    } else {
      fakes.dialog.AnswerCancel();
    }

    driver.Request(33);

    ASSERT_EQ(fakes.dialog.calls.size(), 1U);
    EXPECT_EQ(fakes.dialog.calls[0].title, "Layer for group");
    EXPECT_EQ(fakes.dialog.calls[0].tree,
              Strings{c.deleteDefault ? "ListBox_obj layer = default [side]" : "ListBox_obj layer = default [default|side]"});
    EXPECT_EQ(LastMessage(), c.wantMessage);
    EXPECT_EQ(Children("pair"), c.wantChildren);
    EXPECT_EQ(TopLevel(), c.wantTop);
    EXPECT_EQ(InLayer("pair"), Strings{"-"});
    EXPECT_EQ(Active(), c.wantActive);
    EXPECT_EQ(InLayer("default"), c.wantDefault);
    EXPECT_EQ(InLayer("side"), c.wantSide);
    // The objects inside the group have no items; the lamp keeps its own.
    EXPECT_EQ(Item("k1"), nullptr);
    EXPECT_NE(Item("panel"), nullptr);
    EXPECT_NE(Item("pair"), nullptr);
    EXPECT_EQ(Count(editor->items), 3);
    EXPECT_EQ(editor->modified, 1);
  }
}

constexpr const char* kGroups =
    "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
    "{ object name five; model { group\n"
    "  { object name g1; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1; } }\n"
    "  { object name b1; model { box xmin 1; xmax 2.5; ymin 0; ymax 1; zmin 0; zmax 1; } }\n"
    "  { object name g3; model { box xmin 2.5; xmax 3.7; ymin 0; ymax 1; zmin 0; zmax 1; } } } }\n"
    "{ object name moved; model { transf t ( 1 , 2 , 3 ); { object name inner; model { group\n"
    "  { object name h1; model { box xmin 0; xmax 1.2; ymin 0; ymax 1; zmin 0; zmax 1; } } } } } }\n"
    ".\n";

// A group of a class derived from GGroup is not a group to these commands.
class DerivedGroup : public GGroup {
public:
  using GGroup::GGroup;
};

TEST_F(LayerGroups, SelectAGroupListsTheGroupsOfTheCurrentLayerChoice) {
  Read(kGroups);
  CG_GraphicObjectCommData data;
  data.name = "derived";
  auto derived = std::make_unique<DerivedGroup>(data, nullptr);
  CG_GraphicObject* added = derived.get();
  ASSERT_EQ(editor->scene.AddObject(std::move(derived)), 1);
  ASSERT_NE(editor->CreateItem(added), nullptr);
  editor->activeLayer->Add(Item("derived"));
  fakes.listShower.AnswerCancel();
  EXPECT_EQ(driver.Request(37).result, 1);
  EXPECT_EQ(fakes.listShower.titles.back(), "Select a group");
  EXPECT_EQ(fakes.listShower.shown.back(), (Strings{"five", "moved"}));
  // Cancel marks the document modified.
  EXPECT_EQ(editor->modified, 1);

  MakeLayer("some", {"b1", "moved", "camera"});
  editor->SetActiveLayer("some");
  fakes.listShower.AnswerCancel();
  driver.Request(37);
  EXPECT_EQ(fakes.listShower.shown.back(), Strings{"moved"});
}

TEST_F(LayerGroups, LayerFromGroup) {
  struct Case {
    const char* label;
    const char* chosen;
    const char* olderLayer;  // a layer made before, or null
    Strings wantLayers;
    std::string wantActive;
    Strings wantNewLayer;    // the last layer
    Strings wantLeft;        // children left in the chosen object
    Strings wantTop;
  };
  const Case cases[] = {
      // b1 is a top-level name already: that child stays in the group.
      {"group", "five", nullptr, {"default", "five"}, "five", {"g1", "g3"}, {"b1"},
       {"camera", "b1", "five", "moved", "g1", "g3"}},
      {"older layer of the name", "five", "five", {"default", "five", "five"}, "five", {"g1", "g3"}, {"b1"},
       {"camera", "b1", "five", "moved", "g1", "g3"}},
      // The new layer takes the inner group's name; the transf's name
      // activates no layer.
      {"transf", "moved", nullptr, {"default", "inner"}, "default", {"h1"}, {},
       {"camera", "b1", "five", "moved", "h1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    editor->BecomeNewDocument();
    Read(kGroups);
    if (c.olderLayer != nullptr) MakeLayer(c.olderLayer, {"b1"});
    editor->modified = 0;
    fakes.listShower.AnswerText(c.chosen);

    EXPECT_EQ(driver.Request(37).result, 1);
    EXPECT_EQ(Layers(), c.wantLayers);
    EXPECT_EQ(Active(), c.wantActive);
    Strings inNew;
    for (const LayerItem& entry : editor->layers.Last()->items) inNew.emplace_back(entry.item->object->name.Text());
    EXPECT_EQ(inNew, c.wantNewLayer);
    if (c.olderLayer != nullptr) {
      EXPECT_NE(editor->activeLayer, editor->layers.Last());
    }
    EXPECT_EQ(Children(c.chosen), c.wantLeft);
    EXPECT_EQ(TopLevel(), c.wantTop);
    // The emptied group (or its transf) has a new item in no layer.
    CG_SceneEditorItem* chosenItem = Item(c.chosen);
    ASSERT_NE(chosenItem, nullptr);
    for (const Layer& layer : editor->layers) EXPECT_FALSE(layer.Holds(chosenItem)) << layer.name.Text();
    for (const std::string& moved : c.wantNewLayer) EXPECT_NE(Item(moved.c_str()), nullptr) << moved;
    EXPECT_EQ(editor->modified, 1);
  }
}

// Steps 1, 3, 4 and 5 of a session with the material, layer and group
// requests, sent as the window layer sends them.
TEST_F(LayerGroups, MaterialsLayersAndGroupsSession) {
  driver.Request(45);
  editor->options.UseUndo = 0;
  ASSERT_EQ(driver.Request(65).result, 1);

  // 1. Two boxes; a material "m1" given to k1 cannot be deleted, nor can
  // "standard".
  WriteFile("two.qz", std::string(kTwoBoxes) + ".\n");
  driver.Request(69, "two.qz");
  auto& phong = dynamic_cast<FakeMaterialModule&>(*editor->FindMaterialModule("phong"));
  phong.modifyKeeps = true;
  phong.nextCreate = std::make_unique<CG_NamedMaterial>("m1", new CG_MaterialPhong());
  EXPECT_EQ(driver.Request(13).result, 1);
  fakes.listShower.AnswerText("k1");
  fakes.dialog.Answer({{{"material", "m1"}}, {}, true});
  EXPECT_EQ(driver.Request(27).result, 1);
  fakes.listShower.AnswerText("m1");
  EXPECT_EQ(driver.Request(14).result, 1);
  EXPECT_EQ(LastMessage(), "You cannot delete that material.\nSome objects are using it.");
  fakes.listShower.AnswerText("standard");
  EXPECT_EQ(driver.Request(14).result, 0);
  EXPECT_EQ(LastMessage(), "Cannot delete the standard material.");
  EXPECT_NE(editor->scene.GetMaterials().Find("m1"), nullptr);

  // 3. A layer "pair" (which lacks the camera in use) gets k1 and k2 and
  // becomes the group "pair" in "default".
  fakes.dialog.Answer({{{"layer", "pair"}}, {}, true});
  driver.Request(31);
  fakes.listShower.AnswerText("pair");
  driver.Request(35);
  EXPECT_EQ(editor->scene.GetCurrentCamera(), nullptr);
  for (const char* name : {"k1", "k2"}) {
    fakes.dialog.Answer({{{"Object", name}}, {"add"}, true});
    driver.Request(30);
  }
  EXPECT_EQ(InLayer("pair"), (Strings{"k1", "k2"}));
  fakes.dialog.Answer({{}, {}, true});
  driver.Request(33);
  EXPECT_EQ(Children("pair"), (Strings{"k1", "k2"}));
  EXPECT_EQ(TopLevel(), (Strings{"camera", "pair"}));
  EXPECT_EQ(Layers(), Strings{"default"});
  EXPECT_EQ(Active(), "default");
  EXPECT_EQ(InLayer("default"), (Strings{"camera", "pair"}));

  // 4. The group gives k1 and k2 back in a layer "pair".
  fakes.listShower.AnswerText("pair");
  EXPECT_EQ(driver.Request(37).result, 1);
  EXPECT_EQ(InLayer("pair"), (Strings{"k1", "k2"}));
  EXPECT_EQ(Active(), "pair");
  EXPECT_EQ(Children("pair"), Strings{});
  for (const Layer& layer : editor->layers) EXPECT_FALSE(layer.Holds(Item("pair"))) << layer.name.Text();

  // 5. Saved, New, opened again: the same scene, k1 still with "m1".
  std::filesystem::create_directory("mat");
  ASSERT_EQ(driver.Request(68, "mat/scene").result, 1) << LastMessage();
  const std::string saved = ReadFile("mat/scene.qz");
  ASSERT_EQ(driver.Request(65).result, 1);
  ASSERT_EQ(driver.Request(66, "mat/scene").result, 1) << LastMessage();
  EXPECT_EQ(SceneText(), saved);
  CG_GraphicObjectCommData k1;
  editor->scene.FindObject("k1")->GetCommData(k1);
  ASSERT_NE(k1.material, nullptr);
  EXPECT_STREQ(k1.material->name.Text(), "m1");
  editor->scene.FindObject("k1")->SetCommData(k1);
}

}  // namespace
}  // namespace zavo::test
