#pragma once

// The text file that keeps a face hierarchy between runs.
//
// Nodes are numbered in pre-order from the root, from 1; 0 stands for no
// node. The file holds N (the node count + 1), the root's number, then for
// each number 1 .. N - 1 one record of six lines: the number; the box as
// "[ xmin , xmax , ymin , ymax , zmin , zmax ]"; the number of the node's
// next link (0 for none); "1" for an interior node or "0" for a leaf; the
// count of children or ids; the children's numbers or the ids, each followed
// by one blank.
//
// A file that opens may still be truncated, corrupt or stale (written for a
// mesh that was edited since). The reader checks it against the faces it is
// for and accepts it only when every part fits: N at least 2, N - 1 records
// that read, each with its own number within 1 .. N - 1, and the root within
// 1 .. N - 1; then, for the nodes under the root: child numbers within
// 1 .. N - 1, next links within 0 .. N - 1, every node reached exactly once
// (no node that is a child twice, no cycle, no tree deeper than
// kMaxHierarchyDepth), ids below the face count, and every face id exactly
// once. Records of nodes that are not under the root are read and dropped,
// and a next link to such a node becomes null.

#include <cstdint>
#include <iosfwd>

#include "foundation/hier_node.h"
#include "geometry/box.h"

namespace zavo {

// No accepted tree is deeper than this (the root counts 1): the builders
// make trees of logarithmic depth, and the walks through a tree recurse.
inline constexpr int kMaxHierarchyDepth = 1000;

// Writes the hierarchy file of the tree. The node table starts with the
// empty entry; were it not at 0, that is the internal error "error
// condition". A next link to a node outside the tree is written as 0.
void SaveHierarchy(std::ostream& os, const HierNode<int, GEO_Box>* root);

// Reads a hierarchy file over faces 0 .. faceCount - 1 with a GeoScanner.
// The root of the tree read, owned by the caller; null when the file does not
// fit (nothing read is kept then).
HierNode<int, GEO_Box>* LoadHierarchy(std::istream& in, std::uint32_t faceCount);

}  // namespace zavo
