#include "models/core/anim.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "model_scene.h"
#include "models/core/brep.h"
#include "models/core/object_block.h"
#include "models/core/sphere.h"
#include "models/core/transf.h"
#include "scene/fakes.h"
#include "scene/scene.h"

namespace {

using zavo::test::FakeModelModule;
using zavo::test::FakeObject;
using zavo::test::Written;

// A straight path curve: from a at u0 to b at u1.
class FakeLine : public CG_GraphicObject {
public:
  FakeLine(const CG_GraphicObjectCommData& data, const Point3D& from, const Point3D& to, double u0 = 0,
           double u1 = 1)
      : CG_GraphicObject(data), a(from), b(to), umin(u0), umax(u1) {
    ++alive;
  }
  ~FakeLine() override { --alive; }
  int GetCommData(CG_GraphicObjectCommData& data) override {
    data.name = name;
    return 1;
  }
  int SetCommData(CG_GraphicObjectCommData& data) override {
    name = data.name;
    return 1;
  }
  void Write(std::ostream& os) const override {
    os << "{ object\n\tname " << name << ";\n\tmodel { fakeline\n\t\ta ";
    WritePoint3D(a, os);
    os << ";\n\t\tb ";
    WritePoint3D(b, os);
    os << ";\n\t}\n}\n";
  }
  const char* Keyword() const override { return "fakeline"; }
  int IsCurve() const override { return 1; }
  double ParamMin() const override { return umin; }
  double ParamMax() const override { return umax; }
  int Evaluate(double t, Point3D& point) const override {
    const double s = (t - umin) / (umax - umin);
    point = a + (b - a) * s;
    return 1;
  }

  Point3D a, b;
  double umin, umax;
  static inline int alive = 0;
};

// "fakeline": "a ( x , y , z );" and "b ( x , y , z );".
class FakeLineModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "fakeline"; }
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& s,
                                         CG_GraphicObjectCommData& data) override {
    Point3D p[2];
    while (std::strcmp(s.Text(), "}") != 0) {
      const int which = std::strcmp(s.Text(), "a") == 0 ? 0 : std::strcmp(s.Text(), "b") == 0 ? 1 : -1;
      if (which < 0) return nullptr;
      s.Next();
      if (!ReadPoint3D(p[which], s) || !scene.Expect(s, ';')) return nullptr;
      s.Next();
    }
    s.Next();
    return std::make_unique<FakeLine>(data, p[0], p[1]);
  }
};

class AnimScene {
public:
  AnimScene() : scene_(Registry()) {}
  int Load(const std::string& text) {
    std::istringstream in(text);
    return scene_.Load(in);
  }
  CG_GraphicScene& scene() { return scene_; }
  int Code() const { return scene_.GetErrorCode(); }
  std::string Message() const {
    const char* m = scene_.GetErrorMessage();
    return m != nullptr ? m : "";
  }
  static CG_ModelRegistry& Registry() {
    static CG_ModelRegistry registry;
    static const bool filled = [] {
      BoundingObjectModule::CreateDefaultList(registry.boundingModules);
      registry.materialModules.Append(new CG_MaterialPhongModule());
      registry.modelModules.Append(new CG_SphereModule());
      registry.modelModules.Append(new CG_BRepModule());
      registry.modelModules.Append(new CG_AnimModule());
      registry.modelModules.Append(new FakeModelModule());
      registry.modelModules.Append(new FakeLineModule());
      return true;
    }();
    (void)filled;
    return registry;
  }

private:
  CG_GraphicScene scene_;
};

// A record holding only the name.
std::unique_ptr<CG_GraphicObjectCommData> Named(const char* name) {
  auto data = std::make_unique<CG_GraphicObjectCommData>();
  data->name = name;
  return data;
}

std::unique_ptr<GSphere> MakeSphere(const char* name = "ball") {
  CG_SphereDescription description;
  return std::make_unique<GSphere>(*Named(name), description);
}

struct Paths {
  CG_GraphicObject* move = nullptr;
  CG_GraphicObject* rotate = nullptr;
};

std::unique_ptr<GAnim> MakeAnim(CG_GraphicObject* object, int owns, Paths paths = {}, double from = 0,
                                double to = 10, const Point3D& center = {}) {
  CG_AnimDescription description;
  description.center = center;
  description.object = object;
  description.ownsObject = owns;
  description.move = paths.move;
  description.ownsMove = paths.move != nullptr;
  description.rotate = paths.rotate;
  description.ownsRotate = paths.rotate != nullptr;
  description.from = from;
  description.to = to;
  return std::make_unique<GAnim>(*Named("a"), description);
}

