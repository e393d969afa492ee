#include "models/core/brep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/geo_scanner.h"
#include "geometry/bounding_object.h"
#include "model_scene.h"
#include "scene/fakes.h"
#include "scene/material.h"

namespace {

namespace fs = std::filesystem;

using zavo::test::Entries;
using zavo::test::ModelScene;
using zavo::test::ReadFile;
using zavo::test::RecordingInterface;
using zavo::test::ScopedCwd;
using zavo::test::TempDir;
using zavo::test::WriteFile;
using zavo::test::Written;

const std::string kCube = ReadFile(zavo::test::DataPath("models/core/cube.brp"));

// A pbrep block of one face, a triangle or a quadrilateral.
const char kTriangle[] = "{ pbrep vertices 3 0 0 0 1 0 0 0 1 0 faces 1 { 1 { 3 0 1 2 } } }";
const char kQuad[] = "{ pbrep vertices 4 0 0 0 1 0 0 1 1 0 0 1 0 faces 1 { 1 { 4 0 1 2 3 } } }";

// The status texts of face-hierarchy builds among those shown.
std::vector<std::string> HierarchyTexts(const std::vector<std::string>& shown) {
  std::vector<std::string> texts;
  for (const std::string& s : shown) {
    if (s.rfind("Loading hierarchy", 0) == 0 || s.rfind("Creating hierarchy", 0) == 0 ||
        s.rfind("Saving hierarchy", 0) == 0) {
      texts.push_back(s);
    }
  }
  return texts;
}

// The scene text of one brep object "b" with the given body.
std::string BRepObject(const std::string& body) { return "brep " + body; }

// Loads in a temporary working directory that holds cube.brp, and
// models/other.brp along the model path.
class BRepFiles : public ::testing::Test {
protected:
  BRepFiles() : cwd_(dir_.path()) {
    WriteFile(dir_ / "cube.brp", kCube);
    fs::create_directory(dir_ / "models");
    WriteFile(dir_ / "models" / "other.brp", kCube);
    scene_.scene().SetModelPath("models");
    scene_.scene().SetInterface(&shown_);
  }

  GBRep* Load(const std::string& body) {
    if (!scene_.LoadObject(BRepObject(body), "b")) return nullptr;
    return dynamic_cast<GBRep*>(scene_.Find("b"));
  }

  TempDir dir_;
  ScopedCwd cwd_;
  ModelScene scene_;
  RecordingInterface shown_;
};

TEST_F(BRepFiles, ReaderCases) {
  struct Case {
    const char* body;
    int code;
    const char* message;
  };
  const std::vector<Case> failures = {
      {"name missing;", 4, "file \"missing.brp\" not found in model path"},
      {"costr 1;", 5, "Model name missing"},
      {"", 5, "Model name missing"},
      {"5 name cube;", 5, "attribute or '}' waited"},
      {"name cube; foo 1;", 5, "Unknown attribute"},
      {"name cube; Name cube;", 5, "Unknown attribute"},
      {"name cube costr 1;", 2, "Caracter ';' not found"},
      {"name cube; costr 1", 2, "Caracter ';' not found"},
      {"name cube; costr x;", 1, "Generic Error"},
      {"name cube; interp ;", 1, "Generic Error"},
      {"model { pbrep vertices 3 0 0 0 1 0 0 0 1 0 faces 1 { 1 { 3 0 1 7 } } }", 5, "Error in pbrep model"},
      {"model { pbrep vertices 3 0 0 0 1 0 0 0 1 0 faces 0 }", 5, "Error in pbrep model"},
  };
  for (const Case& c : failures) {
    SCOPED_TRACE(c.body);
    EXPECT_EQ(Load(c.body), nullptr);
    EXPECT_EQ(scene_.Code(), c.code);
    EXPECT_EQ(scene_.Message(), c.message);
  }
}

TEST_F(BRepFiles, FindsTheFileInTheWorkingDirectoryThenAlongTheModelPath) {
  GBRep* here = Load("name cube; costr 0;");
  ASSERT_NE(here, nullptr);
  EXPECT_EQ(std::string(here->ModelPath()), "cube");
  EXPECT_EQ(std::string(here->ModelName()), "cube");
  EXPECT_EQ(here->IsInline(), 0);
  EXPECT_EQ(here->FaceCount(), 12);
  EXPECT_EQ(here->VertexCount(), 8);
  EXPECT_EQ(here->IsTriangleMesh(), 1);
  EXPECT_EQ(here->IsIndexedMesh(), 1);
  EXPECT_EQ(here->Costr(), 0.0);
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(here, box), 1);
  EXPECT_EQ(box, (GEO_Box{0, 1, 0, 1, 0, 1}));

