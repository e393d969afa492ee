#include "models/core/camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "foundation/matrix.h"
#include "foundation/table.h"
#include "geometry/mesh_builders.h"
#include "models/core/brep.h"
#include "models/core/transf.h"

namespace {

// Grid densities: below 2 the grid has no step; above the largest it would
// not fit in memory. The stored div stays as read.
constexpr int kMinGridDiv = 2;
constexpr int kMaxGridDiv = 1000;

bool Finite(const Point3D& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

}  // namespace

CG_CameraDescription::CG_CameraDescription() {
  vrc.vrp = {1, 1, 1};
  vrc.prp = {0, 0, -1};
  vrc.vpn = {1, 0, 0};
  vrc.vup = {0, 0, 1};
  vrc.type = 1;
  vrc.umax = 1;
  vrc.umin = -1;
  vrc.vmax = 1;
  vrc.vmin = -1;
  vrc.f = 1;
  vrc.b = 0;
  vrc.fon = 0;
  vrc.bon = 0;
}

CG_Camera::CG_Camera(CG_GraphicObjectCommData& data, const CG_CameraDescription& description)
    : UniformModelObject(data),
      size_(description.size),
      div_(description.div),
      vrc_(description.vrc),
      progress_(description.progress),
      module_(description.module) {
  Rebuild();
}

CG_Camera::~CG_Camera() = default;

void CG_Camera::GetDescription(CG_CameraDescription& description) const {
  description.size = size_;
  description.div = div_;
  description.vrc = vrc_;
  description.progress = progress_;
  description.module = module_;
}

int CG_Camera::SetDescription(const CG_CameraDescription& description) {
  size_ = description.size;
  div_ = description.div;
  vrc_ = description.vrc;
  progress_ = description.progress;
  module_ = description.module;
  return Rebuild();
}

int CG_Camera::Rebuild() {
  std::unique_ptr<CG_GraphicObject> made;
  if (module_ != nullptr && module_->Prototype() != nullptr) made = PlacedPrototype(*module_->Prototype());
  if (!made) made = SphereGrid();
  representation_ = std::move(made);
  return 1;
}

std::unique_ptr<CG_GraphicObject> CG_Camera::SphereGrid() const {
  const int n = std::clamp(div_, kMinGridDiv, kMaxGridDiv) + 1;
  const double step = 2.0 * std::numbers::pi / (n - 1);
  Table<Point3D> table(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(n));
  for (int r = 0; r < n; ++r) {
    for (int c = 0; c < n; ++c) {
      const Point3D d{std::cos(r * step) * std::sin(c * step / 2.0), std::sin(r * step) * std::sin(c * step / 2.0),
                      std::cos(c * step / 2.0)};
      table(static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(c)) = vrc_.vrp + d * (1.0 / Length(d));
    }
  }
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  CG_GraphicObjectCommData plain;
  if (!data) plain.name = name;
  CG_BRepDescription mesh;
  mesh.isInline = 1;
  mesh.mesh = MakeGridBRep(name.Text(), table);
  mesh.costr = 0.0;
  mesh.hierKind = "auto";
  mesh.gridDim = 20;
  mesh.algorithm = 1;
  mesh.interp = 0;
  mesh.interp_ang = std::numbers::pi / 6;
  mesh.interp_hold = 0;
  mesh.progress = progress_;
  return std::make_unique<GBRep>(data ? *data : plain, mesh);
}

std::unique_ptr<CG_GraphicObject> CG_Camera::PlacedPrototype(const CG_GraphicObject& prototype) const {
  const double vpnLength = Length(vrc_.vpn);
  const double vupLength = Length(vrc_.vup);
  if (!std::isfinite(size_) || size_ == 0.0 || !Finite(vrc_.vrp) || !Finite(vrc_.vpn) || !Finite(vrc_.vup) ||
      !(vpnLength > 0.0) || !(vupLength > 0.0) || !std::isfinite(vpnLength) || !std::isfinite(vupLength)) {
    return nullptr;
  }
  const Point3D a = vrc_.vpn * (1.0 / vpnLength);
  const Point3D v = vrc_.vup * (1.0 / vupLength);
  // A vup along vpn leaves the frame without its first two columns.
  if (!(Length(Cross(v, a)) > 1e-12)) return nullptr;
  Matrix4x4<double> frame;
  Matrix4x4<double>::SetAxisFrame(a, v, frame);

  std::unique_ptr<CG_GraphicObject> clone = prototype.Clone();
  if (!clone) return nullptr;
  CG_GraphicObjectCommData data;
  data.name = name;
  CG_TransfDescription description;
  description.steps.Append(new t_Data(zavo::kStepScale, size_, size_, size_));
  description.steps.Append(new t_Data(zavo::kStepRow1, frame(0, 0), frame(0, 1), frame(0, 2)));
  description.steps.Append(new t_Data(zavo::kStepRow2, frame(1, 0), frame(1, 1), frame(1, 2)));
  description.steps.Append(new t_Data(zavo::kStepRow3, frame(2, 0), frame(2, 1), frame(2, 2)));
  description.steps.Append(new t_Data(zavo::kStepTranslate, vrc_.vrp.x, vrc_.vrp.y, vrc_.vrp.z));
  description.child = clone.release();
  description.ownsChild = 1;
  try {
    return std::make_unique<GTransf>(data, description);
  } catch (const xMatrix&) {
    // The description destroys the clone.
    return nullptr;
  }
}

std::unique_ptr<CG_GraphicObject> CG_Camera::Clone() const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  CG_CameraDescription description;
  GetDescription(description);
  return std::make_unique<CG_Camera>(*data, description);
}

int CG_Camera::DeclassToRayTraceable(zavo::DeclassedParts&) { return 0; }

std::unique_ptr<CG_GraphicObjectIntrInfo> CG_Camera::NewIntrInfo() const {
  return std::make_unique<CG_CameraIntrInfo>();
}

int CG_Camera::Intersect(const Ray&, CG_GraphicObjectIntrInfo& record) const {
  static_cast<CG_CameraIntrInfo&>(record).count = 0;
  return 0;
}

int CG_Camera::DeclassToFaced(zavo::DeclassedParts& parts, int) {
  return representation_->DeclassToIndexedMesh(parts, 1);
}

int CG_Camera::DeclassToTriangleMesh(zavo::DeclassedParts& parts) {
  return representation_->DeclassToIndexedMesh(parts, 1);
}

int CG_Camera::DeclassToIndexedMesh(zavo::DeclassedParts& parts, int) {
  return representation_->DeclassToIndexedMesh(parts, 1);
}

int CG_Camera::GetView(CG_ViewReference& view) const {
  view = vrc_;
  return 1;
}

int CG_Camera::SetView(const CG_ViewReference& view) {
  vrc_ = view;
  return 1;
}

// ---- The module ----

CG_CameraModule::CG_CameraModule() = default;
CG_CameraModule::~CG_CameraModule() = default;

void CG_CameraModule::SetPrototype(std::unique_ptr<CG_GraphicObject> prototype) {
  prototype_ = std::move(prototype);
}

namespace zavo {

std::unique_ptr<CG_GraphicObject> NewCameraObject(CG_GraphicObjectCommData& data, const CG_ViewReference& view,
                                                  CG_GraphicObjectModule* cameraModule) {
  CG_CameraDescription description;
  description.vrc = view;
  description.module = dynamic_cast<CG_CameraModule*>(cameraModule);
  return std::make_unique<CG_Camera>(data, description);
}

}  // namespace zavo
