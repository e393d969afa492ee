// The render of request 4.

#include "editor/graphic_editor.h"

// The whole scene; the layers take their part with the document lifecycle.
int CG_GraphicEditor::RenderActiveLayer() { return scene.Render(); }
