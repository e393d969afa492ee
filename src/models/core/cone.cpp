#include "models/core/cone.h"

#include <cmath>

#include "geometry/ray.h"

CG_Cone::CG_Cone(CG_GraphicObjectCommData& data, const zavo::AxialSolidDescription& description)
    : AxialSolid(data, description) {}

std::unique_ptr<CG_GraphicObject> CG_Cone::Clone() const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  CG_ConeDescription description;
  GetDescription(description);
  return std::make_unique<CG_Cone>(*data, description);
}

std::unique_ptr<CG_GraphicObjectIntrInfo> CG_Cone::NewIntrInfo() const { return std::make_unique<CG_ConeIntrInfo>(); }

int CG_Cone::Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
  auto& hits = static_cast<CG_ConeIntrInfo&>(record);
  hits.count = 0;
  const Point3D& o = ray.origin;
  const Point3D& d = ray.direction;
  const double r = radius_;
  const double h = high_;
  const double k = Steepness();
  // The line against the double cone x^2 + y^2 = k z^2: a t^2 + b t + c.
  const double a = d.x * d.x + d.y * d.y - k * d.z * d.z;
  const double b = 2.0 * (o.x * d.x + o.y * d.y - k * o.z * d.z);
  const double c = o.x * o.x + o.y * o.y - k * o.z * o.z;
  double t[2] = {0.0, 0.0};
  int part[2] = {zavo::kSidePart, zavo::kSidePart};

  if (a > 0.0) {
    // Less steep than the mantle: inside the cone between the two roots,
    // which lie on the same half of the double cone.
    const double discriminant = b * b - 4.0 * a * c;
    if (!(discriminant >= 0.0)) return 0;
    const double s = std::sqrt(discriminant);
    const double roots[2] = {((-b + s) / 2.0) / a, ((-b - s) / 2.0) / a};
    int n = 0;
    for (double root : roots) {
      const double z = o.z + root * d.z;
      if (z > 0.0) continue;  // the mirrored cone above the apex
      if (z < -h) {
        if (d.z == 0.0) continue;
        t[n] = (-h - o.z) / d.z;
        part[n++] = zavo::kBottomPart;
      } else {
        t[n] = root;
        part[n++] = zavo::kSidePart;
      }
    }
    // Both below the base: the ray passes under the solid.
    if (n == 2 && part[0] == zavo::kBottomPart && part[1] == zavo::kBottomPart) return 0;
    return StoreHits(hits, n, t, part);
  }
  if (!(a <= 0.0)) return 0;  // not a number

  // As steep as the mantle or steeper: the line is in the solid between its
  // mantle crossing below the apex and its base crossing, so the hits are the
  // first and the last of the mantle crossings between base and apex and the
  // crossing with the base disc.
  double found[3];
  int foundPart[3];
  int m = 0;
  const auto mantle = [&](double root) {
    const double z = o.z + root * d.z;
    if (z >= -h && z <= 0.0) {
      found[m] = root;
      foundPart[m++] = zavo::kSidePart;
    }
  };
  if (a < 0.0) {
    const double discriminant = b * b - 4.0 * a * c;
    if (discriminant >= 0.0) {
      const double s = std::sqrt(discriminant);
      mantle(((-b + s) / 2.0) / a);
      mantle(((-b - s) / 2.0) / a);
    }
  } else if (b != 0.0) {
    mantle(-c / b);  // parallel to a mantle line: one crossing
  }
  if (d.z != 0.0) {
    const double tb = (-h - o.z) / d.z;
    const double x = o.x + tb * d.x;
    const double y = o.y + tb * d.y;
    if (x * x + y * y <= r * r) {
      found[m] = tb;
      foundPart[m++] = zavo::kBottomPart;
    }
  }
  if (m == 0) return 0;
  int first = 0;
  int last = 0;
  for (int i = 1; i < m; ++i) {
    if (found[i] < found[first]) first = i;
    if (found[i] >= found[last]) last = i;
  }
  if (m == 1) return StoreHits(hits, 1, found, foundPart);
  t[0] = found[first];
  part[0] = foundPart[first];
  t[1] = found[last];
  part[1] = foundPart[last];
  return StoreHits(hits, 2, t, part);
}

Point3D CG_Cone::SideNormal(const Ray& ray, const Point3D& point) const {
  const Point3D n{point.x, point.y, -Steepness() * point.z};
  const double length = Length(n);
  return length > 0.0 ? n * (1.0 / length) : -ray.direction;
}

Point3D CG_Cone::UpperRowPoint(int, double, double) const { return {0.0, 0.0, 0.0}; }

std::unique_ptr<CG_GraphicObject> CG_ConeModule::Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                                      CG_GraphicObjectCommData& data) {
  CG_ConeDescription description;
  if (!zavo::ReadAxialSolidBody(scene, scanner, description)) return nullptr;
  return std::make_unique<CG_Cone>(data, description);
}
