// TEMPORARY: stands in for the guard, the modified mark and the item
// redirection until the branches that build them are merged.

#include "editor/graphic_editor.h"

int CG_GraphicEditor::NotifyChange() {
  if (mouseMode != 0) return 0;
  BeginWait();
  return 1;
}

void CG_GraphicEditor::SetModified() {
  modified = 1;
  EndWait();
}

void CG_GraphicEditor::ReplaceItem(CG_SceneEditorItem* newItem, CG_SceneEditorItem* oldItem) {
  for (CG_ESelection& record : selection) {
    if (auto* object = dynamic_cast<CG_EObjectSelection*>(&record); object != nullptr && object->item == oldItem) {
      object->item = newItem;
    }
  }
}
