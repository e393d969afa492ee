#include "models/curved/nurbs_curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "curve_scene.h"
#include "geometry/bspline_surface.h"
#include "scene/material.h"

namespace {

using zavo::test::ConvertsToNothing;
using zavo::test::CurveScene;
using zavo::test::IsFinite;
using zavo::test::Points;
using zavo::test::Reals;
using zavo::test::Written;

CG_NURBSCurveDescription Description(const Seq<Point3D>& controls, const Vector<double>& weights, int order,
                                     const Vector<double>& knots, int div = 3) {
  CG_NURBSCurveDescription d;
  d.controls = controls;
  static_cast<Seq<double>&>(d.weights) = weights;
  static_cast<Seq<double>&>(d.knots) = knots;
  d.order = order;
  d.div = div;
  return d;
}

std::unique_ptr<CG_NURBSCurve> MakeCurve(const CG_NURBSCurveDescription& d, const char* name = "c") {
  CG_GraphicObjectCommData data;
  data.name = name;
  return std::make_unique<CG_NURBSCurve>(data, d);
}

CG_NURBSCurveDescription DescriptionOf(const CG_NURBSCurve& curve) {
  CG_NURBSCurveDescription d;
  curve.GetDescription(d);
  return d;
}

std::vector<double> Values(const Seq<double>& seq) {
  std::vector<double> v;
  for (std::uint32_t i = 0; i < seq.Count(); ++i) v.push_back(seq[i]);
  return v;
}

Vector<double> Uniform(int count) {
  Vector<double> knots(static_cast<std::uint32_t>(count));
  for (int i = 0; i < count; ++i) knots[static_cast<std::uint32_t>(i)] = i;
  return knots;
}

Vector<double> Filled(int count, double value) {
  Vector<double> v(static_cast<std::uint32_t>(count));
  for (int i = 0; i < count; ++i) v[static_cast<std::uint32_t>(i)] = value;
  return v;
}

const Seq<Point3D> kFour = Points({{0, 0, 0}, {1, 2, 0}, {3, 2, 1}, {4, 0, 1}});

TEST(NURBSCurveSampling, SmallCurves) {
  struct Case {
    const char* what;
    CG_NURBSCurveDescription d;
    double min, max;
    int vertices, edges;
  };
  std::vector<Case> cases;
  cases.push_back({"cubic, uniform knots", Description(kFour, Filled(4, 1), 4, Uniform(8)), 3, 4, 12, 11});
  cases.push_back({"div 0", Description(kFour, Filled(4, 1), 4, Uniform(8), 0), 3, 4, 0, 0});
  cases.push_back({"div -2", Description(kFour, Filled(4, 1), 4, Uniform(8), -2), 3, 4, 0, 0});
  cases.push_back({"linear, div 2", Description(kFour, Filled(4, 1), 2, Uniform(6), 2), 1, 4, 8, 7});
  cases.push_back({"no controls", Description(Seq<Point3D>(), Vector<double>(), 4, Filled(4, 0)), 0, 0, 0, 0});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto curve = MakeCurve(c.d);
    EXPECT_EQ(curve->ParamMin(), c.min);
    EXPECT_EQ(curve->ParamMax(), c.max);
    ASSERT_EQ(curve->VertexCount(), c.vertices);
    ASSERT_EQ(curve->EdgeCount(), c.edges);
    const int n = static_cast<int>(c.d.controls.Count());
    for (int i = 0; i < c.vertices; ++i) {
      Point3D vertex, expected;
      curve->Vertex(i, vertex);
      curve->Evaluate(c.min + i * (c.max - c.min) / c.d.div / n, expected);
      EXPECT_EQ(vertex, expected) << i;
    }
    for (int i = 0; i < c.edges; ++i) {
      int a = 0, b = 0;
      curve->Edge(i, a, b);
      EXPECT_EQ(a, i + 1);
      EXPECT_EQ(b, i + 2);
    }
  }
  // The first curve: samples from t = 3 in steps of 1/12, the last one before the end.
  auto cubic = MakeCurve(cases[0].d);
  Point3D last, atEleven;
  cubic->Vertex(11, last);
  cubic->Evaluate(3 + 11.0 / 12, atEleven);
  EXPECT_NEAR(Length(last - atEleven), 0, 1e-15);
  // Closed curves get no closing edge.
  cubic->SetOpen(0);
  EXPECT_EQ(cubic->EdgeCount(), 11);
}

