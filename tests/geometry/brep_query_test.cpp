#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/brep_model3.h"
#include "geometry/hier_queue.h"
#include "mesh_fixtures.h"

namespace {

using zavo::test::MakeCube;
using zavo::test::MakeMesh;
using Hit = std::pair<int, double>;  // face, t

// The ways a mesh gets its hierarchy: none, and each build kind.
const struct Kind {
  const char* name;
  std::function<void(BRepModel3&)> build;
} kKinds[] = {
    {"none", [](BRepModel3& m) { m.FreeHierarchy(); }},
    {"level", [](BRepModel3& m) { m.BuildHierarchy(1.3, nullptr, nullptr); }},
    {"level, factor 1", [](BRepModel3& m) { m.BuildHierarchy(1.0, nullptr, nullptr); }},
    {"grid", [](BRepModel3& m) { m.BuildHierarchy2(1.3, 6, nullptr, nullptr); }},
    {"median", [](BRepModel3& m) { m.BuildHierarchy2Default(nullptr, nullptr); }},
};

const struct Query {
  const char* name;
  int (BRepModel3::*run)(const Ray&, BRepModel3::Hits&, double) const;
} kQueries[] = {
    {"Intersect", &BRepModel3::Intersect},
    {"IntersectFirst", &BRepModel3::IntersectFirst},
    {"IntersectBestFirst", &BRepModel3::IntersectBestFirst},
};

std::vector<Hit> RunQuery(const BRepModel3& mesh, const Query& q, const Ray& ray, double tmin) {
  BRepModel3::Hits out;
  const int n = (mesh.*q.run)(ray, out, tmin);
  EXPECT_GE(out.Size(), static_cast<unsigned int>(n));
  std::vector<Hit> hits;
  for (int i = 0; i < n; ++i) hits.emplace_back(out[static_cast<unsigned int>(i)].face, out[static_cast<unsigned int>(i)].t);
  return hits;
}

std::vector<Hit> BruteForce(const BRepModel3& mesh, const Ray& ray, double tmin) {
  std::vector<Hit> hits;
  for (std::uint32_t f = 0; f < mesh.faces.Count(); ++f) {
    double t = 0;
    Point3D n;
    if (mesh.faces[f].Intersect(ray, mesh.vertices, t, n, tmin)) hits.emplace_back(static_cast<int>(f), t);
  }
  return hits;
}

// Squares of side 2 around the z axis at the given heights (two at z = 3).
std::unique_ptr<BRepModel3> Stack() {
  std::vector<Point3D> p;
  std::vector<zavo::test::FaceSpec> faces;
  const double heights[] = {5, 1, 3, 3, 8, -2};
  const std::pair<double, double> corners[] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  for (int i = 0; i < 6; ++i) {
    for (const auto& [x, y] : corners) p.push_back({x, y, heights[i]});
    faces.push_back({{4 * i + 1, 4 * i + 2, 4 * i + 3, 4 * i + 4}});
  }
  return MakeMesh(p, faces);
}

TEST(MeshQueries, Cases) {
  zavo::test::TempDir dir;
  zavo::test::ScopedCwd cwd(dir.path());
  const Ray up = Ray::FromDirection({0.2, 0.1, 0}, {0, 0, 1});
  const struct {
    const char* what;
    std::function<std::unique_ptr<BRepModel3>()> mesh;
    Ray ray;
    double tmin;
    std::vector<Hit> all;      // Intersect without hierarchy, in face order
    std::vector<Hit> nearest;  // what every query must report (the nearest hits)
  } cases[] = {
      {"a stack of squares", Stack, up, 0.0, {{0, 5}, {1, 1}, {2, 3}, {3, 3}, {4, 8}}, {{1, 1}}},
      {"tmin excludes nearer faces", Stack, up, 2.0, {{0, 5}, {2, 3}, {3, 3}, {4, 8}}, {{2, 3}, {3, 3}}},
      {"tmin 0 excludes a face through the origin", Stack, Ray::FromDirection({0.2, 0.1, 1}, {0, 0, 1}), 0.0,
       {{0, 4}, {2, 2}, {3, 2}, {4, 7}}, {{2, 2}, {3, 2}}},
      {"a ray that misses every box", Stack, Ray::FromDirection({5, 5, 0}, {0, 0, 1}), 0.0, {}, {}},
      {"a ray away from the mesh", Stack, Ray::FromDirection({0, 0, 20}, {0, 0, 1}), 0.0, {}, {}},
      {"from inside a closed mesh", [] { return MakeCube(); }, Ray::FromDirection({0.5, 0.4, 0.3}, {1, 0, 0}), 0.0,
       {{4, 0.5}}, {{4, 0.5}}},
      {"through a closed mesh", [] { return MakeCube(); }, Ray::FromDirection({-1, 0.4, 0.3}, {1, 0, 0}), 0.0,
       {{4, 2}, {5, 1}}, {{5, 1}}},
  };
  for (const auto& c : cases) {
    auto mesh = c.mesh();
    for (const Kind& kind : kKinds) {
      kind.build(*mesh);
      for (const Query& q : kQueries) {
        SCOPED_TRACE(std::string(c.what) + ", " + kind.name + ", " + q.name);
        const std::vector<Hit> hits = RunQuery(*mesh, q, c.ray, c.tmin);
        if (mesh->hierarchy == nullptr || q.run == &BRepModel3::Intersect) {
          std::vector<Hit> sorted = hits;
          if (mesh->hierarchy != nullptr) std::sort(sorted.begin(), sorted.end());
          EXPECT_EQ(sorted, c.all);  // without hierarchy: in face order
        }
        for (const Hit& h : c.nearest) EXPECT_NE(std::find(hits.begin(), hits.end(), h), hits.end());
        if (!hits.empty()) {
          const double least = std::min_element(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
                                 return a.second < b.second;
                               })->second;
          EXPECT_EQ(least, c.nearest.front().second);
        }
        EXPECT_EQ(hits.empty(), c.nearest.empty());
      }
    }
  }
}

