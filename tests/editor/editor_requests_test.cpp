// The request dispatcher: the requests this document serves itself, the
// guards against values that would index past the views, and a document
// whose window-side interfaces were never set.

#include <gtest/gtest.h>

#include <algorithm>

#include <fstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "editor/graphic_editor.h"
#include "editor_fakes.h"
#include "models/core/camera.h"

namespace zavo::test {
namespace {

class EditorRequests : public ::testing::Test {
protected:
  EditorRequests() : editor(CG_GraphicEditor::Create(0)), driver(*editor) { fakes.AttachTo(*editor); }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  EditorDriver driver;
};

TEST_F(EditorRequests, RequestAnswersTable) {
  editor->GetScene()->SetDimX(320);
  editor->GetScene()->SetDimY(180);
  struct Step {
    int code;
    int value;
    int wantValue;   // -1000: not checked
    int wantValue2;  // -1000: not checked
    int wantActiveView;
  };
  const Step steps[] = {
      {3, 0, 320, 180, -1},       // the image size of the render parameters
      {78, 2, -1000, -1000, 2},   // a view becomes active
      {74, 0, 2, -1000, 2},
      {78, 4, -1000, -1000, 2},   // no such view: ignored
      {78, -2, -1000, -1000, 2},  // ignored
      {74, 0, 2, -1000, 2},
      {78, -1, -1000, -1000, -1},  // no active view
      {74, 0, -1, -1000, -1},
      {0, 5, 5, 0, -1},            // codes outside the table change nothing
      {87, 5, 5, 0, -1},
      {-5, 5, 5, 0, -1},
      {76, 9, 0, -1000, -1},       // not modified
      {50, 0, 1, -1000, -1},       // a command may start
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.code);
    const RequestResult r = driver.Request(s.code, nullptr, s.value);
    if (s.code == 0 || s.code == 87 || s.code == -5) { EXPECT_EQ(r.result, 0); }
    if (s.wantValue != -1000) { EXPECT_EQ(r.value, s.wantValue); }
    if (s.wantValue2 != -1000) { EXPECT_EQ(r.value2, s.wantValue2); }
    EXPECT_EQ(editor->activeView, s.wantActiveView);
  }
  EXPECT_EQ(editor->animationOn, 0);
  driver.Request(77, nullptr, 1);
  EXPECT_EQ(editor->animationOn, 1);
  editor->mouseMode = 3;
  EXPECT_EQ(driver.Request(50).value, 0);
}

TEST_F(EditorRequests, ObjectEditingTogglesWithItsStatusTexts) {
  driver.Request(84);
  EXPECT_EQ(editor->objectEditing, 0);
  driver.Request(84);
  EXPECT_EQ(editor->objectEditing, 1);
  EXPECT_EQ(fakes.system.statuses, (std::vector<std::string>{"Object editing disabled", "Object editing enabled"}));
}

TEST_F(EditorRequests, PathsGoToTheScene) {
  driver.Request(1, "models");
  driver.Request(2, "textures");
  EXPECT_STREQ(editor->GetScene()->GetModelPath(), "models");
  EXPECT_STREQ(editor->GetScene()->GetTexturePath(), "textures");
}

TEST_F(EditorRequests, ACancelledPRPEditAndTheRepaintsChangeNothing) {
  // The PRP field left unanswered counts as a cancel.
  EXPECT_EQ(driver.Request(5, "x").result, 0);
  EXPECT_EQ(driver.Request(23).result, 1);
  EXPECT_EQ(driver.Request(24).result, 1);
  EXPECT_NE(editor->GetScene()->FindObject("camera"), nullptr);
  EXPECT_TRUE(fakes.dialog.calls.empty());
  EXPECT_TRUE(fakes.listShower.titles.empty());
  EXPECT_EQ(editor->modified, 0);
}

TEST_F(EditorRequests, ImportEntriesReceiveTheRequestText) {
  std::vector<std::string> calls;
  EditorImportEntries entries;
  entries.TextTo3D = [&](CG_GraphicEditor&) { calls.push_back("TextTo3D"); return 5; };
  entries.CaricaFlagPolyline = [&](CG_GraphicEditor&, const char* t) { calls.push_back(std::string("dxf ") + t); return 1; };
  entries.ImportRaw = [&](CG_GraphicEditor&, const char* t) { calls.push_back(std::string("raw ") + t); return 2; };
  entries.ImportRawPoints = [&](CG_GraphicEditor&, const char* t) { calls.push_back(std::string("p3 ") + t); return 3; };
  entries.ImportRawPoints2D = [&](CG_GraphicEditor&, const char* t) { calls.push_back(std::string("p2 ") + t); return 4; };
  SetEditorImportEntries(entries);
  EXPECT_EQ(driver.Request(63).result, 0);
  EXPECT_EQ(driver.Request(70, "a.dxf").result, 1);
  EXPECT_EQ(driver.Request(71, "b.raw").result, 2);
  EXPECT_EQ(driver.Request(72, "c.raw").result, 3);
  EXPECT_EQ(driver.Request(73, "d.raw").result, 4);
  SetEditorImportEntries({});
  EXPECT_EQ(calls, (std::vector<std::string>{"TextTo3D", "dxf a.dxf", "raw b.raw", "p3 c.raw", "p2 d.raw"}));
}

TEST_F(EditorRequests, ViewsAreFilledWithTheBackgroundByMode) {
  RecordingWireFrameImage top(40, 30), front(40, 30), side(40, 30), preview(40, 30);
  editor->SetView(0, &top, 2);
  editor->SetView(1, &front, 4);
  editor->SetView(2, &side, 3);
  editor->SetView(3, &preview, 1);
  editor->SetView(4, &preview, 2);   // no such view: ignored
  editor->SetView(-1, &preview, 2);
  editor->options.Background[0] = 0.5;
  editor->options.Background[1] = 0.2;
  editor->options.Background[2] = 1.0;
  // Each filled view is painted again after its fill (here: the titles).
  const auto fills = [](const RecordingWireFrameImage& view) {
    return std::count(view.calls.begin(), view.calls.end(), std::string("Fill 127 51 255"));
  };
  driver.Request(23);
  EXPECT_EQ(top.calls, (std::vector<std::string>{"Fill 127 51 255", "DrawText Top 18 4"}));
  EXPECT_EQ(side.calls, (std::vector<std::string>{"Fill 127 51 255", "DrawText Side 12 4"}));
  EXPECT_TRUE(preview.calls.empty());
  driver.Request(24);
  EXPECT_EQ(preview.calls, (std::vector<std::string>{"Fill 127 51 255", "DrawText camera 0 4"}));
  driver.Request(36, nullptr, 1);
  driver.Request(36, nullptr, 7);    // no such view: ignored
  EXPECT_EQ(fills(front), 2);
  driver.Request(62);
  EXPECT_EQ(editor->showAxes, 1);
  EXPECT_EQ(fills(front), 3);
  EXPECT_EQ(fills(preview), 1);
}

// ---- Request 81 ----

class LibraryCamera : public EditorRequests {
protected:
  CG_CameraModule& CameraModule() {
    return *dynamic_cast<CG_CameraModule*>(FindModule(editor->registry.modelModules, "camera"));
  }
  void WriteCameraFile(const std::string& sphereName) {
    std::filesystem::create_directories(library.path() / "object");
    WriteFile(library.path() / "object" / "camera.qz",
              "{ object\n\tname __camera__;\n\tmodel { box\n\t\txmin -0.4;\n\t\txmax 0.4;\n"
              "\t\tymin -0.3;\n\t\tymax 0.3;\n\t\tzmin -0.7;\n\t\tzmax 0.7;\n\t}\n}\n"
              "{ object\n\tname " + sphereName + ";\n\tmodel { sphere\n\t\tcenter ( 1.5 , 0 , 0 );\n"
              "\t\tradius 0.35;\n\t}\n}\n.\n");
  }

