#include "models/curved/vrml_node.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "foundation/table.h"
#include "geometry/mesh_builders.h"
#include "models/core/brep.h"

namespace {

// Tessellation densities: below 2 the grid has no step, above the largest
// the mesh would not fit in memory. The stored div stays as read.
constexpr int kMinTessellationDiv = 2;
constexpr int kMaxTessellationDiv = 1024;

}  // namespace

CG_AbstractVRMLNode::CG_AbstractVRMLNode(CG_GraphicObjectCommData& data,
                                         const CG_AbstractVRMLNodeDescription& description)
    : UniformModelObject(data) {
  SetDescription(description);
}

void CG_AbstractVRMLNode::GetDescription(CG_AbstractVRMLNodeDescription& description) const {
  description.center = center_;
  description.radius = radius_;
  description.div = div_;
  description.assoc = assoc_;
  description.show = show_;
  description.sysInterface = sysInterface_;
}

void CG_AbstractVRMLNode::SetDescription(const CG_AbstractVRMLNodeDescription& description) {
  center_ = description.center;
  radius_ = description.radius;
  div_ = description.div;
  assoc_ = description.assoc;
  show_ = description.show;
  sysInterface_ = description.sysInterface;
  RenewBounding();
}

void CG_AbstractVRMLNode::RenewBounding() {
  const double h = std::sqrt(2.0) * radius_;
  auto box = std::make_unique<BoundingBox>(center_ - Point3D{h, h, h});
  box->Extend(center_ + Point3D{h, h, h});
  bounding_ = std::move(box);
}

std::int64_t CG_AbstractVRMLNode::TessellationVertices() const {
  const std::int64_t n = std::clamp(div_, kMinTessellationDiv, kMaxTessellationDiv) + 1;
  return n * n;
}

std::unique_ptr<BRepModel3> CG_AbstractVRMLNode::MakeMesh() const {
  const int n = std::clamp(div_, kMinTessellationDiv, kMaxTessellationDiv) + 1;
  const double step = 2.0 * std::numbers::pi / (n - 1);
  Table<Point3D> table(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(n));
  for (int k = 0; k < n; ++k) {
    const double phi = k * step;
    for (int i = 0; i < n; ++i) {
      const double theta = i * step / 2.0;
      const Point3D d{std::cos(phi) * std::sin(theta), std::sin(phi) * std::sin(theta), std::cos(theta)};
      table(static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(i)) = center_ + radius_ * d;
    }
  }
  return MakeGridBRep(name.Text(), table);
}

std::unique_ptr<CG_GraphicObject> CG_AbstractVRMLNode::Clone() const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  CG_AbstractVRMLNodeDescription description;
  description.center = center_;
  description.radius = radius_;
  description.div = div_;
  description.show = 1;
  description.sysInterface = sysInterface_;
  return std::make_unique<CG_AbstractVRMLNode>(*data, description);
}

std::unique_ptr<CG_GraphicObjectIntrInfo> CG_AbstractVRMLNode::NewIntrInfo() const {
  return std::make_unique<CG_AbstractVRMLNodeIntrInfo>();
}

int CG_AbstractVRMLNode::Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
  auto& info = static_cast<CG_AbstractVRMLNodeIntrInfo&>(record);
  info.count = 0;
  const Point3D v = ray.origin - center_;
  const double b = 2.0 * Dot(v, ray.direction);
  const double c = Dot(v, v) - radius_ * radius_;
  const double disc = b * b - 4.0 * c;
  if (!(disc >= 0.0)) return 0;  // a miss, or not a number
  const double s = std::sqrt(disc);
  const double t1 = (s - b) / 2.0;
  const double t2 = (-b - s) / 2.0;
  if (t2 >= toll) {
    info.hits[0] = t2;
    info.hits[1] = t1;
    info.count = 2;
  } else if (t1 >= toll) {
    info.hits[0] = t1;
    info.count = 1;
  }
  return info.count;
}

void CG_AbstractVRMLNode::HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index,
                                     CG_Material& material, Point3D& point, Point3D& normal) const {
  point = ray.PointAt(record.Value(index));
  // Normalised rather than divided by the radius, so that a node given a
  // radius of no size by the editor still answers a unit normal.
  const Point3D out = point - center_;
  const double length = Length(out);
  normal = length > 0.0 && std::isfinite(length) ? (1.0 / length) * out : -1.0 * ray.direction;
  MapPoint(material, point);
  EvalTexture(point, normal);
}

int CG_AbstractVRMLNode::MeshPart(zavo::DeclassedParts& parts) const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return 0;
  CG_BRepDescription mesh;
  mesh.isInline = 1;
  mesh.mesh = MakeMesh();
  mesh.costr = 0.0;
  mesh.hierKind = "auto";
  mesh.gridDim = 20;
  mesh.interp = 0;
  mesh.interp_ang = std::numbers::pi / 6.0;
  mesh.interp_hold = 0;
  mesh.progress = sysInterface_;
  parts.SetSize(1);
  parts[0].object = new GBRep(*data, mesh);
  parts[0].owned = 1;
  return 1;
}

int CG_AbstractVRMLNode::DeclassToFaced(zavo::DeclassedParts& parts, int) { return MeshPart(parts); }

int CG_AbstractVRMLNode::DeclassToTriangleMesh(zavo::DeclassedParts& parts) { return MeshPart(parts); }

int CG_AbstractVRMLNode::DeclassToIndexedMesh(zavo::DeclassedParts& parts, int) { return MeshPart(parts); }
