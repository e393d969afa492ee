// Lit images of the curved model types as a user would make them: a point
// lamp above, to the left of and in front of the object, the eye ten units
// away, every number a plain decimal. Each image shows the object whole (no
// background pixel enclosed by its pixels) and brighter on the lamp's side;
// the patch surfaces show no seam where patches meet, the spline surface does
// not shadow itself and covers the same pixels traced directly or as a mesh,
// and a blob far away looks like the same blob near.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/bitmap_manager.h"
#include "models/registry.h"
#include "render/render_fixtures.h"

namespace {

using zavo::test::PixelOf;
using zavo::test::RenderScene;
using zavo::test::Rgb;
using zavo::test::ScopedCwd;
using zavo::test::TempDir;
using zavo::test::WriteFile;

constexpr int kSize = 64;
const Rgb kBackground{0, 0, 255};

using Files = std::vector<std::pair<std::string, std::string>>;

std::string Number(double v) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os.precision(17);
  os << v;
  return os.str();
}

std::string Point(double x, double y, double z) {
  return "( " + Number(x) + " , " + Number(y) + " , " + Number(z) + " )";
}

// The eye at (0, 0, eye) looking down -z through the window -half .. half of
// the plane z = 0.
std::string View(double eye, double half) {
  return "{ vrc\n\tvrp ( 0 , 0 , 0 );\n\tprp " + Point(0, 0, eye) + ";\n\tvup ( 0 , 1 , 0 );\n\tvpn ( 0 , 0 , 1 );\n" +
         "\tumax " + Number(half) + ";\n\tumin " + Number(-half) + ";\n\tvmax " + Number(half) + ";\n\tvmin " +
         Number(-half) + ";\n\ttype 1;\n\tf 1;\n\tb 0;\n\tfon 0;\n\tbon 0;\n}\n";
}

std::string Lamp(double scale = 1.0) {
  return "{ lamp\n\tname sun;\n\tmodel { pointlamp\npos " + Point(-4 * scale, 4 * scale, 12 * scale) +
         ";\n\tcolor (1,1,1);\n}\n}\n";
}

// The view, the image, a clay material and the lamp around the objects.
std::string Scene(const std::string& objects, double eye = 10, double half = 1.5, double scale = 1.0) {
  return View(eye * scale, half * scale) + "{ param\n  dimx " + std::to_string(kSize) + ";\n  dimy " +
         std::to_string(kSize) + ";\n  backcolor (0,0,1);\n  ambientcolor (0.2,0.2,0.2);\n}\n" +
         "{ material\n\tname clay;\n\tmodel { phong Ka 0.15; Kd 0.8; Ks 0; Od (0.85,0.6,0.35); }\n}\n" + objects +
         Lamp(scale) + ".\n";
}

std::string Object(const std::string& name, const std::string& model, const std::string& header = "") {
  return "{ object\n\tname " + name + ";\n\tmaterial clay;\n" + header + "\tmodel { " + model + "\n\t}\n}\n";
}

// Renders the scene with the side files beside it, in the mode given.
void Render(const std::string& text, const Files& files, BitmapManager& image, const char* mode = "raytracing",
            const std::function<void(CG_GraphicScene&)>& afterLoad = nullptr) {
  TempDir dir;
  ScopedCwd cwd(dir.path());
  for (const auto& [name, content] : files) WriteFile(dir / name, content);
  // The Bezier reader joins the registry as the editor's document adds it.
  static const bool withBezier = [] {
    zavo::AddDocumentModelModules(RenderScene::Registry());
    return true;
  }();
  (void)withBezier;
  RenderScene f;
  ASSERT_EQ(f.Load(text), 1) << f.scene.GetErrorLine() << ": "
                             << (f.scene.GetErrorMessage() != nullptr ? f.scene.GetErrorMessage() : "") << "\n"
                             << text;
  if (afterLoad) afterLoad(f.scene);
  f.scene.GetParam().render = mode;
  f.scene.SetName("img");
  ASSERT_EQ(f.scene.Render(), 1) << (f.ui.messages.empty() ? "" : f.ui.messages.back());
  ASSERT_EQ(image.Load(dir / "img.bmp"), 1);
  ASSERT_EQ(image.Width(), kSize);
  if (const char* keep = std::getenv("ZAVO_KEEP_IMAGES")) {
    static int kept = 0;
    std::filesystem::copy_file(dir / "img.bmp", std::filesystem::path(keep) / (std::to_string(++kept) + ".bmp"),
                               std::filesystem::copy_options::overwrite_existing);
  }
}

