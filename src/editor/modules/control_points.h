#pragma once

// What the control-point modules share: where a control point shows in a
// plane view, its square marker, and which point a click hits.
//
// A control point shows in each plane view (Top, Side, Front) of positive
// size, at its pixel in the view's fitted window (PlaneViewPixels); the
// Preview and views that are off show none. A curve inside a transf shows
// its points through the wrapper's matrix; a patch model shows them in its
// own coordinates.

#include <cmath>

#include "editor/views/plane_view_pixels.h"
#include "geometry/point3d.h"
#include "geometry/transformation.h"

class CG_GraphicEditor;

namespace zavo {

struct MarkerColour {
  int r, g, b;
};

inline constexpr MarkerColour kCurrentControl{255, 0, 0};
inline constexpr MarkerColour kMarkedControl{150, 0, 0};
inline constexpr MarkerColour kOtherControl{75, 75, 0};

// The pixels of a plane view for control points, the wrapper's matrix (when
// given) applied before the view's mapping. False for a view that shows no
// control points.
bool ControlPointView(const CG_GraphicEditor& editor, int view, const Transformation* wrapper,
                      PlaneViewPixels& out);

// The square outline of half side markSize - 1 about (x, y) in the colour,
// or with erase non-zero in the editor's background colour.
void DrawControlMarker(CG_GraphicEditor& editor, int view, int x, int y, int erase, int r, int g, int b);
inline void DrawControlMarker(CG_GraphicEditor& editor, int view, int x, int y, int erase, MarkerColour c) {
  DrawControlMarker(editor, view, x, y, erase, c.r, c.g, c.b);
}

// The first of count points (point(i) gives point i) whose pixel lies
// nearer than reach pixels to (x, y); -1 when none does.
template <class PointAt>
int PickControl(const PlaneViewPixels& pixels, int count, PointAt point, int x, int y, int reach) {
  for (int i = 0; i < count; ++i) {
    const Point3D p = point(i);
    const double dx = static_cast<double>(pixels.Column(p)) - x;
    const double dy = static_cast<double>(pixels.Row(p)) - y;
    if (std::sqrt(dx * dx + dy * dy) < reach) return i;
  }
  return -1;
}

// "Control n. " and the index, in the status line.
void ShowControlIndex(CG_GraphicEditor& editor, int index);

// The point with its coordinates on the two axes the view shows (0 x, 1 y,
// 2 z) taken from q.
Point3D WithShownAxes(const Point3D& point, const Point3D& q, int horizontal, int vertical);

}  // namespace zavo
