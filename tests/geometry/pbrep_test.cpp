#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/brep_model3.h"
#include "geometry/pbrep_plain.h"
#include "mesh_fixtures.h"

namespace {

using zavo::test::MakeMesh;
using zavo::test::ReadPbrep;
using zavo::test::WritePbrep;

const char kSquare[] =
    "{ pbrep\n"
    "\n"
    "vertices\n"
    "\n"
    "4\n"
    "\n"
    "0 0 0\n"
    "1 0 0\n"
    "1 1 0\n"
    "0 1 0\n"
    "\n"
    "faces\n"
    "\n"
    "1\n"
    "\n"
    "\t{\t1\n"
    "\t\t{ 4    0 1 *2 3 }\n"
    "\t}\n"
    "\n"
    " }\n";

std::unique_ptr<BRepModel3> Square() {
  return MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{{1, 2, -3, 4}}});
}

// Every contour of every face as "(entries)" or "(entries | normals)".
std::string Shape(const BRepModel3& mesh) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  for (std::uint32_t f = 0; f < mesh.faces.Count(); ++f) {
    os << "[";
    for (const ContourFace3& c : mesh.faces[f].contours) {
      os << "(";
      for (std::uint32_t i = 0; i < c.vertices.Count(); ++i) os << (i ? " " : "") << c.vertices[i];
      if (c.normals.Count() > 0) {
        os << " |";
        for (std::uint32_t i = 0; i < c.normals.Count(); ++i) {
          os << " " << c.normals[i].x << "," << c.normals[i].y << "," << c.normals[i].z;
        }
      }
      os << ")";
    }
    os << "]";
  }
  return os.str();
}

TEST(Pbrep, WritesTheUnitSquare) {
  EXPECT_EQ(WritePbrep(*Square(), 0), kSquare);
  EXPECT_EQ(WritePbrep(*Square(), 1), kSquare);  // no normals to write
}

TEST(Pbrep, WritesRealsWithSixDigitsAndNormalsOnRequest) {
  auto mesh = MakeMesh({{12.345678, 0.0000001, -2.5}, {3.0, 1e6, 123456.7}, {0, 0, 1}},
                       {{{1, 2, 3}, {-3, 2, 1}}});
  mesh->faces[0].contours.First()->normals.SetSize(3);
  mesh->faces[0].contours.First()->normals[0] = {0.5, -0.25, 1.0 / 3};
  const std::string head =
      "{ pbrep\n\nvertices\n\n3\n\n"
      "12.3457 1e-07 -2.5\n"
      "3 1e+06 123457\n"
      "0 0 1\n"
      "\nfaces\n\n1\n\n"
      "\t{\t2\n";
  EXPECT_EQ(WritePbrep(*mesh, 1), head +
                                      "\t\t{ 3    0 1 2 ( 0.5 , -0.25 , 0.333333 ) ( 0 , 0 , 0 ) ( 0 , 0 , 0 ) }\n"
                                      "\t\t{ 3    *2 1 0 }\n"
                                      "\t}\n\n }\n");
  EXPECT_EQ(WritePbrep(*mesh, 0), head +
                                      "\t\t{ 3    0 1 2 }\n"
                                      "\t\t{ 3    *2 1 0 }\n"
                                      "\t}\n\n }\n");
}

