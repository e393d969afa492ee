// Reads arbitrary text as a NURBS text, with the checks of its counts and
// knots. Each patch of a text that reads (up to 20 x 20 points) is sampled at
// the nine parameters of a tessellation at div 3: every point must be finite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "geometry/geo_scanner.h"
#include "models/curved/nurbs_mesh.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::istringstream in(text);
  GeoScanner scanner(in);
  scanner.Next();
  List<CG_NURBSPatch> patches;
  CG_NURBSMesh::ReadPatches(scanner, patches);
  for (const CG_NURBSPatch& p : patches) {
    Check(p.orderx >= 1 && p.orderx <= p.dimx && p.ordery >= 1 && p.ordery <= p.dimy);
    Check(p.knotsU.Count() == static_cast<std::uint32_t>(p.dimx + p.orderx));
    if (p.dimx > 20 || p.dimy > 20) continue;
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) {
        const double u = i == 2 ? p.UMax() : p.UMin() + i * (p.UMax() - p.UMin()) / 2;
        const double v = j == 2 ? p.VMax() : p.VMin() + j * (p.VMax() - p.VMin()) / 2;
        const Point3D q = p.PointAt(u, v);
        Check(std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z));
      }
    }
  }
  return 0;
}
