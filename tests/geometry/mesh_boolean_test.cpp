#include "geometry/mesh_boolean.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/mesh_builders.h"
#include "mesh_fixtures.h"

namespace {

using zavo::test::MakeMesh;
using Corners = std::array<Point3D, 3>;

struct Operation {
  const char* name;
  zavo::MeshBoolean run;
};
const Operation kOperations[] = {{"union", MeshUnion}, {"intersection", MeshIntersect}, {"difference", MeshSubtract}};

// The faces of a mesh as their corner points, in order.
std::vector<Corners> Faces(const BRepModel3& m) {
  std::vector<Corners> out;
  for (std::uint32_t f = 0; f < m.faces.Count(); ++f) {
    const ContourFace3* c = m.faces[f].contours.First();
    Corners t;
    for (std::uint32_t k = 0; k < 3; ++k) t[k] = m.vertices[ContourFace3::VertexIndex(c->vertices[k])];
    out.push_back(t);
  }
  return out;
}

std::vector<Corners> Concat(std::vector<Corners> a, const std::vector<Corners>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The tetrahedron with corner o and the three edges of length s along the axes.
std::vector<Point3D> TetraPoints(const Point3D& o, double s) {
  return {o, o + Point3D{s, 0, 0}, o + Point3D{0, s, 0}, o + Point3D{0, 0, s}};
}
const std::vector<zavo::test::FaceSpec> kTetraFaces = {{{1, 3, 2}}, {{1, 2, 4}}, {{1, 4, 3}}, {{2, 3, 4}}};

std::unique_ptr<BRepModel3> Tetra(const Point3D& o, double s, const char* name = "t") {
  return MakeMesh(TetraPoints(o, s), kTetraFaces, name);
}

TEST(MeshBoolean, DisjointMeshes) {
  const auto a = Tetra({0, 0, 0}, 1, "a");
  const auto b = Tetra({5, 5, 5}, 2, "b");
  const auto uni = MeshUnion(*a, *b);
  EXPECT_EQ(Faces(*uni), Concat(Faces(*a), Faces(*b)));
  EXPECT_EQ(uni->vertices.Count(), 8u);
  const auto inter = MeshIntersect(*a, *b);
  EXPECT_STREQ(inter->name.Text(), "intr");
  EXPECT_EQ(inter->faces.Count(), 0u);
  EXPECT_EQ(inter->vertices.Count(), 0u);
  const auto diff = MeshSubtract(*a, *b);
  EXPECT_EQ(Faces(*diff), Faces(*a));
  EXPECT_STREQ(uni->name.Text(), "intr");
  EXPECT_STREQ(diff->name.Text(), "intr");
}

TEST(MeshBoolean, TheGapRepairClosesTheResult) {
  // A tetrahedron without its last face: the repair adds the missing one.
  const auto open = MakeMesh(TetraPoints({0, 0, 0}, 1), {{{1, 3, 2}}, {{1, 2, 4}}, {{1, 4, 3}}}, "a");
  const auto b = Tetra({5, 5, 5}, 1, "b");
  const auto r = MeshSubtract(*open, *b);
  ASSERT_EQ(r->faces.Count(), 4u);
  const std::vector<Corners> faces = Faces(*r);
  const std::vector<Point3D> p = TetraPoints({0, 0, 0}, 1);
  EXPECT_EQ(faces[3], (Corners{p[1], p[2], p[3]}));  // the missing face, running with the others
}

TEST(MeshBoolean, InputsStayUnchangedAndNoFileIsWritten) {
  const auto a = Tetra({0, 0, 0}, 2, "a");
  const auto b = Tetra({0.5, 0.5, 0.5}, 2, "b");
  const std::string textA = zavo::test::WritePbrep(*a, 1);
  const std::string textB = zavo::test::WritePbrep(*b, 1);
  zavo::test::TempDir dir;
  zavo::test::ScopedCwd cwd(dir.path());
  for (const Operation& op : kOperations) {
    const auto r = op.run(*a, *b);
    EXPECT_GT(r->faces.Count(), 0u) << op.name;
  }
  EXPECT_EQ(zavo::test::WritePbrep(*a, 1), textA);
  EXPECT_EQ(zavo::test::WritePbrep(*b, 1), textB);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(MeshBoolean, TriangleWithTwoEqualCornersVanishes) {
  // The extra face lies inside the second mesh and outside nothing else.
  const auto b = Tetra({0.5, 0.5, 0.5}, 2, "b");
  std::vector<Point3D> points = TetraPoints({0, 0, 0}, 2);
  const auto a = MakeMesh(points, kTetraFaces, "a");
  points.insert(points.end(), {{0.8, 0.8, 0.8}, {0.8, 0.8, 0.8}, {0.8, 0.9, 0.9}});
  std::vector<zavo::test::FaceSpec> faces = kTetraFaces;
  faces.push_back({{5, 6, 7}});
  faces.push_back({{7, 5, 7}});
  const auto withDegenerate = MakeMesh(points, faces, "a");
  for (const Operation& op : kOperations) {
    EXPECT_EQ(zavo::test::WritePbrep(*op.run(*withDegenerate, *b), 0), zavo::test::WritePbrep(*op.run(*a, *b), 0))
        << op.name;
    EXPECT_EQ(zavo::test::WritePbrep(*op.run(*b, *withDegenerate), 0), zavo::test::WritePbrep(*op.run(*b, *a), 0))
        << op.name;
  }
}

TEST(MeshBoolean, CornersWhoseTextIsEqualMergeAndFacesOfMergedCornersGo) {
  // A tetrahedron whose faces have corners of their own, equal up to 1e-8
  // (and one corner that prints rounded to six digits), and a sliver whose
  // corners print alike.
  const std::vector<Point3D> t = TetraPoints({1, 1, 1.1234567}, 1);
  std::vector<Point3D> points;
  std::vector<zavo::test::FaceSpec> faces;
  int k = 0;
  for (const auto& face : kTetraFaces) {
    std::vector<int> contour;
    for (const int v : face[0]) {
      points.push_back(t[static_cast<std::size_t>(v - 1)] + Point3D{1e-8 * k, 0, -1e-8 * k});
      contour.push_back(++k);
    }
    faces.push_back({contour});
  }
  points.insert(points.end(), {{5, 5, 5}, {5.0000001, 5, 5}, {5, 6, 5}});
  faces.push_back({{k + 1, k + 2, k + 3}});
  const auto a = MakeMesh(points, faces, "a");
  const auto b = Tetra({20, 20, 20}, 1, "b");
  const auto r = MeshUnion(*a, *b);
  const auto expected = MakeMesh({{1, 1, 1.12346}, {2, 1, 1.12346}, {1, 2, 1.12346}, {1, 1, 2.12346}}, kTetraFaces);
  EXPECT_EQ(Faces(*r), Concat(Faces(*expected), Faces(*b)));
  EXPECT_EQ(r->vertices.Count(), 4u + 2u /* the sliver's vertices stay */ + 4u);
}

TEST(MeshBoolean, ProgressTextsGoToTheInterfaceOfTheScope) {
  std::vector<Point3D> points = TetraPoints({0, 0, 0}, 1);
  const auto three = MakeMesh(points, {{{1, 3, 2}}, {{1, 2, 4}}, {{1, 4, 3}}}, "a");
  const auto b = Tetra({5, 5, 5}, 1, "b");
  zavo::test::Recorder outer, inner;
  {
    zavo::MeshBooleanProgressScope o(&outer);
    {
      zavo::MeshBooleanProgressScope i(&inner);
      EXPECT_EQ(zavo::MeshBooleanProgress(), &inner);
      MeshSubtract(*three, *b);
    }
    EXPECT_EQ(zavo::MeshBooleanProgress(), &outer);
  }
  EXPECT_EQ(zavo::MeshBooleanProgress(), nullptr);
  MeshUnion(*three, *b);  // silent
  const std::vector<std::string> expected = {"Computing intrs 0%", "Computing intrs 33.3333%",
                                             "Computing intrs 66.6667%", "Wait..."};
  EXPECT_EQ(inner.texts, expected);
  EXPECT_TRUE(outer.texts.empty());
}

// ---- solids in general position

// The rotation by angle about the unit axis, then the translation.
struct Placement {
  double m[3][3];
  Point3D shift;

  Placement(Point3D axis, double angle, const Point3D& t) : shift(t) {
    axis *= 1 / Length(axis);
    const double c = std::cos(angle), s = std::sin(angle), k = 1 - c;
    const double x = axis.x, y = axis.y, z = axis.z;
    const double r[3][3] = {{c + x * x * k, x * y * k - z * s, x * z * k + y * s},
                            {y * x * k + z * s, c + y * y * k, y * z * k - x * s},
                            {z * x * k - y * s, z * y * k + x * s, c + z * z * k}};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) m[i][j] = r[i][j];
  }
  Point3D Apply(const Point3D& p) const {
    return Point3D{m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z, m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z,
                   m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z} +
           shift;
  }
  // The point in the cube's own frame.
  Point3D Local(const Point3D& p) const {
    const Point3D q = p - shift;
    return {m[0][0] * q.x + m[1][0] * q.y + m[2][0] * q.z, m[0][1] * q.x + m[1][1] * q.y + m[2][1] * q.z,
            m[0][2] * q.x + m[1][2] * q.y + m[2][2] * q.z};
  }
};

// The cube [-1, 1]^3 placed, as twelve triangles.
std::unique_ptr<BRepModel3> PlacedCube(const Placement& at, const char* name) {
  std::vector<Point3D> p;
  for (const Point3D& c : std::vector<Point3D>{{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                                               {-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}}) {
    p.push_back(at.Apply(c));
  }
  const std::vector<std::array<int, 4>> quads = {{1, 4, 3, 2}, {5, 6, 7, 8}, {1, 2, 6, 5},
                                                 {3, 4, 8, 7}, {2, 3, 7, 6}, {1, 5, 8, 4}};
  std::vector<zavo::test::FaceSpec> faces;
  for (const auto& q : quads) {
    faces.push_back({{q[0], q[1], q[2]}});
    faces.push_back({{q[0], q[2], q[3]}});
  }
  return MakeMesh(p, faces, name);
}

// Inside the placed cube, or -1 when closer than 1e-3 to a face plane.
int InsideCube(const Placement& at, const Point3D& p) {
  const Point3D q = at.Local(p);
  for (const double v : {q.x, q.y, q.z}) {
    if (std::fabs(std::fabs(v) - 1) < 1e-3) return -1;
  }
  return std::fabs(q.x) < 1 && std::fabs(q.y) < 1 && std::fabs(q.z) < 1 ? 1 : 0;
}

bool InsideByRay(const BRepModel3& mesh, const Point3D& p) {
  BRepModel3::Hits hits;
  return (mesh.Intersect(Ray{p, {1, 0, 0}}, hits, 0.0) & 1) != 0;
}

TEST(MeshBoolean, OverlappingCubesInGeneralPosition) {
  const std::pair<Placement, Placement> pairs[] = {
      {{{1, 2, 3}, 0.5, {0.3, 0.2, 0.1}}, {{-2, 1, 0.5}, 0.9, {0.6, 0.4, -0.3}}},
      {{{0, 0, 1}, 0.3, {0, 0, 0}}, {{1, 1, 0}, 2.1, {-0.7, 0.9, 0.2}}},
      {{{-1, 3, 2}, 1.3, {0.1, -0.2, 0.3}}, {{2, -1, 1}, 0.4, {0.2, 0.3, 1.1}}},
      {{{-0.485, 0.477, -0.367}, 1.678, {-0.179, -0.231, 0.488}}, {{-0.889, 0.251, -0.465}, 2.774, {-0.035, -0.046, -0.040}}},
      {{{0.223, 0.212, -0.493}, 0.079, {0.384, -0.009, -0.157}}, {{0.211, 0.763, -0.081}, 0.354, {-0.602, 0.784, -0.021}}},
      {{{-0.896, -0.999, -0.318}, 0.334, {0.274, -0.274, 0.137}}, {{-0.779, -0.349, 0.507}, 1.945, {-0.221, -0.008, 0.553}}},
  };
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> coord(-2.2, 2.2);
  int checked = 0, inBoth = 0, inOne = 0;
  for (const auto& [pa, pb] : pairs) {
    const auto a = PlacedCube(pa, "a");
    const auto b = PlacedCube(pb, "b");
    const auto uni = MeshUnion(*a, *b);
    const auto inter = MeshIntersect(*a, *b);
    const auto diff = MeshSubtract(*a, *b);
    for (int n = 0; n < 400; ++n) {
      const Point3D p{coord(gen), coord(gen), coord(gen)};
      const int ia = InsideCube(pa, p), ib = InsideCube(pb, p);
      if (ia < 0 || ib < 0) continue;
      ++checked;
      inBoth += ia && ib;
      inOne += ia != ib;
      EXPECT_EQ(InsideByRay(*uni, p), ia || ib) << p.x << " " << p.y << " " << p.z;
      EXPECT_EQ(InsideByRay(*inter, p), ia && ib) << p.x << " " << p.y << " " << p.z;
      EXPECT_EQ(InsideByRay(*diff, p), ia && !ib) << p.x << " " << p.y << " " << p.z;
    }
  }
  EXPECT_GT(checked, 1000);
  EXPECT_GT(inBoth, 40);
  EXPECT_GT(inOne, 80);
}

TEST(MeshBoolean, FacesOfFourVerticesCountWhole) {
  // A box of square faces against the same box with its faces split into
  // fans from their first vertex.
  const Placement pb({-2, 1, 0.5}, 0.9, {0.9, 0.6, -0.4});
  const auto b = PlacedCube(pb, "b");
  const auto quads = MakeBoxBRep("box", -1, 1, -1, 1, -1, 1);
  std::vector<Point3D> points;
  for (std::uint32_t i = 0; i < quads->vertices.Count(); ++i) points.push_back(quads->vertices[i]);
  std::vector<zavo::test::FaceSpec> fans;
  for (std::uint32_t f = 0; f < quads->faces.Count(); ++f) {
    const Seq<int>& v = quads->faces[f].contours.First()->vertices;
    fans.push_back({{v[0], v[1], v[2]}});
    fans.push_back({{v[0], v[2], v[3]}});
  }
  const auto triangles = MakeMesh(points, fans, "box");
  for (const Operation& op : kOperations) {
    const std::string expected = zavo::test::WritePbrep(*op.run(*triangles, *b), 0);
    EXPECT_EQ(zavo::test::WritePbrep(*op.run(*quads, *b), 0), expected) << op.name;
    EXPECT_EQ(zavo::test::WritePbrep(*op.run(*b, *quads), 0), zavo::test::WritePbrep(*op.run(*b, *triangles), 0))
        << op.name;
  }
  // Half of every square is not enough: the union holds the box's corner.
  EXPECT_TRUE(InsideByRay(*MeshUnion(*quads, *b), {-0.9, -0.9, -0.95}));
}

// ---- solids that share face planes

struct Box3 {
  double lo[3], hi[3];
  bool Inside(const Point3D& p) const {
    const double c[3] = {p.x, p.y, p.z};
    for (int k = 0; k < 3; ++k) {
      if (!(lo[k] < c[k] && c[k] < hi[k])) return false;
    }
    return true;
  }
  double Volume() const { return (hi[0] - lo[0]) * (hi[1] - lo[1]) * (hi[2] - lo[2]); }
  std::unique_ptr<BRepModel3> Mesh(const char* name) const {
    return MakeBoxBRep(name, lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]);
  }
};

// The volume enclosed by the mesh, each face counted outward: a face whose
// normal points into the mesh (found by the hit parity just off its centre)
// counts with the opposite sign, so the winding of the pieces does not matter.
double EnclosedVolume(const BRepModel3& m) {
  double volume = 0;
  for (const Corners& c : Faces(m)) {
    const Point3D n = Cross(c[1] - c[0], c[2] - c[0]);
    const double length = Length(n);
    if (length == 0) continue;
    const Point3D centre = (c[0] + c[1] + c[2]) * (1.0 / 3);
    const double sign = InsideByRay(m, centre + (1e-6 / length) * n) ? -1 : 1;
    volume += sign * Dot(c[0], Cross(c[1], c[2])) / 6;
  }
  return volume;
}

// Every side of a face is a side of exactly one other face.
int EdgesNotSharedByTwoFaces(const BRepModel3& m) {
  std::map<std::pair<std::uint32_t, std::uint32_t>, int> uses;
  for (std::uint32_t f = 0; f < m.faces.Count(); ++f) {
    const Seq<int>& v = m.faces[f].contours.First()->vertices;
    for (std::uint32_t i = 0; i < v.Count(); ++i) {
      std::uint32_t a = ContourFace3::VertexIndex(v[i]), b = ContourFace3::VertexIndex(v[(i + 1) % v.Count()]);
      if (a > b) std::swap(a, b);
      ++uses[{a, b}];
    }
  }
  int bad = 0;
  for (const auto& [edge, n] : uses) bad += n != 2;
  return bad;
}

TEST(MeshBoolean, SolidsSharingFacePlanesGiveClosedResults) {
  const struct {
    const char* what;
    Box3 a, b;
  } cases[] = {
      {"overlapping along x, sharing the y and z planes", {{0, 0, 0}, {2, 2, 2}}, {{1, 0, 0}, {3, 2, 2}}},
      {"the same, at non-dyadic places", {{0.3, -0.7, 0.1}, {2.3, 1.3, 1.9}}, {{1.1, -0.7, 0.1}, {3.7, 1.3, 1.9}}},
      {"touching along a whole face", {{0, 0, 0}, {2, 2, 2}}, {{2, 0, 0}, {3, 2, 2}}},
      {"touching on part of a face", {{0.3, -0.7, 0.1}, {2.3, 1.3, 1.9}}, {{2.3, 0.6, 0.2}, {3.1, 1.2, 0.9}}},
      {"inside, sharing three faces", {{0, 0, 0}, {2, 2, 2}}, {{0, 0, 0}, {1, 1, 1}}},
      {"inside, sharing three faces, the small one first", {{0.3, -0.7, 0.1}, {1.1, 0.6, 0.7}}, {{0.3, -0.7, 0.1}, {2.3, 1.3, 1.9}}},
      {"a box and its copy", {{0.3, -0.7, 0.1}, {2.3, 1.3, 1.9}}, {{0.3, -0.7, 0.1}, {2.3, 1.3, 1.9}}},
  };
  for (const auto& c : cases) {
    const auto a = c.a.Mesh("a");
    const auto b = c.b.Mesh("b");
    // The common part of the two boxes.
    double common = 1;
    for (int k = 0; k < 3; ++k) common *= std::max(0.0, std::min(c.a.hi[k], c.b.hi[k]) - std::max(c.a.lo[k], c.b.lo[k]));
    const double volumes[3] = {c.a.Volume() + c.b.Volume() - common, common, c.a.Volume() - common};
    for (int op = 0; op < 3; ++op) {
      SCOPED_TRACE(std::string(c.what) + ", " + kOperations[op].name);
      const auto result = kOperations[op].run(*a, *b);
      EXPECT_EQ(EdgesNotSharedByTwoFaces(*result), 0);
      EXPECT_NEAR(EnclosedVolume(*result), volumes[op], 1e-9);
      int wrong = 0;
      for (double x = -0.413; x < 4; x += 0.37) {
        for (double y = -1.109; y < 2; y += 0.29) {
          for (double z = -0.307; z < 2.5; z += 0.31) {
            const Point3D p{x, y, z};
            const bool ia = c.a.Inside(p), ib = c.b.Inside(p);
            const bool expected = op == 0 ? (ia || ib) : (op == 1 ? (ia && ib) : (ia && !ib));
            wrong += InsideByRay(*result, p) != expected;
          }
        }
      }
      EXPECT_EQ(wrong, 0);
    }
  }
}

}  // namespace