bool Covered(const BitmapManager& image, int x, int y) { return !(PixelOf(image, x, y) == kBackground); }

int Brightness(const BitmapManager& image, int x, int y) {
  const Rgb c = PixelOf(image, x, y);
  return c.r + c.g + c.b;
}

// Background pixels that the object's pixels enclose: covered pixels lie to
// their left and right in their row and above and below in their column.
int EnclosedBackground(const BitmapManager& image) {
  int enclosed = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (Covered(image, x, y)) continue;
      bool left = false, right = false, up = false, down = false;
      for (int k = 0; k < kSize; ++k) {
        if (!Covered(image, k, y) && !Covered(image, x, k)) continue;
        left = left || (k < x && Covered(image, k, y));
        right = right || (k > x && Covered(image, k, y));
        up = up || (k < y && Covered(image, x, k));
        down = down || (k > y && Covered(image, x, k));
      }
      enclosed += left && right && up && down;
    }
  }
  return enclosed;
}

// The whole object is shown (no more enclosed background pixels than
// allowed), and the half of its pixels towards the lamp (upper left of the
// image) is brighter than the half away from it.
void ExpectLitAndWhole(const BitmapManager& image, int allowedHoles = 0) {
  long sumX = 0, sumY = 0, covered = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (!Covered(image, x, y)) continue;
      sumX += x;
      sumY += y;
      ++covered;
    }
  }
  ASSERT_GT(covered, kSize * kSize / 8);
  EXPECT_FALSE(Covered(image, 0, 0));
  EXPECT_LE(EnclosedBackground(image), allowedHoles);
  const double cx = double(sumX) / covered;
  const double cy = double(sumY) / covered;
  double lit = 0, shadowed = 0;
  long litCount = 0, shadowedCount = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (!Covered(image, x, y)) continue;
      const double side = (x - cx) + (y - cy);
      if (side < -4) {
        lit += Brightness(image, x, y);
        ++litCount;
      } else if (side > 4) {
        shadowed += Brightness(image, x, y);
        ++shadowedCount;
      }
    }
  }
  ASSERT_GT(litCount, 0);
  ASSERT_GT(shadowedCount, 0);
  EXPECT_GT(lit / litCount, 1.15 * (shadowed / shadowedCount));
}

// Pixels whose channels differ by more than tolerance.
std::vector<std::pair<int, int>> Differing(const BitmapManager& a, const BitmapManager& b, int tolerance) {
  std::vector<std::pair<int, int>> out;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const Rgb p = PixelOf(a, x, y);
      const Rgb q = PixelOf(b, x, y);
      if (std::abs(p.r - q.r) > tolerance || std::abs(p.g - q.g) > tolerance || std::abs(p.b - q.b) > tolerance) {
        out.emplace_back(x, y);
      }
    }
  }
  return out;
}

// The shift to the right, 0 to 15 pixels, that best lays the covered
// pixels of from onto those of to.
int CoverageShift(const BitmapManager& from, const BitmapManager& to) {
  int best = 0, bestMismatch = kSize * kSize + 1;
  for (int d = 0; d < 16; ++d) {
    int mismatch = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x + d < kSize; ++x) mismatch += Covered(from, x, y) != Covered(to, x + d, y);
    }
    if (mismatch < bestMismatch) {
      best = d;
      bestMismatch = mismatch;
    }
  }
  return best;
}

// ---- Bezier patches ----

struct Net {
  Point3D p[4][4];  // p[r][c], r with u, c with v
};

// A dome over [-1.2, 1.2] x [-1.1, 1.3] facing the eye.
Net Dome() {
  Net net;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      const bool inner = (r == 1 || r == 2) && (c == 1 || c == 2);
      net.p[r][c] = Point3D{-1.2 + 0.8 * r, -1.1 + 0.8 * c, inner ? 0.93 : 0.07 * r};
    }
  }
  return net;
}

// The halves of a cubic segment at its middle.
void Halve(const Point3D in[4], Point3D first[4], Point3D second[4]) {
  const Point3D a = 0.5 * (in[0] + in[1]), b = 0.5 * (in[1] + in[2]), c = 0.5 * (in[2] + in[3]);
  const Point3D ab = 0.5 * (a + b), bc = 0.5 * (b + c);
  const Point3D middle = 0.5 * (ab + bc);
  const Point3D f[4] = {in[0], a, ab, middle};
  const Point3D s[4] = {middle, bc, c, in[3]};
  for (int k = 0; k < 4; ++k) {
    first[k] = f[k];
    second[k] = s[k];
  }
}

