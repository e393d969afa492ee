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
// The searches go through a zavo::GroupingIndex, which finds what a scan of
// every free member in order would find. A user break ends the build early
// (zavo::BuildBreak): the members not grouped yet make one node.
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
#include "geometry/build_break.h"
#include "geometry/hier_file.h"
#include "geometry/grouping_index.h"
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
  using Index = zavo::GroupingIndex<zavo::BoxGrouping<B, CM>>;

  // One group around the lowest free member of the index: its members (seed,
  // partner, joiners in order) and their union box. Every member of boxes
  // not yet grouped is free in the index.
  void FormGroup(Index& index, const std::vector<B>& boxes, std::uint32_t seed, double factor, B& box);
  // After a break: every free member of the index, in order, and their union box.
  void GroupRest(const Index& index, const std::vector<B>& boxes, B& box);
  void WriteLevel(const Node* list);

  // The searches of the level being grouped (its storage serves every level).
  Index index_;
  // The members of the group being formed.
  std::vector<std::uint32_t> members_;
  std::vector<std::uint32_t> joining_;
  zavo::BuildBreak stop_;
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
  level_ = 0;
  stop_ = {};
  Node* head = nullptr;
  {
    std::vector<B> boxes(n);
    for (unsigned int i = 0; i < n; ++i) boxes[i] = elements_->BoxOf(elements_->Id(i));
    Index& index = index_;
    index.Reset(boxes.data(), n);
    Node* tail = nullptr;
    for (unsigned int seed = 0; seed < n; ++seed) {
      if (!index.Free(seed)) continue;
      const bool rest = stop_();
      if (!rest) Status(LevelText(0, seed, static_cast<double>(n)));
      Node* node = new Node;
      if (rest) {
        GroupRest(index, boxes, node->box);
      } else {
        FormGroup(index, boxes, seed, factor, node->box);
      }
      const auto count = static_cast<std::uint32_t>(members_.size());
      node->elements.SetSize(count);
      for (std::uint32_t m = 0; m < count; ++m) node->elements[m] = elements_->Id(members_[m]);
      (head == nullptr ? head : tail->next) = node;
      tail = node;
      if (rest) break;
    }
  }
  if (head == nullptr) return nullptr;
  WriteLevel(head);
  while (head->next != nullptr) {
    Status("hierarchy level " + std::to_string(level_ + 1));
    ++level_;
    head = BuildNextLevel(head, factor);
    WriteLevel(head);
  }
  return head;
}

template <class E, class S, class B, class CM>
void HierBuilder<E, S, B, CM>::FormGroup(Index& index, const std::vector<B>& boxes, std::uint32_t seed,
                                         double factor, B& box) {
  index.Take(seed);
  members_.assign({seed});
  const B& seedBox = boxes[seed];
  const long partner = index.Partner(seedBox, zavo::GroupQuery{});
  if (partner < 0) {
    box = seedBox;
    return;
  }
  const auto p = static_cast<std::uint32_t>(partner);
  index.Take(p);
  members_.push_back(p);
  B pair;
  CM::Union(seedBox, pair, boxes[p]);
  const double limit = factor * CM::Volume(pair);
  box = pair;
  index.Joiners(pair, limit, zavo::GroupQuery{}, joining_);
  for (const std::uint32_t k : joining_) {
    index.Take(k);
    CM::Union(box, box, boxes[k]);
    members_.push_back(k);
  }
}

template <class E, class S, class B, class CM>
void HierBuilder<E, S, B, CM>::GroupRest(const Index& index, const std::vector<B>& boxes, B& box) {
  members_.clear();
  for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(boxes.size()); ++i) {
    if (!index.Free(i)) continue;
    if (members_.empty()) {
      box = boxes[i];
    } else {
      CM::Union(box, box, boxes[i]);
    }
    members_.push_back(i);
  }
}

template <class E, class S, class B, class CM>
typename HierBuilder<E, S, B, CM>::Node* HierBuilder<E, S, B, CM>::BuildNextLevel(Node* list, double factor) {
  if (list == nullptr) RuntimeErrorBox("lmtn empty");
  std::vector<Node*> nodes;
  for (Node* p = list; p != nullptr; p = p->next) nodes.push_back(p);
  const auto m = static_cast<std::uint32_t>(nodes.size());
  std::vector<B> boxes(m);
  for (std::uint32_t i = 0; i < m; ++i) boxes[i] = nodes[i]->box;
  Index& index = index_;
  index.Reset(boxes.data(), m);
  Node* head = nullptr;
  Node* tail = nullptr;
  for (std::uint32_t seed = 0; seed < m; ++seed) {
    if (!index.Free(seed)) continue;
    const bool rest = stop_();
    if (!rest) Status(LevelText(level_, seed, static_cast<double>(m)));
    Node* parent = new Node;
    if (rest) {
      GroupRest(index, boxes, parent->box);
    } else {
      FormGroup(index, boxes, seed, factor, parent->box);
    }
    const auto count = static_cast<std::uint32_t>(members_.size());
    parent->children.SetSize(count);
    for (std::uint32_t c = 0; c < count; ++c) parent->children[c] = nodes[members_[c]];
    (head == nullptr ? head : tail->next) = parent;
    tail = parent;
    if (rest) break;
  }
  return head;
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
