#include "models/curved/polyline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "curve_scene.h"
#include "scene/material.h"

namespace {

using zavo::test::ConvertsToNothing;
using zavo::test::CurveScene;
using zavo::test::IsFinite;
using zavo::test::Points;
using zavo::test::Written;

std::unique_ptr<CG_Polyline> MakePolyline(const Seq<Point3D>& points, int open = 1,
                                          CG_NamedMaterial* material = nullptr) {
  CG_GraphicObjectCommData data;
  data.name = "p";
  data.material = material;
  CG_PolylineDescription d;
  d.points = points;
  d.open = open;
  return std::make_unique<CG_Polyline>(data, d);
}

std::vector<Point3D> PointsOf(const CG_Polyline& polyline) {
  CG_PolylineDescription d;
  polyline.GetDescription(d);
  std::vector<Point3D> points;
  for (std::uint32_t i = 0; i < d.points.Count(); ++i) points.push_back(d.points[i]);
  return points;
}

std::vector<std::pair<int, int>> Edges(const CG_GraphicObject& object) {
  std::vector<std::pair<int, int>> edges;
  for (int i = 0; i < object.EdgeCount(); ++i) {
    int a = 0, b = 0;
    object.Edge(i, a, b);
    edges.emplace_back(a, b);
  }
  return edges;
}

const Seq<Point3D> kCorner = Points({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});

TEST(PolylineCurve, EvaluationAndDerivative) {
  auto polyline = MakePolyline(kCorner);
  EXPECT_EQ(polyline->ParamMin(), 0);
  EXPECT_EQ(polyline->ParamMax(), 2);
  struct Case {
    double t;
    Point3D point;
  };
  for (const Case& c : std::vector<Case>{{0.5, {0.5, 0, 0}},
                                         {1.5, {1, 0.5, 0}},
                                         {2, {1, 1, 0}},
                                         {7, {1, 1, 0}},
                                         {-0.5, {-0.5, 0, 0}},
                                         {-1.5, {1, 1, 0}},
                                         {0, {0, 0, 0}},
                                         {1, {1, 0, 0}},
                                         {1e300, {1, 1, 0}},
                                         {std::numeric_limits<double>::quiet_NaN(), {0, 0, 0}}}) {
    SCOPED_TRACE(c.t);
    Point3D p{9, 9, 9};
    EXPECT_EQ(polyline->Evaluate(c.t, p), 1);
    EXPECT_EQ(p, c.point);
  }
  struct Slope {
    double t;
    Point3D vector;
  };
  for (const Slope& c : std::vector<Slope>{{0.5, {1, 0, 0}}, {1.5, {0, 1, 0}}, {2, {0, 1, 0}}, {-3, {1, 0, 0}}}) {
    SCOPED_TRACE(c.t);
    Point3D v;
    EXPECT_EQ(polyline->Derive(c.t, v), 1);
    EXPECT_EQ(v, c.vector);
  }
  auto steep = MakePolyline(Points({{0, 0, 0}, {3, 4, 0}}));
  Point3D v;
  ASSERT_EQ(steep->Derive(0.2, v), 1);
  EXPECT_NEAR(v.x, 0.6, 1e-15);
  EXPECT_NEAR(v.y, 0.8, 1e-15);
}

// Polylines of no point, one point and a segment of length 0 answer every
// operation without reading outside the list.
TEST(PolylineCurve, ShortPolylines) {
  auto none = MakePolyline(Seq<Point3D>());
  Point3D p{9, 9, 9};
  EXPECT_EQ(none->Evaluate(0.5, p), 0);
  EXPECT_EQ(p, (Point3D{}));
  EXPECT_EQ(none->Derive(0.5, p), 0);
  EXPECT_EQ(p, (Point3D{}));
  EXPECT_EQ(none->ParamMax(), 0);
  EXPECT_EQ(none->VertexCount(), 0);
  EXPECT_EQ(none->EdgeCount(), 0);
  none->SetOpen(0);
  EXPECT_EQ(none->EdgeCount(), 0);
  EXPECT_EQ(none->GetBoundingObject(), nullptr);
  EXPECT_EQ(none->GetControl(0, p), 0);

  auto single = MakePolyline(Points({{4, 5, 6}}));
  for (double t : {-2.0, -0.5, 0.0, 0.5, 3.0}) {
    EXPECT_EQ(single->Evaluate(t, p), 1);
    EXPECT_EQ(p, (Point3D{4, 5, 6}));
  }
  EXPECT_EQ(single->Derive(0, p), 0);
  EXPECT_EQ(p, (Point3D{}));
  EXPECT_EQ(single->EdgeCount(), 0);
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(single.get(), box), 1);
  EXPECT_EQ(box, (GEO_Box{4, 4, 5, 5, 6, 6}));

