// Request 18: an object changed by its editor module's Modify.

#include <memory>

#include "editor/graphic_editor.h"
#include "editor/object_editing.h"

int CG_GraphicEditor::ModifyObject() { return OnChosenObject(&CG_GraphicEditor::ModifyObjectNamed); }

int CG_GraphicEditor::ModifyObjectNamed(const char* objectName) {
  CG_GraphicObject* object = scene.FindObject(objectName);
  if (object == nullptr) return 1;
  zavo::EditTarget target;
  if (zavo::FindEditTarget(*this, object, target) == 0) return 0;

  std::unique_ptr<CG_SceneEditorItem> oldItem;
  ItemSettings settings;
  TakenObject taken = zavo::TakeOut(*this, target, oldItem, settings);
  CG_GraphicObject* result = target.module->Modify(*this, *taken.inner, 0);
  zavo::PutBack(*this, taken, result, std::move(oldItem), settings);
  if (result == nullptr) {
    CommandCancelled();
    return 0;
  }
  SetModified();
  return 1;
}