  GBRep* there = Load("name other; costr 0;");
  ASSERT_NE(there, nullptr);
  EXPECT_EQ(std::string(there->ModelPath()), "models/other");
  EXPECT_EQ(std::string(there->ModelName()), "other");
  EXPECT_EQ(Written(*there),
            "{ object\n\tname b;\n\tmodel { brep\n\t\tname other;\n\t\tcostr 0;\n\t\tinterp 0;\n\t}\n}\n");
}

TEST_F(BRepFiles, AFileThatDoesNotReadFailsTheLoad) {
  WriteFile(dir_ / "broken.brp", "{ pbrep vertices 3 0 0 0 1 0 0 0 1 0 faces 1 { 1 { 3 0 1 9 } } }");
  EXPECT_EQ(Load("name broken;"), nullptr);
  EXPECT_EQ(scene_.Code(), 5);
  EXPECT_EQ(scene_.Message(), "Error in pbrep model broken.brp");
  WriteFile(dir_ / "models" / "cut.brp", kCube.substr(0, kCube.size() / 2));
  EXPECT_EQ(Load("name cut;"), nullptr);
  EXPECT_EQ(scene_.Message(), "Error in pbrep model models/cut.brp");
}

TEST_F(BRepFiles, AnInlineMeshWinsAndRoundTrips) {
  GBRep* both = Load(std::string("name cube; model ") + kTriangle + " costr 0;");
  ASSERT_NE(both, nullptr);
  EXPECT_EQ(both->IsInline(), 1);
  EXPECT_EQ(both->FaceCount(), 1);
  const std::string text = Written(*both);
  EXPECT_EQ(text,
            "{ object\n\tname b;\n\tmodel { brep\n\t\tmodel { pbrep\n\nvertices\n\n3\n\n0 0 0\n1 0 0\n0 1 0\n\n"
            "faces\n\n1\n\n\t{\t1\n\t\t{ 3    0 1 2 }\n\t}\n\n }\n\n\t\tcostr 0;\n\t\tinterp 0;\n\t}\n}\n");
  ModelScene again;
  ASSERT_EQ(again.Load(text + ".\n"), 1);
  ASSERT_NE(again.Find("b"), nullptr);
  EXPECT_EQ(Written(*again.Find("b")), text);
}

TEST_F(BRepFiles, SettingsAreWrittenOnlyWhenTheyDifferFromTheDefaults) {
  // interp_ang pi/6 and interp_hold 0 are left out; abspos and algoritm never written.
  GBRep* plain = Load(std::string("model ") + kTriangle + " interp_ang 0.5235987755982988; interp_hold 0;"
                      " abspos 3; algoritm 2;");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->Costr(), 1.2);  // the reader's default
  EXPECT_EQ(plain->Algorithm(), 3);  // the "auto" build
  const std::string plainText = Written(*plain);
  EXPECT_NE(plainText.find("\n\t\tcostr 1.2;\n\t\tinterp 0;\n\t}\n}\n"), std::string::npos);
  EXPECT_EQ(plainText.find("interp_"), std::string::npos);

  // With smoothing held, the corner normals travel with the inline mesh.
  GBRep* held = Load(std::string("model ") + kTriangle + " interp 1; interp_ang 0.5; interp_hold 2;");
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(held->Interp(), 1);
  EXPECT_EQ(held->InterpHold(), 2);
  const std::string heldText = Written(*held);
  EXPECT_NE(heldText.find("{ 3    0 1 2 ( 0 , 0 , 1 ) ( 0 , 0 , 1 ) ( 0 , 0 , 1 ) }"), std::string::npos);
  EXPECT_NE(heldText.find("\n\t\tcostr 1.2;\n\t\tinterp 1;\n\t\tinterp_ang 0.5;\n\t\tinterp_hold 2;\n\t}\n}\n"),
            std::string::npos);
  ModelScene again;
  ASSERT_EQ(again.Load(heldText + ".\n"), 1);
  EXPECT_EQ(Written(*again.Find("b")), heldText);
}

