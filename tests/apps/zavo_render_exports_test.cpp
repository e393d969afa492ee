// zavo-render's VRML export of the curved and procedural models: NURBS and
// spline surfaces, blobs, abstract VRML nodes and fields, and curves that add
// nothing. Also anims whose move path is a curve, through the full registry.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "models/core/anim.h"
#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;
using zavo::test::Outcome;
using zavo::test::ReadFile;
using zavo::test::RunIn;
using zavo::test::TempDir;
using zavo::test::WriteFile;

// One mesh block of a .wrl: its colour line and the number of lines in its
// point list and in its coordIndex list.
struct Block {
  std::string material;
  int points = 0;
  int triangles = 0;
  friend bool operator==(const Block&, const Block&) = default;
};
std::ostream& operator<<(std::ostream& os, const Block& b) {
  return os << '{' << b.material << ", " << b.points << " points, " << b.triangles << " triangles}";
}

std::vector<Block> Blocks(const std::string& wrl) {
  std::vector<Block> blocks;
  std::istringstream lines(wrl);
  std::string line;
  int* counting = nullptr;
  while (std::getline(lines, line)) {
    if (line == "\tSeparator {") {
      blocks.emplace_back();
    } else if (line.rfind("\t\tMaterial ", 0) == 0 && !blocks.empty()) {
      blocks.back().material = line.substr(2);
    } else if (line == "\t\t\tpoint [" && !blocks.empty()) {
      counting = &blocks.back().points;
    } else if (line == "\t\t\tcoordIndex [" && !blocks.empty()) {
      counting = &blocks.back().triangles;
    } else if (line == "\t\t\t]") {
      counting = nullptr;
    } else if (counting != nullptr) {
      ++*counting;
    }
  }
  return blocks;
}

// The parts one after the other.
std::string Cat(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text.append(part);
  return text;
}

// Writes the scene as <name>.qz in dir, runs zavo-render on it (exit 0
// expected) and answers the .wrl written beside it.
std::string Export(const TempDir& dir, const std::string& name, const std::string& scene) {
  WriteFile(dir / (name + ".qz"), scene);
  const Outcome run = RunIn(dir.path(), {name + ".qz"});
  EXPECT_EQ(run.exitCode, 0) << name << ":\n" << run.err;
  const fs::path wrl = dir / (name + ".wrl");
  EXPECT_TRUE(fs::exists(wrl)) << name;
  return fs::exists(wrl) ? ReadFile(wrl) : std::string();
}

const char kVrmlParam[] = "{ param\n  render vrml;\n}\n";
const char kFlatGreen[] = "{ material\n\tname green;\n\tmodel { phong Ka 1; Kd 0; Ks 0; Od (0,1,0); }\n}\n";
const char kFlatRed[] = "{ material\n\tname red;\n\tmodel { phong Ka 1; Kd 0; Ks 0; Od (1,0,0); }\n}\n";

// ---- Patch surfaces ----

const char kBilinearNURBS[] =
    "{ NURBS\n{ patch orderx 2; ordery 2; dimx 2; dimy 2;\n{ 0; 0; 1; 1; }\n{ 0; 0; 1; 1; }\n"
    "( 0 , 0 , 0 ) , 1;\n( 1 , 0 , 0 ) , 1;\n( 0 , 1 , 0 ) , 1;\n( 1 , 1 , 1 ) , 1;\n}\n}\n";

