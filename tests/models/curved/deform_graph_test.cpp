#include "models/curved/deform_graph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "curve_scene.h"
#include "models/core/sphere.h"
#include "models/curved/nurbs_curve.h"
#include "models/curved/polyline.h"

namespace {

using zavo::test::CurveScene;
using zavo::test::Points;
using zavo::test::Reals;
using zavo::test::Written;

CG_GraphicObject* NewPolyline(const Seq<Point3D>& points, const char* name = "g") {
  CG_GraphicObjectCommData data;
  data.name = name;
  CG_PolylineDescription d;
  d.points = points;
  return new CG_Polyline(data, d);
}

// A graph object holding the given graph (owned), or none.
std::unique_ptr<CG_PathControl> MakeGraph(CG_GraphicObject* graph, const char* id = nullptr) {
  CG_GraphicObjectCommData data;
  data.name = "d";
  data.IDname = id;
  CG_PathControlDescription d;
  d.graph = graph;
  d.graphOwned = graph != nullptr ? 1 : 0;
  return std::make_unique<CG_PathControl>(data, d);
}

TEST(DeformGraphPointAt, FollowsThePolylineInEitherDirection) {
  for (const bool reversed : {false, true}) {
    SCOPED_TRACE(reversed);
    auto graph = MakeGraph(reversed ? NewPolyline(Points({{1, 2, 0}, {0, 1, 0}}))
                                    : NewPolyline(Points({{0, 1, 0}, {1, 2, 0}})));
    EXPECT_NEAR(graph->PointAt(0.5), 1.5, 0.003);
    EXPECT_NEAR(graph->PointAt(0), 1, 0.003);
    EXPECT_NEAR(graph->PointAt(1), 2, 0.003);
    EXPECT_NEAR(graph->PointAt(0.25), 1.25, 0.003);
    EXPECT_EQ(graph->PointAt(1.5), 1.0);
    EXPECT_EQ(graph->PointAt(-0.2), 1.0);
    EXPECT_EQ(graph->PointAt(std::numeric_limits<double>::quiet_NaN()), 1.0);
    EXPECT_EQ(graph->ParamMin(), 0);
    EXPECT_EQ(graph->ParamMax(), 1);
  }
  // The bracket stays on the side of its start: at the left end exactly its y.
  auto graph = MakeGraph(NewPolyline(Points({{0, 1, 0}, {1, 2, 0}})));
  EXPECT_EQ(graph->PointAt(0), 1.0);
}

// A graph whose x jumps never gives a narrow bracket: the bisection stops
// after its bound of halvings. A missing graph or one that is no curve gives
// 1 without evaluating.
TEST(DeformGraphPointAt, JumpsAndMissingGraphsEnd) {
  // Order 2 with a doubled inner knot: x runs 0 .. 1, then jumps to 3 .. 4.
  CG_GraphicObjectCommData data;
  data.name = "g";
  CG_NURBSCurveDescription d;
  d.controls = Points({{0, 0, 0}, {1, 1, 0}, {3, 5, 0}, {4, 6, 0}});
  static_cast<Seq<double>&>(d.weights) = Reals({1, 1, 1, 1});
  static_cast<Seq<double>&>(d.knots) = Reals({0, 0, 1, 1, 2, 2});
  d.order = 2;
  auto jumping = MakeGraph(new CG_NURBSCurve(data, d));
  const double atGap = jumping->PointAt(2);
  EXPECT_NEAR(atGap, 1, 1e-9);
  EXPECT_NEAR(jumping->PointAt(0.5), 0.5, 0.003);
  EXPECT_NEAR(jumping->PointAt(3.5), 5.5, 0.003);

  EXPECT_EQ(MakeGraph(nullptr)->PointAt(0.5), 1.0);
  CG_SphereDescription ball;
  auto notACurve = MakeGraph(new GSphere(data, ball));
  EXPECT_EQ(notACurve->PointAt(0), 1.0);
}

TEST(DeformGraphReader, BodiesAndErrors) {
  struct Case {
    const char* body;
    int loads;
    int code;
    const char* message;
  };
  const char* graph = " size { object name g; model { polyline p (0,1,0); p (1,2,0); } }";
  const std::vector<Case> cases = {
      {"center ( 1 , 2 , 3 ); nx (0,0,1); ny (1,0,0); c1 5; c2 2.7; size { object name g; model { polyline } }", 1,
       0, ""},
      {"", 1, 0, ""},
      {"center ; c1 3;", 1, 5, "Wrong point definition"},
      {"center ( 1 , 2 ); c1 3;", 0, 2, "Caracter ';' not found"},
      {"c1 x;", 0, 5, "Number wanted"},
      {"c2 1 c1 2;", 0, 2, "Caracter ';' not found"},
      {"foo 1;", 0, 5, "Unknown attribute"},
      {"7;", 0, 1, "Generic Error"},
      {"size object name g; model { polyline } }", 0, 1, "Generic Error"},
      {"size { name g; model { polyline } }", 0, 3, "Word \"object\" not found"},
      {"size { object name g; model { nothing } }", 0, 1, "Generic Error"},
      {"size { object name g; model { polyline } c1 3;", 0, 2, "Caracter '}' not found"},
      {"size { object name g; model { polyline p (0,1,0); } } size { object name h; model { polyline } } foo 1;", 0,
       5, "Unknown attribute"},
      {"size { object name g; model { sphere center (0,0,0); radius 1; } }", 1, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    CurveScene scene;
    EXPECT_EQ(scene.LoadObject(std::string("deformgraph ") + c.body), c.loads);
    EXPECT_EQ(scene.Code(), c.code);
    EXPECT_EQ(scene.Message(), c.message);
    EXPECT_EQ(dynamic_cast<CG_PathControl*>(scene.Find()) != nullptr, c.loads == 1);
  }

  // Settings and defaults.
  CurveScene scene;
  ASSERT_EQ(scene.LoadObject(std::string("deformgraph center ( 1 , 2 , 3 ); nx (0,0,1); c2 2.7;") + graph), 1);
  auto* read = dynamic_cast<CG_PathControl*>(scene.Find());
  ASSERT_NE(read, nullptr);
  CG_PathControlDescription d;
  read->GetDescription(d);
  EXPECT_EQ(d.center, (Point3D{1, 2, 3}));
  EXPECT_EQ(d.nx, (Point3D{0, 0, 1}));
  EXPECT_EQ(d.ny, (Point3D{0, 1, 0}));
  EXPECT_EQ(d.c1, 0);
  EXPECT_EQ(d.c2, 2);
  EXPECT_EQ(d.graphOwned, 1);
  EXPECT_EQ(d.sysInterface, &scene.scene().GetInterface());
  auto* polyline = dynamic_cast<CG_Polyline*>(d.graph);
  ASSERT_NE(polyline, nullptr);
  EXPECT_STREQ(polyline->name.Text(), "g");
  EXPECT_EQ(polyline->ControlCount(), 2);
  EXPECT_EQ(read->Graph(), nullptr);
  read->SetDescription(d);
  EXPECT_EQ(d.graph, nullptr);
  EXPECT_EQ(read->Graph(), polyline);
  EXPECT_NEAR(read->PointAt(0.5), 1.5, 0.003);

  CurveScene defaults;
  ASSERT_EQ(defaults.LoadObject("deformgraph"), 1);
  CG_PathControlDescription e;
  dynamic_cast<CG_PathControl*>(defaults.Find())->GetDescription(e);
  EXPECT_EQ(e.center, (Point3D{}));
  EXPECT_EQ(e.nx, (Point3D{1, 0, 0}));
  EXPECT_EQ(e.ny, (Point3D{0, 1, 0}));
  EXPECT_EQ(e.c1, 0);
  EXPECT_EQ(e.c2, 1);
  EXPECT_EQ(e.graph, nullptr);

  // A point that does not read keeps the value before it.
  CurveScene kept;
  for (const char* body : {"deformgraph ny (5,5,5); ny ( 1 ; c1 3;", "deformgraph ny (5,5,5); ny ;"}) {
    SCOPED_TRACE(body);
    ASSERT_EQ(kept.LoadObject(body), 1);
    EXPECT_EQ(kept.Message(), "Wrong point definition");
    CG_PathControlDescription f;
    dynamic_cast<CG_PathControl*>(kept.Find())->GetDescription(f);
    EXPECT_EQ(f.ny, (Point3D{5, 5, 5}));
  }
}

TEST(DeformGraphWriter, WritesTheBlockExactlyAndReadsItBack) {
  CurveScene scene;
  ASSERT_EQ(scene.Load("{ object name d; IDname g1; toll 0.5; model { deformgraph c1 -3; center (0.5, 0, 1e-7); "
                       "size { object name g; IDname Q; model { polyline open 0; p (0,1,0); p (1,2,0); } } } }\n.\n"),
            1);
  const std::string text =
      "{ object\n\tname d;\n\tIDname g1;\n\ttoll 0.5;\n\tmodel { deformgraph\n\t\tcenter ( 0.5 , 0 , 1e-07 );\n\t\tnx ( 1 , 0 , 0 "
      ");\n\t\tny ( 0 , 1 , 0 );\n\t\tc1 -3;\n\t\tc2 1;\n\t\tsize { object\n\tname g;\n\tIDname Q;\n\tmodel { polyline\n\t\topen "
      "0;\n\t\tp ( 0 , 1 , 0 );\n\t\tp ( 1 , 2 , 0 );\n\t}\n}\n\n\t}\n}\n";
  EXPECT_EQ(Written(*scene.Find("d")), text);
  CurveScene again;
  ASSERT_EQ(again.Load(text + ".\n"), 1);
  EXPECT_EQ(Written(*again.Find("d")), text);

  // Without a graph there is no "size" entry, so the block reads back.
  const std::string bare =
      "{ object\n\tname d;\n\tmodel { deformgraph\n\t\tcenter ( 0 , 0 , 0 );\n\t\tnx ( 1 , 0 , 0 );\n\t\tny ( 0 , 1 , 0 "
      ");\n\t\tc1 0;\n\t\tc2 1;\n\t}\n}\n";
  EXPECT_EQ(Written(*MakeGraph(nullptr, "")), bare);
  CurveScene bareScene;
  ASSERT_EQ(bareScene.Load(bare + ".\n"), 1);
  EXPECT_EQ(Written(*bareScene.Find("d")), bare);
}

TEST(DeformGraphObject, AnswersOfTheObjectInterface) {
  auto graph = MakeGraph(NewPolyline(Points({{0, 1, 0}, {1, 2, 0}})), "A");
  EXPECT_STREQ(graph->Keyword(), "deformgraph");
  EXPECT_EQ(graph->NewCommData(), nullptr);
  EXPECT_EQ(graph->Clone(), nullptr);
  EXPECT_EQ(graph->IsRayTraceable(), 0);
  EXPECT_EQ(graph->GetBoundingObject(), nullptr);

  zavo::DeclassedParts parts;
  ASSERT_EQ(graph->DeclassToFaced(parts, 0), 1);
  ASSERT_EQ(parts.Size(), 1);
  EXPECT_EQ(parts[0].object, graph->Graph());
  EXPECT_EQ(parts[0].owned, 0);
  zavo::ReleaseDeclassedParts(parts);
  EXPECT_EQ(graph->DeclassToRayTraceable(parts), 0);
  EXPECT_EQ(graph->DeclassToTriangleMesh(parts), 0);
  EXPECT_EQ(graph->DeclassToIndexedMesh(parts, 0), 0);
  EXPECT_EQ(parts.Size(), 0);
  EXPECT_EQ(MakeGraph(nullptr)->DeclassToFaced(parts, 0), 0);
  EXPECT_EQ(parts.Size(), 0);

  Seq<CG_GraphicObject*> children(2);
  EXPECT_EQ(graph->GetChildren(children), 0);
  EXPECT_EQ(children.Count(), 2u);
  Seq<CG_NamedMaterial*> materials(2);
  EXPECT_EQ(graph->GetMaterials(materials), 1);
  EXPECT_EQ(materials.Count(), 0u);
  Seq<CG_Texture*> textures(2);
  EXPECT_EQ(graph->GetTextures(textures), 1);
  EXPECT_EQ(textures.Count(), 0u);

  CG_GraphicObjectCommData data;
  graph->GetCommData(data);
  EXPECT_STREQ(data.name.Text(), "d");
  EXPECT_STREQ(data.IDname.Text(), "A");
  data.name = "e";
  data.IDname = "B";
  graph->SetCommData(data);
  EXPECT_STREQ(graph->name.Text(), "e");
  EXPECT_STREQ(graph->IDname.Text(), "B");

  // A description that owns a graph gives it up when it receives another.
  CG_PathControlDescription d;
  d.graph = NewPolyline(Points({{0, 0, 0}}), "old");
  d.graphOwned = 1;
  const CG_GraphicObject* held = graph->Graph();
  graph->GetDescription(d);
  EXPECT_EQ(d.graph, held);
  EXPECT_EQ(graph->Graph(), nullptr);
  EXPECT_EQ(graph->PointAt(0.5), 1.0);
}

}  // namespace
