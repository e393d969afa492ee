// Wrappers inside wrappers, read from scene texts: tracing through nested
// transfs, flips and groups, and the lines of errors deep inside them.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "model_scene.h"
#include "models/core/flip.h"
#include "models/core/group.h"
#include "models/core/transf.h"
#include "scene/fakes.h"
#include "scene/material.h"

namespace {

using zavo::test::FakeObject;
using zavo::test::ModelScene;

const std::string kBall = "{ object name c; model { sphere center ( 0 , 0 , 0 ); radius 1; } }";

void ExpectNear(const Point3D& actual, const Point3D& expected, double tolerance = 1e-9) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

struct Hit {
  int count = 0;
  double value = 0;
  Point3D point;
  Point3D normal;
};

// Every hit of the ray: values, points and normals.
std::vector<Hit> Hits(const CG_GraphicObject& object, const Ray& ray) {
  std::vector<Hit> hits;
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = object.NewIntrInfo();
  if (!record) return hits;
  const int n = object.Intersect(ray, *record);
  for (int i = 0; i < n; ++i) {
    Hit hit;
    hit.count = n;
    hit.value = record->Value(i);
    CG_MaterialPhong material;
    object.HitDetails(ray, *record, i, material, hit.point, hit.normal);
    hits.push_back(hit);
  }
  return hits;
}

// The object named "w" of a scene loaded from one model body.
class Wrapped {
public:
  explicit Wrapped(const std::string& model) { EXPECT_EQ(scene_.LoadObject(model, "w"), 1) << scene_.Message(); }
  const CG_GraphicObject& operator*() const { return *scene_.Find("w"); }
  CG_GraphicObject* get() const { return scene_.Find("w"); }

private:
  ModelScene scene_;
};

TEST(WrapperNesting, ATransfInATransfTracesAsOneListOfSteps) {
  const Wrapped nested("transf t ( 0 , 0 , 5 ); { object name i; model { transf s ( 1 , 4 , 1 ); " + kBall +
                       " } }");
  const Wrapped single("transf s ( 1 , 4 , 1 ); t ( 0 , 0 , 5 ); " + kBall);
  ASSERT_NE(nested.get(), nullptr);
  ASSERT_NE(single.get(), nullptr);
  const double r = std::sqrt(2.0);
  const std::vector<Ray> rays = {Ray::FromDirection({0, 2 * r, 20}, {0, 0, -1}),
                                 Ray::FromPoints({-3, -7, 1}, {0.2, 1, 5.5}),
                                 Ray::FromDirection({0, 0, 5}, {0.6, 0.8, 0})};
  for (const Ray& ray : rays) {
    const std::vector<Hit> mine = Hits(*nested, ray);
    const std::vector<Hit> theirs = Hits(*single, ray);
    ASSERT_EQ(mine.size(), theirs.size());
    ASSERT_FALSE(mine.empty());
    for (std::size_t i = 0; i < mine.size(); ++i) {
      EXPECT_NEAR(mine[i].value, theirs[i].value, 1e-9);
      ExpectNear(mine[i].point, theirs[i].point);
      ExpectNear(mine[i].normal, theirs[i].normal);
    }
  }
  // The stretched sphere seen from above: the normal stays perpendicular to
  // the surface through both levels.
  const std::vector<Hit> top = Hits(*nested, rays[0]);
  EXPECT_NEAR(top[0].value, 15 - r / 2, 1e-9);
  ExpectNear(top[0].point, {0, 2 * r, 5 + r / 2});
  ExpectNear(top[0].normal, {0, 0.242536, 0.970143}, 1e-6);
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(nested.get(), box), 1);
  EXPECT_NEAR(box.ymax, 4 * r, 1e-9);
  EXPECT_NEAR(box.zmin, 5 - r, 1e-9);
}

TEST(WrapperNesting, AFlipAndATransfTurnTheNormalInEitherOrder) {
  const double r = std::sqrt(2.0);
  const Ray ray = Ray::FromDirection({0, 2 * r, 10}, {0, 0, -1});
  const Wrapped plain("transf s ( 1 , 4 , 1 ); " + kBall);
  const Wrapped outside("transf s ( 1 , 4 , 1 ); { object name f; model { flip " + kBall + " } }");
  const Wrapped inside("flip { object name m; model { transf s ( 1 , 4 , 1 ); " + kBall + " } }");
  const std::vector<Hit> expected = Hits(*plain, ray);
  ASSERT_EQ(expected.size(), 2u);
  for (const Wrapped* flipped : {&outside, &inside}) {
    const std::vector<Hit> hits = Hits(**flipped, ray);
    ASSERT_EQ(hits.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
      EXPECT_NEAR(hits[i].value, expected[i].value, 1e-12);
      ExpectNear(hits[i].point, expected[i].point, 1e-12);
      ExpectNear(hits[i].normal, -expected[i].normal, 1e-12);
    }
    ExpectNear(hits[0].normal, {0, -0.242536, -0.970143}, 1e-6);
  }
}

// The nearest hit among declassed parts, as the ray tracer finds it.
struct Nearest {
  std::string name;
  double value = 0;
  Point3D normal;
};

Nearest NearestOf(const zavo::DeclassedParts& parts, const Ray& ray) {
  Nearest nearest;
  nearest.value = HUGE_VAL;
  for (long i = 0; i < parts.Size(); ++i) {
    const std::vector<Hit> hits = Hits(*parts[i].object, ray);
    if (!hits.empty() && hits[0].value < nearest.value) {
      nearest.name = parts[i].object->name.Text();
      nearest.value = hits[0].value;
      nearest.normal = hits[0].normal;
    }
  }
  return nearest;
}

