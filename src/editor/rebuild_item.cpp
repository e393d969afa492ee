// An item built again from its object, in the old item's place.

#include <memory>

#include "editor/graphic_editor.h"

CG_SceneEditorItem* CG_GraphicEditor::RebuildItem(CG_SceneEditorItem* item,
                                                  const std::function<void(CG_GraphicObject&)>& change) {
  if (item == nullptr) return nullptr;
  EraseItem(item);
  const IntTriple settings = item->display;
  const std::int32_t extra = item->displayExtra;
  items.Remove(item);
  std::unique_ptr<CG_SceneEditorItem> old(item);
  if (change) change(*old->object);
  CG_SceneEditorItem* created = CreateItem(old->object);
  ReplaceItem(created, old.get());
  old.reset();
  if (created != nullptr) {
    created->display = settings;
    created->displayExtra = extra;
    InsertItem(created);
    ProjectItem(created);
    DrawItem(created);
  }
  return created;
}
