#pragma once

// Polishing a ray's hit on a spline surface in double precision.

#include "geometry/bspline_patch.h"
#include "geometry/bspline_surface.h"
#include "geometry/ray.h"

// Newton's method in double precision on PointAt(u, v) = origin + t direction,
// started from the hit's surfaceU, surfaceV and t, u and v kept inside the
// surface's parameter rectangle. On success (the point and the ray meet
// within a few units in the last place of the point's coordinates) the hit
// takes the polished t, surfaceU and surfaceV, and true is answered; otherwise
// the hit is left as it was and false is answered.
bool RefineSurfaceHit(const BSplineSurface& surface, const Ray& ray, BSplineIntrInfo& hit);