TEST_F(BRepFiles, AMeshThatIsNotAllTrianglesHasNoSmoothing) {
  GBRep* quad = Load(std::string("model ") + kQuad + " interp 1; interp_ang 1; interp_hold 1;");
  ASSERT_NE(quad, nullptr);
  EXPECT_EQ(quad->IsTriangleMesh(), 0);
  EXPECT_EQ(quad->IsIndexedMesh(), 0);
  EXPECT_EQ(quad->Interp(), 0);
  EXPECT_EQ(quad->InterpAngle(), zavo::kDefaultCreaseAngle);
  EXPECT_EQ(quad->InterpHold(), 0);
  const std::string text = Written(*quad);
  EXPECT_NE(text.find("{ 4    0 1 2 3 }"), std::string::npos);
  EXPECT_NE(text.find("\n\t\tinterp 0;\n\t}\n}\n"), std::string::npos);
}

TEST_F(BRepFiles, MeshQueries) {
  GBRep* cube = Load("name cube; costr 0;");
  ASSERT_NE(cube, nullptr);
  Point3D first, meshFirst;
  cube->Vertex(0, first);
  cube->MeshVertex(1, meshFirst);
  EXPECT_EQ(first, (Point3D{0, 0, 0}));
  EXPECT_EQ(meshFirst, first);
  Point3D last;
  cube->MeshVertex(8, last);
  EXPECT_EQ(last, (Point3D{0, 1, 1}));

  EXPECT_EQ(cube->FaceLoopCount(3), 1);
  Seq<int> indices;
  cube->FaceIndices(3, 0, indices);
  EXPECT_EQ(Entries(indices), (std::vector<int>{5, 7, 8}));
  int a = 0, b = 0, c = 0;
  cube->MeshTriangle(3, a, b, c);
  EXPECT_EQ((std::vector<int>{a, b, c}), (std::vector<int>{5, 7, 8}));
  EXPECT_EQ(cube->TriangleCount(), 12);
  EXPECT_EQ(cube->MeshTriangleCount(), 12);
  Point3D pa, pb, pc, colour;
  cube->Triangle(3, pa, pb, pc, colour);
  EXPECT_EQ(pa, (Point3D{0, 0, 1}));
  EXPECT_EQ(pb, (Point3D{1, 1, 1}));
  EXPECT_EQ(pc, (Point3D{0, 1, 1}));
  // No material: the default Phong colour, and no material to hand out.
  EXPECT_EQ(colour, (Point3D{0.5, 0.5, 0.5}));
  cube->FaceColour(0, colour);
  EXPECT_EQ(colour, (Point3D{0.5, 0.5, 0.5}));
  EXPECT_EQ(cube->MeshMaterial(), nullptr);
  EXPECT_EQ(cube->HasMaterialOfClass(CG_MaterialPhong()), 1);

  // 12 sides of the cube and 6 diagonals.
  EXPECT_EQ(cube->HasEdges(), 1);
  EXPECT_EQ(cube->EdgeCount(), 18);
  cube->Edge(0, a, b);
  EXPECT_NE(a, 0);
  EXPECT_NE(b, 0);
}

