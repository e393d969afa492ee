// The flip and deformation-graph modules: the scene texts they build, the
// object read back around the chosen one, and the names they refuse
// without losing the chosen object.

#include "editor/modules/flip_module.h"

#include <gtest/gtest.h>

#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "models/curved/deform_graph.h"
#include "scene_document_fixture.h"

namespace zavo::test {
namespace {

const char kScene[] =
    "{ material name glass; model { phong Ka 0.1; Kd 0.3; Ks 0.8; } }\n"
    "{ object name s1; material glass; model { sphere center ( 1.3 , -0.7 , 0.4 ); radius 1.6; div 8; } }\n"
    "{ object name ball; material standard; model { sphere center ( -3.1 , 2.2 , 0 ); radius 0.9; div 6; } }\n"
    "{ object name rail; material standard; model { polyline open 1;"
    " p ( 0 , 0 , 0 ); p ( 0.4 , 0.3 , 1.7 ); p ( 0.9 , 0.3 , 3.2 ); } }\n";

std::string BlockOf(const CG_GraphicObject& object) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  object.Write(os);
  return os.str();
}

std::vector<std::string> ObjectNames(const CG_GraphicEditor& editor) {
  std::vector<std::string> names;
  for (const CG_GraphicObject& object : editor.scene.GetObjects()) names.emplace_back(object.name.Text());
  return names;
}

std::string ChildName(CG_GraphicObject& object) {
  if (const auto* graph = dynamic_cast<const CG_PathControl*>(&object)) {
    return graph->Graph() != nullptr ? graph->Graph()->name.Text() : "";
  }
  Seq<CG_GraphicObject*> children;
  object.GetChildren(children);
  return children.Count() == 1 ? children[0]->name.Text() : "";
}

TEST(FlipModules, SceneTextsHoldTheChosenObjectsBlock) {
  SceneDocument doc(kScene);
  ASSERT_EQ(doc.loaded, 1);
  const CG_GraphicObject& s1 = *doc.editor->scene.FindObject("s1");
  const CG_GraphicObject& rail = *doc.editor->scene.FindObject("rail");
  struct Case {
    const char* test;
    std::string got;
    std::string want;
  };
  const Case cases[] = {
      {"flip", FlipSceneText("f1", s1), "{object\nname f1;\nmodel { flip\n" + BlockOf(s1) + "\n\n}\n}\n."},
      {"deformation graph", DeformGraphSceneText("dg", &rail),
       "{object\nname dg;\nmodel { deformgraph\nsize " + BlockOf(rail) + "\n\n}\n}\n."},
      {"deformation graph without size", DeformGraphSceneText("dg", nullptr),
       "{object\nname dg;\nmodel { deformgraph\n\n}\n}\n."},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.test;
}

TEST(FlipModules, TheChosenObjectMovesIntoTheNewOne) {
  struct Case {
    const char* keyword;
    const char* list;
    const char* chosen;
    const char* name;
    std::vector<std::string> dialog;
    std::vector<std::string> left;
  };
  const Case cases[] = {
      {"flip", "obj", "s1", "f1", {"Edit_obj name = ", "ListBox_obj obj =  [|s1|ball|rail]"}, {"ball", "rail"}},
      // The name of the object that goes in is free.
      {"flip", "obj", "s1", "s1", {"Edit_obj name = ", "ListBox_obj obj =  [|s1|ball|rail]"}, {"ball", "rail"}},
      {"deformgraph", "Size", "rail", "dg", {"Edit_obj name = ", "ListBox_obj Size =  [|rail]"}, {"s1", "ball"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.keyword) + " " + c.name);
    SceneDocument doc(kScene);
    const std::string block = BlockOf(*doc.editor->scene.FindObject(c.chosen));
    doc.Answer({{"name", c.name}, {c.list, c.chosen}});
    std::unique_ptr<CG_GraphicObject> made = doc.Object(c.keyword).Create(*doc.editor);
    ASSERT_NE(made, nullptr);
    ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
    EXPECT_EQ(doc.fakes.dialog.calls[0].title, std::string(c.keyword) == "flip" ? "Flip" : "deformgraph");
    EXPECT_EQ(doc.fakes.dialog.calls[0].tree, c.dialog);
    EXPECT_STREQ(made->Keyword(), c.keyword);
    EXPECT_STREQ(made->name.Text(), c.name);
    EXPECT_EQ(ChildName(*made), c.chosen);
    // The copy inside is the object as it was written.
    EXPECT_NE(BlockOf(*made).find(block.substr(block.find("model"))), std::string::npos);
    EXPECT_EQ(ObjectNames(*doc.editor), c.left);
    for (const CG_SceneEditorItem& item : doc.editor->items) EXPECT_NE(item.object->name, c.chosen);
    EXPECT_TRUE(doc.fakes.system.messages.empty());
    // The editor adds it like any new object (a deformation graph shows nothing).
    CG_GraphicObject* added = made.get();
    doc.editor->AddObjectToEditor(std::move(made));
    EXPECT_EQ(doc.editor->scene.FindObject(c.name), added);
  }
}

TEST(FlipModules, RefusalsKeepTheChosenObjectWhereItWas) {
  struct Case {
    const char* keyword;
    const char* list;
    const char* name;
    const char* chosen;
    bool ok;
    std::string message;
  };
  const Case cases[] = {
      {"flip", "obj", "f1", "s1", false, ""},
      {"flip", "obj", "f1", "", true, ""},
      {"deformgraph", "Size", "dg", "", true, ""},
      {"flip", "obj", "", "s1", true, "I need the flip name"},
      {"deformgraph", "Size", "", "rail", true, "I need the deformgraph object name"},
      {"flip", "obj", "my flip", "s1", true, "'my flip' not a valid name\n"},
      {"deformgraph", "Size", "9dg", "rail", true, "'9dg' not a valid name\n"},
      {"flip", "obj", "ball", "s1", true, "Object 'ball' exist."},
      {"deformgraph", "Size", "s1", "rail", true, "Object 's1' exist."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.keyword) + " '" + c.name + "' of '" + c.chosen + "'");
    SceneDocument doc(kScene);
    doc.fakes.dialog.Answer(FakeDialog::Script{{{"name", c.name}, {c.list, c.chosen}}, {}, c.ok});
    EXPECT_EQ(doc.Object(c.keyword).Create(*doc.editor), nullptr);
    const std::vector<std::string>& messages = doc.fakes.system.messages;
    if (c.message.empty()) {
      EXPECT_TRUE(messages.empty());
    } else {
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_EQ(messages[0].substr(0, c.message.size()), c.message);
    }
    EXPECT_EQ(ObjectNames(*doc.editor), (std::vector<std::string>{"s1", "ball", "rail"}));
    for (const char* name : {"s1", "ball", "rail"}) EXPECT_TRUE(doc.Shown(name)) << name;
  }
}

TEST(FlipModules, ATextThatDoesNotReadPutsTheObjectBack) {
  SceneDocument doc(kScene);
  // s1's material is no longer the scene's: its copy cannot be read back.
  DblList<CG_NamedMaterial>& materials = doc.editor->scene.GetMaterials();
  CG_NamedMaterial* glass = materials.Find("glass");
  ASSERT_NE(glass, nullptr);
  materials.Remove(glass);
  CG_SceneEditorItem* item = doc.editor->FindItem(doc.editor->scene.FindObject("s1"));
  item->display.centre = 0;

  doc.Answer({{"name", "f1"}, {"obj", "s1"}});
  EXPECT_EQ(doc.Object("flip").Create(*doc.editor), nullptr);
  ASSERT_EQ(doc.fakes.system.messages.size(), 1u);
  EXPECT_NE(doc.editor->scene.FindObject("s1"), nullptr);
  EXPECT_EQ(doc.editor->scene.FindObject("f1"), nullptr);
  EXPECT_TRUE(doc.Shown("s1"));
  EXPECT_EQ(doc.editor->FindItem(doc.editor->scene.FindObject("s1"))->display.centre, 0);
  materials.Append(glass);
}

TEST(FlipModules, ADeformationGraphIsNotModified) {
  SceneDocument doc(std::string(kScene) +
                    "{ object name graph; model { deformgraph size { object name g; model { polyline"
                    " p ( 0 , 1.2 , 0 ); p ( 1 , 2.8 , 0 ); } } } }\n");
  CG_GraphicObject* graph = doc.editor->scene.FindObject("graph");
  ASSERT_NE(graph, nullptr);
  const std::string before = BlockOf(*graph);
  EXPECT_EQ(doc.Object("deformgraph").Modify(*doc.editor, *graph, 0), nullptr);
  EXPECT_EQ(doc.fakes.system.messages, std::vector<std::string>{"You cannot modify a deformgraph.\nCreate a new one."});
  EXPECT_EQ(BlockOf(*graph), before);
  EXPECT_EQ(doc.Object("flip").Modify(*doc.editor, *graph, 0), nullptr);
  EXPECT_TRUE(doc.fakes.dialog.calls.empty());

  for (const char* keyword : {"flip", "deformgraph"}) {
    Seq<charString> info;
    doc.Object(keyword).Info(info);
    ASSERT_EQ(info.Count(), 2u);
    EXPECT_STREQ(info[0].Text(), "meta");
    EXPECT_STREQ(info[1].Text(), keyword);
  }
}

}  // namespace
}  // namespace zavo::test
