// Request 48: a typed key goes to the selected object's editor module, which
// may change the object; the item is then built again from the object.

#include <string>

#include "editor/graphic_editor.h"
#include "models/core/transf.h"

int CG_GraphicEditor::KeyToSelected(int key) {
  auto* selected = dynamic_cast<CG_EObjectSelection*>(selection.First());
  if (selected == nullptr || selected->item == nullptr) return 1;
  CG_SceneEditorItem* item = selected->item;
  CG_GraphicObject* object = item->object;
  CG_GraphicObject* wrapper = nullptr;
  FindObject(item->object, object, wrapper);
  CG_ObjectEditorModule* module = FindObjectModule(object->Keyword());
  if (module == nullptr) return 1;
  if (selected->status == nullptr) {
    UnselectOnScreen();
    return 1;
  }
  auto* transf = dynamic_cast<GTransf*>(wrapper);
  // Whether the key changed the object is read from its written text, not
  // from the module's answer.
  const CG_GraphicObject* edited = item->object;
  const std::string before = WrittenObjectText(edited);
  const int answer =
      module->Key(*this, item, *object, selected->status, key, transf != nullptr ? &transf->Forward() : nullptr);
  SetModifiedIfChanged(edited, before);

  // A module's dialog may have built the item again while it showed its
  // changes: the selection names the item that stands now.
  selected = dynamic_cast<CG_EObjectSelection*>(selection.First());
  if (selected == nullptr || selected->item == nullptr) return 1;
  item = selected->item;
  // The old picture goes with the old item; the new item takes its settings,
  // its selection record and its layer entries.
  RebuildItem(item);
  if (answer == 1) UnselectOnScreen();
  return 1;
}
