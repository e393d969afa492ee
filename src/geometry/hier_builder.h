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

#include "foundation/fragmented_seq.h"
#include "foundation/hier_node.h"
#include "foundation/runtime_error_box.h"
#include "foundation/seq.h"
#include "geometry/box_cont_man.h"
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

  // Groups the nodes of one level, linked through next, into the nodes of the
  // next level, linked the same way in the order made. The list must not be
  // empty.
  Node* BuildNextLevel(Node* list, double factor);

  std::int32_t Level() const { return level_; }

protected:
  CM boxPolicy_;
  S* elements_;
  std::int32_t level_ = 0;
  // One flag per element: 1 once it sits in a first-level node.
  FragmentedSeq<unsigned int, unsigned int> marks_;
  // The nodes of the level being grouped; null once placed.
  FragmentedSeq<Node*, unsigned int> levelNodes_;

private:
  // One first-level node per call, null once every element is placed.
  Node* BuildFirstLevelNode(double factor);
  // One parent per call over the level-node table, null once all are placed.
  Node* BuildUpperLevelNode(double factor);
  void WriteLevel(const Node* list);

  // The boxes of the elements, computed once per build.
  FragmentedSeq<B, unsigned int> boxes_;
  // The members joining the group being formed.
  FragmentedSeq<unsigned int, unsigned int> joining_;
  FragmentedSeq<Node*, unsigned int> joiningNodes_;
  unsigned int seedCursor_ = 0;
  unsigned int slotCursor_ = 0;
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
  marks_.SetSize(n);
  boxes_.SetSize(n);
  for (unsigned int i = 0; i < n; ++i) {
    marks_[i] = 0;
    boxes_[i] = elements_->BoxOf(elements_->Id(i));
  }
  level_ = 0;
  seedCursor_ = 0;
  Node* head = nullptr;
  Node* tail = nullptr;
  while (Node* node = BuildFirstLevelNode(factor)) {
    (head == nullptr ? head : tail->next) = node;
    tail = node;
  }
  if (head == nullptr) return nullptr;
  WriteLevel(head);
  while (head->next != nullptr) {
    Status("hierarchy level " + std::to_string(level_ + 1));
    ++level_;
    head = BuildNextLevel(head, factor);
    WriteLevel(head);
  }
  boxes_.Clear();
  joining_.Clear();
  joiningNodes_.Clear();
  levelNodes_.Clear();
  return head;
}

template <class E, class S, class B, class CM>
typename HierBuilder<E, S, B, CM>::Node* HierBuilder<E, S, B, CM>::BuildFirstLevelNode(double factor) {
  const unsigned int n = marks_.Size();
  while (seedCursor_ < n && marks_[seedCursor_] != 0) ++seedCursor_;
  if (seedCursor_ >= n) return nullptr;
  const unsigned int seed = seedCursor_;
  Status(LevelText(0, seed, n));
  marks_[seed] = 1;

  const B& seedBox = boxes_[seed];
  bool found = false;
  unsigned int partner = 0;
  double best = 0.0;
  B u;
  for (unsigned int k = seed + 1; k < n; ++k) {
    if (marks_[k] != 0) continue;
    CM::Union(seedBox, u, boxes_[k]);
    const double v = CM::Volume(u);
    if (!found || v < best) {
      found = true;
      partner = k;
      best = v;
    }
  }

  Node* node = new Node;
  if (!found) {
    node->elements.SetSize(1);
    node->elements[0] = elements_->Id(seed);
    node->box = seedBox;
    return node;
  }
  marks_[partner] = 1;
  B pair;
  CM::Union(seedBox, pair, boxes_[partner]);
  const double limit = factor * CM::Volume(pair);
  B box = pair;
  unsigned int joined = 0;
  for (unsigned int k = seed + 1; k < n; ++k) {
    if (marks_[k] != 0) continue;
    CM::Union(pair, u, boxes_[k]);
    if (CM::Volume(u) < limit) {
      marks_[k] = 1;
      CM::Union(box, box, boxes_[k]);
      joining_.SetSize(joined + 1);
      joining_[joined++] = k;
    }
  }
  node->elements.SetSize(2 + joined);
  node->elements[0] = elements_->Id(seed);
  node->elements[1] = elements_->Id(partner);
  for (unsigned int j = 0; j < joined; ++j) node->elements[2 + j] = elements_->Id(joining_[j]);
  node->box = box;
  return node;
}

template <class E, class S, class B, class CM>
typename HierBuilder<E, S, B, CM>::Node* HierBuilder<E, S, B, CM>::BuildNextLevel(Node* list, double factor) {
  if (list == nullptr) RuntimeErrorBox("lmtn empty");
  unsigned int count = 0;
  for (Node* p = list; p != nullptr; p = p->next) ++count;
  levelNodes_.SetSize(count);
  unsigned int slot = 0;
  for (Node* p = list; p != nullptr; p = p->next) levelNodes_[slot++] = p;
  slotCursor_ = 0;
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
  const unsigned int n = levelNodes_.Size();
  while (slotCursor_ < n && levelNodes_[slotCursor_] == nullptr) ++slotCursor_;
  if (slotCursor_ >= n) return nullptr;
  const unsigned int seedSlot = slotCursor_;
  Status(LevelText(level_, seedSlot, n));
  Node* seed = levelNodes_[seedSlot];
  levelNodes_[seedSlot] = nullptr;

  bool found = false;
  unsigned int partnerSlot = 0;
  double best = 0.0;
  B u;
  for (unsigned int k = seedSlot + 1; k < n; ++k) {
    if (levelNodes_[k] == nullptr) continue;
    CM::Union(seed->box, u, levelNodes_[k]->box);
    const double v = CM::Volume(u);
    if (!found || v < best) {
      found = true;
      partnerSlot = k;
      best = v;
    }
  }

  Node* parent = new Node;
  if (!found) {
    parent->children.SetSize(1);
    parent->children[0] = seed;
    parent->box = seed->box;
    return parent;
  }
  Node* partner = levelNodes_[partnerSlot];
  levelNodes_[partnerSlot] = nullptr;
  B pair;
  CM::Union(seed->box, pair, partner->box);
  const double limit = factor * CM::Volume(pair);
  B box = pair;
  unsigned int joined = 0;
  for (unsigned int k = seedSlot + 1; k < n; ++k) {
    Node* other = levelNodes_[k];
    if (other == nullptr) continue;
    CM::Union(pair, u, other->box);
    if (CM::Volume(u) < limit) {
      levelNodes_[k] = nullptr;
      CM::Union(box, box, other->box);
      joiningNodes_.SetSize(joined + 1);
      joiningNodes_[joined++] = other;
    }
  }
  parent->children.SetSize(2 + joined);
  parent->children[0] = seed;
  parent->children[1] = partner;
  for (unsigned int j = 0; j < joined; ++j) parent->children[2 + j] = joiningNodes_[j];
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
