// Creating, deleting and duplicating one object: what the choosers show, what
// reaches the scene, the items, the layers and the views, and the paths that
// change nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "editor_test_objects.h"
#include "foundation/runtime_error_box.h"
#include "object_command_fixture.h"

namespace zavo::test {
namespace {

constexpr const char* kBoxLines = "xmin 0; xmax 2; ymin 1; ymax 3; zmin -1; zmax 1;\n";

class ObjectCommands : public ObjectCommandTest {
protected:
  long ItemCount() const { return Count(editor->items); }
  void Show(const char* name) {
    editor->ProjectItem(Item(name));
    editor->DrawItem(Item(name));
  }
  std::string Written(const char* name) const {
    std::ostringstream out;
    editor->scene.FindObject(name)->Write(out);
    return out.str();
  }
};

TEST_F(ObjectCommands, WhileAMouseOperationRunsNoCommandStarts) {
  Read(kPartsScene);
  editor->mouseMode = 1;
  const std::string text = SceneText();
  fakes.listShower.AnswerText("b1");
  for (int request : {16, 17, 19, 20, 21, 38}) {
    SCOPED_TRACE(request);
    EXPECT_EQ(driver.Request(request).result, 0);
  }
  EXPECT_TRUE(fakes.listShower.titles.empty());
  EXPECT_TRUE(fakes.multiEdit.calls.empty());
  EXPECT_EQ(SceneText(), text);
  EXPECT_EQ(editor->modified, 0);
}

TEST_F(ObjectCommands, NewObjectListsTheTypesAndAddsWhatTheFirstModuleOfTheTypeCreates) {
  // A second module of one keyword: the first one creates.
  auto* second = new FakeObjectModule("second box");
  second->keyword = "box";
  editor->objectModules.Append(second);
  Module("box").nextCreate = Built("k1", "box", kBoxLines);
  second->nextCreate = Built("k2", "box", kBoxLines);
  const std::vector<unsigned char> topBefore = top.Buffer();

  fakes.listShower.AnswerText("box");
  EXPECT_EQ(driver.Request(16).result, 1);

  std::vector<std::string> types = Keywords(editor->objectModules);
  ASSERT_NE(std::find(types.begin(), types.end(), "group"), types.end());
  types.erase(std::find(types.begin(), types.end(), "group"));
  EXPECT_EQ(fakes.listShower.titles, std::vector<std::string>{"Select an object type"});
  EXPECT_EQ(fakes.listShower.shown.back(), types);
  EXPECT_EQ(Module("box").log.calls, std::vector<std::string>{"Create"});
  EXPECT_TRUE(second->log.calls.empty());

  CG_SceneEditorItem* item = Item("k1");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(editor->scene.FindObject("k2"), nullptr);
  EXPECT_NEAR(item->centre.x, 1, 1e-12);
  EXPECT_NEAR(item->centre.y, 2, 1e-12);
  EXPECT_NEAR(item->centre.z, 0, 1e-12);
  EXPECT_TRUE(editor->FindLayer("default")->Holds(item));
  EXPECT_GT(item->vertices[0].Count(), 0U);
  EXPECT_NE(top.Buffer(), topBefore) << "drawn in the Top view";
  EXPECT_EQ(editor->modified, 1);
}

TEST_F(ObjectCommands, NewObjectThatIsNotMadeOrWhoseNameIsTakenChangesNothing) {
  struct Case {
    const char* what;
    bool choose;
    const char* made;  // the name of what Create answers; null: nothing
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"chooser cancelled", false, "k1", {}},
      {"the module creates nothing", true, nullptr, {"Create"}},
      {"the name is taken", true, "camera", {"Create"}},
  };
  CG_GraphicObject* camera = editor->scene.FindObject("camera");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeObjectModule& sphere = Module("sphere");
    sphere.log.calls.clear();
    if (c.made != nullptr) {
      // An object of a taken name cannot come from the scene reader.
      auto box = std::make_unique<EditorTestObject>(c.made);
      box->faced = 1;
      sphere.nextCreate = std::move(box);
    }
    if (c.choose) {
      fakes.listShower.AnswerText("sphere");
    } else {
      fakes.listShower.AnswerCancel();
    }
    const std::string text = SceneText();
    const long items = ItemCount();
    const int live = EditorTestObject::live;
    EXPECT_EQ(driver.Request(16).result, 0);
    EXPECT_EQ(sphere.log.calls, c.calls);
    EXPECT_EQ(SceneText(), text);
    EXPECT_EQ(ItemCount(), items);
    EXPECT_EQ(editor->scene.FindObject("camera"), camera);
    EXPECT_EQ(editor->modified, 0);
    if (c.choose && c.made != nullptr) {
      EXPECT_EQ(EditorTestObject::live, live - 1) << "the refused object is destroyed";
    }
    sphere.nextCreate.reset();
  }
}

