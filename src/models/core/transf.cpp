#include "models/core/transf.h"

#include <cmath>
#include <utility>

#include "foundation/runtime_error_box.h"

namespace {

// The 3 x 3 part of m applied to v.
Point3D Linear(const Transformation& m, const Point3D& v) {
  return {m(0, 0) * v.x + m(0, 1) * v.y + m(0, 2) * v.z, m(1, 0) * v.x + m(1, 1) * v.y + m(1, 2) * v.z,
          m(2, 0) * v.x + m(2, 1) * v.y + m(2, 2) * v.z};
}

// The transpose of the 3 x 3 part of m applied to v.
Point3D LinearTransposed(const Transformation& m, const Point3D& v) {
  return {m(0, 0) * v.x + m(1, 0) * v.y + m(2, 0) * v.z, m(0, 1) * v.x + m(1, 1) * v.y + m(2, 1) * v.z,
          m(0, 2) * v.x + m(1, 2) * v.y + m(2, 2) * v.z};
}

// v divided by its length; a zero vector stays zero.
Point3D Unit(const Point3D& v) {
  const double length = Length(v);
  return length > 0.0 ? v * (1.0 / length) : v;
}

}  // namespace

CG_TransfDescription::~CG_TransfDescription() {
  if (ownsChild && child != nullptr) delete child;
  steps.Clear();
}

GTransf::GTransf(const CG_GraphicObjectCommData& data, CG_TransfDescription& description)
    : NameOnlyObject(data) {
  forward_.SetIdentity();
  inverse_.SetIdentity();
  SetTransformList(description);
}

GTransf::~GTransf() {
  bound_.reset();
  if (ownsChild_ && child_ != nullptr) delete child_;
  steps_.Clear();
}

void GTransf::GetTransformList(CG_TransfDescription& description) {
  if (description.ownsChild && description.child != nullptr && description.child != child_) {
    delete description.child;
  }
  description.child = child_;
  description.ownsChild = ownsChild_;
  child_ = nullptr;
  ownsChild_ = 0;
  description.steps.Clear();
  description.steps.CopyFrom(steps_);
}

void GTransf::SetTransformList(CG_TransfDescription& description) {
  // Everything that can fail comes first: a throw changes nothing.
  Transformation forward;
  Transformation inverse;
  ComposeSteps(description.steps, forward, inverse);
  List<t_Data> steps;
  steps.CopyFrom(description.steps);

  if (ownsChild_ && child_ != nullptr && child_ != description.child) delete child_;
  child_ = description.child;
  ownsChild_ = description.ownsChild;
  description.child = nullptr;
  description.ownsChild = 0;
  steps_.Clear();
  while (t_Data* step = steps.RemoveHead()) steps_.Append(step);
  forward_ = forward;
  inverse_ = inverse;
  RenewBound();
}

const CG_GraphicObject& GTransf::Child() const {
  if (child_ == nullptr) RuntimeErrorBox("GTransf: no child");
  return *child_;
}

CG_GraphicObject& GTransf::Child() {
  if (child_ == nullptr) RuntimeErrorBox("GTransf: no child");
  return *child_;
}

void GTransf::RenewBound() {
  bound_.reset();
  GEO_Box box;
  if (!CG_GraphicObject::GetBox(child_, box)) return;
  const double xs[2] = {box.xmin, box.xmax};
  const double ys[2] = {box.ymin, box.ymax};
  const double zs[2] = {box.zmin, box.zmax};
  auto mapped = std::make_unique<BoundingBox>(TransformPoint(forward_, {xs[0], ys[0], zs[0]}));
  for (int corner = 1; corner < 8; ++corner) {
    mapped->Extend(TransformPoint(forward_, {xs[corner & 1], ys[(corner >> 1) & 1], zs[(corner >> 2) & 1]}));
  }
  bound_ = std::move(mapped);
}

Point3D GTransf::MapNormal(const Point3D& normal) const { return Unit(LinearTransposed(inverse_, normal)); }

// ---- Common data, cloning ----

