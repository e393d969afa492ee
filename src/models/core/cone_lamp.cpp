#include "models/core/cone_lamp.h"

#include <cmath>
#include <numbers>

// ---- The lamp form ----

GConeLamp::GConeLamp(const char* lampName, CG_LightSourceModule* module, const CG_ConeLampDescription& description)
    : CG_LightSource(lampName), description_(description), module_(module) {}

Point3D GConeLamp::ColourAt(const Point3D&, const Point3D& toLamp) const {
  const double c = -Dot(description_.dir, toLamp);
  if (c < 0.0) return {};
  if (std::acos(c) >= description_.ang) return {};
  return description_.color;
}

// ---- The object form ----

CG_XConeLamp::CG_XConeLamp(CG_GraphicObjectCommData& data, const CG_XConeLampDescription& description)
    : CG_Cone(data, description) {
  SetDescription(description);
}

std::unique_ptr<CG_GraphicObject> CG_XConeLamp::Clone() const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  CG_XConeLampDescription description;
  GetDescription(description);
  return std::make_unique<CG_XConeLamp>(*data, description);
}

std::unique_ptr<CG_GraphicObjectIntrInfo> CG_XConeLamp::NewIntrInfo() const {
  return std::make_unique<CG_XConeLampIntrInfo>();
}

Point3D CG_XConeLamp::Illuminate(const Point3D& point, const Point3D& toLamp) const {
  const double c = toLamp.x;
  if (!isDouble_) {
    if (!(c >= 1e-8)) return {};
    const double t = std::sqrt(std::fmax(0.0, 1.0 - c * c)) / c;
    // high / radius < t, without dividing by a radius of 0.
    if (high_ < t * radius_) return {};
  }
  const double d = Length(point);
  double a = 1.0 / (c1_ + c2_ * d + c3_ * d * d);
  if (a > 1.0) a = 1.0;
  const double f = std::pow(c, p_) * a;
  if (!std::isfinite(f)) return {};
  return color_ * f;
}

void CG_XConeLamp::GetDescription(CG_XConeLampDescription& description) const {
  AxialSolid::GetDescription(description);
  description.color = color_;
  description.c1 = c1_;
  description.c2 = c2_;
  description.c3 = c3_;
  description.p = p_;
  description.isDouble = isDouble_;
}

void CG_XConeLamp::SetDescription(const CG_XConeLampDescription& description) {
  AxialSolid::SetDescription(description);
  color_ = description.color;
  c1_ = description.c1;
  c2_ = description.c2;
  c3_ = description.c3;
  p_ = description.p;
  isDouble_ = description.isDouble;
}

namespace zavo {

void ConeLampRotationRows(const Point3D& aim, double rows[3][3]) {
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) rows[i][j] = i == j ? 1.0 : 0.0;
  }
  // Divided by its largest component first, so that neither a tiny nor a
  // huge aim loses its length to underflow or overflow.
  const double largest = std::fmax(std::fabs(aim.x), std::fmax(std::fabs(aim.y), std::fabs(aim.z)));
  if (!(largest > 0.0) || !std::isfinite(largest)) return;
  const Point3D scaled{aim.x / largest, aim.y / largest, aim.z / largest};
  const Point3D a = scaled * (-1.0 / Length(scaled));
  // The axis least along a gives a well-conditioned second column.
  Point3D helper{1.0, 0.0, 0.0};
  if (std::fabs(a.y) <= std::fabs(a.x) && std::fabs(a.y) <= std::fabs(a.z)) {
    helper = {0.0, 1.0, 0.0};
  } else if (std::fabs(a.z) <= std::fabs(a.x) && std::fabs(a.z) <= std::fabs(a.y)) {
    helper = {0.0, 0.0, 1.0};
  }
  Point3D b = Cross(a, helper);
  b = b * (1.0 / Length(b));
  const Point3D c = Cross(a, b);
  const Point3D columns[3] = {a, b, c};
  // Adding 0 turns a negative zero into a zero, which is written as "0".
  for (int j = 0; j < 3; ++j) {
    rows[0][j] = columns[j].x + 0.0;
    rows[1][j] = columns[j].y + 0.0;
    rows[2][j] = columns[j].z + 0.0;
  }
}

void ConeLampShape(double ang, double& radius, double& high) {
  if (!(ang > 0.0)) {
    radius = 0.5;
    high = 0.0;
    return;
  }
  if (ang >= std::numbers::pi / 2) {
    radius = 0.0;
    high = 0.5;
    return;
  }
  const double t = std::tan(ang);
  if (t <= 1.0) {
    radius = 0.5;
    high = 0.5 * t;
  } else {
    high = 0.5;
    radius = 0.5 / t;
  }
}

}  // namespace zavo
