// The shadow search's shortcut: an object that answers AlwaysOpaque gives a
// Phong material with Kt 0 at its hits, as HitDetails fills it.

#include <gtest/gtest.h>

#include <string>

#include "geometry/ray.h"
#include "models/core/model_scene.h"

namespace zavo::test {
namespace {

TEST(AlwaysOpaque, AnswersWhatHitDetailsGivesTheShadowTest) {
  const std::string materials =
      "{ material name solid; model { phong Kd 0.55; Od (0.7,0.2,0.1); } }\n"
      "{ material name clear; model { phong Kt 0.4; Od (0.3,0.6,0.9); } }\n"
      "{ material name faint; model { phong Kt 1e-300; } }\n";
  struct Case {
    const char* what;
    std::string model;
    const char* material;  // null: none
    int opaque;
  } cases[] = {
      {"sphere without material", "sphere center ( 0.1 , -0.05 , 0.2 ); radius 1.3;", nullptr, 1},
      {"sphere, opaque", "sphere center ( 0.1 , -0.05 , 0.2 ); radius 1.3;", "solid", 1},
      {"sphere, transparent", "sphere center ( 0.1 , -0.05 , 0.2 ); radius 1.3;", "clear", 0},
      {"sphere, barely transparent", "sphere center ( 0.1 , -0.05 , 0.2 ); radius 1.3;", "faint", 0},
      {"box, opaque", "box xmin -1.1; xmax 0.9; ymin -0.7; ymax 1.3; zmin -1; zmax 1;", "solid", 1},
      {"box, transparent", "box xmin -1.1; xmax 0.9; ymin -0.7; ymax 1.3; zmin -1; zmax 1;", "clear", 0},
      {"quadric, opaque", "quad a 1; b 1; c 1; j -1.7;", "solid", 1},
      {"quadric, transparent", "quad a 1; b 1; c 1; j -1.7;", "clear", 0},
      {"cylinder, opaque", "cylinder radius 0.7; high 1.3;", "solid", 1},
      {"cylinder, transparent", "cylinder radius 0.7; high 1.3;", "clear", 0},
      {"cone, opaque", "cone radius 0.7; high 1.3;", "solid", 1},
      {"cone, transparent", "cone radius 0.7; high 1.3;", "clear", 0},
      {"transf of an opaque sphere",
       "transf t ( 0.1 , 0.2 , 0.3 ); { object name inner; material solid; model { sphere center ( 0.1 , -0.05 , 0.2 ); radius 1.3; } }",
       nullptr, 1},
      {"transf of a transparent sphere",
       "transf t ( 0.1 , 0.2 , 0.3 ); { object name inner; material clear; model { sphere center ( 0.1 , -0.05 , 0.2 ); radius 1.3; } }",
       nullptr, 0},
  };
  // Toward the origin from in front, off every axis.
  const Ray ray = Ray::FromPoints({0.31, 0.17, -20.3}, {0.02, 0.03, 0.1});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ModelScene scene;
    const std::string material = c.material != nullptr ? std::string("\tmaterial ") + c.material + ";\n" : "";
    ASSERT_EQ(scene.Load(materials + "{ object\n\tname o;\n" + material + "\tmodel { " + c.model + " }\n}\n.\n"), 1)
        << scene.Message();
    CG_GraphicObject* object = scene.Find("o");
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->AlwaysOpaque(), c.opaque);

    std::unique_ptr<CG_GraphicObjectIntrInfo> record = object->NewIntrInfo();
    ASSERT_NE(record, nullptr);
    ASSERT_GT(object->IntersectAny(ray, *record), 0);
    CG_MaterialPhong working;
    working.Kt = 0.25;  // left from an earlier hit
    Point3D point, normal;
    object->HitDetails(ray, *record, 0, working, point, normal);
    EXPECT_EQ(working.Kt == 0.0, c.opaque == 1);
  }
}

TEST(AlwaysOpaque, UnknownForObjectsThatDoNotSay) {
  ModelScene scene;
  ASSERT_EQ(scene.Load("{ object name g; model { group\n"
                       "{ object name s; model { sphere center ( 0 , 0 , 0 ); radius 1; } } } }\n.\n"),
            1);
  ASSERT_NE(scene.Find("g"), nullptr);
  EXPECT_EQ(scene.Find("g")->AlwaysOpaque(), 0);
}

}  // namespace
}  // namespace zavo::test
