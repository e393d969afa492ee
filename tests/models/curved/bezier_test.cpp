#include "models/curved/bezier.h"

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

using zavo::test::BezierPatchText;
using zavo::test::BezierText;
using zavo::test::Converted;
using zavo::test::CurvedFiles;
using zavo::test::FlatBezierPatch;
using zavo::test::ReadFile;
using zavo::test::WriteFile;

// Control point (r, c) of the test patch: every point different.
Point3D Distinct(int r, int c) { return {r + 0.25 * c, c - 0.5 * r, 0.125 * r * c + r}; }

// Reads a patch text: the answer and the patches.
int ReadText(const std::string& text, List<CG_BezierPatch>& patches) {
  std::istringstream in(text);
  GeoScanner scanner(in);
  scanner.Next();
  return GBezier::ReadPatches(scanner, patches);
}

int Count(const List<CG_BezierPatch>& patches) {
  int n = 0;
  for (auto it = patches.begin(); it != patches.end(); ++it) ++n;
  return n;
}

double Bernstein(int i, double t) {
  const double s = 1.0 - t;
  switch (i) {
    case 0: return s * s * s;
    case 1: return 3 * t * s * s;
    case 2: return 3 * t * t * s;
    default: return t * t * t;
  }
}

void ExpectNear(const Point3D& a, const Point3D& b, double eps = 1e-12) {
  EXPECT_NEAR(a.x, b.x, eps);
  EXPECT_NEAR(a.y, b.y, eps);
  EXPECT_NEAR(a.z, b.z, eps);
}

TEST(BezierText, Cases) {
  const std::string good = BezierPatchText(Distinct);
  const std::string firstPoints = good.substr(0, good.find(")\n", 20) + 2);  // "{ patch" and two points
  struct Case {
    std::string text;
    int ok;
    int patches;
  } cases[] = {
      {"{ bezier\n}\n", 1, 0},
      {BezierText(good), 1, 1},
      {BezierText(good + good), 1, 2},
      {BezierText(good) + ".\n", 1, 1},
      {"/* comment */ { bezier // line\n" + good + "}", 1, 1},
      {"{ Bezier\n}\n", 0, 0},
      {"{ bezier\n{ surface ( 0 , 0 , 0 ) }\n}\n", 0, 0},
      {BezierText(good + "{ patch ( 0 , 0 ) }\n"), 0, 1},
      {BezierText(good + "{ patch ( 0 , 0 , zero ) }\n"), 0, 1},
      {"{ bezier\n" + good, 0, 1},                 // no closing "}"
      {"{ bezier\n" + good + firstPoints, 0, 1},   // the input ends inside a patch
      {"{ bezier\n" + good + "patch }", 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    List<CG_BezierPatch> patches;
    EXPECT_EQ(ReadText(c.text, patches), c.ok);
    EXPECT_EQ(Count(patches), c.patches);
  }
}

TEST(BezierText, PointsAreListedColumnByColumnTheRowGoingWithU) {
  List<CG_BezierPatch> patches;
  ASSERT_EQ(ReadText(BezierText(BezierPatchText(Distinct)), patches), 1);
  const CG_BezierPatch& patch = *patches.First();
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_EQ(patch.Control(r, c), Distinct(r, c));
  }
  // P(1, 0) is the fourth point of the text, P(0, 1) the thirteenth.
  ExpectNear(patch.PointAt(1, 0), Distinct(3, 0));
  ExpectNear(patch.PointAt(0, 1), Distinct(0, 3));
  for (const auto& [u, v] : {std::pair{0.3, 0.7}, std::pair{0.5, 0.5}, std::pair{0.9, 0.1}}) {
    Point3D sum;
    for (int r = 0; r < 4; ++r) {
      for (int c = 0; c < 4; ++c) sum = sum + Distinct(r, c) * (Bernstein(r, u) * Bernstein(c, v));
    }
    ExpectNear(patch.PointAt(u, v), sum);
  }
}

