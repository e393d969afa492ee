#include "geometry/triangulate2d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace {

struct Case {
  std::vector<Point2D> points;
  std::vector<std::pair<int, int>> constraints;
};

std::vector<std::vector<Point2D>> Triangulate(const Case& c) {
  FragmentedSeq<Point2D, long> points;
  points.SetSize(static_cast<long>(c.points.size()));
  for (std::size_t i = 0; i < c.points.size(); ++i) points[static_cast<long>(i)] = c.points[i];
  Seq<PreEdge> constraints(static_cast<std::uint32_t>(c.constraints.size()));
  for (std::uint32_t k = 0; k < constraints.Count(); ++k) {
    constraints[k] = {c.constraints[k].first, c.constraints[k].second};
  }
  std::vector<std::vector<Point2D>> out;
  const std::unique_ptr<List<ETri2D>> tris = Triangulate2D(points, constraints);
  for (const ETri2D& t : *tris) out.push_back({t.corners[0], t.corners[1], t.corners[2]});
  return out;
}

double Area(const std::vector<Point2D>& t) {
  return 0.5 * ((t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[2].x - t[0].x) * (t[1].y - t[0].y));
}

bool HasSide(const std::vector<Point2D>& t, const Point2D& a, const Point2D& b) {
  int found = 0;
  for (const Point2D& p : t) found += (p == a || p == b) ? 1 : 0;
  return found == 2;
}

// The proper (positive-area) triangles tile the triangle c0, c1, c2: their
// areas add up to its area and no centroid of one lies inside another.
void ExpectTiling(const std::vector<std::vector<Point2D>>& tris, const Point2D& c0, const Point2D& c1,
                  const Point2D& c2) {
  double sum = 0;
  std::vector<std::vector<Point2D>> proper;
  for (const auto& t : tris) {
    if (std::fabs(Area(t)) > 1e-12) proper.push_back(t);
    sum += std::fabs(Area(t));
  }
  EXPECT_NEAR(sum, std::fabs(Area({c0, c1, c2})), 1e-9);
  for (std::size_t i = 0; i < proper.size(); ++i) {
    const auto& a = proper[i];
    const Point2D g{(a[0].x + a[1].x + a[2].x) / 3, (a[0].y + a[1].y + a[2].y) / 3};
    for (std::size_t j = 0; j < proper.size(); ++j) {
      if (j == i) continue;
      EXPECT_FALSE(PointStrictlyInTriangle2D(proper[j][0], proper[j][1], proper[j][2], g)) << i << " " << j;
    }
  }
}

const Point2D C0{0, 0}, C1{4, 0}, C2{0, 4}, M{2, 0}, N{2, 2};

TEST(Triangulate2D, SegmentBetweenTwoSidesGivesTheListedTrianglesInOrder) {
  const auto out = Triangulate({{C0, C1, C2, M, N}, {{3, 4}}});
  const std::vector<std::vector<Point2D>> expected = {
      {M, N, C0}, {M, N, C1}, {C0, C1, M}, {C0, C2, N}, {C1, C2, N}};
  EXPECT_EQ(out, expected);
}

TEST(Triangulate2D, ThreePointsGiveTheirTriangleInCornerOrder) {
  for (const auto& corners : {std::vector<Point2D>{C0, C1, C2}, std::vector<Point2D>{C2, C0, C1}}) {
    const auto out = Triangulate({corners, {}});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], corners);
  }
}

TEST(Triangulate2D, InnerConstraintGivesFiveTrianglesThatTile) {
  const Point2D A{1, 1}, B{2, 1};
  const auto out = Triangulate({{C0, C1, C2, A, B}, {{3, 4}}});
  ASSERT_EQ(out.size(), 5u);
  ExpectTiling(out, C0, C1, C2);
  int withConstraint = 0;
  for (const auto& t : out) {
    EXPECT_GT(std::fabs(Area(t)), 1e-12);
    withConstraint += HasSide(t, A, B) ? 1 : 0;
  }
  EXPECT_EQ(withConstraint, 2);
}

