#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/brep_model3.h"
#include "mesh_fixtures.h"

namespace {

using zavo::test::MakeCube;
using zavo::test::MakeMesh;

std::vector<std::vector<int>> Contours(const Face3& face) {
  std::vector<std::vector<int>> out;
  for (const ContourFace3& c : face.contours) {
    out.emplace_back(c.vertices.Data(), c.vertices.Data() + c.vertices.Count());
  }
  return out;
}

std::vector<std::pair<int, int>> EdgeList(const BRepModel3& mesh) {
  std::vector<std::pair<int, int>> out;
  for (std::uint32_t i = 0; i < mesh.edges.Count(); ++i) out.emplace_back(mesh.edges[i].first, mesh.edges[i].second);
  return out;
}

TEST(BRepModel3, ConstructorsCopyNameVerticesAndFacesOnly) {
  auto mesh = MakeCube(0, 2, "box");
  mesh->BuildEdges();
  mesh->ComputeVertexNormals(0.5);
  mesh->BuildHierarchy2Default(nullptr, nullptr);
  ASSERT_NE(mesh->hierarchy, nullptr);
  // A plane set by hand is not the one the copy computes from the contour.
  mesh->faces[0].SetPlane({0, 0, 5, 1});

  const BRepModel3 copy(*mesh);
  const BRepModel3 fromSeqs("other", mesh->vertices, mesh->faces);
  for (const BRepModel3* m : {&copy, &fromSeqs}) {
    EXPECT_EQ(m->vertices.Count(), 8u);
    EXPECT_EQ(m->vertices[6], (Point3D{2, 2, 2}));
    ASSERT_EQ(m->faces.Count(), 6u);
    for (std::uint32_t f = 0; f < 6; ++f) {
      EXPECT_EQ(Contours(m->faces[f]), Contours(mesh->faces[f]));
      EXPECT_EQ(m->faces[f].contours.First()->normals.Count(), 0u);
    }
    EXPECT_EQ(m->faces[0].unitNormal, (Point3D{0, 0, -1}));
    EXPECT_EQ(m->faces[0].contours.First()->axis, 2);
    EXPECT_EQ(m->edges.Count(), 0u);
    EXPECT_EQ(m->hierarchy, nullptr);
  }
  EXPECT_STREQ(copy.name.Text(), "box");
  EXPECT_STREQ(fromSeqs.name.Text(), "other");
  EXPECT_EQ(BRepModel3(nullptr).name.Text(), nullptr);
}

TEST(BRepModel3, ClearKeepsTheEdgeTableAndUpdateFacesRecomputes) {
  auto mesh = MakeCube();
  mesh->BuildEdges();
  mesh->BuildHierarchy(1.2, nullptr, nullptr);
  ASSERT_NE(mesh->hierarchy, nullptr);

  mesh->faces[1].SetPlane({1, 0, 0, 0});
  mesh->faces[1].contours.First()->axis = 0;
  mesh->UpdateFaces();
  EXPECT_EQ(mesh->hierarchy, nullptr);
  EXPECT_EQ(mesh->faces[1].unitNormal, (Point3D{0, 0, 1}));
  EXPECT_EQ(mesh->faces[1].contours.First()->axis, 2);

  mesh->BuildHierarchy(1.2, nullptr, nullptr);
  mesh->Clear();
  EXPECT_EQ(mesh->hierarchy, nullptr);
  EXPECT_EQ(mesh->vertices.Count(), 0u);
  EXPECT_EQ(mesh->faces.Count(), 0u);
  EXPECT_EQ(mesh->edges.Count(), 12u);
}

TEST(BRepModel3, GetBox) {
  EXPECT_EQ(MakeCube(-1, 3)->GetBox(), (GEO_Box{-1, 3, -1, 3, -1, 3}));
  EXPECT_EQ(MakeMesh({{1, 2, 3}}, {})->GetBox(), (GEO_Box{1, 1, 2, 2, 3, 3}));
  EXPECT_EQ(BRepModel3("empty").GetBox(), GEO_Box{});
}

TEST(BRepModel3, FacesOfVertexListsAFaceOncePerOccurrence) {
  auto mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}},
                       {{{1, 2, 3}}, {{2, 5, 3}}, {{1, 2, -1, 4}}, {{4, 3, 5}, {2, -2, 4}}});
  Seq<Face3*> out(7);
  mesh->FacesOfVertex(1, out);
  ASSERT_EQ(out.Count(), 5u);
  const Face3* expected[] = {&mesh->faces[0], &mesh->faces[1], &mesh->faces[2], &mesh->faces[3], &mesh->faces[3]};
  for (std::uint32_t i = 0; i < 5; ++i) EXPECT_EQ(out[i], expected[i]) << i;
  // face 2 holds vertex 0 twice, once marked: listed twice
  mesh->FacesOfVertex(0, out);
  ASSERT_EQ(out.Count(), 3u);
  EXPECT_EQ(out[0], &mesh->faces[0]);
  EXPECT_EQ(out[1], &mesh->faces[2]);
  EXPECT_EQ(out[2], &mesh->faces[2]);
  Seq<Face3*> none;
  mesh->FacesOfVertex(9, none);
  EXPECT_EQ(none.Count(), 0u);
}

