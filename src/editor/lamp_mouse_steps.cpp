// Moving, turning and scaling the manipulated lamp by mouse (modes 6, 7 and
// 8): the completing click adds one step, the lamp wrapped as the lamp
// commands wrap it. Lamps have no live preview.

#include "editor/graphic_editor.h"
#include "editor/mouse_drag.h"

using zavo::DragKind;

namespace {

using LampStep = CG_LightSource* (CG_GraphicEditor::*)(CG_LightSource*, double, double, double);

int CompleteLampStep(CG_GraphicEditor& editor, DragKind kind, LampStep step, int view, int x, int y) {
  // The mode is still set: the guard refuses and its answer is not used.
  editor.NotifyChange();
  CG_LightSource* lamp = editor.manipulatedLamp;
  Point3D v;
  // Rotations and scalings complete only in the view they started in.
  if (lamp == nullptr || (kind != DragKind::kMove && view != editor.dragView) ||
      !zavo::DragValue(editor, kind, view, x, y, v)) {
    return 0;
  }
  editor.EraseLampGlyph(lamp);
  CG_LightSource* stepped = (editor.*step)(lamp, v.x, v.y, v.z);
  // Null: not a lamp of the lamp list, which is left as it was.
  if (stepped == nullptr) return 0;
  editor.manipulatedLamp = stepped;
  editor.DrawLampGlyph(stepped);
  editor.SetModified();
  return 1;
}

}  // namespace

int CG_GraphicEditor::MoveLampByMouse(int view, int x, int y) {
  return CompleteLampStep(*this, DragKind::kMove, &CG_GraphicEditor::TranslateLampBy, view, x, y);
}

int CG_GraphicEditor::RotateLampByMouse(int view, int x, int y) {
  return CompleteLampStep(*this, DragKind::kRotate, &CG_GraphicEditor::RotateLampBy, view, x, y);
}

int CG_GraphicEditor::ScaleLampByMouse(int view, int x, int y) {
  return CompleteLampStep(*this, DragKind::kScale, &CG_GraphicEditor::ScaleLampBy, view, x, y);
}
