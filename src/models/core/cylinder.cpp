#include "models/core/cylinder.h"

#include <cmath>

#include "geometry/ray.h"

GCylinder::GCylinder(CG_GraphicObjectCommData& data, const zavo::AxialSolidDescription& description)
    : AxialSolid(data, description) {}

std::unique_ptr<CG_GraphicObject> GCylinder::Clone() const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  CG_CylinderDescription description;
  GetDescription(description);
  return std::make_unique<GCylinder>(*data, description);
}

std::unique_ptr<CG_GraphicObjectIntrInfo> GCylinder::NewIntrInfo() const {
  return std::make_unique<CG_CylinderIntrInfo>();
}

int GCylinder::Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
  auto& hits = static_cast<CG_CylinderIntrInfo&>(record);
  hits.count = 0;
  const Point3D& o = ray.origin;
  const Point3D& d = ray.direction;
  const double r = radius_;
  const double h = high_;
  double t[2] = {0.0, 0.0};
  int part[2] = {zavo::kSidePart, zavo::kSidePart};
  const double a = d.x * d.x + d.y * d.y;
  if (a == 0.0) {
    // Parallel to the axis: through both caps when within the radius.
    if (d.z == 0.0 || !(o.x * o.x + o.y * o.y <= r * r)) return 0;
    t[0] = (h - o.z) / d.z;
    part[0] = zavo::kTopPart;
    t[1] = (-h - o.z) / d.z;
    part[1] = zavo::kBottomPart;
    return StoreHits(hits, 2, t, part);
  }
  const double b = 2.0 * (o.x * d.x + o.y * d.y);
  const double c = o.x * o.x + o.y * o.y - r * r;
  const double discriminant = b * b - 4.0 * a * c;
  if (!(discriminant >= 0.0)) return 0;  // a miss, or not a number
  const double s = std::sqrt(discriminant);
  const double roots[2] = {((-b + s) / 2.0) / a, ((-b - s) / 2.0) / a};
  int n = 0;
  for (double root : roots) {
    const double z = o.z + root * d.z;
    if (z > h) {
      if (d.z == 0.0) continue;
      t[n] = (h - o.z) / d.z;
      part[n++] = zavo::kTopPart;
    } else if (z < -h) {
      if (d.z == 0.0) continue;
      t[n] = (-h - o.z) / d.z;
      part[n++] = zavo::kBottomPart;
    } else {
      t[n] = root;
      part[n++] = zavo::kSidePart;
    }
  }
  // Both beyond the same cap: the ray passes above or below the cylinder.
  if (n == 2 && part[0] == part[1] && part[0] != zavo::kSidePart) return 0;
  return StoreHits(hits, n, t, part);
}

Point3D GCylinder::SideNormal(const Ray&, const Point3D& point) const {
  return {point.x / radius_, point.y / radius_, 0.0};
}

Point3D GCylinder::UpperRowPoint(int row, double x, double y) const {
  return row == 0 ? Point3D{0.0, 0.0, high_} : Point3D{x, y, high_};
}

std::unique_ptr<CG_GraphicObject> CG_CylinderModule::Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                                          CG_GraphicObjectCommData& data) {
  CG_CylinderDescription description;
  if (!zavo::ReadAxialSolidBody(scene, scanner, description)) return nullptr;
  return std::make_unique<GCylinder>(data, description);
}