  TempDir library;
};

TEST_F(LibraryCamera, CameraShapeBecomesThePrototypeAndLeavesTheScene) {
  WriteCameraFile("s");
  EXPECT_EQ(driver.Request(81, library.path().string().c_str()).result, 0);
  EXPECT_EQ(editor->GetScene()->GetLibraryDir(), library.path().string());
  ASSERT_NE(CameraModule().Prototype(), nullptr);
  EXPECT_STREQ(CameraModule().Prototype()->name.Text(), "__camera__");
  EXPECT_EQ(editor->GetScene()->FindObject("__camera__"), nullptr);
  EXPECT_NE(editor->GetScene()->FindObject("s"), nullptr);
  EXPECT_NE(editor->GetScene()->FindObject("camera"), nullptr);
}

TEST_F(LibraryCamera, SecondRequestReplacesThePrototype) {
  WriteCameraFile("s");
  driver.Request(81, library.path().string().c_str());
  const CG_GraphicObject* first = CameraModule().Prototype();
  WriteCameraFile("t");
  driver.Request(81, library.path().string().c_str());
  ASSERT_NE(CameraModule().Prototype(), nullptr);
  EXPECT_NE(CameraModule().Prototype(), first);
  EXPECT_NE(editor->GetScene()->FindObject("t"), nullptr);
  EXPECT_EQ(editor->GetScene()->FindObject("__camera__"), nullptr);
}

TEST_F(LibraryCamera, FolderWithoutTheFileLeavesNoPrototypeAndTheSceneUnchanged) {
  WriteCameraFile("s");
  driver.Request(81, library.path().string().c_str());
  TempDir empty;
  driver.Request(81, empty.path().string().c_str());
  EXPECT_EQ(CameraModule().Prototype(), nullptr);
  int objects = 0;
  for (const CG_GraphicObject& object : editor->GetScene()->GetObjects()) {
    (void)object;
    ++objects;
  }
  EXPECT_EQ(objects, 2);  // the camera and "s" of the first file
  EXPECT_STREQ(editor->GetScene()->GetLibraryDir(), empty.path().string().c_str());
}

// ---- A document without interfaces ----

TEST(EditorWithoutInterfaces, RequestsNeverReachAnUnsetInterface) {
  TempDir dir;  // the file requests write where they are told: keep it here
  ScopedCwd cwd(dir.path());
  auto editor = CG_GraphicEditor::Create(0);
  EditorDriver driver(*editor);
  for (int code = -1; code <= 88; ++code) {
    if (code == 4 || code == 61) continue;  // renders: see the start-up test
    SCOPED_TRACE(code);
    driver.Request(code, "no-such-dir", 1);
  }
  driver.LeftClick(0, 10, 10);
  driver.RightClick(1, 10, 10);
  driver.Move(2, 3, 4);
  EXPECT_EQ(editor->objectEditing, 0);  // request 84 ran without a status line
  EXPECT_NE(editor->GetScene()->FindObject("camera"), nullptr);
}

TEST(EditorWithoutInterfaces, MessagesGoToTheScenesNullInterface) {
  auto editor = CG_GraphicEditor::Create(0);
  FakeGraphicSystem system;
  editor->SetGraphicSystem(&system);
  EXPECT_EQ(&editor->GetScene()->GetInterface(), &system);
  editor->SetGraphicSystem(nullptr);
  EXPECT_NE(&editor->GetScene()->GetInterface(), &system);
  editor->Message("lost");
  EXPECT_TRUE(system.messages.empty());
}

// ---- Mouse records ----

TEST_F(EditorRequests, MouseRecordsOutsideTheViewsAreIgnored) {
  EXPECT_EQ(driver.Event(4, 1, 1, kMouseLeft | kMouseReleased, 1), 0);
  EXPECT_EQ(driver.Event(-1, 1, 1, 0, 0), 0);
  EXPECT_EQ(driver.Move(0, 5, 5), 0);
  driver.LeftClick(3, 5, 5);
  driver.RightClick(3, 5, 5);
}

}  // namespace
}  // namespace zavo::test

