#include "editor/modules/solid_modules.h"

#include <gtest/gtest.h>

#include "module_fixture.h"
#include "module_test_support.h"

namespace zavo::test {
namespace {

const char* const kSolids[] = {"sphere", "cone", "cylinder"};

// The solid itself: the sphere, or the child of the cone's or cylinder's wrapper.
CG_GraphicObject* Inner(CG_GraphicObject* made) {
  if (auto* wrapper = dynamic_cast<GTransf*>(made)) {
    CG_GraphicObject* child = nullptr;
    StepsOf(*wrapper, child);
    return child;
  }
  return made;
}

TEST(SolidModules, CreationAsksForANameAndCancelCreatesNothing) {
  for (const char* keyword : kSolids) {
    SCOPED_TRACE(keyword);
    ModuleDocument doc;
    const std::string caption = std::string("Creating ") + keyword;
    const std::size_t before = CountOf(doc.editor->scene.GetObjects());

    doc.fakes.dialog.AnswerCancel();
    EXPECT_EQ(doc.Object(keyword).Create(*doc.editor), nullptr);
    EXPECT_EQ(CountOf(doc.editor->scene.GetObjects()), before);
    EXPECT_TRUE(doc.fakes.system.messages.empty());

    doc.Answer({});
    std::unique_ptr<CG_GraphicObject> made = doc.Object(keyword).Create(*doc.editor);
    ASSERT_NE(made, nullptr);
    ASSERT_EQ(doc.fakes.dialog.calls.size(), 2u);
    for (const FakeDialog::Call& call : doc.fakes.dialog.calls) {
      EXPECT_EQ(call.title, caption);
      EXPECT_EQ(call.tree, std::vector<std::string>{"Edit_obj name = obj000001"});
    }
    EXPECT_STREQ(made->name.Text(), "obj000001");
    EXPECT_STREQ(Inner(made.get())->name.Text(), "obj000001");
    EXPECT_STREQ(Inner(made.get())->Keyword(), keyword);
    EXPECT_EQ(MaterialOf(*made), doc.editor->scene.GetMaterials().Find("standard"));
    // Handed back outside the scene; the editor adds it.
    EXPECT_EQ(CountOf(doc.editor->scene.GetObjects()), before);
    EXPECT_EQ(doc.editor->scene.FindObject("obj000001"), nullptr);
    EXPECT_TRUE(doc.fakes.system.messages.empty());
  }
}

TEST(SolidModules, ARefusedNameShowsTheChecksMessageAndCreatesNothing) {
  struct Case {
    const char* name;
    const char* message;
  };
  const Case cases[] = {
      {"1abc", "'1abc' not a valid name\ncharacter '1' not valid."},
      {"a-b", "'a-b' not a valid name\ncharacter '-' not valid."},
      {"", "'' not a valid name\nnull string not valid."},
      {"camera", "Object 'camera' exist."},
  };
  for (const char* keyword : kSolids) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(keyword) + " \"" + c.name + "\"");
      ModuleDocument doc;
      const std::size_t before = CountOf(doc.editor->scene.GetObjects());
      doc.Answer({{"name", c.name}});
      EXPECT_EQ(doc.Object(keyword).Create(*doc.editor), nullptr);
      EXPECT_EQ(doc.fakes.system.messages, std::vector<std::string>{c.message});
      EXPECT_EQ(CountOf(doc.editor->scene.GetObjects()), before);
    }
  }
}

TEST(SolidModules, WithoutAStandardMaterialTheSolidHasNone) {
  for (const char* keyword : kSolids) {
    SCOPED_TRACE(keyword);
    ModuleDocument doc;
    doc.editor->scene.GetMaterials().Find("standard")->name = "marble";
    doc.Answer({{"name", "plain"}});
    std::unique_ptr<CG_GraphicObject> made = doc.Object(keyword).Create(*doc.editor);
    ASSERT_NE(made, nullptr);
    EXPECT_STREQ(made->name.Text(), "plain");
    EXPECT_EQ(MaterialOf(*Inner(made.get())), nullptr);
  }
}

