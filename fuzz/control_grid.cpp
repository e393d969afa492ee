// Reads a control grid from arbitrary text. A grid that is read evaluates its
// surface over the parameter range and a little beyond, and intersects one
// ray with it and tessellates it: every value must come without a crash or an
// out-of-range read.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "geometry/brep_model3.h"
#include "geometry/bspline_surface.h"
#include "geometry/patch_hits.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::istringstream in(text);
  BSplineSurface surface;
  if (!ReadControlGrid(surface, in)) {
    Check(surface.N() == 0 && surface.M() == 0);
    return 0;
  }
  Check(surface.N() >= 4 && surface.M() >= 4);
  // Bounded work per input: a coarse sampling whatever the grid's size.
  const double du = (surface.UMax() - surface.UMin()) / 6;
  const double dv = (surface.VMax() - surface.VMin()) / 6;
  for (int r = -1; r <= 7; ++r) {
    for (int c = -1; c <= 7; ++c) {
      const double u = surface.UMin() + r * du, v = surface.VMin() + c * dv;
      surface.PointAt(u, v);
      surface.DerivativeU(u, v);
      surface.DerivativeV(u, v);
    }
  }
  const std::unique_ptr<BRepModel3> mesh = TessellateSplineSurface(surface);
  const std::int64_t k = SplineMeshSamplesPerWindow(surface);
  const std::int64_t rows = (surface.N() - 3) * k + 1, cols = (surface.M() - 3) * k + 1;
  Check(mesh->vertices.Count() == rows * cols && rows * cols == SplineMeshVertexCount(surface));
  Check(mesh->faces.Count() == 2 * (rows - 1) * (cols - 1));
  if (static_cast<std::int64_t>(surface.N()) * surface.M() <= 400) {
    const Point3D a = surface.ControlPoint(0, 0);
    const Point3D b = surface.ControlPoint(surface.N() - 1, surface.M() - 1);
    Seq<BSplineIntrInfo> hits;
    const Ray ray = Ray::FromPoints(a + Point3D{0.1, 0.2, 5}, b);
    const std::int32_t count = CountPatchHits(surface, ray, hits);
    Check(count >= 0 && count <= (surface.N() - 3) * (surface.M() - 3));
    Check(static_cast<std::uint32_t>(count) <= hits.Count());
  }
  return 0;
}
