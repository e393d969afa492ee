// zavo-render images of the model kinds beyond spheres and boxes: meshes,
// cylinders and quadrics, transf, group and the written-back scene, CSG, the
// cone and area lamps, curves, and patch surfaces. Pixels are read back.
//
// Every scene is seen through the default view: the eye at (0.5, 0.5, 1)
// looking down -z through the window [0, 1] x [0, 1] of the plane z = 0, so
// pixel (x, y) of a w x h image looks along the ray through
// ((x + 0.5) / w, (h - y - 0.5) / h, 0).

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "geometry/bitmap_manager.h"
#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;
using zavo::test::ReadFile;
using zavo::test::TempDir;
using zavo::test::WriteFile;

using zavo::test::Outcome;
using zavo::test::Rgb;

// Runs zavo-render on the scene in dir.
Outcome RunIn(const fs::path& dir, const std::string& scene) { return zavo::test::RunIn(dir, {scene}); }

// A rendered image, read back.
struct Image {
  BitmapManager bitmap;
  bool loaded = false;
  Rgb At(int x, int y) const {
    Rgb c;
    bitmap.GetPixel(x, y, c.r, c.g, c.b);
    return c;
  }
};

// Writes the scene text as <name>.qz in dir, renders it (exit 0 expected) and
// answers the BMP's bytes.
std::string Render(const TempDir& dir, const std::string& name, const std::string& text) {
  WriteFile(dir / (name + ".qz"), text);
  const Outcome run = RunIn(dir.path(), name + ".qz");
  EXPECT_EQ(run.exitCode, 0) << name << ":\n" << run.err;
  return fs::exists(dir / (name + ".bmp")) ? ReadFile(dir / (name + ".bmp")) : std::string();
}

Image RenderImage(const TempDir& dir, const std::string& name, const std::string& text) {
  Render(dir, name, text);
  Image image;
  image.loaded = image.bitmap.Load(dir / (name + ".bmp")) == 1;
  EXPECT_TRUE(image.loaded) << name;
  return image;
}

const char kGreen[] = "{ material\n\tname green;\n\tmodel { phong Ka 0.1; Kd 0.8; Ks 0; Od (0,1,0); }\n}\n";
const Rgb kBackground{0, 0, 255};
const Rgb kLitStraightOn{0, 229, 0};  // 255 (Ka + Kd): the normal and the light along the view axis
const Rgb kAmbientOnly{0, 25, 0};     // 255 Ka

std::string Param(int dim, const std::string& extra = "") {
  return "{ param\n  dimx " + std::to_string(dim) + ";\n  dimy " + std::to_string(dim) +
         ";\n  backcolor (0,0,1);\n" + extra + "}\n";
}

std::string PointLamp(const std::string& pos) {
  return "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( " + pos + " );\n\tcolor (1,1,1);\n}\n}\n";
}

std::string Object(const std::string& name, const std::string& model, const std::string& material = "green") {
  std::string text = "{ object\n\tname " + name + ";\n";
  if (!material.empty()) text += "\tmaterial " + material + ";\n";
  return text + "\tmodel { " + model + " }\n}\n";
}

std::string Sphere(const std::string& name, const std::string& centre, double radius = 1) {
  std::ostringstream r;
  r << radius;
  return Object(name, "sphere center ( " + centre + " ); radius " + r.str() + ";");
}

// ---- Meshes, cylinder, quadric ----

// The cube [0, 1] x [0, 1] x [-3, -2] as 12 outward triangles: the centre ray
// meets its front face on the diagonal that two triangles share.
std::string PbrepCube(const std::string& settings) {
  return Object("cube",
                "brep model { pbrep\nvertices 8  0 0 -3  1 0 -3  1 1 -3  0 1 -3  0 0 -2  1 0 -2  1 1 -2  0 1 -2\n"
                "faces 12\n"
                "{ 1 { 3 0 3 2 } } { 1 { 3 0 2 1 } } { 1 { 3 4 5 6 } } { 1 { 3 4 6 7 } }\n"
                "{ 1 { 3 0 1 5 } } { 1 { 3 0 5 4 } } { 1 { 3 2 3 7 } } { 1 { 3 2 7 6 } }\n"
                "{ 1 { 3 1 2 6 } } { 1 { 3 1 6 5 } } { 1 { 3 0 4 7 } } { 1 { 3 0 7 3 } }\n}\n" +
                    settings);
}

