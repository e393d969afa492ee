#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/brep_model3.h"
#include "geometry/hier_builder2.h"
#include "geometry/hier_file.h"
#include "geometry/seqf.h"
#include "mesh_fixtures.h"

namespace {

using zavo::test::ManyVertices;
using zavo::test::RandomTriangles;
using zavo::test::Recorder;

std::string Save(const BRepModel3::Node* root) {
  std::ostringstream os;
  zavo::SaveHierarchy(os, root);
  return os.str();
}

class MeshHierarchy : public ::testing::Test {
protected:
  MeshHierarchy() : cwd_(dir_.path()), file_((dir_ / "mesh.br_").string()) {}

  bool FileExists() const { return std::filesystem::exists(file_); }

  zavo::test::TempDir dir_;
  zavo::test::ScopedCwd cwd_;  // grid builds write their log here
  std::string file_;
};

TEST_F(MeshHierarchy, LevelBuildCreatesTheFileThenOnlyLoadsIt) {
  auto mesh = RandomTriangles(6, 2, 10.0, 1.0, "tri");
  Recorder first;
  ASSERT_EQ(mesh->BuildHierarchy(1.3, file_.c_str(), &first), 1);
  ASSERT_NE(mesh->hierarchy, nullptr);
  ASSERT_GE(first.texts.size(), 3u);
  EXPECT_EQ(first.texts.front(), "Creating hierarchy");
  EXPECT_EQ(first.texts[1], "tri: level 0 - 0%");  // the builder reports with the mesh's name
  EXPECT_EQ(first.texts.back(), "Saving hierarchy " + file_);
  const std::string saved = Save(mesh->hierarchy);
  EXPECT_EQ(zavo::test::ReadFile(file_), saved);

  Recorder second;
  ASSERT_EQ(mesh->BuildHierarchy(1.3, file_.c_str(), &second), 1);
  EXPECT_EQ(second.texts, std::vector<std::string>{"Loading hierarchy " + file_});
  EXPECT_EQ(Save(mesh->hierarchy), saved);
  EXPECT_EQ(zavo::test::ReadFile(file_), saved);

  // Without a file: built, nothing saved; without a reporter: silent.
  Recorder third;
  ASSERT_EQ(mesh->BuildHierarchy(1.3, nullptr, &third), 1);
  EXPECT_EQ(third.texts.front(), "Creating hierarchy");
  EXPECT_NE(third.texts.back().rfind("Saving", 0), 0u);
  ASSERT_EQ(mesh->BuildHierarchy(1.3, nullptr, nullptr), 1);
  EXPECT_EQ(Save(mesh->hierarchy), saved);
}

TEST_F(MeshHierarchy, AFileThatCannotBeWrittenIsReported) {
  auto mesh = RandomTriangles(6, 2);
  const std::string nowhere = (dir_ / "missing" / "mesh.br_").string();
  EXPECT_EQ(mesh->BuildHierarchy(1.3, nowhere.c_str(), nullptr), 0);
  EXPECT_NE(mesh->hierarchy, nullptr);  // built all the same
  EXPECT_EQ(mesh->BuildHierarchy2Default(dir_.path().string().c_str(), nullptr), 0);  // a directory opens, fits not
  EXPECT_NE(mesh->hierarchy, nullptr);
}

TEST_F(MeshHierarchy, GridBuildSavesATreeOfThreeLevels) {
  auto mesh = RandomTriangles(60, 4, 10.0, 1.0, "g");
  Recorder recorder;
  ASSERT_EQ(mesh->BuildHierarchy2(1.3, 8, file_.c_str(), &recorder), 1);
  ASSERT_NE(mesh->hierarchy, nullptr);
  ASSERT_GE(recorder.texts.size(), 4u);
  EXPECT_EQ(recorder.texts[0], "Creating hierarchy");
  EXPECT_EQ(recorder.texts[1], "Creating grid");
  EXPECT_EQ(recorder.texts[2].rfind("g: level 0 - 1%  [0]", 0), 0u);
  EXPECT_EQ(recorder.texts.back(), "Saving hierarchy " + file_);
  EXPECT_EQ(zavo::test::ReadFile(file_), Save(mesh->hierarchy));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "hierbl2.log"));
  // The same tree as the builder makes with that dimension.
  Seqf seqf(mesh->faces, mesh->vertices);
  BoxHierBuilder2<int, Seqf> builder(&seqf);
  builder.SetGridDimension(8);
  auto* direct = builder.Build(1.3);
  EXPECT_EQ(Save(direct), Save(mesh->hierarchy));
  builder.Free(direct);
}

TEST_F(MeshHierarchy, ShallowGridTreesGiveWayToTheMedianBuild) {
  // Two faces far apart: two leaves under the root, two levels.
  auto mesh = RandomTriangles(2, 8, 10.0, 1.0, "two");
  Recorder recorder;
  ASSERT_EQ(mesh->BuildHierarchy2(1.3, 8, file_.c_str(), &recorder), 1);
  EXPECT_EQ(recorder.texts,
            (std::vector<std::string>{"Creating hierarchy", "Creating grid", "two: level 0 - 50%  [0]",
                                      "two: level 0 - 100%  [1]", "hierarchy level 1", "two: level 1 - 50%",
                                      "Creating hierarchy"}));
  Seqf seqf(mesh->faces, mesh->vertices);
  BoxHierBuilder2<int, Seqf> builder(&seqf);
  auto* median = builder.BuildAll();
  EXPECT_EQ(Save(mesh->hierarchy), Save(median));
  builder.Free(median);
  EXPECT_FALSE(FileExists());  // a small mesh's median tree is not saved
}

