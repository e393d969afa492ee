// Scene texts with the curve model types on the full registry: from text to
// objects and back to text, and what the curves give to the tracer.

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "models/core/sphere.h"
#include "models/curved/bezier_curve.h"
#include "models/curved/deform_graph.h"
#include "models/curved/nurbs_curve.h"
#include "models/curved/polyline.h"
#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

// One object of each curve type, with a material, beside a sphere; the
// control points span (-5, -5, -1) to (5, 5, 1).
const char kScene[] =
    "{ material name gold; model { phong Od (1,0.8,0); } }\n"
    "{ object name ball; material gold; model { sphere center ( 0 , 0 , 0 ); radius 1; } }\n"
    "{ object name nurbs; material gold; model { NURBScurve open 0; div 2; order 3; ncontrol 3;\n"
    "  control { ( -5 , -5 , -1 ) , 1; ( 0 , 5 , 0 ) , 0.707107; ( 5 , -5 , 1 ) , 1; }\n"
    "  knots { 0; 0; 0; 1; 1; 1; } } }\n"
    "{ object name bezier; material gold; model { beziercurve div 4; ncontrol 4;\n"
    "  control { ( -5 , 5 , 1 ) , 1; ( -2 , -5 , 0 ) , 2; ( 2 , 5 , 0 ) , 1; ( 5 , -5 , -1 ) , 1; } } }\n"
    "{ object name line; material gold; model { polyline open 0; p ( -5 , -5 , -1 ); p ( 5 , 0 , 0 ); p ( 0 , 5 , 1 ); "
    "} }\n"
    "{ object name graph; IDname G; model { deformgraph c1 1; c2 3;\n"
    "  size { object name profile; material gold; model { polyline p ( -5 , -5 , 0 ); p ( 5 , 5 , 1 ); } } } }\n"
    ".\n";

std::string WriteScene(const CG_GraphicScene& scene) {
  std::ostringstream os;
  scene.Write(os);
  return os.str();
}

std::map<std::string, std::string> ObjectTexts(const CG_GraphicScene& scene) {
  std::map<std::string, std::string> texts;
  for (const CG_GraphicObject& object : scene.GetObjects()) {
    std::ostringstream os;
    object.Write(os);
    texts[object.name.Text()] = os.str();
  }
  return texts;
}

TEST(CurveSceneModels, OneCurveOfEachTypeLoadsWritesAndLoadsAgain) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  CG_GraphicScene first(registry);
  std::istringstream in(kScene);
  ASSERT_EQ(first.Load(in), 1) << first.GetErrorMessage() << " at line " << first.GetErrorLine();
  EXPECT_EQ(first.GetErrorCode(), 0);
  EXPECT_NE(dynamic_cast<CG_NURBSCurve*>(first.FindObject("nurbs")), nullptr);
  EXPECT_NE(dynamic_cast<CG_BezierCurve*>(first.FindObject("bezier")), nullptr);
  EXPECT_NE(dynamic_cast<CG_Polyline*>(first.FindObject("line")), nullptr);
  auto* graph = dynamic_cast<CG_PathControl*>(first.FindObject("graph"));
  ASSERT_NE(graph, nullptr);
  EXPECT_NE(dynamic_cast<const CG_Polyline*>(graph->Graph()), nullptr);
  EXPECT_NEAR(graph->PointAt(0), 0, 0.003);

  const std::string written = WriteScene(first);
  CG_GraphicScene second(registry);
  std::istringstream again(written);
  ASSERT_EQ(second.Load(again), 1) << second.GetErrorMessage() << " at line " << second.GetErrorLine();
  EXPECT_EQ(ObjectTexts(second), ObjectTexts(first));
  EXPECT_EQ(ObjectTexts(first).size(), 5u);
  EXPECT_EQ(WriteScene(second), written);
  EXPECT_NE(written.find("\tname graph;\n\tIDname G;\n\tmodel { deformgraph\n"), std::string::npos);
  EXPECT_NE(written.find("\t\tsize { object\n\tname profile;\n\tmaterial gold;\n\tmodel { polyline\n"),
            std::string::npos);
}

// The curves stay out of images: only the sphere reaches the tracer, though
// the registry's stand-in box could stand in for any object with a box.
TEST(CurveSceneModels, OnlyTheSphereIsTraced) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  CG_GraphicScene scene(registry);
  std::istringstream in(kScene);
  ASSERT_EQ(scene.Load(in), 1);
  scene.PrepareTraceData();
  int entries = 0;
  for (const CG_GraphicObjectQZData& entry : scene.GetTraceList()) {
    ++entries;
    EXPECT_NE(dynamic_cast<const GSphere*>(entry.object), nullptr);
  }
  EXPECT_EQ(entries, 1);
}

}  // namespace
