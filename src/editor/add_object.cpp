// A finished object from a tool (3-D text, the importers) put into the scene,
// the editor and the views.

#include "editor/graphic_editor.h"
#include "editor/layers.h"

int CG_GraphicEditor::AddObjectToEditor(std::unique_ptr<CG_GraphicObject> object) {
  CG_GraphicObject* added = object.get();
  if (scene.AddObject(std::move(object)) == 0) return 0;
  CG_SceneEditorItem* item = CreateItem(added);
  // An object that cannot be shown stays in the scene without an item.
  if (item == nullptr) return 0;
  if (activeLayer != nullptr) activeLayer->Add(item);
  InsertItem(item);
  ProjectItem(item);
  for (int v = 0; v < 4; ++v) DrawItemInView(v, item);
  return 1;
}
