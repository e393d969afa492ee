// The three pixel loops: adaptive refinement, jitter, depth of field and
// motion blur, with the random numbers they draw.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "render/render_fixtures.h"

namespace zavo::test {
namespace {

// The default view: eye (0.5, 0.5, 1), the window [0, 1] x [0, 1] on z = 0.
// A ray that lands on the view plane at (x, y) comes from image position
// (x dimx, (1 - y) dimy).

// A white region of the view plane on black.
void Region(RenderScene& f, std::function<bool(const Point3D&)> inside, double t = 2.0) {
  f.Add(std::make_unique<SelectiveObject>("region", [inside](const Ray& ray) { return inside(OnViewPlane(ray)); }, t));
  RenderScene::Shading().colour = [](const Point3D&) { return Point3D{1, 1, 1}; };
  f.scene.GetParam().shade = "pointcolour";
  f.scene.GetParam().buildhier = 0;
}

TEST(PixelLoops, AdaptiveLevelOneIsTheMeanOfTheFourCorners) {
  RenderScene f;
  f.Add(std::make_unique<SelectiveObject>("all", [](const Ray&) { return true; }));
  RenderScene::Shading().colour = [](const Point3D& P) {
    return Point3D{std::fabs(P.x) / 2, std::fabs(P.y) / 2, 0.25};
  };
  GParam& p = f.scene.GetParam();
  p.shade = "pointcolour";
  p.dimx = 4;
  p.dimy = 3;
  p.anti_alias = 1;
  p.anti_al_toll = 0;  // every corner differs, but the level is 0
  BitmapManager image;
  ASSERT_EQ(RenderInTemp(f, &image), 1);
  EXPECT_EQ(RenderScene::Shading().calls, 5 * 4);  // every corner once

  auto corner = [&](int i, int j) {
    return f.scene.Trace(Ray::FromPoints(f.scene.EyePoint(), f.scene.PixelRay(i, j)), p.mode, 1.0);
  };
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      const Point3D mean = (corner(x, y) + corner(x + 1, y) + corner(x, y + 1) + corner(x + 1, y + 1)) * 0.25;
      EXPECT_EQ(PixelOf(image, x, y), (Rgb{static_cast<int>(255 * mean.x), static_cast<int>(255 * mean.y), 63}))
          << x << ", " << y;
    }
  }
}

TEST(PixelLoops, AdaptiveRefinesTheCornerAcrossAHardEdge) {
  // One pixel; only its top-right corner sees the white region.
  struct Case {
    int anti_alias;
    int grey;
    int samples;
  } cases[] = {
      {1, 63, 4},   // the mean of the corners, 1/4
      {2, 15, 7},   // the corner's quarter: 1/16
      {3, 3, 10},   // and its sixteenth: 1/64
      {-5, 63, 4},  // a negative level other than -1 ends at once
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.anti_alias);
    RenderScene f;
    Region(f, [](const Point3D& w) { return w.x > 0.9 && w.y > 0.9; });
    GParam& p = f.scene.GetParam();
    p.dimx = 1;
    p.dimy = 1;
    p.anti_alias = c.anti_alias;
    p.anti_al_toll = 0.5;
    BitmapManager image;
    ASSERT_EQ(RenderInTemp(f, &image), 1);
    EXPECT_EQ(PixelOf(image, 0, 0), (Rgb{c.grey, c.grey, c.grey}));
    auto& region = static_cast<SelectiveObject&>(*f.scene.FindObject("region"));
    EXPECT_EQ(static_cast<int>(region.rays.size()), c.samples);
  }
}

// Ball scenes rendered by two loops give the same file.
std::string RenderedFile(int antiAlias) {
  RenderScene f;
  f.Load(
      "{ param\n  dimx 12;\n  dimy 10;\n  backcolor (0,0,1);\n  jitterrange 0;\n}\n"
      "{ object\n\tname ball;\n\tmodel { sphere center ( 0.5 , 0.5 , -3 ); radius 1; }\n}\n"
      "{ object\n\tname box;\n\tmodel { box xmin 0.6; xmax 1.5; ymin -1; ymax 0.4; zmin -4; zmax -2; }\n}\n"
      "{ object\n\tname lamp;\n\tmodel { fakelight position 3 3 10; colour 1 1 1; }\n}\n.");
  f.scene.GetParam().anti_alias = antiAlias;
  TempDir dir;
  ScopedCwd cwd(dir.path());
  f.scene.SetName("img");
  EXPECT_EQ(f.scene.Render(), 1);
  return ReadFile(dir / "img.bmp");
}

TEST(PixelLoops, JitterWithoutRangeIsTheSimpleLoop) {
  const std::string simple = RenderedFile(0);
  EXPECT_EQ(RenderedFile(-1), simple);
  EXPECT_NE(RenderedFile(2), simple);
}

