// The ray queries' own hierarchy against the tree's walks: on random scenes
// (spheres, boxes, a ground box, duplicates, equal boxes, groups, transforms,
// transparent materials) and every hierarchy method, the nearest hit and the
// shadow search answer the same for thousands of rays, and images come out
// the same byte for byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "render/render_fixtures.h"
#include "scene/ray_bvh.h"
#include "scene/ray_hierarchy.h"

namespace zavo::test {
namespace {

// Forces the tree's walks for the life of the object.
struct TreeWalks {
  TreeWalks() { ForceTreeWalks(true); }
  ~TreeWalks() { ForceTreeWalks(false); }
};

std::string Number(double v) {
  std::ostringstream os;
  os.precision(17);
  os << v;
  return os.str();
}

std::string Triple(double x, double y, double z) {
  return "( " + Number(x) + " , " + Number(y) + " , " + Number(z) + " )";
}

std::string Sphere(const std::string& name, const char* material, double x, double y, double z, double r) {
  return "{ object name " + name + "; material " + material + "; model { sphere center " + Triple(x, y, z) +
         "; radius " + Number(r) + "; } }\n";
}

std::string Box(const std::string& name, const char* material, double x, double y, double z, double sx,
                double sy, double sz) {
  return "{ object name " + name + "; material " + material + "; model { box xmin " + Number(x) + "; xmax " +
         Number(x + sx) + "; ymin " + Number(y) + "; ymax " + Number(y + sy) + "; zmin " + Number(z) + "; zmax " +
         Number(z + sz) + "; } }\n";
}

// A random scene of about n objects inside [-5, 5]^3 above a ground box.
std::string RandomScene(int n, std::uint32_t seed, int width = 24, int height = 18) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> pos(-5, 5), size(0.02, 1.5), unit(0, 1);
  std::string text =
      "{ param render raytracing; dimx " + std::to_string(width) + "; dimy " + std::to_string(height) +
      "; mode 4; ambientcolor (1,1,1); }\n"
      "{ material name solid; model { phong Ka 0.1; Kd 0.6; Ks 0.3; Kh 0.4; n 30; Od (0.8,0.5,0.3); Os (1,1,1); } }\n"
      "{ material name glass; model { phong Ka 0.02; Kd 0.05; Ks 0.15; Kt 0.8; ni 1.5; n 80; Od (0.9,1,0.9); "
      "Os (1,1,1); } }\n"
      "{ object name ground; material solid; model { box xmin -1000; xmax 1000; ymin -6; ymax -5; zmin -1000; "
      "zmax 1000; } }\n"
      "{ lamp name L0; model { pointlamp pos ( -3 , 7 , -4 ); color (0.7,0.7,0.7); } }\n"
      "{ lamp name L1; model { pointlamp pos ( 4 , 2 , 3 ); color (0.5,0.5,0.5); } }\n";
  std::string previous;
  for (int i = 0; i < n; ++i) {
    const std::string name = "o" + std::to_string(i);
    const char* material = unit(gen) < 0.3 ? "glass" : "solid";
    const double kind = unit(gen);
    std::string object;
    if (kind < 0.45) {
      object = Sphere(name, material, pos(gen), pos(gen), pos(gen), size(gen) * 0.5);
    } else if (kind < 0.75) {
      object = Box(name, material, pos(gen), pos(gen), pos(gen), size(gen), size(gen), unit(gen) < 0.1 ? 0 : size(gen));
    } else if (kind < 0.82 && !previous.empty()) {
      object = previous;  // the same object again, under the same name
    } else if (kind < 0.9) {
      const double x = pos(gen), y = pos(gen), z = pos(gen);
      object = "{ object name " + name + "; model { group\n" + Sphere(name + "a", material, x, y, z, 0.4) +
               Box(name + "b", "solid", x + 0.2, y - 0.3, z, 0.5, 0.5, 0.5) + "} }\n";
    } else {
      object = "{ object name " + name + "; model { transf s ( 1.6 , 0.6 , 1 ); r ( 0 , 0 , " +
               Number(unit(gen)) + " ); t " + Triple(pos(gen), pos(gen), pos(gen)) + ";\n" +
               Sphere(name + "p", material, 0, 0, 0, 0.7) + "} }\n";
    }
    text += object;
    previous = object;
  }
  // Equal boxes side by side with touching faces.
  for (int i = 0; i < 6; ++i) text += Box("eq" + std::to_string(i), "solid", 1, 1, 1, 0.5, 0.5, 0.5);
  for (int i = 0; i < 4; ++i) text += Box("row" + std::to_string(i), "glass", -4 + i, 4, -4, 1, 1, 1);
  return text + ".\n";
}

Point3D RandomDirection(std::mt19937& gen) {
  std::uniform_real_distribution<double> unit(-1, 1), pick(0, 1);
  for (;;) {
    Point3D d{unit(gen), unit(gen), unit(gen)};
    const double choice = pick(gen);
    if (choice < 0.05) d.x = 0;                    // parallel to a plane
    else if (choice < 0.08) d = {0, 0, d.z};       // along an axis
    else if (choice < 0.15) d.y = 1e-12 * d.y;     // nearly parallel
    else if (choice < 0.2) d.x = d.z = 1e-9 * d.x;  // nearly along an axis
    const double l = Length(d);
    if (l > 0) return d * (1.0 / l);
  }
}

struct Method {
  const char* optimiz;
  int buildhier;
};

void PrintTo(const Method& m, std::ostream* os) { *os << m.optimiz << " " << m.buildhier; }

// Queries of the scene's hierarchy, fast against the tree's walks.
class QueryComparison {
protected:

