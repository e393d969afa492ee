#include "models/core/area_lamp.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model_scene.h"
#include "scene/material.h"
#include "scene/phong_shading.h"

namespace {

using zavo::test::ModelScene;
using zavo::test::Written;

void ExpectNear(const Point3D& actual, const Point3D& expected, double tolerance = 1e-12) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

std::unique_ptr<CG_AreaLamp> MakeLamp(const std::vector<Point3D>& points, int depth = 2, const char* name = "a") {
  CG_GraphicObjectCommData data;
  data.name = name;
  CG_AreaLampDescription d;
  d.points = points;
  d.depth = depth;
  return std::make_unique<CG_AreaLamp>(data, d);
}

// The quadrilateral of the lamp at z = 10 above the shaded point, the origin.
const std::vector<Point3D> kSquare = {{-1, -1, 10}, {1, -1, 10}, {1, 1, 10}, {-1, 1, 10}};

// A small box on the way from the origin to the point (x, y, 10): it blocks
// the ray to that point and no other ray toward the lamp's sample points.
std::string Blocker(const std::string& name, double x, double y, const char* material = nullptr) {
  std::ostringstream os;
  os << "{ object\n\tname " << name << ";\n";
  if (material != nullptr) os << "\tmaterial " << material << ";\n";
  os << "\tmodel { box xmin " << x / 2 - 0.05 << "; xmax " << x / 2 + 0.05 << "; ymin " << y / 2 - 0.05
     << "; ymax " << y / 2 + 0.05 << "; zmin 4.95; zmax 5.05; }\n}\n";
  return os.str();
}

// A scene of blockers and the area lamp "lamp" of the given depth over the
// square, ready for shadow searches.
struct LampScene {
  explicit LampScene(const std::string& objects, int depth) {
    std::ostringstream os;
    os << "{ material\n\tname glass;\n\tmodel { phong Kt 0.5; }\n}\n" << objects
       << "{ object\n\tname lamp;\n\tmodel { arealamp p (-1,-1,10); p (1,-1,10); p (1,1,10); p (-1,1,10); depth "
       << depth << "; }\n}\n.\n";
    loaded = scene.Load(os.str());
    lamp = dynamic_cast<CG_AreaLamp*>(scene.Find("lamp"));
    scene.scene().PrepareTraceData();
  }
  Point3D Light(const Point3D& point = {}) { return lamp->SampleLight(scene.scene(), point); }