TEST(BRepModel3, BuildEdges) {
  const std::vector<Point3D> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  const struct {
    const char* what;
    std::vector<zavo::test::FaceSpec> faces;
    std::vector<std::pair<int, int>> edges;
  } cases[] = {
      {"two triangles sharing an edge",
       {{{1, 2, 3}}, {{3, 2, 4}}},
       {{2, 1}, {3, 1}, {3, 2}, {4, 2}, {4, 3}}},
      {"the first occurrence hides the shared edge",
       {{{1, -2, 3}}, {{3, 2, 4}}},
       {{2, 1}, {3, 1}, {-3, 2}, {4, 2}, {4, 3}}},
      {"a later occurrence does not",
       {{{1, 2, 3}}, {{-3, 2, 4}}},
       {{2, 1}, {3, 1}, {3, 2}, {4, 2}, {4, 3}}},
      {"a quad split with the diagonal hidden in both",
       {{{1, 2, -3}}, {{-1, 3, 4}}},
       {{2, 1}, {-3, 1}, {4, 1}, {3, 2}, {4, 3}}},
      {"a vertex repeated in a row", {{{1, 1, 2}}}, {{1, 1}, {2, 1}}},
      {"a hole contour adds its edges", {{{1, 2, 3}, {4, 3, 2}}}, {{2, 1}, {3, 1}, {3, 2}, {4, 2}, {4, 3}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto mesh = MakeMesh(square, c.faces);
    mesh->edges.SetSize(40);  // a former table is replaced
    mesh->BuildEdges();
    EXPECT_EQ(EdgeList(*mesh), c.edges);
  }
}

TEST(BRepModel3, VertexNormalsOfACube) {
  auto mesh = MakeCube();
  mesh->ComputeVertexNormals(std::numbers::pi / 6);
  for (std::uint32_t f = 0; f < 6; ++f) {
    const ContourFace3* c = mesh->faces[f].contours.First();
    ASSERT_EQ(c->normals.Count(), 4u);
    for (std::uint32_t j = 0; j < 4; ++j) EXPECT_EQ(c->normals[j].ToPoint(), mesh->faces[f].unitNormal) << f << j;
  }

  mesh->ComputeVertexNormals(2.0);
  const double third = 1.0 / 3.0;
  for (std::uint32_t f = 0; f < 6; ++f) {
    const ContourFace3* c = mesh->faces[f].contours.First();
    ASSERT_EQ(c->normals.Count(), 4u);
    for (std::uint32_t j = 0; j < 4; ++j) {
      const Point3D n = c->normals[j].ToPoint();
      const Point3D& corner = mesh->vertices[ContourFace3::VertexIndex(c->vertices[j])];
      // Each corner of the unit cube: the mean of the three faces' normals.
      const Point3D expected{corner.x > 0.5 ? third : -third, corner.y > 0.5 ? third : -third,
                             corner.z > 0.5 ? third : -third};
      EXPECT_NEAR(n.x, expected.x, 1e-15);
      EXPECT_NEAR(n.y, expected.y, 1e-15);
      EXPECT_NEAR(n.z, expected.z, 1e-15);
      EXPECT_NEAR(Length(n), 1.0 / std::sqrt(3.0), 1e-15);
    }
  }
}

TEST(BRepModel3, VertexNormalsOfDegenerateFaces) {
  // A collinear face (unit normal (1, 0, 0)), a face with a repeated vertex
  // and a face turned 90 degrees: the own face always counts, so every
  // contour gets its normals.
  auto mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0}, {0, 0, 1}},
                       {{{1, 2, 3}}, {{1, 1, 2, 4}}, {{1, 4, 5}}});
  mesh->ComputeVertexNormals(0.1);
  EXPECT_EQ(mesh->faces[0].contours.First()->normals[0].ToPoint(), (Point3D{1, 0, 0}));
  EXPECT_EQ(mesh->faces[1].contours.First()->normals.Count(), 4u);
  EXPECT_EQ(mesh->faces[1].contours.First()->normals[0].ToPoint(), mesh->faces[1].unitNormal);
  // face 2 mixes in face 0 (same normal) but not face 1 (90 degrees away)
  EXPECT_EQ(mesh->faces[2].contours.First()->normals[0].ToPoint(), mesh->faces[2].unitNormal);
  // with a limit of 2 face 1 comes in too, twice as it lists vertex 0 twice
  mesh->ComputeVertexNormals(2.0);
  const Point3D n = mesh->faces[2].contours.First()->normals[0].ToPoint();
  const Point3D sum = mesh->faces[0].unitNormal + 2.0 * mesh->faces[1].unitNormal + mesh->faces[2].unitNormal;
  EXPECT_NEAR(n.x, sum.x / 4, 1e-15);
  EXPECT_NEAR(n.y, sum.y / 4, 1e-15);
  EXPECT_NEAR(n.z, sum.z / 4, 1e-15);
}

TEST(BRepModel3DeathTest, VertexNumbersOutsideTheMeshAreInternalErrors) {
  EXPECT_EXIT(MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{{1, 2, 4}}}), ::testing::ExitedWithCode(1),
              "Runtime Error: BRepModel3::UpdateFaces");
  auto mesh = MakeCube();
  mesh->faces[2].contours.First()->vertices[1] = 0;
  EXPECT_EXIT(mesh->BuildEdges(), ::testing::ExitedWithCode(1), "Runtime Error: BRepModel3::BuildEdges");
  EXPECT_EXIT(mesh->ComputeVertexNormals(1.0), ::testing::ExitedWithCode(1),
              "Runtime Error: BRepModel3::ComputeVertexNormals");
  EXPECT_EXIT(mesh->FaceNormal({1.0, 6}), ::testing::ExitedWithCode(1), "Runtime Error: BRepModel3::FaceNormal");
}

TEST(BRepModel3, FaceNormalOfAHit) {
  auto mesh = MakeCube();
  EXPECT_EQ(mesh->FaceNormal({0.5, 3}), (Point3D{0, 1, 0}));
  EXPECT_EQ(mesh->FaceNormal({0.5, 5}), (Point3D{-1, 0, 0}));
}

}  // namespace
