#include "models/core/quadric.h"

#include <cmath>
#include <limits>
#include <utility>

#include "geometry/ray.h"

GQuad::GQuad(CG_GraphicObjectCommData& data, const QuadricCoefficients& coefficients)
    : UniformModelObject(data), q_(coefficients) {}

std::unique_ptr<CG_GraphicObjectIntrInfo> GQuad::NewIntrInfo() const { return std::make_unique<CG_QuadIntrInfo>(); }

int GQuad::Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
  auto& hits = static_cast<CG_QuadIntrInfo&>(record);
  hits.count = 0;
  const QuadricCoefficients& q = q_;
  const Point3D& o = ray.origin;
  const Point3D& d = ray.direction;
  // F(O + t D) = A t^2 + B t + E.
  const double A = q.a * d.x * d.x + q.b * d.y * d.y + q.c * d.z * d.z + q.d * d.x * d.y + q.e * d.x * d.z +
                   q.f * d.y * d.z;
  const double B = 2.0 * q.a * o.x * d.x + 2.0 * q.b * o.y * d.y + 2.0 * q.c * o.z * d.z +
                   q.d * (o.x * d.y + o.y * d.x) + q.e * (o.x * d.z + o.z * d.x) + q.f * (o.y * d.z + o.z * d.y) +
                   q.g * d.x + q.h * d.y + q.i * d.z;
  const double E = q.a * o.x * o.x + q.b * o.y * o.y + q.c * o.z * o.z + q.d * o.x * o.y + q.e * o.x * o.z +
                   q.f * o.y * o.z + q.g * o.x + q.h * o.y + q.i * o.z + q.j;
  if (A == 0.0) {
    if (B == 0.0) return 0;
    const double t = -E / B;
    if (!(t >= toll)) return 0;
    hits.t[0] = t;
    hits.count = 1;
    return 1;
  }
  const double discriminant = B * B - 4.0 * A * E;
  if (!(discriminant >= 0.0)) return 0;  // no root, or not a number
  // The roots (-B + s) / 2A and (-B - s) / 2A, each by the form that adds
  // numbers of one sign: with A near 0 the root near -E / B stays exact.
  const double s = std::sqrt(discriminant);
  const double half = -0.5 * (B + std::copysign(s, B));
  double t1 = 0.0, t2 = 0.0;  // half == 0 only for the double root t = 0
  if (half != 0.0) {
    // A far root beyond the doubles is no hit, as the linear case has none.
    double far = half / A;
    if (!std::isfinite(far)) far = std::numeric_limits<double>::quiet_NaN();
    const double near = E / half;
    t1 = std::signbit(B) ? far : near;
    t2 = std::signbit(B) ? near : far;
  }
  hits.t[0] = t1;
  hits.t[1] = t2;
  if (!(t1 >= toll)) {
    if (t2 >= toll) {
      hits.t[0] = t2;
      hits.count = 1;
    }
  } else if (!(t2 >= toll)) {
    hits.count = 1;
  } else {
    hits.count = 2;
    if (t1 > t2) std::swap(hits.t[0], hits.t[1]);
  }
  return hits.count;
}

int GQuad::ImplicitInside(const Point3D& p, int& inside) const {
  const QuadricCoefficients& q = q_;
  const double f = q.a * p.x * p.x + q.b * p.y * p.y + q.c * p.z * p.z + q.d * p.x * p.y + q.e * p.x * p.z +
                   q.f * p.y * p.z + q.g * p.x + q.h * p.y + q.i * p.z + q.j;
  if (!(f != 0.0) || std::isnan(f)) return 0;
  inside = f < 0.0 ? 1 : 0;
  return 1;
}

void GQuad::HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                       Point3D& point, Point3D& normal) const {
  const QuadricCoefficients& q = q_;
  point = ray.PointAt(record.Value(index));
  const double x = point.x;
  const double y = point.y;
  const double z = point.z;
  const Point3D gradient{2.0 * q.a * x + q.d * y + q.e * z + q.g, 2.0 * q.b * y + q.d * x + q.f * z + q.h,
                         2.0 * q.c * z + q.e * x + q.f * y + q.i};
  const double length = Length(gradient);
  normal = length > 0.0 ? gradient * (1.0 / length) : -ray.direction;
  MapPoint(material, point);
  EvalTexture(point, normal);
}
