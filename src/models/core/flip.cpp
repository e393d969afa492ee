#include "models/core/flip.h"

#include "foundation/runtime_error_box.h"

CG_FlipDescription::~CG_FlipDescription() {
  if (owned && child != nullptr) delete child;
}

GFlip::GFlip(const CG_GraphicObjectCommData& data, CG_DeclassedGraphicObject& pair)
    : NameOnlyObject(data), child_(pair.object), owned_(pair.owned) {
  if (child_ == nullptr) RuntimeErrorBox("GFlip: no child");
  pair.object = nullptr;
  pair.owned = 0;
}

GFlip::~GFlip() {
  if (owned_) delete child_;
}

std::unique_ptr<CG_GraphicObject> GFlip::Clone() const {
  if (!owned_) return nullptr;
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  std::unique_ptr<CG_GraphicObject> child = child_->Clone();
  if (!child) return nullptr;
  CG_DeclassedGraphicObject pair{child.release(), 1};
  return std::make_unique<GFlip>(*data, pair);
}

std::unique_ptr<CG_GraphicObjectIntrInfo> GFlip::NewIntrInfo() const {
  std::unique_ptr<CG_GraphicObjectIntrInfo> child = child_->NewIntrInfo();
  if (!child) return nullptr;
  return std::make_unique<CG_FlipIntrInfo>(std::move(child));
}

int GFlip::Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
  return child_->Intersect(ray, *static_cast<CG_FlipIntrInfo&>(record).child);
}

void GFlip::HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                       Point3D& point, Point3D& normal) const {
  CG_GraphicObjectIntrInfo& childRecord = *static_cast<CG_FlipIntrInfo&>(record).child;
  Point3D childPoint;
  Point3D childNormal;
  child_->HitDetails(ray, childRecord, index, material, childPoint, childNormal);
  point = ray.PointAt(childRecord.Value(index));
  normal = -childNormal;
}

int GFlip::WrapParts(zavo::DeclassedParts& parts, zavo::DeclassedParts& childParts) {
  parts.SetSize(childParts.Size());
  for (long i = 0; i < childParts.Size(); ++i) {
    parts[i].object = nullptr;
    parts[i].owned = 0;
  }
  for (long i = 0; i < childParts.Size(); ++i) {
    CG_DeclassedGraphicObject& part = childParts[i];
    if (part.object == nullptr) continue;
    CG_GraphicObjectCommData data;
    data.name = part.object->name;
    parts[i].object = new GFlip(data, part);
    parts[i].owned = 1;
  }
  childParts.SetSize(0);
  return 1;
}

int GFlip::DeclassToRayTraceable(zavo::DeclassedParts& parts) {
  zavo::DeclassedParts childParts;
  if (!child_->DeclassToRayTraceable(childParts)) {
    zavo::ReleaseDeclassedParts(childParts);
    return 0;
  }
  return WrapParts(parts, childParts);
}

int GFlip::DeclassToFaced(zavo::DeclassedParts& parts, int) {
  zavo::DeclassedParts childParts;
  if (!child_->DeclassToFaced(childParts, 0)) {
    zavo::ReleaseDeclassedParts(childParts);
    return 0;
  }
  return WrapParts(parts, childParts);
}

int GFlip::DeclassToTriangleMesh(zavo::DeclassedParts& parts) {
  zavo::DeclassedParts childParts;
  if (!child_->DeclassToTriangleMesh(childParts)) {
    zavo::ReleaseDeclassedParts(childParts);
    return 0;
  }
  return WrapParts(parts, childParts);
}

int GFlip::DeclassToIndexedMesh(zavo::DeclassedParts& parts, int) {
  zavo::DeclassedParts childParts;
  if (!child_->DeclassToIndexedMesh(childParts, 0)) {
    zavo::ReleaseDeclassedParts(childParts);
    return 0;
  }
  return WrapParts(parts, childParts);
}

int GFlip::GetChildren(Seq<CG_GraphicObject*>& children) {
  children.SetSize(1);
  children[0] = child_;
  return 1;
}
