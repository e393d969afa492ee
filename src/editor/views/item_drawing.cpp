// Placeholder until the four-view item drawing lands: items paint nothing.

#include "editor/graphic_editor.h"

void CG_GraphicEditor::DrawItemInView(int, CG_SceneEditorItem*) {}
