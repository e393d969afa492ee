// Requests 27 and 44: an object's common data ("Change common data": name,
// material, texture, bump, "Apply Mapping") and its item's drawing style
// ("Modifing extra info").

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "object_modify_fixture.h"
#include "scene/mapping.h"
#include "scene/material.h"
#include "scene/texture.h"

namespace zavo::test {
namespace {

// The fixture's document with a material "red", a texture "wood" and b1
// wrapped as "moved" beside it (its child keeps the name "inner").
class CommonData : public ObjectEditTest {
protected:
  CommonData() {
    editor->scene.GetMaterials().AddIfNew(new CG_NamedMaterial("red", new CG_MaterialPhong()));
    BitmapManager image;
    EXPECT_EQ(image.Create(2, 2), 1);
    EXPECT_EQ(image.Save(dir.path() / "wood.bmp"), 1);
    editor->scene.GetTextures().Append(new CG_Texture("wood", (dir.path() / "wood").string().c_str()));
    Read("{ object name moved; model { transf t ( 1 , 2 , 3 ); r ( 0 , 0.5 , 0 );\n"
         "  { object name inner; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1; } } } }\n.\n");
  }

  // The dialog answered OK with the values (control label, value) and the
  // buttons pressed.
  void AnswerDialog(std::vector<std::pair<std::string, std::string>> values,
                    std::vector<std::string> presses = {}) {
    fakes.dialog.Answer({std::move(values), std::move(presses), true});
  }
  // A copy of the object's common data.
  std::unique_ptr<CG_GraphicObjectCommData> DataOf(CG_GraphicObject* object) {
    return object != nullptr ? object->NewCommData() : nullptr;
  }
};

TEST_F(CommonData, TheDialogShowsTheObjectsAttributes) {
  CG_GraphicObject* b1 = editor->scene.FindObject("b1");
  CG_GraphicObjectCommData data;
  b1->GetCommData(data);
  data.material = editor->scene.GetMaterials().Find("red");
  b1->SetCommData(data);
  fakes.listShower.AnswerText("b1");
  fakes.dialog.AnswerCancel();
  EXPECT_EQ(driver.Request(27).result, 0);
  ASSERT_EQ(fakes.dialog.calls.size(), 1u);
  EXPECT_EQ(fakes.dialog.calls[0].title, "Change common data");
  EXPECT_EQ(fakes.dialog.calls[0].tree, (std::vector<std::string>{
                                            "Edit_obj name = b1",
                                            "ListBox_obj material = red [|standard|red]",
                                            "ListBox_obj texture =  [|wood]",
                                            "ListBox_obj bump =  [|wood]",
                                            "Button_obj Apply Mapping",
                                        }));
}

TEST_F(CommonData, TheNewNameMayBeTheObjectsOwnOrItsWrappers) {
  struct Case {
    const char* object;  // chosen in the scene
    const char* name;    // typed
    bool accepted;
    const char* message;  // the last message, "" for none
  };
  const Case cases[] = {
      {"b1", "b2", false, "Exist an object with same name"},
      {"b1", "b1", true, ""},
      {"moved", "moved", true, ""},
      {"moved", "b2", false, "Exist an object with same name"},
      {"b1", "9lives", false, nullptr},  // the name check tells why
      {"b1", "k9", true, ""},
      {"moved", "spun", true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.object) + " -> " + c.name);
    fakes.system.messages.clear();
    editor->modified = 0;
    CG_GraphicObject* object = editor->scene.FindObject(c.object);
    CG_SceneEditorItem* item = Item(c.object);
    const std::string childName = ChildOf(c.object) != nullptr ? ChildOf(c.object)->name.Text() : "";
    fakes.listShower.AnswerText(c.object);
    AnswerDialog({{"name", c.name}});
    EXPECT_EQ(driver.Request(27).result, c.accepted ? 1 : 0);
    if (c.message != nullptr) {
      EXPECT_EQ(LastMessage(), c.message);
    } else {
      EXPECT_FALSE(fakes.system.messages.empty());
    }
    const char* now = c.accepted ? c.name : c.object;
    // The renamed object keeps its item; a wrapper and its child take the name.
    EXPECT_EQ(editor->scene.FindObject(now), object);
    EXPECT_EQ(Item(now), item);
    if (std::string(c.object) == "moved") {
      EXPECT_STREQ(ChildOf(now)->name.Text(), c.accepted && std::string(c.name) != c.object ? c.name : childName.c_str());
    }
    // The dialog shows the name the object has in the scene.
    EXPECT_EQ(fakes.dialog.calls.back().tree.front(), std::string("Edit_obj name = ") + c.object);
    EXPECT_EQ(editor->modified, c.accepted ? 1 : 0);
  }
}

TEST_F(CommonData, MaterialTextureAndBumpInTestModeOnly) {
  for (int test : {0, 1}) {
    SCOPED_TRACE(test);
    editor->options.Test = test;
    fakes.listShower.AnswerText("b2");
    AnswerDialog({{"material", "red"}, {"texture", "wood"}, {"bump", "wood"}});
    EXPECT_EQ(driver.Request(27).result, 1);
    auto data = DataOf(editor->scene.FindObject("b2"));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->material, editor->scene.GetMaterials().Find("red"));
    EXPECT_EQ(data->texture, editor->scene.GetTextures().Find("wood"));
    EXPECT_EQ(data->bump, test != 0 ? editor->scene.GetTextures().Find("wood") : nullptr);
    // The empty choices take them away again.
    fakes.listShower.AnswerText("b2");
    AnswerDialog({{"material", ""}, {"texture", ""}, {"bump", ""}});
    EXPECT_EQ(driver.Request(27).result, 1);
    data = DataOf(editor->scene.FindObject("b2"));
    EXPECT_EQ(data->material, nullptr);
    EXPECT_EQ(data->texture, nullptr);
    EXPECT_EQ(data->bump, nullptr);
  }
}