FakeLine* Line(const Point3D& a, const Point3D& b, double u0 = 0, double u1 = 1) {
  return new FakeLine(*Named("path"), a, b, u0, u1);
}

// The matrix of the frame's steps.
Transformation FrameMatrix(const GAnim& anim) {
  List<t_Data> steps;
  anim.FrameSteps(steps);
  Transformation forward, inverse;
  ComposeSteps(steps, forward, inverse);
  return forward;
}

bool IsIdentity(const Transformation& m, double tolerance = 1e-12) {
  for (std::uint32_t i = 0; i < 4; ++i) {
    for (std::uint32_t j = 0; j < 4; ++j) {
      if (std::fabs(m(i, j) - (i == j ? 1.0 : 0.0)) > tolerance) return false;
    }
  }
  return true;
}

TEST(Anim, FractionOfTheMotion) {
  const struct {
    double from, to, frame, f;
  } cases[] = {
      {0, 10, 5, 0.5},  {0, 10, -3, 0},  {0, 10, 12, 1},   {0, 10, 0, 0},    {0, 10, 10, 1},
      {4, 4, 4, 0},     {4, 4, 5, 1},    {0, 2.5, 2, 1},   {0, 2.5, 2.5, 1.25},
      // from above to: every frame is before or after the range
      {2, 0.5, 1, 0},   {2, 0.5, 3, 1},
  };
  for (const auto& c : cases) {
    auto anim = MakeAnim(MakeSphere().release(), 1, {}, c.from, c.to);
    EXPECT_EQ(anim->SetFrame(c.frame), 1);
    EXPECT_DOUBLE_EQ(anim->Fraction(), c.f) << c.from << " " << c.to << " " << c.frame;
  }
}

TEST(Anim, FramesAndCounts) {
  auto anim = MakeAnim(MakeSphere().release(), 1);
  EXPECT_EQ(anim->IsAnim(), 1);
  EXPECT_EQ(anim->Frame(), 0);
  EXPECT_EQ(anim->FrameCount(), 10);
  EXPECT_EQ(anim->SetFrameCount(24), 1);
  EXPECT_EQ(anim->SetFrame(3.5), 1);
  EXPECT_EQ(anim->FrameCount(), 24);
  EXPECT_EQ(anim->Frame(), 3.5);
  // The frame query of every object answers the anim's frame.
  const CG_GraphicObject& object = *anim;
  EXPECT_EQ(object.GetFrame(), 3.5);
}

// A straight move path from (0,0,0) to (10,0,0), center at the origin: half
// way at f = 0.5; the center goes where the path says.
TEST(Anim, MovePath) {
  auto anim = MakeAnim(MakeSphere().release(), 1, {Line({0, 0, 0}, {10, 0, 0}), nullptr});
  anim->SetFrame(5);
  const Transformation m = FrameMatrix(*anim);
  const Point3D p = TransformPoint(m, {1, 2, 3});
  EXPECT_NEAR(p.x, 6, 1e-12);
  EXPECT_NEAR(p.y, 2, 1e-12);
  EXPECT_NEAR(p.z, 3, 1e-12);

  // Parameter range 2..6 of the path: read by f over its own range.
  auto shifted = MakeAnim(MakeSphere().release(), 1, {Line({0, 0, 0}, {0, 8, 0}, 2, 6), nullptr}, 0, 10,
                          {1, 1, 1});
  shifted->SetFrame(2.5);
  const Point3D c = TransformPoint(FrameMatrix(*shifted), {1, 1, 1});
  EXPECT_NEAR(c.x, 0, 1e-12);
  EXPECT_NEAR(c.y, 2, 1e-12);
  EXPECT_NEAR(c.z, 0, 1e-12);
}

// The turns of a rotation path: start and current direction at the same
// point of the path in these cases (the path is constant), so only the
// cancellation of the four turns is at stake.
TEST(Anim, RotationTurns) {
  const double s = 1 / std::sqrt(3.0);
  const struct {
    const char* what;
    Point3D direction;
    bool cancels;
  } cases[] = {
      {"in the xy plane", {0.6, 0.8, 0}, true},
      {"(1,1,1)", {s, s, s}, false},
      {"unnormalised (1,1,1)", {2, 2, 2}, false},
      // A zero square root: the angle is 0, never NaN.
      {"along z", {0, 0, 1}, true},
      {"along y", {0, 1, 0}, true},
      {"zero", {0, 0, 0}, true},
  };
  for (const auto& c : cases) {
    auto anim = MakeAnim(MakeSphere().release(), 1, {nullptr, Line(c.direction, c.direction)}, 0, 10,
                         {3, -1, 2});
    const Transformation m = FrameMatrix(*anim);
    for (std::uint32_t i = 0; i < 4; ++i) {
      for (std::uint32_t j = 0; j < 4; ++j) EXPECT_TRUE(std::isfinite(m(i, j))) << c.what;
    }
    EXPECT_EQ(IsIdentity(m), c.cancels) << c.what;
    // Turns act about the center.
    const Point3D center = TransformPoint(m, {3, -1, 2});
    EXPECT_NEAR(Distance3D(center, {3, -1, 2}), 0, 1e-12) << c.what;
  }
}

