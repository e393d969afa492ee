// The builders of the global hierarchy against the plain scans they stand
// for (kept in reference_bound_builders.h): on random scenes of 1 to 3000
// objects, with ground boxes, duplicates, equal and flat boxes, every method
// gives the same cache file byte for byte, the same progress texts and the
// same "hierbl2.log".

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/hier_comparison.h"
#include "common/random_boxes.h"
#include "render/bound_hier_builder.h"
#include "render/bound_hier_builder2.h"
#include "render/global_hier_file.h"
#include "render/hier_fixtures.h"
#include "render/reference_bound_builders.h"

namespace {

using zavo::test::Elements;
using Builder = BoundHierBuilder<CG_GraphicObjectQZData*, SeqGraphicObject>;
using Builder2 = BoundHierBuilder2<CG_GraphicObjectQZData*, SeqGraphicObject>;
using RefBuilder = zavo::reference::ReferenceBoundHierBuilder;
using RefBuilder2 = zavo::reference::ReferenceBoundHierBuilder2;

using zavo::test::BuildKind;
using zavo::test::BuildMethod;
using zavo::test::BuildOutcome;

template <class Pairing, class GridFirst>
BuildOutcome BuildWith(const BuildMethod& m, SeqGraphicObject& seq) {
  return zavo::test::RunBuild([&](GeoInterface& texts) {
    zavo::GlobalHierarchyPtr root;
    if (m.kind == BuildKind::kPairing) {
      Pairing builder(&seq);
      builder.SetInterface(&texts);
      builder.SetName("Global hierarchy");
      root = builder.Build(m.factor);
    } else {
      GridFirst builder(&seq);
      builder.SetInterface(&texts);
      builder.SetName("Global hierarchy");
      builder.SetSeedOrder(m.mode);
      builder.SetGridDimension(m.dimension);
      root = m.kind == BuildKind::kMedian ? builder.BuildMedian() : builder.Build(m.factor);
    }
    std::ostringstream cache;
    zavo::SaveGlobalHierarchy(cache, root.get());
    return cache.str();
  });
}

// The mode of the grid-first builds is their seed order.
const BuildMethod kMethods[] = {
    {"hier", BuildKind::kPairing, 1.1, 0, 0},
    {"hier wide", BuildKind::kPairing, 2.5, 0, 0},
    {"auto order 0", BuildKind::kGrid, 1.1, 0, 30},
    {"auto order 1", BuildKind::kGrid, 1.1, 1, 30},
    {"auto order 2", BuildKind::kGrid, 1.1, 2, 30},
    {"auto order 1 fine", BuildKind::kGrid, 1.3, 1, 90},
    {"auto order 2 coarse", BuildKind::kGrid, 1.5, 2, 3},
    {"auto order 7", BuildKind::kGrid, 1.1, 7, 30},
    {"median", BuildKind::kMedian, 0.0, 0, 0},
};

class SameAsTheScans : public zavo::test::SameAsTheScansTest {
protected:
  static void Compare(const std::vector<GEO_Box>& boxes, bool otherClass, const std::string& scene) {
    Elements e(boxes, otherClass);
    CompareEachMethod(
        kMethods, [&](const BuildMethod& m) { return BuildWith<Builder, Builder2>(m, e.seq); },
        [&](const BuildMethod& m) { return BuildWith<RefBuilder, RefBuilder2>(m, e.seq); }, scene);
  }
};

TEST_F(SameAsTheScans, RandomScenesOfOneTo3000Objects) {
  const std::uint32_t sizes[] = {1, 2, 3, 4, 5, 7, 12, 31, 64, 150, 333, 700, 1234, 2047, 3000};
  std::uint32_t seed = 1;
  for (const std::uint32_t n : sizes) {
    for (int k = 0; k < 2; ++k, ++seed) {
      Compare(zavo::test::RandomBoxes(n, seed), false, std::to_string(n) + " boxes, seed " + std::to_string(seed));
    }
  }
}

TEST_F(SameAsTheScans, EqualAndFlatBoxes) {
  zavo::test::RandomBoxesOptions flat;
  flat.allFlat = true;
  Compare(zavo::test::RandomBoxes(900, 77, flat), false, "flat boxes");
  Compare(std::vector<GEO_Box>(600, GEO_Box{0.1, 0.4, 0.2, 0.9, -0.3, 0.35}), false, "equal boxes");
  Compare(std::vector<GEO_Box>(300, GEO_Box{0.1, 0.4, 0.2, 0.2, -0.3, 0.35}), false, "equal flat boxes");
}

// Volumes of another class and boxes beyond the index's range are scanned.
TEST_F(SameAsTheScans, VolumesThatAreNotPlainBoxes) {
  Compare(zavo::test::RandomBoxes(250, 5), true, "another class");
  std::vector<GEO_Box> far = zavo::test::RandomBoxes(250, 6);
  far[17] = {1e150, 2e150, 0, 1, 0, 1};
  Compare(far, false, "a box far out");
}

}  // namespace
