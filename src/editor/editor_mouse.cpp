// The entry of every mouse event in a view.

#include "editor/graphic_editor.h"

int CG_GraphicEditor::MouseEvent(const MouseEventRecord& record) {
  // A view index outside 0..3 would index past the views.
  if (record.view < 0 || record.view > 3) return 0;
  MouseEventRecord event = record;
  if (event.kind == 0) event.flags += 3;
  // The selected object's module sees the event first; it joins with the
  // items and the selection.
  const int result = 0;
  switch (event.kind) {
    case 0:
      MouseMoved(event);
      return 0;
    case 1:
      if ((event.flags & kMouseReleased) != 0) {
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
