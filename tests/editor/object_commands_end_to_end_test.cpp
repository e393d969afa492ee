// One session with the object commands, scripted as the window layer sends
// it: a box made by its module, rotated and moved by typed values, copied,
// the camera moved, the document saved and opened again, and the camera in
// use deleted.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "editor/modules/module_test_support.h"
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

  // 4. The camera refuses to be turned; its view reference point moves by dialog.
  fakes.listShower.AnswerText("camera");
  fakes.multiEdit.AnswerTexts({"", "", "90"});
  EXPECT_EQ(driver.Request(19).result, 0);
  fakes.multiEdit.AnswerTexts({"( 2 , 0 , /* z */ 1 )"});
  EXPECT_EQ(driver.Request(7).result, 1);

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
  ExpectSteps("k1_", k1Steps, 1e-5);

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
