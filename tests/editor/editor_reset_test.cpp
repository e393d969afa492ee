// The empty document: the reset and the default camera in the "default" layer.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/layers.h"
#include "editor_fakes.h"

namespace zavo::test {
namespace {

// What construction (and New) leave: "zavo", "standard", one camera in use
// whose item is the only entry of the active layer "default".
void ExpectEmptyDocument(CG_GraphicEditor& editor) {
  EXPECT_STREQ(editor.scene.GetName(), "zavo");
  EXPECT_NE(editor.scene.GetMaterials().Find("standard"), nullptr);
  ASSERT_EQ(Count(editor.scene.GetObjects()), 1);
  CG_GraphicObject* camera = editor.scene.FindObject("camera");
  ASSERT_NE(camera, nullptr);
  EXPECT_EQ(editor.scene.GetCurrentCamera(), camera);
  EXPECT_STREQ(editor.scene.GetParam().CameraInUse.Text(), "camera");
  ASSERT_EQ(Count(editor.layers), 1);
  ASSERT_NE(editor.activeLayer, nullptr);
  EXPECT_STREQ(editor.activeLayer->name.Text(), "default");
  ASSERT_EQ(Count(editor.activeLayer->items), 1);
  EXPECT_EQ(editor.activeLayer->items.First()->item, editor.FindItem(camera));
  EXPECT_EQ(Count(editor.items), 1);
  EXPECT_EQ(editor.frameCount, 50);
  EXPECT_EQ(editor.animationOn, 0);
}

TEST(EditorReset, ConstructionResetAndTheDefaultCamera) {
  std::unique_ptr<CG_GraphicEditor> editor = CG_GraphicEditor::Create(0);
  EditorFakes fakes;
  fakes.AttachTo(*editor);
  ExpectEmptyDocument(*editor);

  // A used document: objects, layers, frames, counters, a selection.
  std::istringstream in(
      "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n.\n");
  ASSERT_EQ(editor->scene.Get(in), 1);
  CG_SceneEditorItem* b1 = editor->CreateItem(editor->scene.FindObject("b1"));
  editor->NewLayer("roof")->Add(b1);
  editor->activeLayer = editor->FindLayer("roof");
  editor->selection.Append(new CG_EObjectSelection(b1));
  editor->frameCount = 7;
  editor->animationOn = 1;
  editor->activeView = 2;
  editor->mappingEdit = 1;
  editor->nameCounters[0] = editor->nameCounters[1] = editor->nameCounters[2] = 4;

  editor->ResetDocument();
  EXPECT_STREQ(editor->scene.GetName(), "zavo");
  EXPECT_EQ(Count(editor->scene.GetObjects()), 0);
  EXPECT_EQ(Count(editor->scene.GetMaterials()), 0);
  EXPECT_EQ(Count(editor->items), 0);
  EXPECT_EQ(Count(editor->layers), 0);
  EXPECT_EQ(editor->activeLayer, nullptr);
  EXPECT_EQ(editor->selection.First(), nullptr);
  EXPECT_EQ(editor->scene.GetCurrentCamera(), nullptr);
  EXPECT_EQ(editor->scene.GetParam().CameraInUse.Text(), nullptr);
  EXPECT_EQ(editor->frameCount, 50);
  EXPECT_EQ(editor->animationOn, 0);
  EXPECT_EQ(editor->activeView, -1);
  EXPECT_EQ(editor->mappingEdit, 0);
  EXPECT_EQ(editor->nameCounters[0] + editor->nameCounters[1] + editor->nameCounters[2], 0);

  CG_GraphicEditor::AddStandardMaterial(editor->scene);
  editor->activeLayer = editor->NewLayer("default");
  editor->AddDefaultCamera();
  ExpectEmptyDocument(*editor);
}

}  // namespace
}  // namespace zavo::test
