#include "models/curved/nurbs_mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "curved_scene.h"
#include "geometry/geo_scanner.h"
#include "patch_text.h"

namespace {

namespace fs = std::filesystem;

using zavo::test::BilinearNURBSPatch;
using zavo::test::Converted;
using zavo::test::CurvedFiles;
using zavo::test::NURBSText;
using zavo::test::ReadFile;
using zavo::test::WriteFile;

int ReadText(const std::string& text, List<CG_NURBSPatch>& patches) {
  std::istringstream in(text);
  GeoScanner scanner(in);
  scanner.Next();
  return CG_NURBSMesh::ReadPatches(scanner, patches);
}

int Count(const List<CG_NURBSPatch>& patches) {
  int n = 0;
  for (auto it = patches.begin(); it != patches.end(); ++it) ++n;
  return n;
}

// A patch text: header numbers as given, knots as given, dimx * dimy
// controls (c outer, r inner) at (r, c, r * c) with weight 1.
std::string PatchText(const std::string& header, const std::string& knotsU, const std::string& knotsV,
                      int dimx, int dimy) {
  std::string text = "{ patch " + header + "\n{ " + knotsU + " }\n{ " + knotsV + " }\n";
  for (int c = 0; c < dimy; ++c) {
    for (int r = 0; r < dimx; ++r) {
      text += "( " + std::to_string(r) + " , " + std::to_string(c) + " , " + std::to_string(r * c) + " ) , 1;\n";
    }
  }
  return text + "}\n";
}

std::string Knots(const std::vector<double>& values) {
  std::ostringstream os;
  for (double v : values) os << v << "; ";
  return os.str();
}

TEST(NURBSText, Cases) {
  const std::string k4 = Knots({0, 0, 1, 1});
  const std::string header = "orderx 2; ordery 2; dimx 2; dimy 2;";
  struct Case {
    std::string text;
    int ok;
    int patches;
  } cases[] = {
      {NURBSText(""), 1, 0},
      {NURBSText(BilinearNURBSPatch()), 1, 1},
      {NURBSText(BilinearNURBSPatch() + BilinearNURBSPatch(2)), 1, 2},
      {NURBSText(PatchText("a 2 , b 2 , c 2 , d 2 ,", k4, k4, 2, 2)), 1, 1},  // words and separators not looked at
      {NURBSText(PatchText("orderx 2.9; ordery 2; dimx 2.5; dimy 2;", k4, k4, 2, 2)), 1, 1},
      {NURBSText(PatchText("orderx 1; ordery 1; dimx 1; dimy 1;", Knots({0, 1}), Knots({0, 1}), 1, 1)), 1, 1},
      {"{ nurbs\n}\n", 0, 0},
      {NURBSText("{ " + BilinearNURBSPatch().substr(2)).replace(8, 1, "{ { "), 0, 0},
      {NURBSText("{ surface }"), 0, 0},
      {NURBSText(PatchText("orderx 0; ordery 2; dimx 2; dimy 2;", Knots({0, 1}), k4, 2, 2)), 0, 0},
      {NURBSText(PatchText("orderx 17; ordery 2; dimx 17; dimy 2;", Knots(std::vector<double>(34, 0.0)), k4, 17, 2)), 0, 0},
      {NURBSText(PatchText("orderx 3; ordery 2; dimx 2; dimy 2;", Knots({0, 0, 0, 1, 1}), k4, 2, 2)), 0, 0},
      {NURBSText(PatchText("orderx 2; ordery 2; dimx -2; dimy 2;", k4, k4, 2, 2)), 0, 0},
      {NURBSText(PatchText("orderx 1; ordery 1; dimx 10001; dimy 1;", k4, k4, 0, 0)), 0, 0},
      {NURBSText(PatchText("orderx 1; ordery 1; dimx 2000; dimy 501;", k4, k4, 0, 0)), 0, 0},
      {NURBSText(PatchText("orderx 2; ordery 2; dimx two; dimy 2;", k4, k4, 2, 2)), 0, 0},
      {NURBSText(PatchText(header, Knots({0, 1, 0.5, 1}), k4, 2, 2)), 0, 0},
      {NURBSText(PatchText(header, "0; 0; one; 1;", k4, 2, 2)), 0, 0},
      {NURBSText(BilinearNURBSPatch() + PatchText(header, k4, k4, 2, 1)), 0, 1},  // controls missing
      {NURBSText(BilinearNURBSPatch()).substr(0, 60), 0, 0},
      {"{ NURBS\n" + BilinearNURBSPatch(), 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 200));
    List<CG_NURBSPatch> patches;
    EXPECT_EQ(ReadText(c.text, patches), c.ok);
    EXPECT_EQ(Count(patches), c.patches);
  }
  // A weight that is no number, a point that does not read.
  std::string badWeight = NURBSText(BilinearNURBSPatch());
  badWeight.replace(badWeight.find(") , 1;"), 6, ") , w;");
  std::string badPoint = NURBSText(BilinearNURBSPatch());
  badPoint.replace(badPoint.find("( 1 , 0 , 0 )"), 13, "( 1 , 0 )");
  for (const std::string& text : {badWeight, badPoint}) {
    List<CG_NURBSPatch> patches;
    EXPECT_EQ(ReadText(text, patches), 0) << text;
  }
}