TEST_F(ObjectCommands, DeleteTakesTheSelectedObjectOutOfEverything) {
  Read(kPartsScene);
  Show("b1");
  Layer* walls = editor->NewLayer("walls");
  walls->Add(Item("b1"));
  editor->selection.Append(new CG_EObjectSelection(Item("b1")));
  editor->selection.Append(new CG_EObjectSelection(Item("b2")));
  const std::vector<unsigned char> topBefore = top.Buffer();
  const long items = ItemCount();

  EXPECT_EQ(driver.Request(17).result, 1);
  EXPECT_TRUE(fakes.listShower.titles.empty()) << "the selection names the object";
  EXPECT_EQ(editor->scene.FindObject("b1"), nullptr);
  EXPECT_NE(Item("b2"), nullptr);
  EXPECT_EQ(ItemCount(), items - 1);
  for (const CG_SceneEditorItem& item : editor->items) EXPECT_STRNE(item.object->name.Text(), "b1");
  EXPECT_EQ(Count(walls->items), 0);
  EXPECT_EQ(Count(editor->selection), 0);
  EXPECT_NE(top.Buffer(), topBefore) << "erased from the Top view";
  EXPECT_EQ(editor->modified, 1);
}

TEST_F(ObjectCommands, DeletingTheCameraInUseLeavesNoCameraInUse) {
  RecordingWireFrameImage recordingPreview(120, 80);
  editor->SetView(3, &recordingPreview, 1);
  ASSERT_NE(editor->scene.GetCurrentCamera(), nullptr);
  ASSERT_STREQ(editor->scene.GetParam().CameraInUse.Text(), "camera");

  fakes.listShower.AnswerText("camera");
  EXPECT_EQ(driver.Request(17).result, 1);
  EXPECT_EQ(fakes.listShower.titles, std::vector<std::string>{"Select an object"});
  EXPECT_EQ(editor->scene.FindObject("camera"), nullptr);
  EXPECT_EQ(editor->scene.GetCurrentCamera(), nullptr);
  EXPECT_EQ(editor->scene.GetParam().CameraInUse.Text(), nullptr);

  // Nothing follows the destroyed camera: the Preview is titled without one,
  // and a save names no camera in use that a new object could take over.
  editor->RedrawAll();
  recordingPreview.calls.clear();
  EXPECT_EQ(driver.Request(24).result, 1);
  EXPECT_NE(std::find_if(recordingPreview.calls.begin(), recordingPreview.calls.end(),
                         [](const std::string& call) { return call.rfind("DrawText Preview ", 0) == 0; }),
            recordingPreview.calls.end());
  EXPECT_EQ(SceneText().find("CameraInUse"), std::string::npos);
  Read("{ object name camera; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1; } }\n.\n");
  EXPECT_EQ(editor->scene.GetCurrentCamera(), nullptr);
}

TEST_F(ObjectCommands, DeleteThatFindsNoObjectChangesNothing) {
  Read(kPartsScene);
  const std::string text = SceneText();
  const long items = ItemCount();
  fakes.listShower.AnswerCancel();
  EXPECT_EQ(driver.Request(17).result, 0);
  EXPECT_EQ(editor->DeleteObjectNamed("nothing"), 1);
  EXPECT_EQ(SceneText(), text);
  EXPECT_EQ(ItemCount(), items);
  EXPECT_EQ(editor->modified, 0);
}

TEST_F(ObjectCommands, DuplicateAddsACopyUnderTheFirstFreeNameWithDefaultSettings) {
  Read("{ object name ball; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
       "{ object name ball_; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1; } }\n"
       "{ object name w; model { transf t ( 1 , 2 , 3 );\n"
       "  { object name inner; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } } } }\n"
       ".\n");
  struct Case {
    const char* original;
    const char* copy;
    double centreX;
  };
  const Case cases[] = {{"ball", "ball__", 3.1}, {"w", "w_", 4.1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.original);
    Item(c.original)->display = IntTriple{2, 0, 5};
    editor->modified = 0;
    fakes.listShower.AnswerText(c.original);
    EXPECT_EQ(driver.Request(38).result, 1);
    CG_SceneEditorItem* item = Item(c.copy);
    ASSERT_NE(item, nullptr);
    EXPECT_NE(item->object, editor->scene.FindObject(c.original));
    EXPECT_EQ(item->display.style, 0);
    EXPECT_EQ(item->display.centre, 1);
    EXPECT_EQ(item->display.fastview, 1);
    EXPECT_NEAR(item->centre.x, c.centreX, 1e-12);
    EXPECT_TRUE(editor->activeLayer->Holds(item));
    EXPECT_GT(item->vertices[0].Count(), 0U);
    EXPECT_EQ(editor->modified, 1);
    // The copy is the original under another name.
    std::string expected = Written(c.original);
    const std::string originalName = std::string("name ") + c.original + ";";
    expected.replace(expected.find(originalName), originalName.size(), std::string("name ") + c.copy + ";");
    EXPECT_EQ(Written(c.copy), expected);
  }
}

TEST_F(ObjectCommands, AnObjectWithoutACloneIsNotDuplicated) {
  auto odd = std::make_unique<EditorTestObject>("odd");
  odd->faced = 1;
  ASSERT_EQ(editor->scene.AddObject(std::move(odd)), 1);
  const std::string text = SceneText();
  EXPECT_EQ(editor->DuplicateObject("odd"), 0);
  EXPECT_EQ(LastMessage(), "Cannot duplicate that object");
  EXPECT_EQ(editor->scene.FindObject("odd_"), nullptr);
  EXPECT_EQ(SceneText(), text);
  EXPECT_EQ(editor->modified, 0);
}

TEST_F(ObjectCommands, DuplicatingANameTheSceneDoesNotHaveIsAnInternalError) {
  EXPECT_EXIT(editor->DuplicateObject("nothing"), testing::ExitedWithCode(1), "Runtime Error: non qui");
}

}  // namespace
}  // namespace zavo::test