  CG_GraphicObjectQZData* Nearest(const Ray& ray, bool tree) {
    if (!tree) return scene.FirstIntersection(ray);
    TreeWalks walks;
    return scene.FirstIntersection(ray);
  }

  struct Shadow {
    int value = 0;
    long count = 0;
    std::vector<CG_GraphicObjectQZData*> hits;
  };
  Shadow Shadows(const Point3D& point, const CG_LightSourceBase& lamp, bool opaqueStops, bool tree) {
    static const ShadowStopTest stop = [](const SceneHitRecord& hit) { return hit.material->Kt == 0.0 ? 1 : 0; };
    std::optional<TreeWalks> walks;
    if (tree) walks.emplace();
    Shadow s;
    Ray ray;
    ShadowHitList list;
    s.value = scene.ShadowIntersections(point, lamp, ray, list, s.count, stop, opaqueStops);
    walks.reset();
    if (s.value == 0) {
      for (long i = 0; i < s.count; ++i) s.hits.push_back(list[i]);
    }
    return s;
  }

  // Nearest hits and shadows of random rays, fast against the tree's walks;
  // the number of rays that hit something.
  int Compare(int rays, std::uint32_t seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> inside(-5.5, 5.5), outside(-30, 30), pick(0, 1);
    FragmentedSeq<CG_LightSourceBase*, long>& lamps = scene.GetLampSequence();
    int hits = 0;
    for (int k = 0; k < rays; ++k) {
      const Point3D origin = pick(gen) < 0.6 ? Point3D{inside(gen), inside(gen), inside(gen)}
                                             : Point3D{outside(gen), outside(gen), outside(gen)};
      const Ray ray = Ray::FromDirection(origin, RandomDirection(gen));
      CG_GraphicObjectQZData* tree = Nearest(ray, true);
      CG_GraphicObjectQZData* fast = Nearest(ray, false);
      EXPECT_EQ(fast, tree) << "ray " << k;
      if (fast != tree) return hits;
      // Shadows from the hit point, as the shading asks them, or from the origin.
      Point3D from = origin;
      if (tree != nullptr) {
        ++hits;
        from = ray.PointAt(tree->Record()->Value(0));
      }
      for (long l = 0; l < lamps.Size(); ++l) {
        for (bool opaqueStops : {false, true}) {
          const Shadow a = Shadows(from, *lamps[l], opaqueStops, true);
          const Shadow b = Shadows(from, *lamps[l], opaqueStops, false);
          EXPECT_EQ(b.value, a.value) << "ray " << k << " lamp " << l;
          EXPECT_EQ(b.hits, a.hits) << "ray " << k << " lamp " << l;
          if (a.value == 0) {
            EXPECT_EQ(b.count, a.count) << "ray " << k << " lamp " << l;
          }
        }
      }
    }
    return hits;
  }

  ~QueryComparison() { scene.ReleaseTraceData(); }

