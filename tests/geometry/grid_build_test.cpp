#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/grid.h"
#include "geometry/hier_builder2.h"
#include "geometry/hier_reporting.h"
#include "geometry/seqf.h"
#include "mesh_fixtures.h"

namespace {

using Node = HierNode<int, GEO_Box>;
using zavo::test::BoxFaces;
using zavo::test::Recorder;

std::string Shape(const Node* node) {
  std::string s;
  if (node->children.Count() == 0) {
    s = "(";
    for (std::uint32_t i = 0; i < node->elements.Count(); ++i) s += (i ? " " : "") + std::to_string(node->elements[i]);
    return s + ")";
  }
  s = "[";
  for (std::uint32_t i = 0; i < node->children.Count(); ++i) s += (i ? " " : "") + Shape(node->children[i]);
  return s + "]";
}

// Every id below node, in order; every box the union of what is below it.
GEO_Box Collect(const Node* node, const std::vector<GEO_Box>& boxes, std::vector<int>& ids) {
  GEO_Box box;
  if (node->children.Count() == 0) {
    for (std::uint32_t i = 0; i < node->elements.Count(); ++i) {
      const int id = node->elements[i];
      ids.push_back(id);
      if (i == 0) box = boxes[static_cast<std::size_t>(id)];
      box.ExtendBox(boxes[static_cast<std::size_t>(id)]);
    }
  } else {
    for (std::uint32_t i = 0; i < node->children.Count(); ++i) {
      const GEO_Box b = Collect(node->children[i], boxes, ids);
      if (i == 0) box = b;
      box.ExtendBox(b);
    }
  }
  EXPECT_EQ(node->box, box);
  return box;
}

TEST(Grid, SpanCellsAndRegistration) {
  Grid<int> grid(2, {0, 1, 0, 1, 0, 1});
  EXPECT_EQ(grid.Box(), (GEO_Box{-1.1, 2.1, -1.1, 2.1, -1.1, 2.1}));
  for (int a = 0; a < 3; ++a) EXPECT_DOUBLE_EQ(grid.CellSize(a), 3.2);
  grid.Insert(7, {0, 1, 0, 1, 0, 1});
  grid.Insert(9, {3, 3, 3, 3, 3, 3});  // beyond the upper cells: clamped to the last
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 2; ++j) {
      for (int k = 0; k < 2; ++k) {
        const std::vector<std::uint32_t> expected = (i == 1 && j == 1 && k == 1) ? std::vector<std::uint32_t>{0, 1}
                                                                                 : std::vector<std::uint32_t>{0};
        EXPECT_EQ(grid.Cell(i, j, k), expected) << i << j << k;
      }
    }
  }
  EXPECT_EQ(grid.ObjectCount(), 2);
  EXPECT_EQ(grid.Id(1), 9);

  // Boxes outside the grid, or no numbers at all, still give cells within the table.
  Grid<int> fine(10, {0, 1, 0, 1, 0, 1});
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const GEO_Box odd[] = {{-50, -40, 0, 1, 0, 1}, {40, 50, 0, 1, 0, 1}, {nan, nan, 0, 1, 0, 1}};
  for (const GEO_Box& b : odd) {
    int first = -1, last = -1;
    fine.CellRange(b, 0, first, last);
    EXPECT_GE(first, 0);
    EXPECT_LE(last, 9);
    EXPECT_LE(first, last);
    fine.Insert(1, b);
  }
}

TEST(Grid, UsedFlagsAndScanMarks) {
  Grid<int> grid(3, {0, 1, 0, 1, 0, 1});
  grid.Insert(0, {0, 1, 0, 1, 0, 1});
  grid.Insert(1, {0, 1, 0, 1, 0, 1});
  EXPECT_FALSE(grid.Marked(0));
  grid.Mark(0);
  EXPECT_TRUE(grid.Marked(0));
  EXPECT_FALSE(grid.Marked(1));
  grid.ClearMarks();
  EXPECT_FALSE(grid.Marked(0));
  grid.SetUsed(1);
  EXPECT_TRUE(grid.Used(1));
  EXPECT_FALSE(grid.Used(0));
  grid.ClearUsed();
  EXPECT_FALSE(grid.Used(1));
}

