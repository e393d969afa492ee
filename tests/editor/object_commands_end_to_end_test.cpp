// One session with the object commands, scripted as the window layer sends
// it: a box made by its module, rotated and moved by typed values, copied
// and renamed, a lamp made and turned, the camera moved and its view set up, the document saved and opened again, and the camera in
// use deleted.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "editor/modules/module_test_support.h"
#include "models/core/point_lamp.h"
#include "models/core/transf_lamp.h"
#include "object_command_fixture.h"

namespace zavo::test {
namespace {

class ObjectCommandsEndToEnd : public ObjectCommandTest {
protected:
  // tolerance: the scene file keeps six significant digits.
  void ExpectSteps(const char* name, const std::vector<Step>& expected, double tolerance = 1e-12) {
    SCOPED_TRACE(name);
    auto* wrapper = dynamic_cast<GTransf*>(editor->scene.FindObject(name));
    ASSERT_NE(wrapper, nullptr);
    CG_GraphicObject* child = nullptr;
    const std::vector<Step> steps = StepsOf(*wrapper, child);
    ASSERT_EQ(steps.size(), expected.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
      for (int k = 0; k < 4; ++k) EXPECT_NEAR(steps[i][k], expected[i][k], tolerance) << "step " << i;
    }
  }
  static bool TitledPreview(const RecordingWireFrameImage& view) {
    return std::any_of(view.calls.begin(), view.calls.end(),
                       [](const std::string& call) { return call.rfind("DrawText Preview ", 0) == 0; });
  }
};

TEST_F(ObjectCommandsEndToEnd, CreateTransformCopySaveOpenAndDeleteTheCamera) {
  RecordingWireFrameImage recordingPreview(120, 80);
  editor->SetView(3, &recordingPreview, 1);
  driver.Request(45);
  driver.Request(65);

  // 1. A box from the "box" module, drawn, in the default layer.
  Module("box").nextCreate = Built("k1", "box", "xmin 0; xmax 2; ymin 1; ymax 3; zmin -1; zmax 1;\n");
  const std::vector<unsigned char> topBefore = top.Buffer();
  fakes.listShower.AnswerText("box");
  EXPECT_EQ(driver.Request(16).result, 1);
  ASSERT_NE(Item("k1"), nullptr);
  EXPECT_TRUE(editor->FindLayer("default")->Holds(Item("k1")));
  EXPECT_NE(top.Buffer(), topBefore);
  EXPECT_EQ(driver.Request(76).result, 1);

  // 2. A quarter turn about z through the box's centre, then a move along x.
  const std::vector<Step> k1Steps = {
      {0, -1, -2, 0}, {1, 0, 0, std::numbers::pi / 2}, {0, 1, 2, 0}, {0, 1, 0, 0}};
  fakes.listShower.AnswerText("k1");
  fakes.multiEdit.AnswerTexts({"", "", "90"});
  EXPECT_EQ(driver.Request(19).result, 1);
  ExpectSteps("k1", {k1Steps[0], k1Steps[1], k1Steps[2]});
  fakes.listShower.AnswerText("k1");
  fakes.multiEdit.AnswerTexts({"1", "", ""});
  EXPECT_EQ(driver.Request(21).result, 1);
  ExpectSteps("k1", k1Steps);

  // 3. A copy under the next free name.
  fakes.listShower.AnswerText("k1");
  EXPECT_EQ(driver.Request(38).result, 1);
  ExpectSteps("k1_", k1Steps);

  // 3b. Common data renames the copy; a rename onto "k1" is refused.
  fakes.listShower.AnswerText("k1_");
  fakes.dialog.Answer({{{"name", "k2"}}, {}, true});
  EXPECT_EQ(driver.Request(27).result, 1);
  ExpectSteps("k2", k1Steps);
  fakes.listShower.AnswerText("k2");
  fakes.dialog.Answer({{{"name", "k1"}}, {}, true});
  EXPECT_EQ(driver.Request(27).result, 0);
  EXPECT_EQ(LastMessage(), "Exist an object with same name");
  ASSERT_NE(editor->scene.FindObject("k2"), nullptr);

  // 3c. A point lamp from its module shows its cross in the Top view, then
  // turns about its own position.
  auto* lampModule = dynamic_cast<FakeLampModule*>(editor->FindLampModule("pointlamp"));
  ASSERT_NE(lampModule, nullptr);
  CG_PointLampDescription at;
  at.pos = Point3D(0, 0, 5);
  lampModule->nextCreate = std::make_unique<GPointLamp>("l1", nullptr, at);
  const std::vector<unsigned char> topBeforeLamp = top.Buffer();
  fakes.listShower.AnswerText("pointlamp");
  EXPECT_EQ(driver.Request(10).result, 1);
  EXPECT_NE(top.Buffer(), topBeforeLamp);
  fakes.listShower.AnswerText("l1");
  fakes.multiEdit.AnswerTexts({"0", "0", "1.5"});
  EXPECT_EQ(driver.Request(41).result, 1);
  auto* lampWrapper = dynamic_cast<GTransfLamp*>(editor->scene.FindLight("l1"));
  ASSERT_NE(lampWrapper, nullptr);
  {
    CG_TransfLampDescription d;
    lampWrapper->GetTransformList(d);
    std::vector<Step> steps;
    for (const lt_Data& step : d.steps) steps.push_back({double(step.kind), step.v[0], step.v[1], step.v[2]});
    const bool innerIsL1 = d.lamp != nullptr && d.lamp->name == "l1";
    lampWrapper->SetTransformList(d);
    EXPECT_EQ(steps, (std::vector<Step>{{0, 0, 0, -5}, {1, 0, 0, 1.5}, {0, 0, 0, 5}}));
    EXPECT_TRUE(innerIsL1);
  }

  // 4. The camera refuses to be turned; its view reference point moves by dialog.
  fakes.listShower.AnswerText("camera");
  fakes.multiEdit.AnswerTexts({"", "", "90"});
  EXPECT_EQ(driver.Request(19).result, 0);
  fakes.multiEdit.AnswerTexts({"( 2 , 0 , /* z */ 1 )"});
  EXPECT_EQ(driver.Request(7).result, 1);
  // A view-up along the view-plane normal is refused.
  const Point3D vpn = editor->scene.GetViewReference().vpn;
  std::ostringstream vpnText;
  vpnText << "( " << vpn.x << " , " << vpn.y << " , " << vpn.z << " )";
  fakes.multiEdit.AnswerTexts({vpnText.str()});
  EXPECT_EQ(driver.Request(8).result, 0);
  EXPECT_EQ(LastMessage(), "VUP and VPN are parallel. Cannot change.");
  // "View general": a zero dimy is refused, then a 320 x 240 image of height 3.
  fakes.multiEdit.AnswerTexts({"320", "0", "", ""});
  driver.Request(49);
  EXPECT_EQ(LastMessage(), "dimy must be positive. Cannot change.");
  fakes.multiEdit.AnswerTexts({"320", "240", "3", ""});
  driver.Request(49);
  const RequestResult size = driver.Request(3);
  EXPECT_EQ(size.value, 320);
  EXPECT_EQ(size.value2, 240);

  // 5. Saved, a new document, the saved one opened again.
  std::filesystem::create_directory("sess");
  ASSERT_EQ(driver.Request(68, "sess/one").result, 1) << LastMessage();
  driver.Request(65);
  ASSERT_EQ(driver.Request(66, "sess/one").result, 1) << LastMessage();
  CG_GraphicObject* camera = editor->scene.GetCurrentCamera();
  ASSERT_NE(camera, nullptr);
  EXPECT_STREQ(camera->name.Text(), "camera");
  CG_ViewReference view;
  ASSERT_EQ(camera->GetView(view), 1);
  EXPECT_EQ(view.vrp, Point3D(2, 0, 1));
  EXPECT_EQ(editor->scene.GetViewReference().vrp, Point3D(2, 0, 1));
  ExpectSteps("k1", k1Steps, 1e-5);
  ExpectSteps("k2", k1Steps, 1e-5);
  EXPECT_EQ(editor->scene.FindObject("k1_"), nullptr);
  EXPECT_DOUBLE_EQ(view.umax - view.umin, 4.0);
  EXPECT_DOUBLE_EQ(view.vmax - view.vmin, 3.0);

  // 6. The camera in use deleted: nothing follows it any more.
  fakes.listShower.AnswerText("camera");
  EXPECT_EQ(driver.Request(17).result, 1);
  EXPECT_EQ(editor->scene.GetCurrentCamera(), nullptr);
  EXPECT_EQ(editor->scene.GetParam().CameraInUse.Text(), nullptr);
  for (const CG_SceneEditorItem& item : editor->items) EXPECT_STRNE(item.object->name.Text(), "camera");
  recordingPreview.calls.clear();
  EXPECT_EQ(driver.Request(24).result, 1);
  EXPECT_TRUE(TitledPreview(recordingPreview));
  ASSERT_EQ(driver.Request(68, "sess/two").result, 1) << LastMessage();
  driver.Request(65);
  ASSERT_EQ(driver.Request(66, "sess/two").result, 1) << LastMessage();
  EXPECT_EQ(editor->scene.FindObject("camera"), nullptr);
  EXPECT_EQ(editor->scene.GetCurrentCamera(), nullptr);
  ExpectSteps("k1", k1Steps, 1e-5);
}

}  // namespace
}  // namespace zavo::test