TEST(MeshQueries, AClosedMeshSeenFromInsideHasAnOddCount) {
  zavo::test::TempDir tmp;
  zavo::test::ScopedCwd cwd(tmp.path());
  auto cube = MakeCube(-1, 2);
  std::mt19937 gen(17);
  std::uniform_real_distribution<double> in(-0.9, 1.9), dir(-1, 1);
  for (const Kind& kind : kKinds) {
    kind.build(*cube);
    for (int i = 0; i < 50; ++i) {
      const Ray ray = Ray::FromDirection({in(gen), in(gen), in(gen)}, {dir(gen), dir(gen), dir(gen)});
      BRepModel3::Hits out;
      EXPECT_EQ(cube->Intersect(ray, out, 0.0) % 2, 1) << kind.name;
    }
  }
}

TEST(MeshQueries, OutputGrowsElevenBeyondTheRecordWritten) {
  auto mesh = Stack();
  const Ray up = Ray::FromDirection({0.2, 0.1, -10}, {0, 0, 1});
  BRepModel3::Hits out;
  EXPECT_EQ(mesh->Intersect(up, out, 0.0), 6);
  EXPECT_EQ(out.Size(), 11u);
  BRepModel3::Hits big;
  big.SetSize(3);
  EXPECT_EQ(mesh->Intersect(up, big, 0.0), 6);
  EXPECT_EQ(big.Size(), 14u);  // grown at record 3 to 3 + 11
  BRepModel3::Hits stays;
  stays.SetSize(50);
  EXPECT_EQ(mesh->IntersectBestFirst(up, stays, 0.0), 6);
  EXPECT_EQ(stays.Size(), 50u);
  // A later query with fewer hits leaves the records beyond its count.
  EXPECT_EQ(mesh->Intersect(Ray::FromDirection({0.2, 0.1, 6}, {0, 0, 1}), out, 0.0), 1);
  EXPECT_EQ(out.Size(), 11u);
  EXPECT_EQ(out[0].face, 4);
}