// The angles are unsigned: mirrored directions in y give the same steps.
TEST(Anim, AnglesAreUnsigned) {
  auto up = MakeAnim(MakeSphere().release(), 1, {nullptr, Line({1, 0, 0}, {0.6, 0.8, 0})});
  auto down = MakeAnim(MakeSphere().release(), 1, {nullptr, Line({1, 0, 0}, {0.6, -0.8, 0})});
  up->SetFrame(10);
  down->SetFrame(10);
  List<t_Data> a, b;
  up->FrameSteps(a);
  down->FrameSteps(b);
  std::ostringstream wa, wb;
  WriteSteps(wa, a);
  WriteSteps(wb, b);
  EXPECT_EQ(wa.str(), wb.str());
  // "r" (0, 0, -alpha now) with alpha = acos(0.6).
  EXPECT_NE(wa.str().find("r ( 0 , 0 , -0.927295 )"), std::string::npos) << wa.str();
  // Without paths: no steps.
  auto still = MakeAnim(MakeSphere().release(), 1);
  List<t_Data> none;
  still->FrameSteps(none);
  EXPECT_TRUE(none.IsEmpty());
}

// A ray-traceable object: one owned transf around the object itself.
TEST(Anim, DeclassWrapsTheObjectItself) {
  GSphere* sphere = MakeSphere().release();
  auto anim = MakeAnim(sphere, 1, {Line({0, 0, 0}, {10, 0, 0}), nullptr});
  anim->SetFrame(5);
  zavo::DeclassedParts parts;
  ASSERT_EQ(anim->DeclassToRayTraceable(parts), 1);
  ASSERT_EQ(parts.Size(), 1);
  EXPECT_EQ(parts[0].owned, 1);
  auto* wrapper = dynamic_cast<GTransf*>(parts[0].object);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_STREQ(wrapper->name.Text(), "ball");
  Seq<CG_GraphicObject*> children;
  wrapper->GetChildren(children);
  ASSERT_EQ(children.Count(), 1u);
  EXPECT_EQ(children[0], sphere);
  EXPECT_EQ(wrapper->Clone(), nullptr);  // it does not own the sphere
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(wrapper, box), 1);
  EXPECT_NEAR((box.xmin + box.xmax) / 2, 5, 1e-9);

  // Steps are fixed at the declass: a later frame leaves the wrapper alone.
  anim->SetFrame(10);
  ASSERT_EQ(CG_GraphicObject::GetBox(wrapper, box), 1);
  EXPECT_NEAR((box.xmin + box.xmax) / 2, 5, 1e-9);

  zavo::ReleaseDeclassedParts(parts);
  // The sphere lives on in the anim.
  children.SetSize(0);
  ASSERT_EQ(anim->GetChildren(children), 1);
  ASSERT_EQ(children.Count(), 2u);
  EXPECT_EQ(children[0], sphere);
  EXPECT_EQ(children[0]->IsRayTraceable(), 1);
  EXPECT_EQ(Written(*children[0]), Written(*MakeSphere()));
}

// An object without the capability: its own parts, each in a transf that
// owns it when the part was owned.
TEST(Anim, DeclassWrapsTheObjectsParts) {
  auto anim = MakeAnim(MakeSphere().release(), 1, {Line({0, 0, 0}, {0, 0, 4}), nullptr});
  anim->SetFrame(10);
  zavo::DeclassedParts parts;
  ASSERT_EQ(anim->DeclassToIndexedMesh(parts, 0), 1);
  ASSERT_EQ(parts.Size(), 1);
  auto* wrapper = dynamic_cast<GTransf*>(parts[0].object);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(parts[0].owned, 1);
  Seq<CG_GraphicObject*> children;
  wrapper->GetChildren(children);
  ASSERT_NE(dynamic_cast<GBRep*>(children[0]), nullptr);
  Point3D p;
  wrapper->MeshVertex(1, p);  // the +z pole of the unit sphere, moved by 4
  EXPECT_NEAR(p.z, 5, 1e-9);
  zavo::ReleaseDeclassedParts(parts);

  // The faced and triangle twins go the same way.
  ASSERT_EQ(anim->DeclassToFaced(parts, 0), 1);
  EXPECT_NE(dynamic_cast<GTransf*>(parts[0].object), nullptr);
  zavo::ReleaseDeclassedParts(parts);
  ASSERT_EQ(anim->DeclassToTriangleMesh(parts), 1);
  EXPECT_NE(dynamic_cast<GTransf*>(parts[0].object), nullptr);
  zavo::ReleaseDeclassedParts(parts);
}