TEST(ZavoRenderModels, APbrepCubeLooksLikeTheBoxOfItsBounds) {
  TempDir dir;
  const std::string lamp = PointLamp("3 , 4 , 5");
  const std::string reference =
      Render(dir, "box", Param(40) + kGreen + Object("cube", "box xmin 0; xmax 1; ymin 0; ymax 1; zmin -3; zmax -2;") + lamp + ".\n");
  BitmapManager box;
  ASSERT_EQ(box.Load(dir / "box.bmp"), 1);
  int r, g, b;
  box.GetPixel(20, 20, r, g, b);
  EXPECT_GT(g, 25);  // the lit front face
  box.GetPixel(0, 0, r, g, b);
  EXPECT_EQ((Rgb{r, g, b}), kBackground);

  const std::string hier = "  _brep_optimiz hier;\n";
  const struct {
    const char* name;
    std::string params;
    const char* settings;
  } cases[] = {
      {"algorithm1", hier, "algoritm 1;"},
      {"algorithm2", hier, "algoritm 2;"},
      {"algorithm3", hier, "algoritm 3;"},
      {"auto", "", ""},
      {"nohierarchy", "", "costr 0;"},
      {"nohierarchy2", "", "costr 0; algoritm 2;"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string image = Render(dir, c.name, Param(40, c.params) + kGreen + PbrepCube(c.settings) + lamp + ".\n");
    EXPECT_EQ(image, reference);
  }
}

// An octahedron about (0.5, 0.5, -3) with vertices 1 away along the axes,
// seen along its axis: at an odd width the middle column of rays runs in the
// plane x = 0.5 of its front and back edges. No pixel inside its outline
// (|x - 0.5| + |y - 0.5| <= 0.25 on the view plane) shows the background,
// for every ray query and with or without a face hierarchy.
TEST(ZavoRenderModels, AnOctahedronSeenAlongItsAxisHasNoCrack) {
  TempDir dir;
  const std::string lamp = PointLamp("0.5 , 0.5 , 10");
  const auto octahedron = [](const std::string& settings) {
    return Object("octa",
                  "brep model { pbrep\nvertices 6  1.5 0.5 -3  -0.5 0.5 -3  0.5 1.5 -3  0.5 -0.5 -3  0.5 0.5 -2  "
                  "0.5 0.5 -4\nfaces 8\n"
                  "{ 1 { 3 0 2 4 } } { 1 { 3 2 1 4 } } { 1 { 3 1 3 4 } } { 1 { 3 3 0 4 } }\n"
                  "{ 1 { 3 2 0 5 } } { 1 { 3 1 2 5 } } { 1 { 3 3 1 5 } } { 1 { 3 0 3 5 } }\n}\n" +
                      settings);
  };
  const std::string hier = "  _brep_optimiz hier;\n";
  const struct {
    const char* name;
    std::string params;
    const char* settings;
  } cases[] = {
      {"algorithm1", hier, "algoritm 1;"}, {"algorithm2", hier, "algoritm 2;"},
      {"algorithm3", hier, "algoritm 3;"}, {"nohierarchy", "", "costr 0;"},
      {"nohierarchy2", "", "costr 0; algoritm 2;"},
  };
  for (int width : {100, 101}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.name) + " at width " + std::to_string(width));
      const Image image = RenderImage(dir, c.name, Param(width, c.params) + kGreen + octahedron(c.settings) + lamp + ".\n");
      ASSERT_TRUE(image.loaded);
      int cracks = 0, inside = 0;
      for (int y = 0; y < width; ++y) {
        for (int x = 0; x < width; ++x) {
          const double u = (x + 0.5) / width, v = (width - y - 0.5) / width;
          if (std::fabs(u - 0.5) + std::fabs(v - 0.5) > 0.25 - 2.0 / width) continue;
          ++inside;
          if (image.At(x, y) == kBackground) ++cracks;
        }
      }
      EXPECT_GT(inside, width * width / 10);
      EXPECT_EQ(cracks, 0);
    }
  }
}

