#pragma once

// The mappings from world space to a view's pixels and the small range
// helpers of the projection.
//
// Preview view: M = projection x viewing matrix of the camera's view record,
// then the image aspect (the image frame keeps the image's proportions: for a
// wide image the vertical axis is scaled by dimy/dimx, for a tall one the
// horizontal axis by dimx/dimy), then the vertical axis stretched by
// max(halfW, halfH) / min(halfW, halfH). A point is in front of the eye when
// its w' < 0; its normalised coordinates are (x'/w', y'/w').
//
// Top, Side and Front views: the view's window, fitted to the view's aspect,
// maps onto -1..1 on every axis; u and v are the rows of the horizontal and
// vertical axes.
//
// Pixels: column = trunc(halfW u + halfW), row = trunc(s v halfH + halfH)
// (s = -1 on a flipped vertical axis, always 1 in the Preview view). Every
// conversion saturates (NaN gives 0); segment ends saturate to 16 bits.

#include <cstdint>

#include "geometry/box.h"
#include "geometry/point3d.h"
#include "geometry/transformation.h"

class CG_GraphicScene;

namespace zavo {

// A 4x4 matrix acting on column vectors, as plain numbers for the inner loops.
struct ViewMatrix {
  double m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

  static ViewMatrix From(const Transformation& t);
  // Row r applied to (p, 1).
  double Row(int r, const Point3D& p) const {
    return m[r][0] * p.x + m[r][1] * p.y + m[r][2] * p.z + m[r][3];
  }
  // this x t: t acts first.
  ViewMatrix Times(const Transformation& t) const;
};

// Truncation toward zero, saturated to the 16-bit range of a segment end.
std::int16_t SaturateToShort(double x);
// trunc(half * u + half), saturated.
int PixelOf(double u, int half);

// The Preview mapping for the scene's camera (the current camera object's view
// record when there is one, else the scene's view record) and a view of half
// sizes halfW, halfH.
ViewMatrix PreviewMapping(const CG_GraphicScene& scene, int halfW, int halfH);

// The parallel mapping of a window already fitted to the view (minimum x, y,
// z, then maximum x, y, z). A window flat on an axis maps that axis to 0.
ViewMatrix ParallelMapping(const double window[6]);

// A 2-D range of two axes of a box.
struct Range2D {
  double hmin = 0.0, hmax = 0.0, vmin = 0.0, vmax = 0.0;
};

// The range of the horizontal and vertical axes (0 x, 1 y, 2 z) of a box.
Range2D BoxRange2D(const GEO_Box& box, int hAxis, int vAxis);
// The box spanned by a window's two corners (minimum x, y, z, maximum x, y, z).
GEO_Box WindowBox(const double window[6]);
// 1 when a lies inside b on both axes, bounds included.
int RangeInside(const Range2D& a, const Range2D& b);
// 1 when b lies wholly on one side of a on the horizontal axis and also on
// the vertical axis.
int RangesApart(const Range2D& a, const Range2D& b);

}  // namespace zavo
