// Point lamps in both forms through the full registry.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "models/core/point_lamp.h"
#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

TEST(PointLampScene, BothFormsLoadAsLampObjects) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  CG_GraphicScene scene(registry);
  std::istringstream in(
      "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 1 , 2 , 3 );\n\tcolor (1,0.5,0);\n}\n}\n"
      "{ object name P; model { pointlamp center ( 0 , 0 , 5 ); } }\n.\n");
  ASSERT_EQ(scene.Load(in), 1) << scene.GetErrorMessage() << " at line " << scene.GetErrorLine();
  EXPECT_TRUE(scene.GetLights().IsEmpty());
  const CG_GraphicObject* l = scene.FindObject("L");
  const CG_GraphicObject* p = scene.FindObject("P");
  ASSERT_NE(dynamic_cast<const GXPointLamp*>(l), nullptr);
  ASSERT_NE(dynamic_cast<const GXPointLamp*>(p), nullptr);
  EXPECT_EQ(l->Position(), (Point3D{1, 2, 3}));
  EXPECT_EQ(l->ColourAt({}, {0, 0, 1}), (Point3D{1, 0.5, 0}));
  EXPECT_EQ(p->Position(), (Point3D{0, 0, 5}));
  EXPECT_EQ(p->ColourAt({}, {0, 0, 1}), (Point3D{1, 1, 1}));
}

// Objects and lamp sections without a name are written as "name ;"; such a
// text reads back as an unnamed object and the scene survives a round trip.
TEST(PointLampScene, UnnamedObjectsAndLampsSurviveWriteAndLoad) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  CG_GraphicScene scene(registry);
  std::istringstream in(
      "{ lamp\n\tmodel { pointlamp\npos ( 1 , 2 , 3 );\n\tcolor (1,0.5,0);\n}\n}\n"
      "{ object model { sphere center ( 0 , 0 , -3 ); radius 1; } }\n.\n");
  ASSERT_EQ(scene.Load(in), 1) << scene.GetErrorMessage() << " at line " << scene.GetErrorLine();
  std::ostringstream first;
  scene.Write(first);
  CG_GraphicScene again(registry);
  std::istringstream back(first.str());
  ASSERT_EQ(again.Load(back), 1) << again.GetErrorMessage() << " at line " << again.GetErrorLine()
                                 << "\n" << first.str();
  std::ostringstream second;
  again.Write(second);
  EXPECT_EQ(second.str(), first.str());
  EXPECT_NE(first.str().find("name ;"), std::string::npos) << first.str();
}

}  // namespace