TEST(Grid, WhichGridsCanBeMade) {
  const GEO_Box cube{0, 1, 0, 1, 0, 1};
  EXPECT_TRUE(Grid<int>::CanMake(2, cube));
  EXPECT_TRUE(Grid<int>::CanMake(Grid<int>::kMaxDimension, cube));
  EXPECT_FALSE(Grid<int>::CanMake(1, cube));
  EXPECT_FALSE(Grid<int>::CanMake(0, cube));
  EXPECT_FALSE(Grid<int>::CanMake(Grid<int>::kMaxDimension + 1, cube));
  EXPECT_FALSE(Grid<int>::CanMake(20, {0, 1, 0, 1, 3, 3}));
  EXPECT_FALSE(Grid<int>::CanMake(20, {-1e308, 1e308, 0, 1, 0, 1}));
  EXPECT_FALSE(Grid<int>::CanMake(20, {-1.7e308, -1.2e308, 0, 1, 0, 1}));
}

// Faces flat in z, in the planes z = 0 and z = 10: within a plane every
// union has volume 0, so a seed takes the first free face met in its cells.
std::vector<GEO_Box> TwoPlanes() {
  return {{5, 6, 0, 1, 0, 0}, {8, 9, 0, 1, 0, 0}, {4, 5, 0, 1, 0, 0}, {4, 5, 0, 1, 10, 10}, {5, 6, 0, 1, 10, 10}};
}

TEST(BoxHierBuilder2Grid, FirstLevelGroupsNeighboursInTheGrid) {
  zavo::test::TempDir dir;
  zavo::test::ScopedCwd cwd(dir.path());
  const std::vector<GEO_Box> boxes = TwoPlanes();
  auto mesh = BoxFaces(boxes);
  Seqf seqf(mesh->faces, mesh->vertices);
  BoxHierBuilder2<int, Seqf> builder(&seqf);
  Recorder recorder;
  builder.SetInterface(&recorder);
  builder.SetName("g");
  builder.SetGridDimension(10);
  EXPECT_EQ(builder.Mode(), 0);
  Node* root = builder.Build(1.3);
  ASSERT_NE(root, nullptr);
  // Face 2 lies in lower cells than face 1, so face 0 meets it first; face 1
  // has no free face near it and stays alone while faces 3 and 4 remain.
  EXPECT_EQ(Shape(root), "[[(0 2) (1)] [(3 4)]]");
  EXPECT_EQ(recorder.texts, (std::vector<std::string>{"Creating grid", "g: level 0 - 20%  [0]",
                                                      "g: level 0 - 60%  [1]", "g: level 0 - 80%  [3]",
                                                      "hierarchy level 1", "g: level 1 - 33%", "g: level 1 - 100%",
                                                      "hierarchy level 2", "g: level 2 - 50%"}));
  std::vector<int> ids;
  Collect(root, boxes, ids);
  // The first level, linked in the order made, is in the log.
  const Node* a = root->children[0]->children[0];
  const Node* b = root->children[0]->children[1];
  const Node* c = root->children[1]->children[0];
  EXPECT_EQ(a->next, b);
  EXPECT_EQ(b->next, c);
  EXPECT_EQ(c->next, nullptr);
  EXPECT_EQ(root->children[0]->next, root->children[1]);
  EXPECT_EQ(zavo::test::ReadFile(dir / "hierbl2.log"),
            "S) " + zavo::AddressText(a) + "  ([ 4 , 6 , 0 , 1 , 0 , 0 ])\nV=0\n[ 0 , 2 ]\n" +
                "S) " + zavo::AddressText(b) + "  ([ 8 , 9 , 0 , 1 , 0 , 0 ])\nV=0\n[ 1 ]\n" +
                "S) " + zavo::AddressText(c) + "  ([ 4 , 6 , 0 , 1 , 10 , 10 ])\nV=0\n[ 3 , 4 ]\n");
  builder.Free(root);
}

TEST(BoxHierBuilder2Grid, JoinersComeFromThePairsCellsInVisitOrder) {
  zavo::test::TempDir dir;
  zavo::test::ScopedCwd cwd(dir.path());
  // Face 1 is the partner; 3 and 2 join under 1.5 times the pair's volume,
  // in the order the cells are visited (3 lies in lower x cells than 2).
  const std::vector<GEO_Box> boxes = {
      {2, 3, 0, 1, 0, 1}, {2, 3, 0, 1, 0, 1.05}, {2.6, 3, 0, 1, 0, 1.2}, {1.9, 2.5, 0, 1, 0.2, 1}, {9, 10, 9, 10, 9, 10}};
  auto mesh = BoxFaces(boxes);
  Seqf seqf(mesh->faces, mesh->vertices);
  BoxHierBuilder2<int, Seqf> builder(&seqf);
  builder.SetGridDimension(12);
  Node* root = builder.Build(1.5);
  EXPECT_EQ(Shape(root), "[(0 1 3 2) (4)]");
  builder.Free(root);
}