// The four quarters of the patch, which share their edges along u and v.
std::vector<Net> Quarters(const Net& net) {
  Net halves[2];  // in v
  for (int r = 0; r < 4; ++r) Halve(net.p[r], halves[0].p[r], halves[1].p[r]);
  std::vector<Net> out;
  for (const Net& half : halves) {
    Net parts[2];  // in u
    for (int c = 0; c < 4; ++c) {
      Point3D column[4], first[4], second[4];
      for (int r = 0; r < 4; ++r) column[r] = half.p[r][c];
      Halve(column, first, second);
      for (int r = 0; r < 4; ++r) {
        parts[0].p[r][c] = first[r];
        parts[1].p[r][c] = second[r];
      }
    }
    out.push_back(parts[0]);
    out.push_back(parts[1]);
  }
  return out;
}

std::string BezierModel(const std::vector<Net>& nets, int div) {
  std::string text = "bezier\n\t\tmodel { bezier\n";
  for (const Net& net : nets) {
    text += "\t{ patch\n";
    for (int c = 0; c < 4; ++c) {
      for (int r = 0; r < 4; ++r) text += "\t\t" + Point(net.p[r][c].x, net.p[r][c].y, net.p[r][c].z) + "\n";
    }
    text += "\t}\n";
  }
  return text + "}\n\t\tdiv " + std::to_string(div) + ";";
}

// The quarters at div 5 sample the places that the whole patch samples at
// div 9: welded, their mesh is the patch's mesh and gives its image, without
// a line or a hole along the edges that the quarters share.
TEST(CurvedImages, BezierPatchesThatShareEdgesShowNoSeam) {
  BitmapManager whole;
  Render(Scene(Object("dome", BezierModel({Dome()}, 9))), {}, whole);
  ExpectLitAndWhole(whole);
  BitmapManager quarters;
  Render(Scene(Object("dome", BezierModel(Quarters(Dome()), 5))), {}, quarters);
  ExpectLitAndWhole(quarters);
  const auto differing = Differing(whole, quarters, 2);
  EXPECT_LE(differing.size(), 2u);
  for (const auto& [x, y] : differing) {
    ADD_FAILURE() << "(" << x << ", " << y << "): " << PixelOf(whole, x, y) << " whole, " << PixelOf(quarters, x, y)
                  << " in quarters";
  }
}

// ---- NURBS mesh ----

TEST(CurvedImages, ANURBSMeshIsLitAndWhole) {
  std::string patch = "{ patch orderx 3; ordery 3; dimx 3; dimy 3;\n{ 0; 0; 0; 1; 1; 1; }\n{ 0; 0; 0; 1; 1; 1; }\n";
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 3; ++r) {
      patch += Point(-1.3 + 1.3 * r, -1.2 + 1.25 * c, r == 1 && c == 1 ? 1.7 : 0.1) +
               (r == 1 && c == 1 ? " , 1.4;\n" : " , 1;\n");
    }
  }
  BitmapManager image;
  Render(Scene(Object("hull", "NURBSmesh\n\t\tmodel { NURBS\n" + patch + "}\n}\n\t\tdiv 24;")), {}, image);
  ExpectLitAndWhole(image);
}

// ---- Spline surface ----

// A 7 x 7 grid over [-1.8, 1.8] x [-1.7, 1.9] whose surface is a low dome
// that the lamp sees whole.
std::string DomeGrid() {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << "7 7\n";
  for (int a = 0; a < 7; ++a) {
    for (int b = 0; b < 7; ++b) {
      const double x = -1.8 + 0.6 * a, y = -1.7 + 0.6 * b;
      os << x << " " << y << " " << 0.9 - 0.21 * (x * x + y * y) << "\n";
    }
  }
  return os.str();
}

TEST(CurvedImages, ASplineSurfaceTracedDirectlyIsLitWithoutShadowingItself) {
  BitmapManager direct;
  Render(Scene(Object("s", "ucbspline\n\t\tname grid;")), {{"grid.bsp", DomeGrid()}}, direct);
  ExpectLitAndWhole(direct);
  // Every point of the dome faces the lamp: none is lit by the ambient light only.
  int shadowed = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      shadowed += Covered(direct, x, y) && PixelOf(direct, x, y).r < 40;
    }
  }
  EXPECT_EQ(shadowed, 0);

  BitmapManager mesh;
  Render(Scene(Object("s", "ucbspline\n\t\tname grid;\n\t\tusebrep 0;")), {{"grid.bsp", DomeGrid()}}, mesh);
  ExpectLitAndWhole(mesh);
  int either = 0, both = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      either += Covered(direct, x, y) || Covered(mesh, x, y);
      both += Covered(direct, x, y) && Covered(mesh, x, y);
    }
  }
  ASSERT_GT(either, 0);
  EXPECT_GE(double(both) / either, 0.98) << both << " of " << either;
}

