#pragma once

// The grid-variant hierarchy builder.
//
// Build: bottom-up like the level build, but the first level is grouped with
// the help of a uniform grid of the elements: a seed looks for its partner
// and joiners only among the elements listed in the grid cells its box (and
// then the pair's box) touches. Seeds follow the mode: 0 the first element
// not yet placed, 1 the one of least box volume, 2 the one whose largest box
// side is least. Upper levels group nodes by the same greedy rule with the
// mode's seed, looking for partners only after the seed's slot; a level in
// which no seed finds a partner (every node would get a parent of its own,
// level after level, for ever) is grouped again with the first free node as
// seed. The first level is written to "hierbl2.log" in the working directory.
//
// A grid needs a dimension of 2 .. Grid::kMaxDimension and a union box with a
// positive, finite extent on every axis; otherwise Build takes the median
// build instead.
//
// BuildAll: the median build, top-down: a run of at most four ids becomes a
// leaf; a longer run is ordered by the box minimum on the axis of its largest
// spread and split in the middle into two children.
//
// HierBuilder2<E,S,B,CM> builds over an element sequence S (Count(), Id(i),
// BoxOf(id)) with the box policy CM (Union, UnionVolume, Volume, Min, Max,
// Write). The spread of a run on an axis is the extent of the union of its
// boxes; a run without ids (the build over no element) is a leaf with the
// zero box.
//
// The builder does not own the tree it returns.

#include <cstdint>
#include <iosfwd>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/hier_node.h"
#include "foundation/runtime_error_box.h"
#include "foundation/seq.h"
#include "foundation/side_file.h"
#include "geometry/box_cont_man.h"
#include "geometry/grid.h"
#include "geometry/hier_file.h"
#include "geometry/hier_reporting.h"
#include "geometry/real_text.h"
#include "geometry/selection_order.h"

template <class E, class S, class B, class CM>
class HierBuilder2 : public zavo::HierReporting {
public:
  using Node = HierNode<E, B>;

  // The elements are not owned and must outlive the builder. Mode 0, no grid
  // dimension yet (the caller sets it before Build).
  explicit HierBuilder2(S* elements) : elements_(elements) {}

  // How seeds are chosen: 0 the first free one, 1 the one of least box
  // volume, 2 the one whose largest box side is least (any other value as 0).
  void SetMode(std::int32_t mode) { mode_ = mode; }
  std::int32_t Mode() const { return mode_; }
  // Cells along each axis of the first level's grid.
  void SetGridDimension(std::int32_t n) { gridDimension_ = n; }
  std::int32_t GridDimension() const { return gridDimension_; }
  // The number of the level being (or last) built.
  std::int32_t Level() const { return level_; }

  // The grid-variant level build; null when there is no element. Sends
  // "Creating grid", name ": level 0 - " p "%  [" seed "]" per first-level
  // node, "hierarchy level " and the number before each upper level and
  // name ": level " level " - " p "%" per upper-level node.
  Node* Build(double factor);

  // The median build over all elements.
  Node* BuildAll() {
    const std::uint32_t n = elements_->Count();
    Seq<E> ids(n);
    for (std::uint32_t i = 0; i < n; ++i) ids[i] = elements_->Id(i);
    return BuildNode(ids, 0, n);
  }

  // The median build of the run ids[start .. end - 1].
  Node* BuildNode(const Seq<E>& ids, std::uint32_t start, std::uint32_t end);

  // Groups the nodes of one level, linked through next, into the nodes of
  // the next level, linked the same way in the order made. The list must
  // not be empty ("lmtn empty").
  Node* BuildNextLevel(Node* list, double factor);

  // The hierarchy file of a tree (zavo::SaveHierarchy).
  void Save(std::ostream& os, const Node* root) const { zavo::SaveHierarchy(os, root); }
  // A tree read from a hierarchy file over the ids 0 .. Count() - 1, checked
  // as zavo::LoadHierarchy says; null when the file does not fit.
  Node* Load(std::istream& in) const { return zavo::LoadHierarchy(in, elements_->Count()); }

