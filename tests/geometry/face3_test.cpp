#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/seq.h"
#include "geometry/face3.h"
#include "geometry/ray.h"

namespace {

Seq<Point3D> Points(std::initializer_list<Point3D> list) {
  Seq<Point3D> points(static_cast<std::uint32_t>(list.size()));
  std::uint32_t i = 0;
  for (const Point3D& p : list) points[i++] = p;
  return points;
}

ContourFace3* Contour(std::initializer_list<int> entries) {
  auto* c = new ContourFace3;
  c->vertices.SetSize(static_cast<std::uint32_t>(entries.size()));
  std::uint32_t i = 0;
  for (int e : entries) c->vertices[i++] = e;
  return c;
}

// A face of the given contours (outer first) with its plane computed.
void MakeFace(Face3& face, const Seq<Point3D>& points, std::initializer_list<std::initializer_list<int>> contours) {
  for (const auto& c : contours) face.contours.Append(Contour(c));
  face.ComputePlane(points);
}

// The unit square in z = 0, then a square hole (1..3)² in the square (0..4)²,
// then a quadrilateral and a notched pentagon in z = 0, then three points on
// one line.
const Seq<Point3D> kPoints = Points({
    {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},          // 1..4 unit square
    {0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0},          // 5..8 outer square
    {1, 1, 0}, {3, 1, 0}, {3, 3, 0}, {1, 3, 0},          // 9..12 hole
    {0, 0, 0}, {1, -1, 0}, {2, 0, 0}, {1, 2, 0},         // 13..16 a vertex straight below (1, 0.5)
    {0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {1, 1, 0}, {0, 2, 0},  // 17..21 notch at (1, 1)
    {0, 0, 0}, {1, 1, 1}, {2, 2, 2},                     // 22..24 collinear
});

TEST(Face3, PlaneAxisAndNormalOfTheSquare) {
  Face3 ccw;
  MakeFace(ccw, kPoints, {{1, 2, 3, 4}});
  EXPECT_EQ(ccw.plane, (Plane{0, 0, -1, 0}));
  EXPECT_EQ(ccw.contours.First()->axis, 2);
  EXPECT_EQ(ccw.unitNormal, (Point3D{0, 0, 1}));

  Face3 cw;
  MakeFace(cw, kPoints, {{4, 3, 2, 1}});
  EXPECT_EQ(cw.plane, (Plane{0, 0, 1, 0}));
  EXPECT_EQ(cw.unitNormal, (Point3D{0, 0, -1}));

  // Equal projected areas on (y, z) and (x, z): the lower axis wins. The
  // plane's d comes from the first entry's vertex.
  const Seq<Point3D> slanted = Points({{5, 5, 0}, {6, 6, 0}, {6, 6, 1}, {5, 5, 1}});
  Face3 tie;
  MakeFace(tie, slanted, {{1, 2, 3, 4}, {4, 3, 2}});
  EXPECT_EQ(tie.plane, (Plane{-1, 1, 0, 0}));
  EXPECT_EQ(tie.contours.First()->axis, 0);
  EXPECT_EQ(tie.contours.Last()->axis, 0);  // copied to the hole
  EXPECT_DOUBLE_EQ(tie.unitNormal.x, 1 / std::sqrt(2.0));
  EXPECT_DOUBLE_EQ(tie.unitNormal.y, -1 / std::sqrt(2.0));
  const Seq<Point3D> shifted = Points({{0, 0, 2}, {1, 0, 2}, {1, 1, 2}});
  Face3 high;
  MakeFace(high, shifted, {{1, 2, 3}});
  EXPECT_EQ(high.plane, (Plane{0, 0, -0.5, 1}));

  Face3 line;
  MakeFace(line, kPoints, {{22, 23, 24}});
  EXPECT_EQ(line.plane, (Plane{0, 0, 0, 0}));
  EXPECT_EQ(line.unitNormal, (Point3D{1, 0, 0}));
}

TEST(Face3, RayTests) {
  constexpr double kUntouched = -123.0;
  const struct {
    const char* what;
    std::initializer_list<std::initializer_list<int>> contours;
    Point3D origin, direction;
    double tmin;
    int hit;
    double t;  // kUntouched: t is not written
  } cases[] = {
      {"square from above", {{1, 2, 3, 4}}, {0.5, 0.5, 1}, {0, 0, -1}, 0, 1, 1},
      {"square at tmin", {{1, 2, 3, 4}}, {0.5, 0.5, 1}, {0, 0, -1}, 1, 0, 1},
      {"square beyond tmin", {{1, 2, 3, 4}}, {0.5, 0.5, 1}, {0, 0, -1}, 0.999, 1, 1},
      {"square behind", {{1, 2, 3, 4}}, {0.5, 0.5, 1}, {0, 0, 1}, 0, 0, -1},
      {"square outside", {{1, 2, 3, 4}}, {1.5, 0.5, 1}, {0, 0, -1}, 0, 0, 1},
      {"parallel ray", {{1, 2, 3, 4}}, {0.5, 0.5, 1}, {1, 0, 0}, 0, 0, kUntouched},
      {"oblique, reversed square", {{4, 3, 2, 1}}, {0, 0, 2}, {0.25, 0.25, -1}, 0, 1, 2},
      {"through the hole", {{5, 6, -7, 8}, {9, 10, 11, 12}}, {2, 2, 1}, {0, 0, -1}, 0, 0, 1},
      {"beside the hole", {{5, 6, -7, 8}, {9, 10, 11, 12}}, {0.5, 3.5, 1}, {0, 0, -1}, 0, 1, 1},
      {"vertex, edges on both sides", {{13, 14, 15, 16}}, {1, 0.5, 1}, {0, 0, -1}, 0, 1, 1},
      {"vertex, edges turning back", {{17, 18, 19, 20, 21}}, {1, 1.5, 1}, {0, 0, -1}, 0, 0, 1},
      {"notched face, inside", {{17, 18, 19, 20, 21}}, {1, 0.5, 1}, {0, 0, -1}, 0, 1, 1},
      {"collinear contour", {{22, 23, 24}}, {1, 1, 1}, {0, 0, -1}, 0, 0, kUntouched},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Face3 face;
    MakeFace(face, kPoints, c.contours);
    double t = kUntouched;
    Point3D normal{7, 7, 7};
    const std::uint64_t before = zavo::FaceNIntr;
    EXPECT_EQ(face.Intersect(Ray{c.origin, c.direction}, kPoints, t, normal, c.tmin), c.hit);
    EXPECT_EQ(zavo::FaceNIntr, before + 1);
    EXPECT_DOUBLE_EQ(t, c.t);
    EXPECT_EQ(normal, face.unitNormal);  // hit or miss
  }
  EXPECT_STREQ(zavo::kFaceNIntrLabel, "_FaceNIntr ");
}

TEST(Face3, ContourCrossingsAndContourTest) {
  Face3 face;
  MakeFace(face, kPoints, {{13, 14, 15, 16}});
  const ContourFace3& c = *face.contours.First();
  // (x, y) projection; a point on the upper end of an edge's span counts.
  EXPECT_EQ(c.CountCrossings(kPoints, {1, 0.5}, 0, 1), 1);
  EXPECT_EQ(c.CountCrossings(kPoints, {1, 3}, 0, 1), 2);
  EXPECT_EQ(c.CountCrossings(kPoints, {3, 3}, 0, 1), 0);
  // The same contour seen on (x, z) is flat: every edge lies at v = 0.
  EXPECT_EQ(c.CountCrossings(kPoints, {1, 1}, 0, 2), 2);

  double t = 0;
  EXPECT_EQ(c.Intersect(Ray{{1, 0.5, -2}, {0, 0, 1}}, kPoints, t, face.plane, 0), 1);
  EXPECT_DOUBLE_EQ(t, 2);
}

TEST(Face3, BoxCentroidAndCopies) {
  const Seq<Point3D> pts = Points({{0, 0, 0}, {3, 0, 0}, {0, 3, 0}, {3, -1, 2}});
  Face3 face;
  MakeFace(face, pts, {{1, 2, -3}, {1, -4, 2}});
  EXPECT_EQ(face.contours.First()->GetBox(pts), (GEO_Box{0, 3, 0, 3, 0, 0}));
  EXPECT_EQ(face.GetBox(pts), (GEO_Box{0, 3, -1, 3, 0, 2}));

  ContourFace3* twice = Contour({1, 2, 3, -1});
  EXPECT_EQ(twice->Centroid(pts), (Point3D{0.75, 0.75, 0}));
  delete twice;

  ContourFace3* first = face.contours.First();
  first->normals.SetSize(3);
  first->normals[0] = fVector3<double>(0, 0, 1);
  face.contours.Last()->axis = 1;
  Face3 copy(face);
  EXPECT_EQ(copy.plane, face.plane);
  EXPECT_EQ(copy.unitNormal, face.unitNormal);
  ASSERT_EQ(copy.ContourCount(), 2u);
  const ContourFace3* c0 = copy.contours.First();
  const ContourFace3* c1 = copy.contours.Last();
  EXPECT_EQ(c0->vertices.Count(), 3u);
  EXPECT_EQ(c0->vertices[2], -3);
  EXPECT_EQ(c1->vertices[1], -4);
  EXPECT_EQ(c0->normals.Count(), 0u);
  EXPECT_EQ(c0->axis, 0);
  EXPECT_EQ(c1->axis, 0);

  // Assignment replaces the contours; a sequence of faces copies the same way.
  Face3 other;
  MakeFace(other, kPoints, {{1, 2, 3, 4}});
  other = face;
  EXPECT_EQ(other.ContourCount(), 2u);
  EXPECT_EQ(other.plane, face.plane);
  Face3& same = other;
  other = same;
  EXPECT_EQ(other.ContourCount(), 2u);
  Seq<Face3> faces(1);
  faces[0] = face;
  faces.Resize(2);
  EXPECT_EQ(faces[0].ContourCount(), 2u);
  EXPECT_EQ(faces[1].ContourCount(), 0u);
}

TEST(Face3, SetPlaneSetsTheAxisOfEveryContour) {
  const struct {
    Plane plane;
    int axis;
  } cases[] = {
      {{0, 5, -1, 2}, 1}, {{1, -1, 0, 0}, 0}, {{0, 2, -2, 0}, 1}, {{1, 1, -1, 0}, 0}, {{0.5, 1, -3, 0}, 2},
  };
  for (const auto& c : cases) {
    Face3 face;
    MakeFace(face, kPoints, {{5, 6, 7, 8}, {9, 10, 11, 12}});
    face.SetPlane(c.plane);
    EXPECT_EQ(face.plane, c.plane);
    for (const ContourFace3& contour : face.contours) EXPECT_EQ(contour.axis, c.axis);
    const double len = std::sqrt(c.plane.a * c.plane.a + c.plane.b * c.plane.b + c.plane.c * c.plane.c);
    EXPECT_DOUBLE_EQ(face.unitNormal.x, -c.plane.a / len);
    EXPECT_DOUBLE_EQ(face.unitNormal.y, -c.plane.b / len);
    EXPECT_DOUBLE_EQ(face.unitNormal.z, -c.plane.c / len);
  }
  Face3 face;
  MakeFace(face, kPoints, {{1, 2, 3, 4}});
  face.SetPlane({0, 0, 0, 0});
  EXPECT_EQ(face.unitNormal, (Point3D{1, 0, 0}));
  EXPECT_EQ(face.contours.First()->axis, 0);
}

TEST(Face3, FaceAndContourText) {
  Face3 face;
  face.contours.Append(Contour({1, 2, -3, 4}));
  ContourFace3& c = *face.contours.First();

  std::ostringstream plain;
  c.Write(plain, 1);
  EXPECT_EQ(plain.str(), "\t\t{ 4    0 1 *2 3 }");

  c.normals.SetSize(4);
  c.normals[0] = fVector3<double>(0, 0, 1);
  c.normals[1] = fVector3<double>(0.5, -12.345678, 1e-07);
  c.normals[2] = fVector3<double>(0, 0, 1);
  c.normals[3] = fVector3<double>(3.0, 0, 1);
  std::ostringstream withNormals, without;
  c.Write(withNormals, 1);
  c.Write(without, 0);
  EXPECT_EQ(withNormals.str(),
            "\t\t{ 4    0 1 *2 3 ( 0 , 0 , 1 ) ( 0.5 , -12.3457 , 1e-07 ) ( 0 , 0 , 1 ) ( 3 , 0 , 1 ) }");
  EXPECT_EQ(without.str(), "\t\t{ 4    0 1 *2 3 }");

  std::ostringstream faceText;
  zavo::WriteFace(face, faceText, 0);
  EXPECT_EQ(faceText.str(), "\t{\t1\n\t\t{ 4    0 1 *2 3 }\n\t}\n\n");

  face.contours.Append(Contour({5, 6, 7}));
  std::ostringstream streamed;
  streamed << face;
  EXPECT_EQ(streamed.str(),
            "\t{\t2\n\t\t{ 4    0 1 *2 3 ( 0 , 0 , 1 ) ( 0.5 , -12.3457 , 1e-07 ) ( 0 , 0 , 1 ) ( 3 , 0 , 1 ) }\n"
            "\t\t{ 3    4 5 6 }\n\t}\n\n");
}

// Two triangles that split a square along its diagonal walk the diagonal in
// opposite directions: a ray through any point of it hits one of them, never
// neither (a crack) and never both.
TEST(Face3, ARayThroughASharedEdgeHitsExactlyOneOfTheTwoFaces) {
  const Seq<Point3D> points = Points({{0, 0, -2}, {1, 0, -2}, {1, 1, -2}, {0, 1, -2}});
  Face3 lower, upper;
  MakeFace(lower, points, {{1, 2, 3}});
  MakeFace(upper, points, {{1, 3, 4}});
  int cracks = 0, doubles = 0;
  for (int k = 1; k < 1000; ++k) {
    const double s = k / 1000.0;
    const Ray ray = Ray::FromPoints({0.5, 0.5, 1}, {s, s, -2});
    double t = 0;
    Point3D normal;
    const int hits = lower.Intersect(ray, points, t, normal, 1e-9) + upper.Intersect(ray, points, t, normal, 1e-9);
    cracks += hits == 0;
    doubles += hits == 2;
  }
  EXPECT_EQ(cracks, 0);
  EXPECT_EQ(doubles, 0);
}

}  // namespace