TEST(BezierText, WrittenPatchesReadBackAndTheFormIsExact) {
  List<CG_BezierPatch> patches;
  ASSERT_EQ(ReadText(BezierText(BezierPatchText(Distinct) + FlatBezierPatch(1, 2, 0.5)), patches), 1);
  std::ostringstream os;
  GBezier::WritePatches(os, patches);
  List<CG_BezierPatch> again;
  ASSERT_EQ(ReadText(os.str(), again), 1);
  ASSERT_EQ(Count(again), 2);
  const CG_BezierPatch* a = patches.First();
  const CG_BezierPatch* b = again.First();
  for (; a != nullptr; a = List<CG_BezierPatch>::Next(a), b = List<CG_BezierPatch>::Next(b)) {
    for (int r = 0; r < 4; ++r) {
      for (int c = 0; c < 4; ++c) EXPECT_EQ(a->Control(r, c), b->Control(r, c));
    }
  }

  List<CG_BezierPatch> one;
  ASSERT_EQ(ReadText(BezierText(BezierPatchText([](int r, int c) { return Point3D{double(r), double(c), 0.5}; })), one), 1);
  std::ostringstream single;
  GBezier::WritePatches(single, one);
  std::string expected = "{ bezier\n\t{ patch\n";
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      expected += "\t\t( " + std::to_string(r) + " , " + std::to_string(c) + " , 0.5 )\n";
    }
    expected += "\n";
  }
  expected += "\t}\n}\n";
  EXPECT_EQ(single.str(), expected);

  List<CG_BezierPatch> none;
  std::ostringstream empty;
  GBezier::WritePatches(empty, none);
  EXPECT_EQ(empty.str(), "{ bezier\n}\n");
  EXPECT_EQ(ReadText(empty.str(), none), 1);
  EXPECT_EQ(Count(none), 0);
}

class BezierFiles : public CurvedFiles, public ::testing::Test {
protected:
  BezierFiles() {
    WriteFile(dir_ / "wing.bzr", BezierText(FlatBezierPatch(-0.5, -0.5, 1.0 / 3)));
    WriteFile(dir_ / "models" / "hull.bzr", BezierText(FlatBezierPatch(0, 0, 1) + "{ patch ( 1 , 2 ) }"));
  }
};

TEST_F(BezierFiles, BodyCases) {
  const std::string inline1 = BezierText(FlatBezierPatch(0, 0, 1));
  struct Case {
    std::string body;
    std::string error;   // "" for a good object
    int embedded;
    int div;
    int cache;
  } cases[] = {
      {"bezier name wing; }", "", 0, 5, 1},
      {"bezier model " + inline1 + " name wing; }", "", 1, 5, 1},
      {"bezier name wing; div 2.9; cache yes; }", "", 0, 2, 0},
      {"bezier div -3; cache +7; name wing; }", "", 0, -3, 7},
      {"bezier model " + inline1 + " div 4; cache 0; }", "", 1, 4, 0},
      {"bezier name wing; div 4 }", "1 Generic Error", 0, 0, 0},
      {"bezier name wing; colour 4; }", "1 Generic Error", 0, 0, 0},
      {"bezier 5; name wing; }", "1 Generic Error", 0, 0, 0},
      {"bezier div 4; }", "1 Generic Error", 0, 0, 0},
      {"bezier name wing; div 99999999999; }", "1 Generic Error", 0, 0, 0},
      {"bezier model { bezier { patch } } }", "1 Generic Error", 0, 0, 0},
      {"bezier name nowhere; }", "4 file \"nowhere.bzr\" not found in model path", 0, 0, 0},
      {"bezier name hull; }", "5 Error in bezier model models/hull.bzr", 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    const int loaded = LoadObject(c.body);
    if (!c.error.empty()) {
      EXPECT_EQ(loaded, 0);
      EXPECT_EQ(Error(), c.error);
      EXPECT_TRUE(shown_.messages.empty());
      continue;
    }
    ASSERT_EQ(loaded, 1) << Error();
    GBezier* b = Find<GBezier>();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Embedded(), c.embedded);
    EXPECT_EQ(b->Div(), c.div);
    EXPECT_EQ(b->Cache(), c.cache);
    EXPECT_EQ(Count(b->Patches()), 1);
    EXPECT_EQ(b->PointCount(), 16);
    if (c.embedded) {
      EXPECT_EQ(b->ModelName(), nullptr);
      EXPECT_EQ(b->ModelPath(), nullptr);
    } else {
      EXPECT_STREQ(b->ModelName(), "wing");
      EXPECT_STREQ(b->ModelPath(), "wing");
    }
  }
}