  RenderScene fixture;
  CG_GraphicScene& scene = fixture.scene;
};

class BvhQueries : public QueryComparison, public ::testing::TestWithParam<Method> {
protected:
  void Make(int n, std::uint32_t seed) {
    ASSERT_EQ(fixture.Load(RandomScene(n, seed)), 1);
    scene.GetParam()._general_optimiz = GetParam().optimiz;
    scene.GetParam().buildhier = GetParam().buildhier;
    scene.PrepareTraceData();
    scene.BuildGlobalHierarchy();
    ASSERT_NE(scene.GetHierarchyRoot(), nullptr);
    ASSERT_NE(scene.GetRayHierarchy(), nullptr);
  }
};

TEST_P(BvhQueries, AnswerAsTheTreeWalksOnRandomScenes) {
  for (const int n : {3, 40, 400}) {
    SCOPED_TRACE(n);
    Make(n, 1000 + n);
    ASSERT_NE(scene.GetRayHierarchy()->NearestBvh(), nullptr);
    ASSERT_NE(scene.GetRayHierarchy()->ShadowBvh(), nullptr);
    EXPECT_GT(Compare(n < 100 ? 1500 : 3000, 7 + n), 300);
  }
}

INSTANTIATE_TEST_SUITE_P(Methods, BvhQueries,
                         ::testing::Values(Method{"hier", 1}, Method{"fasthier", 1}, Method{"median", 1},
                                           Method{"hier", 2}, Method{"auto", 2}, Method{"median", 2}),
                         [](const auto& info) {
                           return std::string(info.param.optimiz) + "_" + std::to_string(info.param.buildhier);
                         });

// A tree as the builders never make one, but the cache reader may read: a
// root without a box, nodes without boxes, entries in inner nodes as well.
class HandMadeTree : public QueryComparison, public ::testing::Test {
protected:
  GlobalHierNode* Make(std::vector<CG_GraphicObjectQZData*> entries, int depth) {
    auto* node = new GlobalHierNode();
    std::uniform_real_distribution<double> unit(0, 1);
    const bool boxed = depth > 0 && unit(gen) < 0.9;
    if (boxed) {
      GEO_Box all{1e300, -1e300, 1e300, -1e300, 1e300, -1e300};
      for (CG_GraphicObjectQZData* entry : entries) {
        GEO_Box b;
        EXPECT_EQ(CG_GraphicObject::GetBox(entry->object, b), 1);
        all = {std::min(all.xmin, b.xmin), std::max(all.xmax, b.xmax), std::min(all.ymin, b.ymin),
               std::max(all.ymax, b.ymax), std::min(all.zmin, b.zmin), std::max(all.zmax, b.zmax)};
      }
      node->box = new BoundingBox(all);
    }
    std::vector<CG_GraphicObjectQZData*> here;
    if (entries.size() <= 3) {
      here = entries;
      entries.clear();
    } else {
      const std::size_t kept = depth == 0 ? 2 : static_cast<std::size_t>(unit(gen) * 3);
      here.assign(entries.begin(), entries.begin() + kept);
      entries.erase(entries.begin(), entries.begin() + kept);
    }
    node->elements.SetSize(static_cast<std::uint32_t>(here.size()));
    for (std::size_t i = 0; i < here.size(); ++i) node->elements[static_cast<std::uint32_t>(i)] = here[i];
    if (!entries.empty()) {
      const std::size_t cut = 1 + static_cast<std::size_t>(unit(gen) * static_cast<double>(entries.size() - 1));
      node->children.SetSize(2);
      node->children[0] = Make({entries.begin(), entries.begin() + cut}, depth + 1);
      node->children[1] = Make({entries.begin() + cut, entries.end()}, depth + 1);
    }
    return node;
  }

  std::mt19937 gen{31};
};

TEST_F(HandMadeTree, AnswersAsTheTreeWalks) {
  ASSERT_EQ(fixture.Load(RandomScene(200, 77)), 1);
  scene.PrepareTraceData();
  std::vector<CG_GraphicObjectQZData*> entries;
  for (CG_GraphicObjectQZData& entry : scene.GetTraceList()) entries.push_back(&entry);
  std::shuffle(entries.begin(), entries.end(), gen);
  scene.SetHierarchyRoot(GlobalHierarchyPtr(Make(entries, 0)));
  const RayHierarchy& tree = *scene.GetRayHierarchy();
  ASSERT_NE(tree.ShadowBvh(), nullptr);
  ASSERT_NE(tree.ShadowBvh(), tree.NearestBvh());
  EXPECT_FALSE(tree.Unboxed().empty());
  scene.GetParam().buildhier = 2;  // method 1 ends at a root without a box
  EXPECT_GT(Compare(3000, 3), 50);
}

// The image bytes of the scene rendered fast or by the tree's walks.
std::string RenderedBytes(const std::string& text, int threads, bool tree) {
  RenderScene f;
  EXPECT_EQ(f.Load(text), 1);
  f.scene.SetThreadCount(threads);
  TempDir dir;
  ScopedCwd cwd(dir.path());
  f.scene.SetName("img");
  ForceTreeWalks(tree);
  f.scene.Render();
  ForceTreeWalks(false);
  const std::filesystem::path image = dir.path() / "img.bmp";
  return std::filesystem::exists(image) ? ReadFile(image) : std::string();
}

TEST(BvhImages, AreTheTreeWalksImagesByteForByte) {
  const std::string scenes[] = {RandomScene(60, 5, 96, 72), RandomScene(300, 6, 96, 72)};
  for (const std::string& text : scenes) {
    for (const int threads : {1, 4}) {
      const std::string tree = RenderedBytes(text, threads, true);
      ASSERT_GT(tree.size(), 1000u);
      EXPECT_TRUE(RenderedBytes(text, threads, false) == tree) << threads << " threads";
    }
  }
}

}  // namespace
}  // namespace zavo::test
