// Reads arbitrary bytes as the face hierarchy cache "<name>.br_" of a fixed
// mesh of eight faces, from a file in a temporary directory, through the
// hierarchy builders a render uses. The first byte chooses the builder (level
// build, grid-first build, the default grid-first build); the rest is the
// file. Whether the builder takes the file or builds and rewrites it, the tree
// must hold every face once, never invent a hit, and leave no temporary file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "geometry/brep_model3.h"
#include "geometry/ray.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

fs::path* workDirectory = nullptr;

std::unique_ptr<BRepModel3> NewMesh() {
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
  return std::make_unique<BRepModel3>("fixed", vertices, faces);
}

void CollectIds(const BRepModel3::Node* node, std::vector<int>& ids, int depth = 0) {
  Check(depth < 100);
  for (std::uint32_t i = 0; i < node->elements.Count(); ++i) ids.push_back(node->elements[i]);
  for (std::uint32_t i = 0; i < node->children.Count(); ++i) CollectIds(node->children[i], ids, depth + 1);
}

std::vector<std::pair<int, double>> Hits(const BRepModel3& mesh, const Ray& ray) {
  BRepModel3::Hits out;
  const int n = mesh.Intersect(ray, out, 0.0);
  std::vector<std::pair<int, double>> hits;
  for (int i = 0; i < n; ++i) {
    hits.emplace_back(out[static_cast<unsigned int>(i)].face, out[static_cast<unsigned int>(i)].t);
  }
  std::sort(hits.begin(), hits.end());
  return hits;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/zavo-fuzz-face-hierarchy-XXXXXX";
  const char* dir = mkdtemp(pattern);
  if (dir == nullptr) std::abort();
  workDirectory = new fs::path(dir);
  std::atexit([] {
    std::error_code error;
    fs::remove_all(*workDirectory, error);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const fs::path file = *workDirectory / "fixed.br_";
  {
    std::ofstream os(file, std::ios::binary);
    os.write(reinterpret_cast<const char*>(data) + 1, static_cast<std::streamsize>(size - 1));
  }
  const std::unique_ptr<BRepModel3> mesh = NewMesh();
  switch (data[0] % 3) {
    case 0:
      mesh->BuildHierarchy(1.1, file.c_str(), nullptr);
      break;
    case 1:
      mesh->BuildHierarchy2(1.1, 1 + data[0] / 3 % 8, file.c_str(), nullptr);
      break;
    default:
      mesh->BuildHierarchy2Default(file.c_str(), nullptr);
      break;
  }
  Check(mesh->hierarchy != nullptr);
  std::vector<int> ids;
  CollectIds(mesh->hierarchy, ids);
  std::sort(ids.begin(), ids.end());
  Check(ids.size() == mesh->faces.Count());
  for (std::size_t i = 0; i < ids.size(); ++i) Check(ids[i] == static_cast<int>(i));

  const Ray rays[] = {
      Ray::FromDirection({-1, 0.4, 0.2}, {1, 0, 0}),
      Ray::FromDirection({0.5, 0.5, -1}, {0, 0, 1}),
      Ray::FromDirection({1, 1, 1}, {-0.3, 0.2, -0.5}),
  };
  for (const Ray& ray : rays) {
    const auto hits = Hits(*mesh, ray);
    BRepModel3::Node* tree = std::exchange(mesh->hierarchy, nullptr);
    const auto brute = Hits(*mesh, ray);
    mesh->hierarchy = tree;
    for (const auto& h : hits) Check(std::find(brute.begin(), brute.end(), h) != brute.end());
  }
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(*workDirectory)) {
    Check(entry.path().filename().string().find(".tmp") == std::string::npos);
    fs::remove_all(entry.path(), error);
  }
  return 0;
}