TEST_F(BezierFiles, HierarchySettingsComeFromTheParamSectionReadBefore) {
  ASSERT_EQ(Load("{ param _brep_optimiz hier; _brep_grid_dim 7; }\n"
                 "{ object name s; model { bezier name wing; } }\n.\n"), 1) << Error();
  GBezier* b = Find<GBezier>();
  ASSERT_NE(b, nullptr);
  EXPECT_STREQ(b->HierKind(), "hier");
  EXPECT_EQ(b->GridDim(), 7);
  ASSERT_EQ(LoadObject("bezier name Wing; }"), 1);  // a name differing in case finds the file
  EXPECT_STREQ(Find<GBezier>()->HierKind(), "auto");
  EXPECT_EQ(Find<GBezier>()->GridDim(), 30);
}

TEST_F(BezierFiles, ObjectBlocksAreExactAndReadBack) {
  ASSERT_EQ(LoadObject("bezier name wing; div 4; cache 1; }", "w"), 1);
  EXPECT_EQ(zavo::test::Written(*Find<GBezier>("w")),
            "{ object\n\tname w;\n\tmodel { bezier\n\t\tname wing;\n\t\tdiv 4;\n\t\tcache 1;\n\t}\n}\n");

  const std::string patches = BezierText(FlatBezierPatch(0, 0, 1));
  ASSERT_EQ(LoadObject("bezier model " + patches + " div 3; cache 0; }", "e"), 1);
  std::ostringstream text;
  List<CG_BezierPatch> list;
  ASSERT_EQ(ReadText(patches, list), 1);
  GBezier::WritePatches(text, list);
  const std::string written = zavo::test::Written(*Find<GBezier>("e"));
  EXPECT_EQ(written, "{ object\n\tname e;\n\tmodel { bezier\n\t\tmodel " + text.str() +
                         "\n\t\tdiv 3;\n\t\tcache 0;\n\t}\n}\n");
  ASSERT_EQ(Load(written + ".\n"), 1);
  EXPECT_EQ(zavo::test::Written(*Find<GBezier>("e")), written);
}

TEST_F(BezierFiles, CloneOfAnEmbeddedObjectHoldsItsOwnPatches) {
  ASSERT_EQ(LoadObject("bezier model " + BezierText(FlatBezierPatch(0, 0, 1)) + " }"), 1);
  GBezier* b = Find<GBezier>();
  std::unique_ptr<CG_GraphicObject> copy = b->Clone();
  auto* clone = dynamic_cast<GBezier*>(copy.get());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->Embedded(), 1);
  ASSERT_EQ(clone->SetPoint(0, Point3D{9, 9, 9}), 1);
  EXPECT_EQ(clone->Patches().First()->Control(0, 0), (Point3D{9, 9, 9}));
  EXPECT_EQ(b->Patches().First()->Control(0, 0), (Point3D{0, 0, 0}));
}

TEST_F(BezierFiles, AFileModelWhoseFileHasGoneFailsQuietlyOutsideTheReader) {
  ASSERT_EQ(LoadObject("bezier name wing; }"), 1);
  GBezier* b = Find<GBezier>();
  fs::remove(dir_ / "wing.bzr");
  EXPECT_EQ(b->Clone(), nullptr);
  CG_BezierDescription d;
  b->GetDescription(d);
  b->SetDescription(d);
  EXPECT_EQ(shown_.messages, std::vector<std::string>{"Bezier model not found!"});
  EXPECT_EQ(Count(b->Patches()), 0);
  EXPECT_EQ(b->PointCount(), 0);
  Converted mesh;
  EXPECT_EQ(b->DeclassToFaced(mesh.parts, 0), 1);
  ASSERT_NE(mesh.brep(), nullptr);
  EXPECT_EQ(mesh.brep()->FaceCount(), 0);

  // A file cut short: the patches before the cut stay, with their table.
  WriteFile(dir_ / "wing.bzr", BezierText(FlatBezierPatch(0, 0, 1) + "{ patch ( 1 , 2 , 3 )"));
  b->SetDescription(d);
  EXPECT_EQ(shown_.messages.back(), "Error in bezier model wing.bzr");
  EXPECT_EQ(Count(b->Patches()), 1);
  EXPECT_EQ(b->PointCount(), 16);
}

