#include "models/core/csg.h"

#include <utility>

#include "foundation/runtime_error_box.h"
#include "models/core/brep.h"
#include "scene/scene.h"

// ---- Rules ----

namespace {

using Combination = bool (*)(bool insideFirst, bool insideSecond);

// The hits of one child with its own record; 0 without child or record.
int ChildHits(const Ray& ray, const CG_GraphicObject* child, CG_GraphicObjectIntrInfo* record) {
  if (child == nullptr || record == nullptr) return 0;
  const int n = child->Intersect(ray, *record);
  return n > 0 ? n : 0;
}

// Whether the ray starts inside the child, where the child's hits begin to
// count (its toll). An odd hit count says so for a closed bounded solid; an
// unbounded or open child (a plane, a paraboloid) may be hit once or not at
// all from inside, so its implicit function decides where it has one.
bool StartsInside(const Ray& ray, const CG_GraphicObject* child, int hits) {
  if (child != nullptr && child->GetBoundingObject() == nullptr) {
    int inside = 0;
    if (child->ImplicitInside(ray.PointAt(child->toll), inside)) return inside != 0;
  }
  return hits % 2 == 1;
}

int MergeIntervals(const Ray& ray, const CG_GraphicObject* first, const CG_GraphicObject* second,
                   CG_CSGIntrInfo& record, Combination combine, double secondSign) {
  const int n = ChildHits(ray, first, record.first.get());
  const int m = ChildHits(ray, second, record.second.get());
  const auto wanted = static_cast<unsigned int>(n) + static_cast<unsigned int>(m);
  if (record.merged.Size() < wanted) record.merged.SetSize(wanted);

  bool a = StartsInside(ray, first, n);
  bool b = StartsInside(ray, second, m);
  bool inside = combine(a, b);
  int i = 0;
  int j = 0;
  int count = 0;
  while (i < n || j < m) {
    // The first child's hit only when the second has none left or its next
    // parameter is strictly greater.
    const bool takeFirst = j >= m || (i < n && record.second->Value(j) > record.first->Value(i));
    CSGIntrInfo hit;
    if (takeFirst) {
      a = !a;
      hit = {record.first->Value(i), 1, i, 1.0};
      ++i;
    } else {
      b = !b;
      hit = {record.second->Value(j), 2, j, secondSign};
      ++j;
    }
    const bool now = combine(a, b);
    if (now == inside) continue;
    record.merged[static_cast<unsigned int>(count++)] = hit;
    inside = now;
  }
  record.count = count;
  return count;
}

}  // namespace

int CSGIntersectIntervals(const Ray& ray, const CG_GraphicObject* first, const CG_GraphicObject* second,
                          CG_CSGIntrInfo& record) {
  return MergeIntervals(ray, first, second, record, [](bool a, bool b) { return a && b; }, 1.0);
}

int CSGSubtractIntervals(const Ray& ray, const CG_GraphicObject* first, const CG_GraphicObject* second,
                         CG_CSGIntrInfo& record) {
  return MergeIntervals(ray, first, second, record, [](bool a, bool b) { return a && !b; }, -1.0);
}

int CSGUnionIntervals(const Ray& ray, const CG_GraphicObject* first, const CG_GraphicObject* second,
                      CG_CSGIntrInfo& record) {
  return MergeIntervals(ray, first, second, record, [](bool a, bool b) { return a || b; }, 1.0);
}

namespace zavo {

std::unique_ptr<BoundingObject> CSGIntersectBound(const BoundingObject* first, const BoundingObject* second) {
  if (first == nullptr || second == nullptr) return nullptr;
  return first->Intersect(*second);
}

std::unique_ptr<BoundingObject> CSGSubtractBound(const BoundingObject* first, const BoundingObject* second) {
  if (first == nullptr || second == nullptr) return nullptr;
  return first->ToBox(*second);
}

std::unique_ptr<BoundingObject> CSGUnionBound(const BoundingObject* first, const BoundingObject* second) {
  if (first == nullptr || second == nullptr) return nullptr;
  return first->Union(*second);
}

}  // namespace zavo

// ---- Description ----

CG_CSGDescription::~CG_CSGDescription() { DropChildren(); }

void CG_CSGDescription::SetFirst(CG_GraphicObject* child, int owned) {
  if (ownsFirst && first != child) delete first;
  first = child;
  ownsFirst = owned;
}

void CG_CSGDescription::SetSecond(CG_GraphicObject* child, int owned) {
  if (ownsSecond && second != child) delete second;
  second = child;
  ownsSecond = owned;
}

void CG_CSGDescription::DropChildren() {
  SetFirst(nullptr, 0);
  SetSecond(nullptr, 0);
}

// ---- Object ----

GCSG::GCSG(CG_GraphicObjectCommData& data, CG_CSGDescription& description)
    : CG_GraphicObject(data), GUniformObjectData(data) {
  // The children first: the IDname must differ from theirs too.
  description.ownsFirst = 0;
  description.ownsSecond = 0;
  first_.reset(description.first);
  second_.reset(description.second);
  keyword_ = description.keyword;  // part of the cache record
  if (IDname.Text() == nullptr && description.scene != nullptr && !ReuseCacheName(*description.scene)) {
    description.scene->UniqueIDname(IDname, this);
  }
  SetDescription(description);
}

GCSG::~GCSG() = default;

int GCSG::ContainsIDname(const char* id) const {
  if (IDname == id) return 1;
  if (first_ && first_->ContainsIDname(id)) return 1;
  return second_ && second_->ContainsIDname(id) ? 1 : 0;
}

int GCSG::GetCommData(CG_GraphicObjectCommData& data) {
  data.name = name;
  data.IDname = IDname;
  return GUniformObjectData::GetCommData(data);
}

