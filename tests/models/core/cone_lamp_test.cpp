#include "models/core/cone_lamp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/ray.h"
#include "model_scene.h"
#include "models/core/brep.h"
#include "models/core/transf.h"
#include "scene/cg_scanner.h"
#include "scene/material.h"

namespace {

using zavo::test::ModelScene;
using zavo::test::Written;

void ExpectNear(const Point3D& actual, const Point3D& expected, double tolerance = 1e-12) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// Reads a lamp body (the text after "conelamp") through the module.
struct LampRead {
  std::unique_ptr<CG_LightSource> lamp;
  int code = 0;
  std::string message;
};

LampRead ReadLampBody(const std::string& body) {
  ModelScene scene;
  NGConeLampModule module;
  std::istringstream in(body);
  CGScanner s(in);
  s.Next();
  LampRead result;
  result.lamp = module.Read(scene.scene(), s, "spot");
  result.code = scene.Code();
  result.message = scene.Message();
  return result;
}

CG_ConeLampDescription DescriptionOf(const CG_LightSource& lamp) {
  CG_ConeLampDescription d;
  dynamic_cast<const GConeLamp&>(lamp).GetDescription(d);
  return d;
}

std::unique_ptr<CG_XConeLamp> MakeObject(const CG_XConeLampDescription& d, const char* name = "cl") {
  CG_GraphicObjectCommData data;
  data.name = name;
  return std::make_unique<CG_XConeLamp>(data, d);
}

// ---- The lamp form ----

TEST(ConeLampForm, ReaderCases) {
  struct Case {
    const char* body;
    bool lamp;
    int code;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"pos (1,2,3); dir (0,0,-1); ang 0.5; color (1,1,1); }", true, 0, ""},
      {"color (1,1,1); ang 0.5; dir (0,0,-1); pos (1,2,3); }", true, 0, ""},
      {"dir (0,0,-1); ang 0.5; color (1,1,1); }", false, 0, ""},
      {"pos (1,2,3); ang 0.5; color (1,1,1); }", false, 0, ""},
      {"pos (1,2,3); dir (0,0,-1); color (1,1,1); }", false, 0, ""},
      {"pos (1,2,3); dir (0,0,-1); ang 0.5; }", false, 0, ""},
      // A point that stops early records its message and reading goes on.
      {"pos (1,2,3 ; dir (0,0,-1); ang 0.5; color (1,1,1); }", true, 5, "Wrong point definition"},
      {"pos (1,2,3); dir (0,0,-1 ; ang 0.5; color (1,1,1); }", true, 5, "Wrong point pefinition"},
      {"pos (1,2,3); dir (0,0,-1); ang 0.5; color (1,1 ; }", true, 5, "Wrong color definition"},
      {"pos (1,2,3); dir (0,0,-1); ang 0.5; color (1,1,1); range 4; }", false, 5, "Unknown attribute"},
      {"pos (1,2,3) dir (0,0,-1); ang 0.5; color (1,1,1); }", false, 2, "Caracter ';' not found"},
      {"pos (1,2,3); 7 dir (0,0,-1); ang 0.5; color (1,1,1); }", false, 0, ""},
      {"pos (1,2,3); dir (0,0,-1); ang 1e999; color (1,1,1); }", false, 5, "Number wanted"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    LampRead read = ReadLampBody(c.body);
    EXPECT_EQ(read.lamp != nullptr, c.lamp);
    EXPECT_EQ(read.code, c.code);
    EXPECT_EQ(read.message, c.message);
  }
}

TEST(ConeLampForm, ReadsItsValuesAndTakesAnyTokenAsTheAngle) {
  LampRead read = ReadLampBody("pos (1,2,3); dir (0,0.6,-0.8); ang 2E-1; color (1,0.5,0.25); }");
  ASSERT_NE(read.lamp, nullptr);
  EXPECT_STREQ(read.lamp->name.Text(), "spot");
  EXPECT_STREQ(read.lamp->Keyword(), "conelamp");
  const CG_ConeLampDescription d = DescriptionOf(*read.lamp);
  ExpectNear(d.pos, {1, 2, 3});
  ExpectNear(d.dir, {0, 0.6, -0.8});
  EXPECT_EQ(d.ang, 0.2);
  ExpectNear(d.color, {1, 0.5, 0.25});
  ExpectNear(read.lamp->Position(), {1, 2, 3});

  // A word as the angle is 0: the lamp lights nothing.
  read = ReadLampBody("pos (1,2,3); dir (0,0,-1); ang wide; color (1,1,1); }");
  ASSERT_NE(read.lamp, nullptr);
  EXPECT_EQ(DescriptionOf(*read.lamp).ang, 0.0);
  ExpectNear(read.lamp->ColourAt({}, {0, 0, 1}), {0, 0, 0});
}

TEST(ConeLampForm, LightsInsideTheConeOnly) {
  CG_ConeLampDescription d;
  d.pos = {0, 0, 5};
  d.dir = {0, 0, -1};
  d.ang = std::acos(0.6);
  d.color = {1, 0.5, 0.25};
  GConeLamp lamp("spot", nullptr, d);
  struct Case {
    const char* what;
    Point3D toLamp;
    bool lit;
  };
  const std::vector<Case> cases = {
      {"straight along the aim", {0, 0, 1}, true},
      {"inside the half-angle", {0.6, 0, 0.8}, true},
      {"at the half-angle", {0.8, 0, 0.6}, false},
      {"beyond the half-angle", {0.96, 0, 0.28}, false},
      {"sideways", {0, 1, 0}, false},
      {"behind the lamp", {0, 0, -1}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // The point plays no part.
    ExpectNear(lamp.ColourAt({100, -7, 3}, c.toLamp), c.lit ? d.color : Point3D{});
  }
}

TEST(ConeLampForm, WritesItsSectionAndNameOperations) {
  CG_ConeLampDescription d;
  d.pos = {1, 2, 3};
  d.dir = {0, 0, -1};
  d.ang = 0.25;
  d.color = {1, 0.5, 0};
  NGConeLampModule module;
  GConeLamp lamp("spot", &module, d);
  std::ostringstream os;
  lamp.Write(os);
  EXPECT_EQ(os.str(),
            "{ lamp\n\tname spot;\n\tmodel { conelamp\npos ( 1 , 2 , 3 );\n\tdir ( 0 , 0 , -1 );\n\tang 0.25;\n"
            "\tcolor (1,0.5,0);\n}\n}");
  EXPECT_EQ(lamp.GetModule(), &module);
  charString name;
  lamp.GetName(name);
  EXPECT_STREQ(name.Text(), "spot");
  lamp.SetName("other");
  EXPECT_STREQ(lamp.name.Text(), "other");

  // Its section reads back to the same lamp.
  const std::string text = os.str();
  LampRead read = ReadLampBody(text.substr(text.find("conelamp") + 8));
  ASSERT_NE(read.lamp, nullptr);
  const CG_ConeLampDescription back = DescriptionOf(*read.lamp);
  ExpectNear(back.pos, d.pos);
  ExpectNear(back.dir, d.dir);
  EXPECT_EQ(back.ang, d.ang);
  ExpectNear(back.color, d.color);
}

// ---- The object form ----

TEST(ConeLampObject, LightTable) {
  struct Case {
    const char* what;
    double p;
    int isDouble;
    Point3D point, toLamp;
    double factor;  // of the colour; 0 is black
  };
  const double c40 = std::cos(40 * std::numbers::pi / 180);
  const double s40 = std::sin(40 * std::numbers::pi / 180);
  const double c50 = std::cos(50 * std::numbers::pi / 180);
  const double s50 = std::sin(50 * std::numbers::pi / 180);
  const std::vector<Case> cases = {
      {"0.5 along -x: attenuation clamped to 1", 0, 0, {-0.5, 0, 0}, {1, 0, 0}, 1},
      {"2 along -x: a quarter", 0, 0, {-2, 0, 0}, {1, 0, 0}, 0.25},
      {"along +x: behind", 0, 0, {1, 0, 0}, {-1, 0, 0}, 0},
      {"sideways", 0, 0, {0, -2, 0}, {0, 1, 0}, 0},
      {"40 degrees off inside the 45-degree cone", 0, 0, {-2 * c40, -2 * s40, 0}, {c40, s40, 0}, 0.25},
      {"50 degrees off outside it", 0, 0, {-2 * c50, 0, -2 * s50}, {c50, 0, s50}, 0},
      {"the falloff pow(c, p)", 2, 0, {-2 * c40, -2 * s40, 0}, {c40, s40, 0}, 0.25 * c40 * c40},
      {"double: behind, attenuation only", 0, 1, {2, 0, 0}, {-1, 0, 0}, 0.25},
      {"double: sideways", 0, 1, {0, 0, 2}, {0, 0, -1}, 0.25},
      {"double with a falloff: cosine 0", 1, 1, {0, 0, 2}, {0, 0, -1}, 0},
      {"double with a falloff: negative cosine, whole exponent", 2, 1, {2, 0, 0}, {-1, 0, 0}, 0.25},
      // Not finite: black.
      {"double: negative cosine, fractional exponent", 0.5, 1, {2, 0, 0}, {-1, 0, 0}, 0},
      {"double: cosine 0, negative exponent", -1, 1, {0, 0, 2}, {0, 0, -1}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CG_XConeLampDescription d;
    d.color = {1, 0.5, 0.25};
    d.p = c.p;
    d.isDouble = c.isDouble;
    auto lamp = MakeObject(d);
    const Point3D light = lamp->Illuminate(c.point, c.toLamp);
    ExpectNear(light, d.color * c.factor);
    ExpectNear(lamp->ColourAt(c.point, c.toLamp), light);
  }
}

TEST(ConeLampObject, ConeTestUsesHighOverRadiusAndAZeroRadiusLightsTheHalfSpace) {
  CG_XConeLampDescription d;
  d.c1 = 1;
  d.c3 = 0;
  // high / radius = 2: lit up to atan(2), about 63.4 degrees.
  d.radius = 1;
  d.high = 2;
  auto narrowBase = MakeObject(d);
  const Point3D at60{std::cos(std::numbers::pi / 3), std::sin(std::numbers::pi / 3), 0};
  const Point3D at70{std::cos(70 * std::numbers::pi / 180), 0, std::sin(70 * std::numbers::pi / 180)};
  ExpectNear(narrowBase->Illuminate({-1, 0, 0}, at60), {1, 1, 1});
  ExpectNear(narrowBase->Illuminate({-1, 0, 0}, at70), {0, 0, 0});
  d.radius = 0;
  auto flat = MakeObject(d);
  ExpectNear(flat->Illuminate({-1, 0, 0}, at70), {1, 1, 1});
  ExpectNear(flat->Illuminate({-1, 0, 0}, {1e-9, 1, 0}), {0, 0, 0});  // cosine below 1e-8
  EXPECT_EQ(flat->Position(), (Point3D{0, 0, 0}));
  EXPECT_EQ(flat->IsLightSource(), 1);
  EXPECT_EQ(flat->IsRayTraceable(), 1);
}

TEST(ConeLampObject, CloneKeepsEveryField) {
  CG_XConeLampDescription d;
  d.radius = 2;
  d.high = 3;
  d.div = 7;
  d.color = {0.1, 0.2, 0.3};
  d.c1 = 0.5;
  d.c2 = 0.25;
  d.c3 = 0.125;
  d.p = 3;
  d.isDouble = 1;
  auto lamp = MakeObject(d, "orig");
  std::unique_ptr<CG_GraphicObject> clone = lamp->Clone();
  auto* copy = dynamic_cast<CG_XConeLamp*>(clone.get());
  ASSERT_NE(copy, nullptr);
  CG_XConeLampDescription back;
  copy->GetDescription(back);
  EXPECT_EQ(back.radius, 2);
  EXPECT_EQ(back.high, 3);
  EXPECT_EQ(back.div, 7);
  ExpectNear(back.color, d.color);
  EXPECT_EQ(back.c1, 0.5);
  EXPECT_EQ(back.c2, 0.25);
  EXPECT_EQ(back.c3, 0.125);
  EXPECT_EQ(back.p, 3);
  EXPECT_EQ(back.isDouble, 1);
  EXPECT_STREQ(copy->name.Text(), "orig");
  EXPECT_EQ(Written(*copy), Written(*lamp));
}

TEST(ConeLampObject, WritesAndReadsBackEveryField) {
  CG_XConeLampDescription d;
  d.radius = 2;
  d.high = 0.75;
  d.div = 12;
  d.color = {1, 0.5, 0};
  d.c1 = 1;
  d.c2 = 0.5;
  d.c3 = 0;
  d.p = 2;
  d.isDouble = 1;
  auto lamp = MakeObject(d, "L");
  const std::string text = Written(*lamp);
  EXPECT_EQ(text,
            "{ object\n\tname L;\n\tmodel { conelamp\n\t\thigh 0.75;\n\t\tradius 2;\n\t\tdiv 12;\n\t\tcolor "
            "(1,0.5,0);\n\t\tp 2;\n\t\tdouble 1;\n\t\tc1 1;\n\t\tc2 0.5;\n\t\tc3 0;\n\t}\n}\n");
  ModelScene scene;
  ASSERT_EQ(scene.Load(text + ".\n"), 1);
  auto* back = dynamic_cast<CG_XConeLamp*>(scene.Find("L"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(Written(*back), text);
}

TEST(ConeLampObject, ReaderCases) {
  struct Case {
    const char* body;
    int loads;
    int code;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"conelamp", 1, 0, ""},
      {"conelamp radius 1; high 2; p 1.5; c1 1; c2 2; c3 3; div 5.9; double 1; color (1,0,0);", 1, 0, ""},
      {"conelamp color (1,0 ;", 1, 5, "Wrong color definition"},
      {"conelamp radius wide;", 0, 5, "Number wanted"},
      {"conelamp double yes;", 0, 5, "Number wanted"},
      {"conelamp angle 3;", 0, 5, "Unknown attribute"},
      {"conelamp p 2", 0, 2, "Caracter ';' not found"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    ModelScene scene;
    EXPECT_EQ(scene.LoadObject(c.body), c.loads);
    if (c.code != 0) {
      EXPECT_EQ(scene.Code(), c.code);
      EXPECT_EQ(scene.Message(), c.message);
    }
  }
  ModelScene scene;
  ASSERT_EQ(scene.LoadObject("conelamp radius 1; high 2; p 1.5; c1 1; c2 2; c3 3; div 5.9; double 1;"), 1);
  CG_XConeLampDescription d;
  dynamic_cast<CG_XConeLamp*>(scene.Find())->GetDescription(d);
  EXPECT_EQ(d.radius, 1);
  EXPECT_EQ(d.high, 2);
  EXPECT_EQ(d.p, 1.5);
  EXPECT_EQ(d.c1, 1);
  EXPECT_EQ(d.c2, 2);
  EXPECT_EQ(d.c3, 3);
  EXPECT_EQ(d.div, 5);
  EXPECT_EQ(d.isDouble, 1);
  ExpectNear(d.color, {1, 1, 1});
  EXPECT_EQ(d.progress, &scene.scene().GetInterface());
}

// The shape is the cone model's, with its mends.
TEST(ConeLampObject, GeometryIsTheConeModels) {
  CG_XConeLampDescription d;
  d.radius = 1;
  d.high = 2;
  auto lamp = MakeObject(d);
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = lamp->NewIntrInfo();
  ASSERT_NE(dynamic_cast<CG_XConeLampIntrInfo*>(record.get()), nullptr);
  CG_MaterialPhong material;
  Point3D point;
  Point3D normal;
  // The mantle normal is the true surface normal (x, y, -(r/h)^2 z).
  const Ray across = Ray::FromDirection({5, 0, -1}, {-1, 0, 0});
  ASSERT_EQ(lamp->Intersect(across, *record), 2);
  lamp->HitDetails(across, *record, 0, material, point, normal);
  ExpectNear(point, {0.5, 0, -1});
  ExpectNear(normal, Point3D{0.5, 0, 0.25} * (1 / std::sqrt(0.3125)));
  // A ray parallel to a mantle line meets the mantle and the base.
  const Ray parallel = Ray::FromDirection({-0.25, 0, 0}, {1, 0, -2});
  ASSERT_EQ(lamp->Intersect(parallel, *record), 2);
  EXPECT_TRUE(std::isfinite(record->Value(0)));
  EXPECT_TRUE(std::isfinite(record->Value(1)));
  lamp->HitDetails(parallel, *record, 1, material, point, normal);
  ExpectNear(normal, {0, 0, -1});
  const GEO_Box box = lamp->GetBoundingObject()->GetBox();
  EXPECT_EQ(box.xmin, -1);
  EXPECT_EQ(box.zmin, -2);
  EXPECT_EQ(box.zmax, 2);
}

TEST(ConeLampObject, TessellatesAtLeastFourByFour) {
  for (int div : {2, 10}) {
    SCOPED_TRACE(div);
    CG_XConeLampDescription d;
    d.div = div;
    auto lamp = MakeObject(d);
    zavo::DeclassedParts parts;
    ASSERT_EQ(lamp->DeclassToIndexedMesh(parts, 0), 1);
    ASSERT_EQ(parts.Size(), 1);
    auto* mesh = dynamic_cast<GBRep*>(parts[0].object);
    ASSERT_NE(mesh, nullptr);
    const int n = std::max(div, 4);
    EXPECT_EQ(mesh->MeshVertexCount(), n * n);
    EXPECT_STREQ(mesh->name.Text(), "cl");
    zavo::ReleaseDeclassedParts(parts);
  }
}

// ---- A cone-lamp section loaded as a scene object ----

const char* const kSpotSection =
    "{ lamp\n\tname spot;\n\tmodel { conelamp\npos ( 1 , 2 , 3 );\n\tdir ( 0.6 , 0 , -0.8 );\n"
    "\tang 0.4;\n\tcolor (1,0.5,0.25);\n}\n}\n.\n";

TEST(ConeLampSection, LoadsAsATransfAroundAConelampObject) {
  ModelScene scene;
  ASSERT_EQ(scene.Load(kSpotSection), 1);
  EXPECT_TRUE(scene.scene().GetLights().IsEmpty());
  auto* transf = dynamic_cast<GTransf*>(scene.Find("spot"));
  ASSERT_NE(transf, nullptr);
  Seq<CG_GraphicObject*> children;
  transf->GetChildren(children);
  ASSERT_EQ(children.Count(), 1u);
  auto* cone = dynamic_cast<CG_XConeLamp*>(children[0]);
  ASSERT_NE(cone, nullptr);
  EXPECT_STREQ(cone->name.Text(), "spot");
  CG_XConeLampDescription d;
  cone->GetDescription(d);
  ExpectNear(d.color, {1, 0.5, 0.25});
  EXPECT_EQ(d.c1, 1);
  EXPECT_EQ(d.c2, 0);
  EXPECT_EQ(d.c3, 0);
  EXPECT_EQ(d.p, 0);
  EXPECT_EQ(d.isDouble, 0);
  EXPECT_EQ(d.div, 10);
  EXPECT_EQ(d.radius, 0.5);
  EXPECT_NEAR(d.high, 0.5 * std::tan(0.4), 1e-6);
  EXPECT_EQ(transf->IsLightSource(), 1);
  ExpectNear(transf->Position(), {1, 2, 3}, 1e-5);
}

TEST(ConeLampSection, ObjectFormTextIsExact) {
  CG_ConeLampDescription d;
  d.pos = {1, 2, 3};
  d.dir = {0, 0, -1};
  d.ang = std::atan(0.5);
  d.color = {1, 0.5, 0};
  GConeLamp lamp("spot", nullptr, d);
  std::ostringstream os;
  lamp.WriteAsObject(os);
  // -d = (0, 0, 1) is the first column; the helper axis y gives (0, 0, 1) x
  // (0, 1, 0) = (-1, 0, 0) as the second and their cross product (0, -1, 0)
  // as the third.
  EXPECT_EQ(os.str(),
            "{ object\n\tname spot;\n\tmodel \t{ transf\n"
            "\t\tr1 ( 0 , -1 , 0 );\n\t\tr2 ( 0 , 0 , -1 );\n\t\tr3 ( 1 , 0 , 0 );\n\t\tt ( 1 , 2 , 3 );\n"
            "{ object\n\tname spot;\n\tmodel { conelamp\n\t\thigh 0.25;\n\t\tradius 0.5;\n\t\tdiv 10;\n"
            "\t\tcolor (1,0.5,0);\n\t\tp 0;\n\t\tdouble 0;\n\t\tc1 1;\n\t\tc2 0;\n\t\tc3 0;\n\t}\n}\n\t}\n}\n");
}

TEST(ConeLampSection, RotationTakesLocalMinusXToTheAim) {
  const std::vector<Point3D> aims = {{0, 0, -1}, {0, 0, 1}, {1, 0, 0}, {-1, 0, 0}, {0, 2, 0},
                                     {0.6, 0, -0.8}, {1, 1, 1}, {-0.3, 0.2, 0.9}, {1e-300, -2e-300, 0},
                                     {1e300, 1e300, -1e300}};
  for (const Point3D& aim : aims) {
    SCOPED_TRACE(aim.x * 100 + aim.y * 10 + aim.z);
    double r[3][3];
    zavo::ConeLampRotationRows(aim, r);
    const Point3D scaled = aim * (1 / std::max({std::fabs(aim.x), std::fabs(aim.y), std::fabs(aim.z)}));
    const Point3D d = scaled * (1 / Length(scaled));
    ExpectNear({-r[0][0], -r[1][0], -r[2][0]}, d);
    // Orthonormal and right-handed.
    const Point3D cols[3] = {{r[0][0], r[1][0], r[2][0]}, {r[0][1], r[1][1], r[2][1]}, {r[0][2], r[1][2], r[2][2]}};
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) EXPECT_NEAR(Dot(cols[i], cols[j]), i == j ? 1 : 0, 1e-12);
    }
    ExpectNear(Cross(cols[0], cols[1]), cols[2]);
  }
  // Without a direction: the identity.
  for (const Point3D& aim : {Point3D{0, 0, 0}, Point3D{std::numeric_limits<double>::infinity(), 0, 0}}) {
    double r[3][3];
    zavo::ConeLampRotationRows(aim, r);
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) EXPECT_EQ(r[i][j], i == j ? 1 : 0);
    }
  }
}

TEST(ConeLampSection, ShapeForTheAngle) {
  struct Case {
    double ang, radius, high;
  };
  const std::vector<Case> cases = {
      {std::atan(0.5), 0.5, 0.25},
      {std::numbers::pi / 4, 0.5, 0.5},
      {std::atan(4.0), 0.125, 0.5},
      {std::numbers::pi / 2, 0, 0.5},
      {3, 0, 0.5},
      {0, 0.5, 0},
      {-1, 0.5, 0},
      {std::numeric_limits<double>::quiet_NaN(), 0.5, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ang);
    double radius = -1;
    double high = -1;
    zavo::ConeLampShape(c.ang, radius, high);
    EXPECT_NEAR(radius, c.radius, 1e-15);
    EXPECT_NEAR(high, c.high, 1e-15);
  }
}

// The loaded object sends the lamp form's light, for several aims and angles
// and a table of directions around each cone; the loaded scene written and
// loaded again keeps it.
TEST(ConeLampSection, LoadedObjectSendsTheLampFormsLight) {
  struct Lamp {
    Point3D dir;
    double ang;
  };
  const std::vector<Lamp> lamps = {{{0, 0, -1}, 0.4},
                                   {{0.6, 0, -0.8}, 0.4},
                                   {{-0.48, 0.6, 0.64}, 1.2},
                                   {{1, 0, 0}, 0.05},
                                   {{0, 1, 0}, 2.0},
                                   {{0, 0, 1}, 0},
                                   {{0, 0, 1}, -0.5}};
  for (const Lamp& l : lamps) {
    SCOPED_TRACE(std::to_string(l.ang) + " " + std::to_string(l.dir.x));
    CG_ConeLampDescription d;
    d.pos = {1, 2, 3};
    d.dir = l.dir;
    d.ang = l.ang;
    d.color = {1, 0.5, 0.25};
    GConeLamp lamp("spot", nullptr, d);
    std::ostringstream section;
    lamp.Write(section);
    section << "\n.\n";
    ModelScene scene;
    ASSERT_EQ(scene.Load(section.str()), 1);
    const CG_GraphicObject* loaded = scene.Find("spot");
    ASSERT_NE(loaded, nullptr);
    std::ostringstream saved;
    scene.scene().Write(saved);
    ModelScene again;
    ASSERT_EQ(again.Load(saved.str()), 1);
    const CG_GraphicObject* reloaded = again.Find("spot");
    ASSERT_NE(reloaded, nullptr);

    // Directions from the lamp toward the point: on the axis, just inside
    // and just outside the half-angle, sideways and behind.
    const Point3D a = d.dir;
    const Point3D side = Length(Cross(a, {0, 0, 1})) > 0.1 ? Cross(a, {0, 0, 1}) : Cross(a, {1, 0, 0});
    const Point3D u = side * (1 / Length(side));
    std::vector<double> angles = {0, 0.5 * std::numbers::pi, std::numbers::pi};
    if (l.ang > 0.02) {
      angles.push_back(l.ang - 0.01);
      angles.push_back(l.ang * 0.5);
    }
    if (l.ang + 0.01 < std::numbers::pi) angles.push_back(std::max(0.0, l.ang) + 0.01);
    for (double angle : angles) {
      SCOPED_TRACE(angle);
      const Point3D out = a * std::cos(angle) + u * std::sin(angle);
      const Point3D point = d.pos + out * 3.0;
      const Point3D toLamp = out * -1.0;
      const Point3D expected = lamp.ColourAt(point, toLamp);
      if (angle == 0 && l.ang <= 0) continue;  // the axis is the whole cone's boundary
      // The plane of the lamp bounds the half space that a wide cone lights.
      if (angle == 0.5 * std::numbers::pi && l.ang >= 0.5 * std::numbers::pi) continue;
      ExpectNear(loaded->ColourAt(point, toLamp), expected, 1e-9);
      ExpectNear(reloaded->ColourAt(point, toLamp), expected, 1e-9);
    }
    ExpectNear(loaded->Position(), d.pos, 1e-5);
    ExpectNear(reloaded->Position(), d.pos, 1e-5);
  }
}

}  // namespace
