// The modules that build an object from objects of the scene: the anim and
// the CSG combinations, their scene texts and the exchange of the sources
// for the object read back.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "composite_fixture.h"
#include "editor/modules/composite_scene_texts.h"
#include "editor/modules/consumed_sources.h"
#include "models/core/anim.h"
#include "models/core/csg.h"
#include "module_test_support.h"

namespace zavo::test {
namespace {

TEST(CompositeSceneTexts, AreBuiltLineByLineAroundTheBlocks) {
  const std::string ball = "{ object\n\tname ball;\n}\n";
  const std::string path = "{ object\n\tname path;\n}\n";
  const std::string spin = "{ object\n\tname spin;\n}\n";
  struct Case {
    const char* what;
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {"anim with a move curve", AnimSceneText("obj000003", ball, Point3D(0.35, -1.2, 2), 0, 10, &path, nullptr),
       "{object\nname obj000003;\nmodel { anim\n" + ball + "\n\t\tcenter ( 0.35 , -1.2 , 2 );\n\t\tfrom 0;\n"
       "\t\tto 10;\nmove " + path + "\n\n}\n}\n."},
      {"anim with both curves", AnimSceneText("spinner", ball, Point3D(), 3, 27, &path, &spin),
       "{object\nname spinner;\nmodel { anim\n" + ball + "\n\t\tcenter ( 0 , 0 , 0 );\n\t\tfrom 3;\n"
       "\t\tto 27;\nmove " + path + "\nrotate " + spin + "\n\n}\n}\n."},
      {"anim with a rotate curve only", AnimSceneText("turn", ball, Point3D(1, 2, 3), -4, 6, nullptr, &spin),
       "{object\nname turn;\nmodel { anim\n" + ball + "\n\t\tcenter ( 1 , 2 , 3 );\n\t\tfrom -4;\n"
       "\t\tto 6;\nrotate " + spin + "\n\n}\n}\n."},
      {"union", CSGSceneText("obj000004", "union", ball, path),
       "{object\nname obj000004;\nmodel { union\nfirst " + ball + "\nsecond " + path + "\n\n}\n}\n."},
      {"subtract", CSGSceneText("hole", "subtract", path, ball),
       "{object\nname hole;\nmodel { subtract\nfirst " + path + "\nsecond " + ball + "\n\n}\n}\n."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.text, c.expected);
  }
}

// ---- Anim ----

TEST(AnimModule, TheDialogListsTheLayersObjectsAndCurves) {
  struct Case {
    int test;
    std::vector<std::string> tree;
  };
  const Case cases[] = {
      {0,
       {"Edit_obj name = obj000001", "ListBox_obj Object =  [|sun|a|b|c|path]", "ListBox_obj Translate curve =  [|path]",
        "Edit_obj from = 0", "Edit_obj to = 10"}},
      {1,
       {"Edit_obj name = obj000001", "ListBox_obj Object =  [|sun|a|b|c|path]", "ListBox_obj Translate curve =  [|path]",
        "ListBox_obj Rotate curve =  [|path]", "Edit_obj from = 0", "Edit_obj to = 10"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.test);
    CompositeDocument doc;
    ASSERT_EQ(doc.loaded, 1);
    doc.editor->options.Test = c.test;
    doc.fakes.dialog.AnswerCancel();
    EXPECT_EQ(doc.Object("anim").Create(*doc.editor), nullptr);
    ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
    EXPECT_EQ(doc.fakes.dialog.calls[0].title, "anim");
    EXPECT_EQ(doc.fakes.dialog.calls[0].tree, c.tree);
  }
}

TEST(AnimModule, TakesTheObjectAndCurveIntoTheNewAnim) {
  CompositeDocument doc;
  const Point3D centre = doc.editor->FindItem(doc.editor->scene.FindObject("c"))->centre;
  doc.Answer({{"Object", "c"}, {"Translate curve", "path"}, {"from", "2.7"}, {"to", "15"}});
  std::unique_ptr<CG_GraphicObject> made = doc.Object("anim").Create(*doc.editor);
  auto* anim = dynamic_cast<GAnim*>(made.get());
  ASSERT_NE(anim, nullptr);
  EXPECT_STREQ(anim->name.Text(), "obj000001");
  EXPECT_EQ(doc.Names(), (std::vector<std::string>{"sun", "a", "b"}));
  EXPECT_EQ(CountOf(doc.editor->items), 3u);
  EXPECT_TRUE(doc.Messages().empty());
  CG_AnimDescription description;
  anim->GetDescription(description);
  ASSERT_NE(description.object, nullptr);
  ASSERT_NE(description.move, nullptr);
  EXPECT_STREQ(description.object->name.Text(), "c");
  EXPECT_STREQ(description.move->name.Text(), "path");
  EXPECT_EQ(description.rotate, nullptr);
  EXPECT_EQ(description.from, 2.0);  // the digit reader
  EXPECT_EQ(description.to, 15.0);
  EXPECT_NEAR(description.center.x, centre.x, 1e-5);
  EXPECT_NEAR(description.center.y, centre.y, 1e-5);
  EXPECT_NEAR(description.center.z, centre.z, 1e-5);
  anim->SetDescription(description);
}

TEST(AnimModule, MissingChoicesCreateNothing) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> answers;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"no object", {{"Translate curve", "path"}}, {}},
      {"no curve", {{"Object", "a"}}, {}},
      {"no name", {{"name", ""}, {"Object", "a"}, {"Translate curve", "path"}}, {"I need the anim object name"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CompositeDocument doc;
    doc.Answer(c.answers);
    EXPECT_EQ(doc.Object("anim").Create(*doc.editor), nullptr);
    EXPECT_EQ(doc.Messages(), c.messages);
    EXPECT_EQ(doc.Names(), (std::vector<std::string>{"sun", "a", "b", "c", "path"}));
  }
}

// ---- CSG ----

TEST(CSGModule, AUnionTakesItsTwoSpheresOutOfTheScene) {
  CompositeDocument doc;
  doc.Answer({{"first", "a"}, {"second", "b"}});
  std::unique_ptr<CG_GraphicObject> made = doc.Object("union").Create(*doc.editor);
  auto* csg = dynamic_cast<GCSG*>(made.get());
  ASSERT_NE(csg, nullptr);
  EXPECT_EQ(doc.fakes.dialog.calls[0].title, "union");
  EXPECT_EQ(doc.fakes.dialog.calls[0].tree,
            (std::vector<std::string>{"Edit_obj name = obj000001", "ListBox_obj first =  [|sun|a|b|c|path]",
                                      "ListBox_obj second =  [|sun|a|b|c|path]"}));
  EXPECT_STREQ(csg->name.Text(), "obj000001");
  EXPECT_STREQ(csg->Keyword(), "union");
  ASSERT_NE(csg->First(), nullptr);
  ASSERT_NE(csg->Second(), nullptr);
  EXPECT_STREQ(csg->First()->name.Text(), "a");
  EXPECT_STREQ(csg->Second()->name.Text(), "b");
  EXPECT_EQ(doc.Names(), (std::vector<std::string>{"sun", "c", "path"}));
  EXPECT_EQ(CountOf(doc.editor->items), 3u);
  EXPECT_EQ(InfoOf(doc.Object("subtract")), (std::vector<std::string>{"composite", "CSG", "subtract"}));
  EXPECT_EQ(doc.Object("union").Modify(*doc.editor, *csg, 0), nullptr);
}

TEST(CSGModule, MissingChoicesCreateNothing) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> answers;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"no first", {{"second", "b"}}, {}},
      {"no second", {{"first", "a"}}, {}},
      {"no name", {{"name", ""}, {"first", "a"}, {"second", "b"}}, {"I need the csg name"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CompositeDocument doc;
    doc.Answer(c.answers);
    EXPECT_EQ(doc.Object("intersect").Create(*doc.editor), nullptr);
    EXPECT_EQ(doc.Messages(), c.messages);
    EXPECT_EQ(doc.Names(), (std::vector<std::string>{"sun", "a", "b", "c", "path"}));
  }
}

TEST(CSGModule, DupSourcePutsCopiesOfTheChildrenBackOnce) {
  CompositeDocument doc;
  doc.Answer({{"first", "a"}, {"second", "b"}});
  std::unique_ptr<CG_GraphicObject> made = doc.Object("union").Create(*doc.editor);
  ASSERT_NE(made, nullptr);
  CG_GraphicObject* csg = made.get();
  ASSERT_EQ(doc.editor->AddObjectToEditor(std::move(made)), 1);
  CG_ObjectEditorModule& module = doc.Object("union");
  Seq<charString> names;
  EXPECT_EQ(module.SpecialNames(*doc.editor, names, *csg), 1);
  ASSERT_EQ(names.Count(), 1u);
  EXPECT_STREQ(names[0].Text(), "DupSource");

  EXPECT_EQ(module.RunSpecial(*doc.editor, 1, csg, nullptr), 1);
  EXPECT_EQ(doc.Names(), (std::vector<std::string>{"sun", "c", "path", "obj000001"}));
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    // As the special-command request runs it: the CSG is out of the scene meanwhile.
    doc.fakes.listShower.AnswerText("DupSource");
    EXPECT_EQ(doc.editor->RunSpecialCommand("obj000001"), 1);
    EXPECT_EQ(doc.editor->scene.FindObject("obj000001"), csg);
    EXPECT_EQ(CountOf(doc.editor->scene.GetObjects()), 6u);
    EXPECT_TRUE(doc.Shown("a"));
    EXPECT_TRUE(doc.Shown("b"));
  }
  // The CSG keeps its own children.
  auto* combined = dynamic_cast<GCSG*>(csg);
  ASSERT_NE(combined, nullptr);
  EXPECT_NE(combined->First(), doc.editor->scene.FindObject("a"));
  EXPECT_STREQ(combined->First()->name.Text(), "a");
}