  auto flat = MakePolyline(Points({{1, 1, 1}, {1, 1, 1}, {2, 1, 1}}));
  EXPECT_EQ(flat->Derive(0.5, p), 0);
  EXPECT_EQ(p, (Point3D{}));
  EXPECT_EQ(flat->Derive(1.5, p), 1);
  EXPECT_EQ(p, (Point3D{1, 0, 0}));
}

TEST(PolylineCurve, VerticesAndEdgesOpenAndClosed) {
  auto polyline = MakePolyline(kCorner, 0);
  EXPECT_EQ(polyline->VertexCount(), 3);
  Point3D v;
  polyline->Vertex(2, v);
  EXPECT_EQ(v, (Point3D{1, 1, 0}));
  EXPECT_EQ(Edges(*polyline), (std::vector<std::pair<int, int>>{{1, 2}, {2, 3}, {3, 1}}));
  ASSERT_EQ(polyline->SetOpen(1), 1);
  EXPECT_EQ(polyline->GetOpen(), 1);
  EXPECT_EQ(Edges(*polyline), (std::vector<std::pair<int, int>>{{1, 2}, {2, 3}}));
  EXPECT_EQ(polyline->IsFaced(0), 1);
  EXPECT_EQ(polyline->HasEdges(), 1);
  EXPECT_EQ(polyline->FaceCount(), 0);
}

TEST(PolylineEditing, SetControlGrowsTheListAndRenewsTheBox) {
  auto polyline = MakePolyline(kCorner);
  ASSERT_EQ(polyline->SetControl(5, {7, -8, 9}), 1);
  EXPECT_EQ(polyline->ControlCount(), 6);
  EXPECT_EQ(PointsOf(*polyline),
            (std::vector<Point3D>{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {0, 0, 0}, {7, -8, 9}}));
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(polyline.get(), box), 1);
  EXPECT_EQ(box, (GEO_Box{0, 7, -8, 1, 0, 9}));
  ASSERT_EQ(polyline->SetControl(1, {-100, 0, 0}), 1);
  ASSERT_EQ(CG_GraphicObject::GetBox(polyline.get(), box), 1);
  EXPECT_EQ(box.xmin, -100);
  ASSERT_EQ(polyline->CopyControl(5, 0), 1);
  Point3D p;
  ASSERT_EQ(polyline->GetControl(0, p), 1);
  EXPECT_EQ(p, (Point3D{7, -8, 9}));
  ASSERT_EQ(polyline->SetControlCount(2), 1);
  EXPECT_EQ(PointsOf(*polyline), (std::vector<Point3D>{{7, -8, 9}, {-100, 0, 0}}));
  ASSERT_EQ(CG_GraphicObject::GetBox(polyline.get(), box), 1);
  EXPECT_EQ(box, (GEO_Box{-100, 7, -8, 0, 0, 9}));
  ASSERT_EQ(polyline->SetControlCount(0), 1);
  EXPECT_EQ(polyline->GetBoundingObject(), nullptr);
  ASSERT_EQ(polyline->SetControl(0, {1, 2, 3}), 1);
  EXPECT_EQ(PointsOf(*polyline), (std::vector<Point3D>{{1, 2, 3}}));
}

TEST(PolylineReader, BodiesAndErrors) {
  struct Case {
    const char* body;
    int loads;
    std::vector<Point3D> points;
    int open;
    int code;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"p ( 0 , 0 , 0 ); p (1,0.5,0); open 0;", 1, {{0, 0, 0}, {1, 0.5, 0}}, 0, 0, ""},
      {"open 2.9; p (1,2,3);", 1, {{1, 2, 3}}, 2, 0, ""},
      {"", 1, {}, 1, 0, ""},
      {"p ; p (1,1,1);", 1, {{0, 0, 0}, {1, 1, 1}}, 1, 5, "Wrong point definition"},
      {"p ( 1 , 2 ); p (1,1,1);", 0, {}, 0, 2, "Caracter ';' not found"},
      {"p (1,2,3)", 0, {}, 0, 2, "Caracter ';' not found"},
      {"open x;", 0, {}, 0, 5, "Number wanted"},
      {"open 1e20;", 0, {}, 0, 5, "Number wanted"},
      {"q (1,2,3);", 0, {}, 0, 5, "Unknown attribute"},
      {"P (1,2,3);", 0, {}, 0, 5, "Unknown attribute"},
      {"(1,2,3);", 0, {}, 0, 1, "Generic Error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    CurveScene scene;
    EXPECT_EQ(scene.LoadObject(std::string("polyline ") + c.body), c.loads);
    EXPECT_EQ(scene.Code(), c.code);
    EXPECT_EQ(scene.Message(), c.message);
    auto* polyline = dynamic_cast<CG_Polyline*>(scene.Find());
    ASSERT_EQ(polyline != nullptr, c.loads == 1);
    if (polyline == nullptr) continue;
    EXPECT_EQ(PointsOf(*polyline), c.points);
    EXPECT_EQ(polyline->GetOpen(), c.open);
    CG_PolylineDescription d;
    polyline->GetDescription(d);
    EXPECT_EQ(d.sysInterface, &scene.scene().GetInterface());
  }
}