std::unique_ptr<CG_GraphicObject> GTransf::Clone() const {
  if (!ownsChild_) return nullptr;
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  std::unique_ptr<CG_GraphicObject> child = Child().Clone();
  if (!child) return nullptr;
  CG_TransfDescription description;
  description.child = child.release();
  description.ownsChild = 1;
  description.steps.CopyFrom(steps_);
  return std::make_unique<GTransf>(*data, description);
}

// ---- Ray tracing ----

std::unique_ptr<CG_GraphicObjectIntrInfo> GTransf::NewIntrInfo() const {
  std::unique_ptr<CG_GraphicObjectIntrInfo> child = Child().NewIntrInfo();
  if (!child) return nullptr;
  return std::make_unique<CG_TransfIntrInfo>(std::move(child));
}

int GTransf::Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
  auto& hits = static_cast<CG_TransfIntrInfo&>(record);
  hits.localRay = ray.TransformBy(inverse_);
  const int n = Child().Intersect(hits.localRay, *hits.child);
  const auto count = static_cast<std::uint32_t>(n > 0 ? n : 0);
  if (hits.hits.Count() != count) hits.hits.SetSize(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    const Point3D local = hits.localRay.PointAt(hits.child->Value(static_cast<int>(i)));
    hits.hits[i] = Distance3D(ray.origin, TransformPoint(forward_, local));
  }
  return static_cast<int>(count);
}

int GTransf::ImplicitInside(const Point3D& point, int& inside) const {
  return Child().ImplicitInside(TransformPoint(inverse_, point), inside);
}

void GTransf::HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                         Point3D& point, Point3D& normal) const {
  auto& hits = static_cast<CG_TransfIntrInfo&>(record);
  Point3D localPoint;
  Point3D localNormal;
  Child().HitDetails(hits.localRay, *hits.child, index, material, localPoint, localNormal);
  point = ray.PointAt(hits.Value(index));
  normal = MapNormal(localNormal);
}

// ---- Declass ----

int GTransf::WrapParts(zavo::DeclassedParts& parts, zavo::DeclassedParts& childParts) const {
  return zavo::WrapPartsInTransfs(steps_, parts, childParts);
}

namespace zavo {

int WrapPartsInTransfs(const List<t_Data>& steps, DeclassedParts& parts, DeclassedParts& childParts) {
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
    CG_TransfDescription description;
    description.child = part.object;
    description.ownsChild = part.owned;
    part.object = nullptr;
    part.owned = 0;
    description.steps.CopyFrom(steps);
    parts[i].object = new GTransf(data, description);
    parts[i].owned = 1;
  }
  childParts.SetSize(0);
  return 1;
}

}  // namespace zavo

int GTransf::DeclassToRayTraceable(zavo::DeclassedParts& parts) {
  zavo::DeclassedParts childParts;
  if (!Child().DeclassToRayTraceable(childParts)) {
    zavo::ReleaseDeclassedParts(childParts);
    return 0;
  }
  return WrapParts(parts, childParts);
}

int GTransf::DeclassToFaced(zavo::DeclassedParts& parts, int) {
  zavo::DeclassedParts childParts;
  if (!Child().DeclassToFaced(childParts, 0)) {
    zavo::ReleaseDeclassedParts(childParts);
    return 0;
  }
  return WrapParts(parts, childParts);
}

int GTransf::DeclassToTriangleMesh(zavo::DeclassedParts& parts) {
  zavo::DeclassedParts childParts;
  if (!Child().DeclassToTriangleMesh(childParts)) {
    zavo::ReleaseDeclassedParts(childParts);
    return 0;
  }
  return WrapParts(parts, childParts);
}

int GTransf::DeclassToIndexedMesh(zavo::DeclassedParts& parts, int) {
  zavo::DeclassedParts childParts;
  if (!Child().DeclassToIndexedMesh(childParts, 0)) {
    zavo::ReleaseDeclassedParts(childParts);
    return 0;
  }
  return WrapParts(parts, childParts);
}

// ---- Meshes ----

