// The editor's own handling of mouse events in the views: the mouse modes
// (what a left click does, what a move shows), the status-bar coordinates,
// zooming and re-centring views.

#include <cmath>
#include <locale>
#include <numbers>
#include <sstream>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/views/plane_view_pixels.h"
#include "foundation/number_text.h"

namespace {

constexpr int kLastMouseMode = 11;

// The status text shown on entering a mode; null for modes 0 and 2.
const char* ModeText(int mode) {
  static const char* const kTexts[kLastMouseMode + 1] = {
      nullptr,
      "Click with left button on new center",
      nullptr,
      "Click with left button to move the object",
      "Click with left button to rotate the object",
      "Click with left button to scale the object",
      "Click with left button to move the lamp",
      "Click with left button to rotate the lamp",
      "Click with left button to scale the object",
      "Click with left button to move VRP",
      "Click with left button to move VPN",
      "Click with left button to move VUP",
  };
  return mode >= 0 && mode <= kLastMouseMode ? kTexts[mode] : nullptr;
}

template <class T>
std::string Text(const T& value) {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out << value;
  return out.str();
}

const char* AxisLetter(int axis) { return axis == 0 ? "x" : axis == 1 ? "y" : "z"; }

}  // namespace

void CG_GraphicEditor::EnterMouseMode(int mode) {
  mouseMode = mode;
  if (const char* text = ModeText(mode)) Status(text);
}

void CG_GraphicEditor::BeginModulePointInput(std::function<void(int, int, int)> press,
                                             std::function<void(int, int, int)> move, const char* status) {
  modulePressAction = std::move(press);
  moduleMoveAction = std::move(move);
  mouseMode = 2;
  Status(status != nullptr ? status : "");
}

int CG_GraphicEditor::FeedbackShowMode() const {
  return options.ShowMode == 0 || options.ShowMode == 2 ? options.ShowMode : 1;
}

double CG_GraphicEditor::DragAngle(int startX, int x) {
  // 1/180 first: 45 pixels give exactly a quarter of pi.
  return 1.0 / 180 * (static_cast<double>(x) - startX) * std::numbers::pi;
}

double CG_GraphicEditor::DragScale(int startX, int x) {
  double s = (static_cast<double>(startX) - x) * 0.25;
  if (s == 0) s = 1;
  if (s < 0) s = 1 / -s;
  return s;
}

// ---- Press ----

void CG_GraphicEditor::MousePressed(const MouseEventRecord& event) {
  const int view = event.view;
  const int x = event.x;
  const int y = event.y;
  const int mode = mouseMode;
  if (mode != 0 && viewModes[view] == 1) return;
  switch (mode) {
    case 0:
      if (viewModes[view] == 0 || viewModes[view] == 1) {
        EraseCursor(activeView);
        activeView = -1;
      } else if (view == activeView) {
        PickAt(view, x, y, event.flags);
      } else {
        EraseCursor(activeView);
        activeView = view;
        DrawCursor(view);
      }
      return;
    case 1: {
      const int width = views[view] != nullptr ? views[view]->GetWidth() : 0;
      const int height = views[view] != nullptr ? views[view]->GetHeight() : 0;
      if (width >= 1 && height >= 1 &&
          SetViewCenter(view, static_cast<double>(x) / width, static_cast<double>(y) / height) != 0) {
        RedrawView(view);
        FillView(view);
        RefreshView(view);
      }
      break;
    }
    case 2:
      if (modulePressAction) modulePressAction(view, x, y);
      break;
    case 3:
    case 4:
    case 5:
      TakeDragFeedbackAway();
      if (mode == 3) MoveObjectByMouse(view, x, y);
      if (mode == 4) RotateObjectByMouse(view, x, y);
      if (mode == 5) ScaleObjectByMouse(view, x, y);
      break;
    case 6: MoveLampByMouse(view, x, y); break;
    case 7: RotateLampByMouse(view, x, y); break;
    case 8: ScaleLampByMouse(view, x, y); break;
    case 9: MoveVRPByMouse(view, x, y); break;
    case 10: TurnVPNByMouse(view, x, y); break;
    case 11: TurnVUPByMouse(view, x, y); break;
    default: break;
  }
  mouseMode = 0;
  Status("");
}

void CG_GraphicEditor::TakeDragFeedbackAway() {
  if (FeedbackShowMode() == 0) {
    if (mouseMode != 5 && (dragLastX != dragStartX || dragLastY != dragStartY)) {
      if (dragView >= 0 && dragView <= 3 && views[dragView] != nullptr) {
        views[dragView]->DrawXorLine(dragLastX, dragLastY, dragStartX, dragStartY);
      }
    }
    dragLastX = dragStartX;
    dragLastY = dragStartY;
    return;
  }
  // The marks hidden for the drag come back with the item.
  selectionMarksShown = 1;
  CG_SceneEditorItem* item = manipulatedObject != nullptr ? FindItem(manipulatedObject) : nullptr;
  if (item == nullptr) return;
  if (FeedbackShowMode() == 2) InvertItem(item);
  item->display.style = item->displayExtra;
}

// ---- Release ----

