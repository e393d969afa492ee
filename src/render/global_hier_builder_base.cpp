#include "render/global_hier_builder_base.h"

#include <istream>
#include <ostream>

#include "foundation/number_text.h"
#include "foundation/runtime_error_box.h"
#include "render/global_hier_file.h"

namespace zavo {

void GlobalHierBuilderBase::Save(std::ostream& os, const Node* root) const { SaveGlobalHierarchy(os, root); }

GlobalHierarchyPtr GlobalHierBuilderBase::Load(std::istream& in) const {
  static const List<BoundingObjectModule> none;
  return LoadGlobalHierarchy(in, *objects_, modules_ != nullptr ? *modules_ : none);
}

void GlobalHierBuilderBase::TakeElements() {
  const std::uint32_t n = objects_->Count();
  refs_.clear();
  refs_.reserve(n);
  for (std::uint32_t i = 0; i < n; ++i) {
    const BoundingObject* volume = BoundContMan::Volume((*objects_)[i]);
    if (volume == nullptr) RuntimeErrorBox("GlobalHierBuilder: element without a bound");
    refs_.push_back(BoundRef::Of(*volume));
  }
}

std::string GlobalHierBuilderBase::LevelText(std::int32_t level, double part, double whole) const {
  return std::string(Name()) + ": level " + std::to_string(level) + " - " +
         std::to_string(SaturateToInt(part * 100.0 / whole)) + "%";
}

GlobalHierarchyPtr GlobalHierBuilderBase::NewLeaf(const std::vector<std::uint32_t>& members,
                                                  BoundUnion& bound) const {
  GlobalHierarchyPtr node(new GlobalHierNode);
  node->box = bound.Take().release();
  node->elements.SetSize(static_cast<std::uint32_t>(members.size()));
  for (std::size_t i = 0; i < members.size(); ++i) node->elements[static_cast<std::uint32_t>(i)] = (*objects_)[members[i]];
  return node;
}

GlobalHierarchyPtr GlobalHierBuilderBase::NewParent(Level& level, const std::vector<std::uint32_t>& slots,
                                                    BoundUnion& bound) {
  GlobalHierarchyPtr node(new GlobalHierNode);
  node->box = bound.Take().release();
  node->children.SetSize(static_cast<std::uint32_t>(slots.size()));
  for (std::size_t i = 0; i < slots.size(); ++i) {
    node->children[static_cast<std::uint32_t>(i)] = level[slots[i]].release();
  }
  return node;
}

void GlobalHierBuilderBase::LinkLevel(Level& level) {
  for (std::size_t i = 0; i < level.size(); ++i) {
    level[i]->next = i + 1 < level.size() ? level[i + 1].get() : nullptr;
  }
}

std::vector<BoundRef> GlobalHierBuilderBase::BoundsOf(const Level& level) {
  std::vector<BoundRef> refs;
  refs.reserve(level.size());
  for (const GlobalHierarchyPtr& node : level) refs.push_back(BoundRef::Of(*node->box));
  return refs;
}

std::string NodeIdentity(std::size_t position) { return std::to_string(position); }

}  // namespace zavo
