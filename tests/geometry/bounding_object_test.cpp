#include <gtest/gtest.h>

#include <sstream>

#include "geometry/bounding_object.h"
#include "geometry/geo_text.h"

namespace {

GEO_Box Cube(double lo, double hi) { return {lo, hi, lo, hi, lo, hi}; }

// A volume that records which half of a double dispatch reached it.
class Spy : public BoundingBox {
public:
  explicit Spy(const GEO_Box& b) : BoundingBox(b) {}
  mutable std::string seen;
  std::unique_ptr<BoundingBox> IntersectBox(const BoundingObject& o) const override {
    seen += "I";
    return BoundingBox::IntersectBox(o);
  }
  std::unique_ptr<BoundingBox> UnionBox(const BoundingObject& o) const override {
    seen += "U";
    return BoundingBox::UnionBox(o);
  }
  std::unique_ptr<BoundingBox> BoxOf(const BoundingObject& o) const override {
    seen += "B";
    return BoundingBox::BoxOf(o);
  }
};

TEST(BoundingObject, DoubleDispatchGivesTheCallerNewVolumes) {
  const BoundingBox a(GEO_Box{0, 2, 0, 2, 0, 2});
  const Spy b(GEO_Box{1, 3, 1, 3, -1, 1});

  const auto meet = a.Intersect(b);
  ASSERT_NE(meet, nullptr);
  EXPECT_EQ(meet->GetBox(), (GEO_Box{1, 2, 1, 2, 0, 1}));
  const auto both = a.Union(b);
  EXPECT_EQ(both->GetBox(), (GEO_Box{0, 3, 0, 3, -1, 2}));
  // ToBox of A with B is a box of A's box; B only chooses the implementation.
  const auto boxed = a.ToBox(b);
  EXPECT_EQ(boxed->GetBox(), a.GetBox());
  EXPECT_EQ(b.seen, "IUB");

  EXPECT_EQ(a.Intersect(BoundingBox(Cube(5, 6))), nullptr);
  EXPECT_DOUBLE_EQ(a.Volume(), 8);
  EXPECT_EQ(a.HitByRay(Ray{{-1, 1, 1}, {1, 0, 0}}), 1);
  EXPECT_EQ(a.HitByRay(Ray{{-1, 1, 1}, {-1, 0, 0}}), 0);

  const std::unique_ptr<BoundingObject> copy = a.Clone();
  EXPECT_EQ(copy->GetBox(), a.GetBox());
  EXPECT_NE(copy.get(), &a);
}

TEST(BoundingBox, GrowsFromAPoint) {
  BoundingBox b(Point3D{1, 1, 1});
  b.Extend({0, 2, 1});
  EXPECT_EQ(b.GetBox(), (GEO_Box{0, 1, 1, 2, 1, 1}));
}

TEST(BoundingBox, SaveAndBoundBlock) {
  const BoundingBox b(GEO_Box{-1, 1.2345678, 0, 2.5, 1e-7, 3e20});
  std::ostringstream os;
  b.Save(os);
  EXPECT_EQ(os.str(),
            "\t{ box\n"
            "\t\txmin -1;\n"
            "\t\txmax 1.23457;\n"
            "\t\tymin 0;\n"
            "\t\tymax 2.5;\n"
            "\t\tzmin 1e-07;\n"
            "\t\tzmax 3e+20;\n"
            "\t}\n");
  std::ostringstream bound;
  WriteBound(bound, b);
  EXPECT_EQ(bound.str(), "{ bound\n\tmodel " + os.str() + "}\n");
}

}  // namespace
