#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/seq.h"
#include "geometry/face3.h"
#include "geometry/geo_interface.h"
#include "geometry/hier_builder.h"
#include "geometry/hier_builder2.h"
#include "geometry/hier_reporting.h"
#include "geometry/selection_order.h"
#include "geometry/seqf.h"

namespace {

using Node = HierNode<int, GEO_Box>;

// Faces with chosen boxes: each face is a contour through two opposite
// corners of its box.
struct FaceSet {
  Seq<Point3D> vertices;
  Seq<Face3> faces;

  explicit FaceSet(const std::vector<GEO_Box>& boxes) {
    const auto n = static_cast<std::uint32_t>(boxes.size());
    vertices.SetSize(2 * n);
    faces.SetSize(n);
    for (std::uint32_t i = 0; i < n; ++i) {
      const GEO_Box& b = boxes[i];
      vertices[2 * i] = {b.xmin, b.ymin, b.zmin};
      vertices[2 * i + 1] = {b.xmax, b.ymax, b.zmax};
      auto* c = new ContourFace3;
      c->vertices.SetSize(3);
      c->vertices[0] = static_cast<int>(2 * i + 1);
      c->vertices[1] = static_cast<int>(2 * i + 2);
      c->vertices[2] = -static_cast<int>(2 * i + 1);
      faces[i].contours.Append(c);
    }
  }
};

GEO_Box Cube(double lo, double hi) { return {lo, hi, lo, hi, lo, hi}; }
GEO_Box Slab(double x0, double x1) { return {x0, x1, 0, 1, 0, 1}; }

// Boxes flat on z, scattered in the plane z = 0.
std::vector<GEO_Box> FlatBoxes(int n) {
  std::vector<GEO_Box> boxes;
  for (int i = 0; i < n; ++i) {
    const double x = (n - i) * 3.0 * ((i % 2) != 0 ? -1 : 1);
    boxes.push_back({x, x + 1, 0, 2.0 + i, 0, 0});
  }
  return boxes;
}

// "(ids)" for a leaf, "[children]" for an interior node.
std::string Shape(const Node* node) {
  std::string s;
  if (node->children.Count() == 0) {
    s = "(";
    for (std::uint32_t i = 0; i < node->elements.Count(); ++i) {
      if (i > 0) s += " ";
      s += std::to_string(node->elements[i]);
    }
    return s + ")";
  }
  s = "[";
  for (std::uint32_t i = 0; i < node->children.Count(); ++i) {
    if (i > 0) s += " ";
    s += Shape(node->children[i]);
  }
  return s + "]";
}

int MaxMembers(const Node* node) {
  int m = static_cast<int>(std::max(node->children.Count(), node->elements.Count()));
  for (std::uint32_t i = 0; i < node->children.Count(); ++i) m = std::max(m, MaxMembers(node->children[i]));
  return m;
}

class Recorder : public GeoInterface {
public:
  std::vector<std::string> texts;
  void Status(const char* text) override { texts.emplace_back(text); }
  void Message(const char* text) override { texts.emplace_back(std::string("message ") + text); }
  std::int32_t UserBreak() override { return 0; }
};

std::vector<GEO_Box> RandomBoxes(int n, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> pos(0, 10), size(0.1, 1.5);
  std::vector<GEO_Box> boxes;
  for (int i = 0; i < n; ++i) {
    const double x = pos(gen), y = pos(gen), z = pos(gen);
    boxes.push_back({x, x + size(gen), y, y + size(gen), z, z + size(gen)});
  }
  return boxes;
}

TEST(BoxHierBuilder, LevelBuilds) {
  const struct {
    const char* what;
    std::vector<GEO_Box> boxes;
    double factor;
    const char* shape;
  } cases[] = {
      {"one face", {Cube(0, 1)}, 1.3, "(0)"},
      {"two faces", {Cube(0, 1), Cube(5, 6)}, 1.3, "(0 1)"},
      {"flat, even", FlatBoxes(4), 1.3, "[(0 1) (2 3)]"},
      {"flat, odd last face", FlatBoxes(5), 1.3, "[[(0 1) (2 3)] [(4)]]"},
      {"flat, seven", FlatBoxes(7), 5.0, "[[(0 1) (2 3)] [(4 5) (6)]]"},
      {"equal boxes, factor 1.3", {Cube(0, 1), Cube(0, 1), Cube(0, 1)}, 1.3, "(0 1 2)"},
      {"equal boxes, factor 1", {Cube(0, 1), Cube(0, 1), Cube(0, 1)}, 1.0, "[(0 1) (2)]"},
      {"least union volume, not the next", {Cube(0, 1), Cube(5, 6), Slab(1, 2), Cube(6, 7)}, 1.0,
       "[(0 2) (1 3)]"},
      {"equal union volumes keep the earlier", {Cube(0, 1), Slab(1, 2), Slab(-1, 0)}, 1.0, "[(0 1) (2)]"},
      {"joiner listed after the partner",
       {Cube(0, 1), {0, 1, 0, 1, 0, 1.5}, {0, 1, 0, 1, 0, 1.2}},
       1.3,
       "(0 2 1)"},
      {"joiners against the pair box",
       {Cube(0, 1), Slab(1, 2), {0, 2, 0, 1, 1, 2}, {0, 2, 1, 2, 0, 1}},
       3.0,
       "(0 1 2 3)"},
      {"a union of exactly factor times V stays out", {Cube(0, 1), Slab(1, 2), Slab(2, 4)}, 2.0,
       "[(0 1) (2)]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FaceSet set(c.boxes);
    Seqf seqf(set.faces, set.vertices);
    BoxHierBuilder<int, Seqf> builder(&seqf);
    Node* root = builder.Build(c.factor);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Shape(root), c.shape);
    EXPECT_EQ(root->next, nullptr);
    builder.Free(root);
  }
}

TEST(BoxHierBuilder, NodesLinkTheirLevelAndHoldTheUnionBox) {
  FaceSet set({Cube(0, 1), Slab(1, 2), Cube(5, 6), {5, 6, 0, 1, 5, 6}, Cube(9, 10)});
  Seqf seqf(set.faces, set.vertices);
  BoxHierBuilder<int, Seqf> builder(&seqf);
  Node* root = builder.Build(1.0);
  // Level 0: (0 1) (2 3) (4); level 1: [(0 1) (2 3)] [(4)].
  ASSERT_EQ(Shape(root), "[[(0 1) (2 3)] [(4)]]");
  EXPECT_EQ(builder.Level(), 2);
  Node* p = root->children[0];
  Node* q = root->children[1];
  EXPECT_EQ(p->next, q);
  EXPECT_EQ(q->next, nullptr);
  EXPECT_EQ(p->children[0]->next, p->children[1]);
  EXPECT_EQ(p->children[1]->next, q->children[0]);
  EXPECT_EQ(q->children[0]->next, nullptr);
  EXPECT_EQ(p->children[0]->box, Slab(0, 2));
  EXPECT_EQ(p->children[1]->box, (GEO_Box{5, 6, 0, 6, 5, 6}));
  EXPECT_EQ(p->box, (GEO_Box{0, 6, 0, 6, 0, 6}));
  EXPECT_EQ(q->box, Cube(9, 10));
  EXPECT_EQ(root->box, Cube(0, 10));
  builder.Free(root);
}

TEST(BoxHierBuilder, FactorOneOrBelowNeverMakesLargerNodes) {
  for (double factor : {1.0, 0.5}) {
    FaceSet set(RandomBoxes(200, 7));
    Seqf seqf(set.faces, set.vertices);
    BoxHierBuilder<int, Seqf> builder(&seqf);
    Node* root = builder.Build(factor);
    EXPECT_LE(MaxMembers(root), 2);
    builder.Free(root);
  }
  FaceSet set(RandomBoxes(200, 7));
  Seqf seqf(set.faces, set.vertices);
  BoxHierBuilder<int, Seqf> builder(&seqf);
  Node* root = builder.Build(3.0);
  EXPECT_GT(MaxMembers(root), 2);  // the rule above is not vacuous
  builder.Free(root);
}

TEST(BoxHierBuilder, NoElementsNoTree) {
  FaceSet set({});
  Seqf seqf(set.faces, set.vertices);
  BoxHierBuilder<int, Seqf> builder(&seqf);
  EXPECT_EQ(builder.Build(1.3), nullptr);
  builder.Free(nullptr);
}

TEST(BoxHierBuilder, UpperLevelsGroupTheNodesOfTheLevelBelow) {
  FaceSet none({});
  Seqf seqf(none.faces, none.vertices);
  BoxHierBuilder<int, Seqf> builder(&seqf);
  Recorder recorder;
  builder.SetInterface(&recorder);
  builder.SetName("u");
  const GEO_Box boxes[] = {Cube(0, 1), Cube(5, 6), Slab(1, 2), {0, 2, 0, 1, 1, 2}, Cube(8, 9)};
  Node* nodes[5];
  for (int i = 0; i < 5; ++i) {
    nodes[i] = new Node;
    nodes[i]->box = boxes[i];
    if (i > 0) nodes[i - 1]->next = nodes[i];
  }
  // Seed 0 takes slot 2 (least union), slot 3 joins under 3 × V; then 1 with 4.
  Node* level = builder.BuildNextLevel(nodes[0], 3.0);
  ASSERT_NE(level, nullptr);
  ASSERT_EQ(level->children.Count(), 3u);
  EXPECT_EQ(level->children[0], nodes[0]);
  EXPECT_EQ(level->children[1], nodes[2]);
  EXPECT_EQ(level->children[2], nodes[3]);
  EXPECT_EQ(level->box, (GEO_Box{0, 2, 0, 1, 0, 2}));
  Node* second = level->next;
  ASSERT_NE(second, nullptr);
  ASSERT_EQ(second->children.Count(), 2u);
  EXPECT_EQ(second->children[0], nodes[1]);
  EXPECT_EQ(second->children[1], nodes[4]);
  EXPECT_EQ(second->next, nullptr);
  EXPECT_EQ(recorder.texts, (std::vector<std::string>{"u: level 0 - 0%", "u: level 0 - 20%"}));

  // A lone node gets a parent of its own.
  Node* lone = new Node;
  lone->box = Cube(3, 4);
  Node* parent = builder.BuildNextLevel(lone, 1.3);
  ASSERT_EQ(parent->children.Count(), 1u);
  EXPECT_EQ(parent->children[0], lone);
  EXPECT_EQ(parent->box, Cube(3, 4));
  EXPECT_EQ(parent->next, nullptr);

  builder.Free(level);
  builder.Free(second);
  builder.Free(parent);
}

TEST(BoxHierBuilderDeathTest, AnEmptyLevelIsAnInternalError) {
  FaceSet none({});
  Seqf seqf(none.faces, none.vertices);
  BoxHierBuilder<int, Seqf> builder(&seqf);
  EXPECT_EXIT(builder.BuildNextLevel(nullptr, 1.3), ::testing::ExitedWithCode(1), "Runtime Error: lmtn empty");
}

TEST(BoxHierBuilder, ProgressTexts) {
  const struct {
    int faces;
    std::vector<std::string> texts;
  } cases[] = {
      {4, {"m: level 0 - 0%", "m: level 0 - 50%", "hierarchy level 1", "m: level 1 - 0%"}},
      {3, {"m: level 0 - 0%", "m: level 0 - 66%", "hierarchy level 1", "m: level 1 - 0%"}},
      {1, {"m: level 0 - 0%"}},
      {5,
       {"m: level 0 - 0%", "m: level 0 - 40%", "m: level 0 - 80%", "hierarchy level 1", "m: level 1 - 0%",
        "m: level 1 - 66%", "hierarchy level 2", "m: level 2 - 0%"}},
  };
  for (const auto& c : cases) {
    FaceSet set(FlatBoxes(c.faces));
    Seqf seqf(set.faces, set.vertices);
    BoxHierBuilder<int, Seqf> builder(&seqf);
    Recorder recorder;
    builder.SetInterface(&recorder);
    builder.SetName("m");
    builder.Free(builder.Build(1.3));
    EXPECT_EQ(recorder.texts, c.texts);
  }

  // Without a reporter, or after taking it back, the build is silent.
  FaceSet set(FlatBoxes(4));
  Seqf seqf(set.faces, set.vertices);
  BoxHierBuilder<int, Seqf> builder(&seqf);
  EXPECT_STREQ(builder.Name(), "");
  builder.Free(builder.Build(1.3));
  Recorder recorder;
  builder.SetInterface(&recorder);
  builder.SetInterface(nullptr);
  builder.Free(builder.Build(1.3));
  EXPECT_TRUE(recorder.texts.empty());
}

TEST(BoxHierBuilder, LogOfEveryLevel) {
  FaceSet set({Cube(0, 1), Slab(1, 2), Slab(5, 6.5)});
  Seqf seqf(set.faces, set.vertices);
  BoxHierBuilder<int, Seqf> builder(&seqf);
  std::ostringstream log;
  builder.SetLog(1, &log);
  Node* root = builder.Build(1.0);
  ASSERT_EQ(Shape(root), "[(0 1) (2)]");
  std::string text = log.str();
  const std::pair<const Node*, std::string> names[] = {
      {root->children[0], "A"}, {root->children[1], "B"}, {root, "R"}};
  for (const auto& [node, name] : names) {
    const std::string address = zavo::AddressText(node);
    for (auto at = text.find(address); at != std::string::npos; at = text.find(address)) {
      text.replace(at, address.size(), name);
    }
  }
  EXPECT_EQ(text,
            "level = 0\n\n"
            "S) A  ([ 0 , 2 , 0 , 1 , 0 , 1 ])\nV=2\n[ 0 , 1 ]\n"
            "S) B  ([ 5 , 6.5 , 0 , 1 , 0 , 1 ])\nV=1.5\n[ 2 ]\n"
            "level = 1\n\n"
            "S) R  ([ 0 , 6.5 , 0 , 1 , 0 , 1 ])\nV=6.5\n[ A , B ]\n");

  std::ostringstream quiet;
  builder.SetLog(0, &quiet);
  builder.Free(builder.Build(1.0));
  EXPECT_EQ(quiet.str(), "");
  builder.Free(root);
}

// The median build: leaves of at most four ids, interior nodes of two children.
std::vector<GEO_Box> PointBoxes(const std::vector<Point3D>& points) {
  std::vector<GEO_Box> boxes;
  for (const Point3D& p : points) boxes.push_back({p.x, p.x, p.y, p.y, p.z, p.z});
  return boxes;
}

TEST(BoxHierBuilder2, MedianBuilds) {
  const struct {
    const char* what;
    std::vector<GEO_Box> boxes;
    const char* shape;
  } cases[] = {
      {"four ids", {Cube(3, 4), Cube(0, 1), Cube(2, 3), Cube(1, 2)}, "(0 1 2 3)"},
      {"five ids", {Cube(4, 5), Cube(0, 1), Cube(3, 4), Cube(1, 2), Cube(2, 3)}, "[(1 3) (4 2 0)]"},
      {"equal keys change places",
       {Slab(1, 1.5), Slab(1, 1.5), Slab(0, 0.5), Slab(2, 2.5), Slab(3, 3.5)},
       "[(2 1) (0 3 4)]"},
      {"nine ids", RandomBoxes(9, 3), nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FaceSet set(c.boxes);
    Seqf seqf(set.faces, set.vertices);
    BoxHierBuilder2<int, Seqf> builder(&seqf);
    Node* root = builder.BuildAll();
    if (c.shape != nullptr) {
      EXPECT_EQ(Shape(root), c.shape);
    }
    GEO_Box all = c.boxes[0];
    for (const GEO_Box& b : c.boxes) all.ExtendBox(b);
    EXPECT_EQ(root->box, all);
    builder.Free(root);
  }
}

TEST(BoxHierBuilder2, SplitAxis) {
  // x orders the points 0 1 2 3 4, y 4 3 2 1 0, z 1 3 0 4 2: the left child
  // shows the axis taken.
  const double z[] = {2, 0, 4, 1, 3};
  const struct {
    double sx, sy, sz;
    const char* left;
  } cases[] = {
      {1, 1, 1, "(0 1)"}, {1, 2, 1, "(4 3)"}, {1, 2, 2, "(4 3)"},
      {2, 1, 2, "(0 1)"}, {1, 1, 2, "(1 3)"}, {2, 1, 3, "(1 3)"},
  };
  for (const auto& c : cases) {
    std::vector<Point3D> points;
    for (int i = 0; i < 5; ++i) points.push_back({c.sx * i / 4, c.sy * (4 - i) / 4, c.sz * z[i] / 4});
    FaceSet set(PointBoxes(points));
    Seqf seqf(set.faces, set.vertices);
    BoxHierBuilder2<int, Seqf> builder(&seqf);
    Node* root = builder.BuildAll();
    EXPECT_EQ(Shape(root->children[0]), c.left) << c.sx << " " << c.sy << " " << c.sz;
    builder.Free(root);
  }
}

// Every id once, leaves of one to four ids, interior nodes of two children
// and no next link, every box the union of what is below it.
GEO_Box CheckMedianNode(const Node* node, const std::vector<GEO_Box>& boxes, std::vector<int>& seen) {
  EXPECT_EQ(node->next, nullptr);
  GEO_Box box;
  if (node->children.Count() == 0) {
    EXPECT_GE(node->elements.Count(), 1u);
    EXPECT_LE(node->elements.Count(), 4u);
    for (std::uint32_t i = 0; i < node->elements.Count(); ++i) {
      const int id = node->elements[i];
      ++seen[id];
      if (i == 0) box = boxes[id];
      box.ExtendBox(boxes[id]);
    }
  } else {
    EXPECT_EQ(node->children.Count(), 2u);
    EXPECT_EQ(node->elements.Count(), 0u);
    box = CheckMedianNode(node->children[0], boxes, seen);
    box.ExtendBox(CheckMedianNode(node->children[1], boxes, seen));
  }
  EXPECT_EQ(node->box, box);
  return box;
}

TEST(BoxHierBuilder2, MedianTreeOfManyFaces) {
  for (int n : {5, 37, 500}) {
    const std::vector<GEO_Box> boxes = RandomBoxes(n, static_cast<unsigned>(n));
    FaceSet set(boxes);
    Seqf seqf(set.faces, set.vertices);
    BoxHierBuilder2<int, Seqf> builder(&seqf);
    Node* root = builder.BuildAll();
    std::vector<int> seen(n, 0);
    CheckMedianNode(root, boxes, seen);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), n);
    builder.Free(root);
  }