TEST(NURBSText, HeaderValuesAndTheWrittenForm) {
  List<CG_NURBSPatch> patches;
  ASSERT_EQ(ReadText(NURBSText(BilinearNURBSPatch(3)), patches), 1);
  const CG_NURBSPatch& p = *patches.First();
  EXPECT_EQ(p.orderx, 2);
  EXPECT_EQ(p.dimy, 2);
  EXPECT_EQ(p.controls(1, 0), (Point3D{1, 0, 0}));  // r runs along the text's inner loop
  EXPECT_EQ(p.controls(0, 1), (Point3D{0, 1, 0}));
  EXPECT_EQ(p.weights(1, 1), 3.0);
  std::ostringstream os;
  CG_NURBSMesh::WritePatches(os, patches);
  EXPECT_EQ(os.str(),
            "{ NURBS\n\n\t{ patch\n\t\torderx 2;\n\t\tordery 2;\n\t\tdimx 2;\n\t\tdimy 2;\n"
            "\t\t{\n\t\t\t0;\n\t\t\t0;\n\t\t\t1;\n\t\t\t1;\n\t\t}\n\t\t{\n\t\t\t0;\n\t\t\t0;\n\t\t\t1;\n\t\t\t1;\n\t\t}\n"
            "( 0 , 0 , 0 ) , 1;\n( 1 , 0 , 0 ) , 1;\n( 0 , 1 , 0 ) , 1;\n( 1 , 1 , 1 ) , 3;\n\t}\n\n}\n");
}

TEST(NURBSEvaluation, BilinearPatchGivesTheWeightedMeanOfItsCorners) {
  for (const auto& [w, expected] : {std::pair{1.0, Point3D{0.5, 0.5, 0.25}},
                                    std::pair{3.0, Point3D{4.0 / 6, 4.0 / 6, 3.0 / 6}}}) {
    List<CG_NURBSPatch> patches;
    ASSERT_EQ(ReadText(NURBSText(BilinearNURBSPatch(w)), patches), 1);
    const Point3D p = patches.First()->PointAt(0.5, 0.5);
    EXPECT_NEAR(p.x, expected.x, 1e-12);
    EXPECT_NEAR(p.y, expected.y, 1e-12);
    EXPECT_NEAR(p.z, expected.z, 1e-12);
  }
}

TEST(NURBSEvaluation, MultipleKnotsAndZeroWeightsGiveFinitePoints) {
  List<CG_NURBSPatch> patches;
  const std::string k = Knots({0, 0, 0, 0.5, 0.5, 1, 1, 1});
  ASSERT_EQ(ReadText(NURBSText(PatchText("orderx 3; ordery 3; dimx 5; dimy 5;", k, k, 5, 5)), patches), 1);
  CG_NURBSPatch& p = *patches.First();
  for (int i = 0; i <= 10; ++i) {
    for (int j = 0; j <= 10; ++j) {
      const Point3D q = p.PointAt(i / 10.0, j / 10.0);
      EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z)) << i << " " << j;
    }
  }
  // The clamped ends are the corner control points (the limit from below at the top).
  EXPECT_EQ(p.PointAt(1, 1), (Point3D{4, 4, 16}));
  EXPECT_EQ(p.PointAt(0, 0), (Point3D{0, 0, 0}));
  for (std::uint32_t r = 0; r < 5; ++r) {
    for (std::uint32_t c = 0; c < 5; ++c) p.weights(r, c) = 0.0;
  }
  const Point3D q = p.PointAt(0.25, 0.75);
  EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z));
  EXPECT_NEAR(q.x, 1.0, 1e-12);  // the unweighted point
}

