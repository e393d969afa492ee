#include "models/curved/blob.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/brep_model3.h"
#include "models/core/brep.h"
#include "procedural_scene.h"
#include "scene/material.h"
#include "scene/texture.h"

namespace {

using zavo::test::ProceduralScene;
using zavo::test::ScopedCwd;
using zavo::test::TempDir;
using zavo::test::WriteFile;
using zavo::test::Written;

const char kOneElement[] = "[blob1.0]\nthreshold = 0.5\nsphere = 0 0 0 1 1\n";

struct ElementValues {
  double x, y, z, radius, strength;
};

std::vector<ElementValues> Elements(const CG_BlobComplete& complete) {
  std::vector<ElementValues> out;
  for (const CG_BlobElement& e : complete.elements) {
    out.push_back({e.center.x, e.center.y, e.center.z, e.radius, e.strength});
  }
  return out;
}

TEST(BlobFile, Statements) {
  struct Case {
    std::string text;
    int result;
    double threshold;
    std::vector<ElementValues> elements;
  };
  const std::vector<Case> cases = {
      {"[blob1.0]\nthreshold = 0.5\nsphere = 0 0 0 1 1\n", 1, 0.5, {{0, 0, 0, 1, 1}}},
      {"[\nblob1\n.0\n]\nthreshold = 0.25\n", 1, 0.25, {}},
      {"[ blob1 .0 ] sphere = -1.5 +2 2e-3 1 -1", 1, 0.5, {{-1.5, 2, 0.002, 1, -1}}},
      {"[blob1.0] sphere = a 1 b 2 c", 1, 0.5, {{0, 1, 0, 2, 0}}},
      {"[blob1.0]", 1, 0.5, {}},
      {"[blob1.0] // a comment\n /* and\n another */ sphere = 1 2 3 4 5", 1, 0.5, {{1, 2, 3, 4, 5}}},
      // Each ignored key takes its own number of values.
      {"[blob1.0] strength = 9 grid_size = 1 grid_on = 1 snap_on = 0 detail = 3 zoom_factor = 2 "
       "camera_angle = 45 camera = 1 2 3 target = 4 5 6 up = 0 0 1 top_view = 1 2 3 4 front_view = 1 2 3 4 "
       "side_view = 1 2 3 4 sphere = 1 1 1 1 1 threshold = 0.75",
       1, 0.75, {{1, 1, 1, 1, 1}}},
      // "=" is tested by its first character only.
      {"[blob1.0] threshold =0.3", 1, 0.3, {}},
      // A key not in the table ends the file successfully.
      {"[blob1.0] sphere = 0 0 0 1 1 colour = 3 sphere = 1 1 1 1 1", 1, 0.5, {{0, 0, 0, 1, 1}}},
      // A key without "=" fails, keeping the earlier elements.
      {"[blob1.0] sphere = 0 0 0 1 1 threshold 0.3 sphere = 1 1 1 1 1", 0, 0.5, {{0, 0, 0, 1, 1}}},
      {"[blob2.0] sphere = 0 0 0 1 1", 0, 0.5, {}},
      {"blob1.0] sphere = 0 0 0 1 1", 0, 0.5, {}},
      {"", 0, 0.5, {}},
      // The end of the input inside a statement is a failure, not an element of zeros.
      {"[blob1.0] sphere = 0 0 0 1 1 sphere = 1 2", 0, 0.5, {{0, 0, 0, 1, 1}}},
      {"[blob1.0] threshold =", 0, 0.5, {}},
      {"[blob1.0] threshold", 0, 0.5, {}},
      {"[blob1.0] sphere = 0 0 0 1 1 /* open", 0, 0.5, {{0, 0, 0, 1, 1}}},
      {"[blob1.0] sphere = 0 0 0 1 1 " + std::string(300, 'a'), 0, 0.5, {{0, 0, 0, 1, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CG_BlobComplete complete;
    std::istringstream in(c.text);
    EXPECT_EQ(ReadBlobFile(complete, in), c.result);
    EXPECT_EQ(complete.threshold, c.threshold);
    const std::vector<ElementValues> got = Elements(complete);
    ASSERT_EQ(got.size(), c.elements.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].x, c.elements[i].x);
      EXPECT_EQ(got[i].y, c.elements[i].y);
      EXPECT_EQ(got[i].z, c.elements[i].z);
      EXPECT_EQ(got[i].radius, c.elements[i].radius);
      EXPECT_EQ(got[i].strength, c.elements[i].strength);
    }
  }
}

TEST(BlobFile, ReadingAgainReplacesTheElements) {
  CG_BlobComplete complete;
  std::istringstream first("[blob1.0] sphere = 0 0 0 1 1 sphere = 1 0 0 1 1");
  ASSERT_EQ(ReadBlobFile(complete, first), 1);
  std::istringstream second("[blob1.0] sphere = 5 0 0 1 1");
  ASSERT_EQ(ReadBlobFile(complete, second), 1);
  ASSERT_EQ(Elements(complete).size(), 1u);
  EXPECT_EQ(Elements(complete)[0].x, 5);
  std::istringstream bad("[blob9.0]");
  EXPECT_EQ(ReadBlobFile(complete, bad), 0);
  EXPECT_TRUE(complete.elements.IsEmpty());
}

// A blob read through the scene from a side file in a temporary directory.
class BlobScene : public ::testing::Test {
protected:
  BlobScene() : cwd_(dir_.path()) {}

  GBlob* Load(const std::string& file, const std::string& header = "") {
    WriteFile(dir_ / "drop.blb", file);
    const int ok = scene_.Load(header + "{ object\n\tname b;\n" + "\tmodel { blob\n\t\tname drop;\n\t}\n}\n.\n");
    if (!ok) return nullptr;
    return dynamic_cast<GBlob*>(scene_.Find("b"));
  }

  TempDir dir_;
  ScopedCwd cwd_;
  ProceduralScene scene_;
};

TEST_F(BlobScene, OneElementTwoExactHitsAndAHalfSizeProxy) {
  GBlob* blob = Load(kOneElement);
  ASSERT_NE(blob, nullptr);
  EXPECT_EQ(blob->GetLoadResult(), GBlob::kLoaded);
  ASSERT_EQ(blob->Valid().Count(), 1u);
  const Ray ray{{0, 0, -5}, {0, 0, 1}};
  auto record = blob->NewIntrInfo();
  ASSERT_EQ(blob->Intersect(ray, *record), 2);
  const double d = std::sqrt(1 - std::sqrt(0.5));
  EXPECT_NEAR(record->Value(0), 5 - d, 1e-7);
  EXPECT_NEAR(record->Value(1), 5 + d, 1e-7);
  ASSERT_EQ(blob->SphereCount(), 1);
  CG_SphereDescription proxy;
  blob->Sphere(0).GetDescription(proxy);
  EXPECT_EQ(proxy.radius, 0.5);
  EXPECT_EQ(proxy.div, 6);
  // The hit's normal is the surface's, against the ray at the entry.
  CG_MaterialPhong material;
  Point3D point;
  Point3D normal;
  blob->HitDetails(ray, *record, 0, material, point, normal);
  EXPECT_NEAR(point.z, -d, 1e-7);
  EXPECT_NEAR(normal.z, -1, 1e-12);
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(blob, box), 1);
  EXPECT_EQ(box.xmin, -1);
  EXPECT_EQ(box.zmax, 1);
}

TEST_F(BlobScene, ARayStartingInsideEntersAtZero) {
  GBlob* blob = Load(kOneElement);
  ASSERT_NE(blob, nullptr);
  std::vector<CG_BlobInterval> events;
  ASSERT_EQ(blob->FindIntervals(Ray{{0, 0, 0.5}, {0, 0, 1}}, 0.01, events), 2);
  EXPECT_EQ(events[0].kind, 0);
  EXPECT_EQ(events[0].t, 0.0);
  EXPECT_EQ(events[1].kind, 1);
  EXPECT_NEAR(events[1].t, 0.5, 1e-12);
  // Inside the surface: one hit, on the way out.
  auto record = blob->NewIntrInfo();
  ASSERT_EQ(blob->Intersect(Ray{{0, 0, 0}, {0, 0, 1}}, *record), 1);
  EXPECT_NEAR(record->Value(0), std::sqrt(1 - std::sqrt(0.5)), 1e-7);
  // Behind the ray: no events.
  EXPECT_EQ(blob->FindIntervals(Ray{{0, 0, 5}, {0, 0, 1}}, 0.01, events), 0);
}

TEST_F(BlobScene, EventsOfOverlappingElementsAreOrderedNewerFirstOnTies) {
  GBlob* blob = Load("[blob1.0] sphere = 0 0 0 1 1 sphere = 0 0 0 1 2 sphere = 0 0 1 1 1");
  ASSERT_NE(blob, nullptr);
  std::vector<CG_BlobInterval> events;
  ASSERT_EQ(blob->FindIntervals(Ray{{0, 0, -5}, {0, 0, 1}}, 0.01, events), 6);
  const int kinds[6] = {0, 0, 0, 1, 1, 1};
  const int elements[6] = {1, 0, 2, 1, 0, 2};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(events[static_cast<std::size_t>(i)].kind, kinds[i]) << i;
    EXPECT_EQ(events[static_cast<std::size_t>(i)].element, elements[i]) << i;
  }
}

