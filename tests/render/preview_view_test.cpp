// The preview's view of the scene: the drawn depths and the matrix to clip
// coordinates, for views from either side of the view plane.

#include <gtest/gtest.h>

#include <cmath>

#include "render/preview_view.h"
#include "render/sound_view.h"
#include "scene/view_reference.h"

namespace {

struct Clip {
  double x, y, z, w;
};

Clip Apply(const Transformation& m, const Point3D& p) {
  double v[4];
  for (int r = 0; r < 4; ++r) v[r] = m(r, 0) * p.x + m(r, 1) * p.y + m(r, 2) * p.z + m(r, 3);
  return {v[0], v[1], v[2], v[3]};
}

// The world point of view coordinates (u, v, n).
Point3D World(const CG_ViewReference& view, double u, double v, double n) {
  const Point3D N = view.vpn * (1 / Length(view.vpn));
  const Point3D across = Cross(view.vup, view.vpn);
  const Point3D U = across * (1 / Length(across));
  const Point3D V = Cross(N, U);
  return view.vrp + u * U + v * V + n * N;
}

CG_ViewReference View(Point3D vrp, Point3D prp, Point3D vpn, Point3D vup, double umin, double umax, double vmin,
                      double vmax) {
  CG_ViewReference view;
  view.vrp = vrp;
  view.prp = prp;
  view.vpn = vpn;
  view.vup = vup;
  view.umin = umin;
  view.umax = umax;
  view.vmin = vmin;
  view.vmax = vmax;
  view.type = 1;
  return view;
}

TEST(PreviewView, TheMatrixFramesTheWindowAndTheDepthsForEverySoundView) {
  struct Case {
    const char* what;
    CG_ViewReference view;
    double farthest;
  } cases[] = {
      {"the default view (its front plane at the eye)", CG_ViewReference(), 14.3},
      {"eye behind the view plane", View({0.3, 0.2, -1.2}, {0.1, -0.15, -3.4}, {0, 0, -1}, {0, 1, 0}, -1.3, 1.1, -1.2, 1.2),
       9.7},
      {"an oblique camera", View({0.2, -0.5, -4.6}, {0.3, -0.2, 7.3}, {0.45, 0.2, 0.85}, {0.1, 1, 0}, -2.3, 2.3, -2.3, 2.3),
       21.1},
      {"a wide window, the eye off its centre", View({0, 0, 0}, {0.4, 0.3, 4.2}, {0, 0, 1}, {0, 1, 0}, -1.6, 1.7, -0.9, 0.95),
       33.3},
      {"a mirrored window", View({1, 2, 3}, {0, 0, 2.5}, {1, 0, 0}, {0, 0, 1}, 1, -1, -1, 1), 7.7},
      {"a tiny scene far away", View({0, 0, -1e4}, {0, 0, 1e4 + 0.1}, {0, 0, 1}, {0, 1, 0}, -1e-3, 1e-3, -1e-3, 1e-3),
       1e4 + 0.2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(zavo::SoundView(c.view));
    const zavo::PreviewDepths depths = zavo::ChoosePreviewDepths(c.view, c.farthest);
    ASSERT_FALSE(depths.empty);
    EXPECT_GT(depths.front, 0);
    EXPECT_LT(depths.front, 1e-5 * c.farthest);
    EXPECT_GE(depths.back, c.farthest);
    const Transformation m = zavo::PreviewMatrix(c.view, depths);
    ASSERT_TRUE(zavo::FiniteMatrix(m));

    // The matrix has an inverse.
    const Transformation product = m * m.Inverse();
    for (int r = 0; r < 4; ++r) {
      for (int k = 0; k < 4; ++k) EXPECT_NEAR(product(r, k), r == k ? 1 : 0, 1e-6) << r << ", " << k;
    }

    // The corners of the window, seen at any depth in front of the eye, land
    // on the corners of the device window; depth runs from 0 at the front to
    // 1 at the back.
    const CG_ViewReference& v = c.view;
    const double side = v.prp.z > 0 ? 1 : -1;
    for (double t : {0.5, 1.0, 3.0}) {
      for (int corner = 0; corner < 4; ++corner) {
        const double u = corner & 1 ? v.umax : v.umin;
        const double w = corner & 2 ? v.vmax : v.vmin;
        // The point t times as far from the eye as the window's corner.
        const Point3D eye{v.prp.x, v.prp.y, v.prp.z};
        const Point3D at = eye + t * (Point3D{u, w, 0} - eye);
        const Clip p = Apply(m, World(v, at.x, at.y, at.z));
        ASSERT_GT(p.w, 0);
        EXPECT_NEAR(p.x / p.w, corner & 1 ? 1 : -1, 1e-7);
        EXPECT_NEAR(p.y / p.w, corner & 2 ? 1 : -1, 1e-7);
      }
    }
    const auto depthAt = [&](double distance) {
      const Clip p = Apply(m, World(v, v.prp.x, v.prp.y, v.prp.z - side * distance));
      return p;
    };
    EXPECT_NEAR(depthAt(depths.front).z / depthAt(depths.front).w, 0, 1e-7);
    EXPECT_NEAR(depthAt(depths.back).z / depthAt(depths.back).w, 1, 1e-7);
    const Clip nearer = depthAt(0.3 * c.farthest);
    const Clip farther = depthAt(0.6 * c.farthest);
    EXPECT_LT(nearer.z / nearer.w, farther.z / farther.w);
    // Behind the eye: outside the front plane.
    EXPECT_LT(depthAt(-0.1 * c.farthest).z, 0);
    EXPECT_LT(depthAt(-0.1 * c.farthest).w, 0);
  }
}

TEST(PreviewView, ThePlanesThatAreOnBoundTheDepths) {
  // The eye 4 in front of the view plane z = 0 of vpn (0, 0, 1): the plane
  // n = k lies 4 - k in front of the eye.
  CG_ViewReference view = View({0, 0, 0}, {0, 0, 4}, {0, 0, 1}, {0, 1, 0}, -1, 1, -1, 1);
  view.f = 1.5;
  view.b = -7;
  struct Case {
    int fon, bon;
    double front, back;  // expected; a negative front: the default one
    bool empty;
  } cases[] = {
      {0, 0, -1, 40, false},
      {1, 0, 2.5, 40, false},
      {0, 1, -1, 11, false},
      {1, 1, 2.5, 11, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.fon << c.bon);
    view.fon = c.fon;
    view.bon = c.bon;
    const zavo::PreviewDepths depths = zavo::ChoosePreviewDepths(view, 20);
    if (c.front < 0) {
      EXPECT_GT(depths.front, 0);
      EXPECT_LT(depths.front, 1e-4);
    } else {
      EXPECT_DOUBLE_EQ(depths.front, c.front);
    }
    EXPECT_DOUBLE_EQ(depths.back, c.back);
    EXPECT_EQ(depths.empty, c.empty);
  }
  // A front plane behind the eye is no limit; one beyond the back plane, or
  // a back plane behind the eye, leaves nothing to draw.
  view.fon = 1;
  view.bon = 0;
  view.f = 9;
  EXPECT_LT(zavo::ChoosePreviewDepths(view, 20).front, 1e-4);
  view.bon = 1;
  view.f = -8;
  view.b = -7;
  EXPECT_TRUE(zavo::ChoosePreviewDepths(view, 20).empty);
  view.fon = 0;
  view.b = 5;
  EXPECT_TRUE(zavo::ChoosePreviewDepths(view, 20).empty);
  // Even then the matrix has an inverse.
  const Transformation m = zavo::PreviewMatrix(view, zavo::ChoosePreviewDepths(view, 20));
  const Transformation product = m * m.Inverse();
  for (int r = 0; r < 4; ++r) {
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(product(r, k), r == k ? 1 : 0, 1e-6);
  }
}

}  // namespace
