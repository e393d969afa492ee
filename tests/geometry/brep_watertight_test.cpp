// Rays through the edges and vertices of closed meshes: every face test and
// every query of a mesh sees a closed surface without cracks or doubled hits.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "geometry/brep_model3.h"
#include "mesh_fixtures.h"

namespace {

using zavo::test::FaceSpec;
using zavo::test::MakeMesh;

const Point3D kCentre{0.31, -0.17, 0.53};
constexpr double kRadius = 1.3;

Point3D Unit(const Point3D& p) { return p * (1.0 / Length(p)); }

// A sphere of triangles: two poles and rings of points, outward faces.
std::unique_ptr<BRepModel3> TessellatedSphere(int rings, int segments) {
  const double pi = std::acos(-1.0);
  std::vector<Point3D> points{kCentre + Point3D{0, 0, kRadius}};
  for (int i = 1; i < rings; ++i) {
    const double theta = pi * i / rings;
    for (int j = 0; j < segments; ++j) {
      const double phi = 2 * pi * j / segments;
      points.push_back(kCentre + kRadius * Point3D{std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi),
                                                   std::cos(theta)});
    }
  }
  points.push_back(kCentre + Point3D{0, 0, -kRadius});
  const int south = static_cast<int>(points.size());  // 1-based
  const auto at = [segments](int ring, int j) { return 2 + (ring - 1) * segments + (j % segments); };
  std::vector<FaceSpec> faces;
  for (int j = 0; j < segments; ++j) {
    faces.push_back({{1, at(1, j), at(1, j + 1)}});
    for (int i = 1; i + 1 < rings; ++i) {
      faces.push_back({{at(i, j), at(i + 1, j), at(i + 1, j + 1)}});
      faces.push_back({{at(i, j), at(i + 1, j + 1), at(i, j + 1)}});
    }
    faces.push_back({{at(rings - 1, j), south, at(rings - 1, j + 1)}});
  }
  return MakeMesh(points, faces, "ball");
}

// The mesh's vertices and the midpoints of its edges.
std::vector<Point3D> Targets(const BRepModel3& mesh) {
  std::vector<Point3D> targets;
  for (std::uint32_t v = 0; v < mesh.vertices.Count(); ++v) targets.push_back(mesh.vertices[v]);
  std::set<std::pair<std::uint32_t, std::uint32_t>> edges;
  for (std::uint32_t f = 0; f < mesh.faces.Count(); ++f) {
    const Seq<int>& c = mesh.faces[f].contours.First()->vertices;
    for (std::uint32_t i = 0; i < c.Count(); ++i) {
      std::uint32_t a = ContourFace3::VertexIndex(c[i]), b = ContourFace3::VertexIndex(c[(i + 1) % c.Count()]);
      if (a > b) std::swap(a, b);
      if (edges.insert({a, b}).second) targets.push_back((mesh.vertices[a] + mesh.vertices[b]) * 0.5);
    }
  }
  return targets;
}

// A direction within about 50 degrees of -n, so that a ray along it from
// outside through a surface point near n passes through the body.
Point3D Inward(const Point3D& n, std::mt19937& gen) {
  std::uniform_real_distribution<double> jitter(-0.6, 0.6);
  return Unit(-1.0 * n + Point3D{jitter(gen), jitter(gen), jitter(gen)});
}

enum class Tree { kNone, kLevel, kMedian };

void Prepare(BRepModel3& mesh, Tree tree) {
  if (tree == Tree::kLevel) mesh.BuildHierarchy(1.3, nullptr, nullptr);
  if (tree == Tree::kMedian) mesh.BuildHierarchy2Default(nullptr, nullptr);
}

// 5000 rays from outside aimed exactly at vertices and edge midpoints: each
// enters once and leaves once, and the nearest hit of the other two queries is
// the entry.
TEST(WatertightMesh, RaysThroughVerticesAndEdgesHitASphereTwice) {
  for (Tree tree : {Tree::kNone, Tree::kLevel, Tree::kMedian}) {
    SCOPED_TRACE(static_cast<int>(tree));
    auto mesh = TessellatedSphere(17, 23);
    Prepare(*mesh, tree);
    const std::vector<Point3D> targets = Targets(*mesh);
    std::mt19937 gen(5000);
    std::uniform_real_distribution<double> distance(0.7, 9.0);
    BRepModel3::Hits hits;
    int wrong = 0, nearestWrong = 0;
    for (int n = 0; n < 5000; ++n) {
      const Point3D target = targets[static_cast<std::size_t>(n) % targets.size()];
      const Point3D direction = Inward(Unit(target - kCentre), gen);
      const Ray ray = Ray::FromDirection(target - distance(gen) * direction, direction);
      const int count = mesh->Intersect(ray, hits, 1e-9);
      if (count != 2) {
        ++wrong;
        continue;
      }
      const double entry = std::min(hits[0].t, hits[1].t);
      for (int query = 0; query < 2; ++query) {
        const int found = query == 0 ? mesh->IntersectFirst(ray, hits, 1e-9) : mesh->IntersectBestFirst(ray, hits, 1e-9);
        double nearest = 1e300;
        for (int k = 0; k < found; ++k) nearest = std::min(nearest, hits[static_cast<unsigned>(k)].t);
        if (found < 1 || nearest != entry) ++nearestWrong;
      }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(nearestWrong, 0);
  }
}

// From random points inside and outside, rays through vertices and edge
// midpoints: an odd number of hits exactly for the points inside.
TEST(WatertightMesh, HitParityTellsInsideFromOutside) {
  auto mesh = TessellatedSphere(9, 13);
  Prepare(*mesh, Tree::kLevel);
  const std::vector<Point3D> targets = Targets(*mesh);
  std::mt19937 gen(77);
  std::uniform_real_distribution<double> coordinate(-2.5, 2.5);
  BRepModel3::Hits hits;
  int wrong = 0, tried = 0;
  for (int n = 0; tried < 3000; ++n) {
    const Point3D p = kCentre + Point3D{coordinate(gen), coordinate(gen), coordinate(gen)};
    const double r = Length(p - kCentre);
    // Clear of the surface: inside the inscribed ball or outside the sphere.
    const bool inside = r < 0.9 * kRadius;
    if (!inside && r < 1.05 * kRadius) continue;
    const Point3D target = targets[static_cast<std::size_t>(n) % targets.size()];
    const Ray ray = Ray::FromPoints(p, target);
    ++tried;
    if ((mesh->Intersect(ray, hits, 0.0) % 2 == 1) != inside) ++wrong;
  }
  EXPECT_EQ(wrong, 0);
}

// The octahedron with its vertices at +-1 on the axes, seen along an axis:
// rays in the plane x = 0 meet it on the edges of that plane only.
TEST(WatertightMesh, RaysAlongTheEdgesOfAnOctahedron) {
  auto mesh = MakeMesh({{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}},
                       {{{1, 3, 5}}, {{3, 2, 5}}, {{2, 4, 5}}, {{4, 1, 5}},
                        {{3, 1, 6}}, {{2, 3, 6}}, {{4, 2, 6}}, {{1, 4, 6}}},
                       "octahedron");
  BRepModel3::Hits hits;
  int wrong = 0;
  for (int k = -99; k <= 99; ++k) {
    const double y = k / 101.0;
    // From a perspective eye on the z axis and along the axis.
    for (const Ray& ray : {Ray::FromPoints({0, 0, 4.1}, {0, y, 0}), Ray::FromDirection({0, y, 4.1}, {0, 0, -1})}) {
      if (mesh->Intersect(ray, hits, 1e-9) != 2) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
}

}  // namespace
