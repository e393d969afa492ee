// Requests 18 and 39: an object changed by its editor module (Modify, the
// special commands and an interactive special command that ends with
// ReplaceEditedObject): the object leaves the scene while the module works
// and comes back with its display settings, layer place, selection, transf
// and camera-in-use state.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "models/core/camera.h"
#include "object_modify_fixture.h"
#include "scene/view_reference.h"

namespace zavo::test {
namespace {

using ModifyAndSpecial = ObjectEditTest;

// The chooser's answers for the request: the object (none: the selection
// chooses) and, for 39, the module's one special command "only".
void Script(ScriptedObjectModule& module, FakeListShower& chooser, int request, const char* object) {
  if (object != nullptr) chooser.AnswerText(object);
  if (request == 39) {
    module.specialNames = {"only"};
    chooser.AnswerText("only");
  }
}

TEST_F(ModifyAndSpecial, AnObjectWithoutAModuleIsLeftAlone) {
  auto unnamed = std::make_unique<EditorTestObject>("nokey");
  unnamed->faced = 1;
  Add(std::move(unnamed));
  Add(std::make_unique<ProbeObject>("probe1"));
  struct Case {
    int request;
    const char* object;
    const char* message;
  };
  const Case cases[] = {
      {18, "nokey", "Can' t find the module name of the object."},
      {18, "probe1", "Can' t find the module of the object."},
      {39, "nokey", "Can' t find the module name of the object."},
      {39, "probe1", "Can' t find the module of the object."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.request) + " " + c.object);
    CG_GraphicObject* object = editor->scene.FindObject(c.object);
    CG_SceneEditorItem* item = Item(c.object);
    fakes.listShower.AnswerText(c.object);
    EXPECT_EQ(driver.Request(c.request).result, 0);
    EXPECT_EQ(LastMessage(), c.message);
    EXPECT_EQ(editor->scene.FindObject(c.object), object);
    EXPECT_EQ(Item(c.object), item);
    EXPECT_EQ(editor->modified, 0);
  }
  EXPECT_TRUE(module->calls.empty());
}

// Modify answering the object or null, and the special command answering
// 1 or 0: either way the object is back in its place; only a change marks
// the document modified.
TEST_F(ModifyAndSpecial, TheObjectComesBackInItsPlace) {
  struct Case {
    int request;
    bool changed;
  };
  const Case cases[] = {{18, true}, {18, false}, {39, true}, {39, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.request) + (c.changed ? " changed" : " unchanged"));
    editor->modified = 0;
    CG_GraphicObject* b1 = editor->scene.FindObject("b1");
    SetSettings("b1", 1, 0, 3, 7);
    const long place = LayerPosition(Item("b1"));
    const long items = Count(editor->items);
    Select("b1");
    module->modifyNull = !c.changed;
    module->specialAnswer = c.changed ? 1 : 0;
    Script(*module, fakes.listShower, c.request, nullptr);

    EXPECT_EQ(driver.Request(c.request).result, c.changed ? 1 : 0);
    EXPECT_EQ(module->given, b1);
    EXPECT_FALSE(module->givenInScene);
    EXPECT_FALSE(module->wrapperSeen.has_value());
    EXPECT_EQ(editor->scene.FindObject("b1"), b1);
    CG_SceneEditorItem* item = Item("b1");
    EXPECT_EQ(Settings(item), "1 0 3 7");
    EXPECT_EQ(LayerPosition(item), place);
    EXPECT_EQ(Count(editor->items), items);
    ASSERT_EQ(Count(editor->selection), 1);
    EXPECT_EQ(dynamic_cast<CG_EObjectSelection&>(*editor->selection.First()).item, item);
    EXPECT_EQ(editor->modified, c.changed ? 1 : 0);
  }
}

// Another object from the module takes the old one's place (inside the
// transf for a wrapped object); the old one is destroyed.
TEST_F(ModifyAndSpecial, AnotherObjectTakesThePlace) {
  ScriptedObjectModule* probes = AddModule("probe");
  Add(std::make_unique<ProbeObject>("plain"));
  auto wrapped = Wrapped("moved", std::make_unique<ProbeObject>("moved"));
  const Transformation forward = wrapped->Forward();
  GTransf* wrapper = wrapped.get();
  Add(std::move(wrapped));
  struct Case {
    int request;
    const char* object;
    bool wrapped;
  };
  const Case cases[] = {{18, "plain", false}, {18, "moved", true}, {39, "plain", false}, {39, "moved", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.request) + " " + c.object);
    const long place = LayerPosition(Item(c.object));
    auto replacement = std::make_unique<ProbeObject>(c.object);
    CG_GraphicObject* fresh = replacement.get();
    probes->replacement = std::move(replacement);
    const int live = EditorTestObject::live;
    Script(*probes, fakes.listShower, c.request, c.object);

    EXPECT_EQ(driver.Request(c.request).result, 1);
    EXPECT_EQ(EditorTestObject::live, live - 1);
    if (c.wrapped) {
      EXPECT_EQ(editor->scene.FindObject(c.object), wrapper);
      EXPECT_EQ(ChildOf(c.object), fresh);
      EXPECT_EQ(wrapper->Forward(), forward);
      if (c.request == 39) {
        EXPECT_EQ(probes->wrapperSeen, forward);
      }
    } else {
      EXPECT_EQ(editor->scene.FindObject(c.object), fresh);
      EXPECT_FALSE(probes->wrapperSeen.has_value());
    }
    ASSERT_NE(Item(c.object), nullptr);
    EXPECT_EQ(LayerPosition(Item(c.object)), place);
  }
}