TEST(MeshQueries, DepthFirstReportsEveryHitOfTheLeavesItOpens) {
  // One leaf of four faces (the median build): all its hits are reported.
  auto mesh = MakeCube();
  mesh->BuildHierarchy2Default(nullptr, nullptr);
  ASSERT_EQ(mesh->hierarchy->children.Count(), 2u);
  const Ray ray = Ray::FromDirection({-1, 0.4, 0.3}, {1, 0, 0});
  EXPECT_EQ(RunQuery(*mesh, kQueries[1], ray, 0.0).size(), 2u);
}

// Random triangle meshes: whatever the hierarchy, Intersect finds exactly
// the faces a test of every face finds, and the two nearest-hit queries
// report the nearest of them.
TEST(MeshQueries, AgreeWithTestingEveryFace) {
  zavo::test::TempDir dir;
  zavo::test::ScopedCwd cwd(dir.path());
  int nearestSeen = 0;
  for (unsigned seed : {1u, 2u, 3u}) {
    auto mesh = zavo::test::RandomTriangles(250, seed, 10.0, seed == 3 ? 4.0 : 1.0);
    std::mt19937 gen(seed * 77);
    std::uniform_real_distribution<double> pos(-3, 13), dir(-1, 1), aim(2, 8);
    std::vector<std::pair<Ray, double>> rays;
    for (int i = 0; i < 150; ++i) {
      const Point3D o{pos(gen), pos(gen), pos(gen)};
      // Half the rays aim at the middle of the cloud, half anywhere.
      const Point3D d = i % 2 ? Point3D{dir(gen), dir(gen), dir(gen)} : Point3D{aim(gen), aim(gen), aim(gen)} - o;
      rays.emplace_back(Ray::FromDirection(o, d), i % 3 == 0 ? 0.5 : 0.0);
    }
    for (const Kind& kind : kKinds) {
      kind.build(*mesh);
      for (const auto& [ray, tmin] : rays) {
        std::vector<Hit> brute = BruteForce(*mesh, ray, tmin);
        std::vector<Hit> all = RunQuery(*mesh, kQueries[0], ray, tmin);
        std::sort(all.begin(), all.end());
        ASSERT_EQ(all, brute) << kind.name;
        if (brute.empty()) {
          EXPECT_TRUE(RunQuery(*mesh, kQueries[1], ray, tmin).empty());
          EXPECT_TRUE(RunQuery(*mesh, kQueries[2], ray, tmin).empty());
          continue;
        }
        ++nearestSeen;
        const Hit nearest = *std::min_element(brute.begin(), brute.end(), [](const Hit& a, const Hit& b) {
          return a.second < b.second;
        });
        for (const Query* q : {&kQueries[1], &kQueries[2]}) {
          const std::vector<Hit> hits = RunQuery(*mesh, *q, ray, tmin);
          EXPECT_NE(std::find(hits.begin(), hits.end(), nearest), hits.end()) << kind.name << " " << q->name;
          for (const Hit& h : hits) {
            EXPECT_NE(std::find(brute.begin(), brute.end(), h), brute.end());  // only true hits
          }
        }
      }
    }
  }
  EXPECT_GT(nearestSeen, 300);
}

// The first queries after a build run on several threads at once (as the
// rows of an image do), and after a rebuild with another tree: every thread
// gets the answers one thread alone gets.
TEST(MeshQueries, ThreadsQueryingAFreshTreeAgree) {
  auto mesh = zavo::test::RandomTriangles(300, 5u, 10.0, 1.0);
  std::vector<Ray> rays;
  std::mt19937 gen(11);
  std::uniform_real_distribution<double> pos(-3, 13), aim(2, 8);
  for (int i = 0; i < 60; ++i) {
    const Point3D o{pos(gen), pos(gen), pos(gen)};
    rays.push_back(Ray::FromDirection(o, Point3D{aim(gen), aim(gen), aim(gen)} - o));
  }
  for (const Kind* kind : {&kKinds[1], &kKinds[4], &kKinds[3]}) {
    kind->build(*mesh);
    std::vector<std::vector<std::vector<Hit>>> seen(4);
    std::vector<std::thread> threads;
    for (auto& mine : seen) {
      threads.emplace_back([&mesh, &rays, &mine] {
        for (const Ray& ray : rays) {
          for (const Query& q : kQueries) mine.push_back(RunQuery(*mesh, q, ray, 0.0));
        }
      });
    }
    for (std::thread& t : threads) t.join();
    std::vector<std::vector<Hit>> alone;
    for (const Ray& ray : rays) {
      for (const Query& q : kQueries) alone.push_back(RunQuery(*mesh, q, ray, 0.0));
    }
    for (const auto& mine : seen) EXPECT_EQ(mine, alone) << kind->name;
    for (std::size_t r = 0; r < rays.size(); ++r) {
      std::vector<Hit> all = alone[3 * r];
      std::sort(all.begin(), all.end());
      ASSERT_EQ(all, BruteForce(*mesh, rays[r], 0.0)) << kind->name;
    }
  }
}

