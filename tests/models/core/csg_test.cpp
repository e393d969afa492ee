#include "models/core/csg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/bounding_module.h"
#include "geometry/geo_scanner.h"
#include "geometry/ray.h"
#include "model_scene.h"
#include "models/core/box.h"
#include "models/core/brep.h"
#include "models/core/brep_from_mesh.h"
#include "models/core/quadric.h"
#include "models/core/sphere.h"
#include "scene/fakes.h"
#include "scene/material.h"

namespace {

namespace fs = std::filesystem;

using zavo::test::FakeObject;
using zavo::test::ReadFile;
using zavo::test::RecordingInterface;
using zavo::test::TempDir;
using zavo::test::WriteFile;
using zavo::test::Written;

// What the mesh booleans of the test registry saw.
struct BooleanLog {
  int calls = 0;
  std::uint32_t firstVertices = 0;
  std::uint32_t firstFaces = 0;
  GeoInterface* progress = nullptr;
};
BooleanLog booleanLog;

template <std::unique_ptr<BRepModel3> (*Op)(const BRepModel3&, const BRepModel3&)>
std::unique_ptr<BRepModel3> Logged(const BRepModel3& first, const BRepModel3& second) {
  ++booleanLog.calls;
  booleanLog.firstVertices = first.vertices.Count();
  booleanLog.firstFaces = first.faces.Count();
  booleanLog.progress = zavo::MeshBooleanProgress();
  return Op(first, second);
}

std::unique_ptr<BRepModel3> NoResult(const BRepModel3&, const BRepModel3&) {
  ++booleanLog.calls;
  return nullptr;
}

// The core model modules, the three CSG modules with booleans that log
// their calls, and the fake objects ("fake": fixed hits, optional box).
CG_ModelRegistry& Registry() {
  static CG_ModelRegistry registry;
  static const bool filled = [] {
    BoundingObjectModule::CreateDefaultList(registry.boundingModules);
    registry.materialModules.Append(new CG_MaterialPhongModule());
    registry.mappingModules.Append(new CG_PlanarMappingModule());
    registry.modelModules.Append(new CG_SphereModule());
    registry.modelModules.Append(new CG_BRepModule());
    registry.modelModules.Append(new CG_BoxModule());
    registry.modelModules.Append(new CG_QuadModule());
    registry.modelModules.Append(
        new CG_CSGModule("intersect", CSGIntersectIntervals, zavo::CSGIntersectBound, Logged<MeshIntersect>));
    registry.modelModules.Append(
        new CG_CSGModule("subtract", CSGSubtractIntervals, zavo::CSGSubtractBound, Logged<MeshSubtract>));
    registry.modelModules.Append(new CG_CSGModule("union", CSGUnionIntervals, zavo::CSGUnionBound, Logged<MeshUnion>));
    registry.modelModules.Append(new CG_CSGModule("none", CSGUnionIntervals, zavo::CSGUnionBound, NoResult));
    registry.modelModules.Append(new zavo::test::FakeModelModule());
    registry.SetBoxFactory(zavo::NewStandInBox);
    return true;
  }();
  (void)filled;
  return registry;
}

// A scene on the test registry, loaded from a text.
class CsgScene {
public:
  CsgScene() : scene_(Registry()) {}
  explicit CsgScene(const fs::path& name) : CsgScene() { scene_.SetName(name.string().c_str()); }

  int Load(const std::string& text) {
    std::istringstream in(text);
    return scene_.Load(in);
  }
  CG_GraphicScene& scene() { return scene_; }
  GCSG* Find(const char* name = "c") const { return dynamic_cast<GCSG*>(scene_.FindObject(name)); }
  int Code() const { return scene_.GetErrorCode(); }
  std::string Message() const { return scene_.GetErrorMessage() != nullptr ? scene_.GetErrorMessage() : ""; }

private:
  CG_GraphicScene scene_;
};

std::string Sphere(const char* name, double x, double radius = 1) {
  std::ostringstream os;
  os << "{ object name " << name << "; model { sphere center ( " << x << " , 0 , 0 ); radius " << radius
     << "; } }";
  return os.str();
}

std::string Box(const char* name, const char* bounds, const char* header = "") {
  return std::string("{ object name ") + name + "; " + header + " model { box " + bounds + " } }";
}

const char kBoxA[] = "xmin 0; xmax 2; ymin 0; ymax 2; zmin 0; zmax 2;";
const char kBoxB[] = "xmin 1; xmax 3; ymin 0.5; ymax 1.5; zmin 0.5; zmax 1.5;";

// The object block of a CSG named c.
std::string Csg(const std::string& keyword, const std::string& first, const std::string& second,
                const std::string& header = "", const char* name = "c") {
  return std::string("{ object name ") + name + "; " + header + " model { " + keyword + "\nfirst " + first +
         "\nsecond " + second + ";\n} }\n";
}

std::string SceneText(const std::string& objects, int convert) {
  return "{ param _csg_convert " + std::to_string(convert) + "; }\n" + objects + ".\n";
}

// The x of the merged hits, their children and signs, for a ray along +x.
struct Hits {
  std::vector<double> x;
  std::vector<int> child;
  std::vector<double> sign;
};

Hits Trace(const GCSG& csg, const Point3D& origin, const Point3D& direction = {1, 0, 0}) {
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = csg.NewIntrInfo();
  const Ray ray = Ray::FromDirection(origin, direction);
  const int n = csg.Intersect(ray, *record);
  const auto& merged = static_cast<CG_CSGIntrInfo&>(*record);
  Hits hits;
  for (int i = 0; i < n; ++i) {
    hits.x.push_back(ray.PointAt(record->Value(i)).x);
    hits.child.push_back(merged.merged[static_cast<unsigned>(i)].child);
    hits.sign.push_back(merged.merged[static_cast<unsigned>(i)].sign);
  }
  EXPECT_EQ(record->Count(), n);
  return hits;
}

void ExpectNear(const std::vector<double>& got, const std::vector<double>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-9) << "entry " << i;
}

