// The operations that later parts of the editor fill in: each answers 0 and
// changes nothing until its part lands.

#include "editor/graphic_editor.h"

int CG_GraphicEditor::RenderParamDialog() { return 0; }
int CG_GraphicEditor::OptionsDialog() { return 0; }
int CG_GraphicEditor::MaterialLibraryDialog() { return 0; }
int CG_GraphicEditor::ParamLibraryDialog() { return 0; }
int CG_GraphicEditor::FieldLibraryDialog() { return 0; }
