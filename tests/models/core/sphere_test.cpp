#include "models/core/sphere.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "geometry/bounding_object.h"
#include "model_scene.h"
#include "models/core/brep.h"
#include "scene/material.h"

namespace {

using zavo::test::ModelScene;
using zavo::test::Written;

std::unique_ptr<GSphere> MakeSphere(const Point3D& center, double radius, int div = 6, const char* name = "s") {
  CG_GraphicObjectCommData data;
  data.name = name;
  CG_SphereDescription description;
  description.center = center;
  description.radius = radius;
  description.div = div;
  return std::make_unique<GSphere>(data, description);
}

CG_SphereDescription DescriptionOf(const GSphere& sphere) {
  CG_SphereDescription d;
  sphere.GetDescription(d);
  return d;
}

TEST(SphereReader, BodiesAndErrors) {
  struct Case {
    const char* body;
    int loads;         // 1: the object is made
    Point3D center;    // when made
    double radius;
    int div;
    int code;          // the error record after the load
    const char* message;
  };
  const std::vector<Case> cases = {
      {"center ( 1 , 2 , 3 ); radius 2; div 7.9;", 1, {1, 2, 3}, 2, 7, 0, ""},
      {"radius 0.5; center (-1,0,2e1);", 1, {-1, 0, 20}, 0.5, 6, 0, ""},
      {"center ( 0 , 0 , 0 ); div -3.5; radius 1;", 1, {}, 1, -3, 0, ""},
      {"center ( 1 , 2 , 3 );", 0, {}, 0, 0, 1, "Generic Error"},
      {"radius 2;", 0, {}, 0, 0, 1, "Generic Error"},
      {"center ( 1 , 2 , 3 ); radius x;", 0, {}, 0, 0, 5, "Number wanted"},
      {"center ( 1 , 2 , 3 ); radius 2; div ;", 0, {}, 0, 0, 5, "Number wanted"},
      {"center ( 1 , 2 , 3 ); radius 2; foo 1;", 0, {}, 0, 0, 5, "Unknown attribute"},
      {"center ( 1 , 2 , 3 ); radius 2 div 3;", 0, {}, 0, 0, 2, "Caracter ';' not found"},
      {"center ( 1 , 2 , 3 ); 7 radius 2;", 0, {}, 0, 0, 1, "Generic Error"},
      {"Center ( 1 , 2 , 3 ); radius 2;", 0, {}, 0, 0, 5, "Unknown attribute"},
      // A point that does not read is recorded and reading goes on...
      {"center ; radius 2;", 1, {}, 2, 6, 5, "Wrong point definition"},
      // ...and a failing ";" check then replaces the message.
      {"center ( 1 , 2 ); radius 2;", 0, {}, 0, 0, 2, "Caracter ';' not found"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    ModelScene scene;
    EXPECT_EQ(scene.LoadObject(std::string("sphere ") + c.body), c.loads);
    EXPECT_EQ(scene.Code(), c.code);
    EXPECT_EQ(scene.Message(), c.message);
    auto* sphere = dynamic_cast<GSphere*>(scene.Find());
    ASSERT_EQ(sphere != nullptr, c.loads == 1);
    if (sphere == nullptr) continue;
    const CG_SphereDescription d = DescriptionOf(*sphere);
    if (c.message[0] == '\0') {
      EXPECT_EQ(d.center, c.center);
    }
    EXPECT_EQ(d.radius, c.radius);
    EXPECT_EQ(d.div, c.div);
    EXPECT_EQ(d.progress, &scene.scene().GetInterface());
  }
}

TEST(SphereWriter, WritesTheBlockExactlyAndReadsItBack) {
  auto sphere = MakeSphere({1, 2, 3}, 2, 7);
  EXPECT_EQ(Written(*sphere),
            "{ object\n\tname s;\n\tmodel { sphere\n\t\tcenter ( 1 , 2 , 3 );\n\t\tradius 2;\n\t\tdiv 7;\n\t}\n}\n");

  CG_NamedMaterial gold("gold", new CG_MaterialPhong());
  CG_GraphicObjectCommData data;
  data.name = "ball";
  data.material = &gold;
  CG_SphereDescription d;
  d.center = {0.123456789, -1e-7, 1234567};
  d.radius = 1.0 / 3.0;
  const GSphere odd(data, d);
  const std::string text = Written(odd);
  EXPECT_EQ(text,
            "{ object\n\tname ball;\n\tmaterial gold;\n\tmodel { sphere\n\t\tcenter ( 0.123457 , -1e-07 , "
            "1.23457e+06 );\n\t\tradius 0.333333;\n\t\tdiv 6;\n\t}\n}\n");

  ModelScene scene;
  ASSERT_EQ(scene.Load("{ material name gold; model { phong } }\n" + text + ".\n"), 1);
  ASSERT_NE(scene.Find("ball"), nullptr);
  EXPECT_EQ(Written(*scene.Find("ball")), text);
}

TEST(SphereGeometry, BoundingBoxIsTheCentrePlusMinusRootTwoRadii) {
  auto sphere = MakeSphere({}, 1);
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(sphere.get(), box), 1);
  const double h = std::sqrt(2.0);
  EXPECT_EQ(box, (GEO_Box{-h, h, -h, h, -h, h}));
  EXPECT_NEAR(box.xmax, 1.41421, 1e-5);

  // A negative radius still gives a proper box.
  auto inverted = MakeSphere({1, 0, 0}, -1);
  ASSERT_EQ(CG_GraphicObject::GetBox(inverted.get(), box), 1);
  EXPECT_EQ(box, (GEO_Box{1 - h, 1 + h, -h, h, -h, h}));
}

TEST(SphereGeometry, SetDescriptionRenewsTheBoundingVolume) {
  auto sphere = MakeSphere({}, 1);
  CG_SphereDescription d = DescriptionOf(*sphere);
  d.center = {10, 0, 0};
  d.radius = 2;
  sphere->SetDescription(d);
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(sphere.get(), box), 1);
  const double h = 2 * std::sqrt(2.0);
  EXPECT_EQ(box, (GEO_Box{10 - h, 10 + h, -h, h, -h, h}));
  EXPECT_EQ(DescriptionOf(*sphere).center, (Point3D{10, 0, 0}));
}

