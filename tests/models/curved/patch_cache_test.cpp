// The mesh cache of the patch models, in a temporary directory.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "curved_scene.h"
#include "foundation/sha256.h"
#include "patch_text.h"

namespace {

namespace fs = std::filesystem;

using zavo::test::BezierPatchText;
using zavo::test::BezierText;
using zavo::test::BilinearNURBSPatch;
using zavo::test::Contains;
using zavo::test::Converted;
using zavo::test::CurvedFiles;
using zavo::test::FlatBezierPatch;
using zavo::test::NURBSText;
using zavo::test::ReadFile;
using zavo::test::WriteFile;

const char kCube[] =
    "{ pbrep vertices 8 0 0 0 1 0 0 1 1 0 0 1 0 0 0 1 1 0 1 1 1 1 0 1 1\n"
    "faces 6 { 1 { 4 0 3 2 1 } } { 1 { 4 4 5 6 7 } } { 1 { 4 0 1 5 4 } }\n"
    "{ 1 { 4 1 2 6 5 } } { 1 { 4 2 3 7 6 } } { 1 { 4 3 0 4 7 } } }\n";

bool Exists(const fs::path& p) { return fs::exists(p); }

bool HasPercent(const std::vector<std::string>& texts) {
  for (const std::string& t : texts) {
    if (!t.empty() && t.back() == '%') return true;
  }
  return false;
}

class PatchCache : public CurvedFiles, public ::testing::Test {
protected:
  PatchCache() {
    WriteFile(dir_ / "wing.bzr", BezierText(FlatBezierPatch(-0.5, -0.5, 1.0 / 3)));
  }

  // Loads the object "s" with the parameters and body, then clears the texts.
  template <class T>
  T* LoadWith(const std::string& param, const std::string& body) {
    if (!Load("{ param " + param + " }\n{ object name s; model { " + body + "\n}\n.\n")) return nullptr;
    shown_.statuses.clear();
    shown_.messages.clear();
    return Find<T>();
  }

