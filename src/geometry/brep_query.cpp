// The three ray queries of a mesh through its face hierarchy.

#include <cstdint>
#include <utility>
#include <vector>

#include "geometry/brep_model3.h"
#include "geometry/face_layout.h"
#include "geometry/hier_queue.h"
#include "geometry/ray_slabs.h"

namespace {

using Node = BRepModel3::Node;
using Hits = BRepModel3::Hits;

using Layout = zavo::FaceLayout;
using LaidNode = zavo::FaceLayoutNode;

// The crossing of a laid-out node's box: where the ray enters it and the node.
struct LaidCrossing {
  double entryDistance = 0.0;
  std::uint32_t node = 0;
};

// Storage the queries keep from call to call, one per thread: the walk of
// Intersect, the crossed children of the nodes on the depth-first path, and
// the queue of the best-first query.
struct QueryScratch {
  std::vector<std::uint32_t> walk;
  std::vector<LaidCrossing> crossed;
  FragmentedSeq<LaidCrossing, int> queue;
};

QueryScratch& Scratch() {
  thread_local QueryScratch scratch;
  return scratch;
}

// Writes hit number n, growing the output to n + 11 when it holds n or fewer.
void Append(Hits& out, int n, double t, int face) {
  const auto at = static_cast<unsigned int>(n);
  if (out.Size() <= at) out.SetSize(at + 11);
  out[at] = {t, face};
}

// The hits of a query so far and the nearest of them.
struct Found {
  int count = 0;
  bool any = false;
  double best = 0.0;
};

void TestFace(const BRepModel3& mesh, int id, const Ray& ray, Hits& out, double tmin, Found& found) {
  double t = 0.0;
  Point3D normal;
  // A tree over faces that were since taken away names ids beyond the faces.
  if (id < 0 || static_cast<std::uint32_t>(id) >= mesh.faces.Count()) return;
  if (!mesh.faces[static_cast<std::uint32_t>(id)].Intersect(ray, mesh.vertices, t, normal, tmin)) return;
  Append(out, found.count++, t, id);
  if (!found.any || t < found.best) {
    found.any = true;
    found.best = t;
  }
}

void TestLeaf(const BRepModel3& mesh, const Node* leaf, const Ray& ray, Hits& out, double tmin, Found& found) {
  for (std::uint32_t i = 0; i < leaf->elements.Count(); ++i) TestFace(mesh, leaf->elements[i], ray, out, tmin, found);
}

int TestAllFaces(const BRepModel3& mesh, const Ray& ray, Hits& out, double tmin) {
  Found found;
  for (std::uint32_t f = 0; f < mesh.faces.Count(); ++f) TestFace(mesh, static_cast<int>(f), ray, out, tmin, found);
  return found.count;
}

// The crossing of the ray with the node's box (grown by a rounding margin)
// from distance 0: the entry (0 when the ray starts inside). False when the
// ray does not cross the box.
bool Crossing(const Layout& layout, std::uint32_t index, const zavo::RaySlabs& slabs, LaidCrossing& rec) {
  const LaidNode& laid = layout.Node(index);
  rec.node = index;
  return slabs.Cross(laid.grown, laid.grownScale, rec.entryDistance) != 0;
}

void DepthFirst(const BRepModel3& mesh, const Layout& layout, std::uint32_t index, const zavo::RaySlabs& slabs,
                Hits& out, double tmin, Found& found, std::vector<LaidCrossing>& crossed) {
  const Ray& ray = slabs.ray();
  const LaidNode& node = layout.Node(index);
  if (node.leaf) {
    TestLeaf(mesh, node.node, ray, out, tmin, found);
    return;
  }
  const std::size_t first = crossed.size();
  for (std::uint32_t c = node.firstChild; c < node.childEnd; ++c) {
    LaidCrossing rec;
    if (Crossing(layout, c, slabs, rec)) crossed.push_back(rec);
  }
  const std::size_t end = crossed.size();
  // Selection sort by entry distance: the first least record from each position on.
  for (std::size_t i = first; i < end; ++i) {
    std::size_t least = i;
    for (std::size_t k = i + 1; k < end; ++k) {
      if (crossed[k].entryDistance < crossed[least].entryDistance) least = k;
    }
    if (least != i) std::swap(crossed[i], crossed[least]);
  }
  for (std::size_t i = first; i < end; ++i) {
    const LaidCrossing rec = crossed[i];  // the vector grows below
    if (found.any && rec.entryDistance > found.best) break;
    DepthFirst(mesh, layout, rec.node, slabs, out, tmin, found, crossed);
  }
  crossed.resize(first);
}

}  // namespace

