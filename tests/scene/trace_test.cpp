#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "geometry/bounding_object.h"
#include "scene/fakes.h"
#include "scene/scene.h"

namespace {

using zavo::test::FakeCamera;
using zavo::test::FakeContainer;
using zavo::test::FakeLamp;
using zavo::test::FakeLightObject;
using zavo::test::FakeObject;
using zavo::test::ScopedStandInBox;

std::vector<std::string> TracedNames(CG_GraphicScene& scene) {
  std::vector<std::string> names;
  for (CG_GraphicObjectQZData& e : scene.GetTraceList()) names.emplace_back(e.object->name.Text());
  return names;
}

TEST(PrepareTraceData, LampsThenLightObjectsAndTracedObjectsWithoutLampsAndCameras) {
  CG_ModelRegistry registry;
  CG_GraphicScene scene(registry);
  scene.AddLight(std::make_unique<FakeLamp>("l1", Point3D{}, Point3D{}));
  scene.AddObject(std::make_unique<FakeObject>("a"));
  scene.AddObject(std::make_unique<FakeLightObject>("glow", Point3D{}, Point3D{}));
  scene.AddObject(std::make_unique<FakeCamera>(*zavo::test::MakeCommData("cam"), CG_ViewReference(), nullptr));
  scene.AddObject(std::make_unique<FakeObject>("b"));
  scene.AddLight(std::make_unique<FakeLamp>("l2", Point3D{}, Point3D{}));

  scene.PrepareTraceData();

  const auto& lamps = scene.GetLampSequence();
  ASSERT_EQ(lamps.Size(), 3);
  EXPECT_EQ(lamps[0], static_cast<CG_LightSourceBase*>(scene.FindLight("l1")));
  EXPECT_EQ(lamps[1], static_cast<CG_LightSourceBase*>(scene.FindLight("l2")));
  EXPECT_EQ(lamps[2], static_cast<CG_LightSourceBase*>(scene.FindObject("glow")));
  EXPECT_EQ(TracedNames(scene), (std::vector<std::string>{"a", "b"}));
  for (CG_GraphicObjectQZData& e : scene.GetTraceList()) {
    EXPECT_EQ(e.owned, 0);
    EXPECT_EQ(e.object, scene.FindObject(e.object->name));
    EXPECT_NE(dynamic_cast<zavo::test::FakeIntrInfo*>(e.record.get()), nullptr);
  }
}

TEST(PrepareTraceData, DeclassedPartsBecomeOwningEntriesAndARepeatLeaksNothing) {
  const int alive = FakeObject::alive;
  {
    CG_ModelRegistry registry;
    CG_GraphicScene scene(registry);
    auto container = std::make_unique<FakeContainer>("parts");
    for (const char* n : {"p1", "p2", "p3"}) container->Add(std::make_unique<FakeObject>(n));
    scene.AddObject(std::move(container));
    scene.AddObject(std::make_unique<FakeObject>("solid"));
    EXPECT_EQ(FakeObject::alive, alive + 4);

    for (int round = 0; round < 2; ++round) {
      SCOPED_TRACE(round);
      scene.PrepareTraceData();
      EXPECT_EQ(TracedNames(scene), (std::vector<std::string>{"p1", "p2", "p3", "solid"}));
      int owned = 0;
      for (CG_GraphicObjectQZData& e : scene.GetTraceList()) owned += e.owned;
      EXPECT_EQ(owned, 3);
      // The three copies live in the entries only; the old ones are gone.
      EXPECT_EQ(FakeObject::alive, alive + 7);
      // Every entry can be traced.
      for (CG_GraphicObjectQZData& e : scene.GetTraceList()) {
        EXPECT_EQ(e.object->IntersectAny(Ray::FromPoints({}, {0, 0, 1}), *e.record), 0);
      }
    }
  }
  EXPECT_EQ(FakeObject::alive, alive);
}

TEST(PrepareTraceData, AnUntraceableObjectStandsInAsItsBoundingBox) {
  ScopedStandInBox standIn;
  CG_ModelRegistry registry;
  CG_GraphicScene scene(registry);
  auto boxed = std::make_unique<FakeObject>("boxed");
  boxed->traceable = 0;
  boxed->WithBound(GEO_Box{0, 1, 0, 1, 0, 1});
  scene.AddObject(std::move(boxed));
  auto unbounded = std::make_unique<FakeObject>("unbounded");
  unbounded->traceable = 0;
  scene.AddObject(std::move(unbounded));

  scene.PrepareTraceData();
  ASSERT_EQ(TracedNames(scene), (std::vector<std::string>{"boxed"}));
  CG_GraphicObjectQZData& entry = *scene.GetTraceList().First();
  EXPECT_EQ(entry.owned, 1);
  ASSERT_NE(dynamic_cast<zavo::test::FakeBox*>(entry.object), nullptr);
  EXPECT_NE(entry.object, scene.FindObject("boxed"));
}

TEST(PrepareTraceData, DropsTheHierarchyOfTheEntriesItReplaces) {
  CG_ModelRegistry registry;
  CG_GraphicScene scene(registry);
  scene.AddObject(std::make_unique<FakeObject>("a"));
  scene.PrepareTraceData();
  zavo::GlobalHierarchyPtr root(new zavo::GlobalHierNode());
  root->box = new BoundingBox(GEO_Box{0, 1, 0, 1, 0, 1});
  root->elements.SetSize(1);
  root->elements[0] = scene.GetTraceList().First();
  scene.SetHierarchyRoot(std::move(root));
  scene.GetUnboundedObjects().Append(new GObjectRef(scene.GetTraceList().First()));
  scene.PrepareTraceData();
  EXPECT_EQ(scene.GetHierarchyRoot(), nullptr);
  EXPECT_TRUE(scene.GetUnboundedObjects().IsEmpty());
  EXPECT_EQ(TracedNames(scene), (std::vector<std::string>{"a"}));
}

// One scene of the shadow search: the point at the origin, a lamp at (0, 0, 5).
struct Blocker {
  std::vector<double> hits;
  double Kt;
};

struct ShadowCase {
  const char* label;
  std::vector<Blocker> objects;
  int expected;
  long count;
  std::vector<int> tested;   // which objects were intersected
  std::vector<int> listed;   // the hit list, by object index
};

class ShadowSearch : public ::testing::Test {
protected:
  ShadowSearch() : scene(registry), lamp("lamp", {0, 0, 5}, {1, 1, 1}) {}

