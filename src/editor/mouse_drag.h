#pragma once

// The value that the pointer's way from the drag start gives a mouse
// manipulation (modes 3 to 8), and the coordinates of a point by axis.

#include "geometry/point3d.h"

class CG_GraphicEditor;

namespace zavo {

enum class DragKind { kMove, kRotate, kScale };

// The kind of step of a mouse mode: 3 and 6 move, 4 and 7 rotate, 5 and 8
// scale.
DragKind DragKindOfMode(int mode);

// The step of a drag from the editor's drag start (in its drag view) to
// pixel (x, y) of the view:
// - move: the world point under (x, y) minus the one under the start, each
//   view giving the coordinate it does not show from its box centre;
// - rotate: the angle of CG_GraphicEditor::DragAngle on the axis that the
//   drag view does not show, 0 on the two it shows;
// - scale: the factor of CG_GraphicEditor::DragScale on all three axes.
// False, value untouched, when a view it needs is not a plane view.
bool DragValue(const CG_GraphicEditor& editor, DragKind kind, int view, int x, int y, Point3D& value);

// Coordinate 0 x, 1 y, 2 z of the point.
double& Coordinate(Point3D& point, int axis);

}  // namespace zavo
