// Projection of items into the Top, Side and Front views: exact pixels, the
// choice between the vertex and the segment path, edge tables and progress
// texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "editor/views/projection.h"
#include "view_fixtures.h"

namespace zavo::test {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kB1 =
    "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }";

// The distinct end points of the segments of part 0, as "x y".
std::set<std::string> EndPoints(const CG_SceneEditorItem& item, int view) {
  std::set<std::string> out;
  const SegmentList& list = item.segments[view][0];
  for (long k = 0; k < list.Size(); ++k) {
    out.insert(std::to_string(list[k].x1) + " " + std::to_string(list[k].y1));
    out.insert(std::to_string(list[k].x2) + " " + std::to_string(list[k].y2));
  }
  return out;
}

TEST_F(ViewTest, TopViewPutsTheBoxOnExactPixels) {
  SetView(0, 2, 120, 80);
  Read(kB1);
  CG_SceneEditorItem* b1 = ItemOf("b1");
  ASSERT_NE(b1, nullptr);

  editor->ProjectItem(b1);
  ASSERT_EQ(b1->drawnAsSegments[0].Count(), 1u);
  EXPECT_FALSE(b1->drawnAsSegments[0][0]);
  ASSERT_EQ(b1->vertices[0].Count(), 1u);
  ASSERT_GT(b1->vertices[0][0].Count(), 0u);
  // The window -10..10 fitted to 120 x 80 shows y from -6.667 to 6.667.
  EXPECT_NEAR(b1->vertices[0][0][0].x, 0.06, 1e-12);
  EXPECT_NEAR(b1->vertices[0][0][0].y, 0.09, 1e-12);
  EXPECT_EQ(b1->segments[0][0].Size(), 0);

  b1->display.style = 1;
  editor->ProjectItem(b1);
  EXPECT_EQ(b1->vertices[0][0].Count(), 0u);
  EXPECT_FALSE(b1->drawnAsSegments[0][0]);
  const Strings segments = Segments(*b1, 0);
  ASSERT_EQ(segments.size(), 12u);
  // The four edges along z collapse to points.
  EXPECT_EQ(std::count_if(segments.begin(), segments.end(),
                          [](const std::string& s) {
                            return s == "63 43 63 43" || s == "93 43 93 43" || s == "93 55 93 55" ||
                                   s == "63 55 63 55";
                          }),
            4);
  EXPECT_EQ(EndPoints(*b1, 0), (std::set<std::string>{"63 43", "93 43", "93 55", "63 55"}));
}

TEST_F(ViewTest, SideViewDrawsZGrowingUpward) {
  SetView(1, 3, 120, 80);
  Read(kB1);
  CG_SceneEditorItem* b1 = ItemOf("b1");
  b1->display.style = 1;
  editor->ProjectItem(b1);
  int minX = 1 << 20, maxX = -1, minY = 1 << 20, maxY = -1;
  const SegmentList& list = b1->segments[1][0];
  ASSERT_EQ(list.Size(), 12);
  for (long k = 0; k < list.Size(); ++k) {
    minX = std::min({minX, int{list[k].x1}, int{list[k].x2}});
    maxX = std::max({maxX, int{list[k].x1}, int{list[k].x2}});
    minY = std::min({minY, int{list[k].y1}, int{list[k].y2}});
    maxY = std::max({maxY, int{list[k].y1}, int{list[k].y2}});
  }
  EXPECT_EQ(minX, 63);
  EXPECT_EQ(maxX, 75);
  EXPECT_EQ(minY, 33);
  EXPECT_EQ(maxY, 39);
  // The edge from z 0.1 up to z 1.1 at y 0.6 goes from row 39 up to row 33.
  const Strings segments = Segments(*b1, 1);
  EXPECT_NE(std::find(segments.begin(), segments.end(), "63 39 63 33"), segments.end());
}

// One row of the projection rules: an object in the Top view (120 x 80,
// window -10..10) and what its projection holds afterwards.
struct RuleCase {
  const char* what;
  bool curve;
  Point3D lo, hi;  // box corners of a mesh, or the circle centre and radius (x) of a curve
  int style;
  int directDraw;
  bool drawnAsSegments;
  bool hasVertices;
  int segments;     // -1: any number above 0
  bool edgesBuilt;  // with KeepEdge, the edge table of part 0 is filled
};

TEST_F(ViewTest, ProjectionRulesChooseThePath) {
  const RuleCase cases[] = {
      {"1.8 px wide: vertex path", false, {0.1, 0.2, 0.3}, {0.4, 2.2, 0.7}, 0, 0, false, true, 0, false},
      {"0.06 px wide: box segments", false, {0.1, 0.2, 0.3}, {0.11, 2.2, 0.7}, 0, 0, true, false, 12, false},
      {"DirectDraw: a box", false, {-3.3, -2.2, -1.1}, {4.4, 5.5, 6.6}, 0, 1, true, false, 12, false},
      {"style box", false, {-3.3, -2.2, -1.1}, {4.4, 5.5, 6.6}, 1, 0, false, false, 12, false},
      {"apart on both axes", false, {12.5, 10.5, 0}, {14.5, 12.5, 1}, 0, 0, false, false, 0, false},
      {"left, overlapping vertically", false, {-15.5, -1.5, 0}, {-12.5, 1.5, 1}, 0, 0, false, true, 0, false},
      {"curve inside", true, {0, 0, 0}, {3.3, 0, 0}, 0, 0, false, false, -1, true},
      {"curve apart on both axes", true, {-14, -12, 0}, {1.5, 0, 0}, 0, 0, false, false, 0, false},
      {"curve left, overlapping vertically", true, {-14, 0, 0}, {1.5, 0, 0}, 0, 0, false, false, 0, true},
  };
  SetView(0, 2, 120, 80);
  editor->options.KeepEdge = 1;
  int counter = 0;
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string name = "o" + std::to_string(++counter);
    std::unique_ptr<TestShape> shape;
    if (c.curve) {
      shape = MakeCurveShape(name.c_str(), 24, c.hi.x, true);
      for (Point3D& p : shape->points) p += c.lo;
    } else {
      shape = MakeBoxShape(name.c_str(), c.lo, c.hi);
    }
    CG_SceneEditorItem* item = Add(std::move(shape));
    ASSERT_NE(item, nullptr);
    item->display.style = c.style;
    editor->options.DirectDraw = c.directDraw;
    editor->ProjectItem(item);
    ASSERT_EQ(item->drawnAsSegments[0].Count(), 1u);
    EXPECT_EQ(item->drawnAsSegments[0][0], c.drawnAsSegments);
    EXPECT_EQ(item->vertices[0][0].Count() > 0, c.hasVertices);
    if (c.segments < 0) {
      EXPECT_GT(item->segments[0][0].Size(), 0);
    } else {
      EXPECT_EQ(item->segments[0][0].Size(), c.segments);
    }
    EXPECT_EQ(item->edges[0].Size() > 0, c.edgesBuilt);
  }
}