  void Build(const std::vector<Blocker>& blockers) {
    for (std::size_t i = 0; i < blockers.size(); ++i) {
      auto object = std::make_unique<FakeObject>(("o" + std::to_string(i)).c_str(), blockers[i].hits);
      object->hitMaterial.Kt = blockers[i].Kt;
      object->hitMaterial.Od = {0.1 * static_cast<double>(i), 0, 0};
      objects.push_back(object.get());
      scene.AddObject(std::move(object));
    }
    scene.PrepareTraceData();
  }

  // Accepts a hit whose material is opaque.
  int Search() {
    stopCalls = 0;
    return scene.ShadowIntersections({0, 0, 0}, lamp, ray, hits, count,
                                     [this](const zavo::SceneHitRecord& hit) {
                                       ++stopCalls;
                                       return hit.material->Kt == 0 ? 1 : 0;
                                     });
  }

  int IndexOf(const CG_GraphicObjectQZData* entry) const {
    for (std::size_t i = 0; i < objects.size(); ++i) {
      if (objects[i] == entry->object) return static_cast<int>(i);
    }
    return -1;
  }

  CG_ModelRegistry registry;
  CG_GraphicScene scene;
  FakeLamp lamp;
  std::vector<FakeObject*> objects;
  Ray ray;
  zavo::ShadowHitList hits;
  long count = -1;
  int stopCalls = 0;
};

TEST_F(ShadowSearch, TraceListWalk) {
  const std::vector<ShadowCase> cases = {
      {"no objects", {}, 0, 0, {}, {}},
      {"a blocker behind the lamp", {{{7}, 0}}, 0, 0, {0}, {}},
      {"a hit exactly at the lamp", {{{5}, 0}}, 0, 0, {0}, {}},
      {"no hit", {{{}, 0}, {{2}, 0.5}}, 0, 1, {0, 1}, {1}},
      {"an opaque hit stops at once", {{{2}, 0}, {{1}, 0}}, 1, 1, {0}, {0}},
      {"list order; the first opaque hit nearer than the lamp stops",
       {{{4.5, 9}, 0.5}, {{6}, 0}, {{3}, 0}, {{1}, 0}}, 1, 2, {0, 1, 2}, {0, 2}},
      {"transparent hits are all listed", {{{1}, 0.5}, {{2}, 0.3}}, 0, 2, {0, 1}, {0, 1}},
  };
  for (const ShadowCase& c : cases) {
    SCOPED_TRACE(c.label);
    scene.Clear();
    objects.clear();
    scene.GetParam().buildhier = 0;
    Build(c.objects);
    EXPECT_EQ(Search(), c.expected);
    EXPECT_EQ(count, c.count);
    ASSERT_EQ(hits.Size(), count);
    std::vector<int> listed;
    for (long i = 0; i < hits.Size(); ++i) listed.push_back(IndexOf(hits[i]));
    EXPECT_EQ(listed, c.listed);
    std::vector<int> tested;
    for (std::size_t i = 0; i < objects.size(); ++i) {
      if (objects[i]->intersectCalls > 0) tested.push_back(static_cast<int>(i));
    }
    EXPECT_EQ(tested, c.tested);
    EXPECT_EQ(stopCalls, c.count);
    // The ray goes from the point toward the lamp.
    EXPECT_EQ(ray.origin, (Point3D{0, 0, 0}));
    EXPECT_EQ(ray.direction, (Point3D{0, 0, 1}));
  }
}

TEST_F(ShadowSearch, FillsTheScenesHitRecordFromTheHitObject) {
  scene.GetParam().buildhier = 0;
  Build({{{2}, 0.5}, {{3}, 0}});
  objects[0]->hitMaterial.Od = {1, 0, 0};
  objects[1]->hitMaterial.Od = {0, 0, 1};
  std::vector<Point3D> seen;
  ASSERT_EQ(scene.ShadowIntersections({0, 0, 0}, lamp, ray, hits, count,
                                      [&](const zavo::SceneHitRecord& hit) {
                                        seen.push_back(hit.point);
                                        seen.push_back(hit.material->GetColour());
                                        return 0;
                                      }),
            0);
  EXPECT_EQ(seen, (std::vector<Point3D>{{0, 0, 2}, {1, 0, 0}, {0, 0, 3}, {0, 0, 1}}));
  EXPECT_EQ(scene.GetHitRecord().normal, (Point3D{0, 0, -1}));
  EXPECT_EQ(objects[0]->hitDetailsCalls, 1);
}

TEST_F(ShadowSearch, HierarchyWalkSkipsNodesTheRayMisses) {
  // Objects: 0 unbounded, 1 in a leaf on the ray, 2 in a leaf beside it, 3 only
  // in the trace list.
  Build({{{1}, 0.5}, {{2}, 0.5}, {{3}, 0}, {{4}, 0}});
  std::vector<CG_GraphicObjectQZData*> entries;
  for (CG_GraphicObjectQZData& e : scene.GetTraceList()) entries.push_back(&e);

  auto leaf = [](const GEO_Box& box, CG_GraphicObjectQZData* entry) {
    auto* node = new zavo::GlobalHierNode();
    node->box = new BoundingBox(box);
    node->elements.SetSize(1);
    node->elements[0] = entry;
    return node;
  };
  zavo::GlobalHierarchyPtr root(new zavo::GlobalHierNode());
  root->box = new BoundingBox(GEO_Box{-10, 10, -10, 10, -10, 10});
  root->children.SetSize(2);
  root->children[0] = leaf(GEO_Box{5, 6, 5, 6, 0, 4}, entries[2]);   // beside the ray
  root->children[1] = leaf(GEO_Box{-1, 1, -1, 1, 1, 3}, entries[1]);  // on the ray
  scene.SetHierarchyRoot(std::move(root));
  scene.GetUnboundedObjects().Append(new GObjectRef(entries[0]));
  scene.GetParam().buildhier = 1;

  EXPECT_EQ(Search(), 0);
  EXPECT_EQ(count, 2);
  ASSERT_EQ(hits.Size(), 2);
  EXPECT_EQ(IndexOf(hits[0]), 0);
  EXPECT_EQ(IndexOf(hits[1]), 1);
  EXPECT_EQ(objects[2]->intersectCalls, 0);
  EXPECT_EQ(objects[3]->intersectCalls, 0);

  // With "buildhier" 0 the same scene walks the trace list.
  scene.GetParam().buildhier = 0;
  EXPECT_EQ(Search(), 1);
  EXPECT_EQ(objects[2]->intersectCalls, 1);
}

TEST_F(ShadowSearch, WithoutAHierarchyTheTraceListIsWalked) {
  Build({{{1}, 0.5}, {{2}, 0}});
  scene.GetParam().buildhier = 2;
  ASSERT_EQ(scene.GetHierarchyRoot(), nullptr);
  EXPECT_EQ(Search(), 1);
  EXPECT_EQ(count, 2);
}

}  // namespace
