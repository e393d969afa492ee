// The pairing builder: leaves around seeds of lowest index, partners of least
// union volume, joiners tested against the pair, levels until one node.

#include "render/bound_hier_builder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "render/hier_fixtures.h"

namespace {

using zavo::test::CheckTree;
using zavo::test::Describe;
using zavo::test::Elements;
using zavo::test::RecordingInterface;
using zavo::test::UnitBox;
using Builder = BoundHierBuilder<CG_GraphicObjectQZData*, SeqGraphicObject>;

struct PairingCase {
  const char* what;
  std::vector<GEO_Box> boxes;
  double factor;
  const char* tree;
};

void PrintTo(const PairingCase& c, std::ostream* os) { *os << c.what; }

class Pairing : public ::testing::TestWithParam<PairingCase> {};

TEST_P(Pairing, BuildsTheTree) {
  const PairingCase& c = GetParam();
  Elements e(c.boxes);
  Builder builder(&e.seq);
  zavo::GlobalHierarchyPtr root = builder.Build(c.factor);
  EXPECT_EQ(Describe(root.get(), e.seq), c.tree);
  CheckTree(root.get(), e.seq);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Pairing,
    ::testing::Values(
        // The third lies inside the pair: V(P u B) = V(P) and 1.1 V > V.
        PairingCase{"a box inside an identical pair joins it",
                    {UnitBox(0, 0, 0, 2), UnitBox(0, 0, 0, 2), UnitBox(0.5, 0.5, 0.5)}, 1.1, "[0 1 2]"},
        // ... but not at a ratio of 1: the test is strict.
        PairingCase{"joining is strict", {UnitBox(0, 0, 0, 2), UnitBox(0, 0, 0, 2), UnitBox(0.5, 0.5, 0.5)}, 1.0,
                    "([0 1] [2])"},
        // e0 u e1 and e0 u e2 both have volume 3.
        PairingCase{"the earliest of equal partners", {UnitBox(0), UnitBox(2), UnitBox(-2)}, 1.1, "([0 1] [2])"},
        PairingCase{"a far element pairs with the least union", {UnitBox(100), UnitBox(-50), UnitBox(3)}, 1.1,
                    "([0 2] [1])"},
        // Level 1 holds [0 1], [2 3], [4]; the last finds no partner.
        PairingCase{"a node left alone gets a parent of its own",
                    {UnitBox(0), UnitBox(2), UnitBox(10), UnitBox(12), UnitBox(30)}, 1.1,
                    "(([0 1] [2 3]) ([4]))"},
        // The joiner is weighed against the pair [0, 2], not the bound grown to
        // [0, 2.9]: the fourth would join a grown bound.
        PairingCase{"joiners are tested against the pair",
                    {UnitBox(0), UnitBox(1), UnitBox(1.9), UnitBox(2.8)}, 1.5, "([0 1 2] [3])"},
        PairingCase{"one element is a leaf", {UnitBox(0)}, 1.1, "[0]"}),
    [](const ::testing::TestParamInfo<PairingCase>& info) { return "Case" + std::to_string(info.index); });

TEST(Pairing, AnEmptySequenceGivesNoTree) {
  Elements e({});
  Builder builder(&e.seq);
  EXPECT_EQ(builder.Build(1.1), nullptr);
}

TEST(Pairing, AParentOfOneChildHasAClonedBoundAndLevelsAreLinkedInOrder) {
  Elements e({UnitBox(0), UnitBox(2), UnitBox(10), UnitBox(12), UnitBox(30)});
  Builder builder(&e.seq);
  zavo::GlobalHierarchyPtr root = builder.Build(1.1);
  ASSERT_EQ(Describe(root.get(), e.seq), "(([0 1] [2 3]) ([4]))");
  const zavo::GlobalHierNode* alone = root->children[1];
  const zavo::GlobalHierNode* leaf = alone->children[0];
  EXPECT_NE(alone->box, leaf->box);
  EXPECT_EQ(alone->box->GetBox(), leaf->box->GetBox());
  // Pre-order: root, A, [0 1], [2 3], B, [4]; leaves and level-1 nodes chained.
  EXPECT_EQ(zavo::test::LevelLinks(root.get()), (std::vector<int>{0, 5, 4, 6, 0, 0}));
  EXPECT_EQ(builder.CurrentLevel(), 2);
}

TEST(Pairing, ReportsLevelZeroBySeedIndexAndUpperLevelsBySeedPosition) {
  Elements e({UnitBox(0), UnitBox(2), UnitBox(10), UnitBox(12), UnitBox(30)});
  RecordingInterface ui;
  Builder builder(&e.seq);
  builder.SetInterface(&ui);
  builder.SetName("Global hierarchy");
  (void)builder.Build(1.1);
  EXPECT_EQ(ui.statuses, (std::vector<std::string>{
                             "Global hierarchy: level 0 - 0%", "Global hierarchy: level 0 - 40%",
                             "Global hierarchy: level 0 - 80%", "hierarchy level 1",
                             "Global hierarchy: level 1 - 0%", "Global hierarchy: level 1 - 66%",
                             "hierarchy level 2", "Global hierarchy: level 2 - 0%"}));
}

TEST(Pairing, WritesEachLevelToTheLogWhileItIsOn) {
  Elements e({UnitBox(0), UnitBox(2), UnitBox(-2)});
  std::ostringstream log;
  Builder builder(&e.seq);
  builder.SetLog(1, &log);
  (void)builder.Build(1.1);
  const std::string pair = "{ bound\n\tmodel \t{ box\n\t\txmin 0;\n\t\txmax 3;\n\t\tymin 0;\n\t\tymax 1;\n"
                           "\t\tzmin 0;\n\t\tzmax 1;\n\t}\n}\n";
  const std::string alone = "{ bound\n\tmodel \t{ box\n\t\txmin -2;\n\t\txmax -1;\n\t\tymin 0;\n\t\tymax 1;\n"
                            "\t\tzmin 0;\n\t\tzmax 1;\n\t}\n}\n";
  const std::string all = "{ bound\n\tmodel \t{ box\n\t\txmin -2;\n\t\txmax 3;\n\t\tymin 0;\n\t\tymax 1;\n"
                          "\t\tzmin 0;\n\t\tzmax 1;\n\t}\n}\n";
  EXPECT_EQ(log.str(), "level = 0\n\nS) 0  (" + pair + ")\nV=3\n[ 0 , 1 ]\nS) 1  (" + alone +
                           ")\nV=1\n[ 2 ]\nlevel = 1\n\nS) 0  (" + all + ")\nV=5\n[ 0 , 1 ]\n");

  std::ostringstream silent;
  Builder quiet(&e.seq);
  quiet.SetLog(0, &silent);
  (void)quiet.Build(1.1);
  EXPECT_EQ(silent.str(), "");
}

}  // namespace