  // A run of the ids handed in; an empty run is a leaf with the zero box.
  FaceSet set({Cube(0, 1), Cube(2, 3), Cube(4, 5)});
  Seqf seqf(set.faces, set.vertices);
  BoxHierBuilder2<int, Seqf> builder(&seqf);
  Seq<int> ids(3);
  ids[0] = 2;
  ids[1] = 0;
  ids[2] = 1;
  Node* run = builder.BuildNode(ids, 1, 3);
  EXPECT_EQ(Shape(run), "(0 1)");
  EXPECT_EQ(run->box, Cube(0, 3));
  builder.Free(run);
  Node* empty = builder.BuildNode(ids, 2, 2);
  EXPECT_EQ(empty->elements.Count(), 0u);
  EXPECT_EQ(empty->children.Count(), 0u);
  EXPECT_EQ(empty->box, GEO_Box{});
  builder.Free(empty);

  FaceSet none({});
  Seqf noFaces(none.faces, none.vertices);
  BoxHierBuilder2<int, Seqf> emptyBuilder(&noFaces);
  Node* leaf = emptyBuilder.BuildAll();
  EXPECT_EQ(Shape(leaf), "()");
  EXPECT_EQ(leaf->box, GEO_Box{});
  emptyBuilder.Free(leaf);
  emptyBuilder.Free(nullptr);
}