TEST_F(BRepFiles, HiddenEdgesKeepTheirSign) {
  GBRep* mesh = Load("model { pbrep vertices 3 0 0 0 1 0 0 0 1 0 faces 1 { 1 { 3 0 *1 2 } } } costr 0;");
  ASSERT_NE(mesh, nullptr);
  Seq<int> indices;
  mesh->FaceIndices(0, 0, indices);
  EXPECT_EQ(Entries(indices), (std::vector<int>{1, -2, 3}));
  int a = 0, b = 0, c = 0;
  mesh->MeshTriangle(0, a, b, c);
  EXPECT_EQ(b, -2);
  Point3D pa, pb, pc, colour;
  mesh->Triangle(0, pa, pb, pc, colour);
  EXPECT_EQ(pb, (Point3D{1, 0, 0}));
}

TEST_F(BRepFiles, AContourTheFaceDoesNotHaveIsAnInternalError) {
  GBRep* cube = Load("name cube; costr 0;");
  ASSERT_NE(cube, nullptr);
  Seq<int> indices;
  EXPECT_EXIT(cube->FaceIndices(0, 1, indices), ::testing::ExitedWithCode(1), "Runtime Error: CF == NULL in GBrep");
}

TEST_F(BRepFiles, HierarchyKindsAndTheirCacheFiles) {
  struct Case {
    const char* kind;
    const char* costr;
    bool cacheWritten;
    int algorithm;
  };
  const std::vector<Case> cases = {
      // The grid build of so small a mesh gives way to the median build,
      // which keeps no cache for it.
      {"hier", "1.2", true, 1},     {"fasthier", "1.2", false, 1}, {"whatever", "1.2", true, 1},
      {"auto", "1.2", false, 3},    {"median", "1.2", false, 3},  {"hier", "0", false, 1},
      {"auto", "0", false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " costr " + c.costr);
    fs::remove(dir_ / "cube.br_");
    ModelScene scene;
    ASSERT_EQ(scene.Load(std::string("{ param _brep_optimiz ") + c.kind + "; _brep_grid_dim 4; }\n"
                         "{ object name b; model { brep name cube; costr " + c.costr + "; } }\n.\n"),
              1);
    auto* cube = dynamic_cast<GBRep*>(scene.Find("b"));
    ASSERT_NE(cube, nullptr);
    EXPECT_EQ(fs::exists(dir_ / "cube.br_"), c.cacheWritten);
    EXPECT_EQ(cube->Algorithm(), c.algorithm);
    EXPECT_EQ(cube->Mesh().hierarchy != nullptr, std::string(c.costr) != "0");
  }
}

TEST_F(BRepFiles, AStaleCacheIsRebuilt) {
  const std::string scene = "{ param _brep_optimiz hier; }\n{ object name b; model { brep name cube; } }\n.\n";
  ASSERT_EQ(scene_.Load(scene), 1) << scene_.Message() << " " << scene_.scene().GetErrorLine();
  ASSERT_TRUE(fs::exists(dir_ / "cube.br_"));
  EXPECT_EQ(shown_.statuses.back(), "Saving hierarchy cube.br_");

  shown_.statuses.clear();
  ASSERT_EQ(scene_.Load(scene), 1);
  EXPECT_EQ(HierarchyTexts(shown_.statuses), std::vector<std::string>{"Loading hierarchy cube.br_"});

  // Fewer faces, then moved vertices: the cache no longer fits.
  std::string fewer = kCube;
  fewer.replace(fewer.find("faces 12"), 8, "faces 10");
  const std::string lastTwo = "{ 1 { 3  3 0 4 } }  { 1 { 3  3 4 7 } }\n";
  fewer.erase(fewer.find(lastTwo), lastTwo.size());
  const std::vector<std::string> edits = {
      fewer,
      std::string(kCube).replace(kCube.find("1 1 1"), 5, "9 9 9"),
  };
  for (const std::string& edit : edits) {
    WriteFile(dir_ / "cube.brp", edit);
    const std::string before = ReadFile(dir_ / "cube.br_");
    shown_.statuses.clear();
    ASSERT_EQ(scene_.Load(scene), 1);
    EXPECT_EQ(HierarchyTexts(shown_.statuses), (std::vector<std::string>{"Loading hierarchy cube.br_", "Creating hierarchy",
                                                   "Saving hierarchy cube.br_"}));
    EXPECT_NE(ReadFile(dir_ / "cube.br_"), before);
  }
}

