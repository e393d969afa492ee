// The outline of a polyline and the mesh texts of its revolution and
// extrusion, compared whole.

#include "editor/modules/outline_meshes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <locale>
#include <sstream>
#include <string>

#include "models/curved/polyline.h"
#include "module_test_support.h"

namespace zavo::test {
namespace {

std::unique_ptr<CG_Polyline> MakePolyline(const Outline& points, int open) {
  CG_GraphicObjectCommData data;
  data.name = "line";
  CG_PolylineDescription description;
  description.points.SetSize(static_cast<std::uint32_t>(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i) description.points[static_cast<std::uint32_t>(i)] = points[i];
  description.open = open;
  return std::make_unique<CG_Polyline>(data, description);
}

void ExpectOutline(const Outline& actual, const Outline& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(actual[i].x, expected[i].x, 1e-12);
    EXPECT_NEAR(actual[i].y, expected[i].y, 1e-12);
    EXPECT_EQ(actual[i].z, 0.0);
  }
}

TEST(OutlineMeshes, TheProfileTakesTheWrappersAffinePartAndDropsZ) {
  const Outline points{{0.4, -1.2, 2.7}, {1.5, 0.3, -0.8}, {0.6, 1.7, 5.1}};
  auto polyline = MakePolyline(points, 1);
  ExpectOutline(ProfileOf(*polyline, nullptr), {{0.4, -1.2, 0}, {1.5, 0.3, 0}, {0.6, 1.7, 0}});
  // A quarter turn about z, then a move by (2.5, -0.7, 9): (x, y) becomes
  // (2.5 - y, x - 0.7). The fourth row is not used.
  Transformation m;
  IdentityTransformation(m);
  m[0][0] = 0;
  m[0][1] = -1;
  m[1][0] = 1;
  m[1][1] = 0;
  m[0][3] = 2.5;
  m[1][3] = -0.7;
  m[2][3] = 9;
  m[3][0] = 4;
  m[3][3] = 3;
  ExpectOutline(ProfileOf(*polyline, &m), {{3.7, -0.3, 0}, {2.2, 0.8, 0}, {0.8, -0.1, 0}});
}

TEST(OutlineMeshes, MirroringAndOrientation) {
  struct Case {
    const char* what;
    Outline points;
    Outline mirrored;
    int orientation;
  };
  const Case cases[] = {
      {"one interior point left of the axis mirrors the whole outline",
       {{0.8, -1.1, 0}, {-0.3, 0.4, 0}, {1.2, 1.9, 0}},
       {{-0.8, -1.1, 0}, {0.3, 0.4, 0}, {-1.2, 1.9, 0}},
       0},
      {"interior points on the axis do not mirror",
       {{-0.8, -1.1, 0}, {0, 0.4, 0}, {0, 1.3, 0}, {-1.2, 1.9, 0}},
       {{-0.8, -1.1, 0}, {0, 0.4, 0}, {0, 1.3, 0}, {-1.2, 1.9, 0}},
       1},
      {"the other points on the negative side of the first edge",
       {{0.4, -1.2, 0}, {1.5, 0.3, 0}, {0.6, 1.7, 0}},
       {{0.4, -1.2, 0}, {1.5, 0.3, 0}, {0.6, 1.7, 0}},
       1},
      {"the other points on the positive side of the first edge",
       {{1.6, 1.1, 0}, {2.3, -0.4, 0}, {0.7, -0.4, 0}},
       {{1.6, 1.1, 0}, {2.3, -0.4, 0}, {0.7, -0.4, 0}},
       0},
      {"the first edge splits the others, the second decides",
       {{0.3, 0.2, 0}, {2.1, 0.2, 0}, {1.2, 1.3, 0}, {1.2, -0.9, 0}},
       {{0.3, 0.2, 0}, {2.1, 0.2, 0}, {1.2, 1.3, 0}, {1.2, -0.9, 0}},
       1},
      {"points on one line", {{0.3, 0.7, 0}, {1.1, 0.7, 0}, {2.9, 0.7, 0}}, {{0.3, 0.7, 0}, {1.1, 0.7, 0}, {2.9, 0.7, 0}},
       -1},
      {"two points", {{0.3, 0.2, 0}, {1.1, 0.6, 0}}, {{0.3, 0.2, 0}, {1.1, 0.6, 0}}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Outline points = c.points;
    MirrorOntoPositiveX(points);
    ExpectOutline(points, c.mirrored);
    EXPECT_EQ(OutlineOrientation(c.points), c.orientation);
    // A contour is reversed only when it is decided the other way.
    for (int wanted : {0, 1}) {
      Outline oriented = c.points;
      OrientContour(oriented, wanted);
      const bool reversed = c.orientation != -1 && c.orientation != wanted;
      EXPECT_EQ(oriented.front(), reversed ? c.points.back() : c.points.front()) << wanted;
      if (c.orientation != -1) {
        EXPECT_EQ(OutlineOrientation(oriented), wanted);
      }
    }
  }
}

TEST(OutlineMeshes, RevolutionTexts) {
  struct Case {
    const char* what;
    Outline profile;
    bool open;
    int rings;
    double ang;
    std::string text;
  };
  const Case cases[] = {
      {"an open three-point outline: two poles, one vertex per ring, four faces around each pole",
       {{0, -1.2, 0}, {1.5, 0.3, 0}, {0, 1.7, 0}},
       true,
       4,
       360.0,
       "{ pbrep\n\tvertices\n6\n0 0 -1.2\n0 0 1.7\n"
       "1.5 0 0.3\n9.18485e-17 1.5 0.3\n-1.5 1.83697e-16 0.3\n-2.75546e-16 -1.5 0.3\n"
       "faces\n8\n"
       "{ 1\n\t{ 3 0 3 2}\n\n}\n{ 1\n\t{ 3 0 4 3}\n\n}\n{ 1\n\t{ 3 0 5 4}\n\n}\n{ 1\n\t{ 3 0 2 5}\n\n}\n"
       "{ 1\n\t{ 3 1 2 3}\n\n}\n{ 1\n\t{ 3 1 3 4}\n\n}\n{ 1\n\t{ 3 1 4 5}\n\n}\n{ 1\n\t{ 3 1 5 2}\n\n}\n"
       "}\n.\n"},
      {"a closed triangle in two rings, closed around",
       {{0.7, -0.4, 0}, {2.3, -0.4, 0}, {1.6, 1.1, 0}},
       false,
       2,
       360.0,
       "{ pbrep\n\tvertices\n6\n0.7 0 -0.4\n2.3 0 -0.4\n1.6 0 1.1\n"
       "-0.7 8.57253e-17 -0.4\n-2.3 2.81669e-16 -0.4\n-1.6 1.95943e-16 1.1\n"
       "faces\n12\n"
       "{ 1\n\t{ 3 0 3 1}\n\n}\n{ 1\n\t{ 3 3 4 1}\n\n}\n{ 1\n\t{ 3 1 4 2}\n\n}\n{ 1\n\t{ 3 4 5 2}\n\n}\n"
       "{ 1\n\t{ 3 2 5 0}\n\n}\n{ 1\n\t{ 3 5 3 0}\n\n}\n"
       "{ 1\n\t{ 3 3 0 4}\n\n}\n{ 1\n\t{ 3 0 1 4}\n\n}\n{ 1\n\t{ 3 4 1 5}\n\n}\n{ 1\n\t{ 3 1 2 5}\n\n}\n"
       "{ 1\n\t{ 3 5 2 3}\n\n}\n{ 1\n\t{ 3 2 0 3}\n\n}\n"
       "}\n.\n"},
      {"a closed triangle over a quarter turn in one ring: no faces",
       {{0.7, -0.4, 0}, {2.3, -0.4, 0}, {1.6, 1.1, 0}},
       false,
       1,
       90.0,
       "{ pbrep\n\tvertices\n3\n0.7 0 -0.4\n2.3 0 -0.4\n1.6 0 1.1\nfaces\n0\n}\n.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(TextOf([&](std::ostream& os) { WriteRevolutionMesh(os, c.profile, c.open, c.rings, c.ang); }), c.text);
  }
}

// Half a turn in 15 rings: the rings stand 12 degrees apart from 0 to 168,
// and the faces counted equal the faces written, none closing the turn.
TEST(OutlineMeshes, AnOpenHalfTurnStopsBeforeTheLastAngle) {
  const Outline profile{{0, -1.2, 0}, {1.5, 0.3, 0}, {0.9, 0.8, 0}, {0, 1.7, 0}};
  const std::string text =
      TextOf([&](std::ostream& os) { WriteRevolutionMesh(os, profile, true, 15, 180.0); });
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  std::string line;
  std::getline(in, line);
  std::getline(in, line);
  long vertices = 0;
  in >> vertices;
  ASSERT_EQ(vertices, 15 * 2 + 2);
  double x, y, z;
  in >> x >> y >> z >> x >> y >> z;
  for (int k = 0; k < 15; ++k) {
    for (int i = 0; i < 2; ++i) {
      in >> x >> y >> z;
      // Six significant digits.
      EXPECT_NEAR(std::atan2(y, x) * 180 / 3.141592653589793, 12.0 * k, 1e-4) << k;
      EXPECT_NEAR(std::hypot(x, y), profile[1 + i].x, 1e-5);
    }
  }
  std::string faces;
  long count = 0;
  in >> faces >> count;
  EXPECT_EQ(faces, "faces");
  EXPECT_EQ(count, 2 * 14 * 2);
  std::size_t written = 0;
  for (std::size_t at = text.find("{ 3 "); at != std::string::npos; at = text.find("{ 3 ", at + 1)) ++written;
  EXPECT_EQ(written, static_cast<std::size_t>(count));
  // No face joins the last ring (vertices 30, 31) to the first (2, 3).
  EXPECT_EQ(text.find("{ 3 0 2 30}"), std::string::npos);
  EXPECT_TRUE(text.ends_with("}\n.\n"));
}

TEST(OutlineMeshes, ExtrusionText) {
  const Outline square{{0.3, 0.2, 0}, {1.7, 0.2, 0}, {1.7, 1.4, 0}, {0.3, 1.4, 0}};
  EXPECT_EQ(TextOf([&](std::ostream& os) { WriteExtrusionMesh(os, square, 1); }),
            "{pbrep\n\tvertices\n8\n"
            "\t0.3 0 0.2\n\t1.7 0 0.2\n\t1.7 0 1.4\n\t0.3 0 1.4\n"
            "\t0.3 1 0.2\n\t1.7 1 0.2\n\t1.7 1 1.4\n\t0.3 1 1.4\n"
            "faces\n10\n\n"
            "{ 1 { 4 0 1 2 3  } }\n{ 1 { 4 7 6 5 4  } }\n"
            "{ 1\n\t{ 3 1 0 4}\n\n}\n{ 1\n\t{ 3 1 4 5}\n\n}\n{ 1\n\t{ 3 2 1 5}\n\n}\n{ 1\n\t{ 3 2 5 6}\n\n}\n"
            "{ 1\n\t{ 3 3 2 6}\n\n}\n{ 1\n\t{ 3 3 6 7}\n\n}\n{ 1\n\t{ 3 3 7 0}\n\n}\n{ 1\n\t{ 3 0 7 4}\n\n}\n"
            "}\n.\n");
}

}  // namespace
}  // namespace zavo::test