// "Apply Mapping" gives the object a copy of the current mapping, placed in a
// wrapped object's own frame so that it stands where the mapping is shown.
TEST_F(CommonData, ApplyMappingCopiesTheCurrentMapping) {
  editor->currentMapping =
      std::make_unique<CG_PlanarMapping>(Point3D(0.5, -1, 2), Point3D(1, 0, 0), Point3D(0, 0, 2), 2, 3);
  for (const char* name : {"b1", "moved"}) {
    SCOPED_TRACE(name);
    fakes.listShower.AnswerText(name);
    AnswerDialog({}, {"Apply Mapping"});
    EXPECT_EQ(driver.Request(27).result, 1);
    CG_GraphicObject* target = std::string(name) == "moved" ? ChildOf(name) : editor->scene.FindObject(name);
    auto data = DataOf(target);
    ASSERT_NE(data, nullptr);
    ASSERT_NE(data->mapping, nullptr);
    EXPECT_NE(data->mapping.get(), editor->currentMapping.get());
    if (auto* wrapper = dynamic_cast<GTransf*>(editor->scene.FindObject(name))) {
      data->mapping->Transform(wrapper->Forward());
    }
    const CG_MappingMetod& current = *editor->currentMapping;
    for (const auto& [got, want] : {std::pair{data->mapping->center, current.center},
                                    std::pair{data->mapping->assx, current.assx},
                                    std::pair{data->mapping->assy, current.assy}}) {
      EXPECT_NEAR(got.x, want.x, 1e-12);
      EXPECT_NEAR(got.y, want.y, 1e-12);
      EXPECT_NEAR(got.z, want.z, 1e-12);
    }
    EXPECT_EQ(data->mapping->moltx, 2);
    EXPECT_EQ(data->mapping->molty, 3);
  }
}