int BRepModel3::Intersect(const Ray& ray, Hits& out, double tmin) const {
  if (hierarchy == nullptr) return TestAllFaces(*this, ray, out, tmin);
  const Layout& layout = layout_.For(hierarchy);
  Found found;
  const zavo::RaySlabs slabs(ray);
  std::vector<std::uint32_t>& walk = Scratch().walk;
  walk.clear();
  walk.push_back(0);
  while (!walk.empty()) {
    const LaidNode& node = layout.Node(walk.back());
    walk.pop_back();
    if (!slabs.Hits(node.box, node.scale)) continue;
    if (node.leaf) {
      TestLeaf(*this, node.node, ray, out, tmin, found);
      continue;
    }
    for (std::uint32_t c = node.childEnd; c > node.firstChild; --c) walk.push_back(c - 1);
  }
  return found.count;
}

int BRepModel3::IntersectFirst(const Ray& ray, Hits& out, double tmin) const {
  if (hierarchy == nullptr) return TestAllFaces(*this, ray, out, tmin);
  const Layout& layout = layout_.For(hierarchy);
  Found found;
  std::vector<LaidCrossing>& crossed = Scratch().crossed;
  crossed.clear();
  DepthFirst(*this, layout, 0, zavo::RaySlabs(ray), out, tmin, found, crossed);
  return found.count;
}

int BRepModel3::IntersectBestFirst(const Ray& ray, Hits& out, double tmin) const {
  if (hierarchy == nullptr) return TestAllFaces(*this, ray, out, tmin);
  const Layout& layout = layout_.For(hierarchy);
  zavo::BasicHierQueue<LaidCrossing> queue(Scratch().queue);
  const zavo::RaySlabs slabs(ray);
  LaidCrossing root;
  if (!Crossing(layout, 0, slabs, root)) return 0;
  queue.Start(root);
  Found found;
  while (!queue.Empty()) {
    const LaidCrossing rec = queue.Take();
    if (found.any && rec.entryDistance > found.best) continue;
    const LaidNode& node = layout.Node(rec.node);
    if (node.leaf) {
      TestLeaf(*this, node.node, ray, out, tmin, found);
      continue;
    }
    for (std::uint32_t c = node.firstChild; c < node.childEnd; ++c) {
      LaidCrossing child;
      if (!Crossing(layout, c, slabs, child)) continue;
      if (found.any && child.entryDistance > found.best) continue;
      queue.Insert(child);
    }
  }
  return found.count;
}

bool BRepModel3::HitBefore(const Ray& ray, double tmin, double limit) const {
  const auto hitBefore = [&](int id) {
    double t = 0.0;
    Point3D normal;
    if (id < 0 || static_cast<std::uint32_t>(id) >= faces.Count()) return false;
    return faces[static_cast<std::uint32_t>(id)].Intersect(ray, vertices, t, normal, tmin) && t < limit;
  };
  if (hierarchy == nullptr) {
    for (std::uint32_t f = 0; f < faces.Count(); ++f) {
      if (hitBefore(static_cast<int>(f))) return true;
    }
    return false;
  }
  const Layout& layout = layout_.For(hierarchy);
  const zavo::RaySlabs slabs(ray);
  std::vector<std::uint32_t>& walk = Scratch().walk;
  walk.clear();
  walk.push_back(0);
  while (!walk.empty()) {
    const std::uint32_t index = walk.back();
    walk.pop_back();
    LaidCrossing rec;
    if (!Crossing(layout, index, slabs, rec)) continue;
    const LaidNode& node = layout.Node(index);
    if (node.leaf) {
      for (std::uint32_t i = 0; i < node.node->elements.Count(); ++i) {
        if (hitBefore(node.node->elements[i])) return true;
      }
      continue;
    }
    for (std::uint32_t c = node.childEnd; c > node.firstChild; --c) walk.push_back(c - 1);
  }
  return false;
}
