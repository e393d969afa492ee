// The three ray queries of a mesh through its face hierarchy.

#include <utility>
#include <vector>

#include "geometry/box_intr.h"
#include "geometry/brep_model3.h"
#include "geometry/hier_queue.h"
#include "geometry/ray_slabs.h"

namespace {

using Node = BRepModel3::Node;
using Hits = BRepModel3::Hits;

// Storage the queries keep from call to call, one per thread: the walk of
// Intersect, the crossed children of the nodes on the depth-first path, and
// the queue of the best-first query.
struct QueryScratch {
  std::vector<Node*> walk;
  std::vector<BoxIntr> crossed;
  FragmentedSeq<BoxIntr2, int> queue;
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

// The crossings of the ray with the node's box (grown by a rounding margin)
// from distance 0: the entry (0 when the ray starts inside) and their number.
// False when the ray does not cross the box.
bool Crossing(Node* node, const zavo::RaySlabs& slabs, BoxIntr& rec) {
  double scale = 1.0;
  const GEO_Box grown = zavo::GrownForRays(node->box, scale);
  rec.node = node;
  rec.crossings = slabs.Cross(grown, scale, rec.entryDistance);
  return rec.crossings != 0;
}

void DepthFirst(const BRepModel3& mesh, Node* node, const zavo::RaySlabs& slabs, Hits& out, double tmin,
                Found& found, std::vector<BoxIntr>& crossed) {
  const Ray& ray = slabs.ray();
  if (node->children.Count() == 0) {
    TestLeaf(mesh, node, ray, out, tmin, found);
    return;
  }
  const std::size_t first = crossed.size();
  for (std::uint32_t c = 0; c < node->children.Count(); ++c) {
    BoxIntr rec;
    if (Crossing(node->children[c], slabs, rec)) crossed.push_back(rec);
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
    const BoxIntr rec = crossed[i];  // the vector grows below
    if (found.any && rec.entryDistance > found.best) break;
    DepthFirst(mesh, rec.node, slabs, out, tmin, found, crossed);
  }
  crossed.resize(first);
}

}  // namespace

int BRepModel3::Intersect(const Ray& ray, Hits& out, double tmin) const {
  if (hierarchy == nullptr) return TestAllFaces(*this, ray, out, tmin);
  Found found;
  const zavo::RaySlabs slabs(ray);
  std::vector<Node*>& walk = Scratch().walk;
  walk.clear();
  walk.push_back(hierarchy);
  while (!walk.empty()) {
    Node* node = walk.back();
    walk.pop_back();
    if (!slabs.Hits(node->box, zavo::BoxScale(node->box))) continue;
    if (node->children.Count() == 0) {
      TestLeaf(*this, node, ray, out, tmin, found);
      continue;
    }
    for (std::uint32_t c = node->children.Count(); c > 0; --c) walk.push_back(node->children[c - 1]);
  }
  return found.count;
}

int BRepModel3::IntersectFirst(const Ray& ray, Hits& out, double tmin) const {
  if (hierarchy == nullptr) return TestAllFaces(*this, ray, out, tmin);
  Found found;
  std::vector<BoxIntr>& crossed = Scratch().crossed;
  crossed.clear();
  DepthFirst(*this, hierarchy, zavo::RaySlabs(ray), out, tmin, found, crossed);
  return found.count;
}

int BRepModel3::IntersectBestFirst(const Ray& ray, Hits& out, double tmin) const {
  if (hierarchy == nullptr) return TestAllFaces(*this, ray, out, tmin);
  zavo::HierQueue queue(Scratch().queue);
  const zavo::RaySlabs slabs(ray);
  BoxIntr2 root;
  if (!Crossing(hierarchy, slabs, root)) return 0;
  queue.Start(root);
  Found found;
  while (!queue.Empty()) {
    const BoxIntr2 rec = queue.Take();
    if (found.any && rec.entryDistance > found.best) continue;
    Node* node = rec.node;
    if (node->children.Count() == 0) {
      TestLeaf(*this, node, ray, out, tmin, found);
      continue;
    }
    for (std::uint32_t c = 0; c < node->children.Count(); ++c) {
      BoxIntr2 child;
      if (!Crossing(node->children[c], slabs, child)) continue;
      if (found.any && child.entryDistance > found.best) continue;
      queue.Insert(child);
    }
  }
  return found.count;
}
