// The pop-up menus on what a right click hits and the completion of the mouse
// manipulations: entry points that the mouse modes call, filled by their own
// part of the editor. Until then each does nothing and answers 0.

#include "editor/graphic_editor.h"

int CG_GraphicEditor::ObjectFlyMenu(const char*) { return 0; }
int CG_GraphicEditor::LampFlyMenu(const char*) { return 0; }
int CG_GraphicEditor::CameraFlyMenu(const char*) { return 0; }
int CG_GraphicEditor::EmptyZoneMenu(int, int, int) { return 0; }