TEST_F(ViewTest, SurfaceWithoutWidthKeepsTheLastProjection) {
  RecordingWireFrameImage& surface = SetView(0, 2, 120, 80);
  CG_SceneEditorItem* item = Add(MakeBoxShape("m", {0.6, 0.6, 0.1}, {5.6, 2.6, 1.1}));
  CG_SceneEditorItem* curve = Add(MakeCurveShape("c", 12, 4.4, false));
  editor->ProjectAllItems();
  const auto vertices = item->vertices[0][0].Count();
  const Strings segments = Segments(*curve, 0);
  ASSERT_GT(vertices, 0u);
  ASSERT_EQ(segments.size(), 11u);

  surface.image.Resize(0, 80);
  editor->ProjectAllItems();
  EXPECT_EQ(item->vertices[0][0].Count(), vertices);
  EXPECT_EQ(Segments(*curve, 0), segments);
  EXPECT_EQ(item->drawnAsSegments[0].Count(), 0u);
}

// The edge table of a test object after one segment projection into a Top view.
struct EdgeCase {
  const char* what;
  std::vector<std::vector<std::vector<int>>> faces;
  int style;
  int fastview;
  Strings edges;                // "a-b" in table order
  std::vector<int> useCounts;   // per vertex
};

Strings TableEdges(const EdgeTable& table) {
  Strings out;
  for (long a = 0; a < table.Size(); ++a) {
    for (int j = 0; j < table[a].neighbours.Size(); ++j) {
      out.push_back(std::to_string(a) + "-" + std::to_string(table[a].neighbours[j]));
    }
  }
  return out;
}

