#include "geometry/raw_to_brep.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "mesh_fixtures.h"

namespace {

std::string Convert(const std::string& raw) {
  std::istringstream in(raw);
  std::ostringstream out;
  EXPECT_EQ(RawToBRep(in, out), 1);
  return out.str();
}

const char* const kTwoTriangles =
    "{ pbrep\nvertices\n6\n0 0 0\n1 0 0\n0 1 0\n1.5 1 0\n5 5 5\n6 6 6\nfaces\n2\n"
    "{ 1\n\t{ 3 0 1 2}\n\n}\n{ 1\n\t{ 3 1 3 2}\n\n}\n}\n";

TEST(RawToBRep, MergesEqualCornersAndDropsFacesWithARepeatedVertex) {
  struct Row {
    const char* what;
    std::string raw;
  };
  const Row rows[] = {
      {"one line a triangle", "0 0 0 1 0 0 0 1 0 \n1 0 0 1.5 1 0 0 1 0 \n5 5 5 5 5 5 6 6 6 \n"},
      {"any white space", "0\t0 0\n1 0 0 0 1\n0 1 0 0 1.5 1 0 0   1 0\r\n5 5 5 5 5 5 6 6 6"},
      {"an incomplete last triangle", "0 0 0 1 0 0 0 1 0 \n1 0 0 1.5 1 0 0 1 0 \n5 5 5 5 5 5 6 6 6 \n7 8 9 1"},
      {"text after the last number", "0 0 0 1 0 0 0 1 0 1 0 0 1.5 1 0 0 1 0 5 5 5 5 5 5 6 6 6 x 1 2 3 4 5 6 7 8 9"},
      {"numbers written otherwise", "0 0 0 1E0 0 0 0 1.0 0 1 0 0 15e-1 1 0 0 1 0 5 5 5 5 5 5 6 6 6"},
  };
  for (const Row& r : rows) EXPECT_EQ(Convert(r.raw), kTwoTriangles) << r.what;
}

TEST(RawToBRep, NoTriangleGivesAnEmptyBlock) {
  EXPECT_EQ(Convert(""), "{ pbrep\nvertices\n0\nfaces\n0\n}\n");
  EXPECT_EQ(Convert("1 2 3 4 5 6 7 8"), "{ pbrep\nvertices\n0\nfaces\n0\n}\n");
  EXPECT_EQ(Convert("1 2 3 4 5 6 7 8 nan"), "{ pbrep\nvertices\n0\nfaces\n0\n}\n");
}

TEST(RawToBRep, ThePbrepReaderTakesTheText) {
  BRepModel3 mesh("intr");
  EXPECT_EQ(zavo::test::ReadPbrep(kTwoTriangles, mesh), 1);
  EXPECT_EQ(mesh.vertices.Count(), 6u);
  ASSERT_EQ(mesh.faces.Count(), 2u);
  EXPECT_EQ(mesh.faces[1].contours.First()->vertices[1], 4);
}

}  // namespace
