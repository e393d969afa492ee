// The grid-first builder and the median split.

#include "render/bound_hier_builder2.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "render/hier_fixtures.h"

namespace {

using zavo::test::CheckTree;
using zavo::test::Describe;
using zavo::test::Elements;
using zavo::test::RecordingInterface;
using zavo::test::ScopedCwd;
using zavo::test::TempDir;
using zavo::test::UnitBox;
using Builder2 = BoundHierBuilder2<CG_GraphicObjectQZData*, SeqGraphicObject>;

// A grid build in a directory of its own (it writes "hierbl2.log").
class GridFirst : public ::testing::Test {
protected:
  zavo::GlobalHierarchyPtr Build(Elements& e, int order, int dimension, double factor = 1.1) {
    Builder2 builder(&e.seq);
    builder.SetInterface(&ui);
    builder.SetName("Global hierarchy");
    builder.SetSeedOrder(order);
    builder.SetGridDimension(dimension);
    return builder.Build(factor);
  }
  // The seeds of level 0 as the progress texts name them.
  std::vector<int> Seeds() const {
    std::vector<int> seeds;
    for (const std::string& s : ui.statuses) {
      const auto open = s.find("%  [");
      if (open != std::string::npos) seeds.push_back(std::stoi(s.substr(open + 4)));
    }
    return seeds;
  }