TEST_F(BlobScene, EveryHitOfTwoElementsLiesOnTheSurfaceWithAnOutwardNormal) {
  GBlob* blob = Load("[blob1.0]\nthreshold = 0.6\nsphere = -0.5 0 0 1.2 1\nsphere = 0.6 0.1 0 1 2\n");
  ASSERT_NE(blob, nullptr);
  auto record = blob->NewIntrInfo();
  int rays = 0;
  for (double y = -0.8; y <= 0.8; y += 0.2) {
    for (double z = -0.6; z <= 0.6; z += 0.3) {
      const Ray ray = Ray::FromDirection({-4, y, z}, {1, 0.05, 0.02});
      const int n = blob->Intersect(ray, *record);
      ASSERT_EQ(n % 2, 0);
      for (int i = 0; i < n; ++i) {
        const Point3D p = ray.PointAt(record->Value(i));
        EXPECT_NEAR(blob->FieldAt(p), 0.6, 1e-6);
        if (i > 0) {
          EXPECT_LE(record->Value(i - 1), record->Value(i));
        }
        // Entering, the normal faces the ray; leaving, it goes with it.
        const double facing = Dot(blob->NormalAt(p), ray.direction);
        if (i == 0) {
          EXPECT_LT(facing, 0);
        }
        if (i == n - 1) {
          EXPECT_GT(facing, 0);
        }
        EXPECT_NEAR(Length(blob->NormalAt(p)), 1.0, 1e-12);
      }
      if (n > 0) ++rays;
    }
  }
  EXPECT_GT(rays, 20);
}