  // Deletes a tree (null does nothing).
  static void Free(Node* root) { delete root; }

protected:
  CM boxPolicy_;
  S* elements_;

private:
  static GEO_Box GridBox(const B& b) {
    return {CM::Min(b, 0), CM::Max(b, 0), CM::Min(b, 1), CM::Max(b, 1), CM::Min(b, 2), CM::Max(b, 2)};
  }
  // The seed key of modes 1 and 2.
  double SeedKey(const B& b) const {
    if (mode_ == 1) return CM::Volume(b);
    double side = CM::Max(b, 0) - CM::Min(b, 0);
    for (int a = 1; a < 3; ++a) {
      const double d = CM::Max(b, a) - CM::Min(b, a);
      if (d > side) side = d;
    }
    return side;
  }
  bool KeyedSeeds() const { return mode_ == 1 || mode_ == 2; }

  // The grid's VisitFresh over the grid box of box.
  template <class Visit>
  static void VisitCells(Grid<E>& grid, const B& box, Visit visit) {
    grid.VisitFresh(GridBox(box), visit);
  }

  Node* BuildGridNode(Grid<E>& grid, double factor);
  Node* BuildUpperNode(double factor, bool keyedSeeds);
  Node* GroupLevel(double factor, bool keyedSeeds);
  void WriteGridLog(const Node* list) const;

  std::int32_t mode_ = 0;
  std::int32_t gridDimension_ = 0;
  std::int32_t level_ = 0;
  // Elements placed (first level) or nodes placed (upper levels) so far.
  long placed_ = 0;
  // Mode 0: no record before this one is still free.
  long cursor_ = 0;
  // The element boxes by registration number, while the first level is built.
  std::vector<B> boxes_;
  // Upper levels: the nodes of the level, a slot null once its node is
  // placed, and the slots still to place in ascending order.
  std::vector<Node*> levelNodes_;
  std::vector<unsigned int> freeSlots_;
  std::vector<long> joining_;
};

// The grid-variant builder over boxes.
template <class E, class S>
class BoxHierBuilder2 : public HierBuilder2<E, S, GEO_Box, BoxContMan2> {
public:
  using HierBuilder2<E, S, GEO_Box, BoxContMan2>::HierBuilder2;
};

template <class E, class S, class B, class CM>
typename HierBuilder2<E, S, B, CM>::Node* HierBuilder2<E, S, B, CM>::BuildNode(const Seq<E>& ids,
                                                                               std::uint32_t start,
                                                                               std::uint32_t end) {
  if (end < start || end > ids.Count()) RuntimeErrorBox("HierBuilder2::BuildNode");
  const std::uint32_t n = end - start;
  Node* node = new Node;
  if (n == 0) return node;

  Seq<B> boxes(n);
  for (std::uint32_t i = 0; i < n; ++i) boxes[i] = elements_->BoxOf(ids[start + i]);
  B box = boxes[0];
  for (std::uint32_t i = 1; i < n; ++i) CM::Union(box, box, boxes[i]);
  node->box = box;

  if (n <= 4) {
    node->elements.SetSize(n);
    for (std::uint32_t i = 0; i < n; ++i) node->elements[i] = ids[start + i];
    return node;
  }

  const double sx = CM::Max(box, 0) - CM::Min(box, 0);
  const double sy = CM::Max(box, 1) - CM::Min(box, 1);
  const double sz = CM::Max(box, 2) - CM::Min(box, 2);
  int axis = 0;
  double widest = sx;
  if (sy > widest) {
    axis = 1;
    widest = sy;
  }
  if (sz > widest) axis = 2;

  Seq<E> order(n);
  Seq<double> keys(n);
  for (std::uint32_t i = 0; i < n; ++i) {
    order[i] = ids[start + i];
    keys[i] = CM::Min(boxes[i], axis);
  }
  boxes.SetSize(0);
  zavo::SelectionSortByKey(order.Data(), keys.Data(), n);
  keys.SetSize(0);

  const std::uint32_t h = n / 2;
  node->children.SetSize(2);
  node->children[0] = BuildNode(order, 0, h);
  node->children[1] = BuildNode(order, h, n);
  return node;
}