TEST(ZavoRenderModels, TheOnlyRayAlongACylindersAxisShowsTheLitCap) {
  TempDir dir;
  const Image image =
      RenderImage(dir, "axis",
                  Param(1) + kGreen +
                      "{ object\n\tname placed;\n\tmodel \t{ transf\n\t\tt ( 0.5 , 0.5 , -3 );\n" +
                      Object("can", "cylinder radius 0.5; high 0.5;") + "\t}\n}\n" + PointLamp("0.5 , 0.5 , 10") +
                      ".\n");
  ASSERT_TRUE(image.loaded);
  EXPECT_EQ(image.At(0, 0), kLitStraightOn);
}

TEST(ZavoRenderModels, QuadricsAreTracedUnboundedInEveryHierarchyMode) {
  TempDir dir;
  // The unit sphere about (0.5, 0.5, -3) as a quadric, the plane y = -1 as a
  // floor that no box holds, and a small bounded sphere so that the scene has
  // a hierarchy beside the unbounded entries.
  const std::string objects =
      std::string(kGreen) +
      Object("ball", "quad a 1; b 1; c 1; g -1; h -1; i 6; j 8.5;") + Object("floor", "quad h 1; j 1;") +
      Sphere("small", "2 , 2 , -6", 0.3) + PointLamp("0.5 , 0.5 , 10") + ".\n";
  for (int mode : {0, 1, 2, 3}) {
    SCOPED_TRACE(mode);
    const Image image =
        RenderImage(dir, "quad" + std::to_string(mode), Param(21, "  buildhier " + std::to_string(mode) + ";\n") + objects);
    ASSERT_TRUE(image.loaded);
    EXPECT_EQ(image.At(10, 10), kLitStraightOn);
    const Rgb floor = image.At(10, 20);
    EXPECT_EQ(floor.r, 0);
    EXPECT_GT(floor.g, 0);
    EXPECT_EQ(floor.b, 0);
    EXPECT_EQ(image.At(0, 0), kBackground);
  }
}

// ---- Transf, group, the written-back scene ----

TEST(ZavoRenderModels, TransfAndGroupRenderAsTheirContentPlacedDirectly) {
  TempDir dir;
  const std::string lamp = PointLamp("3 , 4 , 5");
  const std::string direct = Render(dir, "direct", Param(31) + kGreen + Sphere("ball", "0.5 , 0.5 , -3") + lamp + ".\n");
  const std::string moved =
      Render(dir, "moved",
             Param(31) + kGreen + "{ object\n\tname moved;\n\tmodel \t{ transf\n\t\tt ( 0.5 , 0.5 , -3 );\n" +
                 Sphere("ball", "0 , 0 , 0") + "\t}\n}\n" + lamp + ".\n");
  EXPECT_FALSE(direct.empty());
  EXPECT_EQ(moved, direct);

  const std::string two = Sphere("left", "0 , 0.5 , -3", 0.7) + Sphere("right", "1.2 , 0.6 , -4", 0.8);
  const std::string top = Render(dir, "top", Param(31) + kGreen + two + lamp + ".\n");
  const std::string grouped =
      Render(dir, "grouped", Param(31) + kGreen + "{ object\n\tname both;\n\tmodel \t{ group\n" + two + "}\n}\n" + lamp + ".\n");
  EXPECT_FALSE(top.empty());
  EXPECT_EQ(grouped, top);
}

TEST(ZavoRenderModels, APointLampUnderATransfLightsFromItsMovedCentre) {
  TempDir dir;
  const std::string scene = Param(31) + kGreen + Sphere("ball", "0.5 , 0.5 , -3");
  const auto lampObject = [](const std::string& centre) {
    return "{ object\n\tname bulb;\n\tmodel { pointlamp center ( " + centre + " ); radius 0.1; }\n}\n";
  };
  const std::string there = Render(dir, "there", scene + lampObject("3 , 4 , 5") + ".\n");
  const std::string moved = Render(dir, "moved",
                                   scene + "{ object\n\tname lamp;\n\tmodel \t{ transf\n\t\tt ( 5 , 0 , 0 );\n" +
                                       lampObject("-2 , 4 , 5") + "\t}\n}\n.\n");
  const std::string unmoved = Render(dir, "unmoved", scene + lampObject("-2 , 4 , 5") + ".\n");
  EXPECT_FALSE(there.empty());
  EXPECT_EQ(moved, there);
  EXPECT_NE(unmoved, there);
}

