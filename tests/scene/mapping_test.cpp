#include "scene/mapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <sstream>
#include <string>

#include "geometry/geo_scanner.h"
#include "geometry/transformation.h"

namespace {

constexpr double kPi = std::numbers::pi;

std::string Written(const CG_MappingMetod& m) {
  std::ostringstream os;
  m.Write(os);
  return os.str();
}

// Reads a mapping block ("{ planar ..." as written) through the module of its keyword.
std::unique_ptr<CG_MappingMetod> ReadBlock(const std::string& text, std::string* rest = nullptr) {
  std::istringstream in(text);
  GeoScanner s(in);
  s.Next();
  if (std::string(s.Text()) != "{") return nullptr;
  s.Next();
  std::unique_ptr<CG_MappingModule> module;
  const std::string keyword = s.Text();
  if (keyword == "planar") module = std::make_unique<CG_PlanarMappingModule>();
  if (keyword == "spherical") module = std::make_unique<CG_SphericalMappingModule>();
  if (keyword == "cilindric") module = std::make_unique<CG_CilindricMappingModule>();
  if (!module) return nullptr;
  s.Next();
  std::unique_ptr<CG_MappingMetod> m(module->Read(s));
  if (rest) *rest = s.Text();
  return m;
}

void ExpectSameMapping(const CG_MappingMetod& a, const CG_MappingMetod& b) {
  EXPECT_STREQ(a.TypeName(), b.TypeName());
  EXPECT_EQ(a.center, b.center);
  EXPECT_EQ(a.assx, b.assx);
  EXPECT_EQ(a.assy, b.assy);
  EXPECT_EQ(a.moltx, b.moltx);
  EXPECT_EQ(a.molty, b.molty);
}

TEST(CG_MappingMetod, MapTable) {
  const CG_PlanarMapping planar({0, 0, 0}, {2, 0, 0}, {0, 1, 0}, 1, 1);
  const CG_SphericalMapping spherical({0, 0, 0}, {1, 0, 0}, {0, 0, 2}, 3, 1);
  const CG_CilindricMapping cylinder({0, 0, 0}, {1, 0, 0}, {0, 0, 1}, 2, 0.5);
  const CG_PlanarMapping shifted({1, 1, 1}, {0, 0, 4}, {1, 1, 0}, 2, 3);
  struct Case {
    const CG_MappingMetod& mapping;
    Point3D point;
    double u, v;
  } cases[] = {
      {planar, {1, 3, 5}, 0.5, 3},
      {spherical, {0, 0, 1}, 3 * kPi / 2, 0},
      {spherical, {0, 0, -7}, 3 * kPi / 2, kPi},
      {spherical, {5, 0, 0}, 0, kPi / 2},
      {cylinder, {0, 1, 4}, kPi / 2 * 2, 4 * 0.5},
      {cylinder, {0, -1, 4}, kPi / 2 * 2, 4 * 0.5},
      {cylinder, {-3, 0, -2}, kPi * 2, -2 * 0.5},
      // d = (1, 2, 3): u = 2 * 12 / 16, v = 3 * 3 / 2.
      {shifted, {2, 3, 4}, 1.5, 4.5},
  };
  for (const Case& c : cases) {
    double u = -99, v = -99;
    EXPECT_EQ(c.mapping.Map(c.point, u, v), 1);
    EXPECT_NEAR(u, c.u, 1e-12) << c.mapping.TypeName() << " " << c.point.x << "," << c.point.y << ","
                               << c.point.z;
    EXPECT_NEAR(v, c.v, 1e-12) << c.mapping.TypeName() << " " << c.point.x << "," << c.point.y << ","
                               << c.point.z;
  }
}

TEST(CG_MappingMetod, DegenerateInputsGiveFiniteCoordinates) {
  const double tiny = std::numeric_limits<double>::denorm_min();
  const CG_PlanarMapping zeroAxes({0, 0, 0}, {0, 0, 0}, {0, 0, 0}, 1, 1);
  const CG_PlanarMapping zeroY({0, 0, 0}, {1, 0, 0}, {0, 0, 0}, 1, 1);
  const CG_SphericalMapping sphere({1, 2, 3}, {1, 0, 0}, {0, 0, 1}, 1, 1);
  const CG_SphericalMapping zeroSphereAxes({0, 0, 0}, {0, 0, 0}, {0, 0, 0}, 1, 1);
  const CG_CilindricMapping cylinder({0, 0, 0}, {1, 0, 0}, {0, 0, 1}, 1, 2);
  // An axis direction whose cosine with itself rounds just past 1.
  const Point3D skew{0.1, 1.6, 1.1};
  const CG_SphericalMapping rounding({0, 0, 0}, skew, skew, 1, 1);
  const Point3D unit{skew.x / Length(skew), skew.y / Length(skew), skew.z / Length(skew)};
  ASSERT_GT(Dot(unit, unit), 1.0);
  const CG_CilindricMapping zeroCylinderAxes({0, 0, 0}, {0, 0, 0}, {0, 0, 0}, 1, 1);
  struct Case {
    const char* what;
    const CG_MappingMetod& mapping;
    Point3D point;
    double u, v;  // NaN: any finite value
  } cases[] = {
      {"planar, both axes zero", zeroAxes, {1, 2, 3}, 0, 0},
      {"planar, second axis zero", zeroY, {1, 2, 3}, 1, 0},
      {"planar, tiny point", zeroAxes, {tiny, tiny, tiny}, 0, 0},
      {"spherical at the centre", sphere, {1, 2, 3}, 0, 0},
      {"spherical, zero axes", zeroSphereAxes, {1, 0, 0}, kPi / 2, kPi / 2},
      {"spherical, cosine rounding past 1", rounding, skew, 0, 0},
      {"spherical, cosine rounding past -1", rounding, -skew, kPi, kPi},
      {"cylindrical on the axis", cylinder, {0, 0, 5}, 0, 10},
      {"cylindrical at the centre", cylinder, {0, 0, 0}, 0, 0},
      {"cylindrical, zero axes", zeroCylinderAxes, {1, 1, 1}, kPi / 2, 0},
  };
  for (const Case& c : cases) {
    double u = -99, v = -99;
    c.mapping.Map(c.point, u, v);
    EXPECT_TRUE(std::isfinite(u) && std::isfinite(v)) << c.what;
    EXPECT_NEAR(u, c.u, 1e-7) << c.what;
    EXPECT_NEAR(v, c.v, 1e-7) << c.what;
  }
}

TEST(CG_MappingMetod, AxesAreNormalisedByType) {
  const CG_PlanarMapping planar({0, 0, 0}, {2, 0, 0}, {0, 3, 0}, 1, 1);
  const CG_SphericalMapping spherical({0, 0, 0}, {2, 0, 0}, {0, 0, 2}, 1, 1);
  const CG_CilindricMapping cylinder({0, 0, 0}, {0, 4, 0}, {0, 0, 5}, 1, 1);
  EXPECT_EQ(planar.assx, (Point3D{2, 0, 0}));
  EXPECT_EQ(planar.assy, (Point3D{0, 3, 0}));
  EXPECT_EQ(spherical.assx, (Point3D{1, 0, 0}));
  EXPECT_EQ(spherical.assy, (Point3D{0, 0, 1}));
  EXPECT_EQ(cylinder.assx, (Point3D{0, 1, 0}));
  EXPECT_EQ(cylinder.assy, (Point3D{0, 0, 5}));
}

TEST(CG_MappingMetod, WrittenBlocks) {
  EXPECT_EQ(Written(CG_PlanarMapping({0, 0, 0}, {2, 0, 0}, {0, 1, 0}, 1, 1)),
            "{ planar \ncenter ( 0 , 0 , 0 );\n  assx ( 2 , 0 , 0 );\n  assy ( 0 , 1 , 0 );\n"
            "  moltx 1;\n  molty 1;\n}\n");
  EXPECT_EQ(Written(CG_SphericalMapping({1, -2, 0.5}, {1, 0, 0}, {0, 0, 2}, 2.5, 0.1)),
            "{ spherical \ncenter ( 1 , -2 , 0.5 );\n  assx ( 1 , 0 , 0 );\n  assy ( 0 , 0 , 1 );\n"
            "  moltx 2.5;\n  molty 0.1;\n}\n");
  EXPECT_EQ(Written(CG_CilindricMapping({0, 0, 0}, {0, 3, 0}, {0, 0, 2}, 1, 1)),
            "{ cilindric \ncenter ( 0 , 0 , 0 );\n  assx ( 0 , 1 , 0 );\n  assy ( 0 , 0 , 2 );\n"
            "  moltx 1;\n  molty 1;\n}\n");
}

TEST(CG_MappingModule, ReadTable) {
  struct Case {
    const char* text;
    bool ok;
    Point3D center, assx, assy;
    double moltx, molty;
  } cases[] = {
      {"{ planar center (1,2,3); assx (1,0,0); assy (0,1,0); moltx 2; molty 3; }", true,
       {1, 2, 3}, {1, 0, 0}, {0, 1, 0}, 2, 3},
      {"{ planar assy (0,1,0); assx (1,0,0); center (0,0,0); }", true,
       {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 1, 1},
      {"{ planar center (9,9,9); center (1,1,1); assx (1,0,0); assy (0,1,0); molty -2.5E1; }", true,
       {1, 1, 1}, {1, 0, 0}, {0, 1, 0}, 1, -25},
      {"{ spherical center (0,0,0); assx (1,0,0); assy (0,0,2); }", true,
       {0, 0, 0}, {1, 0, 0}, {0, 0, 1}, 1, 1},
      {"{ cilindric center (0,0,0); assx (3,0,0); assy (0,0,2); }", true,
       {0, 0, 0}, {1, 0, 0}, {0, 0, 2}, 1, 1},
      // Failures.
      {"{ planar center (0,0,0); assx (1,0,0); }", false, {}, {}, {}, 0, 0},
      {"{ planar center (0,0,0); assy (1,0,0); }", false, {}, {}, {}, 0, 0},
      {"{ planar assx (0,0,0); assy (1,0,0); }", false, {}, {}, {}, 0, 0},
      {"{ planar center (0,0,0); assx (1,0,0); assy (0,1,0); scale 2; }", false, {}, {}, {}, 0, 0},
      {"{ planar center (0,0,0); assx (1,0,0); assy (0,1,0); Moltx 2; }", false, {}, {}, {}, 0, 0},
      {"{ planar center (0,0,0) assx (1,0,0); assy (0,1,0); }", false, {}, {}, {}, 0, 0},
      {"{ planar center (0,0); assx (1,0,0); assy (0,1,0); }", false, {}, {}, {}, 0, 0},
      {"{ planar center (0,0,0); assx (1,0,0); assy (0,1,0); moltx two; }", false, {}, {}, {}, 0, 0},
      {"{ planar center (0,0,0); assx (1,0,0); assy (0,1,0); moltx 2 }", false, {}, {}, {}, 0, 0},
      {"{ planar center (0,0,0); assx (1,0,0); assy (0,1,0); moltx 1e999; }", false, {}, {}, {}, 0, 0},
      {"{ planar center (0,0,0); assx (1,0,0); assy (0,1,0); 3; }", false, {}, {}, {}, 0, 0},
      {"{ planar center (0,0,0); assx (1,0,0); assy (0,1,0);", false, {}, {}, {}, 0, 0},
      {"{ planar", false, {}, {}, {}, 0, 0},
  };
  for (const Case& c : cases) {
    const auto m = ReadBlock(c.text);
    ASSERT_EQ(m != nullptr, c.ok) << c.text;
    if (!m) continue;
    EXPECT_EQ(m->center, c.center) << c.text;
    EXPECT_EQ(m->assx, c.assx) << c.text;
    EXPECT_EQ(m->assy, c.assy) << c.text;
    EXPECT_EQ(m->moltx, c.moltx) << c.text;
    EXPECT_EQ(m->molty, c.molty) << c.text;
  }
}

TEST(CG_MappingModule, WrittenBlocksReadBackEqual) {
  const CG_PlanarMapping planar({0.5, -1, 2}, {0, 0.25, 4}, {3, 0, 0}, 1.5, -2);
  const CG_SphericalMapping spherical({1, 1, 1}, {0, 2, 0}, {0, 0, -3}, 0.5, 4);
  const CG_CilindricMapping cylinder({-1, 0, 7}, {0, 0, 2}, {0, 3, 0}, 2, 0.25);
  for (const CG_MappingMetod* m : {static_cast<const CG_MappingMetod*>(&planar),
                                   static_cast<const CG_MappingMetod*>(&spherical),
                                   static_cast<const CG_MappingMetod*>(&cylinder)}) {
    std::string rest = "?";
    const auto back = ReadBlock(Written(*m), &rest);
    ASSERT_NE(back, nullptr) << m->TypeName();
    ExpectSameMapping(*back, *m);
    EXPECT_EQ(rest, "") << m->TypeName();  // the "}" was consumed
    const std::unique_ptr<CG_MappingMetod> clone(m->Clone());
    ExpectSameMapping(*clone, *m);
  }
}

TEST(CG_MappingMetod, AxesAndTransformByType) {
  Transformation t;
  TranslationTransformation(t, 1, 2, 3);
  CG_SphericalMapping spherical({0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1, 1);
  CG_CilindricMapping cylinder({0, 0, 0}, {0, 0, 1}, {1, 0, 0}, 1, 1);
  for (CG_MappingMetod* m : {static_cast<CG_MappingMetod*>(&spherical),
                             static_cast<CG_MappingMetod*>(&cylinder)}) {
    Point3D a, b;
    EXPECT_EQ(m->GetAxes(a, b), 1);
    EXPECT_EQ(a, (Point3D{1, 0, 0}));
    EXPECT_EQ(b, (Point3D{0, 1, 0}));
    const std::string before = Written(*m);
    EXPECT_EQ(m->Transform(t), 0);
    EXPECT_EQ(Written(*m), before);
  }

  CG_PlanarMapping planar({1, 0, 0}, {2, 0, 0}, {0, 1, 0}, 1, 1);
  Point3D a, b;
  EXPECT_EQ(planar.GetAxes(a, b), 1);
  EXPECT_EQ(a, (Point3D{2, 0, 0}));
  EXPECT_EQ(b, (Point3D{0, 1, 0}));
  // A translation moves the centre only; a scale changes the axes too.
  EXPECT_NE(planar.Transform(t), 0);
  EXPECT_EQ(planar.center, (Point3D{2, 2, 3}));
  EXPECT_EQ(planar.assx, (Point3D{2, 0, 0}));
  EXPECT_EQ(planar.assy, (Point3D{0, 1, 0}));
  Transformation s;
  ScaleTransformation(s, 2, 3, 4);
  EXPECT_NE(planar.Transform(s), 0);
  EXPECT_EQ(planar.center, (Point3D{4, 6, 12}));
  EXPECT_EQ(planar.assx, (Point3D{4, 0, 0}));
  EXPECT_EQ(planar.assy, (Point3D{0, 3, 0}));
}

}  // namespace
