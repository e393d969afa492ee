// Drawing, erasing and inverting one item in one view or in all four views,
// with the drawer that suits each view's mode.

#include "editor/graphic_editor.h"
#include "editor/scene_editor_item.h"
#include "editor/views/wireframe_painter.h"

void CG_GraphicEditor::PaintItemInView(int view, CG_SceneEditorItem* item, int mode) {
  if (view < 0 || view > 3 || item == nullptr) return;
  switch (viewModes[view]) {
    case 1:
      // With DirectDraw the Preview projection leaves box segments only, and
      // the vertex painter draws nothing then: the segments are the picture.
      if (item->display.style == 1 || options.DirectDraw != 0) {
        DrawPreviewSegments(view, item, mode);
      } else {
        DrawPreviewVertices(view, item, mode);
      }
      break;
    case 2:
    case 3:
    case 4:
      DrawWireframeObjects(*this, view, item, mode);
      break;
    default:
      break;
  }
}

void CG_GraphicEditor::DrawItemInView(int view, CG_SceneEditorItem* item) { PaintItemInView(view, item, 0); }
void CG_GraphicEditor::EraseItemInView(int view, CG_SceneEditorItem* item) { PaintItemInView(view, item, 1); }
void CG_GraphicEditor::InvertItemInView(int view, CG_SceneEditorItem* item) { PaintItemInView(view, item, 2); }

void CG_GraphicEditor::DrawItem(CG_SceneEditorItem* item) {
  for (int view = 0; view < 4; ++view) DrawItemInView(view, item);
}

void CG_GraphicEditor::EraseItem(CG_SceneEditorItem* item) {
  for (int view = 0; view < 4; ++view) EraseItemInView(view, item);
}

void CG_GraphicEditor::InvertItem(CG_SceneEditorItem* item) {
  for (int view = 0; view < 4; ++view) InvertItemInView(view, item);
}
