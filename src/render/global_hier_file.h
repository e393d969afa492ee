#pragma once

// The cache file of the global hierarchy, "<scene name>.qz_".
//
// Nodes are numbered in pre-order from the root, which is 1; 0 stands for no
// node, and N is the number of node indices including 0. The text holds N and
// the root's index, each on a line, then one entry per node in index order:
// the index on a line; the node's bound as a "{ bound" block; an empty line;
// the index of its level link on a line; then for a node with children "1",
// the child count and the children's indices, for a leaf "0", the object
// count and the objects' names, each on a line, every index or name of the
// last line followed by one blank.
//
// A file that opens may be truncated, corrupt or stale (written before the
// scene was edited). The reader accepts it only when all of it fits the
// object sequence of this build: N of at least 2; N - 1 entries that read,
// each filling a node of its own index within 1 .. N - 1 once, with a bound
// the reader list knows, a level link within 0 .. N - 1, a kind 0 or 1 and a
// positive count; nothing after the last entry; the root within 1 .. N - 1;
// every node reached from the root exactly once and no deeper than
// kMaxHierarchyDepth; each name a single token of at most 49 characters that
// matches, by exact comparison, the first element of the sequence with that
// name not matched yet; every element matched; and every bound within the
// rounding of its six written digits contains the boxes below it (the boxes
// of a leaf's objects, the bounds of a node's children). A bound that lost
// the little it takes to hold what lies below it in the rounding is widened
// to hold it: in a tree read back, as in one built, every bound holds its
// objects' and children's bounds exactly, and the tree saves as the same text.

#include <iosfwd>

#include "foundation/list.h"
#include "foundation/scanner.h"
#include "geometry/bounding_module.h"
#include "render/seq_graphic_object.h"
#include "scene/trace_data.h"

namespace zavo {

// The cache reader's tokenizer: the standard comments and numbers, two slots
// of 49 characters; a longer token ends the input.
inline constexpr ScannerConfig kHierarchyCacheScannerConfig = {
    {'/', '*', '*', '/'}, {'/', '/', '\n', 0}, 1, kIdentifierClassTable, -3, 2, 49, true};

// Writes the cache text of the tree (nothing but the header "1\n0\n" for no
// tree). A null object name is written as an empty text.
void SaveGlobalHierarchy(std::ostream& os, const GlobalHierNode* root);

// The tree of a cache text over the elements of objects, its bounds read with
// the reader list; null when the text does not fit as said above (nothing
// read is kept then). Never fails otherwise.
GlobalHierarchyPtr LoadGlobalHierarchy(std::istream& in, const SeqGraphicObject& objects,
                                       const List<BoundingObjectModule>& modules);

}  // namespace zavo
