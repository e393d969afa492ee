#include "geometry/mesh_builders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "mesh_fixtures.h"

namespace {

using zavo::test::MakeMesh;

// The signed entries of the first contour of every face.
std::vector<std::vector<int>> Contours(const BRepModel3& mesh) {
  std::vector<std::vector<int>> out;
  for (std::uint32_t f = 0; f < mesh.faces.Count(); ++f) {
    std::vector<int> entries;
    const ContourFace3* c = mesh.faces[f].contours.First();
    for (std::uint32_t i = 0; c != nullptr && i < c->vertices.Count(); ++i) entries.push_back(c->vertices[i]);
    out.push_back(entries);
  }
  return out;
}

std::vector<Point3D> Vertices(const BRepModel3& mesh) {
  std::vector<Point3D> out;
  for (std::uint32_t i = 0; i < mesh.vertices.Count(); ++i) out.push_back(mesh.vertices[i]);
  return out;
}

// Every undirected side of the triangles used exactly twice, once in each
// direction: a closed, consistently oriented surface.
void ExpectClosedAndOriented(const BRepModel3& mesh) {
  std::map<std::pair<int, int>, int> directed;
  for (const std::vector<int>& t : Contours(mesh)) {
    ASSERT_EQ(t.size(), 3u);
    for (int s = 0; s < 3; ++s) ++directed[{std::abs(t[s]), std::abs(t[(s + 1) % 3])}];
  }
  for (const auto& [edge, n] : directed) {
    EXPECT_EQ(n, 1) << edge.first << "-" << edge.second;
    EXPECT_EQ(directed.count({edge.second, edge.first}), 1u) << edge.first << "-" << edge.second;
  }
}

Table<Point3D> DistinctTable(std::uint32_t rows, std::uint32_t cols) {
  Table<Point3D> t(rows, cols);
  for (std::uint32_t r = 0; r < rows; ++r) {
    for (std::uint32_t c = 0; c < cols; ++c) t[r][c] = {double(r), double(c), 0.1 * r * c};
  }
  return t;
}

// A tetrahedron whose four faces run the same way round.
const std::vector<Point3D> kTetra = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
const std::vector<zavo::test::FaceSpec> kTetraFaces = {{{1, 3, 2}}, {{1, 2, 4}}, {{2, 3, 4}}, {{1, 4, 3}}};

TEST(MeshBuilders, BoxMesh) {
  const auto mesh = MakeBoxBRep("crate", -1, 2, -3, 4, -5, 6);
  EXPECT_STREQ(mesh->name.Text(), "crate");
  const std::vector<Point3D> expected = {{-1, -3, -5}, {2, -3, -5}, {2, 4, -5}, {-1, 4, -5},
                                         {-1, -3, 6},  {2, -3, 6},  {2, 4, 6},  {-1, 4, 6}};
  EXPECT_EQ(Vertices(*mesh), expected);
  const std::vector<std::vector<int>> faces = {{1, 2, 3, 4}, {5, 8, 7, 6}, {1, 4, 8, 5},
                                               {2, 6, 7, 3}, {4, 3, 7, 8}, {1, 5, 6, 2}};
  EXPECT_EQ(Contours(*mesh), faces);
  // All six faces run the same way round: their normals all point inward or
  // all outward, and are the axis directions.
  const Point3D centre{0.5, 0.5, 0.5};
  int outward = 0;
  for (std::uint32_t f = 0; f < 6; ++f) {
    const Face3& face = mesh->faces[f];
    EXPECT_NEAR(Length(face.unitNormal), 1.0, 1e-12);
    if (Dot(face.unitNormal, face.contours.First()->Centroid(mesh->vertices) - centre) > 0) ++outward;
  }
  EXPECT_TRUE(outward == 0 || outward == 6) << outward;
  mesh->BuildEdges();
  EXPECT_EQ(mesh->edges.Count(), 12u);
  for (std::uint32_t e = 0; e < mesh->edges.Count(); ++e) EXPECT_GT(mesh->edges[e].first, 0);
}

TEST(MeshBuilders, GridMeshSmallTables) {
  struct Case {
    std::uint32_t n;
    std::uint32_t vertices;
    std::vector<std::vector<int>> firstFaces;
    std::uint32_t faces;
  };
  const std::vector<Case> cases = {
      {0, 0, {}, 0},
      {1, 1, {}, 0},
      {2, 4, {{1, -2, 3}, {2, 4, -3}}, 2},
      {3, 9, {{1, -2, 4}, {2, 5, -4}}, 8},
  };
  for (const Case& k : cases) {
    const auto mesh = MakeGridBRep("g", DistinctTable(k.n, k.n));
    EXPECT_STREQ(mesh->name.Text(), "g");
    EXPECT_EQ(mesh->vertices.Count(), k.vertices) << k.n;
    ASSERT_EQ(mesh->faces.Count(), k.faces) << k.n;
    const std::vector<std::vector<int>> all = Contours(*mesh);
    EXPECT_EQ(std::vector<std::vector<int>>(all.begin(), all.begin() + k.firstFaces.size()), k.firstFaces) << k.n;
  }
}

TEST(MeshBuilders, GridMeshNumbersColumnByColumnAndHidesTheDiagonals) {
  const std::uint32_t n = 5;
  const Table<Point3D> table = DistinctTable(n, n);
  const auto mesh = MakeGridBRep("g", table);
  ASSERT_EQ(mesh->vertices.Count(), n * n);
  ASSERT_EQ(mesh->faces.Count(), 2 * (n - 1) * (n - 1));
  for (std::uint32_t r = 0; r < n; ++r) {
    for (std::uint32_t c = 0; c < n; ++c) EXPECT_EQ(mesh->vertices[c * n + r], table[r][c]);
  }
  const auto V = [&](std::uint32_t r, std::uint32_t c) { return int(c * n + r + 1); };
  const std::vector<std::vector<int>> faces = Contours(*mesh);
  for (std::uint32_t r = 0; r + 1 < n; ++r) {
    for (std::uint32_t c = 0; c + 1 < n; ++c) {
      const std::size_t f = 2 * (r * (n - 1) + c);
      EXPECT_EQ(faces[f], (std::vector<int>{V(r, c), -V(r + 1, c), V(r, c + 1)}));
      EXPECT_EQ(faces[f + 1], (std::vector<int>{V(r + 1, c), V(r + 1, c + 1), -V(r, c + 1)}));
    }
  }
  // The visible edges are exactly the grid lines, the hidden ones the diagonals.
  mesh->BuildEdges();
  std::uint32_t visible = 0, hidden = 0;
  for (std::uint32_t e = 0; e < mesh->edges.Count(); ++e) {
    const GEO_BRepEdge& edge = mesh->edges[e];
    const Point3D a = mesh->vertices[std::uint32_t(std::abs(edge.first)) - 1];
    const Point3D b = mesh->vertices[std::uint32_t(edge.second) - 1];
    const double steps = std::abs(a.x - b.x) + std::abs(a.y - b.y);
    if (edge.first > 0) {
      ++visible;
      EXPECT_EQ(steps, 1.0);
    } else {
      ++hidden;
      EXPECT_EQ(steps, 2.0);
    }
  }
  EXPECT_EQ(visible, 2 * n * (n - 1));
  EXPECT_EQ(hidden, (n - 1) * (n - 1));
}

TEST(MeshBuilders, GridMeshKeepsPolesAndSeams) {
  // A closed surface of revolution: row 0 is one pole, row n - 1 the other,
  // the last column repeats the first.
  const std::uint32_t n = 6;
  Table<Point3D> t(n, n);
  for (std::uint32_t r = 0; r < n; ++r) {
    const double phi = std::numbers::pi * r / (n - 1);
    for (std::uint32_t c = 0; c < n; ++c) {
      const double theta = 2 * std::numbers::pi * (c % (n - 1)) / (n - 1);
      t[r][c] = {std::sin(phi) * std::cos(theta), std::sin(phi) * std::sin(theta), std::cos(phi)};
      if (r == 0 || r == n - 1) t[r][c] = {0, 0, std::cos(phi)};
    }
  }
  const auto mesh = MakeGridBRep("sphere", t);
  EXPECT_EQ(mesh->vertices.Count(), n * n);
  EXPECT_EQ(mesh->faces.Count(), 2 * (n - 1) * (n - 1));
  // The first triangle of a cell at the pole has two equal corners: it stays.
  EXPECT_EQ(mesh->vertices[0], mesh->vertices[n]);
  EXPECT_EQ(Contours(*mesh)[0], (std::vector<int>{1, -2, int(n) + 1}));
}

TEST(MeshBuilders, GridMeshOfARectangularTable) {
  const Table<Point3D> table = DistinctTable(2, 3);
  const auto mesh = MakeGridBRep("g", table);
  ASSERT_EQ(mesh->vertices.Count(), 6u);
  for (std::uint32_t r = 0; r < 2; ++r) {
    for (std::uint32_t c = 0; c < 3; ++c) EXPECT_EQ(mesh->vertices[c * 2 + r], table[r][c]);
  }
  const std::vector<std::vector<int>> faces = {{1, -2, 3}, {2, 4, -3}, {3, -4, 5}, {4, 6, -5}};
  EXPECT_EQ(Contours(*mesh), faces);
}

TEST(MeshBuilders, FindNearVertex) {
  struct Case {
    const char* what;
    std::vector<Point3D> points;
    Point3D p;
    double tolerance;
    int found;
    long index;
  };
  const std::vector<Case> cases = {
      {"exact, first of equals", {{1, 0, 0}, {0, 0, 0}, {0, 0, 0}}, {0, 0, 0}, 0.0, 1, 1},
      {"exact, near is not equal", {{1e-300, 0, 0}}, {0, 0, 0}, 0.0, 0, -7},
      {"within", {{5e-4, 0, 0}}, {0, 0, 0}, 1e-3, 1, 0},
      {"at the tolerance", {{1e-3, 0, 0}}, {0, 0, 0}, 1e-3, 0, -7},
      {"nearest wins", {{0, 4e-4, 0}, {0, 0, 2e-4}, {0, 9e-4, 0}}, {0, 0, 0}, 1e-3, 1, 1},
      {"earliest of equal distances", {{2, 0, 0}, {0, 0, 3e-4}, {0, 3e-4, 0}}, {0, 0, 0}, 1e-3, 1, 1},
      {"none collected", {}, {0, 0, 0}, 1.0, 0, -7},
  };
  for (const Case& k : cases) {
    FragmentedSeq<Point3D, long> points;
    points.SetSize(long(k.points.size()));
    for (long i = 0; i < points.Size(); ++i) points[i] = k.points[std::size_t(i)];
    long index = -7;
    EXPECT_EQ(FindNearVertex(points, k.p, k.tolerance, index), k.found) << k.what;
    EXPECT_EQ(index, k.index) << k.what;
  }
}

TEST(MeshBuilders, FaceListMesh) {
  struct Case {
    const char* what;
    double offset;  // of the second triangle's shared corners
    double tolerance;
    std::uint32_t vertices;
    std::vector<std::vector<int>> faces;
  };
  const std::vector<Case> cases = {
      {"shared exactly", 0.0, 0.0, 4, {{1, 2, 3}, {3, 2, 4}}},
      {"5e-4 apart merge", 5e-4, 1e-3, 4, {{1, 2, 3}, {3, 2, 4}}},
      {"1e-3 apart stay", 1e-3, 1e-3, 6, {{1, 2, 3}, {4, 5, 6}}},
      {"no tolerance, not equal", 5e-4, 0.0, 6, {{1, 2, 3}, {4, 5, 6}}},
  };
  for (const Case& k : cases) {
    List<GEO_RawTriangle3> list;
    list.Append(new GEO_RawTriangle3({0, 0, 0}, {1, 0, 0}, {0, 1, 0}));
    list.Append(new GEO_RawTriangle3({0, 1, k.offset}, {1, 0, k.offset}, {1, 1, 0}));
    const auto mesh = MakeFaceListBRep("fl", list, k.tolerance);
    EXPECT_STREQ(mesh->name.Text(), "fl");
    EXPECT_EQ(mesh->vertices.Count(), k.vertices) << k.what;
    EXPECT_EQ(Contours(*mesh), k.faces) << k.what;
    // A merged corner keeps the earlier point.
    EXPECT_EQ(mesh->vertices[0], (Point3D{0, 0, 0})) << k.what;
    EXPECT_EQ(mesh->vertices[2], (Point3D{0, 1, 0})) << k.what;
  }
  List<GEO_RawTriangle3> empty;
  const auto none = MakeFaceListBRep("e", empty, 0.0);
  EXPECT_EQ(none->vertices.Count(), 0u);
  EXPECT_EQ(none->faces.Count(), 0u);
}

TEST(MeshBuilders, FaceListMergesExactlyAsTheLinearSearch) {
  // -0.0 and 0.0 are one point, a NaN is equal to nothing, the first equal
  // point wins; the hashed merge must answer as FindNearVertex does.
  const double nan = std::nan("");
  List<GEO_RawTriangle3> list;
  list.Append(new GEO_RawTriangle3({0, 0, 0}, {1, 0, 0}, {0, 1, nan}));
  list.Append(new GEO_RawTriangle3({-0.0, 0, -0.0}, {0, 1, nan}, {1, 0, 0}));
  list.Append(new GEO_RawTriangle3({2, 2, 2}, {2, 2, 2}, {1, 0, 0}));
  const auto mesh = MakeFaceListBRep("h", list, 0.0);
  EXPECT_EQ(mesh->vertices.Count(), 5u);
  EXPECT_EQ(Contours(*mesh), (std::vector<std::vector<int>>{{1, 2, 3}, {1, 4, 2}, {5, 5, 2}}));
  EXPECT_FALSE(std::signbit(mesh->vertices[0].x));
}

TEST(MeshBuilders, AddTriangleFaceAndCountEdgeUses) {
  auto mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}},
                       {{{1, 2, 3}}, {{2, -1, 4}}, {{1, 2, 5, 4}}});
  mesh->BuildHierarchy2Default(nullptr, nullptr);
  ASSERT_NE(mesh->hierarchy, nullptr);
  struct Count {
    int a, b, uses;
  };
  // A four-sided face counts with its first three sides only.
  for (const Count& k : std::vector<Count>{{0, 1, 3}, {1, 0, 3}, {1, 4, 1}, {0, 4, 1}, {3, 0, 1}, {2, 3, 0}}) {
    EXPECT_EQ(CountEdgeUses(*mesh, k.a, k.b), k.uses) << k.a << "-" << k.b;
  }
  const int axis1 = mesh->faces[1].contours.First()->axis;
  EXPECT_EQ(AddTriangleFace(*mesh, 3, 2, 1), 1);
  EXPECT_EQ(mesh->hierarchy, nullptr);
  ASSERT_EQ(mesh->faces.Count(), 4u);
  EXPECT_EQ(Contours(*mesh)[3], (std::vector<int>{4, 3, 2}));
  EXPECT_EQ(Contours(*mesh)[1], (std::vector<int>{2, -1, 4}));
  EXPECT_EQ(mesh->faces[1].contours.First()->axis, axis1);
  // The new face has its plane: the unit normal of (0,0,1) (0,1,0) (1,0,0).
  const Point3D n = mesh->faces[3].unitNormal;
  EXPECT_NEAR(std::abs(n.x), 1 / std::sqrt(3.0), 1e-12);
  EXPECT_NEAR(n.x, n.y, 1e-12);
  EXPECT_NEAR(n.x, n.z, 1e-12);
  EXPECT_EQ(CountEdgeUses(*mesh, 2, 3), 1);
}