// Two flat patches side by side: the last row of the first is the first row
// of the second, whose shared points have height sharedZ; with lastBit one of
// them differs from its twin in the last bit of y.
std::unique_ptr<GBezier> TwoPatches(double sharedZ = 0.0, bool lastBit = false, int div = 4) {
  CG_BezierDescription d;
  d.embedded = 1;
  d.div = div;
  auto* first = new CG_BezierPatch();
  auto* second = new CG_BezierPatch();
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      first->SetControl(r, c, Point3D{double(r), double(c), 0.0});
      Point3D p{3.0 + r, double(c), r == 0 ? sharedZ : 0.0};
      if (lastBit && r == 0 && c == 2) p.y = std::nextafter(p.y, 10.0);
      second->SetControl(r, c, p);
    }
  }
  d.patches.Append(first);
  d.patches.Append(second);
  CG_GraphicObjectCommData data;
  data.name = "s";
  return std::make_unique<GBezier>(data, d);
}

int RecordsWithTwoRefs(const GBezier& b) {
  int n = 0;
  for (long i = 0; i < b.Controls().Size(); ++i) n += b.Controls()[i].refs.Count() == 2;
  return n;
}

TEST(BezierControls, TableMergesBitIdenticalPoints) {
  struct Case {
    std::unique_ptr<GBezier> model;
    int records;
    int shared;
  } cases[] = {
      {TwoPatches(), 28, 4},
      {TwoPatches(0.0, true), 29, 3},
      {TwoPatches(-0.0), 28, 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.model->PointCount(), c.records);
    EXPECT_EQ(RecordsWithTwoRefs(*c.model), c.shared);
  }
}

TEST(BezierControls, SetControlMovesEverySharedCopyAndTheMeshStaysClosed) {
  std::unique_ptr<GBezier> model = TwoPatches();
  GBezier* b = model.get();
  // Record 13 is (3, 1, 0): row 3 of the first patch, row 0 of the second.
  Point3D p;
  ASSERT_EQ(b->GetPoint(13, p), 1);
  ASSERT_EQ(p, (Point3D{3, 1, 0}));
  ASSERT_EQ(b->Controls()[13].refs.Count(), 2u);
  ASSERT_EQ(b->SetPoint(13, Point3D{3, 1, 2}), 1);
  const CG_BezierPatch* first = b->Patches().First();
  EXPECT_EQ(first->Control(3, 1), (Point3D{3, 1, 2}));
  EXPECT_EQ(List<CG_BezierPatch>::Next(first)->Control(0, 1), (Point3D{3, 1, 2}));
  Converted mesh;
  ASSERT_EQ(b->DeclassToTriangleMesh(mesh.parts), 1);
  ASSERT_NE(mesh.brep(), nullptr);
  // Two 4 x 4 grids sharing their edge: 32 - 4 vertices.
  EXPECT_EQ(mesh.brep()->VertexCount(), 28);
  EXPECT_EQ(mesh.brep()->FaceCount(), 36);

  // Out of the table: 0 and nothing changes.
  EXPECT_EQ(b->GetPoint(28, p), 0);
  EXPECT_EQ(b->GetPoint(-1, p), 0);
  EXPECT_EQ(b->SetPoint(28, Point3D{}), 0);
  EXPECT_EQ(p, (Point3D{3, 1, 0}));
  // The object interface's own curve operations stay at their defaults.
  CG_GraphicObject* object = b;
  CG_PatchModelBased* patches = b;
  EXPECT_EQ(object->ControlCount(), 0);
  EXPECT_EQ(object->GetControl(0, p), 0);
  EXPECT_EQ(patches->ControlCount(), 28);
  EXPECT_EQ(patches->GetControl(0, p), 1);
  EXPECT_EQ(p, (Point3D{0, 0, 0}));
}

