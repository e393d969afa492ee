// The document's items: what CreateItem makes of each kind of object, the
// lookup, the ownership of the parts, removal with the selection, centres,
// the walk over the items and the object chooser.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor_fakes.h"
#include "editor_test_objects.h"

namespace zavo::test {
namespace {

class EditorItems : public ::testing::Test {
protected:
  EditorItems() : editor(CG_GraphicEditor::Create(0)) { fakes.AttachTo(*editor); }

  // Reads the scene text into the document's scene; the new objects get no item.
  void Read(const std::string& text) {
    std::istringstream in(text);
    ASSERT_EQ(editor->scene.Get(in), 1) << editor->scene.GetErrorMessage();
  }
  CG_GraphicObject* Object(const char* name) { return editor->scene.FindObject(name); }
  EditorTestObject* AddTestObject(const char* name) {
    auto object = std::make_unique<EditorTestObject>(name);
    EditorTestObject* added = object.get();
    EXPECT_EQ(editor->scene.AddObject(std::move(object)), 1);
    return added;
  }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
};

constexpr const char* kScene =
    "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
    "{ object name five; model { group\n"
    "  { object name g1; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1; } }\n"
    "  { object name g2; model { box xmin 1; xmax 2.5; ymin 0; ymax 1; zmin 0; zmax 1; } }\n"
    "  { object name g3; model { box xmin 2.5; xmax 3.7; ymin 0; ymax 1; zmin 0; zmax 1; } }\n"
    "  { object name g4; model { box xmin 0; xmax 1; ymin 1; ymax 2.3; zmin 0; zmax 1; } }\n"
    "  { object name g5; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 1; zmax 1.6; } } } }\n"
    "{ object name line; model { polyline open 1; p ( -5 , -5 , -1 ); p ( 5 , 0 , 0 ); p ( 0 , 5 , 1.5 ); } }\n"
    ".\n";

TEST_F(EditorItems, CreateItemByKindOfObject) {
  Read(kScene);
  AddTestObject("neither");  // neither faced nor declassable
  EditorTestObject* traced = AddTestObject("traced");  // faced parts that rays cannot meet
  traced->facedParts = 2;
  traced->traceParts = 3;
  EditorTestObject* unreachable = AddTestObject("unreachable");
  unreachable->faced = 1;
  EditorTestObject* curveParts = AddTestObject("curves");
  curveParts->curve = 1;
  curveParts->facedParts = 2;
  struct Case {
    const char* name;
    bool item;
    int declassed;
    long parts;
    int kind;
    long traceParts;
  };
  const Case cases[] = {
      {"b1", true, 0, 1, 0, 0},     {"five", true, 1, 5, 1, 0},        {"line", true, 0, 1, 0, 0},
      {"neither", false, 0, 0, 0, 0}, {"traced", true, 1, 2, 2, 3}, {"unreachable", true, 0, 1, -1, 0},
      {"curves", true, 1, 2, 1, 0},
  };
  const int before = Count(editor->items);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CG_GraphicObject* object = Object(c.name);
    ASSERT_NE(object, nullptr);
    CG_SceneEditorItem* item = editor->CreateItem(object);
    if (!c.item) {
      EXPECT_EQ(item, nullptr);
      EXPECT_EQ(editor->FindItem(object), nullptr);
      EXPECT_EQ(Object(c.name), object);  // stays in the scene
      continue;
    }
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(editor->items.Last(), item);
    EXPECT_EQ(item->object, object);
    EXPECT_EQ(item->declassed, c.declassed);
    EXPECT_EQ(item->PartCount(), c.parts);
    EXPECT_EQ(item->edges.Count(), static_cast<std::uint32_t>(c.parts));
    EXPECT_EQ(item->kind, c.kind);
    EXPECT_EQ(item->traceParts.Size(), c.traceParts);
    EXPECT_EQ(item->display.style, 0);
    EXPECT_EQ(item->display.centre, 1);
    EXPECT_EQ(item->display.fastview, 1);
  }
  EXPECT_EQ(Count(editor->items), before + 6);
}

TEST_F(EditorItems, FindItemGivesTheFirstItemOfAnObject) {
  Read(kScene);
  CG_GraphicObject* b1 = Object("b1");
  EXPECT_EQ(editor->FindItem(b1), nullptr);
  CG_SceneEditorItem* first = editor->CreateItem(b1);
  CG_SceneEditorItem* second = editor->CreateItem(b1);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(editor->FindItem(b1), first);
  editor->RemoveItem(first);
  EXPECT_EQ(editor->FindItem(b1), second);
}

TEST_F(EditorItems, AnItemDestroysOnlyThePartsItOwns) {
  EditorTestObject* object = AddTestObject("owner");
  object->facedParts = 3;
  object->traceParts = 2;
  const int live = EditorTestObject::live;
  CG_SceneEditorItem* item = editor->CreateItem(object);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->kind, 2);
  EXPECT_EQ(EditorTestObject::live, live + 5);
  editor->RemoveItem(item);
  EXPECT_EQ(EditorTestObject::live, live);
  EXPECT_EQ(editor->scene.FindObject("owner"), object);

