#pragma once

// The level build of a box hierarchy: bottom-up, one level at a time, by
// greedy grouping under a volume growth factor.
//
// HierBuilder<E,S,B,CM> builds over an element sequence S, which gives
// Count(), Id(i) (the id of element i, of type E) and BoxOf(id) (its box, of
// type B); the policy CM unites, measures and writes boxes. BoxHierBuilder
// is the instance over boxes.
//
// First level: the seed is the lowest element not yet placed; its partner is
// the later free element whose box united with the seed's has the least
// volume (ties keep the earlier one); every later free element whose box
// united with the pair box stays strictly below factor times the pair's
// volume joins. Upper levels group the nodes of the level below by the same
// rule. So a factor of 1 or less never makes a node of more than two members.
//
// The builder does not own the tree it returns.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "foundation/hier_node.h"
#include "foundation/runtime_error_box.h"
#include "foundation/seq.h"
#include "geometry/box_cont_man.h"
#include "geometry/hier_file.h"
#include "geometry/hier_reporting.h"
#include "geometry/log_support.h"
#include "geometry/real_text.h"

template <class E, class S, class B, class CM>
class HierBuilder : public LogSupport, public zavo::HierReporting {
public:
  using Node = HierNode<E, B>;

  // The elements are not owned and must outlive the builder.
  explicit HierBuilder(S* elements) : elements_(elements) {}

  // The root of the tree over all elements, or null when there is none.
  // Sends "hierarchy level " and the number before each upper level and the
  // percentage of each step; writes each level to the log while it is on.
  Node* Build(double factor);

  // Deletes a tree (null does nothing).
  static void Free(Node* root) { delete root; }

  // The hierarchy file of a tree (zavo::SaveHierarchy).
  void Save(std::ostream& os, const Node* root) const { zavo::SaveHierarchy(os, root); }
  // A tree read from a hierarchy file over the ids 0 .. Count() - 1, checked
  // as zavo::LoadHierarchy says; null when the file does not fit.
  Node* Load(std::istream& in) const { return zavo::LoadHierarchy(in, elements_->Count()); }

  // Groups the nodes of one level, linked through next, into the nodes of the
  // next level, linked the same way in the order made. The list must not be
  // empty.
  Node* BuildNextLevel(Node* list, double factor);

  std::int32_t Level() const { return level_; }

protected:
  CM boxPolicy_;
  S* elements_;
  std::int32_t level_ = 0;

private:
  // One first-level node per call, null once every element is placed.
  Node* BuildFirstLevelNode(double factor);
  // One parent per call over the level-node table, null once all are placed.
  Node* BuildUpperLevelNode(double factor);
  void WriteLevel(const Node* list);

  // First level: the element boxes, and the elements not yet placed in
  // ascending order (what the marks of placed elements leave).
  std::vector<B> boxes_;
  std::vector<unsigned int> free_;
  // Upper levels: the nodes of the level being grouped, a slot set to null
  // once its node is placed, and the slots still to place in ascending order.
  std::vector<Node*> levelNodes_;
  std::vector<unsigned int> freeSlots_;
  // The members joining the group being formed.
  std::vector<unsigned int> joining_;
};

// The level build over boxes.
template <class E, class S>
class BoxHierBuilder : public HierBuilder<E, S, GEO_Box, BoxContMan> {
public:
  using HierBuilder<E, S, GEO_Box, BoxContMan>::HierBuilder;
};

template <class E, class S, class B, class CM>
typename HierBuilder<E, S, B, CM>::Node* HierBuilder<E, S, B, CM>::Build(double factor) {
  const unsigned int n = elements_->Count();
  boxes_.resize(n);
  free_.resize(n);
  for (unsigned int i = 0; i < n; ++i) {
    boxes_[i] = elements_->BoxOf(elements_->Id(i));
    free_[i] = i;
  }
  level_ = 0;
  Node* head = nullptr;
  Node* tail = nullptr;
  while (Node* node = BuildFirstLevelNode(factor)) {
    (head == nullptr ? head : tail->next) = node;
    tail = node;
  }
  std::vector<B>().swap(boxes_);
  if (head == nullptr) return nullptr;
  WriteLevel(head);
  while (head->next != nullptr) {
    Status("hierarchy level " + std::to_string(level_ + 1));
    ++level_;
    head = BuildNextLevel(head, factor);
    WriteLevel(head);
  }
  std::vector<Node*>().swap(levelNodes_);
  return head;
}

