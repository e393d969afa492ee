#include "scene/view_reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>
#include <string>

#include "geometry/geo_scanner.h"

namespace {

const char kDefaultBlock[] =
    "{ vrc\n\tvrp ( 0 , 0 , 0 );\n\tprp ( 0.5 , 0.5 , 1 );\n\tvup ( 0 , 1 , 0 );\n"
    "\tvpn ( 0 , 0 , 1 );\n\tumax 1;\n\tumin 0;\n\tvmax 1;\n\tvmin 0;\n\ttype 0;\n\tf 1;\n"
    "\tb 0;\n\tfon 0;\n\tbon 0;\n}";

int ReadBody(const std::string& text, CG_ViewReference& v, std::string* rest = nullptr) {
  std::istringstream in(text);
  GeoScanner s(in);
  s.Next();
  const int ok = v.Read(s);
  if (rest) *rest = s.Text();
  return ok;
}

std::string Written(const CG_ViewReference& v) {
  std::ostringstream os;
  v.Write(os);
  return os.str();
}

// A 4x4 matrix from its rows.
Transformation Rows(const double (&m)[4][4]) {
  Transformation t;
  for (std::uint32_t i = 0; i < 4; ++i) {
    for (std::uint32_t j = 0; j < 4; ++j) t(i, j) = m[i][j];
  }
  return t;
}

void ExpectMatrixNear(const Transformation& a, const Transformation& b) {
  for (std::uint32_t i = 0; i < 4; ++i) {
    for (std::uint32_t j = 0; j < 4; ++j) EXPECT_NEAR(a(i, j), b(i, j), 1e-12) << i << "," << j;
  }
}

// The image of a point (x, y, z, 1), divided by w.
Point3D Apply(const Transformation& m, const Point3D& p) {
  double h[4];
  for (std::uint32_t i = 0; i < 4; ++i) h[i] = m(i, 0) * p.x + m(i, 1) * p.y + m(i, 2) * p.z + m(i, 3);
  return {h[0] / h[3], h[1] / h[3], h[2] / h[3]};
}

void ExpectPointNear(const Point3D& a, const Point3D& b) {
  EXPECT_NEAR(a.x, b.x, 1e-12);
  EXPECT_NEAR(a.y, b.y, 1e-12);
  EXPECT_NEAR(a.z, b.z, 1e-12);
}

Transformation Translation(double x, double y, double z) {
  Transformation m;
  TranslationTransformation(m, x, y, z);
  return m;
}

Transformation Scale(double x, double y, double z) {
  Transformation m;
  ScaleTransformation(m, x, y, z);
  return m;
}

TEST(CG_ViewReference, DefaultsAndTheirBlock) {
  const CG_ViewReference v;
  EXPECT_EQ(v.vrp, (Point3D{0, 0, 0}));
  EXPECT_EQ(v.prp, (Point3D{0.5, 0.5, 1}));
  EXPECT_EQ(v.vpn, (Point3D{0, 0, 1}));
  EXPECT_EQ(v.vup, (Point3D{0, 1, 0}));
  EXPECT_EQ(v.type, 0);
  EXPECT_EQ(v.umax, 1);
  EXPECT_EQ(v.umin, 0);
  EXPECT_EQ(v.vmax, 1);
  EXPECT_EQ(v.vmin, 0);
  EXPECT_EQ(v.f, 1);
  EXPECT_EQ(v.b, 0);
  EXPECT_EQ(v.fon, 0);
  EXPECT_EQ(v.bon, 0);
  EXPECT_EQ(Written(v), kDefaultBlock);
}

TEST(CG_ViewReference, FullConstructorTakesUminBeforeUmax) {
  const CG_ViewReference v({1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, 1, -2, 3, -4, 5, 0.5,
                           -6, 1, 0);
  EXPECT_EQ(v.vrp, (Point3D{1, 2, 3}));
  EXPECT_EQ(v.prp, (Point3D{4, 5, 6}));
  EXPECT_EQ(v.vpn, (Point3D{7, 8, 9}));
  EXPECT_EQ(v.vup, (Point3D{10, 11, 12}));
  EXPECT_EQ(v.type, 1);
  EXPECT_EQ(v.umin, -2);
  EXPECT_EQ(v.umax, 3);
  EXPECT_EQ(v.vmin, -4);
  EXPECT_EQ(v.vmax, 5);
  EXPECT_EQ(v.f, 0.5);
  EXPECT_EQ(v.b, -6);
  EXPECT_EQ(v.fon, 1);
  EXPECT_EQ(v.bon, 0);
  EXPECT_EQ(Written(v),
            "{ vrc\n\tvrp ( 1 , 2 , 3 );\n\tprp ( 4 , 5 , 6 );\n\tvup ( 10 , 11 , 12 );\n"
            "\tvpn ( 7 , 8 , 9 );\n\tumax 3;\n\tumin -2;\n\tvmax 5;\n\tvmin -4;\n\ttype 1;\n"
            "\tf 0.5;\n\tb -6;\n\tfon 1;\n\tbon 0;\n}");
}

TEST(CG_ViewReference, ReadTable) {
  struct Row {
    const char* text;
    int ok;
    std::function<void(CG_ViewReference&)> expect;  // applied to the defaults
  } rows[] = {
      {"}", 1, [](CG_ViewReference&) {}},
      {"type 2.7; fon 0.9; bon -1.5; }", 1,
       [](CG_ViewReference& v) { v.type = 2, v.fon = 0, v.bon = -1; }},
      {"vmax 4; umax 3; f 2E1; b -.5; umin -3; vmin -4; }", 1,
       [](CG_ViewReference& v) { v.vmax = 4, v.umax = 3, v.f = 20, v.b = -0.5, v.umin = -3, v.vmin = -4; }},
      {"vrp (1,2,3); prp ( 0 , 0 , 5 ); vpn (0,1,0); vup (1,0,0); }", 1,
       [](CG_ViewReference& v) { v.vrp = {1, 2, 3}, v.prp = {0, 0, 5}, v.vpn = {0, 1, 0}, v.vup = {1, 0, 0}; }},
      {"f 3; vrp (1,1,1); f 4; vrp (2,2,2); }", 1,
       [](CG_ViewReference& v) { v.f = 4, v.vrp = {2, 2, 2}; }},
      // Failures: what was read before stays.
      {"f two; }", 0, [](CG_ViewReference&) {}},
      {"F 2; }", 0, [](CG_ViewReference&) {}},
      {"3; }", 0, [](CG_ViewReference&) {}},
      {"umin 1; vrp (1,2,3) }", 0, [](CG_ViewReference& v) { v.umin = 1; }},
      {"vrp (1,2); }", 0, [](CG_ViewReference&) {}},
      {"vrp (1,2,x); }", 0, [](CG_ViewReference&) {}},
      // The scalar is stored before its ";" is checked.
      {"f 7 }", 0, [](CG_ViewReference& v) { v.f = 7; }},
      {"type 5e9; }", 0, [](CG_ViewReference&) {}},
      {"fon 1e999; }", 0, [](CG_ViewReference&) {}},
      {"vup (0,0,1);", 0, [](CG_ViewReference& v) { v.vup = {0, 0, 1}; }},
      {"", 0, [](CG_ViewReference&) {}},
  };
  for (const Row& r : rows) {
    CG_ViewReference v;
    EXPECT_EQ(ReadBody(r.text, v), r.ok) << r.text;
    CG_ViewReference expected;
    r.expect(expected);
    EXPECT_TRUE(v == expected) << r.text << "\nread:\n" << Written(v);
  }
  std::string rest;
  CG_ViewReference v;
  EXPECT_EQ(ReadBody("type 1; } next", v, &rest), 1);
  EXPECT_EQ(rest, "next");
}

TEST(CG_ViewReference, WrittenRecordReadsBack) {
  const CG_ViewReference v({1.5, -2, 1e-7}, {0.25, 0.75, 12.5}, {0, 0.6, 0.8}, {0, 0.8, -0.6}, 3,
                           -1.25, 1.25, -0.625, 0.625, 0.1, -100, 1, 1);
  // Read into a record whose every field differs.
  CG_ViewReference back({9, 9, 9}, {9, 9, 9}, {9, 9, 9}, {9, 9, 9}, 9, 9, 9, 9, 9, 9, 9, 9, 9);
  const std::string text = Written(v);
  ASSERT_EQ(text.rfind("{ vrc", 0), 0u);
  EXPECT_EQ(ReadBody(text.substr(5), back), 1) << text;
  EXPECT_TRUE(back == v) << Written(back);
  // Six significant digits.
  const CG_ViewReference fine({1.23456789, 0, 0}, {}, {0, 0, 1}, {0, 1, 0}, 0, 0, 1, 0, 1,
                              3.14159265, 0, 0, 0);
  EXPECT_EQ(ReadBody(Written(fine).substr(5), back), 1);
  EXPECT_EQ(back.vrp.x, 1.23457);
  EXPECT_EQ(back.f, 3.14159);
}

TEST(CG_ViewReference, DefaultParallelMatrix) {
  const CG_ViewReference v;
  ExpectMatrixNear(v.Shear(), Rows({{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}));
  ExpectMatrixNear(v.Rotation(), Rows({{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}));
  ExpectMatrixNear(v.ParallelMatrix(), Scale(2, 2, 1) * Translation(-0.5, -0.5, 1));
  // The window's corners go to -1 and 1.
  ExpectPointNear(Apply(v.ParallelMatrix(), {0, 0, 0}), {-1, -1, 1});
  ExpectPointNear(Apply(v.ParallelMatrix(), {1, 1, -1}), {1, 1, 0});
}

TEST(CG_ViewReference, ParallelTranslationAndScaleFollowTheClippingFlags) {
  CG_ViewReference v;
  v.umin = -2;
  v.umax = 2;
  v.vmin = 0;
  v.vmax = 4;
  v.f = 3;
  v.b = -1;
  struct Row {
    int fon, bon;
    double tz, sz;
  } rows[] = {{0, 0, 1, 1}, {0, 1, 1, 1}, {1, 0, -3, 1}, {1, 1, -3, 0.25}};
  for (const Row& r : rows) {
    v.fon = r.fon;
    v.bon = r.bon;
    ExpectMatrixNear(v.ParallelTranslation(), Translation(0, -2, r.tz));
    ExpectMatrixNear(v.ParallelScale(), Scale(0.5, 0.5, r.sz));
  }
}

TEST(CG_ViewReference, PerspectiveMatrices) {
  CG_ViewReference v;
  // Defaults: z' = -1, b = 0: scale (2, 2, 1); the shear is the identity.
  ExpectMatrixNear(v.PerspectiveScale(), Scale(2, 2, 1));
  ExpectMatrixNear(v.PerspectiveMatrix(), Scale(2, 2, 1) * Translation(-0.5, -0.5, -1));
  const Transformation m = v.PerspectiveToParallelMatrix();
  ExpectMatrixNear(m, Rows({{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, -1, 0}}));
  EXPECT_EQ(m(3, 3), 0);

  // prp (0, 0, 2) off the window centre: DOP = (0.5, 0.5, -2).
  v.prp = {0, 0, 2};
  v.b = -2;
  v.f = 1;
  v.bon = 0;  // b counts all the same
  ExpectMatrixNear(v.Shear(), Rows({{1, 0, 0.25, 0}, {0, 1, 0.25, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}));
  // z' = -2: scale (2(-2)/(1(-4)), same, -1/(-4)).
  ExpectMatrixNear(v.PerspectiveScale(), Scale(1, 1, 0.25));
  // zmin = -(z' + f)/(z' + b) = -(-1)/(-4) = -0.25.
  const double zmin = -0.25;
  ExpectMatrixNear(v.PerspectiveToParallelMatrix(),
                   Rows({{1, 0, 0, 0},
                         {0, 1, 0, 0},
                         {0, 0, 1 / (1 + zmin), -zmin / (1 + zmin)},
                         {0, 0, -1, 0}}));
  ExpectMatrixNear(v.PerspectiveMatrix(), v.PerspectiveScale() * v.Shear() * v.PRPTranslation() *
                                              v.Rotation() * v.VRPTranslation());
}

TEST(CG_ViewReference, ProjectionMatrices) {
  ExpectMatrixNear(ParallelProjectionMatrix(),
                   Rows({{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 1}}));
  ExpectMatrixNear(PerspectiveProjectionMatrix(),
                   Rows({{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 1, 0}}));
  // An oblique parallel projection onto z = 2 along (1, 2, -1).
  ExpectMatrixNear(ProjectionMatrix(2, 0, 1, {1, 2, -1}),
                   Rows({{1, 0, 1, -2}, {0, 1, 2, -4}, {0, 0, 0, 2}, {0, 0, 0, 1}}));
}

TEST(CG_ViewReference, RotationAndTranslationBringTheViewToTheAxes) {
  CG_ViewReference v;
  v.vrp = {3, -2, 5};
  v.vpn = {1, 1, 0};  // not of unit length
  v.vup = {0, 0, 2};
  const Transformation view = v.Rotation() * v.VRPTranslation();
  ExpectPointNear(Apply(view, v.vrp), {0, 0, 0});
  ExpectPointNear(Apply(view, v.vrp + v.vpn), {0, 0, std::sqrt(2.0)});
  // The up vector lies in the v-n plane, pointing up.
  const Point3D up = Apply(view, v.vrp + v.vup);
  EXPECT_NEAR(up.x, 0, 1e-12);
  EXPECT_GT(up.y, 0);
  // The rotation is orthonormal.
  const Transformation r = v.Rotation();
  for (std::uint32_t i = 0; i < 3; ++i) {
    for (std::uint32_t j = 0; j < 3; ++j) {
      const double dot = r(i, 0) * r(j, 0) + r(i, 1) * r(j, 1) + r(i, 2) * r(j, 2);
      EXPECT_NEAR(dot, i == j ? 1 : 0, 1e-12);
    }
  }
}

TEST(CG_ViewReference, DegenerateRecordsGiveNonFiniteMatricesQuietly) {
  CG_ViewReference v;
  v.vpn = {0, 0, 0};
  EXPECT_FALSE(std::isfinite(v.Rotation()(2, 2)));
  v = CG_ViewReference();
  v.vup = {0, 0, 3};  // parallel to vpn
  EXPECT_FALSE(std::isfinite(v.Rotation()(0, 0)));
  v = CG_ViewReference();
  v.umax = v.umin;
  EXPECT_FALSE(std::isfinite(v.ParallelScale()(0, 0)));
}

}  // namespace