TEST(BoxHierBuilder2Grid, SeedModes) {
  zavo::test::TempDir dir;
  zavo::test::ScopedCwd cwd(dir.path());
  // Far apart, so that every first-level node holds one face: the status
  // texts give the order of the seeds.
  const std::vector<GEO_Box> boxes = {{0, 2, 0, 2, 0, 2}, {10, 11, 10, 11, 10, 11}, {20, 24, 20, 20.1, 20, 20.1},
                                      {30, 30.5, 30, 31.5, 30, 30.5}};
  auto mesh = BoxFaces(boxes);
  const struct {
    int mode;
    std::vector<std::string> seeds;
  } cases[] = {
      {0, {"[0]", "[1]", "[2]", "[3]"}},
      {1, {"[2]", "[3]", "[1]", "[0]"}},  // volumes 8, 1, 0.04, 0.375
      {2, {"[1]", "[3]", "[0]", "[2]"}},  // largest sides 2, 1, 4, 1.5
      {7, {"[0]", "[1]", "[2]", "[3]"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    Seqf seqf(mesh->faces, mesh->vertices);
    BoxHierBuilder2<int, Seqf> builder(&seqf);
    Recorder recorder;
    builder.SetInterface(&recorder);
    builder.SetGridDimension(30);
    builder.SetMode(c.mode);
    Node* root = builder.Build(1.3);
    std::vector<std::string> seeds;
    for (const std::string& t : recorder.texts) {
      if (t.rfind(": level 0 - ") != std::string::npos) seeds.push_back(t.substr(t.find('[')));
    }
    EXPECT_EQ(seeds, c.seeds);
    std::vector<int> ids;
    Collect(root, boxes, ids);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int>{0, 1, 2, 3}));
    builder.Free(root);
  }
}

TEST(BoxHierBuilder2Grid, UpperLevelsLookOnlyAfterTheSeedsSlot) {
  auto mesh = BoxFaces({});
  Seqf seqf(mesh->faces, mesh->vertices);
  BoxHierBuilder2<int, Seqf> builder(&seqf);
  Recorder recorder;
  builder.SetInterface(&recorder);
  builder.SetName("u");
  builder.SetMode(1);
  // Volumes 1, 8, 0.125, 27: the seed of least volume is slot 2, whose only
  // later slot is 3; then slot 0 pairs with slot 1.
  const GEO_Box boxes[] = {{0, 1, 0, 1, 0, 1}, {5, 7, 0, 2, 0, 2}, {0, 0.5, 0, 0.5, 0, 0.5}, {9, 12, 0, 3, 0, 3}};
  Node* nodes[4];
  for (int i = 0; i < 4; ++i) {
    nodes[i] = new Node;
    nodes[i]->box = boxes[i];
    if (i > 0) nodes[i - 1]->next = nodes[i];
  }
  Node* level = builder.BuildNextLevel(nodes[0], 1.0);
  ASSERT_NE(level, nullptr);
  ASSERT_EQ(level->children.Count(), 2u);
  EXPECT_EQ(level->children[0], nodes[2]);
  EXPECT_EQ(level->children[1], nodes[3]);
  Node* second = level->next;
  ASSERT_NE(second, nullptr);
  ASSERT_EQ(second->children.Count(), 2u);
  EXPECT_EQ(second->children[0], nodes[0]);
  EXPECT_EQ(second->children[1], nodes[1]);
  EXPECT_EQ(second->next, nullptr);
  EXPECT_EQ(recorder.texts, (std::vector<std::string>{"u: level 0 - 25%", "u: level 0 - 75%"}));
  builder.Free(level);
  builder.Free(second);
}

