// A finished object handed to the editor: into the scene with an item, its
// centre and its projection; a taken name or an object without an item
// leaves the editor as it was.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "editor/graphic_editor.h"
#include "editor/layers.h"
#include "editor_fakes.h"
#include "editor_test_objects.h"

namespace zavo::test {
namespace {

class AddObject : public ::testing::Test {
protected:
  AddObject() : editor(CG_GraphicEditor::Create(0)) {
    fakes.AttachTo(*editor);
    editor->SetView(0, &top, 2);
  }

  // A box read by the scene reader and taken out of the scene again, as a
  // tool would hand it over.
  std::unique_ptr<CG_GraphicObject> Box(const char* name) {
    std::ostringstream text;
    text << "{ object name " << name
         << "; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n.\n";
    std::istringstream in(text.str());
    EXPECT_EQ(editor->scene.Get(in), 1) << editor->scene.GetErrorMessage();
    return editor->scene.DetachObject(editor->scene.FindObject(name));
  }
  long ItemCount() const {
    long n = 0;
    for ([[maybe_unused]] const CG_SceneEditorItem& item : editor->items) ++n;
    return n;
  }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  RecordingWireFrameImage top{120, 80};
};

TEST_F(AddObject, NewObjectGetsItemCentreAndProjection) {
  const long items = ItemCount();
  ASSERT_EQ(editor->AddObjectToEditor(Box("b1")), 1);
  CG_GraphicObject* b1 = editor->scene.FindObject("b1");
  ASSERT_NE(b1, nullptr);
  CG_SceneEditorItem* item = editor->FindItem(b1);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(ItemCount(), items + 1);
  EXPECT_NEAR(item->centre.x, 3.1, 1e-12);
  EXPECT_NEAR(item->centre.y, 1.6, 1e-12);
  EXPECT_NEAR(item->centre.z, 0.6, 1e-12);
  // Projected into the Top view only (the others are off).
  ASSERT_EQ(item->vertices[0].Count(), 1U);
  EXPECT_GT(item->vertices[0][0].Count(), 0U);
  EXPECT_EQ(item->vertices[1].Count(), 0U);
}

TEST_F(AddObject, NewObjectJoinsTheActiveLayerOnly) {
  Layer* other = editor->NewLayer("other");
  ASSERT_EQ(editor->AddObjectToEditor(Box("b1")), 1);
  CG_SceneEditorItem* b1 = editor->FindItem(editor->scene.FindObject("b1"));
  EXPECT_EQ(editor->activeLayer->items.Last()->item, b1);
  EXPECT_FALSE(other->Holds(b1));
  // With no active layer ("** ALL **") no layer gets an entry.
  editor->activeLayer = nullptr;
  ASSERT_EQ(editor->AddObjectToEditor(Box("b2")), 1);
  CG_SceneEditorItem* b2 = editor->FindItem(editor->scene.FindObject("b2"));
  EXPECT_FALSE(editor->FindLayer("default")->Holds(b2));
  EXPECT_FALSE(other->Holds(b2));
}

TEST_F(AddObject, TakenNameChangesNothingInTheEditor) {
  ASSERT_EQ(editor->AddObjectToEditor(Box("b1")), 1);
  const long items = ItemCount();
  top.calls.clear();
  auto other = std::make_unique<EditorTestObject>("b1");
  other->faced = 1;
  const int live = EditorTestObject::live;
  EXPECT_EQ(editor->AddObjectToEditor(std::move(other)), 0);
  EXPECT_EQ(EditorTestObject::live, live - 1);  // the scene destroyed it
  EXPECT_EQ(ItemCount(), items);
  EXPECT_TRUE(top.calls.empty());
}

TEST_F(AddObject, ObjectWithoutItemStaysInTheSceneUnshown) {
  const long items = ItemCount();
  auto odd = std::make_unique<EditorTestObject>("odd");  // neither faced nor declassable
  EXPECT_EQ(editor->AddObjectToEditor(std::move(odd)), 0);
  EXPECT_NE(editor->scene.FindObject("odd"), nullptr);
  EXPECT_EQ(ItemCount(), items);
  EXPECT_TRUE(top.calls.empty());
}

}  // namespace
}  // namespace zavo::test
