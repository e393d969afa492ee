// The "Param" dialog (request 22): the control tree over the render
// parameters with and without test mode, the write-back rules, Cancel, and a
// render mode the list does not offer.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor_fakes.h"

namespace zavo::test {
namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

struct Document {
  explicit Document(int test) : editor(CG_GraphicEditor::Create(test)), driver(*editor) {
    fakes.AttachTo(*editor);
    editor->options.UseUndo = 0;
    GParam& p = Param();
    p.dimx = 320;
    p.dimy = 240;
    p.motionblur = 3;
    p.DFSmax = 0.075;
    p.UseDistribuiteTS = 1;
    p.UseAA = 1;
  }
  GParam& Param() { return editor->scene.GetParam(); }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  EditorDriver driver;
};

TEST(ParamDialog, TreeFollowsTestMode) {
  struct Line {
    const char* text;
    bool testOnly;
  };
  const std::vector<Line> lines = {
      {"LogicalSet_obj Raytracing", false},
      {"  ListBox_obj shade = phong [noshadowphong|phong]", false},
      {"  Edit_obj mode = 0", false},
      {"  Check_obj buildhier = 1", false},
      {"  Edit_obj anti_alias = 0", false},
      {"  Edit_obj anti_al_toll = 0.05", false},
      {"  Color_obj backcolor = 0 0 0", false},
      {"  Color_obj AmbientColor = 1 1 1", false},
      {"  Edit_obj toll = 0.001", false},
      {"  Edit_obj infltoll = 0.05", false},
      {"  Edit_obj ambient_ni = 1", false},
      {"  LogicalSet_obj Optimiz", false},
      {"    ListBox_obj _brep_optimiz = auto [auto|hier|fasthier|median]", false},
      {"    Edit_obj _brep_grid_dim = 30", false},
      {"    Edit_obj _brep_hsort = 0", false},
      {"    ListBox_obj _general_optimiz = auto [auto|hier|fasthier|median]", false},
      {"    Edit_obj _general_grid_dim = 30", false},
      {"    Edit_obj _general_hsort = 1", false},
      {"    Edit_obj _general_costr = 1.1", false},
      {"    Edit_obj _csg_convert = 0", false},
      {"  LogicalSet_obj New", false},
      {"    Edit_obj jitterfreq = 1", false},
      {"    Edit_obj jitterrange = 0.1", false},
      {"    Edit_obj motionblur = 3", true},
      {"    Edit_obj motionblurq = 0.5", true},
      {"    Edit_obj mpeg = 0", true},
      {"    Check_obj UseDistribuiteTS = 1", false},
      {"    Edit_obj AngleFreq = 1000", false},
      {"    LogicalSet_obj Atmoferic attenuation", false},
      {"      Check_obj UseAA = 1", false},
      {"      Edit_obj AAsb = 0.2", false},
      {"      Edit_obj AAsf = 0.8", false},
      {"      Edit_obj AAzb = 0", false},
      {"      Edit_obj AAzf = 1000", false},
      {"    LogicalSet_obj Depth of Field", true},
      {"      Edit_obj UseDF = 0", true},
      {"      Edit_obj DFSmax = 0.075", true},
      {"      Edit_obj DFf1 = 0", true},
      {"      Edit_obj DFf2 = 10", true},
      {"      Edit_obj DFb1 = 100", true},
      {"      Edit_obj DFb2 = 1000", true},
      {"LogicalSet_obj Depth", false},
      {"  Edit_obj depthmax = 64", false},
      {"  Edit_obj depthmin = 48", false},
      {"  Edit_obj depthback = 64", false},
      {"Edit_obj dimx = 320", false},
      {"Edit_obj dimy = 240", false},
      {"Check_obj modifydef = 1", false},
  };
  for (int test : {0, 1}) {
    SCOPED_TRACE(test);
    Document d(test);
    d.fakes.dialog.AnswerCancel();
    EXPECT_EQ(d.driver.Request(22).result, 0);
    ASSERT_EQ(d.fakes.dialog.calls.size(), 1u);
    EXPECT_EQ(d.fakes.dialog.calls[0].title, "Param");
    std::vector<std::string> want = {
        test != 0 ? "ListBox_obj render = raytracing [raytracing|depth|vrml|dxf|t_analysis|preview|tgl]"
                  : "ListBox_obj render = raytracing [raytracing|depth|vrml|dxf|t_analysis|preview]"};
    for (const Line& line : lines) {
      if (!line.testOnly || test != 0) want.emplace_back(line.text);
    }
    EXPECT_EQ(d.fakes.dialog.calls[0].tree, want);
  }
}

TEST(ParamDialog, OkWritesEachControlBack) {
  struct Case {
    const char* what;
    int test;
    Values values;
    std::function<void(const GParam&)> check;
  };
  const std::vector<Case> cases = {
      {"integers are truncated toward zero", 0,
       {{"dimx", "640.7"}, {"Raytracing/anti_alias", "-1.5"}, {"Depth/depthmin", "  12abc"}},
       [](const GParam& p) {
         EXPECT_EQ(p.dimx, 640);
         EXPECT_EQ(p.anti_alias, -1);
         EXPECT_EQ(p.depthmin, 12);
       }},
      {"a text without digits gives 0", 0, {{"dimy", "wide"}, {"Raytracing/toll", "-"}},
       [](const GParam& p) {
         EXPECT_EQ(p.dimy, 0);
         EXPECT_EQ(p.toll, 0.0);
       }},
      {"an emptied field keeps its value", 0, {{"dimx", ""}, {"Raytracing/New/jitterrange", ""}},
       [](const GParam& p) {
         EXPECT_EQ(p.dimx, 320);
         EXPECT_DOUBLE_EQ(p.jitterrange, 0.1);
       }},
      {"reals by their longest numeric prefix", 0,
       {{"Raytracing/toll", "2.5e-4;"}, {"Raytracing/New/Atmoferic attenuation/AAzf", "750.25 m"}},
       [](const GParam& p) {
         EXPECT_DOUBLE_EQ(p.toll, 0.00025);
         EXPECT_DOUBLE_EQ(p.AAzf, 750.25);
       }},
      {"cleared check boxes write 0", 0,
       {{"Raytracing/New/UseDistribuiteTS", "0"}, {"Raytracing/New/Atmoferic attenuation/UseAA", "0"},
        {"modifydef", "0"}},
       [](const GParam& p) {
         EXPECT_EQ(p.UseDistribuiteTS, 0);
         EXPECT_EQ(p.UseAA, 0);
         EXPECT_EQ(p.modifydef, 0);
       }},
      {"lists and colours", 0,
       {{"render", "depth"}, {"Raytracing/shade", "noshadowphong"}, {"Raytracing/Optimiz/_general_optimiz", "median"},
        {"Raytracing/backcolor", "0.1 0.2 0.35"}, {"Raytracing/AmbientColor", "0.4 0.4 0.5"}},
       [](const GParam& p) {
         EXPECT_STREQ(p.render.Text(), "depth");
         EXPECT_STREQ(p.shade.Text(), "noshadowphong");
         EXPECT_STREQ(p._general_optimiz.Text(), "median");
         EXPECT_TRUE(p.backcolor == (Point3D{0.1, 0.2, 0.35}));
         EXPECT_TRUE(p.ambientcolor == (Point3D{0.4, 0.4, 0.5}));
       }},
      {"an optimiz list without a selection keeps its value", 0, {{"Raytracing/Optimiz/_brep_optimiz", ""}},
       [](const GParam& p) { EXPECT_STREQ(p._brep_optimiz.Text(), "auto"); }},
      {"outside test mode the test rows keep the scene's values", 0, {},
       [](const GParam& p) {
         EXPECT_EQ(p.motionblur, 3);
         EXPECT_DOUBLE_EQ(p.DFSmax, 0.075);
       }},
      {"in test mode the test rows are written back", 1,
       {{"render", "tgl"}, {"Raytracing/New/motionblur", "0"}, {"Raytracing/New/mpeg", "1"},
        {"Raytracing/New/Depth of Field/UseDF", "2"}, {"Raytracing/New/Depth of Field/DFf2", "12.5"}},
       [](const GParam& p) {
         EXPECT_STREQ(p.render.Text(), "tgl");
         EXPECT_EQ(p.motionblur, 0);
         EXPECT_EQ(p.mpeg, 1);
         EXPECT_EQ(p.UseDF, 2);
         EXPECT_DOUBLE_EQ(p.DFf2, 12.5);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Document d(c.test);
    d.fakes.dialog.Answer({c.values, {}, true});
    EXPECT_EQ(d.driver.Request(22).result, 1);
    c.check(d.Param());
    // The parameters are saved with the scene: the document has changed.
    EXPECT_EQ(d.driver.Request(76).result, 1);
  }
}

TEST(ParamDialog, CancelAfterEditsChangesNothing) {
  Document d(1);
  const GParam before = d.Param();
  d.fakes.dialog.Answer({{{"dimx", "640"}, {"render", "vrml"}, {"Raytracing/New/Atmoferic attenuation/UseAA", "0"}},
                         {},
                         false});
  EXPECT_EQ(d.driver.Request(22).result, 0);
  EXPECT_TRUE(d.Param() == before);
  EXPECT_EQ(d.editor->modified, 0);
}

TEST(ParamDialog, ARenderModeTheListLacksStaysSelected) {
  Document d(0);
  d.Param().render = "tgl";
  d.fakes.dialog.Answer({{}, {}, true});
  EXPECT_EQ(d.driver.Request(22).result, 1);
  EXPECT_EQ(d.fakes.dialog.calls[0].tree.front(),
            "ListBox_obj render = tgl [raytracing|depth|vrml|dxf|t_analysis|preview]");
  EXPECT_STREQ(d.Param().render.Text(), "tgl");
}

}  // namespace
}  // namespace zavo::test