  // Not declassed: the faced-parts sequence is not the item's to empty.
  object->faced = 1;
  CG_SceneEditorItem* shown = editor->CreateItem(object);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->declassed, 0);
  EXPECT_EQ(shown->kind, 2);
  EXPECT_EQ(EditorTestObject::live, live + 2);
  editor->RemoveItem(shown);
  EXPECT_EQ(EditorTestObject::live, live);
}

// A removed item takes its selection records with it: nothing in the
// selection points at a destroyed item.
TEST_F(EditorItems, RemovingASelectedItemDeletesItsSelectionRecords) {
  Read(kScene);
  CG_SceneEditorItem* b1 = editor->CreateItem(Object("b1"));
  CG_SceneEditorItem* line = editor->CreateItem(Object("line"));
  editor->selection.Append(new CG_EObjectSelection(b1));
  editor->selection.Append(new CG_EObjectSelection(line));
  editor->selection.Append(new CG_EObjectSelection(b1));
  editor->RemoveItem(b1);
  std::vector<CG_SceneEditorItem*> left;
  for (CG_ESelection& record : editor->selection) left.push_back(dynamic_cast<CG_EObjectSelection&>(record).item);
  EXPECT_EQ(left, std::vector<CG_SceneEditorItem*>{line});
  EXPECT_EQ(editor->FindItem(Object("b1")), nullptr);
  charString chosen;
  EXPECT_EQ(editor->ChooseObject(chosen), 1);
  EXPECT_STREQ(chosen.Text(), "line");
  EXPECT_TRUE(fakes.listShower.titles.empty());
  editor->ClearSelection();
  EXPECT_TRUE(editor->selection.IsEmpty());
}

TEST_F(EditorItems, CentreIsTheMiddleOfThePartsVertices) {
  Read(kScene);
  CG_SceneEditorItem* b1 = editor->CreateItem(Object("b1"));
  CG_SceneEditorItem* five = editor->CreateItem(Object("five"));
  EditorTestObject* empty = AddTestObject("empty");
  empty->faced = 1;
  CG_SceneEditorItem* none = editor->CreateItem(empty);
  none->centre = Point3D(1, 2, 3);
  editor->InsertAllItems();
  EXPECT_DOUBLE_EQ(b1->centre.x, 3.1);
  EXPECT_DOUBLE_EQ(b1->centre.y, 1.6);
  EXPECT_DOUBLE_EQ(b1->centre.z, 0.6);
  EXPECT_DOUBLE_EQ(five->centre.x, 1.85);
  EXPECT_DOUBLE_EQ(five->centre.y, 1.15);
  EXPECT_DOUBLE_EQ(five->centre.z, 0.8);
  EXPECT_EQ(none->centre.x, 0);
  EXPECT_EQ(none->centre.y, 0);
  EXPECT_EQ(none->centre.z, 0);
  b1->display.centre = 0;
  editor->InsertItem(b1);
  EXPECT_EQ(b1->centre.x, 0);
  EXPECT_EQ(b1->centre.z, 0);
}

TEST_F(EditorItems, TheChooserListsTheItemsObjectsInItemOrder) {
  Read(kScene);
  editor->CreateItems();
  EXPECT_EQ(fakes.system.statuses.back(), "");
  // No active layer ("** ALL **"): every item in item order.
  editor->activeLayer = nullptr;
  CG_SceneEditorItem* item = nullptr;
  LayerItem* entry = nullptr;
  std::vector<std::string> walked;
  editor->InitItemIterator(item, entry);
  while (editor->NextItem(item, entry) != 0) walked.emplace_back(item->object->name.Text());
  // The camera's item comes from the empty document; b1, the group and the
  // polyline from CreateItems (the camera gets a second one there).
  EXPECT_EQ(walked, (std::vector<std::string>{"camera", "camera", "b1", "five", "line"}));

  fakes.listShower.AnswerText("five");
  charString chosen;
  EXPECT_EQ(editor->ChooseObject(chosen), 1);
  EXPECT_STREQ(chosen.Text(), "five");
  EXPECT_EQ(fakes.listShower.titles, std::vector<std::string>{"Select an object"});
  EXPECT_EQ(fakes.listShower.shown.back(), walked);
  fakes.listShower.AnswerCancel();
  EXPECT_EQ(editor->ChooseObject(chosen, "Pick"), 0);
  EXPECT_EQ(fakes.listShower.titles.back(), "Pick");
}

TEST_F(EditorItems, TheEmptyDocumentsCameraHasItsItem) {
  CG_GraphicObject* camera = editor->scene.GetCurrentCamera();
  ASSERT_NE(camera, nullptr);
  CG_SceneEditorItem* item = editor->FindItem(camera);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(editor->items.First(), item);
  editor->selection.Append(new CG_EObjectSelection(item));
  editor->ResetDocument();
  EXPECT_TRUE(editor->items.IsEmpty());
  EXPECT_TRUE(editor->selection.IsEmpty());
}

}  // namespace
}  // namespace zavo::test
