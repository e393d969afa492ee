// Whole views painted again after a change that the erase-change-draw round
// of one item cannot show.

#include "editor/graphic_editor.h"

void CG_GraphicEditor::RepaintViews() {
  for (int v = 0; v < 4; ++v) {
    if (viewModes[v] != 0) FillView(v);
  }
  RedrawParallelViews();
  RedrawPreviewViews();
}

void CG_GraphicEditor::RepaintPreviewViews() {
  for (int v = 0; v < 4; ++v) {
    if (viewModes[v] != 1) continue;
    RedrawView(v);
    FillView(v);
    RefreshView(v);
  }
}
