#pragma once
// The modify commands' fixture: a document with the boxes b1 and b2 in the
// active layer "default", no undo snapshots, and a scripted object module for
// "box" (and any other keyword) that records what it is given and answers
// as told; probe objects that count the live ones.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document_fixture.h"
#include "editor_test_objects.h"
#include "models/core/transf.h"

namespace zavo::test {

// A shown object of the keyword "probe".
class ProbeObject : public EditorTestObject {
public:
  explicit ProbeObject(const char* objectName) : EditorTestObject(objectName) { faced = 1; }
  const char* Keyword() const override { return "probe"; }
};

// Records every call and answers from its script. Modify answers the object
// it was given, null (modifyNull) or the replacement, which it hands over;
// RunSpecial puts the replacement (when there is one) in the object's place
// and answers specialAnswer.
class ScriptedObjectModule : public CG_ObjectEditorModule {
public:
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor&) override { return nullptr; }
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int) override {
    calls.push_back("Modify " + Name(object));
    Seen(editor, &object, nullptr);
    if (replacement != nullptr) return replacement.release();
    return modifyNull ? nullptr : &object;
  }
  int SpecialNames(CG_GraphicEditor&, Seq<charString>& names, CG_GraphicObject& object) override {
    calls.push_back("SpecialNames " + Name(object));
    names.SetSize(static_cast<std::uint32_t>(specialNames.size()));
    for (std::uint32_t i = 0; i < specialNames.size(); ++i) names[i] = specialNames[i].c_str();
    return static_cast<int>(specialNames.size());
  }
  int RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                 const Transformation* wrapper) override {
    calls.push_back("RunSpecial " + std::to_string(index) + " " + Name(*object));
    Seen(editor, object, wrapper);
    if (replacement != nullptr) object = replacement.release();
    return specialAnswer;
  }

  bool modifyNull = false;
  std::unique_ptr<CG_GraphicObject> replacement;
  std::vector<std::string> specialNames;
  int specialAnswer = 1;

  std::vector<std::string> calls;
  CG_GraphicObject* given = nullptr;
  bool givenInScene = false;                  // the given object's name was in the scene
  std::optional<Transformation> wrapperSeen;  // the transf's matrix handed to RunSpecial

private:
  static std::string Name(const CG_GraphicObject& object) {
    return object.name.Text() != nullptr ? object.name.Text() : "";
  }
  void Seen(CG_GraphicEditor& editor, CG_GraphicObject* object, const Transformation* wrapper) {
    given = object;
    givenInScene = editor.scene.FindObject(object->name) != nullptr;
    wrapperSeen.reset();
    if (wrapper != nullptr) wrapperSeen = *wrapper;
  }
};

class ObjectEditTest : public DocumentTest {
protected:
  ObjectEditTest() {
    editor->options.UseUndo = 0;
    if (editor->FindLayer("default") == nullptr) editor->NewLayer("default");
    editor->activeLayer = editor->FindLayer("default");
    module = AddModule("box");
    Read(kPartsScene);
  }

  // A scripted module appended to the object modules (the document owns it).
  ScriptedObjectModule* AddModule(const char* keyword) {
    auto* added = new ScriptedObjectModule();
    added->keyword = keyword;
    editor->objectModules.Append(added);
    return added;
  }
  // The object added to the scene with an item in the active layer.
  CG_GraphicObject* Add(std::unique_ptr<CG_GraphicObject> object) {
    CG_GraphicObject* added = object.get();
    EXPECT_EQ(editor->AddObjectToEditor(std::move(object)), 1);
    return added;
  }
  // A transf of that name with one translate step around the object.
  static std::unique_ptr<GTransf> Wrapped(const char* name, std::unique_ptr<CG_GraphicObject> child) {
    CG_GraphicObjectCommData data;
    data.name = name;
    CG_TransfDescription description;
    description.steps.Append(new t_Data(0, 1.5, -2.0, 0.25));
    description.child = child.release();
    description.ownsChild = 1;
    return std::make_unique<GTransf>(data, description);
  }
  // The child of a transf of the scene.
  CG_GraphicObject* ChildOf(const char* name) {
    CG_GraphicObject* child = nullptr;
    CG_GraphicObject* wrapper = nullptr;
    editor->FindObject(editor->scene.FindObject(name), child, wrapper);
    return wrapper != nullptr ? child : nullptr;
  }
  // The position of the item in the active layer, -1 when it is not there.
  long LayerPosition(const CG_SceneEditorItem* item) const {
    long position = 0;
    for (const LayerItem& entry : editor->activeLayer->items) {
      if (entry.item == item) return position;
      ++position;
    }
    return -1;
  }
  // The item's display settings as "style centre fastview extra".
  static std::string Settings(const CG_SceneEditorItem* item) {
    if (item == nullptr) return "no item";
    return std::to_string(item->display.style) + " " + std::to_string(item->display.centre) + " " +
           std::to_string(item->display.fastview) + " " + std::to_string(item->displayExtra);
  }
  void SetSettings(const char* name, int style, int centre, int fastview, int extra) {
    CG_SceneEditorItem* item = Item(name);
    ASSERT_NE(item, nullptr);
    item->display.style = style;
    item->display.centre = centre;
    item->display.fastview = fastview;
    item->displayExtra = extra;
  }

  // The object's item becomes the only selected one.
  void Select(const char* name) {
    editor->ClearSelection();
    editor->selection.Append(new CG_EObjectSelection(Item(name)));
  }

  ScriptedObjectModule* module = nullptr;
};

}  // namespace zavo::test