template <class E, class S, class B, class CM>
typename HierBuilder2<E, S, B, CM>::Node* HierBuilder2<E, S, B, CM>::Build(double factor) {
  const std::uint32_t n = elements_->Count();
  if (n == 0) return nullptr;
  level_ = 0;
  Status("Creating grid");
  boxes_.resize(n);
  for (std::uint32_t i = 0; i < n; ++i) boxes_[i] = elements_->BoxOf(elements_->Id(i));
  B all = boxes_[0];
  for (std::uint32_t i = 1; i < n; ++i) CM::Union(all, all, boxes_[i]);
  if (!Grid<E>::CanMake(gridDimension_, GridBox(all))) {
    std::vector<B>().swap(boxes_);
    return BuildAll();
  }
  Node* head = nullptr;
  {
    Grid<E> grid(gridDimension_, GridBox(all));
    for (std::uint32_t i = 0; i < n; ++i) grid.Insert(elements_->Id(i), GridBox(boxes_[i]));
    grid.ClearUsed();
    placed_ = 0;
    cursor_ = 0;
    Node* tail = nullptr;
    while (Node* node = BuildGridNode(grid, factor)) {
      (head == nullptr ? head : tail->next) = node;
      tail = node;
    }
  }
  std::vector<B>().swap(boxes_);
  WriteGridLog(head);
  while (head->next != nullptr) {
    Status("hierarchy level " + std::to_string(level_ + 1));
    ++level_;
    head = BuildNextLevel(head, factor);
  }
  std::vector<Node*>().swap(levelNodes_);
  return head;
}

template <class E, class S, class B, class CM>
typename HierBuilder2<E, S, B, CM>::Node* HierBuilder2<E, S, B, CM>::BuildGridNode(Grid<E>& grid,
                                                                                    double factor) {
  const long count = grid.ObjectCount();
  long seed = -1;
  if (KeyedSeeds()) {
    double least = 0.0;
    for (long i = 0; i < count; ++i) {
      if (grid.Used(static_cast<std::uint32_t>(i))) continue;
      const double key = SeedKey(boxes_[static_cast<std::size_t>(i)]);
      if (seed < 0 || key < least) {
        seed = i;
        least = key;
      }
    }
  } else {
    while (cursor_ < count && grid.Used(static_cast<std::uint32_t>(cursor_))) ++cursor_;
    if (cursor_ < count) seed = cursor_;
  }
  if (seed < 0) return nullptr;
  ++placed_;
  Status(LevelText(0, static_cast<double>(placed_), static_cast<double>(count)) + "  [" + std::to_string(seed) +
         "]");

  const auto seedNumber = static_cast<std::uint32_t>(seed);
  grid.SetUsed(seedNumber);
  const B seedBox = boxes_[seedNumber];
  long partner = -1;
  double best = 0.0;
  grid.ClearMarks();
  VisitCells(grid, seedBox, [&](std::uint32_t number) {
    const double v = CM::UnionVolume(seedBox, boxes_[number]);
    if (partner < 0 || v < best) {
      partner = number;
      best = v;
    }
  });

  Node* node = new Node;
  if (partner < 0) {
    node->elements.SetSize(1);
    node->elements[0] = grid.Id(seedNumber);
    node->box = seedBox;
    return node;
  }
  const auto partnerNumber = static_cast<std::uint32_t>(partner);
  grid.SetUsed(partnerNumber);
  ++placed_;
  B pair;
  CM::Union(seedBox, pair, boxes_[partnerNumber]);
  const double limit = factor * CM::Volume(pair);
  B box = pair;
  joining_.clear();
  grid.ClearMarks();
  VisitCells(grid, pair, [&](std::uint32_t number) {
    const B& other = boxes_[number];
    if (CM::UnionVolume(pair, other) < limit) {
      grid.SetUsed(number);
      CM::Union(box, box, other);
      joining_.push_back(number);
      ++placed_;
    }
  });
  const auto joined = static_cast<std::uint32_t>(joining_.size());
  node->elements.SetSize(2 + joined);
  node->elements[0] = grid.Id(seedNumber);
  node->elements[1] = grid.Id(partnerNumber);
  for (std::uint32_t j = 0; j < joined; ++j) node->elements[2 + j] = grid.Id(static_cast<std::uint32_t>(joining_[j]));
  node->box = box;
  return node;
}

template <class E, class S, class B, class CM>
typename HierBuilder2<E, S, B, CM>::Node* HierBuilder2<E, S, B, CM>::BuildNextLevel(Node* list, double factor) {
  if (list == nullptr) RuntimeErrorBox("lmtn empty");
  levelNodes_.clear();
  for (Node* p = list; p != nullptr; p = p->next) levelNodes_.push_back(p);
  const std::size_t size = levelNodes_.size();
  Node* head = GroupLevel(factor, KeyedSeeds());
  if (!KeyedSeeds() || size < 2) return head;
  std::size_t made = 0;
  for (Node* p = head; p != nullptr; p = p->next) ++made;
  if (made < size) return head;
  // Every seed found no partner after its slot, so every node got a parent
  // of its own: the next level would be the same again, for ever. Take the
  // parents back and group this level with the first free node as seed,
  // which always pairs.
  while (head != nullptr) {
    Node* parent = head;
    head = head->next;
    parent->children.SetSize(0);
    delete parent;
  }
  levelNodes_.clear();
  for (Node* p = list; p != nullptr; p = p->next) levelNodes_.push_back(p);
  return GroupLevel(factor, false);
}