namespace zavo::test {
namespace {

TEST(EditorInterfaces, UnsetInterfacesAnswerAsACancel) {
  auto editor = CG_GraphicEditor::Create(0);
  Seq<charString> entries(2);
  entries[0] = "ball";
  entries[1] = "cube";
  Seq<charString> labels(1), texts(1);
  labels[0] = "name";
  texts[0] = "old";
  gcg_list controls;
  FlyMenuItem root;
  root.SetSubCount(1);
  root.Sub(0).name = "Delete";
  Seq<int> path(2);
  EXPECT_EQ(editor->ChooseFromList("Select an object", entries).Text(), nullptr);
  EXPECT_EQ(editor->EditTexts("Name", labels, texts), 0);
  EXPECT_STREQ(texts[0].Text(), "old");
  EXPECT_EQ(editor->ShowDialog("Options", controls), 0);
  EXPECT_EQ(editor->ShowFlyMenu(root, path), 0);
  EXPECT_EQ(path.Count(), 0u);
  EXPECT_EQ(editor->Ask("Save?", "zavo"), 0);
  EXPECT_EQ(editor->Poll(), 0);
  editor->SetTitle("t");
  editor->BeginWait();
  editor->EndWait();
  editor->SetStatusText("s");
}

TEST(EditorInterfaces, SetInterfacesAreUsed) {
  auto editor = CG_GraphicEditor::Create(0);
  EditorFakes fakes;
  fakes.AttachTo(*editor);
  Seq<charString> entries(2);
  entries[0] = "ball";
  entries[1] = "cube";
  fakes.listShower.AnswerIndex(1);
  EXPECT_STREQ(editor->ChooseFromList("Select an object", entries).Text(), "cube");
  EXPECT_EQ(fakes.listShower.clears, 1);
  EXPECT_EQ(fakes.listShower.shown.back(), (std::vector<std::string>{"ball", "cube"}));
  EXPECT_EQ(fakes.listShower.titles.back(), "Select an object");
  EXPECT_EQ(editor->ChooseFromList("Select an object", entries).Text(), nullptr);  // cancelled

  Seq<charString> labels(1), texts(1);
  labels[0] = "name";
  texts[0] = "old";
  fakes.multiEdit.AnswerTexts({"new"});
  EXPECT_EQ(editor->EditTexts("Name", labels, texts), 1);
  EXPECT_STREQ(texts[0].Text(), "new");

  gcg_list controls;
  controls.Append(new Edit_obj("name", "ball"));
  auto* group = new LogicalSet_obj("colour");
  group->children.Append(new Check_obj("use", 0));
  controls.Append(group);
  int pressed = 0;
  controls.Append(new Button_obj("Preview", [&](gcg_list&) { ++pressed; }));
  fakes.dialog.Answer({{{"name", "cube"}, {"colour/use", "1"}}, {"Preview"}, true});
  EXPECT_EQ(editor->ShowDialog("Options", controls), 1);
  EXPECT_EQ(fakes.dialog.calls.back().tree,
            (std::vector<std::string>{"Edit_obj name = ball", "LogicalSet_obj colour", "  Check_obj use = 0",
                                      "Button_obj Preview"}));
  EXPECT_STREQ(dynamic_cast<Edit_obj*>(FindControl(controls, "name"))->text.Text(), "cube");
  EXPECT_EQ(dynamic_cast<Check_obj*>(FindControl(group->children, "use"))->state, 1);
  EXPECT_EQ(pressed, 1);

  FlyMenuItem root;
  root.SetSubCount(2);
  root.Sub(0).name = "Delete";
  root.Sub(1).name = "Transform";
  root.Sub(1).SetSubCount(2);
  root.Sub(1).Sub(0).name = "Move";
  root.Sub(1).Sub(1).name = "Rotate";
  Seq<int> path;
  fakes.flyMenu.AnswerPath({"Transform", "Rotate"});
  EXPECT_EQ(editor->ShowFlyMenu(root, path), 1);
  ASSERT_EQ(path.Count(), 2u);
  EXPECT_EQ(path[0], 1);
  EXPECT_EQ(path[1], 1);
  EXPECT_EQ(fakes.flyMenu.menus.back(), (std::vector<std::string>{"Delete", "Transform", "  Move", "  Rotate"}));

  fakes.winSupp.askAnswers.push_back(-1);
  EXPECT_EQ(editor->Ask("Save changes?", "zavo"), -1);
  EXPECT_EQ(fakes.winSupp.questions.back(), (std::pair<std::string, std::string>{"Save changes?", "zavo"}));
  editor->BeginWait();
  editor->EndWait();
  EXPECT_EQ(fakes.winSupp.waitBalance, 0);
  editor->SetTitle("zavo - ball");
  EXPECT_EQ(fakes.winSupp.titles.back(), "zavo - ball");
}

}  // namespace
}  // namespace zavo::test
