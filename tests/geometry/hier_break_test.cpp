// A user break during a face-hierarchy build: the build stops grouping at
// once, still returns a tree that holds every face, and writes no file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/random_boxes.h"
#include "common/temp_dir.h"
#include "foundation/user_break.h"
#include "geometry/brep_model3.h"
#include "geometry/hier_builder.h"
#include "geometry/hier_builder2.h"
#include "geometry/seqf.h"
#include "mesh_fixtures.h"

namespace {

namespace fs = std::filesystem;
using Node = HierNode<int, GEO_Box>;
using zavo::test::Recorder;

using zavo::test::BoxSeq;

bool Holds(const GEO_Box& outer, const GEO_Box& inner) {
  return outer.xmin <= inner.xmin && inner.xmax <= outer.xmax && outer.ymin <= inner.ymin &&
         inner.ymax <= outer.ymax && outer.zmin <= inner.zmin && inner.zmax <= outer.zmax;
}

// Every id of 0 .. count - 1 in exactly one leaf, every node either a leaf or
// a parent, every box holding what lies below it.
template <class BoxOf>
void CheckTree(const Node* root, std::uint32_t count, BoxOf boxOf) {
  ASSERT_NE(root, nullptr);
  std::vector<int> seen(count, 0);
  std::vector<const Node*> pending{root};
  while (!pending.empty()) {
    const Node* node = pending.back();
    pending.pop_back();
    ASSERT_NE(node->children.Count() > 0, node->elements.Count() > 0);
    for (std::uint32_t c = 0; c < node->children.Count(); ++c) {
      ASSERT_NE(node->children[c], nullptr);
      ASSERT_TRUE(Holds(node->box, node->children[c]->box));
      pending.push_back(node->children[c]);
    }
    for (std::uint32_t e = 0; e < node->elements.Count(); ++e) {
      const int id = node->elements[e];
      ASSERT_TRUE(id >= 0 && static_cast<std::uint32_t>(id) < count);
      ASSERT_TRUE(Holds(node->box, boxOf(id)));
      ++seen[static_cast<std::size_t>(id)];
    }
  }
  for (std::uint32_t i = 0; i < count; ++i) ASSERT_EQ(seen[i], 1) << "element " << i;
}

// A break source that says yes at its polls-th poll, noting how many texts
// the reporter had then; a watch for the run.
class BreakAtPoll {
public:
  BreakAtPoll(int polls, const std::vector<std::string>& texts) {
    zavo::SetBreakSource([this, polls, &texts] {
      if (++asked != polls) return false;
      textsThen = texts.size();
      return true;
    });
  }
  ~BreakAtPoll() { zavo::SetBreakSource({}); }

  int asked = 0;
  std::size_t textsThen = 0;
  const zavo::BreakWatch watch;
};

constexpr std::uint32_t kFaces = 100000;
constexpr int kPolls = 2;  // the second poll comes a few milliseconds into the build

struct BuildCase {
  const char* name;
  int mode;  // -1: the level build; -2: the median build; else the grid build's seed mode
};

class BrokenBuild : public ::testing::TestWithParam<BuildCase> {};

TEST_P(BrokenBuild, StopsGroupingAtOnceAndLeavesAWholeTreeAndNoLog) {
  const BuildCase& c = GetParam();
  const zavo::test::TempDir dir;
  const zavo::test::ScopedCwd cwd(dir.path());  // where grid builds write their log
  BoxSeq seq(zavo::test::RandomBoxes(kFaces, 20261211));
  Recorder recorder;
  BreakAtPoll source(kPolls, recorder.texts);
  Node* root = nullptr;
  if (c.mode == -1) {
    BoxHierBuilder<int, BoxSeq> builder(&seq);
    builder.SetInterface(&recorder);
    root = builder.Build(1.3);
  } else {
    BoxHierBuilder2<int, BoxSeq> builder(&seq);
    builder.SetInterface(&recorder);
    builder.SetMode(c.mode);
    builder.SetGridDimension(20);
    root = c.mode == -2 ? builder.BuildAll() : builder.Build(1.3);
  }
  const std::unique_ptr<Node> owner(root);
  EXPECT_EQ(source.asked, kPolls) << "the build ended before the break";
  CheckTree(root, kFaces, [&](int id) { return seq.BoxOf(id); });
  // After the break no group is formed: only the levels closing over the
  // rest are announced.
  for (std::size_t t = source.textsThen; t < recorder.texts.size(); ++t) {
    EXPECT_EQ(recorder.texts[t].rfind("hierarchy level ", 0), 0u) << recorder.texts[t];
  }
  EXPECT_LE(recorder.texts.size() - source.textsThen, 2u);
  if (c.mode == -2) {
    // The median build has no texts: the run it stopped at stays one leaf.
    std::uint32_t largest = 0;
    std::vector<const Node*> pending{root};
    while (!pending.empty()) {
      const Node* node = pending.back();
      pending.pop_back();
      largest = std::max(largest, node->elements.Count());
      for (std::uint32_t i = 0; i < node->children.Count(); ++i) pending.push_back(node->children[i]);
    }
    EXPECT_GT(largest, 4u);
  }
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

INSTANTIATE_TEST_SUITE_P(Builds, BrokenBuild,
                         ::testing::Values(BuildCase{"Level", -1}, BuildCase{"Median", -2},
                                           BuildCase{"GridFirstFree", 0}, BuildCase{"GridLeastVolume", 1},
                                           BuildCase{"GridLeastSide", 2}),
                         [](const ::testing::TestParamInfo<BuildCase>& info) { return info.param.name; });

// Through the mesh: the hierarchy file is not written, the tree stays usable.
TEST(BrokenMeshHierarchy, WritesNoFileAndKeepsAWholeTree) {
  const std::vector<std::pair<const char*, std::function<int(BRepModel3&, const char*, GeoInterface*)>>> builds = {
      {"level", [](BRepModel3& m, const char* f, GeoInterface* p) { return m.BuildHierarchy(1.3, f, p); }},
      {"grid", [](BRepModel3& m, const char* f, GeoInterface* p) { return m.BuildHierarchy2(1.3, 20, f, p); }},
      {"median", [](BRepModel3& m, const char* f, GeoInterface* p) { return m.BuildHierarchy2Default(f, p); }},
  };
  const std::unique_ptr<BRepModel3> mesh = zavo::test::RandomTriangles(static_cast<int>(kFaces), 7, 40.0);
  const Seqf seqf(mesh->faces, mesh->vertices);
  for (const auto& [name, build] : builds) {
    SCOPED_TRACE(name);
    const zavo::test::TempDir dir;
    const zavo::test::ScopedCwd cwd(dir.path());
    const std::string file = (dir / "mesh.br_").string();
    Recorder recorder;
    BreakAtPoll source(kPolls, recorder.texts);
    EXPECT_EQ(build(*mesh, file.c_str(), &recorder), 0);
    EXPECT_EQ(source.asked, kPolls) << "the build ended before the break";
    CheckTree(mesh->hierarchy, mesh->faces.Count(), [&](int id) { return seqf.BoxOf(id); });
    EXPECT_TRUE(fs::is_empty(dir.path()));
    for (const std::string& text : recorder.texts) {
      EXPECT_EQ(text.find("Saving hierarchy"), std::string::npos);
      EXPECT_EQ(text.find("message"), std::string::npos) << text;
    }
  }
}

}  // namespace
