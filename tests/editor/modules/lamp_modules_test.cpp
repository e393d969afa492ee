#include "editor/modules/lamp_modules.h"

#include <gtest/gtest.h>

#include <sstream>

#include "module_fixture.h"
#include "module_test_support.h"

namespace zavo::test {
namespace {

// Side view (1): y -9..11, z -8..12, x -6..14: its box is centred at (4, 1, 2).
// Top view (0): x -10..10, y -5..5, z -3..7.
void SetBoxes(ModuleDocument& doc) {
  doc.SetBox(0, {-10, -5, -3}, {10, 5, 7});
  doc.SetBox(1, {-6, -9, -8}, {14, 11, 12});
}

void PendingClick(ModuleDocument& doc, int view, int x, int y) {
  doc.editor->creationClick = 1;
  doc.editor->creationView = view;
  doc.editor->creationX = x;
  doc.editor->creationY = y;
}

void AddLamp(ModuleDocument& doc, const char* name) {
  CG_PointLampDescription d;
  d.pos = Point3D{1, 2, 3};
  doc.editor->scene.AddLight(std::make_unique<GPointLamp>(name, nullptr, d));
}

TEST(LampModules, LampFormsAskForALampNameAndCheckItAmongTheLamps) {
  for (const char* keyword : {"pointlamp", "conelamp"}) {
    SCOPED_TRACE(keyword);
    ModuleDocument doc;
    SetBoxes(doc);
    AddLamp(doc, "lmp000001");
    const std::string caption = std::string("Creating ") + keyword;

    doc.fakes.dialog.AnswerCancel();
    EXPECT_EQ(doc.Lamp(keyword).Create(*doc.editor), nullptr);
    EXPECT_TRUE(doc.fakes.system.messages.empty());

    doc.Answer({{"name", "lmp000001"}});
    EXPECT_EQ(doc.Lamp(keyword).Create(*doc.editor), nullptr);
    EXPECT_EQ(doc.fakes.system.messages, std::vector<std::string>{"Lamp 'lmp000001' exist."});

    // An object's name is free for a lamp.
    doc.Answer({{"name", "camera"}});
    std::unique_ptr<CG_LightSource> lamp = doc.Lamp(keyword).Create(*doc.editor);
    ASSERT_NE(lamp, nullptr);
    EXPECT_STREQ(lamp->name.Text(), "camera");
    EXPECT_STREQ(lamp->Keyword(), keyword);
    ASSERT_EQ(doc.fakes.dialog.calls.size(), 3u);
    for (const FakeDialog::Call& call : doc.fakes.dialog.calls) {
      EXPECT_EQ(call.title, caption);
      EXPECT_EQ(call.tree, std::vector<std::string>{"Edit_obj name = lmp000002"});
    }
  }
}

TEST(LampModules, ANewConeLampStandsAtTheViewCentreWhateverTheClick) {
  ModuleDocument doc;
  SetBoxes(doc);
  doc.editor->activeView = 1;
  PendingClick(doc, 1, 20, 70);
  doc.Answer({});
  std::unique_ptr<CG_LightSource> lamp = doc.Lamp("conelamp").Create(*doc.editor);
  ASSERT_NE(lamp, nullptr);
  EXPECT_STREQ(lamp->name.Text(), "lmp000001");
  CG_ConeLampDescription d;
  dynamic_cast<GConeLamp&>(*lamp).GetDescription(d);
  EXPECT_EQ(d.pos, (Point3D{0, 1, 2}));
  EXPECT_EQ(d.dir, (Point3D{0, 0, -1}));
  EXPECT_DOUBLE_EQ(d.ang, 0.3);
  EXPECT_EQ(d.color, (Point3D{1, 1, 1}));
}

TEST(LampModules, ANewPointLampStandsAtThePlacementPoint) {
  struct Case {
    int activeView;
    int clickView;
    Point3D pos;
  };
  // Side view pixel (50, 25) of 200 x 100: the box is fitted to 2 : 1 about
  // its centre, so y runs -9..11 and z -3..7: y -4, z 4.5.
  const Case cases[] = {
      {-1, -1, {0, 0, 0}},
      {1, -1, {0, 1, 2}},
      {1, 1, {0, -4, 4.5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.activeView) + " " + std::to_string(c.clickView));
    ModuleDocument doc;
    SetBoxes(doc);
    doc.editor->activeView = c.activeView;
    if (c.clickView >= 0) PendingClick(doc, c.clickView, 50, 25);
    doc.Answer({});
    std::unique_ptr<CG_LightSource> lamp = doc.Lamp("pointlamp").Create(*doc.editor);
    ASSERT_NE(lamp, nullptr);
    CG_PointLampDescription d;
    dynamic_cast<GPointLamp&>(*lamp).GetDescription(d);
    EXPECT_NEAR(d.pos.x, c.pos.x, 1e-12);
    EXPECT_NEAR(d.pos.y, c.pos.y, 1e-12);
    EXPECT_NEAR(d.pos.z, c.pos.z, 1e-12);
    EXPECT_EQ(d.color, (Point3D{1, 1, 1}));
  }
}

TEST(LampModules, ModifyingALampReadsItsPointsOverTheCurrentValues) {
  ModuleDocument doc;
  CG_ConeLampDescription cd;
  cd.pos = Point3D{0, 1, 2};
  cd.dir = Point3D{0, 0, -1};
  cd.ang = 0.3;
  cd.color = Point3D{1, 1, 1};
  GConeLamp cone("spot", nullptr, cd);

  doc.fakes.dialog.AnswerCancel();
  EXPECT_EQ(doc.Lamp("conelamp").Modify(*doc.editor, cone), nullptr);
  doc.Answer({{"center", "( 1.5 , -2 , 3 )"}, {"dir", "( 0.6 , 0.8"}, {"angle", "0.7"}, {"color", "1 0.5 0"}});
  EXPECT_EQ(doc.Lamp("conelamp").Modify(*doc.editor, cone), &cone);
  ASSERT_EQ(doc.fakes.dialog.calls.size(), 2u);
  EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Modifing conelamp");
  EXPECT_EQ(doc.fakes.dialog.calls[0].tree,
            (std::vector<std::string>{"Edit_obj center = ( 0 , 1 , 2 )", "Edit_obj dir = ( 0 , 0 , -1 )",
                                      "Edit_obj angle = 0.3", "Color_obj color = 1 1 1"}));
  cone.GetDescription(cd);
  EXPECT_EQ(cd.pos, (Point3D{1.5, -2, 3}));
  // The malformed direction keeps its third component: never a zero direction.
  EXPECT_EQ(cd.dir, (Point3D{0.6, 0.8, -1}));
  EXPECT_DOUBLE_EQ(cd.ang, 0.7);
  EXPECT_EQ(cd.color, (Point3D{1, 0.5, 0}));

  CG_PointLampDescription pd;
  pd.pos = Point3D{4, 5, 6};
  pd.color = Point3D{0.2, 0.4, 0.9};
  GPointLamp point("bulb", nullptr, pd);
  doc.Answer({{"center", "( -1 , 0.25 , 8 )"}});
  EXPECT_EQ(doc.Lamp("pointlamp").Modify(*doc.editor, point), &point);
  EXPECT_EQ(doc.fakes.dialog.calls[2].title, "Modifing pointlamp");
  EXPECT_EQ(doc.fakes.dialog.calls[2].tree,
            (std::vector<std::string>{"Edit_obj center = ( 4 , 5 , 6 )", "Color_obj color = 0.2 0.4 0.9"}));
  point.GetDescription(pd);
  EXPECT_EQ(pd.pos, (Point3D{-1, 0.25, 8}));
  EXPECT_EQ(pd.color, (Point3D{0.2, 0.4, 0.9}));
  doc.Answer({{"center", "( 7 ,"}, {"color", "0 1 0"}});
  EXPECT_EQ(doc.Lamp("pointlamp").Modify(*doc.editor, point), &point);
  point.GetDescription(pd);
  EXPECT_EQ(pd.pos, (Point3D{7, 0.25, 8}));
  EXPECT_EQ(pd.color, (Point3D{0, 1, 0}));
}

TEST(LampModules, TheConeLampsShapeIsItsDirectionSegment) {
  ModuleDocument doc;
  CG_LampEditorModule& module = doc.Lamp("conelamp");
  EXPECT_EQ(module.HasShape(), 1);
  EXPECT_EQ(doc.Lamp("pointlamp").HasShape(), 0);
  CG_ConeLampDescription d;
  d.pos = Point3D{1, 2, 3};
  d.dir = Point3D{0, 0, -1};
  d.ang = 0.3;
  GConeLamp lamp("spot", nullptr, d);
  Seq<Point3D> points;
  module.GetShape(*doc.editor, lamp, points);
  ASSERT_EQ(points.Count(), 2u);
  EXPECT_EQ(points[0], (Point3D{1, 2, 3}));
  EXPECT_EQ(points[1], (Point3D{1, 2, 0}));
}

TEST(LampModules, PointLampObjectIsCreatedAtThePlacementPointAndEditedWhite) {
  ModuleDocument doc;
  SetBoxes(doc);
  doc.Answer({});
  std::unique_ptr<CG_GraphicObject> made = doc.Object("pointlamp").Create(*doc.editor);
  ASSERT_NE(made, nullptr);
  ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
  EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Creating pointlamp");
  EXPECT_EQ(doc.fakes.dialog.calls[0].tree, std::vector<std::string>{"Edit_obj name = obj000001"});
  EXPECT_EQ(MaterialOf(*made), doc.editor->scene.GetMaterials().Find("standard"));
  // Top view x extent 20, y extent 10: radius min(1, 0.5).
  EXPECT_EQ(FieldsOf(*made), (std::map<std::string, double>{{"x", 0}, {"y", 0}, {"z", 0}, {"radius", 0.5},
                                                             {"div", 6}, {"r", 1}, {"g", 1}, {"b", 1}}));

  // A red lamp of div 9 from a scene file.
  std::istringstream text(
      "{ object\n\tname red;\n\tmodel { pointlamp\n\t\tcenter ( 1 , 2 , 3 );\n\t\tradius 0.75;\n\t\tdiv 9;\n"
      "\t\tcolor (1,0,0);\n\t}\n}\n.\n");
  ASSERT_EQ(doc.editor->scene.Get(text), 1) << doc.editor->scene.GetErrorMessage();
  CG_GraphicObject* red = doc.editor->scene.FindObject("red");
  ASSERT_NE(red, nullptr);
  doc.fakes.dialog.AnswerCancel();
  EXPECT_EQ(doc.Object("pointlamp").Modify(*doc.editor, *red, 0), nullptr);
  EXPECT_EQ(FieldsOf(*red).at("r"), 1);
  EXPECT_EQ(FieldsOf(*red).at("g"), 0);
  doc.Answer({{"center", "( 4 , 5"}, {"radius", "1.25"}});
  EXPECT_EQ(doc.Object("pointlamp").Modify(*doc.editor, *red, 0), red);
  EXPECT_EQ(doc.fakes.dialog.calls[2].title, "Modifing pointlamp");
  EXPECT_EQ(doc.fakes.dialog.calls[2].tree,
            (std::vector<std::string>{"Edit_obj center = ( 1 , 2 , 3 )", "Edit_obj radius = 0.75"}));
  EXPECT_EQ(FieldsOf(*red), (std::map<std::string, double>{{"x", 4}, {"y", 5}, {"z", 3}, {"radius", 1.25},
                                                            {"div", 6}, {"r", 1}, {"g", 1}, {"b", 1}}));
}

TEST(LampModules, ConeLampObjectIsCreatedLikeTheConeAndEditedBackToWhite) {
  ModuleDocument doc(1);
  SetBoxes(doc);
  doc.Answer({});
  std::unique_ptr<CG_GraphicObject> made = doc.Object("conelamp").Create(*doc.editor);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Creating cone");
  EXPECT_EQ(doc.fakes.dialog.calls[0].tree, std::vector<std::string>{"Edit_obj name = obj000001"});
  auto* wrapper = dynamic_cast<GTransf*>(made.get());
  ASSERT_NE(wrapper, nullptr);
  CG_GraphicObject* child = nullptr;
  EXPECT_EQ(StepsOf(*wrapper, child), (std::vector<Step>{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}));
  auto* lamp = dynamic_cast<CG_XConeLamp*>(child);
  ASSERT_NE(lamp, nullptr);
  CG_XConeLampDescription d;
  lamp->GetDescription(d);
  EXPECT_DOUBLE_EQ(d.radius, 1.25);
  EXPECT_DOUBLE_EQ(d.high, 1.25);
  EXPECT_EQ(d.div, 10);
  EXPECT_EQ(d.color, (Point3D{1, 1, 1}));
  EXPECT_EQ(d.c3, 1);
  EXPECT_EQ(d.isDouble, 0);

  std::istringstream text(
      "{ object\n\tname spot;\n\tmodel { conelamp\n\t\thigh 2;\n\t\tradius 0.5;\n\t\tdiv 12;\n"
      "\t\tcolor (1,0,0);\n\t\tp 2;\n\t\tdouble 1;\n\t\tc1 0.5;\n\t\tc2 0;\n\t\tc3 0.25;\n\t}\n}\n.\n");
  ASSERT_EQ(doc.editor->scene.Get(text), 1) << doc.editor->scene.GetErrorMessage();
  auto* spot = dynamic_cast<CG_XConeLamp*>(doc.editor->scene.FindObject("spot"));
  ASSERT_NE(spot, nullptr);
  doc.Answer({{"high", "3"}, {"c2", "0.125"}, {"double", "7.9"}});
  EXPECT_EQ(doc.Object("conelamp").Modify(*doc.editor, *spot, 0), spot);
  EXPECT_EQ(doc.fakes.dialog.calls[1].title, "Modifing conelamp");
  EXPECT_EQ(doc.fakes.dialog.calls[1].tree,
            (std::vector<std::string>{"Edit_obj high = 2", "Edit_obj radius = 0.5", "Edit_obj p = 2",
                                      "Edit_obj c1 = 0.5", "Edit_obj c2 = 0", "Edit_obj c3 = 0.25",
                                      "Edit_obj double = 1"}));
  spot->GetDescription(d);
  EXPECT_EQ(d.color, (Point3D{1, 1, 1}));
  EXPECT_EQ(d.high, 3);
  EXPECT_EQ(d.radius, 0.5);
  EXPECT_EQ(d.p, 2);
  EXPECT_EQ(d.c2, 0.125);
  EXPECT_EQ(d.c3, 0.25);
  EXPECT_EQ(d.isDouble, 7);
  EXPECT_EQ(d.div, 10);
}

}  // namespace
}  // namespace zavo::test