TEST_F(ViewTest, EdgeTablesFollowTheFaceLoops) {
  const EdgeCase cases[] = {
      {"one loop", {{{1, 2, 3, 4}}}, 0, 1, {"0-1", "0-3", "1-2", "2-3"}, {2, 2, 2, 2, 0, 0, 0}},
      {"a hidden edge", {{{1, -2, 3, 4}}}, 0, 1, {"0-1", "0-3", "2-3"}, {2, 1, 1, 2, 0, 0, 0}},
      {"a shared edge", {{{1, 2, 3}}, {{1, 3, 4}}}, 0, 1, {"0-1", "0-2", "0-3", "1-2", "2-3"}, {4, 2, 4, 2, 0, 0, 0}},
      {"a face with a hole", {{{1, 2, 3}, {5, 6, 7}}}, 0, 1, {"0-1", "0-2", "1-2", "4-5", "4-6", "5-6"},
       {2, 2, 2, 0, 2, 2, 2}},
      {"fastview 3", {{{1, 2}}, {{2, 3}}, {{3, 4}}, {{4, 5}}, {{5, 6}}, {{6, 7}}, {{7, 1}}}, 2, 3,
       {"0-1", "0-6", "3-4"}, {4, 2, 0, 2, 2, 0, 2}},
      {"fastview 0 takes every face", {{{1, 2}}, {{2, 3}}, {{3, 4}}}, 2, 0, {"0-1", "1-2", "2-3"},
       {2, 4, 4, 2, 0, 0, 0}},
      {"fastview value without the style", {{{1, 2}}, {{2, 3}}, {{3, 4}}}, 0, 3, {"0-1", "1-2", "2-3"},
       {2, 4, 4, 2, 0, 0, 0}},
  };
  SetView(0, 2, 120, 80);
  double window[6] = {-10, -10, -10, 10, 10, 10};
  CG_GraphicEditor::FitWindowToView(window, 60, 40, 0, 1);
  const ViewMatrix M = ParallelMapping(window);
  int counter = 0;
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.what);
    auto shape = std::make_unique<TestShape>(("e" + std::to_string(++counter)).c_str());
    shape->points = {{0.3, 0.3, 0}, {2.7, 0.3, 0}, {2.7, 1.9, 0}, {0.3, 1.9, 0},
                     {1.1, 0.9, 0}, {1.9, 0.9, 0}, {1.5, 1.3, 0}};
    shape->faces = c.faces;
    TestShape& o = *shape;
    CG_SceneEditorItem* item = Add(std::move(shape));
    item->display.style = c.style;
    item->display.fastview = c.fastview;
    ProjectOrthoSegments(*editor, 0, *item, o, M, 0, 2);
    const EdgeTable& table = item->edges[0];
    EXPECT_EQ(TableEdges(table), c.edges);
    std::vector<int> counts;
    for (long k = 0; k < table.Size(); ++k) counts.push_back(table[k].useCount);
    EXPECT_EQ(counts, c.useCounts);
  }
}

TEST_F(ViewTest, FaceIndicesOutsideTheVerticesAreIgnored) {
  SetView(0, 2, 120, 80);
  auto shape = MakeBoxShape("bad", {0.5, 0.5, 0.5}, {2.5, 2.5, 2.5});
  shape->faces = {{{1, 2, 99, 4}}, {{0, 1}}, {{-1, 3}}};
  TestShape& o = *shape;
  CG_SceneEditorItem* item = Add(std::move(shape));
  double window[6] = {-10, -10, -10, 10, 10, 10};
  CG_GraphicEditor::FitWindowToView(window, 60, 40, 0, 1);
  ProjectOrthoSegments(*editor, 0, *item, o, ParallelMapping(window), 0, 2);
  EXPECT_EQ(TableEdges(item->edges[0]), (Strings{"0-1", "0-3", "0-2"}));
}

TEST_F(ViewTest, CurvesGiveOneSegmentPerEdge) {
  SetView(0, 2, 120, 80);
  for (bool closed : {false, true}) {
    SCOPED_TRACE(closed);
    CG_SceneEditorItem* item = Add(MakeCurveShape(closed ? "closed" : "open", 9, 4.7, closed));
    editor->ProjectItem(item);
    EXPECT_EQ(Segments(*item, 0).size(), closed ? 9u : 8u);
    EXPECT_EQ(item->vertices[0][0].Count(), 0u);
    EXPECT_FALSE(item->drawnAsSegments[0][0]);
  }
}