TEST(WrapperNesting, AGroupUnderATransfHitsItsNearestMember) {
  const int alive = FakeObject::alive;
  {
    const Wrapped moved("transf t ( 5 , 0 , 0 ); { object name g; model { group\n"
                        "  { object name a; model { sphere center ( 0 , 0 , 0 ); radius 1; } }\n"
                        "  { object name b; model { sphere center ( 0 , 0 , 4 ); radius 1; } }\n"
                        "  { object name x; model { fake hit 50; } }\n"
                        "} }");
    ASSERT_NE(moved.get(), nullptr);
    // A group is no surface itself: the ray tracer declasses it.
    EXPECT_EQ(moved.get()->IsRayTraceable(), 0);
    zavo::DeclassedParts parts;
    ASSERT_EQ(moved.get()->DeclassToRayTraceable(parts), 1);
    ASSERT_EQ(parts.Size(), 3);
    for (long i = 0; i < parts.Size(); ++i) {
      EXPECT_EQ(parts[i].owned, 1);
      ASSERT_NE(dynamic_cast<GTransf*>(parts[i].object), nullptr);
      // The members stay with the group: their wrappers do not own them.
      EXPECT_EQ(parts[i].object->Clone(), nullptr);
    }
    EXPECT_EQ(FakeObject::alive, alive + 1);

    struct Case {
      Ray ray;
      const char* name;
      double value;
      Point3D normal;
    };
    const std::vector<Case> cases = {
        {Ray::FromDirection({5, 0, -10}, {0, 0, 1}), "a", 9, {0, 0, -1}},
        {Ray::FromDirection({5, 0, 20}, {0, 0, -1}), "b", 15, {0, 0, 1}},
        {Ray::FromDirection({5, 0, 2}, {0, 0, 1}), "b", 1, {0, 0, -1}},
        {Ray::FromDirection({-10, 0, 4}, {1, 0, 0}), "b", 14, {-1, 0, 0}},
        // Away from both spheres only the fake is met, at its own distance.
        {Ray::FromDirection({0, 0, 20}, {0, 1, 0}), "x", 50, {0, 0, 1}},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      const Nearest nearest = NearestOf(parts, c.ray);
      EXPECT_EQ(nearest.name, c.name);
      EXPECT_NEAR(nearest.value, c.value, 1e-9);
      if (std::string(c.name) != "x") ExpectNear(nearest.normal, c.normal);
    }
    zavo::ReleaseDeclassedParts(parts);
    EXPECT_EQ(FakeObject::alive, alive + 1);
  }
  EXPECT_EQ(FakeObject::alive, alive);
}

TEST(WrapperNesting, ErrorsDeepInsideReportTheirOwnLine) {
  struct Case {
    const char* what;
    std::string line3;  // the innermost block, from line 3
    int code;
    const char* message;
    int line;
  };
  const std::vector<Case> cases = {
      {"missing ';' after a step", "      r ( 1 , 0 , 0 ) x " + kBall, 2, "Caracter ';' not found", 3},
      {"a number for a step", "      7 ( 1 , 0 , 0 ); " + kBall, 5, "Unknown attribute", 3},
      // Reported at the brace that ends the body, not at the next token.
      {"a flip without its object", "      { object name f; model { flip }\n      }", 5, "Object block missing", 3},
      {"a transf without its object", "      { object name f; model { transf s ( 2 , 2 , 2 ); }\n      }", 5,
       "Object block missing", 3},
      {"a misspelt object word", "      { objet name f; model { flip } }", 3, "Word \"object\" not found", 3},
      {"a step in a group", "      { object name f; model { group t ( 1 , 0 , 0 ); } }", 5, "Unknown attribute", 3},
      {"a singular step list", "      s ( 1 , 0 , 1 ); " + kBall, 1, "Generic Error", 4},
  };
  const int alive = FakeObject::alive;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ModelScene scene;
    EXPECT_EQ(scene.Load("{ object name top; model { group\n"
                         "  { object name m; model { transf t ( 1 , 0 , 0 ); { object name k; model { fake hit 1; } }\n" +
                         c.line3 +
                         "\n"
                         "  } }\n"
                         "} }\n"
                         ".\n"),
              0);
    EXPECT_EQ(scene.Code(), c.code);
    EXPECT_EQ(scene.Message(), c.message);
    EXPECT_EQ(scene.scene().GetErrorLine(), c.line);
    EXPECT_EQ(scene.Find("top"), nullptr);
    EXPECT_EQ(FakeObject::alive, alive);
  }
}

// A field whose vector at a point is the point itself.
class PointField : public FakeObject {
public:
  PointField() : FakeObject("field") {}
  int IsField() const override { return 1; }
  int FieldDisplacement(const Point3D& point, Point3D& vector) const override {
    vector = point;
    return 1;
  }
};

TEST(WrapperNesting, AFieldUnderATransfIsAskedInItsOwnFrame) {
  CG_GraphicObjectCommData data;
  data.name = "m";
  CG_TransfDescription description;
  description.steps.Append(new t_Data(zavo::kStepScale, 2, 2, 2));
  description.steps.Append(new t_Data(zavo::kStepTranslate, 1, 0, 0));
  description.child = new PointField();
  description.ownsChild = 1;
  GTransf transf(data, description);
  EXPECT_EQ(transf.IsField(), 1);
  Point3D vector;
  ASSERT_EQ(transf.FieldDisplacement({3, 2, 2}, vector), 1);
  // Asked at (1, 1, 1); its vector scaled, not moved.
  ExpectNear(vector, {2, 2, 2});
}

}  // namespace
