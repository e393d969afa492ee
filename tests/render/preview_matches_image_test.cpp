// The preview shows what the ray-traced image shows: the same pixels are
// covered by objects, and a nearer object hides a farther one, whatever the
// view; what lies behind the eye or outside the planes that are on is never
// drawn.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "common/temp_dir.h"
#include "geometry/bitmap_manager.h"
#include "render/render_fixtures.h"

namespace {

using zavo::test::PixelOf;
using zavo::test::RenderInTemp;
using zavo::test::RenderScene;
using zavo::test::Rgb;

// A floor box that runs from far in front of the eye to behind it, a red
// sphere standing in front of a blue box, a green cylinder to the side and a
// lamp, seen by the view given (a "{ vrc" section, or nothing for the
// default view).
std::string Scene(const std::string& view, int dimx, int dimy) {
  return view + "{ param\n  dimx " + std::to_string(dimx) + ";\n  dimy " + std::to_string(dimy) +
         ";\n  backcolor (0.25,0.55,0.85);\n  ambientcolor (0.3,0.3,0.3);\n}\n"
         "{ material\n\tname red;\n\tmodel { phong Ka 0.2; Kd 0.7; Ks 0; Od (0.85,0.15,0.1); }\n}\n"
         "{ material\n\tname blue;\n\tmodel { phong Ka 0.2; Kd 0.7; Ks 0; Od (0.1,0.2,0.9); }\n}\n"
         "{ material\n\tname green;\n\tmodel { phong Ka 0.2; Kd 0.7; Ks 0; Od (0.15,0.8,0.2); }\n}\n"
         "{ material\n\tname floor;\n\tmodel { phong Ka 0.3; Kd 0.6; Ks 0; Od (0.8,0.78,0.7); }\n}\n"
         "{ object\n\tname ground;\n\tmaterial floor;\n"
         "\tmodel { box xmin -7.3; xmax 8.1; ymin -1.9; ymax -1.3; zmin -16.7; zmax 6.3; }\n}\n"
         "{ object\n\tname ball;\n\tmaterial red;\n"
         "\tmodel { sphere center ( 0.35 , -0.45 , -3.7 ); radius 0.85; div 40; }\n}\n"
         "{ object\n\tname crate;\n\tmaterial blue;\n"
         "\tmodel { box xmin -0.6; xmax 1.3; ymin -1.3; ymax 0.9; zmin -7.4; zmax -5.9; }\n}\n"
         "{ object\n\tname post;\n\tmodel \t{ transf\n\t\tr ( 1.5707963 , 0 , 0 );\n"
         "\t\tt ( -1.7 , 0.05 , -5.2 );\n"
         "{ object\n\tname can;\n\tmaterial green;\n\tmodel { cylinder radius 0.45; high 1.35; div 40; }\n}\n"
         "\t}\n}\n"
         "{ lamp\n\tname sun;\n\tmodel { pointlamp\npos ( -4 , 6 , 3 );\n\tcolor (1,1,0.95);\n}\n}\n.";
}

std::string ViewSection(const char* vrp, const char* prp, const char* vpn, const char* vup, double umin,
                        double umax, double vmin, double vmax, int type = 1) {
  std::ostringstream os;
  os << "{ vrc\n\tvrp " << vrp << ";\n\tprp " << prp << ";\n\tvup " << vup << ";\n\tvpn " << vpn
     << ";\n\tumax " << umax << ";\n\tumin " << umin << ";\n\tvmax " << vmax << ";\n\tvmin " << vmin
     << ";\n\ttype " << type << ";\n\tf 1;\n\tb 0;\n\tfon 0;\n\tbon 0;\n}\n";
  return os.str();
}

struct Images {
  BitmapManager traced;
  BitmapManager preview;
};

// Renders the scene text in both modes; with ownView, the scene's own view is
// set apart from the camera's after loading, so only the camera in use can
// give the view.
void RenderBoth(const std::string& text, Images& images, bool ownView = false) {
  for (const char* mode : {"raytracing", "preview"}) {
    SCOPED_TRACE(mode);
    RenderScene f;
    ASSERT_EQ(f.Load(text), 1);
    f.scene.GetParam().render = mode;
    if (ownView) {
      ASSERT_NE(f.scene.GetCurrentCamera(), nullptr);
      f.scene.GetViewReference() = CG_ViewReference();
      f.scene.GetViewReference().vpn = {1, 0, 0};
    }
    bool written = false;
    ASSERT_EQ(RenderInTemp(f, std::string(mode) == "raytracing" ? &images.traced : &images.preview, &written), 1)
        << (f.ui.messages.empty() ? "" : f.ui.messages.back());
    ASSERT_TRUE(written);
  }
}

bool IsBackground(const Rgb& c) { return c == Rgb{63, 140, 216}; }

// Which object a pixel shows, by its strongest channel: 'r', 'g', 'b', or '.'
// for the background and '?' for anything else (the floor is grey).
char Hue(const Rgb& c) {
  if (IsBackground(c)) return '.';
  if (c.r > 2 * c.g && c.r > 2 * c.b) return 'r';
  if (c.g > 2 * c.r && c.g > 2 * c.b) return 'g';
  if (c.b > 2 * c.r && c.b > 2 * c.g) return 'b';
  return '?';
}

struct Agreement {
  double share = 0;  // of the pixels on which both images agree about coverage
  int covered = 0;   // pixels the ray tracer covers
  int redOverBlue = 0;    // pixels where the red ball stands before the blue crate, in both images
  int hiddenDiffers = 0;  // pixels where one image shows the crate and the other the ball
};

Agreement Compare(const Images& images) {
  Agreement a;
  const int w = images.traced.Width();
  const int h = images.traced.Height();
  int same = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Rgb t = PixelOf(images.traced, x, y);
      const Rgb p = PixelOf(images.preview, x, y);
      same += IsBackground(t) == IsBackground(p);
      a.covered += !IsBackground(t);
      const char ht = Hue(t);
      const char hp = Hue(p);
      if (ht == 'r' && hp == 'r') ++a.redOverBlue;
      if ((ht == 'r' && hp == 'b') || (ht == 'b' && hp == 'r')) ++a.hiddenDiffers;
    }
  }
  a.share = static_cast<double>(same) / (w * h);
  return a;
}

