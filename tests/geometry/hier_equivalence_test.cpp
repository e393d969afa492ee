// The face-hierarchy builders against the plain scans they stand for (kept in
// reference_hier_builders.h): on random box sets of 1 to 3000 faces, with
// ground boxes, duplicates, equal, flat and coincident boxes, every build
// gives the same hierarchy file byte for byte, the same progress texts and
// the same "hierbl2.log".

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "common/hier_comparison.h"
#include "common/random_boxes.h"
#include "geometry/hier_builder.h"
#include "geometry/hier_builder2.h"
#include "geometry/hier_file.h"
#include "geometry/reference_hier_builders.h"

namespace {

using zavo::test::BoxSeq;

using zavo::test::BuildKind;
using zavo::test::BuildMethod;
using zavo::test::BuildOutcome;

// The log names nodes by address: each address becomes "#" and the number of
// its first appearance.
std::string WithoutAddresses(const std::string& log) {
  static const std::regex address("0x[0-9a-f]+");
  std::map<std::string, int> numbers;
  std::string out;
  auto at = log.cbegin();
  for (std::sregex_iterator it(log.begin(), log.end(), address), end; it != end; ++it) {
    out.append(at, (*it)[0].first);
    const auto inserted = numbers.emplace(it->str(), static_cast<int>(numbers.size()));
    out += "#" + std::to_string(inserted.first->second);
    at = (*it)[0].second;
  }
  out.append(at, log.cend());
  return out;
}

template <class Level, class Grid2>
BuildOutcome BuildWith(const BuildMethod& m, BoxSeq& seq) {
  BuildOutcome out = zavo::test::RunBuild([&](GeoInterface& texts) {
    HierNode<int, GEO_Box>* root = nullptr;
    if (m.kind == BuildKind::kPairing) {
      Level builder(&seq);
      builder.SetInterface(&texts);
      builder.SetName("mesh");
      root = builder.Build(m.factor);
    } else {
      Grid2 builder(&seq);
      builder.SetInterface(&texts);
      builder.SetName("mesh");
      builder.SetMode(m.mode);
      builder.SetGridDimension(m.dimension);
      root = m.kind == BuildKind::kMedian ? builder.BuildAll() : builder.Build(m.factor);
    }
    std::ostringstream file;
    if (root != nullptr) zavo::SaveHierarchy(file, root);
    delete root;
    return file.str();
  });
  out.log = WithoutAddresses(out.log);
  return out;
}

using Level = HierBuilder<int, BoxSeq, GEO_Box, BoxContMan>;
using Grid2 = HierBuilder2<int, BoxSeq, GEO_Box, BoxContMan2>;
using RefLevel = zavo::reference::ReferenceHierBuilder<int, BoxSeq, GEO_Box, BoxContMan>;
using RefGrid2 = zavo::reference::ReferenceHierBuilder2<int, BoxSeq, GEO_Box, BoxContMan2>;

const BuildMethod kMethods[] = {
    {"level 1.3", BuildKind::kPairing, 1.3, 0, 0},   {"level 1.0", BuildKind::kPairing, 1.0, 0, 0},
    {"level 2.5", BuildKind::kPairing, 2.5, 0, 0},   {"grid mode 0", BuildKind::kGrid, 1.3, 0, 20},
    {"grid mode 1", BuildKind::kGrid, 1.3, 1, 20},   {"grid mode 2", BuildKind::kGrid, 1.1, 2, 20},
    {"grid coarse", BuildKind::kGrid, 1.5, 1, 3},    {"grid fine", BuildKind::kGrid, 1.3, 0, 100},
    {"grid mode 9", BuildKind::kGrid, 1.3, 9, 20},   {"median", BuildKind::kMedian, 0.0, 0, 0},
};

class SameAsTheScans : public zavo::test::SameAsTheScansTest {
protected:
  static void Compare(const std::vector<GEO_Box>& boxes, const std::string& what) {
    BoxSeq seq(boxes);
    CompareEachMethod(
        kMethods, [&](const BuildMethod& m) { return BuildWith<Level, Grid2>(m, seq); },
        [&](const BuildMethod& m) { return BuildWith<RefLevel, RefGrid2>(m, seq); }, what);
  }
};

TEST_F(SameAsTheScans, RandomFacesOneTo3000) {
  const std::uint32_t sizes[] = {1, 2, 3, 5, 9, 40, 128, 500, 1500, 3000};
  std::uint32_t seed = 100;
  for (const std::uint32_t n : sizes) {
    for (int k = 0; k < 2; ++k, ++seed) {
      Compare(zavo::test::RandomBoxes(n, seed), std::to_string(n) + " faces, seed " + std::to_string(seed));
    }
  }
}

// A planar mesh (every box of volume 0) and coincident faces.
TEST_F(SameAsTheScans, FlatAndCoincidentFaces) {
  zavo::test::RandomBoxesOptions flat;
  flat.allFlat = true;
  Compare(zavo::test::RandomBoxes(1000, 7, flat), "planar faces");
  Compare(std::vector<GEO_Box>(1200, GEO_Box{0.1, 0.7, -0.2, 0.3, 1.1, 1.9}), "coincident faces");
  Compare(std::vector<GEO_Box>(1200, GEO_Box{0.1, 0.7, 0.3, 0.3, 1.1, 1.9}), "coincident flat faces");
}

TEST_F(SameAsTheScans, BoxesBeyondTheIndexRange) {
  std::vector<GEO_Box> boxes = zavo::test::RandomBoxes(300, 3);
  boxes[40] = {-1e200, 1e200, 0, 1, 0, 1};
  Compare(boxes, "a face far out");
}

}  // namespace
