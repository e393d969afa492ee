// Moving the camera's VRP and turning its VPN or VUP by mouse (modes 9, 10
// and 11). The edited record goes into the camera in use as the camera
// dialogs' edits do, so that it survives the next redraw and a save.

#include <cmath>

#include "editor/camera_vectors.h"
#include "editor/graphic_editor.h"
#include "editor/mouse_drag.h"

namespace {

// The world point under the click and the two axes its view shows; false
// for a view that is not a plane view or a box that gives no finite point.
bool ClickedPoint(const CG_GraphicEditor& editor, int view, int x, int y, Point3D& q, int& a, int& b) {
  int flip = 0;
  return editor.ViewPointToWorld(view, x, y, q, a, b, flip) != 0 && std::isfinite(q.x) && std::isfinite(q.y) &&
         std::isfinite(q.z);
}

// p / |p|; false, p untouched, when p has no direction.
bool Normalise(Point3D& p) {
  const double length = Length(p);
  if (!(length > 0) || !std::isfinite(length)) return false;
  p = Point3D(p.x / length, p.y / length, p.z / length);
  return true;
}

void StoreCameraRecord(CG_GraphicEditor& editor, const CG_ViewReference& record) {
  editor.ApplyCameraView(record);
  editor.RepaintPreviewViews();
  editor.SetModified();
}

// The vector turned towards the click: its components on the two axes the
// view shows become those of the unit direction from VRP to the clicked
// point, the third that of the vector itself made unit; the result is stored
// made unit. A click on VRP gives no direction and changes nothing; a result
// that is zero or parallel to the other vector is refused with a message.
int TurnCameraVector(CG_GraphicEditor& editor, Point3D CG_ViewReference::*turned,
                     Point3D CG_ViewReference::*other, int view, int x, int y) {
  // The mode is still set: the guard refuses and its answer is not used.
  editor.NotifyChange();
  Point3D q;
  int a = 0, b = 1;
  if (!ClickedPoint(editor, view, x, y, q, a, b)) return 0;
  CG_ViewReference record = editor.CameraViewRecord();
  Point3D d = q - record.vrp;
  if (!Normalise(d)) return 0;
  Point3D m = record.*turned;
  Normalise(m);
  zavo::Coordinate(m, a) = zavo::Coordinate(d, a);
  zavo::Coordinate(m, b) = zavo::Coordinate(d, b);
  if (!Normalise(m) || zavo::VectorsParallel(m, record.*other)) {
    editor.Message(zavo::kParallelVectorsText);
    return 0;
  }
  record.*turned = m;
  StoreCameraRecord(editor, record);
  return 1;
}

}  // namespace

int CG_GraphicEditor::MoveVRPByMouse(int view, int x, int y) {
  // The mode is still set: the guard refuses and its answer is not used.
  NotifyChange();
  Point3D q;
  int a = 0, b = 1;
  if (!ClickedPoint(*this, view, x, y, q, a, b)) return 0;
  CG_ViewReference record = CameraViewRecord();
  zavo::Coordinate(record.vrp, a) = zavo::Coordinate(q, a);
  zavo::Coordinate(record.vrp, b) = zavo::Coordinate(q, b);
  StoreCameraRecord(*this, record);
  return 1;
}

int CG_GraphicEditor::TurnVPNByMouse(int view, int x, int y) {
  return TurnCameraVector(*this, &CG_ViewReference::vpn, &CG_ViewReference::vup, view, x, y);
}

int CG_GraphicEditor::TurnVUPByMouse(int view, int x, int y) {
  return TurnCameraVector(*this, &CG_ViewReference::vup, &CG_ViewReference::vpn, view, x, y);
}