TEST(Pbrep, WriteThenReadGivesTheSameMesh) {
  auto mesh = zavo::test::RandomTriangles(30, 11, 100.0, 3.0);
  // A face with a hole and marks, and normals everywhere.
  auto holed = MakeMesh({{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}, {1, 1, 0}, {2, 1, 0}, {1, 2, 0}},
                        {{{1, -2, 3, 4}, {5, 7, -6}}, {{-1, 2, 3}}});
  for (BRepModel3* m : {mesh.get(), holed.get()}) {
    m->ComputeVertexNormals(1.0);
    for (int flag : {1, 0}) {
      SCOPED_TRACE(flag);
      const std::string text = WritePbrep(*m, flag);
      BRepModel3 back("back");
      std::string rest;
      ASSERT_EQ(ReadPbrep(text + " next", back, &rest), 1);
      EXPECT_EQ(rest, "next");
      ASSERT_EQ(back.vertices.Count(), m->vertices.Count());
      for (std::uint32_t i = 0; i < m->vertices.Count(); ++i) {
        const Point3D& a = m->vertices[i];
        const Point3D& b = back.vertices[i];
        EXPECT_NEAR(a.x, b.x, 5e-6 * std::fabs(a.x));
        EXPECT_NEAR(a.y, b.y, 5e-6 * std::fabs(a.y));
        EXPECT_NEAR(a.z, b.z, 5e-6 * std::fabs(a.z));
      }
      ASSERT_EQ(back.faces.Count(), m->faces.Count());
      BRepModel3 numbersOnly("n", m->vertices, m->faces);  // the contours without normals
      if (flag == 0) {
        EXPECT_EQ(Shape(back), Shape(numbersOnly));
      } else {
        EXPECT_EQ(WritePbrep(back, 1), text);  // normals to six digits
        EXPECT_NE(Shape(back), Shape(numbersOnly));
      }
    }
  }
}

TEST(Pbrep, SpacingAndCommentsDoNotMatter) {
  const char* texts[] = {
      "{pbrep vertices 4 0 0 0 1 0 0 1 1 0 0 1 0 faces 1 {1 {4 0 1 *2 3}}}",
      ("{ pbrep /* a square */ vertices // four corners\n 4 0 0 0 1 0 0\n1 1 0 0 1 0\n"
       "faces 1 { 1 { 4 0 1 * 2 3 } } // done\n}"),
      "{\npbrep\nvertices\n4\n0.0 0 0 1E0 0 0 1 1.0 0 0 1e+0 0 faces 1 { 1 { 4 0.5 1.9 *2 3 } } }",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    BRepModel3 mesh("m");
    ASSERT_EQ(ReadPbrep(text, mesh), 1);
    EXPECT_EQ(WritePbrep(mesh, 1), kSquare);
  }
}

const char kTri[] = "{ pbrep vertices 3 0 0 0 1 0 0 0 1 0 faces 1 { 1 ";

