#include "editor/views/view_mapping.h"

#include <algorithm>
#include <cmath>

#include "foundation/number_text.h"
#include "scene/graphic_object.h"
#include "scene/scene.h"
#include "scene/view_reference.h"

namespace zavo {

ViewMatrix ViewMatrix::From(const Transformation& t) {
  ViewMatrix r;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) r.m[i][j] = t[i][j];
  }
  return r;
}

ViewMatrix ViewMatrix::Times(const Transformation& t) const {
  ViewMatrix r;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) sum += m[i][k] * t[k][j];
      r.m[i][j] = sum;
    }
  }
  return r;
}

std::int16_t SaturateToShort(double x) {
  const int value = SaturateToInt(x);
  return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

int PixelOf(double u, int half) { return SaturateToInt(half * u + half); }

namespace {

// Row r of the matrix scaled by f.
void ScaleRow(ViewMatrix& matrix, int r, double f) {
  for (double& value : matrix.m[r]) value *= f;
}

}  // namespace

ViewMatrix PreviewMapping(const CG_GraphicScene& scene, int halfW, int halfH) {
  CG_ViewReference view = scene.GetViewReference();
  if (const CG_GraphicObject* camera = scene.GetCurrentCamera()) camera->GetView(view);
  Transformation product;
  if (view.type == 0) {
    ComposeTransformations(product, ParallelProjectionMatrix(), view.ParallelMatrix());
  } else {
    ComposeTransformations(product, PerspectiveProjectionMatrix(), view.PerspectiveMatrix());
  }
  ViewMatrix matrix = ViewMatrix::From(product);
  const GParam& param = scene.GetParam();
  if (param.dimy < param.dimx && param.dimx > 0) {
    ScaleRow(matrix, 1, static_cast<double>(param.dimy) / param.dimx);
  } else if (param.dimx < param.dimy && param.dimy > 0) {
    ScaleRow(matrix, 0, static_cast<double>(param.dimx) / param.dimy);
  }
  const int low = std::min(halfW, halfH);
  const int high = std::max(halfW, halfH);
  // A view one pixel wide or high has a half size of 0: no stretch then.
  if (low > 0) ScaleRow(matrix, 1, static_cast<double>(high) / low);
  return matrix;
}

ViewMatrix ParallelMapping(const double window[6]) {
  ViewMatrix matrix;
  for (int axis = 0; axis < 3; ++axis) {
    const double centre = (window[axis] + window[axis + 3]) / 2;
    const double half = (window[axis + 3] - window[axis]) / 2;
    const double scale = half != 0.0 ? 1.0 / half : 0.0;
    matrix.m[axis][axis] = scale;
    matrix.m[axis][3] = -centre * scale;
  }
  return matrix;
}

Range2D BoxRange2D(const GEO_Box& box, int hAxis, int vAxis) {
  const double mins[3] = {box.xmin, box.ymin, box.zmin};
  const double maxs[3] = {box.xmax, box.ymax, box.zmax};
  return Range2D{mins[hAxis], maxs[hAxis], mins[vAxis], maxs[vAxis]};
}

GEO_Box WindowBox(const double window[6]) {
  GEO_Box box;
  box.SetPoint({window[0], window[1], window[2]});
  box.Extend({window[3], window[4], window[5]});
  return box;
}

int RangeInside(const Range2D& a, const Range2D& b) {
  const auto inside = [](double value, double low, double high) { return value >= low && value <= high; };
  return inside(a.hmin, b.hmin, b.hmax) && inside(a.hmax, b.hmin, b.hmax) && inside(a.vmin, b.vmin, b.vmax) &&
         inside(a.vmax, b.vmin, b.vmax);
}

int RangesApart(const Range2D& a, const Range2D& b) {
  const bool hApart = b.hmax < a.hmin || b.hmin > a.hmax;
  const bool vApart = b.vmax < a.vmin || b.vmin > a.vmax;
  return hApart && vApart;
}

}  // namespace zavo
