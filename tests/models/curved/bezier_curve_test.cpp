#include "models/curved/bezier_curve.h"

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

std::unique_ptr<CG_BezierCurve> MakeCurve(const Seq<Point3D>& controls, int div = 3) {
  CG_GraphicObjectCommData data;
  data.name = "c";
  CG_BezierCurveDescription d;
  d.controls = controls;
  d.div = div;
  return std::make_unique<CG_BezierCurve>(data, d);
}

std::vector<int> Tags(const CG_BezierCurve& curve) {
  CG_BezierCurveDescription d;
  curve.GetDescription(d);
  std::vector<int> tags;
  for (std::uint32_t i = 0; i < d.tags.Count(); ++i) tags.push_back(d.tags[i]);
  return tags;
}

const Seq<Point3D> kSeven =
    Points({{0, 0, 0}, {1, 2, 0}, {2, 2, 1}, {3, 0, 1}, {4, -2, 1}, {5, -1, 0}, {6, 0, 0.5}});

TEST(BezierCurveSampling, SevenControlsMakeTwoSegments) {
  auto curve = MakeCurve(kSeven);
  EXPECT_EQ(curve->ParamMin(), 0);
  EXPECT_EQ(curve->ParamMax(), 2);
  ASSERT_EQ(curve->VertexCount(), 21);
  ASSERT_EQ(curve->EdgeCount(), 20);
  for (int i = 0; i < 21; ++i) {
    Point3D vertex, expected;
    curve->Vertex(i, vertex);
    ASSERT_EQ(curve->Evaluate(i * 2.0 / 3 / 7, expected), 1);
    EXPECT_EQ(vertex, expected) << i;
  }
  int a = 0, b = 0;
  curve->Edge(19, a, b);
  EXPECT_EQ(a, 20);
  EXPECT_EQ(b, 21);
  Point3D p;
  ASSERT_EQ(curve->Evaluate(1, p), 1);
  EXPECT_EQ(p, kSeven[3]);
  ASSERT_EQ(curve->Evaluate(0, p), 1);
  EXPECT_EQ(p, kSeven[0]);
  // The middle of the first segment.
  ASSERT_EQ(curve->Evaluate(0.5, p), 1);
  EXPECT_EQ(p, (kSeven[0] + 3.0 * kSeven[1] + 3.0 * kSeven[2] + kSeven[3]) * 0.125);
  // The end itself, and beyond it the last segment's cubic goes on.
  ASSERT_EQ(curve->Evaluate(2, p), 1);
  EXPECT_EQ(p, kSeven[6]);
  ASSERT_EQ(curve->Evaluate(2.25, p), 1);
  const double s = 1.25, r = 1 - s;
  const Point3D extended =
      (r * r * r) * kSeven[3] + (3 * s * r * r) * kSeven[4] + (3 * s * s * r) * kSeven[5] + (s * s * s) * kSeven[6];
  EXPECT_EQ(p, extended);
  // Closed curves get no closing edge.
  curve->SetOpen(0);
  EXPECT_EQ(curve->EdgeCount(), 20);
}

TEST(BezierCurveSampling, ControlsAfterTheLastSegmentAreKeptButNotDrawn) {
  Seq<Point3D> five = Points({{0, 0, 0}, {1, 1, 0}, {2, 1, 0}, {3, 0, 0}, {9, 9, 9}});
  auto curve = MakeCurve(five);
  EXPECT_EQ(curve->ParamMax(), 1);
  ASSERT_EQ(curve->VertexCount(), 15);
  std::vector<Point3D> before(15);
  for (int i = 0; i < 15; ++i) curve->Vertex(i, before[static_cast<std::size_t>(i)]);
  ASSERT_EQ(curve->SetControl(4, {-50, 0, 0}), 1);
  for (int i = 0; i < 15; ++i) {
    Point3D v;
    curve->Vertex(i, v);
    EXPECT_EQ(v, before[static_cast<std::size_t>(i)]);
  }
  Point3D control;
  ASSERT_EQ(curve->GetControl(4, control), 1);
  EXPECT_EQ(control, (Point3D{-50, 0, 0}));
  EXPECT_NE(Written(*curve).find("\t\t\t( -50 , 0 , 0 ) , 1;\n"), std::string::npos);
}

