#pragma once

// The camera's viewing system as a figure in world space, as the Top, Side
// and Front views show it: the view reference point with short handles along
// the view-plane normal and the up vector, the projection reference point,
// the window on the view plane and the pyramid from the projection reference
// point to the window's corners.
//
// View-reference axes: n = vpn / |vpn|, u = (vup x vpn) / |vup x vpn|,
// v = n x u. The handles use the stored vectors as they are (a vpn of length
// 3 gives a handle three times as long as a unit vup's).

#include "geometry/point3d.h"

class CG_ViewReference;

namespace zavo {

struct ViewingFigure {
  // False when vup is parallel to vpn (or either is zero or not finite): u and
  // v do not exist, and prp, the window and the pyramid are left out.
  bool hasAxes = false;
  Point3D u, v, n;
  Point3D vrp;        // P0
  Point3D vpnHandle;  // P1 = vrp + L vpn
  Point3D vupHandle;  // P2 = vrp + L vup
  Point3D prp;        // P3 = vrp + prp.u u + prp.v v + prp.n n
  // W1 (umax, vmax), W2 (umin, vmax), W3 (umin, vmin), W4 (umax, vmin).
  Point3D window[4];
};

// The figure of a view record with handles of length factor L.
ViewingFigure MakeViewingFigure(const CG_ViewReference& view, double handleLength);

// One sixth of the smaller extent of a view's stored world box (minimum x,
// y, z, then maximum x, y, z) on its horizontal and vertical axes.
double ViewingHandleLength(const double box[6], int hAxis, int vAxis);

}  // namespace zavo