// ---- The object's own operations ----

std::unique_ptr<GBRep> InlineBRep(const char* pbrep, double costr = 0.0, GeoInterface* progress = nullptr) {
  std::istringstream in(pbrep);
  GeoScanner scanner(in);
  scanner.Next();
  CG_BRepDescription d;
  d.isInline = 1;
  d.mesh = std::make_unique<BRepModel3>("mod");
  EXPECT_EQ(d.mesh->Read(scanner), 1);
  d.costr = costr;
  d.progress = progress;
  CG_GraphicObjectCommData data;
  data.name = "b";
  return std::make_unique<GBRep>(data, d);
}

TEST(BRepObject, TheDescriptionHandsTheInlineMeshOverAndBack) {
  auto brep = InlineBRep(kTriangle);
  const std::string text = Written(*brep);
  CG_BRepDescription d;
  brep->GetDescription(d);
  ASSERT_NE(d.mesh, nullptr);
  EXPECT_EQ(d.mesh->vertices.Count(), 3u);
  EXPECT_EQ(brep->VertexCount(), 0);  // the object keeps no mesh meanwhile
  EXPECT_EQ(brep->FaceCount(), 0);
  d.algorithm = 2;
  ASSERT_EQ(brep->SetDescription(d), 1);
  EXPECT_EQ(d.mesh, nullptr);
  EXPECT_EQ(brep->VertexCount(), 3);
  EXPECT_EQ(brep->Algorithm(), 2);
  EXPECT_EQ(Written(*brep), text);
  EXPECT_EQ(brep->Clone(), nullptr);  // an inline mesh cannot be cloned
}

TEST(BRepObject, SetDescriptionReplacesTheAlgorithmOfTheAutoBuild) {
  auto brep = InlineBRep(kTriangle, 1.2);
  EXPECT_EQ(brep->Algorithm(), 3);  // the constructor keeps the 3 of the "auto" build
  CG_BRepDescription d;
  brep->GetDescription(d);
  d.algorithm = 1;
  ASSERT_EQ(brep->SetDescription(d), 1);
  EXPECT_EQ(brep->Algorithm(), 1);
}

TEST(BRepObject, PatchPointsAndCurveControlsStayApart) {
  auto brep = InlineBRep(kTriangle);
  CG_PatchModelBased* patch = brep.get();
  CG_GraphicObject* object = brep.get();
  Point3D p;
  EXPECT_EQ(patch->ControlCount(), 3);
  EXPECT_EQ(patch->GetControl(1, p), 1);
  EXPECT_EQ(p, (Point3D{1, 0, 0}));
  EXPECT_EQ(patch->GetControl(3, p), 0);
  // The object's curve operations keep their defaults.
  EXPECT_EQ(object->ControlCount(), 0);
  EXPECT_EQ(object->GetControl(1, p), 0);
  EXPECT_EQ(object->SetControl(1, Point3D{5, 5, 5}), 0);
  brep->Vertex(1, p);
  EXPECT_EQ(p, (Point3D{1, 0, 0}));
  // Points move through the patch interface and are committed by UpdateModel.
  EXPECT_EQ(patch->SetControl(1, Point3D{4, 0, 0}), 1);
  EXPECT_EQ(patch->UpdateModel(), 1);
  brep->Vertex(1, p);
  EXPECT_EQ(p, (Point3D{4, 0, 0}));
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(brep.get(), box), 1);
  EXPECT_EQ(box.xmax, 4);
  EXPECT_EQ(brep->Mesh().faces[0].unitNormal.z, 1.0);  // the faces were recomputed
}