TEST(NURBSEvaluation, TheUndefinedDerivativesGoToTheInternalErrorBox) {
  CG_NURBSPatch p;
  Point3D out;
  EXPECT_EXIT(p.DU(0, 0, out), ::testing::ExitedWithCode(1), "Runtime Error: CG_NURBSPatch::DU undef");
  EXPECT_EXIT(p.DV(0, 0, out), ::testing::ExitedWithCode(1), "Runtime Error: CG_NURBSPatch::DV undef");
}

class NURBSFiles : public CurvedFiles, public ::testing::Test {
protected:
  NURBSFiles() {
    const std::string k = Knots({0, 0, 0, 1, 2, 2, 2});
    WriteFile(dir_ / "net.nrb",
              NURBSText(PatchText("orderx 3; ordery 3; dimx 4; dimy 4;", k, k, 4, 4) + BilinearNURBSPatch(2)) +
                  ".\n");
    WriteFile(dir_ / "hull.nrb", NURBSText(BilinearNURBSPatch()).substr(0, 80));
  }
};

TEST_F(NURBSFiles, BodyCases) {
  const std::string inlineText = NURBSText(BilinearNURBSPatch());
  struct Case {
    std::string body;
    std::string error;
    int embedded, div, cache;
  } cases[] = {
      {"NURBSmesh name net; }", "", 0, 5, 1},
      {"NURBSmesh model " + inlineText + " div 4; cache 0; }", "", 1, 4, 0},
      {"NURBSmesh model " + inlineText + " name net; div 2.9; cache yes; }", "", 1, 2, 0},
      {"NURBSmesh name net; cache 1 }", "1 Generic Error", 0, 0, 0},
      {"NURBSmesh name net; weight 1; }", "1 Generic Error", 0, 0, 0},
      {"NURBSmesh cache 1; }", "1 Generic Error", 0, 0, 0},
      {"NURBSmesh model { NURBS { patch } } }", "1 Generic Error", 0, 0, 0},
      {"NURBSmesh name nowhere; }", "4 file \"nowhere.nrb\" not found in model path", 0, 0, 0},
      {"NURBSmesh name hull; }", "5 Error in NURBS model hull.nrb", 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body.substr(0, 100));
    const int loaded = LoadObject(c.body);
    if (!c.error.empty()) {
      EXPECT_EQ(loaded, 0);
      EXPECT_EQ(Error(), c.error);
      continue;
    }
    ASSERT_EQ(loaded, 1) << Error();
    CG_NURBSMesh* m = Find<CG_NURBSMesh>();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Embedded(), c.embedded);
    EXPECT_EQ(m->Div(), c.div);
    EXPECT_EQ(m->Cache(), c.cache);
    if (c.embedded) {
      EXPECT_EQ(m->ModelPath(), nullptr);
    }
  }
}

TEST_F(NURBSFiles, ObjectBlocksAreExactAndEmbeddedOnesReadBack) {
  ASSERT_EQ(LoadObject("NURBSmesh name net; div 3; }", "n"), 1);
  EXPECT_EQ(zavo::test::Written(*Find<CG_NURBSMesh>("n")),
            "{ object\n\tname n;\n\tmodel { NURBSmesh\n\t\tname net;\n\t\tdiv 3;\n\t\tcache 1;\n\t}\n}\n");
  ASSERT_EQ(LoadObject("NURBSmesh model " + NURBSText(BilinearNURBSPatch(2)) + " div 4; }", "e"), 1);
  const std::string written = zavo::test::Written(*Find<CG_NURBSMesh>("e"));
  std::ostringstream text;
  CG_NURBSMesh::WritePatches(text, Find<CG_NURBSMesh>("e")->Patches());
  EXPECT_EQ(written,
            "{ object\n\tname e;\n\tmodel { NURBSmesh\n\t\tmodel " + text.str() + "\t\tdiv 4;\n\t\tcache 1;\n\t}\n}\n");
  ASSERT_EQ(Load(written + ".\n"), 1) << Error();
  EXPECT_EQ(zavo::test::Written(*Find<CG_NURBSMesh>("e")), written);
}

