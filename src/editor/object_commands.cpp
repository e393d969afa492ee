// Creating, deleting and duplicating one scene object at a time (requests 16,
// 17 and 38) and the names the object choosers list.

#include <memory>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/layers.h"
#include "foundation/runtime_error_box.h"

void CG_GraphicEditor::ItemIterationNames(Seq<charString>& names) {
  CG_SceneEditorItem* item = nullptr;
  LayerItem* entry = nullptr;
  std::uint32_t count = 0;
  InitItemIterator(item, entry);
  while (NextItem(item, entry) != 0) ++count;
  names.SetSize(count);
  std::uint32_t i = 0;
  InitItemIterator(item, entry);
  while (NextItem(item, entry) != 0) {
    const char* objectName = item->object->name.Text();
    names[i++] = objectName != nullptr ? objectName : "";
  }
}

int CG_GraphicEditor::NewObject() {
  if (NotifyChange() == 0) return 0;
  // Groups are made from layers, never from this list.
  std::uint32_t count = 0;
  for (const CG_ObjectEditorModule& module : objectModules) {
    if (!(module.keyword == "group")) ++count;
  }
  Seq<charString> types(count);
  std::uint32_t i = 0;
  for (const CG_ObjectEditorModule& module : objectModules) {
    if (!(module.keyword == "group")) types[i++] = module.keyword;
  }
  const charString chosen = ChooseFromList("Select an object type", types);
  CG_ObjectEditorModule* module = chosen.Text() != nullptr ? FirstObjectModule(chosen.Text()) : nullptr;
  return AddCreatedObject(module != nullptr ? module->Create(*this) : nullptr);
}

int CG_GraphicEditor::DeleteObject() { return OnChosenObject(&CG_GraphicEditor::DeleteObjectNamed); }

int CG_GraphicEditor::DeleteObjectNamed(const char* objectName) {
  CG_GraphicObject* object = objectName != nullptr ? scene.FindObject(objectName) : nullptr;
  if (object == nullptr) return 1;
  ClearSelection();
  CG_SceneEditorItem* item = FindItem(object);
  if (item != nullptr) {
    EraseItem(item);
    RemoveItem(item);
  }
  // The scene does not own its camera pointer: the camera in use, and the
  // name under which a save would look for it again, go with the object.
  const charString& inUse = scene.GetParam().CameraInUse;
  if (object == scene.GetCurrentCamera() || (inUse.Text() != nullptr && inUse == object->name)) {
    SetCameraInUse(nullptr);
  }
  if (lastPickedName == object->name) lastPickedName = nullptr;
  scene.RemoveObject(object);
  SetModified();
  return 1;
}

int CG_GraphicEditor::DuplicateCommand() { return OnChosenObject(&CG_GraphicEditor::DuplicateObject); }

int CG_GraphicEditor::DuplicateObject(const char* objectName) {
  CG_GraphicObject* object = objectName != nullptr ? scene.FindObject(objectName) : nullptr;
  if (object == nullptr) RuntimeErrorBox("non qui");
  std::unique_ptr<CG_GraphicObject> copy = object->Clone();
  if (copy == nullptr) {
    Message("Cannot duplicate that object");
    CommandCancelled();
    return 0;
  }
  std::string copyName = objectName;
  do {
    copyName += "_";
  } while (scene.FindObject(copyName.c_str()) != nullptr);
  copy->name = copyName.c_str();
  AddObjectToEditor(std::move(copy));
  SetModified();
  return 1;
}