  TempDir dir;
  ScopedCwd cwd{dir.path()};
  RecordingInterface ui;
};

// The union of the boxes is [0, 10] on every axis, so with 33 cells the grid
// runs from -11 to 21 in cells of 1: a coordinate c lies in cell trunc(c + 11).
TEST_F(GridFirst, ABoxInOneCellIsListedInTwoByTwoByTwoCells) {
  Elements e({
      UnitBox(0, 0, 0, 0.8),        // cells 11 .. 12 on every axis
      UnitBox(2.2, 0.2, 0.2, 0.6),  // x 13 .. 14: meets e0 in no cell, e2 in (13, 12, 12)
      UnitBox(1.2, 1.2, 1.2, 0.6),  // cells 12 .. 13: meets e0 in (12, 12, 12) only
      UnitBox(9.2, 9.2, 9.2, 0.8),  // far from all
  });
  zavo::GlobalHierarchyPtr root = Build(e, 0, 33);
  // e0 takes e2 although e1 would give the smaller union; e1 then meets no
  // free element and stays alone, and so does e3.
  EXPECT_EQ(Describe(root.get(), e.seq), "(([0 2] [1]) ([3]))");
  CheckTree(root.get(), e.seq);
  EXPECT_EQ(Seeds(), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(ui.statuses.front(), "Creating grid");
  // k counts the elements placed: 2 with the first leaf, then 3 and 4.
  EXPECT_EQ(ui.statuses[1], "Global hierarchy: level 0 - 25%  [0]");
  EXPECT_EQ(ui.statuses[2], "Global hierarchy: level 0 - 75%  [1]");
  EXPECT_EQ(ui.statuses[3], "Global hierarchy: level 0 - 100%  [3]");
}

struct SeedOrderCase {
  int order;
  std::vector<int> seeds;
};

class SeedOrder : public GridFirst, public ::testing::WithParamInterface<SeedOrderCase> {};

// Elements far apart, so every one is a leaf of its own and seeds in turn.
TEST_P(SeedOrder, ChoosesTheSeedsOfLevelZero) {
  Elements e({
      {0, 1, 0, 1, 0, 1},           // volume 1, largest side 1
      {20, 20.5, 0, 0.5, 0, 0.5},   // 0.125, 0.5
      {40, 42, 0, 0.1, 0, 0.1},     // 0.02, 2
      {60, 60.5, 0, 0.5, 0, 0.5},   // 0.125, 0.5
      {80, 81, 0, 1, 0, 0.5},       // 0.5, 1
  });
  zavo::GlobalHierarchyPtr root = Build(e, GetParam().order, 30);
  EXPECT_EQ(Seeds(), GetParam().seeds);
  CheckTree(root.get(), e.seq);
}

INSTANTIATE_TEST_SUITE_P(Orders, SeedOrder,
                         ::testing::Values(SeedOrderCase{0, {0, 1, 2, 3, 4}}, SeedOrderCase{1, {2, 1, 3, 4, 0}},
                                           SeedOrderCase{2, {1, 3, 0, 4, 2}},
                                           // Any other order acts as 1.
                                           SeedOrderCase{7, {2, 1, 3, 4, 0}}, SeedOrderCase{-1, {2, 1, 3, 4, 0}}),
                         [](const ::testing::TestParamInfo<SeedOrderCase>& info) {
                           return "Order" + std::to_string(info.index);
                         });

// A level of three nodes: n0 of volume 2 next to n1 of volume 1; n2 of volume 1 far away.
struct UpperCase {
  int order;
  const char* level;
  std::vector<std::string> statuses;
};

class UpperLevel : public ::testing::TestWithParam<UpperCase> {};

TEST_P(UpperLevel, PartnersComeOnlyFromAfterTheSeed) {
  Elements e({{0, 2, 0, 1, 0, 1}, UnitBox(2), UnitBox(50)});
  Builder2::Level level;
  for (std::uint32_t i = 0; i < 3; ++i) {
    zavo::GlobalHierarchyPtr leaf(new zavo::GlobalHierNode);
    leaf->box = e.seq[i]->object->GetBoundingObject()->Clone().release();
    leaf->elements.SetSize(1);
    leaf->elements[0] = e.seq[i];
    level.push_back(std::move(leaf));
  }
  RecordingInterface ui;
  Builder2 builder(&e.seq);
  builder.SetInterface(&ui);
  builder.SetName("G");
  builder.SetSeedOrder(GetParam().order);
  Builder2::Level next = builder.BuildNextLevel(std::move(level), 1.1);
  std::string text;
  for (const auto& node : next) text += Describe(node.get(), e.seq);
  EXPECT_EQ(text, GetParam().level);
  EXPECT_EQ(ui.statuses, GetParam().statuses);
  EXPECT_EQ(builder.CurrentLevel(), 1);
  ASSERT_EQ(next.size(), 2u);
  EXPECT_EQ(next[0]->next, next[1].get());
  EXPECT_EQ(next[1]->next, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, UpperLevel,
    ::testing::Values(
        // n1 seeds first (least volume, the earliest of equals) and may take
        // only n2, although n0 would give the smaller union; n0 is left alone.
        UpperCase{1, "([1] [2])([0])", {"G: level 1 - 33%", "G: level 1 - 100%"}},
        UpperCase{0, "([0] [1])([2])", {"G: level 1 - 33%", "G: level 1 - 100%"}}),
    [](const ::testing::TestParamInfo<UpperCase>& info) { return "Order" + std::to_string(info.param.order); });

TEST_F(GridFirst, FlatUnionBoxesAndSmallGridsStillBuild) {
  std::vector<GEO_Box> tiles;
  for (int i = 0; i < 6; ++i) {
    for (int j = 0; j < 6; ++j) tiles.push_back({double(i), i + 1.0, double(j), j + 1.0, 0, 0});
  }
  Elements ground(tiles);
  for (int dimension : {0, 1, 2, 30, 1000}) {
    zavo::GlobalHierarchyPtr root = Build(ground, 1, dimension);
    CheckTree(root.get(), ground.seq);
  }
  // A grid below 2 cells is a grid of 2.
  EXPECT_EQ(Describe(Build(ground, 1, 0).get(), ground.seq), Describe(Build(ground, 1, 2).get(), ground.seq));
  EXPECT_EQ(Describe(Build(ground, 1, 1).get(), ground.seq), Describe(Build(ground, 1, 2).get(), ground.seq));
  // Boxes that are one point.
  Elements points({{1, 1, 2, 2, 3, 3}, {1, 1, 2, 2, 3, 3}, {1, 1, 2, 2, 3, 3}});
  CheckTree(Build(points, 0, 30).get(), points.seq);
}

TEST(GridBox, AFlatAxisTakesTheLargestExtentCentred) {
  EXPECT_EQ(Builder2::GridBox({0, 4, 1, 3, 5, 5}), (GEO_Box{0, 4, 1, 3, 3, 7}));
  EXPECT_EQ(Builder2::GridBox({2, 2, 1, 1, 5, 5}), (GEO_Box{1.5, 2.5, 0.5, 1.5, 4.5, 5.5}));
  EXPECT_EQ(Builder2::GridBox({0, 1, 0, 2, 0, 3}), (GEO_Box{0, 1, 0, 2, 0, 3}));
}

TEST_F(GridFirst, WritesItsLeavesToHierbl2Log) {
  Elements e({UnitBox(0), UnitBox(0.5), UnitBox(100)});
  (void)Build(e, 0, 30);
  const std::string pair = "{ bound\n\tmodel \t{ box\n\t\txmin 0;\n\t\txmax 1.5;\n\t\tymin 0;\n\t\tymax 1;\n"
                           "\t\tzmin 0;\n\t\tzmax 1;\n\t}\n}\n";
  const std::string alone = "{ bound\n\tmodel \t{ box\n\t\txmin 100;\n\t\txmax 101;\n\t\tymin 0;\n\t\tymax 1;\n"
                            "\t\tzmin 0;\n\t\tzmax 1;\n\t}\n}\n";
  EXPECT_EQ(zavo::test::ReadFile(dir / "hierbl2.log"),
            "S) 0  (" + pair + ")\nV=1.5\n[ 0 , 1 ]\nS) 1  (" + alone + ")\nV=1\n[ 2 ]\n");
}

TEST(GridFirstEmpty, AnEmptySequenceGivesNoTree) {
  Elements e({});
  Builder2 builder(&e.seq);
  EXPECT_EQ(builder.Build(1.1), nullptr);
  EXPECT_EQ(builder.BuildMedian(), nullptr);
}

// Five boxes whose minima are x (4 3 2 1 0), y (0 1 2 3 4), z (2 0 4 1 3),
// each 0.1 wide, the axes scaled by s: the run's extents are 4.1 s.
std::vector<GEO_Box> ScaledBoxes(double sx, double sy, double sz) {
  const double x[5] = {4, 3, 2, 1, 0}, y[5] = {0, 1, 2, 3, 4}, z[5] = {2, 0, 4, 1, 3};
  std::vector<GEO_Box> boxes;
  for (int i = 0; i < 5; ++i) {
    boxes.push_back({x[i] * sx, (x[i] + 0.1) * sx, y[i] * sy, (y[i] + 0.1) * sy, z[i] * sz, (z[i] + 0.1) * sz});
  }
  return boxes;
}

struct MedianCase {
  const char* what;
  std::vector<GEO_Box> boxes;
  const char* tree;
};

void PrintTo(const MedianCase& c, std::ostream* os) { *os << c.what; }

class Median : public ::testing::TestWithParam<MedianCase> {};

TEST_P(Median, SplitsAtTheMedianOfTheWidestAxis) {
  Elements e(GetParam().boxes);
  RecordingInterface ui;
  Builder2 builder(&e.seq);
  builder.SetInterface(&ui);
  zavo::GlobalHierarchyPtr root = builder.BuildMedian();
  EXPECT_EQ(Describe(root.get(), e.seq), GetParam().tree);
  CheckTree(root.get(), e.seq);
  EXPECT_TRUE(ui.statuses.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Median,
    ::testing::Values(
        MedianCase{"x when all extents tie", ScaledBoxes(1, 1, 1), "([4 3] [2 1 0])"},
        MedianCase{"y when wider than x", ScaledBoxes(1, 2, 1), "([0 1] [2 3 4])"},
        MedianCase{"y when z only ties it", ScaledBoxes(1, 2, 2), "([0 1] [2 3 4])"},
        MedianCase{"x when z only ties it", ScaledBoxes(2, 1, 2), "([4 3] [2 1 0])"},
        MedianCase{"z when widest", ScaledBoxes(1, 1, 2), "([1 3] [0 4 2])"},
        // Keys 2 1 2 1 0: the selection order is 4 1 3 2 0 (a stable order
        // would end 0 2).
        MedianCase{"equal keys in selection order",
                   {UnitBox(2, 0, 0, 0.5), UnitBox(1, 0, 0, 0.5), UnitBox(2, 0, 0, 0.5), UnitBox(1, 0, 0, 0.5),
                    UnitBox(0, 0, 0, 0.5)},
                   "([4 1] [3 2 0])"},
        MedianCase{"four or fewer make a leaf in sequence order",
                   {UnitBox(3), UnitBox(0), UnitBox(2), UnitBox(1)}, "[0 1 2 3]"},
        MedianCase{"one element", {UnitBox(3)}, "[0]"}),
    [](const ::testing::TestParamInfo<MedianCase>& info) { return "Case" + std::to_string(info.index); });

TEST(Median, LargerRunsSplitAgainAndTheBoundIsTheUnion) {
  std::vector<GEO_Box> boxes;
  for (int i = 0; i < 11; ++i) boxes.push_back(UnitBox(10 - i));
  Elements e(boxes);
  Builder2 builder(&e.seq);
  zavo::GlobalHierarchyPtr root = builder.BuildMedian();
  EXPECT_EQ(Describe(root.get(), e.seq), "(([10 9] [8 7 6]) ([5 4 3] [2 1 0]))");
  EXPECT_EQ(root->box->GetBox(), (GEO_Box{0, 11, 0, 1, 0, 1}));
  CheckTree(root.get(), e.seq);
}

}  // namespace
