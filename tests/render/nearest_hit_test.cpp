// The camera geometry and the nearest-hit search over the trace list and the
// three walks of the global hierarchy.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "geometry/bounding_object.h"
#include "render/render_fixtures.h"

namespace zavo::test {
namespace {

// A hand-made tree over fake objects: every ray runs from the origin along +z
// and meets each object at its fixed parameter.
class NearestHit : public ::testing::Test {
protected:
  NearestHit() : fixture_(), scene_(fixture_.scene) {}

  // A fake object hit at t with an entry of the trace list.
  CG_GraphicObjectQZData* Entry(const char* name, double t) {
    objects_.push_back(std::make_unique<FakeObject>(name, std::vector<double>{t}));
    FakeObject& object = *objects_.back();
    auto* entry = new CG_GraphicObjectQZData(&object, 0, object.NewIntrInfo(), &object);
    scene_.GetTraceList().Append(entry);
    return entry;
  }
  FakeObject& Object(CG_GraphicObjectQZData* entry) { return static_cast<FakeObject&>(*entry->object); }

  static GlobalHierNode* Node(double zmin, double zmax) {
    auto* node = new GlobalHierNode();
    node->box = new BoundingBox(GEO_Box{-1, 1, -1, 1, zmin, zmax});
    return node;
  }
  static GlobalHierNode* Leaf(double zmin, double zmax, std::vector<CG_GraphicObjectQZData*> entries) {
    GlobalHierNode* node = Node(zmin, zmax);
    node->elements.SetSize(static_cast<std::uint32_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) node->elements[static_cast<std::uint32_t>(i)] = entries[i];
    return node;
  }
  static GlobalHierNode* Inner(double zmin, double zmax, std::vector<GlobalHierNode*> children) {
    GlobalHierNode* node = Node(zmin, zmax);
    node->children.SetSize(static_cast<std::uint32_t>(children.size()));
    for (std::size_t i = 0; i < children.size(); ++i) node->children[static_cast<std::uint32_t>(i)] = children[i];
    return node;
  }
  void Tree(GlobalHierNode* root, std::vector<CG_GraphicObjectQZData*> unbounded = {}) {
    scene_.SetHierarchyRoot(GlobalHierarchyPtr(root));
    for (CG_GraphicObjectQZData* entry : unbounded) scene_.GetUnboundedObjects().Append(new GObjectRef(entry));
  }

  CG_GraphicObjectQZData* Search(int buildhier, const Point3D& origin = {0, 0, 0}) {
    scene_.GetParam().buildhier = buildhier;
    return scene_.FirstIntersection(Ray::FromDirection(origin, {0, 0, 1}));
  }

  ~NearestHit() override { scene_.ReleaseTraceData(); }

