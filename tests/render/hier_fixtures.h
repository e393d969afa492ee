#pragma once

// Trace entries with given bounding volumes for the hierarchy builders, and
// ways to look at the trees they make.
//
//   Elements e({box0, box1, ...});     entries "e0", "e1", ... in a sequence
//   Describe(root, e.seq)              "([0 1] [2])": a leaf lists its
//                                      elements' indices, a node its children
//   CheckTree(root, e.seq)             every element in exactly one leaf, every
//                                      bound holding what lies below it

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <typeinfo>
#include <vector>

#include "geometry/bounding_object.h"
#include "geometry/box.h"
#include "render/seq_graphic_object.h"
#include "scene/comm_data.h"
#include "scene/graphic_object.h"
#include "scene/fakes.h"
#include "scene/trace_data.h"

namespace zavo::test {

// A box volume of another class than BoundingBox: the builders must ask it
// through its operations.
class OtherBox : public BoundingBox {
public:
  using BoundingBox::BoundingBox;
};

// An object with a given volume (or none) that the builders only ask for it
// and for its name.
class VolumeObject : public CG_GraphicObject {
public:
  VolumeObject(const char* objectName, std::unique_ptr<BoundingObject> volume)
      : CG_GraphicObject(*MakeCommData(objectName)), volume_(std::move(volume)) {}
  int GetCommData(CG_GraphicObjectCommData&) override { return 0; }
  int SetCommData(CG_GraphicObjectCommData&) override { return 0; }
  void Write(std::ostream&) const override {}
  const BoundingObject* GetBoundingObject() const override { return volume_.get(); }
  void Move(const GEO_Box& box) { volume_ = std::make_unique<BoundingBox>(box); }

private:
  std::unique_ptr<BoundingObject> volume_;
};

class NoHits : public CG_GraphicObjectIntrInfo {
public:
  double Value(int) const override { return 0.0; }
  int Count() const override { return 0; }
};

// A trace entry owning its object.
inline std::unique_ptr<CG_GraphicObjectQZData> MakeEntry(std::unique_ptr<CG_GraphicObject> object) {
  return std::make_unique<CG_GraphicObjectQZData>(object.release(), 1, std::make_unique<NoHits>());
}

// Entries "e0", "e1", ... with the boxes as volumes, and their sequence.
struct Elements {
  explicit Elements(const std::vector<GEO_Box>& boxes, bool otherClass = false) : seq(static_cast<std::uint32_t>(boxes.size())) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      std::unique_ptr<BoundingObject> volume;
      if (otherClass) {
        volume = std::make_unique<OtherBox>(boxes[i]);
      } else {
        volume = std::make_unique<BoundingBox>(boxes[i]);
      }
      const std::string name = "e" + std::to_string(i);
      entries.push_back(MakeEntry(std::make_unique<VolumeObject>(name.c_str(), std::move(volume))));
      seq[static_cast<std::uint32_t>(i)] = entries.back().get();
    }
  }
  VolumeObject& Object(std::size_t i) { return static_cast<VolumeObject&>(*entries[i]->object); }

  std::vector<std::unique_ptr<CG_GraphicObjectQZData>> entries;
  SeqGraphicObject seq;
};

// The unit box with its lower corner at (x, y, z), scaled by s.
inline GEO_Box UnitBox(double x, double y = 0, double z = 0, double s = 1) {
  return {x, x + s, y, y + s, z, z + s};
}

inline int IndexOf(const SeqGraphicObject& seq, const CG_GraphicObjectQZData* entry) {
  for (std::uint32_t i = 0; i < seq.Count(); ++i) {
    if (seq[i] == entry) return static_cast<int>(i);
  }
  return -1;
}

inline std::string Describe(const GlobalHierNode* node, const SeqGraphicObject& seq) {
  if (node == nullptr) return "null";
  std::string text;
  if (node->children.Count() > 0) {
    text = "(";
    for (std::uint32_t c = 0; c < node->children.Count(); ++c) {
      if (c > 0) text += " ";
      text += Describe(node->children[c], seq);
    }
    return text + ")";
  }
  text = "[";
  for (std::uint32_t e = 0; e < node->elements.Count(); ++e) {
    if (e > 0) text += " ";
    text += std::to_string(IndexOf(seq, node->elements[e]));
  }
  return text + "]";
}

// The nodes in pre-order.
inline std::vector<const GlobalHierNode*> PreOrder(const GlobalHierNode* root) {
  std::vector<const GlobalHierNode*> order;
  std::vector<const GlobalHierNode*> pending;
  if (root != nullptr) pending.push_back(root);
  while (!pending.empty()) {
    const GlobalHierNode* node = pending.back();
    pending.pop_back();
    order.push_back(node);
    for (std::uint32_t c = node->children.Count(); c > 0; --c) pending.push_back(node->children[c - 1]);
  }
  return order;
}

// Each node's level link as the pre-order number of its target (0 for none).
inline std::vector<int> LevelLinks(const GlobalHierNode* root) {
  const std::vector<const GlobalHierNode*> order = PreOrder(root);
  std::map<const GlobalHierNode*, int> number;
  for (std::size_t i = 0; i < order.size(); ++i) number[order[i]] = static_cast<int>(i) + 1;
  std::vector<int> links;
  for (const GlobalHierNode* node : order) links.push_back(node->next == nullptr ? 0 : number.at(node->next));
  return links;
}

inline bool Contains(const GEO_Box& outer, const GEO_Box& inner) {
  return outer.xmin <= inner.xmin && inner.xmax <= outer.xmax && outer.ymin <= inner.ymin &&
         inner.ymax <= outer.ymax && outer.zmin <= inner.zmin && inner.zmax <= outer.zmax;
}

// Every element of the sequence in exactly one leaf, no other entry in any
// leaf, a node with either children or elements, every bound its own and
// holding what lies below it.
inline void CheckTree(const GlobalHierNode* root, const SeqGraphicObject& seq) {
  ASSERT_NE(root, nullptr);
  std::vector<int> seen(seq.Count(), 0);
  for (const GlobalHierNode* node : PreOrder(root)) {
    ASSERT_NE(node->box, nullptr);
    const GEO_Box bound = node->box->GetBox();
    EXPECT_TRUE((node->children.Count() > 0) != (node->elements.Count() > 0));
    for (std::uint32_t c = 0; c < node->children.Count(); ++c) {
      EXPECT_NE(node->children[c]->box, node->box);
      EXPECT_TRUE(Contains(bound, node->children[c]->box->GetBox()));
    }
    for (std::uint32_t e = 0; e < node->elements.Count(); ++e) {
      const int i = IndexOf(seq, node->elements[e]);
      ASSERT_GE(i, 0);
      ++seen[static_cast<std::size_t>(i)];
      const BoundingObject* own = node->elements[e]->object->GetBoundingObject();
      EXPECT_NE(own, node->box);
      EXPECT_TRUE(Contains(bound, own->GetBox()));
    }
  }
  for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], 1) << "element " << i;
}

}  // namespace zavo::test
