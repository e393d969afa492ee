#pragma once

#include <unordered_map>

#include "foundation/fragmented_seq.h"
#include "foundation/hier_node.h"
#include "geometry/box.h"

namespace zavo {

// The node table of the hierarchy file writer: nodes numbered in the order
// they were registered, with the index of a node found in constant time.
class HierNodeTable {
public:
  using Node = HierNode<int, GEO_Box>;

  // The index of the node, or -1 when the table does not hold it.
  int IndexOf(const Node* node) const {
    const auto it = index_.find(node);
    return it == index_.end() ? -1 : it->second;
  }
  // The index of the node, appending it when the table does not hold it.
  int IndexOfOrAppend(Node* node) {
    const auto [it, added] = index_.try_emplace(node, nodes_.Size());
    if (added) {
      nodes_.SetSize(nodes_.Size() + 1);
      nodes_[nodes_.Size() - 1] = node;
    }
    return it->second;
  }

  int Size() const { return nodes_.Size(); }
  Node* operator[](int i) const { return nodes_[i]; }

  void Clear() {
    nodes_.Clear();
    index_.clear();
  }

private:
  FragmentedSeq<Node*, int> nodes_;
  std::unordered_map<const Node*, int> index_;
};

}  // namespace zavo
