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
// A user break ends either build early (zavo::BuildBreak): the members of a
// level not grouped yet make one node, a run not split yet one leaf, and no
// log is written.
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
#include "geometry/build_break.h"
#include "geometry/grid.h"
#include "geometry/grouping_index.h"
#include "geometry/hier_file.h"
#include "geometry/hier_reporting.h"
#include "geometry/real_text.h"
#include "geometry/seed_order.h"
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
    stop_ = {};
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

  using Index = zavo::GroupingIndex<zavo::BoxGrouping<B, CM>>;

  // The seeds of members with these boxes: by key under modes 1 and 2 when
  // keyed, else the first free one.
  zavo::SeedPicker Seeds(const std::vector<B>& boxes, bool keyed) const {
    std::vector<double> keys;
    if (keyed) {
      keys.resize(boxes.size());
      for (std::size_t i = 0; i < boxes.size(); ++i) keys[i] = SeedKey(boxes[i]);
    }
    return zavo::SeedPicker(std::move(keys), boxes.size());
  }

  // A median build's elements: their ids and boxes, and the positions of
  // the run being split (each node's run is a stretch of at), with room for
  // the sort keys of that stretch.
  struct MedianRun {
    std::vector<E> ids;
    std::vector<B> boxes;
    std::vector<std::uint32_t> at;
    std::vector<double> keys;
  };
  // The median build of the n positions from at[first] on.
  Node* MedianNode(MedianRun& run, std::uint32_t first, std::uint32_t n);

  Node* BuildGridLevel(const GridSpan& span, const std::vector<B>& boxes, double factor);
  Node* GroupLevel(const std::vector<Node*>& nodes, double factor, bool keyedSeeds);
  // After a break: every free member of the index, in order, and their union box.
  void GroupRest(const Index& index, const std::vector<B>& boxes, std::vector<std::uint32_t>& members, B& box) const;
  void WriteGridLog(const Node* list) const;

  std::int32_t mode_ = 0;
  std::int32_t gridDimension_ = 0;
  std::int32_t level_ = 0;
  // Elements placed (first level) or nodes placed (upper levels) so far.
  long placed_ = 0;
  // The searches of the level being grouped (its storage serves every level).
  Index index_;
  std::vector<std::uint32_t> joining_;
  zavo::BuildBreak stop_;
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
  // Each element's box is asked once; the runs below are positions in it.
  MedianRun run;
  run.ids.resize(n);
  run.boxes.resize(n);
  run.at.resize(n);
  run.keys.resize(n);
  for (std::uint32_t i = 0; i < n; ++i) {
    run.ids[i] = ids[start + i];
    run.boxes[i] = elements_->BoxOf(run.ids[i]);
    run.at[i] = i;
  }
  return MedianNode(run, 0, n);
}

