// The entry of every mouse event in a view.

#include "editor/graphic_editor.h"
#include "models/core/transf.h"

namespace {

bool IsButtonRelease(const MouseEventRecord& event) { return event.kind != 0 && (event.flags & kMouseReleased) != 0; }

}  // namespace

void CG_GraphicEditor::UnselectOnScreen() {
  auto* first = dynamic_cast<CG_EObjectSelection*>(selection.First());
  CG_SceneEditorItem* item = first != nullptr ? first->item : nullptr;
  if (item != nullptr) EraseItem(item);
  ClearSelection();
  if (item != nullptr) DrawItem(item);
}

int CG_GraphicEditor::SelectedObjectMouse(const MouseEventRecord& event, int& result) {
  auto* selected = dynamic_cast<CG_EObjectSelection*>(selection.First());
  if (selected == nullptr || selected->item == nullptr) return 0;
  CG_SceneEditorItem* item = selected->item;
  CG_GraphicObject* object = item->object;
  CG_GraphicObject* wrapper = nullptr;
  FindObject(item->object, object, wrapper);
  const char* keyword = object->Keyword();
  if (keyword == nullptr) {
    if (event.kind == 1) UnselectOnScreen();
    return 0;
  }
  CG_ObjectEditorModule* module = FindObjectModule(keyword);
  if (module == nullptr) return 0;
  if (selected->status == nullptr) {
    if (event.kind == 1) UnselectOnScreen();
    return 0;
  }
  auto* transf = dynamic_cast<GTransf*>(wrapper);
  // A drag opens at a button event and closes at a release; moves between
  // them never mark the document.
  if (event.kind != 0) OpenSelectedDrag(item->object);
  result = module->Mouse(*this, item, *object, selected->status, event.view, event.x, event.y, event.flags,
                         transf != nullptr ? &transf->Forward() : nullptr);
  if (IsButtonRelease(event)) CloseSelectedDrag();
  if (result == 0) return 1;
  if (result == 1) UnselectOnScreen();
  return 0;
}

int CG_GraphicEditor::MouseEvent(const MouseEventRecord& record) {
  // A view index outside 0..3 would index past the views.
  if (record.view < 0 || record.view > 3) return 0;
  // The scene must not change under a running render.
  if (rendering != 0) return 0;
  MouseEventRecord event = record;
  if (event.kind == 0) event.flags += 3;
  // The selected object's module sees events in the active view first; an
  // answer 0 consumes the event.
  int result = 0;
  if (objectEditing == 1 && mouseMode == 0 && event.view == activeView && !selection.IsEmpty()) {
    if (SelectedObjectMouse(event, result) != 0) return 1;
  }
  // A release the module did not see still ends a drag of the object.
  if (IsButtonRelease(event)) CloseSelectedDrag();
  switch (event.kind) {
    case 0:
      MouseMoved(event);
      return 0;
    case 1:
      if ((event.flags & kMouseReleased) != 0) {
        if (objectEditing == 0 && !selection.IsEmpty()) UnselectOnScreen();
        MousePressed(event);
        return 0;
      }
      break;
    case 2:
      if ((event.flags & kMouseReleased) != 0) {
        MouseReleased(event);
        return 0;
      }
      break;
    default:
      break;
  }
  return result;
}
