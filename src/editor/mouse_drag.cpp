// The values of the mouse manipulation's drags.

#include "editor/mouse_drag.h"

#include "editor/graphic_editor.h"

namespace zavo {

DragKind DragKindOfMode(int mode) {
  switch (mode) {
    case 4:
    case 7:
      return DragKind::kRotate;
    case 5:
    case 8:
      return DragKind::kScale;
    default:
      return DragKind::kMove;
  }
}

double& Coordinate(Point3D& point, int axis) { return axis == 0 ? point.x : axis == 1 ? point.y : point.z; }

bool DragValue(const CG_GraphicEditor& editor, DragKind kind, int view, int x, int y, Point3D& value) {
  Point3D start;
  int a = 0, b = 1, flip = 0;
  if (editor.ViewPointToWorld(editor.dragView, editor.dragStartX, editor.dragStartY, start, a, b, flip) == 0) {
    return false;
  }
  switch (kind) {
    case DragKind::kMove: {
      Point3D end;
      if (editor.ViewPointToWorld(view, x, y, end, a, b, flip) == 0) return false;
      value = end - start;
      return true;
    }
    case DragKind::kRotate:
      value = Point3D{0, 0, 0};
      Coordinate(value, 3 - a - b) = CG_GraphicEditor::DragAngle(editor.dragStartX, x);
      return true;
    case DragKind::kScale: {
      const double s = CG_GraphicEditor::DragScale(editor.dragStartX, x);
      value = Point3D{s, s, s};
      return true;
    }
  }
  return false;
}

}  // namespace zavo