// Fewer than four controls, and parameters at and beyond the end, read no
// control past the last one and give finite points.
TEST(BezierCurveSampling, ShortCurvesAndParametersBeyondTheEnd) {
  const Seq<Point3D> three = Points({{1, 0, 0}, {2, 2, 0}, {3, 0, 0}});
  struct Case {
    std::uint32_t n;
    double max;
  };
  for (const Case& c : std::vector<Case>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1}, {6, 1}, {7, 2}}) {
    SCOPED_TRACE(c.n);
    Seq<Point3D> controls(c.n);
    for (std::uint32_t i = 0; i < c.n; ++i) controls[i] = i < 3 ? three[i] : Point3D{1.0 * i, 1, 1};
    auto curve = MakeCurve(controls);
    EXPECT_EQ(curve->ParamMax(), c.max);
    EXPECT_EQ(curve->VertexCount(), static_cast<int>(3 * c.n));
    for (int i = 0; i < curve->VertexCount(); ++i) {
      Point3D v{NAN, NAN, NAN};
      curve->Vertex(i, v);
      EXPECT_TRUE(IsFinite(v)) << i;
    }
    for (double t : {0.0, c.max, c.max + 0.25, -0.5, 1e300, std::numeric_limits<double>::quiet_NaN()}) {
      Point3D p{NAN, NAN, NAN};
      EXPECT_EQ(curve->Evaluate(t, p), c.n > 0 ? 1 : 0) << t;
      if (std::fabs(t) < 1e10) {
        EXPECT_TRUE(IsFinite(p)) << t;
      }
    }
  }
  // One control: that point everywhere; two: segment 0 runs from the first to the second.
  auto single = MakeCurve(Points({{4, 5, 6}}));
  Point3D p;
  single->Evaluate(0.7, p);
  EXPECT_EQ(p, (Point3D{4, 5, 6}));
  auto pair = MakeCurve(Points({{0, 0, 0}, {2, 0, 0}}));
  pair->Evaluate(1, p);
  EXPECT_EQ(p, (Point3D{2, 0, 0}));
  pair->Evaluate(0.5, p);
  EXPECT_EQ(p, (Point3D{1.75, 0, 0}));
  auto none = MakeCurve(Seq<Point3D>());
  EXPECT_EQ(none->Evaluate(0, p), 0);
  EXPECT_EQ(p, (Point3D{}));
  EXPECT_EQ(none->EdgeCount(), 0);
  EXPECT_EQ(none->GetBoundingObject(), nullptr);
}