TEST(ZavoRenderExports, ABilinearNURBSPatchAtDiv4IsOneMeshOf16PointsAnd18Triangles) {
  const struct {
    const char* what;
    std::string model;
  } cases[] = {
      {"inline", Cat({"NURBSmesh model ", kBilinearNURBS, " div 4; cache 0;"})},
      {"side file", "NURBSmesh name hull; div 4; cache 0;"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    WriteFile(dir / "hull.nrb", Cat({kBilinearNURBS, ".\n"}));
    const std::string wrl = Export(dir, "nurbs",
                                   Cat({kVrmlParam, kFlatGreen, "{ object\n\tname n;\n\tmaterial green;\n\tmodel { ",
                                        c.model, " }\n}\n.\n"}));
    EXPECT_EQ(Blocks(wrl), (std::vector<Block>{{"Material { diffuseColor 0 1 0 }", 16, 18}})) << wrl;
  }
}

// One window, sampled over the whole of it: 9 x 9 points, 2 x 8 x 8 triangles.
TEST(ZavoRenderExports, ASplineSurfaceWithoutItsBrepIsOneMeshOf81PointsAnd128Triangles) {
  TempDir dir;
  std::string grid = "4 4\n";
  for (int a = 0; a < 4; ++a) {
    for (int b = 0; b < 4; ++b) {
      std::ostringstream line;
      line << a - 1.5 << ' ' << b - 1.5 << " 0\n";
      grid += line.str();
    }
  }
  WriteFile(dir / "grid.bsp", grid);
  const std::string wrl =
      Export(dir, "spline",
             Cat({kVrmlParam, kFlatGreen,
                  "{ object\n\tname s;\n\tmaterial green;\n\tmodel { ucbspline name grid; usebrep 0; }\n}\n.\n"}));
  EXPECT_EQ(Blocks(wrl), (std::vector<Block>{{"Material { diffuseColor 0 1 0 }", 81, 128}})) << wrl;
}

// ---- Blob, abstract VRML node, field ----

TEST(ZavoRenderExports, ABlobAndANodeAreOneMeshEachAndAFieldNone) {
  TempDir dir;
  WriteFile(dir / "drop.blb", "[blob1.0]\nthreshold = 0.5\nsphere = 0 0 0 1 1\n");
  const std::string wrl = Export(
      dir, "three",
      Cat({kVrmlParam, kFlatGreen, kFlatRed,
           "{ object\n\tname b;\n\tmaterial green;\n\tmodel { blob name drop; }\n}\n"
          "{ object\n\tname v;\n\tmaterial red;\n"
          "\tmodel { AbstractVRMLNode center ( 0.7 , 0.7 , 0 ); radius 0.2; }\n}\n"
          "{ object\n\tname f;\n\tmodel { field\n"
          "  { object name o; material red; model { sphere center ( -0.7 , -0.7 , 0 ); radius 0.2; } }\n"
          "  decoration { object name d; model { polyline p ( 0 , 0 , 0 ); p ( 1 , 0 , 0 ); } }\n"
          "  mat { rx \"1\"; }\n} }\n.\n"}));
  EXPECT_EQ(Blocks(wrl), (std::vector<Block>{{"Material { diffuseColor 0 1 0 }", 49, 72},
                                              {"Material { diffuseColor 1 0 0 }", 49, 72}}))
      << wrl;
}

// ---- Curves ----

// One curve of each kind, their control points spanning (-5, -5, -1) to
// (5, 5, 1).
const char kCurves[] =
    "{ object\n\tname n;\n\tmaterial green;\n\tmodel { NURBScurve\n\t\topen 1;\n\t\tdiv 3;\n\t\torder 4;\n"
    "\t\tncontrol 4;\n\t\tcontrol {\n\t\t\t( -5 , -5 , -1 ) , 1;\n\t\t\t( -1 , 5 , 1 ) , 1;\n"
    "\t\t\t( 1 , -5 , -1 ) , 2;\n\t\t\t( 5 , 5 , 1 ) , 1;\n\t\t\t}\n\t\tknots {\n\t\t\t0;\n\t\t\t1;\n\t\t\t2;\n"
    "\t\t\t3;\n\t\t\t4;\n\t\t\t5;\n\t\t\t6;\n\t\t\t7;\n\t\t\t}\n\t}\n}\n"
    "{ object\n\tname b;\n\tmaterial green;\n\tmodel { beziercurve\n\t\topen 1;\n\t\tdiv 3;\n\t\tncontrol 4;\n"
    "\t\tcontrol {\n\t\t\t( 5 , -5 , -1 ) , 1;\n\t\t\t( 0.5 , 0.5 , 1 ) , 1;\n\t\t\t( 0.5 , 0.5 , -1 ) , 1;\n"
    "\t\t\t( -5 , 5 , 1 ) , 1;\n\t\t\t}\n\t}\n}\n"
    "{ object\n\tname p;\n\tmaterial green;\n\tmodel { polyline\n\t\topen 0;\n\t\tp ( -5 , -5 , -1 );\n"
    "\t\tp ( 0.5 , 0.5 , 0 );\n\t\tp ( 5 , 5 , 1 );\n\t}\n}\n"
    "{ object\n\tname g;\n\tmodel { deformgraph\n\t\tcenter ( 0.5 , 0.5 , 0 );\n\t\tnx ( 1 , 0 , 0 );\n"
    "\t\tny ( 0 , 1 , 0 );\n\t\tc1 0;\n\t\tc2 1;\n\t\tsize { object\n\tname gp;\n\tmodel { polyline\n"
    "\t\topen 1;\n\t\tp ( -5 , 1 , 0 );\n\t\tp ( 5 , 5 , 0 );\n\t}\n}\n\n\t}\n}\n";

TEST(ZavoRenderExports, CurvesAddNothingToTheVrml) {
  TempDir dir;
  const std::string head = Cat({kVrmlParam, kFlatGreen,
                                "{ object\n\tname ball;\n\tmaterial green;\n"
                                "\tmodel { sphere center ( 0 , 0 , 0 ); radius 1; }\n}\n"});
  const std::string tail = "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 0 , 0 , 10 );\n\tcolor (1,1,1);\n}\n}\n.\n";
  const std::string without = Export(dir, "without", Cat({head, tail}));
  const std::string with = Export(dir, "with", Cat({head, kCurves, tail}));
  // The sphere's block, then the lamp's own sphere (grey, about its position).
  EXPECT_EQ(Blocks(without), (std::vector<Block>{{"Material { diffuseColor 0 1 0 }", 49, 72},
                                                  {"Material { diffuseColor 0.5 0.5 0.5 }", 49, 72}}))
      << without;
  EXPECT_EQ(with, without);
}

// ---- Anims along curves ----

// The centre of the one part an anim hands out at a frame.
bool CentreAt(GAnim& anim, double frame, Point3D& centre) {
  anim.SetFrame(frame);
  zavo::DeclassedParts parts;
  if (anim.DeclassToRayTraceable(parts) != 1 || parts.Size() != 1) {
    zavo::ReleaseDeclassedParts(parts);
    return false;
  }
  GEO_Box box;
  const bool boxed = CG_GraphicObject::GetBox(parts[0].object, box) == 1;
  zavo::ReleaseDeclassedParts(parts);
  centre = Point3D((box.xmin + box.xmax) / 2, (box.ymin + box.ymax) / 2, (box.zmin + box.zmax) / 2);
  return boxed;
}

TEST(ZavoRenderExports, AnAnimAlongACurveStartsAtItsFirstParameterAndEndsAtItsLast) {
  const struct {
    const char* what;
    std::string curve;
  } cases[] = {
      {"NURBS curve",
       "NURBScurve open 1; div 3; order 4; ncontrol 4;\n"
       "control { ( -5 , -5 , -1 ) , 1; ( -1 , 5 , 1 ) , 1; ( 1 , -5 , -1 ) , 2; ( 5 , 5 , 1 ) , 1; }\n"
       "knots { 0; 1; 2; 3; 4; 5; 6; 7; }"},
      {"Bezier curve",
       "beziercurve open 1; div 3; ncontrol 7;\n"
       "control { ( 5 , -5 , -1 ) , 1; ( 0.5 , 0.5 , 1 ) , 1; ( 0.5 , 0.5 , -1 ) , 1; ( -5 , 5 , 1 ) , 1;"
       " ( -4 , 0 , 0 ) , 1; ( 0 , -4 , 1 ) , 1; ( 4 , 4 , -1 ) , 1; }"},
  };
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CG_GraphicScene scene(registry);
    // from 0 to 1.5: one frame of motion, so frame 1.25 asks for the curve
    // a quarter beyond its end.
    std::istringstream in(Cat({"{ object name curve; model { ", c.curve,
                               " } }\n"
                               "{ object name slide; model { anim from 0; to 1.5;\n"
                               "  { object name ball; model { sphere center ( 0 , 0 , 0 ); radius 1; } }\n"
                               "  move { object name path; model { ",
                               c.curve, " } }\n} }\n.\n"}));
    ASSERT_EQ(scene.Load(in), 1) << scene.GetErrorMessage() << " line " << scene.GetErrorLine();
    CG_GraphicObject* curve = scene.FindObject("curve");
    auto* anim = dynamic_cast<GAnim*>(scene.FindObject("slide"));
    ASSERT_NE(curve, nullptr);
    ASSERT_NE(anim, nullptr);
    Point3D first, last;
    curve->Evaluate(curve->ParamMin(), first);
    curve->Evaluate(curve->ParamMax(), last);
    EXPECT_GT(Length(last - first), 1.0);  // the ends are apart
    const struct {
      double frame;
      Point3D want;
    } frames[] = {{0, first}, {1, last}};
    for (const auto& f : frames) {
      SCOPED_TRACE(f.frame);
      Point3D at;
      ASSERT_TRUE(CentreAt(*anim, f.frame, at));
      EXPECT_NEAR(at.x, f.want.x, 1e-9);
      EXPECT_NEAR(at.y, f.want.y, 1e-9);
      EXPECT_NEAR(at.z, f.want.z, 1e-9);
    }
    Point3D beyond;
    ASSERT_TRUE(CentreAt(*anim, 1.25, beyond));
    EXPECT_TRUE(std::isfinite(beyond.x) && std::isfinite(beyond.y) && std::isfinite(beyond.z))
        << beyond.x << ' ' << beyond.y << ' ' << beyond.z;
  }
}

}  // namespace