TEST_F(NURBSFiles, UpdateModelWritesAFileThatReadsBackTheSame) {
  ASSERT_EQ(LoadObject("NURBSmesh name net; }"), 1);
  CG_NURBSMesh* m = Find<CG_NURBSMesh>();
  ASSERT_EQ(Count(m->Patches()), 2);
  EXPECT_EQ(m->PointCount(), 16);  // the corners of the second patch are points of the first
  Point3D p;
  ASSERT_EQ(m->GetPoint(5, p), 1);
  EXPECT_EQ(p, (Point3D{1, 1, 1}));  // r outer, c inner: record 5 is (1, 1)
  ASSERT_EQ(m->SetPoint(5, Point3D{1.5, 1.25, 7}), 1);
  EXPECT_EQ(m->Patches().First()->weights(1, 1), 1.0);  // weights stay
  ASSERT_EQ(m->UpdateModel(), 1);
  const std::string file = ReadFile(dir_ / "net.nrb");
  ASSERT_GE(file.size(), 4u);
  EXPECT_EQ(file.substr(file.size() - 4), "}\n.\n");
  List<CG_NURBSPatch> again;
  ASSERT_EQ(ReadText(file, again), 1);
  std::ostringstream a, b;
  CG_NURBSMesh::WritePatches(a, again);
  CG_NURBSMesh::WritePatches(b, m->Patches());
  EXPECT_EQ(a.str(), b.str());
  EXPECT_EQ(m->Patches().First()->controls(1, 1), (Point3D{1.5, 1.25, 7}));
  EXPECT_EQ(m->Patches().First()->knotsU[3], 1.0);
  EXPECT_EQ(List<CG_NURBSPatch>::Next(m->Patches().First())->weights(1, 1), 2.0);
  EXPECT_FALSE(m->DiffersFromFile());
}

TEST_F(NURBSFiles, ANetOfFiveBySixPointsHasThirtyRecords) {
  const std::string ku = Knots({0, 0, 0, 0, 1, 2, 2, 2, 2});
  const std::string kv = Knots({0, 0, 0, 0, 1, 2, 3, 3, 3, 3});
  ASSERT_EQ(LoadObject("NURBSmesh model " + NURBSText(PatchText("orderx 4; ordery 4; dimx 5; dimy 6;", ku, kv, 5, 6)) +
                       " }"), 1) << Error();
  EXPECT_EQ(Find<CG_NURBSMesh>()->PointCount(), 30);
}

TEST_F(NURBSFiles, BilinearTessellationEndsExactlyOnTheCorner) {
  ASSERT_EQ(LoadObject("NURBSmesh model " + NURBSText(BilinearNURBSPatch()) + " div 4; }"), 1);
  Converted mesh;
  ASSERT_EQ(Find<CG_NURBSMesh>()->DeclassToIndexedMesh(mesh.parts, 0), 1);
  GBRep* brep = mesh.brep();
  ASSERT_NE(brep, nullptr);
  ASSERT_EQ(brep->VertexCount(), 16);
  EXPECT_EQ(brep->FaceCount(), 18);
  Point3D last;
  brep->Vertex(15, last);
  EXPECT_EQ(last, (Point3D{1, 1, 1}));
}

TEST_F(NURBSFiles, AMissingFileOutsideTheReaderEmptiesTheModel) {
  ASSERT_EQ(LoadObject("NURBSmesh name net; }"), 1);
  CG_NURBSMesh* m = Find<CG_NURBSMesh>();
  fs::remove(dir_ / "net.nrb");
  EXPECT_EQ(m->Clone(), nullptr);
  CG_NURBSMeshDescription d;
  m->GetDescription(d);
  m->SetDescription(d);
  EXPECT_EQ(shown_.messages, std::vector<std::string>{"NURBS model not found!"});
  EXPECT_EQ(Count(m->Patches()), 0);
  EXPECT_EQ(m->PointCount(), 0);
}

}  // namespace
