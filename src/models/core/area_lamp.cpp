#include "models/core/area_lamp.h"

#include <algorithm>
#include <cmath>

#include "scene/material.h"
#include "scene/scene.h"

CG_AreaLamp::CG_AreaLamp(CG_GraphicObjectCommData& data, const CG_AreaLampDescription& description)
    : UniformModelObject(data) {
  SetDescription(description);
}

std::unique_ptr<CG_GraphicObject> CG_AreaLamp::Clone() const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  CG_AreaLampDescription description;
  GetDescription(description);
  return std::make_unique<CG_AreaLamp>(*data, description);
}

void CG_AreaLamp::GetDescription(CG_AreaLampDescription& description) const {
  description.points = points_;
  description.depth = depth_;
  description.progress = progress_;
}

void CG_AreaLamp::SetDescription(const CG_AreaLampDescription& description) {
  points_ = description.points;
  depth_ = description.depth;
  progress_ = description.progress;
  RenewBounding();
}

void CG_AreaLamp::RenewBounding() {
  if (points_.empty()) {
    bounding_ = std::make_unique<BoundingBox>(Point3D{0.0, 0.0, 0.0});
    return;
  }
  auto box = std::make_unique<BoundingBox>(points_.front());
  for (const Point3D& p : points_) box->Extend(p);
  bounding_ = std::move(box);
}

// ---- Faced object ----

void CG_AreaLamp::Vertex(int i, Point3D& point) const {
  if (i >= 0 && i < PointCount()) point = points_[static_cast<std::size_t>(i)];
}

void CG_AreaLamp::FaceIndices(int, int, Seq<int>& indices) const { indices.SetSize(0); }

void CG_AreaLamp::FaceColour(int, Point3D& colour) const {
  colour = material != nullptr && material->model != nullptr ? material->model->GetColour() : Point3D{};
}

CG_Material* CG_AreaLamp::MeshMaterial() const { return material != nullptr ? material->model : nullptr; }

// ---- Curve ----

int CG_AreaLamp::Evaluate(double t, Point3D& point) const {
  const int n = PointCount();
  if (n == 0) {
    point = {};
    return 1;
  }
  if (!(t > 0.0)) {  // below the range, or not a number
    point = points_.front();
    return 1;
  }
  if (t >= n - 1) {
    point = points_.back();
    return 1;
  }
  const double segment = std::floor(t);
  const auto i = static_cast<std::size_t>(segment);
  const double f = t - segment;
  point = points_[i] + (points_[i + 1] - points_[i]) * f;
  return 1;
}

int CG_AreaLamp::Derive(double t, Point3D& vector) const {
  const int n = PointCount();
  vector = {};
  if (n < 2) return 1;
  std::size_t i = 0;
  if (t >= n - 1) {
    i = static_cast<std::size_t>(n - 2);
  } else if (t > 0.0) {
    i = static_cast<std::size_t>(std::floor(t));
  }
  const Point3D direction = points_[i + 1] - points_[i];
  const double length = Length(direction);
  if (length > 0.0) vector = direction * (1.0 / length);
  return 1;
}

int CG_AreaLamp::GetControl(int i, Point3D& point) const {
  if (i < 0 || i >= PointCount()) return 0;
  point = points_[static_cast<std::size_t>(i)];
  return 1;
}

int CG_AreaLamp::SetControl(int i, const Point3D& point) {
  if (i < 0 || i >= PointCount()) return 0;
  points_[static_cast<std::size_t>(i)] = point;
  RenewBounding();
  return 1;
}

void CG_AreaLamp::Edge(int i, int& a, int& b) const {
  const int n = PointCount();
  if (i < 0 || i >= n) return;
  a = i + 1;
  b = i + 1 < n ? i + 2 : 1;
}

// ---- Lamp ----

Point3D CG_AreaLamp::ColourAt(const Point3D&, const Point3D&) const { return {1.0, 1.0, 1.0}; }

Point3D CG_AreaLamp::Position() const {
  if (mode_ == kModeSample) return samplePoint_;
  if (mode_ >= 0 && mode_ < PointCount()) return points_[static_cast<std::size_t>(mode_)];
  const std::size_t n = std::min<std::size_t>(points_.size(), 4);
  if (n == 0) return {};
  Point3D sum;
  for (std::size_t i = 0; i < n; ++i) sum += points_[i];
  return sum * (1.0 / static_cast<double>(n));
}

Point3D CG_AreaLamp::LightReachingPoint(CG_GraphicScene& scene, const Point3D& point, const Point3D&,
                                        CG_Material&) const {
  return SampleLight(scene, point);
}

Point3D CG_AreaLamp::SampleLight(CG_GraphicScene& scene, const Point3D& point) const {
  if (PointCount() < 4) return {};
  const Point3D corners[4] = {points_[0], points_[1], points_[2], points_[3]};
  zavo::ShadowHitList hits;
  return SampleQuad(scene, point, corners, std::clamp(depth_, 0, kMaxSampleDepth), hits);
}

Point3D CG_AreaLamp::SampleQuad(CG_GraphicScene& scene, const Point3D& point, const Point3D corners[4], int depth,
                                zavo::ShadowHitList& hits) const {
  int visible = 0;
  for (int k = 0; k < 4; ++k) visible += CornerVisible(scene, point, corners[k], hits);
  const Point3D white{1.0, 1.0, 1.0};
  if (depth == 0) return white * (visible / 4.0);
  if (visible == 4) return white;
  if (visible == 0) return {};
  const Point3D m01 = Midpoint3D(corners[0], corners[1]);
  const Point3D m12 = Midpoint3D(corners[1], corners[2]);
  const Point3D m23 = Midpoint3D(corners[2], corners[3]);
  const Point3D m30 = Midpoint3D(corners[3], corners[0]);
  const Point3D c = (m01 + m12 + m23 + m30) * 0.25;
  const Point3D quarters[4][4] = {
      {corners[0], m01, c, m30},
      {m01, corners[1], m12, c},
      {c, m12, corners[2], m23},
      {m30, c, m23, corners[3]},
  };
  Point3D sum;
  for (const auto& quarter : quarters) sum += SampleQuad(scene, point, quarter, depth - 1, hits);
  return sum * 0.25;
}

int CG_AreaLamp::CornerVisible(CG_GraphicScene& scene, const Point3D& point, const Point3D& corner,
                               zavo::ShadowHitList& hits) const {
  ++cornerTests_;
  mode_ = kModeSample;
  samplePoint_ = corner;
  Ray ray;
  long count = 0;
  // Light passes through anything that lets some through.
  static const zavo::ShadowStopTest stopAtOpaque = [](const zavo::SceneHitRecord& hit) {
    return hit.material->Kt == 0.0 ? 1 : 0;
  };
  const int blocked = scene.ShadowIntersections(point, *this, ray, hits, count, stopAtOpaque);
  mode_ = kModeCentre;
  return blocked ? 0 : 1;
}