TEST_F(ModifyAndSpecial, AReturnedNameThatIsTakenFallsBackToTheOldOne) {
  module->replacement = std::make_unique<ProbeObject>("b2");
  fakes.listShower.AnswerText("b1");
  EXPECT_EQ(driver.Request(18).result, 1);
  EXPECT_EQ(LastMessage(), "Exist an object with same name");
  CG_GraphicObject* b1 = editor->scene.FindObject("b1");
  ASSERT_NE(b1, nullptr);
  EXPECT_STREQ(b1->Keyword(), "probe");
  EXPECT_STREQ(editor->scene.FindObject("b2")->Keyword(), "box");
}

// The camera in use, replaced through Modify or a special command, is
// followed by a camera and dropped for any other object; unchanged, it stays.
TEST_F(ModifyAndSpecial, TheCameraInUseFollowsItsReplacement) {
  ScriptedObjectModule* cameras = AddModule("camera");
  enum class Returns { kNull, kCamera, kOther };
  struct Case {
    int request;
    Returns returns;
  };
  const Case cases[] = {{18, Returns::kNull},  {18, Returns::kCamera}, {39, Returns::kNull},
                        {39, Returns::kCamera}, {18, Returns::kOther}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.request) + " " + std::to_string(static_cast<int>(c.returns)));
    CG_GraphicObject* camera = editor->scene.FindObject("camera");
    ASSERT_EQ(editor->scene.GetCurrentCamera(), camera);
    CG_GraphicObject* expected = camera;
    CG_ViewReference view;
    ASSERT_EQ(camera->GetView(view), 1);
    cameras->modifyNull = c.returns == Returns::kNull;
    cameras->specialAnswer = c.returns == Returns::kNull ? 0 : 1;
    if (c.returns == Returns::kCamera) {
      std::unique_ptr<CG_GraphicObject> moved = camera->Clone();
      ASSERT_NE(moved, nullptr);
      view.vrp = Point3D(4, 5, 6 + c.request);
      moved->SetView(view);
      expected = moved.get();
      cameras->replacement = std::move(moved);
    } else if (c.returns == Returns::kOther) {
      expected = nullptr;
      cameras->replacement = std::make_unique<ProbeObject>("camera");
    }
    Script(*cameras, fakes.listShower, c.request, "camera");

    EXPECT_EQ(driver.Request(c.request).result, c.returns == Returns::kNull ? 0 : 1);
    EXPECT_EQ(editor->scene.GetCurrentCamera(), expected);
    const char* inUse = editor->scene.GetParam().CameraInUse.Text();
    EXPECT_STREQ(inUse != nullptr ? inUse : "", expected != nullptr ? "camera" : "");
    if (expected != nullptr) {
      // The Preview views follow the camera's record.
      const Point3D vrp = editor->scene.GetViewReference().vrp;
      EXPECT_EQ(vrp.x, view.vrp.x);
      EXPECT_EQ(vrp.z, view.vrp.z);
    }
  }
}