TEST(SphereGeometry, RayIntersections) {
  auto sphere = MakeSphere({}, 1);
  struct Case {
    const char* what;
    Point3D origin, direction;
    std::vector<double> hits;
  };
  const std::vector<Case> cases = {
      {"through", {0, 0, -5}, {0, 0, 1}, {4, 6}},
      {"from the centre", {0, 0, 0}, {0, 0, 1}, {1}},
      {"from inside", {0, 0, 0.5}, {0, 0, -1}, {1.5}},
      {"starting on the surface", {0, 0, -1}, {0, 0, 1}, {2}},
      {"starting on the far surface", {0, 0, 1}, {0, 0, 1}, {}},
      {"missing", {0, 2, -5}, {0, 0, 1}, {}},
      {"pointing away", {0, 0, 5}, {0, 0, 1}, {}},
      {"tangent", {1, 0, -5}, {0, 0, 1}, {5, 5}},
  };
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = sphere->NewIntrInfo();
  ASSERT_NE(dynamic_cast<CG_SphereIntrInfo*>(record.get()), nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Ray ray = Ray::FromDirection(c.origin, c.direction);
    ASSERT_EQ(sphere->Intersect(ray, *record), static_cast<int>(c.hits.size()));
    ASSERT_EQ(record->Count(), static_cast<int>(c.hits.size()));
    for (std::size_t i = 0; i < c.hits.size(); ++i) EXPECT_NEAR(record->Value(static_cast<int>(i)), c.hits[i], 1e-12);
    EXPECT_EQ(sphere->IntersectAny(ray, *record), static_cast<int>(c.hits.size()));
  }
}

TEST(SphereGeometry, HitsAtExactlyTollCount) {
  // The sphere keeps roots at toll; the box drops them.
  auto sphere = MakeSphere({}, 1);
  sphere->toll = 0.5;
  CG_SphereIntrInfo record;
  EXPECT_EQ(sphere->Intersect(Ray::FromDirection({0, 0, -1.5}, {0, 0, 1}), record), 2);
  EXPECT_EQ(record.t[0], 0.5);
}

TEST(SphereGeometry, HitDetailsGiveThePointAndTheUnnormalisedNormal) {
  auto sphere = MakeSphere({1, 1, 1}, 2);
  CG_SphereIntrInfo record;
  const Ray ray = Ray::FromDirection({1, 1, -5}, {0, 0, 1});
  ASSERT_EQ(sphere->Intersect(ray, record), 2);
  CG_MaterialPhong material;
  material.Od = {9, 9, 9};
  Point3D point, normal;
  sphere->HitDetails(ray, record, 0, material, point, normal);
  EXPECT_EQ(point, (Point3D{1, 1, -1}));
  EXPECT_EQ(normal, (Point3D{0, 0, -1}));
  EXPECT_EQ(material.Od, (Point3D{0.5, 0.5, 0.5}));  // no material: the default one
  sphere->HitDetails(ray, record, 1, material, point, normal);
  EXPECT_EQ(point, (Point3D{1, 1, 3}));
  EXPECT_EQ(normal, (Point3D{0, 0, 1}));
}

TEST(SphereObject, CloneCopiesTheShapeButNotIDnameOrToll) {
  CG_GraphicObjectCommData data;
  data.name = "s";
  data.IDname = "A";
  data.toll = 0.5;
  data.mapping = std::make_unique<CG_SphericalMapping>(Point3D{}, Point3D{1, 0, 0}, Point3D{0, 1, 0}, 1, 1);
  CG_SphereDescription d;
  d.center = {1, 2, 3};
  d.radius = 4;
  d.div = 9;
  const GSphere sphere(data, d);
  std::unique_ptr<CG_GraphicObject> copy = sphere.Clone();
  auto* clone = dynamic_cast<GSphere*>(copy.get());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->name, "s");
  EXPECT_EQ(clone->IDname.Text(), nullptr);
  EXPECT_EQ(clone->toll, 0.01);
  EXPECT_EQ(clone->MappingTest(typeid(CG_SphericalMapping)), 1);
  EXPECT_NE(clone->mapping.get(), sphere.mapping.get());
  EXPECT_EQ(Written(*clone), zavo::test::WithoutIDnameAndToll(Written(sphere)));
  Seq<CG_GraphicObject*> children;
  children.SetSize(2);
  EXPECT_EQ(clone->GetChildren(children), 1);
  EXPECT_EQ(children.Count(), 0u);
  EXPECT_EQ(clone->HasMaterialOfClass(CG_MaterialPhong()), 1);
}

}  // namespace
