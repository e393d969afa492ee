// Every method on a few hundred random boxes: each element in exactly one
// leaf, every bound holding what lies below it, and a cache that reads back
// as the same tree and writes the same bytes again.

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/bounding_module.h"
#include "render/bound_hier_builder.h"
#include "render/bound_hier_builder2.h"
#include "render/global_hier_file.h"
#include "render/hier_fixtures.h"

namespace {

using zavo::test::CheckTree;
using zavo::test::Describe;
using zavo::test::Elements;
using zavo::test::LevelLinks;
using Builder = BoundHierBuilder<CG_GraphicObjectQZData*, SeqGraphicObject>;
using Builder2 = BoundHierBuilder2<CG_GraphicObjectQZData*, SeqGraphicObject>;

std::vector<GEO_Box> RandomBoxes(int n) {
  std::mt19937 gen(20240611);
  std::uniform_real_distribution<double> pos(-50, 50), size(0, 4);
  std::vector<GEO_Box> boxes;
  for (int i = 0; i < n; ++i) {
    const double x = pos(gen), y = pos(gen), z = pos(gen);
    boxes.push_back({x, x + size(gen), y, y + size(gen), z, z + size(gen)});
  }
  return boxes;
}

struct Method {
  const char* name;
  std::function<zavo::GlobalHierarchyPtr(SeqGraphicObject&)> build;
};

void PrintTo(const Method& m, std::ostream* os) { *os << m.name; }

zavo::GlobalHierarchyPtr Grid(SeqGraphicObject& seq, int order, int dimension, double factor) {
  Builder2 builder(&seq);
  builder.SetSeedOrder(order);
  builder.SetGridDimension(dimension);
  return builder.Build(factor);
}

class EveryMethod : public ::testing::TestWithParam<Method> {
protected:
  zavo::test::TempDir dir;
  zavo::test::ScopedCwd cwd{dir.path()};  // the grid builds write their log
};

TEST_P(EveryMethod, PlacesEveryBoxOnceUnderBoundsThatHoldIt) {
  Elements e(RandomBoxes(300));
  zavo::GlobalHierarchyPtr root = GetParam().build(e.seq);
  CheckTree(root.get(), e.seq);
  EXPECT_GT(root->children.Count(), 0u);
}

TEST_P(EveryMethod, ItsCacheReadsBackAsTheSameTree) {
  Elements e(RandomBoxes(300));
  zavo::GlobalHierarchyPtr root = GetParam().build(e.seq);
  List<BoundingObjectModule> modules;
  BoundingObjectModule::CreateDefaultList(modules);
  Builder2 io(&e.seq);
  io.SetModules(&modules);
  std::ostringstream saved;
  io.Save(saved, root.get());

  std::istringstream in(saved.str());
  zavo::GlobalHierarchyPtr loaded = io.Load(in);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(Describe(loaded.get(), e.seq), Describe(root.get(), e.seq));
  EXPECT_EQ(LevelLinks(loaded.get()), LevelLinks(root.get()));
  // The written bounds lost digits; read back, they still hold all below them.
  CheckTree(loaded.get(), e.seq);
  std::ostringstream again;
  io.Save(again, loaded.get());
  EXPECT_EQ(again.str(), saved.str());
}

// Volumes of another class go through their own operations; the numbers,
// and so the trees, are those of the plain boxes.
TEST_P(EveryMethod, BoxesOfAnotherClassGiveTheSameTree) {
  const std::vector<GEO_Box> boxes = RandomBoxes(120);
  Elements plain(boxes);
  Elements other(boxes, true);
  zavo::GlobalHierarchyPtr a = GetParam().build(plain.seq);
  zavo::GlobalHierarchyPtr b = GetParam().build(other.seq);
  EXPECT_EQ(Describe(b.get(), other.seq), Describe(a.get(), plain.seq));
  std::ostringstream sa, sb;
  zavo::SaveGlobalHierarchy(sa, a.get());
  zavo::SaveGlobalHierarchy(sb, b.get());
  EXPECT_EQ(sa.str(), sb.str());
}

INSTANTIATE_TEST_SUITE_P(
    Methods, EveryMethod,
    ::testing::Values(Method{"Pairing", [](SeqGraphicObject& s) { return Builder(&s).Build(1.1); }},
                      Method{"PairingWide", [](SeqGraphicObject& s) { return Builder(&s).Build(3.0); }},
                      Method{"GridFirstOrder0", [](SeqGraphicObject& s) { return Grid(s, 0, 30, 1.1); }},
                      Method{"GridFirstOrder1", [](SeqGraphicObject& s) { return Grid(s, 1, 30, 1.1); }},
                      Method{"GridFirstOrder2", [](SeqGraphicObject& s) { return Grid(s, 2, 30, 1.1); }},
                      Method{"GridFirstCoarse", [](SeqGraphicObject& s) { return Grid(s, 1, 4, 1.5); }},
                      Method{"Median", [](SeqGraphicObject& s) { return Builder2(&s).BuildMedian(); }}),
    [](const ::testing::TestParamInfo<Method>& info) { return std::string(info.param.name); });

}  // namespace