TEST(CsgIntervals, TheThreeRulesOnTwoSpheres) {
  struct Case {
    const char* keyword;
    std::vector<double> x;
    std::vector<int> child;
    std::vector<double> sign;
    std::vector<double> normalX;
  };
  const std::vector<Case> cases = {
      {"union", {-1, 2}, {1, 2}, {1, 1}, {-1, 1}},
      {"intersect", {0, 1}, {2, 1}, {1, 1}, {-1, 1}},
      {"subtract", {-1, 0}, {1, 2}, {1, -1}, {-1, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyword);
    CsgScene scene;
    ASSERT_EQ(scene.Load(SceneText(Csg(c.keyword, Sphere("a", 0), Sphere("b", 1)), 0)), 1) << scene.Message();
    const GCSG* csg = scene.Find();
    ASSERT_NE(csg, nullptr);
    EXPECT_STREQ(csg->Keyword(), c.keyword);
    const Hits hits = Trace(*csg, {-5, 0, 0});
    ExpectNear(hits.x, c.x);
    EXPECT_EQ(hits.child, c.child);
    EXPECT_EQ(hits.sign, c.sign);

    // The child's hit details, the normal turned by the sign.
    std::unique_ptr<CG_GraphicObjectIntrInfo> record = csg->NewIntrInfo();
    const Ray ray = Ray::FromDirection({-5, 0, 0}, {1, 0, 0});
    ASSERT_EQ(csg->Intersect(ray, *record), 2);
    for (int i = 0; i < 2; ++i) {
      CG_MaterialPhong material;
      Point3D point, normal;
      csg->HitDetails(ray, *record, i, material, point, normal);
      EXPECT_NEAR(point.x, c.x[static_cast<std::size_t>(i)], 1e-9);
      EXPECT_NEAR(normal.x, c.normalX[static_cast<std::size_t>(i)], 1e-9);
      EXPECT_NEAR(normal.y, 0, 1e-12);
    }
  }
}

TEST(CsgIntervals, StartInsideEqualParametersAndNesting) {
  CsgScene scene;
  const std::string inner = Csg("intersect", Sphere("a", 0), Sphere("b", 1), "", "i");
  ASSERT_EQ(scene.Load(SceneText(Csg("intersect", Sphere("a", 0), Sphere("b", 1)) +
                                     Csg("union", inner, Sphere("d", 3, 0.5), "", "n"),
                                 0)),
            1)
      << scene.Message();

  // Inside both children: one hit, where the ray first leaves either.
  const Hits inside = Trace(*scene.Find(), {0.5, 0, 0});
  ExpectNear(inside.x, {1});
  EXPECT_EQ(inside.child, std::vector<int>{1});

  // A CSG as the child of a CSG.
  const Hits nested = Trace(*scene.Find("n"), {-5, 0, 0});
  ExpectNear(nested.x, {0, 1, 2.5, 3.5});
  EXPECT_EQ(nested.child, (std::vector<int>{1, 1, 2, 2}));

  // Equal parameters: the second child's hit is taken first. The first child
  // is hit at 1 and 3, the second at 1 and 2.
  CG_CSGDescription d;
  d.SetFirst(new FakeObject("f", {1, 3}), 1);
  d.SetSecond(new FakeObject("s", {1, 2}), 1);
  d.intervals = CSGUnionIntervals;
  d.keyword = "union";
  CG_GraphicObjectCommData data;
  data.name = "u";
  const GCSG csg(data, d);
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = csg.NewIntrInfo();
  ASSERT_EQ(csg.Intersect(Ray::FromDirection({0, 0, 0}, {1, 0, 0}), *record), 2);
  const auto& merged = static_cast<CG_CSGIntrInfo&>(*record).merged;
  EXPECT_EQ(merged[0].child, 2);
  EXPECT_EQ(merged[0].index, 0);
  EXPECT_EQ(merged[0].t, 1);
  EXPECT_EQ(merged[1].child, 1);
  EXPECT_EQ(merged[1].index, 1);
  EXPECT_EQ(merged[1].t, 3);
}

TEST(CsgIntervals, RaysStartingInsideAndTangentGrazes) {
  // A graze of a sphere gives two equal hits: the ray enters and leaves at
  // once, and what is inside around it stays as it was.
  struct Case {
    const char* keyword;
    std::string first;
    std::string second;
    Point3D origin;
    std::vector<double> x;
    std::vector<int> child;
  };
  const std::string a = Sphere("a", 0);
  const std::string b = Sphere("b", 1);
  const std::string touched = Sphere("a", 0);  // grazed at x = 0 by rays along y = 1
  const std::string around = "{ object name b; model { sphere center ( 0.5 , 1 , 0 ); radius 1; } }";
  const std::string beyond = "{ object name b; model { sphere center ( 3 , 1 , 0 ); radius 1; } }";
  const std::vector<Case> cases = {
      // Starting inside.
      {"union", a, b, {0.5, 0, 0}, {2}, {2}},
      {"union", a, b, {-0.5, 0, 0}, {2}, {2}},
      {"subtract", a, b, {-0.5, 0, 0}, {0}, {2}},
      {"union", a, b, {1.5, 0, 0}, {2}, {2}},
      {"subtract", a, b, {1.5, 0, 0}, {}, {}},
      {"intersect", a, b, {-0.5, 0, 0}, {0, 1}, {2, 1}},
      {"intersect", a, b, {1.5, 0, 0}, {}, {}},
      // Grazing the first child inside the second.
      {"union", touched, around, {-5, 1, 0}, {-0.5, 1.5}, {2, 2}},
      {"intersect", touched, around, {-5, 1, 0}, {0, 0}, {1, 1}},
      {"subtract", touched, around, {-5, 1, 0}, {}, {}},
      // Grazing the first child outside the second.
      {"union", touched, beyond, {-5, 1, 0}, {0, 0, 2, 4}, {1, 1, 2, 2}},
      {"intersect", touched, beyond, {-5, 1, 0}, {}, {}},
      {"subtract", touched, beyond, {-5, 1, 0}, {0, 0}, {1, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.keyword) + " from x = " + std::to_string(c.origin.x) +
                 ", y = " + std::to_string(c.origin.y));
    CsgScene scene;
    ASSERT_EQ(scene.Load(SceneText(Csg(c.keyword, c.first, c.second), 0)), 1) << scene.Message();
    const Hits hits = Trace(*scene.Find(), c.origin);
    ExpectNear(hits.x, c.x);
    EXPECT_EQ(hits.child, c.child);
  }
}

// A sphere cut by the half-space z < 0.47, a quadric without a bounding
// volume that a ray meets once or never: where the ray starts comes from the
// sign of the plane's function, not from the parity of its hits. From above
// the cut disc is seen, from the side the lower part of the sphere.
TEST(CsgIntervals, AHalfSpaceChildStartsInsideByItsFunction) {
  const std::string ball = "{ object name a; model { sphere center ( 0.3 , 0 , 0 ); radius 1.3; } }";
  const std::string below = "{ object name h; model { quad i 1; j -0.47; } }";
  const double side = std::sqrt(1.3 * 1.3 - 0.2 * 0.2);  // the sphere's x at z = -0.2
  struct Case {
    const char* what;
    std::string first, second;
    Point3D origin, direction;
    std::vector<double> z, x;  // of the hits
  };
  const std::vector<Case> cases = {
      {"from above", ball, below, {0.3, 0, 4.1}, {0, 0, -1}, {0.47, -1.3}, {0.3, 0.3}},
      {"from below", ball, below, {0.3, 0, -4.1}, {0, 0, 1}, {-1.3, 0.47}, {0.3, 0.3}},
      {"from the side, below the cut", ball, below, {-3.7, 0, -0.2}, {1, 0, 0}, {-0.2, -0.2}, {0.3 - side, 0.3 + side}},
      {"from the side, above the cut", ball, below, {-3.7, 0, 0.9}, {1, 0, 0}, {}, {}},
      {"the half-space first", below, ball, {0.3, 0, 4.1}, {0, 0, -1}, {0.47, -1.3}, {0.3, 0.3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CsgScene scene;
    ASSERT_EQ(scene.Load(SceneText(Csg("intersect", c.first, c.second), 0)), 1) << scene.Message();
    const GCSG* csg = scene.Find();
    std::unique_ptr<CG_GraphicObjectIntrInfo> record = csg->NewIntrInfo();
    const Ray ray = Ray::FromDirection(c.origin, c.direction);
    const int n = csg->Intersect(ray, *record);
    ASSERT_EQ(n, static_cast<int>(c.z.size()));
    for (int i = 0; i < n; ++i) {
      const Point3D p = ray.PointAt(record->Value(i));
      EXPECT_NEAR(p.z, c.z[static_cast<std::size_t>(i)], 1e-9);
      EXPECT_NEAR(p.x, c.x[static_cast<std::size_t>(i)], 1e-9);
    }
  }
}

// A ray inside a solid (the fake's interval from t = 1 to 5) that only
// touches an edge of a box at t = 3: the box gives an entry and an exit at
// the edge, so the intersection shows nothing outside the box (a single
// crossing made the ray start inside the box), and the difference keeps the
// whole interval but for the touched point.
TEST(CsgIntervals, ARayTouchingAnEdgeOfABoxShowsNothingOutsideIt) {
  const GEO_Box bounds{0.2, 2.3, 0.3, 4.6, 0.1, 1.9};
  // Through the edge x = 2.3, y = 4.6 at t = 3, exactly: the origin is 3 away
  // on each axis.
  const Ray ray{{2.3 - 3, 4.6 + 3, 1}, {1, -1, 0}};
  struct Case {
    const char* keyword;
    zavo::CSGIntervalRule rule;
    std::vector<double> t;
  };
  const std::vector<Case> cases = {
      {"intersect", CSGIntersectIntervals, {3, 3}},
      // The touched edge is a boundary point of the difference: out and in again.
      {"subtract", CSGSubtractIntervals, {1, 3, 3, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyword);
    CG_GraphicObjectCommData boxData;
    boxData.name = "b";
    CG_CSGDescription d;
    d.SetFirst(new FakeObject("f", {1, 5}), 1);
    d.SetSecond(new GBox(boxData, bounds), 1);
    d.intervals = c.rule;
    d.keyword = c.keyword;
    CG_GraphicObjectCommData data;
    data.name = "c";
    const GCSG csg(data, d);
    std::unique_ptr<CG_GraphicObjectIntrInfo> record = csg.NewIntrInfo();
    const int n = csg.Intersect(ray, *record);
    std::vector<double> t;
    for (int i = 0; i < n; ++i) t.push_back(record->Value(i));
    EXPECT_EQ(t, c.t);
  }
}

TEST(CsgIntervals, TheMergedSequenceGrowsByBlocksAndNeverShrinks) {
  std::vector<double> many;
  for (int i = 1; i <= 150; ++i) many.push_back(i);
  CG_CSGDescription d;
  d.SetFirst(new FakeObject("f", many), 1);
  d.SetSecond(new FakeObject("s", {}), 1);
  d.intervals = CSGUnionIntervals;
  CG_GraphicObjectCommData data;
  GCSG csg(data, d);
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = csg.NewIntrInfo();
  auto& merged = static_cast<CG_CSGIntrInfo&>(*record);
  EXPECT_EQ(csg.Intersect(Ray::FromDirection({0, 0, 0}, {1, 0, 0}), *record), 150);
  EXPECT_EQ(merged.merged.NBlocks(), 2u);
  auto* first = const_cast<FakeObject*>(static_cast<const FakeObject*>(csg.First()));
  first->hits = {1, 2};
  EXPECT_EQ(csg.Intersect(Ray::FromDirection({0, 0, 0}, {1, 0, 0}), *record), 2);
  EXPECT_EQ(merged.merged.NBlocks(), 2u);
  EXPECT_EQ(merged.merged.Size(), 150u);
}

TEST(CsgBounds, TheThreeRulesAndChildrenWithoutAVolume) {
  struct Case {
    const char* keyword;
    const char* first;   // "fake" bodies: a box or none
    const char* second;
    bool bounded;
    GEO_Box box;
  };
  const char* a = "box 0 2 0 2 0 2;";
  const char* b = "box 1 3 -1 1 0.5 4;";
  const char* far = "box 5 6 5 6 5 6;";
  const std::vector<Case> cases = {
      {"intersect", a, b, true, {1, 2, 0, 1, 0.5, 2}},
      {"intersect", a, far, false, {}},
      {"subtract", a, b, true, {0, 2, 0, 2, 0, 2}},
      {"union", a, b, true, {0, 3, -1, 2, 0, 4}},
      {"union", a, "", false, {}},
      {"subtract", a, "", false, {}},
      {"intersect", "", a, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.keyword) + " " + c.first + " / " + c.second);
    CsgScene scene;
    const std::string first = std::string("{ object name f; model { fake ") + c.first + " } }";
    const std::string second = std::string("{ object name s; model { fake ") + c.second + " } }";
    ASSERT_EQ(scene.Load(SceneText(Csg(c.keyword, first, second), 0)), 1) << scene.Message();
    const BoundingObject* volume = scene.Find()->GetBoundingObject();
    ASSERT_EQ(volume != nullptr, c.bounded);
    if (volume != nullptr) {
      EXPECT_EQ(volume->GetBox(), c.box);
    }
  }
}

TEST(CsgBounds, SetDescriptionWithOtherChildrenRenewsTheBound) {
  CsgScene scene;
  ASSERT_EQ(scene.Load(SceneText(Csg("union", Box("a", kBoxA), Box("b", kBoxB)), 0)), 1) << scene.Message();
  GCSG* csg = scene.Find();
  EXPECT_EQ(csg->GetBoundingObject()->GetBox(), (GEO_Box{0, 3, 0, 2, 0, 2}));
  CG_CSGDescription d;
  csg->GetDescription(d);
  EXPECT_EQ(d.first, csg->First());
  EXPECT_EQ(d.ownsFirst, 0);
  d.SetSecond(new FakeObject("s"), 1);  // destroyed when replaced below
  auto far = std::make_unique<FakeObject>("far");
  far->WithBound(GEO_Box{-4, -3, 0, 1, 0, 1});
  d.SetSecond(far.release(), 1);
  csg->SetDescription(d);
  EXPECT_EQ(d.ownsSecond, 0);
  EXPECT_EQ(std::string(csg->Second()->name.Text()), "far");
  EXPECT_EQ(csg->GetBoundingObject()->GetBox(), (GEO_Box{-4, 2, 0, 2, 0, 2}));
}

TEST(CsgText, WritesTheBlockExactlyAndKeepsTheIDname) {
  CsgScene scene;
  const std::string text =
      "{ material name gold; model { phong Od (1,0.8,0); } }\n" +
      Csg("subtract", Box("a", "xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1;"), Sphere("b", 1),
          "IDname Q7; material gold;");
  ASSERT_EQ(scene.Load(SceneText(text, 0)), 1) << scene.Message();
  const GCSG* csg = scene.Find();
  ASSERT_NE(csg, nullptr);
  const std::string written = Written(*csg);
  EXPECT_EQ(written,
            "{ object\n\tname c;\n\tIDname Q7;\n\tmaterial gold;\n\tmodel { subtract\n"
            "first { object\n\tname a;\n\tmodel { box\n\t\txmin 0;\n\t\txmax 1;\n\t\tymin 0;\n\t\tymax 1;\n"
            "\t\tzmin 0;\n\t\tzmax 1;\n\t}\n}\n;\n"
            "second { object\n\tname b;\n\tmodel { sphere\n\t\tcenter ( 1 , 0 , 0 );\n\t\tradius 1;\n"
            "\t\tdiv 6;\n\t}\n}\n;\n}\n}\n");

  // Read back (the ";" after a child is optional), and written again alike.
  CsgScene again;
  ASSERT_EQ(again.Load("{ material name gold; model { phong Od (1,0.8,0); } }\n" + written + ".\n"), 1)
      << again.Message();
  EXPECT_STREQ(again.Find()->IDname.Text(), "Q7");
  EXPECT_EQ(Written(*again.Find()), written);
}

TEST(CsgText, WithoutAnIDnameTheSceneGivesAFreeOne) {
  CsgScene scene;
  const std::string inner = Csg("union", Sphere("a", 0), Sphere("b", 1), "", "i");
  ASSERT_EQ(scene.Load(SceneText(Csg("union", Sphere("a", 0), Sphere("b", 1), "", "c") +
                                     Csg("union", Sphere("a", 0), Sphere("b", 1), "IDname B;", "d") +
                                     Csg("union", inner, Sphere("e", 3), "", "n"),
                                 0)),
            1)
      << scene.Message();
  EXPECT_STREQ(scene.Find("c")->IDname.Text(), "A");
  EXPECT_STREQ(scene.Find("d")->IDname.Text(), "B");
  // The inner CSG is named while the outer one is read; the outer one avoids
  // its child's name.
  const auto* outer = scene.Find("n");
  EXPECT_STREQ(static_cast<const GCSG*>(outer->First())->IDname.Text(), "C");
  EXPECT_STREQ(outer->IDname.Text(), "D");
  EXPECT_EQ(outer->ContainsIDname("C"), 1);
  EXPECT_EQ(outer->ContainsIDname("A"), 0);
}

TEST(CsgText, BodyErrorsDestroyTheChildrenReadSoFar) {
  // Each body stops at a token on line 4 of the scene text.
  const std::string f = "\nfirst { object name f; model { fake box 0 1 0 1 0 1; } }\n";
  const std::string s = "{ object name s; model { fake hit 1; } }";
  struct Case {
    std::string body;
    int code;
    const char* message;
  };
  const std::vector<Case> cases = {
      {f + "}", 5, "Object block missing"},
      {"\nsecond " + s + "\n}", 5, "Object block missing"},
      {"\n\n}", 5, "Object block missing"},
      {f + "second object name s; model { fake } } }", 2, "Caracter '{' not found"},
      {f + "second { name s; model { fake } } }", 3, "Word \"object\" not found"},
      {f + "third " + s + " }", 5, "Unknown attribute"},
      {f + "second { object name s; model { fake hit 1; } ; }", 2, "Caracter '}' not found"},
      {f + "second { object name s; model { fake bad; } } }", 5, "Unknown attribute"},
      {f + "second { object name s; colour 3; model { fake } } }", 1, "Generic Error"},
      {f + "7 }", 1, "Generic Error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    const int alive = FakeObject::alive;
    {
      CsgScene scene;
      EXPECT_EQ(scene.Load(SceneText("{ object name c; model { union " + c.body + "\n}\n", 0)), 0);
      EXPECT_EQ(scene.Code(), c.code);
      EXPECT_EQ(scene.Message(), c.message);
      EXPECT_EQ(scene.scene().GetErrorLine(), 4);
      EXPECT_EQ(scene.Find(), nullptr);
    }
    EXPECT_EQ(FakeObject::alive, alive);
  }
}

TEST(CsgObject, MaterialsTexturesAndChildrenComeFromTheChildren) {
  CsgScene scene;
  const std::string text = "{ material name red; model { phong Od (1,0,0); } }\n"
                           "{ material name blue; model { phong Od (0,0,1); } }\n" +
                           Csg("union", Box("a", kBoxA, "material red;"), Box("b", kBoxB, "material red;"),
                               "material blue;") +
                           Csg("union", Box("a", kBoxA, "material blue;"), Box("b", kBoxB), "", "d");
  ASSERT_EQ(scene.Load(SceneText(text, 0)), 1) << scene.Message();
  GCSG* c = scene.Find("c");
  GCSG* d = scene.Find("d");
  CG_NamedMaterial* red = scene.scene().GetMaterials().Find("red");
  CG_NamedMaterial* blue = scene.scene().GetMaterials().Find("blue");

  Seq<CG_NamedMaterial*> materials;
  EXPECT_EQ(c->GetMaterials(materials), 1);
  EXPECT_EQ(zavo::test::Entries(materials), (std::vector<CG_NamedMaterial*>{red, red}));
  EXPECT_EQ(d->GetMaterials(materials), 1);
  EXPECT_EQ(zavo::test::Entries(materials), (std::vector<CG_NamedMaterial*>{blue}));

  Seq<CG_GraphicObject*> children;
  EXPECT_EQ(c->GetChildren(children), 1);
  EXPECT_EQ(zavo::test::Entries(children),
            (std::vector<CG_GraphicObject*>{const_cast<CG_GraphicObject*>(c->First()),
                                            const_cast<CG_GraphicObject*>(c->Second())}));

  // Both children must answer 1; a child without a material counts as the
  // default Phong material.
  CG_MaterialPhong phong;
  EXPECT_EQ(c->HasMaterialOfClass(phong), 1);
  CG_CSGDescription desc;
  c->GetDescription(desc);
  desc.SetSecond(new zavo::test::FakeContainer("x"), 1);
  c->SetDescription(desc);
  EXPECT_EQ(c->HasMaterialOfClass(phong), 0);
  EXPECT_EQ(c->GetMaterials(materials), 0);
}

TEST(CsgObject, CloneCopiesBothChildrenOrNothing) {
  TempDir dir;
  CsgScene scene(dir / "scene");
  const std::string fake = "{ object name f; model { fake box 0 1 0 1 0 1; } }";
  const std::string inlineMesh =
      "{ object name m; model { brep model { pbrep vertices 3 0 0 0 1 0 0 0 1 0 faces 1 { 1 { 3 0 1 2 } } }"
      " costr 0; } }";
  ASSERT_EQ(scene.Load(SceneText(Csg("union", fake, Sphere("b", 1)) +
                                     Csg("union", fake, inlineMesh, "", "d"), 0)),
            1)
      << scene.Message();
  const GCSG* c = scene.Find("c");
  std::unique_ptr<CG_GraphicObject> copy = c->Clone();
  auto* clone = dynamic_cast<GCSG*>(copy.get());
  ASSERT_NE(clone, nullptr);
  EXPECT_STREQ(clone->name.Text(), "c");
  EXPECT_STREQ(c->IDname.Text(), "A");
  EXPECT_STREQ(clone->IDname.Text(), "C");
  EXPECT_EQ(clone->ConvertFlag(), 1);
  EXPECT_EQ(c->ConvertFlag(), 0);
  EXPECT_NE(clone->First(), c->First());
  EXPECT_NE(dynamic_cast<const FakeObject*>(clone->First()), nullptr);
  EXPECT_NE(dynamic_cast<const GSphere*>(clone->Second()), nullptr);
  EXPECT_STREQ(clone->Keyword(), "union");
  EXPECT_EQ(Trace(*clone, {-5, 0, 0}).x.size(), Trace(*c, {-5, 0, 0}).x.size());

  // An inline mesh cannot be copied: nothing is made, nothing is left.
  const int alive = FakeObject::alive;
  EXPECT_EQ(scene.Find("d")->Clone(), nullptr);
  EXPECT_EQ(FakeObject::alive, alive);
}

TEST(CsgObject, InternalErrors) {
  CG_CSGDescription d;
  d.keyword = "union";
  d.SetSecond(new FakeObject("s"), 1);
  CG_GraphicObjectCommData data;
  GCSG noFirst(data, d);
  std::ostringstream os;
  EXPECT_EXIT(noFirst.Write(os), ::testing::ExitedWithCode(1), "Runtime Error: om1 NULL in GCSG");
  CG_CSGDescription d2;
  d2.SetFirst(new FakeObject("f"), 1);
  CG_GraphicObjectCommData data2;
  GCSG noSecond(data2, d2);
  EXPECT_EXIT(noSecond.Write(os), ::testing::ExitedWithCode(1), "Runtime Error: om2 NULL in GCSG");

  std::unique_ptr<CG_GraphicObjectIntrInfo> record = noFirst.NewIntrInfo();
  auto& merged = static_cast<CG_CSGIntrInfo&>(*record);
  merged.merged.SetSize(1);
  merged.merged[0] = {1.0, 3, 0, 1.0};
  merged.count = 1;
  CG_MaterialPhong material;
  Point3D point, normal;
  EXPECT_EXIT(noFirst.HitDetails(Ray::FromDirection({0, 0, 0}, {1, 0, 0}), *record, 0, material, point, normal),
              ::testing::ExitedWithCode(1), "Runtime Error: Only two objects...");
}

// ---- The mesh object and its cache ----

class CsgMesh : public ::testing::Test {
protected:
  CsgMesh() { booleanLog = {}; }

  fs::path Cache(const char* id) const { return dir_ / "scene.qzd" / "object" / id / "model.brp"; }

  TempDir dir_;
  zavo::test::ScopedCwd cwd_{dir_.path()};
  const std::string boxes_ = Csg("union", Box("a", kBoxA), Box("b", kBoxB));
};

TEST_F(CsgMesh, AComputedMeshIsCachedAndTheCacheWinsAtTheNextLoad) {
  RecordingInterface shown;
  std::string written;
  std::uint32_t faces = 0;
  {
    CsgScene scene(dir_ / "scene");
    scene.scene().SetInterface(&shown);
    ASSERT_EQ(scene.Load(SceneText(boxes_, 1)), 1) << scene.Message();
    const GCSG* csg = scene.Find();
    EXPECT_STREQ(csg->IDname.Text(), "A");
    EXPECT_EQ(booleanLog.calls, 1);
    // A box child is meshed directly; the boolean reports to the CSG's
    // interface, and the previous one is back afterwards.
    EXPECT_EQ(booleanLog.firstVertices, 8u);
    EXPECT_EQ(booleanLog.firstFaces, 12u);
    EXPECT_EQ(booleanLog.progress, &shown);
    EXPECT_EQ(zavo::MeshBooleanProgress(), nullptr);
    ASSERT_NE(csg->MeshObject(), nullptr);
    const GBRep& mesh = *csg->MeshObject();
    EXPECT_STREQ(mesh.Mesh().name.Text(), "mod");
    EXPECT_STREQ(mesh.name.Text(), "a");  // the first child's common data
    EXPECT_EQ(mesh.IsInline(), 1);
    EXPECT_EQ(mesh.Costr(), 0.0);
    faces = mesh.Mesh().faces.Count();
    EXPECT_GT(faces, 12u);
    EXPECT_EQ(mesh.MeshBox(), (GEO_Box{0, 3, 0, 2, 0, 2}));

    // The cache holds its record and the pbrep block of the mesh object.
    std::ostringstream expected;
    mesh.Mesh().Write(expected, 1);
    EXPECT_EQ(ReadFile(Cache("A")), csg->CacheRecord() + "\n" + expected.str());
    EXPECT_EQ(csg->CacheRecord().rfind("// csg mesh from ", 0), 0u);

    zavo::DeclassedParts parts;
    EXPECT_EQ(const_cast<GCSG*>(csg)->DeclassToIndexedMesh(parts, 0), 1);
    ASSERT_EQ(parts.Size(), 1);
    EXPECT_EQ(parts[0].object, csg->MeshObject());
    EXPECT_EQ(parts[0].owned, 0);
    EXPECT_EQ(const_cast<GCSG*>(csg)->DeclassToFaced(parts, 0), 1);
    EXPECT_EQ(parts[0].object, csg->MeshObject());
    EXPECT_EQ(parts[0].owned, 0);

    std::ostringstream os;
    scene.scene().Write(os);
    written = os.str();
  }
  EXPECT_NE(written.find("\tIDname A;\n"), std::string::npos);

  // Loading again reads the cache, even with the conversion switched off.
  std::string off = written;
  const std::size_t at = off.find("_csg_convert 1");
  ASSERT_NE(at, std::string::npos);
  off.replace(at, 14, "_csg_convert 0");
  CsgScene again(dir_ / "scene");
  ASSERT_EQ(again.Load(off), 1) << again.Message();
  EXPECT_EQ(booleanLog.calls, 1);
  ASSERT_NE(again.Find()->MeshObject(), nullptr);
  EXPECT_STREQ(again.Find()->MeshObject()->Mesh().name.Text(), "model");
  EXPECT_EQ(again.Find()->MeshObject()->Mesh().faces.Count(), faces);

  // A child changed in the text is not what the cache was computed from: the
  // mesh is computed again and the cache overwritten, and then used.
  std::string moved = written;
  const std::size_t xmax = moved.find("xmax 3;");
  ASSERT_NE(xmax, std::string::npos);
  moved.replace(xmax, 7, "xmax 5;");
  for (const int calls : {2, 2}) {
    CsgScene changed(dir_ / "scene");
    ASSERT_EQ(changed.Load(moved), 1) << changed.Message();
    EXPECT_EQ(booleanLog.calls, calls);
    ASSERT_NE(changed.Find()->MeshObject(), nullptr);
    EXPECT_EQ(changed.Find()->MeshObject()->MeshBox(), (GEO_Box{0, 5, 0, 2, 0, 2}));
  }
  // Once removed, the mesh is computed and cached again.
  fs::remove(Cache("A"));
  CsgScene rebuilt(dir_ / "scene");
  ASSERT_EQ(rebuilt.Load(moved), 1) << rebuilt.Message();
  EXPECT_EQ(booleanLog.calls, 3);
  ASSERT_NE(rebuilt.Find()->MeshObject(), nullptr);
  EXPECT_STREQ(rebuilt.Find()->MeshObject()->Mesh().name.Text(), "mod");
  EXPECT_EQ(rebuilt.Find()->MeshObject()->MeshBox(), (GEO_Box{0, 5, 0, 2, 0, 2}));
  std::ostringstream expected;
  rebuilt.Find()->MeshObject()->Mesh().Write(expected, 1);
  EXPECT_EQ(ReadFile(Cache("A")), rebuilt.Find()->CacheRecord() + "\n" + expected.str());
}

// The directories under "<scene>.qzd/object", in order.
std::vector<std::string> ObjectDirectories(const fs::path& scene) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(scene / "object", error)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(CsgMesh, AnUnnamedCsgFindsItsOwnCacheAgain) {
  const std::string boxes = SceneText(boxes_, 1);
  // Each load is a new session that never saves the scene.
  for (int run = 0; run < 3; ++run) {
    CsgScene scene(dir_ / "scene");
    ASSERT_EQ(scene.Load(boxes), 1) << scene.Message();
    EXPECT_STREQ(scene.Find()->IDname.Text(), "A");
    ASSERT_NE(scene.Find()->MeshObject(), nullptr);
  }
  EXPECT_EQ(booleanLog.calls, 1);
  EXPECT_EQ(ObjectDirectories(dir_ / "scene.qzd"), std::vector<std::string>{"A"});

  // Edited in the text it is computed again, under a new name: the cache of
  // the first text may still serve it, and does when the edit is undone.
  std::string edited = boxes;
  edited.replace(edited.find("xmax 3;"), 7, "xmax 2.6;");
  for (const auto& [text, id, calls, xmax] :
       {std::tuple<std::string, const char*, int, double>{edited, "B", 2, 2.6}, {edited, "B", 2, 2.6},
        {boxes, "A", 2, 3.0}}) {
    CsgScene scene(dir_ / "scene");
    ASSERT_EQ(scene.Load(text), 1) << scene.Message();
    EXPECT_STREQ(scene.Find()->IDname.Text(), id);
    EXPECT_EQ(booleanLog.calls, calls);
    ASSERT_NE(scene.Find()->MeshObject(), nullptr);
    EXPECT_EQ(scene.Find()->MeshObject()->MeshBox(), (GEO_Box{0, xmax, 0, 2, 0, 2}));
  }
  EXPECT_EQ(ObjectDirectories(dir_ / "scene.qzd"), (std::vector<std::string>{"A", "B"}));
}

TEST_F(CsgMesh, TwoUnnamedCsgsKeepTwoCachesEvenWhenAlike) {
  const std::string other = Csg("subtract", Box("a", kBoxA), Box("b", kBoxB), "", "d");
  const std::string twin = Csg("union", Box("a", kBoxA), Box("b", kBoxB), "", "e");
  const std::string text = SceneText(boxes_ + other + twin, 1);
  for (int run = 0; run < 2; ++run) {
    CsgScene scene(dir_ / "scene");
    ASSERT_EQ(scene.Load(text), 1) << scene.Message();
    EXPECT_STREQ(scene.Find("c")->IDname.Text(), "A");
    EXPECT_STREQ(scene.Find("d")->IDname.Text(), "B");
    EXPECT_STREQ(scene.Find("e")->IDname.Text(), "C");
    EXPECT_EQ(scene.Find("c")->MeshObject()->MeshBox(), (GEO_Box{0, 3, 0, 2, 0, 2}));
    EXPECT_EQ(scene.Find("d")->MeshObject()->MeshBox(), (GEO_Box{0, 2, 0, 2, 0, 2}));
    EXPECT_EQ(scene.Find("e")->MeshObject()->MeshBox(), (GEO_Box{0, 3, 0, 2, 0, 2}));
  }
  EXPECT_EQ(booleanLog.calls, 3);
  EXPECT_EQ(ObjectDirectories(dir_ / "scene.qzd"), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(CsgMesh, WithoutConversionTheStandInBoxHasNoMaterial) {
  CsgScene scene(dir_ / "scene");
  const std::string text = "{ material name red; model { phong Od (1,0,0); } }\n" +
                           Csg("union", Box("a", kBoxA, "material red;"), Box("b", kBoxB), "material red;");
  ASSERT_EQ(scene.Load(SceneText(text, 0)), 1) << scene.Message();
  GCSG* csg = scene.Find();
  EXPECT_EQ(booleanLog.calls, 0);
  EXPECT_EQ(csg->MeshObject(), nullptr);
  EXPECT_FALSE(fs::exists(dir_ / "scene.qzd"));

  zavo::DeclassedParts parts;
  ASSERT_EQ(csg->DeclassToIndexedMesh(parts, 0), 1);
  ASSERT_EQ(parts.Size(), 1);
  EXPECT_EQ(parts[0].owned, 1);
  auto* box = dynamic_cast<GBox*>(parts[0].object);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->material, nullptr);
  Point3D colour;
  box->FaceColour(0, colour);
  EXPECT_EQ(colour, zavo::ColourOrDefault(nullptr));
  EXPECT_EQ(box->GetBoundingObject()->GetBox(), (GEO_Box{0, 3, 0, 2, 0, 2}));
  zavo::ReleaseDeclassedParts(parts);
}

TEST_F(CsgMesh, NoMeshNoBooleanNoFile) {
  struct Case {
    const char* label;
    std::string object;
    int calls;
  };
  const std::string quad = "{ object name q; model { fake hit 1; } }";
  const std::vector<Case> cases = {
      // A child without a volume has no mesh form.
      {"a child without a mesh", Csg("union", Box("a", kBoxA), quad), 0},
      {"the boolean gives none", Csg("none", Box("a", kBoxA), Box("b", kBoxB)), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    booleanLog = {};
    CsgScene scene(dir_ / "scene");
    ASSERT_EQ(scene.Load(SceneText(c.object, 1)), 1) << scene.Message();
    EXPECT_EQ(booleanLog.calls, c.calls);
    EXPECT_EQ(scene.Find()->MeshObject(), nullptr);
    EXPECT_FALSE(fs::exists(dir_ / "scene.qzd"));
  }
}

// A child whose indexed-mesh conversion gives two parts.
class TwoParts : public FakeObject {
public:
  TwoParts() : FakeObject("two") { WithBound(GEO_Box{0, 1, 0, 1, 0, 1}); }
  int DeclassToIndexedMesh(zavo::DeclassedParts& parts, int) override {
    parts.SetSize(2);
    for (long i = 0; i < 2; ++i) {
      CG_GraphicObjectCommData data;
      parts[i].object = new GBox(data, GEO_Box{0, 1, 0, 1, 0, 1.0 + static_cast<double>(i)});
      parts[i].owned = 1;
    }
    return 1;
  }
};

TEST_F(CsgMesh, AChildOfTwoPartsGivesNoMesh) {
  CsgScene scene(dir_ / "scene");
  CG_CSGDescription d;
  d.SetFirst(new TwoParts(), 1);
  CG_GraphicObjectCommData boxData;
  d.SetSecond(new GBox(boxData, GEO_Box{0, 2, 0, 2, 0, 2}), 1);
  d.keyword = "union";
  d.meshBoolean = Logged<MeshUnion>;
  d.scene = &scene.scene();
  d.convert = 1;
  CG_GraphicObjectCommData data;
  data.name = "c";
  GCSG csg(data, d);
  EXPECT_EQ(booleanLog.calls, 0);
  EXPECT_EQ(csg.MeshObject(), nullptr);
  EXPECT_FALSE(fs::exists(dir_ / "scene.qzd"));

  // With one part (the sphere's tessellation) the child is meshed.
  CG_CSGDescription one;
  csg.GetDescription(one);
  CG_GraphicObjectCommData sphereData;
  CG_SphereDescription sphere;
  one.SetFirst(new GSphere(sphereData, sphere), 1);
  csg.SetDescription(one);
  EXPECT_EQ(booleanLog.calls, 1);
  EXPECT_EQ(booleanLog.firstVertices, 49u);
  EXPECT_NE(csg.MeshObject(), nullptr);
  EXPECT_TRUE(fs::exists(Cache("A")));
}

TEST_F(CsgMesh, ABooleanThatThrowsLeavesNoMeshAndRestoresTheProgress) {
  RecordingInterface shown;
  RecordingInterface before;
  zavo::MeshBooleanProgressScope outer(&before);
  CsgScene scene(dir_ / "scene");
  CG_CSGDescription d;
  CG_GraphicObjectCommData boxA, boxB;
  d.SetFirst(new GBox(boxA, GEO_Box{0, 2, 0, 2, 0, 2}), 1);
  d.SetSecond(new GBox(boxB, GEO_Box{1, 3, 0, 1, 0, 1}), 1);
  d.keyword = "union";
  d.meshBoolean = [](const BRepModel3&, const BRepModel3&) -> std::unique_ptr<BRepModel3> {
    EXPECT_NE(zavo::MeshBooleanProgress(), nullptr);
    throw std::runtime_error("broken");
  };
  d.scene = &scene.scene();
  d.progress = &shown;
  CG_GraphicObjectCommData data;
  data.name = "c";
  GCSG csg(data, d);
  EXPECT_EQ(csg.MeshObject(), nullptr);
  EXPECT_EQ(zavo::MeshBooleanProgress(), &before);
  EXPECT_EQ(shown.messages, std::vector<std::string>{"Unknown exception in GCSG::SetDescription"});
  EXPECT_FALSE(fs::exists(dir_ / "scene.qzd"));
}

TEST_F(CsgMesh, ACacheIsReadWithTheCommentsOfTheSceneText) {
  const std::string text = SceneText(Csg("union", Box("a", kBoxA), Box("b", kBoxB), "IDname A;"), 1);
  CsgScene probe;  // no scene name: nothing cached
  ASSERT_EQ(probe.Load(text), 1) << probe.Message();
  booleanLog = {};
  fs::create_directories(Cache("A").parent_path());
  WriteFile(Cache("A"), probe.Find()->CacheRecord() +
                            "\n/* kept\nby hand */ { pbrep // one triangle\n vertices 3 0 0 0 1 0 0 0 1 0\n"
                            " faces 1 { 1 { 3 0 1 2 } } }\n// end\n");
  CsgScene scene(dir_ / "scene");
  ASSERT_EQ(scene.Load(text), 1) << scene.Message();
  EXPECT_EQ(booleanLog.calls, 0);
  ASSERT_NE(scene.Find()->MeshObject(), nullptr);
  EXPECT_EQ(scene.Find()->MeshObject()->Mesh().faces.Count(), 1u);
  EXPECT_STREQ(scene.Find()->MeshObject()->Mesh().name.Text(), "model");
}

TEST_F(CsgMesh, ACacheThatDoesNotReadIsComputedAgainAndOverwritten) {
  for (const char* bad : {"{ pbrep vertices 3 0 0 0 1 0 0 0 1 0 faces 1 { 1 { 3 0 1 9 } } }",
                          "{ pbrep vertices 3 0 0 0", "", "{ pbrep vertices 0 faces 0 }",
                          "{ pbrep vertices 3 0 0 0 1 0 0 0 1 0 faces 1 { 1 { 3 0 1 2 } } } extra"}) {
    SCOPED_TRACE(bad);
    booleanLog = {};
    fs::create_directories(Cache("A").parent_path());
    WriteFile(Cache("A"), bad);
    CsgScene scene(dir_ / "scene");
    // The existing directory would keep the scene from giving the name "A".
    ASSERT_EQ(scene.Load(SceneText(Csg("union", Box("a", kBoxA), Box("b", kBoxB), "IDname A;"), 1)), 1)
        << scene.Message();
    EXPECT_EQ(booleanLog.calls, 1);
    ASSERT_NE(scene.Find()->MeshObject(), nullptr);
    std::ostringstream expected;
    scene.Find()->MeshObject()->Mesh().Write(expected, 1);
    EXPECT_EQ(ReadFile(Cache("A")), scene.Find()->CacheRecord() + "\n" + expected.str());
  }
  // With the conversion off a bad cache gives no mesh object.
  booleanLog = {};
  WriteFile(Cache("A"), "{ pbrep vertices 3");
  CsgScene scene(dir_ / "scene");
  ASSERT_EQ(scene.Load(SceneText(Csg("union", Box("a", kBoxA), Box("b", kBoxB), "IDname A;"), 0)), 1);
  EXPECT_EQ(scene.Find()->MeshObject(), nullptr);
  EXPECT_EQ(booleanLog.calls, 0);
}

TEST_F(CsgMesh, NoCacheWithoutASceneNameOrForAnIDnameThatIsNoPlainName) {
  {
    CsgScene unnamed;
    ASSERT_EQ(unnamed.Load(SceneText(boxes_, 1)), 1) << unnamed.Message();
    EXPECT_EQ(booleanLog.calls, 1);
    EXPECT_NE(unnamed.Find()->MeshObject(), nullptr);
    EXPECT_EQ(fs::directory_iterator(dir_.path()), fs::directory_iterator());
  }
  // "." and ".." would name the object directory or the scene directory, and
  // "/" the root: the mesh is computed but never cached or looked for.
  for (const char* id : {".", "/", "\\"}) {
    SCOPED_TRACE(id);
    booleanLog = {};
    CsgScene scene(dir_ / "scene");
    ASSERT_EQ(scene.Load(SceneText(Csg("union", Box("a", kBoxA), Box("b", kBoxB), std::string("IDname ") + id + ";"), 1)),
              1)
        << scene.Message();
    EXPECT_STREQ(scene.Find()->IDname.Text(), id);
    EXPECT_EQ(booleanLog.calls, 1);
    EXPECT_NE(scene.Find()->MeshObject(), nullptr);
    EXPECT_FALSE(fs::exists(dir_ / "scene.qzd"));
  }
}

TEST_F(CsgMesh, ANestedCsgIsMeshedThroughItsOwnMeshObject) {
  CsgScene scene(dir_ / "scene");
  const std::string inner = Csg("union", Box("a", kBoxA), Box("b", kBoxB), "", "i");
  ASSERT_EQ(scene.Load(SceneText(Csg("subtract", inner, Box("d", "xmin 0.5; xmax 1.5; ymin 0.5; ymax 3; zmin -1; zmax 3;"), "", "n"), 1)),
            1)
      << scene.Message();
  EXPECT_EQ(booleanLog.calls, 2);
  const GCSG* outer = scene.Find("n");
  const auto* innerCsg = static_cast<const GCSG*>(outer->First());
  EXPECT_EQ(booleanLog.firstFaces, innerCsg->MeshObject()->Mesh().faces.Count());
  EXPECT_TRUE(fs::exists(Cache("A")));
  EXPECT_TRUE(fs::exists(Cache("B")));
  EXPECT_NE(ReadFile(Cache("A")), ReadFile(Cache("B")));
}

TEST(BuildBRepModel3FromMesh, ABoxGivesItsVerticesAndTrianglesUnchanged) {
  CG_GraphicObjectCommData data;
  GBox box(data, GEO_Box{-1, 2, -3, 4, -5, 6});
  std::unique_ptr<BRepModel3> mesh = BuildBRepModel3FromMesh(box);
  ASSERT_NE(mesh, nullptr);
  EXPECT_STREQ(mesh->name.Text(), "mod");
  ASSERT_EQ(mesh->vertices.Count(), 8u);
  for (int k = 1; k <= 8; ++k) {
    Point3D p;
    box.MeshVertex(k, p);
    EXPECT_EQ(mesh->vertices[static_cast<std::uint32_t>(k - 1)], p);
  }
  ASSERT_EQ(mesh->faces.Count(), 12u);
  for (int i = 0; i < 12; ++i) {
    int a, b, c;
    box.MeshTriangle(i, a, b, c);
    const Face3& face = mesh->faces[static_cast<std::uint32_t>(i)];
    ASSERT_EQ(face.ContourCount(), 1u);
    EXPECT_EQ(zavo::test::Entries(face.contours.First()->vertices), (std::vector<int>{a, b, c}));
  }
  // Planes are computed: the first triangle lies in z = -5, facing down or up.
  EXPECT_NEAR(std::abs(mesh->faces[0].unitNormal.z), 1.0, 1e-12);

  // Hidden-edge signs stay.
  CG_GraphicObjectCommData sphereData;
  GSphere sphere(sphereData, CG_SphereDescription{});
  zavo::DeclassedParts parts;
  ASSERT_EQ(sphere.DeclassToIndexedMesh(parts, 0), 1);
  std::unique_ptr<BRepModel3> grid = BuildBRepModel3FromMesh(*parts[0].object);
  int a, b, c;
  parts[0].object->MeshTriangle(0, a, b, c);
  EXPECT_EQ(grid->faces[0].contours.First()->vertices[1], b);
  EXPECT_LT(b, 0);
  zavo::ReleaseDeclassedParts(parts);
}

}  // namespace
