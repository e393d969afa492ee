#pragma once

// Ray intersection of a B-spline surface, patch by patch.

#include <cstdint>

#include "foundation/seq.h"
#include "geometry/bspline_patch.h"
#include "geometry/bspline_surface.h"
#include "geometry/ray.h"

// Intersects the ray with every window of the surface, i (outer) from 0 to
// n - 4 and j (inner) from 0 to m - 4. A window whose control box the ray
// misses is dropped; otherwise it is split twice into quarters (first half
// in u and v, first in u and second in v, second in u and first in v, second
// in both), dropping every quarter whose control box the ray misses, and on
// each remaining quarter of the second split a Newton iteration in single
// precision solves PatchPoint(u, v) = origin + t direction from
// (u, v, t) = (0, 0, 0) (at most 100 steps, tolerance 0.01 on the summed
// step and on the summed residual). The first quarter whose result has
// t >= 0 and u and v in 0..1 gives the window's one hit; its u and v are the
// parameters of that quarter, as they are, and surfaceU and surfaceV the
// point's parameters on the surface (the window index plus the place inside
// the window), where PointAt and the derivatives of the surface are taken. An iteration that meets a singular
// Jacobian (a ray in the plane of a flat patch) gives no hit.
//
// Answers the number of hits; they fill hits[0] onwards in window order.
// When hits has no room left for a hit it is enlarged (keeping its records,
// never beyond one record per window); it is never shrunk, and records past
// the count are left as they were.
//
// With the surface's log flag on, the lines "SingolSol " i " , " j for every
// window, "dept " d for every (sub)patch searched, "Contenitore non centrato "
// for every box missed and "Esegue newton " before every iteration go to the
// surface's log stream, each ended by a line break and flushed.
std::int32_t CountPatchHits(const BSplineSurface& surface, const Ray& ray, Seq<BSplineIntrInfo>& hits);
