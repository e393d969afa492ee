#pragma once

// Random sets of boxes for the hierarchy builders' comparisons: scenes of
// scattered and clustered objects, objects in rows of equal size (as spheres
// laid out on a floor), ground boxes far larger than everything else, exact
// duplicates, boxes flat on an axis and single points, mixed in the order
// given by the seed.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstddef>
#include <random>
#include <utility>
#include <vector>

#include "geometry/box.h"

namespace zavo::test {

struct RandomBoxesOptions {
  bool ground = true;      // now and then a ground box
  bool duplicates = true;  // copies of earlier boxes
  bool flat = true;        // boxes flat on an axis, and points
  bool allFlat = false;    // every box flat on the same axis (a planar mesh)
};

inline std::vector<GEO_Box> RandomBoxes(std::uint32_t n, std::uint32_t seed, const RandomBoxesOptions& options = {}) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const int layout = static_cast<int>(gen() % 3);
  const double side = 10.0 * (1.0 + 9.0 * unit(gen));
  const int row = static_cast<int>(std::max(1.0, std::sqrt(static_cast<double>(n))));
  std::vector<GEO_Box> centres;  // cluster centres
  for (int c = 0; c < 5; ++c) centres.push_back({unit(gen) * side, 0, unit(gen) * side, 0, unit(gen) * side, 0});
  std::vector<GEO_Box> boxes;
  boxes.reserve(n);
  for (std::uint32_t i = 0; i < n; ++i) {
    const double pick = unit(gen);
    GEO_Box b;
    if (options.ground && pick < 0.004) {
      const double y = -1.0 - unit(gen);
      b = {-1000.3, 1000.3, y, y + 1.0, -1000.3, 1000.3};
    } else if (options.duplicates && !boxes.empty() && pick < 0.08) {
      b = boxes[gen() % boxes.size()];
    } else if (layout == 0) {  // scattered, sizes up to 2.3
      const double x = unit(gen) * side, y = unit(gen) * side, z = unit(gen) * side;
      b = {x, x + 2.3 * unit(gen), y, y + 2.3 * unit(gen), z, z + 2.3 * unit(gen)};
    } else if (layout == 1) {  // rows of equal objects on a floor, spacing 0.7
      const int k = static_cast<int>(gen() % static_cast<std::uint32_t>(row * row));
      const double x = 0.7 * (k % row) - 1.1, z = 0.7 * (k / row) - 1.1;
      b = {x - 0.3, x + 0.3, 0.0, 0.6, z - 0.3, z + 0.3};
    } else {  // clusters
      const GEO_Box& c = centres[gen() % centres.size()];
      const double x = c.xmin + unit(gen) - 0.5, y = c.ymin + unit(gen) - 0.5, z = c.zmin + unit(gen) - 0.5;
      const double s = 0.1 + 0.3 * unit(gen);
      b = {x, x + s, y, y + s, z, z + s};
    }
    if (options.flat && unit(gen) < 0.05) {
      const int axis = static_cast<int>(gen() % 4);  // 3: a point
      if (axis == 0 || axis == 3) b.xmax = b.xmin;
      if (axis == 1 || axis == 3) b.ymax = b.ymin;
      if (axis == 2 || axis == 3) b.zmax = b.zmin;
    }
    if (options.allFlat) b.ymax = b.ymin = 0.25;
    boxes.push_back(b);
  }
  return boxes;
}

// Faces that are only their boxes, as the face-hierarchy builders take them.
class BoxSeq {
public:
  explicit BoxSeq(std::vector<GEO_Box> boxes) : boxes_(std::move(boxes)) {}
  std::uint32_t Count() const { return static_cast<std::uint32_t>(boxes_.size()); }
  int Id(std::uint32_t i) const { return static_cast<int>(i); }
  GEO_Box BoxOf(int id) const { return boxes_[static_cast<std::size_t>(id)]; }

private:
  std::vector<GEO_Box> boxes_;
};

}  // namespace zavo::test