  // One conversion: the vertex count of the mesh, and the texts it showed.
  int Convert(CG_GraphicObject& object, std::vector<std::string>* texts = nullptr) {
    const std::size_t from = shown_.statuses.size();
    Converted mesh;
    EXPECT_EQ(object.DeclassToRayTraceable(mesh.parts), 1);
    if (texts != nullptr) *texts = zavo::test::StatusesFrom(shown_, from);
    return mesh.brep() != nullptr ? mesh.brep()->VertexCount() : -1;
  }
};

TEST_F(PatchCache, WrittenOnceThenLoadedEvenAfterTheModelFileChanged) {
  GBezier* b = LoadWith<GBezier>("_brep_optimiz hier;", "bezier name wing; div 4; cache 1; }");
  ASSERT_NE(b, nullptr);
  std::vector<std::string> texts;
  EXPECT_EQ(Convert(*b, &texts), 16);
  EXPECT_TRUE(Contains(texts, "bezier 100%"));
  EXPECT_TRUE(Contains(texts, "Saving bezier cache"));
  ASSERT_TRUE(Exists(dir_ / "wing.brp"));
  EXPECT_TRUE(Exists(dir_ / "wing.br_"));
  // The marker, the record of what the mesh was made from, the mesh.
  const std::string cache = ReadFile(dir_ / "wing.brp");
  EXPECT_EQ(cache.rfind("// bezier mesh cache\n// from model " + zavo::Sha256Hex(ReadFile(dir_ / "wing.bzr")) +
                            " div 4 hierarchy hier 30\n{ pbrep",
                        0),
            0u)
      << cache.substr(0, 200);

  WriteFile(dir_ / "wing.bzr", BezierText(FlatBezierPatch(0, 0, 1) + FlatBezierPatch(5, 5, 1)));
  Converted mesh;
  const std::size_t from = shown_.statuses.size();
  ASSERT_EQ(b->DeclassToFaced(mesh.parts, 0), 1);
  texts = zavo::test::StatusesFrom(shown_, from);
  ASSERT_NE(mesh.brep(), nullptr);
  EXPECT_EQ(texts.front(), "Loading bezier cache");
  EXPECT_FALSE(HasPercent(texts));
  EXPECT_EQ(mesh.brep()->VertexCount(), 16);
  EXPECT_EQ(mesh.brep()->Costr(), 1.3);
  EXPECT_EQ(mesh.brep()->Interp(), 1);
  EXPECT_STREQ(mesh.brep()->name.Text(), "s");

  // UpdateModel removes both files; the next conversion writes them again.
  ASSERT_EQ(b->UpdateModel(), 1);
  EXPECT_FALSE(Exists(dir_ / "wing.brp"));
  EXPECT_FALSE(Exists(dir_ / "wing.br_"));
  EXPECT_EQ(Convert(*b, &texts), 16);
  EXPECT_TRUE(Contains(texts, "Saving bezier cache"));
  EXPECT_TRUE(Exists(dir_ / "wing.brp"));
  EXPECT_TRUE(Exists(dir_ / "wing.br_"));
}

// Each later load of the scene: whether the cache is used or made again.
TEST_F(PatchCache, ACacheIsUsedOnlyForTheModelFileAndDivItWasMadeFrom) {
  struct Case {
    const char* what;
    std::string model;  // the model file's text at the second load ("" unchanged)
    const char* body;   // the second load's model body
    int vertices;
    bool reused;
  };
  const std::string edited = BezierText(FlatBezierPatch(-0.5, -0.5, 1.0 / 3, 0.7));
  const Case cases[] = {
      {"nothing changed", "", "bezier name wing; div 8; }", 64, true},
      {"model file edited", edited, "bezier name wing; div 8; }", 64, false},
      {"div changed", "", "bezier name wing; div 30; }", 900, false},
      {"hierarchy kind changed", "", "bezier name wing; div 8; }", 64, false},
  };
  const std::string original = ReadFile(dir_ / "wing.bzr");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(dir_ / "wing.bzr", original);
    fs::remove(dir_ / "wing.brp");
    fs::remove(dir_ / "wing.br_");
    GBezier* b = LoadWith<GBezier>("", "bezier name wing; div 8; }");
    ASSERT_NE(b, nullptr) << Error();
    Convert(*b);
    ASSERT_TRUE(Exists(dir_ / "wing.brp"));
    const std::string first = ReadFile(dir_ / "wing.brp");

    if (!c.model.empty()) WriteFile(dir_ / "wing.bzr", c.model);
    const std::string param = std::string(c.what) == "hierarchy kind changed" ? "_brep_optimiz hier;" : "";
    b = LoadWith<GBezier>(param, c.body);
    ASSERT_NE(b, nullptr) << Error();
    std::vector<std::string> texts;
    Converted mesh;
    ASSERT_EQ(b->DeclassToFaced(mesh.parts, 0), 1);
    texts = zavo::test::StatusesFrom(shown_, 0);
    ASSERT_NE(mesh.brep(), nullptr);
    EXPECT_EQ(mesh.brep()->VertexCount(), c.vertices);
    EXPECT_EQ(Contains(texts, "Loading bezier cache"), c.reused);
    EXPECT_EQ(Contains(texts, "Saving bezier cache"), !c.reused);
    EXPECT_EQ(ReadFile(dir_ / "wing.brp") == first, c.reused);
    // The mesh is the model's as it is now: the edited patch lies at z 0.7.
    Point3D p;
    mesh.brep()->Vertex(0, p);
    EXPECT_NEAR(p.z, c.model.empty() ? 0.0 : 0.7, 1e-6);
    // And the next load finds the cache made now.
    b = LoadWith<GBezier>(param, c.body);
    Converted again;
    ASSERT_EQ(b->DeclassToFaced(again.parts, 0), 1);
    EXPECT_EQ(zavo::test::StatusesFrom(shown_, 0).front(), "Loading bezier cache");
  }
}

