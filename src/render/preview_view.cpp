#include "render/preview_view.h"

#include <cmath>

#include "scene/view_reference.h"

namespace zavo {

namespace {

// +1 when the eye lies on the side of the view plane that vpn points to (it
// then looks against vpn), -1 when it lies on the other side.
double EyeSide(const CG_ViewReference& view) { return view.prp.z > 0 ? 1.0 : -1.0; }

// How close to the eye the drawn volume starts, as a part of the scene's
// depth, when no front plane is set: near enough that only what touches the
// eye is left out, far enough that depths keep their order in doubles.
constexpr double kFrontPart = 1e-6;

}  // namespace

double DistanceAhead(const CG_ViewReference& view, const Point3D& world) {
  const Point3D n = view.vpn * (1 / Length(view.vpn));
  return EyeSide(view) * (view.prp.z - Dot(n, world - view.vrp));
}

PreviewDepths ChoosePreviewDepths(const CG_ViewReference& view, double farthest) {
  const double side = EyeSide(view);
  double scale = std::fabs(view.prp.z);
  if (std::isfinite(farthest) && farthest > scale) scale = farthest;

  PreviewDepths depths;
  depths.front = kFrontPart * scale;
  if (view.fon) {
    const double front = side * (view.prp.z - view.f);
    if (front > depths.front) depths.front = front;
  }
  depths.back = view.bon ? side * (view.prp.z - view.b) : 2 * scale;
  if (!(depths.back > depths.front) || !std::isfinite(depths.back) || !std::isfinite(depths.front)) {
    // Nothing lies between the planes; the matrix still needs a volume.
    depths.empty = true;
    if (!std::isfinite(depths.front)) depths.front = kFrontPart * scale;
    depths.back = 2 * depths.front;
  }
  return depths;
}

Transformation PreviewMatrix(const CG_ViewReference& view, const PreviewDepths& depths) {
  // The planes at those distances in front of the eye, in view coordinates.
  CG_ViewReference planes = view;
  const double side = EyeSide(view);
  planes.f = view.prp.z - side * depths.front;
  planes.b = view.prp.z - side * depths.back;

  Transformation canonical;
  ComposeTransformations(canonical, planes.PerspectiveToParallelMatrix(), planes.PerspectiveMatrix());
  // The canonical volume puts the front at z = 0 and the back at z = -1.
  Transformation flip;
  ScaleTransformation(flip, 1, 1, -1);
  Transformation m;
  ComposeTransformations(m, flip, canonical);
  return m;
}

}  // namespace zavo