std::unique_ptr<CG_GraphicObjectCommData> GCSG::NewCommData() const {
  auto data = std::make_unique<CG_GraphicObjectCommData>();
  data->name = name;
  return data;
}

int GCSG::SetCommData(CG_GraphicObjectCommData& data) {
  name = data.name;
  IDname = data.IDname;
  return GUniformObjectData::SetCommData(data);
}

std::unique_ptr<CG_GraphicObject> GCSG::Clone() const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  std::unique_ptr<CG_GraphicObject> first;
  std::unique_ptr<CG_GraphicObject> second;
  if (first_) {
    first = first_->Clone();
    if (!first) return nullptr;
  }
  if (second_) {
    second = second_->Clone();
    if (!second) return nullptr;
  }
  CG_CSGDescription description;
  GetDescription(description);
  description.SetFirst(first.release(), 1);
  description.SetSecond(second.release(), 1);
  description.convert = 1;
  return std::make_unique<GCSG>(*data, description);
}

std::unique_ptr<CG_GraphicObjectIntrInfo> GCSG::NewIntrInfo() const {
  return std::make_unique<CG_CSGIntrInfo>(first_ ? first_->NewIntrInfo() : nullptr,
                                          second_ ? second_->NewIntrInfo() : nullptr);
}

int GCSG::Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
  auto& hits = static_cast<CG_CSGIntrInfo&>(record);
  if (intervals_ == nullptr) {
    hits.count = 0;
    return 0;
  }
  return intervals_(ray, first_.get(), second_.get(), hits);
}

int GCSG::ImplicitInside(const Point3D& point, int& inside) const {
  int a = 0, b = 0;
  if (!first_ || !second_ || !first_->ImplicitInside(point, a) || !second_->ImplicitInside(point, b)) return 0;
  if (intervals_ == CSGIntersectIntervals) {
    inside = a && b;
  } else if (intervals_ == CSGSubtractIntervals) {
    inside = a && !b;
  } else if (intervals_ == CSGUnionIntervals) {
    inside = a || b;
  } else {
    return 0;
  }
  return 1;
}

void GCSG::HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                      Point3D& point, Point3D& normal) const {
  auto& hits = static_cast<CG_CSGIntrInfo&>(record);
  if (index < 0 || index >= hits.count) RuntimeErrorBox("Only two objects...");
  const CSGIntrInfo& hit = hits.merged[static_cast<unsigned int>(index)];
  if (hit.child == 1 && first_ && hits.first) {
    first_->HitDetails(ray, *hits.first, hit.index, material, point, normal);
  } else if (hit.child == 2 && second_ && hits.second) {
    second_->HitDetails(ray, *hits.second, hit.index, material, point, normal);
  } else {
    RuntimeErrorBox("Only two objects...");
  }
  normal = normal * hit.sign;
}

int GCSG::HasMaterialOfClass(const CG_Material& material) const {
  return first_ && second_ && first_->HasMaterialOfClass(material) && second_->HasMaterialOfClass(material) ? 1
                                                                                                             : 0;
}

int GCSG::DeclassToFaced(zavo::DeclassedParts& parts, int mode) {
  if (!mesh_) return CG_GraphicObject::DeclassToFaced(parts, mode);
  parts.SetSize(1);
  parts[0].object = mesh_.get();
  parts[0].owned = 0;
  return 1;
}

int GCSG::DeclassToIndexedMesh(zavo::DeclassedParts& parts, int mode) {
  if (!mesh_) return CG_GraphicObject::DeclassToIndexedMesh(parts, mode);
  parts.SetSize(1);
  parts[0].object = mesh_.get();
  parts[0].owned = 0;
  return 1;
}

int GCSG::GetChildren(Seq<CG_GraphicObject*>& children) {
  children.SetSize(0);
  for (CG_GraphicObject* child : {first_.get(), second_.get()}) {
    if (child == nullptr) continue;
    const std::uint32_t n = children.Count();
    children.Resize(n + 1);
    children[n] = child;
  }
  return 1;
}

namespace {

// The lists of both children, one after the other; 0 when a child answers 0.
template <class T, class Ask>
int ChildLists(const CG_GraphicObject* first, const CG_GraphicObject* second, Seq<T*>& out, Ask ask) {
  out.SetSize(0);
  for (const CG_GraphicObject* child : {first, second}) {
    if (child == nullptr) continue;
    Seq<T*> items;
    if (!ask(*child, items)) return 0;
    const std::uint32_t n = out.Count();
    out.Resize(n + items.Count());
    for (std::uint32_t i = 0; i < items.Count(); ++i) out[n + i] = items[i];
  }
  return 1;
}

}  // namespace

int GCSG::GetMaterials(Seq<CG_NamedMaterial*>& materials) const {
  return ChildLists(first_.get(), second_.get(), materials,
                    [](const CG_GraphicObject& child, Seq<CG_NamedMaterial*>& items) {
                      return child.GetMaterials(items);
                    });
}

int GCSG::GetTextures(Seq<CG_Texture*>& textures) const {
  return ChildLists(first_.get(), second_.get(), textures,
                    [](const CG_GraphicObject& child, Seq<CG_Texture*>& items) { return child.GetTextures(items); });
}

void GCSG::GetDescription(CG_CSGDescription& description) const {
  description.SetFirst(first_.get(), 0);
  description.SetSecond(second_.get(), 0);
  description.convert = convert_;
  description.progress = progress_;
  description.scene = scene_;
  description.keyword = keyword_;
  description.intervals = intervals_;
  description.bound = bound_;
  description.meshBoolean = meshBoolean_;
}
