#include "models/core/transf_lamp.h"

#include <gtest/gtest.h>

#include <memory>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/matrix.h"  // xMatrix
#include "model_scene.h"
#include "models/core/cone_lamp.h"
#include "models/core/point_lamp.h"
#include "models/core/transf.h"
#include "scene/cg_scanner.h"

namespace {

using zavo::test::ModelScene;

constexpr double kHalfPi = std::numbers::pi / 2;

void ExpectNear(const Point3D& actual, const Point3D& expected, double tolerance = 1e-12) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

struct Step {
  std::int32_t kind;
  double v0, v1, v2;
};

std::unique_ptr<GConeLamp> MakeCone(const Point3D& pos, const Point3D& dir, double ang, const char* name = "inner") {
  CG_ConeLampDescription d;
  d.pos = pos;
  d.dir = dir;
  d.ang = ang;
  d.color = {1, 0.5, 0.25};
  return std::make_unique<GConeLamp>(name, nullptr, d);
}

std::unique_ptr<GTransfLamp> Wrap(const std::vector<Step>& steps, std::unique_ptr<CG_LightSource> inner,
                                  const char* name = "moved") {
  CG_TransfLampDescription d;
  for (const Step& s : steps) d.steps.Append(new lt_Data(s.kind, s.v0, s.v1, s.v2));
  d.lamp = inner.release();
  d.ownsLamp = 1;
  return std::make_unique<GTransfLamp>(name, nullptr, d);
}

// A lamp that counts its destructions.
class CountedLamp : public CG_LightSource {
public:
  explicit CountedLamp(int& destroyed) : CG_LightSource("counted"), destroyed_(destroyed) {}
  ~CountedLamp() override { ++destroyed_; }
  void Write(std::ostream&) const override {}

private:
  int& destroyed_;
};

struct LampRead {
  std::unique_ptr<CG_LightSource> lamp;
  int code = 0;
  std::string message;
};

// Reads the body after "transf" through the module, in a scene whose
// registry holds the lamp modules.
LampRead ReadBody(const std::string& body) {
  ModelScene scene;
  NGTransfLampModule module;
  std::istringstream in(body);
  CGScanner s(in);
  s.Next();
  LampRead result;
  result.lamp = module.Read(scene.scene(), s, "moved");
  result.code = scene.Code();
  result.message = scene.Message();
  return result;
}

const char* const kInnerCone =
    "{ lamp name inner; model { conelamp pos (1,0,0); dir (0,0,-1); ang 0.3; color (1,0.5,0.25); } }";

std::unique_ptr<GPointLamp> MakePoint(const Point3D& pos) {
  CG_PointLampDescription d;
  d.pos = pos;
  d.color = {1, 0.5, 0.25};
  return std::make_unique<GPointLamp>("bulb", nullptr, d);
}

TEST(TransfLamp, AroundAPointLamp) {
  struct Case {
    const char* what;
    std::vector<Step> steps;
    Point3D pos, position;
  };
  const std::vector<Case> cases = {
      {"moved up", {{zavo::kStepTranslate, 0, 0, 5}}, {1, 0, 0}, {1, 0, 5}},
      {"turned about (1, 0, 0)",
       {{zavo::kStepTranslate, -1, 0, 0}, {zavo::kStepRotate, 0, 0, kHalfPi}, {zavo::kStepTranslate, 1, 0, 0}},
       {2, 0, 0},
       {1, 1, 0}},
      {"scaled and sheared",
       {{zavo::kStepScale, 2, 3, 4}, {zavo::kStepShear, 1, 0, 0}},
       {1, 1, 1},
       {6, 3, 4}},
      {"no steps", {}, {1, 2, 3}, {1, 2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto lamp = Wrap(c.steps, MakePoint(c.pos));
    ExpectNear(lamp->Position(), c.position);
    // The point lamp's colour at every point, from every direction.
    for (const Point3D& point : {Point3D{0, 0, 0}, Point3D{100, -3, 7}, Point3D{-1, 0, 5}}) {
      ExpectNear(lamp->ColourAt(point, {0, 0, 1}), {1, 0.5, 0.25});
      ExpectNear(lamp->ColourAt(point, {0.6, -0.8, 0}), {1, 0.5, 0.25});
    }
  }
}

TEST(TransfLamp, AroundAPointLampLoadsAsATransfAroundAPointlampObject) {
  auto lamp = Wrap({{zavo::kStepTranslate, -1, 0, 0}, {zavo::kStepRotate, 0, 0, kHalfPi},
                    {zavo::kStepTranslate, 1, 0, 0}},
                   MakePoint({2, 0, 0}));
  std::ostringstream text;
  lamp->WriteAsObject(text);
  EXPECT_EQ(text.str(),
            "{ object\n\tname moved;\n\tmodel \t{ transf\n\t\tt ( -1 , 0 , 0 );\n\t\tr ( 0 , 0 , 1.5708 );\n"
            "\t\tt ( 1 , 0 , 0 );\n{ object\n\tname bulb;\n\tmodel { pointlamp\ncenter ( 2 , 0 , 0 );\n"
            "\tcolor (1,0.5,0.25);\n}\n}\t}\n}\n");
  text << "\n.\n";
  ModelScene scene;
  ASSERT_EQ(scene.Load(text.str()), 1);
  auto* object = dynamic_cast<GTransf*>(scene.Find("moved"));
  ASSERT_NE(object, nullptr);
  CG_TransfDescription d;
  object->GetTransformList(d);
  std::vector<std::vector<double>> steps;
  for (const t_Data& step : d.steps) steps.push_back({double(step.kind), step.v[0], step.v[1], step.v[2]});
  EXPECT_EQ(steps, (std::vector<std::vector<double>>{{0, -1, 0, 0}, {1, 0, 0, 1.5708}, {0, 1, 0, 0}}));
  auto* child = dynamic_cast<GXPointLamp*>(d.child);
  ASSERT_NE(child, nullptr);
  CG_XPointLampDescription inner;
  child->GetDescription(inner);
  EXPECT_EQ(inner.radius, 1);
  ExpectNear(inner.center, {2, 0, 0});
  ExpectNear(inner.color, {1, 0.5, 0.25});
  object->SetTransformList(d);
  ExpectNear(object->Position(), {1, 1, 0}, 1e-5);

  // And through a whole lamp section.
  std::ostringstream section;
  lamp->Write(section);
  section << "\n.\n";
  ModelScene loaded;
  ASSERT_EQ(loaded.Load(section.str()), 1);
  EXPECT_TRUE(loaded.scene().GetLights().IsEmpty());
  ASSERT_NE(loaded.Find("moved"), nullptr);
  ExpectNear(loaded.Find("moved")->Position(), {1, 1, 0}, 1e-5);
  ExpectNear(loaded.Find("moved")->ColourAt({5, 5, 5}, {0, 0, 1}), {1, 0.5, 0.25});
}

TEST(TransfLamp, PlacesAndTurnsItsInnerLamp) {
  auto lamp = Wrap({{zavo::kStepTranslate, 0, 0, 5}}, MakeCone({1, 0, 0}, {0, 0, -1}, 0.3));
  ExpectNear(lamp->Position(), {1, 0, 5});
  // Straight under the moved lamp: lit; aside: not.
  ExpectNear(lamp->ColourAt({1, 0, 0}, {0, 0, 1}), {1, 0.5, 0.25});
  ExpectNear(lamp->ColourAt({6, 0, 5}, {-1, 0, 0}), {0, 0, 0});

  // A quarter turn about the lamp's position: t (-p), r, t (p).
  auto turned = Wrap({{zavo::kStepTranslate, -2, 0, 0}, {zavo::kStepRotate, kHalfPi, 0, 0},
                      {zavo::kStepTranslate, 2, 0, 0}},
                     MakeCone({2, 0, 0}, {0, 0, -1}, 0.3));
  ExpectNear(turned->Position(), {2, 0, 0});
  // The aim (0, 0, -1) turned about x by a quarter is (0, 1, 0).
  ExpectNear(turned->ColourAt({2, 5, 0}, {0, -1, 0}), {1, 0.5, 0.25});
  ExpectNear(turned->ColourAt({2, 0, -5}, {0, 0, 1}), {0, 0, 0});
  EXPECT_STREQ(turned->Keyword(), "transf");
}

TEST(TransfLamp, ScalesMapDirectionsOfUnitLength) {
  // Scaled by 2 along x: the inner lamp sees the direction (1, 1, 0) as
  // (0.5, 1, 0) made of unit length again.
  auto lamp = Wrap({{zavo::kStepScale, 2, 1, 1}}, MakeCone({}, {-0.5 / std::sqrt(1.25), -1 / std::sqrt(1.25), 0},
                                                            0.01));
  ExpectNear(lamp->ColourAt({-1, -1, 0}, {std::sqrt(0.5), std::sqrt(0.5), 0}), {1, 0.5, 0.25});
}

TEST(TransfLamp, NameModuleAndOwnership) {
  int destroyed = 0;
  {
    CG_TransfLampDescription d;
    d.lamp = new CountedLamp(destroyed);
    d.ownsLamp = 1;
    NGTransfLampModule module;
    GTransfLamp lamp("moved", &module, d);
    EXPECT_EQ(d.lamp, nullptr);
    EXPECT_EQ(lamp.GetModule(), nullptr);
    charString name;
    lamp.GetName(name);
    EXPECT_STREQ(name.Text(), "moved");
    lamp.SetName("again");
    EXPECT_STREQ(lamp.name.Text(), "again");
  }
  EXPECT_EQ(destroyed, 1);

  // A lamp it does not own stays.
  CountedLamp kept(destroyed);
  {
    CG_TransfLampDescription d;
    d.lamp = &kept;
    d.ownsLamp = 0;
    GTransfLamp lamp("moved", nullptr, d);
  }
  EXPECT_EQ(destroyed, 1);

  // Handed out and back: the steps travel as copies, the lamp moves.
  auto lamp = Wrap({{zavo::kStepTranslate, 0, 0, 5}, {zavo::kStepScale, 2, 2, 2}},
                   std::make_unique<CountedLamp>(destroyed));
  CG_TransfLampDescription d;
  lamp->GetTransformList(d);
  ASSERT_NE(d.lamp, nullptr);
  EXPECT_EQ(d.ownsLamp, 1);
  EXPECT_NE(d.steps.Nth(1), nullptr);
  EXPECT_EQ(d.steps.Nth(2), nullptr);
  d.steps.Append(new lt_Data(zavo::kStepTranslate, 1, 0, 0));
  lamp->SetTransformList(d);
  EXPECT_EQ(d.lamp, nullptr);
  ExpectNear(lamp->Position(), {1, 0, 10});
  EXPECT_EQ(destroyed, 1);
  lamp.reset();
  EXPECT_EQ(destroyed, 2);
}

TEST(TransfLamp, SingularStepsThrowAndChangeNothing) {
  auto lamp = Wrap({{zavo::kStepTranslate, 0, 0, 5}}, MakeCone({}, {0, 0, -1}, 0.3));
  CG_TransfLampDescription d;
  d.steps.Append(new lt_Data(zavo::kStepScale, 0, 1, 1));
  EXPECT_THROW(lamp->SetTransformList(d), xMatrix);
  ExpectNear(lamp->Position(), {0, 0, 5});
}

TEST(TransfLamp, ReaderCases) {
  struct Case {
    std::string body;
    bool lamp;
    int code;
    const char* message;
  };
  const std::string inner = kInnerCone;
  const std::vector<Case> cases = {
      {"t (0,0,5); r (0,0,1); s (1,2,3); sh (1,0,0); " + inner + " }", true, 0, ""},
      {inner + " t (0,0,5); }", true, 0, ""},
      {"t (0,0,5); r1 (1,0,0); " + inner + " }", false, 5, "Unknown attribute"},
      {"t (0,0,5); }", false, 5, "Lamp block missing"},
      {"}", false, 5, "Lamp block missing"},
      {"s (1,1,1) " + inner + " }", false, 2, "Caracter ';' not found"},
      {"{ object name x; } }", false, 3, "Word \"lamp\" not found"},
      {"{ lamp name inner; model { conelamp pos (1,0,0); } } }", false, 0, ""},
      {"{ lamp name inner; model { nolamp } } }", false, 0, ""},
      {"{ lamp name inner; model { conelamp pos (1,0,0); dir (0,0,-1); ang 0.3; color (1,1,1); } ; }", false, 2,
       "Caracter '}' not found"},
      {"t (0,0,5); 3 }", false, 5, "Unknown attribute"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    LampRead read = ReadBody(c.body);
    EXPECT_EQ(read.lamp != nullptr, c.lamp);
    EXPECT_EQ(read.code, c.code);
    EXPECT_EQ(read.message, c.message);
  }
  // Each step kind as read.
  LampRead read = ReadBody(cases[0].body);
  ASSERT_NE(read.lamp, nullptr);
  std::ostringstream os;
  read.lamp->Write(os);
  EXPECT_EQ(os.str(),
            "{ lamp\n\tname moved;\n\tmodel \t{ transf\n\t\tt ( 0 , 0 , 5 );\n\t\tr ( 0 , 0 , 1 );\n"
            "\t\ts ( 1 , 2 , 3 );\n\t\tsh ( 1 , 0 , 0 );\n"
            "{ lamp\n\tname inner;\n\tmodel { conelamp\npos ( 1 , 0 , 0 );\n\tdir ( 0 , 0 , -1 );\n\tang 0.3;\n"
            "\tcolor (1,0.5,0.25);\n}\n}\t}\n}\n");
}

TEST(TransfLamp, TheLastInnerBlockIsKept) {
  std::string body = kInnerCone;
  body += " { lamp name second; model { conelamp pos (7,0,0); dir (0,0,-1); ang 0.3; color (1,1,1); } }";
  body += " t (0,0,1); }";
  LampRead read = ReadBody(body);
  ASSERT_NE(read.lamp, nullptr);
  ExpectNear(read.lamp->Position(), {7, 0, 1});
}

TEST(TransfLamp, NestedTransformLamps) {
  const std::string two = "t (0,0,1); { lamp name mid; model { transf t (1,0,0); " + std::string(kInnerCone) +
                          " } } }";
  LampRead read = ReadBody(two);
  ASSERT_NE(read.lamp, nullptr);
  ExpectNear(read.lamp->Position(), {2, 0, 1});

  // Too deep a nesting is refused, not a crash.
  std::string deep;
  const int depth = NGTransfLampModule::kMaxDepth + 5;
  for (int i = 0; i < depth; ++i) deep += "{ lamp name n; model { transf ";
  deep += kInnerCone;
  for (int i = 0; i < depth; ++i) deep += " } }";
  deep += " }";
  read = ReadBody(deep);
  EXPECT_EQ(read.lamp, nullptr);
  EXPECT_EQ(read.code, 1);
  EXPECT_EQ(read.message, "Lamps nested too deeply");
}

TEST(TransfLamp, WritesItsObjectFormAroundTheInnerLampsObjectForm) {
  auto lamp = Wrap({{zavo::kStepTranslate, 0, 0, 5}}, MakeCone({1, 0, 0}, {0, 0, -1}, std::atan(0.5)));
  std::ostringstream os;
  lamp->WriteAsObject(os);
  std::ostringstream inner;
  MakeCone({1, 0, 0}, {0, 0, -1}, std::atan(0.5))->WriteAsObject(inner);
  EXPECT_EQ(os.str(), "{ object\n\tname moved;\n\tmodel \t{ transf\n\t\tt ( 0 , 0 , 5 );\n" + inner.str() + "\t}\n}\n");
}

// A transform-lamp section loads as a transf object around the inner lamp's
// object form and sends the same light.
TEST(TransfLamp, SectionLoadsAsATransfObject) {
  const std::string section = "{ lamp\n\tname moved;\n\tmodel \t{ transf\n\t\tr ( 1.5707963267949 , 0 , 0 );\n"
                              "\t\tt ( 0 , 0 , 5 );\n" +
                              std::string(kInnerCone) + "\n\t}\n}\n.\n";
  ModelScene scene;
  ASSERT_EQ(scene.Load(section), 1);
  EXPECT_TRUE(scene.scene().GetLights().IsEmpty());
  auto* object = dynamic_cast<GTransf*>(scene.Find("moved"));
  ASSERT_NE(object, nullptr);
  Seq<CG_GraphicObject*> children;
  object->GetChildren(children);
  ASSERT_EQ(children.Count(), 1u);
  EXPECT_NE(dynamic_cast<GTransf*>(children[0]), nullptr);  // the cone's own placement
  EXPECT_EQ(object->IsLightSource(), 1);

  LampRead read = ReadBody(section.substr(section.find("transf") + 6));
  ASSERT_NE(read.lamp, nullptr);
  ExpectNear(object->Position(), read.lamp->Position(), 1e-5);
  // Turned about x by a quarter: the inner lamp at (1, 0, 0) aims along +y
  // from (1, 0, 5).
  ExpectNear(read.lamp->Position(), {1, 0, 5}, 1e-12);
  const std::vector<Point3D> toLamp = {{0, -1, 0}, {0, 0, 1}, {0, -0.995, 0.0998749}, {0, -0.9, 0.43589}};
  for (const Point3D& l : toLamp) {
    SCOPED_TRACE(l.z);
    const Point3D point = read.lamp->Position() - l * 4.0;
    const Point3D unit = l * (1 / Length(l));
    ExpectNear(object->ColourAt(point, unit), read.lamp->ColourAt(point, unit), 1e-9);
  }
  ExpectNear(read.lamp->ColourAt({1, 4, 5}, {0, -1, 0}), {1, 0.5, 0.25});
  ExpectNear(read.lamp->ColourAt({1, 0, 1}, {0, 0, 1}), {0, 0, 0});
}

TEST(TransfLamp, SingularStepsInASectionFailTheLoad) {
  ModelScene scene;
  EXPECT_EQ(scene.Load("{ lamp\n\tname m;\n\tmodel { transf s (0,1,1); " + std::string(kInnerCone) + " }\n}\n.\n"),
            0);
  EXPECT_EQ(scene.Find("m"), nullptr);
}

}  // namespace