TEST_F(BlobScene, ElementsTooSmallGetAProxyButNoPart) {
  GBlob* blob = Load("[blob1.0] sphere = 0 0 0 0 1 sphere = 3 0 0 1 0");
  ASSERT_NE(blob, nullptr);
  EXPECT_EQ(blob->SphereCount(), 2);
  EXPECT_EQ(blob->Valid().Count(), 0u);
  EXPECT_EQ(blob->GetBoundingObject(), nullptr);
  auto record = blob->NewIntrInfo();
  EXPECT_EQ(blob->Intersect(Ray{{0, 0, -5}, {0, 0, 1}}, *record), 0);
  EXPECT_EQ(blob->FieldAt({0, 0, 0}), 0.0);
  // Without gradient: the zero vector, and the hit normal faces the ray.
  EXPECT_EQ(blob->NormalAt({0, 0, 0}), (Point3D{0, 0, 0}));
}

TEST_F(BlobScene, WritesItsBlockWithTheModelNameAsRead) {
  GBlob* blob = Load(kOneElement, "{ material name red; model { phong } }\n");
  ASSERT_NE(blob, nullptr);
  EXPECT_EQ(Written(*blob), "{ object\n\tname b;\n\tmodel { blob\n\t\tname drop;\n\t}\n}\n");
  ASSERT_EQ(scene_.Load("{ material name red; model { phong } }\n{ object\n\tname b;\n\tmaterial red;\n\tIDname Q;\n"
                        "\ttoll 0.5;\n\tmodel { blob\n\t\tname drop;\n\t}\n}\n.\n"),
            1);
  EXPECT_EQ(Written(*scene_.Find("b")),
            "{ object\n\tname b;\n\tIDname Q;\n\ttoll 0.5;\n\tmaterial red;\n\tmodel { blob\n\t\tname drop;\n\t}\n}\n");
  EXPECT_EQ(scene_.Find("b")->Clone(), nullptr);
  EXPECT_EQ(scene_.Find("b")->NewCommData(), nullptr);
}