TEST(Anim, WhatItIsNot) {
  FakeLine::alive = 0;
  {
    auto anim = MakeAnim(MakeSphere().release(), 1, {Line({0, 0, 0}, {1, 0, 0}), Line({1, 0, 0}, {0, 1, 0})});
    EXPECT_EQ(anim->Clone(), nullptr);
    Seq<CG_NamedMaterial*> materials;
    materials.SetSize(1);
    EXPECT_EQ(anim->GetMaterials(materials), 0);
    EXPECT_EQ(materials.Count(), 1u);
    EXPECT_EQ(anim->IsRayTraceable(), 0);
    EXPECT_EQ(anim->IsIndexedMesh(), 0);
    EXPECT_EQ(anim->GetBoundingObject(), nullptr);
    Seq<CG_GraphicObject*> children;
    ASSERT_EQ(anim->GetChildren(children), 1);
    ASSERT_EQ(children.Count(), 3u);
    EXPECT_STREQ(children[0]->Keyword(), "sphere");
    EXPECT_STREQ(children[1]->Keyword(), "fakeline");
    EXPECT_EQ(static_cast<FakeLine*>(children[2])->b, (Point3D{0, 1, 0}));
    EXPECT_STREQ(anim->Keyword(), "anim");
    EXPECT_EQ(FakeLine::alive, 2);
  }
  EXPECT_EQ(FakeLine::alive, 0);  // owned paths go with the anim
}

TEST(Anim, Writer) {
  auto anim = MakeAnim(MakeSphere().release(), 1, {Line({0, 0, 0}, {10, 0, 0}), Line({1, 0, 0}, {0, 1, 0})},
                       1.5, 20, {1, 2, 3});
  anim->SetFrame(7);
  anim->SetFrameCount(99);
  const std::string sphere = Written(*MakeSphere());
  const std::string move = Written(*std::unique_ptr<FakeLine>(Line({0, 0, 0}, {10, 0, 0})));
  const std::string rotate = Written(*std::unique_ptr<FakeLine>(Line({1, 0, 0}, {0, 1, 0})));
  EXPECT_EQ(Written(*anim), "{ object\n\tname a;\n\tmodel \t{ anim\n" + sphere +
                                "\t\tcenter ( 1 , 2 , 3 );\n\t\tfrom 1.5;\n\t\tto 20;\n" + "move " + move +
                                "rotate " + rotate + "\t}\n}\n");
  auto plain = MakeAnim(MakeSphere().release(), 1);
  EXPECT_EQ(Written(*plain),
            "{ object\n\tname a;\n\tmodel \t{ anim\n" + sphere + "\t\tcenter ( 0 , 0 , 0 );\n\t\tfrom 0;\n\t\tto 10;\n\t}\n}\n");
}