TEST(BoxHierBuilder2Grid, ALevelWhereNoSeedFindsAPartnerIsGroupedFromTheFirstSlot) {
  auto mesh = BoxFaces({});
  Seqf seqf(mesh->faces, mesh->vertices);
  BoxHierBuilder2<int, Seqf> builder(&seqf);
  builder.SetMode(1);
  // Volumes falling slot by slot: each seed of least volume is the last node
  // left, with no slot after it. Grouped so, the level would stay the same
  // for ever.
  Node* nodes[4];
  for (int i = 0; i < 4; ++i) {
    nodes[i] = new Node;
    const double side = 4.0 - i;
    nodes[i]->box = {10.0 * i, 10.0 * i + side, 0, side, 0, side};
    if (i > 0) nodes[i - 1]->next = nodes[i];
  }
  Node* level = builder.BuildNextLevel(nodes[0], 1.0);
  int count = 0;
  for (Node* p = level; p != nullptr; p = p->next) ++count;
  EXPECT_EQ(count, 2);
  EXPECT_EQ(level->children[0], nodes[0]);
  EXPECT_EQ(level->children[1], nodes[1]);
  builder.Free(level->next);
  builder.Free(level);

  // Whole builds in either keyed mode end, every face in the tree once.
  zavo::test::TempDir dir;
  zavo::test::ScopedCwd cwd(dir.path());
  std::vector<GEO_Box> falling;
  for (int i = 0; i < 40; ++i) {
    const double side = 40.0 - i;
    falling.push_back({100.0 * i, 100.0 * i + side, 0, side, 0, side});
  }
  auto many = BoxFaces(falling);
  for (int mode : {1, 2}) {
    Seqf all(many->faces, many->vertices);
    BoxHierBuilder2<int, Seqf> b(&all);
    b.SetMode(mode);
    b.SetGridDimension(8);
    Node* root = b.Build(1.3);
    std::vector<int> ids;
    Collect(root, falling, ids);
    std::sort(ids.begin(), ids.end());
    ASSERT_EQ(ids.size(), 40u);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(ids[static_cast<std::size_t>(i)], i);
    b.Free(root);
  }
}

TEST(BoxHierBuilder2Grid, GridsThatCannotBeMadeTakeTheMedianBuild) {
  zavo::test::TempDir dir;
  zavo::test::ScopedCwd cwd(dir.path());
  std::mt19937 gen(3);
  std::uniform_real_distribution<double> pos(0, 10);
  std::vector<GEO_Box> flat;  // every face in the plane z = 2
  for (int i = 0; i < 30; ++i) {
    const double x = pos(gen), y = pos(gen);
    flat.push_back({x, x + 0.5, y, y + 0.5, 2, 2});
  }
  std::vector<GEO_Box> solid = flat;
  solid[0].zmax = 3;
  const struct {
    const std::vector<GEO_Box>* boxes;
    int dimension;
  } cases[] = {{&flat, 20}, {&solid, 1}, {&solid, 0}, {&solid, -5}, {&solid, Grid<int>::kMaxDimension + 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dimension);
    auto mesh = BoxFaces(*c.boxes);
    Seqf seqf(mesh->faces, mesh->vertices);
    BoxHierBuilder2<int, Seqf> builder(&seqf);
    Recorder recorder;
    builder.SetInterface(&recorder);
    builder.SetGridDimension(c.dimension);
    Node* grid = builder.Build(1.3);
    Node* median = builder.BuildAll();
    EXPECT_EQ(Shape(grid), Shape(median));
    EXPECT_EQ(recorder.texts, std::vector<std::string>{"Creating grid"});
    EXPECT_FALSE(std::filesystem::exists(dir / "hierbl2.log"));
    builder.Free(grid);
    builder.Free(median);
  }
}

TEST(BoxHierBuilder2Grid, TreesOfRandomFaces) {
  zavo::test::TempDir dir;
  zavo::test::ScopedCwd cwd(dir.path());
  for (int n : {1, 2, 3, 50, 400}) {
    auto mesh = zavo::test::RandomTriangles(n, static_cast<unsigned>(n));
    std::vector<GEO_Box> boxes;
    for (std::uint32_t i = 0; i < mesh->faces.Count(); ++i) boxes.push_back(mesh->faces[i].GetBox(mesh->vertices));
    for (int dimension : {2, 5, 20}) {
      Seqf seqf(mesh->faces, mesh->vertices);
      BoxHierBuilder2<int, Seqf> builder(&seqf);
      builder.SetGridDimension(dimension);
      Node* root = builder.Build(1.3);
      ASSERT_NE(root, nullptr);
      std::vector<int> ids;
      Collect(root, boxes, ids);
      std::sort(ids.begin(), ids.end());
      ASSERT_EQ(ids.size(), static_cast<std::size_t>(n));
      for (int i = 0; i < n; ++i) EXPECT_EQ(ids[static_cast<std::size_t>(i)], i);
      builder.Free(root);
    }
  }
  auto none = BoxFaces({});
  Seqf seqf(none->faces, none->vertices);
  BoxHierBuilder2<int, Seqf> builder(&seqf);
  builder.SetGridDimension(10);
  EXPECT_EQ(builder.Build(1.3), nullptr);
}

}  // namespace