// A cache of ours that holds nothing, only the marker, or the marker without
// a record (an older cache) is made again and overwritten.
TEST_F(PatchCache, AnEmptyMarkerOnlyOrUnrecordedCacheIsRebuilt) {
  GBezier* b = LoadWith<GBezier>("", "bezier name wing; div 4; }");
  Convert(*b);
  const std::string whole = ReadFile(dir_ / "wing.brp");
  const std::string mesh = whole.substr(whole.find("{ pbrep"));
  const std::string stale[] = {"",
                               "\n  \n",
                               "// bezier mesh cache",
                               "// bezier mesh cache\n",
                               "// bezier mesh cache\r\n",
                               "// bezier mesh cache\n" + mesh,
                               "// bezier mesh cache\n// from model 0 div 4 hierarchy auto 30\n" + mesh};
  for (const std::string& text : stale) {
    SCOPED_TRACE(text.substr(0, 60));
    WriteFile(dir_ / "wing.brp", text);
    b = LoadWith<GBezier>("", "bezier name wing; div 4; }");
    std::vector<std::string> texts;
    EXPECT_EQ(Convert(*b, &texts), 16);
    EXPECT_FALSE(Contains(texts, "Loading bezier cache"));
    EXPECT_TRUE(Contains(texts, "Saving bezier cache"));
    EXPECT_EQ(ReadFile(dir_ / "wing.brp"), whole);
  }
}

TEST_F(PatchCache, CacheZeroAndEmbeddedModelsTouchNoFile) {
  for (const std::string& body : {std::string("bezier name wing; cache 0; }"),
                                  "bezier model " + BezierText(FlatBezierPatch(0, 0, 1)) + " cache 1; }"}) {
    GBezier* b = LoadWith<GBezier>("_brep_optimiz hier;", body);
    ASSERT_NE(b, nullptr);
    std::vector<std::string> texts;
    EXPECT_EQ(Convert(*b, &texts), 25);
    EXPECT_EQ(Convert(*b, &texts), 25);
    for (const std::string& t : texts) EXPECT_EQ(t.find("cache"), std::string::npos) << t;
    EXPECT_FALSE(Exists(dir_ / "wing.brp"));
    EXPECT_FALSE(Exists(dir_ / "wing.br_"));
  }
  // With cache 0 a cache on disk is not read either.
  GBezier* b = LoadWith<GBezier>("", "bezier name wing; cache 1; }");
  Convert(*b);
  ASSERT_TRUE(Exists(dir_ / "wing.brp"));
  b = LoadWith<GBezier>("", "bezier name wing; cache 0; div 3; }");
  std::vector<std::string> texts;
  EXPECT_EQ(Convert(*b, &texts), 9);
  EXPECT_FALSE(Contains(texts, "Loading bezier cache"));
}

TEST_F(PatchCache, ABoundaryMeshFileOfTheSameNameIsNeverTouched) {
  WriteFile(dir_ / "wing.brp", kCube);
  WriteFile(dir_ / "wing.br_", "not a hierarchy");
  GBezier* b = LoadWith<GBezier>("_brep_optimiz hier;", "bezier name wing; div 4; }");
  ASSERT_NE(b, nullptr);
  std::vector<std::string> texts;
  EXPECT_EQ(Convert(*b, &texts), 16);
  EXPECT_FALSE(Contains(texts, "Loading bezier cache"));
  EXPECT_FALSE(Contains(texts, "Saving bezier cache"));
  ASSERT_EQ(b->SetPoint(0, Point3D{-0.5, -0.5, 1}), 1);
  ASSERT_EQ(b->UpdateModel(), 1);
  EXPECT_EQ(ReadFile(dir_ / "wing.brp"), kCube);
  EXPECT_EQ(ReadFile(dir_ / "wing.br_"), "not a hierarchy");
  // The brep object still reads its own mesh.
  ASSERT_EQ(LoadObject("brep name wing; }", "cube"), 1) << Error();
  EXPECT_EQ(Find<GBRep>("cube")->VertexCount(), 8);
}

TEST_F(PatchCache, BezierAndNURBSModelsOfOneNameNeverShareACache) {
  WriteFile(dir_ / "wing.nrb", NURBSText(BilinearNURBSPatch()) + ".\n");
  GBezier* b = LoadWith<GBezier>("", "bezier name wing; div 4; }");
  Convert(*b);
  const std::string bezierCache = ReadFile(dir_ / "wing.brp");
  CG_NURBSMesh* n = LoadWith<CG_NURBSMesh>("", "NURBSmesh name wing; div 3; }");
  ASSERT_NE(n, nullptr);
  std::vector<std::string> texts;
  EXPECT_EQ(Convert(*n, &texts), 9);
  EXPECT_FALSE(Contains(texts, "Loading NURBS cache"));
  EXPECT_EQ(Convert(*n, &texts), 9);
  EXPECT_EQ(ReadFile(dir_ / "wing.brp"), bezierCache);
  ASSERT_EQ(n->UpdateModel(), 1);
  EXPECT_EQ(ReadFile(dir_ / "wing.brp"), bezierCache);

  // Without the Bezier cache the NURBS model keeps one of its own.
  fs::remove(dir_ / "wing.brp");
  EXPECT_EQ(Convert(*n, &texts), 9);
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0], "NURBS 100%");
  EXPECT_EQ(texts[1], "Saving NURBS cache");
  EXPECT_EQ(ReadFile(dir_ / "wing.brp").rfind("// NURBS mesh cache\n", 0), 0u);
  EXPECT_EQ(Convert(*n, &texts), 9);
  EXPECT_EQ(texts.front(), "Loading NURBS cache");
  EXPECT_FALSE(HasPercent(texts));
}