void GTransf::Vertex(int i, Point3D& point) const {
  Point3D local;
  Child().Vertex(i, local);
  point = TransformPoint(forward_, local);
}

void GTransf::Triangle(int i, Point3D& a, Point3D& b, Point3D& c, Point3D& colour) const {
  Point3D la, lb, lc;
  Child().Triangle(i, la, lb, lc, colour);
  a = TransformPoint(forward_, la);
  b = TransformPoint(forward_, lb);
  c = TransformPoint(forward_, lc);
}

void GTransf::MeshVertex(int i, Point3D& point) const {
  Point3D local;
  Child().MeshVertex(i, local);
  point = TransformPoint(forward_, local);
}

// ---- Curves ----

int GTransf::Evaluate(double t, Point3D& point) const {
  Point3D local;
  const int ok = Child().Evaluate(t, local);
  if (ok) point = TransformPoint(forward_, local);
  return ok;
}

int GTransf::Derive(double t, Point3D& vector) const {
  Point3D local;
  const int ok = Child().Derive(t, local);
  if (ok) vector = Linear(forward_, local);
  return ok;
}

int GTransf::GetControl(int i, Point3D& point) const {
  Point3D local;
  const int ok = Child().GetControl(i, local);
  if (ok) point = TransformPoint(forward_, local);
  return ok;
}

int GTransf::SetControl(int i, const Point3D& point) {
  return Child().SetControl(i, TransformPoint(inverse_, point));
}

// ---- Children, materials, textures ----

int GTransf::GetChildren(Seq<CG_GraphicObject*>& children) {
  if (child_ == nullptr) {
    children.SetSize(0);
    return 1;
  }
  children.SetSize(1);
  children[0] = child_;
  return 1;
}

int GTransf::GetMaterials(Seq<CG_NamedMaterial*>& materials) const {
  if (child_ == nullptr) {
    materials.SetSize(0);
    return 1;
  }
  return child_->GetMaterials(materials);
}

int GTransf::GetTextures(Seq<CG_Texture*>& textures) const {
  if (child_ == nullptr) {
    textures.SetSize(0);
    return 1;
  }
  return child_->GetTextures(textures);
}

// ---- Wrapper matrices ----

void GTransf::GetMeshTransform(Transformation& m) const {
  if (!Child().HasMeshTransform()) {
    m = forward_;
    return;
  }
  Transformation inner;
  inner.SetIdentity();
  Child().GetMeshTransform(inner);
  ComposeTransformations(m, forward_, inner);
}

void GTransf::RawMeshVertex(int i, Point3D& point) const {
  if (Child().HasMeshTransform()) {
    Child().RawMeshVertex(i, point);
  } else {
    Child().MeshVertex(i, point);
  }
}

void GTransf::GetVertexTransform(Transformation& m) const {
  if (!Child().HasVertexTransform()) {
    m = forward_;
    return;
  }
  Transformation inner;
  inner.SetIdentity();
  Child().GetVertexTransform(inner);
  ComposeTransformations(m, forward_, inner);
}

void GTransf::RawVertex(int i, Point3D& point) const {
  if (Child().HasVertexTransform()) {
    Child().RawVertex(i, point);
  } else {
    Child().Vertex(i, point);
  }
}

int GTransf::RawBox(GEO_Box& box) const {
  if (Child().HasVertexTransform()) return Child().RawBox(box);
  return CG_GraphicObject::GetBox(child_, box);
}

int GTransf::FieldDisplacement(const Point3D& point, Point3D& vector) const {
  Point3D local;
  if (!Child().FieldDisplacement(TransformPoint(inverse_, point), local)) return 0;
  vector = Linear(forward_, local);
  return 1;
}

// ---- Lamp part ----

Point3D GTransf::ColourAt(const Point3D& point, const Point3D& toLamp) const {
  return Child().ColourAt(TransformPoint(inverse_, point), Unit(Linear(inverse_, toLamp)));
}

Point3D GTransf::Position() const { return TransformPoint(forward_, Child().Position()); }
