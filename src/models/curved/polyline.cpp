#include "models/curved/polyline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "foundation/number_text.h"
#include "scene/material.h"

CG_Polyline::CG_Polyline(CG_GraphicObjectCommData& data, const CG_PolylineDescription& description)
    : CurveObject(data) {
  SetDescription(description);
}

void CG_Polyline::GetDescription(CG_PolylineDescription& description) const {
  description.points = points_;
  description.open = open_;
  description.sysInterface = sysInterface_;
}

void CG_Polyline::SetDescription(const CG_PolylineDescription& description) {
  points_ = description.points;
  open_ = description.open;
  sysInterface_ = description.sysInterface;
  RenewBounding(points_);
}

std::unique_ptr<CG_GraphicObject> CG_Polyline::Clone() const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  CG_PolylineDescription description;
  GetDescription(description);
  return std::make_unique<CG_Polyline>(*data, description);
}

void CG_Polyline::Vertex(int i, Point3D& point) const {
  if (i < 0 || static_cast<std::uint32_t>(i) >= points_.Count()) return;
  point = points_[static_cast<std::uint32_t>(i)];
}

void CG_Polyline::FaceColour(int, Point3D& colour) const {
  colour = material != nullptr && material->model != nullptr ? material->model->GetColour() : Point3D{};
}

CG_Material* CG_Polyline::MeshMaterial() const { return material != nullptr ? material->model : nullptr; }

double CG_Polyline::ParamMax() const {
  const std::uint32_t n = points_.Count();
  return n == 0 ? 0.0 : static_cast<double>(n - 1);
}

int CG_Polyline::Evaluate(double t, Point3D& point) const {
  const std::uint32_t n = points_.Count();
  if (n == 0) {
    point = Point3D{};
    return 0;
  }
  if (std::isnan(t)) t = 0.0;
  const int k = zavo::SaturateToInt(t);
  // Compared without sign: a k below 0 counts as large.
  const auto index = static_cast<std::uint32_t>(k);
  if (index < n - 1) {
    const Point3D& from = points_[index];
    point = from + (t - k) * (points_[index + 1] - from);
  } else {
    point = points_[n - 1];
  }
  return 1;
}

int CG_Polyline::Derive(double t, Point3D& vector) const {
  const std::uint32_t n = points_.Count();
  vector = Point3D{};
  if (n < 2) return 0;
  const int k = std::clamp(std::isnan(t) ? 0 : zavo::SaturateToInt(t), 0, static_cast<int>(n) - 2);
  const Point3D step = points_[static_cast<std::uint32_t>(k) + 1] - points_[static_cast<std::uint32_t>(k)];
  const double length = Length(step);
  if (!(length > 0.0) || !std::isfinite(length)) return 0;
  vector = step * (1.0 / length);
  return 1;
}

int CG_Polyline::GetControl(int i, Point3D& point) const {
  if (i < 0 || static_cast<std::uint32_t>(i) >= points_.Count()) return 0;
  point = points_[static_cast<std::uint32_t>(i)];
  return 1;
}

int CG_Polyline::SetControl(int i, const Point3D& point) {
  if (i < 0) return 0;
  const auto index = static_cast<std::uint32_t>(i);
  if (points_.Count() < index + 1) points_.Resize(index + 1);
  points_[index] = point;
  RenewBounding(points_);
  return 1;
}

int CG_Polyline::SetControlCount(int m) {
  points_.Resize(m > 0 ? static_cast<std::uint32_t>(m) : 0);
  RenewBounding(points_);
  return 1;
}

int CG_Polyline::EdgeCount() const {
  const int n = static_cast<int>(points_.Count());
  if (n == 0) return 0;
  return open_ != 0 ? n - 1 : n;
}

void CG_Polyline::Edge(int i, int& a, int& b) const {
  const int n = static_cast<int>(points_.Count());
  a = i + 1;
  b = i + 1 == n ? 1 : i + 2;
}
