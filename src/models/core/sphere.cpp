#include "models/core/sphere.h"

#include <cmath>
#include <utility>

#include "geometry/ray.h"

GSphere::GSphere(CG_GraphicObjectCommData& data, const CG_SphereDescription& description)
    : UniformModelObject(data),
      center_(description.center),
      radius_(description.radius),
      div_(description.div),
      progress_(description.progress) {
  RenewBounding();
}

void GSphere::RenewBounding() {
  const double h = std::sqrt(2.0) * radius_;
  auto box = std::make_unique<BoundingBox>(center_ - Point3D{h, h, h});
  box->Extend(center_ + Point3D{h, h, h});
  bounding_ = std::move(box);
}

std::unique_ptr<CG_GraphicObject> GSphere::Clone() const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  CG_SphereDescription description;
  GetDescription(description);
  return std::make_unique<GSphere>(*data, description);
}

std::unique_ptr<CG_GraphicObjectIntrInfo> GSphere::NewIntrInfo() const {
  return std::make_unique<CG_SphereIntrInfo>();
}

int GSphere::Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
  auto& hits = static_cast<CG_SphereIntrInfo&>(record);
  const Point3D v = ray.origin - center_;
  const double b = 2.0 * Dot(v, ray.direction);
  const double c = Dot(v, v) - radius_ * radius_;
  const double discriminant = b * b - 4.0 * c;
  if (!(discriminant >= 0.0)) {  // a miss, or not a number
    hits.count = 0;
    return 0;
  }
  const double s = std::sqrt(discriminant);
  const double t1 = (-b + s) / 2.0;
  const double t2 = (-b - s) / 2.0;
  hits.t[0] = t1;
  hits.t[1] = t2;
  if (t1 < toll) {
    if (t2 >= toll) {
      hits.t[0] = t2;
      hits.count = 1;
    } else {
      hits.count = 0;
    }
  } else if (t2 < toll) {
    hits.count = 1;
  } else {
    hits.count = 2;
    if (t1 > t2) std::swap(hits.t[0], hits.t[1]);
  }
  return hits.count;
}

void GSphere::HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                         Point3D& point, Point3D& normal) const {
  point = ray.PointAt(record.Value(index));
  normal = (point - center_) * (1.0 / radius_);
  MapPoint(material, point);
  EvalTexture(point, normal);
}

int GSphere::DeclassToFaced(zavo::DeclassedParts& parts, int) { return Tessellate(parts); }

int GSphere::DeclassToTriangleMesh(zavo::DeclassedParts& parts) { return Tessellate(parts); }

int GSphere::DeclassToIndexedMesh(zavo::DeclassedParts& parts, int) { return Tessellate(parts); }

void GSphere::GetDescription(CG_SphereDescription& description) const {
  description.center = center_;
  description.radius = radius_;
  description.div = div_;
  description.progress = progress_;
}

void GSphere::SetDescription(const CG_SphereDescription& description) {
  center_ = description.center;
  radius_ = description.radius;
  div_ = description.div;
  progress_ = description.progress;
  RenewBounding();
}