TEST_F(BlobScene, ReaderErrors) {
  WriteFile(dir_ / "drop.blb", kOneElement);
  WriteFile(dir_ / "bad.blb", "[blob1.0] sphere = 0 0 0 1 1 threshold 2");
  WriteFile(dir_ / "cut.blb", "[blob1.0] sphere = 0 0 0 1");
  struct Case {
    const char* body;
    int code;
    const char* message;
    int line;
  };
  const std::vector<Case> cases = {
      {"name nodrop;\n}", 4, "file \"nodrop.blb\" not found in model path", 4},
      {"}", 5, "Model name missing", 4},
      {"name drop;\nsize 2;\n}", 5, "Unknown attribute", 5},
      {"name drop;\n7\n}", 5, "attribute or '}' waited", 5},
      {"name drop\n}", 2, "Caracter ';' not found", 5},
      {"name bad;\n}", 5, "Error in blob model bad.blb", 5},
      {"name cut;\n}", 5, "Error in blob model cut.blb", 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    ProceduralScene scene;
    EXPECT_EQ(scene.Load(std::string("{ object\n\tname b;\n\tmodel { blob\n") + c.body + "\n}\n.\n"), 0);
    EXPECT_EQ(scene.Find("b"), nullptr);
    EXPECT_EQ(scene.Code(), c.code);
    EXPECT_EQ(scene.Message(), c.message);
    EXPECT_EQ(scene.Line(), c.line);
  }
}

TEST_F(BlobScene, TheObjectKeepsWhatTheFileGaveAndSaysWhetherItRead) {
  WriteFile(dir_ / "bad.blb", "[blob1.0] sphere = 0 0 0 1 1 threshold 2");
  CG_GraphicObjectCommData data;
  data.name = "b";
  CG_BlobDescription description;
  description.name = "bad";
  description.path = "bad";
  GBlob bad(data, description);
  EXPECT_EQ(bad.GetLoadResult(), GBlob::kBadFile);
  EXPECT_EQ(bad.SphereCount(), 1);
  description.path = "none";
  GBlob none(data, description);
  EXPECT_EQ(none.GetLoadResult(), GBlob::kNotOpened);
  EXPECT_EQ(none.SphereCount(), 0);
  std::filesystem::create_directory(dir_ / "dir.blb");
  ProceduralScene scene;
  EXPECT_EQ(scene.LoadObject("blob name dir; }", "b"), 0);
  EXPECT_EQ(scene.Code(), 4);
  EXPECT_EQ(scene.Message(), "file \"dir.blb\" not found in model path");
}

TEST_F(BlobScene, ProxiesStandInForTheBlobInEveryConversion) {
  WriteFile(dir_ / "two.blb", "[blob1.0] threshold = 0.4 sphere = 0 0 0 1 1 sphere = 2 0 0 0.5 1");
  CG_NamedMaterial red("red", new CG_MaterialPhong());
  const std::string stem = zavo::test::DataPath("apps/wood").string();
  CG_Texture wood("wood", stem.c_str());
  CG_Texture bumps("bumps", stem.c_str());
  CG_GraphicObjectCommData data;
  data.name = "b";
  data.material = &red;
  data.texture = &wood;
  data.bump = &bumps;
  data.mapping = std::make_unique<CG_PlanarMapping>(Point3D{}, Point3D{1, 0, 0}, Point3D{0, 1, 0}, 1, 1);
  CG_BlobDescription description;
  description.name = "two";
  description.path = "two";
  GBlob blob(data, description);
  ASSERT_EQ(blob.SphereCount(), 2);
  EXPECT_EQ(blob.MappingTest(typeid(CG_PlanarMapping)), 1);
  for (int i = 0; i < 2; ++i) {
    GSphere& s = blob.Sphere(i);
    EXPECT_EQ(s.name, "b");
    EXPECT_EQ(s.material, &red);
    EXPECT_EQ(s.texture, &wood);
    EXPECT_EQ(s.bump, &bumps);
    EXPECT_EQ(s.mapping, nullptr);
  }
  CG_SphereDescription second;
  blob.Sphere(1).GetDescription(second);
  EXPECT_EQ(second.center, (Point3D{2, 0, 0}));
  EXPECT_EQ(second.radius, 0.2);

  zavo::DeclassedParts parts;
  ASSERT_EQ(blob.DeclassToRayTraceable(parts), 1);
  ASSERT_EQ(parts.Size(), 2);
  for (long i = 0; i < 2; ++i) {
    EXPECT_EQ(parts[i].object, &blob.Sphere(static_cast<int>(i)));
    EXPECT_EQ(parts[i].owned, 0);
  }
  using Convert = int (*)(GBlob&, zavo::DeclassedParts&);
  const Convert conversions[] = {
      [](GBlob& b, zavo::DeclassedParts& p) { return b.DeclassToFaced(p, 0); },
      [](GBlob& b, zavo::DeclassedParts& p) { return b.DeclassToTriangleMesh(p); },
      [](GBlob& b, zavo::DeclassedParts& p) { return b.DeclassToIndexedMesh(p, 0); },
  };
  for (Convert convert : conversions) {
    zavo::DeclassedParts meshes;
    ASSERT_EQ(convert(blob, meshes), 1);
    ASSERT_EQ(meshes.Size(), 2);
    for (long i = 0; i < 2; ++i) {
      auto* mesh = dynamic_cast<GBRep*>(meshes[i].object);
      ASSERT_NE(mesh, nullptr);
      EXPECT_EQ(meshes[i].owned, 1);
      EXPECT_EQ(mesh->MeshVertexCount(), 49);
      EXPECT_EQ(mesh->material, &red);
      EXPECT_EQ(mesh->name, "b");
    }
    zavo::ReleaseDeclassedParts(meshes);
  }
  Seq<CG_GraphicObject*> children;
  children.SetSize(3);
  EXPECT_EQ(blob.GetChildren(children), 1);
  EXPECT_EQ(children.Count(), 0u);
}

// The same lines in space traced from eyes ever farther away along them: the
// hit points stay where they are, and each lies on the surface.
TEST_F(BlobScene, HitsAreTheSameFromAnyEyeDistance) {
  GBlob* blob = Load("[blob1.0]\nthreshold = 0.55\nsphere = -0.62 0.13 0.07 1.1 1\n"
                     "sphere = 0.48 -0.21 0.11 0.93 1.3\nsphere = 0.05 0.57 -0.19 0.71 0.8\n");
  ASSERT_NE(blob, nullptr);
  struct Line {
    Point3D through;    // a point of the line near the blob
    Point3D direction;  // unit
  };
  std::vector<Line> lines;
  for (double x = -1.13; x <= 1.2; x += 0.37) {
    for (double y = -0.91; y <= 1.0; y += 0.29) {
      const Point3D d{0.043 * x, -0.031 * y, -1.0};
      lines.push_back({{x, y, 0.0}, d * (1.0 / Length(d))});
    }
  }
  const double distances[] = {5, 60, 200, 1000};
  auto record = blob->NewIntrInfo();
  int lineHits = 0;
  for (const Line& line : lines) {
    std::vector<Point3D> reference;
    for (const double distance : distances) {
      SCOPED_TRACE(testing::Message() << "line through (" << line.through.x << ", " << line.through.y
                                      << ") from " << distance);
      const Ray ray{line.through - distance * line.direction, line.direction};
      const int n = blob->Intersect(ray, *record);
      std::vector<Point3D> points;
      for (int i = 0; i < n; ++i) points.push_back(ray.PointAt(record->Value(i)));
      for (const Point3D& p : points) EXPECT_NEAR(blob->FieldAt(p), 0.55, 1e-9);
      if (distance == distances[0]) {
        reference = points;
        continue;
      }
      ASSERT_EQ(points.size(), reference.size());
      for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_LE(Length(points[i] - reference[i]), 1e-9 * std::max(1.0, Length(reference[i]))) << i;
      }
    }
    if (!reference.empty()) ++lineHits;
  }
  EXPECT_GT(lineHits, 20);
}

