// The operations that later parts of the editor fill in: each answers 0 and
// changes nothing until its part lands.

#include "editor/graphic_editor.h"

int CG_GraphicEditor::NewMaterial() { return 0; }
int CG_GraphicEditor::DeleteMaterial() { return 0; }
int CG_GraphicEditor::ChangeMaterial() { return 0; }
int CG_GraphicEditor::GroupFromLayer() { return 0; }
int CG_GraphicEditor::LayerFromGroup() { return 0; }
int CG_GraphicEditor::SelectTexture() { return 0; }
int CG_GraphicEditor::DeleteTexture() { return 0; }
int CG_GraphicEditor::SelectMappingType() { return 0; }
int CG_GraphicEditor::DropMapping() { return 0; }
int CG_GraphicEditor::ModifyMapping() { return 0; }
int CG_GraphicEditor::EndMappingEdit() { return 0; }
int CG_GraphicEditor::BeginMappingEdit() { return 0; }
void CG_GraphicEditor::ResetFrame() {}
int CG_GraphicEditor::SetFrame() { return 0; }
int CG_GraphicEditor::AnimationOptions() { return 0; }
int CG_GraphicEditor::ExportAnimation() { return 0; }
int CG_GraphicEditor::OpenPrologConsole() { return 0; }
int CG_GraphicEditor::StartProlog() { return 0; }