TEST_F(ModifyAndSpecial, TheSpecialCommandsAreChosenByName) {
  module->specialNames = {"first", "second"};
  fakes.listShower.AnswerText("b2");
  fakes.listShower.AnswerText("second");
  EXPECT_EQ(driver.Request(39).result, 1);
  EXPECT_EQ(fakes.listShower.titles, (std::vector<std::string>{"Select an object", "Special"}));
  EXPECT_EQ(fakes.listShower.shown.back(), (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(module->calls, (std::vector<std::string>{"SpecialNames b2", "RunSpecial 1 b2"}));
}

TEST_F(ModifyAndSpecial, NoSpecialCommandOrNoChoiceCancels) {
  // No commands, then a command the user does not choose.
  const std::vector<std::string> cases[] = {{}, {"first"}};
  for (const std::vector<std::string>& names : cases) {
    SCOPED_TRACE(names.size());
    module->calls.clear();
    module->specialNames = names;
    CG_SceneEditorItem* item = Item("b1");
    fakes.listShower.AnswerText("b1");
    EXPECT_EQ(driver.Request(39).result, 0);
    EXPECT_EQ(module->calls, (std::vector<std::string>{"SpecialNames b1"}));
    EXPECT_EQ(Item("b1"), item);
  }
  // Without commands the chooser is not shown.
  EXPECT_EQ(fakes.listShower.titles, (std::vector<std::string>{"Select an object", "Select an object", "Special"}));
}

// A special command that goes on interactively keeps the object out of the
// scene until the module hands it back; it then takes its old place.
TEST_F(ModifyAndSpecial, AnInteractiveSpecialCommandEndsWithReplaceEditedObject) {
  ScriptedObjectModule* probes = AddModule("probe");
  auto wrapped = Wrapped("moved", std::make_unique<ProbeObject>("moved"));
  GTransf* wrapper = wrapped.get();
  Add(std::move(wrapped));
  struct Case {
    const char* object;
    bool replace;  // the module hands back a new object
  };
  const Case cases[] = {{"b1", false}, {"moved", false}, {"moved", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.object) + (c.replace ? " replaced" : ""));
    ScriptedObjectModule* chosen = std::string(c.object) == "b1" ? module : probes;
    SetSettings(c.object, 2, 1, 5, 9);
    const long place = LayerPosition(Item(c.object));
    editor->modified = 0;
    chosen->specialAnswer = -1;
    Script(*chosen, fakes.listShower, 39, c.object);
    EXPECT_EQ(driver.Request(39).result, 1);
    EXPECT_EQ(editor->scene.FindObject(c.object), nullptr);
    EXPECT_EQ(editor->modified, 0);
    for (const LayerItem& entry : editor->activeLayer->items) {
      ASSERT_NE(entry.item, nullptr);
      EXPECT_NE(entry.item->object->name, c.object);
    }

    CG_GraphicObject* handed = chosen->given;
    const int live = EditorTestObject::live;
    if (c.replace) handed = new ProbeObject(c.object);
    EXPECT_EQ(editor->ReplaceEditedObject(handed), 1);
    EXPECT_EQ(EditorTestObject::live, live);
    EXPECT_EQ(editor->modified, 1);
    if (std::string(c.object) == "moved") {
      EXPECT_EQ(editor->scene.FindObject(c.object), wrapper);
      EXPECT_EQ(ChildOf(c.object), handed);
    } else {
      EXPECT_EQ(editor->scene.FindObject(c.object), handed);
    }
    EXPECT_EQ(Settings(Item(c.object)), "2 1 5 9");
    EXPECT_EQ(LayerPosition(Item(c.object)), place);
  }
}

// The workers take names from the scene's own lists: Modify answers 1 for
// a name that is not there, the others report an internal error.
TEST_F(ModifyAndSpecial, ANameThatIsNotInTheScene) {
  EXPECT_EQ(editor->ModifyObjectNamed("nothing"), 1);
  EXPECT_TRUE(module->calls.empty());
  EXPECT_DEATH(editor->RunSpecialCommand("nothing"), "Runtime Error: non qui");
  EXPECT_DEATH(editor->ModifyCommonData("nothing"), "Runtime Error: non qui");
  EXPECT_DEATH(editor->ModifyExtraInfo("nothing"), "Runtime Error: non qui");
}

TEST_F(ModifyAndSpecial, ReplaceEditedObjectWithoutAPendingEdit) {
  // An object of the scene is never taken twice.
  CG_GraphicObject* b2 = editor->scene.FindObject("b2");
  EXPECT_EQ(editor->ReplaceEditedObject(b2), 0);
  EXPECT_EQ(editor->scene.FindObject("b2"), b2);
  // A new object joins the scene and the active layer.
  auto* fresh = new ProbeObject("fresh");
  EXPECT_EQ(editor->ReplaceEditedObject(fresh), 1);
  EXPECT_EQ(editor->scene.FindObject("fresh"), fresh);
  EXPECT_GE(LayerPosition(Item("fresh")), 0);
}

TEST_F(ModifyAndSpecial, ASecondInteractiveCommandPutsTheFirstObjectBack) {
  module->specialAnswer = -1;
  Script(*module, fakes.listShower, 39, "b1");
  ASSERT_EQ(driver.Request(39).result, 1);
  Script(*module, fakes.listShower, 39, "b2");
  ASSERT_EQ(driver.Request(39).result, 1);
  EXPECT_NE(editor->scene.FindObject("b1"), nullptr);
  EXPECT_NE(Item("b1"), nullptr);
  EXPECT_EQ(editor->scene.FindObject("b2"), nullptr);
}

}  // namespace
}  // namespace zavo::test
