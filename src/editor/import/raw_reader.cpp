#include "editor/import/raw_reader.h"

#include <bit>
#include <cmath>
#include <string>
#include <unordered_map>

#include "foundation/number_text.h"

namespace zavo {

namespace {

// Reads numbers until the input ends or a word is no finite number, and
// answers them in groups of size (an incomplete last group is dropped).
std::vector<double> ReadNumbers(std::istream& in, std::size_t group) {
  std::vector<double> numbers;
  std::string word;
  double value = 0.0;
  while (in >> word && NumberTextToDouble(word, value) && std::isfinite(value)) numbers.push_back(value);
  numbers.resize(numbers.size() - numbers.size() % group);
  return numbers;
}

// A corner as a hash key: -0 is taken as 0, so equal coordinates have equal bits.
struct CornerKey {
  double x, y, z;
  explicit CornerKey(const Point3D& p) : x(p.x + 0.0), y(p.y + 0.0), z(p.z + 0.0) {}
  bool operator==(const CornerKey& o) const { return x == o.x && y == o.y && z == o.z; }
};

struct CornerHash {
  std::size_t operator()(const CornerKey& k) const {
    std::uint64_t h = std::bit_cast<std::uint64_t>(k.x);
    h = h * 0x9E3779B97F4A7C15ULL ^ std::bit_cast<std::uint64_t>(k.y);
    h = h * 0x9E3779B97F4A7C15ULL ^ std::bit_cast<std::uint64_t>(k.z);
    return static_cast<std::size_t>(h ^ (h >> 29));
  }
};

bool HasThreeVertices(const std::array<std::uint32_t, 3>& f) { return f[0] != f[1] && f[1] != f[2] && f[0] != f[2]; }

}  // namespace

std::vector<RawTriangle> ReadRawTriangles(std::istream& in) {
  const std::vector<double> v = ReadNumbers(in, 9);
  std::vector<RawTriangle> triangles;
  triangles.reserve(v.size() / 9);
  for (std::size_t i = 0; i < v.size(); i += 9) {
    triangles.push_back({Point3D{v[i], v[i + 1], v[i + 2]}, Point3D{v[i + 3], v[i + 4], v[i + 5]},
                         Point3D{v[i + 6], v[i + 7], v[i + 8]}});
  }
  return triangles;
}

std::vector<Point3D> ReadRawPoints(std::istream& in, int dimensions) {
  const std::size_t group = dimensions == 2 ? 2 : 3;
  const std::vector<double> v = ReadNumbers(in, group);
  std::vector<Point3D> points;
  points.reserve(v.size() / group);
  for (std::size_t i = 0; i < v.size(); i += group) {
    points.push_back({v[i], v[i + 1], group == 3 ? v[i + 2] : 0.0});
  }
  return points;
}

RawMesh MergeRawTriangles(const std::vector<RawTriangle>& triangles, const std::function<void(long)>& progress) {
  RawMesh mesh;
  std::unordered_map<CornerKey, std::uint32_t, CornerHash> found;
  mesh.faces.reserve(triangles.size());
  long merged = 0;
  for (const RawTriangle& triangle : triangles) {
    std::array<std::uint32_t, 3> face{};
    for (int c = 0; c < 3; ++c) {
      const auto [at, added] = found.try_emplace(CornerKey(triangle[c]), static_cast<std::uint32_t>(mesh.vertices.size()));
      if (added) mesh.vertices.push_back(triangle[c]);
      face[c] = at->second;
    }
    mesh.faces.push_back(face);
    if (progress) progress(++merged);
  }
  return mesh;
}

void WriteRawPbrep(std::ostream& os, const RawMesh& mesh) {
  long written = 0;
  for (const auto& f : mesh.faces) written += HasThreeVertices(f) ? 1 : 0;
  os << "{ pbrep\nvertices\n" << mesh.vertices.size() << '\n';
  for (const Point3D& p : mesh.vertices) os << p.x << ' ' << p.y << ' ' << p.z << '\n';
  os << "faces\n" << written << '\n';
  for (const auto& f : mesh.faces) {
    if (!HasThreeVertices(f)) continue;
    os << "{ 1\n\t{ 3 " << f[0] << ' ' << f[1] << ' ' << f[2] << "}\n\n}\n";
  }
  os << "}\n";
}

}  // namespace zavo
