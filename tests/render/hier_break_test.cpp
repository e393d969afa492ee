// A user break while the global hierarchy is built: the build stops grouping
// at once, still returns a tree that holds every entry, and no cache or log
// is written.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/random_boxes.h"
#include "common/temp_dir.h"
#include "foundation/user_break.h"
#include "geometry/bounding_module.h"
#include "models/registry.h"
#include "render/bound_hier_builder.h"
#include "render/bound_hier_builder2.h"
#include "render/hier_fixtures.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;
using zavo::test::Contains;
using zavo::test::Elements;
using zavo::test::MakeEntry;
using zavo::test::RecordingInterface;
using zavo::test::VolumeObject;
using Builder = BoundHierBuilder<CG_GraphicObjectQZData*, SeqGraphicObject>;
using Builder2 = BoundHierBuilder2<CG_GraphicObjectQZData*, SeqGraphicObject>;

constexpr std::uint32_t kObjects = 60000;
constexpr int kPolls = 2;  // the second poll comes a few milliseconds into the build

// Every entry of the sequence in exactly one leaf, every node either a leaf
// or a parent, every bound holding what lies below it.
void CheckWholeTree(const zavo::GlobalHierNode* root, const SeqGraphicObject& seq) {
  ASSERT_NE(root, nullptr);
  std::unordered_map<const CG_GraphicObjectQZData*, std::uint32_t> index;
  for (std::uint32_t i = 0; i < seq.Count(); ++i) index.emplace(seq[i], i);
  std::vector<int> seen(seq.Count(), 0);
  std::vector<const zavo::GlobalHierNode*> pending{root};
  while (!pending.empty()) {
    const zavo::GlobalHierNode* node = pending.back();
    pending.pop_back();
    ASSERT_NE(node->box, nullptr);
    ASSERT_NE(node->children.Count() > 0, node->elements.Count() > 0);
    const GEO_Box bound = node->box->GetBox();
    for (std::uint32_t c = 0; c < node->children.Count(); ++c) {
      ASSERT_TRUE(Contains(bound, node->children[c]->box->GetBox()));
      pending.push_back(node->children[c]);
    }
    for (std::uint32_t e = 0; e < node->elements.Count(); ++e) {
      const auto it = index.find(node->elements[e]);
      ASSERT_NE(it, index.end());
      ASSERT_TRUE(Contains(bound, node->elements[e]->object->GetBoundingObject()->GetBox()));
      ++seen[it->second];
    }
  }
  for (std::size_t i = 0; i < seen.size(); ++i) ASSERT_EQ(seen[i], 1) << "element " << i;
}

// A break source that says yes at its polls-th poll, noting how many status
// texts there were then; a watch for the run.
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

struct BuildCase {
  const char* name;
  int order;  // -1: the pairing build ("hier"); -2: the median split; else the grid-first seed order
};

class BrokenGlobalBuild : public ::testing::TestWithParam<BuildCase> {};

TEST_P(BrokenGlobalBuild, StopsGroupingAtOnceAndLeavesAWholeTreeAndNoLog) {
  const BuildCase& c = GetParam();
  const zavo::test::TempDir dir;
  const zavo::test::ScopedCwd cwd(dir.path());  // where grid builds write their log
  Elements e(zavo::test::RandomBoxes(kObjects, 1211));
  RecordingInterface ui;
  BreakAtPoll source(kPolls, ui.statuses);
  zavo::GlobalHierarchyPtr root;
  if (c.order == -1) {
    Builder builder(&e.seq);
    builder.SetInterface(&ui);
    root = builder.Build(1.1);
  } else {
    Builder2 builder(&e.seq);
    builder.SetInterface(&ui);
    builder.SetSeedOrder(c.order);
    root = c.order == -2 ? builder.BuildMedian() : builder.Build(1.1);
  }
  EXPECT_EQ(source.asked, kPolls) << "the build ended before the break";
  CheckWholeTree(root.get(), e.seq);
  for (std::size_t t = source.textsThen; t < ui.statuses.size(); ++t) {
    EXPECT_EQ(ui.statuses[t].rfind("hierarchy level ", 0), 0u) << ui.statuses[t];
  }
  EXPECT_LE(ui.statuses.size() - source.textsThen, 2u);
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

INSTANTIATE_TEST_SUITE_P(Builds, BrokenGlobalBuild,
                         ::testing::Values(BuildCase{"Pairing", -1}, BuildCase{"Median", -2},
                                           BuildCase{"GridFirstInOrder", 0}, BuildCase{"GridLeastVolume", 1},
                                           BuildCase{"GridLeastSide", 2}),
                         [](const ::testing::TestParamInfo<BuildCase>& info) { return info.param.name; });

// Through the scene: no cache, no log, no "Saving hierarchy", no warning.
TEST(BrokenSceneHierarchy, WritesNoCacheAndKeepsAWholeTree) {
  const zavo::test::TempDir dir;
  const zavo::test::ScopedCwd cwd(dir.path());
  CG_ModelRegistry registry;
  BoundingObjectModule::CreateDefaultList(registry.boundingModules);
  CG_GraphicScene scene{registry};
  RecordingInterface ui;
  scene.SetInterface(&ui);
  scene.SetName((dir / "scene").string().c_str());
  const std::vector<GEO_Box> boxes = zavo::test::RandomBoxes(kObjects, 39);
  SeqGraphicObject seq(static_cast<std::uint32_t>(boxes.size()));
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    auto entry = MakeEntry(std::make_unique<VolumeObject>(("o" + std::to_string(i)).c_str(),
                                                          std::make_unique<BoundingBox>(boxes[i])));
    seq[static_cast<std::uint32_t>(i)] = entry.get();
    scene.GetTraceList().Append(entry.release());
  }
  for (const char* method : {"auto", "hier", "median"}) {
    SCOPED_TRACE(method);
    scene.GetParam()._general_optimiz = method;
    ui.statuses.clear();
    BreakAtPoll source(kPolls, ui.statuses);
    scene.BuildGlobalHierarchy();
    EXPECT_EQ(source.asked, kPolls) << "the build ended before the break";
    CheckWholeTree(scene.GetHierarchyRoot(), seq);
    EXPECT_TRUE(fs::is_empty(dir.path()));
    EXPECT_TRUE(ui.messages.empty());
    for (const std::string& text : ui.statuses) EXPECT_EQ(text.find("Saving hierarchy"), std::string::npos);
  }
}

}  // namespace