  ModelScene scene;
  int loaded = 0;
  CG_AreaLamp* lamp = nullptr;
};

TEST(AreaLamp, DepthZeroCountsTheVisibleCorners) {
  const std::vector<std::pair<double, double>> corners = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  for (std::size_t blocked = 0; blocked <= 4; ++blocked) {
    SCOPED_TRACE(blocked);
    std::string objects;
    for (std::size_t i = 0; i < blocked; ++i) {
      objects += Blocker("b" + std::to_string(i), corners[i].first, corners[i].second);
    }
    LampScene s(objects, 0);
    ASSERT_EQ(s.loaded, 1);
    ASSERT_NE(s.lamp, nullptr);
    const double v = (4.0 - static_cast<double>(blocked)) / 4.0;
    ExpectNear(s.Light(), {v, v, v});
    EXPECT_EQ(s.lamp->GetMode(), CG_AreaLamp::kModeCentre);
  }
}

TEST(AreaLamp, OpenCornersBlockedCornersAndTransparentBlockers) {
  // Fully in the open.
  LampScene open("", 2);
  ASSERT_EQ(open.loaded, 1);
  ExpectNear(open.Light(), {1, 1, 1});
  // The four corner rays blocked, the middle of the quadrilateral visible.
  const std::string corners = Blocker("b0", -1, -1) + Blocker("b1", 1, -1) + Blocker("b2", 1, 1) +
                              Blocker("b3", -1, 1);
  LampScene blocked(corners, 2);
  ASSERT_EQ(blocked.loaded, 1);
  ExpectNear(blocked.Light(), {0, 0, 0});
  // The middle is visible indeed: the ray toward the centre is not blocked.
  Ray ray;
  zavo::ShadowHitList hits;
  long count = 0;
  EXPECT_EQ(blocked.scene.scene().ShadowIntersections({}, *blocked.lamp, ray, hits, count,
                                                      [](const zavo::SceneHitRecord&) { return 1; }),
            0);
  ExpectNear(ray.direction, {0, 0, 1});
  // Blockers that let light through do not block.
  const std::string glass = Blocker("g0", -1, -1, "glass") + Blocker("g1", 1, -1, "glass") +
                            Blocker("g2", 1, 1, "glass") + Blocker("g3", -1, 1, "glass");
  LampScene seeThrough(glass, 0);
  ASSERT_EQ(seeThrough.loaded, 1);
  ExpectNear(seeThrough.Light(), {1, 1, 1});
}

TEST(AreaLamp, DefaultDepthRunsAtMost84CornerTests) {
  // One blocked corner and the blocked centre make every cell of the first
  // two levels disagree: 4 + 16 + 64 tests.
  LampScene s(Blocker("corner", -1, -1) + Blocker("centre", 0, 0), 2);
  ASSERT_EQ(s.loaded, 1);
  s.lamp->ResetCornerTestCount();
  const Point3D light = s.Light();
  EXPECT_EQ(s.lamp->CornerTestCount(), 84);
  EXPECT_GT(light.x, 0.0);
  EXPECT_LT(light.x, 1.0);
  // In the open no cell splits.
  LampScene open("", 2);
  open.lamp->ResetCornerTestCount();
  open.Light();
  EXPECT_EQ(open.lamp->CornerTestCount(), 4);
}

TEST(AreaLamp, SplitAveragesTheQuarters) {
  // Depth 1, corner P0 blocked: the top level splits; the quarter at P0 has
  // one blocked corner of four (3/4), the others are open (1).
  LampScene s(Blocker("corner", -1, -1), 1);
  ASSERT_EQ(s.loaded, 1);
  const double v = (0.75 + 3.0) / 4.0;
  ExpectNear(s.Light(), {v, v, v});
  // A depth below 0 samples as depth 0.
  s.lamp->ResetCornerTestCount();
  CG_AreaLampDescription d;
  s.lamp->GetDescription(d);
  d.depth = -3;
  s.lamp->SetDescription(d);
  ExpectNear(s.Light(), {0.75, 0.75, 0.75});
  EXPECT_EQ(s.lamp->CornerTestCount(), 4);
}

TEST(AreaLamp, IsALightSourceThatIsNeverTraced) {
  LampScene s(Blocker("b", 0, 0), 2);
  ASSERT_EQ(s.loaded, 1);
  CG_GraphicScene& scene = s.scene.scene();
  ASSERT_EQ(scene.GetLampSequence().Size(), 1);
  EXPECT_EQ(scene.GetLampSequence()[0], static_cast<CG_LightSourceBase*>(s.lamp));
  int entries = 0;
  for (CG_GraphicObjectQZData& entry : scene.GetTraceList()) {
    EXPECT_NE(entry.object, s.lamp);
    ++entries;
  }
  EXPECT_EQ(entries, 1);
  EXPECT_EQ(s.lamp->IsRayTraceable(), 0);
  EXPECT_EQ(s.lamp->ComputesLightItself(), 1);
  ExpectNear(s.lamp->ColourAt({5, 5, 5}, {0, 0, 1}), {1, 1, 1});
  CG_MaterialPhong material;
  ExpectNear(s.lamp->LightReachingPoint(scene, {}, {1, 0, 0}, material), s.Light());

}

TEST(AreaLamp, ShadingTakesTheSampledLight) {
  GPhongShading phong;
  CG_MaterialPhong lit;
  lit.Ka = 0;
  LampScene open("", 2);
  LampScene half(Blocker("b0", -1, -1) + Blocker("b1", 1, -1), 0);
  LampScene dark(Blocker("b0", -1, -1) + Blocker("b1", 1, -1) + Blocker("b2", 1, 1) + Blocker("b3", -1, 1), 2);
  for (LampScene* s : {&open, &half, &dark}) s->scene.scene().SetEyePoint({0, 0, 20});
  const Point3D full = phong.Shade(open.scene.scene(), lit, {}, {0, 0, 1});
  EXPECT_GT(full.x, 0.0);
  ExpectNear(phong.Shade(half.scene.scene(), lit, {}, {0, 0, 1}), full * 0.5);
  ExpectNear(phong.Shade(dark.scene.scene(), lit, {}, {0, 0, 1}), {0, 0, 0});
}

TEST(AreaLamp, FewerThanFourPointsSendBlackAndCentreOnWhatThereIs) {
  ModelScene scene;
  scene.scene().PrepareTraceData();
  auto three = MakeLamp({{0, 0, 3}, {3, 0, 3}, {0, 3, 3}});
  ExpectNear(three->SampleLight(scene.scene(), {}), {0, 0, 0});
  ExpectNear(three->Position(), {1, 1, 3});
  auto none = MakeLamp({});
  ExpectNear(none->SampleLight(scene.scene(), {}), {0, 0, 0});
  ExpectNear(none->Position(), {0, 0, 0});
  EXPECT_EQ(none->CornerTestCount(), 0);
}

TEST(AreaLamp, PositionByMode) {
  auto lamp = MakeLamp({{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}, {100, 100, 100}});
  // The centre of the first four points; the fifth plays no part.
  ExpectNear(lamp->Position(), {2, 2, 0});
  lamp->SetMode(1);
  ExpectNear(lamp->Position(), {4, 0, 0});
  lamp->SetMode(CG_AreaLamp::kModeCentre);
  ExpectNear(lamp->Position(), {2, 2, 0});
}

TEST(AreaLamp, PolygonAsCurveFacesAndEdges) {
  auto lamp = MakeLamp({{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {2, 2, 0}});
  EXPECT_EQ(lamp->IsCurve(), 1);
  EXPECT_EQ(lamp->ParamMin(), 0);
  EXPECT_EQ(lamp->ParamMax(), 3);
  EXPECT_EQ(lamp->GetOpen(), 0);
  EXPECT_EQ(lamp->SetOpen(1), 0);
  EXPECT_EQ(lamp->GetOpen(), 0);
  struct Case {
    double t;
    Point3D point, derivative;
  };
  const std::vector<Case> cases = {
      {0, {0, 0, 0}, {1, 0, 0}},       {0.5, {1, 0, 0}, {1, 0, 0}}, {1.25, {2, 0.5, 0}, {0, 1, 0}},
      {2.5, {2, 2, 0}, {0, 0, 0}},     // a segment of length 0
      {3, {2, 2, 0}, {0, 0, 0}},       // the end: the last segment's direction
      {7, {2, 2, 0}, {0, 0, 0}},       {-1, {0, 0, 0}, {1, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.t);
    Point3D point{9, 9, 9};
    Point3D derivative{9, 9, 9};
    lamp->Evaluate(c.t, point);
    lamp->Derive(c.t, derivative);
    ExpectNear(point, c.point);
    ExpectNear(derivative, c.derivative);
  }
  // The derivative at the end is the last segment's direction.
  auto open = MakeLamp({{0, 0, 0}, {0, 3, 0}, {0, 3, 4}});
  Point3D derivative;
  open->Derive(2, derivative);
  ExpectNear(derivative, {0, 0, 1});
  open->Derive(5, derivative);
  ExpectNear(derivative, {0, 0, 1});

  // Controls: set only below n; the count stays.
  EXPECT_EQ(lamp->ControlCount(), 4);
  EXPECT_EQ(lamp->SetControl(1, {5, 0, 0}), 1);
  Point3D p;
  EXPECT_EQ(lamp->GetControl(1, p), 1);
  ExpectNear(p, {5, 0, 0});
  EXPECT_EQ(lamp->GetBoundingObject()->GetBox().xmax, 5);
  EXPECT_EQ(lamp->SetControl(4, {1, 1, 1}), 0);
  EXPECT_EQ(lamp->GetControl(4, p), 0);
  EXPECT_EQ(lamp->SetControlCount(6), 0);
  EXPECT_EQ(lamp->ControlCount(), 4);

  // Faced: the points, no faces.
  EXPECT_EQ(lamp->IsFaced(0), 1);
  EXPECT_EQ(lamp->VertexCount(), 4);
  lamp->Vertex(2, p);
  ExpectNear(p, {2, 2, 0});
  EXPECT_EQ(lamp->FaceCount(), 0);
  Point3D colour{9, 9, 9};
  lamp->FaceColour(0, colour);
  ExpectNear(colour, {0, 0, 0});
  EXPECT_EQ(lamp->MeshMaterial(), nullptr);

  // n edges, the last one closing the ring.
  EXPECT_EQ(lamp->HasEdges(), 1);
  ASSERT_EQ(lamp->EdgeCount(), 4);
  std::vector<std::pair<int, int>> edges;
  for (int i = 0; i < 4; ++i) {
    int a = 0;
    int b = 0;
    lamp->Edge(i, a, b);
    edges.emplace_back(a, b);
  }
  EXPECT_EQ(edges, (std::vector<std::pair<int, int>>{{1, 2}, {2, 3}, {3, 4}, {4, 1}}));

  // An empty polygon: a box of zeros, the origin as its point.
  auto empty = MakeLamp({});
  const GEO_Box box = empty->GetBoundingObject()->GetBox();
  EXPECT_EQ(box.xmin, 0);
  EXPECT_EQ(box.xmax, 0);
  EXPECT_EQ(box.ymin, 0);
  EXPECT_EQ(box.ymax, 0);
  EXPECT_EQ(box.zmin, 0);
  EXPECT_EQ(box.zmax, 0);
  empty->Evaluate(0.5, p);
  ExpectNear(p, {0, 0, 0});
  empty->Derive(0.5, p);
  ExpectNear(p, {0, 0, 0});
}

TEST(AreaLamp, FaceColourIsTheMaterials) {
  ModelScene scene;
  ASSERT_EQ(scene.Load("{ material\n\tname red;\n\tmodel { phong Od (1,0,0); }\n}\n"
                       "{ object\n\tname a;\n\tmaterial red;\n\tmodel { arealamp p (0,0,0); }\n}\n.\n"),
            1);
  Point3D colour;
  scene.Find("a")->FaceColour(0, colour);
  ExpectNear(colour, {1, 0, 0});
  EXPECT_NE(scene.Find("a")->MeshMaterial(), nullptr);
}

TEST(AreaLamp, ReaderCases) {
  struct Case {
    const char* body;
    int loads;
    int points;
    int depth;
    int code;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"arealamp p (0,0,1); p (1,0,1); p (1,1,1); p (0,1,1);", 1, 4, 2, 0, ""},
      {"arealamp depth 0; p (0,0,1);", 1, 1, 0, 0, ""},
      {"arealamp depth 3.7;", 1, 0, 3, 0, ""},
      {"arealamp p (0,0 ; depth 1;", 1, 1, 1, 5, "Wrong point definition"},
      {"arealamp depth deep;", 0, 0, 0, 5, "Number wanted"},
      {"arealamp size 3;", 0, 0, 0, 5, "Unknown attribute"},
      {"arealamp p (0,0,1) p (1,0,1);", 0, 0, 0, 2, "Caracter ';' not found"},
      {"arealamp 3;", 0, 0, 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    ModelScene scene;
    EXPECT_EQ(scene.LoadObject(c.body), c.loads);
    if (c.code != 0) {
      EXPECT_EQ(scene.Code(), c.code);
      EXPECT_EQ(scene.Message(), c.message);
    }
    if (!c.loads) continue;
    auto* lamp = dynamic_cast<CG_AreaLamp*>(scene.Find());
    ASSERT_NE(lamp, nullptr);
    CG_AreaLampDescription d;
    lamp->GetDescription(d);
    EXPECT_EQ(static_cast<int>(d.points.size()), c.points);
    EXPECT_EQ(d.depth, c.depth);
    EXPECT_EQ(d.progress, &scene.scene().GetInterface());
  }
}

TEST(AreaLamp, WritesClonesAndReadsBack) {
  auto lamp = MakeLamp({{0, 0, 1}, {1.5, 0, 1}, {1.5, 1, 1}, {0, 1, 1}}, 3, "sky");
  const std::string text = Written(*lamp);
  EXPECT_EQ(text,
            "{ object\n\tname sky;\n\tmodel { arealamp\n\t\tp ( 0 , 0 , 1 );\n\t\tp ( 1.5 , 0 , 1 );\n"
            "\t\tp ( 1.5 , 1 , 1 );\n\t\tp ( 0 , 1 , 1 );\n\t\tdepth 3;\n\t}\n}\n");
  std::unique_ptr<CG_GraphicObject> clone = lamp->Clone();
  ASSERT_NE(dynamic_cast<CG_AreaLamp*>(clone.get()), nullptr);
  EXPECT_EQ(Written(*clone), text);
  EXPECT_STREQ(clone->Keyword(), "arealamp");
  ModelScene scene;
  ASSERT_EQ(scene.Load(text + ".\n"), 1);
  ASSERT_NE(scene.Find("sky"), nullptr);
  EXPECT_EQ(Written(*scene.Find("sky")), text);
}

}  // namespace