TEST(Anim, ReadsBackWhatItWrites) {
  auto anim = MakeAnim(MakeSphere().release(), 1, {nullptr, Line({0.6, 0.8, 0}, {1, 1, 1})}, -2, 8, {1, 0, 0});
  const std::string text = Written(*anim);
  AnimScene s;
  ASSERT_EQ(s.Load(text + ".\n"), 1) << s.Message() << " line " << s.scene().GetErrorLine();
  auto* back = dynamic_cast<GAnim*>(s.scene().FindObject("a"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(Written(*back), text);
  Seq<CG_GraphicObject*> children;
  back->GetChildren(children);
  ASSERT_EQ(children.Count(), 2u);
  auto* path = dynamic_cast<FakeLine*>(children[1]);
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(path->a, (Point3D{0.6, 0.8, 0}));
  EXPECT_EQ(path->b, (Point3D{1, 1, 1}));
  // The frame is not written: 0 again.
  EXPECT_EQ(back->Frame(), 0);
  for (double frame : {-2.0, 3.0, 8.0}) {
    anim->SetFrame(frame);
    back->SetFrame(frame);
    const Transformation a = FrameMatrix(*anim);
    const Transformation b = FrameMatrix(*back);
    for (std::uint32_t i = 0; i < 4; ++i) {
      for (std::uint32_t j = 0; j < 4; ++j) EXPECT_NEAR(a(i, j), b(i, j), 1e-12);
    }
  }
}

TEST(Anim, BodyReading) {
  const std::string obj = " { object name o; model { fake hit 2; } } ";
  const std::string obj2 = " { object name p; model { fake hit 3; } } ";
  const std::string line = " { object name l; model { fakeline a ( 0 , 0 , 0 ); b ( 10 , 0 , 0 ); } } ";
  const std::string line2 = " { object name m; model { fakeline a ( 0 , 0 , 0 ); b ( 0 , 10 , 0 ); } } ";
  const struct {
    std::string body;
    int loads;
    int code;
    const char* message;
    const char* object;  // name of the animated object
    double from, to;
    Point3D center;
    const char* move;    // name of the move path
  } cases[] = {
      {obj, 1, 0, "", "o", 0, 10, {}, nullptr},
      {obj + "center ( 1 , 2 , 3 ); from 2; to 7.5; move" + line, 1, 0, "", "o", 2, 7.5, {1, 2, 3}, "l"},
      {"from -4; to 1E1;" + obj, 1, 0, "", "o", -4, 10, {}, nullptr},
      // A word after "from" reads as 0.
      {"from x; to y;" + obj, 1, 0, "", "o", 0, 0, {}, nullptr},
      // A later block of the same kind replaces the earlier one.
      {obj + obj2, 1, 0, "", "p", 0, 10, {}, nullptr},
      {obj + "move" + line + "move" + line2, 1, 0, "", "o", 0, 10, {}, "m"},
      {obj + "center ;", 1, 5, "Wrong point definition", "o", 0, 10, {}, nullptr},
      {"", 0, 5, "Object block missing", nullptr, 0, 0, {}, nullptr},
      {"from 1; move" + line, 0, 5, "Object block missing", nullptr, 0, 0, {}, nullptr},
      {obj + "speed 2;", 0, 5, "Unknown attribute", nullptr, 0, 0, {}, nullptr},
      {obj + "7", 0, 5, "Unknown attribute", nullptr, 0, 0, {}, nullptr},
      {obj + "from 2", 0, 2, "Caracter ';' not found", nullptr, 0, 0, {}, nullptr},
      {obj + "center ( 1 , 2 , 3 )", 0, 2, "Caracter ';' not found", nullptr, 0, 0, {}, nullptr},
      {obj + "move object", 0, 2, "Caracter '{' not found", nullptr, 0, 0, {}, nullptr},
      {obj + "rotate { objet name l; }", 0, 3, "Word \"object\" not found", nullptr, 0, 0, {}, nullptr},
      {"{ object name o; model { fake hit 2; } ;", 0, 2, "Caracter '}' not found", nullptr, 0, 0, {}, nullptr},
      {obj + "from 1E999;", 0, 5, "Number wanted", nullptr, 0, 0, {}, nullptr},
  };
  for (const auto& c : cases) {
    FakeObject::alive = 0;
    FakeLine::alive = 0;
    AnimScene s;
    const int loaded = s.Load("{ object name a; model { anim " + c.body + " } }\n.\n");
    EXPECT_EQ(loaded, c.loads) << c.body;
    EXPECT_EQ(s.Code(), c.code) << c.body;
    EXPECT_EQ(s.Message(), c.message) << c.body;
    if (!c.loads) {
      // Everything read is gone.
      EXPECT_EQ(FakeObject::alive, 0) << c.body;
      EXPECT_EQ(FakeLine::alive, 0) << c.body;
      continue;
    }
    // Replaced blocks are destroyed: one object and at most one path live.
    EXPECT_EQ(FakeObject::alive, 1) << c.body;
    EXPECT_EQ(FakeLine::alive, c.move != nullptr ? 1 : 0) << c.body;
    auto* anim = dynamic_cast<GAnim*>(s.scene().FindObject("a"));
    ASSERT_NE(anim, nullptr) << c.body;
    Seq<CG_GraphicObject*> children;
    anim->GetChildren(children);
    ASSERT_GE(children.Count(), 1u) << c.body;
    EXPECT_STREQ(children[0]->name.Text(), c.object) << c.body;
    if (c.move != nullptr) {
      ASSERT_EQ(children.Count(), 2u) << c.body;
      EXPECT_STREQ(children[1]->name.Text(), c.move) << c.body;
    }
    CG_AnimDescription description;
    anim->GetDescription(description);
    EXPECT_EQ(description.from, c.from) << c.body;
    EXPECT_EQ(description.to, c.to) << c.body;
    EXPECT_EQ(description.center, c.center) << c.body;
    anim->SetDescription(description);
  }
}

}  // namespace
