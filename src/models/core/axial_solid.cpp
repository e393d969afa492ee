#include "models/core/axial_solid.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "foundation/table.h"
#include "geometry/mesh_builders.h"
#include "models/core/brep.h"

namespace zavo {

namespace {

// Tessellation densities: below 4 the rows of the grid do not fit; above the
// largest the mesh would not fit in memory. The stored div stays as read.
constexpr int kMinTessellationDiv = 4;
constexpr int kMaxTessellationDiv = 1000;

}  // namespace

AxialSolid::AxialSolid(CG_GraphicObjectCommData& data, const AxialSolidDescription& description)
    : UniformModelObject(data),
      radius_(description.radius),
      high_(description.high),
      div_(description.div),
      progress_(description.progress) {
  RenewBounding();
}

void AxialSolid::RenewBounding() {
  auto box = std::make_unique<BoundingBox>(Point3D{-radius_, -radius_, -high_});
  box->Extend({radius_, radius_, high_});
  bounding_ = std::move(box);
}

void AxialSolid::GetDescription(AxialSolidDescription& description) const {
  description.radius = radius_;
  description.high = high_;
  description.div = div_;
  description.progress = progress_;
}

void AxialSolid::SetDescription(const AxialSolidDescription& description) {
  radius_ = description.radius;
  high_ = description.high;
  div_ = description.div;
  progress_ = description.progress;
  RenewBounding();
}

void AxialSolid::HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                            Point3D& point, Point3D& normal) const {
  const auto& hits = static_cast<const AxialSolidIntrInfo&>(record);
  point = ray.PointAt(record.Value(index));
  switch (hits.part[index == 1 ? 1 : 0]) {
    case kTopPart:
      normal = {0.0, 0.0, 1.0};
      break;
    case kBottomPart:
      normal = {0.0, 0.0, -1.0};
      break;
    default:
      normal = SideNormal(ray, point);
      break;
  }
  MapPoint(material, point);
  EvalTexture(point, normal);
}

int AxialSolid::StoreHits(AxialSolidIntrInfo& record, int n, const double t[2], const int part[2]) const {
  int kept = 0;
  for (int k = 0; k < n; ++k) {
    if (t[k] < toll) continue;
    record.t[kept] = t[k];
    record.part[kept] = part[k];
    ++kept;
  }
  if (kept == 2 && record.t[1] < record.t[0]) {
    std::swap(record.t[0], record.t[1]);
    std::swap(record.part[0], record.part[1]);
  }
  record.count = kept;
  return kept;
}

int AxialSolid::DeclassToFaced(DeclassedParts& parts, int) { return Tessellate(parts); }

int AxialSolid::DeclassToTriangleMesh(DeclassedParts& parts) { return Tessellate(parts); }

int AxialSolid::DeclassToIndexedMesh(DeclassedParts& parts, int) { return Tessellate(parts); }

int AxialSolid::Tessellate(DeclassedParts& parts) const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return 0;
  const int n = std::clamp(div_, kMinTessellationDiv, kMaxTessellationDiv);
  const double step = 2.0 * std::numbers::pi / (n - 1);
  const auto size = static_cast<std::uint32_t>(n);
  Table<Point3D> table(size, size);
  for (std::uint32_t i = 0; i < size; ++i) {
    const double alpha = i * step;
    const double x = radius_ * std::cos(alpha);
    const double y = radius_ * std::sin(alpha);
    table(0, i) = UpperRowPoint(0, x, y);
    table(1, i) = UpperRowPoint(1, x, y);
    table(2, i) = {x, y, -high_};
    for (std::uint32_t row = 3; row < size; ++row) table(row, i) = {0.0, 0.0, -high_};
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

}  // namespace zavo
