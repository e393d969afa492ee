#pragma once

// The control points of a new curve: four points a quarter of the placement
// size apart along world x from the base point, whatever the view shows.

#include "foundation/seq.h"
#include "geometry/point3d.h"

namespace zavo {

inline void FourPointsAlongX(const Point3D& base, double size, Seq<Point3D>& points) {
  points.SetSize(4);
  for (std::uint32_t i = 0; i < 4; ++i) points[i] = base + Point3D{size * i / 4.0, 0.0, 0.0};
}

}  // namespace zavo
