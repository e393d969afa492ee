#include "scene/ray_bvh.h"

#include <algorithm>
#include <atomic>
#include <limits>

namespace zavo {

namespace {

std::atomic<bool> treeWalksForced{false};

// A double rounded to a float not above it, or not below it.
float Down(double v) {
  float f = static_cast<float>(v);
  if (static_cast<double>(f) > v) f = std::nextafter(f, -std::numeric_limits<float>::infinity());
  return f;
}
float Up(double v) {
  float f = static_cast<float>(v);
  if (static_cast<double>(f) < v) f = std::nextafter(f, std::numeric_limits<float>::infinity());
  return f;
}

struct Bounds {
  float lo[3] = {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::infinity(),
                 std::numeric_limits<float>::infinity()};
  float hi[3] = {-std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                 -std::numeric_limits<float>::infinity()};
  void Add(const float* b) {
    for (int a = 0; a < 3; ++a) {
      lo[a] = std::min(lo[a], b[a]);
      hi[a] = std::max(hi[a], b[a + 3]);
    }
  }
  void Add(const Bounds& o) {
    for (int a = 0; a < 3; ++a) {
      lo[a] = std::min(lo[a], o.lo[a]);
      hi[a] = std::max(hi[a], o.hi[a]);
    }
  }
  void AddPoint(const float* p) {
    for (int a = 0; a < 3; ++a) {
      lo[a] = std::min(lo[a], p[a]);
      hi[a] = std::max(hi[a], p[a]);
    }
  }
  bool Empty() const { return !(lo[0] <= hi[0]); }
  // Half the surface area.
  double Area() const {
    if (Empty()) return 0.0;
    const double x = double(hi[0]) - lo[0], y = double(hi[1]) - lo[1], z = double(hi[2]) - lo[2];
    return x * y + y * z + z * x;
  }
};

struct Prim {
  float b[6];
  float c[3];  // the centre
  std::uint32_t item;
};

constexpr int kBins = 16;
constexpr std::uint32_t kLeafMost = 4;
constexpr double kTraverseCost = 1.0;
constexpr double kItemCost = 1.5;

}  // namespace

void ForceTreeWalks(bool force) { treeWalksForced.store(force, std::memory_order_relaxed); }
bool TreeWalksForced() { return treeWalksForced.load(std::memory_order_relaxed); }

void RayBvh::Clear() {
  nodes_.clear();
  entries_.clear();
  ranks_.clear();
  boxes_.clear();
}

bool RayBvh::Build(const std::vector<Item>& items) {
  Clear();
  const std::uint32_t n = static_cast<std::uint32_t>(items.size());
  if (n == 0) return true;
  constexpr double kFloatMost = 1e38;
  std::vector<Prim> prims(n);
  Bounds rootBox, rootCentres;
  for (std::uint32_t i = 0; i < n; ++i) {
    const GEO_Box p = GrownForRays(items[i].box);
    const double v[6] = {p.xmin, p.ymin, p.zmin, p.xmax, p.ymax, p.zmax};
    for (int k = 0; k < 6; ++k) {
      if (!(std::fabs(v[k]) < kFloatMost)) return false;
    }
    Prim& prim = prims[i];
    for (int a = 0; a < 3; ++a) {
      if (!(v[a] <= v[a + 3])) return false;
      prim.b[a] = Down(v[a]);
      prim.b[a + 3] = Up(v[a + 3]);
      prim.c[a] = static_cast<float>(0.5 * (v[a] + v[a + 3]));
    }
    prim.item = i;
    rootBox.Add(prim.b);
    rootCentres.AddPoint(prim.c);
  }

  nodes_.reserve(2 * static_cast<std::size_t>(n));
  nodes_.emplace_back();

  // A node to make: the items [begin, end) of prims, their box and the box
  // of their centres.
  struct Task {
    std::uint32_t node, begin, end;
    int depth;
    Bounds box, centres;
  };
  std::vector<Task> tasks;
  tasks.push_back({0, 0, n, 0, rootBox, rootCentres});
  while (!tasks.empty()) {
    const Task task = tasks.back();
    tasks.pop_back();
    RayBvhNode& node = nodes_[task.node];
    for (int a = 0; a < 3; ++a) {
      node.b[a] = task.box.lo[a];
      node.b[a + 3] = task.box.hi[a];
    }
    const std::uint32_t count = task.end - task.begin;
    const auto makeLeaf = [&] {
      nodes_[task.node].index = task.begin;
      nodes_[task.node].count = count;
    };
    if (count <= 1 || task.depth >= kMaxDepth) {
      makeLeaf();
      continue;
    }

    // The axis along which the centres spread most, cut at the best of the
    // bin boundaries.
    int axis = 0;
    double extent = -1.0;
    for (int a = 0; a < 3; ++a) {
      const double e = double(task.centres.hi[a]) - task.centres.lo[a];
      if (e > extent) {
        extent = e;
        axis = a;
      }
    }
    Bounds leftBox, rightBox, leftCentres, rightCentres;
    std::uint32_t middle = task.begin + count / 2;
    if (extent > 0.0) {
      // Fewer bins for a few items: as good a choice for less work.
      const int binCount = static_cast<int>(std::min<std::uint32_t>(kBins, std::max<std::uint32_t>(4, count)));
      const double lo = task.centres.lo[axis], scale = binCount / extent;
      const auto binOf = [&](const Prim& prim) {
        return std::min(binCount - 1, static_cast<int>((prim.c[axis] - lo) * scale));
      };
      Bounds bins[kBins], binCentres[kBins];
      std::uint32_t counts[kBins] = {};
      for (std::uint32_t k = task.begin; k < task.end; ++k) {
        const Prim& prim = prims[k];
        const int bin = binOf(prim);
        bins[bin].Add(prim.b);
        binCentres[bin].AddPoint(prim.c);
        ++counts[bin];
      }
      double rightArea[kBins];
      std::uint32_t rightCount[kBins];
      Bounds right;
      std::uint32_t rc = 0;
      for (int b = binCount - 1; b > 0; --b) {
        right.Add(bins[b]);
        rc += counts[b];
        rightArea[b] = right.Area();
        rightCount[b] = rc;
      }
      double bestCost = std::numeric_limits<double>::infinity();
      int bestBin = 0;
      Bounds left;
      std::uint32_t lc = 0;
      for (int b = 1; b < binCount; ++b) {
        left.Add(bins[b - 1]);
        lc += counts[b - 1];
        if (lc == 0 || rightCount[b] == 0) continue;
        const double cost = left.Area() * lc + rightArea[b] * rightCount[b];
        if (cost < bestCost) {
          bestCost = cost;
          bestBin = b;
        }
      }
      const double area = task.box.Area();
      const double splitCost = kTraverseCost + (area > 0.0 ? bestCost / area : double(count)) * kItemCost;
      if (count <= kLeafMost && splitCost >= count * kItemCost) {
        makeLeaf();
        continue;
      }
      for (int b = 0; b < binCount; ++b) {
        if (b < bestBin) {
          leftBox.Add(bins[b]);
          leftCentres.Add(binCentres[b]);
        } else {
          rightBox.Add(bins[b]);
          rightCentres.Add(binCentres[b]);
        }
      }
      middle = static_cast<std::uint32_t>(
          std::partition(prims.begin() + task.begin, prims.begin() + task.end,
                         [&](const Prim& prim) { return binOf(prim) < bestBin; }) -
          prims.begin());
    } else if (count <= kLeafMost) {
      // Every centre at one point: no split helps.
      makeLeaf();
      continue;
    }
    if (middle == task.begin || middle == task.end || leftBox.Empty() || rightBox.Empty()) {
      // Cut in halves as the items come.
      middle = task.begin + count / 2;
      leftBox = rightBox = leftCentres = rightCentres = Bounds();
      for (std::uint32_t k = task.begin; k < task.end; ++k) {
        (k < middle ? leftBox : rightBox).Add(prims[k].b);
        (k < middle ? leftCentres : rightCentres).AddPoint(prims[k].c);
      }
    }

    const std::uint32_t first = static_cast<std::uint32_t>(nodes_.size());
    nodes_.emplace_back();
    nodes_.emplace_back();
    nodes_[task.node].index = first;
    nodes_[task.node].count = 0;
    tasks.push_back({first + 1, middle, task.end, task.depth + 1, rightBox, rightCentres});
    tasks.push_back({first, task.begin, middle, task.depth + 1, leftBox, leftCentres});
  }

  entries_.resize(n);
  ranks_.resize(n);
  boxes_.resize(n);
  for (std::uint32_t k = 0; k < n; ++k) {
    const Item& item = items[prims[k].item];
    entries_[k] = item.entry;
    ranks_[k] = item.rank;
    boxes_[k] = item.box;
  }
  return true;
}

}  // namespace zavo