template <class E, class S, class B, class CM>
typename HierBuilder<E, S, B, CM>::Node* HierBuilder<E, S, B, CM>::BuildFirstLevelNode(double factor) {
  if (free_.empty()) return nullptr;
  const unsigned int seed = free_[0];
  const std::size_t count = free_.size();
  Status(LevelText(0, seed, static_cast<double>(boxes_.size())));

  const B seedBox = boxes_[seed];
  std::size_t partnerAt = 0;
  double best = 0.0;
  for (std::size_t p = 1; p < count; ++p) {
    const double v = CM::UnionVolume(seedBox, boxes_[free_[p]]);
    if (partnerAt == 0 || v < best) {
      partnerAt = p;
      best = v;
    }
  }

  Node* node = new Node;
  if (partnerAt == 0) {
    free_.clear();
    node->elements.SetSize(1);
    node->elements[0] = elements_->Id(seed);
    node->box = seedBox;
    return node;
  }
  const unsigned int partner = free_[partnerAt];
  B pair;
  CM::Union(seedBox, pair, boxes_[partner]);
  const double limit = factor * CM::Volume(pair);
  B box = pair;
  joining_.clear();
  // The joiners leave the free list; the others move up over the seed.
  std::size_t kept = 0;
  for (std::size_t p = 1; p < count; ++p) {
    if (p == partnerAt) continue;
    const unsigned int k = free_[p];
    if (CM::UnionVolume(pair, boxes_[k]) < limit) {
      CM::Union(box, box, boxes_[k]);
      joining_.push_back(k);
    } else {
      free_[kept++] = k;
    }
  }
  free_.resize(kept);
  const auto joined = static_cast<std::uint32_t>(joining_.size());
  node->elements.SetSize(2 + joined);
  node->elements[0] = elements_->Id(seed);
  node->elements[1] = elements_->Id(partner);
  for (std::uint32_t j = 0; j < joined; ++j) node->elements[2 + j] = elements_->Id(joining_[j]);
  node->box = box;
  return node;
}

template <class E, class S, class B, class CM>
typename HierBuilder<E, S, B, CM>::Node* HierBuilder<E, S, B, CM>::BuildNextLevel(Node* list, double factor) {
  if (list == nullptr) RuntimeErrorBox("lmtn empty");
  levelNodes_.clear();
  for (Node* p = list; p != nullptr; p = p->next) levelNodes_.push_back(p);
  freeSlots_.resize(levelNodes_.size());
  for (std::size_t i = 0; i < freeSlots_.size(); ++i) freeSlots_[i] = static_cast<unsigned int>(i);
  Node* head = nullptr;
  Node* tail = nullptr;
  while (Node* node = BuildUpperLevelNode(factor)) {
    (head == nullptr ? head : tail->next) = node;
    tail = node;
  }
  return head;
}

template <class E, class S, class B, class CM>
typename HierBuilder<E, S, B, CM>::Node* HierBuilder<E, S, B, CM>::BuildUpperLevelNode(double factor) {
  if (freeSlots_.empty()) return nullptr;
  const unsigned int seedSlot = freeSlots_[0];
  const std::size_t count = freeSlots_.size();
  Status(LevelText(level_, seedSlot, static_cast<double>(levelNodes_.size())));
  Node* seed = levelNodes_[seedSlot];
  levelNodes_[seedSlot] = nullptr;

  std::size_t partnerAt = 0;
  double best = 0.0;
  for (std::size_t p = 1; p < count; ++p) {
    const double v = CM::UnionVolume(seed->box, levelNodes_[freeSlots_[p]]->box);
    if (partnerAt == 0 || v < best) {
      partnerAt = p;
      best = v;
    }
  }

  Node* parent = new Node;
  if (partnerAt == 0) {
    freeSlots_.clear();
    parent->children.SetSize(1);
    parent->children[0] = seed;
    parent->box = seed->box;
    return parent;
  }
  Node* partner = levelNodes_[freeSlots_[partnerAt]];
  levelNodes_[freeSlots_[partnerAt]] = nullptr;
  B pair;
  CM::Union(seed->box, pair, partner->box);
  const double limit = factor * CM::Volume(pair);
  B box = pair;
  joining_.clear();
  std::size_t kept = 0;
  for (std::size_t p = 1; p < count; ++p) {
    if (p == partnerAt) continue;
    const unsigned int slot = freeSlots_[p];
    const Node* other = levelNodes_[slot];
    if (CM::UnionVolume(pair, other->box) < limit) {
      CM::Union(box, box, other->box);
      joining_.push_back(slot);
    } else {
      freeSlots_[kept++] = slot;
    }
  }
  freeSlots_.resize(kept);
  const auto joined = static_cast<std::uint32_t>(joining_.size());
  parent->children.SetSize(2 + joined);
  parent->children[0] = seed;
  parent->children[1] = partner;
  for (std::uint32_t j = 0; j < joined; ++j) {
    parent->children[2 + j] = levelNodes_[joining_[j]];
    levelNodes_[joining_[j]] = nullptr;
  }
  parent->box = box;
  return parent;
}

template <class E, class S, class B, class CM>
void HierBuilder<E, S, B, CM>::WriteLevel(const Node* list) {
  std::ostream* os = Log();
  if (os == nullptr) return;
  *os << "level = " << std::to_string(level_) << "\n\n";
  for (const Node* node = list; node != nullptr; node = node->next) {
    *os << "S) " << zavo::AddressText(node) << "  (";
    CM::Write(*os, node->box);
    *os << ")\nV=";
    zavo::WriteReal(*os, CM::Volume(node->box));
    *os << "\n[ ";
    if (node->children.Count() > 0) {
      for (std::uint32_t i = 0; i < node->children.Count(); ++i) {
        if (i > 0) *os << " , ";
        *os << zavo::AddressText(node->children[i]);
      }
    } else {
      for (std::uint32_t i = 0; i < node->elements.Count(); ++i) {
        if (i > 0) *os << " , ";
        *os << zavo::IdText(node->elements[i]);
      }
    }
    *os << " ]\n";
  }
}