TEST(NURBSCurveEvaluation, EqualWeightsGiveThePlainBSpline) {
  auto ones = MakeCurve(Description(kFour, Filled(4, 1), 4, Uniform(8)));
  auto twos = MakeCurve(Description(kFour, Filled(4, 2), 4, Uniform(8)));
  for (int i = 0; i <= 20; ++i) {
    const double t = 3 + i / 20.0;
    Point3D a, b;
    ones->Evaluate(t, a);
    twos->Evaluate(t, b);
    EXPECT_EQ(a, b) << t;
  }
  // The uniform cubic B-spline at its start: (P0 + 4 P1 + P2) / 6.
  Point3D start;
  ASSERT_EQ(ones->Evaluate(3, start), 1);
  const Point3D expected = (kFour[0] + 4.0 * kFour[1] + kFour[2]) * (1.0 / 6);
  EXPECT_NEAR(Length(start - expected), 0, 1e-15);
}

// The rational quadratic quarter circle: every point at distance 1 from the
// origin, the end of the clamped knot vector included.
TEST(NURBSCurveEvaluation, RationalQuarterCircle) {
  const Seq<Point3D> controls = Points({{1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
  const Vector<double> knots = Reals({0, 0, 0, 1, 1, 1});
  auto circle = MakeCurve(Description(controls, Reals({1, std::sqrt(2.0) / 2, 1}), 3, knots));
  auto plain = MakeCurve(Description(controls, Reals({1, 1, 1}), 3, knots));
  EXPECT_EQ(circle->ParamMin(), 0);
  EXPECT_EQ(circle->ParamMax(), 1);
  double plainOff = 0;
  for (int i = 0; i <= 40; ++i) {
    const double t = i / 40.0;
    Point3D p, q;
    ASSERT_EQ(circle->Evaluate(t, p), 1) << t;
    EXPECT_NEAR(Length(p), 1.0, 1e-12) << t;
    EXPECT_EQ(p.z, 0);
    ASSERT_EQ(plain->Evaluate(t, q), 1);
    plainOff = std::max(plainOff, std::fabs(Length(q) - 1));
  }
  EXPECT_GT(plainOff, 0.05);
  Point3D end;
  ASSERT_EQ(circle->Evaluate(1, end), 1);
  EXPECT_NEAR(end.x, 0, 1e-15);
  EXPECT_NEAR(end.y, 1, 1e-15);
}

// Where every basis function vanishes (the end of a clamped knot vector,
// outside the knots) the curve answers its limit from inside, never NaN.
TEST(NURBSCurveEvaluation, EndsAndOutsideTakeTheLimitFromInside) {
  auto clamped = MakeCurve(Description(kFour, Reals({1, 2, 3, 1}), 4, Reals({0, 0, 0, 0, 1, 1, 1, 1})));
  struct Case {
    double t;
    Point3D expected;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const Case& c : std::vector<Case>{{1, kFour[3]}, {1.5, kFour[3]}, {inf, kFour[3]}, {-0.5, kFour[0]},
                                         {-inf, kFour[0]}, {nan, kFour[0]}, {0, kFour[0]}}) {
    SCOPED_TRACE(c.t);
    Point3D p{9, 9, 9};
    ASSERT_EQ(clamped->Evaluate(c.t, p), 1);
    EXPECT_NEAR(Length(p - c.expected), 0, 1e-12);
  }

  // Uniform knots: outside the range the ends of the range, the upper one seen from below.
  auto uniform = MakeCurve(Description(kFour, Filled(4, 1), 4, Uniform(8)));
  Point3D below, start, beyond, nearEnd;
  uniform->Evaluate(-3, below);
  uniform->Evaluate(3, start);
  EXPECT_EQ(below, start);
  ASSERT_EQ(uniform->Evaluate(100, beyond), 1);
  uniform->Evaluate(4 - 1e-9, nearEnd);
  EXPECT_NEAR(Length(beyond - nearEnd), 0, 1e-7);

  // Zero weights: no weighted point anywhere; the unweighted sum and 0.
  auto weightless = MakeCurve(Description(kFour, Filled(4, 0), 4, Reals({0, 0, 0, 0, 1, 1, 1, 1})));
  Point3D p;
  EXPECT_EQ(weightless->Evaluate(0.5, p), 0);
  EXPECT_NEAR(Length(p - (kFour[0] + 3.0 * kFour[1] + 3.0 * kFour[2] + kFour[3]) * (1.0 / 8)), 0, 1e-15);
  EXPECT_EQ(weightless->Evaluate(7, p), 0);
  EXPECT_NEAR(Length(p - kFour[3]), 0, 1e-15);

  // Weights that cancel: W = 0 inside the range.
  auto cancelling = MakeCurve(Description(Points({{1, 0, 0}, {0, 1, 0}}), Reals({1, -1}), 2, Reals({0, 0, 1, 1})));
  EXPECT_EQ(cancelling->Evaluate(0.5, p), 0);
  EXPECT_TRUE(IsFinite(p));
}

// The evaluation gives the values of the basis as SplineBasis computes it,
// summed as the model's formula writes it: P / W with W = sum N(i) w(i) and
// P = sum w(i) N(i) P(i).
TEST(NURBSCurveEvaluation, GivesTheSumsOfSplineBasis) {
  struct Case {
    const char* what;
    CG_NURBSCurveDescription d;
  };
  const Seq<Point3D> six = Points({{0, 0, 0}, {1, 3, -1}, {2, -1, 0.5}, {4, 2, 2}, {5, 0, -3}, {7, 1, 1}});
  const Vector<double> weights = Reals({1, 0.5, 2, 0.25, 3, 1});
  std::vector<Case> cases;
  cases.push_back({"clamped cubic", Description(six, weights, 4, Reals({0, 0, 0, 0, 1, 2.5, 3, 3, 3, 3}))});
  cases.push_back({"doubled inner knot", Description(six, weights, 3, Reals({0, 1, 2, 3, 3, 4, 5, 6, 7}))});
  cases.push_back({"knots that fall", Description(six, weights, 3, Reals({0, 2, 1, 3, 2.5, 4, 3.5, 6, 5}))});
  cases.push_back({"order 1", Description(six, weights, 1, Uniform(7))});
  cases.push_back({"order 6", Description(six, weights, 6, Reals({0, 0, 0, 0, 0, 0, 2, 2, 2, 2, 2, 2}))});
  Seq<Point3D> many(14);
  Vector<double> manyWeights(14);
  for (std::uint32_t i = 0; i < 14; ++i) {
    many[i] = {std::cos(i * 0.7), std::sin(i * 1.3), 0.1 * i};
    manyWeights[i] = 0.5 + (i % 3);
  }
  cases.push_back({"order 12", Description(many, manyWeights, 12, Uniform(26))});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto curve = MakeCurve(c.d);
    const int n = static_cast<int>(c.d.controls.Count());
    std::vector<double> ts;
    for (std::uint32_t i = 0; i < c.d.knots.Count(); ++i) ts.push_back(c.d.knots[i]);
    const double first = c.d.knots[0] - 1;
    const double span = c.d.knots[c.d.knots.Count() - 1] + 1 - first;
    for (int i = 0; i <= 60; ++i) ts.push_back(first + span * i / 60);
    int compared = 0;
    for (double t : ts) {
      double W = 0;
      Point3D P;
      for (int i = 0; i < n; ++i) {
        const double N = SplineBasis(i, c.d.order, t, c.d.knots);
        const double w = c.d.weights[static_cast<std::uint32_t>(i)];
        W += N * w;
        P += (w * N) * c.d.controls[static_cast<std::uint32_t>(i)];
      }
      if (W == 0) continue;
      Point3D got;
      ASSERT_EQ(curve->Evaluate(t, got), 1) << t;
      EXPECT_EQ(got, P * (1.0 / W)) << t;
      ++compared;
    }
    EXPECT_GT(compared, 10);
  }
}

TEST(NURBSCurveReader, BodiesAndErrors) {
  struct Case {
    const char* body;
    int loads;
    int code;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"open 0; div 2; order 2; ncontrol 2; control { ( 0 , 0 , 0 ) , 1; ( 1 , 0 , 0 ) , 2; } knots { 0; 0; 1; 1; }",
       1, 0, ""},
      {"order 2; knots { } ncontrol 1; control { (1,2,3), 0.5; } knots { 0; 1; 2; } order 2.9;", 1, 0, ""},
      {"control { } knots { } ncontrol 0;", 1, 0, ""},
      {"", 1, 0, ""},
      {"order 0; ncontrol 0; order 4;", 1, 0, ""},
      {"div -5; div 1000; ncontrol 1; knots { 0; 1; 2; 3; 4; }", 1, 0, ""},
      {"ncontrol 1; knots { 0; 1; 2; 3; 4; } ncontrol 1; control { (1,2,3), 1; }", 0, 5, "Wrong NURBS definition"},
      {"ncontrol 2; control { (0,0,0), 1; (1,0,0), 1; }", 0, 5, "Wrong NURBS definition"},
      {"ncontrol 1; knots { 0; 0; 0; 1; 1; } order 2;", 0, 5, "Wrong NURBS definition"},
      {"order 0;", 0, 5, "Wrong NURBS definition"},
      {"order 17;", 0, 5, "Wrong NURBS definition"},
      {"order 40; ncontrol 1; knots { 0; 1; }", 0, 5, "Number wanted"},
      {"ncontrol 100000;", 0, 5, "Wrong NURBS definition"},
      {"ncontrol -1;", 0, 5, "Number wanted"},
      {"ncontrol 100001;", 0, 5, "Number wanted"},
      {"div 1001;", 0, 5, "Number wanted"},
      {"order 1e10;", 0, 5, "Number wanted"},
      {"order x;", 0, 5, "Number wanted"},
      {"open ;", 0, 5, "Number wanted"},
      {"ncontrol 1; control { (0,0,0), w; }", 0, 5, "Number wanted"},
      {"ncontrol 1; knots { 0; 1; x; 3; 4; }", 0, 5, "Number wanted"},
      {"foo 1;", 0, 5, "Unknown attribute"},
      {"open 1 div 3;", 0, 2, "Caracter ';' not found"},
      {"control { ( 0 , 0 , 0 ) , 1; } ncontrol 1;", 0, 2, "Caracter '}' not found"},
      {"ncontrol 1; control { ( 0 , 0 ) , 1; }", 0, 5, "Wrong point definition"},
      {"ncontrol 1; control { ( 0 , 0 , 0 ) 1; }", 0, 2, "Caracter ',' not found"},
      {"ncontrol 1; control { ( 0 , 0 , 0 ) , 1 }", 0, 2, "Caracter ';' not found"},
      {"ncontrol 1; knots 0;", 0, 2, "Caracter '{' not found"},
      {"7 open 1;", 0, 1, "Generic Error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    CurveScene scene;
    EXPECT_EQ(scene.LoadObject(std::string("NURBScurve ") + c.body), c.loads);
    EXPECT_EQ(scene.Code(), c.code);
    EXPECT_EQ(scene.Message(), c.message);
    EXPECT_EQ(dynamic_cast<CG_NURBSCurve*>(scene.Find()) != nullptr, c.loads == 1);
  }
}

TEST(NURBSCurveReader, SettingsAndDefaults) {
  CurveScene scene;
  ASSERT_EQ(scene.LoadObject("NURBScurve order 2; knots { } ncontrol 1; control { (1,2,3), 0.5; } "
                             "knots { 0; 1; 2; } order 2.9; open -3.7;"),
            1);
  auto* curve = dynamic_cast<CG_NURBSCurve*>(scene.Find());
  ASSERT_NE(curve, nullptr);
  CG_NURBSCurveDescription d = DescriptionOf(*curve);
  EXPECT_EQ(d.order, 2);
  EXPECT_EQ(d.open, -3);
  EXPECT_EQ(d.div, 3);
  ASSERT_EQ(d.controls.Count(), 1u);
  EXPECT_EQ(d.controls[0], (Point3D{1, 2, 3}));
  EXPECT_EQ(Values(d.weights), (std::vector<double>{0.5}));
  EXPECT_EQ(Values(d.knots), (std::vector<double>{0, 1, 2}));
  EXPECT_EQ(d.progress, &scene.scene().GetInterface());

  // Defaults; ncontrol 0 sizes the knots by the order in force.
  CurveScene empty;
  ASSERT_EQ(empty.LoadObject("NURBScurve ncontrol 0; knots { 1; 2; 3; 4; }"), 1);
  d = DescriptionOf(*dynamic_cast<CG_NURBSCurve*>(empty.Find()));
  EXPECT_EQ(d.order, 4);
  EXPECT_EQ(d.open, 1);
  EXPECT_EQ(d.div, 3);
  EXPECT_EQ(d.controls.Count(), 0u);
  EXPECT_EQ(Values(d.knots), (std::vector<double>{1, 2, 3, 4}));

  // Entries never read: points (0, 0, 0), weights 1.
  CurveScene unread;
  ASSERT_EQ(unread.LoadObject("NURBScurve order 1; ncontrol 2; knots { 0; 1; 2; }"), 1);
  d = DescriptionOf(*dynamic_cast<CG_NURBSCurve*>(unread.Find()));
  EXPECT_EQ(d.controls[1], (Point3D{}));
  EXPECT_EQ(Values(d.weights), (std::vector<double>{1, 1}));
}

TEST(NURBSCurveReader, ErrorsAreReportedAtTheirLine) {
  CurveScene scene;
  EXPECT_EQ(scene.Load("{ object name c;\n model { NURBScurve\n ncontrol 2;\n control { (0,0,0), 1; (1,0,0), 1; }\n"
                       " }\n}\n.\n"),
            0);
  EXPECT_EQ(scene.Message(), "Wrong NURBS definition");
  EXPECT_EQ(scene.Line(), 5);
  EXPECT_EQ(scene.Load("{ object name c;\n model { NURBScurve\n ncontrol\n -1;\n }\n}\n.\n"), 0);
  EXPECT_EQ(scene.Message(), "Number wanted");
  EXPECT_EQ(scene.Line(), 4);
}

TEST(NURBSCurveWriter, WritesTheBlockExactlyAndReadsItBack) {
  auto curve = MakeCurve(Description(Points({{0, 0, 0}, {1, 0, 0}}), Reals({1, 2}), 2, Reals({0, 0, 1, 1})));
  const std::string text =
      "{ object\n\tname c;\n\tmodel { NURBScurve\n\t\topen 1;\n\t\tdiv 3;\n\t\torder 2;\n\t\tncontrol 2;\n\t\tcontrol "
      "{\n\t\t\t( 0 , 0 , 0 ) , 1;\n\t\t\t( 1 , 0 , 0 ) , 2;\n\t\t\t}\n\t\tknots "
      "{\n\t\t\t0;\n\t\t\t0;\n\t\t\t1;\n\t\t\t1;\n\t\t\t}\n\t}\n}\n";
  EXPECT_EQ(Written(*curve), text);
  CurveScene scene;
  ASSERT_EQ(scene.Load(text + ".\n"), 1);
  EXPECT_EQ(Written(*scene.Find()), text);

  // With a material, six significant digits, and no controls.
  CurveScene withMaterial;
  const std::string odd =
      "{ material name gold; model { phong } }\n"
      "{ object name c; IDname Q; toll 0.5; material gold; model { NURBScurve open 0; div 7; order 3; ncontrol 0; "
      "knots { 0.123456789; -1e-7; 1234567; } } }\n.\n";
  ASSERT_EQ(withMaterial.Load(odd), 1);
  const std::string written = Written(*withMaterial.Find());
  EXPECT_EQ(written,
            "{ object\n\tname c;\n\tIDname Q;\n\ttoll 0.5;\n\tmaterial gold;\n\tmodel { NURBScurve\n\t\topen 0;\n\t\tdiv 7;\n\t\torder "
            "3;\n\t\tncontrol 0;\n\t\tcontrol {\n\t\t\t}\n\t\tknots {\n\t\t\t0.123457;\n\t\t\t-1e-07;\n\t\t\t1.23457e+06;"
            "\n\t\t\t}\n\t}\n}\n");
  CurveScene again;
  ASSERT_EQ(again.Load("{ material name gold; model { phong } }\n" + written + ".\n"), 1);
  EXPECT_EQ(Written(*again.Find()), written);
}

// A body without "ncontrol" holds no knots; the curve keeps the knot count
// n + order so that what it writes reads back.
TEST(NURBSCurveWriter, ACurveWithoutControlsReadsBack) {
  for (const char* body : {"NURBScurve", "NURBScurve order 0; ncontrol 0; order 3;",
                           "NURBScurve order 2; ncontrol 0; knots { 5; 6; } order 4;"}) {
    SCOPED_TRACE(body);
    CurveScene scene;
    ASSERT_EQ(scene.LoadObject(body), 1);
    const std::string text = Written(*scene.Find());
    CurveScene again;
    ASSERT_EQ(again.Load(text + ".\n"), 1) << text;
    EXPECT_EQ(Written(*again.Find()), text);
    auto* curve = dynamic_cast<CG_NURBSCurve*>(again.Find());
    EXPECT_EQ(curve->VertexCount(), 0);
    EXPECT_EQ(curve->EdgeCount(), 0);
    Point3D p{1, 1, 1};
    EXPECT_EQ(curve->Evaluate(0.5, p), 0);
    EXPECT_EQ(p, (Point3D{}));
  }
  CurveScene scene;
  ASSERT_EQ(scene.LoadObject("NURBScurve"), 1);
  EXPECT_EQ(Written(*scene.Find()),
            "{ object\n\tname c;\n\tmodel { NURBScurve\n\t\topen 1;\n\t\tdiv 3;\n\t\torder 4;\n\t\tncontrol "
            "0;\n\t\tcontrol {\n\t\t\t}\n\t\tknots {\n\t\t\t0;\n\t\t\t0;\n\t\t\t0;\n\t\t\t0;\n\t\t\t}\n\t}\n}\n");
}

TEST(NURBSCurveEditing, ControlCountExtendsTheKnotsUniformly) {
  auto curve = MakeCurve(Description(kFour, Reals({1, 2, 3, 4}), 4, Uniform(8)));
  ASSERT_EQ(curve->SetControlCount(6), 1);
  CG_NURBSCurveDescription d = DescriptionOf(*curve);
  EXPECT_EQ(curve->ControlCount(), 6);
  EXPECT_EQ(Values(d.knots), (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(Values(d.weights), (std::vector<double>{1, 2, 3, 4, 1, 1}));
  EXPECT_EQ(d.controls[2], kFour[2]);
  EXPECT_EQ(d.controls[5], (Point3D{}));
  EXPECT_EQ(curve->ParamMax(), 6);

  ASSERT_EQ(curve->SetControlCount(2), 1);
  d = DescriptionOf(*curve);
  EXPECT_EQ(Values(d.knots), (std::vector<double>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(Values(d.weights), (std::vector<double>{1, 2}));
  Point3D p;
  EXPECT_EQ(curve->GetControl(1, p), 1);
  EXPECT_EQ(p, kFour[1]);
}

TEST(NURBSCurveEditing, EditsRenewTheBoxAndKeepWeights) {
  auto curve = MakeCurve(Description(kFour, Reals({1, 2, 3, 4}), 4, Uniform(8)));
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(curve.get(), box), 1);
  EXPECT_EQ(box, (GEO_Box{0, 4, 0, 2, 0, 1}));

  ASSERT_EQ(curve->SetControl(1, {100, -50, 7}), 1);
  ASSERT_EQ(CG_GraphicObject::GetBox(curve.get(), box), 1);
  EXPECT_EQ(box, (GEO_Box{0, 100, -50, 2, 0, 7}));
  EXPECT_EQ(Values(DescriptionOf(*curve).weights), (std::vector<double>{1, 2, 3, 4}));

  ASSERT_EQ(curve->CopyControl(1, 3), 1);
  CG_NURBSCurveDescription d = DescriptionOf(*curve);
  EXPECT_EQ(d.controls[3], (Point3D{100, -50, 7}));
  EXPECT_EQ(Values(d.weights), (std::vector<double>{1, 2, 3, 2}));
  ASSERT_EQ(curve->SetControl(1, {0, 0, 0}), 1);
  ASSERT_EQ(CG_GraphicObject::GetBox(curve.get(), box), 1);
  EXPECT_EQ(box, (GEO_Box{0, 100, -50, 2, 0, 7}));

  ASSERT_EQ(curve->SetControlCount(7), 1);
  ASSERT_EQ(CG_GraphicObject::GetBox(curve.get(), box), 1);
  EXPECT_EQ(box, (GEO_Box{0, 100, -50, 2, 0, 7}));
  ASSERT_EQ(curve->SetControlCount(0), 1);
  EXPECT_EQ(curve->GetBoundingObject(), nullptr);
}

TEST(NURBSCurveObject, AnswersOfTheObjectInterface) {
  CG_NamedMaterial gold("gold", new CG_MaterialPhong());
  CG_GraphicObjectCommData data;
  data.name = "c";
  data.material = &gold;
  CG_NURBSCurve curve(data, Description(kFour, Filled(4, 1), 4, Uniform(8)));
  EXPECT_STREQ(curve.Keyword(), "NURBScurve");
  EXPECT_EQ(curve.IsCurve(), 1);
  EXPECT_EQ(curve.IsFaced(0), 1);
  EXPECT_EQ(curve.HasEdges(), 1);
  EXPECT_EQ(curve.IsRayTraceable(), 0);
  EXPECT_EQ(curve.FaceCount(), 0);
  EXPECT_EQ(curve.GetOpen(), 1);
  EXPECT_EQ(curve.SetOpen(0), 1);
  EXPECT_EQ(curve.GetOpen(), 0);
  Point3D colour{1, 1, 1};
  curve.FaceColour(0, colour);
  EXPECT_EQ(colour, (Point3D{}));
  EXPECT_EQ(curve.NewCommData(), nullptr);
  EXPECT_EQ(curve.Clone(), nullptr);
  // Nothing in images, previews or exports, though a stand-in box could be made.
  EXPECT_TRUE(ConvertsToNothing(curve));
  // Materials and textures: "cannot tell", the lists left alone.
  Seq<CG_NamedMaterial*> materials(2);
  EXPECT_EQ(curve.GetMaterials(materials), 0);
  EXPECT_EQ(materials.Count(), 2u);
  Seq<CG_Texture*> textures(1);
  EXPECT_EQ(curve.GetTextures(textures), 0);
  EXPECT_EQ(textures.Count(), 1u);
  Seq<CG_GraphicObject*> children(3);
  EXPECT_EQ(curve.GetChildren(children), 0);
  EXPECT_EQ(children.Count(), 3u);
}

TEST(NURBSCurveObjectDeathTest, DeriveIsNotDefined) {
  auto curve = MakeCurve(Description(kFour, Filled(4, 1), 4, Uniform(8)));
  Point3D v;
  EXPECT_EXIT(curve->Derive(3.5, v), ::testing::ExitedWithCode(1), "Runtime Error: NURBS Derive not def");
}

}  // namespace
