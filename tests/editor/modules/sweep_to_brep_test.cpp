// Profiles sorted into regions, the frames and scales along the path, and the
// mesh files and log of the sweep.

#include "editor/modules/sweep_to_brep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <locale>
#include <sstream>

#include "common/temp_dir.h"
#include "models/curved/deform_graph.h"
#include "models/curved/polyline.h"
#include "module_test_support.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// The outer square and the holes of the fixtures, in the x-y plane.
const Outline kSquare{{0.2, 0.1, 0}, {3.1, 0.1, 0}, {3.1, 2.9, 0}, {0.2, 2.9, 0}};
const Outline kHole{{1.1, 1.2, 0}, {1.9, 1.2, 0}, {1.9, 1.8, 0}, {1.1, 1.8, 0}};
const Outline kLowHole{{0.6, 0.7, 0}, {1.3, 0.7, 0}, {1.3, 1.4, 0}, {0.6, 1.4, 0}};
const Outline kHighHole{{1.9, 1.6, 0}, {2.7, 1.6, 0}, {2.7, 2.4, 0}, {1.9, 2.4, 0}};
const Outline kBeside{{4.3, 0.1, 0}, {5.6, 0.1, 0}, {5.6, 1.7, 0}, {4.3, 1.7, 0}};

// The contour's points as a set of positions, whatever their order.
bool SamePoints(Outline a, Outline b) {
  auto less = [](const Point3D& p, const Point3D& q) { return p.x != q.x ? p.x < q.x : p.y < q.y; };
  std::sort(a.begin(), a.end(), less);
  std::sort(b.begin(), b.end(), less);
  return a == b;
}

TEST(SweepToBRep, ProfilesSortIntoRegions) {
  struct Case {
    const char* what;
    std::vector<Outline> profiles;
    std::vector<std::vector<Outline>> regions;  // contours by their points
  };
  const Case cases[] = {
      {"one square", {kSquare}, {{kSquare}}},
      {"two disjoint squares", {kSquare, kBeside}, {{kSquare}, {kBeside}}},
      {"a hole given before its square follows the outer contour", {kHole, kSquare}, {{kSquare, kHole}}},
      {"a pass adds one hole: the second hole is a region of its own",
       {kSquare, kLowHole, kHighHole},
       {{kSquare, kLowHole}, {kHighHole}}},
      {"no profiles", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<Region> regions = FindRegions(c.profiles);
    ASSERT_EQ(regions.size(), c.regions.size());
    for (std::size_t r = 0; r < regions.size(); ++r) {
      ASSERT_EQ(regions[r].size(), c.regions[r].size()) << r;
      for (std::size_t k = 0; k < regions[r].size(); ++k) {
        EXPECT_TRUE(SamePoints(regions[r][k], c.regions[r][k])) << r << " " << k;
        // Outer contours turn one way, holes the other.
        EXPECT_EQ(OutlineOrientation(regions[r][k]), k == 0 ? 0 : 1) << r << " " << k;
      }
    }
  }
}

TEST(SweepToBRep, ThePathCountsRepeatedPointsOnceAndNeedsTwo) {
  const std::vector<Point3D> straight{{0, 0, 0}, {0, 0, 1}};
  EXPECT_EQ(SweepPath({}), straight);
  EXPECT_EQ(SweepPath({{2.3, 1.7, 0.4}}), straight);
  EXPECT_EQ(SweepPath({{2.3, 1.7, 0.4}, {2.3, 1.7, 0.4}}), straight);
  EXPECT_EQ(SweepPath({{2.3, 1.7, 0.4}, {2.3, 1.7, 0.4}, {0.5, 1.7, 0.4}, {0.5, 1.7, 0.4}, {0.5, 2.9, 0.4}}),
            (std::vector<Point3D>{{2.3, 1.7, 0.4}, {0.5, 1.7, 0.4}, {0.5, 2.9, 0.4}}));
}

void ExpectNear(const Point3D& actual, const Point3D& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-12);
  EXPECT_NEAR(actual.y, expected.y, 1e-12);
  EXPECT_NEAR(actual.z, expected.z, 1e-12);
}