TEST(ZavoRenderModels, AWrittenBackSceneRendersTheSameImage) {
  TempDir dir;
  const std::string text =
      Param(40, "  ambientcolor (0.5,0.5,0.5);\n") + kGreen +
      "{ material\n\tname red;\n\tmodel { phong Ka 0.2; Kd 0.6; Ks 0.3; n 20; Od (1,0,0); Os (1,1,1); }\n}\n" +
      Object("ground", "box xmin -3; xmax 4; ymin -1.2; ymax -1; zmin -8; zmax -1;", "red") +
      "{ object\n\tname moved;\n\tmodel \t{ transf\n\t\tt ( 0 , 0.5 , -4 );\n\t\ts ( 1 , 1.5 , 1 );\n" +
      Sphere("ball", "0 , 0 , 0", 0.6) + "\t}\n}\n" + "{ object\n\tname pair;\n\tmodel \t{ group\n" +
      Object("can", "cylinder radius 0.3; high 0.4;") + Sphere("small", "1.5 , 1.2 , -5", 0.4) + "}\n}\n" +
      Object("cap", "cone radius 0.4; high 0.8;", "red") + Object("floor", "quad h 1; j 1.5;") +
      Object("tetra", "brep model { pbrep\nvertices 4  1 0 -3  2 0 -3  1.5 1 -3  1.5 0.3 -2.5\nfaces 4\n"
                     "{ 1 { 3 0 2 1 } } { 1 { 3 0 1 3 } } { 1 { 3 0 3 2 } } { 1 { 3 1 2 3 } }\n}\ncostr 0;") +
      PointLamp("3 , 4 , 5") + ".\n";
  const std::string first = Render(dir, "first", text);
  ASSERT_FALSE(first.empty());

  CG_ModelRegistry registry;
  BuildRegistry(registry);
  zavo::AddDocumentModelModules(registry);
  CG_GraphicScene scene(registry);
  scene.SetName((dir / "first").string().c_str());
  std::istringstream in(text);
  ASSERT_EQ(scene.Load(in), 1) << (scene.GetErrorMessage() != nullptr ? scene.GetErrorMessage() : "");
  {
    std::ofstream out(dir / "again.qz", std::ios::binary);
    scene.Write(out);
  }
  const Outcome run = RunIn(dir.path(), "again.qz");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFile(dir / "again.bmp"), first);
}

// ---- CSG ----

TEST(ZavoRenderModels, CsgIntervalsShowInTheImage) {
  TempDir dir;
  // Two unit spheres on the line y = 0.5, z = -3, first at x = 0, second at
  // x = 1, the lamp at the eye. The ray of pixel (6, 10) crosses only the
  // first, that of (14, 10) only the second, the centre ray both.
  const auto csg = [](const std::string& keyword) {
    return "{ object\n\tname both;\n\tmaterial green;\n\tmodel { " + keyword + "\nfirst " +
           Sphere("first", "0 , 0.5 , -3") + ";\nsecond " + Sphere("second", "1 , 0.5 , -3") + ";\n}\n}\n";
  };
  const std::string lamp = PointLamp("0.5 , 0.5 , 1");
  const Image alone = RenderImage(dir, "alone", Param(21) + kGreen + Sphere("first", "0 , 0.5 , -3") + lamp + ".\n");
  const Image meet = RenderImage(dir, "meet", Param(21) + kGreen + csg("intersect") + lamp + ".\n");
  const Image join = RenderImage(dir, "join", Param(21) + kGreen + csg("union") + lamp + ".\n");
  const Image cut = RenderImage(dir, "cut", Param(21) + kGreen + csg("subtract") + lamp + ".\n");
  ASSERT_TRUE(alone.loaded && meet.loaded && join.loaded && cut.loaded);
  ASSERT_NE(alone.At(6, 10), kBackground);

  EXPECT_EQ(meet.At(6, 10), kBackground);
  EXPECT_EQ(meet.At(14, 10), kBackground);
  EXPECT_NE(meet.At(10, 10), kBackground);
  EXPECT_GT(meet.At(10, 10).g, kAmbientOnly.g);

  EXPECT_GT(join.At(6, 10).g, kAmbientOnly.g);
  EXPECT_GT(join.At(14, 10).g, kAmbientOnly.g);
  EXPECT_EQ(join.At(6, 10), alone.At(6, 10));

  EXPECT_EQ(cut.At(14, 10), kBackground);
  EXPECT_EQ(cut.At(6, 10), alone.At(6, 10));
}