TEST(PixelLoops, RandomNumbersOfTheDistributedLoop) {
  struct Case {
    const char* what;
    int motionblur, jitterfreq, UseDF;
    double t;  // where the one object is hit; the view plane is at distance t - 1
    int draws;
  } cases[] = {
      {"jitter: two a sample", 0, 3, 0, 2, 2 * 2 * 3},
      {"no samples asked for: one", 0, 0, 0, 2, 2 * 2},
      {"motion blur without anims: one more a pixel", 1, 1, 0, 2, 2 * 3},
      {"in focus: the jitter path", 0, 1, 1, 51, 2 * 2},
      {"in front: blurred, no jitter", 0, 1, 1, 6, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RenderScene f;
    f.Add(std::make_unique<SelectiveObject>("all", [](const Ray&) { return true; }, c.t));
    GParam& p = f.scene.GetParam();
    p.shade = "fixed";
    p.buildhier = 0;
    p.dimx = 2;
    p.dimy = 1;
    p.anti_alias = -1;
    p.motionblur = c.motionblur;
    p.jitterfreq = c.jitterfreq;
    p.UseDF = c.UseDF;
    p.DFSmax = 1;  // radius 2 in front
    ASSERT_EQ(RenderInTemp(f), 1);
    const std::uint32_t seed = zavo::RandomSeed();
    EXPECT_EQ(seed, SeedAfter(c.draws));
  }
}

TEST(PixelLoops, DepthOfFieldAveragesTheWindowOfItsClass) {
  // Three columns: the two left ones in front (hit 6 from the eye), the right
  // one behind (a miss). Radius 2 in the front ramp: the window of column 0
  // covers columns -2 .. 1 and rows -2 .. 2, of which (0..1, 0..1) exist.
  RenderScene f;
  f.Add(std::make_unique<SelectiveObject>("near", [](const Ray& ray) { return OnViewPlane(ray).x < 2.0 / 3; }, 6));
  RenderScene::Shading().colour = [](const Point3D& P) { return Point3D{P.y > 0.5 ? 2.0 : 0.2, 0.5, 0}; };
  GParam& p = f.scene.GetParam();
  p.shade = "pointcolour";
  p.buildhier = 0;
  p.dimx = 3;
  p.dimy = 2;
  p.anti_alias = -1;
  p.UseDF = 1;
  p.DFSmax = 0.5;  // trunc(3 x 0.5) = 1 beyond the ramps; in the ramp trunc(... + 2)
  p.backcolor = {0, 0, 1};
  BitmapManager image;
  ASSERT_EQ(RenderInTemp(f, &image), 1);
  // The top row's colour above 1 is kept as 255 in the scratch image, not
  // wrapped; the bottom row's is 0.2 (51). A front pixel averages the front
  // positions of its window.
  const Rgb front = PixelOf(image, 0, 0);
  EXPECT_EQ(front.g, 127);
  EXPECT_EQ(front.r, (255 + 255 + 51 + 51) / 4);  // 152 with 510 wrapped to 254
  // The miss column is behind: it averages the misses only.
  EXPECT_EQ(PixelOf(image, 2, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(PixelOf(image, 2, 1), (Rgb{0, 0, 255}));
}

// An anim that moves a white half plane along x with its frame: x < 0.5 +
// 0.05 (frame - 1) on the view plane. It is traced through a declassed part.
class Mover : public SelectiveObject {
public:
  Mover() : SelectiveObject("mover", [](const Ray&) { return false; }) { traceable = 0; }
  int IsAnim() const override { return 1; }
  int SetFrame(double f) override {
    frame = f;
    ++frames;
    return 1;
  }
  double GetFrame() const override { return frame; }
  int DeclassToRayTraceable(zavo::DeclassedParts& parts) override {
    const double edge = 0.5 + 0.05 * (frame - 1);
    auto part = std::make_unique<SelectiveObject>("mover", [edge](const Ray& ray) { return OnViewPlane(ray).x < edge; });
    part->WithBound(GEO_Box{-10, 10, -10, 10, -10, 10});
    parts.SetSize(1);
    parts[0].object = part.release();
    parts[0].owned = 1;
    return 1;
  }
  double frame = 1.0;
  int frames = 0;
};

TEST(PixelLoops, MotionBlurMovesAnimsAroundTheirFrame) {
  for (int blur : {0, 1}) {
    SCOPED_TRACE(blur);
    RenderScene f;
    Mover& mover = f.Add(std::make_unique<Mover>());
    RenderScene::Shading().colour = [](const Point3D&) { return Point3D{1, 1, 1}; };
    GParam& p = f.scene.GetParam();
    p.shade = "pointcolour";
    p.buildhier = 1;
    p.dimx = 10;
    p.dimy = 4;
    p.anti_alias = -1;
    p.jitterfreq = 16;
    p.jitterrange = 0.5;  // the whole pixel
    p.motionblur = blur;
    BitmapManager image;
    ASSERT_EQ(RenderInTemp(f, &image), 1);
    int between = 0;
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 10; ++x) {
        const int g = PixelOf(image, x, y).g;
        if (g != 0 && g != 255) ++between;
        if (x < 3 || (!blur && x < 5)) {
          EXPECT_EQ(g, 255);
        }
        if (x > 6 || (!blur && x >= 5)) {
          EXPECT_EQ(g, 0);
        }
      }
    }
    if (blur) {
      EXPECT_GT(between, 0);
      EXPECT_EQ(mover.frames, 4 * 10 + 1);  // per pixel, then back
    } else {
      EXPECT_EQ(between, 0);
      EXPECT_EQ(mover.frames, 0);
    }
    EXPECT_EQ(mover.frame, 1.0);
  }
}

}  // namespace
}  // namespace zavo::test
