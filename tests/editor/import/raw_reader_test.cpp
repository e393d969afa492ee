// RAW numbers read into triangles and points, and the corners merged.

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

#include "editor/import/raw_reader.h"

namespace zavo::test {
namespace {

struct Case {
  const char* what;
  const char* text;
  std::size_t triangles, vertices;
  long faces;  // faces written
};

long FacesWritten(const std::string& pbrep) {
  const std::size_t at = pbrep.find("faces\n");
  return std::stol(pbrep.substr(at + 6));
}

TEST(RawTriangles, CornersMergeOnlyWhenExactlyEqual) {
  const Case cases[] = {
      {"shared edge", "0 0 0 1.5 0 0 0 1.5 0\n1.5 0 0 1.5 1.5 0 0 1.5 0\n", 2, 4, 2},
      {"last digit differs", "0 0 0 0.3 0 0 0 1.5 0\n0.30000000000000004 0 0 1.5 1.5 0 0 1.5 0\n", 2, 5, 2},
      {"minus zero", "-0 0 0 1.5 0 0 0 1.5 0\n0 0 0 0 -1.5 0 1.5 0 0\n", 2, 4, 2},
      {"two equal corners", "0.1 0.2 0.3 0.1 0.2 0.3 1 1 1\n", 1, 2, 0},
      {"empty", "", 0, 0, 0},
      {"incomplete last triangle", "0 0 0 1.5 0 0 0 1.5 0\n7 7 7 8\n", 1, 3, 1},
      {"a word ends the list", "0 0 0 1.5 0 0 0 1.5 0 x 1 1 1 2 2 2 3 3 3\n", 1, 3, 1},
      {"no infinities", "0 0 0 1.5 0 0 0 1.5 0 1e999 1 1 1 2 2 2 3 3\n", 1, 3, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::istringstream in(c.text);
    const std::vector<RawTriangle> triangles = ReadRawTriangles(in);
    const RawMesh mesh = MergeRawTriangles(triangles);
    std::ostringstream os;
    WriteRawPbrep(os, mesh);
    EXPECT_EQ(triangles.size(), c.triangles);
    EXPECT_EQ(mesh.faces.size(), c.triangles);
    EXPECT_EQ(mesh.vertices.size(), c.vertices);
    EXPECT_EQ(FacesWritten(os.str()), c.faces);
  }
}

TEST(RawTriangles, PbrepTextIsWhole) {
  std::istringstream in("0 0 0 1.5 0 0 0 1.5 0\n1.5 0 0 1.5 1.5 0 0 1.5 0\n2 2 2 2 2 2 3 3 3\n");
  std::ostringstream os;
  WriteRawPbrep(os, MergeRawTriangles(ReadRawTriangles(in)));
  EXPECT_EQ(os.str(),
            "{ pbrep\nvertices\n6\n0 0 0\n1.5 0 0\n0 1.5 0\n1.5 1.5 0\n2 2 2\n3 3 3\nfaces\n2\n"
            "{ 1\n\t{ 3 0 1 2}\n\n}\n{ 1\n\t{ 3 1 3 2}\n\n}\n}\n");
}

TEST(RawTriangles, HashedMergeGivesTheIndicesOfTheLinearSearch) {
  std::mt19937 random(20240611);
  // Coordinates from a small set, so that many corners repeat; -0 among them.
  const double values[] = {0.0, -0.0, 0.1, 0.7, 1.3, -2.25};
  std::uniform_int_distribution<int> pick(0, 5);
  for (int mesh = 0; mesh < 5; ++mesh) {
    std::vector<RawTriangle> triangles(200);
    for (RawTriangle& t : triangles) {
      for (Point3D& p : t) p = {values[pick(random)], values[pick(random)], values[pick(random)]};
    }
    long reported = 0;
    const RawMesh merged = MergeRawTriangles(triangles, [&](long n) { EXPECT_EQ(n, ++reported); });
    // The reference: every corner searched from the first vertex.
    std::vector<Point3D> vertices;
    for (std::size_t t = 0; t < triangles.size(); ++t) {
      for (int c = 0; c < 3; ++c) {
        const Point3D& p = triangles[t][c];
        std::size_t i = 0;
        while (i < vertices.size() && !(vertices[i].x == p.x && vertices[i].y == p.y && vertices[i].z == p.z)) ++i;
        if (i == vertices.size()) vertices.push_back(p);
        ASSERT_EQ(merged.faces[t][c], i);
      }
    }
    EXPECT_EQ(merged.vertices.size(), vertices.size());
    EXPECT_EQ(reported, 200);
  }
}

TEST(RawPoints, TwoOrThreeNumbersAPoint) {
  std::istringstream flat("1 2 3 4 5");
  const std::vector<Point3D> two = ReadRawPoints(flat, 2);
  ASSERT_EQ(two.size(), 2U);
  EXPECT_EQ(two[0], (Point3D{1, 2, 0}));
  EXPECT_EQ(two[1], (Point3D{3, 4, 0}));
  std::istringstream solid("1.5 -2 0.25\n3 4 5 end 6 7 8");
  const std::vector<Point3D> three = ReadRawPoints(solid, 3);
  ASSERT_EQ(three.size(), 2U);
  EXPECT_EQ(three[0], (Point3D{1.5, -2, 0.25}));
  EXPECT_EQ(three[1], (Point3D{3, 4, 5}));
}

}  // namespace
}  // namespace zavo::test
