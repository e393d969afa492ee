#include "models/curved/spline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "curved_scene.h"
#include "scene/material.h"

namespace {

namespace fs = std::filesystem;

using zavo::test::Converted;
using zavo::test::CurvedFiles;
using zavo::test::WriteFile;

// A .bsp text of n x m points at(a, b).
std::string Grid(int n, int m, const std::function<Point3D(int, int)>& at) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << n << " " << m << "\n";
  for (int a = 0; a < n; ++a) {
    for (int b = 0; b < m; ++b) {
      const Point3D p = at(a, b);
      os << p.x << " " << p.y << " " << p.z << "\n";
    }
  }
  return os.str();
}

class SplineFiles : public CurvedFiles, public ::testing::Test {
protected:
  SplineFiles() {
    WriteFile(dir_ / "models" / "flat.bsp", Grid(4, 4, [](int a, int b) { return Point3D{a - 1.5, b - 1.5, 0}; }));
    // Folded along u: rows 0-3 at z = 0 going out in x, rows 4-7 at z = 1 coming back.
    const double xs[8] = {0, 1, 2, 3, 3, 2, 1, 0};
    WriteFile(dir_ / "models" / "fold.bsp",
              Grid(8, 4, [&xs](int a, int b) { return Point3D{xs[a], double(b), a < 4 ? 0.0 : 1.0}; }));
    WriteFile(dir_ / "models" / "bowl.bsp", Grid(5, 5, [](int a, int b) { return Point3D{double(a), double(b), double(a * a)}; }));
    WriteFile(dir_ / "models" / "small.bsp", Grid(3, 3, [](int a, int b) { return Point3D{double(a), double(b), 0}; }));
  }
};

TEST_F(SplineFiles, ReaderCases) {
  struct Case {
    std::string body;
    std::string error;
    int usebrep;
  } cases[] = {
      {"ucbspline name flat; }", "", 1},
      {"ucbspline name flat; usebrep 0; }", "", 0},
      {"ucbspline usebrep 2.7; name flat; }", "", 2},
      {"ucbspline name flat; usebrep no; }", "", 0},
      {"ucbspline name flat; usebrep 1 }", "1 Generic Error", 0},
      {"ucbspline name flat; div 1; }", "1 Generic Error", 0},
      {"ucbspline usebrep 1; }", "1 Generic Error", 0},
      {"ucbspline 7; }", "1 Generic Error", 0},
      {"ucbspline name missing; }", "4 file \"missing.bsp\" not found in model path", 0},
      {"ucbspline name small; }", "5 Error in spline model models/small.bsp", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    const int loaded = LoadObject(c.body);
    if (!c.error.empty()) {
      EXPECT_EQ(loaded, 0);
      EXPECT_EQ(Error(), c.error);
      continue;
    }
    ASSERT_EQ(loaded, 1) << Error();
    GSpline* s = Find<GSpline>();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->UseBRep(), c.usebrep);
    EXPECT_EQ(s->IsRayTraceable(), c.usebrep);
    EXPECT_STREQ(s->ModelPath(), "models/flat");
    EXPECT_EQ(s->NewCommData(), nullptr);
    EXPECT_EQ(s->Clone(), nullptr);
    EXPECT_EQ(s->GetBoundingObject(), nullptr);
  }
}

TEST_F(SplineFiles, WrittenBlocksReadBack) {
  ASSERT_EQ(LoadObject("ucbspline name flat; usebrep 0; }"), 1);
  const std::string zero = zavo::test::Written(*Find<GSpline>());
  EXPECT_EQ(zero, "{ object\n\tname s;\n\tmodel { ucbspline\n\t\tname flat;\n\t\tusebrep 0;\n\t}\n}\n");
  ASSERT_EQ(Load(zero + ".\n"), 1);
  EXPECT_EQ(Find<GSpline>()->UseBRep(), 0);
  ASSERT_EQ(LoadObject("ucbspline name flat; usebrep 1; }"), 1);
  const std::string one = zavo::test::Written(*Find<GSpline>());
  EXPECT_EQ(one, "{ object\n\tname s;\n\tmodel { ucbspline\n\t\tname flat;\n\t}\n}\n");
  ASSERT_EQ(Load(one + ".\n"), 1);
  EXPECT_EQ(Find<GSpline>()->UseBRep(), 1);
}