// One element of field radius 1, strength 1, threshold 0.5: the surface is
// the sphere of radius sqrt(1 - sqrt(0.5)) = 0.5412 about the centre.
TEST_F(BlobScene, ARayPassingOutsideTheSurfaceHasNoHitsAtAnyDistance) {
  GBlob* blob = Load(kOneElement);
  ASSERT_NE(blob, nullptr);
  const double surface = std::sqrt(1 - std::sqrt(0.5));
  auto record = blob->NewIntrInfo();
  for (const double distance : {5.0, 60.0, 200.0, 1000.0}) {
    SCOPED_TRACE(distance);
    EXPECT_EQ(blob->Intersect(Ray{{0.6, 0, -distance}, {0, 0, 1}}, *record), 0);
    EXPECT_EQ(blob->Intersect(Ray{{surface + 1e-6, 0, -distance}, {0, 0, 1}}, *record), 0);
    ASSERT_EQ(blob->Intersect(Ray{{surface - 1e-3, 0, -distance}, {0, 0, 1}}, *record), 2);
    const double half = std::sqrt(surface * surface - (surface - 1e-3) * (surface - 1e-3));
    EXPECT_NEAR(record->Value(0), distance - half, 1e-9 * distance);
    EXPECT_NEAR(record->Value(1), distance + half, 1e-9 * distance);
  }
}

