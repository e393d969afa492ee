#include "editor/modules/camera_module.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "camera_fixture.h"

namespace zavo::test {
namespace {

using Strings = std::vector<std::string>;

// The settings of a camera made by the module, whatever the view or a
// pending click.
TEST(CameraModule, ANewCameraHasTheDefaultViewInEveryView) {
  struct Case {
    int activeView;
    bool click;
  };
  const Case cases[] = {{-1, false}, {0, false}, {1, true}, {2, true}, {3, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.activeView) + (c.click ? " click" : ""));
    CameraDocument doc;
    doc.SetBox(c.activeView < 0 ? 0 : c.activeView, {-7.3, -2.9, -4.1}, {11.6, 6.2, 3.3});
    doc.editor->activeView = c.activeView;
    doc.editor->creationClick = c.click ? 1 : 0;
    doc.editor->creationView = c.activeView;
    doc.editor->creationX = 37;
    doc.editor->creationY = 81;
    doc.Answer({});
    std::unique_ptr<CG_GraphicObject> made = doc.Module().Create(*doc.editor);
    ASSERT_NE(made, nullptr);
    auto* camera = dynamic_cast<CG_Camera*>(made.get());
    ASSERT_NE(camera, nullptr) << "no wrapper around a new camera";
    CG_CameraDescription d;
    camera->GetDescription(d);
    EXPECT_EQ(d.vrc, CG_CameraDescription().vrc);
    EXPECT_EQ(d.vrc.vrp, (Point3D{1, 1, 1}));
    EXPECT_EQ(d.vrc.vpn, (Point3D{1, 0, 0}));
    EXPECT_EQ(d.vrc.vup, (Point3D{0, 0, 1}));
    EXPECT_EQ(d.vrc.prp, (Point3D{0, 0, -1}));
    EXPECT_EQ(d.size, 0.25);
    EXPECT_EQ(d.div, 6);
    EXPECT_EQ(d.module, FindModule(doc.editor->registry.modelModules, "camera"));
    EXPECT_NE(d.module, nullptr);
    EXPECT_STREQ(made->name.Text(), "obj000001");
    ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
    EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Creating camera");
  }
}

TEST(CameraModule, CancelOrATakenNameCreatesNothing) {
  CameraDocument doc;
  doc.fakes.dialog.AnswerCancel();
  EXPECT_EQ(doc.Module().Create(*doc.editor), nullptr);
  doc.Answer({{"name", "cam2"}});
  EXPECT_EQ(doc.Module().Create(*doc.editor), nullptr);
  EXPECT_EQ(doc.fakes.system.messages.size(), 1u);
}

// "size" is applied as entered: no range check, a text that is no number reads 0.
TEST(CameraModule, ModifyingSetsTheSizeAsEntered) {
  struct Case {
    const char* text;  // null: Cancel
    double size;
  };
  const Case cases[] = {{"0.8", 0.8}, {"-1.3", -1.3}, {"0", 0.0}, {"big", 0.0}, {nullptr, 0.25}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text != nullptr ? c.text : "cancel");
    CameraDocument doc;
    if (c.text != nullptr) {
      doc.Answer({{"size", c.text}});
    } else {
      doc.fakes.dialog.AnswerCancel();
    }
    CG_GraphicObject* answer = doc.Module().Modify(*doc.editor, *doc.cam2, 0);
    EXPECT_EQ(answer, c.text != nullptr ? doc.cam2 : nullptr);
    EXPECT_DOUBLE_EQ(doc.cam2->Size(), c.size);
    EXPECT_EQ(doc.ViewOf(*doc.cam2), CG_CameraDescription().vrc);
    ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
    EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Modifing camera");
    EXPECT_EQ(doc.fakes.dialog.calls[0].tree, Strings{"Edit_obj size = 0.25"});
  }
}

TEST(CameraModule, OffersSetAndGeneralAndSitsAtTheTopOfTheCreationTree) {
  CameraDocument doc;
  Seq<charString> names;
  EXPECT_EQ(doc.Module().SpecialNames(*doc.editor, names, *doc.cam2), 1);
  ASSERT_EQ(names.Count(), 2u);
  EXPECT_STREQ(names[0].Text(), "Set");
  EXPECT_STREQ(names[1].Text(), "General");
  doc.Module().Info(names);
  ASSERT_EQ(names.Count(), 1u);
  EXPECT_STREQ(names[0].Text(), "camera");
}