TEST(SelectionOrder, TheFastSortLeavesTheOrderOfTheSwapLoop) {
  std::mt19937 gen(2024);
  for (std::uint32_t n : {0u, 1u, 5u, 31u, 32u, 33u, 100u, 1000u, 4099u}) {
    for (int distinct : {1, 3, 10, 1000}) {
      std::uniform_int_distribution<int> key(0, distinct - 1);
      std::vector<double> keys(n);
      for (double& k : keys) k = key(gen) * 0.5 - (distinct / 4);
      if (n > 10) keys[3] = -0.0;  // equal to 0 for the comparisons
      std::vector<int> ids(n);
      for (std::uint32_t i = 0; i < n; ++i) ids[i] = static_cast<int>(i);
      std::vector<int> plainIds = ids, fastIds = ids;
      std::vector<double> plainKeys = keys, fastKeys = keys;
      zavo::SelectionSortPlain(plainIds.data(), plainKeys.data(), n);
      zavo::SelectionSortByKey(fastIds.data(), fastKeys.data(), n);
      ASSERT_EQ(fastIds, plainIds) << n << " keys, " << distinct << " distinct";
      ASSERT_TRUE(std::is_sorted(fastKeys.begin(), fastKeys.end()));
    }
  }
  // Ties do not keep their input order.
  int ids[] = {0, 1, 2, 3, 4};
  double keys[] = {1, 1, 0, 2, 3};
  zavo::SelectionSortByKey(ids, keys, 5);
  EXPECT_EQ(std::vector<int>(ids, ids + 5), (std::vector<int>{2, 1, 0, 3, 4}));
  // Keys that are no numbers take the swap loop as it is.
  std::vector<double> odd(64);
  for (std::size_t i = 0; i < odd.size(); ++i) odd[i] = (i % 7 == 3) ? std::nan("") : double(i % 5);
  std::vector<int> a(64), b(64);
  for (int i = 0; i < 64; ++i) a[i] = b[i] = i;
  std::vector<double> oddCopy = odd;
  zavo::SelectionSortPlain(a.data(), odd.data(), 64);
  zavo::SelectionSortByKey(b.data(), oddCopy.data(), 64);
  EXPECT_EQ(a, b);
}

}  // namespace
