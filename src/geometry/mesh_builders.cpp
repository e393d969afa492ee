#include "geometry/mesh_builders.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <unordered_map>
#include <utility>

#include "foundation/runtime_error_box.h"

namespace {

// A new contour of the given signed 1-based entries, appended to the face.
template <std::size_t N>
void AddContour(Face3& face, const std::int32_t (&entries)[N]) {
  auto* contour = new ContourFace3;
  contour->vertices.SetSize(static_cast<std::uint32_t>(N));
  for (std::uint32_t i = 0; i < N; ++i) contour->vertices[i] = entries[i];
  face.contours.Append(contour);
}

// The face read as a triangle: the first three entries of its first contour
// as 0-based vertex numbers; false when it has fewer than three.
bool TriangleOf(const Face3& face, std::int32_t (&v)[3]) {
  const ContourFace3* contour = face.contours.First();
  if (contour == nullptr || contour->vertices.Count() < 3) return false;
  for (std::uint32_t i = 0; i < 3; ++i) v[i] = static_cast<std::int32_t>(ContourFace3::VertexIndex(contour->vertices[i]));
  return true;
}

std::uint64_t EdgeKey(std::int32_t a, std::int32_t b) {
  if (b < a) std::swap(a, b);
  return (std::uint64_t{static_cast<std::uint32_t>(a)} << 32) | static_cast<std::uint32_t>(b);
}

// How many triangle sides of the mesh join each pair of vertices.
using EdgeUses = std::unordered_map<std::uint64_t, int>;

EdgeUses CountAllEdgeUses(const BRepModel3& mesh) {
  EdgeUses uses;
  uses.reserve(static_cast<std::size_t>(mesh.faces.Count()) * 3);
  for (std::uint32_t f = 0; f < mesh.faces.Count(); ++f) {
    std::int32_t v[3];
    if (!TriangleOf(mesh.faces[f], v)) continue;
    for (int s = 0; s < 3; ++s) ++uses[EdgeKey(v[s], v[(s + 1) % 3])];
  }
  return uses;
}

int UsesOf(const EdgeUses& uses, std::int32_t a, std::int32_t b) {
  const auto it = uses.find(EdgeKey(a, b));
  return it == uses.end() ? 0 : it->second;
}

// The boundary edges of the mesh, faces in order and each face's sides in
// contour order.
FragmentedSeq<ProtoEdge, long> BoundaryEdges(const BRepModel3& mesh, const EdgeUses& uses) {
  FragmentedSeq<ProtoEdge, long> edges;
  for (std::uint32_t f = 0; f < mesh.faces.Count(); ++f) {
    std::int32_t v[3];
    if (!TriangleOf(mesh.faces[f], v)) continue;
    for (int s = 0; s < 3; ++s) {
      const std::int32_t from = v[s], to = v[(s + 1) % 3];
      if (UsesOf(uses, from, to) % 2 == 0) continue;
      const long n = edges.Size();
      edges.SetSize(n + 1);
      edges[n] = {from < to ? from : to, from < to ? to : from, from, to};
    }
  }
  return edges;
}

// The first triangle that closes a gap next to a boundary edge, searched as
// CloseMeshGaps describes: E's reversed ends and the third vertex w.
bool FindClosingTriangle(const FragmentedSeq<ProtoEdge, long>& edges, const EdgeUses& uses, std::int32_t (&tri)[3]) {
  const auto free_side = [&](std::int32_t a, std::int32_t b) {
    const int n = UsesOf(uses, a, b);
    return n == 0 || n % 2 == 1;
  };
  for (long i = 0; i < edges.Size(); ++i) {
    const ProtoEdge& e = edges[i];
    if (e.smaller == e.larger) continue;
    for (long j = i + 1; j < edges.Size(); ++j) {
      const ProtoEdge& f = edges[j];
      std::int32_t w;
      if (f.smaller == e.smaller || f.smaller == e.larger) {
        w = f.larger;
      } else if (f.larger == e.smaller || f.larger == e.larger) {
        w = f.smaller;
      } else {
        continue;
      }
      // A copy of E itself (an edge of three or more faces) or a side from a
      // vertex to itself would give a triangle with a repeated vertex.
      if (w == e.smaller || w == e.larger) continue;
      if (free_side(w, e.smaller) && free_side(w, e.larger)) {
        tri[0] = e.to;
        tri[1] = e.from;
        tri[2] = w;
        return true;
      }
    }
  }
  return false;
}

}  // namespace