TEST(PreviewMatchesImage, TheSamePixelsAreCoveredFromEveryView) {
  struct Case {
    const char* what;
    std::string view;
    int dimx, dimy;
    bool ownView;
  } cases[] = {
      {"the default view: eye (0.5, 0.5, 1) on the +vpn side", "", 120, 120, false},
      {"eye behind the view plane: vpn points away from the eye",
       ViewSection("( 0.3 , 0.2 , -1.2 )", "( 0.1 , -0.15 , -3.4 )", "( 0 , 0 , -1 )", "( 0 , 1 , 0 )", -1.3, 1.1,
                   -1.2, 1.2),
       120, 120, false},
      {"a camera object in use, looking down at the scene from the right",
       ViewSection("( 0.2 , -0.5 , -4.6 )", "( 0 , 0 , 7.3 )", "( 0.45 , 0.2 , 0.85 )", "( 0 , 1 , 0 )", -2.3, 2.3,
                   -2.3, 2.3),
       120, 120, true},
      {"a window wider than high, the eye off its centre",
       ViewSection("( 0 , 0 , 0 )", "( 0.4 , 0.3 , 4.2 )", "( 0 , 0 , 1 )", "( 0 , 1 , 0 )", -1.6, 1.7, -0.9, 0.95,
                   0),
       160, 90, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Images images;
    RenderBoth(Scene(c.view, c.dimx, c.dimy), images, c.ownView);
    if (HasFatalFailure()) return;
    const Agreement a = Compare(images);
    EXPECT_GE(a.share, 0.98);
    // Enough of the image is covered for the share to mean something.
    EXPECT_GT(a.covered, c.dimx * c.dimy / 10);
    EXPECT_LT(a.covered, c.dimx * c.dimy * 9 / 10);
    // The ball stands in front of the crate: where one shows the ball, the
    // other never shows the crate through it.
    EXPECT_GT(a.redOverBlue, 100);
    EXPECT_LT(a.hiddenDiffers, c.dimx * c.dimy / 100);
  }
}

}  // namespace
