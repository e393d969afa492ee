#include "geometry/surface_hit_refine.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSteps = 30;
// How close the surface point and the ray point must come, relative to the
// size of the coordinates involved.
constexpr double kRelativeResidual = 1e-12;

double Largest(const Point3D& p) { return std::max({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)}); }

// Solves [a b c] x = r by Cramer's rule; false for a singular system.
bool Solve3(const Point3D& a, const Point3D& b, const Point3D& c, const Point3D& r, double x[3]) {
  const double det = Dot(a, Cross(b, c));
  if (!(std::fabs(det) > 0.0) || !std::isfinite(det)) return false;
  x[0] = Dot(r, Cross(b, c)) / det;
  x[1] = Dot(a, Cross(r, c)) / det;
  x[2] = Dot(a, Cross(b, r)) / det;
  return std::isfinite(x[0]) && std::isfinite(x[1]) && std::isfinite(x[2]);
}

}  // namespace

bool RefineSurfaceHit(const BSplineSurface& surface, const Ray& ray, BSplineIntrInfo& hit) {
  if (surface.N() < 4 || surface.M() < 4) return false;
  double u = hit.surfaceU;
  double v = hit.surfaceV;
  double t = hit.t;
  for (int step = 0; step < kSteps; ++step) {
    const Point3D point = surface.PointAt(u, v);
    const Point3D along = ray.PointAt(t);
    const Point3D residual = point - along;
    const double scale = std::max({Largest(point), Largest(along), 1e-300});
    if (Largest(residual) <= kRelativeResidual * scale) {
      hit.surfaceU = u;
      hit.surfaceV = v;
      hit.t = t;
      return true;
    }
    // S(u, v) - R(t) = residual; the step solves Su du + Sv dv - D dt = -residual.
    double x[3];
    if (!Solve3(surface.DerivativeU(u, v), surface.DerivativeV(u, v), -1.0 * ray.direction, -1.0 * residual, x)) {
      return false;
    }
    u = std::clamp(u + x[0], surface.UMin(), surface.UMax());
    v = std::clamp(v + x[1], surface.VMin(), surface.VMax());
    t += x[2];
    if (!std::isfinite(t)) return false;
  }
  return false;
}