// The object lends its mapping to the dialog's record: a cancel, a refused
// name or an OK without "Apply Mapping" (a flag left set by an earlier
// dialog is cleared) leave it in place.
TEST_F(CommonData, TheMappingStaysUnlessApplied) {
  editor->currentMapping =
      std::make_unique<CG_PlanarMapping>(Point3D(1, 1, 1), Point3D(1, 0, 0), Point3D(0, 1, 0), 1, 1);
  fakes.listShower.AnswerText("b1");
  AnswerDialog({}, {"Apply Mapping"});
  ASSERT_EQ(driver.Request(27).result, 1);
  editor->currentMapping.reset();
  for (int answer : {0, 1, 2}) {
    SCOPED_TRACE(answer);
    editor->applyMapping = 1;
    fakes.listShower.AnswerText("b1");
    if (answer == 0) fakes.dialog.AnswerCancel();
    if (answer == 1) AnswerDialog({{"name", "b2"}});
    if (answer == 2) AnswerDialog({{"name", "b1"}});
    EXPECT_EQ(driver.Request(27).result, answer == 2 ? 1 : 0);
    auto data = DataOf(editor->scene.FindObject("b1"));
    ASSERT_NE(data->mapping, nullptr);
    EXPECT_EQ(data->mapping->center.x, 1);
  }
}

TEST_F(CommonData, RenamingTheCameraInUseRenamesItInTheRenderParameters) {
  CG_GraphicObject* camera = editor->scene.GetCurrentCamera();
  ASSERT_NE(camera, nullptr);
  fakes.listShower.AnswerText("camera");
  AnswerDialog({{"name", "overview"}});
  EXPECT_EQ(driver.Request(27).result, 1);
  EXPECT_EQ(editor->scene.GetCurrentCamera(), camera);
  EXPECT_STREQ(camera->name.Text(), "overview");
  EXPECT_STREQ(editor->scene.GetParam().CameraInUse.Text(), "overview");
}

using ExtraInfo = ObjectEditTest;

TEST_F(ExtraInfo, StyleAndFastview) {
  struct Case {
    const char* style;  // chosen; null: cancel
    const char* fastview;
    int result;
    const char* settings;  // style centre fastview extra afterwards
  };
  const Case cases[] = {
      {"fastview", "3", 1, "2 1 3 4"},
      {"box", "", 1, "1 1 7 4"},
      {"normal", "12", 1, "0 1 12 4"},
      {"sideways", "", 1, "1 1 7 4"},  // another text keeps the style
      {nullptr, "", 0, "1 1 7 4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style != nullptr ? c.style : "cancel");
    SetSettings("b1", 1, 1, 7, 4);
    CG_SceneEditorItem* item = Item("b1");
    fakes.listShower.AnswerText("b1");
    if (c.style != nullptr) {
      fakes.dialog.Answer({{{"style", c.style}, {"fastview", c.fastview}}, {}, true});
    } else {
      fakes.dialog.AnswerCancel();
    }
    EXPECT_EQ(driver.Request(44).result, c.result);
    EXPECT_EQ(Item("b1"), item);
    EXPECT_EQ(Settings(item), c.settings);
    EXPECT_EQ(fakes.dialog.calls.back().title, "Modifing extra info");
    EXPECT_EQ(fakes.dialog.calls.back().tree,
              (std::vector<std::string>{"ListBox_obj style = box [normal|fastview|box]", "Edit_obj fastview = 7"}));
  }
}

TEST_F(ExtraInfo, AnObjectWithoutAKeywordIsRefused) {
  auto unnamed = std::make_unique<EditorTestObject>("nokey");
  unnamed->faced = 1;
  Add(std::move(unnamed));
  fakes.listShower.AnswerText("nokey");
  EXPECT_EQ(driver.Request(44).result, 0);
  EXPECT_EQ(LastMessage(), "cannot get module name.");
  EXPECT_TRUE(fakes.dialog.calls.empty());
}

}  // namespace
}  // namespace zavo::test