class BRepFileObject : public BRepFiles {
protected:
  std::unique_ptr<GBRep> FileBRep(const char* path, const char* name) {
    CG_BRepDescription d;
    d.name = name;
    d.path = path;
    d.costr = 1.2;
    d.hierKind = "hier";
    d.progress = &shown_;
    CG_GraphicObjectCommData data;
    data.name = "f";
    auto brep = std::make_unique<GBRep>(data, d);
    EXPECT_EQ(brep->Loaded(), 1);
    return brep;
  }
};

TEST_F(BRepFileObject, CloneLoadsTheFileAgain) {
  auto brep = FileBRep("models/other", "other");
  std::unique_ptr<CG_GraphicObject> copy = brep->Clone();
  ASSERT_NE(dynamic_cast<GBRep*>(copy.get()), nullptr);
  EXPECT_EQ(Written(*copy), Written(*brep));
  EXPECT_EQ(copy->FaceCount(), 12);
  fs::remove(dir_ / "models" / "other.brp");
  EXPECT_EQ(brep->Clone(), nullptr);
}

TEST_F(BRepFileObject, AFileGoneAtALaterLoadKeepsTheMesh) {
  auto brep = FileBRep("models/other", "other");
  fs::remove(dir_ / "models" / "other.brp");
  CG_BRepDescription d;
  brep->GetDescription(d);
  EXPECT_EQ(brep->SetDescription(d), 0);
  EXPECT_EQ(shown_.messages, std::vector<std::string>{"cannot find the model models/other.brp"});
  EXPECT_EQ(brep->FaceCount(), 12);
  EXPECT_EQ(brep->UpdateModel(), 1);  // writes the file anew, then reads it back
  EXPECT_TRUE(fs::exists(dir_ / "models" / "other.brp"));

  WriteFile(dir_ / "models" / "other.brp", "{ pbrep");
  EXPECT_EQ(brep->SetDescription(d), 0);
  EXPECT_EQ(shown_.messages.back(), "Error in pbrep model models/other.brp");
  EXPECT_EQ(brep->FaceCount(), 12);
}

TEST_F(BRepFileObject, UpdateModelRewritesTheFileAndDropsTheCache) {
  auto brep = FileBRep("cube", "cube");
  ASSERT_TRUE(fs::exists(dir_ / "cube.br_"));
  const std::string oldCache = ReadFile(dir_ / "cube.br_");
  ASSERT_EQ(brep->SetPoint(6, Point3D{2, 2, 2}), 1);
  shown_.statuses.clear();
  ASSERT_EQ(brep->UpdateModel(), 1);
  const std::string text = ReadFile(dir_ / "cube.brp");
  EXPECT_EQ(text.substr(text.size() - 3), "\n.\n");
  EXPECT_NE(text.find("\n2 2 2\n"), std::string::npos);
  // The cache was removed, so the reload built and saved a new one.
  EXPECT_EQ(shown_.statuses.front(), "Creating hierarchy");
  EXPECT_NE(ReadFile(dir_ / "cube.br_"), oldCache);
  GEO_Box box;
  ASSERT_EQ(CG_GraphicObject::GetBox(brep.get(), box), 1);
  EXPECT_EQ(box, (GEO_Box{0, 2, 0, 2, 0, 2}));
}

TEST_F(BRepFileObject, UpdateModelThatCannotWriteKeepsTheOldFile) {
  auto brep = FileBRep("models/other", "other");
  fs::rename(dir_ / "models", dir_ / "elsewhere");
  brep->SetPoint(0, Point3D{-1, -1, -1});
  EXPECT_EQ(brep->UpdateModel(), 0);
  EXPECT_EQ(shown_.messages, std::vector<std::string>{"cannot write the model models/other.brp"});
  EXPECT_EQ(ReadFile(dir_ / "elsewhere" / "other.brp"), kCube);
  EXPECT_FALSE(fs::exists(dir_ / "models"));
}

}  // namespace
