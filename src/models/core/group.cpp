#include "models/core/group.h"

#include <iterator>
#include <utility>

namespace {

// Appends the items of from to to.
template <class T>
void AppendAll(Seq<T>& to, const Seq<T>& from) {
  const std::uint32_t start = to.Count();
  to.Resize(start + from.Count());
  for (std::uint32_t i = 0; i < from.Count(); ++i) to[start + i] = from[i];
}

// Every child's list in order of the children; 0 as soon as one answers 0.
template <class T, class Get>
int CollectFromChildren(const DblList<CG_GraphicObject>* children, Seq<T>& out, Get get) {
  out.SetSize(0);
  if (children == nullptr) return 1;
  for (const CG_GraphicObject& child : *children) {
    Seq<T> items;
    if (!get(child, items)) return 0;
    AppendAll(out, items);
  }
  return 1;
}

}  // namespace

GGroup::GGroup(const CG_GraphicObjectCommData& data, std::unique_ptr<DblList<CG_GraphicObject>> children)
    : NameOnlyObject(data), children_(std::move(children)) {}

void GGroup::GetDescription(CG_GroupDescription& description) { description.children = std::move(children_); }

void GGroup::SetDescription(CG_GroupDescription& description) {
  children_ = std::move(description.children);
}

int GGroup::ContainsIDname(const char* id) const {
  if (!children_) return 0;
  for (const CG_GraphicObject& child : *children_) {
    if (child.ContainsIDname(id)) return 1;
  }
  return 0;
}

std::unique_ptr<CG_GraphicObject> GGroup::Clone() const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  auto clones = std::make_unique<DblList<CG_GraphicObject>>();
  if (children_) {
    for (const CG_GraphicObject& child : *children_) {
      std::unique_ptr<CG_GraphicObject> clone = child.Clone();
      if (!clone) return nullptr;  // the clones made so far go with the list
      clones->Append(clone.release());
    }
  }
  return std::make_unique<GGroup>(*data, std::move(clones));
}

template <class Has, class Declass>
int GGroup::DeclassChildren(zavo::DeclassedParts& parts, Has has, Declass declass) {
  parts.SetSize(0);
  if (!children_) return 1;
  for (CG_GraphicObject& child : *children_) {
    if (has(child)) {
      const long n = parts.Size();
      parts.SetSize(n + 1);
      parts[n].object = &child;
      parts[n].owned = 0;
      continue;
    }
    zavo::DeclassedParts childParts;
    if (!declass(child, childParts)) {
      zavo::ReleaseDeclassedParts(childParts);
      continue;
    }
    const long start = parts.Size();
    parts.SetSize(start + childParts.Size());
    for (long i = 0; i < childParts.Size(); ++i) {
      parts[start + i] = childParts[i];
      childParts[i].object = nullptr;
      childParts[i].owned = 0;
    }
  }
  return 1;
}

int GGroup::DeclassToRayTraceable(zavo::DeclassedParts& parts) {
  return DeclassChildren(
      parts, [](const CG_GraphicObject& c) { return c.IsRayTraceable(); },
      [](CG_GraphicObject& c, zavo::DeclassedParts& p) { return c.DeclassToRayTraceable(p); });
}

int GGroup::DeclassToFaced(zavo::DeclassedParts& parts, int) {
  return DeclassChildren(
      parts, [](const CG_GraphicObject& c) { return c.IsFaced(0); },
      [](CG_GraphicObject& c, zavo::DeclassedParts& p) { return c.DeclassToFaced(p, 0); });
}

int GGroup::DeclassToTriangleMesh(zavo::DeclassedParts& parts) {
  return DeclassChildren(
      parts, [](const CG_GraphicObject& c) { return c.IsTriangleMesh(); },
      [](CG_GraphicObject& c, zavo::DeclassedParts& p) { return c.DeclassToTriangleMesh(p); });
}

int GGroup::DeclassToIndexedMesh(zavo::DeclassedParts& parts, int) {
  return DeclassChildren(
      parts, [](const CG_GraphicObject& c) { return c.IsIndexedMesh(); },
      [](CG_GraphicObject& c, zavo::DeclassedParts& p) { return c.DeclassToIndexedMesh(p, 0); });
}

int GGroup::GetChildren(Seq<CG_GraphicObject*>& children) {
  if (!children_) {
    children.SetSize(0);
    return 1;
  }
  children.SetSize(static_cast<std::uint32_t>(std::distance(children_->begin(), children_->end())));
  std::uint32_t i = 0;
  for (CG_GraphicObject& child : *children_) children[i++] = &child;
  return 1;
}

int GGroup::GetMaterials(Seq<CG_NamedMaterial*>& materials) const {
  return CollectFromChildren(children_.get(), materials,
                             [](const CG_GraphicObject& c, Seq<CG_NamedMaterial*>& s) { return c.GetMaterials(s); });
}

int GGroup::GetTextures(Seq<CG_Texture*>& textures) const {
  return CollectFromChildren(children_.get(), textures,
                             [](const CG_GraphicObject& c, Seq<CG_Texture*>& s) { return c.GetTextures(s); });
}