  RenderScene fixture_;
  CG_GraphicScene& scene_;
  std::vector<std::unique_ptr<FakeObject>> objects_;
};

TEST_F(NearestHit, TheListTakesTheStrictlyNearestAndTheEarlierOnATie) {
  Entry("far", 7);
  CG_GraphicObjectQZData* first = Entry("first", 5);
  Entry("second", 5);
  Entry("miss", 1);
  objects_.back()->hits.clear();
  EXPECT_EQ(Search(0), first);
  // Every entry was intersected once.
  for (const auto& object : objects_) EXPECT_EQ(object->intersectCalls, 1) << object->name;
  // A tree is not used in list mode.
  CG_GraphicObjectQZData* near = Entry("near", 2);
  Tree(Inner(0, 10, {Leaf(9, 10, {first})}));
  EXPECT_EQ(Search(0), near);
}

TEST_F(NearestHit, TreeWalksAgreeWithTheListAndKeepArrayOrderOnTies) {
  struct Case {
    const char* what;
    int buildhier;
  } cases[] = {{"best first", 1}, {"ordered", 2}, {"depth first", 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    objects_.clear();
    scene_.ReleaseTraceData();
    // Two leaves with equal boxes, the tie in the first and across them.
    CG_GraphicObjectQZData* a = Entry("a", 5);
    CG_GraphicObjectQZData* b = Entry("b", 5);
    CG_GraphicObjectQZData* c2 = Entry("c", 5);
    CG_GraphicObjectQZData* near = Entry("near", 3);
    Tree(Inner(0, 10, {Leaf(4, 6, {a, b}), Leaf(4, 6, {c2})}));
    EXPECT_EQ(Search(c.buildhier), a);
    for (const auto& object : objects_) EXPECT_LE(object->intersectCalls, 1) << object->name;

    // A nearer object in a later leaf wins.
    scene_.FreeGlobalHierarchy();
    Tree(Inner(0, 10, {Leaf(4, 6, {a, b}), Leaf(2, 4, {near})}));
    EXPECT_EQ(Search(c.buildhier), near);

    // A ray that starts inside the root box still walks the tree.
    EXPECT_EQ(Search(c.buildhier, {0, 0, 1}), near);

    // An unbounded entry is searched first and wins ties.
    scene_.FreeGlobalHierarchy();
    CG_GraphicObjectQZData* loose = Entry("loose", 3);
    Tree(Inner(0, 10, {Leaf(4, 6, {a}), Leaf(2, 4, {near})}), {loose});
    EXPECT_EQ(Search(c.buildhier), loose);
  }
}

TEST_F(NearestHit, BestFirstAndOrderedWalksPruneNodesBeyondTheHit) {
  for (int buildhier : {1, 2, 3}) {
    SCOPED_TRACE(buildhier);
    objects_.clear();
    scene_.ReleaseTraceData();
    CG_GraphicObjectQZData* far = Entry("far", 5.5);
    CG_GraphicObjectQZData* near = Entry("near", 1.5);
    // The far leaf comes first in the array; its box starts beyond the hit.
    Tree(Inner(0, 10, {Leaf(5, 6, {far}), Leaf(1, 2, {near})}));
    EXPECT_EQ(Search(buildhier), near);
    EXPECT_EQ(Object(far).intersectCalls, buildhier == 3 ? 1 : 0);
  }
}

TEST_F(NearestHit, OtherModesFindOnlyTheUnboundedEntries) {
  CG_GraphicObjectQZData* inTree = Entry("tree", 1);
  CG_GraphicObjectQZData* loose = Entry("loose", 5);
  Tree(Inner(0, 10, {Leaf(0, 2, {inTree})}), {loose});
  EXPECT_EQ(Search(4), loose);
  EXPECT_EQ(Object(inTree).intersectCalls, 0);
  EXPECT_EQ(Search(1), inTree);
  // No crossing of the root box: nothing in the tree is searched.
  EXPECT_EQ(Search(1, {5, 5, 0}), loose);
}

TEST_F(NearestHit, EyePointAndPixelPositions) {
  CG_ViewReference& view = scene_.GetViewReference();
  view.vrp = {0, 0, 0};
  view.vpn = {0, 0, 2};
  view.vup = {0, 3, 0};
  view.prp = {0, 0, 10};
  view.umin = -1;
  view.umax = 1;
  view.vmin = -1;
  view.vmax = 1;
  scene_.GetParam().dimx = 21;
  scene_.GetParam().dimy = 21;
  const Point3D eye = scene_.EyePoint();
  EXPECT_EQ(eye, (Point3D{0, 0, 10}));
  const Point3D centre = scene_.PixelRay(0.5, 0.5);
  EXPECT_DOUBLE_EQ(centre.y, 1 - (1 - -1) * 0.5 / 21);
  EXPECT_DOUBLE_EQ(centre.x, -1 + 2.0 / 21 * 0.5);
  EXPECT_EQ(scene_.PixelRay(0, 21), (Point3D{-1, -1, 0}));
  // u runs along vup x vpn, v along vpn x u.
  view.vpn = {1, 0, 0};
  view.prp = {0, 0, 2};
  EXPECT_EQ(scene_.EyePoint(), (Point3D{2, 0, 0}));
  const Point3D topLeft = scene_.PixelRay(0, 0);
  EXPECT_DOUBLE_EQ(topLeft.y, 1);
  EXPECT_DOUBLE_EQ(topLeft.z, 1);  // u = -1 along (0, 0, -1)
}

}  // namespace
}  // namespace zavo::test