TEST_F(MeshHierarchy, LargeMeshesTakeTheMedianBuild) {
  auto grid = ManyVertices(10001, 30);
  Recorder viaGrid;
  ASSERT_EQ(grid->BuildHierarchy2(1.3, 8, file_.c_str(), &viaGrid), 1);
  const std::string gridTree = Save(grid->hierarchy);
  const std::string gridFile = zavo::test::ReadFile(file_);
  std::filesystem::remove(file_);

  auto median = ManyVertices(10001, 30);
  Recorder viaMedian;
  ASSERT_EQ(median->BuildHierarchy2Default(file_.c_str(), &viaMedian), 1);
  EXPECT_EQ(viaGrid.texts, viaMedian.texts);
  EXPECT_EQ(viaGrid.texts, (std::vector<std::string>{"Creating hierarchy", "Saving hierarchy " + file_}));
  EXPECT_EQ(gridTree, Save(median->hierarchy));
  EXPECT_EQ(gridFile, zavo::test::ReadFile(file_));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "hierbl2.log"));
}

TEST_F(MeshHierarchy, MedianTreesAreSavedAboveSixThousandVertices) {
  for (int vertices : {6000, 6001}) {
    SCOPED_TRACE(vertices);
    std::filesystem::remove(file_);
    auto mesh = ManyVertices(vertices, 20);
    Recorder recorder;
    ASSERT_EQ(mesh->BuildHierarchy2Default(file_.c_str(), &recorder), 1);
    ASSERT_NE(mesh->hierarchy, nullptr);
    EXPECT_EQ(FileExists(), vertices > 6000);
    EXPECT_EQ(recorder.texts.size(), vertices > 6000 ? 2u : 1u);
  }
}

TEST_F(MeshHierarchy, AMeshWithoutFacesIsLeftAsItIs) {
  BRepModel3 mesh("none");
  auto* kept = new BRepModel3::Node;
  mesh.hierarchy = kept;
  Recorder recorder;
  ASSERT_EQ(mesh.BuildHierarchy2(1.3, 8, file_.c_str(), &recorder), 1);
  EXPECT_EQ(mesh.hierarchy, kept);
  EXPECT_TRUE(recorder.texts.empty());
  EXPECT_FALSE(FileExists());

  // The level build of no face gives no tree and saves nothing.
  ASSERT_EQ(mesh.BuildHierarchy(1.3, file_.c_str(), &recorder), 1);
  EXPECT_EQ(mesh.hierarchy, nullptr);
  EXPECT_EQ(recorder.texts, std::vector<std::string>{"Creating hierarchy"});
  EXPECT_FALSE(FileExists());
}

// A file written for the mesh before its vertices moved still fits its
// structure, but its leaves no longer hold their faces: every build kind
// rebuilds and overwrites it. Rounding to the six digits written is no move.
TEST_F(MeshHierarchy, AFileWhoseBoxesNoLongerHoldTheFacesIsRebuilt) {
  struct Build {
    const char* name;
    int (*run)(BRepModel3&, const char*, GeoInterface*);
  };
  const std::vector<Build> builds = {
      {"level", [](BRepModel3& m, const char* f, GeoInterface* p) { return m.BuildHierarchy(1.3, f, p); }},
      {"grid", [](BRepModel3& m, const char* f, GeoInterface* p) { return m.BuildHierarchy2(1.3, 4, f, p); }},
      {"median", [](BRepModel3& m, const char* f, GeoInterface* p) { return m.BuildHierarchy2Default(f, p); }},
  };
  for (const Build& build : builds) {
    SCOPED_TRACE(build.name);
    std::filesystem::remove(file_);
    auto mesh = RandomTriangles(60, 4, 10.0, 1.0, "g");
    // Coordinates of many digits, so that the file rounds every box.
    for (std::uint32_t i = 0; i < mesh->vertices.Count(); ++i) mesh->vertices[i] *= 1.0000001234567;
    mesh->UpdateFaces();
    // The median build saves small meshes only over a file that did not fit.
    zavo::test::WriteFile(file_, "not a hierarchy");
    Recorder made;
    ASSERT_EQ(build.run(*mesh, file_.c_str(), &made), 1);
    ASSERT_TRUE(FileExists());

    Recorder loaded;
    ASSERT_EQ(build.run(*mesh, file_.c_str(), &loaded), 1);
    EXPECT_EQ(loaded.texts, std::vector<std::string>{"Loading hierarchy " + file_});

    mesh->vertices[0] += Point3D{100.0, 0.0, 0.0};  // far outside every box
    mesh->UpdateFaces();
    Recorder rebuilt;
    ASSERT_EQ(build.run(*mesh, file_.c_str(), &rebuilt), 1);
    ASSERT_GE(rebuilt.texts.size(), 3u);
    EXPECT_EQ(rebuilt.texts[0], "Loading hierarchy " + file_);
    EXPECT_EQ(rebuilt.texts[1], "Creating hierarchy");
    EXPECT_EQ(rebuilt.texts.back(), "Saving hierarchy " + file_);
    EXPECT_EQ(zavo::test::ReadFile(file_), Save(mesh->hierarchy));
  }
}