// ---- Cone and area lamps ----

// A flat green floor facing the eye, its top at z = -3.
std::string Floor() { return Object("floor", "box xmin -6; xmax 7; ymin -6; ymax 7; zmin -3.2; zmax -3;"); }

TEST(ZavoRenderModels, AConeLampLightsARoundSpot) {
  TempDir dir;
  // Aimed straight down from (0.5, 0.5, -1) with half-angle 0.3: the spot on
  // the floor has radius 2 tan 0.3 = 0.62 about (0.5, 0.5), 0.15 of the window.
  const Image image = RenderImage(dir, "spot",
                                  Param(41) + kGreen + Floor() +
                                      "{ lamp\n\tname spot;\n\tmodel { conelamp\npos ( 0.5 , 0.5 , -1 );\n"
                                      "\tdir ( 0 , 0 , -1 );\n\tang 0.3;\n\tcolor (1,1,1);\n}\n}\n.\n");
  ASSERT_TRUE(image.loaded);
  // Inside the spot, half its radius off the centre in four directions: lit alike.
  const Rgb inside = image.At(17, 20);
  EXPECT_GT(inside.g, kAmbientOnly.g);
  EXPECT_EQ(image.At(23, 20), inside);
  EXPECT_EQ(image.At(20, 17), inside);
  EXPECT_EQ(image.At(20, 23), inside);
  // Outside it, on the floor: the ambient term only.
  for (const auto& [x, y] : {std::pair{2, 20}, {38, 20}, {20, 2}, {20, 38}, {5, 5}}) {
    EXPECT_EQ(image.At(x, y), kAmbientOnly) << x << ", " << y;
  }
}

TEST(ZavoRenderModels, AnAreaLampCastsAPenumbraAndIsNeverSeen) {
  TempDir dir;
  // The lamp: the square x, y in [1.3, 1.7] x [0.3, 0.7] at z = -1, red, in
  // front of the floor. The blocker: a thin slab x in [0.2, 0.8] at z = -2.
  // Floor points x <= -0.1 see none of the lamp, -0.1 < x < 0.3 part of it,
  // and x >= 0.3 all of it (along y = 0.5).
  const std::string lampObject =
      "{ object\n\tname panel;\n\tmaterial red;\n\tmodel { arealamp\n\t\tp ( 1.3 , 0.3 , -1 );\n"
      "\t\tp ( 1.7 , 0.3 , -1 );\n\t\tp ( 1.7 , 0.7 , -1 );\n\t\tp ( 1.3 , 0.7 , -1 );\n\t\tdepth 3;\n\t}\n}\n";
  const std::string red = "{ material\n\tname red;\n\tmodel { phong Ka 1; Kd 0; Ks 0; Od (1,0,0); }\n}\n";
  const std::string blocker = Object("blocker", "box xmin 0.2; xmax 0.8; ymin -3; ymax 4; zmin -2.02; zmax -2;");
  const Image open = RenderImage(dir, "open", Param(40) + kGreen + red + Floor() + lampObject + ".\n");
  const Image shaded = RenderImage(dir, "shaded", Param(40) + kGreen + red + Floor() + blocker + lampObject + ".\n");
  ASSERT_TRUE(open.loaded && shaded.loaded);

  // Pixel 9 of row 20 sees the floor at x = -0.55 (umbra), pixel 15 at
  // x = 0.05 (penumbra), pixel 29 at x = 1.45 (in the open).
  EXPECT_EQ(shaded.At(9, 20), kAmbientOnly);
  EXPECT_GT(open.At(9, 20).g, kAmbientOnly.g);
  const Rgb penumbra = shaded.At(15, 20);
  EXPECT_GT(penumbra.g, kAmbientOnly.g);
  EXPECT_LT(penumbra.g, open.At(15, 20).g);
  EXPECT_EQ(shaded.At(29, 20), open.At(29, 20));

  // Pixel 37 of row 20 looks through the lamp's square: it shows the lit
  // floor, not the red lamp.
  for (const Image* image : {&open, &shaded}) {
    const Rgb through = image->At(37, 20);
    EXPECT_EQ(through.r, 0);
    EXPECT_EQ(through.b, 0);
    EXPECT_GT(through.g, kAmbientOnly.g);
  }
}

