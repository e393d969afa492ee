// The sphere's tessellation into an inline boundary-mesh object.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "foundation/table.h"
#include "geometry/mesh_builders.h"
#include "geometry/ray.h"
#include "models/core/brep.h"
#include "models/core/sphere.h"

namespace {

// Tessellation densities: below 2 the grid has no step; above the largest
// the mesh would not fit in memory. The stored div stays as read.
constexpr int kMinTessellationDiv = 2;
constexpr int kMaxTessellationDiv = 1000;

}  // namespace

int GSphere::Tessellate(zavo::DeclassedParts& parts) const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return 0;
  // n points on each meridian (from the +z pole to the -z pole) and n
  // meridians, the last one on the first: nothing is merged.
  const int n = std::clamp(div_, kMinTessellationDiv, kMaxTessellationDiv) + 1;
  const double step = 2.0 * std::numbers::pi / (n - 1);
  Table<Point3D> table(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(n));
  for (int j = 0; j < n; ++j) {
    const double phi = j * step;
    for (int i = 0; i < n; ++i) {
      const double theta = i * step / 2.0;
      const Point3D d{std::cos(phi) * std::sin(theta), std::sin(phi) * std::sin(theta), std::cos(theta)};
      table(static_cast<std::uint32_t>(j), static_cast<std::uint32_t>(i)) =
          Ray::FromDirection(center_, d).PointAt(radius_);
    }
  }
  CG_BRepDescription mesh;
  mesh.isInline = 1;
  mesh.mesh = MakeGridBRep(name.Text(), table);
  mesh.costr = 0.0;
  mesh.progress = progress_;
  parts.SetSize(1);
  parts[0].object = new GBRep(*data, mesh);
  parts[0].owned = 1;
  return 1;
}

