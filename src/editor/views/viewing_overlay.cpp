// The viewing-system overlay of the Top, Side and Front views: drawn after a
// camera change, erased before one. It is not part of a view's refresh.

#include "editor/views/viewing_overlay.h"

#include <algorithm>
#include <cmath>

#include "editor/graphic_editor.h"
#include "editor/views/plane_view_pixels.h"
#include "editor/views/view_mapping.h"
#include "scene/view_reference.h"

namespace zavo {

ViewingFigure MakeViewingFigure(const CG_ViewReference& view, double handleLength) {
  ViewingFigure figure;
  figure.vrp = view.vrp;
  figure.vpnHandle = view.vrp + handleLength * view.vpn;
  figure.vupHandle = view.vrp + handleLength * view.vup;

  const Point3D side = Cross(view.vup, view.vpn);
  const double sideLength = Length(side);
  const double vpnLength = Length(view.vpn);
  if (!(sideLength > 0.0) || !std::isfinite(sideLength) || !(vpnLength > 0.0) || !std::isfinite(vpnLength)) {
    return figure;
  }
  figure.hasAxes = true;
  figure.n = view.vpn * (1.0 / vpnLength);
  figure.u = side * (1.0 / sideLength);
  figure.v = Cross(figure.n, figure.u);
  const auto at = [&](double a, double b, double c) { return view.vrp + a * figure.u + b * figure.v + c * figure.n; };
  figure.prp = at(view.prp.x, view.prp.y, view.prp.z);
  figure.window[0] = at(view.umax, view.vmax, 0.0);
  figure.window[1] = at(view.umin, view.vmax, 0.0);
  figure.window[2] = at(view.umin, view.vmin, 0.0);
  figure.window[3] = at(view.umax, view.vmin, 0.0);
  return figure;
}

double ViewingHandleLength(const double box[6], int hAxis, int vAxis) {
  const double d1 = box[hAxis + 3] - box[hAxis];
  const double d2 = box[vAxis + 3] - box[vAxis];
  return std::min(d1, d2) * 0.16666666666666666;
}

}  // namespace zavo

namespace {

struct Colour {
  int r, g, b;
};

struct Pixel {
  int x, y;
};

void ViewingOverlay(CG_GraphicEditor& editor, int view, int erase) {
  zavo::PlaneViewPixels pv;
  if (!zavo::FitPlaneView(editor, view, pv)) return;
  CG_WireFrameImage* surface = pv.surface;

  Colour grey{200, 200, 200};
  Colour frame{200, 200, 100};
  if (erase != 0) {
    Colour background{0, 0, 0};
    editor.GetBackgroundColor(background.r, background.g, background.b);
    grey = frame = background;
  }

  const auto pixel = [&](const Point3D& p) { return Pixel{pv.Column(p), pv.Row(p)}; };
  const auto line = [&](const Pixel& a, const Pixel& b, const Colour& c) {
    surface->DrawLine(a.x, a.y, b.x, b.y, c.r, c.g, c.b);
  };

  const zavo::ViewingFigure figure = zavo::MakeViewingFigure(
      editor.scene.GetViewReference(), zavo::ViewingHandleLength(editor.viewBoxes[view], pv.hAxis, pv.vAxis));
  const Pixel p0 = pixel(figure.vrp);
  const Pixel p1 = pixel(figure.vpnHandle);
  const Pixel p2 = pixel(figure.vupHandle);
  line(p0, p1, grey);
  line(p0, p2, grey);
  const Pixel p3 = figure.hasAxes ? pixel(figure.prp) : p0;
  if (figure.hasAxes) {
    const Pixel w[4] = {pixel(figure.window[0]), pixel(figure.window[1]), pixel(figure.window[2]),
                        pixel(figure.window[3])};
    line(p0, p3, grey);
    for (int k = 0; k < 4; ++k) line(w[k], w[(k + 1) % 4], frame);
    for (int k = 0; k < 4; ++k) line(p3, w[k], frame);
  }
  editor.DrawMark3(view, p0.x, p0.y, erase);
  editor.DrawMark1(view, p1.x, p1.y, erase);
  editor.DrawMark2(view, p2.x, p2.y, erase);
  if (figure.hasAxes) editor.DrawMark4(view, p3.x, p3.y, erase);
}

}  // namespace

void CG_GraphicEditor::DrawViewingInView(int view) { ViewingOverlay(*this, view, 0); }

void CG_GraphicEditor::EraseViewingInView(int view) { ViewingOverlay(*this, view, 1); }

void CG_GraphicEditor::DrawViewing() {
  for (int v = 0; v < 4; ++v) DrawViewingInView(v);
}

void CG_GraphicEditor::EraseViewing() {
  for (int v = 0; v < 4; ++v) EraseViewingInView(v);
}
