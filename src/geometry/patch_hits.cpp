#include "geometry/patch_hits.h"

#include <charconv>
#include <ostream>
#include <string_view>

#include "geometry/newton.h"

namespace {

constexpr int kDepth = 2;
constexpr int kNewtonSteps = 100;
constexpr float kTolerance = 0.01f;

// Log lines end with a line break and are flushed. Numbers are written as
// text of their own, so the log stream's locale cannot group their digits.
void LogLine(std::ostream* log, std::string_view text) {
  if (log == nullptr) return;
  *log << text << std::endl;
}

std::string_view IntText(std::int32_t value, char (&buffer)[16]) {
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return {buffer, static_cast<std::size_t>(result.ptr - buffer)};
}

// Refines (u, v, t) from (0, 0, 0) and answers whether the result is a hit.
bool NewtonHit(const BSplineComp& patch, const Ray& ray, BSplineIntrInfo& hit) {
  hit = BSplineIntrInfo{};
  float x[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // x[1] = u, x[2] = v, x[3] = t
  const zavo::NewtonEquations equations = [&patch, &ray](const float* at, int, float* f, float** jacobian) {
    const double u = at[1], v = at[2], t = at[3];
    const Point3D p = PatchPoint(patch, u, v) - ray.PointAt(t);
    const Point3D du = PatchDerivativeU(patch, u, v);
    const Point3D dv = PatchDerivativeV(patch, u, v);
    const Point3D& d = ray.direction;
    f[1] = static_cast<float>(p.x);
    f[2] = static_cast<float>(p.y);
    f[3] = static_cast<float>(p.z);
    jacobian[1][1] = static_cast<float>(du.x);
    jacobian[2][1] = static_cast<float>(du.y);
    jacobian[3][1] = static_cast<float>(du.z);
    jacobian[1][2] = static_cast<float>(dv.x);
    jacobian[2][2] = static_cast<float>(dv.y);
    jacobian[3][2] = static_cast<float>(dv.z);
    jacobian[1][3] = static_cast<float>(-d.x);
    jacobian[2][3] = static_cast<float>(-d.y);
    jacobian[3][3] = static_cast<float>(-d.z);
  };
  if (!newtonsys(kNewtonSteps, x, 3, kTolerance, kTolerance, equations, zavo::ZeroRow::kFail)) return false;
  hit.t = x[3];
  hit.u = x[1];
  hit.v = x[2];
  return hit.t >= 0.0 && hit.u >= 0.0 && hit.u <= 1.0 && hit.v >= 0.0 && hit.v <= 1.0;
}

void LogDepth(std::ostream* log, int depth) {
  if (log == nullptr) return;
  char digits[16];
  *log << "dept " << IntText(depth, digits) << std::endl;
}

// Where a (sub)patch lies on the surface: its parameters (0, 0) are the
// surface's (u, v), and a step of 1 in its parameters is size on the surface.
struct Place {
  double u;
  double v;
  double size;
};

bool SearchPatch(const BSplineComp& patch, const Ray& ray, int depth, const Place& place, BSplineIntrInfo& hit);

// The search of a patch whose control box the ray meets.
bool SearchInside(const BSplineComp& patch, const Ray& ray, int depth, const Place& place,
                  BSplineIntrInfo& hit) {
  if (depth > 0) {
    BSplineComp quarters[4];
    SplitPatch(patch, quarters[0], quarters[1], quarters[2], quarters[3]);
    const double half = place.size / 2.0;
    // Quarter (a, b) is the patch at ((a + s) / 2, (b + t) / 2).
    const Place places[4] = {{place.u, place.v, half},
                             {place.u, place.v + half, half},
                             {place.u + half, place.v, half},
                             {place.u + half, place.v + half, half}};
    for (int q = 0; q < 4; ++q) {
      if (SearchPatch(quarters[q], ray, depth - 1, places[q], hit)) return true;
    }
    return false;
  }
  LogLine(patch.Log(), "Esegue newton ");
  if (!NewtonHit(patch, ray, hit)) return false;
  hit.surfaceU = place.u + place.size * hit.u;
  hit.surfaceV = place.v + place.size * hit.v;
  return true;
}

bool SearchPatch(const BSplineComp& patch, const Ray& ray, int depth, const Place& place, BSplineIntrInfo& hit) {
  std::ostream* log = patch.Log();
  LogDepth(log, depth);
  if (!PatchControlBox(patch).HitByRay(ray)) {
    LogLine(log, "Contenitore non centrato ");
    return false;
  }
  return SearchInside(patch, ray, depth, place, hit);
}

// The box of the window's control points, read from the grid: most windows
// are dropped on it before their patch record is filled.
GEO_Box WindowControlBox(const BSplineSurface& surface, std::int32_t i, std::int32_t j) {
  GEO_Box box;
  box.SetPoint(surface.ControlPoint(i, j));
  for (std::int32_t k = i; k < i + 4; ++k) {
    for (std::int32_t l = j; l < j + 4; ++l) {
      const Point3D& p = surface.ControlPoint(k, l);
      box.xmin = p.x < box.xmin ? p.x : box.xmin;
      box.xmax = p.x > box.xmax ? p.x : box.xmax;
      box.ymin = p.y < box.ymin ? p.y : box.ymin;
      box.ymax = p.y > box.ymax ? p.y : box.ymax;
      box.zmin = p.z < box.zmin ? p.z : box.zmin;
      box.zmax = p.z > box.zmax ? p.z : box.zmax;
    }
  }
  return box;
}

}  // namespace

std::int32_t CountPatchHits(const BSplineSurface& surface, const Ray& ray, Seq<BSplineIntrInfo>& hits) {
  const std::int32_t rows = surface.N() - 3;
  const std::int32_t cols = surface.M() - 3;
  if (rows <= 0 || cols <= 0) return 0;
  const std::uint32_t windows = static_cast<std::uint32_t>(rows) * static_cast<std::uint32_t>(cols);
  std::ostream* log = surface.Log();
  BSplineComp patch;
  patch.SetLog(surface.logFlag, surface.logStream);
  // A window that gives no hit leaves its scratch record for the next one.
  BSplineIntrInfo hit;
  std::uint32_t count = 0;
  char first[16], second[16];
  for (std::int32_t i = 0; i < rows; ++i) {
    for (std::int32_t j = 0; j < cols; ++j) {
      if (log != nullptr) {
        *log << "SingolSol " << IntText(i, first) << " , " << IntText(j, second) << std::endl;
      }
      LogDepth(log, kDepth);
      if (!WindowControlBox(surface, i, j).HitByRay(ray)) {
        LogLine(log, "Contenitore non centrato ");
        continue;
      }
      surface.GetPatch(i, j, patch);
      if (!SearchInside(patch, ray, kDepth, Place{double(i), double(j), 1.0}, hit)) continue;
      if (count == hits.Count()) {
        // Room grows with the hits, up to one record per window.
        const std::uint32_t room = count < windows / 2 ? (count < 4 ? 8 : count * 2) : windows;
        hits.Resize(room < windows ? room : windows);
      }
      hits[count++] = hit;
    }
  }
  return static_cast<std::int32_t>(count);
}