TEST_F(PatchCache, ATruncatedCacheIsRebuiltAndOverwritten) {
  GBezier* b = LoadWith<GBezier>("", "bezier name wing; div 4; }");
  Convert(*b);
  const std::string whole = ReadFile(dir_ / "wing.brp");
  WriteFile(dir_ / "wing.brp", whole.substr(0, whole.size() / 2));
  std::vector<std::string> texts;
  EXPECT_EQ(Convert(*b, &texts), 16);
  EXPECT_EQ(texts.front(), "Loading bezier cache");
  EXPECT_TRUE(Contains(texts, "bezier 100%"));
  EXPECT_TRUE(Contains(texts, "Saving bezier cache"));
  EXPECT_EQ(ReadFile(dir_ / "wing.brp"), whole);
}

TEST_F(PatchCache, MovedPointsShowUntilUpdateModelWithoutTouchingTheCache) {
  GBezier* b = LoadWith<GBezier>("", "bezier name wing; div 4; }");
  Convert(*b);
  const std::string cache = ReadFile(dir_ / "wing.brp");
  ASSERT_EQ(b->SetPoint(0, Point3D{-0.5, -0.5, 2}), 1);
  std::vector<std::string> texts;
  Converted mesh;
  ASSERT_EQ(b->DeclassToFaced(mesh.parts, 0), 1);
  Point3D first;
  mesh.brep()->Vertex(0, first);
  EXPECT_EQ(first, (Point3D{-0.5, -0.5, 2}));
  EXPECT_EQ(ReadFile(dir_ / "wing.brp"), cache);
  EXPECT_TRUE(b->DiffersFromFile());
}

TEST_F(PatchCache, AfterUpdateModelTheTableComesFromTheSixDigitText) {
  GBezier* b = LoadWith<GBezier>("", "bezier name wing; cache 0; }");
  ASSERT_EQ(b->PointCount(), 16);
  Point3D p;
  ASSERT_EQ(b->GetPoint(1, p), 1);
  p.x += 1e-9;  // differs from point 1 only beyond six digits
  ASSERT_EQ(b->SetPoint(0, p), 1);
  EXPECT_EQ(b->PointCount(), 16);
  ASSERT_EQ(b->UpdateModel(), 1);
  EXPECT_EQ(b->PointCount(), 15);
  EXPECT_EQ(b->Controls()[0].refs.Count(), 2u);
}

// Fails every write of a model file.
bool FailingWriter(const fs::path&, const std::function<bool(std::ostream&)>&) { return false; }

TEST_F(PatchCache, AFailedWriteKeepsTheFileTheCacheAndTheMovedPoints) {
  GBezier* b = LoadWith<GBezier>("_brep_optimiz hier;", "bezier name wing; div 4; }");
  Convert(*b);
  const std::string model = ReadFile(dir_ / "wing.bzr");
  ASSERT_TRUE(Exists(dir_ / "wing.br_"));
  ASSERT_EQ(b->SetPoint(0, Point3D{-0.5, -0.5, 2}), 1);
  const zavo::ModelFileWriter old = zavo::SetModelFileWriter(FailingWriter);
  const int answer = b->UpdateModel();
  zavo::SetModelFileWriter(old);
  EXPECT_EQ(answer, 0);
  EXPECT_EQ(shown_.messages, std::vector<std::string>{"Cannot write wing.bzr"});
  EXPECT_EQ(ReadFile(dir_ / "wing.bzr"), model);
  EXPECT_TRUE(Exists(dir_ / "wing.brp"));
  EXPECT_TRUE(Exists(dir_ / "wing.br_"));
  EXPECT_EQ(b->Patches().First()->Control(0, 0), (Point3D{-0.5, -0.5, 2}));
  // The real writer then succeeds, and rewrites the file that was read.
  ASSERT_EQ(b->UpdateModel(), 1);
  EXPECT_NE(ReadFile(dir_ / "wing.bzr"), model);
  EXPECT_EQ(b->Patches().First()->Control(0, 0), (Point3D{-0.5, -0.5, 2}));
}

