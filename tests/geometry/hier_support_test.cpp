#include <gtest/gtest.h>

#include "foundation/fragmented_seq.h"
#include "foundation/hier_node.h"
#include "foundation/list.h"
#include "foundation/seq.h"
#include "geometry/box.h"
#include "geometry/box_intr.h"
#include "geometry/hier_node_table.h"
#include "geometry/point3d.h"

namespace {

using Node = HierNode<int, GEO_Box>;

TEST(HierNodeTable, IndicesOfRegisteredNodes) {
  Node a, b;
  zavo::HierNodeTable table;
  EXPECT_EQ(table.IndexOf(nullptr), -1);
  EXPECT_EQ(table.IndexOfOrAppend(nullptr), 0);  // the empty entry first
  EXPECT_EQ(table.IndexOf(nullptr), 0);
  EXPECT_EQ(table.IndexOf(&a), -1);
  EXPECT_EQ(table.IndexOfOrAppend(&a), 1);
  EXPECT_EQ(table.IndexOfOrAppend(&b), 2);
  EXPECT_EQ(table.IndexOfOrAppend(&a), 1);
  EXPECT_EQ(table.Size(), 3);
  EXPECT_EQ(table[2], &b);
  EXPECT_EQ(table.IndexOf(&b), 2);

  // Many nodes: the indices follow the order of registration across blocks.
  std::vector<Node> nodes(250);
  for (Node& n : nodes) table.IndexOfOrAppend(&n);
  EXPECT_EQ(table.Size(), 253);
  EXPECT_EQ(table.IndexOf(&nodes[249]), 252);
  EXPECT_EQ(table[103], &nodes[100]);
}

TEST(HierarchyContainers, InstancesOfTheHierarchyCode) {
  // Crossing records in fragmented sequences: copies keep the values, never the link.
  FragmentedSeq<BoxIntr, unsigned int> crossed;
  Node node;
  crossed.SetSize(101);
  crossed[100].node = &node;
  crossed[100].exitDistance = 2.5;
  crossed[100].next = &crossed[0];
  EXPECT_EQ(crossed.NBlocks(), 2u);
  FragmentedSeq<BoxIntr, unsigned int> copy(crossed);
  EXPECT_EQ(copy[100].node, &node);
  EXPECT_EQ(copy[100].exitDistance, 2.5);
  EXPECT_EQ(copy[100].next, nullptr);

  FragmentedSeq<BoxIntr2, int> queue;
  queue.SetSize(3);
  queue[2].crossings = 2;
  queue.SetSize(1);
  EXPECT_EQ(queue.NBlocks(), 1);
  queue.Clear();
  EXPECT_EQ(queue.Size(), 0);

  FragmentedSeq<unsigned int, unsigned int> marks;
  marks.SetSize(250);
  EXPECT_EQ(marks.NBlocks(), 3u);
  FragmentedSeq<Node*, unsigned int> levels;
  levels.SetSize(1);
  EXPECT_EQ(levels[0], nullptr);

  // Children of a node: resizing that keeps (loading) and that keeps none (building).
  auto* parent = new Node;
  parent->children.SetSize(2);
  parent->children[0] = new Node;
  parent->children.Resize(3);
  EXPECT_NE(parent->children[0], nullptr);
  EXPECT_EQ(parent->children[1], nullptr);
  parent->children[2] = new Node;
  delete parent;  // frees both children (LeakSanitizer would tell)

  // The list of a cell: the crossing records are list items too.
  List<BoxIntr> list;
  list.Append(new BoxIntr);
  list.Append(new BoxIntr);
  list.Clear();
  EXPECT_TRUE(list.IsEmpty());
}

TEST(PointSequences, CopiesAreDeep) {
  Seq<Seq<Point3D>> rings(2);
  rings[0].SetSize(2);
  rings[0][1] = {1, 2, 3};
  Seq<Seq<Point3D>> copy(rings);
  copy[0][1].x = 9;
  EXPECT_EQ(rings[0][1], (Point3D{1, 2, 3}));
  EXPECT_NE(copy[0].Data(), rings[0].Data());

  rings.Resize(3);
  EXPECT_EQ(rings[0][1], (Point3D{1, 2, 3}));
  EXPECT_EQ(rings[2].Count(), 0u);
  Seq<Seq<Point3D>> assigned;
  assigned = rings;
  rings[0][1].y = -1;
  EXPECT_EQ(assigned[0][1], (Point3D{1, 2, 3}));
  EXPECT_EQ(Seq<Point3D>(1)[0], (Point3D{0, 0, 0}));
}

}  // namespace
