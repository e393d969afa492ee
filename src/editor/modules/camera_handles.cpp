// The camera's viewing pyramid in the plane views and its three handles:
// the view reference point, the end of the view-plane normal and the end of
// the up vector. The normal and the up vector show as they are stored, L
// times their length, with L a sixth of the smaller extent of the view's
// stored window on its two axes: the handles keep their size on the screen
// whatever the zoom.

#include <cmath>

#include "editor/graphic_editor.h"
#include "editor/modules/camera_module.h"
#include "editor/modules/control_points.h"
#include "editor/views/plane_view_pixels.h"
#include "editor/views/viewing_overlay.h"
#include "models/core/camera.h"
#include "scene/view_reference.h"

using namespace zavo;

namespace {

constexpr const char* kParallelText = "VUP and VPN are parallel. Cannot change.";
constexpr const char* kHandleNames[] = {"VRP", "VPN", "VUP"};
constexpr int kPyramidGrey = 200;

CG_ECameraSelectionStatus* StatusOf(CG_ESelectionStatus* status) {
  return dynamic_cast<CG_ECameraSelectionStatus*>(status);
}

bool Finite(const Point3D& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// The pixels of a plane view for the pyramid: the stored window fitted to the
// surface's full width and height, the wrapper's matrix applied first. False
// for a view that is no plane view or has no surface of a pixel at least.
bool PyramidView(const CG_GraphicEditor& editor, int view, const Transformation* wrapper, PlaneViewPixels& out) {
  if (!FitPlaneView(editor, view, out)) return false;
  double window[6];
  for (int k = 0; k < 6; ++k) window[k] = editor.viewBoxes[view][k];
  CG_GraphicEditor::FitWindowToView(window, out.surface->GetWidth(), out.surface->GetHeight(), out.hAxis,
                                    out.vAxis);
  out.mapping = ParallelMapping(window);
  if (wrapper != nullptr) out.mapping = out.mapping.Times(*wrapper);
  return true;
}

ViewingFigure FigureInView(const CG_GraphicEditor& editor, int view, const PlaneViewPixels& pixels,
                           const CG_ViewReference& record) {
  return MakeViewingFigure(record, ViewingHandleLength(editor.viewBoxes[view], pixels.hAxis, pixels.vAxis));
}

// The pyramid in one view, or in the background colour with erase set. A
// frame that cannot be formed (vup along vpn, a zero vpn) shows the handles
// only; a line or mark at a point that is not finite is left out.
void DrawPyramid(CG_GraphicEditor& editor, int view, const CG_ViewReference& record, const Transformation* wrapper,
                 int erase) {
  PlaneViewPixels pixels;
  if (!PyramidView(editor, view, wrapper, pixels)) return;
  const ViewingFigure figure = FigureInView(editor, view, pixels, record);
  int r = kPyramidGrey, g = kPyramidGrey, b = kPyramidGrey;
  if (erase != 0) editor.GetBackgroundColor(r, g, b);
  const auto line = [&](const Point3D& from, const Point3D& to) {
    if (!Finite(from) || !Finite(to)) return;
    pixels.surface->DrawLine(pixels.Column(from), pixels.Row(from), pixels.Column(to), pixels.Row(to), r, g, b);
  };
  using Mark = void (CG_GraphicEditor::*)(int, int, int, int);
  const auto mark = [&](Mark draw, const Point3D& at) {
    if (Finite(at)) (editor.*draw)(view, pixels.Column(at), pixels.Row(at), erase);
  };
  line(figure.vrp, figure.vpnHandle);
  line(figure.vrp, figure.vupHandle);
  if (figure.hasAxes) {
    line(figure.vrp, figure.prp);
    for (int k = 0; k < 4; ++k) line(figure.window[k], figure.window[(k + 1) % 4]);
    for (const Point3D& corner : figure.window) line(figure.prp, corner);
  }
  mark(&CG_GraphicEditor::DrawMark3, figure.vrp);
  mark(&CG_GraphicEditor::DrawMark1, figure.vpnHandle);
  mark(&CG_GraphicEditor::DrawMark2, figure.vupHandle);
  if (figure.hasAxes) mark(&CG_GraphicEditor::DrawMark4, figure.prp);
}

void DrawPyramidEverywhere(CG_GraphicEditor& editor, const CG_ViewReference& record,
                           const Transformation* wrapper) {
  for (int view = 0; view < 4; ++view) DrawPyramid(editor, view, record, wrapper, 0);
}

// The first handle (1 VRP, 2 VPN, 3 VUP) whose pixel lies nearer than reach
// pixels to (x, y); 0 for none.
int HandleUnder(const PlaneViewPixels& pixels, const ViewingFigure& figure, int x, int y, int reach) {
  const Point3D handles[3] = {figure.vrp, figure.vpnHandle, figure.vupHandle};
  for (int i = 0; i < 3; ++i) {
    if (!Finite(handles[i])) continue;
    const double dx = static_cast<double>(pixels.Column(handles[i])) - x;
    const double dy = static_cast<double>(pixels.Row(handles[i])) - y;
    if (dx * dx + dy * dy < static_cast<double>(reach) * reach) return i + 1;
  }
  return 0;
}

// The point whose image under the wrapper (none: itself) takes q's
// coordinates on the two shown axes; false when the wrapper has no inverse.
bool UnderPointer(const Point3D& point, const Point3D& q, int horizontal, int vertical,
                  const Transformation* wrapper, Point3D& out) {
  if (wrapper == nullptr) {
    out = WithShownAxes(point, q, horizontal, vertical);
    return true;
  }
  Transformation inverse;
  try {
    inverse = wrapper->Inverse();
  } catch (const xMatrix&) {
    return false;
  }
  out = TransformPoint(inverse, WithShownAxes(TransformPoint(*wrapper, point), q, horizontal, vertical));
  return Finite(out);
}

Point3D Divided(const Point3D& p, double d) { return Point3D{p.x / d, p.y / d, p.z / d}; }

}  // namespace

void CG_CameraEditorModule::DrawSelection(CG_GraphicEditor& editor, CG_SceneEditorItem*, CG_GraphicObject& object,
                                          CG_ESelectionStatus*, int view, int drawMode,
                                          const Transformation* wrapper) {
  CG_ViewReference record;
  if (object.GetView(record) == 0) return;
  DrawPyramid(editor, view, record, wrapper, drawMode != 0 ? 1 : 0);
}

int CG_CameraEditorModule::Mouse(CG_GraphicEditor& editor, CG_SceneEditorItem*, CG_GraphicObject& object,
                                 CG_ESelectionStatus* status, int view, int x, int y, int flags,
                                 const Transformation* wrapper) {
  if ((flags & kMouseRight) != 0) return 4;
  CG_ECameraSelectionStatus* s = StatusOf(status);
  CG_ViewReference record;
  if (s == nullptr || object.GetView(record) == 0) return 4;
  PlaneViewPixels pixels;
  if (!PyramidView(editor, view, wrapper, pixels)) return 0;
  const int hit = HandleUnder(pixels, FigureInView(editor, view, pixels, record), x, y, editor.pickTolerance);
  if (hit == 0 && s->chosenHandle == 0) return 1;
  if (hit != 0 && hit == s->chosenHandle) {
    editor.Status(kHandleNames[hit - 1]);
    return 0;
  }
  s->chosenHandle = hit;
  DrawPyramidEverywhere(editor, record, wrapper);
  return 0;
}

int CG_CameraEditorModule::Key(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
                               CG_ESelectionStatus* status, int character, const Transformation* wrapper) {
  CG_ECameraSelectionStatus* s = StatusOf(status);
  CG_ViewReference record;
  if (character != 'm' || s == nullptr || object.GetView(record) == 0) return 4;
  const int handle = s->chosenHandle;
  if (handle < 1 || handle > 3) return 0;
  // The Preview and views that are off give no world point.
  Point3D q;
  int horizontal = 0, vertical = 1, flip = 0;
  if (editor.ViewPointToWorld(editor.lastMouseView, editor.lastMouseX, editor.lastMouseY, q, horizontal, vertical,
                              flip) == 0) {
    return 0;
  }
  editor.SnapToGrid(q);
  const double length = ViewingHandleLength(editor.viewBoxes[editor.lastMouseView], horizontal, vertical);
  const ViewingFigure figure = MakeViewingFigure(record, length);
  const Point3D bases[3] = {figure.vrp, figure.vpnHandle, figure.vupHandle};
  Point3D moved;
  if (!UnderPointer(bases[handle - 1], q, horizontal, vertical, wrapper, moved)) return 0;

  CG_ViewReference changed = record;
  if (handle == 1) changed.vrp = moved;
  if (handle == 2) changed.vpn = Divided(moved - record.vrp, length);
  if (handle == 3) changed.vup = Divided(moved - record.vrp, length);
  // A zero normal or an up vector along it leaves the camera without a frame.
  if (!(Length(Cross(changed.vup, changed.vpn)) > 0.0)) {
    editor.Message(kParallelText);
    return 0;
  }
  auto* camera = dynamic_cast<CG_Camera*>(&object);
  const auto change = [&](CG_GraphicObject&) {
    object.SetView(changed);
    if (camera != nullptr) camera->Rebuild();
  };
  if (item != nullptr) {
    editor.RebuildItem(item, change);
  } else {
    change(object);
  }
  editor.RedrawAll();
  return 4;
}
