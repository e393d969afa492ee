#include "editor/modules/control_points.h"

#include <algorithm>
#include <string>

#include "editor/graphic_editor.h"

namespace zavo {

bool ControlPointView(const CG_GraphicEditor& editor, int view, const Transformation* wrapper,
                      PlaneViewPixels& out) {
  if (!FitPlaneView(editor, view, out)) return false;
  if (wrapper != nullptr) out.mapping = out.mapping.Times(*wrapper);
  return true;
}

void DrawControlMarker(CG_GraphicEditor& editor, int view, int x, int y, int erase, int r, int g, int b) {
  if (view < 0 || view > 3 || editor.views[view] == nullptr) return;
  if (erase != 0) editor.GetBackgroundColor(r, g, b);
  // A point far outside the view is brought nearer first, so that the
  // corners cannot overflow; its marker is off the view either way.
  constexpr int kFar = 1 << 24;
  x = std::clamp(x, -kFar, kFar);
  y = std::clamp(y, -kFar, kFar);
  const int k = std::clamp(editor.markSize, 1, kFar) - 1;
  CG_WireFrameImage& surface = *editor.views[view];
  surface.DrawLine(x - k, y - k, x + k, y - k, r, g, b);
  surface.DrawLine(x + k, y - k, x + k, y + k, r, g, b);
  surface.DrawLine(x + k, y + k, x - k, y + k, r, g, b);
  surface.DrawLine(x - k, y + k, x - k, y - k, r, g, b);
}

void ShowControlIndex(CG_GraphicEditor& editor, int index) {
  editor.Status(("Control n. " + std::to_string(index)).c_str());
}

Point3D WithShownAxes(const Point3D& point, const Point3D& q, int horizontal, int vertical) {
  double p[3] = {point.x, point.y, point.z};
  const double from[3] = {q.x, q.y, q.z};
  p[horizontal] = from[horizontal];
  p[vertical] = from[vertical];
  return {p[0], p[1], p[2]};
}

}  // namespace zavo
