#include <gtest/gtest.h>

#include <sstream>

#include "geometry/ray.h"
#include "geometry/reflect.h"

namespace {

TEST(Ray, FactoriesNormalise) {
  const Ray r = Ray::FromPoints({0, 0, 0}, {0, 0, 2});
  EXPECT_EQ(r.GetDirection(), (Point3D{0, 0, 1}));
  EXPECT_EQ(r.PointAt(3), (Point3D{0, 0, 3}));
  const Ray d = Ray::FromDirection({1, 1, 1}, {3, 0, 4});
  EXPECT_EQ(d.origin, (Point3D{1, 1, 1}));
  EXPECT_EQ(d.direction, (Point3D{0.6, 0, 0.8}));
  // A zero direction stays zero instead of becoming NaN.
  EXPECT_EQ(Ray::FromPoints({1, 2, 3}, {1, 2, 3}).direction, (Point3D{0, 0, 0}));
}

TEST(Ray, Print) {
  std::ostringstream os;
  Ray::FromDirection({1, 2, 3}, {0, 0, 1}).Print(os);
  EXPECT_EQ(os.str(), "Ray(( 1 , 2 , 3 ), [0 , 0 , 1 ] )");
}

TEST(ReflectVector, MirrorsAboutTheNormal) {
  EXPECT_EQ(ReflectVector({0, 0, 1}, {1, 0, 1}), (Point3D{-1, 0, 1}));
  EXPECT_EQ(ReflectVector({0, 1, 0}, {0, 2, 0}), (Point3D{0, 2, 0}));
  // Not normalised: a normal of length 2 scales the parallel part by 4.
  EXPECT_EQ(ReflectVector({0, 0, 2}, {1, 0, 1}), (Point3D{-1, 0, 7}));
}

}  // namespace