// Top (view 0): x -10..10, y -5..5, z -3..7. Front (view 2): x -7.3..12.7,
// y -2..9, z -4..6, drawn 200 x 100: the fitted box keeps x and halves the
// half extent of z about its centre (z -1.5..3.5), so pixel (50, 25) of the
// Front view is x -2.3, z 2.25.
TEST(SolidModules, PlacementInTheCurrentView) {
  struct Case {
    const char* keyword;
    int activeView;
    int clickView;  // -1: no pending click
    Point3D centre;
    double size;
  };
  const Case cases[] = {
      {"sphere", -1, -1, {0, 0, 0}, 2.5},
      {"sphere", 0, -1, {0, 0, 0}, 2.5},
      {"sphere", 2, 2, {-2.3, 0, 2.25}, 2.5},
      {"sphere", 0, 2, {-2.3, 0, 2.25}, 2.5},
      // The perspective view shows no axes: placed as in view 0, its click unused.
      {"sphere", 3, -1, {0, 0, 0}, 2.5},
      {"sphere", 3, 3, {0, 0, 0}, 2.5},
      {"cone", -1, -1, {0, 0, 0}, 2.5},
      {"cylinder", -1, -1, {0, 0, 0}, 2.5},
      {"cone", 2, 2, {-2.3, 0, 2.25}, 2.5},
      {"cylinder", 2, 2, {-2.3, 0, 2.25}, 2.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.keyword) + " view " + std::to_string(c.activeView) + " click " +
                 std::to_string(c.clickView));
    ModuleDocument doc;
    doc.SetBox(0, {-10, -5, -3}, {10, 5, 7});
    doc.SetBox(2, {-7.3, -2, -4}, {12.7, 9, 6});
    doc.SetBox(3, {-1, -1, -1}, {1, 1, 1});
    doc.editor->activeView = c.activeView;
    if (c.clickView >= 0) {
      doc.editor->creationClick = 1;
      doc.editor->creationView = c.clickView;
      doc.editor->creationX = 50;
      doc.editor->creationY = 25;
    }
    doc.Answer({});
    std::unique_ptr<CG_GraphicObject> made = doc.Object(c.keyword).Create(*doc.editor);
    ASSERT_NE(made, nullptr);
    if (std::string(c.keyword) == "sphere") {
      ASSERT_EQ(dynamic_cast<GTransf*>(made.get()), nullptr);
      const auto fields = FieldsOf(*made);
      EXPECT_DOUBLE_EQ(fields.at("x"), c.centre.x);
      EXPECT_DOUBLE_EQ(fields.at("y"), c.centre.y);
      EXPECT_DOUBLE_EQ(fields.at("z"), c.centre.z);
      EXPECT_DOUBLE_EQ(fields.at("radius"), c.size);
      EXPECT_EQ(fields.at("div"), 6);
      continue;
    }
    auto* wrapper = dynamic_cast<GTransf*>(made.get());
    ASSERT_NE(wrapper, nullptr);
    CG_GraphicObject* child = nullptr;
    const std::vector<Step> steps = StepsOf(*wrapper, child);
    ASSERT_NE(child, nullptr);
    EXPECT_STREQ(child->name.Text(), made->name.Text());
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0], (Step{0, 0, 0, 0}));
    EXPECT_EQ(steps[1], (Step{0, 0, 0, 0}));
    EXPECT_EQ(steps[2][0], 0);
    EXPECT_DOUBLE_EQ(steps[2][1], c.centre.x);
    EXPECT_DOUBLE_EQ(steps[2][2], c.centre.y);
    EXPECT_DOUBLE_EQ(steps[2][3], c.centre.z);
    const auto fields = FieldsOf(*child);
    EXPECT_DOUBLE_EQ(fields.at("radius"), c.size / 2);
    EXPECT_DOUBLE_EQ(fields.at("high"), c.size / 2);
    EXPECT_EQ(fields.at("div"), 10);
  }
}

