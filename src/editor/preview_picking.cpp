// Picking in the Preview view: the ray from the camera through the clicked
// pixel, the exact inverse of the Preview mapping as the painters draw it
// (image aspect, view stretch and mirrored columns included).

#include <cmath>

#include "editor/graphic_editor.h"
#include "editor/views/view_mapping.h"
#include "editor/views/viewing_overlay.h"
#include "scene/view_reference.h"

namespace {

Point3D Part3(const double row[4]) { return Point3D{row[0], row[1], row[2]}; }

}  // namespace

int CG_GraphicEditor::PreviewPickRay(int view, int x, int y, Ray& ray) {
  if (view < 0 || view > 3 || views[view] == nullptr || viewModes[view] != 1) return 0;
  const int halfW = views[view]->GetWidth() / 2;
  const int halfH = views[view]->GetHeight() / 2;
  if (halfW < 1 || halfH < 1) return 0;
  const zavo::ViewMatrix M = zavo::PreviewMapping(scene, halfW, halfH);
  // The painters draw normalised (u, v) at column 2 halfW - trunc(halfW u +
  // halfW) and row trunc(halfH v + halfH): the middle of the pixel inverts it.
  const double u = (halfW - x + 0.5) / halfW;
  const double v = (y + 0.5 - halfH) / halfH;
  // The world points that project to (u, v) lie on two planes:
  // (row 0 - u row 3) . (p, 1) = 0 and (row 1 - v row 3) . (p, 1) = 0.
  double plane1[4], plane2[4];
  for (int k = 0; k < 4; ++k) {
    plane1[k] = M.m[0][k] - u * M.m[3][k];
    plane2[k] = M.m[1][k] - v * M.m[3][k];
  }
  const Point3D n1 = Part3(plane1);
  const Point3D n2 = Part3(plane2);
  const Point3D line = Cross(n1, n2);
  const double ll = Dot(line, line);
  if (!(ll > 1e-300) || !std::isfinite(ll)) return 0;
  // The point of the line nearest the origin.
  const Point3D p = (-plane1[3] * Cross(n2, line) + -plane2[3] * Cross(line, n1)) * (1.0 / ll);
  const Point3D w = Part3(M.m[3]);
  const double wp = Dot(w, p) + M.m[3][3];
  const double wl = Dot(w, line);
  Point3D origin;
  Point3D direction;
  if (std::fabs(wl) > 1e-12 * std::sqrt(ll) * std::sqrt(Dot(w, w))) {
    // Perspective: from the centre of projection (w' = 0) toward w' < 0,
    // where the painters draw.
    origin = p + (-wp / wl) * line;
    direction = wl < 0 ? line : -1.0 * line;
  } else {
    // Parallel: along the viewing direction, from the projection reference
    // point's place on the line.
    CG_ViewReference record = scene.GetViewReference();
    if (const CG_GraphicObject* camera = scene.GetCurrentCamera()) camera->GetView(record);
    const zavo::ViewingFigure figure = zavo::MakeViewingFigure(record, 1.0);
    const Point3D eye = figure.hasAxes ? figure.prp : figure.vrp;
    origin = p + (Dot(eye - p, line) / ll) * line;
    direction = Dot(line, record.vpn) < 0 ? line : -1.0 * line;
  }
  if (!std::isfinite(origin.x) || !std::isfinite(origin.y) || !std::isfinite(origin.z)) return 0;
  ray = Ray::FromDirection(origin, direction);
  return 1;
}

std::unique_ptr<List<GenericName>> CG_GraphicEditor::PreviewPickCandidates(int view, int x, int y) {
  Ray ray;
  if (PreviewPickRay(view, x, y, ray) == 0) return nullptr;
  // The Preview's stored segments are not mirrored; the click is.
  const int column = 2 * (views[view]->GetWidth() / 2) - x;
  auto candidates = std::make_unique<List<GenericName>>();
  const std::unique_ptr<List<GenericName>> names = ObjectsOnRay(ray, view, column, y);
  for (const GenericName& n : *names) {
    const std::string text = std::string("$") + (n.name.Text() != nullptr ? n.name.Text() : "");
    candidates->Append(new GenericName(text.c_str()));
  }
  return candidates;
}

int CG_GraphicEditor::PreviewHitSelected(CG_SceneEditorItem* item, int view, int x, int y) {
  Ray ray;
  if (PreviewPickRay(view, x, y, ray) == 0) return 0;
  const int column = 2 * (views[view]->GetWidth() / 2) - x;
  return ItemOnRay(item, ray, view, column, y);
}
