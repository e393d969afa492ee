// The completion of the mouse manipulations: entry points that the mouse
// modes call, filled by their own part of the editor. Until then each does
// nothing and answers 0.

#include "editor/graphic_editor.h"

void CG_GraphicEditor::PreviewObjectDrag(int, int, int) {}
int CG_GraphicEditor::MoveObjectByMouse(int, int, int) { return 0; }
int CG_GraphicEditor::RotateObjectByMouse(int, int, int) { return 0; }
int CG_GraphicEditor::ScaleObjectByMouse(int, int, int) { return 0; }
int CG_GraphicEditor::MoveLampByMouse(int, int, int) { return 0; }
int CG_GraphicEditor::RotateLampByMouse(int, int, int) { return 0; }
int CG_GraphicEditor::ScaleLampByMouse(int, int, int) { return 0; }
int CG_GraphicEditor::MoveVRPByMouse(int, int, int) { return 0; }
int CG_GraphicEditor::TurnVPNByMouse(int, int, int) { return 0; }
int CG_GraphicEditor::TurnVUPByMouse(int, int, int) { return 0; }