TEST_F(SplineFiles, WithoutAModelDirectoryTheFileIsFoundInTheWorkingDirectory) {
  scene_.SetModelPath(nullptr);
  WriteFile(dir_ / "here.bsp", Grid(4, 4, [](int a, int b) { return Point3D{double(a), double(b), 0}; }));
  ASSERT_EQ(LoadObject("ucbspline name here; }"), 1) << Error();
  EXPECT_STREQ(Find<GSpline>()->ModelPath(), "here");
  EXPECT_EQ(LoadObject("ucbspline name flat; }"), 0);
  EXPECT_EQ(Error(), "4 file \"flat.bsp\" not found in model path");
}

TEST_F(SplineFiles, AFourByFourGridHasOneWindowAndOneHit) {
  ASSERT_EQ(LoadObject("ucbspline name flat; }"), 1);
  GSpline* s = Find<GSpline>();
  EXPECT_EQ(s->Surface().UMax(), 1.0);
  EXPECT_EQ(s->Surface().VMax(), 1.0);
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = s->NewIntrInfo();
  EXPECT_EQ(record->Count(), 0);
  const Ray ray = Ray::FromDirection(Point3D{0.1, 0.2, 10}, Point3D{0, 0, -1});
  ASSERT_EQ(s->Intersect(ray, *record), 1);
  EXPECT_NEAR(record->Value(0), 10.0, 0.02);
}

TEST_F(SplineFiles, AFoldedGridGivesTwoHitsTheNearerFirst) {
  ASSERT_EQ(LoadObject("ucbspline name fold; }"), 1);
  GSpline* s = Find<GSpline>();
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = s->NewIntrInfo();
  const Ray ray = Ray::FromDirection(Point3D{1.5, 1.5, 5}, Point3D{0, 0, -1});
  ASSERT_EQ(s->Intersect(ray, *record), 2);
  EXPECT_NEAR(record->Value(0), 4.0, 0.05);  // the upper layer, found second
  EXPECT_NEAR(record->Value(1), 5.0, 0.05);
}

// The surface of the flat grid spans -0.5 to 0.5 in x and y. Rays that pass
// just outside its border miss it; rays just inside meet it, on the surface.
TEST_F(SplineFiles, RaysJustBeyondTheBorderMissAndJustInsideHit) {
  ASSERT_EQ(LoadObject("ucbspline name flat; }"), 1);
  GSpline* s = Find<GSpline>();
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = s->NewIntrInfo();
  int checked = 0;
  for (double along : {-0.43, -0.17, 0.09, 0.31, 0.47}) {
    for (double off : {0.0013, 0.0041, 0.0087}) {
      const Point3D beyond[4] = {{0.5 + off, along, 0}, {-0.5 - off, along, 0}, {along, 0.5 + off, 0},
                                 {along, -0.5 - off, 0}};
      const Point3D inside[4] = {{0.5 - off, along, 0}, {-0.5 + off, along, 0}, {along, 0.5 - off, 0},
                                 {along, -0.5 + off, 0}};
      for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(std::to_string(along) + " " + std::to_string(off) + " side " + std::to_string(k));
        const Point3D tilt{0.13, -0.07, -1};
        EXPECT_EQ(s->Intersect(Ray::FromDirection(beyond[k] - tilt * 7.3, tilt), *record), 0);
        ASSERT_EQ(s->Intersect(Ray::FromDirection(inside[k] - tilt * 7.3, tilt), *record), 1);
        CG_MaterialPhong material;
        Point3D point, normal;
        s->HitDetails(Ray::FromDirection(inside[k] - tilt * 7.3, tilt), *record, 0, material, point, normal);
        EXPECT_NEAR(point.z, 0.0, 1e-12);
        ++checked;
      }
    }
  }
  EXPECT_EQ(checked, 60);
}