// Two patches of one curved surface that share an edge, along u (the last
// row of the first is the first row of the second) or along v (the last
// column of the first is the first column of the second), with control
// values that no binary fraction holds: the samples of the shared edge are
// one set of vertices, 2 * 25 - 5 of them at div 5.
TEST(BezierControls, PatchesSharingAnEdgeGiveOneWeldedMesh) {
  const auto net = [](int r, int c) {
    return Point3D{0.37 * r + 0.05 * c, 0.41 * c - 0.03 * r, 0.13 * std::sin(0.7 * r + 0.3) * std::cos(0.45 * c)};
  };
  for (const bool alongV : {false, true}) {
    SCOPED_TRACE(alongV ? "along v" : "along u");
    CG_BezierDescription d;
    d.embedded = 1;
    d.div = 5;
    auto* first = new CG_BezierPatch();
    auto* second = new CG_BezierPatch();
    for (int r = 0; r < 4; ++r) {
      for (int c = 0; c < 4; ++c) {
        first->SetControl(r, c, net(r, c));
        second->SetControl(r, c, alongV ? net(r, c + 3) : net(r + 3, c));
      }
    }
    d.patches.Append(first);
    d.patches.Append(second);
    CG_GraphicObjectCommData data;
    data.name = "s";
    GBezier model(data, d);
    Converted mesh;
    ASSERT_EQ(model.DeclassToFaced(mesh.parts, 0), 1);
    ASSERT_NE(mesh.brep(), nullptr);
    EXPECT_EQ(mesh.brep()->VertexCount(), 45);
    EXPECT_EQ(mesh.brep()->FaceCount(), 64);
    // The edge's points, evaluated from either patch, are the same doubles.
    for (int i = 0; i < 5; ++i) {
      const double t = i / 4.0;
      const Point3D a = alongV ? first->PointAt(t, 1) : first->PointAt(1, t);
      const Point3D b = alongV ? second->PointAt(t, 0) : second->PointAt(0, t);
      EXPECT_EQ(a, b) << i;
    }
  }
}

TEST_F(BezierFiles, ConversionTessellatesEachPatchInOrder) {
  ASSERT_EQ(LoadObject("bezier model " + BezierText(BezierPatchText(Distinct)) + " div 4; }"), 1);
  GBezier* b = Find<GBezier>();
  const CG_BezierPatch& patch = *b->Patches().First();
  using Entry = int (*)(GBezier&, zavo::DeclassedParts&);
  const Entry entries[] = {
      [](GBezier& o, zavo::DeclassedParts& p) { return o.DeclassToRayTraceable(p); },
      [](GBezier& o, zavo::DeclassedParts& p) { return o.DeclassToFaced(p, 0); },
      [](GBezier& o, zavo::DeclassedParts& p) { return o.DeclassToTriangleMesh(p); },
      [](GBezier& o, zavo::DeclassedParts& p) { return o.DeclassToIndexedMesh(p, 0); },
  };
  for (Entry entry : entries) {
    Converted mesh;
    ASSERT_EQ(entry(*b, mesh.parts), 1);
    GBRep* brep = mesh.brep();
    ASSERT_NE(brep, nullptr);
    EXPECT_STREQ(brep->name.Text(), "s");
    EXPECT_EQ(brep->VertexCount(), 16);
    ASSERT_EQ(brep->FaceCount(), 18);
    EXPECT_EQ(brep->Costr(), 1.3);
    EXPECT_EQ(brep->Interp(), 1);
    Point3D a, c1, c2, colour;
    brep->Triangle(0, a, c1, c2, colour);
    EXPECT_EQ(a, patch.PointAt(0, 0));
    EXPECT_EQ(c1, patch.PointAt(1.0 / 3, 0));
    EXPECT_EQ(c2, patch.PointAt(0, 1.0 / 3));
    brep->Triangle(1, a, c1, c2, colour);
    EXPECT_EQ(a, patch.PointAt(1.0 / 3, 0));
    EXPECT_EQ(c1, patch.PointAt(1.0 / 3, 1.0 / 3));
    EXPECT_EQ(c2, patch.PointAt(0, 1.0 / 3));
  }
  EXPECT_TRUE(shown_.statuses.size() >= 4);
}

