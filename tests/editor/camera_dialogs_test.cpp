// The dialogs that edit the camera view record (requests 5 to 9 and 49):
// texts shown and read, refusals, the image size, the overlay around a change
// and the camera in use that follows every edit.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "document_fixture.h"
#include "editor/graphic_editor.h"
#include "editor/layers.h"
#include "editor_fakes.h"
#include "models/core/camera.h"
#include "scene/view_reference.h"

namespace zavo::test {
namespace {

// A document with a Top view, the fakes attached and the camera in use
// looking down -z from above the origin.
struct Document {
  Document() : editor(CG_GraphicEditor::Create(0)), driver(*editor) {
    fakes.AttachTo(*editor);
    editor->options.UseUndo = 0;  // an unnamed document would show "No name.Cannot undo."
    editor->SetView(0, &top, 2);
    record.vrp = {1.25, -0.75, 0.5};
    record.vpn = {0, 0, 2};
    record.vup = {0, 1, 0};
    record.prp = {0, 0, -4};
    record.umin = -1.5;
    record.umax = 1.5;
    record.vmin = -1;
    record.vmax = 1;
    Camera()->SetView(record);
  }

  CG_GraphicObject* Camera() const { return editor->scene.GetCurrentCamera(); }
  CG_ViewReference CameraView() const {
    CG_ViewReference view;
    EXPECT_EQ(Camera()->GetView(view), 1);
    return view;
  }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  EditorDriver driver;
  RecordingWireFrameImage top{120, 80};
  CG_ViewReference record;
};

template <class T>
long CountOf(const DblList<T>& list) {
  long n = 0;
  for (const T& entry : list) {
    (void)entry;
    ++n;
  }
  return n;
}

void ExpectPoint(const Point3D& got, const Point3D& want) {
  EXPECT_DOUBLE_EQ(got.x, want.x);
  EXPECT_DOUBLE_EQ(got.y, want.y);
  EXPECT_DOUBLE_EQ(got.z, want.z);
}

TEST(CameraDialogs, PointDialogs) {
  struct Case {
    const char* what;
    int request;
    const char* title;
    const char* shown;
    std::optional<std::string> answer;  // none: cancel
    int result;
    Point3D CG_ViewReference::*field;
    Point3D stored;                      // the field afterwards
    std::vector<std::string> messages;
  };
  const std::vector<std::string> none;
  const std::vector<std::string> parallel{"VUP and VPN are parallel. Cannot change."};
  const Case cases[] = {
      {"VRP with a comment", 7, "VRP", "( 1.25 , -0.75 , 0.5 )", "( 2 , 0 , /* z */ 1 )", 1, &CG_ViewReference::vrp,
       {2, 0, 1}, none},
      {"PRP over lines", 5, "PRP", "( 0 , 0 , -4 )", "(0.5,\n// eye\n 0.25 ,-3.5e0 )", 1, &CG_ViewReference::prp,
       {0.5, 0.25, -3.5}, none},
      {"numbers without parentheses", 5, "PRP", "( 0 , 0 , -4 )", "1 2 3", 0, &CG_ViewReference::prp, {0, 0, -4},
       none},
      {"a missing number", 7, "VRP", "( 1.25 , -0.75 , 0.5 )", "( 1 , , 3 )", 0, &CG_ViewReference::vrp,
       {1.25, -0.75, 0.5}, none},
      {"a number too large", 7, "VRP", "( 1.25 , -0.75 , 0.5 )", "( 1e999 , 0 , 0 )", 0, &CG_ViewReference::vrp,
       {1.25, -0.75, 0.5}, none},
      {"empty text", 7, "VRP", "( 1.25 , -0.75 , 0.5 )", "", 0, &CG_ViewReference::vrp, {1.25, -0.75, 0.5}, none},
      {"cancel", 7, "VRP", "( 1.25 , -0.75 , 0.5 )", std::nullopt, 0, &CG_ViewReference::vrp, {1.25, -0.75, 0.5},
       none},
      {"VUP along VPN", 8, "VUP", "( 0 , 1 , 0 )", "( 0 , 0 , -3 )", 0, &CG_ViewReference::vup, {0, 1, 0}, parallel},
      {"VUP zero", 8, "VUP", "( 0 , 1 , 0 )", "( 0 , 0 , 0 )", 0, &CG_ViewReference::vup, {0, 1, 0}, parallel},
      {"VUP not perpendicular", 8, "VUP", "( 0 , 1 , 0 )", "( 1 , 1 , 1 )", 1, &CG_ViewReference::vup, {1, 1, 1},
       none},
      {"VPN along VUP", 6, "VPN", "( 0 , 0 , 2 )", "( 0 , 2.5 , 0 )", 0, &CG_ViewReference::vpn, {0, 0, 2},
       parallel},
      {"VPN zero", 6, "VPN", "( 0 , 0 , 2 )", "( 0 , 0 , 0 )", 0, &CG_ViewReference::vpn, {0, 0, 2}, parallel},
      {"VPN turned", 6, "VPN", "( 0 , 0 , 2 )", "( 0 , -1 , 1 )", 1, &CG_ViewReference::vpn, {0, -1, 1}, none},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Document doc;
    if (c.answer) {
      doc.fakes.multiEdit.AnswerTexts({*c.answer});
    } else {
      doc.fakes.multiEdit.AnswerCancel();
    }
    EXPECT_EQ(doc.driver.Request(c.request).result, c.result);
    ASSERT_EQ(doc.fakes.multiEdit.calls.size(), 1U);
    EXPECT_EQ(doc.fakes.multiEdit.calls[0].title, c.title);
    EXPECT_EQ(doc.fakes.multiEdit.calls[0].labels, std::vector<std::string>{c.title});
    EXPECT_EQ(doc.fakes.multiEdit.calls[0].texts, std::vector<std::string>{c.shown});
    EXPECT_EQ(doc.fakes.system.messages, c.messages);
    // The camera in use and the scene's record agree and hold the result.
    ExpectPoint(doc.CameraView().*c.field, c.stored);
    ExpectPoint(doc.editor->scene.GetViewReference().*c.field, c.stored);
    EXPECT_EQ(doc.editor->modified, c.result);
  }
}

TEST(CameraDialogs, TheNewDocumentShowsItsDefaultCamera) {
  // The scene's own record is a fresh one; the dialogs show the camera in use.
  auto editor = CG_GraphicEditor::Create(0);
  EditorFakes fakes;
  fakes.AttachTo(*editor);
  editor->options.UseUndo = 0;
  EditorDriver driver(*editor);
  fakes.multiEdit.AnswerTexts({"( 2 , 0 , /* z */ 1 )"});
  fakes.multiEdit.AnswerTexts({"( 1 , 0 , 0 )"});
  fakes.multiEdit.AnswerTexts({"320", "0", "", ""});
  fakes.multiEdit.AnswerTexts({"320", "240", "3", ""});
  EXPECT_EQ(driver.Request(7).result, 1);
  EXPECT_EQ(driver.Request(8).result, 0);
  EXPECT_EQ(driver.Request(49).result, 0);
  EXPECT_EQ(driver.Request(49).result, 0);
  ASSERT_EQ(fakes.multiEdit.calls.size(), 4U);
  EXPECT_EQ(fakes.multiEdit.calls[0].texts, std::vector<std::string>{"( 1 , 1 , 1 )"});
  EXPECT_EQ(fakes.multiEdit.calls[1].texts, std::vector<std::string>{"( 0 , 0 , 1 )"});
  EXPECT_EQ(fakes.multiEdit.calls[2].texts, (std::vector<std::string>{"100", "100", "2", "1"}));
  EXPECT_EQ(fakes.multiEdit.calls[3].texts, (std::vector<std::string>{"100", "100", "2", "1"}));
  EXPECT_EQ(fakes.system.messages, (std::vector<std::string>{"VUP and VPN are parallel. Cannot change.",
                                                             "dimy must be positive. Cannot change."}));
  CG_ViewReference view;
  ASSERT_EQ(editor->scene.GetCurrentCamera()->GetView(view), 1);
  ExpectPoint(view.vrp, {2, 0, 1});
  ExpectPoint(view.vup, {0, 0, 1});
  ExpectPoint(view.prp, {0, 0, -1});
  EXPECT_DOUBLE_EQ(view.umin, -2);
  EXPECT_DOUBLE_EQ(view.umax, 2);
  EXPECT_DOUBLE_EQ(view.vmin, -1.5);
  EXPECT_DOUBLE_EQ(view.vmax, 1.5);
  EXPECT_EQ(editor->scene.GetViewReference(), view);
  const RequestResult size = driver.Request(3);
  EXPECT_EQ(size.value, 320);
  EXPECT_EQ(size.value2, 240);
}

TEST(CameraDialogs, NothingWhileAMouseOperationRuns) {
  for (int request : {5, 6, 7, 8, 9, 49}) {
    SCOPED_TRACE(request);
    Document doc;
    doc.editor->mouseMode = 9;
    doc.fakes.multiEdit.AnswerTexts({"( 1 , 2 , 3 )"});
    EXPECT_EQ(doc.driver.Request(request).result, 0);
    EXPECT_TRUE(doc.fakes.multiEdit.calls.empty());
    EXPECT_TRUE(doc.top.calls.empty());
    EXPECT_EQ(doc.CameraView(), doc.record);
  }
}

TEST(CameraDialogs, WindowStoresTheValuesAsTyped) {
  Document doc;
  doc.fakes.multiEdit.AnswerTexts({"2.5", "-1.25x", "abc", ""});
  EXPECT_EQ(doc.driver.Request(9).result, 1);
  ASSERT_EQ(doc.fakes.multiEdit.calls.size(), 1U);
  const FakeMultiEdit::Call& call = doc.fakes.multiEdit.calls[0];
  EXPECT_EQ(call.title, "Window");
  EXPECT_EQ(call.labels, (std::vector<std::string>{"Umin", "Umax", "Vmin", "Vmax"}));
  EXPECT_EQ(call.texts, (std::vector<std::string>{"-1.5", "1.5", "-1", "1"}));
  // umin above umax is kept; no number gives 0.
  const CG_ViewReference view = doc.CameraView();
  EXPECT_EQ(view.umin, 2.5);
  EXPECT_EQ(view.umax, -1.25);
  EXPECT_EQ(view.vmin, 0.0);
  EXPECT_EQ(view.vmax, 0.0);
  EXPECT_EQ(doc.editor->scene.GetViewReference(), view);
  EXPECT_EQ(doc.editor->modified, 1);

  Document cancelled;
  cancelled.fakes.multiEdit.AnswerCancel();
  EXPECT_EQ(cancelled.driver.Request(9).result, 0);
  EXPECT_EQ(cancelled.CameraView(), cancelled.record);
  EXPECT_EQ(cancelled.editor->modified, 0);
}

TEST(CameraDialogs, ViewGeneral) {
  struct Case {
    const char* what;
    std::vector<std::string> answer;
    int dimx, dimy;
    double umin, umax, vmin, vmax;
    Point3D prp;
    std::vector<std::string> messages;
  };
  // Shown: the image 100 x 100, high 2 (vmax - vmin), focald 4 (-prp.z).
  const std::vector<std::string> none;
  const std::vector<std::string> refused{"dimy must be positive. Cannot change."};
  const Case cases[] = {
      {"image 200 x 100", {"200", "100", "2", "5"}, 200, 100, -2, 2, -1, 1, {0, 0, -5}, none},
      {"empty fields keep their values", {"320", "240", "3", ""}, 320, 240, -2, 2, -1.5, 1.5, {0, 0, -4}, none},
      {"all empty", {"", "", "", ""}, 100, 100, -1, 1, -1, 1, {0, 0, -4}, none},
      {"dimx truncated", {"150.9", "", "", ""}, 150, 100, -1.5, 1.5, -1, 1, {0, 0, -4}, none},
      {"dimy 0", {"320", "0", "", ""}, 100, 100, -1.5, 1.5, -1, 1, {0, 0, -4}, refused},
      {"dimy 0.5", {"320", "0.5", "", ""}, 100, 100, -1.5, 1.5, -1, 1, {0, 0, -4}, refused},
      {"dimy negative", {"320", "-240", "3", "2"}, 100, 100, -1.5, 1.5, -1, 1, {0, 0, -4}, refused},
      {"dimy not a number", {"320", "abc", "", ""}, 100, 100, -1.5, 1.5, -1, 1, {0, 0, -4}, refused},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Document doc;
    doc.fakes.multiEdit.AnswerTexts(c.answer);
    EXPECT_EQ(doc.driver.Request(49).result, 0);
    ASSERT_EQ(doc.fakes.multiEdit.calls.size(), 1U);
    const FakeMultiEdit::Call& call = doc.fakes.multiEdit.calls[0];
    EXPECT_EQ(call.title, "View general");
    EXPECT_EQ(call.labels, (std::vector<std::string>{"dimx", "dimy", "high", "focald"}));
    EXPECT_EQ(call.texts, (std::vector<std::string>{"100", "100", "2", "4"}));
    EXPECT_EQ(doc.fakes.system.messages, c.messages);
    const RequestResult size = doc.driver.Request(3);
    EXPECT_EQ(size.value, c.dimx);
    EXPECT_EQ(size.value2, c.dimy);
    const CG_ViewReference view = doc.CameraView();
    EXPECT_DOUBLE_EQ(view.umin, c.umin);
    EXPECT_DOUBLE_EQ(view.umax, c.umax);
    EXPECT_DOUBLE_EQ(view.vmin, c.vmin);
    EXPECT_DOUBLE_EQ(view.vmax, c.vmax);
    ExpectPoint(view.prp, c.prp);
    EXPECT_EQ(doc.editor->scene.GetViewReference(), view);
    EXPECT_EQ(doc.editor->modified, c.messages.empty() ? 1 : 0);
  }
}

TEST(CameraDialogs, ViewGeneralPaintsThePreviewAgain) {
  Document doc;
  RecordingWireFrameImage preview{160, 120};
  doc.editor->SetView(1, &preview, 1);
  doc.fakes.multiEdit.AnswerTexts({"160", "120", "", ""});
  doc.driver.Request(49);
  // Filled with the background, then painted with its title (the camera's name).
  const auto fill = std::find(preview.calls.begin(), preview.calls.end(), "Fill 255 255 255");
  ASSERT_NE(fill, preview.calls.end());
  EXPECT_NE(std::find_if(fill, preview.calls.end(), [](const std::string& call) { return call.rfind("DrawText camera", 0) == 0; }),
            preview.calls.end());
  // The Top view is not painted again: the overlay is erased and drawn, the camera moved.
  for (const std::string& call : doc.top.calls) EXPECT_EQ(call.rfind("Fill", 0), std::string::npos) << call;
}

TEST(CameraDialogs, TheOverlayIsErasedWithTheOldRecordAndDrawnWithTheNew) {
  Document doc;
  // What the overlay of a record looks like in a fresh Top view.
  const auto overlay = [](const CG_ViewReference& record, bool erase) {
    Document other;
    other.editor->scene.GetViewReference() = record;
    if (erase) {
      other.editor->EraseViewingInView(0);
    } else {
      other.editor->DrawViewingInView(0);
    }
    return other.top.calls;
  };
  CG_ViewReference moved = doc.record;
  moved.vrp = {-2.05, 1.35, 0.5};
  doc.fakes.multiEdit.AnswerTexts({"( -2.05 , 1.35 , 0.5 )"});
  ASSERT_EQ(doc.driver.Request(7).result, 1);
  const std::vector<std::string> erased = overlay(doc.record, true);
  const std::vector<std::string> drawn = overlay(moved, false);
  ASSERT_GT(doc.top.calls.size(), erased.size() + drawn.size());
  EXPECT_EQ(std::vector<std::string>(doc.top.calls.begin(), doc.top.calls.begin() + erased.size()), erased);
  EXPECT_EQ(std::vector<std::string>(doc.top.calls.end() - drawn.size(), doc.top.calls.end()), drawn);
}

TEST(CameraDialogs, TheCameraInUseMovesWithItsItem) {
  Document doc;
  CG_GraphicObject* camera = doc.Camera();
  CG_SceneEditorItem* old = doc.editor->FindItem(camera);
  ASSERT_NE(old, nullptr);
  old->display.style = 2;
  old->display.fastview = 3;
  doc.editor->selection.Append(new CG_EObjectSelection(old));
  const long items = CountOf(doc.editor->items);

  doc.fakes.multiEdit.AnswerTexts({"( 4.5 , -3.5 , 2 )"});
  ASSERT_EQ(doc.driver.Request(7).result, 1);

  // Still the camera in use, with the new record, redrawn around the new point.
  EXPECT_EQ(doc.editor->scene.GetCurrentCamera(), camera);
  ExpectPoint(doc.CameraView().vrp, {4.5, -3.5, 2});
  CG_SceneEditorItem* item = doc.editor->FindItem(camera);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(CountOf(doc.editor->items), items);
  EXPECT_EQ(item->display.style, 2);
  EXPECT_EQ(item->display.fastview, 3);
  EXPECT_NEAR(item->centre.x, 4.5, 1e-9);
  EXPECT_NEAR(item->centre.y, -3.5, 1e-9);
  EXPECT_NEAR(item->centre.z, 2, 1e-9);
  ASSERT_EQ(CountOf(doc.editor->selection), 1);
  auto* selected = dynamic_cast<CG_EObjectSelection*>(doc.editor->selection.First());
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(selected->item, item);
  // The active layer names the new item.
  ASSERT_NE(doc.editor->activeLayer, nullptr);
  long entries = 0;
  for (const LayerItem& entry : doc.editor->activeLayer->items) entries += entry.item == item ? 1 : 0;
  EXPECT_EQ(entries, 1);
  // The camera writes the moved point.
  std::ostringstream written;
  camera->Write(written);
  EXPECT_NE(written.str().find("vrp ( 4.5 , -3.5 , 2 )"), std::string::npos) << written.str();
}

TEST(CameraDialogs, WithoutACameraInUseTheScenesRecordChanges) {
  Document doc;
  doc.editor->SetCameraInUse(nullptr);
  doc.editor->scene.GetViewReference() = doc.record;
  doc.fakes.multiEdit.AnswerTexts({"( 0.5 , 0.5 , 7 )"});
  EXPECT_EQ(doc.driver.Request(5).result, 1);
  ExpectPoint(doc.editor->scene.GetViewReference().prp, {0.5, 0.5, 7});
  // The camera object that is not in use keeps its own record.
  CG_GraphicObject* camera = doc.editor->scene.FindObject("camera");
  ASSERT_NE(camera, nullptr);
  CG_ViewReference own;
  camera->GetView(own);
  EXPECT_EQ(own, doc.record);
}

// Edits of the camera in use outlive the redraw that copies the camera's
// record over the scene's, and a save.
class CameraEditsKept : public DocumentTest {};

TEST_F(CameraEditsKept, AfterRedrawAllAndAcrossSaveAndOpen) {
  editor->options.UseUndo = 0;
  fakes.multiEdit.AnswerTexts({"( 2 , 0 , /* z */ 1 )"});
  fakes.multiEdit.AnswerTexts({"320", "240", "3", ""});
  ASSERT_EQ(driver.Request(7).result, 1);
  driver.Request(49);
  editor->RedrawAll();
  ExpectPoint(editor->scene.GetViewReference().vrp, {2, 0, 1});
  EXPECT_DOUBLE_EQ(editor->scene.GetViewReference().umax, 2);
  ASSERT_EQ(driver.Request(68, "kept").result, 1);

  auto opened = CG_GraphicEditor::Create(0);
  EditorFakes openedFakes;
  openedFakes.AttachTo(*opened);
  EditorDriver openedDriver(*opened);
  ASSERT_EQ(openedDriver.Request(66, "kept").result, 1) << LastMessage();
  CG_GraphicObject* camera = opened->scene.GetCurrentCamera();
  ASSERT_NE(camera, nullptr);
  EXPECT_STREQ(camera->name.Text(), "camera");
  CG_ViewReference view;
  ASSERT_EQ(camera->GetView(view), 1);
  ExpectPoint(view.vrp, {2, 0, 1});
  ExpectPoint(view.prp, {0, 0, -1});
  EXPECT_DOUBLE_EQ(view.umin, -2);
  EXPECT_DOUBLE_EQ(view.umax, 2);
  EXPECT_DOUBLE_EQ(view.vmin, -1.5);
  EXPECT_DOUBLE_EQ(view.vmax, 1.5);
  EXPECT_EQ(opened->scene.GetViewReference(), view);
  const RequestResult size = openedDriver.Request(3);
  EXPECT_EQ(size.value, 320);
  EXPECT_EQ(size.value2, 240);
}

}  // namespace
}  // namespace zavo::test