TEST_F(ViewTest, KeepEdgeBuildsTheTablesOnce) {
  SetView(0, 2, 120, 80);
  SetView(1, 3, 120, 80);
  CG_SceneEditorItem* item = Add(MakeCurveShape("c401", 401, 6.1, true));
  for (int keep : {0, 1}) {
    SCOPED_TRACE(keep);
    editor->options.KeepEdge = keep;
    fakes.system.statuses.clear();
    editor->ProjectItem(item);
    editor->ProjectItem(item);
    EXPECT_EQ(std::count(fakes.system.statuses.begin(), fakes.system.statuses.end(), "Building edges for c401"),
              keep != 0 ? 1 : 2);
    EXPECT_EQ(item->edges[0].Size() > 0, keep != 0);
    // Both views were drawn from the one table.
    EXPECT_EQ(Segments(*item, 0).size(), 401u);
    EXPECT_EQ(Segments(*item, 1).size(), 401u);
    item->FreeEdges();
  }
}

TEST_F(ViewTest, OnlyParallelRedrawsFreeTheEdgeTables) {
  SetView(0, 1, 200, 100);
  SetView(1, 2, 120, 80);
  CG_SceneEditorItem* item = Add(MakeCurveShape("c", 17, 3.9, false));
  editor->ProjectOrthoItem(1, item);
  ASSERT_GT(item->edges[0].Size(), 0);
  editor->RedrawView(0);
  EXPECT_GT(item->edges[0].Size(), 0);
  editor->RedrawView(1);
  EXPECT_EQ(item->edges[0].Size(), 0);
  EXPECT_EQ(Segments(*item, 1).size(), 16u);
}

TEST_F(ViewTest, LargeObjectsReportProgress) {
  SetView(0, 2, 120, 80);
  Add(MakeCurveShape("c401", 401, 6.1, true));
  Add(MakeCurveShape("c400", 400, 6.1, true));
  fakes.system.statuses.clear();
  editor->ProjectItem(ItemOf("c401"));
  EXPECT_EQ(fakes.system.statuses, (Strings{"Building edges for c401", "Projecting vertices for c401",
                                            "Creating lines for c401", ""}));
  fakes.system.statuses.clear();
  editor->ProjectItem(ItemOf("c400"));
  EXPECT_EQ(fakes.system.statuses, Strings{});

  SetView(0, 1, 200, 100);
  auto mesh = std::make_unique<TestShape>("m401");
  for (int k = 0; k < 401; ++k) mesh->points.push_back({0.01 * k, 0.5, -0.25});
  Add(std::move(mesh));
  fakes.system.statuses.clear();
  editor->ProjectItem(ItemOf("m401"));
  EXPECT_EQ(fakes.system.statuses, (Strings{"EProjecting vertices for m401", ""}));
}

TEST_F(ViewTest, TransformedPartsProjectTheirRawGeometry) {
  SetView(0, 2, 120, 80);
  // The same box twice: once with its points placed, once as raw points
  // under a matrix (translation and a quarter turn about z).
  Transformation turn, move, matrix;
  RotationZTransformation(turn, std::acos(-1.0) / 2);
  TranslationTransformation(move, 1.3, -0.7, 0.2);
  ComposeTransformations(matrix, move, turn);
  auto placed = MakeBoxShape("placed", {0.5, 0.5, 0.5}, {2.5, 1.5, 1.0});
  auto raw = MakeBoxShape("raw", {0.5, 0.5, 0.5}, {2.5, 1.5, 1.0});
  raw->matrix = matrix;
  for (Point3D& p : placed->points) p = TransformPoint(matrix, p);
  // A raw vertex that the matrix does not place would show as a wrong pixel.
  CG_SceneEditorItem* a = Add(std::move(placed));
  CG_SceneEditorItem* b = Add(std::move(raw));
  editor->ProjectItem(a);
  editor->ProjectItem(b);
  ASSERT_EQ(a->vertices[0][0].Count(), 8u);
  ASSERT_EQ(b->vertices[0][0].Count(), 8u);
  for (std::uint32_t k = 0; k < 8; ++k) {
    EXPECT_NEAR(a->vertices[0][0][k].x, b->vertices[0][0][k].x, 1e-12);
    EXPECT_NEAR(a->vertices[0][0][k].y, b->vertices[0][0][k].y, 1e-12);
  }
  a->display.style = 1;
  b->display.style = 1;
  editor->ProjectItem(a);
  editor->ProjectItem(b);
  // The raw box under the matrix is the box of the turned corners.
  EXPECT_EQ(EndPoints(*a, 0), EndPoints(*b, 0));
}

}  // namespace
}  // namespace zavo::test