template <class E, class S, class B, class CM>
typename HierBuilder2<E, S, B, CM>::Node* HierBuilder2<E, S, B, CM>::MedianNode(MedianRun& run,
                                                                                std::uint32_t first,
                                                                                std::uint32_t n) {
  Node* node = new Node;
  if (n == 0) return node;
  const std::uint32_t* at = run.at.data() + first;

  B box = run.boxes[at[0]];
  for (std::uint32_t i = 1; i < n; ++i) CM::Union(box, box, run.boxes[at[i]]);
  node->box = box;

  if (n <= 4 || stop_()) {
    node->elements.SetSize(n);
    for (std::uint32_t i = 0; i < n; ++i) node->elements[i] = run.ids[at[i]];
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

  // The run ordered in place: its halves are the children's runs.
  double* keys = run.keys.data() + first;
  for (std::uint32_t i = 0; i < n; ++i) keys[i] = CM::Min(run.boxes[at[i]], axis);
  zavo::SelectionSortByKey(run.at.data() + first, keys, n);

  const std::uint32_t h = n / 2;
  node->children.SetSize(2);
  node->children[0] = MedianNode(run, first, h);
  node->children[1] = MedianNode(run, first + h, n - h);
  return node;
}

template <class E, class S, class B, class CM>
typename HierBuilder2<E, S, B, CM>::Node* HierBuilder2<E, S, B, CM>::Build(double factor) {
  const std::uint32_t n = elements_->Count();
  if (n == 0) return nullptr;
  level_ = 0;
  stop_ = {};
  Status("Creating grid");
  Node* head = nullptr;
  {
    std::vector<B> boxes(n);
    for (std::uint32_t i = 0; i < n; ++i) boxes[i] = elements_->BoxOf(elements_->Id(i));
    B all = boxes[0];
    for (std::uint32_t i = 1; i < n; ++i) CM::Union(all, all, boxes[i]);
    if (!Grid<E>::CanMake(gridDimension_, GridBox(all))) return BuildAll();
    head = BuildGridLevel(GridSpan(gridDimension_, GridBox(all)), boxes, factor);
  }
  WriteGridLog(head);
  while (head->next != nullptr) {
    Status("hierarchy level " + std::to_string(level_ + 1));
    ++level_;
    head = BuildNextLevel(head, factor);
  }
  return head;
}

// The first level. An element meets the others only in the grid cells its
// box is listed in: a seed's partner is looked for among the free elements
// listed in the seed's cells, the joiners among those listed in the pair's;
// the cells are scanned x outermost, then y, then z, each in registration
// order, so that order settles ties and orders the joiners.
template <class E, class S, class B, class CM>
typename HierBuilder2<E, S, B, CM>::Node* HierBuilder2<E, S, B, CM>::BuildGridLevel(const GridSpan& span,
                                                                                     const std::vector<B>& boxes,
                                                                                     double factor) {
  const auto count = static_cast<std::uint32_t>(boxes.size());
  std::vector<zavo::CellBox> cells(count);
  for (std::uint32_t i = 0; i < count; ++i) cells[i] = zavo::CellBox::Of(span, GridBox(boxes[i]));
  Index& index = index_;
  index.Reset(boxes.data(), count, cells.data());
  zavo::SeedPicker seeds = Seeds(boxes, KeyedSeeds());
  const auto taken = [&](std::size_t i) { return !index.Free(static_cast<std::uint32_t>(i)); };
  placed_ = 0;
  Node* head = nullptr;
  Node* tail = nullptr;
  for (long s = seeds.Next(taken); s >= 0; s = seeds.Next(taken)) {
    const auto seed = static_cast<std::uint32_t>(s);
    if (stop_()) {
      Node* node = new Node;
      (head == nullptr ? head : tail->next) = node;
      GroupRest(index, boxes, joining_, node->box);
      const auto rest = static_cast<std::uint32_t>(joining_.size());
      node->elements.SetSize(rest);
      for (std::uint32_t j = 0; j < rest; ++j) node->elements[j] = elements_->Id(joining_[j]);
      break;
    }
    ++placed_;
    Status(LevelText(0, static_cast<double>(placed_), static_cast<double>(count)) + "  [" + std::to_string(seed) +
           "]");
    index.Take(seed);
    const B& seedBox = boxes[seed];
    zavo::GroupQuery query;
    query.cells = &cells[seed];
    const long partner = index.Partner(seedBox, query);

    Node* node = new Node;
    (head == nullptr ? head : tail->next) = node;
    tail = node;
    if (partner < 0) {
      node->elements.SetSize(1);
      node->elements[0] = elements_->Id(seed);
      node->box = seedBox;
      continue;
    }
    const auto p = static_cast<std::uint32_t>(partner);
    index.Take(p);
    ++placed_;
    B pair;
    CM::Union(seedBox, pair, boxes[p]);
    const double limit = factor * CM::Volume(pair);
    B box = pair;
    const zavo::CellBox pairCells = zavo::CellBox::Of(span, GridBox(pair));
    query.cells = &pairCells;
    index.Joiners(pair, limit, query, joining_);
    for (const std::uint32_t k : joining_) {
      index.Take(k);
      CM::Union(box, box, boxes[k]);
      ++placed_;
    }
    const auto joined = static_cast<std::uint32_t>(joining_.size());
    node->elements.SetSize(2 + joined);
    node->elements[0] = elements_->Id(seed);
    node->elements[1] = elements_->Id(p);
    for (std::uint32_t j = 0; j < joined; ++j) node->elements[2 + j] = elements_->Id(joining_[j]);
    node->box = box;
  }
  return head;
}

template <class E, class S, class B, class CM>
typename HierBuilder2<E, S, B, CM>::Node* HierBuilder2<E, S, B, CM>::BuildNextLevel(Node* list, double factor) {
  if (list == nullptr) RuntimeErrorBox("lmtn empty");
  std::vector<Node*> nodes;
  for (Node* p = list; p != nullptr; p = p->next) nodes.push_back(p);
  const std::size_t size = nodes.size();
  Node* head = GroupLevel(nodes, factor, KeyedSeeds());
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
  return GroupLevel(nodes, factor, false);
}

// One upper level: the seed by the mode (or the first free node), its partner
// and joiners only among the free nodes after it.
template <class E, class S, class B, class CM>
typename HierBuilder2<E, S, B, CM>::Node* HierBuilder2<E, S, B, CM>::GroupLevel(const std::vector<Node*>& nodes,
                                                                                 double factor, bool keyedSeeds) {
  const auto m = static_cast<std::uint32_t>(nodes.size());
  std::vector<B> boxes(m);
  for (std::uint32_t i = 0; i < m; ++i) boxes[i] = nodes[i]->box;
  Index& index = index_;
  index.Reset(boxes.data(), m);
  zavo::SeedPicker seeds = Seeds(boxes, keyedSeeds);
  const auto taken = [&](std::size_t i) { return !index.Free(static_cast<std::uint32_t>(i)); };
  placed_ = 0;
  Node* head = nullptr;
  Node* tail = nullptr;
  for (long s = seeds.Next(taken); s >= 0; s = seeds.Next(taken)) {
    const auto seed = static_cast<std::uint32_t>(s);
    if (stop_()) {
      Node* parent = new Node;
      (head == nullptr ? head : tail->next) = parent;
      GroupRest(index, boxes, joining_, parent->box);
      const auto rest = static_cast<std::uint32_t>(joining_.size());
      parent->children.SetSize(rest);
      for (std::uint32_t j = 0; j < rest; ++j) parent->children[j] = nodes[joining_[j]];
      break;
    }
    ++placed_;
    Status(LevelText(level_, static_cast<double>(placed_), static_cast<double>(m)));
    index.Take(seed);
    zavo::GroupQuery query;
    query.after = seed;
    const long partner = index.Partner(boxes[seed], query);

    Node* parent = new Node;
    (head == nullptr ? head : tail->next) = parent;
    tail = parent;
    if (partner < 0) {
      parent->children.SetSize(1);
      parent->children[0] = nodes[seed];
      parent->box = boxes[seed];
      continue;
    }
    const auto p = static_cast<std::uint32_t>(partner);
    index.Take(p);
    ++placed_;
    B pair;
    CM::Union(boxes[seed], pair, boxes[p]);
    const double limit = factor * CM::Volume(pair);
    B box = pair;
    index.Joiners(pair, limit, query, joining_);
    for (const std::uint32_t k : joining_) {
      index.Take(k);
      CM::Union(box, box, boxes[k]);
      ++placed_;
    }
    const auto joined = static_cast<std::uint32_t>(joining_.size());
    parent->children.SetSize(2 + joined);
    parent->children[0] = nodes[seed];
    parent->children[1] = nodes[p];
    for (std::uint32_t j = 0; j < joined; ++j) parent->children[2 + j] = nodes[joining_[j]];
    parent->box = box;
  }
  return head;
}

template <class E, class S, class B, class CM>
void HierBuilder2<E, S, B, CM>::GroupRest(const Index& index, const std::vector<B>& boxes,
                                          std::vector<std::uint32_t>& members, B& box) const {
  members.clear();
  for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(boxes.size()); ++i) {
    if (!index.Free(i)) continue;
    if (members.empty()) {
      box = boxes[i];
    } else {
      CM::Union(box, box, boxes[i]);
    }
    members.push_back(i);
  }
}

template <class E, class S, class B, class CM>
void HierBuilder2<E, S, B, CM>::WriteGridLog(const Node* list) const {
  if (zavo::BreakRequested()) return;  // the tree of a broken build is thrown away
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