TEST(Triangulate2D, PointsWithin1em10MergeIntoTheEarlierOne) {
  const Point2D P{1, 1};
  const auto plain = Triangulate({{C0, C1, C2, P}, {}});
  // A constraint between two merged points leaves no trace.
  EXPECT_EQ(Triangulate({{C0, C1, C2, P, {1 + 5e-11, 1 - 5e-11}}, {{3, 4}}}), plain);
  // A corner repeated closely merges too, and the earlier coordinates stay.
  EXPECT_EQ(Triangulate({{C0, C1, C2, {4 - 9e-11, 9e-11}, P}, {}}), plain);
  // Close in one coordinate only is two points.
  EXPECT_NE(Triangulate({{C0, C1, C2, P, {1 + 5e-11, 1.5}}, {}}).size(), plain.size());
  ExpectTiling(plain, C0, C1, C2);
  EXPECT_EQ(plain.size(), 3u);
}

TEST(Triangulate2D, PointOnASideGivesAZeroAreaTriangleBesideTheProperPieces) {
  // The whole triangle holds M on a side: it is no piece (it would overlap
  // the two halves).
  const std::vector<std::vector<Point2D>> expected = {{C0, C1, M}, {C0, C2, M}, {C1, C2, M}};
  EXPECT_EQ(Triangulate({{C0, C1, C2, M}, {}}), expected);
}

TEST(Triangulate2D, PiecesNeverOverlap) {
  // Two chords between the same two sides, the outer one first: the triangle
  // of the outer chord and the corner between the sides holds the inner
  // chord's ends on its sides.
  const auto parallel = Triangulate({{C0, C1, C2, {2, 0}, {0, 2}, {1, 0}, {0, 1}}, {{3, 4}, {5, 6}}});
  ExpectTiling(parallel, C0, C1, C2);
  // A chain of intersection segments as the mesh booleans hand it over: the
  // ends on the side from point 0 to point 1 and the joints are off their
  // lines by rounding only.
  const std::vector<Point2D> points = {
      {0.06307676236908849, -1.1901100212979419}, {1.1019153133711779, 1.4387755242595519},
      {-0.67073801585380011, 0.63500792425973362}, {0.82705872945794168, 0.74322326558200125},
      {0.70441605720491762, 0.75609321508833371}, {0.70441605720491773, 0.7560932150883336},
      {0.49371782050372215, 0.77820359166120578}, {0.69778527572968274, 0.41608377542475572},
      {0.49139468667735486, 0.3763291508231783},  {0.49139468667735475, 0.37632915082317819},
      {0.49371782050372182, 0.77820359166120601}};
  const auto chain = Triangulate({points, {{3, 4}, {5, 6}, {7, 8}, {9, 10}}});
  ExpectTiling(chain, points[0], points[1], points[2]);
  // Two segments that leave a side and come back to it: the piece between
  // them has a side along the triangle's side, which must not count as
  // crossing it.
  const std::vector<Point2D> loop = {
      {-0.74484925629774956, -0.7151704219500693}, {-0.74267371896601775, 1.2847683431299366},
      {1.2572709770039716, 1.2824789132308712},    {-0.73220332963466628, -0.1596467359225392},
      {-0.70389685703319427, -0.674309472740245},  {-0.73220332963466639, -0.15964673592253906},
      {0.44806804847550674, 0.47508300098060563}};
  ExpectTiling(Triangulate({loop, {{3, 4}, {5, 6}}}), loop[0], loop[1], loop[2]);
}

TEST(Triangulate2D, RepeatedConstraintCountsOnce) {
  const auto once = Triangulate({{C0, C1, C2, M, N}, {{3, 4}}});
  EXPECT_EQ(Triangulate({{C0, C1, C2, M, N}, {{3, 4}, {3, 4}}}), once);
  EXPECT_EQ(Triangulate({{C0, C1, C2, M, N}, {{3, 4}, {4, 3}}}), once);
  EXPECT_EQ(Triangulate({{C0, C1, C2, M, N, {2, 2}}, {{3, 4}, {3, 5}}}), once);
}