TEST(MeshQueries, BestFirstQueueOrder) {
  FragmentedSeq<BoxIntr2, int> records;
  zavo::HierQueue queue(records);
  EXPECT_EQ(records.Size(), 100);
  auto rec = [](double e) {
    BoxIntr2 r;
    r.entryDistance = e;
    return r;
  };
  // A former query left records of large distances behind.
  queue.Start(rec(0));
  for (double e : {10.0, 20.0, 30.0}) queue.Insert(rec(e));
  EXPECT_EQ(queue.End(), 4);

  queue.Start(rec(0));
  queue.Take();
  // Empty queue: the record goes to the end, not before the stale record at head.
  queue.Insert(rec(5));
  EXPECT_EQ(queue.Head(), 1);
  EXPECT_EQ(queue.End(), 2);
  queue.Insert(rec(2));  // nearer than the head record, room before it
  EXPECT_EQ(queue.Head(), 0);
  queue.Insert(rec(5));  // after the equal one
  queue.Insert(rec(3));
  queue.Insert(rec(9));
  std::vector<double> order;
  while (!queue.Empty()) order.push_back(queue.Take().entryDistance);
  EXPECT_EQ(order, (std::vector<double>{2, 3, 5, 5, 9}));

  // It grows by 100 records as it fills.
  queue.Start(rec(0));
  for (int i = 0; i < 150; ++i) queue.Insert(rec(150 - i));
  EXPECT_EQ(records.Size(), 200);
  EXPECT_EQ(queue.Record(queue.Head()).entryDistance, 0);
  EXPECT_EQ(queue.Record(queue.End() - 1).entryDistance, 150);
}

}  // namespace

namespace {

// The any-hit walk of the shadow rays answers as the nearest hit of the
// best-first query does, for limits at, just beyond and far from that hit.
TEST(MeshQueries, HitBeforeAnswersAsTheNearestHit) {
  zavo::test::TempDir tmp;
  zavo::test::ScopedCwd cwd(tmp.path());
  auto mesh = zavo::test::RandomTriangles(400, 11, 10.0, 0.8);
  std::mt19937 gen(23);
  std::uniform_real_distribution<double> at(-2, 12), dir(-1, 1);
  int hitRays = 0;
  for (const Kind& kind : kKinds) {
    kind.build(*mesh);
    for (int i = 0; i < 300; ++i) {
      const Ray ray = Ray::FromDirection({at(gen), at(gen), at(gen)}, {dir(gen), dir(gen), dir(gen)});
      const double tmin = i % 3 == 0 ? 1e-9 : 0.5;
      BRepModel3::Hits out;
      const int n = mesh->IntersectBestFirst(ray, out, tmin);
      double nearest = std::numeric_limits<double>::infinity();
      for (int k = 0; k < n; ++k) nearest = std::min(nearest, out[static_cast<unsigned int>(k)].t);
      if (n > 0) ++hitRays;
      for (double limit : {nearest, std::nextafter(nearest, 1e300), nearest * 0.5, nearest * 2.0, 1e300}) {
        ASSERT_EQ(mesh->HitBefore(ray, tmin, limit), nearest < limit) << kind.name << " ray " << i << " limit " << limit;
      }
    }
  }
  EXPECT_GT(hitRays, 100);
}

}  // namespace
