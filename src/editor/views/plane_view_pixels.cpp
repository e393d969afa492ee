#include "editor/views/plane_view_pixels.h"

#include "editor/graphic_editor.h"

namespace zavo {

bool FitPlaneView(const CG_GraphicEditor& editor, int view, PlaneViewPixels& out) {
  if (view < 0 || view > 3) return false;
  const int mode = editor.viewModes[view];
  CG_WireFrameImage* surface = editor.views[view];
  if (mode < 2 || mode > 4 || surface == nullptr) return false;
  const int width = surface->GetWidth();
  const int height = surface->GetHeight();
  if (width < 1 || height < 1) return false;
  PlaneViewPixels p;
  p.surface = surface;
  p.halfW = width / 2;
  p.halfH = height / 2;
  int flip = 0;
  editor.GetViewAxes(mode, p.hAxis, p.vAxis, flip);
  p.sign = flip != 0 ? -1.0 : 1.0;
  double window[6];
  for (int k = 0; k < 6; ++k) window[k] = editor.viewBoxes[view][k];
  CG_GraphicEditor::FitWindowToView(window, p.halfW, p.halfH, p.hAxis, p.vAxis);
  p.mapping = ParallelMapping(window);
  out = p;
  return true;
}

}  // namespace zavo