// "General" on cam2, which is not the camera in use: the scene's image size
// and cam2's prp and window change; a size below 1 by 1 is refused.
TEST(CameraModule, GeneralSetsImageSizeWindowAndFocalDistance) {
  struct Case {
    const char* what;
    Strings typed;  // empty: Cancel
    int answer;
    int dimx, dimy;
    double prpZ, umax, vmax;
    bool refused;
  };
  CameraDocument probe;
  const int dimx0 = probe.editor->scene.GetDimX();
  const int dimy0 = probe.editor->scene.GetDimY();
  const double w0 = 2.0 / dimy0 * dimx0;
  const Case cases[] = {
      {"all four", {"640", "480", "3", "5"}, 1, 640, 480, -5, 2, 1.5, false},
      {"dimx truncated", {"799.9", "", "", ""}, 1, 799, dimy0, -1, 2.0 / dimy0 * 799 / 2, 1, false},
      {"empty fields keep", {"", "", "", ""}, 1, dimx0, dimy0, -1, w0 / 2, 1, false},
      {"dimy 0", {"640", "0", "3", "5"}, 0, dimx0, dimy0, -1, 1, 1, true},
      {"dimx 0", {"0", "480", "3", "5"}, 0, dimx0, dimy0, -1, 1, 1, true},
      {"dimy not a number", {"640", "tall", "3", "5"}, 0, dimx0, dimy0, -1, 1, 1, true},
      {"cancel", {}, 0, dimx0, dimy0, -1, 1, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CameraDocument doc;
    CG_GraphicObject* inUse = doc.editor->scene.GetCurrentCamera();
    const CG_ViewReference inUseView = doc.ViewOf(*inUse);
    if (c.typed.empty()) {
      doc.fakes.multiEdit.AnswerCancel();
    } else {
      doc.fakes.multiEdit.AnswerTexts(c.typed);
    }
    CG_GraphicObject* object = doc.cam2;
    EXPECT_EQ(doc.Module().RunSpecial(*doc.editor, 1, object, nullptr), c.answer);
    EXPECT_EQ(object, doc.cam2);
    ASSERT_EQ(doc.fakes.multiEdit.calls.size(), 1u);
    const FakeMultiEdit::Call& call = doc.fakes.multiEdit.calls[0];
    EXPECT_EQ(call.title, "View general");
    EXPECT_EQ(call.labels, (Strings{"dimx", "dimy", "high", "focald"}));
    EXPECT_EQ(call.texts, (Strings{std::to_string(dimx0), std::to_string(dimy0), "2", "1"}));

    EXPECT_EQ(doc.editor->scene.GetDimX(), c.dimx);
    EXPECT_EQ(doc.editor->scene.GetDimY(), c.dimy);
    const CG_ViewReference v = doc.ViewOf(*doc.cam2);
    EXPECT_EQ(v.prp, (Point3D{0, 0, c.prpZ}));
    EXPECT_DOUBLE_EQ(v.umax, c.umax);
    EXPECT_DOUBLE_EQ(v.umin, -c.umax);
    EXPECT_DOUBLE_EQ(v.vmax, c.vmax);
    EXPECT_DOUBLE_EQ(v.vmin, -c.vmax);
    EXPECT_EQ(v.vrp, (Point3D{1, 1, 1}));
    EXPECT_EQ(v.vpn, (Point3D{1, 0, 0}));
    EXPECT_EQ(v.vup, (Point3D{0, 0, 1}));
    EXPECT_EQ(doc.fakes.system.messages,
              c.refused ? Strings{"dimx and dimy must be at least 1."} : Strings{});
    // The camera in use is neither changed nor replaced.
    EXPECT_EQ(doc.editor->scene.GetCurrentCamera(), inUse);
    EXPECT_EQ(doc.ViewOf(*inUse), inUseView);
  }
}

TEST(CameraModule, SetMakesTheCameraTheOneInUse) {
  CG_ViewReference aside = CG_CameraDescription().vrc;
  aside.vrp = Point3D{-3.7, 2.2, 1.9};
  CameraDocument doc(&aside);
  CG_GraphicObject* object = doc.cam2;
  EXPECT_EQ(doc.Module().RunSpecial(*doc.editor, 2, object, nullptr), 0);
  EXPECT_STREQ(doc.editor->scene.GetParam().CameraInUse.Text(), "camera");

  EXPECT_EQ(doc.Module().RunSpecial(*doc.editor, 0, object, nullptr), 1);
  EXPECT_EQ(doc.editor->scene.GetCurrentCamera(), doc.cam2);
  EXPECT_STREQ(doc.editor->scene.GetParam().CameraInUse.Text(), "cam2");
  // The views are drawn from cam2's view now.
  EXPECT_EQ(doc.editor->scene.GetViewReference(), aside);
}

// Through the editor's special-command request, which takes the camera out
// of the scene while the command runs: "Set" still sticks.
TEST(CameraModule, SetThroughTheSpecialCommandSticks) {
  CameraDocument doc;
  doc.fakes.listShower.AnswerText("Set");
  EXPECT_EQ(doc.editor->RunSpecialCommand("cam2"), 1);
  CG_GraphicObject* cam2 = doc.editor->scene.FindObject("cam2");
  ASSERT_NE(cam2, nullptr);
  EXPECT_EQ(doc.editor->scene.GetCurrentCamera(), cam2);
  EXPECT_STREQ(doc.editor->scene.GetParam().CameraInUse.Text(), "cam2");
  EXPECT_NE(doc.editor->FindItem(cam2), nullptr);
}

// The transform commands leave a camera alone, without a message.
TEST(CameraModule, TranslateRotateAndScaleDoNothingToACamera) {
  using Command = int (CG_GraphicEditor::*)();
  const Command commands[] = {&CG_GraphicEditor::TranslateObject, &CG_GraphicEditor::RotateObject,
                              &CG_GraphicEditor::ScaleObject};
  for (Command command : commands) {
    CameraDocument doc;
    EXPECT_EQ(doc.Module().MayTransform(), 0);
    doc.fakes.listShower.AnswerText("cam2");
    doc.fakes.multiEdit.AnswerTexts({"2.5", "1.5", "0.7"});
    EXPECT_EQ(((*doc.editor).*command)(), 0);
    CG_GraphicObject* cam2 = doc.editor->scene.FindObject("cam2");
    EXPECT_EQ(cam2, doc.cam2) << "not wrapped in a transf";
    EXPECT_EQ(doc.ViewOf(*cam2), CG_CameraDescription().vrc);
    EXPECT_TRUE(doc.fakes.system.messages.empty());
    EXPECT_EQ(doc.editor->modified, 0);
  }
}

}  // namespace
}  // namespace zavo::test