TEST(Triangulate2D, TwoConstraintsAreBothSidesOfTheTiling) {
  const Point2D A{0.5, 0.5}, B{1.5, 0.5}, K{0.5, 1.5}, L{1.5, 2.0};
  const auto out = Triangulate({{C0, C1, C2, A, B, K, L}, {{3, 4}, {5, 6}}});
  ExpectTiling(out, C0, C1, C2);
  int ab = 0, kl = 0;
  for (const auto& t : out) {
    ab += HasSide(t, A, B) ? 1 : 0;
    kl += HasSide(t, K, L) ? 1 : 0;
  }
  EXPECT_EQ(ab, 2);
  EXPECT_EQ(kl, 2);
}

TEST(Triangulate2D, ConstraintIndexOutsideThePointsIsAnInternalError) {
  EXPECT_EXIT(Triangulate({{C0, C1, C2}, {{0, 3}}}), ::testing::ExitedWithCode(1), "Runtime Error: Triangulate2D");
}

TEST(SegmentsCross2D, CrossesOnlyStrictlyInsideBoth) {
  struct Row {
    Point2D a, b, k, l;
    bool cross;
  };
  const Row rows[] = {
      {{0, 0}, {2, 2}, {0, 2}, {2, 0}, true},         // an X
      {{0, 0}, {2, 0}, {1, 0}, {1, 2}, false},        // a T: ends on the other
      {{0, 0}, {2, 0}, {2, 0}, {3, 1}, false},        // shared end point
      {{0, 0}, {2, 0}, {0, 1}, {2, 1}, false},        // parallel
      {{0, 0}, {2, 0}, {1, 0}, {3, 0}, false},        // collinear and overlapping
      {{0, 0}, {1, 0}, {2, -1}, {2, 1}, false},       // the lines cross beyond A-B
      {{0, 0}, {0, 0}, {-1, -1}, {1, 1}, false},      // degenerate A-B
      {{0, 0}, {0.1, 4}, {-1, 1}, {1, 1.5}, true},    // t taken along y
      {{1, -1}, {1, 1e-16}, {0, 0}, {2, 0}, false},   // ends on K-L up to rounding
      {{1, -1}, {1, 1e-8}, {0, 0}, {2, 0}, true},     // a crossing
      {{0, 0}, {4, 1e-12}, {1, 1e-12}, {3, -1e-12}, false},  // on one line up to rounding
  };
  for (const Row& r : rows) {
    EXPECT_EQ(SegmentsCross2D(r.a, r.b, r.k, r.l), r.cross) << r.a.x << "," << r.a.y << " " << r.k.x << "," << r.k.y;
  }
}

TEST(PointStrictlyInTriangle2D, NeedsTheMarginOnEverySide) {
  const Point2D U{0, 0}, V{4, 0}, W{0, 4};
  EXPECT_TRUE(PointStrictlyInTriangle2D(U, V, W, {1, 1}));
  EXPECT_TRUE(PointStrictlyInTriangle2D(W, V, U, {1, 1}));  // either orientation
  EXPECT_FALSE(PointStrictlyInTriangle2D(U, V, W, {2, 0}));  // on a side
  EXPECT_FALSE(PointStrictlyInTriangle2D(U, V, W, {0, 0}));  // a corner
  EXPECT_FALSE(PointStrictlyInTriangle2D(U, V, W, {3, 3}));  // outside
  // Side U-V: s(P) * s(W) = 4e-12 * 16 is below the margin, 4e-11 * 16 above it.
  EXPECT_FALSE(PointStrictlyInTriangle2D(U, V, W, {1, 1e-12}));
  EXPECT_TRUE(PointStrictlyInTriangle2D(U, V, W, {1, 1e-11}));
  EXPECT_FALSE(PointStrictlyInTriangle2D(U, {2, 0}, V, {1, 0}));  // degenerate triangle
}

}  // namespace
