#include <gtest/gtest.h>

#include <numbers>
#include <sstream>

#include "geometry/homogeneous.h"
#include "geometry/ray.h"
#include "geometry/transformation.h"

namespace {

void ExpectNear(const Point3D& a, const Point3D& b) {
  EXPECT_NEAR(a.x, b.x, 1e-12);
  EXPECT_NEAR(a.y, b.y, 1e-12);
  EXPECT_NEAR(a.z, b.z, 1e-12);
}

TEST(Transformation, Builders) {
  const double h = std::numbers::pi / 2;
  Transformation m;
  const struct {
    void (*build)(Transformation&, double);
    Point3D from, to;
  } rotations[] = {
      {RotationZTransformation, {1, 0, 0}, {0, 1, 0}},
      {RotationXTransformation, {0, 1, 0}, {0, 0, 1}},
      {RotationYTransformation, {0, 0, 1}, {1, 0, 0}},
      {RotationYTransformation, {1, 0, 0}, {0, 0, -1}},
  };
  for (const auto& r : rotations) {
    r.build(m, h);
    ExpectNear(TransformPoint(m, r.from), r.to);
    EXPECT_EQ(m(3, 3), 1.0);
  }

  // Each builder overwrites the whole matrix: a scale after a rotation is zero off the diagonal.
  RotationZTransformation(m, 0.3);
  ScaleTransformation(m, 2, 3, 4);
  for (std::uint32_t i = 0; i < 4; ++i) {
    for (std::uint32_t j = 0; j < 4; ++j) {
      const double diag[4] = {2, 3, 4, 1};
      EXPECT_EQ(m(i, j), i == j ? diag[i] : 0.0) << i << " " << j;
    }
  }

  TranslationTransformation(m, 1, 2, 3);
  EXPECT_EQ(TransformPoint(m, {1, 1, 1}), (Point3D{2, 3, 4}));
  ShearZTransformation(m, 0.5, 2);
  EXPECT_EQ(TransformPoint(m, {1, 1, 2}), (Point3D{2, 5, 2}));
  IdentityTransformation(m);
  EXPECT_EQ(TransformPoint(m, {1, 2, 3}), (Point3D{1, 2, 3}));

  // TransformPoint neither uses the last row nor divides.
  m(3, 3) = 5;
  m(3, 0) = 7;
  EXPECT_EQ(TransformPoint(m, {1, 2, 3}), (Point3D{1, 2, 3}));
}

TEST(Transformation, ComposeActsRightFirstAndAllowsAliasing) {
  Transformation t, s, r;
  TranslationTransformation(t, 1, 0, 0);
  ScaleTransformation(s, 2, 2, 2);
  ComposeTransformations(r, t, s);
  EXPECT_EQ(TransformPoint(r, {1, 1, 1}), (Point3D{3, 2, 2}));

  Transformation t2 = t;
  ComposeTransformations(t2, t2, s);  // result is the first operand
  EXPECT_EQ(TransformPoint(t2, {1, 1, 1}), (Point3D{3, 2, 2}));
  Transformation s2 = s;
  ComposeTransformations(s2, t, s2);  // result is the second operand
  EXPECT_EQ(TransformPoint(s2, {1, 1, 1}), (Point3D{3, 2, 2}));
}

TEST(Transformation, TransformVectorDropsTranslation) {
  Transformation t, m;
  TranslationTransformation(t, 5, -3, 2);
  for (const Point3D& v : {Point3D{1, 0, 0}, Point3D{0.5, -2, 7}}) EXPECT_EQ(TransformVector(t, v), v);
  Transformation s;
  ScaleTransformation(s, 2, 3, 4);
  ComposeTransformations(m, t, s);
  EXPECT_EQ(TransformVector(m, {1, 1, 1}), (Point3D{2, 3, 4}));

  // The same as through the homogeneous forms, also for a projective matrix.
  m(3, 0) = 0.5;
  m(3, 3) = 2;
  const Point3D v{1, -2, 3};
  const Point3D expected = HomogeneousToPoint3D(m * Point3DToHomogeneous(v)) -
                           HomogeneousToPoint3D(m * Point3DToHomogeneous({0, 0, 0}));
  EXPECT_EQ(TransformVector(m, v), expected);
}

TEST(Transformation, RayTransformByKeepsAUnitDirection) {
  Transformation s;
  ScaleTransformation(s, 2, 2, 2);
  const Ray r = Ray::FromDirection({1, 0, 0}, {0, 3, 4}).TransformBy(s);
  EXPECT_EQ(r.origin, (Point3D{2, 0, 0}));
  ExpectNear(r.direction, {0, 0.6, 0.8});
  EXPECT_NEAR(Length(r.direction), 1.0, 1e-15);
}

TEST(Transformation, WriteTransformation) {
  Transformation t;
  TranslationTransformation(t, 1, 2.5, -3);
  std::ostringstream os;
  WriteTransformation(t, os);
  EXPECT_EQ(os.str(), "[ 1 , 0 , 0 , 1 ;\n0 , 1 , 0 , 2.5 ;\n0 , 0 , 1 , -3 ;\n0 , 0 , 0 , 1 ]");
}

TEST(Homogeneous, ConversionsAndWrongSizes) {
  const Vector4<double> v = Point3DToHomogeneous({1, 2, 3});
  EXPECT_EQ(v[3], 1.0);
  EXPECT_EQ(HomogeneousToPoint3D(v), (Point3D{1, 2, 3}));
  Vector<double> w(4);
  w[0] = 2;
  w[1] = 4;
  w[2] = 6;
  w[3] = 2;
  EXPECT_EQ(HomogeneousToPoint3D(w), (Point3D{1, 2, 3}));
  const Vector3<double> v2 = Point2DToHomogeneous({5, 6});
  EXPECT_EQ(v2[2], 1.0);
  EXPECT_EQ(HomogeneousToPoint2D(v2), (Point2D{5, 6}));

  Point3D p{9, 9, 9};
  EXPECT_EQ(HomogeneousToPoint3D(Vector<double>(3), p), 0);
  EXPECT_EQ(p, (Point3D{9, 9, 9}));
  EXPECT_THROW(HomogeneousToPoint3D(Vector<double>(3)), xGeo);
  EXPECT_THROW(HomogeneousToPoint3D(Vector<double>(5)), xGeo);
  Point2D q{9, 9};
  EXPECT_EQ(HomogeneousToPoint2D(Vector<double>(4), q), 0);
  EXPECT_THROW(HomogeneousToPoint2D(Vector<double>(4)), xGeo);
  EXPECT_THROW(HomogeneousToPoint2D(Vector<double>(2)), xGeo);
}

}  // namespace
