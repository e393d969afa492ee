// The guard of scene-changing commands and the mark of a change.

#include "editor/graphic_editor.h"

int CG_GraphicEditor::NotifyChange() { return mouseMode == 0 ? 1 : 0; }

void CG_GraphicEditor::SetModified() { modified = 1; }