std::unique_ptr<BRepModel3> MakeBoxBRep(const char* name, double xmin, double xmax, double ymin, double ymax,
                                        double zmin, double zmax) {
  auto mesh = std::make_unique<BRepModel3>(name);
  mesh->vertices.SetSize(8);
  const Point3D corners[8] = {{xmin, ymin, zmin}, {xmax, ymin, zmin}, {xmax, ymax, zmin}, {xmin, ymax, zmin},
                              {xmin, ymin, zmax}, {xmax, ymin, zmax}, {xmax, ymax, zmax}, {xmin, ymax, zmax}};
  for (std::uint32_t i = 0; i < 8; ++i) mesh->vertices[i] = corners[i];
  static constexpr std::int32_t kFaces[6][4] = {{1, 2, 3, 4}, {5, 8, 7, 6}, {1, 4, 8, 5},
                                                {2, 6, 7, 3}, {4, 3, 7, 8}, {1, 5, 6, 2}};
  mesh->faces.SetSize(6);
  for (std::uint32_t f = 0; f < 6; ++f) AddContour(mesh->faces[f], kFaces[f]);
  mesh->UpdateFaces();
  return mesh;
}

std::unique_ptr<BRepModel3> MakeGridBRep(const char* name, const Table<Point3D>& table) {
  const std::uint32_t rows = table.Rows(), cols = table.Cols();
  const std::uint64_t points = std::uint64_t{rows} * cols;
  if (points > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) RuntimeErrorBox("MakeGridBRep");
  auto mesh = std::make_unique<BRepModel3>(name);
  mesh->vertices.SetSize(static_cast<std::uint32_t>(points));
  for (std::uint32_t c = 0; c < cols; ++c) {
    for (std::uint32_t r = 0; r < rows; ++r) mesh->vertices[c * rows + r] = table[r][c];
  }
  if (rows < 2 || cols < 2) {
    mesh->UpdateFaces();
    return mesh;
  }
  const auto V = [rows](std::uint32_t r, std::uint32_t c) { return static_cast<std::int32_t>(c * rows + r + 1); };
  mesh->faces.SetSize(2 * (rows - 1) * (cols - 1));
  std::uint32_t f = 0;
  for (std::uint32_t r = 0; r + 1 < rows; ++r) {
    for (std::uint32_t c = 0; c + 1 < cols; ++c) {
      AddContour(mesh->faces[f++], {V(r, c), -V(r + 1, c), V(r, c + 1)});
      AddContour(mesh->faces[f++], {V(r + 1, c), V(r + 1, c + 1), -V(r, c + 1)});
    }
  }
  mesh->UpdateFaces();
  return mesh;
}