// ---- Blob ----

std::string ThreeElements(double scale) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os.precision(17);
  os << "[blob1.0]\nthreshold = 0.55\n";
  os << "sphere = " << -0.71 * scale << " " << 0.13 * scale << " " << 0.07 * scale << " " << 1.1 * scale << " 1\n";
  os << "sphere = " << 0.52 * scale << " " << -0.23 * scale << " " << 0.11 * scale << " " << 0.97 * scale << " 1.3\n";
  os << "sphere = " << 0.04 * scale << " " << 0.61 * scale << " " << -0.19 * scale << " " << 0.83 * scale << " 0.9\n";
  return os.str();
}

TEST(CurvedImages, ABlobIsLitAndWhole) {
  BitmapManager image;
  Render(Scene(Object("b", "blob\n\t\tname drop;")), {{"drop.blb", ThreeElements(1)}}, image);
  ExpectLitAndWhole(image);
}

// Sixty units away the blob looks as it does scaled down to a tenth six
// units away (its tolerance, the lamp and the view scaled with it): the same
// picture, no stray pixels.
TEST(CurvedImages, ABlobFarAwayLooksLikeTheSameBlobNear) {
  BitmapManager far;
  Render(Scene(Object("b", "blob\n\t\tname drop;", "\ttoll 0.01;\n"), 60, 1.5, 1), {{"drop.blb", ThreeElements(1)}},
         far);
  ExpectLitAndWhole(far);
  BitmapManager near;
  Render(Scene(Object("b", "blob\n\t\tname drop;", "\ttoll 0.001;\n"), 60, 1.5, 0.1),
         {{"drop.blb", ThreeElements(0.1)}}, near);
  ExpectLitAndWhole(near);
  // At most a pixel or two where a shadow ray grazes the surface.
  const auto differing = Differing(far, near, 2);
  std::ostringstream list;
  for (const auto& [x, y] : differing) {
    list << " (" << x << ", " << y << "): " << PixelOf(far, x, y) << " far, " << PixelOf(near, x, y) << " near;";
  }
  EXPECT_LE(differing.size(), 2u) << list.str();
}

// ---- Abstract VRML node ----

TEST(CurvedImages, AnAbstractVRMLNodeIsLitAndWhole) {
  BitmapManager image;
  Render(Scene(Object("v", "AbstractVRMLNode\n\t\tcenter ( 0.1 , -0.05 , 0.2 );\n\t\tradius 1.15;")), {}, image);
  ExpectLitAndWhole(image);
}

// ---- Field ----

// The field itself is neither traced nor previewed (its views show its
// object, its decoration and the deformed copy). Its deformed copy, put into
// the scene, is traced lit and whole, moved by the field's displacement.
TEST(CurvedImages, AFieldsDeformedCopyIsLitAndWholeWhereTheFieldMovedIt) {
  const std::string field = "{ object\n\tname f;\n\tmodel { field\n" +
                            Object("region", "sphere center ( 40 , 0 , 0 ); radius 0.3;") + "\tdecoration " +
                            Object("decor", BezierModel({Dome()}, 9)) +
                            "\tmat { rx \"0.37\"; ry \"0\"; rz \"0\"; }\n\t}\n}\n";
  BitmapManager alone;
  Render(Scene(Object("dome", BezierModel({Dome()}, 9))), {}, alone);
  BitmapManager moved;
  Render(Scene(field), {}, moved, "raytracing", [](CG_GraphicScene& scene) {
    CG_GraphicObject* f = scene.FindObject("f");
    ASSERT_NE(f, nullptr);
    zavo::DeclassedParts parts;
    zavo::DeclassedPartsRelease release{parts};
    ASSERT_EQ(f->DeclassToFaced(parts, 0), 1);
    ASSERT_EQ(parts.Size(), 3);  // the object, the decoration, the deformed copy
    std::unique_ptr<CG_GraphicObject> copy = parts[2].object->Clone();
    ASSERT_NE(copy, nullptr);
    copy->name = "moved";
    scene.AddObject(std::move(copy));
  });
  ExpectLitAndWhole(moved);
  // The copy is the dome moved 0.37 to the right: about 8 pixels.
  const int shift = CoverageShift(alone, moved);
  EXPECT_GE(shift, 7);
  EXPECT_LE(shift, 9);
}

}  // namespace