TEST(BezierCurveReader, BodiesAndErrors) {
  struct Case {
    const char* body;
    int loads;
    int code;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"open 0; div 2; ncontrol 2; control { ( 0 , 0 , 0 ) , 1; ( 1 , 0 , 0 ) , 7.9; }", 1, 0, ""},
      {"control { } ncontrol 1; div -1;", 1, 0, ""},
      {"", 1, 0, ""},
      {"div 1000; ncontrol 100000;", 1, 0, ""},
      {"ncontrol -1;", 0, 5, "Number wanted"},
      {"ncontrol 100001;", 0, 5, "Number wanted"},
      {"div 1001;", 0, 5, "Number wanted"},
      {"div x;", 0, 5, "Number wanted"},
      {"ncontrol 1; control { (0,0,0), t; }", 0, 5, "Number wanted"},
      {"ncontrol 1; control { (0,0,0), 1e20; }", 0, 5, "Number wanted"},
      {"order 4;", 0, 5, "Unknown attribute"},
      {"open 1 div 3;", 0, 2, "Caracter ';' not found"},
      {"control { ( 0 , 0 , 0 ) , 1; } ncontrol 1;", 0, 2, "Caracter '}' not found"},
      {"ncontrol 1; control ( 0 , 0 , 0 ) , 1; }", 0, 2, "Caracter '{' not found"},
      {"ncontrol 1; control { ( 0 , 0 , z ) , 1; }", 0, 5, "Wrong point definition"},
      {"ncontrol 1; control { ( 0 , 0 , 0 ) 1; }", 0, 2, "Caracter ',' not found"},
      {"ncontrol 1; control { ( 0 , 0 , 0 ) , 1; ( 1 , 1 , 1 ) , 1; }", 0, 2, "Caracter '}' not found"},
      {"( open 1;", 0, 1, "Generic Error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    CurveScene scene;
    EXPECT_EQ(scene.LoadObject(std::string("beziercurve ") + c.body), c.loads);
    EXPECT_EQ(scene.Code(), c.code);
    EXPECT_EQ(scene.Message(), c.message);
    EXPECT_EQ(dynamic_cast<CG_BezierCurve*>(scene.Find()) != nullptr, c.loads == 1);
  }

  CurveScene scene;
  ASSERT_EQ(scene.LoadObject("beziercurve open 0; div 2; ncontrol 2; control { ( 0 , 0 , 0 ) , 1; ( 1 , 0 , 0 ) , "
                             "7.9; }"),
            1);
  auto* curve = dynamic_cast<CG_BezierCurve*>(scene.Find());
  CG_BezierCurveDescription d;
  curve->GetDescription(d);
  EXPECT_EQ(d.open, 0);
  EXPECT_EQ(d.div, 2);
  ASSERT_EQ(d.controls.Count(), 2u);
  EXPECT_EQ(d.controls[1], (Point3D{1, 0, 0}));
  EXPECT_EQ(Tags(*curve), (std::vector<int>{1, 7}));
  EXPECT_EQ(d.progress, &scene.scene().GetInterface());
  CurveScene defaults;
  ASSERT_EQ(defaults.LoadObject("beziercurve"), 1);
  dynamic_cast<CG_BezierCurve*>(defaults.Find())->GetDescription(d);
  EXPECT_EQ(d.open, 1);
  EXPECT_EQ(d.div, 3);
  EXPECT_EQ(d.controls.Count(), 0u);
}

TEST(BezierCurveWriter, WritesTheBlockExactlyAndReadsItBack) {
  CurveScene scene;
  const std::string text =
      "{ material name gold; model { phong } }\n"
      "{ object name b; IDname Q; material gold; model { beziercurve open 0; div 4; ncontrol 2; control { "
      "( 0.123456789 , -1e-7 , 1234567 ) , 3; ( 1 , 2 , 3 ) , -2; } } }\n.\n";
  ASSERT_EQ(scene.Load(text), 1);
  const std::string written = Written(*scene.Find("b"));
  EXPECT_EQ(written,
            "{ object\n\tname b;\n\tIDname Q;\n\tmaterial gold;\n\tmodel { beziercurve\n\t\topen 0;\n\t\tdiv 4;\n\t\tncontrol "
            "2;\n\t\tcontrol {\n\t\t\t( 0.123457 , -1e-07 , 1.23457e+06 ) , 3;\n\t\t\t( 1 , 2 , 3 ) , "
            "-2;\n\t\t\t}\n\t}\n}\n");
  CurveScene again;
  ASSERT_EQ(again.Load("{ material name gold; model { phong } }\n" + written + ".\n"), 1);
  EXPECT_EQ(Written(*again.Find("b")), written);

  auto empty = MakeCurve(Seq<Point3D>());
  EXPECT_EQ(Written(*empty),
            "{ object\n\tname c;\n\tmodel { beziercurve\n\t\topen 1;\n\t\tdiv 3;\n\t\tncontrol 0;\n\t\tcontrol "
            "{\n\t\t\t}\n\t}\n}\n");
}