// A wavy sheet seen at a slant, as in a scene: every hit reported lies on the
// surface (rays that pass close by its border, where the search's coarse
// tolerance would take them, miss).
TEST_F(SplineFiles, EveryHitNearTheBorderOfAWavySheetLiesOnTheSurface) {
  WriteFile(dir_ / "models" / "wave.bsp", Grid(6, 6, [](int a, int b) {
              return Point3D{-1.2 + 0.7 * b, -0.8 + 0.29 * std::sin(1.3 * a + 0.9 * b) * (b > 0 ? 1 : 0),
                             -3.2 - 0.7 * a};
            }));
  ASSERT_EQ(LoadObject("ucbspline name wave; }"), 1);
  GSpline* s = Find<GSpline>();
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = s->NewIntrInfo();
  const Point3D eye{0.3, 1.1, 4.7};
  int hits = 0;
  for (int i = 0; i <= 80; ++i) {
    for (int j = 0; j <= 80; ++j) {
      const Point3D target{-1.4 + 3.9 * i / 80, -1.3, -2.9 - 3.8 * j / 80};
      const Ray ray = Ray::FromDirection(eye, target - eye);
      const int n = s->Intersect(ray, *record);
      const auto& found = static_cast<const CG_SplineIntrInfo&>(*record);
      for (int k = 0; k < n; ++k) {
        const BSplineIntrInfo& hit = found.hits[static_cast<std::uint32_t>(k)];
        const Point3D gap = s->Surface().PointAt(hit.surfaceU, hit.surfaceV) - ray.PointAt(hit.t);
        EXPECT_LT(Length(gap), 1e-9) << "ray " << i << ", " << j;
        ++hits;
      }
    }
  }
  EXPECT_GT(hits, 1000);
}

TEST_F(SplineFiles, TheNormalIsTakenAtTheHit) {
  ASSERT_EQ(LoadObject("ucbspline name bowl; }"), 1);
  GSpline* s = Find<GSpline>();
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = s->NewIntrInfo();
  for (double x : {1.3, 1.9, 2.6}) {
    SCOPED_TRACE(x);
    const Ray ray = Ray::FromDirection(Point3D{x, 1.7, 20}, Point3D{0, 0, -1});
    ASSERT_EQ(s->Intersect(ray, *record), 1);
    CG_MaterialPhong material;
    Point3D point, normal;
    s->HitDetails(ray, *record, 0, material, point, normal);
    EXPECT_NEAR(point.x, x, 1e-9);
    // The surface of the points (i, j, i^2) is z = x^2 + 1/3.
    const Point3D expected = Point3D{-2 * x, 0, 1} * (1.0 / std::sqrt(4 * x * x + 1));
    EXPECT_NEAR(normal.x, expected.x, 0.05);
    EXPECT_NEAR(normal.y, expected.y, 0.05);
    EXPECT_NEAR(normal.z, expected.z, 0.05);
  }
}

// One window: k + 1 samples a side over the whole window, k steps a side.
TEST_F(SplineFiles, EveryMeshConversionGivesANewMeshOfTheWholeSurface) {
  ASSERT_EQ(LoadObject("ucbspline name flat; usebrep 0; }"), 1);
  GSpline* s = Find<GSpline>();
  Converted first, second;
  ASSERT_EQ(s->DeclassToRayTraceable(first.parts), 1);
  ASSERT_EQ(s->DeclassToIndexedMesh(second.parts, 0), 1);
  for (const Converted* c : {&first, &second}) {
    ASSERT_NE(c->brep(), nullptr);
    constexpr int k = zavo::kSplineMeshSamplesPerWindow;
    EXPECT_EQ(c->brep()->VertexCount(), (k + 1) * (k + 1));
    EXPECT_EQ(c->brep()->FaceCount(), 2 * k * k);
    EXPECT_EQ(c->brep()->Costr(), 0.0);
    EXPECT_EQ(c->brep()->Interp(), 0);
  }
  EXPECT_NE(first.brep(), second.brep());
}

TEST_F(SplineFiles, AMissingFileOutsideTheReaderLeavesAnEmptySurface) {
  ASSERT_EQ(LoadObject("ucbspline name flat; }"), 1);
  GSpline* s = Find<GSpline>();
  fs::remove(dir_ / "models" / "flat.bsp");
  CG_SplineDescription d;
  s->GetDescription(d);
  s->SetDescription(d);
  EXPECT_EQ(shown_.messages, std::vector<std::string>{"modello inesistente"});
  EXPECT_EQ(s->Surface().N(), 0);
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = s->NewIntrInfo();
  EXPECT_EQ(s->Intersect(Ray::FromDirection(Point3D{0, 0, 10}, Point3D{0, 0, -1}), *record), 0);
  Converted mesh;
  ASSERT_EQ(s->DeclassToFaced(mesh.parts, 0), 1);
  EXPECT_EQ(mesh.brep()->VertexCount(), 0);

  WriteFile(dir_ / "models" / "flat.bsp", "4 4 1 2 3");
  s->SetDescription(d);
  EXPECT_EQ(shown_.messages.back(), "Error in spline model models/flat.bsp");
  EXPECT_EQ(s->Surface().N(), 0);
}

}  // namespace