namespace {

// The exact value of a point as a hash key; -0.0 is keyed as 0.0.
struct ExactKey {
  std::uint64_t x, y, z;
  bool operator==(const ExactKey&) const = default;
};

struct ExactKeyHash {
  std::size_t operator()(const ExactKey& k) const {
    std::uint64_t h = k.x * 0x9E3779B97F4A7C15ull;
    h ^= k.y + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
    h ^= k.z + 0x94D049BB133111EBull + (h << 6) + (h >> 2);
    return static_cast<std::size_t>(h);
  }
};

std::uint64_t Bits(double v) {
  if (v == 0.0) v = 0.0;
  std::uint64_t b = 0;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

ExactKey KeyOf(const Point3D& p) { return {Bits(p.x), Bits(p.y), Bits(p.z)}; }

}  // namespace

int FindNearVertex(const FragmentedSeq<Point3D, long>& points, const Point3D& p, double tolerance, long& index) {
  if (tolerance == 0.0) {
    for (long i = 0; i < points.Size(); ++i) {
      const Point3D& q = points[i];
      if (q.x == p.x && q.y == p.y && q.z == p.z) {
        index = i;
        return 1;
      }
    }
    return 0;
  }
  long best = -1;
  double best_distance = 0.0;
  for (long i = 0; i < points.Size(); ++i) {
    const double d = Distance3D(points[i], p);
    if (d < tolerance && (best < 0 || d < best_distance)) {
      best = i;
      best_distance = d;
    }
  }
  if (best < 0) return 0;
  index = best;
  return 1;
}

std::unique_ptr<BRepModel3> MakeFaceListBRep(const char* name, const List<GEO_RawTriangle3>& triangles,
                                             double tolerance) {
  FragmentedSeq<Point3D, long> points;
  FragmentedSeq<qztri, long> tris;
  // With tolerance 0 the first equal point is found through a hash of the
  // values (first index kept per key; -0.0 keyed as 0.0; a NaN never stored,
  // since it equals nothing): the same answers as FindNearVertex's search.
  std::unordered_map<ExactKey, long, ExactKeyHash> exact;
  for (const GEO_RawTriangle3& raw : triangles) {
    qztri t;
    for (int k = 0; k < 3; ++k) {
      long index = 0;
      const Point3D& p = raw.corner[k];
      bool found = false;
      const bool comparable = p.x == p.x && p.y == p.y && p.z == p.z;
      if (tolerance == 0.0) {
        if (comparable) {
          const auto it = exact.find(KeyOf(p));
          if (it != exact.end()) {
            index = it->second;
            found = true;
          }
        }
      } else {
        found = FindNearVertex(points, p, tolerance, index) != 0;
      }
      if (!found) {
        index = points.Size();
        if (index >= std::numeric_limits<std::int32_t>::max()) RuntimeErrorBox("MakeFaceListBRep");
        points.SetSize(index + 1);
        points[index] = p;
        if (tolerance == 0.0 && comparable) exact.emplace(KeyOf(p), index);
      }
      t.v[k] = static_cast<std::int32_t>(index);
    }
    const long n = tris.Size();
    tris.SetSize(n + 1);
    tris[n] = t;
  }
  auto mesh = std::make_unique<BRepModel3>(name);
  mesh->vertices.SetSize(static_cast<std::uint32_t>(points.Size()));
  for (long i = 0; i < points.Size(); ++i) mesh->vertices[static_cast<std::uint32_t>(i)] = points[i];
  mesh->faces.SetSize(static_cast<std::uint32_t>(tris.Size()));
  for (long i = 0; i < tris.Size(); ++i) {
    const qztri& t = tris[i];
    AddContour(mesh->faces[static_cast<std::uint32_t>(i)], {t.v[0] + 1, t.v[1] + 1, t.v[2] + 1});
  }
  mesh->UpdateFaces();
  return mesh;
}

int AddTriangleFace(BRepModel3& mesh, std::int32_t a, std::int32_t b, std::int32_t c) {
  const std::int64_t nv = mesh.vertices.Count();
  for (std::int32_t v : {a, b, c}) {
    if (v < 0 || v >= nv) RuntimeErrorBox("AddTriangleFace");
  }
  mesh.FreeHierarchy();
  const std::uint32_t n = mesh.faces.Count();
  mesh.faces.Resize(n + 1);
  // Copied faces keep plane and normal but not their axes: set them again.
  for (std::uint32_t f = 0; f < n; ++f) {
    if (mesh.faces[f].contours.First() != nullptr) mesh.faces[f].SetPlane(mesh.faces[f].plane);
  }
  AddContour(mesh.faces[n], {a + 1, b + 1, c + 1});
  mesh.faces[n].ComputePlane(mesh.vertices);
  return 1;
}

int CountEdgeUses(const BRepModel3& mesh, std::int32_t smaller, std::int32_t larger) {
  const std::uint64_t key = EdgeKey(smaller, larger);
  int count = 0;
  for (std::uint32_t f = 0; f < mesh.faces.Count(); ++f) {
    std::int32_t v[3];
    if (!TriangleOf(mesh.faces[f], v)) continue;
    for (int s = 0; s < 3; ++s) {
      if (EdgeKey(v[s], v[(s + 1) % 3]) == key) ++count;
    }
  }
  return count;
}

int CloseMeshGaps(BRepModel3& mesh) {
  // A safety net: a sound repair adds far fewer triangles than this.
  const std::uint64_t limit = std::uint64_t{mesh.faces.Count()} * 10 + 10;
  for (std::uint64_t added = 0; added < limit; ++added) {
    const EdgeUses uses = CountAllEdgeUses(mesh);
    const FragmentedSeq<ProtoEdge, long> edges = BoundaryEdges(mesh, uses);
    std::int32_t tri[3];
    if (!FindClosingTriangle(edges, uses, tri)) break;
    AddTriangleFace(mesh, tri[0], tri[1], tri[2]);
  }
  mesh.UpdateFaces();
  return 1;
}