TEST(Pbrep, ReadCases) {
  const struct {
    std::string text;
    int ok;
    const char* rest;  // the token the scanner stands on afterwards
    const char* shape;
  } cases[] = {
      {std::string(kTri) + "{ 3 0 1 2 } } } x", 1, "x", "[(1 2 3)]"},
      {std::string(kTri) + "{ 3 0 1 2 ( 1 , 0 , 0 ) ( 0 , 1 , 0 ) ( 0 , 0 , -1E0 ) } } }", 1, "",
       "[(1 2 3 | 1,0,0 0,1,0 0,0,-1)]"},
      {std::string(kTri) + "{ 3 0 1 2 ( 1 , 0 , 0 ) ( 0 , 1 , 0 ) } } }", 0, "}", ""},
      {std::string(kTri) + "{ 3 0 1 2 ( 1 , 0 , 0 ) ( 0 , 1 , 0 ) ( 0 , x , 0 ) } } }", 0, "x", ""},
      {std::string(kTri) + "{ 3 *0 1 2 } } }", 1, "", "[(-1 2 3)]"},
      {std::string(kTri) + "{ 3 0 * 1 *2 } } }", 1, "", "[(1 -2 -3)]"},
      {std::string(kTri) + "{ 3 0 1 } } }", 0, "}", ""},
      {std::string(kTri) + "{ 3 0 1 2 } } edges 0 }", 1, "", "[(1 2 3)]"},
      {std::string(kTri) + "{ 3 0 1 2 } } edges 2 0 1 1 *2 } end", 1, "end", "[(1 2 3)]"},
      {std::string(kTri) + "{ 3 0 1 2 } ( 0 , 0 , 1 , 0 ) } }", 1, "", "[(1 2 3)]"},
      {std::string(kTri) + "{ 3 0 1 2 } ( 0 , 0 , 1 ) } }", 0, ")", ""},
      {std::string(kTri) + "{ 3 0 1 2 } ( 0 ; 0 , 1 , 0 ) } }", 0, ";", ""},
      {"{ pbrep vertices 3 0 0 0 1 0 0 0 1 0 faces 0 }", 0, "0", ""},
      {"{ pbrep vertices 0 faces 1 { 1 { 1 7 } } }", 0, "7", ""},
      {"{ pbrep vertices 0 faces 0 }", 0, "0", ""},
      {"pbrep vertices 0", 0, "pbrep", ""},
      {"{ PBREP vertices 0", 0, "PBREP", ""},
      {"{ pbrep vertex 0", 0, "vertex", ""},
      {"{ pbrep vertices 3 0 0 0 1 0 0 0 1 x faces", 0, "x", ""},
      {std::string(kTri) + "{ 3 0 1 2 } } ", 0, "", "[(1 2 3)]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    BRepModel3 mesh("m");
    std::string rest;
    EXPECT_EQ(ReadPbrep(c.text, mesh, &rest), c.ok);
    EXPECT_EQ(rest, c.rest);
    if (c.ok || *c.shape != '\0') {
      EXPECT_EQ(Shape(mesh), c.shape);  // after a failure: the whole faces read before it
    }
  }
}

TEST(Pbrep, PlaneFromTheTextOrFromTheFirstContour) {
  BRepModel3 mesh("m");
  ASSERT_EQ(ReadPbrep(std::string(kTri) + "{ 3 0 1 2 } } }", mesh), 1);
  EXPECT_EQ(mesh.faces[0].unitNormal, (Point3D{0, 0, 1}));
  EXPECT_EQ(mesh.faces[0].contours.First()->axis, 2);

  // Four reals in parentheses set the plane; tokens that are no numbers read as 0.
  ASSERT_EQ(ReadPbrep("{ pbrep vertices 3 0 0 0 1 0 0 0 1 0 faces 1 { 2 { 3 0 1 2 } { 3 2 1 0 } "
                       "( -2 , q , 0.0 , 7 ) } }",
                       mesh),
            1);
  EXPECT_EQ(mesh.faces[0].plane, (Plane{-2, 0, 0, 7}));
  EXPECT_EQ(mesh.faces[0].unitNormal, (Point3D{1, 0, 0}));
  EXPECT_EQ(mesh.faces[0].contours.First()->axis, 0);
  EXPECT_EQ(List<ContourFace3>::Next(mesh.faces[0].contours.First())->axis, 0);
  ASSERT_EQ(ReadPbrep(std::string(kTri) + "{ 3 0 1 2 } ( a , b , c , d ) } }", mesh), 1);
  EXPECT_EQ(mesh.faces[0].plane, (Plane{0, 0, 0, 0}));
}

TEST(Pbrep, EdgeListReplacesTheEdgeTableOnlyWhenPresent) {
  auto mesh = Square();
  mesh->BuildEdges();
  ASSERT_EQ(mesh->edges.Count(), 4u);
  ASSERT_EQ(ReadPbrep(std::string(kTri) + "{ 3 0 1 2 } } }", *mesh), 1);
  EXPECT_EQ(mesh->edges.Count(), 4u);
  ASSERT_EQ(ReadPbrep(std::string(kTri) + "{ 3 0 1 2 } } edges 2 0 1 1 *2 }", *mesh), 1);
  ASSERT_EQ(mesh->edges.Count(), 2u);
  EXPECT_EQ(mesh->edges[0], (GEO_BRepEdge{1, 2}));
  EXPECT_EQ(mesh->edges[1], (GEO_BRepEdge{2, -3}));
  ASSERT_EQ(ReadPbrep(std::string(kTri) + "{ 3 0 1 2 } } edges 1.9 *2.5 0 }", *mesh), 1);
  ASSERT_EQ(mesh->edges.Count(), 1u);
  EXPECT_EQ(mesh->edges[0], (GEO_BRepEdge{-3, 1}));
}

TEST(Pbrep, ReadDropsTheHierarchyAndEmptiesTheMeshFirst) {
  auto mesh = zavo::test::MakeCube();
  mesh->BuildHierarchy(1.2, nullptr, nullptr);
  ASSERT_NE(mesh->hierarchy, nullptr);
  ASSERT_EQ(ReadPbrep("{ pbrep vertices 2 0 0 0 1 1 1 fac", *mesh), 0);
  EXPECT_EQ(mesh->hierarchy, nullptr);
  EXPECT_EQ(mesh->vertices.Count(), 2u);
  EXPECT_EQ(mesh->faces.Count(), 0u);
}

TEST(Pbrep, RefusesTextOutsideTheDataModel) {
  const std::string tooLong(300, '7');
  const struct {
    std::string text;
    const char* rest;
    std::uint32_t vertices;
    std::uint32_t faces;
  } cases[] = {
      {"{ pbrep vertices -1 faces", "-1", 0, 0},
      {"{ pbrep vertices 2000000000", "", 0, 0},
      {"{ pbrep vertices 2000000000 0 0 0 1 1 1", "", 2, 0},
      {"{ pbrep vertices 3e9 0 0 0", "3E9", 0, 0},
      {"{ pbrep vertices 1 0 0 0 faces -2 {", "-2", 1, 0},
      {"{ pbrep vertices 1 0 0 0 faces 2000000000 { 1 { 1 0 } }", "", 1, 1},
      {"{ pbrep vertices 1 0 0 0 faces 1 { 0 } }", "0", 1, 0},
      {"{ pbrep vertices 1 0 0 0 faces 1 { -1 { 1 0 } } }", "-1", 1, 0},
      {"{ pbrep vertices 1 0 0 0 faces 1 { 2000000000 { 1 0 } } }", "}", 1, 0},
      {"{ pbrep vertices 1 0 0 0 faces 1 { 1 { 0 } } }", "0", 1, 0},
      {"{ pbrep vertices 1 0 0 0 faces 1 { 1 { -4 0 } } }", "-4", 1, 0},
      {"{ pbrep vertices 1 0 0 0 faces 1 { 1 { 2000000000 0 } } }", "}", 1, 0},
      {std::string(kTri) + "{ 3 0 1 3 } } }", "3", 3, 0},
      {std::string(kTri) + "{ 3 0 1 -1 } } }", "-1", 3, 0},
      {std::string(kTri) + "{ 3 0 1 *7 } } }", "7", 3, 0},
      {std::string(kTri) + "{ 3 0 1 x } } }", "x", 3, 0},
      {std::string(kTri) + "{ 3 0 1 2 } } edges -1 }", "-1", 3, 1},
      {std::string(kTri) + "{ 3 0 1 2 } } edges 1 0 3 }", "3", 3, 1},
      {std::string(kTri) + "{ 3 0 1 2 } } edges 2000000000", "", 3, 1},
      {std::string(kTri) + "{ 3 0 1 2 } } edges 2000000000 0 1", "", 3, 1},
      {"{ pbrep vertices 1 " + tooLong + " 0 0 faces", "", 0, 0},
      {std::string(kTri) + "{ 3 0 1 2 } ( 0 , " + tooLong + " , 1 , 0 ) } }", "", 3, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    BRepModel3 mesh("m");
    std::string rest;
    EXPECT_EQ(ReadPbrep(c.text, mesh, &rest), 0);
    EXPECT_EQ(rest, c.rest);
    EXPECT_EQ(mesh.vertices.Count(), c.vertices);
    EXPECT_EQ(mesh.faces.Count(), c.faces);
  }
}

// The reading without the scanner takes only the writers' plain layout and
// reads it bit for bit as the scanner does; every other text it leaves to the
// scanner (0), whether the scanner reads it or not.
TEST(Pbrep, PlainReadingAgreesWithTheScanner) {
  const auto same = [](const BRepModel3& a, const BRepModel3& b) {
    ASSERT_EQ(a.vertices.Count(), b.vertices.Count());
    for (std::uint32_t i = 0; i < a.vertices.Count(); ++i) {
      EXPECT_EQ(std::memcmp(&a.vertices[i], &b.vertices[i], sizeof(Point3D)), 0) << i;
    }
    EXPECT_EQ(Shape(a), Shape(b));
    ASSERT_EQ(a.faces.Count(), b.faces.Count());
    for (std::uint32_t f = 0; f < a.faces.Count(); ++f) {
      EXPECT_EQ(std::memcmp(&a.faces[f].plane, &b.faces[f].plane, sizeof(Plane)), 0) << f;
      EXPECT_EQ(std::memcmp(&a.faces[f].unitNormal, &b.faces[f].unitNormal, sizeof(Point3D)), 0) << f;
    }
  };
  // Writer output of a random mesh: plain.
  std::mt19937 gen(3);
  std::uniform_real_distribution<double> coord(-5, 5);
  std::vector<Point3D> points;
  std::vector<zavo::test::FaceSpec> specs;
  for (int i = 0; i < 60; ++i) points.push_back({coord(gen), coord(gen) * 1e-7, coord(gen) * 1e5});
  for (int f = 0; f < 40; ++f) {
    const int a = 1 + f, b = 2 + f, c = 3 + (f * 7) % 57;
    specs.push_back({{a, f % 3 == 0 ? -b : b, c}});
  }
  const std::string written = WritePbrep(*MakeMesh(points, specs), 0);
  const std::string kTriText = kTri;
  const struct {
    std::string text;
    bool plain;
  } cases[] = {
      {written, true},
      {kSquare, true},
      {kTriText + "{ 3 0 * 1 *2 } } } anything after", true},
      {kTriText + "{ 3 -0 1.9 2 } } }", true},
      {"{ pbrep vertices 3 0 0 0 1e-400 1E+3 0 -0.0 1.25e-2 0 faces 1 { 2 { 3 0 1 2 } { 3 2 1 0 } } }", true},
      // The scanner's: normals, a plane, an edge list, comments, marks touching.
      {kTriText + "{ 3 0 1 2 ( 1 , 0 , 0 ) ( 0 , 1 , 0 ) ( 0 , 0 , -1E0 ) } } }", false},
      {kTriText + "{ 3 0 1 2 } ( 0 , 0 , 1 , 0 ) } }", false},
      {kTriText + "{ 3 0 1 2 } } edges 2 0 1 1 *2 }", false},
      {"/* a triangle */ " + kTriText + "{ 3 0 1 2 } } }", false},
      {"{pbrep vertices 4 0 0 0 1 0 0 1 1 0 0 1 0 faces 1 {1 {4 0 1 *2 3}}}", false},
      {"{ pbrep vertices 3 0 0 0 +1 0 0 0 1 0 faces 1 { 1 { 3 0 1 2 } } }", false},
      // Texts that do not read at all.
      {kTriText + "{ 3 0 1 3 } } }", false},
      {kTriText + "{ 3 0 1 **2 } } }", false},
      {kTriText + "{ 3 0 1 2 } } ", false},
      {"{ pbrep vertices 2000000000 0 0 0 1 1 1", false},
      {"{ pbrep vertices 1 0 0 0 faces 0 }", false},
      {"{ pbrep vertices 1 0 0 0 faces 1 { 1 { 0 } } }", false},
      {"{ pbrep vertices 1 0 0 0 faces 1 { -1 { 1 0 } } }", false},
      {"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    BRepModel3 plain("m"), scanned("m");
    const int read = ReadPbrep(c.text, scanned);
    EXPECT_EQ(zavo::ReadPlainPbrep(c.text, plain), c.plain ? 1 : 0);
    if (c.plain) {
      EXPECT_EQ(read, 1);
      same(plain, scanned);
    }
  }
}

}  // namespace
