#include "foundation/hier_node.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// An element that logs its destruction: a node's own element goes after the
// subtrees of its children.
struct Tag {
  static inline std::vector<int>* log = nullptr;
  int id = 0;
  Tag() = default;
  Tag(const Tag&) = default;
  Tag& operator=(const Tag&) = default;
  ~Tag() {
    if (id != 0) log->push_back(id);
  }
};

using TagNode = HierNode<Tag, int>;

TagNode* MakeNode(int id, std::uint32_t slots) {
  TagNode* node = new TagNode;
  node->elements.SetSize(1);
  node->elements[0].id = id;
  node->children.SetSize(slots);  // every slot starts null
  return node;
}

TEST(HierNode, DestroysTheNonNullChildrenInIndexOrderRecursively) {
  std::vector<int> log;
  Tag::log = &log;
  TagNode* root = MakeNode(1, 4);
  TagNode* left = MakeNode(2, 3);
  left->children[0] = MakeNode(4, 0);
  left->children[2] = MakeNode(5, 0);
  root->children[0] = left;
  root->children[3] = MakeNode(3, 0);
  left->next = root->children[3];  // the level link is never followed
  delete root;
  EXPECT_EQ(log, (std::vector<int>{4, 5, 2, 3, 1}));
  Tag::log = nullptr;
}

struct Probe {
  int alive = 1;
};

TEST(HierNode, NeverDeletesTheElementsOrTheBoundingVolume) {
  Probe objects[2];
  Probe volume;
  auto* root = new HierNode<Probe*, const Probe*>;
  root->box = &volume;
  root->children.SetSize(1);
  root->children[0] = new HierNode<Probe*, const Probe*>;
  root->children[0]->box = &volume;
  root->children[0]->elements.SetSize(2);
  root->children[0]->elements[0] = &objects[0];
  root->children[0]->elements[1] = &objects[1];
  delete root;  // deleting a stack object here would be caught by the sanitizers
  EXPECT_EQ(objects[0].alive + objects[1].alive + volume.alive, 3);
}

}  // namespace