// ---- The name of the new object and the sources ----

struct Builder {
  const char* keyword;
  std::vector<std::pair<std::string, std::string>> choices;
};

const Builder kBuilders[] = {
    {"anim", {{"Object", "a"}, {"Translate curve", "path"}}},
    {"union", {{"first", "a"}, {"second", "b"}}},
};

TEST(CompositeNames, ANameMustBeValidAndNotAnotherObjects) {
  struct Case {
    const char* name;
    const char* made;  // null: nothing made
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"my obj", nullptr, {"'my obj' not a valid name\ncharacter ' ' not valid."}},
      {"c", nullptr, {"Object 'c' exist."}},
      {"a", "a", {}},
  };
  for (const Builder& builder : kBuilders) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(builder.keyword) + " named " + c.name);
      CompositeDocument doc;
      const std::vector<std::string> before = doc.Names();
      std::vector<std::pair<std::string, std::string>> answers = builder.choices;
      answers.emplace_back("name", c.name);
      doc.Answer(answers);
      std::unique_ptr<CG_GraphicObject> made = doc.Object(builder.keyword).Create(*doc.editor);
      EXPECT_EQ(doc.Messages(), c.messages);
      if (c.made == nullptr) {
        EXPECT_EQ(made, nullptr);
        EXPECT_EQ(doc.Names(), before);
        EXPECT_TRUE(doc.Shown("a"));
      } else {
        ASSERT_NE(made, nullptr);
        EXPECT_STREQ(made->name.Text(), c.made);
        EXPECT_EQ(doc.editor->scene.FindObject("a"), nullptr);
        EXPECT_STREQ(made->Keyword(), builder.keyword);
      }
    }
  }
}

TEST(CompositeNames, ATextThatDoesNotReadLeavesTheSourcesInTheScene) {
  CompositeDocument doc;
  CG_GraphicObject* a = doc.editor->scene.FindObject("a");
  CG_GraphicObject* path = doc.editor->scene.FindObject("path");
  const std::string broken = "{object\nname d;\nmodel { union\nfirst " + ObjectBlock(*a) + "\n}\n}\n.";
  EXPECT_EQ(BuildFromSources(*doc.editor, "d", broken, {path, a, a}), nullptr);
  EXPECT_EQ(doc.editor->scene.FindObject("a"), a);
  EXPECT_EQ(doc.editor->scene.FindObject("path"), path);
  EXPECT_EQ(doc.editor->scene.FindObject("d"), nullptr);
  EXPECT_TRUE(doc.Shown("a"));
  EXPECT_TRUE(doc.Shown("path"));
  EXPECT_EQ(doc.Messages().size(), 1u);
}

}  // namespace
}  // namespace zavo::test
