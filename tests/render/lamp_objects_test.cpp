// Lamp objects give light and are never hit by a ray, wherever they stand in
// the scene: the trace list and the global hierarchy agree on that, so every
// hierarchy mode shows the same image.

#include <gtest/gtest.h>

#include <string>

#include "geometry/bitmap_manager.h"
#include "render/render_fixtures.h"

namespace {

using zavo::test::PixelOf;
using zavo::test::RenderInTemp;
using zavo::test::RenderScene;
using zavo::test::Rgb;

const char kBulb[] =
    "{ object\n\tname bulb;\n\tmodel { pointlamp\n\t\tcenter ( %C );\n\t\tradius 0.35;\n\t\tdiv 12;\n"
    "\t\tcolor (1,0.9,0.7);\n\t}\n}\n";

// The bulb with its centre at the given point.
std::string Bulb(const char* centre) {
  std::string text = kBulb;
  text.replace(text.find("%C"), 2, centre);
  return text;
}

const char kBall[] =
    "{ object\n\tname ball;\n\tmaterial red;\n\tmodel { sphere center ( 0.2 , 0.3 , -3.7 ); radius 0.8; }\n}\n";

// A floor, a ball and a sun lamp in front of the default view; the bulb (a
// point lamp object) hangs before the sky at the top right of the image.
std::string Scene(const std::string& bulb) {
  return "{ param\n  dimx 40;\n  dimy 30;\n  backcolor (0.25,0.55,0.85);\n}\n"
         "{ material\n\tname red;\n\tmodel { phong Ka 0.2; Kd 0.7; Ks 0.2; Od (0.85,0.15,0.1); }\n}\n"
         "{ material\n\tname floor;\n\tmodel { phong Ka 0.3; Kd 0.6; Od (0.8,0.78,0.7); }\n}\n"
         "{ object\n\tname ground;\n\tmaterial floor;\n"
         "\tmodel { box xmin -5.3; xmax 6.1; ymin -1.3; ymax -0.5; zmin -12.7; zmax -1.1; }\n}\n" +
         bulb + "{ lamp\n\tname sun;\n\tmodel { pointlamp\npos ( -4 , 6 , 3 );\n\tcolor (1,1,0.95);\n}\n}\n.";
}

TEST(LampObjects, EveryHierarchyModeShowsTheSameImageWhereverTheLampStands) {
  struct Case {
    const char* what;
    std::string objects;
  } cases[] = {
      {"at the top of the scene", std::string(kBall) + Bulb("1.2 , 0.8 , -2.4")},
      {"inside a group", "{ object\n\tname set;\n\tmodel \t{ group\n" + std::string(kBall) +
                             Bulb("1.2 , 0.8 , -2.4") + "}\n}\n"},
      {"inside an anim", std::string(kBall) + "{ object\n\tname swing;\n\tmodel \t{ anim\n" +
                             Bulb("1.2 , 0.8 , -2.4") + "\t\tfrom 0;\n\t\tto 10;\n\t}\n}\n"},
      {"inside a transf", std::string(kBall) + "{ object\n\tname placed;\n\tmodel \t{ transf\n"
                                               "\t\tt ( 1.2 , 0.8 , -2.4 );\n" +
                              Bulb("0 , 0 , 0") + "\t}\n}\n"},
      {"inside a transf inside a group",
       "{ object\n\tname set;\n\tmodel \t{ group\n" + std::string(kBall) +
           "{ object\n\tname placed;\n\tmodel \t{ transf\n\t\tt ( 1.2 , 0.8 , -2.4 );\n" + Bulb("0 , 0 , 0") +
           "\t}\n}\n}\n}\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BitmapManager images[4];
    for (int mode = 0; mode < 4; ++mode) {
      SCOPED_TRACE(mode);
      RenderScene f;
      ASSERT_EQ(f.Load(Scene(c.objects)), 1);
      f.scene.GetParam().buildhier = mode;
      ASSERT_EQ(RenderInTemp(f, &images[mode]), 1);
    }
    // The bulb's centre projects to about (28, 12): the sky shows there.
    EXPECT_EQ(PixelOf(images[0], 28, 12), (Rgb{63, 140, 216}));
    // The ball is there and lit.
    EXPECT_GT(PixelOf(images[0], 17, 14).r, 100);
    for (int mode = 1; mode < 4; ++mode) {
      SCOPED_TRACE(mode);
      int differing = 0;
      for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) differing += PixelOf(images[mode], x, y) != PixelOf(images[0], x, y);
      }
      EXPECT_EQ(differing, 0);
    }
  }
}

}  // namespace