TEST(PolylineWriter, WritesTheBlockExactlyAndReadsItBack) {
  CurveScene scene;
  ASSERT_EQ(scene.Load("{ object name p; IDname Z; toll 0.2; model { polyline open 0; p (0,0,0); p (1, 0.5, 0); } "
                       "}\n.\n"),
            1);
  const std::string text = "{ object\n\tname p;\n\tIDname Z;\n\ttoll 0.2;\n\tmodel { polyline\n\t\topen 0;\n\t\tp ( 0 , 0 , 0 );\n\t\tp ( 1 , 0.5 , "
                           "0 );\n\t}\n}\n";
  EXPECT_EQ(Written(*scene.Find("p")), text);
  CurveScene again;
  ASSERT_EQ(again.Load(text + ".\n"), 1);
  EXPECT_EQ(Written(*again.Find("p")), text);

  CG_NamedMaterial gold("gold", new CG_MaterialPhong());
  auto odd = MakePolyline(Points({{0.123456789, -1e-7, 1234567}}), 5, &gold);
  EXPECT_EQ(Written(*odd),
            "{ object\n\tname p;\n\tmaterial gold;\n\tmodel { polyline\n\t\topen 5;\n\t\tp ( 0.123457 , -1e-07 , "
            "1.23457e+06 );\n\t}\n}\n");
  EXPECT_EQ(Written(*MakePolyline(Seq<Point3D>())), "{ object\n\tname p;\n\tmodel { polyline\n\t\topen 1;\n\t}\n}\n");
}

TEST(PolylineObject, CloneColourAndConversions) {
  CG_NamedMaterial red("red", new CG_MaterialPhong());
  red.model->SetColour({1, 0, 0});
  CG_GraphicObjectCommData data;
  data.name = "p";
  data.IDname = "B";
  data.material = &red;
  data.mapping = std::make_unique<CG_SphericalMapping>(Point3D{}, Point3D{1, 0, 0}, Point3D{0, 1, 0}, 1, 1);
  CG_PolylineDescription d;
  d.points = kCorner;
  d.open = 0;
  CG_Polyline polyline(data, d);
  EXPECT_STREQ(polyline.Keyword(), "polyline");

  std::unique_ptr<CG_GraphicObject> copy = polyline.Clone();
  auto* clone = dynamic_cast<CG_Polyline*>(copy.get());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(Written(*clone), zavo::test::WithoutIDnameAndToll(Written(polyline)));
  EXPECT_EQ(clone->material, &red);
  ASSERT_NE(clone->mapping, nullptr);
  EXPECT_NE(clone->mapping.get(), polyline.mapping.get());
  EXPECT_EQ(clone->IDname.Text(), nullptr);

  Point3D colour;
  polyline.FaceColour(0, colour);
  EXPECT_EQ(colour, (Point3D{1, 0, 0}));
  EXPECT_EQ(polyline.MeshMaterial(), red.model);
  auto plain = MakePolyline(kCorner);
  colour = {1, 1, 1};
  plain->FaceColour(0, colour);
  EXPECT_EQ(colour, (Point3D{}));
  EXPECT_EQ(plain->MeshMaterial(), nullptr);

  EXPECT_EQ(polyline.IsRayTraceable(), 0);
  EXPECT_TRUE(ConvertsToNothing(polyline));
  Seq<CG_NamedMaterial*> materials(2);
  EXPECT_EQ(polyline.GetMaterials(materials), 0);
  EXPECT_EQ(materials.Count(), 2u);
  Seq<CG_GraphicObject*> children(1);
  EXPECT_EQ(polyline.GetChildren(children), 0);
  EXPECT_EQ(children.Count(), 1u);
}

}  // namespace