TEST(SweepToBRep, FramesAlongThePath) {
  struct Case {
    const char* what;
    std::vector<Point3D> path;
    std::size_t j;
    PathFrame frame;
  };
  const double h = std::sqrt(0.5);
  const Case cases[] = {
      {"the straight default", {{0, 0, 0}, {0, 0, 1}}, 1, {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}},
      {"a vertical path takes the reference (1, 0, 0)", {{0.4, 1.1, 0.3}, {0.4, 3.8, 0.3}}, 0,
       {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}},
      {"an inner tangent is the half sum of the unit directions", {{0, 0, 0}, {2.5, 0, 0}, {2.5, 1.5, 0}}, 1,
       {{0.5, 0.5, 0}, {0, 0, -1}, {-h, h, 0}}},
      {"a path that turns straight back follows the way in", {{0.2, 0.3, 0.1}, {0.2, 0.3, 1.6}, {0.2, 0.3, 0.7}},
       1, {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<PathFrame> frames = PathFrames(c.path);
    ASSERT_EQ(frames.size(), c.path.size());
    ExpectNear(frames[c.j].t, c.frame.t);
    ExpectNear(frames[c.j].a, c.frame.a);
    ExpectNear(frames[c.j].b, c.frame.b);
  }
}

// A deformation graph whose curve is y = 1.2 + 1.6 x over 0 .. 1.
std::unique_ptr<CG_PathControl> MakeControl() {
  CG_GraphicObjectCommData data;
  data.name = "graph";
  CG_PolylineDescription line;
  line.points.SetSize(2);
  line.points[0] = Point3D{0, 1.2, 0};
  line.points[1] = Point3D{1, 2.8, 0};
  CG_GraphicObjectCommData lineData;
  lineData.name = "curve";
  CG_PathControlDescription description;
  description.graph = new CG_Polyline(lineData, line);
  description.graphOwned = 1;
  return std::make_unique<CG_PathControl>(data, description);
}

TEST(SweepToBRep, ScalesComeFromTheControlBeforeTheEndOfItsRange) {
  EXPECT_EQ(PathScales(nullptr, 3), (std::vector<double>{1, 1, 1}));
  const auto control = MakeControl();
  const std::vector<double> scales = PathScales(control.get(), 4);
  const double expected[] = {1.2, 1.6, 2.0, 2.4};  // at 0, 1/4, 1/2, 3/4
  ASSERT_EQ(scales.size(), 4u);
  for (std::size_t j = 0; j < 4; ++j) EXPECT_NEAR(scales[j], expected[j], 0.006) << j;
}

TEST(SweepToBRep, ARegionWithAHoleIsPlacedAndScaledAlongThePath) {
  // The hole of two points' worth is enough to show the loops and numbering.
  const Region region{{{0.3, 0.2, 0}, {1.7, 0.2, 0}, {1.7, 1.4, 0}}, {{0.9, 0.5, 0}, {1.3, 0.5, 0}, {1.3, 0.9, 0}}};
  const std::vector<Point3D> path{{0.4, 1.1, 0.3}, {0.4, 3.8, 0.3}};
  // Along y: a = (0, 0, 1), b = (1, 0, 0); q goes to s (q.y, 0, q.x) + p.
  EXPECT_EQ(TextOf([&](std::ostream& os) { WriteSweepMesh(os, region, path, PathFrames(path), {1.5, 0.5}); }),
            "{pbrep\n\tvertices\n12\n"
            "0.7 1.1 0.75\n0.7 1.1 2.85\n2.5 1.1 2.85\n1.15 1.1 1.65\n1.15 1.1 2.25\n1.75 1.1 2.25\n"
            "0.5 3.8 0.45\n0.5 3.8 1.15\n1.1 3.8 1.15\n0.65 3.8 0.75\n0.65 3.8 0.95\n0.85 3.8 0.95\n"
            "faces\n14\n\n"
            " { 2\n\t{ 3 0 1 2 }\n\t{ 3 3 4 5 }\n}\n"
            " { 2\n\t{ 3 8 7 6 }\n\t{ 3 11 10 9 }\n}\n"
            "{ 1\n\t{ 3 1 0 6}\n\n}\n{ 1\n\t{ 3 1 6 7}\n\n}\n{ 1\n\t{ 3 2 1 7}\n\n}\n{ 1\n\t{ 3 2 7 8}\n\n}\n"
            "{ 1\n\t{ 3 2 8 0}\n\n}\n{ 1\n\t{ 3 0 8 6}\n\n}\n"
            "{ 1\n\t{ 3 4 3 9}\n\n}\n{ 1\n\t{ 3 4 9 10}\n\n}\n{ 1\n\t{ 3 5 4 10}\n\n}\n{ 1\n\t{ 3 5 10 11}\n\n}\n"
            "{ 1\n\t{ 3 5 11 3}\n\n}\n{ 1\n\t{ 3 3 11 9}\n\n}\n"
            "}\n.\n");
}

class SweepFiles : public ::testing::Test {
protected:
  TempDir dir;
  ScopedCwd cwd{dir.path()};
};

TEST_F(SweepFiles, OneSquareWithoutPathIsAPrismOfHeightOne) {
  std::vector<std::string> names;
  ASSERT_EQ(SweepToBRep({{{0.3, 0.2, 0}, {1.7, 0.2, 0}, {1.7, 1.4, 0}, {0.3, 1.4, 0}}}, nullptr, nullptr, "tile",
                        names),
            1);
  EXPECT_EQ(names, std::vector<std::string>{"tile"});
  // The outer contour turned to orientation 0: the square's order reversed.
  EXPECT_EQ(ReadFile(dir / "tile.brp"),
            "{pbrep\n\tvertices\n8\n"
            "0.3 1.4 0\n1.7 1.4 0\n1.7 0.2 0\n0.3 0.2 0\n0.3 1.4 1\n1.7 1.4 1\n1.7 0.2 1\n0.3 0.2 1\n"
            "faces\n10\n\n"
            " { 1\n\t{ 4 0 1 2 3 }\n}\n"
            " { 1\n\t{ 4 7 6 5 4 }\n}\n"
            "{ 1\n\t{ 3 1 0 4}\n\n}\n{ 1\n\t{ 3 1 4 5}\n\n}\n{ 1\n\t{ 3 2 1 5}\n\n}\n{ 1\n\t{ 3 2 5 6}\n\n}\n"
            "{ 1\n\t{ 3 3 2 6}\n\n}\n{ 1\n\t{ 3 3 6 7}\n\n}\n{ 1\n\t{ 3 3 7 0}\n\n}\n{ 1\n\t{ 3 0 7 4}\n\n}\n"
            "}\n.\n");
  // The log of the straight path: t along z, so az 0 and ay a right angle.
  const std::vector<std::string> log = SplitLines(ReadFile(dir / "ftest.log"));
  ASSERT_EQ(log.size(), 8u);
  EXPECT_EQ(log[0], "dir = ( 0 , 0 , 1 )");
  EXPECT_EQ(log[1], "az= 0   ay= 1.5708");
  EXPECT_EQ(log[2], "( 1 , 0 , 6.12323e-17 )");
  EXPECT_EQ(log[3], "( 6.12323e-17 , 0 , -1 )");
  EXPECT_EQ(log[4], log[0]);
}

TEST_F(SweepFiles, TwoRegionsGoToNumberedFilesAndTheLogIsRewrittenForEach) {
  std::vector<std::string> names;
  const std::vector<Point3D> path{{0.5, 0.2, 0.1}, {0.5, 0.2, 1.3}, {0.9, 0.7, 2.2}};
  ASSERT_EQ(SweepToBRep({kSquare, kBeside}, &path, nullptr, "swp1", names), 1);
  EXPECT_EQ(names, (std::vector<std::string>{"swp1_0", "swp1_1"}));
  EXPECT_TRUE(fs::exists(dir / "swp1_0.brp"));
  EXPECT_TRUE(fs::exists(dir / "swp1_1.brp"));
  EXPECT_FALSE(fs::exists(dir / "swp1.brp"));
  EXPECT_EQ(SplitLines(ReadFile(dir / "ftest.log")).size(), 3u * 4u);
}

TEST_F(SweepFiles, DegeneratePathsGiveFiniteMeshes) {
  const std::vector<std::vector<Point3D>> paths = {
      {{0.5, 0.2, 0.1}},
      {{0.5, 0.2, 0.1}, {0.5, 0.2, 0.1}, {0.5, 0.2, 1.3}},
      {{0.5, 0.2, 0.1}, {0.5, 0.2, 1.3}, {0.5, 0.2, 0.6}},
  };
  for (const auto& path : paths) {
    SCOPED_TRACE(path.size());
    std::vector<std::string> names;
    ASSERT_EQ(SweepToBRep({kSquare}, &path, nullptr, "odd", names), 1);
    const std::string text = ReadFile(dir / "odd.brp");
    EXPECT_EQ(text.find("nan"), std::string::npos) << text;
    EXPECT_EQ(text.find("inf"), std::string::npos) << text;
  }
}

TEST_F(SweepFiles, RefusedNamesAndFailedWritesAnswerZero) {
  std::vector<std::string> asked, messages;
  SweepHooks hooks;
  hooks.acceptName = [&asked](const std::string& name) {
    asked.push_back(name);
    return name != "part_1";
  };
  hooks.message = [&messages](const std::string& text) { messages.push_back(text); };
  std::vector<std::string> names;
  // Every name is asked for before anything is written.
  EXPECT_EQ(SweepToBRep({kSquare, kBeside}, nullptr, nullptr, "part", names, hooks), 0);
  EXPECT_EQ(asked, (std::vector<std::string>{"part_0", "part_1"}));
  EXPECT_TRUE(fs::is_empty(dir.path()));
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(messages.empty());

  // A file that cannot be written is reported.
  fs::create_directory(dir / "wall.brp");
  EXPECT_EQ(SweepToBRep({kSquare}, nullptr, nullptr, "wall", names, hooks), 0);
  EXPECT_EQ(messages, std::vector<std::string>{"Cannot write wall.brp"});
  EXPECT_TRUE(names.empty());

  // No region: nothing is asked or written.
  asked.clear();
  EXPECT_EQ(SweepToBRep({}, nullptr, nullptr, "none", names, hooks), 0);
  EXPECT_TRUE(asked.empty());
  EXPECT_FALSE(fs::exists(dir / "none.brp"));
}

}  // namespace
}  // namespace zavo::test