TEST_F(MeshHierarchy, EveryBuildReplacesTheFormerTree) {
  auto mesh = RandomTriangles(30, 6);
  mesh->BuildHierarchy(1.3, nullptr, nullptr);
  const std::string level = Save(mesh->hierarchy);
  mesh->BuildHierarchy2Default(nullptr, nullptr);
  EXPECT_NE(Save(mesh->hierarchy), level);
  mesh->BuildHierarchy2(1.3, 4, nullptr, nullptr);
  mesh->BuildHierarchy(1.3, nullptr, nullptr);
  EXPECT_EQ(Save(mesh->hierarchy), level);
  mesh->FreeHierarchy();
  EXPECT_EQ(mesh->hierarchy, nullptr);
  mesh->FreeHierarchy();
}

// A plate reaching x = 1234.5649: the file keeps its boxes to six digits, so
// the loaded boxes end at 1234.56, short of the faces. After loading, the
// boxes are made again from the faces: rays within the rounding strip hit the
// plate through the loaded tree as through the built tree and with no tree,
// also when the file's root box was cut down by hand.
TEST_F(MeshHierarchy, ALoadedTreeLosesNoHitInTheRoundingStrip) {
  std::vector<Point3D> points;
  std::vector<zavo::test::FaceSpec> faces;
  const int columns = 9;
  for (int k = 0; k <= columns; ++k) {
    const double x = 1230.1 + k * (1234.5649 - 1230.1) / columns;
    points.push_back({x, 0.3, 0.45});
    points.push_back({x, 2.7, 0.45});
    if (k == 0) continue;
    const int a = 2 * k - 1, b = 2 * k, c = 2 * k + 1, d = 2 * k + 2;  // 1-based
    faces.push_back({{a, c, d}});
    faces.push_back({{a, d, b}});
  }
  auto built = zavo::test::MakeMesh(points, faces, "plate");
  ASSERT_EQ(built->BuildHierarchy(1.3, file_.c_str(), nullptr), 1);
  const std::string text = zavo::test::ReadFile(file_);
  ASSERT_NE(text.find("1234.56 "), std::string::npos);

  auto loaded = zavo::test::MakeMesh(points, faces, "plate");
  Recorder loading;
  ASSERT_EQ(loaded->BuildHierarchy(1.3, file_.c_str(), &loading), 1);
  ASSERT_EQ(loading.texts, std::vector<std::string>{"Loading hierarchy " + file_});

  // The root's box (line 4) cut down to x <= 1231: the leaves still hold their faces.
  std::istringstream lines(text);
  std::string edited, line;
  for (int n = 1; std::getline(lines, line); ++n) edited += (n == 4 ? "[ 1230.1 , 1231 , 0.3 , 2.7 , 0.45 , 0.45 ]" : line) + "\n";
  const std::string cutFile = (dir_ / "cut.br_").string();
  zavo::test::WriteFile(cutFile, edited);
  auto cut = zavo::test::MakeMesh(points, faces, "plate");
  Recorder cutLoading;
  ASSERT_EQ(cut->BuildHierarchy(1.3, cutFile.c_str(), &cutLoading), 1);
  ASSERT_EQ(cutLoading.texts, std::vector<std::string>{"Loading hierarchy " + cutFile});

  auto bare = zavo::test::MakeMesh(points, faces, "plate");
  std::mt19937 gen(1234);
  std::uniform_real_distribution<double> strip(1234.56, 1234.5649), across(1230.1, 1234.5649), y(0.3, 2.7);
  BRepModel3::Hits hits;
  int checked = 0;
  for (int n = 0; n < 400; ++n) {
    const double x = n % 2 == 0 ? strip(gen) : across(gen);
    const Ray ray = Ray::FromDirection({x, y(gen), 3.1}, {0.0, 0.0, -1.0});
    const int expected = bare->Intersect(ray, hits, 1e-9);
    ASSERT_EQ(expected, 1) << x;
    const double t = hits[0].t;
    for (const BRepModel3* mesh : {built.get(), loaded.get(), cut.get()}) {
      ASSERT_EQ(mesh->Intersect(ray, hits, 1e-9), 1) << x;
      EXPECT_EQ(hits[0].t, t);
      ASSERT_GE(mesh->IntersectFirst(ray, hits, 1e-9), 1) << x;
      ASSERT_EQ(mesh->IntersectBestFirst(ray, hits, 1e-9), 1) << x;
      EXPECT_EQ(hits[0].t, t);
    }
    ++checked;
  }
  EXPECT_EQ(checked, 400);
}

}  // namespace
