// Lamps in the Top, Side and Front views: a cross at the lamp's position and
// the shape its lamp editor module gives, placed afresh at every drawing.

#include "editor/graphic_editor.h"
#include "editor/lamp_wrapping.h"
#include "editor/views/plane_view_pixels.h"
#include "editor/views/view_mapping.h"

namespace {

void ShapeLines(CG_GraphicEditor& editor, CG_LightSource& lamp, CG_WireFrameImage& surface,
                const zavo::ViewMatrix& M, int hAxis, int vAxis, double sign, int halfW, int halfH, int erase) {
  CG_LampEditorModule* module = editor.FindLampModule(lamp.Keyword());
  if (module == nullptr || module->HasShape() == 0) return;
  Seq<Point3D> points;
  module->GetShape(editor, lamp, points);
  int r = 180, g = 0, b = 0;
  if (erase != 0) editor.GetBackgroundColor(r, g, b);
  const std::uint32_t n = points.Count();
  for (std::uint32_t i = 0; i + 1 < n; i += 2) {
    const Point3D& p = points[i];
    const Point3D& q = points[i + 1];
    surface.DrawLine(zavo::PixelOf(M.Row(hAxis, p), halfW), zavo::PixelOf(sign * M.Row(vAxis, p), halfH),
                     zavo::PixelOf(M.Row(hAxis, q), halfW), zavo::PixelOf(sign * M.Row(vAxis, q), halfH), r, g,
                     b);
  }
}

}  // namespace

void CG_GraphicEditor::DrawLampShape(CG_LightSource* lamp, int view, const zavo::ViewMatrix& M, int halfW,
                                     int halfH, int erase) {
  if (lamp == nullptr || view < 0 || view > 3 || views[view] == nullptr) return;
  int hAxis = 0, vAxis = 1, flip = 0;
  GetViewAxes(viewModes[view], hAxis, vAxis, flip);
  const double sign = flip != 0 ? -1.0 : 1.0;
  auto* wrapper = dynamic_cast<GTransfLamp*>(lamp);
  if (wrapper == nullptr) {
    ShapeLines(*this, *lamp, *views[view], M, hAxis, vAxis, sign, halfW, halfH, erase);
    return;
  }
  const zavo::ViewMatrix moved = M.Times(wrapper->Forward());
  InnerLampLoan loan(*wrapper);
  if (loan.Lamp() != nullptr) {
    ShapeLines(*this, *loan.Lamp(), *views[view], moved, hAxis, vAxis, sign, halfW, halfH, erase);
  }
}

namespace {

void LampGlyph(CG_GraphicEditor& editor, int view, CG_LightSource* lamp, int erase) {
  zavo::PlaneViewPixels pv;
  if (lamp == nullptr || !zavo::FitPlaneView(editor, view, pv)) return;
  const Point3D at = lamp->Position();
  editor.DrawCrossMarker(view, pv.Column(at), pv.Row(at), erase);
  editor.DrawLampShape(lamp, view, pv.mapping, pv.halfW, pv.halfH, erase);
}

}  // namespace

void CG_GraphicEditor::DrawLampGlyphInView(int view, CG_LightSource* lamp) { LampGlyph(*this, view, lamp, 0); }

void CG_GraphicEditor::EraseLampGlyphInView(int view, CG_LightSource* lamp) { LampGlyph(*this, view, lamp, 1); }

void CG_GraphicEditor::DrawLampGlyph(CG_LightSource* lamp) {
  for (int v = 0; v < 4; ++v) DrawLampGlyphInView(v, lamp);
}

void CG_GraphicEditor::EraseLampGlyph(CG_LightSource* lamp) {
  for (int v = 0; v < 4; ++v) EraseLampGlyphInView(v, lamp);
}