TEST_F(BezierFiles, ProgressAfterEachPatchAndNoneWithoutPatches) {
  std::unique_ptr<GBezier> two = TwoPatches(0.0, false, 3);
  CG_BezierDescription d;
  two->GetDescription(d);
  d.progress = &shown_;
  d.cache = 1;
  two->SetDescription(d);
  Converted mesh;
  ASSERT_EQ(two->DeclassToFaced(mesh.parts, 0), 1);
  ASSERT_GE(shown_.statuses.size(), 2u);
  EXPECT_EQ(shown_.statuses[0], "bezier 50%");
  EXPECT_EQ(shown_.statuses[1], "bezier 100%");
  // Embedded: no cache texts.
  for (const std::string& s : shown_.statuses) EXPECT_EQ(s.find("cache"), std::string::npos) << s;

  ASSERT_EQ(LoadObject("bezier model { bezier } }"), 1);
  shown_.statuses.clear();
  Converted empty;
  ASSERT_EQ(Find<GBezier>()->DeclassToFaced(empty.parts, 0), 1);
  ASSERT_NE(empty.brep(), nullptr);
  EXPECT_EQ(empty.brep()->VertexCount(), 0);
  EXPECT_EQ(empty.brep()->FaceCount(), 0);
  EXPECT_TRUE(shown_.statuses.empty());
}

TEST_F(BezierFiles, DivIsClampedForTheTessellationOnly) {
  for (const auto& [div, vertices] : {std::pair{1, 4}, std::pair{-5, 4}, std::pair{2, 4}, std::pair{3, 9}}) {
    ASSERT_EQ(LoadObject("bezier model " + BezierText(BezierPatchText(Distinct)) + " div " +
                         std::to_string(div) + "; }"), 1);
    GBezier* b = Find<GBezier>();
    EXPECT_EQ(b->Div(), div);
    Converted mesh;
    ASSERT_EQ(b->DeclassToFaced(mesh.parts, 0), 1);
    EXPECT_EQ(mesh.brep()->VertexCount(), vertices);
  }
}

TEST(PatchHierarchy, BuilderByExactKind) {
  using zavo::PatchHierarchyBuilder;
  const std::pair<const char*, PatchHierarchyBuilder> cases[] = {
      {"auto", PatchHierarchyBuilder::kGridFirst},
      {"fasthier", PatchHierarchyBuilder::kGridFirst},
      {"median", PatchHierarchyBuilder::kGridFirstDefault},
      {"hier", PatchHierarchyBuilder::kLevel},
      {"Auto", PatchHierarchyBuilder::kLevel},
      {"", PatchHierarchyBuilder::kLevel},
      {nullptr, PatchHierarchyBuilder::kLevel},
  };
  for (const auto& [kind, builder] : cases) {
    SCOPED_TRACE(kind != nullptr ? kind : "(null)");
    EXPECT_EQ(zavo::HierarchyBuilderFor(kind), builder);
  }
}

TEST(LeadingInteger, AtoiRulesWithinInt) {
  const std::pair<const char*, int> good[] = {{"2.9", 2}, {"yes", 0}, {"-", 0}, {"+7x", 7}, {"-12", -12},
                                              {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}};
  for (const auto& [text, value] : good) {
    int v = 99;
    EXPECT_TRUE(zavo::LeadingInteger(text, v)) << text;
    EXPECT_EQ(v, value) << text;
  }
  int v = 5;
  EXPECT_FALSE(zavo::LeadingInteger("2147483648", v));
  EXPECT_FALSE(zavo::LeadingInteger("-99999999999999999999", v));
  EXPECT_EQ(v, 5);
}

}  // namespace
