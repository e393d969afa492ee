// Camera edits: the scene's view record and the camera in use are changed
// together, so that an edit survives the next redraw (which copies the
// camera's record over the scene's) and a save (which writes the camera).

#include "editor/graphic_editor.h"
#include "models/core/camera.h"

CG_ViewReference& CG_GraphicEditor::CameraViewRecord() {
  CG_ViewReference& record = scene.GetViewReference();
  CG_GraphicObject* camera = scene.GetCurrentCamera();
  CG_ViewReference own;
  if (camera != nullptr && camera->GetView(own) != 0) record = own;
  return record;
}

void CG_GraphicEditor::ApplyCameraView(const CG_ViewReference& changed) {
  const CG_ViewReference value = changed;  // changed may be the scene's own record
  EraseViewing();
  scene.SetViewReference(value);
  CG_GraphicObject* camera = scene.GetCurrentCamera();
  CG_ViewReference own;
  if (camera != nullptr && camera->GetView(own) != 0) {
    CG_SceneEditorItem* old = FindItem(camera);
    if (old != nullptr) EraseItem(old);
    camera->SetView(value);
    if (auto* shaped = dynamic_cast<CG_Camera*>(camera)) shaped->Rebuild();
    if (old != nullptr) {
      const IntTriple display = old->display;
      CG_SceneEditorItem* item = CreateItem(camera);
      if (item != nullptr) ReplaceItem(item, old);
      RemoveItem(old);
      if (item != nullptr) {
        item->display = display;
        InsertItem(item);
        ProjectItem(item);
        DrawItem(item);
      }
    }
  }
  DrawViewing();
}