TEST(MeshBuildersDeathTest, AddTriangleFaceOutsideTheMesh) {
  auto mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{{1, 2, 3}}});
  EXPECT_EXIT(AddTriangleFace(*mesh, 0, 1, 3), ::testing::ExitedWithCode(1), "Runtime Error: AddTriangleFace");
  EXPECT_EXIT(AddTriangleFace(*mesh, -1, 1, 2), ::testing::ExitedWithCode(1), "Runtime Error: AddTriangleFace");
}

TEST(CloseMeshGaps, ClosedMeshOnlyGetsItsFaceDataRecomputed) {
  auto mesh = MakeMesh(kTetra, kTetraFaces);
  const Plane plane0 = mesh->faces[0].plane;
  mesh->faces[0].plane = Plane{};
  mesh->BuildHierarchy2Default(nullptr, nullptr);
  EXPECT_EQ(CloseMeshGaps(*mesh), 1);
  EXPECT_EQ(Contours(*mesh), Contours(*MakeMesh(kTetra, kTetraFaces)));
  EXPECT_EQ(mesh->faces[0].plane.a, plane0.a);
  EXPECT_EQ(mesh->faces[0].plane.d, plane0.d);
  EXPECT_EQ(mesh->hierarchy, nullptr);
}

TEST(CloseMeshGaps, Repairs) {
  struct Case {
    const char* what;
    std::vector<Point3D> points;
    std::vector<zavo::test::FaceSpec> faces;
    std::vector<std::vector<int>> added;
  };
  const std::vector<Point3D> cube = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                     {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
  const std::vector<Case> cases = {
      {"lone triangle", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{{1, 2, 3}}}, {{2, 1, 3}}},
      {"triangular hole", kTetra, {kTetraFaces[0], kTetraFaces[1], kTetraFaces[3]}, {{2, 3, 4}}},
      // A cube of triangles without its top: a square hole.
      {"square hole",
       cube,
       {{{1, 3, 2}}, {{1, 4, 3}}, {{1, 2, 6}}, {{1, 6, 5}}, {{2, 3, 7}}, {{2, 7, 6}}, {{3, 4, 8}}, {{3, 8, 7}},
        {{4, 1, 5}}, {{4, 5, 8}}},
       {{5, 6, 7}, {7, 8, 5}}},
  };
  for (const Case& k : cases) {
    auto mesh = MakeMesh(k.points, k.faces);
    const std::size_t before = k.faces.size();
    EXPECT_EQ(CloseMeshGaps(*mesh), 1);
    const std::vector<std::vector<int>> all = Contours(*mesh);
    ASSERT_GE(all.size(), before) << k.what;
    EXPECT_EQ(std::vector<std::vector<int>>(all.begin() + long(before), all.end()), k.added) << k.what;
    ExpectClosedAndOriented(*mesh);
    // A second repair finds nothing to add.
    CloseMeshGaps(*mesh);
    EXPECT_EQ(Contours(*mesh), all) << k.what;
  }
}

TEST(CloseMeshGaps, AnEdgeOfThreeFacesNeverGivesARepeatedVertex) {
  // A closed tetrahedron with a fin on its edge 1-2: that edge is used by
  // three faces, and its first boundary copy meets a later copy of itself
  // before any other boundary edge.
  std::vector<Point3D> points = kTetra;
  points.push_back({0.5, -1, 0.5});
  std::vector<zavo::test::FaceSpec> faces = kTetraFaces;
  faces.push_back({{1, 2, 5}});
  auto mesh = MakeMesh(points, faces);
  EXPECT_EQ(CloseMeshGaps(*mesh), 1);
  const std::vector<std::vector<int>> all = Contours(*mesh);
  // The pass adds a second fin on the far side and stops.
  ASSERT_EQ(all.size(), 6u);
  EXPECT_EQ(all[5], (std::vector<int>{1, 2, 5}));
  for (const std::vector<int>& t : all) {
    ASSERT_EQ(t.size(), 3u);
    EXPECT_NE(std::abs(t[0]), std::abs(t[1]));
    EXPECT_NE(std::abs(t[1]), std::abs(t[2]));
    EXPECT_NE(std::abs(t[0]), std::abs(t[2]));
  }
}

}  // namespace