TEST(BezierCurveEditing, ControlCountAndCopiesKeepTagsAndTheBox) {
  auto curve = MakeCurve(Points({{0, 0, 0}, {1, 1, 0}, {2, 1, 0}, {3, 0, 0}}));
  EXPECT_EQ(curve->ParamMax(), 1);
  ASSERT_EQ(curve->SetControlCount(7), 1);
  EXPECT_EQ(curve->ControlCount(), 7);
  EXPECT_EQ(curve->ParamMax(), 2);
  EXPECT_EQ(Tags(*curve), (std::vector<int>{1, 1, 1, 1, 1, 1, 1}));

  CurveScene scene;
  ASSERT_EQ(scene.LoadObject("beziercurve ncontrol 3; control { (0,0,0), 5; (1,1,1), 6; (2,0,0), 7; }"), 1);
  auto* tagged = dynamic_cast<CG_BezierCurve*>(scene.Find());
  ASSERT_EQ(tagged->CopyControl(2, 0), 1);
  EXPECT_EQ(Tags(*tagged), (std::vector<int>{7, 6, 7}));
  Point3D p;
  tagged->GetControl(0, p);
  EXPECT_EQ(p, (Point3D{2, 0, 0}));
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(tagged, box), 1);
  EXPECT_EQ(box, (GEO_Box{1, 2, 0, 1, 0, 1}));
  ASSERT_EQ(tagged->SetControl(1, {-10, 20, 30}), 1);
  ASSERT_EQ(CG_GraphicObject::GetBox(tagged, box), 1);
  EXPECT_EQ(box, (GEO_Box{-10, 2, 0, 20, 0, 30}));
  EXPECT_EQ(Tags(*tagged), (std::vector<int>{7, 6, 7}));
  ASSERT_EQ(tagged->SetControlCount(5), 1);
  EXPECT_EQ(Tags(*tagged), (std::vector<int>{7, 6, 7, 1, 1}));
  ASSERT_EQ(CG_GraphicObject::GetBox(tagged, box), 1);
  EXPECT_EQ(box, (GEO_Box{-10, 2, 0, 20, 0, 30}));
  ASSERT_EQ(tagged->SetControlCount(1), 1);
  ASSERT_EQ(CG_GraphicObject::GetBox(tagged, box), 1);
  EXPECT_EQ(box, (GEO_Box{2, 2, 0, 0, 0, 0}));
}

TEST(BezierCurveObject, AnswersOfTheObjectInterface) {
  CG_NamedMaterial gold("gold", new CG_MaterialPhong());
  CG_GraphicObjectCommData data;
  data.name = "c";
  data.material = &gold;
  CG_BezierCurveDescription d;
  d.controls = kSeven;
  CG_BezierCurve curve(data, d);
  EXPECT_STREQ(curve.Keyword(), "beziercurve");
  EXPECT_EQ(curve.IsCurve(), 1);
  EXPECT_EQ(curve.IsFaced(0), 1);
  EXPECT_EQ(curve.HasEdges(), 1);
  EXPECT_EQ(curve.IsRayTraceable(), 0);
  Point3D colour{1, 1, 1};
  curve.FaceColour(0, colour);
  EXPECT_EQ(colour, (Point3D{}));
  EXPECT_EQ(curve.NewCommData(), nullptr);
  EXPECT_EQ(curve.Clone(), nullptr);
  EXPECT_TRUE(ConvertsToNothing(curve));
  Seq<CG_NamedMaterial*> materials(2);
  EXPECT_EQ(curve.GetMaterials(materials), 0);
  EXPECT_EQ(materials.Count(), 2u);
  Seq<CG_Texture*> textures(1);
  EXPECT_EQ(curve.GetTextures(textures), 0);
  EXPECT_EQ(textures.Count(), 1u);
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(&curve, box), 1);
  EXPECT_EQ(box, (GEO_Box{0, 6, -2, 2, 0, 1}));
}

TEST(BezierCurveObjectDeathTest, DeriveIsNotDefined) {
  auto curve = MakeCurve(kSeven);
  Point3D v;
  EXPECT_EXIT(curve->Derive(0.5, v), ::testing::ExitedWithCode(1), "Runtime Error: Bezier Derive not def");
}

}  // namespace