template <class E, class S, class B, class CM>
typename HierBuilder2<E, S, B, CM>::Node* HierBuilder2<E, S, B, CM>::GroupLevel(double factor, bool keyedSeeds) {
  freeSlots_.resize(levelNodes_.size());
  for (std::size_t i = 0; i < freeSlots_.size(); ++i) freeSlots_[i] = static_cast<unsigned int>(i);
  placed_ = 0;
  Node* head = nullptr;
  Node* tail = nullptr;
  while (Node* node = BuildUpperNode(factor, keyedSeeds)) {
    (head == nullptr ? head : tail->next) = node;
    tail = node;
  }
  return head;
}

template <class E, class S, class B, class CM>
typename HierBuilder2<E, S, B, CM>::Node* HierBuilder2<E, S, B, CM>::BuildUpperNode(double factor,
                                                                                     bool keyedSeeds) {
  if (freeSlots_.empty()) return nullptr;
  const std::size_t count = freeSlots_.size();
  std::size_t seedAt = 0;
  if (keyedSeeds) {
    double least = SeedKey(levelNodes_[freeSlots_[0]]->box);
    for (std::size_t p = 1; p < count; ++p) {
      const double key = SeedKey(levelNodes_[freeSlots_[p]]->box);
      if (key < least) {
        seedAt = p;
        least = key;
      }
    }
  }
  const unsigned int seedSlot = freeSlots_[seedAt];
  ++placed_;
  Status(LevelText(level_, static_cast<double>(placed_), static_cast<double>(levelNodes_.size())));
  Node* seed = levelNodes_[seedSlot];
  levelNodes_[seedSlot] = nullptr;

  // Partners and joiners come only from the slots after the seed's.
  std::size_t partnerAt = 0;
  double best = 0.0;
  for (std::size_t p = seedAt + 1; p < count; ++p) {
    const double v = CM::UnionVolume(seed->box, levelNodes_[freeSlots_[p]]->box);
    if (partnerAt == 0 || v < best) {
      partnerAt = p;
      best = v;
    }
  }

  Node* parent = new Node;
  if (partnerAt == 0) {
    freeSlots_.erase(freeSlots_.begin() + static_cast<std::ptrdiff_t>(seedAt));
    parent->children.SetSize(1);
    parent->children[0] = seed;
    parent->box = seed->box;
    return parent;
  }
  Node* partner = levelNodes_[freeSlots_[partnerAt]];
  levelNodes_[freeSlots_[partnerAt]] = nullptr;
  ++placed_;
  B pair;
  CM::Union(seed->box, pair, partner->box);
  const double limit = factor * CM::Volume(pair);
  B box = pair;
  joining_.clear();
  std::size_t kept = 0;
  for (std::size_t p = 0; p < count; ++p) {
    if (p == seedAt || p == partnerAt) continue;
    const unsigned int slot = freeSlots_[p];
    const Node* other = levelNodes_[slot];
    if (p > seedAt && CM::UnionVolume(pair, other->box) < limit) {
      CM::Union(box, box, other->box);
      joining_.push_back(slot);
      ++placed_;
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
    const auto slot = static_cast<std::size_t>(joining_[j]);
    parent->children[2 + j] = levelNodes_[slot];
    levelNodes_[slot] = nullptr;
  }
  parent->box = box;
  return parent;
}

template <class E, class S, class B, class CM>
void HierBuilder2<E, S, B, CM>::WriteGridLog(const Node* list) const {
  std::ostringstream os;
  for (const Node* node = list; node != nullptr; node = node->next) {
    os << "S) " << zavo::AddressText(node) << "  (";
    CM::Write(os, node->box);
    os << ")\nV=";
    zavo::WriteReal(os, CM::Volume(node->box));
    os << "\n[ ";
    for (std::uint32_t i = 0; i < node->elements.Count(); ++i) {
      if (i > 0) os << " , ";
      os << zavo::IdText(node->elements[i]);
    }
    os << " ]\n";
  }
  // A diagnostic log: no log is no failure.
  (void)zavo::WriteLogFile("hierbl2.log", os.str());
}
