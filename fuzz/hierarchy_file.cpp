// Loads arbitrary text as the hierarchy file of a fixed mesh of eight faces.
// A tree that is accepted must hold every face once, save and load again to
// the same text, and answer ray queries as the mesh without a tree does. The
// same text behind a comment (read through the scanner only) must give the
// same answer as the text itself (which may take the plain lane).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/brep_model3.h"
#include "geometry/hier_file.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

BRepModel3& Mesh() {
  static BRepModel3* mesh = [] {
    Seq<Point3D> vertices(24);
    Seq<Face3> faces(8);
    for (std::uint32_t f = 0; f < 8; ++f) {
      const double x = f % 2, y = (f / 2) % 2, z = f / 4;
      vertices[3 * f] = {x, y, z};
      vertices[3 * f + 1] = {x + 0.8, y + 0.1, z + 0.3};
      vertices[3 * f + 2] = {x + 0.2, y + 0.9, z + 0.6};
      auto* c = new ContourFace3;
      c->vertices.SetSize(3);
      for (std::uint32_t k = 0; k < 3; ++k) c->vertices[k] = static_cast<int>(3 * f + k + 1);
      faces[f].contours.Append(c);
    }
    return new BRepModel3("fixed", vertices, faces);
  }();
  return *mesh;
}

void CollectIds(const BRepModel3::Node* node, std::vector<int>& ids) {
  for (std::uint32_t i = 0; i < node->elements.Count(); ++i) ids.push_back(node->elements[i]);
  for (std::uint32_t i = 0; i < node->children.Count(); ++i) CollectIds(node->children[i], ids);
}

std::vector<std::pair<int, double>> Hits(const BRepModel3& mesh, int which, const Ray& ray) {
  BRepModel3::Hits out;
  const int n = which == 0 ? mesh.Intersect(ray, out, 0.0)
                           : (which == 1 ? mesh.IntersectFirst(ray, out, 0.0) : mesh.IntersectBestFirst(ray, out, 0.0));
  std::vector<std::pair<int, double>> hits;
  for (int i = 0; i < n; ++i) hits.emplace_back(out[static_cast<unsigned int>(i)].face, out[static_cast<unsigned int>(i)].t);
  std::sort(hits.begin(), hits.end());
  return hits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  BRepModel3& mesh = Mesh();
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::istringstream in(text);
  BRepModel3::Node* root = zavo::LoadHierarchy(in, mesh.faces.Count());
  std::istringstream scanned("/**/ " + text);
  BRepModel3::Node* viaScanner = zavo::LoadHierarchy(scanned, mesh.faces.Count());
  Check((root == nullptr) == (viaScanner == nullptr));
  if (root == nullptr) return 0;
  {
    std::ostringstream a, b;
    zavo::SaveHierarchy(a, root);
    zavo::SaveHierarchy(b, viaScanner);
    Check(a.str() == b.str());
    delete viaScanner;
  }

  std::vector<int> ids;
  CollectIds(root, ids);
  std::sort(ids.begin(), ids.end());
  Check(ids.size() == mesh.faces.Count());
  for (std::size_t i = 0; i < ids.size(); ++i) Check(ids[i] == static_cast<int>(i));

  std::ostringstream saved;
  zavo::SaveHierarchy(saved, root);
  std::istringstream again(saved.str());
  BRepModel3::Node* copy = zavo::LoadHierarchy(again, mesh.faces.Count());
  Check(copy != nullptr);
  std::ostringstream resaved;
  zavo::SaveHierarchy(resaved, copy);
  Check(resaved.str() == saved.str());
  delete copy;

  const Ray rays[] = {
      Ray::FromDirection({-1, 0.4, 0.2}, {1, 0, 0}),
      Ray::FromDirection({0.5, 0.5, -1}, {0, 0, 1}),
      Ray::FromDirection({1, 1, 1}, {-0.3, 0.2, -0.5}),
  };
  for (const Ray& ray : rays) {
    mesh.hierarchy = nullptr;
    const auto brute = Hits(mesh, 0, ray);
    mesh.hierarchy = root;
    for (int which = 0; which < 3; ++which) {
      const auto hits = Hits(mesh, which, ray);
      // Boxes come from the file: a tree may hide faces, never invent hits.
      for (const auto& h : hits) Check(std::find(brute.begin(), brute.end(), h) != brute.end());
    }
  }
  mesh.FreeHierarchy();
  return 0;
}
