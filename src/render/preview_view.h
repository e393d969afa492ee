#pragma once

// How the preview looks at the scene: the part of space it draws and the
// matrix that takes world points to its device coordinates.
//
// The preview sees what the ray tracer sees: everything in front of the eye
// (the view's prp), projected through the window on the view plane. Depth is
// measured along the view-plane normal, towards the side the eye looks at,
// whichever side of the view plane the eye is on. The drawn volume runs from a
// front distance to a back distance:
//   - front: the view's front plane when "fon" is set and it lies in front of
//     the eye, else a hair in front of the eye;
//   - back: the view's back plane when "bon" is set, else well beyond the
//     farthest point of the scene.
// The matrix takes a world point (x, y, z, 1) to clip coordinates (X, Y, Z, W)
// with W > 0 exactly in front of the eye and 0 <= Z <= W exactly inside the
// volume; divided by W, x and y are the device position (the window is
// [-1, 1] x [-1, 1], y upwards) and z the depth, 0 at the front and 1 at the
// back, growing with the distance. The matrix is the view's
// PerspectiveToParallelMatrix . PerspectiveMatrix with the front and back
// planes above, then z negated; it has an inverse for every sound view.

#include "geometry/point3d.h"
#include "geometry/transformation.h"

class CG_ViewReference;

namespace zavo {

struct PreviewDepths {
  double front = 0;    // distance of the front plane in front of the eye, > 0
  double back = 0;     // distance of the back plane, > front
  bool empty = false;  // the view's planes leave nothing to draw
};

// How far the world point lies in front of the eye of a sound view, along the
// view-plane normal (negative behind the eye).
double DistanceAhead(const CG_ViewReference& view, const Point3D& world);

// The drawn depths of a sound view whose scene reaches no farther than
// farthest in front of the eye (any value when nothing lies in front).
PreviewDepths ChoosePreviewDepths(const CG_ViewReference& view, double farthest);

// The matrix of a sound view with the given depths (see the head of this file).
Transformation PreviewMatrix(const CG_ViewReference& view, const PreviewDepths& depths);

}  // namespace zavo