TEST(SolidModules, ModificationShowsTheValuesAndAppliesTheFields) {
  struct Case {
    const char* keyword;
    std::vector<std::pair<std::string, std::string>> entered;
    std::map<std::string, double> expected;
  };
  const Case cases[] = {
      {"sphere", {{"center", "( 1 , 2 )"}}, {{"x", 1}, {"y", 2}, {"z", 0}, {"radius", 0.35}, {"div", 9}}},
      {"sphere", {{"center", "( 1 , /* up */ 2 , 3.25 ) // moved"}, {"div", "7.9"}},
       {{"x", 1}, {"y", 2}, {"z", 3.25}, {"radius", 0.35}, {"div", 7}}},
      {"sphere", {{"radius", "abc"}, {"div", "1e3"}}, {{"x", 0.5}, {"y", -1.5}, {"z", 2.25}, {"radius", 0}, {"div", 1000}}},
      {"sphere", {{"center", "nothing"}, {"radius", " -1.5x"}}, {{"x", 0}, {"y", 0}, {"z", 0}, {"radius", -1.5}, {"div", 9}}},
      {"cone", {{"high", "2.75"}, {"div", "7.9"}}, {{"high", 2.75}, {"radius", 0.35}, {"div", 7}}},
      {"cone", {{"radius", "abc"}}, {{"high", 1.2}, {"radius", 0}, {"div", 9}}},
      {"cylinder", {{"high", "-1"}, {"radius", "0"}, {"div", "0"}}, {{"high", -1}, {"radius", 0}, {"div", 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.keyword) + " " + c.entered.front().first + " " + c.entered.front().second);
    ModuleDocument doc;
    CG_GraphicObjectCommData data;
    data.name = "s1";
    std::unique_ptr<CG_GraphicObject> object;
    std::vector<std::string> shown;
    if (std::string(c.keyword) == "sphere") {
      CG_SphereDescription d;
      d.center = Point3D{0.5, -1.5, 2.25};
      d.radius = 0.35;
      d.div = 9;
      object = std::make_unique<GSphere>(data, d);
      shown = {"Edit_obj center = ( 0.5 , -1.5 , 2.25 )", "Edit_obj radius = 0.35", "Edit_obj div = 9"};
    } else {
      zavo::AxialSolidDescription d;
      d.radius = 0.35;
      d.high = 1.2;
      d.div = 9;
      if (std::string(c.keyword) == "cone") {
        object = std::make_unique<CG_Cone>(data, d);
      } else {
        object = std::make_unique<GCylinder>(data, d);
      }
      shown = {"Edit_obj high = 1.2", "Edit_obj radius = 0.35", "Edit_obj div = 9"};
    }
    const auto before = FieldsOf(*object);

    doc.fakes.dialog.AnswerCancel();
    EXPECT_EQ(doc.Object(c.keyword).Modify(*doc.editor, *object, 0), nullptr);
    EXPECT_EQ(FieldsOf(*object), before);

    doc.Answer(c.entered);
    EXPECT_EQ(doc.Object(c.keyword).Modify(*doc.editor, *object, 0), object.get());
    EXPECT_EQ(FieldsOf(*object), c.expected);
    ASSERT_EQ(doc.fakes.dialog.calls.size(), 2u);
    for (const FakeDialog::Call& call : doc.fakes.dialog.calls) {
      EXPECT_EQ(call.title, std::string("Modifing ") + c.keyword);
      EXPECT_EQ(call.tree, shown);
    }
    EXPECT_TRUE(doc.fakes.system.messages.empty());
  }
}

TEST(SolidModules, InfoNamesTheCategoryAndTheKeyword) {
  ModuleDocument doc(1);
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"sphere", {"primitive", "sphere"}},
      {"cone", {"primitive", "cone"}},
      {"cylinder", {"primitive", "cylinder"}},
      {"pointlamp", {"lamp", "pointlamp"}},
      {"conelamp", {"lamp", "conelamp"}},
  };
  for (const auto& [keyword, expected] : cases) {
    SCOPED_TRACE(keyword);
    Seq<charString> names;
    doc.Object(keyword).Info(names);
    std::vector<std::string> got;
    for (std::uint32_t i = 0; i < names.Count(); ++i) got.emplace_back(names[i].Text());
    EXPECT_EQ(got, expected);
  }
}

}  // namespace
}  // namespace zavo::test