TEST_F(PatchCache, UpdateModelRewritesTheFileThatWasReadWhateverTheCaseOfItsName) {
  fs::rename(dir_ / "wing.bzr", dir_ / "models" / "Wing.bzr");
  GBezier* b = LoadWith<GBezier>("", "bezier name wing; cache 0; }");
  ASSERT_NE(b, nullptr) << Error();
  ASSERT_EQ(b->SetPoint(0, Point3D{-0.5, -0.5, 3}), 1);
  ASSERT_EQ(b->UpdateModel(), 1);
  EXPECT_FALSE(Exists(dir_ / "models" / "wing.bzr"));
  EXPECT_NE(ReadFile(dir_ / "models" / "Wing.bzr").find("( -0.5 , -0.5 , 3 )"), std::string::npos);
}

}  // namespace

namespace {

// What a ray straight down at (x, y) meets on the mesh: the distance, the
// point and the normal (all zero for a miss).
std::vector<double> DownAt(const GBRep& mesh, double x, double y) {
  const Ray ray{{x, y, 10}, {0, 0, -1}};
  auto record = mesh.NewIntrInfo();
  if (mesh.Intersect(ray, *record) == 0) return {0, 0, 0, 0, 0, 0, 0};
  CG_MaterialPhong material;
  Point3D point;
  Point3D normal;
  mesh.HitDetails(ray, *record, 0, material, point, normal);
  return {record->Value(0), point.x, point.y, point.z, normal.x, normal.y, normal.z};
}

}  // namespace

// The render that writes the cache draws what every later render, which reads
// it, draws: the mesh it uses is the one written, numbers rounded as stored.
TEST_F(PatchCache, TheRenderThatWritesTheCacheUsesTheMeshAsWritten) {
  WriteFile(dir_ / "hill.bzr", BezierText(BezierPatchText([](int r, int c) {
              return Point3D{0.37 * r - 0.55, 0.41 * c - 0.61, 0.29 * ((r * 7 + c * 3) % 5) / 3.0};
            })));
  GBezier* b = LoadWith<GBezier>("_brep_optimiz hier;", "bezier name hill; div 7; cache 1; }");
  ASSERT_NE(b, nullptr);
  Converted first;
  ASSERT_EQ(b->DeclassToRayTraceable(first.parts), 1);
  ASSERT_TRUE(Exists(dir_ / "hill.brp"));
  Converted second;
  std::size_t from = shown_.statuses.size();
  ASSERT_EQ(b->DeclassToRayTraceable(second.parts), 1);
  EXPECT_EQ(zavo::test::StatusesFrom(shown_, from).front(), "Loading bezier cache");
  ASSERT_NE(first.brep(), nullptr);
  ASSERT_NE(second.brep(), nullptr);
  ASSERT_EQ(first.brep()->VertexCount(), second.brep()->VertexCount());
  for (int i = 0; i < first.brep()->VertexCount(); ++i) {
    Point3D p;
    Point3D q;
    first.brep()->Vertex(i, p);
    second.brep()->Vertex(i, q);
    ASSERT_TRUE(p.x == q.x && p.y == q.y && p.z == q.z) << "vertex " << i;
  }
  int hits = 0;
  for (int i = 0; i < 9; ++i) {
    for (int j = 0; j < 9; ++j) {
      const double x = -0.5 + i * 0.13;
      const double y = -0.55 + j * 0.149;
      const std::vector<double> a = DownAt(*first.brep(), x, y);
      EXPECT_EQ(a, DownAt(*second.brep(), x, y)) << "ray at " << x << ", " << y;
      hits += a[0] != 0 ? 1 : 0;
    }
  }
  EXPECT_GT(hits, 40);
}
