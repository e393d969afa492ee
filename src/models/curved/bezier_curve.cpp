#include "models/curved/bezier_curve.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "foundation/number_text.h"
#include "foundation/runtime_error_box.h"

CG_BezierCurve::CG_BezierCurve(CG_GraphicObjectCommData& data, const CG_BezierCurveDescription& description)
    : SampledCurve(data) {
  SetDescription(description);
}

void CG_BezierCurve::GetDescription(CG_BezierCurveDescription& description) const {
  description.controls = controls_;
  description.tags = tags_;
  description.div = div_;
  description.open = open_;
  description.progress = progress_;
}

void CG_BezierCurve::SetDescription(const CG_BezierCurveDescription& description) {
  controls_ = description.controls;
  tags_ = description.tags;
  div_ = description.div;
  open_ = description.open;
  progress_ = description.progress;
  const std::uint32_t n = controls_.Count();
  const std::uint32_t oldTags = tags_.Count();
  if (oldTags != n) {
    tags_.Resize(n);
    for (std::uint32_t i = oldTags; i < n; ++i) tags_[i] = 1;
  }
  RenewBounding(controls_);
}

double CG_BezierCurve::ParamMax() const {
  const std::uint32_t n = controls_.Count();
  return n == 0 ? 0.0 : static_cast<double>((n - 1) / 3);
}

int CG_BezierCurve::Evaluate(double t, Point3D& point) const {
  const std::uint32_t n = controls_.Count();
  if (n == 0) {
    point = Point3D{};
    return 0;
  }
  if (std::isnan(t)) t = 0.0;
  const std::uint32_t segments = (n - 1) / 3;
  std::uint32_t first = 0;
  double s = t;
  if (segments > 0) {
    const int k = std::clamp(zavo::SaturateToInt(t), 0, static_cast<int>(segments) - 1);
    first = 3 * static_cast<std::uint32_t>(k);
    s = t - k;
  }
  // With fewer than four controls the last one stands for the missing ones.
  const Point3D& p0 = controls_[std::min(first, n - 1)];
  const Point3D& p1 = controls_[std::min(first + 1, n - 1)];
  const Point3D& p2 = controls_[std::min(first + 2, n - 1)];
  const Point3D& p3 = controls_[std::min(first + 3, n - 1)];
  const double r = 1.0 - s;
  point = (r * r * r) * p0 + (3.0 * s * r * r) * p1 + (3.0 * s * s * r) * p2 + (s * s * s) * p3;
  return 1;
}

int CG_BezierCurve::Derive(double, Point3D&) const { RuntimeErrorBox("Bezier Derive not def"); }

int CG_BezierCurve::GetControl(int i, Point3D& point) const {
  if (i < 0 || static_cast<std::uint32_t>(i) >= controls_.Count()) return 0;
  point = controls_[static_cast<std::uint32_t>(i)];
  return 1;
}

int CG_BezierCurve::SetControl(int i, const Point3D& point) {
  if (i < 0 || static_cast<std::uint32_t>(i) >= controls_.Count()) return 0;
  controls_[static_cast<std::uint32_t>(i)] = point;
  RenewBounding(controls_);
  return 1;
}

int CG_BezierCurve::CopyControl(int a, int b) {
  const std::uint32_t n = controls_.Count();
  if (a < 0 || b < 0 || static_cast<std::uint32_t>(a) >= n || static_cast<std::uint32_t>(b) >= n) return 0;
  controls_[static_cast<std::uint32_t>(b)] = controls_[static_cast<std::uint32_t>(a)];
  tags_[static_cast<std::uint32_t>(b)] = tags_[static_cast<std::uint32_t>(a)];
  RenewBounding(controls_);
  return 1;
}

int CG_BezierCurve::SetControlCount(int m) {
  const std::uint32_t count = m > 0 ? static_cast<std::uint32_t>(m) : 0;
  const std::uint32_t old = controls_.Count();
  controls_.Resize(count);
  tags_.Resize(count);
  for (std::uint32_t i = old; i < count; ++i) tags_[i] = 1;
  RenewBounding(controls_);
  return 1;
}
