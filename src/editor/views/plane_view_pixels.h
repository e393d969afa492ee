#pragma once

// The pixel mapping of a plane view (Top, Side or Front) as its decorations
// (axes, lamp glyphs, the viewing overlay) draw it: a copy of the view's
// stored window fitted to the surface, the shown axes and the flip.

#include "editor/views/view_mapping.h"
#include "geometry/point3d.h"

class CG_GraphicEditor;
class CG_WireFrameImage;

namespace zavo {

struct PlaneViewPixels {
  CG_WireFrameImage* surface = nullptr;
  int halfW = 0, halfH = 0;
  int hAxis = 0, vAxis = 1;
  double sign = 1.0;  // -1 on a flipped vertical axis
  ViewMatrix mapping;

  int Column(const Point3D& p) const { return PixelOf(mapping.Row(hAxis, p), halfW); }
  int Row(const Point3D& p) const { return PixelOf(sign * mapping.Row(vAxis, p), halfH); }
};

// False, and nothing set, for a view index outside 0..3, a view that is not a
// plane view (mode 2 to 4), or one without a surface at least a pixel wide
// and high.
bool FitPlaneView(const CG_GraphicEditor& editor, int view, PlaneViewPixels& out);

}  // namespace zavo
