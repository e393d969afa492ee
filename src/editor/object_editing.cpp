// Taking an object out of the scene for its editor module and putting the
// module's result back in its place.

#include "editor/object_editing.h"

#include "editor/graphic_editor.h"
#include "models/core/transf.h"
#include "scene/view_reference.h"

namespace zavo {

int FindEditTarget(CG_GraphicEditor& editor, CG_GraphicObject* object, EditTarget& target) {
  CG_GraphicObject* inner = nullptr;
  CG_GraphicObject* wrapper = nullptr;
  editor.FindObject(object, inner, wrapper);
  // An empty transf: FindObject has told the user and cancelled.
  if (inner == nullptr) return 0;
  const char* keyword = inner->Keyword();
  if (keyword == nullptr) {
    editor.Message("Can' t find the module name of the object.");
    editor.CommandCancelled();
    return 0;
  }
  CG_ObjectEditorModule* module = editor.FindObjectModule(keyword);
  if (module == nullptr) {
    editor.Message("Can' t find the module of the object.");
    editor.CommandCancelled();
    return 0;
  }
  target.object = object;
  target.inner = inner;
  target.module = module;
  return 1;
}

TakenObject TakeOut(CG_GraphicEditor& editor, const EditTarget& target,
                    std::unique_ptr<CG_SceneEditorItem>& oldItem, ItemSettings& settings) {
  CG_SceneEditorItem* item = editor.FindItem(target.object);
  settings = ItemSettings{};
  if (item != nullptr) {
    settings.display = item->display;
    settings.extra = item->displayExtra;
    editor.EraseItem(item);
    editor.items.Remove(item);
  }
  oldItem.reset(item);
  TakenObject taken;
  taken.name = target.object->name;
  taken.cameraInUse = target.object == editor.scene.GetCurrentCamera();
  taken.inner = target.inner;
  if (target.inner != target.object) taken.wrapper = dynamic_cast<GTransf*>(target.object);
  taken.detached = editor.scene.DetachObject(target.object);
  return taken;
}

namespace {

// The result takes the place of the object the module was given; the old
// object is handed out to be destroyed once the new one is in place.
std::unique_ptr<CG_GraphicObject> SwapInner(TakenObject& taken, CG_GraphicObject* result) {
  // The module handing back the transf itself changes nothing.
  if (result == nullptr || result == taken.inner || result == taken.detached.get()) return nullptr;
  std::unique_ptr<CG_GraphicObject> old;
  if (taken.wrapper != nullptr) {
    CG_TransfDescription description;
    taken.wrapper->GetTransformList(description);
    if (description.ownsChild != 0) old.reset(description.child);
    description.child = result;
    description.ownsChild = 1;
    // The steps are the ones the wrapper had: they have an inverse.
    taken.wrapper->SetTransformList(description);
  } else {
    old = std::move(taken.detached);
    taken.detached.reset(result);
  }
  taken.inner = result;
  return old;
}

// A name that no scene object has: the one given, else the old one, else
// the old one extended by "_".
void FreeName(CG_GraphicEditor& editor, CG_GraphicObject& object, const charString& oldName) {
  if (editor.scene.FindObject(object.name) == nullptr) return;
  editor.Message("Exist an object with same name");
  std::string name = oldName.Text() != nullptr ? oldName.Text() : "";
  while (editor.scene.FindObject(name.c_str()) != nullptr) name += "_";
  object.name = name.c_str();
}

}  // namespace

CG_SceneEditorItem* PutBack(CG_GraphicEditor& editor, TakenObject& taken, CG_GraphicObject* result,
                            std::unique_ptr<CG_SceneEditorItem> oldItem, const ItemSettings& settings) {
  std::unique_ptr<CG_GraphicObject> replaced = SwapInner(taken, result);
  CG_GraphicObject* placed = taken.detached.get();
  if (placed == nullptr) return nullptr;
  FreeName(editor, *placed, taken.name);
  editor.scene.AddObject(std::move(taken.detached));
  taken.wrapper = nullptr;
  taken.inner = nullptr;

  CG_SceneEditorItem* item = editor.CreateItem(placed);
  if (oldItem != nullptr) editor.ReplaceItem(item, oldItem.get());
  if (item != nullptr) {
    item->display = settings.display;
    item->displayExtra = settings.extra;
    editor.InsertItem(item);
    editor.ProjectItem(item);
    editor.DrawItem(item);
  }
  // The old item, then the old object, once nothing refers to them.
  oldItem.reset();
  replaced.reset();
  if (taken.cameraInUse) {
    editor.SetCameraInUse(IsCamera(placed) != 0 ? placed : nullptr);
    editor.RedrawIfCurrent(placed);
  }
  return item;
}

int IsCamera(const CG_GraphicObject* object) {
  CG_ViewReference view;
  return object != nullptr && object->GetView(view) != 0 ? 1 : 0;
}

}  // namespace zavo
