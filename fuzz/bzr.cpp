// Reads arbitrary text as a Bezier patch text. A text that reads (with at
// most 64 patches) becomes an embedded Bezier model: its control table, a few
// moved points and one conversion at div 3 without a cache must come without
// a crash, and the mesh holds at most nine points a patch.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "geometry/geo_scanner.h"
#include "models/core/brep.h"
#include "models/curved/bezier.h"

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
  CG_BezierDescription d;
  if (!GBezier::ReadPatches(scanner, d.patches)) return 0;
  int patches = 0;
  for (auto it = d.patches.begin(); it != d.patches.end(); ++it) ++patches;
  if (patches > 64) return 0;
  d.embedded = 1;
  d.div = 3;
  d.cache = 0;
  d.gridDim = 20;
  CG_GraphicObjectCommData common;
  common.name = "fuzz";
  GBezier model(common, d);
  const int count = model.PointCount();
  Check(count <= 16 * patches);
  Check(count >= (patches > 0 ? 1 : 0));
  for (int i : {0, count / 2, count - 1, count}) {
    Point3D p;
    if (model.GetPoint(i, p)) {
      p.z += 1.0;
      Check(model.SetPoint(i, p) == 1);
    } else {
      Check(i < 0 || i >= count);
    }
  }
  zavo::DeclassedParts parts;
  Check(model.DeclassToFaced(parts, 0) == 1);
  Check(parts.Size() == 1 && parts[0].owned == 1);
  const auto* mesh = dynamic_cast<GBRep*>(parts[0].object);
  Check(mesh != nullptr);
  Check(mesh->VertexCount() <= 9 * patches);
  Check(mesh->FaceCount() == 8 * patches);
  zavo::ReleaseDeclassedParts(parts);
  return 0;
}