void CG_GraphicEditor::MouseReleased(const MouseEventRecord& event) {
  const int view = event.view;
  if (viewModes[view] == 1 && options.Test == 0) return;
  // A pending move, turn or scaling keeps its start: its feedback is drawn from it.
  if (mouseMode >= 3) return;
  CG_WireFrameImage* surface = views[view];
  if (surface == nullptr) return;
  const int width = surface->GetWidth();
  const int height = surface->GetHeight();
  if (width < 1 || height < 1) return;
  MouseReleaseAt(view, static_cast<double>(event.x) / width, static_cast<double>(event.y) / height);
}

// ---- Move ----

void CG_GraphicEditor::MouseMoved(const MouseEventRecord& event) { DragFeedback(event.view, event.x, event.y); }

void CG_GraphicEditor::DragFeedback(int view, int x, int y) {
  lastMouseView = view;
  lastMouseX = x;
  lastMouseY = y;
  Point3D p;
  int a = 0, b = 1, flip = 0;
  if (viewModes[view] == 1 || ViewPointToWorld(view, x, y, p, a, b, flip) == 0) {
    SetStatusText("");
    return;
  }
  const double at[3] = {p.x, p.y, p.z};
  const std::string where =
      std::string(AxisLetter(a)) + "= " + Text(at[a]) + "  " + AxisLetter(b) + "= " + Text(at[b]);
  SetStatusText(where.c_str());

  if (mouseMode == 2) {
    if (moduleMoveAction) moduleMoveAction(view, x, y);
    return;
  }
  if (view != dragView) return;
  CG_WireFrameImage* surface = views[view];
  const int showMode = FeedbackShowMode();
  // Show mode 0: the previous line inverted away, the new one inverted in.
  const auto rubberLine = [&](int endX, int endY) {
    if (dragLastX != dragStartX || dragLastY != dragStartY) {
      surface->DrawXorLine(dragLastX, dragLastY, dragStartX, dragStartY);
    }
    if (endX != dragStartX || endY != dragStartY) surface->DrawXorLine(endX, endY, dragStartX, dragStartY);
    dragLastX = endX;
    dragLastY = endY;
  };
  switch (mouseMode) {
    case 3:
      if (showMode == 0) {
        rubberLine(x, y);
      } else {
        PreviewObjectDrag(view, x, y);
      }
      break;
    case 4: {
      const double angle = DragAngle(dragStartX, x);
      if (showMode == 0) {
        rubberLine(zavo::SaturateToInt(dragStartX + 40 * std::sin(angle)),
                   zavo::SaturateToInt(dragStartY - 40 * std::cos(angle)));
      } else {
        PreviewObjectDrag(view, x, y);
      }
      Status(("Rotation angle = " + Text(x - dragStartX)).c_str());
      break;
    }
    case 5:
      if (showMode != 0) PreviewObjectDrag(view, x, y);
      Status(("Scale factor = " + Text(DragScale(dragStartX, x))).c_str());
      break;
    case 7:
      Status(("Rotation angle = " + Text(x - dragStartX)).c_str());
      break;
    case 8:
      Status(("Scale factor = " + Text(DragScale(dragStartX, x))).c_str());
      break;
    default:
      break;
  }
}

// ---- Navigation ----

int CG_GraphicEditor::NewCenterMode() {
  EnterMouseMode(1);
  return 1;
}

int CG_GraphicEditor::SetViewCenter(int view, double fx, double fy) {
  Point3D p;
  int a = 0, b = 1, flip = 0;
  if (ViewFractionToWorld(view, fx, fy, p, a, b, flip) == 0) return 0;
  const double centre[3] = {p.x, p.y, p.z};
  double* box = viewBoxes[view];
  for (int k = 0; k < 3; ++k) {
    const double half = (box[k + 3] - box[k]) / 2;
    box[k] = centre[k] - half;
    box[k + 3] = centre[k] + half;
  }
  return 1;
}

namespace {

// The box of a view scaled by factor about its centre on all three axes.
void ScaleBox(double box[6], double factor) {
  for (int k = 0; k < 3; ++k) {
    const double c = (box[k] + box[k + 3]) / 2;
    const double e = (box[k + 3] - box[k]) / 2;
    box[k] = c - e * factor;
    box[k + 3] = c + e * factor;
  }
}

}  // namespace

int CG_GraphicEditor::ZoomActiveView(double factor) {
  if (activeView < 0 || activeView > 3) return 0;
  ScaleBox(viewBoxes[activeView], factor);
  RedrawView(activeView);
  FillView(activeView);
  RefreshView(activeView);
  return 1;
}

int CG_GraphicEditor::ZoomIn() { return ZoomActiveView(0.5); }

int CG_GraphicEditor::ZoomOut() { return ZoomActiveView(2.0); }

// ---- World and pixels of a plane view ----

int CG_GraphicEditor::WorldToViewPoint(int view, Transformation& transformation) {
  zavo::PlaneViewPixels pv;
  if (!zavo::FitPlaneView(*this, view, pv)) return 0;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) transformation[i][j] = pv.mapping.m[i][j];
  }
  return 1;
}

int CG_GraphicEditor::WorldToPixel(int view, const Point3D& point, int& x, int& y) {
  zavo::PlaneViewPixels pv;
  if (!zavo::FitPlaneView(*this, view, pv)) return 0;
  x = pv.Column(point);
  y = pv.Row(point);
  return 1;
}