// Whatever the common data get, the proxies show the blob's current look:
// no proxy keeps a material or texture the blob no longer has.
TEST_F(BlobScene, ProxiesTakeTheMaterialAndTextureOfEachNewCommonData) {
  WriteFile(dir_ / "two.blb", "[blob1.0] threshold = 0.4 sphere = 0 0 0 1 1 sphere = 2 0 0 0.5 1");
  CG_NamedMaterial red("red", new CG_MaterialPhong());
  CG_NamedMaterial blue("blue", new CG_MaterialPhong());
  const std::string stem = zavo::test::DataPath("apps/wood").string();
  CG_Texture wood("wood", stem.c_str());
  CG_GraphicObjectCommData data;
  data.name = "b";
  data.material = &red;
  data.texture = &wood;
  CG_BlobDescription description;
  description.name = "two";
  description.path = "two";
  GBlob blob(data, description);
  ASSERT_EQ(blob.SphereCount(), 2);

  CG_GraphicObjectCommData changed;
  blob.GetCommData(changed);
  changed.name = "renamed";
  changed.material = &blue;
  changed.texture = nullptr;
  changed.bump = &wood;
  blob.SetCommData(changed);
  for (int i = 0; i < 2; ++i) {
    const GSphere& s = blob.Sphere(i);
    EXPECT_EQ(s.name, "renamed");
    EXPECT_EQ(s.material, &blue);
    EXPECT_EQ(s.texture, nullptr);
    EXPECT_EQ(s.bump, &wood);
  }
  zavo::DeclassedParts meshes;
  ASSERT_EQ(blob.DeclassToFaced(meshes, 0), 1);
  ASSERT_EQ(meshes.Size(), 2);
  EXPECT_EQ(dynamic_cast<GBRep&>(*meshes[0].object).material, &blue);
  zavo::ReleaseDeclassedParts(meshes);
}

}  // namespace