// ---- Curves ----

TEST(ZavoRenderModels, CurvesLeaveTheImageAsItWas) {
  TempDir dir;
  const std::string head = Param(21) + kGreen + Sphere("ball", "0.5 , 0.5 , -3");
  const std::string tail = PointLamp("0.5 , 0.5 , 10") + ".\n";
  const std::string curves =
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
  const std::string without = Render(dir, "without", head + tail);
  const std::string with = Render(dir, "with", head + curves + tail);
  EXPECT_FALSE(without.empty());
  EXPECT_EQ(with, without);
}

// ---- Patch surfaces ----

// Ka 1 and no lamp: a hit pixel is exactly green whatever its normal.
const char kFlatGreen[] = "{ material\n\tname flat;\n\tmodel { phong Ka 1; Kd 0; Ks 0; Od (0,1,0); }\n}\n";
const Rgb kFlatHit{0, 255, 0};

TEST(ZavoRenderModels, ABezierPatchRendersAndCachesItsMesh) {
  TempDir dir;
  // One flat patch over [0, 1] x [0, 1] at z = -1: the middle half of the window.
  std::string patch = "{ bezier\n\t{ patch\n";
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      std::ostringstream line;
      line << "\t\t( " << c / 3.0 << " , " << r / 3.0 << " , -1 )\n";
      patch += line.str();
    }
    patch += "\n";
  }
  patch += "\t}\n}\n";
  WriteFile(dir / "wing.bzr", patch);
  const std::string scene = Param(21) + kFlatGreen +
                            Object("w", "bezier name wing; div 4; cache 1;", "flat") + ".\n";
  const Image image = RenderImage(dir, "patch", scene);
  ASSERT_TRUE(image.loaded);
  EXPECT_EQ(image.At(10, 10), kFlatHit);
  EXPECT_EQ(image.At(7, 12), kFlatHit);
  EXPECT_EQ(image.At(0, 0), kBackground);
  EXPECT_EQ(image.At(3, 10), kBackground);
  EXPECT_TRUE(fs::exists(dir / "wing.brp"));

  const std::string first = ReadFile(dir / "patch.bmp");
  fs::remove(dir / "patch.bmp");
  const Outcome again = RunIn(dir.path(), "patch.qz");
  ASSERT_EQ(again.exitCode, 0) << again.err;
  EXPECT_NE(again.err.find("Loading bezier cache"), std::string::npos) << again.err;
  EXPECT_EQ(ReadFile(dir / "patch.bmp"), first);
}

TEST(ZavoRenderModels, ASplineSurfaceRenders) {
  TempDir dir;
  // 4 x 4 control points (a - 1, b - 1, -1): the one window spans about
  // [0, 1] x [0, 1] at z = -1.
  std::string grid = "4 4\n";
  for (int a = 0; a < 4; ++a) {
    for (int b = 0; b < 4; ++b) grid += std::to_string(a - 1) + " " + std::to_string(b - 1) + " -1\n";
  }
  WriteFile(dir / "grid.bsp", grid);
  for (int usebrep : {1, 0}) {
    SCOPED_TRACE(usebrep);
    const Image image =
        RenderImage(dir, "spline" + std::to_string(usebrep),
                    Param(21) + kFlatGreen +
                        Object("s", "ucbspline name grid; usebrep " + std::to_string(usebrep) + ";", "flat") + ".\n");
    ASSERT_TRUE(image.loaded);
    EXPECT_EQ(image.At(10, 10), kFlatHit);
    EXPECT_EQ(image.At(9, 8), kFlatHit);
    EXPECT_EQ(image.At(0, 0), kBackground);
  }
}

}  // namespace
